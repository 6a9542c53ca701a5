#include "tools/gendata/Speech.h"

#include <espeak-ng/speak_lib.h>
#include <lame/lame.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <vector>

namespace gendata {
namespace {

// The synthesiser keeps its state in the process: one text at a time, started once.
std::mutex& synthLock() {
    static std::mutex m;
    return m;
}

int appendSamples(short* wav, int count, espeak_EVENT* events) {
    if (wav && count > 0)
        static_cast<std::vector<short>*>(events->user_data)
            ->insert(static_cast<std::vector<short>*>(events->user_data)->end(), wav, wav + count);
    return 0; // go on
}

// `text` spoken by espeak-ng: mono samples at its rate (returned in `rate`).
std::vector<short> synthesize(const QString& text, Voice voice, int wordsPerMinute, int& rate) {
    const std::lock_guard<std::mutex> lock(synthLock());
    static const int sampleRate = [] {
        const int r = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, 0);
        espeak_SetSynthCallback(appendSamples);
        return r;
    }();
    if (sampleRate <= 0)
        throw std::runtime_error("espeak-ng cannot start (is espeak-ng-data installed?)");
    rate = sampleRate;
    const char* name = voice == Voice::English ? "en" : "cmn-latn-pinyin";
    if (espeak_SetVoiceByName(name) != EE_OK)
        throw std::runtime_error(std::string("espeak-ng has no voice ") + name);
    espeak_SetParameter(espeakRATE, wordsPerMinute, 0);
    std::vector<short> samples;
    const QByteArray utf8 = text.toUtf8();
    if (espeak_Synth(utf8.constData(), size_t(utf8.size()) + 1, 0, POS_CHARACTER, 0,
                     espeakCHARS_UTF8, nullptr, &samples) != EE_OK ||
        espeak_Synchronize() != EE_OK)
        throw std::runtime_error("espeak-ng failed on " + text.toStdString());
    return samples;
}

// Mono MP3 at 11.025 kHz and 16 kbit/s. Its frames are too small for the encoder's info
// frame, so there is none, as with the lame program.
QByteArray encode(std::vector<short> samples, int rate) {
    const std::unique_ptr<lame_global_flags, int (*)(lame_global_flags*)> lame(lame_init(),
                                                                               lame_close);
    if (!lame)
        throw std::runtime_error("lame cannot start");
    lame_set_num_channels(lame.get(), 1);
    lame_set_mode(lame.get(), MONO);
    lame_set_in_samplerate(lame.get(), rate);
    lame_set_out_samplerate(lame.get(), 11025);
    lame_set_brate(lame.get(), 16);
    lame_set_quality(lame.get(), 7);
    lame_set_bWriteVbrTag(lame.get(), 0);
    if (lame_init_params(lame.get()) < 0)
        throw std::runtime_error("lame refused its settings");
    // The synthesiser's silence before and after the words goes, but for a breath.
    const auto loud = [](short v) { return std::abs(int(v)) > 320; };
    const auto first = std::find_if(samples.begin(), samples.end(), loud);
    const auto last = std::find_if(samples.rbegin(), samples.rend(), loud).base();
    if (first < last) {
        const auto from = first - std::min<std::ptrdiff_t>(first - samples.begin(), rate / 30);
        const auto to = last + std::min<std::ptrdiff_t>(samples.end() - last, rate / 12);
        samples = std::vector<short>(from, to);
    }
    if (samples.empty())
        samples.assign(size_t(rate / 10), 0); // a tenth of a second of silence
    QByteArray out(int(1.25 * samples.size() + 7200), '\0');
    const int n =
        lame_encode_buffer(lame.get(), samples.data(), samples.data(), int(samples.size()),
                           reinterpret_cast<unsigned char*>(out.data()), int(out.size()));
    if (n < 0)
        throw std::runtime_error("lame failed");
    QByteArray tail(7200, '\0');
    const int m = lame_encode_flush(lame.get(), reinterpret_cast<unsigned char*>(tail.data()),
                                    int(tail.size()));
    if (m < 0)
        throw std::runtime_error("lame failed");
    return out.left(n) + tail.left(m);
}

} // namespace

QByteArray speak(Output& out, const QString& text, Voice voice, int wordsPerMinute) {
    const QString code =
        voice == Voice::English ? QStringLiteral("en") : QStringLiteral("cmn-latn-pinyin");
    const QString rate = QString::number(wordsPerMinute);
    return out.cached(QStringLiteral("speech-v3|%1|%2|").arg(code, rate) + text, [&] {
        int sampleRate = 0;
        std::vector<short> samples = synthesize(text, voice, wordsPerMinute, sampleRate);
        return encode(std::move(samples), sampleRate);
    });
}

} // namespace gendata

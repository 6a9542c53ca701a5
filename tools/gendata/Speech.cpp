#include "tools/gendata/Speech.h"
#include "tools/lib/Pinyin.h"

#include <espeak-ng/speak_lib.h>
#include <lame/lame.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace gendata {
namespace {

thread_local QString spokenAt;

// The pinyin library runs in one Node.js process for the whole build, started when the
// first line needs it; a line in, its reading out.
class Reader {
public:
    ~Reader() {
        if (pid_ > 0) {
            ::close(in_);
            ::close(out_);
            int status = 0;
            ::waitpid(pid_, &status, 0);
        }
    }

    QString read(const QString& sourceDir, const QString& line) {
        const std::lock_guard<std::mutex> lock(m_);
        if (pid_ <= 0)
            start(sourceDir);
        QByteArray request = line.toUtf8();
        request.replace('\n', ' ').replace('\r', ' ');
        request += '\n';
        for (qsizetype at = 0; at < request.size();) {
            const ssize_t n = ::write(in_, request.constData() + at, size_t(request.size() - at));
            if (n <= 0)
                throw std::runtime_error("the pinyin reader (node) stopped");
            at += n;
        }
        for (;;) {
            const qsizetype end = buffer_.indexOf('\n');
            if (end >= 0) {
                const QString answer = QString::fromUtf8(buffer_.left(end));
                buffer_.remove(0, end + 1);
                return answer;
            }
            char chunk[4096];
            const ssize_t n = ::read(out_, chunk, sizeof chunk);
            if (n <= 0)
                throw std::runtime_error("the pinyin reader (node) stopped");
            buffer_.append(chunk, n);
        }
    }

private:
    void start(const QString& sourceDir) {
        std::signal(SIGPIPE, SIG_IGN); // a reader that died is an error, not the end
        int toChild[2], fromChild[2];
        if (::pipe(toChild) != 0 || ::pipe(fromChild) != 0)
            throw std::runtime_error("cannot start the pinyin reader");
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, toChild[0], 0);
        posix_spawn_file_actions_adddup2(&actions, fromChild[1], 1);
        for (int fd : {toChild[0], toChild[1], fromChild[0], fromChild[1]})
            posix_spawn_file_actions_addclose(&actions, fd);
        const QByteArray script =
            QDir(sourceDir).filePath(QStringLiteral("tools/gendata/reading.js")).toLocal8Bit();
        const QByteArray table =
            QDir(sourceDir).filePath(QStringLiteral("content/chinese/readings.txt")).toLocal8Bit();
        const QByteArray reviewed = QDir(sourceDir)
                                        .filePath(QStringLiteral("content/chinese/polyphones.txt"))
                                        .toLocal8Bit();
        char node[] = "node";
        char* argv[] = {node, const_cast<char*>(script.constData()),
                        const_cast<char*>(table.constData()),
                        const_cast<char*>(reviewed.constData()), nullptr};
        const int failed = posix_spawnp(&pid_, "node", &actions, nullptr, argv, environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(toChild[0]);
        ::close(fromChild[1]);
        in_ = toChild[1];
        out_ = fromChild[0];
        if (failed) {
            ::close(in_);
            ::close(out_);
            pid_ = -1;
            throw std::runtime_error(
                "cannot start node for the pinyin reader (is nodejs installed?)");
        }
    }

    std::mutex m_;
    pid_t pid_ = -1;
    int in_ = -1, out_ = -1;
    QByteArray buffer_;
};

Reader& reader() {
    static Reader r;
    return r;
}

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

// One stretch in one voice; the caller holds the synthesiser's lock.
std::vector<short> synthesizePiece(const QString& text, Voice voice, int wordsPerMinute,
                                   int& rate) {
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

// `text` spoken by espeak-ng: mono samples at its rate (returned in `rate`). The English
// stretches of a Mandarin reading are said by the English voice: the Mandarin voice says
// a Latin letter as a syllable of its own ("E" as "yì").
std::vector<short> synthesize(const QString& text, Voice voice, int wordsPerMinute, int& rate) {
    const std::lock_guard<std::mutex> lock(synthLock());
    if (voice == Voice::Mandarin) {
        std::vector<short> samples;
        for (const tools::pinyin::Piece& piece : tools::pinyin::voicePieces(text)) {
            const std::vector<short> part = synthesizePiece(
                piece.text, piece.english ? Voice::English : Voice::Mandarin, wordsPerMinute, rate);
            samples.insert(samples.end(), part.begin(), part.end());
        }
        return samples;
    }
    return synthesizePiece(text, voice, wordsPerMinute, rate);
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

MandarinReading readMandarin(Output& out, const QString& text, const QString& pinyin) {
    namespace py = tools::pinyin;
    // Pinyin that has no syllable in it is no reading: the library reads the text.
    if (const QStringList given = py::syllables(pinyin); !given.isEmpty())
        return {py::spokenLine(text, given), {}, {}};
    const QString said = py::lettersSaid(py::numbersInChinese(text));
    if (py::hanCount(said) == 0)
        return {said, said, {}};
    const QString answer = reader().read(out.contentDir() + QStringLiteral("/.."), said);
    const QString read = answer.section(QLatin1Char('\t'), 0, 0);
    // Pinyin written in the line ("说“zàijiàn”") is given numbered, as the rest.
    static const QRegularExpression written(
        QStringLiteral("[a-zA-Züāáǎàēéěèīíǐìōóǒòūúǔùǖǘǚǜ]*[āáǎàēéěèīíǐìōóǒòūúǔùǖǘǚǜ]"
                       "[a-zA-Züāáǎàēéěèīíǐìōóǒòūúǔùǖǘǚǜ]*"));
    QString numbered;
    qsizetype at = 0;
    auto it = written.globalMatch(read);
    while (it.hasNext()) {
        const auto m = it.next();
        const QStringList syllables = py::syllables(m.captured());
        numbered += read.mid(at, m.capturedStart() - at) +
                    (syllables.isEmpty()
                         ? m.captured()
                         : QLatin1Char(' ') + syllables.join(QLatin1Char(' ')) + QLatin1Char(' '));
        at = m.capturedEnd();
    }
    return {(numbered + read.mid(at)).simplified(), said, answer.section(QLatin1Char('\t'), 1)};
}

QString mandarinReading(Output& out, const QString& text, const QString& pinyin) {
    return readMandarin(out, text, pinyin).said;
}

void noteSpoken(Output& out, const QString& text, const MandarinReading& reading) {
    QStringList meant;
    for (const QString& word : reading.said.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        if (tools::pinyin::isSyllable(word))
            meant << word;
    const auto clean = [](QString s) {
        return s.replace(QLatin1Char('\t'), QLatin1Char(' '))
            .replace(QLatin1Char('\n'), QLatin1Char(' '))
            .replace(QLatin1Char('\r'), QLatin1Char(' '));
    };
    // where, text, syllables meant, what the voice was given, what the reader read and
    // its syllable of each Chinese character of that
    out.note(clean(spokenAt.isEmpty() ? QStringLiteral("(unnamed)") : spokenAt) +
             QLatin1Char('\t') + clean(text) + QLatin1Char('\t') + meant.join(QLatin1Char(' ')) +
             QLatin1Char('\t') + clean(reading.said) + QLatin1Char('\t') + clean(reading.readFrom) +
             QLatin1Char('\t') + clean(reading.hanSyllables));
}

QString readingsVersion(Output& out) {
    static std::once_flag once;
    static QString version;
    std::call_once(once, [&] {
        QCryptographicHash h(QCryptographicHash::Sha1);
        // How letters and numbers in a line are read (tools/lib/Pinyin) and which voice
        // says what: raised when those rules change.
        h.addData(QByteArrayLiteral("reading-rules-3"));
        const QDir source(out.contentDir() + QStringLiteral("/.."));
        for (const char* file :
             {"content/chinese/readings.txt", "content/chinese/polyphones.txt",
              "tools/gendata/reading.js", "node_modules/pinyin-pro/package.json"}) {
            QFile f(source.filePath(QString::fromLatin1(file)));
            if (f.open(QIODevice::ReadOnly))
                h.addData(f.readAll());
        }
        version = QString::fromLatin1(h.result().toHex().left(12));
    });
    return version;
}

QByteArray speak(Output& out, const QString& text, Voice voice, int wordsPerMinute,
                 const QString& pinyin) {
    const QString code =
        voice == Voice::English ? QStringLiteral("en") : QStringLiteral("cmn-latn-pinyin");
    const QString rate = QString::number(wordsPerMinute);
    QString said = text;
    QString mixed; // a Mandarin line with English in it is spoken in two voices
    if (voice == Voice::Mandarin) {
        const MandarinReading reading = readMandarin(out, text, pinyin);
        said = reading.said;
        noteSpoken(out, text, reading);
        if (tools::pinyin::voicePieces(said).size() > 1)
            mixed = QStringLiteral("|with-english");
    }
    return out.cached(QStringLiteral("speech-v4|%1|%2|").arg(code, rate) + said + mixed, [&] {
        int sampleRate = 0;
        std::vector<short> samples = synthesize(said, voice, wordsPerMinute, sampleRate);
        return encode(std::move(samples), sampleRate);
    });
}

SpokenAt::SpokenAt(const QString& where) : before_(spokenAt) {
    spokenAt = where;
}

void SpokenAt::moveTo(const QString& where) {
    spokenAt = where;
}

SpokenAt::~SpokenAt() {
    spokenAt = before_;
}

} // namespace gendata

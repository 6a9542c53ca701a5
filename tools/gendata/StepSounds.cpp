// Background music, the right/wrong effects and the click sound, synthesised.
#include "tools/gendata/Generator.h"
#include "tools/lib/Synth.h"
#include "tools/lib/WavWriter.h"

#include <QFile>
#include <cmath>

namespace gendata {
namespace {

using tools::Note;
using tools::Synth;
using tools::Timbre;

constexpr int kRate = 44100;

// A gentle 32-second tune (16 bars at 120 beats a minute) that loops seamlessly:
// every note that rings past the end continues at the start.
std::vector<float> backgroundTune() {
    const double beat = 0.5;
    // Melody in C major, in beats: (start beat, length beats, note).
    static const int melody[][3] = {
        {0, 1, 72},  {1, 1, 76},  {2, 1, 79},  {3, 1, 76},  {4, 2, 77},  {6, 2, 74},  {8, 1, 72},
        {9, 1, 74},  {10, 1, 76}, {11, 1, 72}, {12, 4, 74}, {16, 1, 76}, {17, 1, 79}, {18, 1, 81},
        {19, 1, 79}, {20, 2, 77}, {22, 2, 76}, {24, 1, 74}, {25, 1, 76}, {26, 1, 74}, {27, 1, 71},
        {28, 4, 72}, {32, 2, 79}, {34, 1, 77}, {35, 1, 76}, {36, 2, 74}, {38, 2, 77}, {40, 1, 76},
        {41, 1, 74}, {42, 1, 72}, {43, 1, 74}, {44, 4, 76}, {48, 1, 72}, {49, 1, 76}, {50, 1, 79},
        {51, 1, 84}, {52, 2, 81}, {54, 2, 79}, {56, 1, 77}, {57, 1, 76}, {58, 1, 74}, {59, 1, 71},
        {60, 4, 72},
    };
    // Chords per bar (root notes of I vi IV V ... progression).
    static const int chords[16][3] = {
        {48, 52, 55}, {53, 57, 60}, {48, 52, 55}, {55, 59, 62}, {48, 52, 55}, {53, 57, 60},
        {55, 59, 62}, {48, 52, 55}, {52, 55, 59}, {53, 57, 60}, {50, 53, 57}, {55, 59, 62},
        {48, 52, 55}, {53, 57, 60}, {55, 59, 62}, {48, 52, 55},
    };
    std::vector<Note> lead, bass, pad;
    for (const auto& m : melody)
        lead.push_back({m[0] * beat, m[1] * beat, m[2], 0.55, 0.15});
    for (int bar = 0; bar < 16; ++bar) {
        const double t = bar * 4 * beat;
        bass.push_back({t, 2 * beat, chords[bar][0] - 12, 0.5, -0.1});
        bass.push_back({t + 2 * beat, 2 * beat, chords[bar][0] - 12 + 7, 0.35, -0.1});
        for (int k = 0; k < 3; ++k)
            pad.push_back({t, 4 * beat, chords[bar][k], 0.12, k - 1.0});
    }
    const double seconds = 64 * beat;
    Synth synth(kRate);
    std::vector<float> mixdown = synth.render(lead, Timbre::Bell, seconds, true);
    Synth::mix(mixdown, synth.render(bass, Timbre::Marimba, seconds, true), 0.8f);
    Synth::mix(mixdown, synth.render(pad, Timbre::Pad, seconds, true), 0.5f);
    Synth::normalize(mixdown, 0.55f); // gentle: well below full scale
    return mixdown;
}

std::vector<float> arpeggio(const std::vector<int>& notes, double step, Timbre timbre,
                            double seconds) {
    std::vector<Note> ns;
    for (size_t i = 0; i < notes.size(); ++i)
        ns.push_back({i * step, step, notes[i], 0.8, 0});
    std::vector<float> buf = Synth(kRate).render(ns, timbre, seconds, false);
    Synth::normalize(buf, 0.8f);
    return buf;
}

// A low "boing" that falls in pitch: clearly "not right", never harsh.
std::vector<float> wrongSound() {
    const int frames = static_cast<int>(0.45 * kRate);
    std::vector<float> out(frames * 2);
    double phase = 0;
    for (int i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double f = 330.0 * std::exp(-1.6 * t);
        phase += 2 * 3.14159265358979 * f / kRate;
        const double env = std::exp(-5.0 * t) * std::min(1.0, t * 300);
        const float s =
            static_cast<float>(env * (std::sin(phase) + 0.3 * std::sin(2 * phase)) * 0.6);
        out[2 * i] = out[2 * i + 1] = s;
    }
    return out;
}

// The short wooden click of a picture button.
std::vector<float> clickSound() {
    const int frames = static_cast<int>(0.07 * kRate);
    std::vector<float> out(frames);
    for (int i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double env = std::exp(-70.0 * t) * std::min(1.0, t * 2000);
        out[i] = static_cast<float>(env * (std::sin(2 * 3.14159265 * 1800 * t) * 0.6 +
                                           std::sin(2 * 3.14159265 * 900 * t) * 0.4));
    }
    return out;
}

QByteArray toMp3(Output& out, const QString& key, const QByteArray& wav) {
    return out.cached(key, [&] {
        const QString in = out.tempDir() + QLatin1String("/mp3in.wav");
        const QString mp3 = out.tempDir() + QLatin1String("/mp3out.mp3");
        QFile f(in);
        f.open(QIODevice::WriteOnly);
        f.write(wav);
        f.close();
        Output::run(QStringLiteral("lame"), {QStringLiteral("--quiet"), QStringLiteral("-b"),
                                             QStringLiteral("128"), in, mp3});
        QFile m(mp3);
        m.open(QIODevice::ReadOnly);
        return m.readAll();
    });
}

void makeSounds(Output& out) {
    const QByteArray bgWav = tools::makeWav(backgroundTune(), kRate, 2);
    out.writeData(QStringLiteral("Data/Sound/bg.mp3"), toMp3(out, QStringLiteral("bg-v1"), bgWav));

    out.writeData(QStringLiteral("Data/bgsnd/right.WAV"),
                  tools::makeWav(arpeggio({72, 76, 79, 84}, 0.09, Timbre::Bell, 0.9), kRate, 2));
    out.writeData(QStringLiteral("Data/bgsnd/wrong.WAV"), tools::makeWav(wrongSound(), kRate, 2));

    // Program resources: "wrong" is the click every button plays, "ok" a cheerful chime.
    out.writeResource(QStringLiteral("wav/wrong"), tools::makeWav(clickSound(), kRate, 1));
    out.writeResource(QStringLiteral("wav/ok"),
                      tools::makeWav(arpeggio({79, 84, 88}, 0.07, Timbre::Marimba, 0.6), kRate, 2));

    out.recordData(QStringLiteral("Data/systxt/snd.txt"));
}

RegisterStep step{"sounds", &makeSounds};

} // namespace
} // namespace gendata

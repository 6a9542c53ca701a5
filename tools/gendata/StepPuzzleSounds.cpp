// Effects of the guess-the-number game: "Data/bgsnd/100down.WAV" (a solved number: a
// bright fanfare) and "Data/bgsnd/jiayou.WAV" (keep trying: a short rising call).
#include "tools/gendata/Generator.h"
#include "tools/lib/Synth.h"
#include "tools/lib/WavWriter.h"

namespace gendata {
namespace {

using tools::Note;

constexpr int kRate = 44100;

QByteArray render(const std::vector<Note>& notes, tools::Timbre timbre, double seconds) {
    std::vector<float> wave = tools::Synth(kRate).render(notes, timbre, seconds, false);
    tools::Synth::normalize(wave, 0.8f);
    return tools::makeWav(wave, kRate, 2);
}

void makePuzzleSounds(Output& out) {
    // Up the major arpeggio twice, then a held chord with a sparkle on top.
    std::vector<Note> fanfare;
    const int run[] = {60, 64, 67, 72, 64, 67, 72, 76};
    for (int i = 0; i < 8; ++i)
        fanfare.push_back({i * 0.09, 0.1, run[i], 0.7, (i % 2) ? 0.25 : -0.25});
    for (int n : {72, 76, 79, 84})
        fanfare.push_back({0.78, 1.0, n, 0.5, 0});
    for (int i = 0; i < 4; ++i)
        fanfare.push_back({0.9 + i * 0.12, 0.1, 91 + (i % 2) * 5, 0.3, 0.4});
    out.writeData(QStringLiteral("Data/bgsnd/100down.WAV"),
                  render(fanfare, tools::Timbre::Bell, 2.0));

    // "Jia-you!": two calls, the second one higher.
    std::vector<Note> call;
    for (int k = 0; k < 2; ++k) {
        call.push_back({k * 0.42, 0.14, 67 + k * 5, 0.75, -0.1});
        call.push_back({k * 0.42 + 0.16, 0.22, 72 + k * 5, 0.8, 0.1});
    }
    out.writeData(QStringLiteral("Data/bgsnd/jiayou.WAV"),
                  render(call, tools::Timbre::Marimba, 1.2));
}

const RegisterStep step{"puzzlesounds", &makePuzzleSounds};

} // namespace
} // namespace gendata

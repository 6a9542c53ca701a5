#include "tools/lib/SongSynth.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <mutex>
#include <tuple>

namespace tools {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kScale[7] = {0, 2, 4, 5, 7, 9, 11};

enum class Voice { Lead, Bass, Chord, Tick, Accent };

double frequency(int midi) {
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

std::vector<float> renderVoice(Voice v, int midi, double seconds, int rate) {
    const double f = frequency(midi);
    const double tail = v == Voice::Lead ? 0.5 : v == Voice::Bass ? 0.3 : 0.2;
    const size_t n = static_cast<size_t>((seconds + tail) * rate);
    std::vector<float> out(n);
    uint32_t noise = 12345;
    for (size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / rate;
        const double release = t > seconds ? std::exp(-12.0 * (t - seconds)) : 1.0;
        const double w = 2 * kPi * f * t;
        double s = 0;
        switch (v) {
        case Voice::Lead: // a music box: bright attack, a warm sustained body
            s = (std::sin(w) + 0.3 * std::sin(2 * w) * std::exp(-4 * t) +
                 0.12 * std::sin(3 * w) * std::exp(-8 * t)) *
                (0.55 + 0.45 * std::exp(-3.0 * t)) * std::min(1.0, t * 250);
            break;
        case Voice::Bass:
            s = (std::sin(w) + 0.15 * std::sin(3 * w)) * std::exp(-2.5 * t) *
                std::min(1.0, t * 200);
            break;
        case Voice::Chord: // a soft pluck
            s = (std::sin(w) + 0.4 * std::sin(2 * w) * std::exp(-10 * t)) * std::exp(-7.0 * t) *
                std::min(1.0, t * 300);
            break;
        case Voice::Tick:
        case Voice::Accent: {
            noise = noise * 1664525u + 1013904223u;
            const double white = (static_cast<double>(noise >> 8) / (1 << 24)) * 2 - 1;
            s = white * std::exp(-(v == Voice::Accent ? 35.0 : 60.0) * t);
            break;
        }
        }
        out[i] = static_cast<float>(s * release);
    }
    return out;
}

} // namespace

void mixInto(std::vector<float>& mix, const std::vector<float>& voice, long at, float gain) {
    // Raw pointers: the generator is also built without optimisation for the tests.
    const long from = std::max(0L, -at);
    const long to = std::min(static_cast<long>(voice.size()), static_cast<long>(mix.size()) - at);
    float* out = mix.data() + at;
    const float* in = voice.data();
    for (long i = from; i < to; ++i)
        out[i] += in[i] * gain;
}

float peak(const std::vector<float>& buf) {
    float m = 0;
    const float* p = buf.data();
    for (size_t i = 0, n = buf.size(); i < n; ++i)
        m = std::max(m, std::fabs(p[i]));
    return m;
}

void scaleToPeak(std::vector<float>& buf, float target) {
    const float m = peak(buf);
    if (m <= 0)
        return;
    const float k = target / m;
    float* p = buf.data();
    for (size_t i = 0, n = buf.size(); i < n; ++i)
        p[i] *= k;
}

std::vector<float> renderSong(const SongPlan& plan, int tonic, int rate) {
    const double beat = plan.beatSeconds();
    std::vector<float> mix(static_cast<size_t>((plan.seconds() + 0.5) * rate), 0.0f);
    // Notes recur within a song and across songs: each is rendered once for all.
    static std::mutex lock;
    static std::map<std::tuple<int, int, int, int>, std::shared_ptr<const std::vector<float>>>
        cache;
    const auto play = [&](Voice v, int midi, double atBeat, double beats, float gain) {
        const int samples =
            static_cast<int>(std::max(1L, std::lround(beats * 4)) * beat / 4 * rate);
        const auto key = std::make_tuple(static_cast<int>(v), midi, samples, rate);
        std::shared_ptr<const std::vector<float>> wave;
        {
            const std::lock_guard<std::mutex> hold(lock);
            const auto it = cache.find(key);
            if (it != cache.end())
                wave = it->second;
        }
        if (!wave) {
            wave = std::make_shared<const std::vector<float>>(
                renderVoice(v, midi, static_cast<double>(samples) / rate, rate));
            const std::lock_guard<std::mutex> hold(lock);
            cache.emplace(key, wave);
        }
        mixInto(mix, *wave, std::lround(atBeat * beat * rate), gain);
    };
    for (const MelodyNote& n : plan.melody)
        play(Voice::Lead, n.midi + 12, n.beat, n.beats, 0.30f);
    for (size_t bar = 0; bar < plan.chords.size(); ++bar) {
        const int root = plan.chords[bar].degree;
        const auto note = [&](int d, int octave) {
            return tonic + 12 * octave + kScale[d % 7] + 12 * (d / 7);
        };
        const double at = 4.0 * bar;
        const bool last = bar + 1 == plan.chords.size();
        play(Voice::Bass, note(root, -2), at, last ? 4 : 2, 0.45f);
        if (!last)
            play(Voice::Bass, note(root + 4, -2), at + 2, 2, 0.35f);
        for (int k = 0; k < 3; ++k) {
            const int d = root + 2 * k;
            for (double off : last ? std::vector<double>{0} : std::vector<double>{1, 3})
                play(Voice::Chord, note(d, -1), at + off, last ? 4 : 1, 0.16f);
        }
        for (int b = 0; b < 4 && !last; ++b)
            play(b == 0 ? Voice::Accent : Voice::Tick, 0, at + b, 0.25, b == 0 ? 0.10f : 0.05f);
    }
    return mix;
}

} // namespace tools

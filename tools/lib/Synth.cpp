#include "tools/lib/Synth.h"

#include <algorithm>
#include <cmath>

namespace tools {
namespace {

constexpr double kPi = 3.14159265358979323846;

double frequency(int midi) {
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

// One sample of a note `t` seconds after its start.
double voice(Timbre timbre, double f, double t, double length) {
    double env = 0, v = 0;
    switch (timbre) {
    case Timbre::Bell:
        env = std::exp(-3.0 * t) * std::min(1.0, t * 200.0);
        v = std::sin(2 * kPi * f * t) + 0.35 * std::sin(2 * kPi * f * 2.0 * t) * std::exp(-2 * t) +
            0.15 * std::sin(2 * kPi * f * 3.01 * t) * std::exp(-5 * t);
        break;
    case Timbre::Marimba:
        env = std::exp(-6.0 * t) * std::min(1.0, t * 300.0);
        v = std::sin(2 * kPi * f * t) + 0.25 * std::sin(2 * kPi * f * 4.0 * t) * std::exp(-12 * t);
        break;
    case Timbre::Pluck:
        env = std::exp(-9.0 * t) * std::min(1.0, t * 400.0);
        v = std::sin(2 * kPi * f * t) + 0.5 * std::sin(2 * kPi * f * 2 * t) * std::exp(-15 * t);
        break;
    case Timbre::Pad: {
        const double attack = std::min(1.0, t / 0.25);
        const double release = t > length ? std::exp(-4.0 * (t - length)) : 1.0;
        env = attack * release * 0.6;
        v = std::sin(2 * kPi * f * t) + 0.3 * std::sin(2 * kPi * f * 1.004 * t) +
            0.2 * std::sin(2 * kPi * f * 2 * t);
        break;
    }
    }
    return env * v;
}

double tailOf(Timbre timbre) {
    switch (timbre) {
    case Timbre::Bell:
        return 2.0;
    case Timbre::Marimba:
        return 0.9;
    case Timbre::Pluck:
        return 0.6;
    case Timbre::Pad:
        return 1.2;
    }
    return 1.0;
}

} // namespace

std::vector<float> Synth::render(const std::vector<Note>& notes, Timbre timbre, double seconds,
                                 bool wrap) const {
    const size_t frames = static_cast<size_t>(seconds * rate_);
    std::vector<float> out(frames * 2, 0.0f);
    for (const Note& n : notes) {
        const double f = frequency(n.midi);
        const double dur = (timbre == Timbre::Pad ? n.length : 0) + tailOf(timbre);
        const size_t first = static_cast<size_t>(n.start * rate_);
        const size_t count = static_cast<size_t>(dur * rate_);
        const double l = n.volume * std::sqrt((1 - n.pan) / 2),
                     r = n.volume * std::sqrt((1 + n.pan) / 2);
        for (size_t i = 0; i < count; ++i) {
            size_t idx = first + i;
            if (idx >= frames) {
                if (!wrap)
                    break;
                idx %= frames;
            }
            const double s = voice(timbre, f, static_cast<double>(i) / rate_, n.length);
            out[idx * 2] += static_cast<float>(s * l);
            out[idx * 2 + 1] += static_cast<float>(s * r);
        }
    }
    return out;
}

void Synth::mix(std::vector<float>& a, const std::vector<float>& b, float gain) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i)
        a[i] += b[i] * gain;
}

void Synth::normalize(std::vector<float>& buf, float peak) {
    float m = 0;
    for (float v : buf)
        m = std::max(m, std::fabs(v));
    if (m <= 0)
        return;
    const float k = peak / m;
    for (float& v : buf)
        v *= k;
}

std::vector<float> Synth::toMono(const std::vector<float>& stereo) {
    std::vector<float> m(stereo.size() / 2);
    for (size_t i = 0; i < m.size(); ++i)
        m[i] = 0.5f * (stereo[2 * i] + stereo[2 * i + 1]);
    return m;
}

} // namespace tools

#pragma once
// A small additive synthesiser for the generated music and effects: soft bell and
// marimba-like notes with envelopes, mixed into a float buffer.

#include <vector>

namespace tools {

struct Note {
    double start;   // seconds
    double length;  // seconds
    int midi;       // MIDI note number (60 = middle C)
    double volume;  // 0..1
    double pan = 0; // -1 left .. 1 right
};

enum class Timbre { Bell, Marimba, Pluck, Pad };

class Synth {
public:
    explicit Synth(int sampleRate = 44100) : rate_(sampleRate) {}
    int sampleRate() const { return rate_; }
    // Renders into an interleaved stereo buffer of `seconds` length; notes that run
    // past the end wrap around to the start, so the result loops without a click.
    std::vector<float> render(const std::vector<Note>& notes, Timbre timbre, double seconds,
                              bool wrap) const;
    // Mixes b into a (same length), scaled.
    static void mix(std::vector<float>& a, const std::vector<float>& b, float gain);
    static void normalize(std::vector<float>& buf, float peak);
    // Mono buffer from a stereo one.
    static std::vector<float> toMono(const std::vector<float>& stereo);

private:
    int rate_;
};

} // namespace tools

#pragma once
// RIFF WAVE files of 16-bit PCM, for the generated effects and speech.

#include <QByteArray>
#include <vector>

namespace tools {

// Mono or interleaved stereo samples in -1..1, clipped.
QByteArray makeWav(const std::vector<float>& samples, int sampleRate, int channels);

} // namespace tools

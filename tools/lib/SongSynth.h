#pragma once
// Renders the music of a planned song (tools/lib/SongBook.h): a soft music-box melody,
// bass on the strong beats, chords on the off beats and a light tick on every beat,
// into a mono buffer. Each distinct note is rendered once and then copied.

#include "tools/lib/SongBook.h"

#include <vector>

namespace tools {

std::vector<float> renderSong(const SongPlan& plan, int tonic, int sampleRate);

// Adds `voice` (mono, same rate) into `mix` from sample `at`, scaled; what runs past
// the end is dropped.
void mixInto(std::vector<float>& mix, const std::vector<float>& voice, long at, float gain);

// The buffer scaled so that its loudest sample is `target` (silence stays silent).
void scaleToPeak(std::vector<float>& buf, float target);

} // namespace tools

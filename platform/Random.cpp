#include "platform/Random.h"

#include <chrono>

namespace platform {
namespace {
bool g_fixed = false;
}

void RandomSource::randomize() {
    if (g_fixed && this == &rng())
        return;
    engine_.seed(
        static_cast<uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count() ^
                              std::chrono::system_clock::now().time_since_epoch().count()));
}

int RandomSource::random(int range) {
    return random(0, range);
}

int RandomSource::random(int from, int to) {
    if (to <= from)
        return from;
    std::uniform_int_distribution<int> d(from, to - 1);
    return d(engine_);
}

double RandomSource::random01() {
    std::uniform_real_distribution<double> d(0.0, 1.0);
    return d(engine_);
}

RandomSource& rng() {
    static RandomSource r;
    return r;
}

void fixRandomSeed(uint32_t seed) {
    g_fixed = true;
    rng().seed(seed);
}

void releaseRandomSeed() {
    g_fixed = false;
}

} // namespace platform

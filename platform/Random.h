#pragma once
// The program's one random source. Ranges are half-open: random(from, to) gives
// from <= n < to. Tests seed it to replay a game.

#include <cstdint>
#include <random>

namespace platform {

class RandomSource {
public:
    explicit RandomSource(uint32_t seed = 1) : engine_(seed) {}
    void seed(uint32_t s) { engine_.seed(s); }
    // Seeds from the clock, as the program does when it makes a question or a board.
    void randomize();
    // 0 <= n < range; 0 when range <= 0.
    int random(int range);
    // from <= n < to; `from` when the range is empty.
    int random(int from, int to);
    // 0 <= x < 1.
    double random01();

private:
    std::mt19937 engine_;
};

// The shared source; `Randomize` seeds it from the clock unless a test fixed the seed.
RandomSource& rng();
void fixRandomSeed(uint32_t seed); // tests: seed now and ignore later randomize() calls
void releaseRandomSeed();

} // namespace platform

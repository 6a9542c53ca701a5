#include "activities/puzzles/ZbnRules.h"

namespace puzzles {

int spotTimeBonus(int s) {
    if (s >= 241)
        return 40;
    if (s >= 181)
        return 30;
    if (s >= 121)
        return 20;
    if (s >= 61)
        return 10;
    return 0;
}

int spotPairSeconds(int loaded) {
    return (6 - loaded / 5) * 50;
}

void SpotGame::reset() {
    *this = SpotGame();
}

void SpotGame::start() {
    loaded_ = 0;
    stage_ = 1;
    score_ = 0;
    nextPicture();
}

void SpotGame::nextPicture() {
    if (loaded_ >= kSpotPairs)
        return;
    const int n = loaded_;
    // Five pairs per stage: the stage of the pair to come.
    if (stage_ < n / 5 + 1)
        stage_ = n / 5 + 1;
    seconds_ = spotPairSeconds(n);
    pauseTicks_ = 0;
    found_ = {};
    left_ = 5;
    loaded_ = n + 1;
    phase_ = Phase::Running;
}

SpotGame::Hit SpotGame::hit(int k) {
    if (phase_ != Phase::Running || k < 1 || k > 5 || found_[static_cast<size_t>(k - 1)])
        return Hit::Ignored;
    found_[static_cast<size_t>(k - 1)] = true;
    --left_;
    score_ += 20;
    if (left_ > 0)
        return Hit::Found;
    score_ += spotTimeBonus(shown_);
    if (loaded_ >= kSpotPairs) {
        // The clock stops at the last pair; the finished game can still be saved.
        phase_ = Phase::Complete;
        return Hit::GameDone;
    }
    phase_ = Phase::Pausing;
    pauseTicks_ = 0;
    return Hit::PairDone;
}

SpotGame::Miss SpotGame::miss() {
    if (phase_ != Phase::Running)
        return Miss::Ignored;
    if (seconds_ < 11) {
        seconds_ = 0;
        return Miss::Zeroed;
    }
    seconds_ -= 10;
    return Miss::Penalty;
}

SpotGame::Tick SpotGame::tick() {
    if (phase_ != Phase::Running)
        return Tick::Ignored;
    if (seconds_ > 0) {
        shown_ = --seconds_;
        return Tick::Counted;
    }
    shown_ = 0;
    phase_ = Phase::TimedOut;
    return Tick::TimedOut;
}

bool SpotGame::pauseTick() {
    if (phase_ != Phase::Pausing)
        return false;
    if (++pauseTicks_ < 2)
        return false;
    pauseTicks_ = 0;
    nextPicture();
    return true;
}

} // namespace puzzles

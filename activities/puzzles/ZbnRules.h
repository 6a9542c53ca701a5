#pragma once
// Spot the difference: 25 pairs in five stages, five differences per pair, a clock per
// pair, +20 a difference, a time bonus per finished pair and 10 seconds off a miss.

#include "content/puzzles/SpotDifferences.h"

#include <array>

namespace puzzles {

// Bonus for a finished pair by the seconds the clock shows.
int spotTimeBonus(int secondsShown);
// Seconds for the pair that follows `loaded` loaded pairs.
int spotPairSeconds(int loaded);

class SpotGame {
public:
    enum class Phase { Idle, Running, Pausing, Complete, TimedOut };
    enum class Hit { Ignored, Found, PairDone, GameDone };
    enum class Miss { Ignored, Penalty, Zeroed };
    enum class Tick { Ignored, Counted, TimedOut };

    void reset();       // the window was shown: no game, empty labels
    void start();       // a new game; loads pair 1
    void nextPicture(); // loads the next pair and starts its clock
    Hit hit(int k);     // difference 1..5 clicked
    Miss miss();        // a click beside the differences
    Tick tick();        // one second of the clock
    bool pauseTick();   // one 300 ms step of the pause; true when the next pair is due
    void stop() { phase_ = Phase::Idle; }

    Phase phase() const { return phase_; }
    bool clockRunning() const { return phase_ == Phase::Running; }
    // Saving is offered while a pair is played and after the last one was finished.
    bool saveable() const { return phase_ == Phase::Running || phase_ == Phase::Complete; }
    int pair() const { return loaded_; } // 1..25, the pair on screen
    int stage() const { return stage_; }
    int score() const { return score_; }
    int secondsLeft() const { return seconds_; }
    int secondsShown() const { return shown_; } // -1 while the label is empty
    int differencesLeft() const { return left_; }
    bool found(int k) const { return k >= 1 && k <= 5 && found_[static_cast<size_t>(k - 1)]; }

private:
    Phase phase_ = Phase::Idle;
    int loaded_ = 0, stage_ = 0, score_ = 0, seconds_ = 0, shown_ = -1, left_ = 5;
    int pauseTicks_ = 0;
    std::array<bool, 5> found_{};
};

} // namespace puzzles

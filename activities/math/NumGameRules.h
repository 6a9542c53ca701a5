#pragma once
// The number pair game: the three levels, the board of paired numbers (each pair adds
// up to, or differs by, the target), and the clicks that remove fitting pairs.

#include "platform/Random.h"

#include <QPoint>
#include <QSize>
#include <QString>
#include <vector>

namespace math {

enum class PairMode { Sum = 0, Difference = 1 };

struct PairLevel {
    int pairCount;
    int rows, cols;
    QSize cell;
    int sumFrom, sumTo;   // target range for sums, half-open
    int diffFrom, diffTo; // target range for differences, half-open
    int maxValue;         // values lie in 0..maxValue
};
// Levels 0, 1, 2 (the three level buttons).
const PairLevel& pairLevel(int level);

// Draws the target of a level and mode.
int drawTarget(platform::RandomSource& rng, const PairLevel& level, PairMode mode);

// Whether two numbers make a pair.
bool fits(PairMode mode, int target, int x, int y);

// "MM:SS" of a number of seconds.
QString gameClockText(int seconds);

// The cells of a board in row order (index = (row - 1) * cols + col - 1).
struct PairBoard {
    int rows = 0, cols = 0;
    QSize cell;
    std::vector<int> values;
    std::vector<QPoint> positions; // top-left on the board panel
    int index(int row, int col) const { return (row - 1) * cols + col - 1; }
    // The cell paired with (row, col): its mirror image through the centre.
    int partner(int row, int col) const { return index(rows + 1 - row, cols + 1 - col); }
};

// Lays out the grid (neighbours share their border line), fills the pairs and
// scatters them by swapping places.
PairBoard buildBoard(platform::RandomSource& rng, const PairLevel& level, PairMode mode,
                     int target);

// A running game: which cells are left, which one is selected, the clock.
class PairGame {
public:
    enum class Click { Ignored, Selected, Removed, Won, Mismatch };

    void start(PairBoard board, PairMode mode, int target, int pairCount);
    bool running() const { return running_; }
    const PairBoard& board() const { return board_; }
    PairMode mode() const { return mode_; }
    int target() const { return target_; }
    bool visible(int cell) const { return visible_[static_cast<size_t>(cell)]; }
    int selected() const { return selected_; } // -1 when none
    int foundPairs() const { return found_; }
    int seconds() const { return seconds_; }

    Click click(int cell);
    // One second passed; true when the 30 minutes are up (the game stops then).
    bool tick();
    void stop() { running_ = false; }

    static constexpr int kTimeLimit = 1800;

private:
    PairBoard board_;
    std::vector<bool> visible_;
    PairMode mode_ = PairMode::Sum;
    int target_ = 0;
    int pairCount_ = 0;
    int selected_ = -1;
    int found_ = 0;
    int seconds_ = 0;
    bool running_ = false;
};

} // namespace math

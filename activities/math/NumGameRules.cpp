#include "activities/math/NumGameRules.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <utility>

namespace math {

const PairLevel& pairLevel(int level) {
    static const std::array<PairLevel, 3> levels = {{
        {10, 4, 5, QSize(140, 143), 3, 11, 1, 11, 10},
        {15, 5, 6, QSize(117, 114), 10, 21, 1, 21, 20},
        {28, 7, 8, QSize(88, 82), 20, 101, 10, 101, 100},
    }};
    return levels[static_cast<size_t>(std::clamp(level, 0, 2))];
}

int drawTarget(platform::RandomSource& rng, const PairLevel& level, PairMode mode) {
    return mode == PairMode::Sum ? rng.random(level.sumFrom, level.sumTo)
                                 : rng.random(level.diffFrom, level.diffTo);
}

bool fits(PairMode mode, int target, int x, int y) {
    return mode == PairMode::Sum ? x + y == target : std::abs(x - y) == target;
}

QString gameClockText(int seconds) {
    return (QStringLiteral("0") + QString::number(seconds / 60)).right(2) + QLatin1Char(':') +
           (QStringLiteral("0") + QString::number(seconds % 60)).right(2);
}

PairBoard buildBoard(platform::RandomSource& rng, const PairLevel& level, PairMode mode,
                     int target) {
    PairBoard b;
    b.rows = level.rows;
    b.cols = level.cols;
    b.cell = level.cell;
    const size_t n = static_cast<size_t>(b.rows * b.cols);
    b.values.assign(n, 0);
    b.positions.assign(n, QPoint());
    for (int r = 1; r <= b.rows; ++r)
        for (int c = 1; c <= b.cols; ++c)
            b.positions[static_cast<size_t>(b.index(r, c))] =
                QPoint(1 + (c - 1) * (b.cell.width() - 1), 1 + (r - 1) * (b.cell.height() - 1));

    const bool oddRows = b.rows % 2 == 1;
    const int fillRows = oddRows ? b.rows : b.rows / 2;
    const int fillCols = oddRows ? b.cols / 2 : b.cols;
    for (int r = 1; r <= fillRows; ++r)
        for (int c = 1; c <= fillCols; ++c) {
            int x = 0, y = 0;
            if (mode == PairMode::Sum) {
                x = rng.random(1, target);
                y = target - x;
            } else {
                x = rng.random(0, level.maxValue + 1 - target);
                y = x < target ? x + target : x - target;
            }
            b.values[static_cast<size_t>(b.index(r, c))] = x;
            b.values[static_cast<size_t>(b.partner(r, c))] = y;
        }

    for (int r = 1; r <= b.rows; ++r)
        for (int c = 1; c <= b.cols; ++c) {
            const int r2 = rng.random(1, b.rows + 1);
            const int c2 = rng.random(1, b.cols + 1);
            std::swap(b.positions[static_cast<size_t>(b.index(r, c))],
                      b.positions[static_cast<size_t>(b.index(r2, c2))]);
        }
    return b;
}

void PairGame::start(PairBoard board, PairMode mode, int target, int pairCount) {
    board_ = std::move(board);
    visible_.assign(board_.values.size(), true);
    mode_ = mode;
    target_ = target;
    pairCount_ = pairCount;
    selected_ = -1;
    found_ = 0;
    seconds_ = 0;
    running_ = true;
}

PairGame::Click PairGame::click(int cell) {
    if (!running_ || cell < 0 || cell >= static_cast<int>(visible_.size()) ||
        !visible_[static_cast<size_t>(cell)] || cell == selected_)
        return Click::Ignored;
    if (selected_ < 0) {
        selected_ = cell;
        return Click::Selected;
    }
    const int x = board_.values[static_cast<size_t>(selected_)];
    const int y = board_.values[static_cast<size_t>(cell)];
    if (!fits(mode_, target_, x, y)) {
        selected_ = cell;
        return Click::Mismatch;
    }
    visible_[static_cast<size_t>(selected_)] = false;
    visible_[static_cast<size_t>(cell)] = false;
    selected_ = -1;
    if (++found_ == pairCount_) {
        running_ = false;
        return Click::Won;
    }
    return Click::Removed;
}

bool PairGame::tick() {
    if (!running_)
        return false;
    ++seconds_;
    if (seconds_ >= kTimeLimit) {
        running_ = false;
        return true;
    }
    return false;
}

} // namespace math

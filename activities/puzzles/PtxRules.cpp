#include "activities/puzzles/PtxRules.h"

#include <cstdlib>
#include <utility>

namespace puzzles {

Grid adjustGrid(int cols, int rows) {
    if (cols == 4 && rows == 3)
        return {4, 4};
    if (cols == 3 && rows == 5)
        return {3, 4};
    return {cols, rows};
}

QString gridText(Grid g) {
    return QString::number(g.cols) + QStringLiteral("×") + QString::number(g.rows);
}

Cut cutPicture(platform::RandomSource& rng, QSize picture, int cols, int rows) {
    Cut c;
    c.grid = adjustGrid(cols, rows);
    const int w = picture.width() / c.grid.cols, h = picture.height() / c.grid.rows;
    c.piece = QSize(w, h);
    const int n = c.grid.cols * c.grid.rows;
    for (int k = 1; k <= n; ++k) {
        const int col = (k - 1) % c.grid.cols, row = (k - 1) / c.grid.cols;
        c.tiles.emplace_back(col * w, row * h, w, h);
        // One pixel between neighbours.
        const QPoint step(col * (w + 1), row * (h + 1));
        c.targets.push_back(kSlotOrigin + step);
        c.pieces.push_back(kPieceOrigin + step);
    }
    for (int k = 0; k < n; ++k)
        std::swap(c.pieces[static_cast<size_t>(k)],
                  c.pieces[static_cast<size_t>(rng.random(1, n + 1) - 1)]);
    return c;
}

bool snaps(QPoint dropped, QPoint slot, QSize piece) {
    return std::abs(dropped.x() - slot.x()) < piece.width() / 2 &&
           std::abs(dropped.y() - slot.y()) < piece.height() / 2;
}

void PuzzleGame::reset() {
    *this = PuzzleGame();
}

void PuzzleGame::start(platform::RandomSource& rng) {
    loaded_ = 0;
    stage_ = 1;
    score_ = 0;
    seconds_ = 300;
    nextPicture(rng);
}

PuzzleGame::Bonus PuzzleGame::nextPicture(platform::RandomSource& rng) {
    const int n = loaded_;
    Bonus bonus = Bonus::None;
    lastBonus_ = 0;
    if (stage_ < n / 3 + 1) {
        // A stage is over: the seconds left count when there are at least 50.
        if (seconds_ >= 50) {
            lastBonus_ = seconds_;
            score_ += seconds_;
            bonus = Bonus::Paid;
        } else {
            bonus = Bonus::Missed;
        }
    }
    stage_ = n / 3 + 1;
    seconds_ = (6 - n / 3) * 50;
    loaded_ = n + 1;
    phase_ = Phase::Playing;
    cutGrid(rng, 3, 3);
    return bonus;
}

void PuzzleGame::newGrid(platform::RandomSource& rng) {
    const int rows = rng.random(3, 6);
    const int cols = rng.random(3, 5);
    phase_ = Phase::Playing;
    cutGrid(rng, cols, rows);
}

void PuzzleGame::cutGrid(platform::RandomSource& rng, int cols, int rows) {
    cut_ = cutPicture(rng, kPuzzlePictureSize, cols, rows);
    positions_ = cut_.pieces;
    left_ = cut_.count(); // pieces start on the left half, never on a slot
}

bool PuzzleGame::canDrag(int k) const {
    return phase_ == Phase::Playing && k >= 1 && k <= cut_.count() && !placed(k);
}

PuzzleGame::Drop PuzzleGame::drop(int k, QPoint at) {
    if (!canDrag(k))
        return Drop::Ignored;
    const QPoint slot = cut_.targets[static_cast<size_t>(k - 1)];
    if (!snaps(at, slot, cut_.piece))
        return Drop::Returned;
    positions_[static_cast<size_t>(k - 1)] = slot;
    --left_;
    score_ += 10;
    if (left_ > 0)
        return Drop::Snapped;
    if (loaded_ < kPuzzlePictures)
        return Drop::PictureDone;
    // The clock stops at the end; the game stays saveable.
    phase_ = Phase::Complete;
    return Drop::GameDone;
}

PuzzleGame::Tick PuzzleGame::tick() {
    if (phase_ != Phase::Playing)
        return Tick::Ignored;
    if (seconds_ > 0) {
        --seconds_;
        return Tick::Counted;
    }
    phase_ = Phase::TimedOut;
    return Tick::TimedOut;
}

} // namespace puzzles

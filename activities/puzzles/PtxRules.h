#pragma once
// The picture puzzle: twelve pictures, three per stage, each cut into a grid of pieces
// that are scattered on the left and dragged onto their targets on the right.

#include "platform/Random.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <vector>

namespace puzzles {

inline constexpr int kPuzzlePictures = 12;
inline constexpr int kMaxPieces = 20;
inline const QSize kPuzzlePictureSize(423, 355);
inline const QPoint kPieceOrigin(18, 179);
inline const QPoint kSlotOrigin(458, 179);

struct Grid {
    int cols = 3, rows = 3;
};
// The grids that can be cut: 4 by 3 becomes 4 by 4, 3 by 5 becomes 3 by 4.
Grid adjustGrid(int cols, int rows);
// "3×3"
QString gridText(Grid g);

// A picture cut into pieces; index K-1 describes piece (and slot) K.
struct Cut {
    Grid grid;
    QSize piece;                 // every piece's size
    std::vector<QRect> tiles;    // where piece K comes from in the picture's own pixels
    std::vector<QPoint> targets; // where piece K belongs
    std::vector<QPoint> pieces;  // where piece K lies after the shuffle
    int count() const { return static_cast<int>(tiles.size()); }
};
Cut cutPicture(platform::RandomSource& rng, QSize picture, int cols, int rows);

// A drop lands on the slot when both distances are strictly under half a piece.
bool snaps(QPoint dropped, QPoint slot, QSize piece);

class PuzzleGame {
public:
    enum class Phase { Idle, Playing, Complete, TimedOut };
    enum class Drop { Ignored, Returned, Snapped, PictureDone, GameDone };
    enum class Bonus { None, Paid, Missed };
    enum class Tick { Ignored, Counted, TimedOut };

    void reset();
    void start(platform::RandomSource& rng);
    // Loads the next picture (stage bonus first); returns the bonus outcome.
    Bonus nextPicture(platform::RandomSource& rng);
    // After the last picture: a random grid of the same picture; the clock goes on.
    void newGrid(platform::RandomSource& rng);

    bool canDrag(int k) const; // piece 1..N not yet on its slot
    Drop drop(int k, QPoint at);
    Tick tick();

    Phase phase() const { return phase_; }
    bool clockRunning() const { return phase_ == Phase::Playing; }
    bool saveable() const { return phase_ == Phase::Playing || phase_ == Phase::Complete; }
    int picture() const { return loaded_; } // 1..12 on screen, 0 before a game
    int stage() const { return stage_; }
    int score() const { return score_; }
    int secondsLeft() const { return seconds_; }
    int lastBonus() const { return lastBonus_; }
    int piecesLeft() const { return left_; }
    const Cut& cut() const { return cut_; }
    QPoint piecePosition(int k) const { return positions_[static_cast<size_t>(k - 1)]; }
    bool placed(int k) const {
        return piecePosition(k) == cut_.targets[static_cast<size_t>(k - 1)];
    }

private:
    void cutGrid(platform::RandomSource& rng, int cols, int rows);

    Phase phase_ = Phase::Idle;
    int loaded_ = 0, stage_ = 0, score_ = 0, seconds_ = 0, left_ = 0, lastBonus_ = 0;
    Cut cut_;
    std::vector<QPoint> positions_;
};

} // namespace puzzles

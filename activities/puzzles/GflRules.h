#pragma once
// Sorting into classes: twelve catalogue pictures, the child ticks up to six that belong
// to the asked class, then the check shows right and missed pictures.

#include "platform/Random.h"

#include <QString>
#include <array>

namespace puzzles {

inline constexpr int kSortPictures = 12;
inline constexpr int kSortMaxPicks = 6;

// Twelve distinct catalogue rows: an animal, two from fixed ranges and nine more. The
// whole draw is repeated until at most six pictures are of the asked class, so the
// six-pick limit never makes a question unanswerable.
std::array<int, kSortPictures> drawSortBoard(platform::RandomSource& rng, int askedClass);

// The question for a class (only the animals are asked).
QString sortQuestion(int askedClass);

class SortRound {
public:
    enum class Pick { Ignored, Selected, Unselected, Full };

    void newQuestion(platform::RandomSource& rng);
    // A board drawn elsewhere (tests).
    void newQuestion(const std::array<int, kSortPictures>& rows, int askedClass);

    bool open() const { return open_; }
    int askedClass() const { return asked_; }
    int row(int pic) const { return rows_[static_cast<size_t>(pic - 1)]; } // pic 1..12
    int pictureClass(int pic) const;
    bool ticked(int pic) const { return ticked_[static_cast<size_t>(pic - 1)]; }
    int selected() const { return selected_; }
    // Tray slot 1..6: the picture it shows (1..12), 0 when free.
    int trayPicture(int slot) const { return tray_[static_cast<size_t>(slot - 1)]; }
    int traySlotOf(int pic) const; // 0 when not in the tray
    int seconds() const { return seconds_; }
    int count() const { return count_; }
    int right() const { return right_; }
    int wrong() const { return wrong_; }

    Pick pick(int pic);
    // Closes the question; afterwards exactly the pictures of the class are ticked.
    // True when the child's selection was right.
    bool check();
    void tick();
    void close() { open_ = false; }
    void resetCounters() { count_ = right_ = wrong_ = 0; }

private:
    std::array<int, kSortPictures> rows_{};
    std::array<bool, kSortPictures> ticked_{};
    std::array<int, kSortMaxPicks> tray_{};
    int asked_ = 1, selected_ = 0, seconds_ = 0, count_ = 0, right_ = 0, wrong_ = 0;
    bool open_ = false;
};

} // namespace puzzles

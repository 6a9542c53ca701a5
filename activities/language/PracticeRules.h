#pragma once
// The picture practices: hear a word, click its picture. Four pictures of the animals,
// or sixteen pictures of the 234-row table with an animal to find. A click is judged
// once; during the short pause that follows, clicks are ignored.

#include "activities/language/WordTables.h"
#include "platform/Random.h"

#include <QPoint>
#include <QRect>
#include <vector>

namespace language {

struct PracticeLayout {
    int pictures;           // 4 or 16
    int askRows;            // the asked row is drawn from 0..askRows-1
    int otherRows;          // other pictures from 0..otherRows-1
    QSize size;             // picture size at rest
    int growOffset;         // a growing picture stops at the top bar's Top + this
    std::vector<QPoint> at; // resting place of slot 1..pictures (index 0..)
};
const PracticeLayout& fourPictures();
const PracticeLayout& sixteenPictures();

// Where the two gradient bars go for a slot (0-based), and where the sign goes.
struct BarPlace {
    QPoint top;    // `lbltop`
    QPoint bottom; // `lblbot`
};
BarPlace barsFor(const PracticeLayout& layout, int slot);
// Top-left of the sign "√" / "×" for the bars of a slot.
QPoint signPlace(const PracticeLayout& layout, const BarPlace& bars);

// One growth step of a picture between its bars: left and top - 1, size + 2, until
// its top reaches the limit. Returns false (and leaves it) once the limit is reached.
bool growStep(QRect& picture, int limitTop);

class PicturePractice {
public:
    enum class Phase { Waiting, Pause };
    enum class Answer { Right, Wrong, Ignored };

    PicturePractice(const PracticeLayout& layout, const std::vector<WordRow>& words);

    // Counters to 0 and a new question.
    void restart(platform::RandomSource& rng);
    void newQuestion(platform::RandomSource& rng);

    const PracticeLayout& layout() const { return layout_; }
    // Table row of each slot (0-based pictures), and the slot that is right.
    const std::vector<int>& rows() const { return rows_; }
    int rightSlot() const { return right_; }
    const WordRow& asked() const { return words_[static_cast<size_t>(rows_[right_])]; }
    QString pictureName(int slot) const;

    Answer click(int slot);
    // A 300 ms tick of the pause; true when the pause is over (a new question is due).
    bool pauseTick();
    Phase phase() const { return phase_; }

    int answered() const { return count_; }
    int right() const { return rightCount_; }
    int wrong() const { return wrongCount_; }

private:
    const PracticeLayout& layout_;
    const std::vector<WordRow>& words_;
    std::vector<int> rows_;
    int right_ = 0;
    Phase phase_ = Phase::Waiting;
    int pauseTicks_ = 0;
    int count_ = 0, rightCount_ = 0, wrongCount_ = 0;
};

} // namespace language

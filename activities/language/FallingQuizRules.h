#pragma once
// The falling-answer quizzes: a prompt is spoken, four answers fall down a panel, the
// child clicks the one that matches before it reaches the bottom. One rules class for
// the English quiz and the letter game; they differ in their vocabulary and geometry.

#include "platform/Random.h"

#include <QPoint>
#include <array>

namespace language {

struct FallingLayout {
    int entries;                 // N: size of the vocabulary
    int threshold;               // T: the second draw goes up from a below T, else down
    std::array<QPoint, 4> start; // start (Left, Top) of items a, b, c, d
    int reference;               // the item whose Top meets the bottom line (0..3)
    int bottom;                  // the panel height
    int intervalMs;              // fall step interval
};
const FallingLayout& englishQuizLayout(); // 62 words, 45 ms
const FallingLayout& letterGameLayout();  // 26 letters, 10 ms

// Four distinct entries; entry [0] is the answer. The second draw keeps the original's
// rule: when it repeats the first, it is drawn again above the first (below T) or under it.
std::array<int, 4> drawEntries(platform::RandomSource& rng, const FallingLayout& layout);

class FallingQuiz {
public:
    enum class Phase { Idle, Running, Pause };
    enum class Answer { Right, Wrong, Ignored };
    enum class Fall { Moved, Bottom, Stopped };

    explicit FallingQuiz(const FallingLayout& layout) : layout_(layout) {}

    // Counters to 0, idle, nothing drawn yet.
    void reset();
    // Start: a new question and the fall runs.
    void start(platform::RandomSource& rng);
    // Stop: nothing falls; the question stays (also ends a pause).
    void stop();
    // Clicking an answer while idle resumes the fall first.
    Answer answer(int item, platform::RandomSource& rng);
    // One fall step. At the bottom: one wrong answer and a new question at the top.
    Fall step(platform::RandomSource& rng);
    // End of the pause after a wrong answer: a new question, falling again.
    void pauseOver(platform::RandomSource& rng);

    Phase phase() const { return phase_; }
    bool asked() const { return asked_; }
    // The entry shown on item i (0..3), and the item that holds the answer.
    int entryOf(int item) const { return shown_[static_cast<size_t>(item)]; }
    int answerEntry() const { return entries_[0]; }
    int answerItem() const { return answerItem_; }
    QPoint position(int item) const;

    int total() const { return total_; }
    int right() const { return right_; }
    int wrong() const { return wrong_; }

private:
    void newQuestion(platform::RandomSource& rng);

    const FallingLayout& layout_;
    Phase phase_ = Phase::Idle;
    bool asked_ = false;
    std::array<int, 4> entries_{};
    std::array<int, 4> shown_{};
    int answerItem_ = 0;
    int fallen_ = 0;
    int total_ = 0, right_ = 0, wrong_ = 0;
};

} // namespace language

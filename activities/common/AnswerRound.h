#pragma once
// The state of a drill that asks one question after another: which answer is right,
// whether the question still waits for its answer, the counters and the clock. One
// answer is judged per question; until the next question is asked nothing counts, so a
// second click during the pause after an answer is ignored.

namespace common {

enum class Verdict { Right, Wrong, Ignored };

struct Tally {
    int total = 0;
    int right = 0;
    int wrong = 0;
};

class AnswerRound {
public:
    // Counters and clock to zero, no question open.
    void reset();
    // Opens a question whose right answer is at `rightIndex` (-1 when the answer is
    // judged elsewhere, as for an ordering or a bank's key).
    void ask(int rightIndex = -1);
    // Closes the question without counting (a new board, a window closed).
    void withdraw() { open_ = false; }

    // The answer at `index`, judged against the right index.
    Verdict answer(int index);
    // An answer judged by the caller.
    Verdict judge(bool right);

    bool open() const { return open_; }
    int rightIndex() const { return right_; }
    const Tally& tally() const { return tally_; }

    // The clock in seconds.
    int tick() { return ++seconds_; }
    int seconds() const { return seconds_; }
    void restartClock() { seconds_ = 0; }

private:
    bool open_ = false;
    int right_ = -1;
    Tally tally_;
    int seconds_ = 0;
};

} // namespace common

#pragma once
// Guess the number: four different hidden digits, answered "mAnB" per guess, won within
// 16 guesses and 20 minutes.

#include "platform/Random.h"

#include <QString>
#include <QStringList>
#include <array>
#include <utility>

namespace puzzles {

using Digits = std::array<int, 4>;

// Four different digits a < b < c < d. Works with any source of half-open ranges
// (`int random(int from, int to)`), so every branch can be walked.
template <class Source> Digits drawSorted(Source& rng) {
    rng.random(0, 10); // the first draw is thrown away
    int a = rng.random(0, 10), b = rng.random(0, 10), c = 0, d = 0;
    if (a != b) {
        if (a > b)
            std::swap(a, b);
    } else if (a < 5) {
        b = rng.random(a + 1, 10);
    } else {
        b = rng.random(5, 10);
        a = rng.random(0, b);
    }
    c = rng.random(0, 10);
    if (a > c) {
        const int x = c;
        c = b;
        b = a;
        a = x;
    } else if (a == c && a > 0) {
        c = b;
        b = a;
        a = rng.random(0, b);
    } else if (a == c) { // both 0
        if (b < 5) {
            c = rng.random(b + 1, 10);
        } else {
            c = b;
            b = rng.random(1, c);
        }
    } else if (b <= 5) {
        c = rng.random(b + 1, 10);
    } else if (b == a + 1) {
        c = b;
        b = a;
        a = rng.random(0, 5);
    } else {
        c = b;
        b = rng.random(a + 1, c);
    }
    if (c < 9) {
        d = rng.random(c + 1, 10);
    } else if (b < 8) {
        c = rng.random(b + 1, 9);
        d = 9;
    } else if (a < 7) {
        b = rng.random(a + 1, 8);
        c = 8;
        d = 9;
    } else {
        a = rng.random(0, 7);
        b = 7;
        c = 8;
        d = 9;
    }
    return {a, b, c, d};
}

// Positions 1..4 of the sorted digits for the placements 0..5.
Digits placeDigits(const Digits& sorted, int k);
Digits drawSecret(platform::RandomSource& rng);

struct Judgement {
    int a = 0, b = 0;
};
Judgement judge(const Digits& secret, const Digits& guess);

// "12分5秒"
QString elapsedText(int seconds);

class GuessGame {
public:
    enum class Submit { Ignored, EmptyBox, Repeated, Wrong, Won, LimitReached };
    enum class Tick { Ignored, Counted, TimeUpSolved, TimeUpUnsolved };
    enum class Answer { Ignored, NotRunning, Solved, Unsolved };

    static constexpr int kMaxGuesses = 16;
    static constexpr int kTimeLimit = 1200;

    void newGame(platform::RandomSource& rng);
    void newGame(const Digits& secret);

    bool running() const { return running_; }
    int cursor() const { return cursor_; } // 1..4, 0 when no game runs
    int box(int pos) const { return boxes_[static_cast<size_t>(pos - 1)]; } // -1 when empty
    const Digits& secret() const { return secret_; }
    const QStringList& history() const { return history_; }
    int elapsed() const { return elapsed_; }
    QString timeText() const { return timeText_; }
    Judgement last() const { return last_; }
    QString boxText() const; // the four digits as shown
    QString secretText() const;

    void setAutoAdvance(bool on) { autoAdvance_ = on; }
    bool enterDigit(int digit);
    void selectBox(int pos);
    void clearBoxes();
    // Enter: submits a full guess, or moves the cursor to the first empty box.
    Submit enterKey();
    Submit submit();
    Answer showAnswer();
    Tick tick();

private:
    void end();

    Digits secret_{};
    Digits boxes_{-1, -1, -1, -1};
    QStringList history_;
    QString timeText_;
    Judgement last_;
    int cursor_ = 0, elapsed_ = 0;
    bool running_ = false, autoAdvance_ = true;
};

} // namespace puzzles

#pragma once
// Letters: the 26 letters with their example words, the growth of the big letters
// after a click and the automatic walk through the alphabet.

#include <QString>

namespace language {

constexpr int kLetterCount = 26;

// The example word of letter i (A = 0): "apple" .. "zebra".
QString letterWord(int i);
QString capitalLetter(int i);
QString smallLetter(int i);
// "DATA\Sound\" + text + ".mp3": a letter as shown or an example word.
QString letterSound(const QString& text);

// The capital grows from 105 to 210 and the small letter from 30 to 135, 5 a step.
class LetterGrowth {
public:
    void restart() { capital_ = kCapitalStart, small_ = kSmallStart; }
    // One step; false (and nothing grows) once the capital has reached its full size.
    bool step();
    int capitalSize() const { return capital_; }
    int smallSize() const { return small_; }

    static constexpr int kCapitalStart = 105, kSmallStart = 30, kCapitalEnd = 210, kStep = 5;

private:
    int capital_ = kCapitalStart, small_ = kSmallStart;
};

// Where the big letters stand: the board behind them has four writing lines 100 pixels
// apart, the third (red) one at this height is the baseline.
constexpr int kLetterBaseline = 340;
// The growth steps come at a pace the eye can follow (21 steps in about half a second).
constexpr int kLetterGrowthMs = 25;

// The automatic mode: every period shows the next letter; after Z one period shows
// nothing and the alphabet starts again at A.
class LetterAuto {
public:
    bool running() const { return running_; }
    int next() const { return next_; } // the next letter's number, 1..27
    void start() { running_ = true; }
    void stop() { running_ = false, next_ = 1; }
    // One period: the letter to show (0..25), or -1 for the pause after Z.
    int tick();

private:
    bool running_ = false;
    int next_ = 1;
};

} // namespace language

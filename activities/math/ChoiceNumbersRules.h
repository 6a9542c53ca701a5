#pragma once
// The number practice: the order in which the numbers 1..30 are asked, the four
// numbers offered for each, and the clock text.

#include "platform/Random.h"

#include <QString>
#include <array>

namespace math {

constexpr int kPracticeCount = 30;

// A random order of 1..30, drawn as Random(30) + 1 over and over, keeping each new value.
std::array<int, kPracticeCount> makeQuestionOrder(platform::RandomSource& rng);

// Four different numbers of 1..30 with `asked` among them: drawn at random; when the
// asked number was not drawn it replaces the one at a random position.
std::array<int, 4> makeCandidates(platform::RandomSource& rng, int asked);

// "<minutes>分<seconds>秒", each without leading zero and at most two digits.
QString practiceClockText(int seconds);

// Which question is open. Past the last question a new order is drawn and the
// practice starts again at question 1.
class NumberPractice {
public:
    void start(platform::RandomSource& rng);
    int index() const { return index_; }
    int asked() const { return order_[static_cast<size_t>(index_)]; }
    const std::array<int, kPracticeCount>& order() const { return order_; }
    void next(platform::RandomSource& rng);
    // False (and nothing changes) at question 1.
    bool prior();

private:
    std::array<int, kPracticeCount> order_{};
    int index_ = 0;
};

} // namespace math

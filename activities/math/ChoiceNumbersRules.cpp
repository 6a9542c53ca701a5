#include "activities/math/ChoiceNumbersRules.h"

#include <algorithm>

namespace math {

std::array<int, kPracticeCount> makeQuestionOrder(platform::RandomSource& rng) {
    std::array<int, kPracticeCount> order{};
    size_t filled = 0;
    while (filled < order.size()) {
        const int v = rng.random(kPracticeCount) + 1;
        if (std::find(order.begin(), order.begin() + filled, v) == order.begin() + filled)
            order[filled++] = v;
    }
    return order;
}

std::array<int, 4> makeCandidates(platform::RandomSource& rng, int asked) {
    std::array<int, 4> c{};
    size_t filled = 0;
    while (filled < c.size()) {
        const int v = rng.random(kPracticeCount) + 1;
        if (std::find(c.begin(), c.begin() + filled, v) == c.begin() + filled)
            c[filled++] = v;
    }
    if (std::find(c.begin(), c.end(), asked) == c.end())
        c[static_cast<size_t>(rng.random(4))] = asked;
    return c;
}

QString practiceClockText(int seconds) {
    return QString::number(seconds / 60).right(2) + QStringLiteral("分") +
           QString::number(seconds % 60).right(2) + QStringLiteral("秒");
}

void NumberPractice::start(platform::RandomSource& rng) {
    order_ = makeQuestionOrder(rng);
    index_ = 0;
}

void NumberPractice::next(platform::RandomSource& rng) {
    if (index_ + 1 < kPracticeCount) {
        ++index_;
        return;
    }
    start(rng);
}

bool NumberPractice::prior() {
    if (index_ == 0)
        return false;
    --index_;
    return true;
}

} // namespace math

#include "activities/language/FallingQuizRules.h"

#include <algorithm>

namespace language {

const FallingLayout& englishQuizLayout() {
    static const FallingLayout l{62, 31, {{{24, 1}, {112, 48}, {368, 1}, {448, 48}}}, 2, 520, 45};
    return l;
}

const FallingLayout& letterGameLayout() {
    static const FallingLayout l{26, 11, {{{53, 1}, {212, 25}, {381, 41}, {549, 1}}}, 3, 568, 10};
    return l;
}

std::array<int, 4> drawEntries(platform::RandomSource& rng, const FallingLayout& layout) {
    const int n = layout.entries;
    const int a = rng.random(n);
    int b = rng.random(n);
    if (b == a)
        b = a < layout.threshold ? rng.random(a + 1, n) : rng.random(0, a);
    int c, d;
    do
        c = rng.random(n);
    while (c == a || c == b);
    do
        d = rng.random(n);
    while (d == a || d == b || d == c);
    return {a, b, c, d};
}

void FallingQuiz::reset() {
    phase_ = Phase::Idle;
    asked_ = false;
    fallen_ = 0;
    total_ = right_ = wrong_ = 0;
}

void FallingQuiz::newQuestion(platform::RandomSource& rng) {
    fallen_ = 0;
    entries_ = drawEntries(rng, layout_);
    const auto [a, b, c, d] = entries_;
    // The answer takes place p; the entry that was there moves to place 0.
    switch (rng.random(4)) {
    case 0:
        shown_ = {a, b, c, d};
        break;
    case 1:
        shown_ = {b, a, c, d};
        break;
    case 2:
        shown_ = {c, b, a, d};
        break;
    default:
        shown_ = {d, b, c, a};
        break;
    }
    answerItem_ = static_cast<int>(std::find(shown_.begin(), shown_.end(), a) - shown_.begin());
    asked_ = true;
}

void FallingQuiz::start(platform::RandomSource& rng) {
    newQuestion(rng);
    phase_ = Phase::Running;
}

void FallingQuiz::stop() {
    phase_ = Phase::Idle;
}

FallingQuiz::Answer FallingQuiz::answer(int item, platform::RandomSource& rng) {
    if (phase_ == Phase::Pause || !asked_ || item < 0 || item > 3)
        return Answer::Ignored;
    phase_ = Phase::Running;
    ++total_;
    if (item == answerItem_) {
        ++right_;
        newQuestion(rng);
        return Answer::Right;
    }
    ++wrong_;
    phase_ = Phase::Pause;
    return Answer::Wrong;
}

FallingQuiz::Fall FallingQuiz::step(platform::RandomSource& rng) {
    if (phase_ != Phase::Running)
        return Fall::Stopped;
    if (position(layout_.reference).y() >= layout_.bottom) {
        ++total_;
        ++wrong_;
        newQuestion(rng);
        return Fall::Bottom;
    }
    ++fallen_;
    return Fall::Moved;
}

void FallingQuiz::pauseOver(platform::RandomSource& rng) {
    if (phase_ != Phase::Pause)
        return;
    newQuestion(rng);
    phase_ = Phase::Running;
}

QPoint FallingQuiz::position(int item) const {
    const QPoint s = layout_.start[static_cast<size_t>(std::clamp(item, 0, 3))];
    return {s.x(), s.y() + fallen_};
}

} // namespace language

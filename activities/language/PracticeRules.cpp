#include "activities/language/PracticeRules.h"

#include <algorithm>

namespace language {

const PracticeLayout& fourPictures() {
    static const PracticeLayout l{4,
                                  kAnimalCount,
                                  kAnimalCount,
                                  QSize(170, 130),
                                  6,
                                  {{56, 380}, {254, 380}, {457, 380}, {660, 380}}};
    return l;
}

const PracticeLayout& sixteenPictures() {
    static const PracticeLayout l = [] {
        PracticeLayout s{16, kZhlxAnimalCount, kZhlxCount, QSize(160, 120), 5, {}};
        for (int top : {90, 229, 368, 507})
            for (int left : {88, 272, 457, 641})
                s.at.push_back({left, top});
        return s;
    }();
    return l;
}

BarPlace barsFor(const PracticeLayout& layout, int slot) {
    if (layout.pictures == 4) {
        static const int lefts[4] = {44, 243, 446, 649};
        const int left = lefts[std::clamp(slot, 0, 3)];
        return {{left, 364}, {left, 523}};
    }
    static const int lefts[4] = {76, 260, 445, 629};
    static const int tops[4] = {80, 218, 357, 496};
    const int s = std::clamp(slot, 0, 15);
    const QPoint top(lefts[s % 4], tops[s / 4]);
    return {top, top + QPoint(0, 136)};
}

QPoint signPlace(const PracticeLayout& layout, const BarPlace& bars) {
    if (layout.pictures == 4)
        return {bars.bottom.x() + 135, 512};
    return {bars.bottom.x() + 148, bars.bottom.y() - 79};
}

bool growStep(QRect& picture, int limitTop) {
    if (picture.top() <= limitTop)
        return false;
    picture.adjust(-1, -1, 1, 1);
    return true;
}

PicturePractice::PicturePractice(const PracticeLayout& layout, const std::vector<WordRow>& words)
    : layout_(layout), words_(words) {}

void PicturePractice::restart(platform::RandomSource& rng) {
    count_ = rightCount_ = wrongCount_ = 0;
    newQuestion(rng);
}

void PicturePractice::newQuestion(platform::RandomSource& rng) {
    const int pictures = layout_.pictures;
    const int rowCount = std::min<int>(layout_.otherRows, static_cast<int>(words_.size()));
    const int askRows = std::min(layout_.askRows, rowCount);
    rows_.assign(static_cast<size_t>(pictures), -1);
    right_ = rng.random(1, pictures + 1) - 1;
    // The four-picture practice draws the asked row like any other; the sixteen-
    // picture practice draws it first, from the animals.
    const bool askFirst = askRows < rowCount;
    if (askFirst)
        rows_[static_cast<size_t>(right_)] = rng.random(0, askRows);
    for (int s = 0; s < pictures; ++s) {
        if (askFirst && s == right_)
            continue;
        int k;
        do
            k = rng.random(0, rowCount);
        while (std::find(rows_.begin(), rows_.end(), k) != rows_.end());
        rows_[static_cast<size_t>(s)] = k;
    }
    phase_ = Phase::Waiting;
    pauseTicks_ = 0;
}

QString PicturePractice::pictureName(int slot) const {
    return words_[static_cast<size_t>(rows_[static_cast<size_t>(slot)])].name();
}

PicturePractice::Answer PicturePractice::click(int slot) {
    if (phase_ == Phase::Pause || slot < 0 || slot >= layout_.pictures)
        return Answer::Ignored;
    ++count_;
    phase_ = Phase::Pause;
    pauseTicks_ = 0;
    if (slot == right_) {
        ++rightCount_;
        return Answer::Right;
    }
    ++wrongCount_;
    return Answer::Wrong;
}

bool PicturePractice::pauseTick() {
    if (phase_ != Phase::Pause)
        return false;
    return ++pauseTicks_ >= 2;
}

} // namespace language

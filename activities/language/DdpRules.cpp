#include "activities/language/DdpRules.h"

#include <algorithm>
#include <utility>

namespace language {

QPoint WordPairGame::homePlace(int card) {
    static const int lefts[4] = {1, 175, 349, 523};
    const int k = std::clamp(card, 1, kCards) - 1;
    return {lefts[k % 4], (k / 4) * 71};
}

void WordPairGame::start(platform::RandomSource& rng, int rows) {
    rows = std::clamp(rows, kPairs, kCategoryCount);
    for (int k = 1; k <= kCards; ++k)
        places_[static_cast<size_t>(k - 1)] = homePlace(k);
    remaining_ = kPairs;
    auto setPair = [this](int k, int r) {
        texts_[static_cast<size_t>(k - 1)] = QString::fromUtf8(CategoryWords[r].english);
        texts_[static_cast<size_t>(partner(k) - 1)] = QString::fromUtf8(CategoryWords[r].chinese);
    };
    setPair(1, rng.random(rows));
    // Every swap exchanges an English-side place with a Chinese-side place.
    for (int i = 0; i < kPairs; ++i) {
        const int x = rng.random(1, 17), y = rng.random(17, 33);
        std::swap(places_[static_cast<size_t>(x - 1)], places_[static_cast<size_t>(y - 1)]);
    }
    for (int k = 2; k <= kPairs; ++k) {
        int r;
        do
            r = rng.random(rows);
        while (std::find(texts_.begin(), texts_.begin() + (k - 1),
                         QString::fromUtf8(CategoryWords[r].english)) != texts_.begin() + (k - 1));
        setPair(k, r);
    }
    onBoard_.fill(true);
    selected_ = 0;
    hintPair_ = 0;
    hintMs_ = -1;
    life_ = kFullLife;
    seconds_ = 0;
    phase_ = Phase::Playing;
}

QString WordPairGame::clockText() const {
    return (QStringLiteral("0") + QString::number(seconds_ / 60)).right(2) + QLatin1Char(':') +
           (QStringLiteral("0") + QString::number(seconds_ % 60)).right(2);
}

void WordPairGame::loseLife(int pixels) {
    life_ = std::max(0, life_ - pixels);
}

WordPairGame::Click WordPairGame::click(int card, int* previous) {
    const int before = selected_;
    if (previous)
        *previous = before;
    if (phase_ != Phase::Playing || card < 1 || card > kCards || !onBoard(card))
        return Click::Ignored;
    if (before == card) {
        selected_ = 0;
        return Click::Deselected;
    }
    if (before == 0) {
        selected_ = card;
        return Click::Selected;
    }
    selected_ = 0;
    if (before + card == kCards + 1) {
        if (hintPair_ != 0 && (card == hintPair_ || card == partner(hintPair_)))
            hintPair_ = 0;
        onBoard_[static_cast<size_t>(card - 1)] = false;
        onBoard_[static_cast<size_t>(before - 1)] = false;
        if (--remaining_ == 0) {
            phase_ = Phase::Won;
            return Click::Won;
        }
        return Click::Removed;
    }
    if (life_ <= kWrongCost) {
        life_ = 0;
        phase_ = Phase::Lost;
        return Click::LifeOut;
    }
    loseLife(kWrongCost);
    return Click::Mismatch;
}

bool WordPairGame::tick() {
    if (phase_ != Phase::Playing)
        return false;
    ++seconds_;
    loseLife(1);
    if (life_ < 1) {
        phase_ = Phase::Lost;
        return true;
    }
    return false;
}

WordPairGame::Hint WordPairGame::hint() {
    if (phase_ != Phase::Playing || remaining_ == 0)
        return Hint::NoBoard;
    if (life_ <= kHintCost)
        return Hint::LifeTooLow;
    loseLife(kHintCost);
    hintMs_ = 0;
    hintPair_ = 0;
    for (int k = 1; k <= kPairs && hintPair_ == 0; ++k)
        if (onBoard(k))
            hintPair_ = k;
    return Hint::Shown;
}

bool WordPairGame::hintTick() {
    if (hintMs_ < 0)
        return false;
    hintMs_ += 500;
    if (hintMs_ < kHintMs)
        return false;
    hintMs_ = -1;
    return true;
}

} // namespace language

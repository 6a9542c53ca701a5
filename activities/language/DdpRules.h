#pragma once
// The word pair game: 16 English words and their 16 Chinese meanings on 32 cards in
// scattered places; an English word and its meaning clicked one after the other vanish.
// A life bar drains a pixel a second and 30 pixels per wrong pair; a hint shows the
// lowest pair still on the board for 5 seconds at the cost of 50 pixels.

#include "activities/language/WordTables.h"
#include "platform/Random.h"

#include <QPoint>
#include <QString>
#include <array>

namespace language {

class WordPairGame {
public:
    enum class Phase { Idle, Playing, Won, Lost };
    enum class Click { Ignored, Selected, Deselected, Removed, Won, Mismatch, LifeOut };
    enum class Hint { NoBoard, LifeTooLow, Shown };

    static constexpr int kCards = 32;
    static constexpr int kPairs = 16;
    static constexpr int kFullLife = 553;
    static constexpr int kWrongCost = 30;
    static constexpr int kHintCost = 50;
    static constexpr int kHintMs = 5000;

    // Home place of card k (1..32): 4 columns, 8 rows.
    static QPoint homePlace(int card);
    // Card k (1..16) is English, its partner 33 - k holds the meaning.
    static int partner(int card) { return 33 - card; }

    // Deals a new board with a full life bar; rows are drawn from 0..rows-1 of the
    // category table, English words distinct.
    void start(platform::RandomSource& rng, int rows = 113);

    Phase phase() const { return phase_; }
    QString text(int card) const { return texts_[static_cast<size_t>(card - 1)]; }
    QPoint place(int card) const { return places_[static_cast<size_t>(card - 1)]; }
    bool onBoard(int card) const { return onBoard_[static_cast<size_t>(card - 1)]; }
    int selected() const { return selected_; }
    int remainingPairs() const { return remaining_; }
    int hintPair() const { return hintPair_; }
    bool hintShowing() const { return hintMs_ >= 0; }

    int life() const { return life_; }
    int lifePercent() const { return life_ * 100 / kFullLife; }
    int seconds() const { return seconds_; }
    QString clockText() const;

    // Click on card k; `previous` receives the card that was selected before.
    Click click(int card, int* previous = nullptr);
    // One second: the clock runs and the bar drains; true when the life ran out.
    bool tick();
    Hint hint();
    // 500 ms of the hint; true when it ends (the hint pair goes back to normal).
    bool hintTick();

private:
    void loseLife(int pixels);

    Phase phase_ = Phase::Idle;
    std::array<QString, kCards> texts_;
    std::array<QPoint, kCards> places_;
    std::array<bool, kCards> onBoard_{};
    int selected_ = 0;
    int remaining_ = 0;
    int hintPair_ = 0;
    int hintMs_ = -1;
    int life_ = kFullLife;
    int seconds_ = 0;
};

} // namespace language

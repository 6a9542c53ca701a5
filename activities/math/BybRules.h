#pragma once
// Ordering by comparison: four cards, card 1 holding the most and card 4 the least,
// start in one of six orders; the child drags them into four slots from the most
// (left) to the least (right).

#include "platform/Random.h"

#include <QPoint>
#include <QRect>
#include <QString>
#include <array>

namespace math {

constexpr int kCardHomeTop = 404;
constexpr std::array<int, 4> kCardHomeLefts = {98, 285, 472, 660};
constexpr int kSlotTop = 225;
constexpr std::array<int, 4> kSlotLefts = {151, 288, 425, 562};
constexpr int kSlotSize = 132;

// Card numbers (0..3) from left to right for arrangement 0..5.
const std::array<int, 4>& cardArrangement(int arrangement);

enum class CompareKind { Count = 0, Size, Thick, Wide, Tall, Long };

struct CompareKindInfo {
    QString most;   // left end, for example "多"
    QString least;  // right end, for example "少"
    QString topic;  // the instruction
    QString prefix; // picture name prefix under DATA\picture\byb\ ("" for plain numbers)
    int pictures;   // pictures 1..pictures exist (0 for the symbol kind)
};
const CompareKindInfo& compareKind(CompareKind kind);

// The picture of a kind: "DATA\picture\byb\<prefix><n>.jpg".
QString comparePicturePath(CompareKind kind, int n);

// The place of the picture on card 0..3: kinds Size, Tall and Long shrink the copies
// evenly, Thick and Wide only narrow them.
QRect cardPictureRect(CompareKind kind, int card);

// The symbols and the five sets of rows (card 1 holds the most symbols).
const std::array<QString, 5>& compareSymbols();
// The rows of a card for a set, joined by "\r" (a row of 3 is three symbols).
QString symbolRows(const QString& symbol, int set, int card);

struct CompareQuestion {
    int arrangement = 0;
    CompareKind kind = CompareKind::Count;
    int picture = 0; // picture kinds
    int symbol = 0;  // symbol kind
    int set = 0;     // symbol kind
};
CompareQuestion makeCompareQuestion(platform::RandomSource& rng);

// The slot (0..3) a card dropped at `cardPos` snaps into: the first one less than
// half a slot away in each direction; -1 when none is near.
int snapSlot(QPoint cardPos);

// Where the cards stand and the rules of moving them.
class CardBoard {
public:
    // Puts the cards at home in the arrangement's order.
    void arrange(int arrangement);
    QPoint pos(int card) const { return pos_[static_cast<size_t>(card)]; }
    int home(int card) const { return home_[static_cast<size_t>(card)]; }
    // A card standing exactly on a slot cannot be picked up.
    bool pickable(int card) const;
    // Drops a card at a place: into a near slot (sending the first other card that
    // stands at that slot's Left home first), else back home. Returns the slot or -1;
    // `sentHome` gets the card that was sent home (or -1).
    int drop(int card, QPoint at, int* sentHome = nullptr);
    bool inSlot(int card) const;
    // Right when card k stands in slot k for every card.
    bool ordered() const;

private:
    void goHome(int card);
    std::array<QPoint, 4> pos_{};
    std::array<int, 4> home_{};
};

} // namespace math

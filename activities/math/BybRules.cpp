#include "activities/math/BybRules.h"

#include "content/tables/CompareKinds.h"

#include <QStringList>

#include <algorithm>
#include <cstdlib>
#include <iterator>

namespace math {

const std::array<int, 4>& cardArrangement(int arrangement) {
    static const std::array<std::array<int, 4>, 6> orders = {{
        {0, 1, 2, 3},
        {1, 0, 3, 2},
        {1, 3, 0, 2},
        {3, 1, 2, 0},
        {0, 3, 2, 1},
        {2, 3, 1, 0},
    }};
    return orders[static_cast<size_t>(std::clamp(arrangement, 0, 5))];
}

const CompareKindInfo& compareKind(CompareKind kind) {
    static const std::array<CompareKindInfo, 6> kinds = [] {
        static_assert(std::size(tables::kCompareKinds) == 6);
        std::array<CompareKindInfo, 6> k;
        for (size_t i = 0; i < k.size(); ++i) {
            const tables::CompareKind& c = tables::kCompareKinds[i];
            k[i] = {QString::fromUtf8(c.most), QString::fromUtf8(c.least),
                    QString::fromUtf8(c.topic), QString::fromUtf8(c.prefix), c.pictures};
        }
        return k;
    }();
    return kinds[static_cast<size_t>(kind)];
}

QString comparePicturePath(CompareKind kind, int n) {
    return QStringLiteral("DATA\\picture\\byb\\") + compareKind(kind).prefix + QString::number(n) +
           QStringLiteral(".jpg");
}

QRect cardPictureRect(CompareKind kind, int card) {
    if (card == 0)
        return QRect(1, 1, 130, 130);
    const int side = 130 - 20 * card;
    const int offset = 10 * card;
    if (kind == CompareKind::Thick || kind == CompareKind::Wide)
        return QRect(offset, 1, side, 130);
    return QRect(offset, offset, side, side);
}

const std::array<QString, 5>& compareSymbols() {
    static const std::array<QString, 5> s = {QStringLiteral("★"), QStringLiteral("●"),
                                             QStringLiteral("○"), QStringLiteral("◆"),
                                             QStringLiteral("Δ")};
    return s;
}

QString symbolRows(const QString& symbol, int set, int card) {
    // Rows of symbols per set and card.
    static const std::array<std::array<std::array<int, 3>, 4>, 5> rows = {{
        {{{3, 3, 3}, {2, 3, 2}, {3, 2, 1}, {1, 3, 0}}},
        {{{3, 2, 3}, {1, 2, 3}, {3, 2, 0}, {3, 0, 0}}},
        {{{2, 2, 3}, {1, 3, 1}, {3, 1, 0}, {1, 0, 0}}},
        {{{3, 3, 3}, {3, 3, 2}, {3, 2, 1}, {2, 3, 0}}},
        {{{1, 3, 3}, {2, 2, 1}, {1, 1, 1}, {2, 0, 0}}},
    }};
    QStringList lines;
    for (int n : rows[static_cast<size_t>(set)][static_cast<size_t>(card)])
        if (n > 0)
            lines << symbol.repeated(n);
    return lines.join(QLatin1Char('\r'));
}

CompareQuestion makeCompareQuestion(platform::RandomSource& rng) {
    CompareQuestion q;
    q.arrangement = rng.random(6);
    q.kind = static_cast<CompareKind>(rng.random(6));
    if (q.kind == CompareKind::Count) {
        q.symbol = rng.random(5);
        q.set = rng.random(5);
    } else {
        q.picture = rng.random(1, compareKind(q.kind).pictures + 1);
    }
    return q;
}

int snapSlot(QPoint cardPos) {
    for (int k = 0; k < 4; ++k) {
        const QPoint slot(kSlotLefts[static_cast<size_t>(k)], kSlotTop);
        if (std::abs(cardPos.x() - slot.x()) < kSlotSize / 2 &&
            std::abs(cardPos.y() - slot.y()) < kSlotSize / 2)
            return k;
    }
    return -1;
}

void CardBoard::arrange(int arrangement) {
    const std::array<int, 4>& order = cardArrangement(arrangement);
    for (size_t place = 0; place < 4; ++place) {
        const size_t card = static_cast<size_t>(order[place]);
        home_[card] = kCardHomeLefts[place];
        pos_[card] = QPoint(home_[card], kCardHomeTop);
    }
}

bool CardBoard::inSlot(int card) const {
    const QPoint p = pos(card);
    if (p.y() != kSlotTop)
        return false;
    for (int left : kSlotLefts)
        if (p.x() == left)
            return true;
    return false;
}

bool CardBoard::pickable(int card) const {
    return !inSlot(card);
}

void CardBoard::goHome(int card) {
    pos_[static_cast<size_t>(card)] = QPoint(home(card), kCardHomeTop);
}

int CardBoard::drop(int card, QPoint at, int* sentHome) {
    if (sentHome)
        *sentHome = -1;
    const int slot = snapSlot(at);
    if (slot < 0) {
        goHome(card);
        return -1;
    }
    const int left = kSlotLefts[static_cast<size_t>(slot)];
    for (int other = 0; other < 4; ++other) {
        if (other != card && pos(other).x() == left) {
            goHome(other);
            if (sentHome)
                *sentHome = other;
            break;
        }
    }
    pos_[static_cast<size_t>(card)] = QPoint(left, kSlotTop);
    return slot;
}

bool CardBoard::ordered() const {
    for (size_t k = 0; k < 4; ++k)
        if (pos_[k].x() != kSlotLefts[k])
            return false;
    return true;
}

} // namespace math

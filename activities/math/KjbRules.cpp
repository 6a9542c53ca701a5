#include "activities/math/KjbRules.h"

#include <array>

namespace math {
namespace {
constexpr std::array<int, 9> kColumnLefts = {9, 93, 178, 263, 348, 432, 517, 602, 687};
} // namespace

QList<RhymeCell> additionTable() {
    QList<RhymeCell> cells;
    for (int a = 1; a <= 9; ++a)
        for (int b = 1; b <= 10 - a; ++b) {
            const int c = a + b;
            cells.append({a, b, c,
                          QString::number(a) + QStringLiteral("＋") + QString::number(b) +
                              QStringLiteral("＝") + QString::number(c),
                          QPoint(kColumnLefts[static_cast<size_t>(c - 2)], 8 + 40 * (a - 1))});
        }
    return cells;
}

QList<RhymeCell> multiplicationTable() {
    QList<RhymeCell> cells;
    for (int a = 1; a <= 9; ++a)
        for (int b = a; b <= 9; ++b)
            cells.append({a, b, a * b,
                          QString::number(a) + QStringLiteral("×") + QString::number(b) +
                              QStringLiteral("＝") + QString::number(a * b),
                          QPoint(kColumnLefts[static_cast<size_t>(a - 1)], 8 + 47 * (b - 1))});
    return cells;
}

QStringList additionTokens(const QString& caption) {
    QStringList t;
    for (int i = 0; i < 4; ++i)
        t << caption.mid(i, 1);
    t << caption.mid(4, 2);
    return t;
}

QString rhymeSoundPath(const QString& name) {
    return QStringLiteral("Data\\sound\\Number\\") + name + QStringLiteral(".mp3");
}

AdditionLine::AdditionLine(const QString& caption)
    : tokens_(additionTokens(caption)), a_(tokens_[0].toInt()), b_(tokens_[2].toInt()) {}

QString AdditionLine::spokenToken(int step) const {
    if (step < 1 || step > 5)
        return QString();
    return tokens_[step - 1];
}

QList<int> AdditionLine::pictureLefts(int step) const {
    QList<int> lefts;
    lefts << kSmallFirstLeft;
    for (int i = 2; i <= a_; ++i)
        lefts << lefts.back() + kSmallStep;
    if (step < 3)
        return lefts;
    if (step >= 5) {
        for (int i = a_ + 1; i <= a_ + b_; ++i)
            lefts << lefts.back() + kSmallStep;
        return lefts;
    }
    lefts << (a_ + b_ < 7 ? kSmallFirstLeft + (a_ + 4) * kSmallStep
                          : kSmallLastLeft - (b_ - 1) * kSmallStep);
    for (int i = a_ + 2; i <= a_ + b_; ++i)
        lefts << lefts.back() + kSmallStep;
    return lefts;
}

QPair<int, int> AdditionLine::firstFrame() const {
    return {kSmallFirstLeft, a_ * kSmallStep};
}

QPair<int, int> AdditionLine::secondFrame() const {
    return {kSmallFirstLeft + a_ * kSmallStep, b_ * kSmallStep};
}

} // namespace math

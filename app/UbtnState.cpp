#include "app/UbtnState.h"

#include "app/TImage.h"

#include <array>

namespace {

// One cell: companions to show and to hide, in this order (show first, as written).
// Digits 1..4 name the companions X1..X4; 0 ends a list.
struct Cell {
    std::array<int, 2> show;
    std::array<int, 4> hide;
};

struct Row {
    int latch; // companion that freezes the button while visible; 0 = none
    Cell enter, leave, down, up;
};

// Rows for Tag -1 .. -6.
constexpr std::array<Row, 6> kRows{{
    // -1: hover picture only
    {0, {{1, 0}, {0}}, {{0}, {1, 0}}, {{0}, {1, 0}}, {{0}, {0}}},
    // -2: hover and pressed pictures
    {0, {{1, 0}, {2, 0}}, {{0}, {1, 2, 0}}, {{2, 0}, {1, 0}}, {{0}, {1, 2, 0}}},
    // -3: like -2, latched by X3
    {3, {{1, 0}, {2, 3, 0}}, {{0}, {1, 2, 3, 0}}, {{2, 0}, {1, 3, 0}}, {{0}, {1, 2, 3, 0}}},
    // -4: resting look is X1, hover X2, pressed X3
    {0, {{2, 0}, {1, 3, 0}}, {{1, 0}, {2, 3, 0}}, {{3, 0}, {1, 2, 0}}, {{1, 0}, {2, 3, 0}}},
    // -5: hover X1, latched by X2 (which the press shows)
    {2, {{1, 0}, {0}}, {{0}, {1, 0}}, {{2, 0}, {1, 0}}, {{0}, {0}}},
    // -6: like -4 with X4 as the latch
    {4,
     {{2, 0}, {1, 3, 4, 0}},
     {{1, 0}, {2, 3, 4, 0}},
     {{3, 0}, {1, 2, 4, 0}},
     {{1, 0}, {2, 3, 4, 0}}},
}};

QWidget* companion(const TImage* button, int digit) {
    QWidget* parent = button->parentWidget();
    if (!parent)
        return nullptr;
    return parent->findChild<QWidget*>(button->objectName() + QString::number(digit),
                                       Qt::FindDirectChildrenOnly);
}

} // namespace

void SetBtnState(QObject* Sender, const QString& State) {
    auto* button = qobject_cast<TImage*>(Sender);
    if (!button || button->Tag() >= 0 || button->Tag() < -6)
        return;
    const Row& row = kRows[static_cast<size_t>(-button->Tag() - 1)];

    const Cell* cell = nullptr;
    if (State == QLatin1String("MVEnter"))
        cell = &row.enter;
    else if (State == QLatin1String("MVLeave"))
        cell = &row.leave;
    else if (State == QLatin1String("MVDown"))
        cell = &row.down;
    else if (State == QLatin1String("MVUp"))
        cell = &row.up;
    if (!cell)
        return;

    if (row.latch) {
        QWidget* latch = companion(button, row.latch);
        if (latch && !latch->isHidden())
            return;
    }
    for (int d : cell->show) {
        if (!d)
            break;
        if (QWidget* c = companion(button, d)) {
            c->move(button->pos());
            c->show();
        }
    }
    for (int d : cell->hide) {
        if (!d)
            break;
        if (QWidget* c = companion(button, d))
            c->hide();
    }
}

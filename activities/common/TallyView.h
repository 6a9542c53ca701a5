#pragma once
// The counters of a drill shown in its labels: total, right, wrong.

#include "activities/common/AnswerRound.h"

#include <QLabel>

namespace common {

inline void showTally(const Tally& t, QLabel* total, QLabel* right, QLabel* wrong) {
    total->setText(QString::number(t.total));
    right->setText(QString::number(t.right));
    wrong->setText(QString::number(t.wrong));
}

} // namespace common

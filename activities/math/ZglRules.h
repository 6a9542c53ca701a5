#pragma once
// Finding patterns: a sequence of numbers or letters with one term blanked out, and
// four different answers of which one is right.

#include "platform/Random.h"

#include <QString>
#include <QStringList>
#include <array>

namespace math {

enum class PatternType { Rising = 0, Falling, Doubled, Letters };

inline const QString kPatternBlank = QStringLiteral("____");

struct PatternQuestion {
    PatternType type = PatternType::Rising;
    int start = 0, step = 0;        // number types
    QStringList terms;              // the whole sequence
    int blank = 0;                  // index of the blanked term
    QString content;                // terms joined by "," with the blank
    QString answer;                 // the blanked term
    int numericAnswer = 0;          // number types
    QString letterAnswer;           // letter type (empty for numbers)
    std::array<QString, 4> choices; // c1 (right), c2, c3, c4
    int position = 0;               // button that holds c1
    std::array<QString, 4> labels;  // the texts on the four buttons
};

PatternQuestion makePatternQuestion(platform::RandomSource& rng);

// The sequence text: terms joined by ",", the blank written "____".
QString patternContent(const QStringList& terms, int blank);

// The labels of the four buttons with c1 at `position`: c1,c2,c3,c4 / c2,c1,c3,c4 /
// c3,c2,c1,c4 / c4,c3,c2,c1.
std::array<QString, 4> arrangePattern(const std::array<QString, 4>& c, int position);

} // namespace math

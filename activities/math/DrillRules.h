#pragma once
// The four-answer drill shared by the arithmetic drills: a question line with one
// blank "(    )", the answer overlay that stands over the blank, three distractors and
// the order of the four answers on the buttons.

#include "platform/Random.h"

#include <QString>
#include <array>

namespace math {

// Where the blank stands: 0 at the end (a op b ＝ ( )), 1 in the middle, 2 at the start.
enum class BlankAt { End = 0, Middle = 1, Start = 2 };

inline const QString kBlank = QStringLiteral("(    )");

// The caption of the answer overlay: the answer padded with blanks so that it stands
// over the blank of `line`; longer lines (13 bytes and more in code page 936) get more.
QString answerOverlay(BlankAt layout, const QString& line, int answer);

// Three numbers of from..to-1, different from each other and from the answer.
std::array<int, 3> drawDistractors(platform::RandomSource& rng, int from, int to, int answer);

// The four numbers on the buttons and which of them is right, for the answer at
// position 0..3: answer,d1,d2,d3 / d1,answer,d2,d3 / d1,d2,answer,d3 / d3,d2,d1,answer.
struct FourAnswers {
    std::array<int, 4> numbers{};
    int right = 0;
};
FourAnswers arrangeAnswers(int answer, const std::array<int, 3>& d, int position);

// One drill question as the window shows it.
struct DrillQuestion {
    QString line;   // for example "3＋(    )＝10"
    int answer = 0; // the number that belongs in the blank
    BlankAt layout = BlankAt::End;
    QString overlay;
    FourAnswers answers;
};

// A question line "x op y＝z" (any of the parts may be kBlank).
QString drillLine(const QString& x, const QString& op, const QString& y, const QString& z);

// Completes a question whose line, answer and layout are set: the overlay, then three
// distractors of from..to-1 and the position of the answer, drawn in that order.
void finishDrillQuestion(platform::RandomSource& rng, DrillQuestion& q, int from, int to);

} // namespace math

#include "activities/math/DrillRules.h"

#include "platform/Gbk.h"

namespace math {

QString answerOverlay(BlankAt layout, const QString& line, int answer) {
    const bool longLine = platform::gbkByteLength(line) >= 13;
    const QString a = QString::number(answer);
    switch (layout) {
    case BlankAt::End:
        return QString(longLine ? 8 : 6, QLatin1Char(' ')) + a;
    case BlankAt::Middle: {
        const QString pad(longLine ? 5 : 4, QLatin1Char(' '));
        return pad + a + pad;
    }
    case BlankAt::Start:
        return a + QString(longLine ? 8 : 7, QLatin1Char(' '));
    }
    return a;
}

std::array<int, 3> drawDistractors(platform::RandomSource& rng, int from, int to, int answer) {
    std::array<int, 3> d{};
    for (size_t i = 0; i < d.size(); ++i) {
        bool taken = true;
        while (taken) {
            d[i] = rng.random(from, to);
            taken = d[i] == answer;
            for (size_t j = 0; j < i; ++j)
                taken = taken || d[i] == d[j];
        }
    }
    return d;
}

FourAnswers arrangeAnswers(int answer, const std::array<int, 3>& d, int position) {
    FourAnswers f;
    f.right = position;
    switch (position) {
    case 0:
        f.numbers = {answer, d[0], d[1], d[2]};
        break;
    case 1:
        f.numbers = {d[0], answer, d[1], d[2]};
        break;
    case 2:
        f.numbers = {d[0], d[1], answer, d[2]};
        break;
    default:
        f.right = 3;
        f.numbers = {d[2], d[1], d[0], answer};
        break;
    }
    return f;
}

QString drillLine(const QString& x, const QString& op, const QString& y, const QString& z) {
    return x + op + y + QStringLiteral("＝") + z;
}

void finishDrillQuestion(platform::RandomSource& rng, DrillQuestion& q, int from, int to) {
    q.overlay = answerOverlay(q.layout, q.line, q.answer);
    const std::array<int, 3> d = drawDistractors(rng, from, to, q.answer);
    q.answers = arrangeAnswers(q.answer, d, rng.random(4));
}

} // namespace math

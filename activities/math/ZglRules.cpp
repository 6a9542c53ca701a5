#include "activities/math/ZglRules.h"

namespace math {
namespace {

QString num(int n) {
    return QString::number(n);
}

// Distractors of a number question: c2 and c3 drawn from 1..B, moved off the answer;
// c3 and c4 drawn again until they differ from the ones before.
void numberChoices(platform::RandomSource& rng, PatternQuestion& q) {
    const int answer = q.numericAnswer;
    const int bound = q.start + 5 * q.step;
    const QString c1 = num(answer);
    int c2 = rng.random(1, bound + 1);
    if (c2 == answer)
        c2 = answer + rng.random(1, 10);
    int c3 = rng.random(1, bound + 1);
    if (c3 == answer) {
        c3 = answer + rng.random(1, 10);
        if (c3 == c2)
            ++c3;
    } else if (c3 == c2) {
        c3 = std::abs(c2 - answer);
    }
    // |c2 - answer| can be the answer again (c2 twice the answer) or c2 itself
    // (answer 0): draw again until two buttons never show the same number.
    while (c3 == answer || c3 == c2)
        c3 = rng.random(1, bound + 1);
    QString c4;
    do {
        c4 = num(rng.random(1, bound + 1));
    } while (c4 == c1 || c4 == num(c2) || c4 == num(c3));
    q.choices = {c1, num(c2), num(c3), c4};
}

} // namespace

QString patternContent(const QStringList& terms, int blank) {
    QString s;
    for (int i = 0; i < terms.size(); ++i) {
        const bool last = i == terms.size() - 1;
        s += i == blank ? kPatternBlank : terms[i];
        if (!last)
            s += QLatin1Char(',');
    }
    return s;
}

std::array<QString, 4> arrangePattern(const std::array<QString, 4>& c, int position) {
    switch (position) {
    case 0:
        return {c[0], c[1], c[2], c[3]};
    case 1:
        return {c[1], c[0], c[2], c[3]};
    case 2:
        return {c[2], c[1], c[0], c[3]};
    default:
        return {c[3], c[2], c[1], c[0]};
    }
}

PatternQuestion makePatternQuestion(platform::RandomSource& rng) {
    PatternQuestion q;
    q.type = static_cast<PatternType>(rng.random(4));
    switch (q.type) {
    case PatternType::Rising:
        q.start = rng.random(0, 6);
        q.step = rng.random(1, 4);
        for (int i = 0; i < 6; ++i)
            q.terms << num(q.start + i * q.step);
        q.blank = rng.random(6);
        break;
    case PatternType::Falling:
        do {
            q.start = rng.random(5, 51);
            q.step = rng.random(1, 4);
        } while (q.start - 5 * q.step < 0);
        for (int i = 0; i < 6; ++i)
            q.terms << num(q.start - i * q.step);
        q.blank = rng.random(6);
        break;
    case PatternType::Doubled: {
        q.start = rng.random(0, 6);
        q.step = rng.random(1, 4);
        for (int i = 0; i < 5; ++i)
            q.terms << num(q.start + i * q.step) << num(q.start + i * q.step);
        static const int blanks[] = {0, 3, 5, 6, 8};
        q.blank = blanks[rng.random(5)];
        break;
    }
    case PatternType::Letters: {
        QString x, y, z;
        if (rng.random(2) == 0) {
            x = QStringLiteral("a");
            y = QStringLiteral("b");
            z = QStringLiteral("c");
        } else {
            x = QStringLiteral("m");
            y = num(rng.random(1, 10));
            z = QStringLiteral("n");
        }
        q.terms = QStringList{x, x, y, y, z, z, x, x, y, y};
        static const int blanks[] = {0, 2, 5};
        q.blank = blanks[rng.random(3)];
        break;
    }
    }
    q.content = patternContent(q.terms, q.blank);
    q.answer = q.terms[q.blank];

    if (q.type == PatternType::Letters) {
        q.letterAnswer = q.answer;
        const QString x = q.terms[0], y = q.terms[2], z = q.terms[4];
        if (q.blank == 0)
            q.choices = {x, y, z, QString()};
        else if (q.blank == 2)
            q.choices = {y, x, z, QString()};
        else
            q.choices = {z, x, y, QString()};
        q.choices[3] =
            x == QLatin1String("a") ? num(rng.random(1, 10)) : num(y.toInt() + rng.random(1, 10));
    } else {
        q.numericAnswer = q.answer.toInt();
        numberChoices(rng, q);
    }
    q.position = rng.random(4);
    q.labels = arrangePattern(q.choices, q.position);
    return q;
}

} // namespace math

#include "activities/math/JJFRules.h"

namespace math {

QString operatorSign(bool subtract) {
    return subtract ? QStringLiteral("－") : QStringLiteral("＋");
}

AddSubQuestion makeAddSubQuestion(platform::RandomSource& rng, int range) {
    AddSubQuestion s;
    s.q.layout = static_cast<BlankAt>(rng.random(3));
    s.pictureMode = range == 10 && s.q.layout == BlankAt::End;
    if (s.pictureMode)
        s.picture = rng.random(1, 9);
    s.a = rng.random(1, range);
    s.subtract = rng.random(2) == 1;
    if (s.subtract) {
        s.b = rng.random(1, s.a + 1);
        s.c = s.a - s.b;
    } else {
        s.b = rng.random(1, range + 1 - s.a);
        s.c = s.a + s.b;
    }
    const QString op = operatorSign(s.subtract);
    const QString a = QString::number(s.a), b = QString::number(s.b), c = QString::number(s.c);
    switch (s.q.layout) {
    case BlankAt::End:
        s.q.line = drillLine(a, op, b, kBlank);
        s.q.answer = s.c;
        break;
    case BlankAt::Middle:
        s.q.line = drillLine(a, op, kBlank, c);
        s.q.answer = s.b;
        break;
    case BlankAt::Start:
        if (s.subtract) {
            s.q.line = drillLine(kBlank, op, b, c);
            s.q.answer = s.a;
        } else {
            s.q.line = drillLine(kBlank, op, a, c);
            s.q.answer = s.b;
        }
        break;
    }
    finishDrillQuestion(rng, s.q, 1, range);
    return s;
}

PictureRowSize pictureRowSize(int n) {
    if (n < 12)
        return {56, 42};
    if (n < 14)
        return {48, 36};
    if (n < 16)
        return {40, 30};
    return {32, 24};
}

QString countingPicturePath(int n) {
    return QStringLiteral("Data\\sound\\Number\\") + QString::number(n) + QStringLiteral(".jpg");
}

} // namespace math

#include "activities/math/CcfRules.h"

namespace math {

MulDivQuestion makeMulDivQuestion(platform::RandomSource& rng, bool multiply) {
    MulDivQuestion m;
    m.multiply = multiply;
    m.q.layout = static_cast<BlankAt>(rng.random(3));
    if (multiply) {
        const QString x = QStringLiteral("×");
        m.a = rng.random(1, 21);
        m.b = rng.random(0, 100 / m.a + 1);
        m.c = m.a * m.b;
        const QString a = QString::number(m.a), b = QString::number(m.b), c = QString::number(m.c);
        switch (m.q.layout) {
        case BlankAt::End:
            m.q.line = drillLine(a, x, b, kBlank);
            m.q.answer = m.c;
            break;
        case BlankAt::Middle:
            m.q.line = drillLine(a, x, kBlank, c);
            m.q.answer = m.b;
            break;
        case BlankAt::Start:
            m.q.line = drillLine(kBlank, x, a, c);
            m.q.answer = m.b;
            break;
        }
    } else {
        const QString by = QStringLiteral("÷");
        const int d = rng.random(1, 21);
        const int q = rng.random(1, 100 / d + 1);
        m.a = q * d;
        m.b = d;
        m.c = q;
        const QString dividend = QString::number(m.a), divisor = QString::number(d),
                      quotient = QString::number(q);
        switch (m.q.layout) {
        case BlankAt::End:
            m.q.line = drillLine(dividend, by, divisor, kBlank);
            m.q.answer = q;
            break;
        case BlankAt::Middle:
            m.q.line = drillLine(dividend, by, kBlank, divisor);
            m.q.answer = q;
            break;
        case BlankAt::Start:
            m.q.line = drillLine(kBlank, by, quotient, divisor);
            m.q.answer = m.a;
            break;
        }
    }
    finishDrillQuestion(rng, m.q, 1, 101);
    return m;
}

} // namespace math

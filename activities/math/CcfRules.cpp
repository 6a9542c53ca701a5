#include "activities/math/CcfRules.h"

namespace math {

MulDivQuestion makeMulDivQuestion(platform::RandomSource& rng, bool multiply) {
    MulDivQuestion m;
    m.multiply = multiply;
    m.q.layout = static_cast<BlankAt>(rng.random(3));
    const QString eq = QStringLiteral("＝");
    if (multiply) {
        const QString x = QStringLiteral("×");
        m.a = rng.random(1, 21);
        m.b = rng.random(0, 100 / m.a + 1);
        m.c = m.a * m.b;
        const QString a = QString::number(m.a), b = QString::number(m.b), c = QString::number(m.c);
        switch (m.q.layout) {
        case BlankAt::End:
            m.q.line = a + x + b + eq + kBlank;
            m.q.answer = m.c;
            break;
        case BlankAt::Middle:
            m.q.line = a + x + kBlank + eq + c;
            m.q.answer = m.b;
            break;
        case BlankAt::Start:
            m.q.line = kBlank + x + a + eq + c;
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
            m.q.line = dividend + by + divisor + eq + kBlank;
            m.q.answer = q;
            break;
        case BlankAt::Middle:
            m.q.line = dividend + by + kBlank + eq + divisor;
            m.q.answer = q;
            break;
        case BlankAt::Start:
            m.q.line = kBlank + by + quotient + eq + divisor;
            m.q.answer = m.a;
            break;
        }
    }
    m.q.overlay = answerOverlay(m.q.layout, m.q.line, m.q.answer);
    const std::array<int, 3> d = drawDistractors(rng, 1, 101, m.q.answer);
    m.q.answers = arrangeAnswers(m.q.answer, d, rng.random(4));
    return m;
}

} // namespace math

#pragma once
// What the tests of the drawn controls share: the fonts the controls ask for mapped to
// fonts the test machine has, and a form with a plain background to look through
// transparent controls at.

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QWidget>

namespace testsupport {

// The Chinese faces of the controls, mapped to the Noto faces.
inline void substituteControlFonts() {
    QFont::insertSubstitution(QStringLiteral("微软雅黑"), QStringLiteral("Noto Sans CJK SC"));
    QFont::insertSubstitution(QStringLiteral("宋体"), QStringLiteral("Noto Serif CJK SC"));
    QFont::insertSubstitution(QStringLiteral("黑体"), QStringLiteral("Noto Sans CJK SC"));
}

// Fills `form` with `colour` wherever no child paints.
inline void fillBackground(QWidget& form, const QColor& colour) {
    QPalette pal;
    pal.setColor(QPalette::Window, colour);
    form.setPalette(pal);
    form.setAutoFillBackground(true);
}

} // namespace testsupport

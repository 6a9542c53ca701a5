#pragma once
// What the tests of the drawn controls share: the fonts the controls ask for mapped to
// fonts the test machine has, and a form with a plain background to look through
// transparent controls at.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPalette>
#include <QString>
#include <QTest>
#include <QWidget>
#include <initializer_list>

namespace testsupport {

// Where a widget puts ink (form coordinates): its pixels drawn over nothing.
inline QRect inkOf(QWidget* w) {
    QImage img(w->size(), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    w->render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
    QRect ink;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qAlpha(img.pixel(x, y)) > 128)
                ink |= QRect(x, y, 1, 1);
    return ink.translated(w->pos());
}

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

// One expected pixel of a picture.
struct Pixel {
    int x, y;
    QRgb rgb;
};

} // namespace testsupport

// Checks the listed pixels of img in order; the first that differs fails the test.
#define COMPARE_PIXELS(img, ...)                                                                   \
    for (const testsupport::Pixel& px_ : std::initializer_list<testsupport::Pixel>{__VA_ARGS__})   \
    QVERIFY2((img).pixel(px_.x, px_.y) == px_.rgb,                                                 \
             qPrintable(QStringLiteral("pixel %1,%2 is %3, not %4")                                \
                            .arg(px_.x)                                                            \
                            .arg(px_.y)                                                            \
                            .arg((img).pixel(px_.x, px_.y), 8, 16)                                 \
                            .arg(px_.rgb, 8, 16)))

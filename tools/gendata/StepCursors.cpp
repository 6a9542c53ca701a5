// The program's three cursors, drawn: the everyday pointer (a cheerful arrow that
// wiggles and twinkles), the magnifying glass of the spot-the-difference pictures and
// the pointing hand over buttons and names.
#include "tools/gendata/Generator.h"
#include "tools/lib/CursorWriter.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

namespace gendata {
namespace {

constexpr int kSize = 32;
const QColor kOutline(0x1F, 0x2A, 0x5C); // dark navy reads on light and dark backgrounds

QImage canvas() {
    QImage image(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QPainterPath star(QPointF centre, double outer, double inner, double turn) {
    QPainterPath p;
    for (int i = 0; i < 8; ++i) {
        const double r = i % 2 ? inner : outer;
        const double a = turn + i * 3.14159265358979 / 4;
        const QPointF pt(centre.x() + r * std::sin(a), centre.y() - r * std::cos(a));
        if (i == 0)
            p.moveTo(pt);
        else
            p.lineTo(pt);
    }
    p.closeSubpath();
    return p;
}

// Arrow with its tip at (2, 2), turned by `angle` degrees about the tip; a small star
// beside it twinkles with `sparkle` from 0 (small) to 1 (full).
QImage arrowFrame(double angle, double sparkle) {
    QImage image = canvas();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    p.save();
    p.translate(2, 2);
    p.rotate(angle);
    QPainterPath arrow;
    arrow.moveTo(0, 0);
    arrow.lineTo(0, 21.5);
    arrow.lineTo(5.2, 16.8);
    arrow.lineTo(8.8, 25.2);
    arrow.lineTo(12.6, 23.6);
    arrow.lineTo(9.0, 15.4);
    arrow.lineTo(16.0, 15.4);
    arrow.closeSubpath();
    QLinearGradient fill(0, 0, 10, 22);
    fill.setColorAt(0, QColor(0xFF, 0xE1, 0x4D));
    fill.setColorAt(1, QColor(0xFF, 0x8A, 0x1F));
    p.setPen(QPen(kOutline, 1.7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(arrow);
    // A soft shine along the left edge makes it look round and friendly.
    p.setPen(QPen(QColor(255, 255, 255, 200), 1.3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(2.2, 6.0), QPointF(2.2, 15.5));
    p.restore();

    const QPointF centre(24.5, 7.5);
    const double outer = 3.0 + 3.0 * sparkle;
    p.setPen(QPen(QColor(0xC2, 0x18, 0x5B), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(0xFF, 0x4F, 0x9A));
    p.drawPath(star(centre, outer, outer * 0.38, sparkle * 0.4));
    p.end();
    return image;
}

QByteArray pointer() {
    // Gentle: the tail sways a few degrees about the tip, which never moves.
    const double angles[] = {0, -3, -6, -3};
    const double sparkles[] = {0.2, 0.6, 1.0, 0.6};
    std::vector<tools::AniFrame> frames;
    for (int i = 0; i < 4; ++i)
        frames.push_back({arrowFrame(angles[i], sparkles[i]), QPoint(2, 2), 15});
    return tools::writeAni(frames);
}

// Magnifying glass whose lens centre is the hotspot: the spot-the-difference game
// frames the same 32-pixel cell, 8 pixels up and left of it, on the other picture.
QImage magnifier() {
    QImage image = canvas();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(8, 8);

    p.setPen(QPen(kOutline, 6.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(13.5, 13.5), QPointF(27.5, 27.5));
    p.setPen(QPen(QColor(0xE5, 0x39, 0x35), 3.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(14.5, 14.5), QPointF(27.2, 27.2));

    QRadialGradient glass(c + QPointF(-2, -2), 7);
    glass.setColorAt(0, QColor(255, 255, 255, 150));
    glass.setColorAt(1, QColor(0x90, 0xD5, 0xFF, 110));
    p.setBrush(glass);
    p.setPen(QPen(kOutline, 1.4));
    p.drawEllipse(c, 7.0, 7.0);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x29, 0x8D, 0xE0), 1.6));
    p.drawEllipse(c, 5.6, 5.6);
    p.setPen(QPen(QColor(255, 255, 255, 230), 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(c.x() - 4, c.y() - 4, 8, 8), 100 * 16, 70 * 16);
    // A small cross marks the exact point that is clicked.
    p.setPen(QPen(QColor(0xE5, 0x39, 0x35), 1.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(c.x() - 2, c.y()), QPointF(c.x() + 2, c.y()));
    p.drawLine(QPointF(c.x(), c.y() - 2), QPointF(c.x(), c.y() + 2));
    p.end();
    return image;
}

// Pointing hand with the fingertip at (13, 2), swung by `angle` degrees about the tip;
// `taps` (0..2) little lines beside the tip show it pressing.
QImage handFrame(double angle, int taps) {
    QImage image = canvas();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(13.5, 2);
    p.rotate(angle);
    p.translate(-13.5, -2);

    // Folded fingers overlap each other and the palm, so the outline has only small
    // notches between the knuckles.
    QPainterPath hand;
    hand.addRoundedRect(QRectF(10.5, 1.5, 6, 17), 3, 3);       // index finger
    hand.addRoundedRect(QRectF(15.6, 10.6, 4.8, 9), 2.4, 2.4); // folded fingers
    hand.addRoundedRect(QRectF(19.6, 11.6, 4.6, 9), 2.3, 2.3);
    hand.addRoundedRect(QRectF(23.2, 13.0, 4.0, 8), 2.0, 2.0);
    hand.addRoundedRect(QRectF(8.0, 14.5, 19.2, 12.5), 4.5, 4.5); // palm
    QPainterPath thumb;
    thumb.addEllipse(QRectF(4.2, 14.6, 8.6, 5.6));
    hand = hand.united(thumb).simplified();

    QLinearGradient skin(0, 2, 0, 27);
    skin.setColorAt(0, QColor(0xFF, 0xE6, 0xC7));
    skin.setColorAt(1, QColor(0xF7, 0xB9, 0x84));
    p.setPen(QPen(kOutline, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(skin);
    p.drawPath(hand);
    // Creases below the notches between the fingers.
    p.setPen(QPen(QColor(0xB0, 0x6A, 0x3A), 1.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(16.4, 13.0), QPointF(16.4, 16.5));
    p.drawLine(QPointF(20.0, 13.5), QPointF(20.0, 17.0));
    p.drawLine(QPointF(23.7, 15.0), QPointF(23.7, 18.0));
    // Sleeve cuff.
    p.setPen(QPen(kOutline, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(0x3D, 0x8B, 0xFD));
    p.drawRoundedRect(QRectF(9.0, 25.5, 16.5, 5.0), 1.8, 1.8);

    p.setPen(QPen(QColor(0xFF, 0x8A, 0x1F), 1.4, Qt::SolidLine, Qt::RoundCap));
    if (taps >= 1) {
        p.drawLine(QPointF(8.0, 4.5), QPointF(5.5, 3.0));
        p.drawLine(QPointF(19.0, 4.5), QPointF(21.5, 3.0));
    }
    if (taps >= 2) {
        p.drawLine(QPointF(8.0, 8.0), QPointF(5.0, 8.0));
        p.drawLine(QPointF(19.0, 8.0), QPointF(22.0, 8.0));
    }
    p.end();
    return image;
}

QByteArray pointingHand() {
    const QPoint tip(13, 2);
    return tools::writeAni({{handFrame(0, 0), tip, 20},
                            {handFrame(-4, 1), tip, 10},
                            {handFrame(-4, 2), tip, 10},
                            {handFrame(0, 1), tip, 10}});
}

void makeCursors(Output& out) {
    out.writeData(QStringLiteral("Data/self.ani"), pointer());
    out.writeData(QStringLiteral("Data/jx.cur"), tools::writeCur(magnifier(), QPoint(8, 8)));
    out.writeData(QStringLiteral("Data/move.ani"), pointingHand());
}

RegisterStep step{"cursors", &makeCursors};

} // namespace
} // namespace gendata

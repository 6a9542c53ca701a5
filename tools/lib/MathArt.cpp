#include "tools/lib/MathArt.h"
#include "tools/lib/Landscape.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QRadialGradient>
#include <QtMath>
#include <algorithm>
#include <cmath>
#include <random>

namespace tools::mathart {
namespace {

using namespace tools::art;

QPainterPath rounded(const QRectF& r, qreal radius) {
    QPainterPath p;
    p.addRoundedRect(r, radius, radius);
    return p;
}

// The raised face of a button: base below, gradient face, gloss, light rim; a hovered
// face gets a sunny ring, a pressed one is shaded from its top edge.
void raisedFace(QPainter& p, const QPainterPath& face, const QColor& colour, qreal depth,
                State state) {
    const QRectF fr = face.boundingRect();
    if (state == State::Hover) {
        const QPainterPath whole = face.united(face.translated(0, depth));
        drawGlow(p, whole, QColor(255, 244, 150, 200), 5);
        p.strokePath(whole,
                     QPen(QColor(255, 210, 40), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    }
    drawSoftShadow(p, face.translated(0, depth), QColor(0, 0, 0, 70), 3, {0, 1.5});
    p.fillPath(face.translated(0, depth), shade(colour, -0.35));
    QLinearGradient g(fr.topLeft(), fr.bottomLeft());
    g.setColorAt(0, shade(colour, state == State::Pressed ? 0.05 : 0.35));
    g.setColorAt(0.55, colour);
    g.setColorAt(1, shade(colour, -0.06));
    p.fillPath(face, g);
    p.save();
    p.setClipPath(face);
    if (state == State::Pressed) {
        QLinearGradient inner(fr.topLeft(), QPointF(fr.left(), fr.top() + fr.height() * 0.3));
        inner.setColorAt(0, QColor(0, 0, 0, 60));
        inner.setColorAt(1, QColor(0, 0, 0, 0));
        p.fillRect(fr, inner);
    } else {
        const QRectF glossBox(fr.left() + fr.width() * 0.06, fr.top() + fr.height() * 0.05,
                              fr.width() * 0.88, fr.height() * 0.4);
        QLinearGradient gg(glossBox.topLeft(), glossBox.bottomLeft());
        gg.setColorAt(0, QColor(255, 255, 255, 120));
        gg.setColorAt(1, QColor(255, 255, 255, 0));
        p.fillPath(rounded(glossBox, glossBox.height() * 0.45), gg);
    }
    p.restore();
    p.strokePath(face, QPen(QColor(255, 255, 255, state == State::Pressed ? 130 : 220),
                            std::clamp(fr.height() * 0.035, 1.5, 3.0)));
}

// The face rectangle of a button of `size` in a state; hovered faces grow a little,
// pressed ones sink.
QRectF faceRect(QSize size, State state, qreal depth) {
    const qreal w = size.width(), h = size.height();
    switch (state) {
    case State::Hover:
        return QRectF(4, 3, w - 8, h - 3 - 4 - depth);
    case State::Pressed:
        return QRectF(6, 8, w - 12, h - 8 - 5 - depth);
    case State::Rest:
        break;
    }
    return QRectF(6, 5, w - 12, h - 5 - 5 - depth);
}

QColor stateColour(const QColor& c, State state) {
    return state == State::Hover ? shade(c, 0.15) : state == State::Pressed ? shade(c, -0.15) : c;
}

} // namespace

// ---------------------------------------------------------------------------- buttons

QImage tile(QSize size, const QColor& colour, State state, const FaceArt& content) {
    QImage img = canvas(size);
    QPainter p(&img);
    prepare(p);
    const qreal depth = state == State::Pressed ? 1.5 : 5;
    const QRectF face = faceRect(size, state, depth);
    const QPainterPath path = rounded(face, std::min(face.width(), face.height()) * 0.22);
    raisedFace(p, path, stateColour(colour, state), depth, state);
    if (content) {
        p.save();
        p.setClipPath(path);
        content(p, face);
        p.restore();
    }
    return img;
}

QImage digitKey(QSize size, int digit, const QColor& colour, State state) {
    return tile(size, colour, state, [&](QPainter& p, const QRectF& face) {
        TextStyle s;
        s.font = cjkFont(face.height() * 0.78, QFont::Black);
        s.fill = Qt::white;
        s.outline = shade(colour, -0.55);
        s.outlineWidth = 3.5;
        s.shadow = QColor(0, 0, 0, 80);
        drawText(p, face, QString::number(digit), s);
    });
}

QImage iconPill(QSize size, const QColor& colour, const QString& emoji, const QString& label,
                State state) {
    QImage img = canvas(size);
    QPainter p(&img);
    prepare(p);
    const qreal depth = state == State::Pressed ? 1.5 : 5;
    const QRectF face = faceRect(size, state, depth);
    const QColor c = stateColour(colour, state);
    raisedFace(p, rounded(face, face.height() / 2), c, depth, state);
    const qreal icon = face.height() * 0.6;
    const QRectF iconBox(face.left() + face.height() * 0.16, face.center().y() - icon / 2, icon,
                         icon);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 235));
    p.drawEllipse(iconBox.adjusted(-1.5, -1.5, 1.5, 1.5));
    drawEmoji(p, iconBox.adjusted(icon * 0.14, icon * 0.14, -icon * 0.14, -icon * 0.14), emoji);
    const QRectF textBox(iconBox.right() + 2, face.top(), face.right() - iconBox.right() - 8,
                         face.height());
    TextStyle s;
    s.font = fitFont(cjkFont(face.height() * 0.44, QFont::Black), label, textBox.width() - 6);
    s.outline = shade(c, -0.5);
    s.outlineWidth = 2.5;
    s.shadow = QColor(0, 0, 0, 70);
    drawText(p, textBox, label, s);
    return img;
}

// ---------------------------------------------------------------------------- backgrounds

void drawBackdrop(QPainter& p, QSize size, const QColor& top, const QColor& bottom,
                  qreal meadowTop) {
    Landscape land;
    land.sky = land.ground = QRectF(QPointF(0, 0), size);
    land.skyTop = top;
    land.skyBottom = bottom;
    land.horizon = meadowTop;
    // Faint numbers and signs floating about, the same every time.
    land.onSky = [size](QPainter& p, const QRectF&) {
        std::mt19937 gen(7);
        std::uniform_real_distribution<qreal> ux(0, size.width()), uy(0, size.height()),
            ua(-25, 25), us(26, 54);
        static const QStringList glyphs = {
            QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("+"),
            QStringLiteral("5"), QStringLiteral("="), QStringLiteral("7"), QStringLiteral("×"),
            QStringLiteral("9"), QStringLiteral("−")};
        static const QList<QColor> tints = {QColor(0xff, 0x6b, 0x6b), QColor(0xff, 0xb3, 0x47),
                                            QColor(0x4d, 0xb6, 0xff), QColor(0x6c, 0xd6, 0x5a),
                                            QColor(0xb0, 0x7c, 0xf5)};
        for (int i = 0; i < 46; ++i) {
            const QPointF at(ux(gen), uy(gen));
            const qreal angle = ua(gen), px = us(gen);
            p.save();
            p.translate(at);
            p.rotate(angle);
            QColor c = tints[i % tints.size()];
            c.setAlpha(42);
            p.fillPath(textPath(glyphs[i % glyphs.size()], cjkFont(px, QFont::Black)), c);
            p.restore();
        }
    };
    drawLandscape(p, land);
}

void drawTitle(QPainter& p, const QRectF& box, const QString& title) {
    const QPainterPath ribbon = rounded(box, box.height() / 2);
    drawSoftShadow(p, ribbon, QColor(0, 0, 0, 70), 4, {0, 3});
    QLinearGradient g(box.topLeft(), box.bottomLeft());
    g.setColorAt(0, QColor(255, 255, 255, 240));
    g.setColorAt(1, QColor(0xff, 0xf4, 0xd6, 240));
    p.fillPath(ribbon, g);
    p.strokePath(ribbon, QPen(QColor(0xff, 0x9a, 0x1f), 3));
    drawLogo(p, box.adjusted(box.height() * 0.35, 4, -box.height() * 0.35, -4), title,
             {QColor(0xff, 0x4d, 0x5e), QColor(0xff, 0x9a, 0x1f), QColor(0x3c, 0xc4, 0x53),
              QColor(0x2e, 0x9b, 0xff), QColor(0xa8, 0x5c, 0xf6)});
}

void drawCard(QPainter& p, const QRectF& box, const QColor& fill, const QColor& rim, qreal radius,
              qreal rimWidth) {
    const QPainterPath card = rounded(box, radius);
    drawSoftShadow(p, card, QColor(0, 0, 0, 60), 6, {0, 4});
    p.fillPath(card, fill);
    if (rimWidth > 0)
        p.strokePath(card, QPen(rim, rimWidth));
}

void drawChalkboard(QPainter& p, const QRectF& board) {
    const QRectF frame = board.adjusted(-12, -12, 12, 12);
    const QPainterPath framePath = rounded(frame, 16);
    drawSoftShadow(p, framePath, QColor(0, 0, 0, 90), 6, {0, 5});
    QLinearGradient wood(frame.topLeft(), frame.bottomLeft());
    wood.setColorAt(0, QColor(0xc8, 0x8a, 0x4e));
    wood.setColorAt(1, QColor(0x9a, 0x5e, 0x2a));
    p.fillPath(framePath, wood);
    p.strokePath(framePath, QPen(QColor(0x6e, 0x3c, 0x14), 2));
    const QPainterPath boardPath = rounded(board, 8);
    QRadialGradient g(board.center() - QPointF(board.width() * 0.2, board.height() * 0.3),
                      board.width() * 0.8);
    g.setColorAt(0, QColor(0x2f, 0x6e, 0x52));
    g.setColorAt(1, QColor(0x1b, 0x43, 0x32));
    p.fillPath(boardPath, g);
    // Chalk dust smudges.
    p.save();
    p.setClipPath(boardPath);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 5; ++i) {
        QRadialGradient s(QPointF(board.left() + board.width() * (0.1 + 0.2 * i),
                                  board.top() + board.height() * (i % 2 ? 0.8 : 0.25)),
                          board.height() * 0.3);
        s.setColorAt(0, QColor(255, 255, 255, 14));
        s.setColorAt(1, QColor(255, 255, 255, 0));
        p.setBrush(s);
        p.drawRect(board);
    }
    p.restore();
    p.strokePath(boardPath, QPen(QColor(0x10, 0x2a, 0x1e), 2));
    // A chalk tray along the bottom with two sticks.
    const QRectF tray(board.left() + board.width() * 0.6, frame.bottom() - 8, 90, 8);
    p.fillRect(QRectF(tray.left() + 8, tray.top() - 5, 26, 6), QColor(0xf8, 0xf8, 0xf0));
    p.fillRect(QRectF(tray.left() + 42, tray.top() - 5, 20, 6), QColor(0xff, 0xc8, 0xd8));
}

void drawCaption(QPainter& p, const QRectF& box, const QString& text, qreal px,
                 const QColor& colour, Qt::Alignment align, const QColor& outline) {
    TextStyle s;
    s.font = cjkFont(px, QFont::Bold);
    s.fill = colour;
    s.outline = outline;
    s.outlineWidth = outline.alpha() ? std::max(2.0, px * 0.12) : 0;
    drawText(p, box, text, s, align);
}

void drawScoreBox(QPainter& p, const QRectF& box, const QList<QPair<QString, qreal>>& rows,
                  qreal captionRight) {
    drawCard(p, box, QColor(255, 255, 255, 225), QColor(0x4d, 0xb6, 0xff), 14, 2.5);
    for (const auto& row : rows)
        drawCaption(p, QRectF(box.left() + 4, row.second, captionRight - box.left() - 6, 26),
                    row.first, 17, QColor(0x2b, 0x4a, 0x8a), Qt::AlignRight | Qt::AlignVCenter);
}

// ---------------------------------------------------------------------------- counting

QImage numberPicture(int n) {
    const QSize size(640, 400);
    QImage img = canvas(size, QColor(0xff, 0xfb, 0xec));
    QPainter p(&img);
    prepare(p);
    QRadialGradient bg(QPointF(320, 150), 420);
    bg.setColorAt(0, QColor(0xff, 0xff, 0xf6));
    bg.setColorAt(1, QColor(0xff, 0xec, 0xc2));
    p.fillRect(img.rect(), bg);
    for (int i = 0; i < 24; ++i) {
        QColor dot = i % 2 ? QColor(0xff, 0xc8, 0x7a, 70) : QColor(0x9a, 0xd4, 0xff, 70);
        p.setPen(Qt::NoPen);
        p.setBrush(dot);
        p.drawEllipse(QPointF((i * 97) % 640, (i * 61) % 400), 6 + i % 4, 6 + i % 4);
    }
    if (n == 0) {
        // Nothing to count: an empty plate.
        p.setBrush(QColor(0, 0, 0, 30));
        p.drawEllipse(QPointF(322, 236), 190, 70);
        QRadialGradient plate(QPointF(300, 200), 220);
        plate.setColorAt(0, Qt::white);
        plate.setColorAt(1, QColor(0xe6, 0xee, 0xf6));
        p.setBrush(plate);
        p.setPen(QPen(QColor(0x9a, 0xb4, 0xcc), 4));
        p.drawEllipse(QPointF(320, 222), 190, 72);
        p.setPen(QPen(QColor(0xc6, 0xd6, 0xe6), 3));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(320, 222), 130, 46);
        return img;
    }
    static const QStringList things = {QStringLiteral("🎈"), QStringLiteral("🍎"),
                                       QStringLiteral("⭐")};
    const QString thing = things[n % 3];
    const int cols = n <= 5 ? n : (n <= 10 ? 5 : 10);
    const int rows = (n + cols - 1) / cols;
    const qreal gap = cols == 10 ? 22 : 0; // a gap after every five in rows of ten
    const qreal cell = std::min((600 - gap) / cols, 360.0 / rows);
    const qreal w = cols * cell + gap, h = rows * cell;
    const QPointF origin((640 - w) / 2, (400 - h) / 2);
    for (int i = 0; i < n; ++i) {
        const int r = i / cols, c = i % cols;
        const qreal x = origin.x() + c * cell + (c >= 5 ? gap : 0);
        const QRectF box(x, origin.y() + r * cell, cell, cell);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 28));
        p.drawEllipse(QPointF(box.center().x(), box.bottom() - cell * 0.1), cell * 0.32,
                      cell * 0.07);
        drawEmoji(p, box.adjusted(cell * 0.08, cell * 0.06, -cell * 0.08, -cell * 0.1), thing);
    }
    return img;
}

QImage countingPicture(int n) {
    static const QStringList fruit = {QStringLiteral("🍎"), QStringLiteral("🍊"), QStringLiteral("🍓"),
                                      QStringLiteral("🍌"), QStringLiteral("🍐"), QStringLiteral("🍒"),
                                      QStringLiteral("🍇"), QStringLiteral("🍑")};
    static const QList<QColor> rims = {QColor(0xff, 0x8a, 0x8a), QColor(0xff, 0xb3, 0x47),
                                       QColor(0xff, 0x7a, 0xa8), QColor(0xff, 0xd0, 0x3a),
                                       QColor(0x8c, 0xd6, 0x5a), QColor(0xff, 0x6b, 0x6b),
                                       QColor(0xb0, 0x7c, 0xf5), QColor(0xff, 0x9e, 0x80)};
    const int i = std::clamp(n, 1, 8) - 1;
    QImage img = canvas({120, 120}, QColor(0xff, 0xfb, 0xee));
    QPainter p(&img);
    prepare(p);
    p.setPen(QPen(QColor(0xd8, 0xb8, 0x8a), 5));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(2.5, 2.5, 115, 115));
    QRadialGradient g(QPointF(50, 44), 80);
    g.setColorAt(0, Qt::white);
    g.setColorAt(1, QColor(0xff, 0xf1, 0xd0));
    p.setBrush(g);
    p.setPen(QPen(rims[i], 6));
    p.drawEllipse(QRectF(10, 10, 100, 100));
    drawEmoji(p, QRectF(20, 18, 80, 80), fruit[i]);
    return img;
}

// ---------------------------------------------------------------------------- comparison

namespace {

constexpr qreal kS = 260; // comparison pictures are 260 pixels square

QImage pictureCanvas(const QColor& top, const QColor& bottom) {
    QImage img = canvas({int(kS), int(kS)}, bottom);
    QPainter p(&img);
    drawSky(p, QRectF(0, 0, kS, kS), top, bottom);
    return img;
}

// Round things lit from the left: a horizontal (vertical cylinder) or vertical shading.
QLinearGradient cylinder(const QRectF& r, const QColor& c, bool vertical) {
    QLinearGradient g = vertical ? QLinearGradient(r.topLeft(), r.topRight())
                                 : QLinearGradient(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, shade(c, -0.15));
    g.setColorAt(0.3, shade(c, 0.35));
    g.setColorAt(0.55, c);
    g.setColorAt(1, shade(c, -0.35));
    return g;
}

void outlineFill(QPainter& p, const QPainterPath& path, const QBrush& brush,
                 const QColor& line = QColor(0x3a, 0x2a, 0x1a), qreal width = 3) {
    p.fillPath(path, brush);
    p.strokePath(path, QPen(line, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

QPainterPath rectPath(const QRectF& r, qreal radius = 0) {
    QPainterPath path;
    if (radius > 0)
        path.addRoundedRect(r, radius, radius);
    else
        path.addRect(r);
    return path;
}

QPainterPath poly(std::initializer_list<QPointF> pts) {
    QPainterPath path;
    bool first = true;
    for (const QPointF& pt : pts) {
        if (first)
            path.moveTo(pt);
        else
            path.lineTo(pt);
        first = false;
    }
    path.closeSubpath();
    return path;
}

void floorShadow(QPainter& p, qreal cx, qreal y, qreal rx) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 35));
    p.drawEllipse(QPointF(cx, y), rx, 7);
}

// ---- thick: upright round things, about 110 of 260 pixels wide, top to bottom ----

void pencilUp(QPainter& p, const QColor& body, bool crayon) {
    const QRectF b(75, 44, 110, 160);
    if (crayon) {
        outlineFill(p, rectPath(b), cylinder(b, body, true));
        for (qreal y : {70.0, 178.0})
            p.fillRect(QRectF(b.left() + 1.5, y, b.width() - 3, 8), shade(body, -0.4));
        outlineFill(p, poly({{75, 44}, {130, 10}, {185, 44}}), cylinder(b, shade(body, 0.1), true));
        outlineFill(p, rectPath(QRectF(75, 204, 110, 40), 6), cylinder(b, shade(body, -0.1), true));
    } else {
        outlineFill(p, rectPath(QRectF(75, 12, 110, 26), 8),
                    cylinder(b, QColor(0xff, 0x9a, 0xb4), true));
        outlineFill(p, rectPath(QRectF(75, 36, 110, 16)),
                    cylinder(b, QColor(0xc0, 0xc6, 0xcc), true));
        outlineFill(p, rectPath(QRectF(75, 52, 110, 150)), cylinder(b, body, true));
        for (qreal x : {111.0, 149.0})
            p.fillRect(QRectF(x, 54, 2, 146), shade(body, -0.25));
        outlineFill(p, poly({{75, 202}, {185, 202}, {130, 250}}),
                    cylinder(b, QColor(0xf2, 0xc8, 0x90), true));
        outlineFill(p, poly({{116, 238}, {144, 238}, {130, 250}}), QColor(0x44, 0x44, 0x4a));
    }
}

void candle(QPainter& p) {
    const QRectF b(78, 80, 104, 150);
    outlineFill(p, rectPath(b, 6), cylinder(b, QColor(0xf0, 0x44, 0x5a), true));
    for (int i = 0; i < 4; ++i)
        p.fillRect(QRectF(b.left() + 2, 100 + i * 32, b.width() - 4, 10),
                   QColor(255, 255, 255, 150));
    outlineFill(p, rectPath(QRectF(60, 228, 140, 22), 8),
                cylinder(b, QColor(0xff, 0xc8, 0x3a), true));
    p.strokePath(rectPath(QRectF(128, 62, 4, 20)), QPen(QColor(0x3a, 0x2a, 0x1a), 3));
    QPainterPath flame;
    flame.moveTo(130, 10);
    flame.cubicTo(158, 36, 150, 64, 130, 66);
    flame.cubicTo(110, 64, 102, 36, 130, 10);
    QRadialGradient fg(QPointF(130, 50), 34);
    fg.setColorAt(0, QColor(0xff, 0xfb, 0xc0));
    fg.setColorAt(0.5, QColor(0xff, 0xc8, 0x2e));
    fg.setColorAt(1, QColor(0xff, 0x7a, 0x1a));
    outlineFill(p, flame, fg, QColor(0xe0, 0x6a, 0x10), 2);
}

void pillar(QPainter& p) {
    const QColor stone(0xf4, 0xee, 0xe0);
    const QRectF shaft(80, 42, 100, 178);
    outlineFill(p, rectPath(shaft), cylinder(shaft, stone, true), QColor(0x8a, 0x80, 0x70));
    for (qreal x = 92; x < 176; x += 18)
        p.fillRect(QRectF(x, 46, 3, 170), QColor(0x9a, 0x90, 0x7a, 120));
    outlineFill(p, rectPath(QRectF(66, 14, 128, 30), 6), cylinder(shaft, stone, true),
                QColor(0x8a, 0x80, 0x70));
    outlineFill(p, rectPath(QRectF(66, 218, 128, 30), 6), cylinder(shaft, stone, true),
                QColor(0x8a, 0x80, 0x70));
}

void bamboo(QPainter& p) {
    const QColor green(0x6c, 0xc2, 0x4a);
    for (int i = 0; i < 4; ++i) {
        const QRectF seg(80, 10 + i * 60, 100, 58);
        outlineFill(p, rectPath(seg, 10), cylinder(seg, green, true), QColor(0x2e, 0x6a, 0x1e));
        p.fillRect(QRectF(76, seg.bottom() - 4, 108, 8), shade(green, -0.3));
    }
    QPainterPath leaf;
    leaf.moveTo(180, 74);
    leaf.quadTo(220, 50, 246, 66);
    leaf.quadTo(216, 84, 180, 74);
    outlineFill(p, leaf, QColor(0x8c, 0xd6, 0x5a), QColor(0x2e, 0x6a, 0x1e), 2);
}

void trunk(QPainter& p) {
    const QRectF t(78, 96, 104, 150);
    outlineFill(p, rectPath(t), cylinder(t, QColor(0x9a, 0x62, 0x32), true),
                QColor(0x4a, 0x2a, 0x10));
    for (int i = 0; i < 6; ++i) {
        QPainterPath bark;
        bark.moveTo(96 + i * 14, 110 + (i % 3) * 30);
        bark.quadTo(100 + i * 14, 130 + (i % 3) * 30, 94 + i * 14, 150 + (i % 3) * 30);
        p.strokePath(bark, QPen(QColor(0x5a, 0x34, 0x14), 3, Qt::SolidLine, Qt::RoundCap));
    }
    QPainterPath crown;
    crown.addEllipse(QPointF(130, 60), 96, 54);
    crown.addEllipse(QPointF(86, 82), 44, 34);
    crown.addEllipse(QPointF(174, 82), 44, 34);
    crown.setFillRule(Qt::WindingFill);
    QRadialGradient g(QPointF(110, 40), 120);
    g.setColorAt(0, QColor(0x9c, 0xe0, 0x6a));
    g.setColorAt(1, QColor(0x3e, 0x9a, 0x2e));
    outlineFill(p, crown.simplified(), g, QColor(0x2a, 0x6a, 0x1e));
}

void marker(QPainter& p, const QColor& c) {
    const QRectF body(78, 60, 104, 186);
    outlineFill(p, rectPath(body, 14), cylinder(body, QColor(0xf4, 0xf4, 0xf8), true),
                QColor(0x50, 0x50, 0x60));
    outlineFill(p, rectPath(QRectF(72, 12, 116, 76), 16), cylinder(body, c, true),
                QColor(0x30, 0x20, 0x40));
    p.fillRect(QRectF(80, 130, 100, 60), c);
    p.strokePath(rectPath(QRectF(80, 130, 100, 60)), QPen(shade(c, -0.4), 2));
}

void rope(QPainter& p) {
    p.strokePath(rectPath(QRectF(60, 8, 140, 14), 6), QPen(QColor(0x6e, 0x6e, 0x78), 3));
    p.fillRect(QRectF(61, 9, 138, 12), QColor(0xb0, 0xb6, 0xc0));
    const QRectF r(82, 22, 96, 224);
    p.fillRect(r, cylinder(r, QColor(0xe0, 0xb8, 0x74), true));
    p.save();
    p.setClipRect(r);
    for (qreal y = 0; y < 260; y += 26) {
        QPainterPath twist;
        twist.moveTo(r.left() - 4, y);
        twist.cubicTo(r.left() + 30, y + 8, r.right() - 30, y + 26, r.right() + 4, y + 34);
        p.strokePath(twist, QPen(QColor(0x9a, 0x70, 0x30), 5, Qt::SolidLine, Qt::RoundCap));
    }
    p.restore();
    p.strokePath(rectPath(r), QPen(QColor(0x6a, 0x48, 0x1a), 3));
}

void brush(QPainter& p) {
    const QRectF handle(94, 10, 72, 132);
    outlineFill(p, rectPath(handle, 30), cylinder(handle, QColor(0xe0, 0x3a, 0x3a), true));
    outlineFill(p, rectPath(QRectF(80, 136, 100, 40), 4),
                cylinder(handle, QColor(0xc8, 0xcc, 0xd2), true));
    QPainterPath bristles;
    bristles.moveTo(80, 176);
    bristles.lineTo(180, 176);
    bristles.quadTo(184, 228, 130, 250);
    bristles.quadTo(76, 228, 80, 176);
    outlineFill(p, bristles, cylinder(handle, QColor(0x2e, 0x9b, 0xff), true));
}

void cactus(QPainter& p) {
    const QColor g(0x4c, 0xb0, 0x4a);
    QPainterPath body;
    body.addRoundedRect(QRectF(84, 14, 92, 212), 46, 46);
    body.addRoundedRect(QRectF(20, 90, 70, 28), 14, 14);
    body.addRoundedRect(QRectF(20, 50, 28, 66), 14, 14);
    body.addRoundedRect(QRectF(170, 120, 70, 28), 14, 14);
    body.addRoundedRect(QRectF(212, 70, 28, 76), 14, 14);
    body.setFillRule(Qt::WindingFill);
    outlineFill(p, body.simplified(), cylinder(QRectF(20, 0, 220, 0), g, true),
                QColor(0x1e, 0x5a, 0x1e));
    outlineFill(p, rectPath(QRectF(70, 222, 120, 30), 6), QColor(0xd8, 0x7a, 0x3a));
}

void thickPicture(QPainter& p, int n) {
    switch (n) {
    case 1:
        return pencilUp(p, QColor(0xff, 0xd0, 0x2e), false);
    case 2:
        return pencilUp(p, QColor(0x2e, 0x8c, 0xf0), true);
    case 3:
        return candle(p);
    case 4:
        return pillar(p);
    case 5:
        return bamboo(p);
    case 6:
        return trunk(p);
    case 7:
        return marker(p, QColor(0x9b, 0x55, 0xf0));
    case 8:
        return rope(p);
    case 9:
        return brush(p);
    default:
        return cactus(p);
    }
}

// ---- wide: flat things whose breadth runs across the picture ----

void road(QPainter& p) {
    p.fillRect(QRectF(0, 0, kS, kS), QColor(0x8c, 0xd6, 0x5a));
    const QRectF r(28, 0, 204, kS);
    p.fillRect(r, QColor(0x6a, 0x6e, 0x78));
    p.fillRect(QRectF(28, 0, 8, kS), Qt::white);
    p.fillRect(QRectF(224, 0, 8, kS), Qt::white);
    for (qreal y = 8; y < kS; y += 56)
        p.fillRect(QRectF(125, y, 10, 32), QColor(0xff, 0xd0, 0x2e));
    drawEmoji(p, QRectF(56, 150, 64, 64), QStringLiteral("🚗"));
}

void river(QPainter& p) {
    p.fillRect(QRectF(0, 0, kS, kS), QColor(0x8c, 0xd6, 0x5a));
    QPainterPath water;
    water.moveTo(24, 0);
    water.cubicTo(40, 80, 10, 170, 26, kS);
    water.lineTo(236, kS);
    water.cubicTo(250, 170, 220, 80, 236, 0);
    water.closeSubpath();
    QLinearGradient g(0, 0, kS, 0);
    g.setColorAt(0, QColor(0x3a, 0x9a, 0xe8));
    g.setColorAt(0.5, QColor(0x6c, 0xc6, 0xff));
    g.setColorAt(1, QColor(0x3a, 0x9a, 0xe8));
    outlineFill(p, water, g, QColor(0xc8, 0xa8, 0x6a), 6);
    for (int i = 0; i < 6; ++i) {
        QPainterPath wave;
        const qreal y = 24 + i * 40, x = 60 + (i % 3) * 50;
        wave.moveTo(x, y);
        wave.quadTo(x + 12, y - 8, x + 24, y);
        wave.quadTo(x + 36, y + 8, x + 48, y);
        p.strokePath(wave, QPen(QColor(255, 255, 255, 190), 4, Qt::SolidLine, Qt::RoundCap));
    }
    drawEmoji(p, QRectF(150, 160, 60, 60), QStringLiteral("🦆"));
}

void door(QPainter& p) {
    p.fillRect(QRectF(0, 0, kS, kS), QColor(0xff, 0xe8, 0xc8));
    const QRectF frame(22, 10, 216, 250);
    outlineFill(p, rectPath(frame, 8), QColor(0x8a, 0x52, 0x22), QColor(0x4a, 0x2a, 0x10));
    for (int i = 0; i < 2; ++i) {
        const QRectF leaf(34 + i * 98, 22, 94, 238);
        outlineFill(p, rectPath(leaf, 4), cylinder(leaf, QColor(0xc8, 0x7a, 0x3a), false),
                    QColor(0x5a, 0x32, 0x12));
        p.strokePath(rectPath(leaf.adjusted(14, 16, -14, -130), 4),
                     QPen(QColor(0x8a, 0x4a, 0x1a), 3));
        p.strokePath(rectPath(leaf.adjusted(14, 124, -14, -20), 4),
                     QPen(QColor(0x8a, 0x4a, 0x1a), 3));
        p.setBrush(QColor(0xff, 0xd0, 0x2e));
        p.setPen(QPen(QColor(0x9a, 0x6a, 0x10), 2));
        p.drawEllipse(QPointF(i ? leaf.left() + 14 : leaf.right() - 14, 140), 7, 7);
    }
}

void banner(QPainter& p) {
    p.fillRect(QRectF(0, 0, kS, kS), QColor(0xff, 0xf6, 0xe0));
    const QRectF cloth(30, 24, 200, 214);
    outlineFill(p, rectPath(cloth), QColor(0xe8, 0x3a, 0x3a), QColor(0x8a, 0x12, 0x12));
    p.strokePath(rectPath(cloth.adjusted(12, 12, -12, -12)), QPen(QColor(0xff, 0xd0, 0x2e), 4));
    drawStar(p, QPointF(130, 131), 54, QColor(0xff, 0xd0, 0x2e));
    for (qreal y : {12.0, 236.0})
        outlineFill(p, rectPath(QRectF(14, y, 232, 16), 8),
                    cylinder(QRectF(0, y, kS, 16), QColor(0xc8, 0x8a, 0x3a), false));
}

void ladder(QPainter& p) {
    p.fillRect(QRectF(0, 0, kS, kS), QColor(0xe6, 0xf4, 0xff));
    for (qreal y = 30; y < kS; y += 44)
        outlineFill(p, rectPath(QRectF(36, y, 188, 16), 4),
                    cylinder(QRectF(0, y, kS, 16), QColor(0xe0, 0x9a, 0x4a), false));
    for (qreal x : {22.0, 222.0})
        outlineFill(p, rectPath(QRectF(x, 4, 18, 252), 6),
                    cylinder(QRectF(x, 0, 18, 0), QColor(0xc0, 0x74, 0x2a), true));
}

void bookshelf(QPainter& p) {
    p.fillRect(QRectF(0, 0, kS, kS), QColor(0xff, 0xf4, 0xe0));
    const QRectF shelf(20, 8, 220, 248);
    outlineFill(p, rectPath(shelf, 6), QColor(0xa8, 0x6a, 0x32), QColor(0x4a, 0x2a, 0x10));
    static const QList<QColor> books = {QColor(0xe8, 0x3a, 0x3a), QColor(0x2e, 0x8c, 0xf0),
                                        QColor(0x3c, 0xc4, 0x53), QColor(0xff, 0xb3, 0x1f),
                                        QColor(0x9b, 0x55, 0xf0), QColor(0xff, 0x7a, 0xa8)};
    for (int row = 0; row < 3; ++row) {
        const qreal top = 18 + row * 80;
        p.fillRect(QRectF(30, top, 200, 68), QColor(0x6e, 0x3e, 0x16));
        qreal x = 32;
        int k = row * 2;
        while (x < 220) {
            const qreal w = 20 + (k * 7) % 12;
            const qreal h = 50 + (k * 11) % 16;
            const QRectF b(x, top + 68 - h, std::min(w, 228 - x), h);
            outlineFill(p, rectPath(b, 2), books[k % books.size()], QColor(0x30, 0x20, 0x10), 1.5);
            x += w + 2;
            ++k;
        }
    }
}

void widePicture(QPainter& p, int n) {
    switch (n) {
    case 1:
        return road(p);
    case 2:
        return river(p);
    case 3:
        return door(p);
    case 4:
        return banner(p);
    case 5:
        return ladder(p);
    default:
        return bookshelf(p);
    }
}

// ---- tall: things standing on the ground that reach from the bottom to the top ----

void ground(QPainter& p) {
    p.fillRect(QRectF(0, 236, kS, 24), QColor(0x8c, 0xd6, 0x5a));
    p.fillRect(QRectF(0, 236, kS, 4), QColor(0x5a, 0xb8, 0x3c));
}

void building(QPainter& p) {
    const QRectF b(82, 12, 96, 228);
    outlineFill(p, rectPath(b, 4), cylinder(b, QColor(0x5a, 0x8c, 0xd8), true),
                QColor(0x1e, 0x3a, 0x6a));
    for (int r = 0; r < 9; ++r)
        for (int c = 0; c < 3; ++c)
            p.fillRect(QRectF(94 + c * 26, 24 + r * 24, 18, 14),
                       (r + c) % 3 ? QColor(0xff, 0xf0, 0x9a) : QColor(0xcf, 0xe8, 0xff));
}

void lighthouse(QPainter& p) {
    const QPainterPath tower = poly({{96, 70}, {164, 70}, {182, 240}, {78, 240}});
    p.fillPath(tower, Qt::white);
    p.save();
    p.setClipPath(tower);
    for (int i = 0; i < 4; ++i)
        p.fillRect(QRectF(70, 92 + i * 40, 120, 20), QColor(0xe8, 0x3a, 0x3a));
    p.restore();
    p.strokePath(tower, QPen(QColor(0x5a, 0x1a, 0x1a), 3));
    outlineFill(p, rectPath(QRectF(100, 36, 60, 34), 4), QColor(0xff, 0xe0, 0x4a));
    outlineFill(p, poly({{92, 38}, {130, 6}, {168, 38}}), QColor(0xe8, 0x3a, 0x3a));
    outlineFill(p, rectPath(QRectF(88, 66, 84, 8), 3), QColor(0x4a, 0x4a, 0x5a));
}

void pineTree(QPainter& p) {
    outlineFill(p, rectPath(QRectF(118, 200, 24, 40)), QColor(0x8a, 0x52, 0x22));
    for (int i = 0; i < 4; ++i) {
        const qreal top = 8 + i * 44, half = 34 + i * 14;
        outlineFill(p, poly({{130, top}, {130 + half, top + 78}, {130 - half, top + 78}}),
                    cylinder(QRectF(130 - half, 0, 2 * half, 0), QColor(0x3c, 0xa8, 0x4a), true),
                    QColor(0x1a, 0x5a, 0x22));
    }
    drawStar(p, QPointF(130, 12), 12, QColor(0xff, 0xd0, 0x2e));
}

void rocket(QPainter& p) {
    QPainterPath body;
    body.moveTo(130, 6);
    body.cubicTo(176, 50, 170, 150, 160, 200);
    body.lineTo(100, 200);
    body.cubicTo(90, 150, 84, 50, 130, 6);
    outlineFill(p, body, cylinder(QRectF(90, 0, 80, 0), QColor(0xf4, 0xf4, 0xfa), true),
                QColor(0x3a, 0x3a, 0x5a));
    outlineFill(p, poly({{100, 150}, {66, 214}, {104, 200}}), QColor(0xe8, 0x3a, 0x3a));
    outlineFill(p, poly({{160, 150}, {194, 214}, {156, 200}}), QColor(0xe8, 0x3a, 0x3a));
    p.setBrush(QColor(0x6c, 0xc6, 0xff));
    p.setPen(QPen(QColor(0x3a, 0x3a, 0x5a), 3));
    p.drawEllipse(QPointF(130, 90), 18, 18);
    QPainterPath fire;
    fire.moveTo(106, 202);
    fire.quadTo(130, 262, 154, 202);
    outlineFill(p, fire, QColor(0xff, 0xa2, 0x1f), QColor(0xe0, 0x5a, 0x10), 2);
}

void castleTower(QPainter& p) {
    const QRectF t(88, 50, 84, 190);
    outlineFill(p, rectPath(t), cylinder(t, QColor(0xd8, 0xc8, 0xb0), true),
                QColor(0x5a, 0x4a, 0x3a));
    for (int i = 0; i < 3; ++i)
        outlineFill(p, rectPath(QRectF(84 + i * 34, 36, 24, 18)), QColor(0xd8, 0xc8, 0xb0),
                    QColor(0x5a, 0x4a, 0x3a));
    outlineFill(p, rectPath(QRectF(116, 90, 28, 40), 12), QColor(0x4a, 0x3a, 0x5a));
    outlineFill(p, rectPath(QRectF(110, 190, 40, 50), 18), QColor(0x8a, 0x52, 0x22));
    p.strokePath(rectPath(QRectF(128, 6, 3, 32)), QPen(QColor(0x5a, 0x4a, 0x3a), 3));
    outlineFill(p, poly({{131, 6}, {160, 14}, {131, 22}}), QColor(0xe8, 0x3a, 0x3a),
                QColor(0x8a, 0x12, 0x12), 2);
}

void sunflower(QPainter& p) {
    QPainterPath stem;
    stem.moveTo(130, 240);
    stem.lineTo(130, 70);
    p.strokePath(stem, QPen(QColor(0x3e, 0x9a, 0x2e), 10, Qt::SolidLine, Qt::RoundCap));
    for (int side : {-1, 1}) {
        QPainterPath leaf;
        const qreal y = side < 0 ? 170 : 130;
        leaf.moveTo(130, y);
        leaf.quadTo(130 + side * 50, y - 40, 130 + side * 70, y - 6);
        leaf.quadTo(130 + side * 40, y + 14, 130, y);
        outlineFill(p, leaf, QColor(0x6c, 0xc2, 0x4a), QColor(0x2e, 0x6a, 0x1e), 2);
    }
    for (int i = 0; i < 14; ++i) {
        p.save();
        p.translate(130, 52);
        p.rotate(i * 360.0 / 14);
        QPainterPath petal;
        petal.addEllipse(QPointF(0, -32), 10, 20);
        outlineFill(p, petal, QColor(0xff, 0xd0, 0x2e), QColor(0xc8, 0x8a, 0x10), 1.5);
        p.restore();
    }
    p.setBrush(QColor(0x7a, 0x4a, 0x1a));
    p.setPen(QPen(QColor(0x4a, 0x2a, 0x10), 2));
    p.drawEllipse(QPointF(130, 52), 24, 24);
}

void palm(QPainter& p) {
    QPainterPath trunkPath;
    trunkPath.moveTo(120, 240);
    trunkPath.cubicTo(110, 170, 138, 110, 128, 50);
    p.strokePath(trunkPath, QPen(QColor(0x9a, 0x62, 0x32), 20, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 6; ++i) {
        const qreal a = qDegreesToRadians(-170.0 + i * 32);
        const QPointF base(128, 50);
        const QPointF tip(base.x() + 104 * std::cos(a), base.y() + 70 * std::sin(a) + 46);
        const QPointF mid((base.x() + tip.x()) / 2, std::min(base.y(), tip.y()) - 26);
        const QPointF normal(-(tip.y() - base.y()) * 0.12, (tip.x() - base.x()) * 0.12);
        QPainterPath frond;
        frond.moveTo(base);
        frond.quadTo(mid + normal, tip);
        frond.quadTo(mid - normal, base);
        outlineFill(p, frond, QColor(0x3c, 0xa8, 0x4a), QColor(0x1a, 0x5a, 0x22), 2);
    }
    p.setBrush(QColor(0x7a, 0x4a, 0x1a));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(120, 60), 9, 9);
    p.drawEllipse(QPointF(136, 62), 9, 9);
}

void tallPicture(QPainter& p, int n) {
    ground(p);
    switch (n) {
    case 1:
        return building(p);
    case 2:
        return lighthouse(p);
    case 3:
        return pineTree(p);
    case 4:
        return rocket(p);
    case 5:
        return castleTower(p);
    case 6:
        return sunflower(p);
    default:
        return palm(p);
    }
}

// ---- long: things lying across the picture from edge to edge ----

void pencilLong(QPainter& p) {
    const QRectF b(40, 104, 170, 52);
    outlineFill(p, rectPath(QRectF(6, 104, 26, 52), 8),
                cylinder(b, QColor(0xff, 0x9a, 0xb4), false));
    outlineFill(p, rectPath(QRectF(30, 104, 14, 52)), cylinder(b, QColor(0xc0, 0xc6, 0xcc), false));
    outlineFill(p, rectPath(QRectF(44, 104, 166, 52)),
                cylinder(b, QColor(0x3c, 0xc4, 0x53), false));
    outlineFill(p, poly({{210, 104}, {254, 130}, {210, 156}}),
                cylinder(b, QColor(0xf2, 0xc8, 0x90), false));
    outlineFill(p, poly({{242, 123}, {254, 130}, {242, 137}}), QColor(0x44, 0x44, 0x4a),
                QColor(0x44, 0x44, 0x4a), 2);
}

void ruler(QPainter& p) {
    const QRectF r(6, 100, 248, 60);
    outlineFill(p, rectPath(r, 6), QColor(0xff, 0xd0, 0x2e), QColor(0x9a, 0x6a, 0x10));
    for (int i = 0; i <= 24; ++i) {
        const qreal x = 16 + i * 9.6;
        const qreal len = i % 5 == 0 ? 22 : 12;
        p.fillRect(QRectF(x, 100, 2, len), QColor(0x5a, 0x3a, 0x10));
    }
}

void train(QPainter& p) {
    p.fillRect(QRectF(0, 176, kS, 6), QColor(0x8a, 0x6a, 0x4a));
    static const QList<QColor> cars = {QColor(0xe8, 0x3a, 0x3a), QColor(0x2e, 0x8c, 0xf0),
                                       QColor(0xff, 0xb3, 0x1f)};
    for (int i = 0; i < 3; ++i) {
        const QRectF car(4 + i * 86, 104, 80, 62);
        outlineFill(p, rectPath(car, 8), cylinder(car, cars[i], false));
        p.fillRect(QRectF(car.left() + 12, car.top() + 12, 22, 20), QColor(0xcf, 0xe8, 0xff));
        p.fillRect(QRectF(car.left() + 44, car.top() + 12, 22, 20), QColor(0xcf, 0xe8, 0xff));
        for (qreal x : {car.left() + 18, car.right() - 18}) {
            p.setBrush(QColor(0x3a, 0x3a, 0x44));
            p.setPen(QPen(QColor(0x1a, 0x1a, 0x22), 2));
            p.drawEllipse(QPointF(x, 170), 11, 11);
        }
    }
    outlineFill(p, rectPath(QRectF(226, 80, 18, 26), 4), QColor(0x3a, 0x3a, 0x44));
}

void caterpillar(QPainter& p) {
    static const QList<QColor> body = {QColor(0x8c, 0xd6, 0x5a), QColor(0x6c, 0xc2, 0x4a)};
    for (int i = 0; i < 8; ++i) {
        const QPointF c(28 + i * 28, 140 + (i % 2 ? -6 : 6));
        QRadialGradient g(c - QPointF(6, 8), 26);
        g.setColorAt(0, shade(body[i % 2], 0.4));
        g.setColorAt(1, body[i % 2]);
        p.setBrush(g);
        p.setPen(QPen(QColor(0x2e, 0x6a, 0x1e), 2.5));
        p.drawEllipse(c, 22, 22);
    }
    const QPointF head(232, 128);
    p.setBrush(QColor(0xff, 0x7a, 0x5a));
    p.setPen(QPen(QColor(0x8a, 0x2a, 0x1a), 2.5));
    p.drawEllipse(head, 24, 24);
    p.setBrush(Qt::black);
    p.setPen(Qt::NoPen);
    p.drawEllipse(head + QPointF(6, -6), 4, 5);
    p.strokePath(rectPath(QRectF(232, 94, 2, 12)), QPen(QColor(0x3a, 0x2a, 0x1a), 3));
}

void snake(QPainter& p) {
    QPainterPath s;
    s.moveTo(14, 140);
    s.cubicTo(60, 90, 90, 190, 140, 130);
    s.cubicTo(180, 84, 210, 150, 236, 126);
    p.strokePath(s, QPen(QColor(0x2e, 0x7a, 0x1e), 34, Qt::SolidLine, Qt::RoundCap));
    p.strokePath(s, QPen(QColor(0x8c, 0xd6, 0x5a), 28, Qt::SolidLine, Qt::RoundCap));
    p.strokePath(s, QPen(QColor(0xff, 0xd0, 0x2e), 6, Qt::DotLine, Qt::RoundCap));
    p.setBrush(Qt::black);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(240, 120), 4, 4);
    QPainterPath tongue;
    tongue.moveTo(252, 128);
    tongue.lineTo(258, 122);
    tongue.moveTo(252, 128);
    tongue.lineTo(258, 134);
    p.strokePath(tongue, QPen(QColor(0xe8, 0x3a, 0x3a), 2.5, Qt::SolidLine, Qt::RoundCap));
}

void bench(QPainter& p) {
    for (qreal x : {28.0, 220.0})
        outlineFill(p, rectPath(QRectF(x, 150, 14, 50)), QColor(0x4a, 0x4a, 0x5a));
    for (int i = 0; i < 2; ++i)
        outlineFill(p, rectPath(QRectF(6, 84 + i * 24, 248, 18), 4),
                    cylinder(QRectF(0, 84 + i * 24, kS, 18), QColor(0xd8, 0x8a, 0x3a), false));
    outlineFill(p, rectPath(QRectF(6, 140, 248, 16), 4),
                cylinder(QRectF(0, 140, kS, 16), QColor(0xc0, 0x74, 0x2a), false));
}

void longPicture(QPainter& p, int n) {
    floorShadow(p, 130, 206, 120);
    switch (n) {
    case 1:
        return pencilLong(p);
    case 2:
        return ruler(p);
    case 3:
        return train(p);
    case 4:
        return caterpillar(p);
    case 5:
        return snake(p);
    default:
        return bench(p);
    }
}

} // namespace

QImage comparePicture(int kind, int n) {
    if (kind == 1) {
        static const QStringList things = {
            QStringLiteral("🍎"), QStringLiteral("⚽"), QStringLiteral("🐱"), QStringLiteral("🐟"),
            QStringLiteral("🏠"), QStringLiteral("🍓"), QStringLiteral("🌻"), QStringLiteral("🐘"),
            QStringLiteral("🎁"), QStringLiteral("🚗")};
        // White as the card, so a smaller copy shows no square of its own around it.
        QImage img = canvas({160, 160}, Qt::white);
        QPainter p(&img);
        prepare(p);
        drawEmoji(p, QRectF(12, 12, 136, 136), things[std::clamp(n, 1, 10) - 1]);
        return img;
    }
    QImage img = pictureCanvas(Qt::white, Qt::white);
    QPainter p(&img);
    prepare(p);
    // The largest card shows the picture edge to edge: keep every drawing clear of the edge.
    const QPointF middle = QRectF(img.rect()).center();
    p.translate(middle);
    p.scale(0.88, 0.88);
    p.translate(-middle);
    switch (kind) {
    case 2:
        floorShadow(p, 130, 250, 70);
        thickPicture(p, n);
        break;
    case 3:
        widePicture(p, n);
        break;
    case 4:
        tallPicture(p, n);
        break;
    default:
        longPicture(p, n);
        break;
    }
    return img;
}

// ---------------------------------------------------------------------------- pair game

QImage pairBackground(int n) {
    struct Scene {
        QColor top, bottom;
        int ground; // 0 meadow, 1 sea, 2 night, 3 snow, 4 sand
        QStringList friends;
    };
    static const QList<Scene> scenes = {
        {QColor(0x56, 0xbb, 0xf5), QColor(0xcf, 0xef, 0xff), 0, {"🐮", "🐷", "🐔", "🐑"}},
        {QColor(0x4a, 0xb4, 0xff), QColor(0xb8, 0xe6, 0xff), 1, {"🐠", "🐙", "🐳", "🐢"}},
        {QColor(0x1a, 0x1a, 0x4a), QColor(0x3a, 0x2a, 0x7a), 2, {"🚀", "🪐", "🌙", "👽"}},
        {QColor(0x7a, 0xc8, 0xff), QColor(0xe6, 0xf6, 0xff), 0, {"🦊", "🐻", "🐿️", "🦔"}},
        {QColor(0x6a, 0xc8, 0xa0), QColor(0xd6, 0xf5, 0xd0), 0, {"🦁", "🐒", "🐘", "🦓"}},
        {QColor(0x8a, 0xd0, 0xff), QColor(0xe0, 0xf4, 0xff), 0, {"🐸", "🦆", "🐞", "🐌"}},
        {QColor(0xff, 0xc8, 0xe0), QColor(0xff, 0xf0, 0xf6), 0, {"🦋", "🐝", "🌷", "🐛"}},
        {QColor(0x9a, 0xc8, 0xf0),
         QColor(0xf4, 0xfa, 0xff),
         3,
         {"⛄", "🐧", "🐻‍❄️", "🦌"}},
        {QColor(0xff, 0xb8, 0x6a), QColor(0xff, 0xe8, 0xb8), 4, {"🐪", "🌵", "🦎", "🦂"}},
        {QColor(0x4a, 0xc0, 0xff), QColor(0xc8, 0xf0, 0xff), 4, {"🦀", "🐚", "🏖️", "🐬"}},
        {QColor(0x5a, 0xb0, 0xff), QColor(0xff, 0xf0, 0xd0), 0, {"🎈", "✈️", "🐦", "🪁"}},
        {QColor(0xff, 0xb0, 0xd8), QColor(0xff, 0xf4, 0xc8), 0, {"🍭", "🧁", "🍩", "🍬"}},
        {QColor(0xa8, 0xd8, 0xff), QColor(0xff, 0xf4, 0xe0), 0, {"🧸", "🚂", "🪀", "🎨"}},
        {QColor(0x10, 0x20, 0x50), QColor(0x30, 0x40, 0x80), 2, {"🦉", "⭐", "🌟", "🦇"}},
        {QColor(0x2a, 0x8a, 0xd8), QColor(0x9a, 0xd8, 0xff), 1, {"🐡", "🦈", "🐟", "🦑"}},
    };
    const Scene& s = scenes[std::clamp(n, 1, 15) - 1];
    const QSize size(695, 564);
    QImage img = canvas(size, s.bottom);
    QPainter p(&img);
    prepare(p);
    const QRectF all(0, 0, size.width(), size.height());
    drawSky(p, all, s.top, s.bottom);
    const qreal horizon = 380;
    switch (s.ground) {
    case 1: {
        drawSun(p, {590, 80}, 40);
        drawCloud(p, {180, 90}, 150);
        QLinearGradient sea(0, 200, 0, 564);
        sea.setColorAt(0, QColor(0x3a, 0x9a, 0xe8, 200));
        sea.setColorAt(1, QColor(0x1a, 0x5a, 0xb0));
        p.fillRect(QRectF(0, 200, 695, 364), sea);
        for (int i = 0; i < 10; ++i) {
            p.setPen(QPen(QColor(255, 255, 255, 120), 3));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QPointF(40 + i * 70, 260 + (i * 47) % 260), 8 + i % 3 * 3, 8 + i % 3 * 3);
        }
        break;
    }
    case 2:
        for (int i = 0; i < 60; ++i)
            drawSparkle(p, QPointF((i * 113) % 695, (i * 71) % 564), 3 + i % 4,
                        QColor(255, 255, 220, 200));
        break;
    case 3:
        drawCloud(p, {520, 90}, 160);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(200, 620), 520, 260);
        p.drawEllipse(QPointF(600, 640), 420, 250);
        for (int i = 0; i < 50; ++i)
            p.drawEllipse(QPointF((i * 131) % 695, (i * 83) % 380), 3, 3);
        break;
    case 4: {
        drawSun(p, {110, 90}, 44);
        QPainterPath dune;
        dune.moveTo(0, 564);
        dune.lineTo(0, 380);
        dune.cubicTo(200, 300, 400, 440, 695, 360);
        dune.lineTo(695, 564);
        dune.closeSubpath();
        QLinearGradient sand(0, 340, 0, 564);
        sand.setColorAt(0, QColor(0xff, 0xd8, 0x8a));
        sand.setColorAt(1, QColor(0xe8, 0xb0, 0x5a));
        p.fillPath(dune, sand);
        break;
    }
    default:
        drawSun(p, {600, 80}, 40);
        drawCloud(p, {160, 80}, 150);
        drawCloud(p, {420, 120}, 110, 0.9);
        drawRainbow(p, {360, horizon}, 230, 14, 0.55);
        drawMeadow(p, all, horizon);
        for (int i = 0; i < 8; ++i)
            drawFlower(p, QPointF(40 + i * 88, 540 - (i % 3) * 14), 30,
                       i % 2 ? QColor(0xff, 0x7a, 0xa8) : QColor(0xff, 0xe0, 0x4a));
        break;
    }
    const QPointF spots[] = {{140, 300}, {330, 250}, {530, 310}, {260, 450}};
    for (int i = 0; i < s.friends.size() && i < 4; ++i) {
        const QRectF box(spots[i].x() - 68, spots[i].y() - 68, 136, 136);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 40));
        p.drawEllipse(QPointF(box.center().x(), box.bottom() - 4), 50, 10);
        drawEmoji(p, box, s.friends[i]);
    }
    return img;
}

} // namespace tools::mathart

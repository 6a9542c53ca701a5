#include "tools/lib/ThingArt.h"

#include "tools/lib/ArtKit.h"

#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRegularExpression>
#include <QtMath>
#include <functional>
#include <map>

namespace tools::art {
namespace {

// Every drawing works in a 200 x 200 square, the ground at about y = 185.
constexpr qreal kSide = 200;

QColor rgb(int hex) {
    return QColor((hex >> 16) & 0xff, (hex >> 8) & 0xff, hex & 0xff);
}

QPainterPath oval(qreal cx, qreal cy, qreal rx, qreal ry) {
    QPainterPath p;
    p.addEllipse(QPointF(cx, cy), rx, ry);
    return p;
}

QPainterPath box(qreal x, qreal y, qreal w, qreal h, qreal radius = 0) {
    QPainterPath p;
    if (radius > 0)
        p.addRoundedRect(QRectF(x, y, w, h), radius, radius);
    else
        p.addRect(QRectF(x, y, w, h));
    return p;
}

QPainterPath poly(std::initializer_list<QPointF> pts) {
    QPainterPath p;
    p.addPolygon(QPolygonF(QList<QPointF>(pts)));
    p.closeSubpath();
    return p;
}

// A filled shape with the darker rim all pictures share.
void fill(QPainter& p, const QPainterPath& path, const QColor& c, qreal rim = 3) {
    if (rim > 0)
        p.setPen(QPen(shade(c, -0.5), rim, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    else
        p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPath(path);
}

void line(QPainter& p, QPointF a, QPointF b, const QColor& c, qreal width) {
    p.setPen(QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(a, b);
}

void curve(QPainter& p, const QPainterPath& path, const QColor& c, qreal width) {
    p.setPen(QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

// A thick limb or stalk with a rim: the rim drawn wider underneath.
void limb(QPainter& p, const QPainterPath& path, const QColor& c, qreal width) {
    curve(p, path, shade(c, -0.5), width + 5);
    curve(p, path, c, width);
}

void limb(QPainter& p, QPointF a, QPointF b, const QColor& c, qreal width) {
    QPainterPath path(a);
    path.lineTo(b);
    limb(p, path, c, width);
}

// A soft white highlight.
void glint(QPainter& p, qreal cx, qreal cy, qreal rx, qreal ry) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 150));
    p.drawEllipse(QPointF(cx, cy), rx, ry);
}

void eye(QPainter& p, QPointF c, qreal r) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x22, 0x1e, 0x2a));
    p.drawEllipse(c, r, r);
    p.setBrush(Qt::white);
    p.drawEllipse(c + QPointF(-r * 0.35, -r * 0.35), r * 0.38, r * 0.38);
}

void dot(QPainter& p, QPointF c, qreal r, const QColor& colour) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(c, r, r);
}

void shadowUnder(QPainter& p, qreal cx, qreal cy, qreal rx) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 40));
    p.drawEllipse(QPointF(cx, cy), rx, rx * 0.16);
}

// A flat label text in a drawing (digits, "1+1=2").
void label(QPainter& p, const QRectF& r, const QString& text, const QColor& c, qreal px) {
    QFont f = cjkFont(px, QFont::Black);
    p.setFont(f);
    p.setPen(c);
    p.drawText(r, Qt::AlignCenter, text);
}

// Water droplets, for rain and sprinklers.
void drop(QPainter& p, QPointF at, qreal size, const QColor& c = rgb(0x3aa0f0)) {
    QPainterPath d(at + QPointF(0, -size));
    d.cubicTo(at + QPointF(size * 0.2, -size * 0.4), at + QPointF(size * 0.6, 0),
              at + QPointF(0, size * 0.45));
    d.cubicTo(at + QPointF(-size * 0.6, 0), at + QPointF(-size * 0.2, -size * 0.4),
              at + QPointF(0, -size));
    fill(p, d, c, 1.5);
}

void bubble(QPainter& p, QPointF c, qreal r) {
    p.setPen(QPen(QColor(255, 255, 255, 220), 2));
    p.setBrush(QColor(255, 255, 255, 60));
    p.drawEllipse(c, r, r);
}

void steam(QPainter& p, qreal x, qreal y, qreal h) {
    for (int k = -1; k <= 1; ++k) {
        QPainterPath s(QPointF(x + k * 14, y));
        s.cubicTo(QPointF(x + k * 14 - 10, y - h / 3), QPointF(x + k * 14 + 10, y - h * 2 / 3),
                  QPointF(x + k * 14, y - h));
        curve(p, s, QColor(255, 255, 255, 200), 5);
    }
}

// ---- Animals ----

void mole(QPainter& p) {
    fill(p, oval(100, 170, 90, 26), rgb(0x9a6a3c));
    for (int i = 0; i < 9; ++i)
        dot(p, QPointF(32 + i * 17, 166 + (i % 3) * 7), 4, rgb(0x6e4826));
    QPainterPath body;
    body.moveTo(45, 165);
    body.cubicTo(40, 70, 160, 60, 158, 165);
    body.closeSubpath();
    fill(p, body, rgb(0x5a4a48));
    fill(p, oval(100, 135, 30, 30), rgb(0x7a6866), 0);
    // Big digging paws.
    for (int s : {-1, 1}) {
        QPainterPath paw;
        paw.addEllipse(QPointF(100 + s * 52, 160), 20, 14);
        fill(p, paw, rgb(0xf4a6b0));
        for (int k = -1; k <= 1; ++k)
            line(p, QPointF(100 + s * 52 + k * 8, 168), QPointF(100 + s * 52 + k * 10, 178),
                 rgb(0xc86a78), 3);
    }
    eye(p, QPointF(84, 108), 3.5);
    eye(p, QPointF(116, 108), 3.5);
    fill(p, oval(100, 126, 14, 11), rgb(0xff7e98));
    glint(p, 96, 122, 5, 3);
    for (int s : {-1, 1})
        for (int k = 0; k < 3; ++k)
            line(p, QPointF(100 + s * 14, 128 + k * 3), QPointF(100 + s * 40, 122 + k * 8),
                 rgb(0x3a2e2c), 1.5);
    glint(p, 78, 96, 14, 7);
}

// A four-legged animal seen from the side, facing right.
void quadruped(QPainter& p, const QColor& coat, const QColor& belly, qreal legLen) {
    const qreal top = 185 - legLen;
    // Slender legs: a thigh narrowing to a bent knee (the hind ones bend back), a thin
    // shank and a dark hoof.
    for (qreal x : {62.0, 78.0, 126.0, 142.0}) {
        const bool hind = x < 100;
        const QPointF hip(x, top - 10), knee(x + (hind ? -6 : 4), top + legLen * 0.45),
            foot(x + (hind ? 0 : 2), 181);
        fill(p,
             poly({hip + QPointF(-9, 0), hip + QPointF(9, 0), knee + QPointF(3, 0),
                   knee + QPointF(-3, 0)}),
             shade(coat, -0.08), 2.5);
        limb(p, knee, foot, shade(coat, -0.08), 4);
        fill(p, box(foot.x() - 4, foot.y() - 2, 8, 6, 2), rgb(0x3a2a22), 0);
    }
    fill(p, oval(100, top - 20, 55, 26), coat);
    fill(p, oval(104, top - 6, 36, 9), belly, 0);
}

void antelope(QPainter& p) {
    shadowUnder(p, 100, 186, 70);
    const QColor coat = rgb(0xd89a52);
    quadruped(p, coat, rgb(0xfff4e0), 70);
    line(p, QPointF(60, 98), QPointF(140, 98), rgb(0x6a3e1c), 5); // side stripe
    fill(p, oval(48, 92, 9, 13), rgb(0xfff4e0), 0);               // white rump
    limb(p, QPointF(44, 84), QPointF(36, 100), rgb(0x6a3e1c), 4); // tail
    QPainterPath neck;
    neck.moveTo(130, 96);
    neck.lineTo(148, 50);
    neck.lineTo(164, 56);
    neck.lineTo(152, 100);
    neck.closeSubpath();
    fill(p, neck, coat);
    // Long ringed horns sweeping back.
    for (int k = 0; k < 2; ++k) {
        QPainterPath horn(QPointF(150 + k * 8, 38));
        horn.cubicTo(QPointF(146 + k * 8, 24), QPointF(140 + k * 8, 14), QPointF(128 + k * 8, 8));
        limb(p, horn, rgb(0x3a2a22), 5);
    }
    QPainterPath head;
    head.addEllipse(QPointF(160, 46), 15, 12);
    head.addEllipse(QPointF(176, 54), 10, 8);
    fill(p, head.simplified(), coat);
    fill(p, poly({{146, 36}, {136, 26}, {152, 34}}), coat, 2); // ear
    dot(p, QPointF(164, 56), 3, QColor(0x22, 0x1e, 0x2a));
    eye(p, QPointF(162, 42), 3.5);
    fill(p, oval(172, 46, 8, 2), rgb(0x6a3e1c), 0);
}

void centipede(QPainter& p) {
    const int n = 11;
    for (int i = n - 1; i >= 0; --i) {
        const qreal t = qreal(i) / (n - 1);
        const QPointF c(30 + 140 * t, 120 + 34 * std::sin(t * 6.0));
        const QPointF next(30 + 140 * (t + 0.1), 120 + 34 * std::sin((t + 0.1) * 6.0));
        const QPointF dir = next - c;
        const qreal len = std::hypot(dir.x(), dir.y());
        const QPointF normal(-dir.y() / len, dir.x() / len);
        if (i > 0)
            for (int s : {-1, 1}) {
                QPainterPath leg(c);
                leg.quadTo(c + normal * s * 24 + QPointF(0, -4), c + normal * s * 30 + dir * 0.3);
                curve(p, leg, rgb(0xffc23a), 4);
            }
        fill(p, oval(c.x(), c.y(), i == n - 1 ? 15 : 13, i == n - 1 ? 13 : 11),
             i == n - 1 ? rgb(0xb8302a) : (i % 2 ? rgb(0xd8462a) : rgb(0xe86a2a)));
        glint(p, c.x() - 3, c.y() - 5, 5, 2.5);
    }
    const QPointF head(170, 120 + 34 * std::sin(6.0));
    for (int s : {-1, 1}) {
        QPainterPath a(head + QPointF(6, s * 4));
        a.cubicTo(head + QPointF(20, s * 6), head + QPointF(22, s * 24),
                  head + QPointF(30, s * 30));
        curve(p, a, rgb(0x5a1e18), 3);
    }
    eye(p, head + QPointF(6, -5), 3);
    eye(p, head + QPointF(6, 5), 3);
}

void walrus(QPainter& p) {
    fill(p, box(0, 150, 200, 50, 18), rgb(0xe8f6ff));
    const QColor skin = rgb(0xa8705a);
    QPainterPath body;
    body.moveTo(30, 160);
    body.cubicTo(10, 90, 110, 50, 150, 90);
    body.cubicTo(185, 120, 175, 165, 150, 165);
    body.closeSubpath();
    fill(p, body, skin);
    fill(p, oval(55, 160, 22, 9), shade(skin, -0.15)); // flipper
    fill(p, oval(150, 158, 22, 10), shade(skin, -0.15));
    // Tusks.
    for (qreal s : {-1.0, 1.0})
        fill(
            p,
            poly({{138 + s * 9, 110}, {138 + s * 13, 112}, {138 + s * 7, 168}, {138 + s * 5, 166}}),
            rgb(0xfffaf0), 2);
    fill(p, oval(128, 102, 14, 12), rgb(0xd8a890)); // whisker pads
    fill(p, oval(150, 102, 14, 12), rgb(0xd8a890));
    for (int k = 0; k < 4; ++k) {
        dot(p, QPointF(124 + k * 3, 100 + (k % 2) * 5), 1.4, rgb(0x5a3020));
        dot(p, QPointF(146 + k * 3, 100 + (k % 2) * 5), 1.4, rgb(0x5a3020));
    }
    dot(p, QPointF(139, 92), 5, rgb(0x4a2a20));
    eye(p, QPointF(126, 80), 4);
    eye(p, QPointF(152, 80), 4);
    glint(p, 70, 90, 20, 10);
}

void seaLion(QPainter& p) {
    fill(p, poly({{20, 200}, {40, 160}, {90, 145}, {150, 150}, {180, 200}}), rgb(0x8a8f9a));
    const QColor skin = rgb(0x7a4e30);
    QPainterPath body;
    body.moveTo(60, 160);
    body.cubicTo(50, 110, 80, 90, 100, 70);
    body.lineTo(128, 76);
    body.cubicTo(130, 110, 140, 140, 130, 160);
    body.closeSubpath();
    fill(p, body, skin);
    fill(p, oval(70, 160, 26, 8), shade(skin, -0.15)); // flippers
    fill(p, oval(135, 156, 22, 8), shade(skin, -0.15));
    QPainterPath head;
    head.addEllipse(QPointF(112, 66), 18, 15);
    head.addEllipse(QPointF(130, 62), 13, 9);
    fill(p, head.simplified(), skin);
    dot(p, QPointF(142, 60), 3, QColor(0x22, 0x1e, 0x2a));
    eye(p, QPointF(114, 60), 3.5);
    fill(p, oval(100, 58, 3, 5), shade(skin, -0.3), 0); // ear flap
    for (int k = 0; k < 3; ++k)
        line(p, QPointF(134, 66 + k * 2), QPointF(150, 64 + k * 6), rgb(0x2a1a10), 1.2);
    // A striped ball balanced on the nose.
    const QRectF ball(122, 10, 40, 40);
    fill(p, oval(ball.center().x(), ball.center().y(), 20, 20), rgb(0xf04a4a));
    p.setPen(Qt::NoPen);
    p.setBrush(rgb(0xffe04a));
    p.drawChord(ball, 60 * 16, 60 * 16);
    p.setBrush(rgb(0x3a8af0));
    p.drawChord(ball, 240 * 16, 60 * 16);
    glint(p, 134, 20, 5, 3);
    glint(p, 86, 110, 8, 16);
}

void furSeal(QPainter& p) {
    fill(p, poly({{0, 200}, {10, 150}, {60, 136}, {150, 140}, {196, 160}, {200, 200}}),
         rgb(0x9aa0a8));
    const QColor fur = rgb(0x4e3a2e);
    QPainterPath body;
    body.moveTo(20, 150);
    body.cubicTo(30, 110, 110, 96, 140, 110);
    body.cubicTo(150, 130, 140, 150, 120, 150);
    body.closeSubpath();
    fill(p, body, fur);
    fill(p, oval(110, 140, 26, 9), shade(fur, 0.2), 0); // pale chest
    fill(p, oval(28, 150, 18, 7), shade(fur, -0.1));    // tail flippers
    fill(p, oval(118, 150, 20, 7), shade(fur, -0.1));
    QPainterPath head;
    head.addEllipse(QPointF(146, 96), 22, 20);
    head.addEllipse(QPointF(166, 104), 12, 9);
    fill(p, head.simplified(), fur);
    fill(p, oval(134, 78, 4, 7), shade(fur, -0.3), 2); // small ear
    for (int k = 0; k < 4; ++k)                        // thick fur
        line(p, QPointF(50 + k * 20, 122), QPointF(56 + k * 20, 116), shade(fur, 0.25), 2);
    eye(p, QPointF(146, 90), 4.5);
    eye(p, QPointF(160, 90), 4.5);
    dot(p, QPointF(176, 102), 3.5, QColor(0x11, 0x0e, 0x0c));
    for (int s : {-1, 1})
        line(p, QPointF(168, 108), QPointF(190, 104 + s * 8 + 6), rgb(0xe8e0d0), 1.3);
}

void manatee(QPainter& p) {
    for (int k = 0; k < 3; ++k) { // seaweed
        QPainterPath w(QPointF(20 + k * 80, 200));
        w.cubicTo(QPointF(10 + k * 80, 170), QPointF(34 + k * 80, 160), QPointF(22 + k * 80, 130));
        curve(p, w, rgb(0x2fa84a), 7);
    }
    const QColor skin = rgb(0x8c98a4);
    QPainterPath body;
    body.addEllipse(QPointF(95, 100), 70, 40);
    body.addEllipse(QPointF(18, 110), 18, 22); // round paddle tail
    fill(p, body.simplified(), skin);
    fill(p, oval(90, 128, 14, 7), shade(skin, -0.15)); // flipper
    QPainterPath face;
    face.addEllipse(QPointF(160, 100), 22, 20);
    fill(p, face, shade(skin, 0.1));
    for (int k = 0; k < 3; ++k)
        line(p, QPointF(70 + k * 16, 76), QPointF(74 + k * 16, 90), shade(skin, -0.2), 2);
    eye(p, QPointF(158, 88), 3);
    dot(p, QPointF(174, 100), 2, rgb(0x3a4048));
    dot(p, QPointF(174, 108), 2, rgb(0x3a4048));
    for (int k = 0; k < 5; ++k)
        dot(p, QPointF(164 + (k % 3) * 5, 104 + (k / 3) * 6), 1.2, rgb(0x3a4048));
    glint(p, 90, 76, 30, 8);
    for (int k = 0; k < 4; ++k)
        bubble(p, QPointF(180 + (k % 2) * 6, 70 - k * 16), 3 + k);
}

// A perching songbird, facing right.
void perchingBird(QPainter& p, const QColor& body, const QColor& head, const QColor& cheek,
                  bool bib) {
    limb(p, QPointF(10, 170), QPointF(190, 160), rgb(0x8a5a32), 8); // branch
    fill(p, oval(150, 150, 10, 6), rgb(0x4fb84a));
    limb(p, QPointF(94, 150), QPointF(92, 166), rgb(0xd8a070), 2.5);
    limb(p, QPointF(108, 150), QPointF(110, 165), rgb(0xd8a070), 2.5);
    QPainterPath tail;
    tail.moveTo(62, 120);
    tail.lineTo(20, 140);
    tail.lineTo(28, 150);
    tail.lineTo(72, 136);
    tail.closeSubpath();
    fill(p, tail, shade(body, -0.2));
    fill(p, oval(100, 122, 40, 30), body);
    fill(p, oval(106, 134, 26, 14), rgb(0xefe4d4), 0); // pale belly
    QPainterPath wing;
    wing.moveTo(70, 112);
    wing.cubicTo(90, 100, 120, 106, 118, 124);
    wing.cubicTo(100, 136, 80, 134, 70, 112);
    fill(p, wing, shade(body, -0.15));
    for (int k = 0; k < 3; ++k)
        line(p, QPointF(82 + k * 10, 114), QPointF(90 + k * 10, 128), shade(body, -0.5), 2.5);
    fill(p, oval(132, 88, 24, 22), head);
    fill(p, oval(138, 96, 13, 10), cheek, 0);
    if (bib)
        fill(p, oval(140, 110, 9, 6), rgb(0x2a2420), 0);
    fill(p, poly({{152, 86}, {170, 92}, {152, 98}}), rgb(0x4a3a30), 2);
    eye(p, QPointF(140, 84), 4);
}

void sparrow(QPainter& p) {
    perchingBird(p, rgb(0xa8703a), rgb(0x8a4e2a), rgb(0xf0ece4), true);
}

void ostrich(QPainter& p) {
    shadowUnder(p, 96, 188, 50);
    const QColor leg = rgb(0xf0a0a0);
    limb(p, QPointF(84, 120), QPointF(76, 186), leg, 7);
    limb(p, QPointF(106, 120), QPointF(118, 186), leg, 7);
    fill(p, oval(72, 188, 10, 4), leg, 2);
    fill(p, oval(124, 188, 10, 4), leg, 2);
    // A black body with a white plume for a tail.
    for (int k = 0; k < 3; ++k)
        fill(p, oval(40, 84 + k * 12, 20, 10), rgb(0xfafafa), 2);
    fill(p, oval(88, 100, 50, 32), rgb(0x2a2a30));
    for (int k = 0; k < 3; ++k) {
        QPainterPath f;
        f.arcMoveTo(QRectF(58 + k * 14, 84, 40, 30), 200);
        f.arcTo(QRectF(58 + k * 14, 84, 40, 30), 200, 140);
        curve(p, f, rgb(0x5a5a66), 2.5);
    }
    QPainterPath neck(QPointF(122, 96));
    neck.cubicTo(QPointF(140, 80), QPointF(128, 50), QPointF(138, 26));
    limb(p, neck, leg, 10);
    fill(p, oval(144, 22, 13, 11), rgb(0xb8a8a0));
    fill(p, poly({{154, 20}, {172, 24}, {154, 29}}), rgb(0xe8a070), 2);
    eye(p, QPointF(146, 18), 4);
    for (int k = 0; k < 3; ++k)
        line(p, QPointF(143 + k, 16), QPointF(141 + k * 3, 12), QColor(0x22, 0x1e, 0x2a), 1);
}

void carp(QPainter& p) {
    const QColor gold = rgb(0xf79a2a);
    QPainterPath tail;
    tail.moveTo(48, 100);
    tail.cubicTo(30, 80, 14, 60, 8, 56);
    tail.cubicTo(18, 84, 18, 116, 8, 144);
    tail.cubicTo(14, 140, 30, 120, 48, 100);
    fill(p, tail, rgb(0xe8542a));
    fill(p, poly({{90, 66}, {110, 40}, {140, 56}, {136, 72}}), rgb(0xe8542a)); // dorsal fin
    fill(p, poly({{96, 130}, {104, 150}, {120, 132}}), rgb(0xe8542a));
    QPainterPath body;
    body.moveTo(44, 100);
    body.cubicTo(70, 56, 150, 50, 180, 96);
    body.cubicTo(150, 144, 70, 140, 44, 100);
    fill(p, body, gold);
    // Scales.
    p.save();
    p.setClipPath(body);
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 7; ++c) {
            QPainterPath arc;
            const QPointF at(64 + c * 14 + (r % 2) * 7, 66 + r * 14);
            arc.arcMoveTo(QRectF(at, QSizeF(14, 14)), 90);
            arc.arcTo(QRectF(at, QSizeF(14, 14)), 90, -180);
            curve(p, arc, shade(gold, -0.25), 1.6);
        }
    p.restore();
    fill(p, poly({{128, 112}, {112, 128}, {104, 114}}), rgb(0xe8542a), 2); // pectoral fin
    QPainterPath barbel(QPointF(176, 104));
    barbel.cubicTo(QPointF(184, 110), QPointF(186, 118), QPointF(190, 122));
    curve(p, barbel, rgb(0xc8541a), 2.5);
    eye(p, QPointF(160, 88), 5);
    glint(p, 110, 76, 24, 6);
}

// ---- Clothing ----

// The outline of a top with long or short sleeves, hanging open on a hanger line.
QPainterPath topShape(qreal sleeveEnd, qreal hem = 180) {
    QPainterPath s;
    s.moveTo(78, 26);
    s.lineTo(40, 38);
    s.lineTo(12, sleeveEnd);
    s.lineTo(34, sleeveEnd + 8);
    s.lineTo(52, 80);
    s.lineTo(52, hem);
    s.lineTo(148, hem);
    s.lineTo(148, 80);
    s.lineTo(166, sleeveEnd + 8);
    s.lineTo(188, sleeveEnd);
    s.lineTo(160, 38);
    s.lineTo(122, 26);
    s.cubicTo(116, 40, 84, 40, 78, 26);
    s.closeSubpath();
    return s;
}

void shirt(QPainter& p) {
    const QColor c = rgb(0xaad4ff);
    fill(p, topShape(150), c);
    fill(p, poly({{78, 26}, {100, 48}, {86, 58}, {70, 34}}), Qt::white);
    fill(p, poly({{122, 26}, {100, 48}, {114, 58}, {130, 34}}), Qt::white);
    line(p, QPointF(100, 48), QPointF(100, 180), shade(c, -0.35), 2);
    for (int k = 0; k < 5; ++k)
        dot(p, QPointF(106, 64 + k * 24), 3.5, Qt::white);
    fill(p, box(118, 72, 20, 20, 3), shade(c, -0.08), 2); // pocket
    fill(p, box(12, 150, 22, 10, 2), Qt::white, 2);       // cuffs
    fill(p, box(166, 150, 22, 10, 2), Qt::white, 2);
}

void sweater(QPainter& p) {
    const QColor c = rgb(0xe84a5a);
    fill(p, topShape(150, 170), c);
    p.save();
    p.setClipPath(topShape(150, 170));
    for (int k = 0; k < 9; ++k) { // white zigzag band
        fill(p,
             poly({{qreal(50 + k * 12), 100}, {qreal(56 + k * 12), 90}, {qreal(62 + k * 12), 100}}),
             Qt::white, 0);
        dot(p, QPointF(56 + k * 12, 112), 2.5, rgb(0xffe04a));
    }
    p.restore();
    fill(p, box(52, 164, 96, 16, 4), shade(c, -0.15)); // ribbed hem and cuffs
    for (int k = 0; k < 12; ++k)
        line(p, QPointF(58 + k * 8, 167), QPointF(58 + k * 8, 177), shade(c, -0.4), 1.5);
    fill(p, box(10, 146, 26, 14, 4), shade(c, -0.15));
    fill(p, box(164, 146, 26, 14, 4), shade(c, -0.15));
    QPainterPath neck;
    neck.moveTo(78, 26);
    neck.cubicTo(84, 44, 116, 44, 122, 26);
    curve(p, neck, shade(c, -0.3), 7);
}

void jacket(QPainter& p) {
    const QColor c = rgb(0x3aa860);
    fill(p, topShape(146, 160), c);
    fill(p, box(52, 154, 96, 16, 4), shade(c, -0.2)); // elastic hem and cuffs
    fill(p, box(10, 142, 26, 14, 4), shade(c, -0.2));
    fill(p, box(164, 142, 26, 14, 4), shade(c, -0.2));
    fill(p, poly({{70, 24}, {100, 40}, {130, 24}, {124, 12}, {76, 12}}), shade(c, -0.15));
    line(p, QPointF(100, 40), QPointF(100, 168), rgb(0xd8d8d8), 4); // zip
    fill(p, box(96, 46, 8, 12, 2), rgb(0xc0c0c8), 1.5);
    for (int s : {-1, 1})
        line(p, QPointF(100 + s * 22, 110), QPointF(100 + s * 34, 134), shade(c, -0.45), 3);
}

void pajamas(QPainter& p) {
    const QColor c = rgb(0xb8a0f0);
    p.save();
    p.translate(-6, -8);
    p.scale(0.72, 0.72);
    fill(p, topShape(150, 170), c);
    for (int k = 0; k < 4; ++k)
        dot(p, QPointF(100, 60 + k * 28), 4, Qt::white);
    p.restore();
    QPainterPath legs;
    legs.moveTo(122, 80);
    legs.lineTo(190, 80);
    legs.lineTo(196, 190);
    legs.lineTo(166, 190);
    legs.lineTo(156, 110);
    legs.lineTo(148, 190);
    legs.lineTo(118, 190);
    legs.closeSubpath();
    fill(p, legs, c);
    // Moons and stars on both pieces.
    for (QPointF at : {QPointF(30, 60), QPointF(88, 90), QPointF(60, 110), QPointF(136, 120),
                       QPointF(178, 150), QPointF(134, 170)}) {
        p.save();
        p.translate(at);
        p.setPen(Qt::NoPen);
        p.setBrush(rgb(0xfff07a));
        p.drawPath(starPath(7, 3));
        p.restore();
    }
    for (QPointF at : {QPointF(50, 82), QPointF(176, 110), QPointF(80, 130)}) {
        QPainterPath moon;
        moon.addEllipse(at, 7, 7);
        QPainterPath bite;
        bite.addEllipse(at + QPointF(4, -3), 6, 6);
        fill(p, moon.subtracted(bite), rgb(0xfff07a), 0);
    }
}

void raincoat(QPainter& p) {
    const QColor c = rgb(0xffd21f);
    QPainterPath coat;
    coat.moveTo(70, 40);
    coat.lineTo(40, 60);
    coat.lineTo(18, 140);
    coat.lineTo(40, 146);
    coat.lineTo(56, 96);
    coat.lineTo(46, 188);
    coat.lineTo(154, 188);
    coat.lineTo(144, 96);
    coat.lineTo(160, 146);
    coat.lineTo(182, 140);
    coat.lineTo(160, 60);
    coat.lineTo(130, 40);
    coat.closeSubpath();
    fill(p, coat, c);
    QPainterPath hood;
    hood.moveTo(66, 50);
    hood.cubicTo(60, 0, 140, 0, 134, 50);
    hood.cubicTo(120, 40, 80, 40, 66, 50);
    fill(p, hood, shade(c, -0.08));
    fill(p, oval(100, 40, 22, 16), shade(c, -0.35), 0);
    line(p, QPointF(100, 56), QPointF(100, 188), shade(c, -0.4), 2.5);
    for (int k = 0; k < 4; ++k)
        fill(p, box(94, 70 + k * 28, 12, 6, 3), rgb(0x3a6ac0), 1.5);
    for (QPointF at : {QPointF(20, 30), QPointF(180, 24), QPointF(28, 80), QPointF(184, 90),
                       QPointF(12, 176), QPointF(188, 176)})
        drop(p, at, 9);
}

void belt(QPainter& p) {
    const QColor leather = rgb(0x8a4e2a);
    QPainterPath strap(QPointF(16, 150));
    strap.cubicTo(QPointF(10, 60), QPointF(190, 60), QPointF(184, 120));
    strap.cubicTo(QPointF(180, 160), QPointF(80, 170), QPointF(60, 120));
    limb(p, strap, leather, 20);
    for (qreal t : {0.55, 0.62, 0.69, 0.76}) {
        const QPointF at = strap.pointAtPercent(t);
        dot(p, at, 3, rgb(0x3a2010));
    }
    // Buckle.
    const QPointF b = strap.pointAtPercent(0.05);
    QPainterPath frame;
    frame.addRoundedRect(QRectF(b.x() - 16, b.y() - 22, 32, 44), 8, 8);
    QPainterPath hole;
    hole.addRoundedRect(QRectF(b.x() - 8, b.y() - 14, 16, 28), 4, 4);
    fill(p, frame.subtracted(hole), rgb(0xf0c030));
    line(p, b + QPointF(-10, 0), b + QPointF(10, 0), rgb(0xc09020), 3);
}

void handkerchief(QPainter& p) {
    p.save();
    p.translate(100, 104);
    p.rotate(-8);
    const QRectF sq(-72, -72, 144, 144);
    fill(p, box(sq.x(), sq.y(), sq.width(), sq.height(), 6), Qt::white);
    p.setPen(Qt::NoPen);
    for (int k = 0; k < 6; ++k) {
        p.setBrush(QColor(0x3a, 0x8a, 0xf0, 90));
        p.drawRect(QRectF(sq.x() + 8 + k * 22, sq.y() + 6, 10, sq.height() - 12));
        p.drawRect(QRectF(sq.x() + 6, sq.y() + 8 + k * 22, sq.width() - 12, 10));
    }
    p.setPen(QPen(rgb(0x2a6ad0), 3, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(sq.adjusted(6, 6, -6, -6));
    // One corner folded over.
    fill(p, poly({{72, 30}, {72, 72}, {30, 72}}), rgb(0xe8f0ff), 2);
    p.restore();
    for (int k = 0; k < 3; ++k) // a little flower embroidered
        dot(p, QPointF(60 + k * 6, 66 + (k % 2) * 6), 4, rgb(0xf05a8a));
}

void skirt(QPainter& p) {
    const QColor c = rgb(0xff7eb6);
    QPainterPath s;
    s.moveTo(64, 50);
    s.lineTo(136, 50);
    s.lineTo(180, 170);
    s.quadTo(100, 186, 20, 170);
    s.closeSubpath();
    fill(p, s, c);
    for (int k = 1; k < 6; ++k) // pleats
        line(p, QPointF(64 + k * 12, 60), QPointF(20 + k * 27, 176), shade(c, -0.25), 2);
    fill(p, box(60, 36, 80, 18, 5), shade(c, -0.25));
    fill(p, oval(100, 45, 7, 7), rgb(0xffffff), 2);
}

void trousers(QPainter& p) {
    const QColor c = rgb(0x8a7a62);
    QPainterPath t;
    t.moveTo(56, 20);
    t.lineTo(144, 20);
    t.lineTo(156, 188);
    t.lineTo(112, 188);
    t.lineTo(100, 70);
    t.lineTo(88, 188);
    t.lineTo(44, 188);
    t.closeSubpath();
    fill(p, t, c);
    fill(p, box(56, 14, 88, 14, 2), shade(c, -0.2));
    for (qreal x : {66.0, 100.0, 134.0})
        fill(p, box(x - 3, 12, 6, 18, 1), shade(c, -0.35), 1.5);
    line(p, QPointF(70, 34), QPointF(66, 186), shade(c, -0.3), 1.5); // creases
    line(p, QPointF(130, 34), QPointF(134, 186), shade(c, -0.3), 1.5);
    line(p, QPointF(100, 28), QPointF(100, 62), shade(c, -0.4), 2);
}

// ---- Vehicles ----

void wheel(QPainter& p, QPointF c, qreal r, bool spokes = false) {
    fill(p, oval(c.x(), c.y(), r, r), rgb(0x33333a));
    fill(p, oval(c.x(), c.y(), r * 0.5, r * 0.5), rgb(0xd8d8e0), 2);
    if (spokes)
        for (int k = 0; k < 6; ++k) {
            const qreal a = k * M_PI / 3;
            line(p, c, c + QPointF(std::cos(a), std::sin(a)) * r * 0.85, rgb(0xd8d8e0), 2);
        }
}

void submarine(QPainter& p) {
    const QColor c = rgb(0xffc81f);
    fill(p, box(88, 40, 40, 40, 8), c);                            // tower
    limb(p, QPointF(112, 40), QPointF(112, 14), rgb(0x8a8f9a), 4); // periscope
    limb(p, QPointF(112, 14), QPointF(126, 14), rgb(0x8a8f9a), 4);
    fill(p, poly({{24, 100}, {8, 80}, {8, 130}}), shade(c, -0.2)); // propeller fins
    fill(p, box(20, 70, 164, 64, 32), c);
    for (int k = 0; k < 4; ++k) {
        fill(p, oval(64 + k * 30, 100, 10, 10), rgb(0x8ad8ff), 3);
        glint(p, 61 + k * 30, 97, 4, 3);
    }
    glint(p, 100, 80, 60, 5);
    for (int k = 0; k < 5; ++k)
        bubble(p, QPointF(186 - (k % 2) * 8, 60 - k * 12), 3 + k);
}

void sprinklerTruck(QPainter& p) {
    fill(p, box(130, 70, 56, 80, 10), rgb(0x2fa84a)); // cab
    fill(p, box(142, 80, 34, 28, 5), rgb(0xbfe8ff), 2);
    fill(p, box(24, 62, 112, 76, 36), rgb(0xf0f4f8)); // tank
    line(p, QPointF(40, 100), QPointF(120, 100), rgb(0x2fa84a), 8);
    fill(p, box(14, 146, 176, 12, 4), rgb(0x5a5f6a));
    wheel(p, QPointF(48, 160), 16);
    wheel(p, QPointF(158, 160), 16);
    // Water fanning out behind.
    for (int k = 0; k < 3; ++k) {
        QPainterPath jet(QPointF(22, 140));
        jet.quadTo(QPointF(10, 120 - k * 14), QPointF(6, 170 + k * 4));
        curve(p, jet, QColor(0x3a, 0xa0, 0xf0, 170), 4);
    }
    for (QPointF at : {QPointF(12, 120), QPointF(16, 184), QPointF(10, 150)})
        drop(p, at, 6);
}

void carriage(QPainter& p) {
    const QColor wood = rgb(0xb8703a);
    limb(p, QPointF(70, 130), QPointF(110, 124), rgb(0x6a3e1c), 5); // shafts
    fill(p, box(96, 96, 90, 40, 6), wood);
    fill(p, box(100, 56, 82, 44, 10), rgb(0xe84a5a)); // canopy
    fill(p, box(110, 66, 30, 26, 4), rgb(0xffefd0), 2);
    wheel(p, QPointF(142, 150), 30, true);
    drawEmoji(p, QRectF(0, 64, 104, 104), QStringLiteral("🐎"));
}

void rickshaw(QPainter& p) {
    const QColor c = rgb(0xd8302a);
    limb(p, QPointF(58, 112), QPointF(118, 128), rgb(0x4a2a1a), 5); // poles
    QPainterPath seat;
    seat.moveTo(110, 130);
    seat.lineTo(180, 130);
    seat.lineTo(184, 60);
    seat.cubicTo(150, 40, 120, 60, 118, 96);
    seat.closeSubpath();
    fill(p, seat, c);
    fill(p, box(112, 96, 56, 14, 4), rgb(0xffd04a));
    wheel(p, QPointF(150, 148), 34, true);
    drawEmoji(p, QRectF(0, 70, 90, 110), QStringLiteral("🏃"));
}

void hotAirBalloon(QPainter& p) {
    // Striped envelope, ropes and a wicker basket.
    const QColor stripes[] = {rgb(0xf04a4a), rgb(0xffd21f), rgb(0x3a8af0), rgb(0x3fb84a)};
    QPainterPath env;
    env.moveTo(100, 140);
    env.cubicTo(20, 100, 30, 10, 100, 10);
    env.cubicTo(170, 10, 180, 100, 100, 140);
    fill(p, env, stripes[0]);
    p.save();
    p.setClipPath(env);
    for (int k = 0; k < 7; ++k) {
        QPainterPath gore;
        const qreal x = 30 + k * 20;
        gore.moveTo(100, 0);
        gore.quadTo(x, 60, 100, 150);
        gore.quadTo(x + 20, 60, 100, 0);
        fill(p, gore, stripes[k % 4], 0);
    }
    p.restore();
    curve(p, env, shade(stripes[0], -0.5), 3);
    glint(p, 70, 46, 10, 20);
    for (int s : {-1, 1})
        line(p, QPointF(100 + s * 16, 136), QPointF(100 + s * 16, 160), rgb(0x6a4a2a), 2);
    fill(p, box(80, 158, 40, 28, 4), rgb(0xc8903a));
    for (int k = 1; k < 4; ++k)
        line(p, QPointF(80 + k * 10, 160), QPointF(80 + k * 10, 184), rgb(0x8a5a20), 1.5);
}

void boxVan(QPainter& p) {
    const QColor c = rgb(0x2e7ce0);
    QPainterPath body;
    body.moveTo(14, 150);
    body.lineTo(14, 50);
    body.quadTo(14, 40, 24, 40);
    body.lineTo(150, 40);
    body.lineTo(178, 96);
    body.lineTo(186, 100);
    body.lineTo(186, 150);
    body.closeSubpath();
    fill(p, body, c);
    fill(p, poly({{146, 50}, {170, 96}, {140, 96}, {140, 50}}), rgb(0xbfe8ff), 2);
    line(p, QPointF(134, 46), QPointF(134, 146), shade(c, -0.4), 2);
    line(p, QPointF(70, 46), QPointF(70, 146), shade(c, -0.4), 2); // sliding door
    fill(p, box(28, 66, 90, 56, 6), Qt::white, 2);                 // parcel sign on the side
    fill(p, box(56, 78, 34, 32, 2), rgb(0xd8a060), 2);
    line(p, QPointF(73, 78), QPointF(73, 110), rgb(0x8a5a20), 2);
    fill(p, box(176, 118, 12, 8, 2), rgb(0xffe04a), 1.5);
    wheel(p, QPointF(50, 152), 18);
    wheel(p, QPointF(150, 152), 18);
}

// ---- Vegetables and fruit ----

void leaf(QPainter& p, QPointF base, qreal angle, qreal len, qreal width, const QColor& c) {
    p.save();
    p.translate(base);
    p.rotate(angle);
    QPainterPath l(QPointF(0, 0));
    l.cubicTo(QPointF(width, -len * 0.3), QPointF(width * 0.8, -len * 0.8), QPointF(0, -len));
    l.cubicTo(QPointF(-width * 0.8, -len * 0.8), QPointF(-width, -len * 0.3), QPointF(0, 0));
    fill(p, l, c, 2.5);
    line(p, QPointF(0, 0), QPointF(0, -len * 0.9), shade(c, -0.3), 1.5);
    p.restore();
}

void radish(QPainter& p) {
    for (int k = -2; k <= 2; ++k)
        leaf(p, QPointF(100, 62), k * 20, 56, 16, rgb(0x3fb84a));
    QPainterPath root;
    root.moveTo(70, 60);
    root.cubicTo(70, 120, 96, 170, 104, 196);
    root.cubicTo(112, 170, 134, 120, 130, 60);
    root.closeSubpath();
    QLinearGradient g(0, 60, 0, 196);
    g.setColorAt(0, rgb(0xb8e890));
    g.setColorAt(0.35, rgb(0xf8fff0));
    g.setColorAt(1, Qt::white);
    p.setPen(QPen(rgb(0x8aa878), 3));
    p.setBrush(g);
    p.drawPath(root);
    for (int k = 0; k < 4; ++k)
        line(p, QPointF(84 + k * 4, 100 + k * 22), QPointF(92 + k * 4, 100 + k * 22), rgb(0xc8d0c0),
             1.5);
    glint(p, 86, 110, 5, 20);
}

void rapeFlower(QPainter& p) {
    for (int k = -1; k <= 1; ++k)
        limb(p, QPointF(100 + k * 6, 196), QPointF(100 + k * 34, 60), rgb(0x4fa83a), 5);
    for (int k = -2; k <= 2; ++k)
        leaf(p, QPointF(100, 190), k * 26, 70 - std::abs(k) * 6, 22, rgb(0x3a9a4a));
    for (int c = -1; c <= 1; ++c)
        for (int k = 0; k < 6; ++k) {
            const QPointF at(100 + c * 34 + std::cos(k) * 14, 50 + std::sin(k * 1.7) * 12);
            for (int petal = 0; petal < 4; ++petal)
                dot(p, at + QPointF(std::cos(petal * M_PI / 2) * 4, std::sin(petal * M_PI / 2) * 4),
                    4, rgb(0xffd81f));
            dot(p, at, 2, rgb(0xe8a010));
        }
}

void spinach(QPainter& p) {
    for (int k = -3; k <= 3; ++k) {
        leaf(p, QPointF(100 + k * 3, 160), k * 14, 130 - std::abs(k) * 10, 22, rgb(0x2a8a3a));
    }
    for (int k = -3; k <= 3; ++k)
        limb(p, QPointF(100 + k * 3, 156), QPointF(100 + k * 5, 186), rgb(0xe85a7a), 4);
    fill(p, oval(100, 160, 16, 6), rgb(0xf8b0c0), 2);
}

void chives(QPainter& p) {
    for (int k = 0; k < 12; ++k) {
        const qreal x = 74 + k * 5;
        QPainterPath blade(QPointF(x, 190));
        blade.cubicTo(QPointF(x, 120), QPointF(x + (k - 6) * 3, 60), QPointF(x + (k - 6) * 7, 10));
        curve(p, blade, rgb(0x1f7a2a), 7);
        curve(p, blade, rgb(0x4fc04a), 4);
        line(p, QPointF(x, 190), QPointF(x, 160), QColor(0xf6, 0xfa, 0xe8), 5);
    }
    fill(p, box(70, 140, 62, 12, 4), rgb(0xe8303a));
}

void celery(QPainter& p) {
    for (int k = -3; k <= 3; ++k) {
        const QPointF top(100 + k * 14, 50 + std::abs(k) * 6);
        limb(p, QPointF(100 + k * 5, 194), top, rgb(0xb8e890), 12);
        line(p, QPointF(100 + k * 5, 190), top + QPointF(0, 10), rgb(0x8ac060), 1.5);
        for (int l = -1; l <= 1; ++l)
            leaf(p, top, k * 10 + l * 30, 30, 12, rgb(0x3fa83a));
    }
}

void flatBeans(QPainter& p) {
    for (int k = 0; k < 3; ++k) {
        p.save();
        p.translate(100, 100);
        p.rotate(-30 + k * 24);
        QPainterPath pod;
        pod.moveTo(-80, 0);
        pod.cubicTo(-40, -26, 40, -26, 84, -6);
        pod.cubicTo(40, 12, -40, 16, -80, 0);
        fill(p, pod, k == 1 ? rgb(0x6ac04a) : rgb(0x4fae3a));
        for (int b = 0; b < 4; ++b)
            fill(p, oval(-44 + b * 30, -4, 11, 7), shade(rgb(0x6ac04a), 0.2), 1.5);
        fill(p, poly({{-80, 0}, {-92, -4}, {-88, 4}}), rgb(0x3a7a2a), 1.5);
        p.restore();
    }
}

void yam(QPainter& p) {
    p.save();
    p.translate(100, 100);
    p.rotate(-35);
    QPainterPath t(QPointF(-90, 0));
    t.cubicTo(QPointF(-90, -18), QPointF(90, -20), QPointF(90, 0));
    t.cubicTo(QPointF(90, 18), QPointF(-90, 20), QPointF(-90, 0));
    fill(p, t, rgb(0xb88a5a));
    for (int k = 0; k < 14; ++k)
        line(p, QPointF(-80 + k * 12, (k % 2 ? -12 : 12)),
             QPointF(-84 + k * 12, (k % 2 ? -18 : 18)), rgb(0x6a4a2a), 1.3);
    fill(p, oval(-88, 0, 8, 14), rgb(0xfff8ec), 2); // the white cut end
    p.restore();
}

void taro(QPainter& p) {
    for (int k = 0; k < 2; ++k) {
        const QPointF c(72 + k * 66, 116 - k * 10);
        fill(p, oval(c.x(), c.y(), 40, 50), rgb(0x8a6a4e));
        for (int r = 0; r < 5; ++r) {
            QPainterPath ring;
            ring.arcMoveTo(QRectF(c.x() - 40, c.y() - 46 + r * 18, 80, 20), 200);
            ring.arcTo(QRectF(c.x() - 40, c.y() - 46 + r * 18, 80, 20), 200, 140);
            curve(p, ring, rgb(0x5a3e2a), 2);
        }
        fill(p, poly({{c.x() - 6, c.y() - 46}, {c.x(), c.y() - 62}, {c.x() + 6, c.y() - 46}}),
             rgb(0xd86a9a), 2);
    }
    fill(p, oval(100, 168, 32, 18), rgb(0xf4eef8)); // a cut slice
    for (int k = 0; k < 8; ++k)
        dot(p, QPointF(80 + (k * 37 % 40), 160 + (k * 13 % 16)), 2, rgb(0xa07ab8));
}

void bitterGourd(QPainter& p) {
    p.save();
    p.translate(100, 100);
    p.rotate(-30);
    QPainterPath g(QPointF(-90, 0));
    g.cubicTo(QPointF(-70, -34), QPointF(70, -34), QPointF(92, 0));
    g.cubicTo(QPointF(70, 34), QPointF(-70, 34), QPointF(-90, 0));
    fill(p, g, rgb(0x6ac04a));
    p.save();
    p.setClipPath(g);
    for (int r = -2; r <= 2; ++r)
        for (int k = 0; k < 14; ++k)
            fill(p, oval(-78 + k * 12 + (r % 2) * 6, r * 9, 5, 3.5), rgb(0x9ae07a), 1);
    p.restore();
    limb(p, QPointF(-90, 0), QPointF(-104, -6), rgb(0x4a7a2a), 4);
    p.restore();
}

void asparagus(QPainter& p) {
    for (int k = 0; k < 7; ++k) {
        const qreal x = 64 + k * 12;
        const qreal top = 24 + (k % 3) * 10;
        limb(p, QPointF(x + (k - 3) * 3, 190), QPointF(x, top + 10), rgb(0x6ab84a), 8);
        fill(p, poly({{x - 6, top + 14}, {x, top}, {x + 6, top + 14}}), rgb(0x7a6ab0), 2);
        for (int s = 0; s < 4; ++s)
            fill(p,
                 poly({{x, top + 50 + s * 28},
                       {x + 5, top + 44 + s * 28},
                       {x + 1, top + 42 + s * 28}}),
                 rgb(0x4a8a3a), 1);
    }
    fill(p, box(58, 130, 90, 14, 4), rgb(0xe8303a));
}

void waterChestnut(QPainter& p) {
    const QPointF at[] = {{60, 130}, {140, 134}, {100, 84}};
    for (int k = 0; k < 3; ++k) {
        const QPointF c = at[k];
        const bool peeled = k == 1;
        fill(p, oval(c.x(), c.y(), 38, 28), peeled ? rgb(0xfcf8ec) : rgb(0x4a2430));
        if (!peeled)
            for (int r = 0; r < 2; ++r)
                curve(p, oval(c.x(), c.y() + 4, 30 - r * 12, 14 - r * 5), rgb(0x7a4a50), 2);
        fill(p, poly({{c.x() - 5, c.y() - 24}, {c.x() + 2, c.y() - 44}, {c.x() + 6, c.y() - 24}}),
             peeled ? rgb(0xe8e0c8) : rgb(0x8a6a50), 2);
        glint(p, c.x() - 14, c.y() - 10, 8, 4);
    }
}

void cabbage(QPainter& p) {
    shadowUnder(p, 100, 180, 70);
    fill(p, oval(100, 110, 80, 70), rgb(0x7ac85a));
    fill(p, oval(100, 114, 62, 56), rgb(0xbfe89a));
    fill(p, oval(104, 118, 42, 40), rgb(0xdaf4c0));
    for (int k = -2; k <= 2; ++k) {
        QPainterPath vein(QPointF(104, 160));
        vein.quadTo(QPointF(100 + k * 24, 120), QPointF(100 + k * 34, 70));
        curve(p, vein, rgb(0xf6fff0), 3);
    }
    // Outer leaves curling.
    for (int s : {-1, 1}) {
        QPainterPath l;
        l.moveTo(100 + s * 20, 176);
        l.cubicTo(100 + s * 100, 160, 100 + s * 96, 60, 100 + s * 50, 50);
        l.cubicTo(100 + s * 80, 90, 100 + s * 70, 150, 100 + s * 20, 176);
        fill(p, l, rgb(0x5aae4a));
    }
    glint(p, 84, 88, 14, 8);
}

void dragonFruit(QPainter& p) {
    const QColor pink = rgb(0xe8307a);
    fill(p, oval(70, 110, 48, 62), pink);
    for (int k = 0; k < 7; ++k) {
        const qreal a = -M_PI / 2 + k * 0.9;
        const QPointF at(70 + std::cos(a) * 36, 110 + std::sin(a) * 48);
        leaf(p, at, qRadiansToDegrees(a) + 90, 24, 9, k % 2 ? rgb(0x7ac84a) : rgb(0xe8609a));
    }
    glint(p, 54, 84, 10, 16);
    // Half cut open: white with black seeds.
    fill(p, oval(142, 128, 42, 52), pink);
    fill(p, oval(142, 128, 34, 44), Qt::white, 0);
    for (int k = 0; k < 40; ++k)
        dot(p,
            QPointF(142 + std::cos(k * 2.4) * (k % 7) * 4.2,
                    128 + std::sin(k * 2.4) * (k % 9) * 4.4),
            1.6, rgb(0x1a1a1a));
}

void waxApple(QPainter& p) {
    const QPointF at[] = {{60, 120}, {140, 124}, {100, 78}};
    for (const QPointF& c : at) {
        QPainterPath bell;
        bell.moveTo(c + QPointF(-10, -36));
        bell.cubicTo(c + QPointF(-44, -20), c + QPointF(-46, 40), c + QPointF(0, 40));
        bell.cubicTo(c + QPointF(46, 40), c + QPointF(44, -20), c + QPointF(10, -36));
        bell.closeSubpath();
        fill(p, bell, rgb(0xe8283a));
        fill(p, oval(c.x(), c.y() + 36, 14, 5), rgb(0xa01a2a), 2);
        glint(p, c.x() - 14, c.y() - 8, 6, 12);
        leaf(p, c + QPointF(0, -36), 30, 18, 7, rgb(0x3fa83a));
    }
}

void pomelo(QPainter& p) {
    QPainterPath fruit;
    fruit.moveTo(100, 30);
    fruit.cubicTo(140, 30, 180, 110, 170, 150);
    fruit.cubicTo(160, 196, 40, 196, 30, 150);
    fruit.cubicTo(20, 110, 60, 30, 100, 30);
    fill(p, fruit, rgb(0xd8e84a));
    for (int k = 0; k < 30; ++k)
        dot(p, QPointF(60 + (k * 37 % 80), 70 + (k * 53 % 100)), 1.4, rgb(0xa8b83a));
    glint(p, 72, 90, 12, 24);
    limb(p, QPointF(100, 32), QPointF(100, 18), rgb(0x6a4a2a), 4);
    leaf(p, QPointF(100, 22), 60, 44, 16, rgb(0x3fa83a));
    // A peeled segment beside it.
    QPainterPath seg(QPointF(140, 190));
    seg.quadTo(QPointF(196, 176), QPointF(190, 140));
    seg.quadTo(QPointF(170, 170), QPointF(140, 190));
    fill(p, seg, rgb(0xffb0a0));
}

void smokedPlums(QPainter& p) {
    fill(p, oval(100, 150, 86, 30), rgb(0xf0f4f8)); // a dish
    fill(p, oval(100, 144, 70, 20), rgb(0xd8e0ea), 0);
    const QPointF at[] = {{70, 130}, {104, 136}, {138, 130}, {88, 104}, {122, 104}};
    for (const QPointF& c : at) {
        fill(p, oval(c.x(), c.y(), 20, 18), rgb(0x3a1e28));
        for (int k = 0; k < 3; ++k) {
            QPainterPath w(c + QPointF(-12 + k * 8, -10));
            w.quadTo(c + QPointF(-8 + k * 8, 0), c + QPointF(-12 + k * 8, 10));
            curve(p, w, rgb(0x5a3040), 1.5);
        }
        glint(p, c.x() - 6, c.y() - 8, 4, 2.5);
    }
}

// ---- Household appliances ----

void knob(QPainter& p, QPointF c, qreal r, const QColor& colour = rgb(0x8a8f9a)) {
    fill(p, oval(c.x(), c.y(), r, r), colour, 2);
    line(p, c, c + QPointF(0, -r * 0.8), Qt::white, 1.5);
}

void fridge(QPainter& p) {
    const QColor c = rgb(0xd8f0ff);
    fill(p, box(50, 8, 100, 184, 14), c);
    line(p, QPointF(52, 70), QPointF(148, 70), shade(c, -0.4), 3);
    fill(p, box(132, 30, 8, 28, 4), rgb(0x8a8f9a), 2);
    fill(p, box(132, 84, 8, 50, 4), rgb(0x8a8f9a), 2);
    dot(p, QPointF(72, 100), 7, rgb(0xf04a4a)); // magnets
    dot(p, QPointF(92, 116), 7, rgb(0xffd21f));
    fill(p, box(66, 126, 40, 30, 2), Qt::white, 1.5);
    line(p, QPointF(72, 134), QPointF(100, 134), rgb(0x3a8af0), 2);
    line(p, QPointF(72, 142), QPointF(94, 142), rgb(0x3a8af0), 2);
    glint(p, 62, 40, 4, 24);
    fill(p, box(56, 190, 14, 6, 2), rgb(0x5a5f6a), 0);
    fill(p, box(130, 190, 14, 6, 2), rgb(0x5a5f6a), 0);
}

void washingMachine(QPainter& p) {
    fill(p, box(30, 20, 140, 170, 14), rgb(0xf4f6fa));
    line(p, QPointF(32, 50), QPointF(168, 50), rgb(0xa8b0bc), 2);
    knob(p, QPointF(146, 35), 9);
    fill(p, box(50, 28, 50, 14, 3), rgb(0x2a3a4a), 1.5);
    fill(p, oval(100, 118, 56, 56), rgb(0xa8b0bc));
    fill(p, oval(100, 118, 44, 44), rgb(0x8ad0ff));
    p.save();
    p.setClipPath(oval(100, 118, 44, 44));
    fill(p, box(50, 118, 100, 50), rgb(0x3a8af0), 0);
    fill(p, box(74, 110, 30, 20, 6), rgb(0xf04a8a), 0); // washing tumbling
    fill(p, box(104, 122, 24, 18, 6), rgb(0xffd21f), 0);
    p.restore();
    for (int k = 0; k < 4; ++k)
        bubble(p, QPointF(82 + k * 12, 100 - (k % 2) * 8), 4);
    glint(p, 84, 96, 10, 6);
}

void tapeRecorder(QPainter& p) {
    fill(p, box(16, 60, 168, 110, 14), rgb(0x4a5260));
    limb(p, QPointF(50, 62), QPointF(60, 36), rgb(0x8a8f9a), 6);
    limb(p, QPointF(60, 36), QPointF(140, 36), rgb(0x8a8f9a), 6);
    limb(p, QPointF(140, 36), QPointF(150, 62), rgb(0x8a8f9a), 6);
    // The cassette behind its window, with two reels.
    fill(p, box(40, 76, 120, 56, 6), rgb(0xf4e8c8));
    fill(p, box(64, 92, 72, 26, 4), rgb(0x3a3a42), 2);
    for (int s : {-1, 1}) {
        fill(p, oval(100 + s * 22, 105, 11, 11), Qt::white, 2);
        for (int k = 0; k < 3; ++k)
            line(p, QPointF(100 + s * 22, 105),
                 QPointF(100 + s * 22 + 8 * std::cos(k * 2.1), 105 + 8 * std::sin(k * 2.1)),
                 rgb(0x3a3a42), 2);
    }
    label(p, QRectF(40, 76, 120, 16), QStringLiteral("A"), rgb(0xe84a5a), 12);
    const QColor keys[] = {rgb(0xf04a4a), rgb(0x4fb84a), rgb(0xe8e8ee), rgb(0xe8e8ee),
                           rgb(0xe8e8ee)};
    for (int k = 0; k < 5; ++k)
        fill(p, box(42 + k * 24, 142, 20, 14, 3), keys[k], 2);
    // A microphone on its lead.
    QPainterPath lead(QPointF(184, 120));
    lead.cubicTo(QPointF(200, 140), QPointF(196, 180), QPointF(176, 186));
    curve(p, lead, rgb(0x2a2a30), 3);
    fill(p, box(150, 178, 28, 12, 5), rgb(0x2a2a30), 2);
    fill(p, oval(146, 184, 10, 10), rgb(0xa8b0bc), 2);
}

void juicer(QPainter& p) {
    fill(p, box(60, 150, 80, 40, 10), rgb(0xf04a5a)); // base
    for (int k = 0; k < 3; ++k)
        dot(p, QPointF(80 + k * 20, 170), 5, k == 0 ? rgb(0x4fb84a) : Qt::white);
    QPainterPath jug;
    jug.moveTo(66, 40);
    jug.lineTo(134, 40);
    jug.lineTo(126, 150);
    jug.lineTo(74, 150);
    jug.closeSubpath();
    p.setPen(QPen(rgb(0x8a9aa8), 3));
    p.setBrush(QColor(0xe8, 0xf6, 0xff, 220));
    p.drawPath(jug);
    p.save();
    p.setClipPath(jug);
    fill(p, box(60, 90, 80, 60), rgb(0xffa01f), 0);
    for (int k = 0; k < 3; ++k) // orange pieces in the juice
        fill(p, oval(82 + k * 18, 108 + (k % 2) * 18, 8, 6), rgb(0xffc86a), 1.5);
    p.restore();
    fill(p, box(62, 30, 76, 14, 5), rgb(0x4a5260));
    QPainterPath handle(QPointF(134, 60));
    handle.cubicTo(QPointF(166, 60), QPointF(166, 120), QPointF(128, 124));
    curve(p, handle, rgb(0x8a9aa8), 7);
    glint(p, 80, 70, 4, 16);
    fill(p, oval(30, 176, 18, 16), rgb(0xff9a1f)); // an orange beside
    leaf(p, QPointF(30, 162), 30, 12, 5, rgb(0x3fa83a));
}

void electricFan(QPainter& p) {
    fill(p, oval(100, 186, 50, 10), rgb(0x4a8af0));
    limb(p, QPointF(100, 184), QPointF(100, 112), rgb(0xd8dce4), 10);
    fill(p, oval(100, 72, 64, 64), rgb(0xe8f4ff));
    for (int k = 0; k < 3; ++k) {
        p.save();
        p.translate(100, 72);
        p.rotate(k * 120 + 20);
        QPainterPath blade(QPointF(0, 0));
        blade.cubicTo(QPointF(20, -10), QPointF(40, -40), QPointF(10, -52));
        blade.cubicTo(QPointF(-8, -40), QPointF(-10, -20), QPointF(0, 0));
        fill(p, blade, rgb(0x4a8af0));
        p.restore();
    }
    for (int k = 0; k < 3; ++k) // the guard
        curve(p, oval(100, 72, 20 + k * 22, 20 + k * 22), QColor(0x8a, 0x9a, 0xb0, 160), 2);
    for (int k = 0; k < 12; ++k) {
        const qreal a = k * M_PI / 6;
        line(p, QPointF(100, 72), QPointF(100 + 64 * std::cos(a), 72 + 64 * std::sin(a)),
             QColor(0x8a, 0x9a, 0xb0, 140), 1.5);
    }
    fill(p, oval(100, 72, 10, 10), rgb(0xf04a4a), 2);
    fill(p, box(84, 150, 32, 14, 4), rgb(0x4a8af0), 2);
}

void hairDryer(QPainter& p) {
    const QColor c = rgb(0xff7eb6);
    QPainterPath handle;
    handle.moveTo(76, 100);
    handle.lineTo(100, 100);
    handle.lineTo(96, 176);
    handle.quadTo(84, 184, 72, 176);
    handle.closeSubpath();
    fill(p, handle, c);
    fill(p, box(76, 126, 14, 20, 4), Qt::white, 2);
    fill(p, box(60, 60, 110, 50, 24), c); // barrel
    fill(p, oval(64, 85, 18, 26), shade(c, -0.2));
    for (int k = 0; k < 3; ++k)
        line(p, QPointF(58 + k * 6, 68), QPointF(58 + k * 6, 102), shade(c, -0.5), 2);
    fill(p, box(164, 70, 16, 30, 4), rgb(0x8a8f9a));
    for (int k = 0; k < 3; ++k) {
        QPainterPath air(QPointF(186, 72 + k * 12));
        air.cubicTo(QPointF(192, 66 + k * 12), QPointF(196, 80 + k * 12),
                    QPointF(200, 72 + k * 12));
        curve(p, air, rgb(0x7ac0ff), 3);
    }
    glint(p, 110, 70, 30, 5);
    QPainterPath cord(QPointF(84, 180));
    cord.cubicTo(QPointF(84, 200), QPointF(30, 190), QPointF(20, 196));
    curve(p, cord, rgb(0x3a3a42), 3);
}

void microwave(QPainter& p) {
    fill(p, box(14, 44, 172, 116, 12), rgb(0xe8ecf2));
    fill(p, box(26, 58, 112, 88, 6), rgb(0x3a3a42));
    fill(p, box(34, 66, 96, 72, 4), rgb(0xffd86a), 0); // lit inside
    fill(p, oval(82, 124, 36, 8), rgb(0xf4f4f8), 2);   // turntable and a bowl
    QPainterPath bowl;
    bowl.moveTo(62, 112);
    bowl.quadTo(82, 140, 102, 112);
    bowl.closeSubpath();
    fill(p, bowl, rgb(0x4a8af0), 2);
    steam(p, 82, 108, 30);
    fill(p, box(146, 58, 32, 18, 3), rgb(0x1a2a1a), 1.5);
    label(p, QRectF(146, 58, 32, 18), QStringLiteral("1:30"), rgb(0x6aff6a), 11);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 2; ++c)
            fill(p, box(148 + c * 15, 84 + r * 14, 12, 10, 2), rgb(0xb8c0cc), 1.5);
    fill(p, box(150, 130, 24, 12, 4), rgb(0x4fb84a), 1.5);
}

void inductionCooker(QPainter& p) {
    fill(p, poly({{14, 140}, {186, 140}, {176, 170}, {24, 170}}), rgb(0x2a2a30));
    fill(p, box(24, 170, 152, 10, 3), rgb(0xd8dce4));
    fill(p, oval(100, 150, 50, 10), rgb(0xf04a3a), 0); // the ring glowing
    fill(p, oval(100, 150, 40, 7), rgb(0x2a2a30), 0);
    for (int k = 0; k < 4; ++k)
        fill(p, oval(40 + k * 12, 174, 4, 2.5), k == 0 ? rgb(0x6aff6a) : rgb(0xb8c0cc), 0);
    // A pot on it.
    fill(p, box(58, 82, 84, 60, 8), rgb(0xb8c4d0));
    fill(p, oval(100, 80, 46, 10), rgb(0x8a9aa8));
    limb(p, QPointF(56, 96), QPointF(40, 92), rgb(0x3a3a42), 6);
    limb(p, QPointF(144, 96), QPointF(160, 92), rgb(0x3a3a42), 6);
    steam(p, 100, 66, 48);
    glint(p, 72, 100, 5, 14);
}

void rangeHood(QPainter& p) {
    fill(p, box(80, 0, 40, 60), rgb(0xc8d0da));
    fill(p, poly({{80, 56}, {120, 56}, {184, 110}, {16, 110}}), rgb(0xd8e0ea));
    fill(p, box(12, 108, 176, 16, 4), rgb(0xa8b0bc));
    dot(p, QPointF(60, 124), 6, rgb(0xfff07a));
    dot(p, QPointF(140, 124), 6, rgb(0xfff07a));
    for (int k = 0; k < 3; ++k)
        dot(p, QPointF(86 + k * 14, 90), 3.5, rgb(0x4a5260));
    // Steam rising from a pan into the hood.
    fill(p, box(66, 172, 68, 18, 6), rgb(0x3a3a42));
    limb(p, QPointF(134, 176), QPointF(176, 170), rgb(0x3a3a42), 6);
    for (int k = -1; k <= 1; ++k) {
        QPainterPath s(QPointF(100 + k * 18, 168));
        s.cubicTo(QPointF(86 + k * 18, 150), QPointF(114 + k * 18, 144),
                  QPointF(100 + k * 16, 130));
        curve(p, s, QColor(0x9a, 0xa8, 0xc0, 200), 5);
    }
}

void waterHeater(QPainter& p) {
    fill(p, box(30, 20, 100, 120, 40), rgb(0xf6f8fb));
    fill(p, oval(80, 66, 22, 22), rgb(0xd8dce4), 2);
    p.save();
    p.translate(80, 66);
    p.rotate(40);
    line(p, QPointF(0, 0), QPointF(0, -16), rgb(0xf04a3a), 3);
    p.restore();
    label(p, QRectF(56, 94, 48, 18), QStringLiteral("60°"), rgb(0xf04a3a), 14);
    limb(p, QPointF(64, 140), QPointF(64, 160), rgb(0xf04a3a), 6); // hot and cold pipes
    limb(p, QPointF(96, 140), QPointF(96, 160), rgb(0x3a8af0), 6);
    limb(p, QPointF(64, 160), QPointF(160, 160), rgb(0xb8c0cc), 6);
    limb(p, QPointF(160, 160), QPointF(160, 60), rgb(0xb8c0cc), 6);
    fill(p, poly({{146, 56}, {184, 56}, {176, 70}, {154, 70}}), rgb(0xb8c0cc)); // shower head
    for (int k = 0; k < 5; ++k)
        drop(p, QPointF(154 + k * 6, 86 + (k % 2) * 14), 5);
    glint(p, 48, 50, 5, 20);
}

void humidifier(QPainter& p) {
    QPainterPath body;
    body.moveTo(60, 190);
    body.cubicTo(40, 140, 50, 70, 100, 60);
    body.cubicTo(150, 70, 160, 140, 140, 190);
    body.closeSubpath();
    fill(p, body, rgb(0xbfe8ff));
    fill(p, box(60, 150, 80, 40, 10), rgb(0xf4f8fc));
    dot(p, QPointF(100, 168), 8, rgb(0x4fb84a));
    fill(p, box(88, 50, 24, 14, 4), rgb(0xf4f8fc));
    glint(p, 74, 100, 6, 20);
    // Mist.
    for (int k = 0; k < 5; ++k) {
        QPainterPath m(QPointF(100, 46));
        m.cubicTo(QPointF(90 + k * 5, 30), QPointF(110 - k * 4, 20), QPointF(70 + k * 15, 2));
        curve(p, m, QColor(0xbf, 0xe0, 0xff, 200), 7);
    }
}

void vacuumCleaner(QPainter& p) {
    fill(p, box(20, 120, 80, 60, 26), rgb(0xf04a5a)); // canister
    wheel(p, QPointF(40, 180), 10);
    wheel(p, QPointF(84, 180), 10);
    fill(p, oval(60, 136, 20, 10), rgb(0xffb0b8), 0);
    QPainterPath hose(QPointF(96, 140));
    hose.cubicTo(QPointF(130, 120), QPointF(120, 60), QPointF(150, 40));
    curve(p, hose, rgb(0x3a3a42), 12);
    curve(p, hose, rgb(0x8a8f9a), 7);
    limb(p, QPointF(150, 40), QPointF(164, 170), rgb(0xb8c0cc), 7);
    fill(p, box(140, 166, 56, 16, 6), rgb(0x3a3a42));
    for (int k = 0; k < 4; ++k)
        dot(p, QPointF(120 + k * 8, 190 - (k % 2) * 4), 2, rgb(0x9a8a7a)); // dust
}

void steamIron(QPainter& p) {
    QPainterPath sole;
    sole.moveTo(20, 150);
    sole.lineTo(170, 150);
    sole.cubicTo(170, 110, 120, 80, 60, 84);
    sole.cubicTo(30, 90, 20, 120, 20, 150);
    fill(p, sole, rgb(0x4a8af0));
    fill(p, box(16, 146, 160, 14, 5), rgb(0xd8dce4));
    QPainterPath handle(QPointF(56, 90));
    handle.cubicTo(QPointF(60, 40), QPointF(130, 40), QPointF(140, 96));
    curve(p, handle, rgb(0x2a5ab0), 16);
    curve(p, handle, rgb(0x6aa8ff), 10);
    dot(p, QPointF(90, 116), 8, rgb(0xf04a3a));
    glint(p, 110, 104, 14, 6);
    for (int k = 0; k < 3; ++k) {
        QPainterPath s(QPointF(180 + k * 6, 156));
        s.cubicTo(QPointF(170 + k * 6, 140), QPointF(190 + k * 6, 130), QPointF(180 + k * 6, 112));
        curve(p, s, QColor(0x9a, 0xb8, 0xd8, 200), 4);
    }
}

void oven(QPainter& p) {
    fill(p, box(16, 50, 168, 120, 12), rgb(0xe8ecf2));
    fill(p, box(28, 64, 116, 92, 6), rgb(0x3a3a42));
    fill(p, box(36, 72, 100, 76, 4), rgb(0xff9a3a), 0);
    for (int k = 0; k < 4; ++k) // glowing elements
        line(p, QPointF(40 + k * 28, 76), QPointF(56 + k * 28, 76), rgb(0xff3a1a), 3);
    QPainterPath bread;
    bread.moveTo(52, 140);
    bread.cubicTo(52, 100, 120, 100, 120, 140);
    bread.closeSubpath();
    fill(p, bread, rgb(0xc8803a));
    for (int k = 0; k < 3; ++k)
        line(p, QPointF(70 + k * 14, 116), QPointF(76 + k * 14, 126), rgb(0xf4d0a0), 2);
    fill(p, box(34, 150, 104, 4, 1), rgb(0xa8b0bc), 0);
    knob(p, QPointF(164, 82), 9);
    knob(p, QPointF(164, 112), 9);
    dot(p, QPointF(164, 140), 4, rgb(0xf04a3a));
    fill(p, box(30, 56, 112, 6, 3), rgb(0xa8b0bc), 1.5);
}

void soyMilkMaker(QPainter& p) {
    fill(p, box(54, 20, 76, 44, 16), rgb(0x4fb84a)); // motor head
    fill(p, box(80, 34, 24, 12, 4), Qt::white, 1.5);
    QPainterPath jug;
    jug.moveTo(60, 62);
    jug.lineTo(124, 62);
    jug.lineTo(120, 170);
    jug.lineTo(64, 170);
    jug.closeSubpath();
    fill(p, jug, rgb(0xe8ecf2));
    p.save();
    p.setClipPath(jug);
    fill(p, box(58, 100, 70, 70), rgb(0xfff8e8), 0);
    p.restore();
    QPainterPath handle(QPointF(124, 80));
    handle.cubicTo(QPointF(150, 80), QPointF(150, 140), QPointF(120, 144));
    curve(p, handle, rgb(0x8a8f9a), 7);
    fill(p, box(56, 168, 72, 14, 5), rgb(0x4fb84a));
    // A cup of soy milk and a spill of beans.
    fill(p, box(150, 140, 34, 44, 6), Qt::white);
    fill(p, oval(167, 142, 15, 4), rgb(0xfff4dc), 1.5);
    for (int k = 0; k < 6; ++k)
        fill(p, oval(20 + (k % 3) * 14, 178 - (k / 3) * 10, 6, 5), rgb(0xf0d070), 1.5);
    glint(p, 72, 90, 4, 16);
}

void pressureCooker(QPainter& p) {
    fill(p, box(30, 80, 140, 100, 24), rgb(0xf4f6fa));
    QPainterPath lid;
    lid.moveTo(24, 86);
    lid.cubicTo(30, 40, 170, 40, 176, 86);
    lid.closeSubpath();
    fill(p, lid, rgb(0xb8c0cc));
    fill(p, box(90, 30, 20, 18, 5), rgb(0x3a3a42)); // valve
    fill(p, box(20, 80, 20, 14, 5), rgb(0x3a3a42));
    fill(p, box(160, 80, 20, 14, 5), rgb(0x3a3a42));
    fill(p, box(70, 110, 60, 50, 8), rgb(0x3a3a42));
    fill(p, box(78, 118, 44, 16, 3), rgb(0x1a2a1a), 0);
    label(p, QRectF(78, 118, 44, 16), QStringLiteral("0:25"), rgb(0x6aff6a), 12);
    dot(p, QPointF(88, 148), 5, rgb(0xf04a3a));
    dot(p, QPointF(112, 148), 5, rgb(0x4fb84a));
    steam(p, 100, 26, 26);
    glint(p, 50, 110, 5, 18);
}

// ---- Stationery ----

void eraser(QPainter& p) {
    p.save();
    p.translate(100, 100);
    p.rotate(-20);
    fill(p, box(-80, -36, 160, 72, 14), rgb(0xff9ab0));
    fill(p, box(-10, -38, 94, 76, 4), rgb(0x3a8af0));
    label(p, QRectF(-10, -38, 94, 76), QStringLiteral("ABC"), Qt::white, 24);
    glint(p, -50, -20, 20, 5);
    p.restore();
    for (int k = 0; k < 5; ++k)
        fill(p, oval(40 + k * 12, 170 + (k % 2) * 6, 4, 2), rgb(0xff9ab0), 1);
}

void pencil(QPainter& p, QPointF from, qreal angle, qreal len, const QColor& c) {
    p.save();
    p.translate(from);
    p.rotate(angle);
    fill(p, box(0, -6, len, 12, 2), c, 2);
    fill(p, poly({{len, -6}, {len + 18, 0}, {len, 6}}), rgb(0xf4d0a0), 2);
    fill(p, poly({{len + 12, -2}, {len + 18, 0}, {len + 12, 2}}), rgb(0x2a2a30), 0);
    fill(p, box(-10, -6, 10, 12, 3), rgb(0xff9ab0), 2);
    p.restore();
}

void pencilCase(QPainter& p) {
    fill(p, box(16, 40, 168, 40, 8), rgb(0x6ac0ff)); // open lid
    for (int k = 0; k < 5; ++k)
        dot(p, QPointF(40 + k * 30, 60), 6, rgb(0xfff07a));
    fill(p, box(16, 86, 168, 90, 10), rgb(0x2e7ce0));
    fill(p, box(26, 94, 148, 74, 6), rgb(0xbfe8ff), 2);
    const QColor pens[] = {rgb(0xf04a4a), rgb(0xffd21f), rgb(0x4fb84a)};
    for (int k = 0; k < 3; ++k)
        pencil(p, QPointF(36, 108 + k * 20), 0, 100, pens[k]);
    fill(p, box(150, 104, 16, 40, 4), rgb(0xff9ab0), 2);
}

void blackboard(QPainter& p) {
    fill(p, box(8, 20, 184, 140, 6), rgb(0xb8703a));
    fill(p, box(18, 30, 164, 120, 3), rgb(0x2a6a4a), 0);
    QFont f = cjkFont(28, QFont::Bold);
    p.setFont(f);
    p.setPen(QColor(255, 255, 255, 230));
    p.drawText(QRectF(24, 36, 100, 50), Qt::AlignCenter, QStringLiteral("1+1=2"));
    // A little house in chalk.
    p.setPen(QPen(QColor(255, 240, 140), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(128, 100, 36, 34));
    p.drawPolyline(QPolygonF({QPointF(122, 102), QPointF(146, 80), QPointF(170, 102)}));
    p.setPen(QPen(QColor(255, 160, 180), 3));
    p.drawLine(QPointF(30, 110), QPointF(100, 110));
    p.drawLine(QPointF(30, 130), QPointF(80, 130));
    fill(p, box(30, 160, 140, 10, 2), rgb(0x8a4e2a));
    fill(p, box(50, 154, 24, 6, 2), Qt::white, 1.5);
    fill(p, box(90, 154, 24, 6, 2), rgb(0xffd21f), 1.5);
    limb(p, QPointF(40, 170), QPointF(28, 196), rgb(0x8a4e2a), 6);
    limb(p, QPointF(160, 170), QPointF(172, 196), rgb(0x8a4e2a), 6);
}

void glueStick(QPainter& p) {
    fill(p, box(70, 70, 56, 116, 10), rgb(0xffd21f));
    fill(p, box(70, 120, 56, 40, 0), rgb(0xf04a4a), 2);
    label(p, QRectF(70, 120, 56, 40), QStringLiteral("GLUE"), Qt::white, 14);
    fill(p, box(80, 36, 36, 40, 8), rgb(0xfafafa));    // the glue
    fill(p, box(140, 110, 48, 70, 10), rgb(0xffd21f)); // the cap lying beside
    glint(p, 80, 100, 4, 20);
}

void inkBottle(QPainter& p) {
    QPainterPath bottle;
    bottle.moveTo(70, 70);
    bottle.lineTo(130, 70);
    bottle.cubicTo(170, 80, 172, 180, 150, 186);
    bottle.lineTo(50, 186);
    bottle.cubicTo(28, 180, 30, 80, 70, 70);
    p.setPen(QPen(rgb(0x5a6a80), 3));
    p.setBrush(QColor(0xe8, 0xf4, 0xff, 230));
    p.drawPath(bottle);
    p.save();
    p.setClipPath(bottle);
    fill(p, box(20, 100, 160, 90), rgb(0x1a2a7a), 0);
    p.restore();
    fill(p, box(72, 30, 56, 42, 6), rgb(0x2a2a30)); // cap
    fill(p, box(58, 124, 84, 42, 4), Qt::white, 2);
    label(p, QRectF(58, 124, 84, 42), QStringLiteral("INK"), rgb(0x1a2a7a), 22);
    glint(p, 50, 120, 4, 22);
    drop(p, QPointF(178, 170), 12, rgb(0x1a2a7a));
}

void sharpener(QPainter& p) {
    pencil(p, QPointF(10, 60), 25, 100, rgb(0xffd21f));
    fill(p, box(104, 90, 64, 50, 8), rgb(0xb8c0cc));
    fill(p, oval(114, 106, 8, 8), rgb(0x3a3a42), 2);
    fill(p, box(130, 96, 30, 10, 2), rgb(0xe8ecf2), 1.5); // blade
    dot(p, QPointF(146, 122), 4, rgb(0x8a8f9a));
    // Curly shavings.
    for (int k = 0; k < 3; ++k) {
        QPainterPath s;
        s.moveTo(60 + k * 34, 176);
        s.cubicTo(70 + k * 34, 150, 90 + k * 34, 170, 76 + k * 34, 186);
        curve(p, s, rgb(0xe8b070), 6);
        curve(p, s, rgb(0xf04a4a), 2);
    }
}

void chalk(QPainter& p) {
    fill(p, box(30, 100, 140, 84, 6), rgb(0x3a8af0));
    label(p, QRectF(30, 140, 140, 40), QStringLiteral("CHALK"), Qt::white, 20);
    const QColor sticks[] = {Qt::white,     rgb(0xff9ab0), rgb(0xffe04a),
                             rgb(0x8ad8ff), rgb(0xa8f08a), Qt::white};
    for (int k = 0; k < 6; ++k)
        fill(p, box(40 + k * 21, 60 + (k % 2) * 14, 16, 60, 5), sticks[k], 2);
    fill(p, box(28, 96, 144, 12, 3), shade(rgb(0x3a8af0), -0.2));
}

void calculator(QPainter& p) {
    fill(p, box(40, 10, 120, 180, 16), rgb(0x4a5260));
    fill(p, box(52, 22, 96, 36, 6), rgb(0xc8e8b0));
    label(p, QRectF(52, 22, 92, 36), QStringLiteral("123"), rgb(0x1a2a1a), 26);
    const QString keys = QStringLiteral("789÷456×123-0.=+");
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            const QRectF k(52 + c * 24.5, 70 + r * 28, 20, 22);
            const bool op = c == 3;
            fill(p, box(k.x(), k.y(), k.width(), k.height(), 5), op ? rgb(0xff9a1f) : rgb(0xf4f6fa),
                 2);
            label(p, k, keys.mid(r * 4 + c, 1), op ? Qt::white : rgb(0x3a3a42), 13);
        }
    fill(p, box(52, 184 - 10, 96, 4, 2), rgb(0x6a7280), 0);
}

void steeringWheel(QPainter& p) {
    fill(p, oval(100, 100, 80, 80), rgb(0x3a3a42));
    fill(p, oval(100, 100, 62, 62), rgb(0xfff1d6), 0);
    limb(p, QPointF(38, 96), QPointF(162, 96), rgb(0x3a3a42), 14);
    limb(p, QPointF(100, 100), QPointF(100, 170), rgb(0x3a3a42), 14);
    fill(p, oval(100, 100, 20, 20), rgb(0xf04a4a));
    glint(p, 70, 40, 14, 5);
}

// ---- Words of the character lessons ----

void erhu(QPainter& p) {
    limb(p, QPointF(96, 8), QPointF(96, 168), rgb(0x6a2a1a), 7); // neck
    for (int k = 0; k < 2; ++k)
        fill(p, box(100, 22 + k * 22, 22, 8, 3), rgb(0x8a3a1a), 2); // pegs
    fill(p, poly({{76, 150}, {116, 150}, {124, 166}, {116, 182}, {76, 182}, {68, 166}}),
         rgb(0x8a3a1a));
    fill(p, box(82, 152, 8, 28, 2), rgb(0xf0e8d8), 0);                // the snake-skin face
    line(p, QPointF(104, 20), QPointF(104, 160), rgb(0xe8e8e0), 1.5); // strings
    line(p, QPointF(108, 20), QPointF(108, 160), rgb(0xe8e8e0), 1.5);
    limb(p, QPointF(20, 120), QPointF(190, 150), rgb(0xb8803a), 4); // bow
    line(p, QPointF(26, 128), QPointF(186, 156), rgb(0xf4f0e8), 2);
    fill(p, box(96, 110, 12, 8, 2), rgb(0xd8a060), 1.5);
}

void tangram(QPainter& p) {
    const QPointF a(20, 20), b(180, 20), c(180, 180), d(20, 180), o(100, 100);
    const auto mid = [](QPointF x, QPointF y) { return (x + y) / 2; };
    const QPointF bc = mid(b, c), cd = mid(c, d);
    const QPointF oc = mid(o, c), ob = mid(o, b);
    fill(p, poly({a, b, o}), rgb(0xf04a4a));
    fill(p, poly({a, o, d}), rgb(0x3a8af0));
    fill(p, poly({cd, c, bc}), rgb(0xffd21f));
    fill(p, poly({b, bc, ob}), rgb(0x4fb84a));
    fill(p, poly({ob, bc, oc, o}), rgb(0xa86af0));
    fill(p, poly({o, oc, cd}), rgb(0xff9a1f));
    fill(p, poly({d, o, cd}), rgb(0x2ac8c0));
}

void nineGrid(QPainter& p) {
    fill(p, box(20, 20, 160, 160, 4), rgb(0xfffdf6));
    p.setPen(QPen(rgb(0xd83a2e), 4));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(20, 20, 160, 160));
    p.setPen(QPen(rgb(0xd83a2e), 2.5));
    for (int k = 1; k < 3; ++k) {
        p.drawLine(QPointF(20 + k * 160 / 3.0, 20), QPointF(20 + k * 160 / 3.0, 180));
        p.drawLine(QPointF(20, 20 + k * 160 / 3.0), QPointF(180, 20 + k * 160 / 3.0));
    }
    dot(p, QPointF(100, 100), 6, rgb(0xd83a2e));
}

void stairs(QPainter& p, bool up) {
    // Side view, the lowest step the longest. The walker faces left: going up, the steps
    // rise to the left and the walker is on the way up; going down, they rise to the
    // right and the walker sets off from the top.
    p.save();
    if (!up)
        p.setTransform(QTransform(-1, 0, 0, 1, kSide, 0), true);
    for (int k = 0; k < 5; ++k)
        fill(p, box(14, 88 + k * 22, 44 + k * 36, 22, 2), k % 2 ? rgb(0xe0a86a) : rgb(0xd89a5a), 2);
    p.restore();
    drawEmoji(p, up ? QRectF(112, 68, 64, 88) : QRectF(134, 2, 64, 88), QStringLiteral("🚶"));
    QPainterPath arrow =
        poly({{22, 50}, {48, 50}, {48, 80}, {62, 80}, {35, 110}, {8, 80}, {22, 80}}); // down
    if (up)
        arrow = QTransform(1, 0, 0, -1, 0, 130).map(arrow);
    else
        arrow.translate(0, -24);
    fill(p, arrow, up ? rgb(0x4fb84a) : rgb(0xf04a4a));
}

void upstairs(QPainter& p) {
    stairs(p, true);
}

void downstairs(QPainter& p) {
    stairs(p, false);
}

void chinaFlag(QPainter& p) {
    limb(p, QPointF(16, 20), QPointF(16, 196), rgb(0xa8b0bc), 6);
    fill(p, box(20, 24, 168, 112, 2), rgb(0xe8241c));
    const auto star = [&](QPointF c, qreal r, qreal turn) {
        p.save();
        p.translate(c);
        p.rotate(turn);
        p.setPen(Qt::NoPen);
        p.setBrush(rgb(0xffde00));
        p.drawPath(starPath(r, r * 0.38));
        p.restore();
    };
    const qreal u = 112.0 / 20; // the flag's own grid
    star(QPointF(20 + 5 * u, 24 + 5 * u), 3 * u, 0);
    star(QPointF(20 + 10 * u, 24 + 2 * u), u, 23);
    star(QPointF(20 + 12 * u, 24 + 4 * u), u, 45);
    star(QPointF(20 + 12 * u, 24 + 7 * u), u, 70);
    star(QPointF(20 + 10 * u, 24 + 9 * u), u, 20);
}

void matches(QPainter& p) {
    fill(p, box(20, 110, 120, 70, 4), rgb(0xf04a3a)); // the box, drawer pulled out
    fill(p, box(60, 96, 120, 40, 4), rgb(0xf4e0b0));
    fill(p, box(20, 170, 120, 10, 2), rgb(0x6a3a2a), 0); // striking strip
    for (int k = 0; k < 5; ++k) {
        line(p, QPointF(80 + k * 18, 104), QPointF(160 + k * 4, 102), rgb(0xe8c890), 5);
        dot(p, QPointF(80 + k * 18, 104), 5, rgb(0xc8302a));
    }
    // One match struck.
    line(p, QPointF(40, 96), QPointF(110, 30), rgb(0xe8c890), 6);
    dot(p, QPointF(110, 30), 6, rgb(0x3a2a2a));
    QPainterPath flame(QPointF(112, -4));
    flame.cubicTo(QPointF(136, 20), QPointF(126, 40), QPointF(112, 40));
    flame.cubicTo(QPointF(96, 40), QPointF(92, 20), QPointF(112, -4));
    fill(p, flame, rgb(0xffa01f), 2);
    fill(p, oval(112, 30, 6, 9), rgb(0xffe04a), 0);
}

// ---- Words that need a whole little scene ----

// A goldfish in its round bowl: a round red-orange body, a big double fan of a tail
// and bulging eyes, which is what tells it from any other fish.
void goldfish(QPainter& p) {
    shadowUnder(p, 100, 190, 66);
    QPainterPath bowl = oval(100, 108, 82, 82).intersected(box(0, 38, 200, 162));
    const QPainterPath water = bowl.intersected(box(0, 62, 200, 140));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xe8, 0xf6, 0xff, 200));
    p.drawPath(bowl);
    p.setBrush(QColor(0x7c, 0xcc, 0xff, 190));
    p.drawPath(water);
    p.save();
    p.setClipPath(water);
    for (int k = 0; k < 9; ++k) // pebbles on the bottom
        fill(p, oval(44 + k * 14, 184 - (k % 3) * 3, 9, 6), k % 2 ? rgb(0xf4c27a) : rgb(0xd88a5a),
             1.5);
    for (int k = 0; k < 2; ++k) { // water weed
        QPainterPath weed(QPointF(48 + k * 100, 186));
        weed.cubicTo(QPointF(36 + k * 100, 150), QPointF(62 + k * 100, 130),
                     QPointF(46 + k * 100, 96));
        limb(p, weed, rgb(0x3fae4a), 6);
    }
    p.restore();
    p.setPen(QPen(QColor(255, 255, 255, 220), 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(100, 62), 68, 6); // the water's surface
    // The tail: two wide lobes, drawn under the body.
    const QColor fin = rgb(0xff7a2a);
    for (int k : {-1, 1}) {
        QPainterPath lobe(QPointF(76, 120));
        lobe.cubicTo(QPointF(60, 120 + k * 10), QPointF(40, 120 + k * 44),
                     QPointF(22, 120 + k * 40));
        lobe.cubicTo(QPointF(30, 120 + k * 22), QPointF(30, 120 + k * 8), QPointF(36, 120));
        lobe.closeSubpath();
        fill(p, lobe, k < 0 ? fin : shade(fin, 0.15), 2.5);
    }
    fill(p, poly({{96, 98}, {104, 70}, {126, 82}, {122, 100}}), fin, 2.5); // dorsal fin
    const QColor gold = rgb(0xff5a1a);
    fill(p, oval(108, 122, 38, 28), gold);
    fill(p, poly({{104, 140}, {92, 160}, {116, 146}}), fin, 2); // belly fin
    glint(p, 104, 106, 18, 6);
    // Bulging eyes, one peeping over the head.
    fill(p, oval(136, 112, 10, 10), rgb(0xfff4e0), 2);
    eye(p, QPointF(138, 112), 6);
    fill(p, oval(128, 104, 6, 6), rgb(0xfff4e0), 1.5);
    fill(p, oval(144, 128, 4, 3), rgb(0xc8301a), 0); // mouth
    bubble(p, QPointF(156, 108), 5);
    bubble(p, QPointF(162, 88), 7);
    bubble(p, QPointF(154, 72), 4);
    // The glass: a rim round the opening and a gleam.
    p.setPen(QPen(QColor(0x5a, 0xa8, 0xe0), 3));
    p.setBrush(Qt::NoBrush);
    p.drawPath(bowl);
    fill(p, oval(100, 38, 46, 7), QColor(0xd8, 0xf0, 0xff), 3);
    glint(p, 42, 96, 6, 24);
}

// A tile of the four seasons, each a tree in its own quarter: blossom in spring, a full
// green crown under the sun in summer, orange leaves falling in autumn, bare branches
// under snow in winter.
void fourSeasons(QPainter& p) {
    struct Season {
        QColor sky, crown;
    };
    const Season seasons[4] = {{rgb(0xd8f6c0), rgb(0x8ad85a)},
                               {rgb(0x9ad8ff), rgb(0x2f9a3a)},
                               {rgb(0xffe0a8), rgb(0xf08a1f)},
                               {rgb(0xc4dcf6), QColor()}};
    for (int s = 0; s < 4; ++s) {
        const qreal x = 8 + (s % 2) * 94, y = 8 + (s / 2) * 94;
        const QPainterPath tile = box(x, y, 90, 90, 14);
        fill(p, tile, seasons[s].sky, 3);
        p.save();
        p.setClipPath(tile);
        p.setPen(Qt::NoPen);
        p.setBrush(s == 3 ? QColor(Qt::white) : rgb(s == 2 ? 0xd8b060 : 0x6cc04a));
        p.drawEllipse(QPointF(x + 45, y + 104), 70, 28); // the ground
        const QPointF foot(x + 45, y + 80);
        limb(p, foot, foot + QPointF(0, -34), rgb(0x8a5a32), 7); // trunk
        if (s == 3) {
            const QColor bark = rgb(0x8a5a32);
            for (int k : {-1, 1}) { // bare branches with snow lying on them
                const QPointF fork = foot + QPointF(0, -24), tip = foot + QPointF(k * 26, -50);
                limb(p, fork, tip, bark, 4);
                limb(p, (fork + tip) / 2, (fork + tip) / 2 + QPointF(k * 4, -16), bark, 3);
                fill(p, oval(tip.x(), tip.y() - 2, 7, 3), Qt::white, 1);
            }
            limb(p, foot + QPointF(0, -34), foot + QPointF(2, -64), bark, 4);
            fill(p, oval(x + 47, y + 15, 7, 3), Qt::white, 1);
            for (int k = 0; k < 8; ++k) { // falling snow
                const QPointF at(x + 8 + (k * 37) % 76, y + 10 + (k * 23) % 60);
                p.setPen(QPen(rgb(0x8ab0d8), 1));
                p.setBrush(Qt::white);
                p.drawEllipse(at, 3.5, 3.5);
            }
        } else {
            const QColor crown = seasons[s].crown;
            fill(p, oval(x + 45, y + 36, 30, 26), crown, 2.5);
            fill(p, oval(x + 31, y + 44, 16, 14), crown, 0);
            fill(p, oval(x + 59, y + 44, 16, 14), crown, 0);
            glint(p, x + 37, y + 26, 9, 4);
            if (s == 0)
                for (int k = 0; k < 7; ++k)
                    dot(p, QPointF(x + 26 + (k * 17) % 40, y + 22 + (k * 11) % 30), 4,
                        rgb(0xff8ac0));
            if (s == 1)
                drawSun(p, QPointF(x + 76, y + 14), 8);
            if (s == 2)
                for (int k = 0; k < 3; ++k)
                    fill(p, oval(x + 16 + k * 30, y + 68 - (k % 2) * 10, 5, 3), crown, 1);
        }
        p.restore();
    }
}

// A little window onto a landscape: a rounded tile with sky, ground and a white rim,
// for words that are a place rather than a thing. `paint` draws the inside.
void landscapeTile(QPainter& p, const QColor& sky, const std::function<void()>& paint) {
    const QPainterPath tile = box(8, 8, 184, 184, 24);
    fill(p, tile, sky, 0);
    p.save();
    p.setClipPath(tile);
    paint();
    p.restore();
    p.setPen(QPen(Qt::white, 6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tile);
}

// Running water: a stream winding down from the hills, wide near us, with white
// ripples along its flow and a little fall over the rocks.
void stream(QPainter& p) {
    landscapeTile(p, rgb(0x9ad8ff), [&] {
        drawSun(p, QPointF(160, 34), 14);
        fill(p, oval(40, 92, 80, 40), rgb(0x5ab84a), 0); // hills
        fill(p, oval(170, 96, 80, 44), rgb(0x4aa83e), 0);
        fill(p, box(0, 86, 200, 120), rgb(0x8ad85a), 0);
        QPainterPath water;
        water.moveTo(92, 80);
        water.cubicTo(70, 110, 150, 120, 120, 150);
        water.cubicTo(100, 170, 40, 170, 20, 200);
        water.lineTo(150, 200);
        water.cubicTo(160, 176, 190, 160, 170, 140);
        water.cubicTo(150, 116, 100, 106, 108, 80);
        water.closeSubpath();
        QLinearGradient blue(0, 80, 0, 200);
        blue.setColorAt(0, rgb(0x7ac8ff));
        blue.setColorAt(1, rgb(0x2a86e0));
        p.setPen(QPen(rgb(0x1a6ab8), 3));
        p.setBrush(blue);
        p.drawPath(water);
        // Ripples following the flow.
        const QPointF ripples[] = {{98, 96},  {112, 126}, {124, 148},
                                   {88, 168}, {116, 180}, {60, 190}};
        for (const QPointF& r : ripples) {
            QPainterPath s(r + QPointF(-10, -3));
            s.quadTo(r + QPointF(0, 4), r + QPointF(12, -2));
            curve(p, s, QColor(255, 255, 255, 230), 3);
        }
        // Rocks on the banks and the fall.
        fill(p, oval(94, 82, 16, 8), rgb(0x9aa0aa), 2);
        fill(p, oval(150, 190, 14, 8), rgb(0x9aa0aa), 2);
        fill(p, oval(30, 166, 12, 7), rgb(0xb0b4bc), 2);
        fill(p, oval(172, 150, 10, 6), rgb(0xb0b4bc), 2);
        for (int k = 0; k < 3; ++k)
            dot(p, QPointF(88 + k * 12, 96 + (k % 2) * 4), 3, Qt::white);
        drawFlower(p, QPointF(34, 130), 20, rgb(0xff6a8a));
        drawFlower(p, QPointF(176, 122), 18, rgb(0xffd21f));
    });
}

// The land: ploughed brown earth in rows up to the far green edge, young shoots in it
// and a spade standing in the soil.
void land(QPainter& p) {
    landscapeTile(p, rgb(0xa8dcff), [&] {
        drawCloud(p, QPointF(60, 34), 60, 0.9);
        fill(p, box(0, 62, 200, 16), rgb(0x6cc04a), 0); // the far edge of the field
        const QPainterPath soil = box(0, 74, 200, 130);
        QLinearGradient brown(0, 74, 0, 200);
        brown.setColorAt(0, rgb(0xb8743a));
        brown.setColorAt(1, rgb(0x8a4e22));
        p.setPen(Qt::NoPen);
        p.setBrush(brown);
        p.drawPath(soil);
        // Furrows running away to the far edge.
        for (int k = -5; k <= 5; ++k)
            line(p, QPointF(100 + k * 8, 76), QPointF(100 + k * 44, 204), rgb(0x6a3a16), 4);
        for (int k = 0; k < 10; ++k) // clods
            fill(p, oval(18 + (k * 53) % 170, 100 + (k * 29) % 90, 4 + k % 3, 3), rgb(0xc88850), 1);
        for (const QPointF& at : {QPointF(64, 140), QPointF(100, 118), QPointF(140, 160)}) {
            limb(p, at, at + QPointF(0, -12), rgb(0x3fae4a), 3);
            leaf(p, at + QPointF(0, -10), -40, 12, 6, rgb(0x5ac84a));
            leaf(p, at + QPointF(0, -10), -140, 12, 6, rgb(0x5ac84a));
        }
        // The spade, its blade in the soil.
        limb(p, QPointF(160, 176), QPointF(168, 104), rgb(0xb8803a), 5);
        fill(p, box(158, 96, 22, 8, 3), rgb(0xb8803a), 2);
        fill(p, poly({{148, 168}, {170, 170}, {166, 196}, {150, 194}}), rgb(0xa8b0bc), 2);
    });
}

// A big white cloud with a bird flying by: the cloud emoji is grey and smaller than the
// sky's own clouds.
void whiteCloud(QPainter& p) {
    drawCloud(p, QPointF(100, 112), 190);
    drawBird(p, QPointF(150, 40), 26, rgb(0x2a3a5a));
    drawBird(p, QPointF(176, 58), 18, rgb(0x2a3a5a));
}

// A dictionary: a thick book standing, the page block with its letter tabs on the
// edge, the title in gold on the cover.
void dictionary(QPainter& p) {
    shadowUnder(p, 104, 192, 70);
    const QColor cover = rgb(0xd8342a);
    fill(p, poly({{150, 22}, {172, 38}, {172, 194}, {150, 178}}), rgb(0xfff8e8)); // pages
    for (int k = 0; k < 9; ++k)
        line(p, QPointF(154, 40 + k * 16), QPointF(168, 52 + k * 16), rgb(0xd8d0c0), 1);
    const char* const tabs[] = {"A", "B", "C", "D", "E"};
    for (int k = 0; k < 5; ++k) {
        fill(p, box(168, 48 + k * 26, 14, 18, 3), k % 2 ? rgb(0x3a8af0) : rgb(0x2f2a3a), 1.5);
        label(p, QRectF(168, 48 + k * 26, 14, 18), QLatin1String(tabs[k]), Qt::white, 11);
    }
    fill(p, poly({{30, 178}, {150, 178}, {172, 194}, {52, 194}}), rgb(0xf4ead4)); // bottom
    fill(p, box(30, 22, 120, 156, 6), cover);
    fill(p, box(30, 22, 14, 156, 4), shade(cover, -0.3), 2); // spine
    p.setPen(QPen(rgb(0xffd84a), 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(52, 32, 88, 136), 6, 6);
    label(p, QRectF(54, 44, 84, 48), QStringLiteral("字典"), rgb(0xffd84a), 34);
    label(p, QRectF(54, 90, 84, 20), QStringLiteral("zì diǎn"), rgb(0xffe8a0), 14);
    fill(p, box(70, 118, 52, 40, 6), rgb(0xfff1d6), 2); // a window onto a page
    label(p, QRectF(70, 118, 52, 40), QStringLiteral("字"), rgb(0x2f2a3a), 30);
    glint(p, 60, 30, 18, 4);
}

// A hermit crab: a spiral shell carried on its back, its red claws, legs and stalked
// eyes coming out of the shell's mouth. A crab alone is not one.
void hermitCrab(QPainter& p) {
    shadowUnder(p, 100, 188, 80);
    const QColor red = rgb(0xf0562a);
    for (int k = 0; k < 3; ++k) { // legs
        QPainterPath leg(QPointF(120 + k * 8, 150));
        leg.quadTo(QPointF(150 + k * 12, 146 - k * 4), QPointF(158 + k * 14, 184));
        limb(p, leg, red, 6);
    }
    for (int k : {0, 1}) { // eye stalks
        limb(p, QPointF(138 + k * 12, 124), QPointF(150 + k * 16, 84 - k * 4), red, 4);
        fill(p, oval(150 + k * 16, 82 - k * 4, 7, 7), rgb(0x2a2030), 2);
        dot(p, QPointF(148 + k * 16, 80 - k * 4), 2.2, Qt::white);
    }
    fill(p, oval(140, 134, 24, 20), red); // head peeping out
    // The shell: whorls growing from its tip up on the left to the wide body whorl.
    const QColor shell = rgb(0xf6c08a);
    fill(p, oval(34, 50, 9, 8), shade(shell, -0.15));
    fill(p, oval(46, 66, 16, 14), shade(shell, -0.1));
    fill(p, oval(62, 88, 26, 22), shade(shell, -0.05));
    fill(p, oval(88, 122, 58, 54), shell);
    p.save();
    p.setClipPath(oval(88, 122, 58, 54));
    for (int k = 0; k < 3; ++k) { // bands round the whorl
        QPainterPath band(QPointF(30, 100 + k * 26));
        band.cubicTo(QPointF(70, 84 + k * 26), QPointF(110, 100 + k * 26),
                     QPointF(150, 88 + k * 26));
        curve(p, band, rgb(0xe08a4a), 7);
    }
    p.restore();
    QPainterPath spiral;
    for (int i = 0; i <= 50; ++i) {
        const qreal t = i / 50.0 * 3 * M_PI;
        const QPointF at(84 + std::cos(t) * (3 + t * 3.4), 114 + std::sin(t) * (3 + t * 3.4));
        i ? spiral.lineTo(at) : spiral.moveTo(at);
    }
    curve(p, spiral, rgb(0x9a5424), 3.5);
    glint(p, 60, 84, 14, 6);
    fill(p, oval(136, 150, 14, 16), shade(shell, -0.45), 0); // the shell's mouth
    // Claws in front of the mouth: a big one and a small one.
    fill(p, oval(156, 154, 20, 14), red);
    fill(p, poly({{168, 144}, {186, 138}, {178, 152}}), red, 2.5);
    fill(p, oval(132, 168, 12, 9), red);
    glint(p, 152, 148, 7, 3);
}

// A top hat with a rabbit peeping out of it, and sparkles: the magician's trick.
void magicHat(QPainter& p) {
    drawEmoji(p, QRectF(58, 6, 84, 84), QStringLiteral("🐰"));
    drawEmoji(p, QRectF(26, 58, 148, 136), QStringLiteral("🎩"));
    drawSparkle(p, QPointF(34, 36), 10, rgb(0xffd21f));
    drawSparkle(p, QPointF(168, 30), 12, rgb(0xffd21f));
    drawSparkle(p, QPointF(176, 84), 7, rgb(0xff8ac0));
}

// A library shelf of books, for the librarian.
void bookshelf(QPainter& p) {
    const QColor wood = rgb(0xb8783a);
    fill(p, box(22, 14, 156, 178, 6), wood);
    const QColor spines[] = {rgb(0xf04a4a), rgb(0x3a8af0), rgb(0xffd21f), rgb(0x4fb84a),
                             rgb(0xa86af0), rgb(0xff9a1f), rgb(0x2ac8c0)};
    for (int shelf = 0; shelf < 3; ++shelf) {
        const qreal top = 24 + shelf * 56;
        fill(p, box(30, top, 140, 48, 2), shade(wood, -0.35), 0);
        qreal x = 34;
        for (int k = 0; x < 150 && k < 12; ++k) {
            const qreal w = 10 + (k * 7 + shelf * 3) % 9, h = 30 + (k * 11 + shelf * 5) % 16;
            fill(p, box(x, top + 48 - h, w, h, 2), spines[(k + shelf * 3) % 7], 1.5);
            line(p, QPointF(x + 2, top + 52 - h), QPointF(x + w - 2, top + 52 - h),
                 QColor(255, 255, 255, 160), 1.5);
            x += w + 1;
        }
        fill(p, box(26, top + 48, 148, 6, 2), wood, 2);
    }
}

// ---- Letters ----

void xylophone(QPainter& p) {
    const QColor bars[] = {rgb(0xf04a4a), rgb(0xff9a1f), rgb(0xffd21f), rgb(0x4fb84a),
                           rgb(0x3a8af0), rgb(0x6a5af0), rgb(0xc85af0)};
    limb(p, QPointF(14, 70), QPointF(186, 96), rgb(0x8a5a32), 6);
    limb(p, QPointF(14, 170), QPointF(186, 144), rgb(0x8a5a32), 6);
    for (int k = 0; k < 7; ++k) {
        const qreal x = 20 + k * 24;
        const qreal inset = k * 6;
        fill(p, box(x, 62 + inset, 20, 116 - 2 * inset, 5), bars[k]);
        dot(p, QPointF(x + 10, 72 + inset), 2.5, rgb(0xe8e8ee));
        dot(p, QPointF(x + 10, 168 - inset), 2.5, rgb(0xe8e8ee));
    }
    for (int s : {0, 1}) { // two mallets
        limb(p, QPointF(60 + s * 70, 196), QPointF(100 + s * 60, 20), rgb(0xe0b070), 4);
        fill(p, oval(100 + s * 60, 18, 10, 10), rgb(0xf04a8a));
    }
}

using Drawing = void (*)(QPainter&);

const std::map<QString, Drawing>& drawings() {
    static const std::map<QString, Drawing> all = {
        {QStringLiteral("mole"), mole},
        {QStringLiteral("antelope"), antelope},
        {QStringLiteral("centipede"), centipede},
        {QStringLiteral("walrus"), walrus},
        {QStringLiteral("sealion"), seaLion},
        {QStringLiteral("furseal"), furSeal},
        {QStringLiteral("manatee"), manatee},
        {QStringLiteral("sparrow"), sparrow},
        {QStringLiteral("ostrich"), ostrich},
        {QStringLiteral("carp"), carp},
        {QStringLiteral("shirt"), shirt},
        {QStringLiteral("sweater"), sweater},
        {QStringLiteral("jacket"), jacket},
        {QStringLiteral("pajamas"), pajamas},
        {QStringLiteral("raincoat"), raincoat},
        {QStringLiteral("belt"), belt},
        {QStringLiteral("handkerchief"), handkerchief},
        {QStringLiteral("skirt"), skirt},
        {QStringLiteral("trousers"), trousers},
        {QStringLiteral("submarine"), submarine},
        {QStringLiteral("sprinkler"), sprinklerTruck},
        {QStringLiteral("carriage"), carriage},
        {QStringLiteral("rickshaw"), rickshaw},
        {QStringLiteral("hotairballoon"), hotAirBalloon},
        {QStringLiteral("boxvan"), boxVan},
        {QStringLiteral("radish"), radish},
        {QStringLiteral("rape"), rapeFlower},
        {QStringLiteral("spinach"), spinach},
        {QStringLiteral("chives"), chives},
        {QStringLiteral("celery"), celery},
        {QStringLiteral("flatbeans"), flatBeans},
        {QStringLiteral("yam"), yam},
        {QStringLiteral("taro"), taro},
        {QStringLiteral("bittergourd"), bitterGourd},
        {QStringLiteral("asparagus"), asparagus},
        {QStringLiteral("waterchestnut"), waterChestnut},
        {QStringLiteral("cabbage"), cabbage},
        {QStringLiteral("dragonfruit"), dragonFruit},
        {QStringLiteral("waxapple"), waxApple},
        {QStringLiteral("pomelo"), pomelo},
        {QStringLiteral("smokedplums"), smokedPlums},
        {QStringLiteral("fridge"), fridge},
        {QStringLiteral("washingmachine"), washingMachine},
        {QStringLiteral("taperecorder"), tapeRecorder},
        {QStringLiteral("juicer"), juicer},
        {QStringLiteral("fan"), electricFan},
        {QStringLiteral("hairdryer"), hairDryer},
        {QStringLiteral("microwave"), microwave},
        {QStringLiteral("inductioncooker"), inductionCooker},
        {QStringLiteral("rangehood"), rangeHood},
        {QStringLiteral("waterheater"), waterHeater},
        {QStringLiteral("humidifier"), humidifier},
        {QStringLiteral("vacuumcleaner"), vacuumCleaner},
        {QStringLiteral("iron"), steamIron},
        {QStringLiteral("oven"), oven},
        {QStringLiteral("soymilkmaker"), soyMilkMaker},
        {QStringLiteral("pressurecooker"), pressureCooker},
        {QStringLiteral("eraser"), eraser},
        {QStringLiteral("pencilcase"), pencilCase},
        {QStringLiteral("blackboard"), blackboard},
        {QStringLiteral("gluestick"), glueStick},
        {QStringLiteral("inkbottle"), inkBottle},
        {QStringLiteral("sharpener"), sharpener},
        {QStringLiteral("chalk"), chalk},
        {QStringLiteral("calculator"), calculator},
        {QStringLiteral("steeringwheel"), steeringWheel},
        {QStringLiteral("erhu"), erhu},
        {QStringLiteral("tangram"), tangram},
        {QStringLiteral("ninegrid"), nineGrid},
        {QStringLiteral("upstairs"), upstairs},
        {QStringLiteral("downstairs"), downstairs},
        {QStringLiteral("chinaflag"), chinaFlag},
        {QStringLiteral("matches"), matches},
        {QStringLiteral("xylophone"), xylophone},
        {QStringLiteral("goldfish"), goldfish},
        {QStringLiteral("fourseasons"), fourSeasons},
        {QStringLiteral("stream"), stream},
        {QStringLiteral("land"), land},
        {QStringLiteral("dictionary"), dictionary},
        {QStringLiteral("whitecloud"), whiteCloud},
        {QStringLiteral("hermitcrab"), hermitCrab},
        {QStringLiteral("magichat"), magicHat},
        {QStringLiteral("bookshelf"), bookshelf},
    };
    return all;
}

// The largest square inside `r`, centred.
QRectF square(const QRectF& r) {
    const qreal side = std::min(r.width(), r.height());
    return QRectF(r.center().x() - side / 2, r.center().y() - side / 2, side, side);
}

// One part of a recipe: a drawing, an emoji, copies of one, or a row of several.
bool drawPart(QPainter& p, const QRectF& r, const QString& part, bool dryRun) {
    if (part.isEmpty())
        return false;
    // A person with what they work with: held in front at the hands, or raised high.
    const qsizetype held = std::max(part.indexOf(QLatin1Char('&')), part.indexOf(QLatin1Char('^')));
    if (held >= 0) {
        const QString person = part.left(held), thing = part.mid(held + 1);
        if (person.startsWith(QLatin1Char('@')) ||
            person.contains(QRegularExpression(QStringLiteral("[&^*,]"))) ||
            thing.contains(QRegularExpression(QStringLiteral("[&^*,]"))))
            return false;
        const QRectF sq = square(r);
        const qreal s = sq.width();
        const bool raised = part.at(held) == QLatin1Char('^');
        const QRectF hand =
            raised ? QRectF(sq.left() + 0.56 * s, sq.top(), 0.44 * s, 0.48 * s)
                   : QRectF(sq.left() + 0.5 * s, sq.top() + 0.5 * s, 0.46 * s, 0.46 * s);
        const bool ok =
            drawPart(p, QRectF(sq.left(), sq.top() + 0.04 * s, 0.8 * s, 0.96 * s), person, dryRun);
        return drawPart(p, hand, thing, dryRun) && ok;
    }
    const int star = part.indexOf(QLatin1Char('*'));
    if (star > 0) {
        bool ok = false;
        const int n = part.left(star).toInt(&ok);
        const QString one = part.mid(star + 1);
        if (!ok || n < 1 || n > 12 || one.contains(QLatin1Char('*')))
            return false;
        const int cols = n <= 4 ? n : (n + 1) / 2;
        const int rows = (n + cols - 1) / cols;
        const qreal cell = std::min(r.width() / cols, r.height() / rows);
        bool all = true;
        for (int i = 0; i < n; ++i) {
            const int row = i / cols, col = i % cols;
            const int inRow = row == rows - 1 ? n - row * cols : cols;
            const qreal x0 = r.center().x() - inRow * cell / 2;
            const qreal y0 = r.center().y() - rows * cell / 2;
            all =
                drawPart(
                    p, QRectF(x0 + col * cell, y0 + row * cell, cell, cell).adjusted(2, 2, -2, -2),
                    one, dryRun) &&
                all;
        }
        return all;
    }
    if (part.contains(QLatin1Char(','))) {
        const QStringList many = part.split(QLatin1Char(','));
        // Side by side, a little overlapped, like people standing in a line.
        const qreal w = r.width() / (many.size() * 0.8 + 0.2);
        bool all = true;
        for (int i = 0; i < many.size(); ++i)
            all = drawPart(p, QRectF(r.left() + i * w * 0.8, r.top() + (i % 2) * 4, w, r.height()),
                           many[i], dryRun) &&
                  all;
        return all;
    }
    if (part.startsWith(QLatin1Char('@'))) {
        const auto it = drawings().find(part.mid(1));
        if (it == drawings().end())
            return false;
        if (!dryRun) {
            const QRectF sq = square(r);
            p.save();
            p.translate(sq.topLeft());
            p.scale(sq.width() / kSide, sq.height() / kSide);
            it->second(p);
            p.restore();
        }
        return true;
    }
    if (emojiImage(part).isNull())
        return false;
    return dryRun || drawEmoji(p, r, part);
}

bool recipe(QPainter* p, const QRectF& r, const QString& text) {
    const QStringList parts = text.split(QLatin1Char('+'));
    QPainter* painter = p;
    QImage scratch;
    QPainter dummy;
    if (!painter) {
        scratch = canvas({4, 4});
        dummy.begin(&scratch);
        painter = &dummy;
    }
    const bool dry = p == nullptr;
    if (parts.size() == 1)
        return drawPart(*painter, r, parts[0], dry);
    // The first part big on the left, the others stacked small on the right.
    const QRectF main(r.left(), r.top(), r.width() * 0.68, r.height());
    bool all = drawPart(*painter, main, parts[0], dry);
    const qreal h = r.height() / (parts.size() - 1);
    for (int i = 1; i < parts.size(); ++i) {
        const QRectF side(r.left() + r.width() * 0.62, r.top() + (i - 1) * h + h * 0.3,
                          r.width() * 0.38, std::min(h * 0.7, r.width() * 0.38));
        all = drawPart(*painter, side, parts[i], dry) && all;
    }
    return all;
}

} // namespace

bool drawThing(QPainter& p, const QRectF& area, const QString& name) {
    return drawPart(p, area, QLatin1Char('@') + name, false);
}

// Whatever links these drawings can place them where an emoji goes ("@name").
[[maybe_unused]] static const bool kNamedDrawingsSet = (setNamedDrawings(&drawThing), true);

QStringList thingNames() {
    QStringList names;
    for (const auto& [name, draw] : drawings())
        names << name;
    return names;
}

bool recipeDrawable(const QString& text) {
    return recipe(nullptr, QRectF(0, 0, 200, 200), text);
}

bool drawRecipe(QPainter& p, const QRectF& area, const QString& text) {
    if (!recipeDrawable(text))
        return false;
    return recipe(&p, area, text);
}

} // namespace tools::art

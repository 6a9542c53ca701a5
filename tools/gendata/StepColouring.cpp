// The colouring movies of the pack "Data/kjfile/Tys.dat" ("tys1".."tys4", type "Flash"): an
// outline picture whose parts take the colour chosen in the paint box when clicked.
// Each part is a sprite with one frame per paint colour (frame 1 white); its button
// sends the sprite to the frame of the colour held in _root.c.
#include "tools/gendata/Generator.h"
#include "tools/gendata/Packs.h"
#include "tools/lib/ArtKit.h"
#include "tools/lib/SwfWriter.h"

#include <QPainter>
#include <QPainterPath>

namespace gendata {
namespace {

namespace art = tools::art;
using tools::ShapeFill;
using tools::ShapeLine;

const QSize kFrame(750, 520);
const QList<QColor> kPaints = {Qt::white,
                               QColor(0xff, 0x3b, 0x3b),
                               QColor(0xff, 0x9a, 0x1f),
                               QColor(0xff, 0xe0, 0x2e),
                               QColor(0x3d, 0xc9, 0x5b),
                               QColor(0x2e, 0x9c, 0xff),
                               QColor(0x9b, 0x55, 0xf0),
                               QColor(0xff, 0x7e, 0xc8),
                               QColor(0x8b, 0x5a, 0x2b)};
const ShapeLine kOutline{4, QColor(0x22, 0x22, 0x22)};

QPainterPath ellipse(qreal cx, qreal cy, qreal rx, qreal ry) {
    QPainterPath p;
    p.addEllipse(QPointF(cx, cy), rx, ry);
    return p;
}

QPainterPath polygon(std::initializer_list<QPointF> pts) {
    QPainterPath p;
    p.addPolygon(QPolygonF(QList<QPointF>(pts)));
    p.closeSubpath();
    return p;
}

QPainterPath star(QPointF c, qreal r) {
    QPolygonF poly;
    for (int i = 0; i < 10; ++i) {
        const qreal a = -M_PI / 2 + i * M_PI / 5, rr = i % 2 ? r * 0.45 : r;
        poly << c + QPointF(std::cos(a) * rr, std::sin(a) * rr);
    }
    QPainterPath p;
    p.addPolygon(poly);
    p.closeSubpath();
    return p;
}

// The parts of each page, painted in this order.
QList<QPainterPath> pageParts(int movie) {
    QList<QPainterPath> parts;
    switch (movie) {
    case 1: // a little fairy with wings and a wand
        parts << ellipse(300, 250, 70, 110) << ellipse(450, 250, 70, 110) // wings
              << polygon({{375, 230}, {315, 420}, {435, 420}})            // dress
              << ellipse(375, 190, 48, 48)                                // head
              << star({480, 150}, 34) << ellipse(345, 300, 10, 10);
        parts.last().addEllipse(QPointF(405, 300), 10, 10); // buttons
        break;
    case 2: // a caterpillar on a leaf
        parts << polygon({{90, 405}, {380, 315}, {680, 395}, {380, 450}}); // leaf
        for (int i = 0; i < 6; ++i)
            parts << ellipse(190 + i * 70, 320 - (i % 2) * 30, 42, 42);
        parts << ellipse(610, 260, 52, 52) << ellipse(630, 250, 10, 10);
        break;
    case 3: { // A B C with an apple
        const QString letters = QStringLiteral("ABC");
        for (int i = 0; i < 3; ++i)
            parts << art::textPath(letters.mid(i, 1), art::cjkFont(190, QFont::Black))
                         .translated(140 + i * 170, 220);
        parts << ellipse(375, 410, 60, 55) << polygon({{375, 355}, {400, 330}, {410, 345}});
        break;
    }
    default: // the little mouse, first of the twelve animals of the years
        parts << ellipse(270, 170, 62, 62) << ellipse(480, 170, 62, 62)  // ears
              << ellipse(375, 290, 150, 130)                             // head
              << ellipse(320, 260, 18, 24) << ellipse(430, 260, 18, 24)  // eyes
              << ellipse(375, 320, 26, 20)                               // nose
              << ellipse(290, 340, 28, 18) << ellipse(460, 340, 28, 18); // cheeks
        break;
    }
    return parts;
}

QPainterPath arc(QRectF box, qreal start, qreal span) {
    QPainterPath p;
    p.arcMoveTo(box, start);
    p.arcTo(box, start, span);
    return p;
}

// Lines drawn over the parts (faces, whiskers); they take no colour and no clicks.
QPainterPath pageInk(int movie) {
    QPainterPath ink;
    switch (movie) {
    case 1:
        ink.addEllipse(QPointF(360, 182), 4, 5);
        ink.addEllipse(QPointF(390, 182), 4, 5);
        ink.addPath(arc(QRectF(355, 185, 40, 22), 200, 140));
        ink.moveTo(480, 184);
        ink.lineTo(440, 300); // the wand
        break;
    case 2:
        ink.addPath(arc(QRectF(600, 265, 40, 22), 200, 140));
        ink.moveTo(600, 212);
        ink.lineTo(585, 170);
        ink.moveTo(625, 210);
        ink.lineTo(640, 168);
        break;
    case 3:
        break;
    default:
        for (int side : {-1, 1})
            for (int k = -1; k <= 1; ++k) {
                ink.moveTo(375 + side * 45, 316 + k * 6);
                ink.lineTo(375 + side * 150, 296 + k * 16);
            }
        ink.addPath(arc(QRectF(355, 330, 40, 30), 200, 140));
        break;
    }
    return ink;
}

QImage caption(const QString& text, QSize size, qreal px) {
    QImage img = art::canvas(size);
    QPainter p(&img);
    art::prepare(p);
    art::TextStyle s;
    s.font = art::cjkFont(px, QFont::Black);
    s.fill = QColor(0xff, 0x6a, 0x00);
    s.outline = Qt::white;
    s.outlineWidth = 5;
    art::drawText(p, QRectF(QPointF(0, 0), size), text, s);
    return img;
}

QByteArray colouringMovie(int movie, const QString& title) {
    tools::SwfWriter w(kFrame, 24, 8);
    w.setBackgroundColor(QColor(0xfd, 0xf6, 0xe3));
    tools::SwfTimeline& root = w.root();
    auto setPaint = [&](int frame1) {
        auto a = w.actionBuilder();
        a.push({QStringLiteral("_root")})
            .getVariable()
            .push({QStringLiteral("c"), frame1})
            .setMember();
        return a;
    };
    root.actions(0, setPaint(2));
    root.stop(0);
    int depth = 1;
    root.place(0, depth++, w.defineImageShape(caption(title, {460, 64}, 44)),
               QTransform::fromTranslate(145, 4));

    // Every part: a sprite with a frame per paint, and a button over the part.
    const QList<QPainterPath> parts = pageParts(movie);
    for (const QPainterPath& path : parts) {
        tools::SwfTimeline clip = w.newTimeline();
        const int hit = w.defineShape(tools::SwfShape().add(path, ShapeFill::solid(Qt::black)));
        auto go = w.actionBuilder();
        go.push({QStringLiteral("_root")}).getVariable().push({QStringLiteral("c")}).getMember();
        go.gotoFrame2(false);
        tools::Button b;
        b.records.push_back({hit, false, false, false, true, 1, {}});
        b.releaseActions = go.bytes();
        const int button = w.defineButton(b);
        for (int f = 0; f < kPaints.size(); ++f) {
            clip.place(
                f, 1,
                w.defineShape(tools::SwfShape().add(path, ShapeFill::solid(kPaints[f]), kOutline)));
            clip.stop(f);
        }
        clip.place(0, 2, button);
        root.place(0, depth++, w.defineSprite(clip));
    }

    const QPainterPath ink = pageInk(movie);
    if (!ink.isEmpty())
        root.place(0, depth++,
                   w.defineShape(tools::SwfShape().add(ink, ShapeFill::none(), kOutline)));

    // The paint box along the bottom: a click picks the paint.
    for (int i = 1; i < kPaints.size(); ++i) {
        const QRectF r(60 + (i - 1) * 80, 462, 60, 46);
        const int up = w.defineShape(
            tools::SwfShape().roundedRect(r, 12, ShapeFill::solid(kPaints[i]), {3, Qt::white}));
        const int over = w.defineShape(tools::SwfShape().roundedRect(
            r.adjusted(-4, -4, 4, 4), 14, ShapeFill::solid(kPaints[i]),
            {4, QColor(0x22, 0x22, 0x22)}));
        tools::Button b;
        b.records.push_back({up, true, false, false, true, 1, {}});
        b.records.push_back({over, false, true, true, false, 2, {}});
        b.releaseActions = setPaint(i + 1).bytes();
        root.place(0, depth++, w.defineButton(b));
    }
    root.place(0, depth++,
               w.defineImageShape(caption(QStringLiteral("先点颜色，再点图画"), {300, 40}, 26)),
               QTransform::fromTranslate(440, 60));
    return w.finish();
}

const AddToPack movies{
    "Data/kjfile/Tys.dat", "colouring", [](Output&) {
        const QStringList titles = {QStringLiteral("乱涂小精灵"), QStringLiteral("多彩毛毛虫"),
                                    QStringLiteral("英语涂色"), QStringLiteral("添色十二生肖")};
        QList<PackItem> items;
        for (int n = 1; n <= titles.size(); ++n)
            items.append({QStringLiteral("tys%1").arg(n), QStringLiteral("Flash"),
                          colouringMovie(n, titles[n - 1])});
        return items;
    }};

} // namespace
} // namespace gendata

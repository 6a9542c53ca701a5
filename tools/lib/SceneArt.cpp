#include "tools/lib/SceneArt.h"

#include "tools/lib/Landscape.h"

#include <QHash>
#include <QPainter>
#include <QPainterPathStroker>
#include <QRadialGradient>
#include <QRegularExpression>
#include <QtMath>
#include <algorithm>
#include <cmath>
#include <functional>
#include <stdexcept>

namespace tools::art {
namespace {

[[noreturn]] void fail(const QString& what) {
    throw std::runtime_error(what.toStdString());
}

constexpr QSize kCard(270, 270);
constexpr QSize kScene(720, 400);

QColor namedColour(const QString& name) {
    static const QHash<QString, QColor> colours = {
        {"red", QColor(0xf0, 0x3e, 0x3e)},    {"blue", QColor(0x2f, 0x7d, 0xf0)},
        {"yellow", QColor(0xff, 0xc8, 0x1e)}, {"green", QColor(0x3c, 0xb8, 0x4a)},
        {"orange", QColor(0xff, 0x8a, 0x1f)}, {"purple", QColor(0x9b, 0x55, 0xe8)},
        {"pink", QColor(0xff, 0x6f, 0xae)},
    };
    const auto it = colours.constFind(name);
    if (it == colours.constEnd())
        fail("unknown colour " + name);
    return *it;
}

struct Ground {
    QColor rim; // the card's edge
    std::function<void(QPainter&, const QRectF&)> paint;
};

void waterWaves(QPainter& p, const QRectF& r, qreal top) {
    p.save();
    p.setPen(QPen(QColor(255, 255, 255, 110), 3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    const int rows = std::max(2, static_cast<int>((r.bottom() - top) / 46));
    for (int row = 0; row < rows; ++row) {
        const qreal y = top + 24 + row * 46;
        for (qreal x = r.left() + (row % 2 ? 30 : 60); x < r.right() - 20; x += 120) {
            QPainterPath wave;
            wave.moveTo(x, y);
            wave.quadTo(x + 10, y - 7, x + 20, y);
            wave.quadTo(x + 30, y + 7, x + 40, y);
            p.drawPath(wave);
        }
    }
    p.restore();
}

// The light sky of the outdoor backgrounds over all of `r`, the meadow filling `r` too.
Landscape sunnyLand(const QRectF& r) {
    Landscape land;
    land.sky = land.ground = r;
    land.skyTop = QColor(0x6c, 0xc2, 0xf7);
    land.skyBottom = QColor(0xd8, 0xf2, 0xff);
    return land;
}

const QHash<QString, Ground>& grounds() {
    static const QHash<QString, Ground> g = {
        {"white",
         {QColor(0xc6, 0xd4, 0xe6),
          [](QPainter& p, const QRectF& r) { p.fillRect(r, Qt::white); }}},
        {"cream",
         {QColor(0xf0, 0xc8, 0x7a),
          [](QPainter& p, const QRectF& r) {
              QRadialGradient g(r.center() - QPointF(0, r.height() * 0.2), r.width() * 0.8);
              g.setColorAt(0, QColor(0xff, 0xfd, 0xf2));
              g.setColorAt(1, QColor(0xff, 0xee, 0xc8));
              p.fillRect(r, g);
          }}},
        {"paper",
         {QColor(0x9c, 0xc4, 0xf0),
          [](QPainter& p, const QRectF& r) {
              p.fillRect(r, QColor(0xfd, 0xfd, 0xf6));
              p.setPen(QPen(QColor(0x7a, 0xb0, 0xe8, 45), 1.5));
              for (qreal x = r.left() + 15; x < r.right(); x += 30)
                  p.drawLine(QPointF(x, r.top()), QPointF(x, r.bottom()));
              for (qreal y = r.top() + 15; y < r.bottom(); y += 30)
                  p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
          }}},
        {"meadow",
         {QColor(0x5a, 0xb8, 0x3c),
          [](QPainter& p, const QRectF& r) {
              Landscape land = sunnyLand(r);
              land.horizon = r.top() + r.height() * 0.62;
              if (r.width() > r.height()) {
                  land.sun = {{r.right() - 70, r.top() + 62}, 30};
                  land.clouds = {{{r.left() + 130, r.top() + 58}, 120}};
              }
              drawLandscape(p, land);
          }}},
        {"sky",
         {QColor(0x4a, 0x9c, 0xe8),
          [](QPainter& p, const QRectF& r) {
              drawSky(p, r, QColor(0x62, 0xb8, 0xf5), QColor(0xe2, 0xf5, 0xff));
          }}},
        {"night",
         {QColor(0x2a, 0x3a, 0x7a),
          [](QPainter& p, const QRectF& r) {
              QLinearGradient g(r.topLeft(), r.bottomLeft());
              g.setColorAt(0, QColor(0x16, 0x22, 0x52));
              g.setColorAt(1, QColor(0x3c, 0x4e, 0x96));
              p.fillRect(r, g);
          }}},
        {"water",
         {QColor(0x2a, 0x86, 0xcc),
          [](QPainter& p, const QRectF& r) {
              QLinearGradient g(r.topLeft(), r.bottomLeft());
              g.setColorAt(0, QColor(0x9c, 0xdf, 0xff));
              g.setColorAt(1, QColor(0x3e, 0xa4, 0xe4));
              p.fillRect(r, g);
              waterWaves(p, r, r.top());
          }}},
        {"pond",
         {QColor(0x2a, 0x86, 0xcc),
          [](QPainter& p, const QRectF& r) {
              const qreal shore = r.top() + r.height() * 0.36;
              Landscape land = sunnyLand(r);
              land.sun = {{r.right() - 80, r.top() + 52}, 26};
              land.clouds = {{{r.left() + 150, r.top() + 48}, 110}};
              land.horizon = shore - 20;
              drawLandscape(p, land);
              QPainterPath water;
              water.addRoundedRect(
                  QRectF(r.left() - 40, shore + 10, r.width() + 80, r.bottom() - shore + 40), 120,
                  60);
              QLinearGradient g(0, shore, 0, r.bottom());
              g.setColorAt(0, QColor(0x8c, 0xd8, 0xfa));
              g.setColorAt(1, QColor(0x3a, 0x9c, 0xe0));
              p.fillPath(water, g);
              waterWaves(p, r, shore + 20);
          }}},
        {"table",
         {QColor(0xb0, 0x6a, 0x2c),
          [](QPainter& p, const QRectF& r) {
              const qreal edge = r.top() + r.height() * 0.55;
              p.fillRect(QRectF(r.left(), r.top(), r.width(), edge - r.top()),
                         QColor(0xff, 0xf1, 0xd6));
              QLinearGradient g(0, edge, 0, r.bottom());
              g.setColorAt(0, QColor(0xe8, 0xb0, 0x72));
              g.setColorAt(1, QColor(0xc8, 0x84, 0x48));
              p.fillRect(QRectF(r.left(), edge, r.width(), r.bottom() - edge), g);
              p.fillRect(QRectF(r.left(), edge, r.width(), 6), QColor(0xb0, 0x6a, 0x2c));
              p.setPen(QPen(QColor(0xa0, 0x5e, 0x26, 70), 2));
              for (qreal y = edge + 34; y < r.bottom(); y += 34)
                  p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
          }}},
        {"room",
         {QColor(0x8c, 0x7c, 0xd0),
          [](QPainter& p, const QRectF& r) {
              const qreal floor = r.top() + r.height() * 0.74;
              p.fillRect(QRectF(r.left(), r.top(), r.width(), floor - r.top()),
                         QColor(0xee, 0xee, 0xff));
              QLinearGradient g(0, floor, 0, r.bottom());
              g.setColorAt(0, QColor(0xf2, 0xc9, 0x8c));
              g.setColorAt(1, QColor(0xd9, 0xa4, 0x62));
              p.fillRect(QRectF(r.left(), floor, r.width(), r.bottom() - floor), g);
              p.fillRect(QRectF(r.left(), floor - 4, r.width(), 6), QColor(0xc8, 0xb8, 0xf0));
          }}},
    };
    return g;
}

QPainterPath shapePath(const QString& kind, QPointF c, qreal s) {
    QPainterPath path;
    if (kind == "circle") {
        path.addEllipse(c, s / 2, s / 2);
    } else if (kind == "square") {
        path.addRoundedRect(QRectF(c.x() - s / 2, c.y() - s / 2, s, s), s * 0.05, s * 0.05);
    } else if (kind == "rect") {
        path.addRoundedRect(QRectF(c.x() - s / 2, c.y() - s * 0.3, s, s * 0.6), s * 0.04, s * 0.04);
    } else if (kind == "oval") {
        path.addEllipse(c, s / 2, s * 0.33);
    } else if (kind == "triangle") {
        const qreal h = s * 0.87;
        path.moveTo(c.x(), c.y() - h * 0.55);
        path.lineTo(c.x() + s / 2, c.y() + h * 0.45);
        path.lineTo(c.x() - s / 2, c.y() + h * 0.45);
        path.closeSubpath();
    } else if (kind == "star") {
        for (int i = 0; i < 10; ++i) {
            const qreal a = -M_PI / 2 + i * M_PI / 5;
            const qreal rr = (i % 2 ? 0.21 : 0.5) * s;
            const QPointF pt(c.x() + rr * std::cos(a), c.y() + rr * std::sin(a) + s * 0.04);
            i ? path.lineTo(pt) : path.moveTo(pt);
        }
        path.closeSubpath();
    } else if (kind == "heart") {
        const qreal w = s / 2;
        path.moveTo(c.x(), c.y() + w * 0.9);
        path.cubicTo(c.x() - w * 1.3, c.y() + w * 0.05, c.x() - w * 0.95, c.y() - w * 1.0, c.x(),
                     c.y() - w * 0.45);
        path.cubicTo(c.x() + w * 0.95, c.y() - w * 1.0, c.x() + w * 1.3, c.y() + w * 0.05, c.x(),
                     c.y() + w * 0.9);
    } else {
        fail("unknown shape " + kind);
    }
    return path;
}

// A glossy shape with a darker rim and a soft shadow under it.
void drawShape(QPainter& p, const QString& kind, const QColor& colour, QPointF c, qreal s) {
    QPainterPath path = shapePath(kind, c, s);
    if (kind == "star" || kind == "triangle") {
        // Rounded points read better and look friendlier.
        QPainterPathStroker round;
        round.setWidth(s * 0.06);
        round.setJoinStyle(Qt::RoundJoin);
        path = path.united(round.createStroke(path)).simplified();
    }
    drawSoftShadow(p, path, QColor(0, 0, 0, 70), 5, {0, 5});
    const QRectF b = path.boundingRect();
    QLinearGradient g(b.topLeft(), b.bottomLeft());
    g.setColorAt(0, shade(colour, 0.25));
    g.setColorAt(1, shade(colour, -0.08));
    p.fillPath(path, g);
    p.strokePath(path, QPen(shade(colour, -0.4), std::max(3.0, s * 0.03), Qt::SolidLine,
                            Qt::RoundCap, Qt::RoundJoin));
    p.save();
    p.setClipPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 80));
    p.drawEllipse(QRectF(b.left() + b.width() * 0.12, b.top() + b.height() * 0.08, b.width() * 0.45,
                         b.height() * 0.3));
    p.restore();
}

void drawBalloon(QPainter& p, const QColor& colour, QPointF c, qreal s) {
    const qreal w = s * 0.8, h = s;
    QPainterPath string;
    string.moveTo(c.x(), c.y() + h / 2 + 6);
    string.cubicTo(c.x() - s * 0.18, c.y() + h * 0.8, c.x() + s * 0.18, c.y() + h * 1.0, c.x(),
                   c.y() + h * 1.3);
    p.strokePath(string, QPen(QColor(0x55, 0x55, 0x66), 2));
    QPainterPath knot;
    knot.moveTo(c.x(), c.y() + h / 2 - 2);
    knot.lineTo(c.x() + 7, c.y() + h / 2 + 8);
    knot.lineTo(c.x() - 7, c.y() + h / 2 + 8);
    knot.closeSubpath();
    p.fillPath(knot, shade(colour, -0.25));
    QPainterPath body;
    body.addEllipse(c, w / 2, h / 2);
    QRadialGradient g(c - QPointF(w * 0.18, h * 0.2), w * 0.75);
    g.setColorAt(0, shade(colour, 0.35));
    g.setColorAt(1, shade(colour, -0.12));
    p.fillPath(body, g);
    p.strokePath(body, QPen(shade(colour, -0.35), 2.5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 150));
    p.drawEllipse(QRectF(c.x() - w * 0.3, c.y() - h * 0.32, w * 0.18, h * 0.26));
}

void drawPlate(QPainter& p, QPointF c, qreal w) {
    const qreal h = w * 0.42;
    QPainterPath rim;
    rim.addEllipse(c, w / 2, h / 2);
    drawSoftShadow(p, rim, QColor(60, 30, 0, 80), 6, {0, 6});
    QLinearGradient g(0, c.y() - h / 2, 0, c.y() + h / 2);
    g.setColorAt(0, QColor(0xff, 0xff, 0xff));
    g.setColorAt(1, QColor(0xd8, 0xe2, 0xee));
    p.fillPath(rim, g);
    p.strokePath(rim, QPen(QColor(0x9a, 0xaa, 0xc0), 2.5));
    QPainterPath inner;
    inner.addEllipse(c + QPointF(0, h * 0.04), w * 0.34, h * 0.32);
    p.fillPath(inner, QColor(0xf2, 0xf6, 0xfb));
    p.strokePath(inner, QPen(QColor(0x5a, 0x9c, 0xe8, 150), 3));
}

// A big round-crowned tree: `s` is the crown's width, (x, y) its centre.
void drawTree(QPainter& p, QPointF c, qreal s) {
    const QRectF trunk(c.x() - s * 0.08, c.y() + s * 0.1, s * 0.16, s * 0.55);
    QLinearGradient tg(trunk.topLeft(), trunk.topRight());
    tg.setColorAt(0, QColor(0x9a, 0x5a, 0x2a));
    tg.setColorAt(1, QColor(0x6e, 0x3c, 0x18));
    p.setPen(Qt::NoPen);
    p.setBrush(tg);
    p.drawRoundedRect(trunk, s * 0.03, s * 0.03);
    const QPointF blobs[] = {{0, -0.18},    {-0.26, -0.02}, {0.26, -0.02},
                             {-0.14, 0.12}, {0.14, 0.12},   {0, 0.02}};
    QPainterPath crown;
    for (const QPointF& b : blobs)
        crown.addEllipse(c + QPointF(b.x() * s, b.y() * s), s * 0.27, s * 0.25);
    crown.setFillRule(Qt::WindingFill);
    crown = crown.simplified();
    drawSoftShadow(p, crown, QColor(0, 60, 0, 70), 6, {0, 6});
    QRadialGradient g(c - QPointF(s * 0.15, s * 0.2), s * 0.7);
    g.setColorAt(0, QColor(0x8e, 0xe0, 0x5a));
    g.setColorAt(1, QColor(0x2e, 0x9a, 0x3a));
    p.fillPath(crown, g);
    p.strokePath(crown, QPen(QColor(0x23, 0x7a, 0x2c), 3));
}

// A square whose four sides each have their own colour, so they can be counted.
void drawSides(QPainter& p, QPointF c, qreal s) {
    const QRectF sq(c.x() - s / 2, c.y() - s / 2, s, s);
    p.fillRect(sq, QColor(0xff, 0xf6, 0xd8));
    const QColor colours[] = {namedColour("red"), namedColour("blue"), namedColour("green"),
                              namedColour("orange")};
    const QPointF corners[] = {sq.topLeft(), sq.topRight(), sq.bottomRight(), sq.bottomLeft()};
    for (int i = 0; i < 4; ++i) {
        p.setPen(QPen(colours[i], 16, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(corners[i], corners[(i + 1) % 4]);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x4a, 0x3a, 0x6a));
    for (const QPointF& k : corners)
        p.drawEllipse(k, 9, 9);
}

void drawBigText(QPainter& p, const QString& text, QPointF c, qreal s, qreal width) {
    lettersArt(text, {namedColour("red"), namedColour("blue"), namedColour("green")},
               Qt::white)(p, QRectF(c.x() - width / 2, c.y() - s * 0.6, width, s * 1.2));
}

// Boxes for `n` things set out in rows over `area`, like the pips of a die.
QList<QRectF> countBoxes(int n, const QRectF& area) {
    static const QList<QList<int>> rows = {{1},    {2},       {1, 2},    {2, 2},    {2, 1, 2},
                                           {3, 3}, {2, 3, 2}, {3, 2, 3}, {3, 3, 3}, {4, 3, 3}};
    if (n < 1 || n > rows.size())
        fail(QStringLiteral("cannot set out %1 things").arg(n));
    const QList<int>& layout = rows[n - 1];
    const int cols = *std::max_element(layout.begin(), layout.end());
    const qreal cell = std::min(area.width() / cols, area.height() / layout.size());
    const qreal size = std::min<qreal>({136, cell * 0.86, n == 1 ? 130.0 : 136.0});
    QList<QRectF> boxes;
    const qreal rowH = area.height() / layout.size();
    for (int r = 0; r < layout.size(); ++r) {
        const qreal y = area.top() + rowH * (r + 0.5);
        const qreal colW = area.width() / cols;
        const qreal x0 = area.center().x() - colW * layout[r] / 2;
        for (int k = 0; k < layout[r]; ++k) {
            const qreal x = x0 + colW * (k + 0.5);
            boxes.append(QRectF(x - size / 2, y - size / 2, size, size));
        }
    }
    return boxes;
}

QList<qreal> numbers(const QString& text, int count, const PictureRecipe& recipe) {
    const QStringList parts = text.split(QLatin1Char(','));
    QList<qreal> v;
    for (const QString& s : parts) {
        bool ok = false;
        v.append(s.toDouble(&ok));
        if (!ok)
            break;
    }
    if (v.size() != count || parts.size() != count)
        fail(QStringLiteral("%1 line %2: bad position \"%3\"")
                 .arg(recipe.source)
                 .arg(recipe.line)
                 .arg(text));
    return v;
}

void drawItem(QPainter& p, const QString& item, const QRectF& area, const PictureRecipe& recipe) {
    if (item.startsWith(QLatin1String("count:"))) {
        const QStringList parts = item.split(QLatin1Char(':'));
        bool ok = false;
        const int n = parts.value(2).toInt(&ok);
        if (parts.size() != 3 || !ok)
            fail(QStringLiteral("%1 line %2: bad count \"%3\"")
                     .arg(recipe.source)
                     .arg(recipe.line)
                     .arg(item));
        for (const QRectF& box : countBoxes(n, area.adjusted(16, 16, -16, -16)))
            if (!drawEmoji(p, box, parts[1]))
                fail("emoji missing: " + parts[1]);
        return;
    }
    const int at = item.lastIndexOf(QLatin1Char('@'));
    if (at < 0)
        fail(QStringLiteral("%1 line %2: no position in \"%3\"")
                 .arg(recipe.source)
                 .arg(recipe.line)
                 .arg(item));
    const QList<qreal> v = numbers(item.mid(at + 1), 3, recipe);
    const QPointF c(area.left() + v[0], area.top() + v[1]);
    const qreal s = v[2];
    const QString what = item.left(at);
    const int colon = what.indexOf(QLatin1Char(':'));
    const QString kind = colon < 0 ? what : what.left(colon);
    const QString arg = colon < 0 ? QString() : what.mid(colon + 1);
    if (kind == "plate")
        drawPlate(p, c, s);
    else if (kind == "tree")
        drawTree(p, c, s);
    else if (kind == "sides")
        drawSides(p, c, s);
    else if (kind == "balloon")
        drawBalloon(p, namedColour(arg), c, s);
    else if (kind == "text")
        drawBigText(p, arg, c, s, area.width() - 36);
    else if (colon >= 0)
        drawShape(p, kind, namedColour(arg), c, s);
    else if (!drawEmoji(p, QRectF(c.x() - s / 2, c.y() - s / 2, s, s), what))
        fail("emoji missing: " + what);
}

} // namespace

// A picture card: rounded, with a white inner rim and a coloured edge, on transparency.
QImage drawPicture(const PictureRecipe& recipe) {
    const auto g = grounds().constFind(recipe.ground);
    if (g == grounds().constEnd())
        fail(QStringLiteral("%1 line %2: unknown background %3")
                 .arg(recipe.source)
                 .arg(recipe.line)
                 .arg(recipe.ground));
    QImage img = canvas(recipe.size);
    QPainter p(&img);
    prepare(p);
    const QRectF outer = QRectF(QPointF(0, 0), recipe.size).adjusted(2, 2, -2, -2);
    const qreal radius = recipe.size.width() > recipe.size.height() ? 26 : 22;
    QPainterPath card;
    card.addRoundedRect(outer, radius, radius);
    p.save();
    p.setClipPath(card);
    g->paint(p, outer);
    for (const QString& item : recipe.items)
        drawItem(p, item, outer, recipe);
    p.restore();
    p.strokePath(card, QPen(Qt::white, 6));
    p.strokePath(card, QPen(g->rim, 2.5));
    return img;
}

QList<PictureRecipe> readPictureRecipes(const QString& text, const QString& source) {
    QList<PictureRecipe> recipes;
    const QStringList lines = text.split(QLatin1Char('\n'));
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList t = line.split(blanks, Qt::SkipEmptyParts);
        if (t.size() < 4 || (t[1] != "card" && t[1] != "scene"))
            fail(QStringLiteral("%1 line %2 is not a picture").arg(source).arg(i + 1));
        recipes.append({t[0], t[1] == "card" ? kCard : kScene, t[2], t.mid(3), source, i + 1});
    }
    return recipes;
}

} // namespace tools::art

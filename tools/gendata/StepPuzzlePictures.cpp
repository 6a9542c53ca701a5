// Pictures of the puzzle park: the pack "Data/kjfile/zbt.dat" with the 25 spot-the-
// difference pairs ("1_1".."25_2", type "JPG"; each difference drawn inside its region
// of the game's difference table) and the twelve puzzle pictures
// "Data/picture/ptx/1.bmp".."12.bmp" (423 by 355, 24-bit).
#include "content/puzzles/SpotDifferences.h"
#include "tools/gendata/Generator.h"
#include "tools/gendata/Packs.h"
#include "tools/lib/ArtKit.h"

#include <QBuffer>
#include <QPainter>
#include <QPainterPath>
#include <array>
#include <cmath>
#include <random>

namespace gendata {
namespace {

namespace art = tools::art;

const QStringList kProps = {
    "🍎", "🍊", "🍌", "🍓", "🍇", "🐞", "🦋", "🐝", "🌸", "🌻",    "🍄", "🎈", "🐟",
    "🐤", "🐸", "🐰", "🐱", "🐶", "🚗", "⚽",    "🎁", "🍦", "🧸", "🐢", "🍒", "🌈",
};
const QStringList kHeroes = {
    "🐘", "🦁", "🐼", "🐧",    "🦒",    "🐬",    "🐙", "🦊", "🐨",    "🐯", "🐵",    "🐮", "🐷",
    "🐔", "🦄", "🐳", "🦉", "🐿️", "🦀", "🐌", "🐛",    "🦓", "🐫", "🦘", "🐻",
};
const QList<QColor> kBright = {QColor(0xff, 0x4d, 0x4d), QColor(0xff, 0xa6, 0x1a),
                               QColor(0xff, 0xe0, 0x33), QColor(0x3d, 0xc9, 0x5b),
                               QColor(0x33, 0x99, 0xff), QColor(0xb0, 0x5c, 0xff),
                               QColor(0xff, 0x6e, 0xc7)};

// The backdrop of a scene; five themes in turn.
void drawScene(QPainter& p, const QRectF& area, int theme, std::mt19937& gen) {
    std::uniform_real_distribution<qreal> ux(area.left(), area.right()),
        uy(area.top(), area.bottom());
    switch (theme % 5) {
    case 0: // sunny meadow
        art::drawSky(p, area, QColor(0x6e, 0xc6, 0xff), QColor(0xd8, 0xf2, 0xff));
        art::drawSun(p, {area.right() - 60, 55}, 32);
        art::drawCloud(p, {area.left() + 90, 50}, 110);
        art::drawMeadow(p, area, area.height() * 0.55);
        break;
    case 1: // seaside
        art::drawSky(p, area, QColor(0x4f, 0xb3, 0xff), QColor(0xbf, 0xe8, 0xff));
        p.fillRect(QRectF(area.left(), area.height() * 0.45, area.width(), area.height() * 0.3),
                   QColor(0x1e, 0x90, 0xd6));
        p.fillRect(QRectF(area.left(), area.height() * 0.75, area.width(), area.height() * 0.25),
                   QColor(0xf6, 0xd7, 0x8e));
        art::drawSun(p, {area.left() + 60, 55}, 30);
        break;
    case 2: // evening garden
        art::drawSky(p, area, QColor(0x3a, 0x2f, 0x8f), QColor(0xff, 0xa0, 0x7a));
        for (int i = 0; i < 12; ++i)
            art::drawSparkle(p, {ux(gen), uy(gen) * 0.4}, 6, QColor(0xff, 0xf3, 0xb0));
        art::drawMeadow(p, area, area.height() * 0.6);
        break;
    case 3: // snow day
        art::drawSky(p, area, QColor(0x9f, 0xd4, 0xff), QColor(0xf0, 0xf8, 0xff));
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(area.left() - 80, area.height() * 0.58, area.width() * 0.8, 260));
        p.drawEllipse(QRectF(area.width() * 0.35, area.height() * 0.62, area.width() * 0.9, 260));
        art::drawCloud(p, {area.right() - 100, 60}, 120);
        break;
    default: // under the sea
        art::drawSky(p, area, QColor(0x2c, 0xb5, 0xe8), QColor(0x0b, 0x4f, 0x9c));
        p.setPen(QPen(QColor(255, 255, 255, 150), 2));
        p.setBrush(Qt::NoBrush);
        for (int i = 0; i < 14; ++i) {
            const qreal r = 4 + i % 4 * 3;
            p.drawEllipse(QPointF(ux(gen), uy(gen)), r, r);
        }
        p.fillRect(QRectF(area.left(), area.bottom() - 40, area.width(), 40),
                   QColor(0xe8, 0xc8, 0x7a));
        break;
    }
}

// The mean colour of the opaque pixels of `img` inside `r`.
QColor meanColour(const QImage& img, const QRect& r) {
    qint64 sum[3] = {0, 0, 0}, n = 0;
    const QRect inside = r & img.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QRgb c = img.pixel(x, y);
            if (qAlpha(c) < 128)
                continue;
            sum[0] += qRed(c);
            sum[1] += qGreen(c);
            sum[2] += qBlue(c);
            ++n;
        }
    if (n == 0)
        return Qt::white;
    return QColor(int(sum[0] / n), int(sum[1] / n), int(sum[2] / n));
}

// How far apart two colours look (CIE76 distance in L*a*b*): a yellow chick and yellow
// sand are close although their RGB values are not.
qreal colourDistance(const QColor& a, const QColor& b) {
    const auto lab = [](const QColor& c) {
        const auto lin = [](qreal s) {
            return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        };
        const qreal r = lin(c.redF()), g = lin(c.greenF()), bl = lin(c.blueF());
        const auto f = [](qreal t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116; };
        const qreal x = f((0.4124 * r + 0.3576 * g + 0.1805 * bl) / 0.95047);
        const qreal y = f(0.2126 * r + 0.7152 * g + 0.0722 * bl);
        const qreal z = f((0.0193 * r + 0.1192 * g + 0.9505 * bl) / 1.08883);
        return std::array<qreal, 3>{116 * y - 16, 500 * (x - y), 200 * (y - z)};
    };
    const auto p = lab(a), q = lab(b);
    return std::hypot(p[0] - q[0], p[1] - q[1], p[2] - q[2]);
}

// A thing of about the ground's colour hides on it (a yellow chick on sand): the first of
// `count` choices, from `from` on and other than `other`, that stands out against `ground`.
template <class Colour>
int standingOut(int from, qsizetype count, const QColor& ground, Colour colourOf, int other = -1) {
    constexpr qreal kEnough = 60;
    int fallback = -1;
    for (int i = 0; i < count; ++i) {
        const int c = int((from + i) % count);
        if (c == other)
            continue;
        if (colourDistance(colourOf(c), ground) >= kEnough)
            return c;
        if (fallback < 0)
            fallback = c;
    }
    return fallback;
}

QColor propColour(int i) {
    static const QList<QColor> colours = [] {
        QList<QColor> c;
        for (const QString& prop : kProps) {
            const QImage e = art::emojiImage(prop);
            // Without the emoji font a star is drawn in its place.
            c << (e.isNull() ? QColor(0xff, 0xd0, 0x1f) : meanColour(e, e.rect()));
        }
        return c;
    }();
    return colours[i];
}

// One difference: what picture `side` (0 or 1) shows inside the region. `ground` is the
// picture before any difference was drawn, the same for both sides. The thing is drawn
// in the part of the region that lies inside the picture.
void drawDifference(QPainter& p, const QImage& ground, const puzzles::Region& r, int pair, int k,
                    int side) {
    const QRectF visible =
        QRectF(r.left, r.top, r.width, r.height) & QRectF(QPointF(0, 0), QSizeF(ground.size()));
    const qreal side0 = std::min(visible.width(), visible.height()) * 0.78;
    const QRectF box(visible.center() - QPointF(side0 / 2, side0 / 2), QSizeF(side0, side0));
    const QColor under = meanColour(ground, box.toAlignedRect());
    // Where one thing turns into another, the two differ.
    const int ia = standingOut(pair * 5 + k, kProps.size(), under, propColour);
    const int ib = standingOut(pair * 5 + k + 7, kProps.size(), under, propColour, ia);
    const auto bright = [](int i) { return kBright[i]; };
    const int i1 = standingOut(pair + k, kBright.size(), under, bright);
    const int i2 = standingOut(pair + k + 3, kBright.size(), under, bright, i1);
    const QString a = kProps[ia], b = kProps[ib];
    const QColor c1 = kBright[i1], c2 = kBright[i2];
    switch ((pair + k) % 5) {
    case 0: // there on the left only
        if (side == 0)
            art::drawEmoji(p, box, a);
        break;
    case 1: // one thing on the left, another on the right
        art::drawEmoji(p, box, side == 0 ? a : b);
        break;
    case 2: // a star changes colour
        art::drawStar(p, box.center(), side0 / 2, side == 0 ? c1 : c2);
        break;
    case 3: // there on the right only
        if (side == 1)
            art::drawEmoji(p, box, a);
        break;
    default: // a flower changes its petals
        art::drawFlower(p, QPointF(box.center().x(), box.bottom()), side0, side == 0 ? c1 : c2);
        break;
    }
}

QImage spotPicture(int pair, int side) {
    QImage img = art::canvas({puzzles::kSpotPictureWidth, puzzles::kSpotPictureHeight}, Qt::white);
    QPainter p(&img);
    art::prepare(p);
    std::mt19937 gen(static_cast<unsigned>(pair * 101));
    const QRectF area(0, 0, img.width(), img.height());
    drawScene(p, area, pair - 1, gen);
    // The same big friend and a few things on both sides.
    std::uniform_real_distribution<qreal> ux(20, area.width() - 80), uy(120, area.height() - 80);
    art::drawEmoji(p, QRectF(ux(gen), uy(gen) - 40, 110, 110),
                   kHeroes[(pair - 1) % kHeroes.size()]);
    for (int i = 0; i < 3; ++i)
        art::drawEmoji(p, QRectF(ux(gen), uy(gen), 44, 44), kProps[(pair * 3 + i) % kProps.size()]);
    p.end();
    const QImage ground = img.copy();
    p.begin(&img);
    art::prepare(p);
    for (int k = 1; k <= 5; ++k)
        drawDifference(p, ground, puzzles::spotRegion(pair, k), pair, k, side);
    p.end();
    return img;
}

QImage puzzlePicture(int n) {
    QImage img = art::canvas({423, 355}, Qt::white);
    QPainter p(&img);
    art::prepare(p);
    std::mt19937 gen(static_cast<unsigned>(n * 37));
    const QRectF area(0, 0, 423, 355);
    drawScene(p, area, n, gen);
    if (n % 3 == 0)
        art::drawRainbow(p, {211, 250}, 200, 14, 0.8);
    // Three big friends, each in another corner of the picture, so the pieces differ.
    const QPointF spots[] = {{20, 170}, {150, 60}, {280, 180}};
    for (int i = 0; i < 3; ++i)
        art::drawEmoji(p, QRectF(spots[i], QSizeF(125, 125)),
                       kHeroes[(n * 2 + i * 5) % kHeroes.size()]);
    for (int i = 0; i < 4; ++i)
        art::drawEmoji(p, QRectF(15 + i * 105, 10 + (i % 2) * 300, 40, 40),
                       kProps[(n + i * 4) % kProps.size()]);
    p.setPen(QPen(QColor(0xff, 0xff, 0xff), 6));
    p.setBrush(Qt::NoBrush);
    p.drawRect(area.adjusted(3, 3, -3, -3));
    p.end();
    return img;
}

QByteArray bmp(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP");
    return bytes;
}

const AddToPack spotPairs{"Data/kjfile/zbt.dat", "puzzlepictures", [](Output&) {
                              QList<PackItem> items;
                              for (int pair = 1; pair <= puzzles::kSpotPairs; ++pair)
                                  for (int side = 0; side < 2; ++side)
                                      items.append({QStringLiteral("%1_%2").arg(pair).arg(side + 1),
                                                    QStringLiteral("JPG"),
                                                    art::jpeg(spotPicture(pair, side), 90)});
                              return items;
                          }};

void makePuzzlePictures(Output& out) {
    for (int n = 1; n <= 12; ++n)
        out.writeData(QStringLiteral("Data/picture/ptx/%1.bmp").arg(n), bmp(puzzlePicture(n)));
}

const RegisterStep step{"puzzlepictures", &makePuzzlePictures};

} // namespace
} // namespace gendata

// The pictures of the picture-recognition activities, "Data/picture/LookRec/<name>.jpg"
// (320x240): the list in content/language/pictures.txt, each a small scene with the
// thing drawn by its recipe (colour emoji, drawings of our own, or both). Also the note
// "lookrec-recipes.txt" (name, how it was drawn) for the check that no picture is only
// its word and no two words share one.
#include "tools/gendata/Generator.h"
#include "tools/lib/ArtKit.h"
#include "tools/lib/ThingArt.h"

#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <cstdio>

namespace gendata {

// One picture of the list: name, recipe (tools/lib/ThingArt.h), scene.
struct LookRecEntry {
    QString name, recipe, scene;
};

std::vector<LookRecEntry> lookRecEntries(const Output& out) {
    std::vector<LookRecEntry> entries;
    const QStringList lines =
        QString::fromUtf8(out.content(QStringLiteral("language/pictures.txt"))).split('\n');
    for (const QString& line : lines) {
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList f = line.split(QLatin1Char('\t'));
        if (f.size() != 3 || f[0].isEmpty())
            throw std::runtime_error("bad line in language/pictures.txt: " + line.toStdString());
        entries.push_back({f[0], f[1], f[2].trimmed()});
    }
    return entries;
}

namespace {

namespace art = tools::art;

void drawScene(QPainter& p, const QRectF& r, const QString& scene, quint32 seed) {
    QRandomGenerator rnd(seed);
    if (scene == QLatin1String("sea")) {
        art::drawSky(p, r, QColor(0x8c, 0xd8, 0xff), QColor(0x2e, 0x9c, 0xe6));
        p.setPen(QPen(QColor(255, 255, 255, 150), 4, Qt::SolidLine, Qt::RoundCap));
        for (int row = 0; row < 4; ++row) {
            QPainterPath wave;
            const qreal y = r.top() + 60 + row * 48;
            wave.moveTo(r.left(), y);
            for (qreal x = r.left(); x < r.right(); x += 40)
                wave.quadTo(x + 10, y - 8, x + 20, y), wave.quadTo(x + 30, y + 8, x + 40, y);
            p.drawPath(wave);
        }
        return;
    }
    if (scene == QLatin1String("night")) {
        art::drawSky(p, r, QColor(0x14, 0x1c, 0x4a), QColor(0x3a, 0x3c, 0x8a));
        for (int i = 0; i < 14; ++i)
            art::drawSparkle(p, QPointF(r.left() + rnd.bounded(300) + 10, rnd.bounded(200) + 10),
                             3 + rnd.bounded(4), QColor(0xff, 0xf3, 0xb0));
        return;
    }
    if (scene == QLatin1String("room") || scene == QLatin1String("street")) {
        const bool room = scene == QLatin1String("room");
        art::drawSky(p, r, room ? QColor(0xff, 0xf1, 0xd6) : QColor(0x9a, 0xd8, 0xff),
                     room ? QColor(0xff, 0xe0, 0xb8) : QColor(0xe2, 0xf4, 0xff));
        const QRectF floor(r.left(), r.top() + r.height() * 0.72, r.width(), r.height() * 0.28);
        p.fillRect(floor, room ? QColor(0xe0, 0xa8, 0x6a) : QColor(0x8a, 0x8f, 0x9a));
        p.setPen(QPen(room ? QColor(0xc8, 0x8c, 0x52) : QColor(0xff, 0xff, 0xff, 200), 3,
                      room ? Qt::SolidLine : Qt::DashLine));
        p.drawLine(QPointF(r.left(), floor.center().y()), QPointF(r.right(), floor.center().y()));
        if (!room)
            art::drawCloud(p, QPointF(r.left() + 60 + rnd.bounded(200), 36), 90, 0.9);
        return;
    }
    QColor top(0x6c, 0xc4, 0xff), bottom(0xd8, 0xf2, 0xff);
    if (scene == QLatin1String("snow"))
        top = QColor(0xa8, 0xd8, 0xf8), bottom = QColor(0xf0, 0xf8, 0xff);
    if (scene == QLatin1String("sand"))
        top = QColor(0xff, 0xc0, 0x70), bottom = QColor(0xff, 0xec, 0xc0);
    art::drawSky(p, r, top, bottom);
    art::drawCloud(p, QPointF(r.left() + 50 + rnd.bounded(220), 34), 100, 0.9);
    if (scene == QLatin1String("sky")) {
        art::drawCloud(p, QPointF(r.left() + 40 + rnd.bounded(240), 200), 120, 0.8);
        return;
    }
    art::drawSun(p, QPointF(r.right() - 34, 32), 20);
    if (scene == QLatin1String("garden")) {
        art::drawMeadow(p, r, r.top() + r.height() * 0.66);
        for (int i = 0; i < 4; ++i)
            art::drawFlower(p, QPointF(r.left() + 20 + i * 90 + rnd.bounded(30), r.bottom() - 6),
                            26, QColor::fromHsv(rnd.bounded(360), 150, 255));
        return;
    }
    QPainterPath ground;
    const qreal h = r.top() + r.height() * 0.7;
    ground.moveTo(r.left(), h);
    ground.quadTo(r.center().x(), h - 24, r.right(), h + 6);
    ground.lineTo(r.bottomRight());
    ground.lineTo(r.bottomLeft());
    p.fillPath(ground,
               scene == QLatin1String("snow") ? QColor(Qt::white) : QColor(0xf2, 0xc8, 0x78));
}

// A stand-in for a picture whose recipe cannot be drawn here (an emoji missing from the
// installed font): a bright card with the word. The recipe note says "card", which the
// build's check refuses.
void drawWordCard(QPainter& p, const QRectF& r, const QString& word, quint32 seed) {
    const QColor colour = QColor::fromHsv(int(seed % 360), 170, 240);
    const QRectF card = r.adjusted(34, 34, -34, -34);
    QPainterPath path;
    path.addRoundedRect(card, 26, 26);
    art::drawSoftShadow(p, path, QColor(0, 0, 0, 70), 8, {0, 5});
    p.fillPath(path, QColor(0xff, 0xfd, 0xf4));
    p.setPen(QPen(colour, 6));
    p.drawPath(path);
    art::drawStar(p, card.topLeft() + QPointF(22, 22), 13, QColor(0xff, 0xd0, 0x1f));
    art::drawStar(p, card.bottomRight() - QPointF(22, 22), 13, QColor(0xff, 0xd0, 0x1f));
    art::drawLogo(p, card.adjusted(26, 18, -26, -18), word,
                  {colour.darker(130), QColor(0xf0, 0x4a, 0x5a), QColor(0x2e, 0x8c, 0xf0),
                   QColor(0x2f, 0xa8, 0x4a)});
}

// Where the thing stands: one emoji at its own size above its shadow, a drawing or a
// group larger, and a main part with others beside it across the picture.
QRectF thingArea(const QString& recipe) {
    if (recipe.contains(QRegularExpression(QStringLiteral("[+,*&^]"))))
        return QRectF(28, 30, 264, 172);
    if (recipe.startsWith(QLatin1Char('@')))
        return QRectF(70, 22, 180, 180);
    return QRectF(160 - 68, 122 - 68 - 6, 136, 136);
}

QImage lookRecPicture(const LookRecEntry& e, bool* drawn) {
    const quint32 seed = qHash(e.name);
    QImage img = art::canvas({320, 240}, Qt::white);
    QPainter p(&img);
    art::prepare(p);
    const QRectF r(0, 0, 320, 240);
    drawScene(p, r, e.scene, seed);
    *drawn = art::recipeDrawable(e.recipe);
    if (!*drawn) {
        drawWordCard(p, r, e.name, seed);
    } else {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 45));
        p.drawEllipse(QPointF(160, 200), 80, 12);
        art::drawRecipe(p, thingArea(e.recipe), e.recipe);
    }
    p.setPen(QPen(QColor(0xff, 0xff, 0xff, 200), 6));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r.adjusted(3, 3, -3, -3), 14, 14);
    return img;
}

void makeLookRecPictures(Output& out) {
    QByteArray note;
    for (const LookRecEntry& e : lookRecEntries(out)) {
        // Not cached: the drawings change with the code, not with the content, and
        // drawing all of them takes a second or two.
        bool drawn = false;
        const QByteArray bytes = art::jpeg(lookRecPicture(e, &drawn), 86);
        if (!drawn)
            std::fprintf(stderr, "gendata: %s cannot be drawn as \"%s\", a word card instead\n",
                         qPrintable(e.name), qPrintable(e.recipe));
        // The blueberry's picture keeps its old file name (the program maps the name).
        const QString file = e.name == QStringLiteral("蓝莓") ? QStringLiteral("蓝梅") : e.name;
        out.writeData(QStringLiteral("Data/picture/LookRec/") + file + QStringLiteral(".jpg"),
                      bytes);
        note += (e.name + QLatin1Char('\t') + (drawn ? e.recipe : QStringLiteral("card")) +
                 QLatin1Char('\t') + e.scene + QLatin1Char('\n'))
                    .toUtf8();
    }
    out.writeNote(QStringLiteral("lookrec-recipes.txt"), note);
}

const RegisterStep step{"lookrecpictures", &makeLookRecPictures};

} // namespace
} // namespace gendata

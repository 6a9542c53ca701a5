#include "tools/gendata/LanguageMedia.h"

#include "tools/lib/ArtKit.h"
#include "tools/lib/ThingArt.h"

#include <QPainter>
#include <QSet>

namespace gendata {

using namespace tools::art;

QImage pictureCard(QSize size, const QString& recipe, const QString& caption,
                   const QColor& colour) {
    QImage img = canvas(size, mix(colour, Qt::white, 0.78));
    QPainter p(&img);
    prepare(p);
    const qreal w = size.width(), h = size.height();
    const qreal rim = std::max<qreal>(4, w / 40);
    p.setPen(QPen(colour, rim));
    p.setBrush(QColor(0xff, 0xfd, 0xf6));
    p.drawRoundedRect(QRectF(rim, rim, w - 2 * rim, h - 2 * rim), w / 10, w / 10);
    const qreal band = h * 0.26;
    const QRectF picture(rim * 3, rim * 2.5, w - rim * 6, h - band - rim * 3);
    if (!drawRecipe(p, picture, recipe)) {
        TextStyle big;
        big.font = cjkFont(picture.height() * 0.8, QFont::Black);
        big.fill = colour;
        big.outline = Qt::white;
        big.outlineWidth = 3;
        drawText(p, picture, caption.left(1), big);
    }
    TextStyle label;
    label.font = fitFont(cjkFont(band * 0.62, QFont::Black), caption, w - rim * 6);
    label.fill = shade(colour, -0.45);
    label.outline = Qt::white;
    label.outlineWidth = 2;
    drawText(p, QRectF(rim * 2, h - band - rim, w - rim * 4, band), caption, label);
    p.end();
    return img;
}

QList<QStringList> contentRows(Output& out, const QString& relative, QList<int>* lines) {
    QList<QStringList> rows;
    int number = 0;
    for (const QString& line : QString::fromUtf8(out.content(relative)).split(QLatin1Char('\n'))) {
        ++number;
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        rows.append(line.split(QLatin1Char('\t')));
        if (lines)
            lines->append(number);
    }
    return rows;
}

bool spokenByLanguageStep(Output& out, const QString& relative) {
    static QSet<QString> spoken;
    if (spoken.isEmpty())
        for (const QStringList& row : contentRows(out, QStringLiteral("language/speech.txt")))
            spoken.insert(
                (QStringLiteral("Data/Sound/") + row[0] + QStringLiteral(".mp3")).toCaseFolded());
    return spoken.contains(relative.toCaseFolded());
}

QColor paletteColour(int i) {
    static const QColor colours[] = {QColor(0xff, 0x6b, 0x3d), QColor(0x2e, 0x8c, 0xf0),
                                     QColor(0x2f, 0xb8, 0x4a), QColor(0x9b, 0x55, 0xf0),
                                     QColor(0xf5, 0x4f, 0xa8), QColor(0xff, 0xa8, 0x1f),
                                     QColor(0x12, 0xb0, 0xc0)};
    return colours[((i % 7) + 7) % 7];
}

} // namespace gendata

// The word pair game's two own pictures behind its board, "Data/picture/ddp/16.jpg" and
// "17.jpg" (699x569); pictures 1 to 15 of the same folder are shared with the number
// pair game and made by its step.
#include "tools/gendata/Generator.h"
#include "tools/lib/ArtKit.h"

#include <QPainter>

namespace gendata {
namespace {

namespace art = tools::art;

QImage background(int n) {
    const QSize size(699, 569);
    QImage img = art::canvas(size, Qt::white);
    QPainter p(&img);
    art::prepare(p);
    const QRectF r(QPointF(), size);
    const bool letters = n == 16;
    art::drawSky(p, r, letters ? QColor(0x6c, 0xc8, 0xff) : QColor(0xff, 0xb8, 0xd8),
                 letters ? QColor(0xe0, 0xf6, 0xff) : QColor(0xff, 0xf2, 0xd0));
    art::drawRainbow(p, QPointF(350, 420), 300, 26, 0.55);
    art::drawSun(p, QPointF(620, 70), 40);
    art::drawCloud(p, QPointF(140, 80), 170);
    art::drawCloud(p, QPointF(430, 130), 130, 0.85);
    art::drawMeadow(p, r, 440);
    const QStringList friends =
        letters ? QStringList{"🔤", "📚", "🐰", "✏️"} : QStringList{"🍎", "🐼", "🌈", "🎈"};
    for (int i = 0; i < friends.size(); ++i)
        art::drawEmoji(p, QRectF(60 + i * 160, 430, 110, 110), friends[i]);
    for (int i = 0; i < 5; ++i)
        art::drawFlower(p, QPointF(40 + i * 150, 565), 34, QColor::fromHsv(i * 70, 160, 255));
    art::TextStyle s;
    s.font = art::cjkFont(64, QFont::Black);
    s.fill = QColor(0xff, 0x7a, 0x1a);
    s.outline = Qt::white;
    s.outlineWidth = 8;
    s.shadow = QColor(0, 0, 0, 80);
    art::drawText(p, QRectF(0, 220, 699, 110),
                  letters ? QStringLiteral("ABC 对对踫") : QStringLiteral("对对踫 一起玩"), s);
    return img;
}

void makePairGameBackgrounds(Output& out) {
    for (int n : {16, 17})
        out.writeData(QStringLiteral("Data/picture/ddp/%1.jpg").arg(n),
                      art::jpeg(background(n), 88));
}

const RegisterStep step{"pairgamebackgrounds", &makePairGameBackgrounds};

} // namespace
} // namespace gendata

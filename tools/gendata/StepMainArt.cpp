// Pictures of the splash window and the main window: the sunny background with the
// logo, the section buttons with their hover and pressed looks, the small round
// buttons, the exit button, the default centre picture and the right/wrong signs.
#include "tools/gendata/Generator.h"
#include "tools/lib/ArtKit.h"
#include "tools/lib/Landscape.h"

#include <QPainter>
#include <QRadialGradient>
#include <QtMath>
#include <algorithm>
#include <cmath>

namespace gendata {
namespace {

using namespace tools::art;

const QList<QColor> kLogoColours = {QColor(0xff, 0x4d, 0x5e), QColor(0xff, 0x9a, 0x1f),
                                    QColor(0xff, 0xd0, 0x1f), QColor(0x3c, 0xc4, 0x53),
                                    QColor(0x2e, 0x9b, 0xff), QColor(0xa8, 0x5c, 0xf6)};

// The centre picture's circle in window coordinates.
constexpr QPointF kCentre(236 + 169, 169 + 169);

struct Section {
    const char* name;
    QSize size;
    QColor colour;
    QString label;
    Art art;
};

// The big "1+2" of the mathematics button: the one a small child must find first.
Art mathsArt() {
    return [](QPainter& p, const QRectF& box) {
        lettersArt(QStringLiteral("1+2"),
                   {QColor(0xff, 0xe1, 0x3b), QColor(0xff, 0xff, 0xff), QColor(0x7d, 0xf0, 0x6b)},
                   QColor(0x8a, 0x1a, 0x2c))(p, box.adjusted(4, 2, -4, 0));
        drawSparkle(p, box.topLeft() + QPointF(6, 8), 8, QColor(255, 255, 255, 220));
        drawSparkle(p, box.topRight() + QPointF(-6, 14), 6, QColor(255, 240, 150, 230));
    };
}

Art lionArt() {
    return [](QPainter& p, const QRectF& box) {
        emojiArt(QStringLiteral("🦁"))(p, box.adjusted(0, 0, -22, 0));
        drawEmoji(p, QRectF(box.right() - 40, box.bottom() - 38, 40, 38), QStringLiteral("🍎"));
    };
}

Art abcArt() {
    return lettersArt(QStringLiteral("ABC"), {QColor(0xff, 0x4d, 0x5e), QColor(0xff, 0xd0, 0x1f),
                                              QColor(0x3c, 0xc4, 0x53)});
}

Art songArt() {
    return [](QPainter& p, const QRectF& box) {
        emojiArt(QStringLiteral("🎵"))(p, box.adjusted(-4, 2, -30, 0));
        drawEmoji(p, QRectF(box.right() - 44, box.top(), 44, 44), QStringLiteral("🎶"));
    };
}

// A white keyboard with rainbow keys.
Art keyboardArt() {
    return [](QPainter& p, const QRectF& box) {
        const qreal w = std::min(box.width() * 0.96, (box.height() - 4) * 2.4);
        const qreal h = w / 2.4;
        const QRectF body(box.center().x() - w / 2, box.center().y() - h / 2, w, h);
        QPainterPath bodyPath;
        bodyPath.addRoundedRect(body, 9, 9);
        drawSoftShadow(p, bodyPath, QColor(0, 0, 0, 80), 3, {0, 3});
        QLinearGradient g(body.topLeft(), body.bottomLeft());
        g.setColorAt(0, QColor(0xff, 0xff, 0xff));
        g.setColorAt(1, QColor(0xe2, 0xea, 0xf2));
        p.fillPath(bodyPath, g);
        p.strokePath(bodyPath, QPen(QColor(0x7a, 0x8a, 0x9a), 1.5));
        const qreal pad = w * 0.05, gap = w * 0.018;
        const int keys[] = {9, 8, 7};
        const qreal rowH = (h - 2 * pad - 3 * gap) / 4;
        const qreal keyW = (w - 2 * pad - 8 * gap) / 9;
        p.setPen(Qt::NoPen);
        for (int row = 0; row < 4; ++row) {
            const qreal y = body.top() + pad + row * (rowH + gap);
            if (row == 3) {
                p.setBrush(QColor(0xa0, 0xb0, 0xc0));
                p.drawRoundedRect(QRectF(body.center().x() - w * 0.25, y, w * 0.5, rowH), 2.5, 2.5);
                continue;
            }
            const int n = keys[row];
            const qreal x0 = body.center().x() - (n * keyW + (n - 1) * gap) / 2;
            for (int k = 0; k < n; ++k) {
                const QRectF key(x0 + k * (keyW + gap), y, keyW, rowH);
                const QColor c = kLogoColours[(k + row) % kLogoColours.size()];
                p.setBrush(shade(c, -0.15));
                p.drawRoundedRect(key, 2.5, 2.5);
                p.setBrush(c);
                p.drawRoundedRect(key.adjusted(0, 0, 0, -rowH * 0.22), 2.5, 2.5);
            }
        }
    };
}

std::vector<Section> sections() {
    return {
        {"imgktrw", {170, 150}, QColor(0xff, 0x8a, 0x1f), QStringLiteral("看图认物"), lionArt()},
        {"imgyygj", {170, 150}, QColor(0x2e, 0x8c, 0xf0), QStringLiteral("英语广角"), abcArt()},
        {"imgwzsx", {170, 150}, QColor(0xf0, 0x3c, 0x5a), QStringLiteral("玩转数学"), mathsArt()},
        {"imgywtd",
         {170, 150},
         QColor(0x2f, 0xb8, 0x4a),
         QStringLiteral("语文天地"),
         gridCharArt(QStringLiteral("字"), true)},
        {"imgyzly",
         {170, 150},
         QColor(0x9b, 0x55, 0xf0),
         QStringLiteral("益智乐园"),
         emojiArt(QStringLiteral("🧩"))},
        {"imgyyzzl", {170, 150}, QColor(0xf5, 0x4f, 0xa8), QStringLiteral("快乐儿歌"), songArt()},
        {"imgkey", {170, 130}, QColor(0x12, 0xb0, 0xc0), QStringLiteral("键盘游戏"), keyboardArt()},
    };
}

QImage background() {
    QImage img = canvas({900, 675}, QColor(0xf7, 0xeb, 0x09));
    QPainter p(&img);
    prepare(p);
    Landscape land;
    land.sky = QRectF(0, 0, 900, 480);
    land.skyTop = QColor(0x56, 0xbb, 0xf5);
    land.skyBottom = QColor(0xcf, 0xef, 0xff);
    // Sunbeams fanning out from behind the centre picture.
    land.onSky = [](QPainter& p, const QRectF&) {
        p.save();
        p.translate(kCentre);
        for (int i = 0; i < 16; ++i) {
            QPainterPath beam;
            beam.moveTo(0, 0);
            beam.arcTo(QRectF(-330, -330, 660, 660), i * 22.5, 11.25);
            beam.closeSubpath();
            QRadialGradient g(QPointF(0, 0), 330);
            g.setColorAt(0.45, QColor(255, 255, 255, 95));
            g.setColorAt(1, QColor(255, 255, 255, 0));
            p.fillPath(beam, g);
        }
        p.restore();
    };
    land.sun = {{520, 68}, 32};
    land.clouds = {
        {{405, 112}, 120}, {{266, 120}, 76, 0.95}, {{842, 150}, 92}, {{690, 78}, 64, 0.9}};
    land.birds = {{{618, 36}, 20}, {{642, 52}, 14}};
    land.ground = QRectF(0, 0, 900, 675);
    land.horizon = 468;
    // Flowers in the grass, away from the buttons.
    land.flowers = {
        {{236, 640}, 34, QColor(0xff, 0x7a, 0xa8)}, {{284, 664}, 26, QColor(0xff, 0xe0, 0x4a)},
        {{528, 652}, 30, QColor(0xa8, 0x7c, 0xff)}, {{572, 628}, 24, QColor(0xff, 0x8a, 0x5a)},
        {{660, 666}, 28, QColor(0xff, 0x6a, 0x8a)}, {{120, 662}, 24, QColor(0x7c, 0xc8, 0xff)}};
    drawLandscape(p, land);
    // Soft light behind the centre picture, then a ring of beads around it.
    QRadialGradient glow(kCentre, 215);
    glow.setColorAt(0.7, QColor(255, 255, 255, 200));
    glow.setColorAt(0.84, QColor(255, 255, 255, 90));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(kCentre, 215, 215);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 230), 7));
    p.drawEllipse(kCentre, 176, 176);
    for (int i = 0; i < 36; ++i) {
        const qreal a = i * 2 * M_PI / 36;
        const QPointF at(kCentre.x() + 187 * std::cos(a), kCentre.y() + 187 * std::sin(a));
        const QColor c = kLogoColours[i % kLogoColours.size()];
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.drawEllipse(at, 4.2, 4.2);
    }
    // Little friends in the grass.
    drawEmoji(p, QRectF(546, 482, 34, 34), QStringLiteral("🦋"));
    drawEmoji(p, QRectF(222, 512, 28, 28), QStringLiteral("🐞"));
    drawStar(p, {586, 230}, 9, QColor(0xff, 0xd0, 0x1f));
    drawSparkle(p, {226, 300}, 9, QColor(255, 255, 255, 230));
    drawSparkle(p, {588, 420}, 8, QColor(255, 255, 255, 230));
    drawLogo(p, QRectF(30, 14, 300, 66), QStringLiteral("Pelumo"), kLogoColours);
    return img;
}

// A round baby face with "宝宝" on a ribbon, in a 335-pixel circle.
QImage centrePicture(bool hover) {
    QImage img = canvas({338, 338});
    QPainter p(&img);
    prepare(p);
    const QPointF c(167.5, 167.5);
    const qreal R = 167.5;
    QPainterPath circle;
    circle.addEllipse(c, R, R);
    p.setClipPath(circle);
    QRadialGradient sky(c - QPointF(0, 40), R * 1.1);
    sky.setColorAt(0, QColor(0xff, 0xfb, 0xe6));
    sky.setColorAt(0.7, QColor(0xff, 0xe6, 0x9e));
    sky.setColorAt(1, QColor(0xff, 0xc8, 0x5a));
    p.fillRect(img.rect(), sky);
    // Twinkles in the background.
    drawStar(p, {70, 92}, 12, QColor(0xff, 0x9a, 0x1f));
    drawStar(p, {268, 96}, 10, QColor(0xff, 0x6a, 0x8a));
    drawSparkle(p, {60, 190}, 10, QColor(255, 255, 255));
    drawSparkle(p, {282, 200}, 12, QColor(255, 255, 255));
    drawSparkle(p, {112, 50}, 7, QColor(255, 255, 255));

    // The face.
    const QPointF f(169, 166);
    const qreal fr = 80;
    p.setPen(Qt::NoPen);
    QRadialGradient skin(f - QPointF(25, 30), fr * 1.4);
    skin.setColorAt(0, QColor(0xff, 0xe9, 0xd6));
    skin.setColorAt(0.7, QColor(0xff, 0xd2, 0xae));
    skin.setColorAt(1, QColor(0xf2, 0xb3, 0x8a));
    QPainterPath head;
    head.addEllipse(f, fr, fr * 0.94);
    head.addEllipse(f + QPointF(-fr * 0.98, 4), 20, 24);
    head.addEllipse(f + QPointF(fr * 0.98, 4), 20, 24);
    head.setFillRule(Qt::WindingFill);
    head = head.simplified();
    drawSoftShadow(p, head, QColor(160, 90, 20, 90), 6, {0, 5});
    p.fillPath(head, skin);
    p.strokePath(head, QPen(QColor(0xd8, 0x8e, 0x5c), 3));
    // A curl of hair on top.
    QPainterPath curl;
    curl.moveTo(f.x() - 4, f.y() - fr * 0.9);
    curl.cubicTo(f.x() - 10, f.y() - fr * 1.25, f.x() + 30, f.y() - fr * 1.22, f.x() + 22,
                 f.y() - fr * 1.02);
    curl.cubicTo(f.x() + 16, f.y() - fr * 0.92, f.x() + 4, f.y() - fr * 0.98, f.x() + 8,
                 f.y() - fr * 1.06);
    p.strokePath(curl,
                 QPen(QColor(0x8a, 0x4b, 0x22), 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    // Big shiny eyes.
    for (int side : {-1, 1}) {
        const QPointF e(f.x() + side * 32, f.y() - 8);
        p.setBrush(QColor(0x3a, 0x23, 0x1a));
        p.drawEllipse(e, 13, 15);
        p.setBrush(Qt::white);
        p.drawEllipse(e + QPointF(-4, -6), 5, 5);
        p.drawEllipse(e + QPointF(4, 5), 2.2, 2.2);
        p.setBrush(QColor(255, 110, 120, 120));
        p.drawEllipse(QPointF(f.x() + side * 56, f.y() + 22), 16, 10);
    }
    // Smiling open mouth.
    QPainterPath mouth;
    mouth.moveTo(f.x() - 26, f.y() + 26);
    mouth.quadTo(QPointF(f.x(), f.y() + 30), QPointF(f.x() + 26, f.y() + 26));
    mouth.quadTo(QPointF(f.x() + 22, f.y() + 62), QPointF(f.x(), f.y() + 62));
    mouth.quadTo(QPointF(f.x() - 22, f.y() + 62), QPointF(f.x() - 26, f.y() + 26));
    p.fillPath(mouth, QColor(0xc8, 0x33, 0x3f));
    p.save();
    p.setClipPath(mouth);
    p.setBrush(QColor(0xff, 0x8a, 0x9a));
    p.drawEllipse(QPointF(f.x(), f.y() + 62), 17, 12);
    p.restore();
    p.strokePath(mouth,
                 QPen(QColor(0x9a, 0x22, 0x2e), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(0xe8, 0xa0, 0x78));
    p.drawEllipse(QPointF(f.x(), f.y() + 12), 6, 4);

    // Ribbon with "宝宝".
    const QRectF ribbon(96, 256, 146, 46);
    QPainterPath rib;
    rib.addRoundedRect(ribbon, 24, 24);
    drawSoftShadow(p, rib, QColor(0, 0, 0, 70), 3, {0, 3});
    QLinearGradient rg(ribbon.topLeft(), ribbon.bottomLeft());
    rg.setColorAt(0, QColor(0xff, 0x8a, 0xb8));
    rg.setColorAt(1, QColor(0xf0, 0x4a, 0x8a));
    p.fillPath(rib, rg);
    p.strokePath(rib, QPen(QColor(255, 255, 255, 220), 3));
    TextStyle baby;
    baby.font = cjkFont(34, QFont::Black);
    baby.outline = QColor(0xa8, 0x1c, 0x5a);
    baby.outlineWidth = 4;
    drawText(p, ribbon, QStringLiteral("宝宝"), baby);

    if (hover) {
        const QRectF hint(101, 22, 136, 32);
        QPainterPath pill;
        pill.addRoundedRect(hint, 17, 17);
        drawSoftShadow(p, pill, QColor(0, 0, 0, 80), 3, {0, 2});
        p.fillPath(pill, QColor(0x2e, 0x8c, 0xf0));
        p.strokePath(pill, QPen(Qt::white, 2.5));
        TextStyle h;
        h.font = cjkFont(19, QFont::Bold);
        drawText(p, hint, QStringLiteral("点我换照片"), h);
    }
    p.setClipping(false);
    // The rim: white, with a coloured ring inside it; brighter and golden on hover.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(hover ? QColor(0xff, 0xc8, 0x1f) : QColor(255, 255, 255), hover ? 12 : 9));
    p.drawEllipse(c, R - (hover ? 6 : 4.5), R - (hover ? 6 : 4.5));
    QConicalGradient ring(c, 90);
    for (int i = 0; i <= kLogoColours.size(); ++i)
        ring.setColorAt(static_cast<qreal>(i) / kLogoColours.size(),
                        kLogoColours[i % kLogoColours.size()]);
    p.setPen(QPen(QBrush(ring), hover ? 6 : 5));
    p.drawEllipse(c, R - (hover ? 14 : 11.5), R - (hover ? 14 : 11.5));
    if (hover) {
        p.setPen(QPen(QColor(255, 255, 255, 200), 2));
        p.drawEllipse(c, R - 1.5, R - 1.5);
    }
    p.end();
    // Nothing may show outside the 335-pixel circle.
    QImage masked = canvas(img.size());
    QPainter mp(&masked);
    prepare(mp);
    mp.setClipPath(circle);
    mp.drawImage(0, 0, img);
    return masked;
}

QImage splash() {
    QImage img = canvas({452, 322}, Qt::white);
    QPainter p(&img);
    prepare(p);
    Landscape land;
    land.sky = QRectF(0, 0, 452, 240);
    land.skyTop = QColor(0x56, 0xbb, 0xf5);
    land.skyBottom = QColor(0xd6, 0xf2, 0xff);
    land.onSky = [](QPainter& p, const QRectF&) { drawRainbow(p, {226, 236}, 190, 14, 0.8); };
    land.sun = {{396, 52}, 24};
    land.clouds = {{{70, 58}, 90}, {{300, 40}, 60, 0.9}, {{404, 150}, 56}};
    land.ground = QRectF(0, 0, 452, 322);
    land.horizon = 228;
    land.flowers = {{{30, 276}, 24, QColor(0xff, 0x7a, 0xa8)},
                    {{420, 278}, 26, QColor(0xff, 0xe0, 0x4a)}};
    drawLandscape(p, land);
    drawLogo(p, QRectF(76, 76, 300, 82), QStringLiteral("Pelumo"), kLogoColours);
    const QPair<QString, QPointF> friends[] = {{QStringLiteral("🐻"), {96, 238}},
                                               {QStringLiteral("🐰"), {178, 232}},
                                               {QStringLiteral("🐥"), {274, 240}},
                                               {QStringLiteral("🦁"), {356, 236}}};
    for (const auto& fr : friends) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 90, 20, 60));
        p.drawEllipse(QPointF(fr.second.x(), fr.second.y() + 28), 24, 5);
        drawEmoji(p, QRectF(fr.second.x() - 30, fr.second.y() - 30, 60, 60), fr.first);
    }
    // A calm light band along the bottom for the loading text.
    QPainterPath band;
    band.moveTo(0, 280);
    band.cubicTo(120, 274, 330, 286, 452, 278);
    band.lineTo(452, 322);
    band.lineTo(0, 322);
    band.closeSubpath();
    drawSoftShadow(p, band, QColor(0, 80, 0, 60), 3, {0, -2});
    QLinearGradient bg(0, 276, 0, 322);
    bg.setColorAt(0, QColor(0xff, 0xfb, 0xea));
    bg.setColorAt(1, QColor(0xff, 0xf3, 0xcc));
    p.fillPath(band, bg);
    return img;
}

void makeMainArt(Output& out) {
    auto writeStates = [&out](const QString& base, const std::function<QImage(State)>& draw,
                              bool pressed) {
        out.writeResource(base + ".png", png(draw(State::Rest)));
        out.writeResource(base + "1.png", png(draw(State::Hover)));
        if (pressed)
            out.writeResource(base + "2.png", png(draw(State::Pressed)));
    };
    out.writeResource(QStringLiteral("main/imgbg.jpg"), jpeg(background(), 90));
    for (const Section& s : sections()) {
        const CardStyle style{s.size, s.colour, s.label, s.art, 28};
        writeStates(
            QStringLiteral("main/") + s.name, [&style](State st) { return cardButton(style, st); },
            true);
    }
    const struct {
        const char* name;
        QColor colour;
        Glyph glyph;
        bool pressed;
    } icons[] = {{"imgclose", QColor(0xf0, 0x3c, 0x3c), Glyph::Close, false},
                 {"imgmini", QColor(0xff, 0x9a, 0x1f), Glyph::Minimise, true},
                 {"imghelp", QColor(0x2e, 0x8c, 0xf0), Glyph::Help, false},
                 {"imghome", QColor(0x2f, 0xb8, 0x4a), Glyph::Home, false}};
    for (const auto& icon : icons)
        writeStates(
            QStringLiteral("main/") + icon.name,
            [&icon](State st) { return roundButton(40, icon.colour, icon.glyph, st); },
            icon.pressed);
    writeStates(
        QStringLiteral("main/imgexit"),
        [](State st) {
            return pillButton({150, 52}, QColor(0xf0, 0x3c, 0x5a), QStringLiteral("退出软件"), st);
        },
        true);
    out.writeResource(QStringLiteral("main/imgdtt.png"), png(centrePicture(false)));
    out.writeResource(QStringLiteral("main/imgdtt1.png"), png(centrePicture(true)));
    out.writeResource(QStringLiteral("main/imgright.png"), png(tickSign(120)));
    out.writeResource(QStringLiteral("main/imgwrong.png"), png(crossSign(120)));
    out.writeResource(QStringLiteral("splash/Image1.jpg"), jpeg(splash(), 90));
}

const RegisterStep step{"mainart", &makeMainArt};

} // namespace
} // namespace gendata

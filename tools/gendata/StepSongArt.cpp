// The song player's pictures (program resources "yyzzl/<name>.png"): the background
// with the "音乐转转乐" logo, the three list buttons with their "current" looks, the
// replay, previous, next and back buttons with hover and pressed looks, and the
// full-screen and automatic-play buttons.
#include "tools/gendata/Generator.h"
#include "tools/lib/ArtKit.h"

#include <QPainter>
#include <QPainterPath>

namespace gendata {
namespace {

using namespace tools::art;

QImage background() {
    QImage img = canvas({900, 675}, QColor(223, 245, 247));
    QPainter p(&img);
    prepare(p);
    // Notes scattered over the ground, pale so nothing competes with the movie.
    const QColor pale[] = {QColor(0xff, 0xc4, 0xd6), QColor(0xb8, 0xdc, 0xff),
                           QColor(0xc8, 0xee, 0xb4), QColor(0xff, 0xe0, 0x9a)};
    const QPointF notes[] = {{360, 40},  {520, 60},  {690, 30},  {860, 58}, {40, 640},
                             {300, 662}, {600, 660}, {880, 300}, {890, 640}};
    for (int i = 0; i < 9; ++i) {
        TextStyle t;
        t.font = cjkFont(30 + 6 * (i % 3), QFont::Black);
        t.fill = pale[i % 4];
        drawText(p, QRectF(notes[i] - QPointF(25, 25), QSizeF(50, 50)), i % 2 ? "♪" : "♫", t);
    }
    // Soft trays under the movie and the list.
    for (const QRectF& r : {QRectF(8, 77, 709, 589), QRectF(717, 77, 176, 589)}) {
        QPainterPath tray;
        tray.addRoundedRect(r, 14, 14);
        drawSoftShadow(p, tray, QColor(40, 110, 140, 70), 6, {0, 3});
        p.fillPath(tray, QColor(255, 255, 255, 200));
        p.strokePath(tray, QPen(QColor(0x7c, 0xc8, 0xe0), 2));
    }
    drawLogo(p, QRectF(14, 6, 330, 70), QStringLiteral("音乐转转乐"),
             {QColor(0xff, 0x5a, 0x5a), QColor(0xff, 0x9a, 0x1f), QColor(0x2f, 0xb8, 0x4a),
              QColor(0x2e, 0x8c, 0xf0), QColor(0x9b, 0x55, 0xf0)});
    return img;
}

// A rounded tile with an emoji and a label; `current` lifts and brightens it, hover
// glows, pressed sinks in.
QImage tile(QSize size, const QColor& colour, const QString& emoji, const QString& label,
            State state, bool current, bool emojiLeft) {
    QImage img = canvas(size);
    QPainter p(&img);
    prepare(p);
    const qreal sink = state == State::Pressed ? 3 : 0;
    const QRectF face(4, 3 + sink, size.width() - 8, size.height() - 11);
    const QColor c = current                   ? shade(colour, 0.05)
                     : state == State::Hover   ? shade(colour, 0.5)
                     : state == State::Pressed ? shade(colour, 0.35)
                                               : shade(colour, 0.62);
    QPainterPath path;
    path.addRoundedRect(face, 16, 16);
    if (state != State::Pressed) {
        QPainterPath base;
        base.addRoundedRect(face.translated(0, 4), 16, 16);
        p.fillPath(base, shade(c, -0.4));
    }
    if (current || state == State::Hover)
        drawGlow(p, path, QColor(255, 255, 255, 190), 3);
    QLinearGradient g(face.topLeft(), face.bottomLeft());
    g.setColorAt(0, shade(c, 0.3));
    g.setColorAt(1, c);
    p.fillPath(path, g);
    p.strokePath(path, QPen(current ? QColor(0xff, 0xd8, 0x3a) : QColor(255, 255, 255, 230),
                            current ? 4 : 2.5));
    TextStyle t;
    t.outline = shade(colour, -0.5);
    t.outlineWidth = 2.5;
    t.fill = current ? Qt::white : QColor(255, 255, 255, 245);
    if (emojiLeft) {
        drawEmoji(p, QRectF(face.left() + 8, face.top() + 6, 40, face.height() - 12), emoji);
        t.font = fitFont(cjkFont(24, QFont::Black), label, face.width() - 64);
        drawText(p, QRectF(face.left() + 52, face.top(), face.width() - 58, face.height()), label,
                 t);
    } else {
        drawEmoji(p, QRectF(face.center().x() - 15, face.top() + 4, 30, 30), emoji);
        t.font = cjkFont(15, QFont::Black);
        drawText(p, QRectF(face.left(), face.bottom() - 23, face.width(), 19), label, t);
    }
    return img;
}

void makeSongArt(Output& out) {
    const auto put = [&out](const QString& name, const QImage& img) {
        out.writeResource(QStringLiteral("yyzzl/") + name + QStringLiteral(".png"), png(img));
    };
    put(QStringLiteral("imgbg"), background());
    const struct {
        const char* name;
        const char* emoji;
        const char* label;
        QColor colour;
    } lists[] = {{"imgEnSong", "🔤", "英文歌曲", QColor(0x2e, 0x8c, 0xf0)},
                 {"imgchsong", "🎵", "快乐儿歌", QColor(0xf0, 0x5a, 0x3c)},
                 {"imgtongyao", "🧸", "童谣", QColor(0x9b, 0x55, 0xf0)}};
    for (const auto& l : lists) {
        const QString e = QString::fromUtf8(l.emoji), label = QString::fromUtf8(l.label);
        put(l.name, tile({176, 64}, l.colour, e, label, State::Rest, false, true));
        put(QString::fromLatin1(l.name) + QLatin1Char('1'),
            tile({176, 64}, l.colour, e, label, State::Rest, true, true));
    }
    const struct {
        const char* name;
        const char* emoji;
        const char* label;
        QColor colour;
    } buttons[] = {{"imgback", "⏮️", "上一首", QColor(0x2e, 0x8c, 0xf0)},
                   {"imgnext", "⏭️", "下一首", QColor(0x2e, 0x8c, 0xf0)},
                   {"imgplay", "🔁", "重播", QColor(0x2f, 0xb8, 0x4a)},
                   {"imgexit", "🏠", "返回", QColor(0xf0, 0x3c, 0x3c)}};
    for (const auto& b : buttons) {
        const QString e = QString::fromUtf8(b.emoji), label = QString::fromUtf8(b.label);
        const auto draw = [&](State s) {
            return tile({78, 70}, b.colour, e, label, s, true, false);
        };
        put(b.name, draw(State::Rest));
        put(QString::fromLatin1(b.name) + QLatin1Char('1'), draw(State::Hover));
        put(QString::fromLatin1(b.name) + QLatin1Char('2'), draw(State::Pressed));
    }
    const QColor full(0xff, 0x9a, 0x1f), autoColour(0x14, 0x9c, 0xd8);
    put(QStringLiteral("imgfull"),
        pillButton({78, 40}, full, QStringLiteral("全屏"), State::Rest, 18));
    put(QStringLiteral("imgfull1"),
        pillButton({78, 40}, full, QStringLiteral("全屏"), State::Hover, 18));
    put(QStringLiteral("imgauto"),
        pillButton({78, 40}, autoColour, QStringLiteral("自动"), State::Rest, 18));
    put(QStringLiteral("imgauto1"), pillButton({78, 40}, QColor(0x2f, 0xb8, 0x4a),
                                               QStringLiteral("自动 ✓"), State::Pressed, 18));
}

const RegisterStep step{"songart", &makeSongArt};

} // namespace
} // namespace gendata

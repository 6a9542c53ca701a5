// Pictures of the windows of the letters, phonetic symbols, riddles, tongue twisters,
// characters, idioms and the Three Character Classic: their backgrounds (sky, meadow,
// the window's name on a ribbon and the boards the texts stand on) and every picture
// button with its hover and pressed looks. Program resources "language/<unit>/..." and
// "chinese/<unit>/...".
#include "tools/gendata/Generator.h"
#include "tools/lib/ArtKit.h"
#include "tools/lib/MathArt.h"

#include <QPainter>
#include <functional>

namespace gendata {
namespace {

using tools::art::State;
namespace art = tools::art;
namespace ma = tools::mathart;

const QColor kOrange(0xff, 0x9a, 0x1f);
const QColor kBlue(0x2e, 0x8c, 0xf0);
const QColor kGreen(0x2f, 0xb8, 0x4a);
const QColor kRed(0xf0, 0x3c, 0x5a);
const QColor kPurple(0x9b, 0x55, 0xf0);
const QColor kTeal(0x12, 0xb0, 0xc0);
const QColor kPink(0xf5, 0x4f, 0xa8);

class Art {
public:
    Art(Output& out, const QString& base) : out_(out), base_(base + QLatin1Char('/')) {}

    void image(const QString& name, const QImage& img) {
        out_.writeResource(base_ + name + QStringLiteral(".png"), art::png(img));
    }
    // The button and its companions: 1 under the mouse, 2 held down.
    void button(const QString& name, const std::function<QImage(State)>& draw) {
        image(name, draw(State::Rest));
        image(name + QLatin1Char('1'), draw(State::Hover));
        image(name + QLatin1Char('2'), draw(State::Pressed));
    }
    void pill(const QString& name, QSize size, const QColor& colour, const QString& emoji,
              const QString& label) {
        button(name, [&](State s) { return ma::iconPill(size, colour, emoji, label, s); });
    }
    void back(const QString& name, QSize size) {
        pill(name, size, kRed, QStringLiteral("🏠"), QStringLiteral("返回"));
    }

    // A background: sky, clouds, a meadow, the name on a ribbon and white boards.
    void background(QSize size, const QString& title, const QList<QRectF>& boards,
                    const QColor& rim, const std::function<void(QPainter&)>& extra = {},
                    qreal ribbonWidth = 200) {
        QImage img = art::canvas(size);
        QPainter p(&img);
        art::prepare(p);
        art::drawSky(p, QRectF(QPointF(0, 0), size), QColor(0x8f, 0xd3, 0xff),
                     QColor(0xe8, 0xf7, 0xff));
        art::drawSun(p, QPointF(size.width() - 60, 52), 34);
        art::drawCloud(p, QPointF(size.width() * 0.42, 44), 130, 0.9);
        art::drawCloud(p, QPointF(size.width() * 0.7, 70), 100, 0.8);
        art::drawMeadow(p, QRectF(QPointF(0, 0), size), size.height() - 95);
        ma::drawTitle(p, QRectF(14, 10, ribbonWidth, 58), title);
        for (const QRectF& b : boards)
            ma::drawCard(p, b, QColor(255, 255, 255, 235), rim, 22, 4);
        if (extra)
            extra(p);
        p.end();
        out_.writeResource(base_ + QStringLiteral("imgbg.jpg"), art::jpeg(img, 90));
    }

private:
    Output& out_;
    QString base_;
};

// A small raised tile with a big character.
QImage letterTile(QSize size, const QString& text, const QColor& colour, State s, qreal px) {
    return ma::tile(size, colour, s, [&](QPainter& p, const QRectF& face) {
        art::TextStyle t;
        t.font = art::fitFont(art::cjkFont(px, QFont::Black), text, face.width() - 4);
        t.outline = art::shade(colour, -0.5);
        t.outlineWidth = 1.5;
        art::drawText(p, face, text, t);
    });
}

// A framed picture of `size` whose middle stays clear (for a frame behind a player).
QImage frame(QSize size, const QColor& colour) {
    QImage img = art::canvas(size);
    QPainter p(&img);
    art::prepare(p);
    p.setPen(QPen(colour, 8));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(4, 4, size.width() - 8, size.height() - 8), 18, 18);
    return img;
}

// A card with an emoji and a caption, and its highlighted (chosen) look.
QImage categoryCard(const QString& emoji, const QString& label, const QColor& colour, bool chosen) {
    art::CardStyle spec;
    spec.size = {150, 120};
    spec.colour = colour;
    spec.label = label;
    spec.labelPx = 24;
    spec.art = art::emojiArt(emoji);
    QImage img = art::cardButton(spec, chosen ? State::Hover : State::Rest);
    if (chosen) {
        QPainter p(&img);
        art::prepare(p);
        p.setPen(QPen(QColor(0xff, 0xd0, 0x1f), 6));
        p.drawRoundedRect(QRectF(3, 3, 144, 114), 20, 20);
    }
    return img;
}

// A caption card: a light card with text, for covers and plates.
QImage plate(QSize size, const QString& text, const QColor& colour, qreal px) {
    QImage img = art::canvas(size);
    QPainter p(&img);
    art::prepare(p);
    ma::drawCard(p, QRectF(3, 3, size.width() - 6, size.height() - 6),
                 art::mix(colour, Qt::white, 0.82), colour, 18, 3);
    art::TextStyle t;
    t.font = art::fitFont(art::cjkFont(px, QFont::Black), text, size.width() - 30);
    t.fill = art::shade(colour, -0.35);
    art::drawText(p, QRectF(QPointF(0, 0), size), text, t);
    return img;
}

void abcArt(Output& out) {
    Art a(out, QStringLiteral("language/abc"));
    a.background({900, 675}, QStringLiteral("学ABC"),
                 {QRectF(106, 96, 466, 382), QRectF(600, 104, 228, 228), QRectF(572, 336, 284, 80),
                  QRectF(88, 498, 760, 100)},
                 kBlue, [](QPainter& p) {
                     // Four writing lines on the letter board, as in an exercise book;
                     // the red third line (y 340, lines 100 apart) is the baseline the
                     // letters window puts its letters on.
                     for (int k = 0; k < 4; ++k) {
                         p.setPen(
                             QPen(k == 2 ? QColor(0xf0, 0x6a, 0x6a) : QColor(0xa8, 0xc8, 0xee), 2));
                         p.drawLine(QPointF(126, 140 + k * 100), QPointF(552, 140 + k * 100));
                     }
                 });
    for (int i = 0; i < 26; ++i) {
        const QString name = QStringLiteral("img") + QChar(u'a' + i);
        a.image(name, letterTile({34, 38}, QString(QChar(u'A' + i)), i % 2 ? kOrange : kBlue,
                                 State::Rest, 24));
        a.image(name + QLatin1Char('1'),
                letterTile({34, 38}, QString(QChar(u'A' + i)), kGreen, State::Hover, 24));
    }
    a.pill(QStringLiteral("imghelp"), {150, 52}, kGreen, QStringLiteral("▶️"),
           QStringLiteral("自动播放"));
    a.pill(QStringLiteral("imgnext"), {150, 52}, kPurple, QStringLiteral("🎮"),
           QStringLiteral("字母游戏"));
    a.back(QStringLiteral("imgfh"), {150, 52});
}

void xybArt(Output& out) {
    Art a(out, QStringLiteral("language/xyb"));
    // The ribbon ends before the group title at Left 195.
    a.background({900, 675}, QStringLiteral("学音标"), {QRectF(125, 62, 644, 528)}, kRed, {}, 172);
    a.pill(QStringLiteral("imyyy"), {170, 56}, kRed, QStringLiteral("🅰️"),
           QStringLiteral("元音目录"));
    a.pill(QStringLiteral("imgml"), {170, 56}, kBlue, QStringLiteral("🅱️"),
           QStringLiteral("辅音目录"));
    a.pill(QStringLiteral("imgpre"), {140, 52}, kOrange, QStringLiteral("⬅️"),
           QStringLiteral("上一组"));
    a.pill(QStringLiteral("imgnext"), {140, 52}, kOrange, QStringLiteral("➡️"),
           QStringLiteral("下一组"));
    a.back(QStringLiteral("imgfh"), {140, 52});
}

void jzwArt(Output& out) {
    Art a(out, QStringLiteral("chinese/jzw"));
    a.background({800, 600}, QStringLiteral("动动脑"),
                 {QRectF(186, 84, 598, 260), QRectF(186, 352, 598, 150)}, kPurple, [](QPainter& p) {
                     ma::drawCaption(p, QRectF(520, 26, 80, 34), QStringLiteral("题号"), 24,
                                     QColor(0x2b, 0x4a, 0x8a), Qt::AlignRight | Qt::AlignVCenter,
                                     Qt::white);
                 });
    const struct {
        const char* name;
        const char* emoji;
        const char* label;
        QColor colour;
    } cats[] = {{"imgjzw", "🧠", "脑筋急转弯", kOrange},
                {"imgcmy", "🏮", "猜谜语", kRed},
                {"imgxhy", "💬", "歇后语", kTeal}};
    for (const auto& c : cats) {
        a.image(
            QString::fromLatin1(c.name),
            categoryCard(QString::fromUtf8(c.emoji), QString::fromUtf8(c.label), c.colour, false));
        a.image(
            QString::fromLatin1(c.name) + QLatin1Char('1'),
            categoryCard(QString::fromUtf8(c.emoji), QString::fromUtf8(c.label), c.colour, true));
    }
    a.pill(QStringLiteral("imgkey"), {150, 56}, kGreen, QStringLiteral("🔑"),
           QStringLiteral("看答案"));
    a.image(QStringLiteral("imgkey3"),
            plate({400, 110}, QStringLiteral("答案藏在这里，先想一想！"), kPurple, 26));
    a.image(QStringLiteral("imgKeyOK"), plate({400, 110}, QString(), kGreen, 26));
    a.image(QStringLiteral("imganswer"), ma::iconPill({150, 44}, kBlue, QStringLiteral("👀"),
                                                      QStringLiteral("总显示答案"), State::Rest));
    a.image(QStringLiteral("imganswer1"),
            ma::iconPill({150, 44}, kGreen, QStringLiteral("✅"), QStringLiteral("总显示答案"),
                         State::Pressed));
    a.pill(QStringLiteral("imgpre"), {140, 56}, kOrange, QStringLiteral("⬅️"),
           QStringLiteral("上一题"));
    a.pill(QStringLiteral("imgnext"), {140, 56}, kOrange, QStringLiteral("➡️"),
           QStringLiteral("下一题"));
    a.back(QStringLiteral("imgfh"), {140, 56});
}

void rklArt(Output& out) {
    Art a(out, QStringLiteral("chinese/rkl"));
    a.background({800, 600}, QStringLiteral("绕口令"),
                 {QRectF(16, 80, 204, 420), QRectF(236, 80, 548, 420)}, kPink);
    a.pill(QStringLiteral("imgpre"), {140, 56}, kOrange, QStringLiteral("⬅️"),
           QStringLiteral("上一个"));
    a.pill(QStringLiteral("imgnext"), {140, 56}, kOrange, QStringLiteral("➡️"),
           QStringLiteral("下一个"));
    a.back(QStringLiteral("imgfh"), {140, 56});
}

void xhzArt(Output& out) {
    Art a(out, QStringLiteral("chinese/xhz"));
    a.background({900, 675}, QStringLiteral("学汉字"),
                 {QRectF(14, 80, 132, 500), QRectF(588, 244, 300, 232)}, kRed);
    a.pill(QStringLiteral("imgback"), {140, 56}, kOrange, QStringLiteral("⬅️"),
           QStringLiteral("上一个"));
    a.pill(QStringLiteral("imgnext"), {140, 56}, kOrange, QStringLiteral("➡️"),
           QStringLiteral("下一个"));
    a.pill(QStringLiteral("imgprac"), {150, 56}, kGreen, QStringLiteral("✍️"),
           QStringLiteral("再写一遍"));
    a.back(QStringLiteral("imgexit"), {140, 56});
    a.image(QStringLiteral("Image1"),
            ma::tile({44, 44}, kBlue, State::Rest, [](QPainter& p, const QRectF& f) {
                art::drawEmoji(p, f.adjusted(5, 5, -5, -5), QStringLiteral("🔊"));
            }));
}

void xchyArt(Output& out) {
    Art a(out, QStringLiteral("chinese/xchy"));
    a.background({900, 675}, QStringLiteral("学成语"),
                 {QRectF(40, 84, 640, 490), QRectF(692, 80, 196, 500)}, kGreen);
    a.image(QStringLiteral("imgxiantiao"), frame({626, 480}, kOrange));
    a.pill(QStringLiteral("imgpre"), {150, 56}, kGreen, QStringLiteral("🎬"),
           QStringLiteral("看动画"));
    a.pill(QStringLiteral("imgstop"), {150, 56}, kBlue, QStringLiteral("📖"),
           QStringLiteral("看卡片"));
    a.image(QStringLiteral("imgstop3"),
            plate({150, 44}, QStringLiteral("动画播放中"), kOrange, 20));
    a.pill(QStringLiteral("imgnext"), {150, 56}, kOrange, QStringLiteral("➡️"),
           QStringLiteral("下一个"));
    a.back(QStringLiteral("imgfh"), {140, 56});
    a.image(QStringLiteral("imgfull1"), ma::iconPill({140, 44}, kPurple, QStringLiteral("🖥️"),
                                                     QStringLiteral("全屏观看"), State::Rest));
    a.image(QStringLiteral("imgfull2"), ma::iconPill({140, 44}, kPurple, QStringLiteral("🖥️"),
                                                     QStringLiteral("全屏观看"), State::Hover));
    for (const char* name : {"imgjieshi", "imgliju"})
        a.image(QString::fromLatin1(name),
                ma::tile({40, 40}, kBlue, State::Rest, [](QPainter& p, const QRectF& f) {
                    art::drawEmoji(p, f.adjusted(4, 4, -4, -4), QStringLiteral("🔊"));
                }));
}

void szjArt(Output& out) {
    Art a(out, QStringLiteral("chinese/szj"));
    a.background({900, 675}, QStringLiteral("三字经"), {QRectF(236, 76, 648, 520)}, kOrange);
    const QColor colours[] = {kRed, kOrange, kGreen, kBlue, kPurple, kTeal, kPink};
    for (int n = 1; n <= 17; ++n) {
        const QString label = QStringLiteral("第%1段").arg(n);
        const QColor c = colours[(n - 1) % 7];
        a.image(QStringLiteral("section%1").arg(n),
                letterTile({100, 52}, label, c, State::Rest, 26));
        a.image(QStringLiteral("section%1hover").arg(n),
                letterTile({100, 52}, label, c, State::Hover, 26));
    }
    a.back(QStringLiteral("imgexit"), {140, 56});
}

void makeChineseArt(Output& out) {
    abcArt(out);
    xybArt(out);
    jzwArt(out);
    rklArt(out);
    xhzArt(out);
    xchyArt(out);
    szjArt(out);
}

const RegisterStep step{"chineseart", &makeChineseArt};

} // namespace
} // namespace gendata

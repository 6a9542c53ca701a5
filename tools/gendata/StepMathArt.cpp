// Pictures of the mathematics windows: backgrounds with their boards and printed
// captions, and every picture button with its hover and pressed looks.
#include "tools/gendata/FormArt.h"
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

void blank(QPainter& p, QImage& img) {
    p.begin(&img);
    art::prepare(p);
}

// A new window background in `img` with the sky-and-ground backdrop, `p` painting on it.
void beginBackdrop(QPainter& p, QImage& img, const QColor& sky, const QColor& ground,
                   qreal horizon) {
    img = art::canvas({900, 675});
    blank(p, img);
    ma::drawBackdrop(p, img.size(), sky, ground, horizon);
}

// The score box of the drills and games: captions left of the values at x 808 / 813.
void scoreBox(QPainter& p, qreal valueLeft, qreal timeLeft) {
    ma::drawScoreBox(
        p, QRectF(valueLeft - 96, 2, 182, 88),
        {{QStringLiteral("总题数"), 6}, {QStringLiteral("答对"), 32}, {QStringLiteral("答错"), 60}},
        valueLeft - 4);
    ma::drawCard(p, QRectF(timeLeft - 72, 26, 150, 38), QColor(255, 255, 255, 225),
                 QColor(0x4d, 0xb6, 0xff), 14, 2.5);
    art::drawEmoji(p, QRectF(timeLeft - 66, 30, 28, 28), QStringLiteral("⏰"));
    ma::drawCaption(p, QRectF(timeLeft - 38, 31, 34, 28), QStringLiteral("用时"), 16, kCaption,
                    Qt::AlignRight | Qt::AlignVCenter);
}

// A chip behind a caption-less radio button, with its caption printed on it.
void radioChip(QPainter& p, QPointF radio, qreal width, const QString& caption) {
    const QRectF chip(radio.x() - 8, radio.y() - 6, width, 36);
    ma::drawCard(p, chip, QColor(255, 255, 255, 235), kOrange, 18, 2.5);
    ma::drawCaption(p, QRectF(radio.x() + 16, chip.top(), width - 30, chip.height()), caption, 19,
                    QColor(0xc2, 0x41, 0x0c), Qt::AlignLeft | Qt::AlignVCenter);
}

// ---------------------------------------------------------------------------- learning

void readNumbersArt(Output& out) {
    FormArt a(out, "math", "readnumbers");
    QImage img;
    QPainter p;
    beginBackdrop(p, img, QColor(0x8f, 0xd3, 0xff), QColor(0xff, 0xf6, 0xdc), 560);
    ma::drawTitle(p, QRectF(16, 12, 190, 58), QStringLiteral("学数字"));
    // The number board: a dark strip for the English word over a white page.
    ma::drawCard(p, QRectF(66, 74, 516, 470), Qt::white, QColor(0xff, 0xb3, 0x47), 24, 5);
    QPainterPath strip;
    strip.addRoundedRect(QRectF(72, 80, 504, 40), 18, 18);
    p.fillPath(strip, QColor(0x1f, 0x3a, 0x6a));
    art::drawEmoji(p, QRectF(84, 84, 32, 32), QStringLiteral("🔤"));
    ma::drawCaption(p, QRectF(122, 82, 90, 36), QStringLiteral("英语："), 18, Qt::white,
                    Qt::AlignLeft | Qt::AlignVCenter);
    // The digit keys.
    ma::drawCard(p, QRectF(624, 96, 216, 440), QColor(0xff, 0xf1, 0xd6), kOrange, 24, 4);
    ma::drawCard(p, QRectF(676, 44, 150, 36), QColor(255, 255, 255, 235), kOrange, 18, 2.5);
    art::drawSun(p, {870, 34}, 20);
    p.end();
    a.background(QStringLiteral("imgbg"), img);

    static const QList<QColor> keys = {QColor(0xff, 0x5a, 0x6e), QColor(0xff, 0x9a, 0x1f),
                                       QColor(0xf5, 0xc2, 0x1a), QColor(0x3c, 0xc4, 0x53),
                                       QColor(0x12, 0xb0, 0xc0), QColor(0x2e, 0x8c, 0xf0),
                                       QColor(0x6a, 0x6c, 0xf5), QColor(0xa8, 0x5c, 0xf6),
                                       QColor(0xf5, 0x4f, 0xa8), QColor(0xe0, 0x6a, 0x3a)};
    static const char* names[] = {"zero", "one", "two",   "three", "four",
                                  "five", "six", "seven", "eight", "nine"};
    for (int d = 0; d < 10; ++d)
        a.button(QStringLiteral("img") + names[d], [&](State s) {
            return ma::digitKey({86, 77}, d, keys[d], s);
        });
    const QSize bs(136, 76);
    a.pill(QStringLiteral("imgml"), bs, kTeal, QStringLiteral("🔢"), QStringLiteral("数字表"));
    a.pill(QStringLiteral("imgpre"), bs, kBlue, QStringLiteral("⬅️"), QStringLiteral("上一个"));
    a.pill(QStringLiteral("imgnext"), bs, kBlue, QStringLiteral("➡️"),
           QStringLiteral("下一个"));
    a.pill(QStringLiteral("imgauto"), bs, kGreen, QStringLiteral("🔊"), QStringLiteral("自动读"));
    a.pill(QStringLiteral("imglx"), bs, kPurple, QStringLiteral("✏️"),
           QStringLiteral("做练习"));
    a.backPill(QStringLiteral("imgclose"), bs);
}

void choiceNumbersArt(Output& out) {
    FormArt a(out, "math", "choicenumbers");
    QImage img;
    QPainter p;
    beginBackdrop(p, img, QColor(0xb8, 0xe6, 0xff), QColor(0xff, 0xf4, 0xe0), 585);
    // A title strip along the top: the window has no frame, the strip moves it.
    QLinearGradient bar(0, 0, 0, 70);
    bar.setColorAt(0, QColor(0x2e, 0x6c, 0xd0));
    bar.setColorAt(1, QColor(0x1f, 0x4a, 0x9a));
    p.fillRect(QRectF(0, 0, 900, 70), bar);
    p.fillRect(QRectF(0, 68, 900, 4), QColor(0xff, 0xd0, 0x2e));
    art::drawEmoji(p, QRectF(14, 8, 52, 52), QStringLiteral("🧮"));
    ma::drawCaption(p, QRectF(74, 6, 300, 56), QStringLiteral("学数字练习"), 32, Qt::white,
                    Qt::AlignLeft | Qt::AlignVCenter, QColor(0x0e, 0x2a, 0x5a));
    art::drawEmoji(p, QRectF(690, 26, 34, 34), QStringLiteral("⏰"));
    ma::drawCard(p, QRectF(46, 180, 653, 396), Qt::white, kOrange, 22, 5);
    ma::drawCard(p, QRectF(694, 184, 148, 392), QColor(0xff, 0xf1, 0xd6), kOrange, 22, 3);
    p.end();
    a.background(QStringLiteral("imgbg"), img);
    for (const char* n : {"imga", "imgb", "imgc", "imgd"})
        a.tile(QString::fromLatin1(n), {127, 84}, QColor(0xff, 0xe6, 0x6e));
    const QSize bs(150, 76);
    a.pill(QStringLiteral("imgPrior"), bs, kBlue, QStringLiteral("⬅️"),
           QStringLiteral("上一题"));
    a.pill(QStringLiteral("imgNext"), bs, kBlue, QStringLiteral("➡️"),
           QStringLiteral("下一题"));
    a.pill(QStringLiteral("imgAnswer"), bs, kGreen, QStringLiteral("💡"), QStringLiteral("看答案"));
    a.pill(QStringLiteral("imgclose"), bs, kRed, QStringLiteral("🔙"), QStringLiteral("返回"));
}

// ---------------------------------------------------------------------------- drills

QImage drillBackground(const QString& title, const QList<QPair<QPointF, QString>>& ranges,
                       const QRectF& board) {
    QImage img;
    QPainter p;
    beginBackdrop(p, img, QColor(0x9a, 0xd8, 0xff), QColor(0xff, 0xf4, 0xdc), 562);
    ma::drawTitle(p, QRectF(14, 12, 220, 60), title);
    scoreBox(p, 808, 616);
    if (!ranges.isEmpty())
        ma::drawCaption(p, QRectF(ranges.first().first.x() - 118, 82, 104, 40),
                        QStringLiteral("选一选："), 20, kCaption,
                        Qt::AlignRight | Qt::AlignVCenter);
    for (const auto& r : ranges)
        radioChip(p, r.first, 120, r.second);
    ma::drawChalkboard(p, board);
    art::drawEmoji(p, QRectF(44, 446, 64, 64), QStringLiteral("🐻"));
    art::drawFlower(p, {40, 640}, 34, QColor(0xff, 0x7a, 0xa8));
    art::drawFlower(p, {870, 652}, 28, QColor(0xff, 0xe0, 0x4a));
    p.end();
    return img;
}

void drillButtons(FormArt& a, bool game) {
    static const QList<QColor> tiles = {QColor(0xff, 0xf0, 0x9a), QColor(0xe8, 0xd8, 0xff),
                                        QColor(0xff, 0xd6, 0xee), QColor(0xcc, 0xe8, 0xff)};
    const char* names[] = {"imga", "imgb", "imgc", "imgd"};
    for (int i = 0; i < 4; ++i)
        a.tile(QString::fromLatin1(names[i]), {151, 137}, tiles[i]);
    const QSize bs(150, 76);
    a.pill(QStringLiteral("imgnext"), bs, kBlue, QStringLiteral("⏭️"), QStringLiteral("跳过"));
    a.pill(QStringLiteral("imghelp"), bs, kOrange, QStringLiteral("📖"), QStringLiteral("口诀表"));
    if (game)
        a.pill(QStringLiteral("imggame"), bs, kPurple, QStringLiteral("🎲"),
               QStringLiteral("数字游戏"));
    a.backPill(QStringLiteral("imgfh"), bs);
}

void drillArt(Output& out) {
    FormArt jjf(out, "math", "jjf");
    jjf.background(QStringLiteral("imgbg"),
                   drillBackground(QStringLiteral("学加减法"),
                                   {{{264, 91}, QStringLiteral("10以内")},
                                    {{408, 91}, QStringLiteral("20以内")},
                                    {{550, 91}, QStringLiteral("100以内")}},
                                   QRectF(104, 134, 712, 196)));
    drillButtons(jjf, true);
    FormArt ccf(out, "math", "ccf");
    ccf.background(QStringLiteral("imgbg"), drillBackground(QStringLiteral("学乘除法"),
                                                            {{{322, 91}, QStringLiteral("乘法")},
                                                             {{463, 91}, QStringLiteral("除法")}},
                                                            QRectF(104, 134, 712, 196)));
    drillButtons(ccf, false);
}

// ---------------------------------------------------------------------------- rhyme tables

void kjbArt(Output& out) {
    FormArt a(out, "math", "kjb");
    QImage img;
    QPainter p;
    beginBackdrop(p, img, QColor(0xa8, 0xe0, 0xff), QColor(0xff, 0xf4, 0xdc), 572);
    ma::drawTitle(p, QRectF(14, 14, 190, 60), QStringLiteral("口诀表"));
    ma::drawCaption(p, QRectF(220, 22, 640, 50), QStringLiteral("点一点，听一听，数一数！"), 26,
                    QColor(0xc2, 0x41, 0x0c), Qt::AlignLeft | Qt::AlignVCenter, Qt::white);
    // One wooden frame round both tables; below the addition table a tray for the
    // counting pictures (the taller multiplication table covers most of it).
    ma::drawCard(p, QRectF(54, 101, 793, 449), QColor(0x9a, 0x62, 0x32), QColor(0x6e, 0x3c, 0x14),
                 16, 2);
    QPainterPath tray;
    tray.addRoundedRect(QRectF(62, 468, 777, 74), 10, 10);
    p.fillPath(tray, QColor(0xff, 0xf6, 0xe0));
    p.strokePath(tray, QPen(QColor(0x6e, 0x3c, 0x14), 1.5));
    art::drawEmoji(p, QRectF(846, 480, 50, 50), QStringLiteral("🐰"));
    p.end();
    a.background(QStringLiteral("imgbg"), img);
    const QSize bs(150, 76);
    a.pill(QStringLiteral("imgjf"), bs, kOrange, QStringLiteral("➕"), QStringLiteral("加法表"));
    a.pill(QStringLiteral("imgcf"), bs, kPurple, QStringLiteral("✖️"),
           QStringLiteral("乘法表"));
    a.pill(QStringLiteral("imgys"), bs, kGreen, QStringLiteral("🔊"), QStringLiteral("朗读"));
    a.backPill(QStringLiteral("imgfh"), bs);
}

// ---------------------------------------------------------------------------- pair game

void numGameArt(Output& out) {
    FormArt a(out, "math", "numgame");
    QImage img;
    QPainter p;
    beginBackdrop(p, img, QColor(0x9a, 0xd8, 0xff), QColor(0xe8, 0xff, 0xe0), 0);
    ma::drawTitle(p, QRectF(14, 12, 220, 60), QStringLiteral("数字游戏"));
    ma::drawCard(p, QRectF(20, 76, 709, 578), QColor(0xff, 0xfb, 0xee), kGreen, 18, 3);
    art::drawEmoji(p, QRectF(260, 14, 50, 50), QStringLiteral("🎯"));
    radioChip(p, {766, 38}, 124, QStringLiteral("初级"));
    radioChip(p, {766, 79}, 124, QStringLiteral("中级"));
    radioChip(p, {766, 120}, 124, QStringLiteral("高级"));
    ma::drawCard(p, QRectF(752, 164, 146, 90), QColor(255, 255, 255, 235), QColor(0xff, 0x6b, 0x6b),
                 18, 3);
    art::drawEmoji(p, QRectF(764, 170, 28, 28), QStringLiteral("⏰"));
    ma::drawCaption(p, QRectF(794, 168, 96, 30), QStringLiteral("游戏时间"), 17, kCaption,
                    Qt::AlignLeft | Qt::AlignVCenter);
    art::drawEmoji(p, QRectF(780, 470, 80, 80), QStringLiteral("🐼"));
    p.end();
    a.background(QStringLiteral("imgback"), img);

    // What the board shows before the first game.
    QImage welcome = art::canvas({695, 564});
    blank(p, welcome);
    art::drawSky(p, QRectF(0, 0, 695, 564), QColor(0xff, 0xf4, 0xd6), QColor(0xd6, 0xf5, 0xd0));
    static const QList<QColor> bubbles = {QColor(0xff, 0x6b, 0x6b), QColor(0xff, 0xb3, 0x47),
                                          QColor(0x4d, 0xb6, 0xff), QColor(0x6c, 0xd6, 0x5a),
                                          QColor(0xb0, 0x7c, 0xf5), QColor(0xff, 0x7a, 0xa8)};
    const struct {
        QPointF at;
        qreal r;
        int n;
    } balls[] = {{{120, 110}, 54, 3}, {{300, 80}, 44, 7}, {{480, 120}, 58, 10},
                 {{610, 250}, 40, 5}, {{90, 300}, 46, 8}, {{630, 490}, 44, 2}};
    for (int i = 0; i < 6; ++i) {
        QPainterPath ball;
        ball.addEllipse(balls[i].at, balls[i].r, balls[i].r);
        ma::drawCard(p, ball.boundingRect(), bubbles[i], Qt::white, balls[i].r, 4);
        ma::drawCaption(p, ball.boundingRect(), QString::number(balls[i].n), balls[i].r * 1.1,
                        Qt::white, Qt::AlignCenter, art::shade(bubbles[i], -0.45));
    }
    art::drawEmoji(p, QRectF(280, 200, 136, 136), QStringLiteral("🐼"));
    ma::drawCard(p, QRectF(120, 370, 455, 80), Qt::white, kGreen, 40, 4);
    ma::drawCaption(p, QRectF(120, 370, 455, 80), QStringLiteral("选好级别，点“开始”！"), 34,
                    QColor(0x2f, 0x8a, 0x3c));
    p.end();
    a.background(QStringLiteral("imgbg"), welcome);
    const QSize bs(150, 76);
    a.pill(QStringLiteral("imgnext"), bs, kGreen, QStringLiteral("▶️"), QStringLiteral("开始"));
    a.pill(QStringLiteral("imggz"), bs, kBlue, QStringLiteral("📜"), QStringLiteral("游戏说明"));
    a.pill(QStringLiteral("imgexit"), bs, kRed, QStringLiteral("🚪"), QStringLiteral("退出"));
}

// ---------------------------------------------------------------------------- comparison

void bybArt(Output& out) {
    FormArt a(out, "math", "byb");
    QImage img;
    QPainter p;
    beginBackdrop(p, img, QColor(0x9a, 0xd8, 0xff), QColor(0xff, 0xf4, 0xdc), 560);
    ma::drawTitle(p, QRectF(14, 12, 190, 60), QStringLiteral("比一比"));
    scoreBox(p, 813, 608);
    ma::drawCard(p, QRectF(110, 102, 680, 54), Qt::white, QColor(0x4d, 0xb6, 0xff), 27, 3);
    // The answer row: from the most on the left to the least on the right.
    ma::drawCard(p, QRectF(56, 208, 788, 196), QColor(0xff, 0xf8, 0xe6), kOrange, 26, 3);
    for (const QPointF c : {QPointF(106, 291), QPointF(740, 291)}) {
        p.setPen(QPen(QColor(0x4d, 0xb6, 0xff), 4));
        p.setBrush(Qt::white);
        p.drawEllipse(c, 42, 42);
    }
    QLinearGradient arrow(151, 0, 694, 0);
    arrow.setColorAt(0, QColor(0xff, 0x5a, 0x5a));
    arrow.setColorAt(0.5, QColor(0xff, 0xd0, 0x2e));
    arrow.setColorAt(1, QColor(0x4a, 0xb4, 0xff));
    QPainterPath shaft;
    shaft.addRoundedRect(QRectF(151, 372, 520, 14), 7, 7);
    shaft.moveTo(668, 364);
    shaft.lineTo(694, 379);
    shaft.lineTo(668, 394);
    shaft.closeSubpath();
    shaft.setFillRule(Qt::WindingFill);
    p.fillPath(shaft.simplified(), arrow);
    // The shelf the cards start on.
    ma::drawCard(p, QRectF(76, 396, 770, 150), QColor(0xe8, 0xd0, 0xa8), QColor(0xa8, 0x6a, 0x32),
                 20, 3);
    art::drawEmoji(p, QRectF(10, 470, 60, 60), QStringLiteral("🐘"));
    art::drawEmoji(p, QRectF(852, 500, 40, 40), QStringLiteral("🐭"));
    p.end();
    a.background(QStringLiteral("imgbg"), img);
    const QSize bs(150, 76);
    a.pill(QStringLiteral("imgok"), bs, kGreen, QStringLiteral("✅"), QStringLiteral("做好了"));
    a.pill(QStringLiteral("imgnext"), bs, kBlue, QStringLiteral("➡️"),
           QStringLiteral("换一题"));
    a.backPill(QStringLiteral("imgfh"), bs);
}

// ---------------------------------------------------------------------------- patterns

void zglArt(Output& out) {
    FormArt a(out, "math", "zgl");
    QImage img;
    QPainter p;
    beginBackdrop(p, img, QColor(0xa8, 0xe0, 0xff), QColor(0xff, 0xf4, 0xdc), 560);
    ma::drawTitle(p, QRectF(14, 12, 190, 60), QStringLiteral("找规律"));
    scoreBox(p, 813, 608);
    ma::drawCard(p, QRectF(110, 108, 640, 54), Qt::white, QColor(0x4d, 0xb6, 0xff), 27, 3);
    art::drawEmoji(p, QRectF(118, 112, 46, 46), QStringLiteral("🔍"));
    // Lined paper for the sequence.
    const QRectF paper(52, 184, 799, 227);
    ma::drawCard(p, paper, QColor(0xff, 0xfe, 0xf6), kOrange, 22, 4);
    p.setPen(QPen(QColor(0x9a, 0xc8, 0xf0, 140), 2));
    for (qreal y = paper.top() + 46; y < paper.bottom() - 10; y += 44)
        p.drawLine(QPointF(paper.left() + 20, y), QPointF(paper.right() - 20, y));
    art::drawEmoji(p, QRectF(840, 470, 52, 52), QStringLiteral("🦉"));
    p.end();
    a.background(QStringLiteral("imgbg"), img);
    static const QList<QColor> tiles = {QColor(0xff, 0xe0, 0xe6), QColor(0xd8, 0xf4, 0xd0),
                                        QColor(0xfd, 0xf0, 0xb8), QColor(0xda, 0xe8, 0xff)};
    const char* names[] = {"imga", "imgb", "imgc", "imgd"};
    for (int i = 0; i < 4; ++i)
        a.tile(QString::fromLatin1(names[i]), {158, 111}, tiles[i]);
    const QSize bs(150, 76);
    a.pill(QStringLiteral("imgok"), bs, kGreen, QStringLiteral("✅"), QStringLiteral("确定"));
    a.pill(QStringLiteral("imgnext"), bs, kBlue, QStringLiteral("➡️"),
           QStringLiteral("换一题"));
    a.backPill(QStringLiteral("imgfh"), bs);
}

void makeMathArt(Output& out) {
    readNumbersArt(out);
    choiceNumbersArt(out);
    drillArt(out);
    kjbArt(out);
    numGameArt(out);
    bybArt(out);
    zglArt(out);
}

const RegisterStep step{"mathart", &makeMathArt};

} // namespace
} // namespace gendata

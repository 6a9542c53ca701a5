// Pictures of the puzzle-park windows: backgrounds with their captions and cards, and
// every picture button with its hover and pressed looks (":/puzzles/<unit>/<name>").
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

// A window backdrop with its title ribbon; the painter stays open on `img`.
void backdrop(QPainter& p, QImage& img, QSize size, const QString& title, const QString& emoji,
              const QColor& sky, const QRectF& titleBox = QRectF(16, 10, 220, 62)) {
    img = art::canvas(size);
    p.begin(&img);
    art::prepare(p);
    ma::drawBackdrop(p, size, sky, QColor(0xff, 0xf6, 0xdc), size.height() - 70);
    ma::drawTitle(p, titleBox, title);
    const qreal e = titleBox.height() - 8;
    art::drawEmoji(p, QRectF(titleBox.right() + 8, titleBox.top() + 4, e, e), emoji);
}

// A caption card at the left of a value label.
void infoCard(QPainter& p, const QRectF& card, const QString& caption, const QString& emoji) {
    ma::drawCard(p, card, QColor(255, 255, 255, 235), kOrange, 16, 3);
    art::drawEmoji(
        p, QRectF(card.left() + 8, card.top() + 9, card.height() - 18, card.height() - 18), emoji);
    ma::drawCaption(p, QRectF(card.left() + card.height() - 4, card.top(), 80, card.height()),
                    caption, 20, kCaption, Qt::AlignLeft | Qt::AlignVCenter);
}

void timedGameButtons(FormArt& a) {
    const QSize bs(170, 66);
    a.pill(QStringLiteral("imgnext"), bs, kGreen, QStringLiteral("▶️"), QStringLiteral("开始"));
    a.pill(QStringLiteral("imgphb"), bs, kPurple, QStringLiteral("🏆"), QStringLiteral("排行榜"));
    a.pill(QStringLiteral("imggz"), bs, kTeal, QStringLiteral("💡"), QStringLiteral("说明"));
    a.pill(QStringLiteral("imgexit"), bs, kRed, QStringLiteral("🏠"), QStringLiteral("返回"));
}

void spotArt(Output& out) {
    FormArt a(out, "puzzles", "zbn");
    QImage img;
    QPainter p;
    backdrop(p, img, {900, 675}, QStringLiteral("找不同"), QStringLiteral("🔍"),
             QColor(0x8f, 0xd3, 0xff));
    const char* captions[] = {"还要找", "关数", "时间", "得分"};
    const char* emoji[] = {"🔎", "🚩", "⏰", "⭐"};
    for (int i = 0; i < 4; ++i)
        infoCard(p, QRectF(40 + i * 210, 100, 190, 58), QString::fromUtf8(captions[i]),
                 QString::fromUtf8(emoji[i]));
    ma::drawCard(p, QRectF(24, 171, 876 - 24, 372), QColor(255, 255, 255, 200), kBlue, 18, 3);
    p.end();
    a.background(QStringLiteral("imgbg"), img);
    timedGameButtons(a);
}

void puzzleArt(Output& out) {
    FormArt a(out, "puzzles", "ptx");
    QImage img;
    QPainter p;
    backdrop(p, img, {900, 675}, QStringLiteral("拼图形"), QStringLiteral("🧩"),
             QColor(0xb8, 0xe6, 0xff));
    const char* captions[] = {"拼块", "关数", "时间", "得分"};
    const char* emoji[] = {"🧩", "🚩", "⏰", "⭐"};
    for (int i = 0; i < 4; ++i)
        infoCard(p, QRectF(40 + i * 210, 88, 190, 54), QString::fromUtf8(captions[i]),
                 QString::fromUtf8(emoji[i]));
    ma::drawCard(p, QRectF(10, 170, 880, 376), QColor(255, 255, 255, 200), kBlue, 18, 3);
    p.end();
    a.background(QStringLiteral("imgbg"), img);
    timedGameButtons(a);
    a.pill(QStringLiteral("imgkey"), {150, 66}, kOrange, QStringLiteral("👀"),
           QStringLiteral("看原图"), false);
}

void guessArt(Output& out) {
    FormArt a(out, "puzzles", "guessnumber");
    QImage img;
    QPainter p;
    backdrop(p, img, {900, 675}, QStringLiteral("猜数字"), QStringLiteral("🤔"),
             QColor(0xc6, 0xe2, 0xff));
    ma::drawCard(p, QRectF(24, 96, 682, 146), QColor(255, 255, 255, 215), kBlue, 20, 4);
    ma::drawCard(p, QRectF(712, 96, 176, 400), QColor(255, 255, 255, 230), kPurple, 18, 3);
    ma::drawCaption(p, QRectF(712, 100, 176, 30), QStringLiteral("猜过的数"), 19, kCaption);
    ma::drawCard(p, QRectF(24, 430, 682, 100), QColor(0x1f, 0x3a, 0x6a), kOrange, 18, 4);
    infoCard(p, QRectF(722, 506, 160, 50), QStringLiteral(""), QStringLiteral("⏰"));
    p.end();
    a.background(QStringLiteral("imgbg"), img);
    static const char* names[] = {"imgzero", "imgone", "imgtwo",   "imgthree", "imgfour",
                                  "imgfive", "imgsix", "imgseven", "imgeight", "imgnine"};
    static const QList<QColor> keys = {QColor(0xff, 0x5a, 0x6e), QColor(0xff, 0x9a, 0x1f),
                                       QColor(0xf5, 0xc2, 0x1a), QColor(0x3c, 0xc4, 0x53),
                                       QColor(0x12, 0xb0, 0xc0), QColor(0x2e, 0x8c, 0xf0),
                                       QColor(0x6a, 0x6c, 0xf5), QColor(0xa8, 0x5c, 0xf6),
                                       QColor(0xf5, 0x4f, 0xa8), QColor(0xe0, 0x6a, 0x3a)};
    for (int d = 0; d < 10; ++d)
        a.button(QString::fromLatin1(names[d]), [&](State s) {
            return ma::digitKey({122, 74}, d, keys[d], s);
        });
    for (const char* n : {"imgnumA", "imgnumB", "imgnumC", "imgnumD"})
        a.button(QString::fromLatin1(n), [](State s) {
            return ma::tile({157, 119}, QColor(0xff, 0xe6, 0x6e), s);
        });
    const QSize bs(140, 62);
    a.pill(QStringLiteral("imgbegin"), bs, kGreen, QStringLiteral("▶️"),
           QStringLiteral("开始"));
    a.pill(QStringLiteral("imgok"), bs, kBlue, QStringLiteral("✅"), QStringLiteral("确定"));
    a.pill(QStringLiteral("imgclear"), bs, kOrange, QStringLiteral("🧽"), QStringLiteral("清除"));
    a.pill(QStringLiteral("imgkey"), bs, kPurple, QStringLiteral("🔑"), QStringLiteral("看答案"));
    a.pill(QStringLiteral("imggz"), bs, kTeal, QStringLiteral("💡"), QStringLiteral("说明"));
    a.pill(QStringLiteral("imgexit"), bs, kRed, QStringLiteral("🏠"), QStringLiteral("返回"));
}

void sortArt(Output& out) {
    FormArt a(out, "puzzles", "gfl");
    QImage img;
    QPainter p;
    backdrop(p, img, {900, 675}, QStringLiteral("归分类"), QStringLiteral("🗂️"),
             QColor(0xa8, 0xe0, 0xff));
    ma::drawCard(p, QRectF(80, 100, 600, 70), QColor(255, 255, 255, 230), kOrange, 20, 4);
    ma::drawCard(p, QRectF(80, 182, 620, 386), QColor(255, 255, 255, 190), kBlue, 20, 3);
    const char* captions[] = {"题数", "答对", "答错", "用时"};
    const char* emoji[] = {"📝", "✅", "❌", "⏰"};
    for (int i = 0; i < 4; ++i)
        infoCard(p, QRectF(318 + i * 146, 14, 138, 50), QString::fromUtf8(captions[i]),
                 QString::fromUtf8(emoji[i]));
    ma::drawCard(p, QRectF(730, 100, 150, 468), QColor(0xff, 0xf1, 0xd6), kPurple, 20, 3);
    ma::drawCaption(p, QRectF(730, 104, 150, 30), QStringLiteral("我选的"), 20, kCaption);
    p.end();
    a.background(QStringLiteral("imgbg"), img);
    const QSize bs(170, 66);
    a.pill(QStringLiteral("imgnext"), bs, kGreen, QStringLiteral("➡️"),
           QStringLiteral("下一题"));
    a.pill(QStringLiteral("imgok"), bs, kBlue, QStringLiteral("✅"), QStringLiteral("检查"));
    a.pill(QStringLiteral("imgfh"), bs, kRed, QStringLiteral("🏠"), QStringLiteral("返回"));
}

void colouringArt(Output& out) {
    FormArt a(out, "puzzles", "tys");
    QImage img;
    QPainter p;
    // The movie's frame starts at 62: the title stays above it.
    backdrop(p, img, {900, 675}, QStringLiteral("涂颜色"), QStringLiteral("🖍️"),
             QColor(0xff, 0xd6, 0xe8), QRectF(16, 5, 196, 50));
    ma::drawCard(p, QRectF(58, 62, 774, 544), Qt::white, kPurple, 20, 5);
    p.end();
    a.background(QStringLiteral("imgbg"), img);
    const QSize bs(160, 58);
    a.pill(QStringLiteral("imgml"), bs, kTeal, QStringLiteral("📖"), QStringLiteral("目录"));
    a.pill(QStringLiteral("imgpre"), bs, kBlue, QStringLiteral("⬅️"), QStringLiteral("上一个"));
    a.pill(QStringLiteral("imgnext"), bs, kBlue, QStringLiteral("➡️"),
           QStringLiteral("下一个"));
    a.pill(QStringLiteral("imgfh"), bs, kRed, QStringLiteral("🏠"), QStringLiteral("返回"));
}

void saveArt(Output& out) {
    FormArt a(out, "puzzles", "gamesave");
    QImage img;
    QPainter p;
    backdrop(p, img, {400, 250}, QStringLiteral("保存成绩"), QStringLiteral("🏆"),
             QColor(0xff, 0xe9, 0xa8));
    p.end();
    a.background(QStringLiteral("imgbg"), img);
    a.pill(QStringLiteral("imgok"), {130, 56}, kGreen, QStringLiteral("✅"), QStringLiteral("确定"));
    a.pill(QStringLiteral("imgexit"), {130, 56}, kRed, QStringLiteral("❌"), QStringLiteral("取消"));
}

void leaderboardArt(Output& out) {
    FormArt a(out, "puzzles", "phb");
    QImage img;
    QPainter p;
    backdrop(p, img, {602, 482}, QStringLiteral("排行榜"), QStringLiteral("🏆"),
             QColor(0xff, 0xe0, 0x9e));
    ma::drawCard(p, QRectF(20, 84, 562, 322), QColor(255, 255, 255, 235), kOrange, 20, 4);
    const char* heads[] = {"名次", "名字", "关数", "分数"};
    const qreal xs[] = {30, 120, 390, 460}, ws[] = {80, 270, 70, 110};
    for (int i = 0; i < 4; ++i)
        ma::drawCaption(p, QRectF(xs[i], 92, ws[i], 36), QString::fromUtf8(heads[i]), 22, kCaption);
    const char* medals[] = {"🥇", "🥈", "🥉"};
    for (int r = 0; r < 5; ++r) {
        const QRectF row(30, 134 + r * 54, 542, 48);
        ma::drawCard(p, row, r % 2 ? QColor(0xff, 0xf6, 0xe0) : QColor(0xe8, 0xf4, 0xff),
                     QColor(0xdd, 0xdd, 0xdd), 12, 1);
        if (r < 3)
            art::drawEmoji(p, QRectF(36, row.top() + 8, 32, 32), QString::fromUtf8(medals[r]));
    }
    p.end();
    a.background(QStringLiteral("imgbg"), img);
    a.pill(QStringLiteral("imgexit"), {150, 56}, kRed, QStringLiteral("🏠"), QStringLiteral("关闭"));
}

void makePuzzleArt(Output& out) {
    spotArt(out);
    puzzleArt(out);
    guessArt(out);
    sortArt(out);
    colouringArt(out);
    saveArt(out);
    leaderboardArt(out);
}

const RegisterStep step{"puzzleart", &makePuzzleArt};

} // namespace
} // namespace gendata

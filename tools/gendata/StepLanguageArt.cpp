// Pictures of the picture and English windows, compiled in under ":/language/<unit>/":
// window backgrounds with their boards and printed captions, every picture button with
// its companions (1 hover, 2 pressed; the start and stop buttons 1 rest, 2 hover,
// 3 pressed, 4 latched), the directory panel and page buttons, balloons and the life bar.
#include "tools/gendata/Generator.h"
#include "tools/lib/ArtKit.h"
#include "tools/lib/MathArt.h"

#include <QPainter>
#include <functional>

namespace gendata {
namespace {

namespace art = tools::art;
namespace ma = tools::mathart;
using art::State;

const QColor kOrange(0xff, 0x9a, 0x1f), kBlue(0x2e, 0x8c, 0xf0), kGreen(0x2f, 0xb8, 0x4a),
    kRed(0xf0, 0x3c, 0x5a), kPurple(0x9b, 0x55, 0xf0), kTeal(0x12, 0xb0, 0xc0),
    kPink(0xf0, 0x5a, 0xa8), kGrey(0x9a, 0xa4, 0xb0), kCaption(0x2b, 0x4a, 0x8a);

class Art {
public:
    Art(Output& out, const char* unit)
        : out_(out), base_(QStringLiteral("language/") + unit + '/') {}
    void jpg(const QString& name, const QImage& img) {
        out_.writeResource(base_ + name + QStringLiteral(".jpg"), art::jpeg(img, 90));
    }
    void png(const QString& name, const QImage& img) {
        out_.writeResource(base_ + name + QStringLiteral(".png"), art::png(img));
    }
    // A pill button with its hover and pressed looks.
    void pill(const QString& name, QSize size, const QColor& c, const QString& emoji,
              const QString& label) {
        png(name, ma::iconPill(size, c, emoji, label, State::Rest));
        png(name + '1', ma::iconPill(size, c, emoji, label, State::Hover));
        png(name + '2', ma::iconPill(size, c, emoji, label, State::Pressed));
    }
    // A latched button: rest, hover, pressed and the grey latched look.
    void latched(const QString& name, QSize size, const QColor& c, const QString& emoji,
                 const QString& label) {
        png(name, ma::iconPill(size, c, emoji, label, State::Rest));
        png(name + '1', ma::iconPill(size, c, emoji, label, State::Rest));
        png(name + '2', ma::iconPill(size, c, emoji, label, State::Hover));
        png(name + '3', ma::iconPill(size, c, emoji, label, State::Pressed));
        png(name + '4', ma::iconPill(size, kGrey, emoji, label, State::Pressed));
    }
    void back(const QString& name, QSize size) {
        pill(name, size, kRed, QStringLiteral("🏠"), QStringLiteral("返回"));
    }

private:
    Output& out_;
    QString base_;
};

QImage backdrop(const QColor& top, const QColor& bottom, qreal meadow,
                const std::function<void(QPainter&)>& paint) {
    QImage img = art::canvas({900, 675});
    QPainter p(&img);
    art::prepare(p);
    ma::drawBackdrop(p, img.size(), top, bottom, meadow);
    paint(p);
    return img;
}

void logo(QPainter& p, const QRectF& box, const QString& text) {
    art::drawLogo(p, box, text, {kRed, kOrange, kGreen, kBlue, kPurple});
}

void board(QPainter& p, const QRectF& r, const QColor& top, const QColor& bottom) {
    QPainterPath path;
    path.addRoundedRect(r, 24, 24);
    art::drawSoftShadow(p, path, QColor(0, 0, 0, 80), 8, {0, 5});
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillPath(path, g);
    p.setPen(QPen(QColor(255, 255, 255, 220), 4));
    p.drawPath(path);
}

void counterBox(QPainter& p, qreal valueLeft, qreal top, qreal step, const QStringList& captions) {
    QList<QPair<QString, qreal>> rows;
    for (int i = 0; i < captions.size(); ++i)
        rows.append({captions[i], top + i * step});
    ma::drawScoreBox(p, QRectF(valueLeft - 84, top - 6, 150, step * captions.size() + 10), rows,
                     valueLeft - 4);
}

void makeKtrwAll(Output& out) {
    Art a(out, "ktrwall");
    a.jpg(QStringLiteral("imgbg"),
          backdrop(QColor(0x8c, 0xd8, 0xff), QColor(0xf2, 0xfb, 0xff), 600, [](QPainter& p) {
              ma::drawCard(p, QRectF(8, 14, 176, 52), QColor(0xc0, 0x30, 0x30, 235),
                           QColor(0xff, 0xd8, 0x3a), 26, 4);
              logo(p, QRectF(560, 22, 320, 76), QStringLiteral("看图认物"));
              ma::drawCard(p, QRectF(92, 143, 356, 276), Qt::white, QColor(0xff, 0x9a, 0x1f), 22,
                           6);
              board(p, QRectF(462, 132, 432, 300), QColor(0x3a, 0x8c, 0xe8),
                    QColor(0x1e, 0x5c, 0xb8));
              ma::drawCard(p, QRectF(476, 344, 404, 76), QColor(0xff, 0xf8, 0xe8),
                           QColor(0xff, 0xd0, 0x60), 16, 3);
              ma::drawCard(p, QRectF(590, 460, 298, 90), QColor(255, 255, 255, 230),
                           QColor(0x4d, 0xb6, 0xff), 16, 2.5);
          }));
    const QSize b(124, 54);
    a.pill(QStringLiteral("imgpre"), b, kBlue, QStringLiteral("⬅️"), QStringLiteral("上一个"));
    a.pill(QStringLiteral("imgnext"), b, kBlue, QStringLiteral("➡️"), QStringLiteral("下一个"));
    a.pill(QStringLiteral("imgml"), b, kOrange, QStringLiteral("📋"), QStringLiteral("目录"));
    a.pill(QStringLiteral("imglx"), b, kGreen, QStringLiteral("✏️"), QStringLiteral("练习"));
    a.back(QStringLiteral("imgfh"), b);
    QImage panel = art::canvas({456, 97});
    {
        QPainter p(&panel);
        art::prepare(p);
        QLinearGradient g(0, 0, 0, 97);
        g.setColorAt(0, QColor(0xff, 0xfb, 0xe8));
        g.setColorAt(1, QColor(0xff, 0xe8, 0xc0));
        p.fillRect(panel.rect(), g);
        p.setPen(QPen(QColor(0xff, 0xb0, 0x40), 2, Qt::DashLine));
        p.drawLine(QPointF(10, 48), QPointF(376, 48));
    }
    a.png(QStringLiteral("Image1"), panel);
    // The page buttons are small (62x32): a flat tab whose caption fills it, so that it
    // reads at a glance, where a pill's margins would leave the caption tiny.
    for (const auto& [name, label] : {std::pair{"imgmlback", "上一组"}, {"imgmlnext", "下一组"}})
        for (const auto& [suffix, state] :
             {std::pair{"", State::Rest}, {"1", State::Hover}, {"2", State::Pressed}}) {
            QImage tab = art::canvas({62, 32});
            QPainter p(&tab);
            art::prepare(p);
            const QColor c = state == State::Hover     ? art::shade(kPurple, 0.18)
                             : state == State::Pressed ? art::shade(kPurple, -0.2)
                                                       : kPurple;
            const qreal sink = state == State::Pressed ? 1 : 0;
            p.setPen(QPen(art::shade(c, -0.45), 1.5));
            p.setBrush(c);
            p.drawRoundedRect(QRectF(1 + sink, 1 + sink, 60 - sink, 30 - sink), 9, 9);
            art::TextStyle t;
            t.font = art::fitFont(art::cjkFont(17, QFont::Black), QString::fromUtf8(label), 54);
            t.outline = art::shade(c, -0.55);
            t.outlineWidth = 1.5;
            art::drawText(p, QRectF(1 + sink, 1 + sink, 60, 30), QString::fromUtf8(label), t);
            p.end();
            a.png(QString::fromLatin1(name) + QString::fromLatin1(suffix), tab);
        }
}

void makePractices(Output& out) {
    Art four(out, "ktrwlx");
    four.jpg(QStringLiteral("imgbg"),
             backdrop(QColor(0x9a, 0xdc, 0xff), QColor(0xf4, 0xfc, 0xff), 560, [](QPainter& p) {
                 ma::drawCard(p, QRectF(170, 90, 549, 197), QColor(255, 255, 255, 235),
                              QColor(0x4d, 0x8c, 0xff), 28, 5);
                 ma::drawCaption(p, QRectF(190, 290, 520, 40),
                                 QStringLiteral("听一听，点一点：哪一张是它？"), 24, kCaption);
                 counterBox(
                     p, 819, 0, 26,
                     {QStringLiteral("总数"), QStringLiteral("答对"), QStringLiteral("答错")});
             }));
    four.back(QStringLiteral("imgfh"), {110, 56});
    Art sixteen(out, "ktrwzhlx");
    sixteen.jpg(QStringLiteral("imgbg"),
                backdrop(QColor(0xc8, 0xb8, 0xff), QColor(0xf8, 0xf4, 0xff), 0, [](QPainter& p) {
                    logo(p, QRectF(320, 14, 360, 62), QStringLiteral("看图认物综合练习"));
                    counterBox(
                        p, 819, 2, 26,
                        {QStringLiteral("总数"), QStringLiteral("答对"), QStringLiteral("答错")});
                    for (int r = 0; r < 4; ++r)
                        for (int c = 0; c < 4; ++c)
                            ma::drawCard(p,
                                         QRectF(QPointF(QList<int>{88, 272, 457, 641}[c] - 6,
                                                        QList<int>{90, 229, 368, 507}[r] - 6),
                                                QSizeF(172, 132)),
                                         Qt::white, QColor(0xb0, 0x80, 0xff), 12, 3);
                }));
    sixteen.back(QStringLiteral("imgfh"), {80, 56});
}

// The sky the answers fall through, down to the grass where they land.
void fallingSky(QPainter& p, const QRectF& r, const QColor& top) {
    QPainterPath frame;
    frame.addRoundedRect(r, 14, 14);
    art::drawSoftShadow(p, frame, QColor(0, 0, 0, 70), 6, {0, 4});
    p.save();
    p.setClipPath(frame);
    art::drawSky(p, r, top, QColor(0xf6, 0xfc, 0xff));
    art::drawCloud(p, r.topLeft() + QPointF(120, 120), 150, 0.8);
    art::drawCloud(p, r.topLeft() + QPointF(r.width() - 140, 240), 120, 0.7);
    art::drawMeadow(p, r, r.bottom() - 46);
    p.restore();
    p.setPen(QPen(QColor(255, 255, 255, 230), 4));
    p.drawPath(frame);
}

void quizSide(Art& a) {
    const QSize b(130, 56);
    a.latched(QStringLiteral("imgplay"), b, kGreen, QStringLiteral("▶️"),
              QStringLiteral("开始"));
    a.latched(QStringLiteral("imgstop"), b, kOrange, QStringLiteral("⏸️"),
              QStringLiteral("停止"));
    a.pill(QStringLiteral("imgread"), b, kBlue, QStringLiteral("🔊"), QStringLiteral("再听"));
    a.back(QStringLiteral("imgfh"), b);
}

void makeQuizzes(Output& out) {
    Art en(out, "englishzhlx");
    en.jpg(QStringLiteral("imgbg"),
           backdrop(QColor(0x80, 0xd0, 0xff), QColor(0xf0, 0xfa, 0xff), 0, [](QPainter& p) {
               ma::drawCard(p, QRectF(20, 30, 580, 44), QColor(255, 255, 255, 230),
                            QColor(0x4d, 0xb6, 0xff), 18, 2.5);
               ma::drawCard(p, QRectF(14, 80, 696, 52), QColor(0xff, 0xfb, 0xe8, 240),
                            QColor(0xff, 0xc0, 0x40), 18, 3);
               logo(p, QRectF(712, 20, 180, 110), QStringLiteral("英语"));
               fallingSky(p, QRectF(20, 135, 684, 520), QColor(0x9c, 0xd8, 0xff));
               counterBox(p, 800, 178, 40,
                          {QStringLiteral("总数"), QStringLiteral("答对"), QStringLiteral("答错")});
           }));
    quizSide(en);
    Art abc(out, "abcgame");
    abc.jpg(QStringLiteral("imgbg"),
            backdrop(QColor(0xff, 0xc8, 0xe0), QColor(0xff, 0xf6, 0xe0), 0, [](QPainter& p) {
                logo(p, QRectF(150, 12, 420, 70), QStringLiteral("ABC游戏"));
                fallingSky(p, QRectF(15, 87, 692, 568), QColor(0xff, 0xd0, 0xe8));
                counterBox(
                    p, 800, 178, 40,
                    {QStringLiteral("总数"), QStringLiteral("答对"), QStringLiteral("答错")});
            }));
    quizSide(abc);
    const QColor balloon[4] = {kRed, kBlue, kGreen, kPurple};
    for (int i = 0; i < 4; ++i) {
        QImage img = art::canvas({96, 96});
        QPainter p(&img);
        art::prepare(p);
        QRadialGradient g(QPointF(36, 32), 60);
        g.setColorAt(0, art::shade(balloon[i], 0.45));
        g.setColorAt(1, balloon[i]);
        p.setPen(QPen(art::shade(balloon[i], -0.35), 3));
        p.setBrush(g);
        p.drawEllipse(QRectF(6, 4, 84, 84));
        p.setBrush(QColor(255, 255, 255, 120));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QRectF(22, 16, 20, 14));
        abc.png(QStringLiteral("balloon%1").arg(i + 1), img);
    }
}

void makeDdp(Output& out) {
    Art a(out, "ddp");
    a.jpg(QStringLiteral("imgback"),
          backdrop(QColor(0xff, 0xd0, 0x8a), QColor(0xff, 0xf6, 0xe4), 0, [](QPainter& p) {
              logo(p, QRectF(26, 10, 280, 66), QStringLiteral("对对踫"));
              ma::drawCard(p, QRectF(322, 25, 565, 37), Qt::white, QColor(0xf0, 0x5a, 0x5a), 14, 3);
              ma::drawCaption(p, QRectF(730, 62, 86, 40), QStringLiteral("生命值"), 18, kCaption,
                              Qt::AlignRight | Qt::AlignVCenter);
              ma::drawCaption(p, QRectF(730, 104, 60, 40), QStringLiteral("时间"), 18, kCaption,
                              Qt::AlignRight | Qt::AlignVCenter);
          }));
    QImage bar = art::canvas({553, 25});
    {
        QPainter p(&bar);
        art::prepare(p);
        QLinearGradient g(0, 0, 553, 0);
        g.setColorAt(0, QColor(0xff, 0x40, 0x40));
        g.setColorAt(0.5, QColor(0xff, 0xc0, 0x20));
        g.setColorAt(1, QColor(0x40, 0xd0, 0x40));
        p.fillRect(bar.rect(), g);
    }
    a.png(QStringLiteral("imgstate"), bar);
    const QSize b(140, 56);
    a.pill(QStringLiteral("imgnext"), b, kGreen, QStringLiteral("▶️"), QStringLiteral("开始"));
    a.pill(QStringLiteral("imggz"), b, kBlue, QStringLiteral("📖"), QStringLiteral("规则"));
    a.pill(QStringLiteral("imgts"), b, kOrange, QStringLiteral("💡"), QStringLiteral("提示"));
    a.back(QStringLiteral("imgexit"), b);
}

void makeXxdct(Output& out) {
    Art a(out, "xxdct");
    a.jpg(QStringLiteral("imgbg"),
          backdrop(QColor(0x9a, 0xe0, 0xc8), QColor(0xf0, 0xfc, 0xf4), 0, [](QPainter& p) {
              logo(p, QRectF(14, 10, 230, 64), QStringLiteral("小小单词通"));
              ma::drawCard(p, QRectF(40, 80, 180, 500), QColor(255, 255, 255, 235),
                           QColor(0x30, 0xb0, 0x80), 18, 3);
              ma::drawCaption(p, QRectF(48, 88, 64, 30), QStringLiteral("字母"), 18, kCaption,
                              Qt::AlignLeft | Qt::AlignVCenter);
              ma::drawCard(p, QRectF(250, 36, 636, 90), QColor(255, 255, 255, 235),
                           QColor(0x4d, 0xb6, 0xff), 20, 3);
          }));
    const QSize b(110, 56);
    a.pill(QStringLiteral("imgpre"), b, kBlue, QStringLiteral("⬅️"), QStringLiteral("上一个"));
    a.pill(QStringLiteral("imgnext"), b, kBlue, QStringLiteral("➡️"), QStringLiteral("下一个"));
    a.pill(QStringLiteral("imglx"), b, kGreen, QStringLiteral("✏️"), QStringLiteral("练习"));
    a.pill(QStringLiteral("imgauto"), b, kPink, QStringLiteral("🎯"), QStringLiteral("对对踫"));
    a.back(QStringLiteral("imgclose"), b);
}

void makeLanguageArt(Output& out) {
    makeKtrwAll(out);
    makePractices(out);
    makeQuizzes(out);
    makeDdp(out);
    makeXxdct(out);
}

const RegisterStep step{"languageart", &makeLanguageArt};

} // namespace
} // namespace gendata

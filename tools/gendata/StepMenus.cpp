// The five section menu movies: a full-window picture per section, a still title,
// one big picture button per command (hover and pressed looks) whose release sends
// the command, and a "返回" button sending "btnexit". Program resources "flash/<name>".
#include "content/tables/MenuButtons.h"
#include "tools/gendata/Generator.h"
#include "tools/lib/ArtKit.h"
#include "tools/lib/Landscape.h"
#include "tools/lib/SwfWriter.h"

#include <QPainter>
#include <QtMath>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <span>
#include <stdexcept>
#include <thread>

namespace gendata {
namespace {

using namespace tools::art;
using tools::SwfShape;
using tools::SwfWriter;

constexpr QSize kStage(900, 675);
// Nothing on a menu moves, but the player redraws the whole stage every frame: the fewer
// frames, the less a menu costs while it is on screen. Hover looks follow the mouse at
// once whatever the rate; the first picture waits one frame, so the rate stays at 8.
constexpr qreal kRate = 8;
// Quality of every picture in the menus.
constexpr int kJpegQuality = 88;

const QList<QColor> kRainbow = {QColor(0xff, 0x4d, 0x5e), QColor(0xff, 0x9a, 0x1f),
                                QColor(0xff, 0xd0, 0x1f), QColor(0x3c, 0xc4, 0x53),
                                QColor(0x2e, 0x9b, 0xff), QColor(0xa8, 0x5c, 0xf6)};

// How the button sending `command` looks.
struct ButtonLook {
    const char* command;
    QColor colour;
    Art art;
};

struct MenuMovie {
    QString name;  // resource name
    QString title; // the section's name in the title
    QSize card;    // size of every button
    int columns;
    std::function<void(QPainter&)> scenery;
    std::span<const menus::Button> buttons; // commands and captions, in order
    std::vector<ButtonLook> looks;          // one per button
};

bool sameCommand(const char* a, const char* b) {
    return std::strcmp(a, b) == 0;
}

// Every button has exactly one look and every look a button.
void checkLooks(const MenuMovie& menu) {
    const auto fail = [&](const char* what, const char* command) {
        throw std::runtime_error("menu " + menu.name.toStdString() + ": " + what + " " + command);
    };
    for (const menus::Button& b : menu.buttons)
        if (std::count_if(menu.looks.begin(), menu.looks.end(), [&](const ButtonLook& look) {
                return sameCommand(look.command, b.command);
            }) != 1)
            fail("not one look for", b.command);
    for (const ButtonLook& look : menu.looks)
        if (std::none_of(menu.buttons.begin(), menu.buttons.end(), [&](const menus::Button& b) {
                return sameCommand(b.command, look.command);
            }))
            fail("no button sends", look.command);
}

const ButtonLook& lookOf(const MenuMovie& menu, const menus::Button& button) {
    return *std::find_if(menu.looks.begin(), menu.looks.end(), [&](const ButtonLook& look) {
        return sameCommand(look.command, button.command);
    });
}

// ---- Pictures on the buttons -----------------------------------------------------

// Every emoji a button shows, noted while the menus are described (before any thread
// starts), so that they can be drawn into the emoji cache ahead of the menus.
QStringList& buttonEmoji() {
    static QStringList used;
    return used;
}

Art emojis(const QStringList& list) {
    buttonEmoji() << list;
    return [list](QPainter& p, const QRectF& box) {
        if (list.size() == 1) {
            emojiArt(list.first())(p, box);
            return;
        }
        // The first one big in the middle, the others small beside it at its feet.
        const qreal big = std::min(box.height(), box.width() * 0.6);
        drawEmoji(p, QRectF(box.center().x() - big / 2, box.top(), big, big), list.first());
        const qreal small = big * 0.5;
        for (int i = 1; i < list.size(); ++i) {
            const bool right = i % 2 == 1;
            const qreal x =
                right ? box.center().x() + big * 0.42 : box.center().x() - big * 0.42 - small;
            drawEmoji(p, QRectF(x, box.bottom() - small, small, small), list.at(i));
        }
    };
}

Art letters(const QString& text, const QList<QColor>& colours = kRainbow) {
    return lettersArt(text, colours);
}

// Circle, triangle and square in bright colours.
Art shapesArt() {
    return [](QPainter& p, const QRectF& box) {
        const qreal s = std::min(box.height() * 0.62, box.width() / 3.3);
        const qreal y = box.center().y() - s / 2;
        const qreal x0 = box.center().x() - 1.6 * s;
        p.save();
        p.setPen(QPen(Qt::white, 3));
        p.setBrush(QColor(0xff, 0xd0, 0x1f));
        p.drawEllipse(QRectF(x0, y, s, s));
        QPolygonF tri;
        tri << QPointF(x0 + 1.6 * s, y - 4) << QPointF(x0 + 2.15 * s, y + s)
            << QPointF(x0 + 1.05 * s, y + s);
        p.setBrush(QColor(0x3c, 0xc4, 0x53));
        p.drawPolygon(tri);
        p.setBrush(QColor(0x2e, 0x9b, 0xff));
        p.drawRoundedRect(QRectF(x0 + 2.2 * s, y, s, s), 4, 4);
        p.restore();
    };
}

// Red, blue, red, blue... and a question mark where the next one goes.
Art patternArt() {
    return [](QPainter& p, const QRectF& box) {
        const qreal r = std::min(box.height() * 0.22, box.width() / 11);
        const qreal y = box.center().y();
        const QColor cs[] = {QColor(0xff, 0x4d, 0x5e), QColor(0x2e, 0x9b, 0xff)};
        p.save();
        p.setPen(QPen(Qt::white, 2.5));
        for (int i = 0; i < 4; ++i) {
            p.setBrush(cs[i % 2]);
            p.drawEllipse(QPointF(box.left() + r * 1.3 + i * r * 2.4, y), r, r);
        }
        p.restore();
        TextStyle q;
        q.font = cjkFont(r * 2.6, QFont::Black);
        q.fill = QColor(0xff, 0xe1, 0x3b);
        q.outline = QColor(0x7a, 0x30, 0x10);
        q.outlineWidth = 3;
        drawText(p, QRectF(box.left() + r * 0.3 + 4 * r * 2.4, y - r * 1.6, r * 2.4, r * 3.2),
                 QStringLiteral("?"), q);
    };
}

// Characters side by side, each in its writing grid.
Art gridCharsArt(const QString& chars) {
    return [chars](QPainter& p, const QRectF& box) {
        const qreal w = box.width() / chars.size();
        for (int i = 0; i < chars.size(); ++i)
            gridCharArt(chars.mid(i, 1))(
                p, QRectF(box.left() + i * w, box.top(), w, box.height()).adjusted(2, 4, -2, -4));
    };
}

// ---- Sceneries -------------------------------------------------------------------

void sunnyDay(QPainter& p, const QColor& skyTop, const QColor& skyBottom) {
    const QColor petals[] = {QColor(0xff, 0x7a, 0xa8), QColor(0xff, 0xe0, 0x4a),
                             QColor(0xa8, 0x7c, 0xff), QColor(0xff, 0x8a, 0x5a)};
    Landscape land;
    land.sky = land.ground = QRectF(QPointF(0, 0), QSizeF(kStage));
    land.skyTop = skyTop;
    land.skyBottom = skyBottom;
    land.sun = {{92, 84}, 40};
    land.clouds = {{{300, 70}, 130}, {{640, 110}, 100, 0.9}, {{810, 60}, 80, 0.95}};
    land.birds = {{{470, 54}, 22}, {{500, 70}, 15}};
    land.horizon = 560;
    for (int i = 0; i < 9; ++i)
        land.flowers.append({QPointF(40 + i * 104 + (i % 2) * 30, 668 - (i % 3) * 6),
                             22.0 + (i % 3) * 5, petals[i % 4]});
    drawLandscape(p, land);
}

// Colourful balloons carrying digits and signs.
void mathsScenery(QPainter& p) {
    sunnyDay(p, QColor(0x4f, 0xb4, 0xf2), QColor(0xd8, 0xf2, 0xff));
    const struct {
        QPointF at;
        QString text;
        QColor colour;
    } balloons[] = {{{200, 52}, "1", QColor(0xff, 0x4d, 0x5e)},
                    {{712, 64}, "+", QColor(0xff, 0x9a, 0x1f)},
                    {{178, 104}, "2", QColor(0x3c, 0xc4, 0x53)}};
    for (const auto& b : balloons) {
        p.save();
        p.setPen(QPen(QColor(0x70, 0x70, 0x70), 1.5));
        p.drawLine(b.at + QPointF(0, 30), b.at + QPointF(3, 58));
        QRadialGradient g(b.at - QPointF(8, 10), 34);
        g.setColorAt(0, shade(b.colour, 0.45));
        g.setColorAt(1, b.colour);
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawEllipse(b.at, 24, 30);
        p.restore();
        TextStyle t;
        t.font = cjkFont(32, QFont::Black);
        t.outline = shade(b.colour, -0.45);
        t.outlineWidth = 3;
        drawText(p, QRectF(b.at.x() - 24, b.at.y() - 28, 48, 56), b.text, t);
    }
}

// Kites with letters.
void englishScenery(QPainter& p) {
    sunnyDay(p, QColor(0x3e, 0x9c, 0xf0), QColor(0xcf, 0xea, 0xff));
    drawRainbow(p, {450, 700}, 560, 16, 0.35);
    const struct {
        QPointF at;
        QString letter;
        QColor colour;
    } kites[] = {{{30, 260}, "A", QColor(0xff, 0x4d, 0x5e)},
                 {{870, 250}, "B", QColor(0xff, 0xd0, 0x1f)},
                 {{30, 470}, "C", QColor(0x3c, 0xc4, 0x53)},
                 {{870, 470}, "D", QColor(0xa8, 0x5c, 0xf6)}};
    for (const auto& k : kites) {
        QPolygonF d;
        d << k.at + QPointF(0, -34) << k.at + QPointF(26, 0) << k.at + QPointF(0, 40)
          << k.at + QPointF(-26, 0);
        p.save();
        p.setPen(QPen(Qt::white, 3));
        p.setBrush(k.colour);
        p.drawPolygon(d);
        p.setPen(QPen(QColor(0x60, 0x60, 0x60), 1.5));
        p.drawLine(k.at + QPointF(0, 40), k.at + QPointF(-10, 90));
        p.restore();
        TextStyle t;
        t.font = cjkFont(28, QFont::Black);
        t.outline = shade(k.colour, -0.45);
        t.outlineWidth = 3;
        drawText(p, QRectF(k.at.x() - 20, k.at.y() - 20, 40, 40), k.letter, t);
    }
}

// Red lanterns with characters.
void chineseScenery(QPainter& p) {
    sunnyDay(p, QColor(0x5c, 0xc0, 0xf0), QColor(0xe4, 0xf6, 0xff));
    const struct {
        QPointF at;
        QString ch;
    } lanterns[] = {{{202, 78}, "语"}, {{706, 78}, "文"}};
    for (const auto& l : lanterns) {
        p.save();
        p.setPen(QPen(QColor(0x8a, 0x5a, 0x20), 2));
        p.drawLine(l.at + QPointF(0, -60), l.at + QPointF(0, -36));
        QRadialGradient g(l.at - QPointF(6, 8), 40);
        g.setColorAt(0, QColor(0xff, 0x7a, 0x5a));
        g.setColorAt(1, QColor(0xd8, 0x1e, 0x1e));
        p.setPen(QPen(QColor(0xff, 0xd0, 0x40), 2));
        p.setBrush(g);
        p.drawEllipse(l.at, 30, 34);
        p.setBrush(QColor(0xff, 0xc8, 0x30));
        p.drawRect(QRectF(l.at.x() - 12, l.at.y() - 38, 24, 6));
        p.drawRect(QRectF(l.at.x() - 12, l.at.y() + 32, 24, 6));
        p.setPen(QPen(QColor(0xff, 0xc8, 0x30), 2));
        for (int i = -1; i <= 1; ++i)
            p.drawLine(l.at + QPointF(i * 5, 40), l.at + QPointF(i * 5, 58));
        p.restore();
        TextStyle t;
        t.font = cjkFont(30, QFont::Black);
        t.fill = QColor(0xff, 0xe6, 0x60);
        drawText(p, QRectF(l.at.x() - 26, l.at.y() - 26, 52, 52), l.ch, t);
    }
}

// Puzzle pieces and stars scattered in a violet evening sky.
void puzzleScenery(QPainter& p) {
    sunnyDay(p, QColor(0x8a, 0x6c, 0xf0), QColor(0xf0, 0xe0, 0xff));
    for (int i = 0; i < 14; ++i)
        drawStar(p, QPointF(30 + (i * 137) % 840, 150 + (i * 89) % 380), 6 + (i % 3) * 3,
                 kRainbow[i % kRainbow.size()]);
    drawEmoji(p, QRectF(14, 250, 60, 60), QStringLiteral("🧩"));
    drawEmoji(p, QRectF(826, 440, 60, 60), QStringLiteral("🎲"));
    drawEmoji(p, QRectF(826, 240, 56, 56), QStringLiteral("🎈"));
    drawEmoji(p, QRectF(16, 450, 56, 56), QStringLiteral("🌟"));
}

// A safari meadow full of animals.
void animalScenery(QPainter& p) {
    sunnyDay(p, QColor(0x52, 0xb8, 0xf0), QColor(0xe6, 0xf7, 0xff));
    const struct {
        QRectF box;
        const char* emoji;
    } animals[] = {
        {{20, 520, 90, 90}, "🦒"}, {{120, 560, 70, 70}, "🐘"},    {{700, 540, 80, 80}, "🦓"},
        {{790, 520, 90, 90}, "🐼"},   {{320, 590, 60, 60}, "🐰"},    {{520, 592, 58, 58}, "🐥"},
        {{28, 240, 70, 70}, "🐒"},    {{808, 230, 70, 70}, "🦜"}, {{690, 150, 54, 54}, "🦋"}};
    for (const auto& a : animals)
        drawEmoji(p, a.box, QString::fromUtf8(a.emoji));
}

// ---- The menus -------------------------------------------------------------------

// A picture as a JPEG bitmap (with its alpha plane) on a rectangle with `anchor` at the
// origin: a third of the lossless size for these soft, colourful pictures.

std::vector<MenuMovie> menus() {
    const QColor red(0xf0, 0x3c, 0x5a), orange(0xff, 0x8a, 0x1f), yellow(0xf5, 0xb3, 0x00),
        green(0x2f, 0xb8, 0x4a), teal(0x12, 0xb0, 0xc0), blue(0x2e, 0x8c, 0xf0),
        violet(0x9b, 0x55, 0xf0), pink(0xf5, 0x4f, 0xa8), brown(0xc0, 0x74, 0x30);
    std::vector<MenuMovie> m;
    m.push_back({"wzsx",
                 QStringLiteral("玩转数学"),
                 {150, 140},
                 5,
                 mathsScenery,
                 menus::wzsx::kButtons,
                 {{menus::wzsx::kNumbers, red, letters("123")},
                  {menus::wzsx::kShapes, orange, shapesArt()},
                  {menus::wzsx::kCounting, green, emojis({"🍎", "🍎", "🍎"})},
                  {menus::wzsx::kCompare, teal, emojis({"⚖️"})},
                  {menus::wzsx::kPatterns, blue, patternArt()},
                  {menus::wzsx::kAddSubtract, pink, letters("+−")},
                  {menus::wzsx::kMultiplyDivide, violet, letters("×÷")},
                  {menus::wzsx::kRhymeTable, brown, letters("九九")},
                  {menus::wzsx::kGames, yellow, emojis({"🎲"})},
                  {menus::wzsx::kLessons, blue, emojis({"📺"})},
                  {menus::wzsx::kQuiz, green, emojis({"📝"})},
                  {menus::wzsx::kGuess, orange, emojis({"🤔"})},
                  {menus::wzsx::kMixed, red, emojis({"🧮"})}}});
    m.push_back({"yygj",
                 QStringLiteral("英语广角"),
                 {180, 165},
                 4,
                 englishScenery,
                 menus::yygj::kButtons,
                 {{menus::yygj::kAbc, red, letters("ABC")},
                  {menus::yygj::kPhonetics, orange, letters("/æ/")},
                  {menus::yygj::kWords, green, emojis({"📚"})},
                  {menus::yygj::kSpeaking, blue, emojis({"💬"})},
                  {menus::yygj::kGames, violet, emojis({"🎮"})},
                  {menus::yygj::kStories, teal, emojis({"📖"})},
                  {menus::yygj::kPairs, pink, emojis({"🃏"})},
                  {menus::yygj::kQuiz, yellow, emojis({"📝"})}}});
    m.push_back({"ywtd",
                 QStringLiteral("语文天地"),
                 {150, 140},
                 5,
                 chineseScenery,
                 menus::ywtd::kButtons,
                 {{menus::ywtd::kPinyin, green, letters("ā ō")},
                  {menus::ywtd::kCharacters, red, gridCharArt(QStringLiteral("字"))},
                  {menus::ywtd::kIdioms, orange, gridCharsArt(QStringLiteral("成语"))},
                  {menus::ywtd::kPoems, brown, emojis({"📜"})},
                  {menus::ywtd::kThreeCharacterClassic, blue, emojis({"📘"})},
                  {menus::ywtd::kDiziGui, teal, emojis({"📕"})},
                  {menus::ywtd::kGames, violet, emojis({"🎯"})},
                  {menus::ywtd::kBrainTeasers, pink, emojis({"🧠"})},
                  {menus::ywtd::kTongueTwisters, orange, emojis({"👅"})},
                  {menus::ywtd::kEncyclopedia, teal, emojis({"🔭"})},
                  {menus::ywtd::kFairyTales, violet, emojis({"🏰"})},
                  {menus::ywtd::kFables, yellow, emojis({"🦊"})},
                  {menus::ywtd::kQuiz, green, emojis({"📝"})}}});
    m.push_back({"yzly",
                 QStringLiteral("益智乐园"),
                 {200, 180},
                 3,
                 puzzleScenery,
                 menus::yzly::kButtons,
                 {{menus::yzly::kSpotDifference, orange, emojis({"🔍"})},
                  {menus::yzly::kGuessNumber, blue, emojis({"🔢"})},
                  {menus::yzly::kJigsaw, green, emojis({"🧩"})},
                  {menus::yzly::kColouring, pink, emojis({"🖍️"})},
                  {menus::yzly::kSorting, teal, emojis({"🗂️"})},
                  {menus::yzly::kMemory, violet, emojis({"🃏"})}}});
    m.push_back({"ktrw",
                 QStringLiteral("看图认物"),
                 {280, 250},
                 2,
                 animalScenery,
                 menus::ktrw::kButtons,
                 {{menus::ktrw::kAnimals, orange, emojis({"🦁", "🐘", "🐼"})},
                  {menus::ktrw::kQuiz, blue, emojis({"📝", "🐶"})}}});
    return m;
}

// Where the buttons go: a grid centred under the title, the last row centred too.
std::vector<QPointF> gridPositions(const MenuMovie& menu) {
    const int n = int(menu.buttons.size());
    const int rows = (n + menu.columns - 1) / menu.columns;
    const qreal gapX = 18, gapY = 22;
    const qreal top = 128, bottom = 640;
    const qreal gridH = rows * menu.card.height() + (rows - 1) * gapY;
    const qreal y0 = top + (bottom - top - gridH) / 2;
    std::vector<QPointF> at;
    for (int i = 0; i < n; ++i) {
        const int row = i / menu.columns, col = i % menu.columns;
        const int inRow = std::min(menu.columns, n - row * menu.columns);
        const qreal rowW = inRow * menu.card.width() + (inRow - 1) * gapX;
        at.emplace_back((kStage.width() - rowW) / 2 + col * (menu.card.width() + gapX),
                        y0 + row * (menu.card.height() + gapY));
    }
    return at;
}

QImage titleImage(const QString& title) {
    QImage img = canvas({440, 100});
    QPainter p(&img);
    prepare(p);
    QPainterPath ribbon;
    ribbon.addRoundedRect(QRectF(20, 14, 400, 76), 38, 38);
    drawSoftShadow(p, ribbon, QColor(0, 0, 0, 70), 6, {0, 4});
    QLinearGradient g(0, 14, 0, 90);
    g.setColorAt(0, QColor(0xff, 0xff, 0xff, 235));
    g.setColorAt(1, QColor(0xff, 0xf2, 0xc8, 235));
    p.fillPath(ribbon, g);
    p.strokePath(ribbon, QPen(QColor(0xff, 0xb3, 0x1f), 4));
    drawLogo(p, QRectF(48, 18, 344, 70), title, kRainbow);
    drawStar(p, {42, 22}, 14, QColor(0xff, 0xd0, 0x1f));
    drawStar(p, {404, 80}, 11, QColor(0xff, 0x6a, 0x8a));
    return img;
}

QImage sparkleImage(const QColor& colour) {
    QImage img = canvas({28, 28});
    QPainter p(&img);
    prepare(p);
    drawSparkle(p, {14, 14}, 13, colour);
    return img;
}

QImage sceneryImage(const MenuMovie& menu) {
    QImage bg = canvas(kStage, Qt::white);
    QPainter p(&bg);
    prepare(p);
    menu.scenery(p);
    return bg;
}

// A menu movie and its first frame as a picture: the program shows the picture until the
// player has drawn the movie.
struct BuiltMenu {
    QByteArray movie;
    QImage firstFrame;
};

BuiltMenu buildMenu(const MenuMovie& menu, const QImage& bg) {
    SwfWriter w(kStage, kRate, 8);
    w.setCompression('C');
    w.setBackgroundColor(QColor(0x9e, 0xd8, 0xff));
    // The first frame is drawn from the pictures as the player decodes them (JPEG losses
    // and all), so that the player's first frame does not differ from it.
    QImage first;
    const int bgShape = w.defineShape(
        SwfShape().rect(QRectF(QPointF(0, 0), QSizeF(kStage)),
                        tools::ShapeFill::bitmap(w.defineJpeg(
                            bg.convertToFormat(QImage::Format_RGB32), kJpegQuality, &first))));
    first = first.convertToFormat(QImage::Format_RGB32);
    QPainter painter(&first);
    // Every picture placed on the first frame is drawn on it too, where the movie puts it.
    const auto drawn = [&painter, &w](const QImage& picture, QPointF at, QPointF anchor = {}) {
        QImage shown;
        const int shape = w.defineJpegShape(picture, kJpegQuality, anchor, &shown);
        painter.drawImage(at, shown);
        return shape;
    };
    tools::SwfTimeline& root = w.root();
    int depth = 1;
    root.place(0, depth++, bgShape);

    // The title with a sparkle on either side, all still: a menu that does not move costs
    // nothing to show while the child chooses.
    const QImage title = titleImage(menu.title);
    const QPointF titleAt(kStage.width() / 2.0, 62);
    const QPointF titleAnchor(title.width() / 2.0, title.height() / 2.0);
    const int titleShape = drawn(title, titleAt - titleAnchor, titleAnchor);
    root.place(0, depth++, titleShape, QTransform::fromTranslate(titleAt.x(), titleAt.y()));
    const QColor sparkleColours[] = {QColor(0xff, 0xf0, 0x80), QColor(255, 255, 255)};
    for (int i = 0; i < 2; ++i) {
        const QPointF at(i == 0 ? 210 : 690, i == 0 ? 40 : 86);
        const int shape =
            drawn(sparkleImage(sparkleColours[i]), at - QPointF(14, 14), QPointF(14, 14));
        root.place(0, depth++, shape, QTransform::fromTranslate(at.x(), at.y()));
    }

    // One button per command: its three looks as JPEG pictures.
    QPointF buttonAt;
    const auto commandButton = [&w, &drawn, &buttonAt](const std::function<QImage(State)>& look,
                                                       const QString& command) {
        const int up = drawn(look(State::Rest), buttonAt);
        const int over = w.defineJpegShape(look(State::Hover), kJpegQuality);
        const int pressed = w.defineJpegShape(look(State::Pressed), kJpegQuality);
        return w.defineCommandButton(up, over, pressed, 0, command);
    };
    const std::vector<QPointF> at = gridPositions(menu);
    for (size_t i = 0; i < menu.buttons.size(); ++i) {
        const menus::Button& b = menu.buttons[i];
        const ButtonLook& look = lookOf(menu, b);
        const CardStyle card{menu.card, look.colour, QString::fromUtf8(b.label), look.art,
                             menu.card.width() >= 200 ? 34.0 : 26.0};
        buttonAt = at[i];
        root.place(0, depth++,
                   commandButton([&](State s) { return cardButton(card, s); },
                                 QString::fromUtf8(b.command)),
                   QTransform::fromTranslate(at[i].x(), at[i].y()));
    }

    // Back to the main window.
    const QSize exitSize(132, 54);
    const QColor exitColour(0xf0, 0x3c, 0x3c);
    buttonAt = QPointF(kStage.width() - exitSize.width() - 18, 18);
    root.place(0, depth++,
               commandButton(
                   [&](State s) {
                       return pillButton(exitSize, exitColour, QStringLiteral("返回"), s, 26);
                   },
                   QString::fromUtf8(menus::kExit)),
               QTransform::fromTranslate(kStage.width() - exitSize.width() - 18, 18));
    root.stop(0);
    painter.end();
    return {w.finish(), first};
}

void makeMenus(Output& out) {
    // Each menu draws a hundred pictures: one thread per menu. The emoji are drawn into
    // the cache first, so that the threads do not draw the same ones side by side.
    const std::vector<MenuMovie> menuList = menus();
    for (const MenuMovie& menu : menuList)
        checkLooks(menu);
    std::vector<QImage> sceneries;
    for (const MenuMovie& menu : menuList)
        sceneries.push_back(sceneryImage(menu));
    for (const QString& e : buttonEmoji())
        emojiImage(e);
    std::vector<BuiltMenu> movies(menuList.size());
    std::vector<std::string> errors(menuList.size());
    std::vector<std::thread> threads;
    for (size_t i = 0; i < menuList.size(); ++i)
        threads.emplace_back([&, i] {
            try {
                movies[i] = buildMenu(menuList[i], sceneries[i]);
            } catch (const std::exception& e) {
                errors[i] = e.what();
            }
        });
    for (std::thread& t : threads)
        t.join();
    for (size_t i = 0; i < menuList.size(); ++i) {
        if (!errors[i].empty())
            throw std::runtime_error(errors[i]);
        out.writeResource(QStringLiteral("flash/") + menuList[i].name, movies[i].movie);
        out.writeResource(QStringLiteral("flash/") + menuList[i].name + QStringLiteral(".first"),
                          png(movies[i].firstFrame));
    }
}

const RegisterStep step{"menus", &makeMenus};

} // namespace
} // namespace gendata

// The lesson player's data: the twelve lesson lists (program resources "kjxx/<prefix>.txt",
// copied from content/lessons), the twelve content packs "Data/kjfile/<prefix>.dat" with one
// short lesson movie per title, and the player's own pictures.
//
// A lesson movie: the category's ribbon, a little opening (a spinning star and a filling
// bar) up to the lesson's start frame, then the title springing up, a picture gliding in
// and twinkling stars while the title is spoken; it stops on its last frame. A game of
// "sxyx" with a start frame waits there behind a start button until the child presses it.
#include "tools/gendata/Generator.h"
#include "tools/gendata/Speech.h"
#include "tools/lib/ArtKit.h"
#include "tools/lib/PackWriter.h"
#include "tools/lib/SwfWriter.h"

#include <QCryptographicHash>
#include <QFile>
#include <QPainter>
#include <QtMath>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <stdexcept>
#include <thread>

namespace gendata {
namespace {

using namespace tools::art;
using tools::Pose;
using tools::ShapeFill;
using tools::ShapeLine;
using tools::SwfShape;
using tools::SwfWriter;

constexpr QSize kStage(700, 580);
constexpr qreal kRate = 12;
constexpr int kLessonFrames = 48; // four seconds after the start frame

struct Category {
    const char* prefix;
    const char* name;
    QColor colour;
    QStringList pictures; // emoji, one per lesson in turn
    bool english;         // speak the English in the title's brackets
};

const std::vector<Category>& categories() {
    static const std::vector<Category> c = {
        {"sxyx", "数学游戏", QColor(0xff, 0x8a, 0x1f), {"🍎", "🐝", "🍓", "🐸", "🎈", "🍌"}, false},
        {"sxkj", "数学课件", QColor(0xf0, 0x3c, 0x5a), {"🔢", "🧮", "📐", "⏰", "🍊", "🐤"}, false},
        {"Eng_Listen",
         "开心说英语",
         QColor(0x2e, 0x8c, 0xf0),
         {"👋", "😀", "🐱", "🌞", "🎂", "🚌"},
         true},
        {"EStory", "英语故事", QColor(0x12, 0xb0, 0xc0), {"📖", "🐻", "🐰", "🌙", "🐟", "🦁"}, true},
        {"EGame", "快乐游戏", QColor(0x9b, 0x55, 0xf0), {"🎮", "🎈", "🍉", "🐶", "🚀", "🎨"}, true},
        {"xpy", "学拼音", QColor(0x2f, 0xb8, 0x4a), {"🐥", "🦆", "🐸", "🌻", "🐢", "🐟"}, false},
        {"gushi",
         "学古诗",
         QColor(0xc0, 0x74, 0x30),
         {"🌙", "🌸", "🏔️", "🌊", "🍃", "🦢"},
         false},
        {"CStory", "寓言故事", QColor(0xff, 0x6a, 0x3d), {"🦊", "🐰", "🐢", "🐴", "🐸", "🐭"}, false},
        {"YWYX",
         "趣味游戏",
         QColor(0xf5, 0x4f, 0xa8),
         {"🎯", "🧩", "✏️", "🎲", "🌈", "⭐"},
         false},
        {"dzg", "弟子规", QColor(0xd8, 0x3a, 0x2e), {"📕", "🏮", "🎋", "🍵", "🙇", "🌺"}, false},
        {"baike", "百科知识", QColor(0x14, 0x9c, 0xd8), {"🔭", "🌍", "🌈", "🦕", "🐝", "🚀"}, false},
        {"Tonghua",
         "童话故事",
         QColor(0x8a, 0x4c, 0xe0),
         {"🏰", "🧚", "🦢", "🐸", "👑", "🍄"},
         false},
    };
    return c;
}

struct Lesson {
    QString title;
    int startFrame = 0;
};

std::vector<Lesson> parseLessons(const QString& text) {
    std::vector<Lesson> out;
    for (const QString& raw : text.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList parts = line.split(QLatin1Char('\t'));
        out.push_back({parts.first().trimmed(), parts.size() > 1 ? parts.at(1).toInt() : 0});
    }
    return out;
}

// ---- Speech ----------------------------------------------------------------------

// What the lesson says: the English in the brackets for the English lessons, else the title.
std::pair<Voice, QString> speechOf(const Category& c, const QString& title) {
    const qsizetype open = title.indexOf(QStringLiteral("（"));
    const qsizetype close = title.lastIndexOf(QStringLiteral("）"));
    if (c.english && open >= 0 && close > open)
        return {Voice::English, title.mid(open + 1, close - open - 1)};
    return {Voice::Mandarin, title};
}

// ---- Pictures inside the movies --------------------------------------------------

// Text as outlines: crisp at any size (the player goes full screen) and a fraction of
// a bitmap's bytes. The ink is centred on `centre`.
SwfShape& addText(SwfShape& shape, const QString& text, const QFont& font, QPointF centre,
                  const QColor& fill, const QColor& outline, qreal outlineWidth) {
    QPainterPath path = textPath(text, font);
    path.translate(centre);
    return shape.add(path, ShapeFill::solid(fill), ShapeLine{outlineWidth, outline});
}

// The category's name and the lesson number on a ribbon, origin at its top left.
SwfShape ribbonShape(const Category& c, int number) {
    SwfShape s;
    s.roundedRect(QRectF(3, 3, 244, 40), 20, ShapeFill::solid(c.colour), ShapeLine{3, Qt::white});
    const QString text = QString::fromUtf8(c.name) + QStringLiteral(" · 第%1课").arg(number);
    addText(s, text, fitFont(cjkFont(22, QFont::Black), text, 220), {125, 23}, Qt::white,
            shade(c.colour, -0.45), 1.2);
    return s;
}

// The title in big letters, centred on the origin, over its own soft shadow; what
// stands in brackets goes on a second, smaller line. Returns {letters, shadow}.
std::pair<SwfShape, SwfShape> titleShapes(const Category& c, const QString& title) {
    QString main = title, sub;
    const qsizetype open = title.indexOf(QStringLiteral("（"));
    if (open > 0) {
        main = title.left(open);
        sub = title.mid(open);
    }
    const QFont mainFont = fitFont(cjkFont(64, QFont::Black), main, 530);
    const QFont subFont = fitFont(cjkFont(38, QFont::Black), sub, 540);
    const QPointF mainAt(0, sub.isEmpty() ? 0.0 : -28.0), subAt(0, 44);
    const QColor shadow(0, 0, 0, 45);
    SwfShape letters, under;
    addText(letters, main, mainFont, mainAt, shade(c.colour, -0.08), shade(c.colour, -0.5), 2);
    addText(under, main, mainFont, mainAt, shadow, shadow, 6);
    if (!sub.isEmpty()) {
        addText(letters, sub, subFont, subAt, QColor(0x3a, 0x46, 0x6e), QColor(0x1e, 0x24, 0x40),
                1.2);
        addText(under, sub, subFont, subAt, shadow, shadow, 5);
    }
    return {letters, under};
}

QPainterPath starPath(qreal outer, qreal inner) {
    QPolygonF pts;
    for (int i = 0; i < 10; ++i) {
        const qreal a = qDegreesToRadians(-90 + i * 36.0);
        const qreal r = i % 2 ? inner : outer;
        pts << QPointF(r * std::cos(a), r * std::sin(a));
    }
    QPainterPath path;
    path.addPolygon(pts);
    path.closeSubpath();
    return path;
}

// A looping sprite: `character` going from `a` to `b` and back in `frames`, starting
// `phase` frames into the loop.
int loopSprite(SwfWriter& w, int character, int frames, const Pose& a, const Pose& b,
               int phase = 0) {
    tools::SwfTimeline t = w.newTimeline();
    for (int f = 0; f < frames; ++f) {
        const int k = (f + phase) % frames;
        const qreal x = 0.5 - 0.5 * std::cos(2 * M_PI * k / frames);
        t.place(f, 1, character, Pose::interpolate(a, b, x));
    }
    return w.defineSprite(t);
}

// ---- One lesson movie ------------------------------------------------------------

QByteArray lessonMovie(const Category& c, int number, const Lesson& lesson, const QByteArray& mp3,
                       const QImage& picture) {
    const int start = std::max(0, lesson.startFrame);
    const bool waits = start > 0 && QLatin1String(c.prefix) == QLatin1String("sxyx");
    const int total = start + kLessonFrames + (waits ? 1 : 0);
    SwfWriter w(kStage, kRate, 8);
    w.setCompression('C');
    const QColor light = mix(c.colour, Qt::white, 0.8);
    w.setBackgroundColor(light);
    tools::SwfTimeline& root = w.root();
    root.ensureFrames(total);

    // The scenery: sky, sun, meadow and the board the lesson is shown on.
    SwfShape scene;
    scene.ellipse(QRectF(590, -50, 150, 150), ShapeFill::solid(QColor(0xff, 0xd8, 0x3a)));
    QPainterPath hills;
    hills.moveTo(0, 500);
    hills.quadTo(180, 440, 360, 490);
    hills.quadTo(540, 540, 700, 470);
    hills.lineTo(700, 580);
    hills.lineTo(0, 580);
    hills.closeSubpath();
    scene.add(hills, ShapeFill::solid(QColor(0x7c, 0xcf, 0x5a)));
    scene.roundedRect(QRectF(50, 80, 600, 330), 36, ShapeFill::solid(QColor(0xff, 0xfd, 0xf6)),
                      ShapeLine{7, c.colour});
    int depth = 1;
    root.place(0, depth++, w.defineShape(scene));
    root.place(0, depth++, w.defineShape(ribbonShape(c, number)),
               QTransform::fromTranslate(20, 18));

    const int star =
        w.defineShape(SwfShape().add(starPath(22, 10), ShapeFill::solid(QColor(0xff, 0xd0, 0x1f)),
                                     ShapeLine{2.5, QColor(0xf0, 0x8a, 0x00)}));

    // The opening, up to the start frame: a spinning star and a bar filling up.
    if (start > 0) {
        const int spinner = depth++, barBack = depth++, bar = depth++;
        root.place(0, spinner,
                   loopSprite(w, star, 24, Pose::at({}, 2.4, 1, 0), Pose::at({}, 2.9, 1, 180)),
                   QTransform::fromTranslate(350, 220));
        root.place(0, barBack,
                   w.defineShape(SwfShape().roundedRect(QRectF(0, 0, 400, 26), 13,
                                                        ShapeFill::solid(QColor(0xee, 0xee, 0xee)),
                                                        ShapeLine{3, c.colour})),
                   QTransform::fromTranslate(150, 330));
        const int fill = w.defineShape(
            SwfShape().roundedRect(QRectF(0, 0, 400, 26), 13, ShapeFill::solid(c.colour)));
        for (int f = 0; f < start; ++f) {
            Pose p = Pose::at({150, 330});
            p.scaleX = std::max(0.07, start > 1 ? qreal(f) / (start - 1) : 1.0);
            root.place(f, bar, fill, p);
        }
        root.remove(start, spinner);
        root.remove(start, barBack);
        root.remove(start, bar);
    }

    // The lesson.
    const auto [letters, shadow] = titleShapes(c, lesson.title);
    tools::SwfTimeline titleLayers = w.newTimeline();
    titleLayers.place(0, 1, w.defineShape(shadow), QTransform::fromTranslate(2, 4));
    titleLayers.place(0, 2, w.defineShape(letters));
    const int title = w.defineSprite(titleLayers);
    const int titleDepth = depth++;
    const QPointF titleAt(350, 200);
    int lessonStart = start;
    if (waits) {
        // The game waits here until the child presses its start button.
        root.place(start, titleDepth, title, Pose::at(titleAt));
        const auto face = [&](const QColor& colour) {
            SwfShape s;
            s.roundedRect(QRectF(-95, -30, 190, 60), 30, ShapeFill::solid(colour),
                          ShapeLine{4, Qt::white});
            addText(s, QStringLiteral("开始游戏"), cjkFont(28, QFont::Black), {}, Qt::white,
                    QColor(0x1e, 0x6e, 0x2a), 1.4);
            return w.defineShape(s);
        };
        tools::Button button;
        const int up = face(QColor(0x3c, 0xc4, 0x53)), over = face(QColor(0x5c, 0xe0, 0x70)),
                  down = face(QColor(0x2a, 0x96, 0x3c));
        button.records = {{up, true, false, false, true, 1, {}},
                          {over, false, true, false, false, 2, {}},
                          {down, false, false, true, false, 3, {}}};
        button.releaseActions = w.actionBuilder().play().bytes();
        const int startDepth = depth++;
        root.place(start, startDepth, w.defineButton(button), QTransform::fromTranslate(350, 350));
        root.remove(start + 1, startDepth);
        root.stop(start);
        lessonStart = start + 1;
    } else {
        const Pose small = Pose::at(titleAt, 0.2, 0.2), big = Pose::at(titleAt, 1.1),
                   rest = Pose::at(titleAt);
        root.tween(titleDepth, title, lessonStart, 7, small, big);
        root.tween(titleDepth, title, lessonStart + 7, 3, big, rest);
    }
    root.startSound(start, w.defineSound(mp3));

    // A picture glides in and bobs on the meadow, stars twinkle around the board.
    const int pictureShape =
        w.defineJpegShape(picture, 75, QPointF(picture.width() / 2.0, picture.height() / 2.0));
    const int pictureDepth = depth++;
    const int glide = lessonStart + 3;
    root.tween(pictureDepth, pictureShape, glide, 10, Pose::at({-80, 480}, 0.8, 1, -20),
               Pose::at({350, 470}));
    root.place(glide + 10, pictureDepth,
               loopSprite(w, pictureShape, 12, Pose::at({}), Pose::at({0, -12})),
               QTransform::fromTranslate(350, 470));
    const QPointF starsAt[] = {{90, 110}, {612, 120}, {120, 380}, {590, 390}};
    for (int i = 0; i < 4; ++i)
        root.place(
            lessonStart, depth++,
            loopSprite(w, star, 16, Pose::at({}, 0.5, 1, 0), Pose::at({}, 1.1, 1, 72), i * 4),
            QTransform::fromTranslate(starsAt[i].x(), starsAt[i].y()));
    root.stop(total - 1);
    return w.finish();
}

// ---- Packs -----------------------------------------------------------------------

QString sha1(const QByteArray& bytes) {
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex());
}

QByteArray buildPack(Output& out, const Category& c, const std::vector<Lesson>& lessons) {
    std::vector<QImage> pictures;
    for (const QString& e : c.pictures) {
        QImage pic = canvas({84, 84});
        {
            QPainter p(&pic);
            prepare(p);
            drawEmoji(p, QRectF(0, 0, 84, 84), e);
        }
        pictures.push_back(pic);
    }
    tools::PackWriter pack;
    for (size_t i = 0; i < lessons.size(); ++i) {
        const int number = int(i) + 1;
        const auto [voice, text] = speechOf(c, lessons[i].title);
        const QByteArray mp3 = speak(out, text, voice);
        pack.add(QString::fromLatin1(c.prefix) + QString::number(number), QStringLiteral("Flash"),
                 lessonMovie(c, number, lessons[i], mp3, pictures[i % pictures.size()]));
    }
    return pack.build();
}

void makeLessons(Output& out) {
    struct Job {
        const Category* category;
        QByteArray list;
        QByteArray pack;
        std::string error;
    };
    std::vector<Job> jobs;
    for (const Category& c : categories())
        jobs.push_back({&c,
                        out.content(QStringLiteral("lessons/") + c.prefix + QStringLiteral(".txt")),
                        {},
                        {}});

    // A pack is made again only when its list or this step changed; the packs are made
    // side by side, as each one speaks and draws for every lesson.
    std::atomic<size_t> next{0};
    const auto work = [&] {
        for (size_t i; (i = next++) < jobs.size();) {
            Job& job = jobs[i];
            try {
                const std::vector<Lesson> lessons = parseLessons(QString::fromUtf8(job.list));
                job.pack = out.cached(QStringLiteral("lesson-pack-v7|") + job.category->prefix +
                                          QLatin1Char('|') + sha1(job.list),
                                      [&] { return buildPack(out, *job.category, lessons); });
            } catch (const std::exception& e) {
                job.error = e.what();
            }
        }
    };
    // The emoji are drawn into the cache first, so that the threads do not draw the same
    // ones side by side.
    for (const Category& c : categories())
        for (const QString& e : c.pictures)
            emojiImage(e);
    std::vector<std::thread> threads;
    const unsigned n = std::clamp(std::thread::hardware_concurrency(), 1u, 6u);
    for (unsigned t = 0; t < n; ++t)
        threads.emplace_back(work);
    for (std::thread& t : threads)
        t.join();
    for (const Job& job : jobs) {
        if (!job.error.empty())
            throw std::runtime_error(job.error);
        const QString prefix = QString::fromLatin1(job.category->prefix);
        out.writeResource(QStringLiteral("kjxx/") + prefix + QStringLiteral(".txt"), job.list);
        out.writeData(QStringLiteral("Data/kjfile/") + prefix + QStringLiteral(".dat"), job.pack);
    }
}

const RegisterStep lessonsStep{"lessons", &makeLessons};

// ---- The player's pictures -------------------------------------------------------

// A banner with the category's picture and name.
QImage categoryBanner(const Category& c) {
    QImage img = canvas({330, 68});
    QPainter p(&img);
    prepare(p);
    QPainterPath band;
    band.addRoundedRect(QRectF(2, 4, 326, 60), 30, 30);
    QLinearGradient g(0, 4, 0, 64);
    g.setColorAt(0, shade(c.colour, 0.25));
    g.setColorAt(1, shade(c.colour, -0.12));
    drawSoftShadow(p, band, QColor(255, 255, 255, 60), 4);
    p.fillPath(band, g);
    p.strokePath(band, QPen(QColor(255, 255, 255, 230), 3));
    drawEmoji(p, QRectF(14, 8, 52, 52), c.pictures.first());
    TextStyle t;
    t.font = fitFont(cjkFont(36, QFont::Black), QString::fromUtf8(c.name), 240);
    t.outline = shade(c.colour, -0.5);
    t.outlineWidth = 4;
    t.shadow = QColor(0, 0, 0, 90);
    drawText(p, QRectF(72, 4, 250, 60), QString::fromUtf8(c.name), t);
    drawSparkle(p, {306, 18}, 7, QColor(255, 255, 255, 230));
    return img;
}

// A chunky button of the player: a picture above its label; hover is brighter and
// glows, pressed is darker and sunk in.
QImage playerButton(QSize size, const QColor& colour, const QString& emoji, const QString& label,
                    State state) {
    QImage img = canvas(size);
    QPainter p(&img);
    prepare(p);
    const qreal sink = state == State::Pressed ? 3 : 0;
    const QRectF face(4, 3 + sink, size.width() - 8, size.height() - 11);
    QPainterPath path;
    path.addRoundedRect(face, 16, 16);
    const QColor c = state == State::Hover     ? shade(colour, 0.18)
                     : state == State::Pressed ? shade(colour, -0.15)
                                               : colour;
    if (state != State::Pressed) {
        QPainterPath base;
        base.addRoundedRect(face.translated(0, 4), 16, 16);
        p.fillPath(base, shade(c, -0.45));
    }
    if (state == State::Hover)
        drawGlow(p, path, QColor(255, 255, 255, 170), 3);
    QLinearGradient g(face.topLeft(), face.bottomLeft());
    g.setColorAt(0, shade(c, 0.35));
    g.setColorAt(1, c);
    p.fillPath(path, g);
    p.strokePath(path, QPen(QColor(255, 255, 255, 220), 2.5));
    drawEmoji(p, QRectF(face.center().x() - 15, face.top() + 4, 30, 30), emoji);
    TextStyle t;
    t.font = cjkFont(15, QFont::Black);
    t.outline = shade(c, -0.5);
    t.outlineWidth = 2.5;
    drawText(p, QRectF(face.left(), face.bottom() - 23, face.width(), 19), label, t);
    return img;
}

// The title image names of the player, in the order of categories().
const char* const kBannerNames[] = {"imgkjxx",    "imgsxkj", "imgrcyy",     "imgyygs",
                                    "imgyy_Game", "imgxpy",  "imgxts",      "imgyuyan",
                                    "imgywyx",    "imgdzg",  "imgYW_baike", "imgyw_Tonghua"};

void makePlayerArt(Output& out) {
    for (size_t i = 0; i < categories().size(); ++i)
        out.writeResource(QStringLiteral("kjxx/") + kBannerNames[i] + QStringLiteral(".png"),
                          png(categoryBanner(categories()[i])));
    const struct {
        const char* name;
        const char* label;
        const char* emoji;
        QColor colour;
    } buttons[] = {{"imgback", "上一个", "⏮️", QColor(0x2e, 0x8c, 0xf0)},
                   {"imgnext", "下一个", "⏭️", QColor(0x2e, 0x8c, 0xf0)},
                   {"imgplay", "重播", "🔁", QColor(0x2f, 0xb8, 0x4a)},
                   {"imgexit", "返回", "🏠", QColor(0xf0, 0x3c, 0x3c)}};
    for (const auto& b : buttons) {
        const QString base = QStringLiteral("kjxx/") + b.name;
        const auto draw = [&b](State st) {
            return playerButton({78, 70}, b.colour, QString::fromUtf8(b.emoji),
                                QString::fromUtf8(b.label), st);
        };
        out.writeResource(base + QStringLiteral(".png"), png(draw(State::Rest)));
        out.writeResource(base + QStringLiteral("1.png"), png(draw(State::Hover)));
        out.writeResource(base + QStringLiteral("2.png"), png(draw(State::Pressed)));
    }
    const QColor prac(0xff, 0x9a, 0x1f);
    const QString practise = QStringLiteral("练一练");
    out.writeResource(QStringLiteral("kjxx/imgprac.png"),
                      png(pillButton({78, 40}, prac, practise, State::Rest, 16)));
    out.writeResource(QStringLiteral("kjxx/imgprac1.png"),
                      png(pillButton({78, 40}, prac, practise, State::Hover, 16)));
    out.writeResource(QStringLiteral("kjxx/imgprac2.png"),
                      png(pillButton({78, 40}, prac, practise, State::Pressed, 16)));
    out.writeResource(QStringLiteral("kjxx/imgprac3.png"),
                      png(pillButton({78, 40}, shade(prac, -0.2), practise, State::Pressed, 16)));
}

const RegisterStep artStep{"lessonart", &makePlayerArt};

} // namespace
} // namespace gendata

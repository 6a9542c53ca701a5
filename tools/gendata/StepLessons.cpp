// The lesson player's data: the twelve lesson lists (program resources "kjxx/<prefix>.txt",
// copied from content/lessons), the twelve content packs "Data/kjfile/<prefix>.dat" with
// one lesson movie per title (type "Flash") and its start frame as a picture (type "FIRST",
// the same name: the player shows it until the movie has drawn), and the player's own
// pictures.
//
// The n-th title of a list plays the script content/lessons/<prefix>/NNN.txt (n in three
// digits); a title without a script yet gets its title card. A bad script stops the build
// with its file and line. Each movie is cached by its script, title, start frame and the
// version of this step, so a rebuild makes only the lessons that changed.
#include "tools/gendata/Generator.h"
#include "tools/gendata/Speech.h"
#include "tools/lib/ArtKit.h"
#include "tools/lib/LessonMovie.h"
#include "tools/lib/LessonText.h"
#include "tools/lib/PackWriter.h"
#include "tools/lib/Pinyin.h"
#include "tools/lib/Synth.h"
#include "tools/lib/WavWriter.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QPainter>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <map>
#include <memory>
#include <stdexcept>
#include <thread>

namespace gendata {
namespace {

using namespace tools::art;
namespace lesson = tools::lesson;

// Changes with every change of how a movie is made.
constexpr const char* kMovieVersion = "lesson-movie-v10";
// JPEG quality of the start pictures: at 80 they look like the movie at a glance and all
// of them stay under 15 MB.
constexpr int kStartPictureQuality = 80;

struct Category {
    const char* prefix;
    const char* name;
    QColor colour;
    QStringList pictures; // emoji for the title cards of lessons without a script, in turn
    bool english;         // the title card speaks the English in the title's brackets
    bool game;            // waits on its start frame behind a start button
};

const std::vector<Category>& categories() {
    static const std::vector<Category> c = {
        {"sxyx", "数学游戏", QColor(0xff, 0x8a, 0x1f), {"🍎", "🐝", "🍓", "🐸", "🎈", "🍌"}, false, true},
        {"sxkj",
         "数学课件",
         QColor(0xf0, 0x3c, 0x5a),
         {"🔢", "🧮", "📐", "⏰", "🍊", "🐤"},
         false,
         false},
        {"Eng_Listen",
         "开心说英语",
         QColor(0x2e, 0x8c, 0xf0),
         {"👋", "😀", "🐱", "🌞", "🎂", "🚌"},
         true,
         false},
        {"EStory",
         "英语故事",
         QColor(0x12, 0xb0, 0xc0),
         {"📖", "🐻", "🐰", "🌙", "🐟", "🦁"},
         true,
         false},
        {"EGame", "快乐游戏", QColor(0x9b, 0x55, 0xf0), {"🎮", "🎈", "🍉", "🐶", "🚀", "🎨"}, true, true},
        {"xpy",
         "学拼音",
         QColor(0x2f, 0xb8, 0x4a),
         {"🐥", "🦆", "🐸", "🌻", "🐢", "🐟"},
         false,
         false},
        {"gushi",
         "学古诗",
         QColor(0xc0, 0x74, 0x30),
         {"🌙", "🌸", "🏔️", "🌊", "🍃", "🦢"},
         false,
         false},
        {"CStory",
         "寓言故事",
         QColor(0xff, 0x6a, 0x3d),
         {"🦊", "🐰", "🐢", "🐴", "🐸", "🐭"},
         false,
         false},
        {"YWYX",
         "趣味游戏",
         QColor(0xf5, 0x4f, 0xa8),
         {"🎯", "🧩", "✏️", "🎲", "🌈", "⭐"},
         false,
         true},
        {"dzg", "弟子规", QColor(0xd8, 0x3a, 0x2e), {"📕", "🏮", "🎋", "🍵", "🙇", "🌺"}, false, false},
        {"baike",
         "百科知识",
         QColor(0x14, 0x9c, 0xd8),
         {"🔭", "🌍", "🌈", "🦕", "🐝", "🚀"},
         false,
         false},
        {"Tonghua",
         "童话故事",
         QColor(0x8a, 0x4c, 0xe0),
         {"🏰", "🧚", "🦢", "🐸", "👑", "🍄"},
         false,
         false},
    };
    return c;
}

struct Title {
    QString title;
    int startFrame = 0;
};

std::vector<Title> parseList(const QString& text) {
    std::vector<Title> out;
    for (const QString& raw : text.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList parts = line.split(QLatin1Char('\t'));
        out.push_back({parts.first().trimmed(), parts.size() > 1 ? parts.at(1).toInt() : 0});
    }
    return out;
}

// What a title card says: the English in the brackets for the English lessons, else the title.
std::pair<bool, QString> spokenTitle(const Category& c, const QString& title) {
    const qsizetype open = title.indexOf(QStringLiteral("（"));
    const qsizetype close = title.lastIndexOf(QStringLiteral("）"));
    if (c.english && open >= 0 && close > open)
        return {true, title.mid(open + 1, close - open - 1)};
    return {false, title};
}

QString sha1(const QByteArray& bytes) {
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex());
}

// ---- Sounds ----------------------------------------------------------------------

std::vector<tools::Note> chimeNotes(lesson::Chime c, tools::Timbre& timbre, double& seconds) {
    switch (c) {
    case lesson::Chime::Right: // a quick rising arpeggio
        timbre = tools::Timbre::Marimba;
        seconds = 0.8;
        return {
            {0.0, 0.3, 84, 0.7}, {0.07, 0.3, 88, 0.7}, {0.14, 0.3, 91, 0.7}, {0.21, 0.5, 96, 0.8}};
    case lesson::Chime::Wrong: // two soft falling notes
        timbre = tools::Timbre::Bell;
        seconds = 0.8;
        return {{0.0, 0.35, 76, 0.5}, {0.2, 0.5, 72, 0.5}};
    case lesson::Chime::Finish: // a little fanfare ending on a chord
        timbre = tools::Timbre::Bell;
        seconds = 1.9;
        return {{0.0, 0.2, 72, 0.6},  {0.13, 0.2, 76, 0.6}, {0.26, 0.2, 79, 0.6},
                {0.39, 1.3, 84, 0.7}, {0.39, 1.3, 88, 0.5}, {0.39, 1.3, 91, 0.5}};
    }
    return {};
}

QByteArray chimeMp3(Output& out, lesson::Chime c) {
    return out.cached(QStringLiteral("lesson-chime-v1|%1").arg(int(c)), [&] {
        tools::Timbre timbre = tools::Timbre::Bell;
        double seconds = 1;
        const std::vector<tools::Note> notes = chimeNotes(c, timbre, seconds);
        std::vector<float> mono =
            tools::Synth::toMono(tools::Synth(22050).render(notes, timbre, seconds, false));
        tools::Synth::normalize(mono, 0.8f);
        const QString base = out.tempDir() + QStringLiteral("/chime%1").arg(int(c));
        QFile wav(base + QStringLiteral(".wav"));
        if (!wav.open(QIODevice::WriteOnly) || wav.write(tools::makeWav(mono, 22050, 1)) < 0)
            throw std::runtime_error("cannot write " + wav.fileName().toStdString());
        wav.close();
        Output::run(QStringLiteral("lame"),
                    {QStringLiteral("--quiet"), QStringLiteral("-m"), QStringLiteral("m"),
                     QStringLiteral("-b"), QStringLiteral("32"), wav.fileName(),
                     base + QStringLiteral(".mp3")});
        QFile mp3(base + QStringLiteral(".mp3"));
        if (!mp3.open(QIODevice::ReadOnly))
            throw std::runtime_error("lame wrote nothing for a chime");
        QByteArray bytes = mp3.readAll();
        mp3.remove();
        wav.remove();
        return bytes;
    });
}

// ---- Lessons ---------------------------------------------------------------------

struct Job {
    const Category* category;
    int number;
    Title title;
    QByteArray source; // the script; empty when there is none yet
    std::unique_ptr<lesson::Script> script;
    QByteArray movie;
    QByteArray startPicture;
    std::string error;
};

// Every emoji a script shows, drawn once before the threads start.
void drawEmojiOf(const lesson::Script& s) {
    const auto text = [](const QString& t) {
        for (const QString& g : lesson::graphemes(t))
            if (lesson::isPictograph(g))
                emojiImage(g);
    };
    for (const lesson::Scene& scene : s.scenes) {
        for (const QString& e : scene.pictures)
            emojiImage(e);
        for (const lesson::Line& l : scene.lines) {
            text(l.text);
            text(l.second);
            if (!l.emoji.isEmpty())
                emojiImage(l.emoji);
            for (const lesson::Group& g : l.groups)
                emojiImage(g.emoji);
        }
        if (scene.question) {
            for (const QString& e : scene.question->pictures)
                emojiImage(e);
            text(scene.question->text);
            for (const QString& a : scene.question->answers)
                text(a);
        }
    }
}

lesson::Look lookOf(const Job& job) {
    const Category& c = *job.category;
    const auto [english, spoken] = spokenTitle(c, job.title.title);
    lesson::Look look;
    look.category = QString::fromUtf8(c.name);
    look.colour = c.colour;
    look.number = job.number;
    look.title = job.title.title;
    look.spokenTitle = spoken;
    look.englishTitle = english;
    look.picture = c.pictures[(job.number - 1) % c.pictures.size()];
    look.startFrame = job.title.startFrame;
    look.waitsForStart = c.game;
    return look;
}

// The drawings of our own that a script places like emoji ("@hermitcrab"): they change
// with the code, not with the script, so the movie's key holds what they look like.
QString drawingsLook(const Job& job) {
    if (!job.script)
        return {};
    QByteArray drawn;
    for (const lesson::Scene& s : job.script->scenes)
        for (const QString& picture : s.pictures)
            if (picture.startsWith(QLatin1Char('@'))) {
                const QImage img = emojiImage(picture);
                drawn += picture.toUtf8();
                drawn.append(reinterpret_cast<const char*>(img.constBits()), img.sizeInBytes());
            }
    return drawn.isEmpty() ? QString() : QLatin1Char('|') + sha1(drawn);
}

QString cacheKey(const Job& job, Output& out) {
    const Category& c = *job.category;
    return QStringLiteral("%1|%2|%3|%4|%5|%6|")
               .arg(QLatin1String(kMovieVersion), QLatin1String(c.prefix))
               .arg(job.number)
               .arg(job.title.startFrame)
               .arg(sha1(job.source) + drawingsLook(job), readingsVersion(out)) +
           job.title.title;
}

QByteArray makeMovie(Output& out, const Job& job, const lesson::Media& media) {
    const Category& c = *job.category;
    const lesson::Look look = lookOf(job);
    const QString key = cacheKey(job, out);
    // Each spoken line is noted with the script line it comes from.
    const QString file =
        job.script ? job.script->fileName : QStringLiteral("content/lessons/%1.txt").arg(c.prefix);
    SpokenAt at(file);
    lesson::Media own = media;
    own.spokenLine = [&at, file](int line) {
        at.moveTo(line > 0 ? QStringLiteral("%1:%2").arg(file).arg(line) : file);
    };
    return out.cached(key, [&] { return lesson::lessonMovie(job.script.get(), look, own); });
}

// The start picture as PNG or as JPEG (with optimised tables), whichever is smaller.
QByteArray makeStartPicture(Output& out, const Job& job) {
    return out.cached(cacheKey(job, out) + QStringLiteral("|start-picture-v2"), [&] {
        const QImage picture = lesson::lessonStartPicture(job.script.get(), lookOf(job));
        QByteArray lossy;
        QBuffer buffer(&lossy);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpeg");
        writer.setQuality(kStartPictureQuality);
        writer.setOptimizedWrite(true);
        if (!writer.write(picture))
            throw std::runtime_error("JPEG encoding is not available");
        const QByteArray lossless = png(picture);
        return lossless.size() <= lossy.size() ? lossless : lossy;
    });
}

double median(std::vector<qsizetype> v) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? double(v[v.size() / 2])
                        : (double(v[v.size() / 2 - 1]) + double(v[v.size() / 2])) / 2;
}

void makeLessons(Output& out) {
    std::vector<Job> jobs;
    std::vector<std::pair<const Category*, QByteArray>> lists;
    for (const Category& c : categories()) {
        const QString prefix = QString::fromLatin1(c.prefix);
        const QByteArray list =
            out.content(QStringLiteral("lessons/") + prefix + QStringLiteral(".txt"));
        lists.push_back({&c, list});
        const std::vector<Title> titles = parseList(QString::fromUtf8(list));
        for (size_t i = 0; i < titles.size(); ++i) {
            const QString relative =
                QStringLiteral("lessons/%1/%2.txt").arg(prefix).arg(i + 1, 3, 10, QLatin1Char('0'));
            Job job{&c, int(i) + 1, titles[i], {}, nullptr, {}, {}, {}};
            if (QFile::exists(out.contentDir() + QLatin1Char('/') + relative)) {
                job.source = out.content(relative);
                job.script = std::make_unique<lesson::Script>(
                    lesson::parseScript(QString::fromUtf8(job.source),
                                        QStringLiteral("content/") + relative, titles[i].title));
                drawEmojiOf(*job.script);
            }
            jobs.push_back(std::move(job));
        }
        // A script that no title of the list plays would be lost without a word.
        const QDir folder(out.contentDir() + QStringLiteral("/lessons/") + prefix);
        for (const QString& name : folder.entryList({QStringLiteral("*.txt")}, QDir::Files)) {
            bool number = false;
            const int n = name.chopped(4).toInt(&number);
            if (!number || name.size() != 7 || n < 1 || n > int(titles.size()))
                throw std::runtime_error(QStringLiteral("content/lessons/%1/%2: no title of %1.txt "
                                                        "has this number (NNN.txt, 001 to %3)")
                                             .arg(prefix, name)
                                             .arg(titles.size(), 3, 10, QLatin1Char('0'))
                                             .toStdString());
        }
        for (const QString& e : c.pictures)
            emojiImage(e);
    }
    for (const char* e : {"🔊", "👆", "🏆", "💡"})
        emojiImage(QString::fromUtf8(e));

    std::map<lesson::Chime, QByteArray> chimes;
    for (const auto c : {lesson::Chime::Right, lesson::Chime::Wrong, lesson::Chime::Finish})
        chimes[c] = chimeMp3(out, c);
    lesson::Media media;
    media.speech = [&out](const QString& text, bool english) {
        return english ? speak(out, text, Voice::English, 135)
                       : speak(out, text, Voice::Mandarin, 170);
    };
    media.chime = [&chimes](lesson::Chime c) { return chimes.at(c); };
    media.pinyinSpeech = [&out](const QString& text, const QString& pinyin) {
        return speak(out, text, Voice::Mandarin, 170, pinyin);
    };
    media.letterSpeech = [&out](const QString& letters, const QString& character) {
        const QString reading = tools::pinyin::letterReading(
            letters, mandarinReading(out, character).section(QLatin1Char(' '), 0, 0));
        return speak(out, character, Voice::Mandarin, 170, reading);
    };

    // The lessons are made side by side: each one speaks and draws for all its lines.
    std::atomic<size_t> next{0};
    const auto work = [&] {
        for (size_t i; (i = next++) < jobs.size();) {
            try {
                jobs[i].movie = makeMovie(out, jobs[i], media);
                jobs[i].startPicture = makeStartPicture(out, jobs[i]);
            } catch (const std::exception& e) {
                jobs[i].error = e.what();
            }
        }
    };
    std::vector<std::thread> threads;
    const unsigned n = std::clamp(std::thread::hardware_concurrency(), 1u, 16u);
    for (unsigned t = 0; t < n; ++t)
        threads.emplace_back(work);
    for (std::thread& t : threads)
        t.join();
    for (const Job& job : jobs)
        if (!job.error.empty())
            throw std::runtime_error(job.error);

    size_t at = 0;
    qsizetype allPictures = 0;
    for (const auto& [c, list] : lists) {
        const QString prefix = QString::fromLatin1(c->prefix);
        tools::PackWriter pack;
        std::vector<qsizetype> sizes;
        qsizetype pictures = 0;
        for (; at < jobs.size() && jobs[at].category == c; ++at) {
            const QString name = prefix + QString::number(jobs[at].number);
            pack.add(name, QStringLiteral("Flash"), jobs[at].movie);
            pack.add(name, QStringLiteral("FIRST"), jobs[at].startPicture);
            sizes.push_back(jobs[at].movie.size());
            pictures += jobs[at].startPicture.size();
        }
        allPictures += pictures;
        const QByteArray bytes = pack.build();
        out.writeResource(QStringLiteral("kjxx/") + prefix + QStringLiteral(".txt"), list);
        out.writeData(QStringLiteral("Data/kjfile/") + prefix + QStringLiteral(".dat"), bytes);
        std::printf("gendata: lessons %-10s %6.1f MB, %3zu movies, median %4.0f KB, largest %4lld "
                    "KB, start pictures %5.1f MB\n",
                    c->prefix, bytes.size() / 1048576.0, sizes.size(), median(sizes) / 1024,
                    static_cast<long long>(
                        sizes.empty() ? 0 : *std::max_element(sizes.begin(), sizes.end()) / 1024),
                    pictures / 1048576.0);
    }
    std::printf("gendata: lessons' start pictures %.1f MB in all\n", allPictures / 1048576.0);
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

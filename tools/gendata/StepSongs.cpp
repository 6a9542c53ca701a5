// The song player's packs: "Data/kjfile/Essong.dat", "CHsong.dat" and "tongyao.dat",
// one movie per song of content/songs/<prefix>.txt (item prefix + number from 1), and
// the player's title lists, program resources "songs/<prefix>.txt".
//
// A song movie: the title springs up while it is spoken over the tune's first phrase;
// then each line of the words shows on a board, spoken on its first beat over its
// phrase of the tune, with the line's picture popping up above it, the next line
// waiting below and a ball hopping along on the beat; at the end the title comes back
// with all the song's pictures, and the movie stops on its last frame.
#include "tools/gendata/Generator.h"
#include "tools/gendata/Speech.h"
#include "tools/lib/ArtKit.h"
#include "tools/lib/PackWriter.h"
#include "tools/lib/SongBook.h"
#include "tools/lib/SongSynth.h"
#include "tools/lib/SwfWriter.h"
#include "tools/lib/WavWriter.h"

#include <QCryptographicHash>
#include <QFile>
#include <QPainter>
#include <QtEndian>
#include <QtMath>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <map>
#include <stdexcept>
#include <thread>

namespace gendata {
namespace {

using namespace tools::art;
using tools::Pose;
using tools::ShapeFill;
using tools::ShapeLine;
using tools::Song;
using tools::SongPlan;
using tools::SwfShape;
using tools::SwfWriter;

constexpr QSize kStage(700, 580);
constexpr int kRate = 22050; // of the mix; the MP3 is made at half of it

struct Theme {
    const char* prefix;
    QColor sky, hills, board, ink;
};

const Theme kThemes[] = {
    {"Essong", QColor(0xbf, 0xe6, 0xff), QColor(0x6c, 0xc8, 0x5a), QColor(0x2e, 0x8c, 0xf0),
     QColor(0x1b, 0x3a, 0x7a)},
    {"CHsong", QColor(0xff, 0xe8, 0xc8), QColor(0x9b, 0xd4, 0x5e), QColor(0xf0, 0x5a, 0x3c),
     QColor(0x8a, 0x22, 0x10)},
    {"tongyao", QColor(0xdc, 0xf6, 0xd0), QColor(0x4f, 0xb8, 0x6a), QColor(0x9b, 0x55, 0xf0),
     QColor(0x4a, 0x1e, 0x86)},
};

// ---- Sound -----------------------------------------------------------------------

// Mono samples of a 16-bit PCM WAV (the rate is espeak-ng's 22050 Hz).
std::vector<float> wavSamples(const QByteArray& wav) {
    std::vector<float> out;
    qsizetype at = 12;
    while (at + 8 <= wav.size()) {
        const quint32 size = qFromLittleEndian<quint32>(wav.constData() + at + 4);
        if (wav.mid(at, 4) == "data") {
            const qsizetype n = std::min<qsizetype>(size, wav.size() - at - 8) / 2;
            out.resize(static_cast<size_t>(n));
            for (qsizetype i = 0; i < n; ++i)
                out[static_cast<size_t>(i)] =
                    qFromLittleEndian<qint16>(wav.constData() + at + 8 + 2 * i) / 32768.0f;
            break;
        }
        at += 8 + size + (size & 1);
    }
    return out;
}

std::atomic<int> tempCounter{0};

QByteArray espeak(Output& out, const QString& voice, int speed, int pitch, const QString& text) {
    const QString key = QStringLiteral("song-speech-v1|%1|%2|%3|").arg(voice).arg(speed).arg(pitch);
    return out.cached(key + text, [&] {
        const QString wav = out.tempDir() + QStringLiteral("/song%1.wav").arg(tempCounter++);
        Output::run(QStringLiteral("espeak-ng"),
                    {QStringLiteral("-v"), voice, QStringLiteral("-s"), QString::number(speed),
                     QStringLiteral("-p"), QString::number(pitch), QStringLiteral("-w"), wav,
                     text});
        QFile f(wav);
        if (!f.open(QIODevice::ReadOnly))
            throw std::runtime_error("espeak-ng wrote nothing for " + text.toStdString());
        QByteArray bytes = f.readAll();
        f.remove();
        return bytes;
    });
}

// The reading the voice sings, noted in the record of what the build spoke.
QString sungReading(Output& out, const QString& text) {
    const MandarinReading reading = readMandarin(out, text);
    noteSpoken(out, text, reading);
    return reading.said;
}

// The words spoken to fit in `seconds`: faster when the usual speed is too slow.
std::vector<float> chant(Output& out, const QString& text, double seconds, int pitch) {
    const bool chinese = tools::isChinese(text);
    const QString voice = chinese ? QStringLiteral("cmn-latn-pinyin") : QStringLiteral("en-us");
    // espeak-ng takes about 76 (Mandarin) or 61 (English) / speed seconds a syllable:
    // the speed is chosen to fit at once, and corrected when the guess was short.
    const double perSyllable = chinese ? 76 : 61;
    int speed = std::clamp(
        static_cast<int>(std::ceil(tools::syllables(text) * perSyllable / seconds / 10)) * 10,
        chinese ? 170 : 150, 330);
    // Mandarin is sung from its reading, as everything else is spoken.
    const QString said = chinese ? sungReading(out, text) : text;
    std::vector<float> s = wavSamples(espeak(out, voice, speed, pitch, said));
    const double took = static_cast<double>(s.size()) / kRate;
    if (took > seconds) {
        speed = std::min(330, static_cast<int>(std::ceil(speed * took / seconds * 1.08 / 10)) * 10);
        s = wavSamples(espeak(out, voice, speed, pitch, said));
    }
    return s;
}

QByteArray toMp3(Output& out, const std::vector<float>& mix) {
    const QString n = QString::number(tempCounter++);
    const QString wav = out.tempDir() + QStringLiteral("/songmix") + n + QStringLiteral(".wav");
    const QString mp3 = out.tempDir() + QStringLiteral("/songmix") + n + QStringLiteral(".mp3");
    QFile f(wav);
    if (!f.open(QIODevice::WriteOnly) || f.write(tools::makeWav(mix, kRate, 1)) < 0)
        throw std::runtime_error("cannot write " + wav.toStdString());
    f.close();
    Output::run(QStringLiteral("lame"),
                {QStringLiteral("--quiet"), QStringLiteral("-q"), QStringLiteral("7"),
                 QStringLiteral("-m"), QStringLiteral("m"), QStringLiteral("--resample"),
                 QStringLiteral("11.025"), QStringLiteral("-b"), QStringLiteral("16"), wav, mp3});
    QFile m(mp3);
    if (!m.open(QIODevice::ReadOnly))
        throw std::runtime_error("lame wrote nothing");
    QByteArray bytes = m.readAll();
    QFile::remove(wav);
    m.remove();
    return bytes;
}

// The music with the title and the words chanted on their beats; `book` names the song
// book in the record of what the build spoke.
std::vector<float> songAudio(Output& out, const QString& book, const Song& song,
                             const SongPlan& plan) {
    const auto lineOf = [&book](int line) {
        return book + QLatin1Char(':') + QString::number(line);
    };
    SpokenAt at(lineOf(song.titleLine));
    std::vector<float> music = tools::renderSong(plan, song.tonic, kRate);
    tools::scaleToPeak(music, 0.32f);
    const double beat = plan.beatSeconds();
    // The voice sits near the tune: higher tunes, higher voice.
    const int pitch = std::clamp(45 + (song.tonic - 60) * 3, 30, 75);
    std::vector<float> title = chant(out, song.title, 5.5 * beat, pitch);
    tools::scaleToPeak(title, 0.85f);
    tools::mixInto(music, title, std::lround(1.0 * beat * kRate), 1.0f);
    std::map<int, std::vector<float>> spoken;
    for (const SongPlan::Slot& slot : plan.verses) {
        auto it = spoken.find(slot.line);
        if (it == spoken.end()) {
            const tools::SongLine& line = song.lines[static_cast<size_t>(slot.line)];
            at.moveTo(lineOf(line.sourceLine));
            std::vector<float> v = chant(out, line.words, 7.2 * beat, pitch);
            tools::scaleToPeak(v, 0.85f);
            it = spoken.emplace(slot.line, std::move(v)).first;
        }
        tools::mixInto(music, it->second, std::lround(slot.beat * beat * kRate), 1.0f);
    }
    tools::scaleToPeak(music, 0.95f);
    return music;
}

// ---- Pictures --------------------------------------------------------------------

SwfShape& addText(SwfShape& shape, const QString& text, const QFont& font, QPointF centre,
                  const QColor& fill, const QColor& outline, qreal outlineWidth) {
    QPainterPath path = textPath(text, font);
    path.translate(centre);
    return shape.add(path, ShapeFill::solid(fill), ShapeLine{outlineWidth, outline});
}

// The font at most as big as `font` whose drawn text is at most `maxWidth` wide; the
// outline of the glyphs is measured, symbols from a fallback font included.
QFont fitInk(QFont font, const QString& text, qreal maxWidth) {
    while (font.pixelSize() > 8 && textPath(text, font).boundingRect().width() > maxWidth)
        font.setPixelSize(font.pixelSize() - 1);
    return font;
}

// A picture of the words: the emoji centred on the origin, or a star when the font
// has no such emoji.
int pictureShape(SwfWriter& w, const QString& emoji) {
    const QImage img = emojiImage(emoji);
    if (img.isNull())
        return w.defineShape(SwfShape().add(starPath(60, 28),
                                            ShapeFill::solid(QColor(0xff, 0xd0, 0x1f)),
                                            ShapeLine{4, QColor(0xf0, 0x8a, 0x00)}));
    return w.defineJpegShape(img, 78, QPointF(img.width() / 2.0, img.height() / 2.0));
}

// A sprite that moves `character` from `a` to `b` and back over `frames`.
int bobSprite(SwfWriter& w, int character, int frames, const Pose& a, const Pose& b) {
    tools::SwfTimeline t = w.newTimeline();
    for (int f = 0; f < frames; ++f)
        t.place(f, 1, character,
                Pose::interpolate(a, b, 0.5 - 0.5 * std::cos(2 * M_PI * f / frames)));
    return w.defineSprite(t);
}

// ---- One song movie --------------------------------------------------------------

QByteArray songMovie(const Theme& theme, const Song& song, const SongPlan& plan,
                     const QByteArray& mp3) {
    const int fpb = plan.framesPerBeat;
    const auto frameOf = [fpb](double beat) { return static_cast<int>(std::lround(beat * fpb)); };
    const int total = frameOf(plan.totalBeats);
    SwfWriter w(kStage, 12, 8);
    w.setCompression('C');
    w.setBackgroundColor(theme.sky);
    tools::SwfTimeline& root = w.root();
    root.ensureFrames(total);

    // Scenery: a sun, drifting clouds and hills.
    SwfShape scene;
    scene.ellipse(QRectF(600, -40, 130, 130), ShapeFill::solid(QColor(0xff, 0xd8, 0x3a)));
    QPainterPath hills;
    hills.moveTo(0, 470);
    hills.quadTo(200, 400, 380, 460);
    hills.quadTo(560, 520, 700, 440);
    hills.lineTo(700, 580);
    hills.lineTo(0, 580);
    hills.closeSubpath();
    scene.add(hills, ShapeFill::solid(theme.hills));
    root.place(0, 1, w.defineShape(scene));
    SwfShape cloudShape;
    for (const QRectF& r : {QRectF(0, 10, 60, 40), QRectF(30, 0, 60, 50), QRectF(70, 12, 50, 38)})
        cloudShape.ellipse(r, ShapeFill::solid(QColor(255, 255, 255, 230)));
    const int cloud = w.defineShape(cloudShape);
    root.tween(2, cloud, 0, total, Pose::at({40, 40}, 1.2), Pose::at({260, 50}, 1.2));
    root.tween(3, cloud, 0, total, Pose::at({420, 110}, 0.8), Pose::at({560, 100}, 0.8));

    // The title, big in the middle for the intro and the ending, small on top between.
    const QFont big = fitFont(cjkFont(68, QFont::Black), song.title, 600);
    SwfShape titleCard;
    const QRectF card(-320, -70, 640, 140);
    titleCard.roundedRect(card, 40, ShapeFill::solid(Qt::white), ShapeLine{8, theme.board});
    addText(titleCard, song.title, big, {0, 0}, theme.board, shade(theme.board, -0.5), 2.5);
    const int bigTitle = w.defineShape(titleCard);
    // The notes are part of what must fit between the bar's round ends.
    SwfShape headerShape;
    const QString headerText = QStringLiteral("♪ ") + song.title + QStringLiteral(" ♪");
    headerShape.roundedRect(QRectF(-240, -26, 480, 52), 26, ShapeFill::solid(theme.board),
                            ShapeLine{3, Qt::white});
    addText(headerShape, headerText, fitInk(cjkFont(32, QFont::Black), headerText, 480 - 2 * 22),
            {0, 0}, Qt::white, shade(theme.board, -0.5), 1.2);
    const int header = w.defineShape(headerShape);

    const int introEnd = frameOf(plan.introBeats), ending = frameOf(plan.endingBeat);
    const QPointF middle(350, 230);
    root.tween(11, bigTitle, 0, 6, Pose::at(middle, 0.2, 0.3), Pose::at(middle, 1.1));
    root.tween(11, bigTitle, 6, 3, Pose::at(middle, 1.1), Pose::at(middle, 1.0));
    root.remove(introEnd, 11);
    root.place(introEnd, 5, header, Pose::at({350, 40}));
    root.remove(ending, 5);

    // The board with the words, the next line under it, a ball hopping on the beat.
    root.place(introEnd, 7,
               w.defineShape(SwfShape().roundedRect(QRectF(40, 390, 620, 110), 30,
                                                    ShapeFill::solid(Qt::white),
                                                    ShapeLine{6, theme.board})),
               QTransform());
    std::vector<int> lineShapes, nextShapes;
    for (const tools::SongLine& l : song.lines) {
        SwfShape s, n;
        addText(s, l.words, fitFont(cjkFont(50, QFont::Black), l.words, 580), {350, 445}, theme.ink,
                theme.ink, 0.8);
        lineShapes.push_back(w.defineShape(s));
        // The line to come sits on a dark strip of its own, so it reads over the hills.
        const QFont nextFont = fitInk(cjkFont(28, QFont::Bold), l.words, 600);
        const qreal nextWidth = textPath(l.words, nextFont).boundingRect().width();
        n.roundedRect(
            QRectF(350 - nextWidth / 2 - 18, 538 - 21, nextWidth + 36, 42), 21,
            ShapeFill::solid(QColor(theme.ink.red(), theme.ink.green(), theme.ink.blue(), 205)));
        addText(n, l.words, nextFont, {350, 538}, Qt::white, Qt::white, 0.6);
        nextShapes.push_back(w.defineShape(n));
    }
    const int ball =
        w.defineShape(SwfShape().add(starPath(16, 8), ShapeFill::solid(QColor(0xff, 0xd0, 0x1f)),
                                     ShapeLine{2.5, QColor(0xf0, 0x8a, 0x00)}));
    tools::SwfTimeline hop = w.newTimeline();
    for (int f = 0; f < 8 * fpb; ++f) {
        const qreal x = 70 + 560.0 * f / (8 * fpb);
        const qreal y = -46 * std::abs(std::sin(M_PI * f / fpb));
        hop.place(f, 1, ball, Pose::at({x, y}, 1, 1, f * 15.0));
    }
    root.place(introEnd, 10, w.defineSprite(hop), QTransform::fromTranslate(0, 380));
    root.remove(ending, 10);

    // Each line's picture pops up and bobs; a picture shared by lines is made once.
    std::map<QString, std::pair<int, int>> pictures; // emoji -> (shape, bobbing sprite)
    const auto picture = [&](const QString& e) {
        auto it = pictures.find(e);
        if (it == pictures.end()) {
            const int shape = pictureShape(w, e);
            it = pictures
                     .emplace(e, std::make_pair(shape, bobSprite(w, shape, 2 * fpb, Pose::at({}),
                                                                 Pose::at({0, -14}, 1.04))))
                     .first;
        }
        return it->second;
    };
    for (size_t k = 0; k < plan.verses.size(); ++k) {
        const SongPlan::Slot& slot = plan.verses[k];
        const int at = frameOf(slot.beat);
        const tools::SongLine& line = song.lines[static_cast<size_t>(slot.line)];
        root.place(at, 8, lineShapes[static_cast<size_t>(slot.line)]);
        if (k + 1 < plan.verses.size())
            root.place(at, 9, nextShapes[static_cast<size_t>(plan.verses[k + 1].line)]);
        else
            root.remove(at, 9);
        const auto [shape, bob] = picture(line.picture);
        root.tween(6, shape, at, 3, Pose::at(middle, 0.3, 0.4, -12), Pose::at(middle, 1.15));
        root.tween(6, shape, at + 3, 2, Pose::at(middle, 1.15), Pose::at(middle));
        root.place(at + 5, 6, bob, Pose::at(middle));
    }
    for (int depth : {6, 7, 8})
        root.remove(ending, depth);

    // The ending: the title again and the song's pictures, one a beat.
    root.tween(11, bigTitle, ending, 6, Pose::at({350, 180}, 0.3, 0.3), Pose::at({350, 180}, 1));
    std::vector<QString> seen;
    for (const tools::SongLine& l : song.lines)
        if (std::find(seen.begin(), seen.end(), l.picture) == seen.end())
            seen.push_back(l.picture);
    const int shown = std::min<int>(int(seen.size()), 6);
    for (int i = 0; i < shown; ++i) {
        const QPointF at(350 + (i - (shown - 1) / 2.0) * 105, 400);
        const int from = ending + frameOf(1 + i * 0.5);
        root.tween(12 + i, picture(seen[static_cast<size_t>(i)]).first, from, 4,
                   Pose::at(at, 0.1, 0.2), Pose::at(at, 0.7));
    }
    root.startSound(0, w.defineSound(mp3));
    root.stop(total - 1);
    return w.finish();
}

// ---- Packs -----------------------------------------------------------------------

QString sha1(const QByteArray& bytes) {
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex());
}

QByteArray songKey(const Song& s) {
    QByteArray k = s.title.toUtf8() + '|' + s.tune.toUtf8() + '|' + QByteArray::number(s.tonic);
    for (const tools::SongLine& l : s.lines)
        k += '|' + l.picture.toUtf8() + ' ' + l.words.toUtf8();
    return k;
}

void makeSongPack(Output& out, const Theme& theme) {
    const QString prefix = QString::fromLatin1(theme.prefix);
    const std::vector<Song> songs = tools::parseSongBook(
        QString::fromUtf8(out.content(QStringLiteral("songs/") + prefix + QStringLiteral(".txt"))));
    for (const Song& s : songs)
        for (const tools::SongLine& l : s.lines)
            emojiImage(l.picture); // drawn once, before the threads share the cache

    std::vector<QByteArray> movies(songs.size());
    std::vector<std::string> errors(songs.size());
    std::atomic<size_t> next{0};
    const auto work = [&] {
        for (size_t i; (i = next++) < songs.size();) {
            try {
                const Song& song = songs[i];
                const QString book = QStringLiteral("content/songs/%1.txt").arg(prefix);
                const SpokenAt at(book + QStringLiteral(": ") + song.title);
                const QString key = prefix + QLatin1Char('|') + sha1(songKey(song));
                const SongPlan plan = tools::planSong(song);
                // The sound is kept apart, so a change of the pictures leaves it alone.
                const QByteArray mp3 =
                    out.cached(QStringLiteral("song-sound-v3|") + key + QLatin1Char('|') +
                                   readingsVersion(out),
                               [&] { return toMp3(out, songAudio(out, book, song, plan)); });
                movies[i] = out.cached(QStringLiteral("song-movie-v4|") + key + QLatin1Char('|') +
                                           sha1(mp3),
                                       [&] { return songMovie(theme, song, plan, mp3); });
            } catch (const std::exception& e) {
                errors[i] = e.what();
            }
        }
    };
    std::vector<std::thread> threads;
    const unsigned n = std::clamp(std::thread::hardware_concurrency(), 1u, 4u);
    for (unsigned t = 0; t < n; ++t)
        threads.emplace_back(work);
    for (std::thread& t : threads)
        t.join();
    tools::PackWriter pack;
    QStringList titles;
    for (size_t i = 0; i < songs.size(); ++i) {
        if (!errors[i].empty())
            throw std::runtime_error(songs[i].title.toStdString() + ": " + errors[i]);
        pack.add(prefix + QString::number(i + 1), QStringLiteral("Flash"), movies[i]);
        titles << songs[i].title;
    }
    out.writeResource(QStringLiteral("songs/") + prefix + QStringLiteral(".txt"),
                      titles.join(QLatin1Char('\n')).toUtf8() + '\n');
    out.writeData(QStringLiteral("Data/kjfile/") + prefix + QStringLiteral(".dat"), pack.build());
}

const RegisterStep englishSongs{"Essong", [](Output& out) { makeSongPack(out, kThemes[0]); }};
const RegisterStep chineseSongs{"CHsong", [](Output& out) { makeSongPack(out, kThemes[1]); }};
const RegisterStep rhymes{"tongyao", [](Output& out) { makeSongPack(out, kThemes[2]); }};

} // namespace
} // namespace gendata

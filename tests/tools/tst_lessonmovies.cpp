// Every lesson of the twelve built packs teaches: read from the movie itself, what a
// child sees and hears after the lesson's start frame is at least three scenes (what was
// shown gives way to something else), some sound, and more than its title card (at least
// three things never shown before the first scene changed). Every lesson has its start
// frame as a picture beside it, of the stage's size and the movie's own background.
#include "TestSupport.h"
#include "flashhost/PlayerPoster.h"
#include "flashhost/swf/Swf.h"
#include "platform/ContentPack.h"

#include <QFile>
#include <QSet>
#include <QtTest>
#include <map>

namespace {

int u8(const QByteArray& b, qsizetype pos) {
    return pos >= 0 && pos < b.size() ? quint8(b[pos]) : 0;
}

int u16(const QByteArray& b, qsizetype pos) {
    return u8(b, pos) | u8(b, pos + 1) << 8;
}

// The records of a sprite's own timeline.
std::vector<swf::Tag> spriteTags(const QByteArray& body) {
    std::vector<swf::Tag> out;
    for (qsizetype pos = 4; pos + 2 <= body.size();) {
        const int header = u16(body, pos);
        qsizetype length = header & 0x3F;
        pos += 2;
        if (length == 0x3F) {
            length = qsizetype(u16(body, pos)) | qsizetype(u16(body, pos + 2)) << 16;
            pos += 4;
        }
        out.push_back({quint16(header >> 6), body.mid(pos, length)});
        pos += length;
    }
    return out;
}

// A shape filled with a bitmap stands for that bitmap: the same picture in two sizes is
// one picture.
int bitmapOf(const QByteArray& shape) {
    qsizetype pos = 2 + (5 + 4 * (u8(shape, 2) >> 3) + 7) / 8;
    int fills = u8(shape, pos++);
    if (fills == 0xFF) {
        fills = u16(shape, pos);
        pos += 2;
    }
    const int type = u8(shape, pos);
    return fills > 0 && type >= 0x40 && type <= 0x43 ? u16(shape, pos + 1) : 0;
}

struct Survey {
    int frames = 0;
    int scenes = 0; // changes of what is shown, after the start frame
    bool sound = false;
    int newThings = 0; // shown after the first change and not before it
};

Survey survey(const swf::Movie& movie, int start) {
    std::map<int, QSet<int>> things; // character -> what it shows
    for (const swf::Tag& t : movie.tags) {
        const int id = u16(t.body, 0);
        if (t.code == swf::kTagDefineShape3 || t.code == swf::kTagDefineShape2)
            things[id] = {bitmapOf(t.body) ? bitmapOf(t.body) : id};
        else if (t.code == swf::kTagDefineButton2)
            things[id] = {id};
        else if (t.code == swf::kTagDefineSprite)
            for (const swf::Tag& inner : spriteTags(t.body))
                if (inner.code == swf::kTagPlaceObject2 && (u8(inner.body, 0) & 0x02))
                    things[id] += things[u16(inner.body, 3)];
    }
    Survey s;
    QSet<int> before, after;
    bool removed = false, placed = false;
    QSet<int> thisFrame;
    for (const swf::Tag& t : movie.tags) {
        const bool late = s.frames >= start;
        if (t.code == swf::kTagShowFrame) {
            if (s.frames > start && removed && placed)
                ++s.scenes;
            (s.scenes == 0 ? before : after) += thisFrame;
            removed = placed = false;
            thisFrame.clear();
            ++s.frames;
        } else if (t.code == swf::kTagRemoveObject2) {
            removed = removed || late;
        } else if (t.code == swf::kTagPlaceObject2 && (u8(t.body, 0) & 0x02) && late) {
            placed = true;
            thisFrame += things[u16(t.body, 3)];
        } else if (t.code == swf::kTagStartSound && late && !(u8(t.body, 2) & 0x20)) {
            s.sound = true;
        }
    }
    s.newThings = int((after - before).size());
    return s;
}

} // namespace

class TestLessonMovies : public QObject {
    Q_OBJECT
private slots:
    void everyLessonTeaches_data() { categories(); }
    void everyLessonTeaches();
    void everyLessonHasItsStartPicture_data() { categories(); }
    void everyLessonHasItsStartPicture();

private:
    static void categories();
};

void TestLessonMovies::categories() {
    QTest::addColumn<QString>("prefix");
    for (const char* p : {"sxyx", "sxkj", "Eng_Listen", "EStory", "EGame", "xpy", "gushi", "CStory",
                          "YWYX", "dzg", "baike", "Tonghua"})
        QTest::newRow(p) << QString::fromLatin1(p);
}

void TestLessonMovies::everyLessonTeaches() {
    QFETCH(QString, prefix);
    QFile list(QStringLiteral(PELUMO_SOURCE_DIR "/content/lessons/") + prefix + ".txt");
    QVERIFY(list.open(QIODevice::ReadOnly));
    const auto pack = testsupport::builtPack(prefix);
    QVERIFY2(pack->isValid(), qPrintable(pack->errorString()));
    QStringList faults;
    int n = 0;
    for (const QString& raw : QString::fromUtf8(list.readAll()).split('\n')) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QString item = prefix + QString::number(++n);
        const QString title = line.section('\t', 0, 0);
        const int start = line.section('\t', 1, 1).toInt();
        const auto movie = swf::parse(pack->read(item, QStringLiteral("Flash")));
        QVERIFY2(movie, qPrintable(item));
        const Survey s = survey(*movie, start);
        QStringList why;
        if (start >= s.frames)
            why << QStringLiteral("its start frame %1 is past its %2 frames")
                       .arg(start)
                       .arg(s.frames);
        if (s.scenes < 3)
            why << QStringLiteral("%1 scene(s) after its start frame").arg(s.scenes);
        if (!s.sound)
            why << QStringLiteral("no sound after its start frame");
        if (s.newThings < 3)
            why << QStringLiteral("shows only its title and one picture");
        if (!why.isEmpty())
            faults << item + QLatin1Char(' ') + title + QStringLiteral(": ") + why.join(", ");
    }
    QVERIFY(n > 0);
    for (const QString& f : faults)
        qWarning().noquote() << f;
    QVERIFY2(faults.isEmpty(),
             qPrintable(QStringLiteral("%1 of %2 lessons do not teach (listed above)")
                            .arg(faults.size())
                            .arg(n)));
}

void TestLessonMovies::everyLessonHasItsStartPicture() {
    QFETCH(QString, prefix);
    const auto pack = testsupport::builtPack(prefix);
    QVERIFY2(pack->isValid(), qPrintable(pack->errorString()));
    QStringList faults;
    const QStringList items = testsupport::packMovies(*pack, prefix);
    const qsizetype n = items.size();
    for (const QString& item : items) {
        const auto movie = swf::parse(pack->read(item, QStringLiteral("Flash")));
        QVERIFY2(movie, qPrintable(item));
        QColor background;
        for (const swf::Tag& t : movie->tags)
            if (t.code == swf::kTagSetBackgroundColor && t.body.size() >= 3)
                background = QColor(u8(t.body, 0), u8(t.body, 1), u8(t.body, 2));
        if (!pack->contains(item, "FIRST")) {
            faults << item + ": no start picture";
            continue;
        }
        const QImage picture = QImage::fromData(pack->read(item, "FIRST"));
        const QSize stage((movie->header.frameSize.xmax - movie->header.frameSize.xmin) / 20,
                          (movie->header.frameSize.ymax - movie->header.frameSize.ymin) / 20);
        if (picture.size() != stage) {
            faults << item + QString(": a picture of %1x%2, not of the stage")
                                 .arg(picture.width())
                                 .arg(picture.height());
            continue;
        }
        if (flashhost::PlayerPoster::isBlank(picture))
            faults << item + ": a picture of one colour";
        // Between the ribbon and the sun nothing covers the stage on the start frame.
        const QColor sky = picture.pixelColor(400, 40);
        if (std::abs(sky.red() - background.red()) + std::abs(sky.green() - background.green()) +
                std::abs(sky.blue() - background.blue()) >
            24)
            faults << item + QString(": its sky is %1, the movie's background %2")
                                 .arg(sky.name(), background.name());
    }
    QVERIFY(n > 0);
    for (const QString& f : faults)
        qWarning().noquote() << f;
    QVERIFY2(faults.isEmpty(), qPrintable(QString("%1 of %2 lessons").arg(faults.size()).arg(n)));
}

QTEST_GUILESS_MAIN(TestLessonMovies)
#include "tst_lessonmovies.moc"

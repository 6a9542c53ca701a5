// The built stroke-order movies of the character lessons write each character stroke by
// stroke: read from the movies in Data/kjfile/XHZ.dat, a finished stroke stays on the
// stage at a depth of its own from 10 on, and before it lands the wet stroke (depth 3)
// grows over several frames. Checked: the number of strokes is the character's, the
// strokes come one after another, and the first strokes run the way they are written.
#include "flashhost/swf/Swf.h"
#include "platform/ContentPack.h"

#include <QFile>
#include <QtTest>
#include <map>

namespace {

int u8(const QByteArray& b, qsizetype pos) {
    return pos >= 0 && pos < b.size() ? quint8(b[pos]) : 0;
}

int u16(const QByteArray& b, qsizetype pos) {
    return u8(b, pos) | u8(b, pos + 1) << 8;
}

// The bounds of a DefineShape body (after its id), in pixels.
QRectF shapeBounds(const QByteArray& body) {
    qsizetype bit = 16; // past the id
    const auto read = [&](int n) {
        int v = 0;
        for (int i = 0; i < n; ++i, ++bit)
            v = v << 1 | ((u8(body, bit / 8) >> (7 - bit % 8)) & 1);
        return v;
    };
    const int n = read(5);
    const auto signedRead = [&] {
        const int v = read(n);
        return n > 0 && (v & (1 << (n - 1))) ? v - (1 << n) : v;
    };
    const int xmin = signedRead(), xmax = signedRead(), ymin = signedRead(), ymax = signedRead();
    return QRectF(QPointF(xmin / 20.0, ymin / 20.0), QPointF(xmax / 20.0, ymax / 20.0));
}

struct Stroke {
    int frame = 0;     // when it landed
    int wetFrames = 0; // frames the wet stroke grew in before
    QRectF bounds;     // of the finished stroke
    QRectF firstWet;   // of the wet stroke when it first showed
};

std::vector<Stroke> strokesOf(const swf::Movie& movie) {
    std::map<int, QRectF> shapes;
    std::vector<Stroke> strokes;
    int frame = 0, wet = 0;
    QRectF firstWet;
    for (const swf::Tag& t : movie.tags) {
        if (t.code == swf::kTagDefineShape3 || t.code == swf::kTagDefineShape2 ||
            t.code == swf::kTagDefineShape)
            shapes[u16(t.body, 0)] = shapeBounds(t.body);
        else if (t.code == swf::kTagShowFrame)
            ++frame;
        else if (t.code == swf::kTagPlaceObject2 && (u8(t.body, 0) & 0x02)) {
            const int depth = u16(t.body, 1);
            const QRectF bounds = shapes[u16(t.body, 3)];
            if (depth == 3) {
                if (wet++ == 0)
                    firstWet = bounds;
            } else if (depth >= 10) {
                strokes.push_back({frame, wet, bounds, firstWet});
                wet = 0;
            }
        }
    }
    return strokes;
}

// Stroke counts of the lessons' characters, as a dictionary gives them.
const std::map<QString, int>& strokeCounts() {
    static const std::map<QString, int> counts = {
        {"一", 1}, {"二", 2}, {"三", 3}, {"四", 5}, {"五", 4}, {"六", 4}, {"七", 2}, {"八", 2},
        {"九", 2}, {"十", 2}, {"上", 3}, {"下", 3}, {"中", 4}, {"大", 3}, {"小", 3}, {"云", 4},
        {"日", 4}, {"月", 4}, {"山", 3}, {"水", 4}, {"田", 5}, {"火", 4}, {"土", 3}, {"木", 4},
        {"虫", 6}, {"牛", 4}, {"鸟", 5}, {"鱼", 8}, {"马", 3}, {"鸭", 10}};
    return counts;
}

QStringList lessonCharacters() {
    QFile f(QStringLiteral(PELUMO_SOURCE_DIR "/content/chinese/xhz.txt"));
    QStringList out;
    if (!f.open(QIODevice::ReadOnly))
        return out;
    for (const QString& line : QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts))
        if (!line.startsWith('#'))
            out << line.section('\t', 0, 0);
    return out;
}

std::optional<swf::Movie> movieOf(const QString& character) {
    const int i = int(lessonCharacters().indexOf(character));
    const auto pack =
        platform::ContentPack::open(QStringLiteral(PELUMO_BINARY_DIR "/Data/kjfile/XHZ.dat"));
    if (i < 0 || !pack->isValid())
        return std::nullopt;
    return swf::parse(pack->read(QStringLiteral("XHZ%1").arg(i + 1), QStringLiteral("Flash")));
}

} // namespace

class TestStrokeMovies : public QObject {
    Q_OBJECT
private slots:
    void everyCharacterWrittenStrokeByStroke();
    void strokesRunAsWritten_data();
    void strokesRunAsWritten();
};

void TestStrokeMovies::everyCharacterWrittenStrokeByStroke() {
    const QStringList characters = lessonCharacters();
    QCOMPARE(characters.size(), 30);
    QStringList faults;
    for (const QString& c : characters) {
        const auto movie = movieOf(c);
        QVERIFY2(movie, qPrintable(c + ": no movie"));
        const std::vector<Stroke> strokes = strokesOf(*movie);
        const auto expected = strokeCounts().find(c);
        QVERIFY2(expected != strokeCounts().end(), qPrintable(c + ": no stroke count known"));
        if (int(strokes.size()) != expected->second)
            faults << QStringLiteral("%1: %2 strokes, written with %3")
                          .arg(c)
                          .arg(expected->second)
                          .arg(strokes.size());
        for (size_t k = 0; k < strokes.size(); ++k) {
            if (strokes[k].wetFrames < 3)
                faults << QStringLiteral("%1: stroke %2 appears at once").arg(c).arg(k + 1);
            if (k > 0 && strokes[k].frame <= strokes[k - 1].frame)
                faults
                    << QStringLiteral("%1: stroke %2 lands with the one before").arg(c).arg(k + 1);
        }
    }
    for (const QString& f : faults)
        qWarning().noquote() << f;
    QVERIFY2(faults.isEmpty(),
             qPrintable(QStringLiteral("%1 faults (listed above)").arg(faults.size())));
}

// How a stroke is written: 'h' a horizontal from the left, 'v' a vertical from the top.
void TestStrokeMovies::strokesRunAsWritten_data() {
    QTest::addColumn<QString>("character");
    QTest::addColumn<int>("stroke");
    QTest::addColumn<QChar>("way");
    QTest::newRow("十 starts with its horizontal") << QStringLiteral("十") << 0 << QChar('h');
    QTest::newRow("十 then its vertical, from the top") << QStringLiteral("十") << 1 << QChar('v');
    QTest::newRow("中 starts with the left vertical") << QStringLiteral("中") << 0 << QChar('v');
    QTest::newRow("中 ends with the long vertical") << QStringLiteral("中") << 3 << QChar('v');
    QTest::newRow("一 from the left") << QStringLiteral("一") << 0 << QChar('h');
    QTest::newRow("土 ends with the long horizontal") << QStringLiteral("土") << 2 << QChar('h');
}

void TestStrokeMovies::strokesRunAsWritten() {
    QFETCH(QString, character);
    QFETCH(int, stroke);
    QFETCH(QChar, way);
    const auto movie = movieOf(character);
    QVERIFY(movie);
    const std::vector<Stroke> strokes = strokesOf(*movie);
    QVERIFY(stroke < int(strokes.size()));
    const Stroke& s = strokes[size_t(stroke)];
    const QRectF whole = s.bounds, first = s.firstWet;
    QVERIFY(!first.isEmpty());
    if (way == 'h') {
        QVERIFY2(whole.width() > whole.height() * 2, "not a horizontal stroke");
        QVERIFY2(first.left() < whole.left() + 10 && first.center().x() < whole.center().x() &&
                     first.width() < whole.width() * 0.8,
                 "does not start at the left");
    } else {
        QVERIFY2(whole.height() > whole.width() * 2, "not a vertical stroke");
        QVERIFY2(first.top() < whole.top() + 10 && first.center().y() < whole.center().y() &&
                     first.height() < whole.height() * 0.8,
                 "does not start at the top");
    }
}

QTEST_GUILESS_MAIN(TestStrokeMovies)
#include "tst_strokemovies.moc"

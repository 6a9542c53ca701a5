// The song movies of the three built packs, read from the movies themselves: the title
// with its notes stays inside the title bar on top, and the line to come, shown under
// the board, carries a backing of its own that its words stand out on, whatever scenery
// lies behind it.
#include "TestSupport.h"
#include "flashhost/swf/Swf.h"
#include "platform/ContentPack.h"

#include <QColor>
#include <QtTest>
#include <map>

namespace {

int u8(const QByteArray& b, qsizetype pos) {
    return pos >= 0 && pos < b.size() ? quint8(b[pos]) : 0;
}

int u16(const QByteArray& b, qsizetype pos) {
    return u8(b, pos) | u8(b, pos + 1) << 8;
}

// A shape's bounds (the RECT after its id) in pixels, and where its fill styles begin.
struct ShapeHead {
    QRectF bounds;
    qsizetype fills = 0;
};

ShapeHead shapeHead(const QByteArray& body) {
    const int bits = u8(body, 2) >> 3;
    const auto field = [&](int n) {
        qint64 v = 0;
        for (int i = 0; i < bits; ++i) {
            const int at = 5 + n * bits + i;
            v = v << 1 | ((u8(body, 2 + at / 8) >> (7 - at % 8)) & 1);
        }
        if (bits > 0 && (v >> (bits - 1)) & 1) // sign-extend
            v -= qint64(1) << bits;
        return qreal(v) / 20;
    };
    const qreal xmin = field(0), xmax = field(1), ymin = field(2), ymax = field(3);
    return {QRectF(QPointF(xmin, ymin), QPointF(xmax, ymax)), 2 + (5 + 4 * bits + 7) / 8};
}

// The solid colours of a shape's fill styles, in order (a DefineShape3 holds RGBA).
QList<QColor> solidFills(const QByteArray& body) {
    qsizetype pos = shapeHead(body).fills;
    int count = u8(body, pos++);
    if (count == 0xFF) {
        count = u16(body, pos);
        pos += 2;
    }
    QList<QColor> out;
    for (int i = 0; i < count && pos < body.size(); ++i) {
        if (u8(body, pos) != 0x00)
            break; // only solid fills are looked at, and they come first here
        out << QColor(u8(body, pos + 1), u8(body, pos + 2), u8(body, pos + 3), u8(body, pos + 4));
        pos += 5;
    }
    return out;
}

qreal luminance(const QColor& c) {
    const auto lin = [](int v) {
        const qreal s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lin(c.red()) + 0.7152 * lin(c.green()) + 0.0722 * lin(c.blue());
}

qreal contrast(const QColor& a, const QColor& b) {
    const qreal la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The shapes a movie defines, and the characters it places at each depth of its root.
struct Placed {
    std::map<int, QByteArray> shapes;
    std::map<int, QSet<int>> atDepth;
};

Placed placed(const swf::Movie& movie) {
    Placed p;
    for (const swf::Tag& t : movie.tags)
        if (t.code == swf::kTagDefineShape3)
            p.shapes[u16(t.body, 0)] = t.body;
        else if (t.code == swf::kTagPlaceObject2 && (u8(t.body, 0) & 0x02))
            p.atDepth[u16(t.body, 1)] += u16(t.body, 3);
    return p;
}

constexpr int kHeaderDepth = 5, kNextLineDepth = 9;

} // namespace

class TestSongMovies : public QObject {
    Q_OBJECT
private slots:
    void songsReadWell_data();
    void songsReadWell();
};

void TestSongMovies::songsReadWell_data() {
    QTest::addColumn<QString>("prefix");
    for (const char* p : {"Essong", "CHsong", "tongyao"})
        QTest::newRow(p) << QString::fromLatin1(p);
}

void TestSongMovies::songsReadWell() {
    QFETCH(QString, prefix);
    const auto pack = testsupport::builtPack(prefix);
    QVERIFY2(pack->isValid(), qPrintable(pack->errorString()));
    QStringList faults;
    const QStringList items = testsupport::packMovies(*pack, prefix);
    const qsizetype n = items.size();
    for (const QString& item : items) {
        const auto movie = swf::parse(pack->read(item, QStringLiteral("Flash")));
        QVERIFY2(movie, qPrintable(item));
        const Placed p = placed(*movie);
        QVERIFY2(p.atDepth.count(kHeaderDepth) && p.atDepth.count(kNextLineDepth),
                 qPrintable(item));
        // The bar is 480 by 52 with a 3-pixel edge, centred on its origin.
        for (int header : p.atDepth.at(kHeaderDepth)) {
            const QRectF b = shapeHead(p.shapes.at(header)).bounds;
            if (b.left() < -242 || b.right() > 242)
                faults << QStringLiteral("%1: the title reaches from %2 to %3 over a bar from "
                                         "-240 to 240")
                              .arg(item)
                              .arg(b.left())
                              .arg(b.right());
        }
        for (int next : p.atDepth.at(kNextLineDepth)) {
            const QList<QColor> fills = solidFills(p.shapes.at(next));
            if (fills.size() < 2 || fills[0].alpha() < 180 || contrast(fills[0], fills[1]) < 4.5)
                faults << QStringLiteral("%1: the line to come has no backing it stands out on")
                              .arg(item);
        }
    }
    QVERIFY(n > 0);
    for (const QString& f : faults)
        qWarning().noquote() << f;
    QVERIFY2(faults.isEmpty(),
             qPrintable(
                 QStringLiteral("%1 faults in %2 songs (listed above)").arg(faults.size()).arg(n)));
}

QTEST_GUILESS_MAIN(TestSongMovies)
#include "tst_songmovies.moc"

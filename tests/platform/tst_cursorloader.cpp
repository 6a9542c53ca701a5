// The cursor loader: files of our writer read back, hand-made .cur files of every
// colour depth, truncated and broken files, the animation player and the cursors the
// build generates.
#include "platform/CursorLoader.h"
#include "tests/common/TestSupport.h"
#include "tools/lib/CursorWriter.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QSet>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

using platform::CursorImage;
using platform::loadCursorFrames;

namespace {

void put16(QByteArray& b, quint32 v) {
    b.append(char(v & 0xFF)).append(char(v >> 8 & 0xFF));
}
void put32(QByteArray& b, quint32 v) {
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}

// An icon directory of one image, written out field by field.
QByteArray directory(const QByteArray& image, int width, int height, QPoint hotspot, int type = 2) {
    QByteArray b;
    put16(b, 0);
    put16(b, quint32(type));
    put16(b, 1);
    b.append(char(width)).append(char(height)).append('\0').append('\0');
    put16(b, quint32(hotspot.x()));
    put16(b, quint32(hotspot.y()));
    put32(b, quint32(image.size()));
    put32(b, 22);
    return b + image;
}

// BITMAPINFOHEADER; the stored height counts the mask too.
QByteArray infoHeader(int width, int height, int bpp, int colorsUsed = 0) {
    QByteArray b;
    put32(b, 40);
    put32(b, quint32(width));
    put32(b, quint32(2 * height));
    put16(b, 1);
    put16(b, quint32(bpp));
    put32(b, 0);
    put32(b, 0);
    put32(b, 0);
    put32(b, 0);
    put32(b, quint32(colorsUsed));
    put32(b, 0);
    return b;
}

QByteArray rgbQuad(int r, int g, int b) {
    return QByteArray(1, char(b)) + char(g) + char(r) + '\0';
}

QByteArray chunk(const char* id, const QByteArray& data) {
    QByteArray b(id, 4);
    put32(b, quint32(data.size()));
    b += data;
    if (data.size() % 2)
        b += '\0';
    return b;
}

QByteArray anih(quint32 frames, quint32 steps, quint32 rate, quint32 flags = 1) {
    QByteArray b;
    for (quint32 v : {36u, frames, steps, 32u, 32u, 32u, 1u, rate, flags})
        put32(b, v);
    return b;
}

QByteArray riff(const QByteArray& chunks) {
    return chunk("RIFF", "ACON" + chunks);
}

QByteArray dwords(std::initializer_list<quint32> values) {
    QByteArray b;
    for (quint32 v : values)
        put32(b, v);
    return b;
}

// A picture with clear, half-clear and solid pixels that differ everywhere.
QImage testImage(int w, int h, int seed) {
    QImage image(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int alpha = (x + y + seed) % 5 == 0           ? 0
                              : (x * 7 + y * 3 + seed) % 4 == 0 ? 128
                                                                : 255;
            image.setPixel(x, y,
                           alpha == 0 ? 0u
                                      : qRgba((x * 9 + seed) % 256, (y * 13) % 256,
                                              (x * y + seed * 40) % 256, alpha));
        }
    return image;
}

const QRgb kClear = 0;

} // namespace

class TestCursorLoader : public QObject {
    Q_OBJECT
private slots:
    void writerRoundTrip_data();
    void writerRoundTrip();
    void animationRoundTrip();
    void handMadeCur_data();
    void handMadeCur();
    void pngImageAndIconDirectory();
    void sequenceAndRates();
    void truncatedFilesGiveNoFrames();
    void badFiles_data();
    void badFiles();
    void loadCursorFallsBack();
    void animatedCursorCycles();
    void generatedCursors_data();
    void generatedCursors();
};

void TestCursorLoader::writerRoundTrip_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QPoint>("hotspot");
    QTest::addColumn<QPoint>("expectedHotspot");
    QTest::newRow("32x32 pointer") << QSize(32, 32) << QPoint(2, 3) << QPoint(2, 3);
    QTest::newRow("one pixel") << QSize(1, 1) << QPoint(0, 0) << QPoint(0, 0);
    QTest::newRow("odd width pads the mask") << QSize(17, 5) << QPoint(16, 4) << QPoint(16, 4);
    QTest::newRow("largest") << QSize(256, 256) << QPoint(255, 0) << QPoint(255, 0);
    QTest::newRow("hotspot outside is clamped")
        << QSize(32, 32) << QPoint(40, 99) << QPoint(31, 31);
}

void TestCursorLoader::writerRoundTrip() {
    QFETCH(QSize, size);
    QFETCH(QPoint, hotspot);
    QFETCH(QPoint, expectedHotspot);
    const QImage image = testImage(size.width(), size.height(), 1);
    const std::vector<CursorImage> frames = loadCursorFrames(tools::writeCur(image, hotspot));
    QCOMPARE(frames.size(), size_t(1));
    QCOMPARE(frames[0].image, image);
    QCOMPARE(frames[0].hotspot, expectedHotspot);
    QCOMPARE(frames[0].delayMs, 0);

    // A picture that is clear throughout stays clear.
    QImage clear(size, QImage::Format_ARGB32);
    clear.fill(qRgba(200, 10, 10, 0));
    const std::vector<CursorImage> empty = loadCursorFrames(tools::writeCur(clear, hotspot));
    QCOMPARE(empty.size(), size_t(1));
    QCOMPARE(empty[0].image.pixel(0, 0), kClear);
}

void TestCursorLoader::animationRoundTrip() {
    const std::vector<tools::AniFrame> written{{testImage(32, 32, 1), QPoint(1, 2), 6},
                                               {testImage(32, 32, 2), QPoint(3, 4), 12},
                                               {testImage(24, 16, 3), QPoint(5, 6), 30}};
    const std::vector<CursorImage> frames = loadCursorFrames(tools::writeAni(written));
    QCOMPARE(frames.size(), size_t(3));
    const int delays[] = {100, 200, 500};
    for (size_t i = 0; i < 3; ++i) {
        QCOMPARE(frames[i].image, written[i].image);
        QCOMPARE(frames[i].hotspot, written[i].hotspot);
        QCOMPARE(frames[i].delayMs, delays[i]);
    }
    QVERIFY(tools::writeAni({}).isEmpty());
}

void TestCursorLoader::handMadeCur_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QList<QRgb>>("pixels"); // row by row, top first

    const QRgb black = qRgb(0, 0, 0), white = qRgb(255, 255, 255), red = qRgb(255, 0, 0),
               blue = qRgb(0, 0, 255), green = qRgb(0, 255, 0);
    // Rows are stored bottom-up; each row is padded to four bytes. Mask bit set + black
    // is clear; mask bit set + a colour inverts the screen, which shows as black.
    {
        // 1 bpp, 3x2. Top row: white, black, white; bottom row: black(clear), white(invert), black.
        QByteArray img = infoHeader(3, 2, 1) + rgbQuad(0, 0, 0) + rgbQuad(255, 255, 255);
        img += QByteArray("\x40\0\0\0", 4); // bottom row colours 0,1,0
        img += QByteArray("\xA0\0\0\0", 4); // top row colours 1,0,1
        img += QByteArray("\xC0\0\0\0", 4); // bottom row mask 1,1,0
        img += QByteArray("\0\0\0\0", 4);   // top row mask 0,0,0
        QTest::newRow("1 bpp") << directory(img, 3, 2, QPoint(1, 1)) << QSize(3, 2)
                               << QList<QRgb>{white, black, white, kClear, black, black};
    }
    {
        // 4 bpp, 3x1 with a palette of 3 (colours used), indices 2, 0, 1.
        QByteArray img =
            infoHeader(3, 1, 4, 3) + rgbQuad(255, 0, 0) + rgbQuad(0, 255, 0) + rgbQuad(0, 0, 255);
        img += QByteArray("\x20\x10\0\0", 4);
        img += QByteArray("\0\0\0\0", 4);
        QTest::newRow("4 bpp short palette")
            << directory(img, 3, 1, QPoint(0, 0)) << QSize(3, 1) << QList<QRgb>{blue, red, green};
    }
    {
        // 8 bpp, 5x1: indices 1, 2, 0, 2, 1; the last pixel is masked with a colour.
        QByteArray img = infoHeader(5, 1, 8) + rgbQuad(0, 0, 0) + rgbQuad(255, 0, 0) +
                         rgbQuad(0, 0, 255) + QByteArray(253 * 4, '\0');
        img += QByteArray("\x01\x02\x00\x02\x01\0\0\0", 8);
        img += QByteArray("\x28\0\0\0", 4); // mask 0,0,1,0,1
        QTest::newRow("8 bpp") << directory(img, 5, 1, QPoint(4, 0)) << QSize(5, 1)
                               << QList<QRgb>{red, blue, kClear, blue, black};
    }
    {
        // 24 bpp, 3x2 (BGR, rows of 9 bytes padded to 12).
        QByteArray img = infoHeader(3, 2, 24);
        img += QByteArray("\xFF\0\0"
                          "\0\xFF\0"
                          "\0\0\xFF"
                          "\0\0\0",
                          12); // bottom: blue green red
        img += QByteArray("\0\0\0"
                          "\xFF\xFF\xFF"
                          "\0\0\0"
                          "\0\0\0",
                          12); // top: black white black
        img += QByteArray("\0\0\0\0", 4);
        img += QByteArray("\x80\0\0\0", 4); // top-left masked
        QTest::newRow("24 bpp") << directory(img, 3, 2, QPoint(2, 1)) << QSize(3, 2)
                                << QList<QRgb>{kClear, white, black, blue, green, red};
    }
    {
        // 32 bpp with no alpha anywhere: the mask decides.
        QByteArray img = infoHeader(2, 1, 32);
        img += QByteArray("\0\0\xFF\0"
                          "\xFF\0\0\0",
                          8);
        img += QByteArray("\x40\0\0\0", 4);
        QTest::newRow("32 bpp without alpha")
            << directory(img, 2, 1, QPoint(0, 0)) << QSize(2, 1) << QList<QRgb>{red, black};
    }
    {
        // 32 bpp with alpha: the mask is ignored, and may be left out.
        QByteArray img = infoHeader(2, 1, 32);
        img += QByteArray("\0\0\xFF\x80"
                          "\xFF\0\0\xFF",
                          8);
        QTest::newRow("32 bpp alpha, no mask") << directory(img, 2, 1, QPoint(0, 0)) << QSize(2, 1)
                                               << QList<QRgb>{qRgba(255, 0, 0, 128), blue};
        QTest::newRow("32 bpp alpha, mask ignored")
            << directory(img + QByteArray("\xC0\0\0\0", 4), 2, 1, QPoint(0, 0)) << QSize(2, 1)
            << QList<QRgb>{qRgba(255, 0, 0, 128), blue};
    }
}

void TestCursorLoader::handMadeCur() {
    QFETCH(QByteArray, file);
    QFETCH(QSize, size);
    QFETCH(QList<QRgb>, pixels);
    const std::vector<CursorImage> frames = loadCursorFrames(file);
    QCOMPARE(frames.size(), size_t(1));
    const QImage& image = frames[0].image;
    QCOMPARE(image.size(), size);
    QList<QRgb> got;
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            got << image.pixel(x, y);
    QCOMPARE(got, pixels);
    // The hotspot lies inside the directory entry, not in the image.
    const QPoint hotspot{quint8(file[10]), quint8(file[12])};
    QCOMPARE(frames[0].hotspot, hotspot);
}

void TestCursorLoader::pngImageAndIconDirectory() {
    const QImage image = testImage(48, 40, 5);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(image.save(&buffer, "PNG"));
    std::vector<CursorImage> frames = loadCursorFrames(directory(png, 48, 40, QPoint(7, 9)));
    QCOMPARE(frames.size(), size_t(1));
    QCOMPARE(frames[0].image, image);
    QCOMPARE(frames[0].hotspot, QPoint(7, 9));

    // An icon has no hotspot of its own; it points with its centre.
    frames = loadCursorFrames(directory(png, 48, 40, QPoint(7, 9), 1));
    QCOMPARE(frames.size(), size_t(1));
    QCOMPARE(frames[0].hotspot, QPoint(24, 20));

    // Of several sizes, the one nearest 32 pixels is used.
    const QByteArray small = tools::writeCur(testImage(16, 16, 1), QPoint(1, 1)).mid(22);
    const QByteArray medium = tools::writeCur(testImage(32, 32, 2), QPoint(2, 2)).mid(22);
    QByteArray two;
    put16(two, 0);
    put16(two, 2);
    put16(two, 2);
    two += QByteArray("\x10\x10\0\0", 4);
    put16(two, 1);
    put16(two, 1);
    put32(two, quint32(small.size()));
    put32(two, 38);
    two += QByteArray("\x20\x20\0\0", 4);
    put16(two, 2);
    put16(two, 2);
    put32(two, quint32(medium.size()));
    put32(two, quint32(38 + small.size()));
    frames = loadCursorFrames(two + small + medium);
    QCOMPARE(frames.size(), size_t(1));
    QCOMPARE(frames[0].image, testImage(32, 32, 2));
    QCOMPARE(frames[0].hotspot, QPoint(2, 2));
}

void TestCursorLoader::sequenceAndRates() {
    const QByteArray a = tools::writeCur(testImage(8, 8, 1), QPoint(1, 1));
    const QByteArray b = tools::writeCur(testImage(8, 8, 2), QPoint(2, 2));
    const QByteArray frames = chunk("LIST", "fram" + chunk("icon", a) + chunk("icon", b));
    // Steps show frames 1, 0, 1, 1 for 3, 6, 0 (shortest step) and 9 jiffies.
    const QByteArray file =
        riff(chunk("anih", anih(2, 4, 60)) + chunk("seq ", dwords({1, 0, 1, 1})) +
             chunk("rate", dwords({3, 6, 0, 9})) + frames);
    std::vector<CursorImage> steps = loadCursorFrames(file);
    QCOMPARE(steps.size(), size_t(4));
    const int index[] = {1, 0, 1, 1}, delays[] = {50, 100, 16, 150};
    for (size_t i = 0; i < 4; ++i) {
        QCOMPARE(steps[i].image, testImage(8, 8, index[i] + 1));
        QCOMPARE(steps[i].hotspot, QPoint(index[i] + 1, index[i] + 1));
        QCOMPARE(steps[i].delayMs, delays[i]);
    }
    // Without rates every step shows for the header's display rate.
    steps = loadCursorFrames(riff(chunk("anih", anih(2, 2, 30)) + chunk("LIST", "INFO") + frames));
    QCOMPARE(steps.size(), size_t(2));
    QCOMPARE(steps[1].delayMs, 500);
    QCOMPARE(steps[1].image, testImage(8, 8, 2));
}

// Cut at every length, a file gives no frames, also when the RIFF size is made to
// match the cut so that only the inner chunks can tell.
void TestCursorLoader::truncatedFilesGiveNoFrames() {
    const QByteArray cur = tools::writeCur(testImage(9, 7, 1), QPoint(1, 1));
    const QByteArray ani = tools::writeAni(
        {{testImage(9, 7, 1), QPoint(1, 1), 6}, {testImage(9, 7, 2), QPoint(2, 2), 6}});
    QCOMPARE(loadCursorFrames(cur).size(), size_t(1));
    QCOMPARE(loadCursorFrames(ani).size(), size_t(2));
    for (qsizetype n = 0; n < cur.size(); ++n)
        QVERIFY2(loadCursorFrames(cur.left(n)).empty(), qPrintable(QString::number(n)));
    for (qsizetype n = 0; n < ani.size(); ++n) {
        QVERIFY2(loadCursorFrames(ani.left(n)).empty(), qPrintable(QString::number(n)));
        if (n < 12)
            continue;
        QByteArray patched = ani.left(n);
        QByteArray size;
        put32(size, quint32(n - 8));
        patched.replace(4, 4, size);
        QVERIFY2(loadCursorFrames(patched).empty(), qPrintable(QString::number(n)));
    }
}

void TestCursorLoader::badFiles_data() {
    QTest::addColumn<QByteArray>("file");
    const QByteArray good = tools::writeCur(testImage(8, 8, 1), QPoint(1, 1));
    auto patched = [&](int at, const QByteArray& bytes) {
        QByteArray b = good;
        b.replace(at, bytes.size(), bytes);
        return b;
    };
    const QByteArray header = QByteArray("anih");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("not a cursor") << QByteArray("GIF89a...........................");
    QTest::newRow("reserved not zero") << patched(0, "\x01");
    QTest::newRow("type 3") << patched(2, "\x03");
    QTest::newRow("no images") << patched(4, QByteArray("\0\0", 2));
    QTest::newRow("image offset past the end") << patched(18, "\xFF\xFF");
    QTest::newRow("image length past the end") << patched(14, "\xFF\xFF");
    QTest::newRow("width 0") << patched(22 + 4, QByteArray("\0", 1));
    QTest::newRow("height odd") << patched(22 + 8, "\x11");
    QTest::newRow("7 bpp") << patched(22 + 14, "\x07");
    QTest::newRow("compressed") << patched(22 + 16, "\x01");
    QTest::newRow("header size too big") << patched(22, "\xFF\xFF");
    {
        QByteArray wide = infoHeader(257, 1, 32) + QByteArray(257 * 4 + 36, '\0');
        QTest::newRow("wider than 256") << directory(wide, 0, 1, QPoint(0, 0));
        QByteArray palette = infoHeader(2, 1, 1, 3) + QByteArray(12 + 8, '\0');
        QTest::newRow("palette larger than the depth") << directory(palette, 2, 1, QPoint(0, 0));
        QByteArray noMask = infoHeader(2, 1, 24) + QByteArray(8, '\0');
        QTest::newRow("24 bpp without mask") << directory(noMask, 2, 1, QPoint(0, 0));
        QByteArray png("\x89PNG\r\n\x1a\n broken");
        QTest::newRow("broken PNG") << directory(png, 2, 1, QPoint(0, 0));
        QByteArray large;
        QBuffer buffer(&large);
        buffer.open(QIODevice::WriteOnly);
        QImage(300, 2, QImage::Format_ARGB32).save(&buffer, "PNG");
        QTest::newRow("PNG wider than 256") << directory(large, 0, 2, QPoint(0, 0));
    }
    const QByteArray icon = chunk("icon", good);
    const QByteArray fram = chunk("LIST", "fram" + icon + icon);
    QTest::newRow("ani without header") << riff(fram);
    QTest::newRow("ani header too short") << riff(chunk("anih", anih(2, 2, 6).left(32)) + fram);
    QTest::newRow("ani without frames") << riff(chunk("anih", anih(2, 2, 6)));
    QTest::newRow("ani zero frames") << riff(chunk("anih", anih(0, 0, 6)) + fram);
    QTest::newRow("ani more frames than icons") << riff(chunk("anih", anih(3, 3, 6)) + fram);
    QTest::newRow("ani 1001 frames") << riff(chunk("anih", anih(1001, 1001, 6)) + fram);
    QTest::newRow("ani short rate")
        << riff(chunk("anih", anih(2, 2, 6)) + chunk("rate", dwords({1})) + fram);
    QTest::newRow("ani short sequence")
        << riff(chunk("anih", anih(2, 3, 6)) + chunk("seq ", dwords({0, 1})) + fram);
    QTest::newRow("ani sequence names a missing frame")
        << riff(chunk("anih", anih(2, 2, 6)) + chunk("seq ", dwords({0, 2})) + fram);
    QTest::newRow("ani second frame broken")
        << riff(chunk("anih", anih(2, 2, 6)) +
                chunk("LIST", "fram" + icon + chunk("icon", patched(22 + 14, "\x07"))));
    QTest::newRow("ani frame chunk overruns its list")
        << riff(chunk("anih", anih(1, 1, 6)) + chunk("LIST", "fram" + icon.left(icon.size() - 4)));
    QTest::newRow("ani wrong form type")
        << chunk("RIFF", "WAVE" + chunk("anih", anih(2, 2, 6)) + fram);
    QTest::newRow("ani two headers")
        << riff(chunk("anih", anih(2, 2, 6)) + chunk("anih", anih(2, 2, 6)) + fram);
}

void TestCursorLoader::badFiles() {
    QFETCH(QByteArray, file);
    QVERIFY(loadCursorFrames(file).empty());
}

void TestCursorLoader::loadCursorFallsBack() {
    QTemporaryDir dir;
    const QCursor fallback(Qt::CrossCursor);
    QCOMPARE(platform::loadCursor(dir.path() + "/missing.cur", fallback).shape(), Qt::CrossCursor);
    const QString bad = testsupport::writeFile(dir.path(), "bad.cur", "garbage");
    QCOMPARE(platform::loadCursor(bad, fallback).shape(), Qt::CrossCursor);

    const QString ani =
        testsupport::writeFile(dir.path(), "a.ani",
                               tools::writeAni({{testImage(20, 20, 1), QPoint(4, 5), 6},
                                                {testImage(20, 20, 2), QPoint(6, 7), 6}}));
    const QCursor c = platform::loadCursor(ani, fallback);
    QCOMPARE(c.shape(), Qt::BitmapCursor);
    QCOMPARE(c.hotSpot(), QPoint(4, 5));
    QCOMPARE(c.pixmap().size(), QSize(20, 20));
}

void TestCursorLoader::animatedCursorCycles() {
    std::vector<CursorImage> frames = loadCursorFrames(tools::writeAni(
        {{testImage(8, 8, 1), QPoint(1, 1), 1}, {testImage(8, 8, 2), QPoint(2, 2), 1}}));
    QCOMPARE(frames.size(), size_t(2));
    platform::AnimatedCursor animated(frames);
    QVERIFY(animated.isValid());
    QWidget mine, taken;
    auto gone = std::make_unique<QWidget>();
    animated.attach(&mine);
    animated.attach(&taken);
    animated.attach(gone.get());
    QCOMPARE(mine.cursor().hotSpot(), QPoint(1, 1));
    gone.reset();
    taken.setCursor(Qt::CrossCursor); // someone else's cursor now
    QSet<int> seen;
    QElapsedTimer t;
    t.start();
    while (seen.size() < 2 && t.elapsed() < 5000) {
        QTest::qWait(5);
        seen.insert(animated.currentFrame());
        QCOMPARE(mine.cursor().hotSpot(), animated.currentCursor().hotSpot());
    }
    QCOMPARE(seen.size(), 2);
    QCOMPARE(taken.cursor().shape(), Qt::CrossCursor);

    animated.detach(&mine);
    const int frame = animated.currentFrame();
    QTest::qWait(100);
    QCOMPARE(animated.currentFrame(), frame); // nothing attached: the timer rests

    QVERIFY(!platform::AnimatedCursor({}).isValid());
}

void TestCursorLoader::generatedCursors_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("minFrames");
    QTest::newRow("pointer") << "Data/self.ani" << 2;
    QTest::newRow("magnifier") << "Data/jx.cur" << 1;
    QTest::newRow("hand") << "Data/move.ani" << 2;
}

// The cursors of the data folder load as 32-pixel pictures whose hotspot is on the
// drawing itself (a tip, not empty space), the same in every frame.
void TestCursorLoader::generatedCursors() {
    QFETCH(QString, file);
    QFETCH(int, minFrames);
    const std::vector<CursorImage> frames =
        platform::loadCursorFile(QStringLiteral(PELUMO_BINARY_DIR "/") + file);
    QVERIFY(int(frames.size()) >= minFrames);
    for (const CursorImage& f : frames) {
        QCOMPARE(f.image.size(), QSize(32, 32));
        QCOMPARE(f.hotspot, frames.front().hotspot);
        QVERIFY(qAlpha(f.image.pixel(f.hotspot)) > 0);
        QVERIFY(f.delayMs >= (frames.size() > 1 ? 100 : 0));
    }
    if (frames.size() > 1)
        QVERIFY(frames[0].image != frames[1].image);
}

QTEST_MAIN(TestCursorLoader)
#include "tst_cursorloader.moc"

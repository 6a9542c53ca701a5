// The cursor loader: hand-made .cur files of every colour depth, PNG images and icons,
// truncated and broken files, and the fallback cursor.
#include "platform/CursorLoader.h"
#include "tests/common/TestSupport.h"
#include "tools/lib/CursorWriter.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QtTest>

using platform::CursorImage;
using platform::loadCursorFrames;

namespace {

QByteArray le(std::initializer_list<quint32> values, int width = 4) {
    QByteArray b;
    for (quint32 v : values)
        for (int i = 0; i < width; ++i)
            b.append(char(v >> (8 * i)));
    return b;
}

// An icon directory of one image (type 2 cursor, 1 icon).
QByteArray directory(const QByteArray& image, int width, int height, QPoint hotspot, int type = 2) {
    return le({0, quint32(type), 1}, 2) + le({quint32(width), quint32(height), 0, 0}, 1) +
           le({quint32(hotspot.x()), quint32(hotspot.y())}, 2) + le({quint32(image.size()), 22}) +
           image;
}

// BITMAPINFOHEADER; the stored height counts the mask too.
QByteArray infoHeader(int width, int height, int bpp, int colorsUsed = 0) {
    return le({40, quint32(width), quint32(2 * height)}) + le({1, quint32(bpp)}, 2) +
           le({0, 0, 0, 0, quint32(colorsUsed), 0});
}

QByteArray chunk(const char* id, const QByteArray& data) {
    return QByteArray(id, 4) + le({quint32(data.size())}) + data +
           (data.size() % 2 ? QByteArray(1, '\0') : QByteArray());
}

QByteArray anih(quint32 frames, quint32 steps, quint32 rate) {
    return chunk("anih", le({36u, frames, steps, 32u, 32u, 32u, 1u, rate, 1u}));
}

QByteArray riff(const QByteArray& chunks) {
    return chunk("RIFF", "ACON" + chunks);
}

// A picture with clear, half-clear and solid pixels that differ everywhere.
QImage testImage(int w, int h, int seed) {
    QImage image(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int alpha = (x + y + seed) % 5 == 0 ? 0 : (x * 7 + y * 3 + seed) % 4 ? 255 : 128;
            image.setPixel(x, y, alpha ? qRgba((x * 9 + seed) % 256, y * 13 % 256, 99, alpha) : 0);
        }
    return image;
}

QByteArray png(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace

class TestCursorLoader : public QObject {
    Q_OBJECT
private slots:
    void handMadeCur_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QList<QRgb>>("pixels"); // row by row, top first
        const QRgb clear = 0, black = qRgb(0, 0, 0), white = qRgb(255, 255, 255),
                   red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255), green = qRgb(0, 255, 0);
        const QByteArray bgr0 = QByteArray::fromHex("ff000000 00ff0000 0000ff00"); // blue green red
        // Rows are stored bottom-up, padded to four bytes, then the mask rows. Mask bit set +
        // black is clear; mask bit set + a colour inverts the screen, which shows as black.
        QTest::newRow("1 bpp, 3x2")
            << directory(infoHeader(3, 2, 1) + QByteArray::fromHex("00000000 ffffff00"
                                                                   "40000000 a0000000"
                                                                   "c0000000 00000000"),
                         3, 2, QPoint(1, 1))
            << QList<QRgb>{white, black, white, clear, black, black};
        QTest::newRow("4 bpp, palette of 3 colours used")
            << directory(infoHeader(3, 1, 4, 3) + bgr0.right(4) + bgr0.mid(4, 4) + bgr0.left(4) +
                             QByteArray::fromHex("20100000 00000000"),
                         3, 1, QPoint(0, 0))
            << QList<QRgb>{blue, red, green};
        QTest::newRow("8 bpp, masked pixels")
            << directory(infoHeader(5, 1, 8) + QByteArray::fromHex("00000000 0000ff00 ff000000") +
                             QByteArray(253 * 4, '\0') +
                             QByteArray::fromHex("0102000201000000 28000000"),
                         5, 1, QPoint(4, 0))
            << QList<QRgb>{red, blue, clear, blue, black};
        QTest::newRow("24 bpp, rows padded")
            << directory(infoHeader(3, 2, 24) + QByteArray::fromHex("ff0000 00ff00 0000ff 000000"
                                                                    "000000 ffffff 000000 000000"
                                                                    "00000000 80000000"),
                         3, 2, QPoint(2, 1))
            << QList<QRgb>{clear, white, black, blue, green, red};
        QTest::newRow("32 bpp without alpha: the mask decides")
            << directory(infoHeader(2, 1, 32) + QByteArray::fromHex("0000ff00 ff000000 40000000"),
                         2, 1, QPoint(0, 0))
            << QList<QRgb>{red, black};
        QTest::newRow("32 bpp with alpha: no mask needed")
            << directory(infoHeader(2, 1, 32) + QByteArray::fromHex("0000ff80 ff0000ff"), 2, 1,
                         QPoint(0, 0))
            << QList<QRgb>{qRgba(255, 0, 0, 128), blue};
    }
    void handMadeCur() {
        QFETCH(QByteArray, file);
        QFETCH(QList<QRgb>, pixels);
        const std::vector<CursorImage> frames = loadCursorFrames(file);
        QCOMPARE(frames.size(), size_t(1));
        const QImage& image = frames[0].image;
        QCOMPARE(image.size(), QSize(quint8(file[6]), quint8(file[7])));
        QList<QRgb> got;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                got << image.pixel(x, y);
        QCOMPARE(got, pixels);
        // The hotspot lies inside the directory entry, not in the image.
        QCOMPARE(frames[0].hotspot, QPoint(quint8(file[10]), quint8(file[12])));
    }

    void pngImageAndIconDirectory() {
        const QImage image = testImage(48, 40, 5);
        std::vector<CursorImage> frames = loadCursorFrames(directory(png(image), 48, 40, {7, 9}));
        QCOMPARE(frames.size(), size_t(1));
        QCOMPARE(frames[0].image, image);
        QCOMPARE(frames[0].hotspot, QPoint(7, 9));
        // An icon has no hotspot of its own; it points with its centre.
        frames = loadCursorFrames(directory(png(image), 48, 40, QPoint(7, 9), 1));
        QCOMPARE(frames.size(), size_t(1));
        QCOMPARE(frames[0].hotspot, QPoint(24, 20));
    }

    void badFiles_data() {
        QTest::addColumn<QByteArray>("file");
        const QByteArray good = tools::writeCur(testImage(8, 8, 1), QPoint(1, 1));
        auto patched = [&](int at, const QByteArray& bytes) {
            return QByteArray(good).replace(at, bytes.size(), bytes);
        };
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("no images") << patched(4, QByteArray("\0\0", 2));
        QTest::newRow("width 0") << patched(22 + 4, QByteArray("\0", 1));
        QTest::newRow("7 bpp") << patched(22 + 14, "\x07");
        QTest::newRow("header size too big") << patched(22, "\xFF\xFF");
        QTest::newRow("wider than 256")
            << directory(infoHeader(257, 1, 32) + QByteArray(257 * 4 + 36, '\0'), 0, 1, {});
        QTest::newRow("palette larger than the depth")
            << directory(infoHeader(2, 1, 1, 3) + QByteArray(12 + 8, '\0'), 2, 1, {});
        QTest::newRow("broken PNG") << directory("\x89PNG\r\n\x1a\n broken", 2, 1, {});
        QTest::newRow("PNG wider than 256")
            << directory(png(QImage(300, 2, QImage::Format_ARGB32)), 0, 2, {});
        const QByteArray icon = chunk("icon", good);
        const QByteArray fram = chunk("LIST", "fram" + icon + icon);
        QTest::newRow("ani without header") << riff(fram);
        QTest::newRow("ani header too short")
            << riff(chunk("anih", le({36, 2, 2, 32, 32, 32, 1, 6})) + fram);
        QTest::newRow("ani zero frames") << riff(anih(0, 0, 6) + fram);
        QTest::newRow("ani short rate") << riff(anih(2, 2, 6) + chunk("rate", le({1})) + fram);
        QTest::newRow("ani sequence names a missing frame")
            << riff(anih(2, 2, 6) + chunk("seq ", le({0, 2})) + fram);
        QTest::newRow("ani second frame broken") << riff(
            anih(2, 2, 6) + chunk("LIST", "fram" + icon + chunk("icon", patched(36, "\x07"))));
        QTest::newRow("ani frame chunk overruns its list")
            << riff(anih(1, 1, 6) + chunk("LIST", "fram" + icon.left(icon.size() - 4)));
    }
    void badFiles() {
        QFETCH(QByteArray, file);
        QVERIFY(loadCursorFrames(file).empty());
    }

    void loadCursorFallsBack() {
        QTemporaryDir dir;
        const QCursor fallback(Qt::CrossCursor);
        for (const QString& file : {dir.path() + "/missing.cur",
                                    testsupport::writeFile(dir.path(), "bad.cur", "garbage")})
            QCOMPARE(platform::loadCursor(file, fallback).shape(), Qt::CrossCursor);
        const QString ani =
            testsupport::writeFile(dir.path(), "a.ani",
                                   tools::writeAni({{testImage(20, 20, 1), {4, 5}, 6},
                                                    {testImage(20, 20, 2), {6, 7}, 6}}));
        const QCursor c = platform::loadCursor(ani, fallback);
        QCOMPARE(c.shape(), Qt::BitmapCursor);
        QCOMPARE(c.hotSpot(), QPoint(4, 5));
    }
};

QTEST_MAIN(TestCursorLoader)
#include "tst_cursorloader.moc"

// Movies of the SWF writer, read back with the program's reader and with small
// decoders of the bit-packed records written here from the file format.
#include "flashhost/swf/Swf.h"
#include "tools/lib/SwfWriter.h"

#include <QFile>
#include <QPainter>
#include <QtTest>
#include <algorithm>
#include <stdexcept>

using namespace tools;

namespace {

QByteArray hex(const char* text) {
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

int u16(const QByteArray& b, int pos) {
    return quint8(b[pos]) | quint8(b[pos + 1]) << 8;
}

quint32 u32(const QByteArray& b, int pos) {
    return quint32(u16(b, pos)) | quint32(u16(b, pos + 2)) << 16;
}

// Unpacks big-endian bit fields, as the format stores them.
class Bits {
public:
    Bits(const QByteArray& data, int bytePos) : data_(&data), pos_(bytePos * 8) {}
    quint32 ub(int n) {
        quint32 v = 0;
        for (int i = 0; i < n; ++i, ++pos_) {
            if (pos_ / 8 >= data_->size())
                throw std::out_of_range("bits past the end");
            v = v << 1 | ((quint8(data_->at(pos_ / 8)) >> (7 - pos_ % 8)) & 1);
        }
        return v;
    }
    int sb(int n) {
        const quint32 v = ub(n);
        return n > 0 && (v >> (n - 1)) ? int(v | ~0u << n) : int(v);
    }
    int bytePos() const { return (pos_ + 7) / 8; }

private:
    const QByteArray* data_;
    int pos_;
};

struct Matrix {
    double a = 1, b = 0, c = 0, d = 1;
    int tx = 0, ty = 0;
};

Matrix readMatrix(Bits& bits) {
    Matrix m;
    if (bits.ub(1)) {
        const int n = int(bits.ub(5));
        m.a = bits.sb(n) / 65536.0;
        m.d = bits.sb(n) / 65536.0;
    }
    if (bits.ub(1)) {
        const int n = int(bits.ub(5));
        m.b = bits.sb(n) / 65536.0;
        m.c = bits.sb(n) / 65536.0;
    }
    const int n = int(bits.ub(5));
    m.tx = bits.sb(n);
    m.ty = bits.sb(n);
    return m;
}

// Multiplier terms (8.8) of a CXFORMWITHALPHA; additions are skipped.
std::array<int, 4> readColorMultipliers(Bits& bits) {
    const bool hasAdd = bits.ub(1), hasMult = bits.ub(1);
    const int n = int(bits.ub(4));
    std::array<int, 4> mult{256, 256, 256, 256};
    if (hasMult)
        for (int& m : mult)
            m = bits.sb(n);
    if (hasAdd)
        for (int i = 0; i < 4; ++i)
            bits.sb(n);
    return mult;
}

struct Placement {
    int flags = 0, depth = 0, character = 0;
    Matrix matrix;
    std::array<int, 4> mult{256, 256, 256, 256};
};

Placement readPlacement(const QByteArray& body) {
    Placement p;
    p.flags = quint8(body[0]);
    p.depth = u16(body, 1);
    int pos = 3;
    if (p.flags & 0x02) {
        p.character = u16(body, pos);
        pos += 2;
    }
    Bits bits(body, pos);
    if (p.flags & 0x04) {
        p.matrix = readMatrix(bits);
        bits = Bits(body, bits.bytePos());
    }
    if (p.flags & 0x08)
        p.mult = readColorMultipliers(bits);
    return p;
}

// The outline of a DefineShape3: bounds, style counts, and the walk of its edges.
struct ShapeWalk {
    swf::Rect bounds;
    int fills = 0, lines = 0;
    QByteArray firstFill;
    int moves = 0, straight = 0, curved = 0;
    QPoint start, end; // twips, of the last contour
    QRect extent;      // of the anchors and the middles of curves
};

ShapeWalk walkShape(const QByteArray& body) {
    ShapeWalk w;
    Bits header(body, 2);
    const int n = int(header.ub(5));
    w.bounds.xmin = header.sb(n);
    w.bounds.xmax = header.sb(n);
    w.bounds.ymin = header.sb(n);
    w.bounds.ymax = header.sb(n);
    int pos = header.bytePos();
    w.fills = quint8(body[pos++]);
    const int fillStart = pos;
    for (int i = 0; i < w.fills; ++i) {
        const int type = quint8(body[pos]);
        if (type == 0) {
            pos += 5;
        } else {
            Bits m(body, pos + 3);
            readMatrix(m);
            pos = m.bytePos();
        }
    }
    w.firstFill = body.mid(fillStart, pos - fillStart);
    w.lines = quint8(body[pos++]);
    pos += w.lines * 6;
    const int fillBits = quint8(body[pos]) >> 4, lineBits = quint8(body[pos]) & 15;
    Bits bits(body, pos + 1);
    QPoint at;
    const auto see = [&w](QPoint p) { w.extent |= QRect(p, QSize(1, 1)); };
    for (;;) {
        if (bits.ub(1) == 0) {
            const int flags = int(bits.ub(5));
            if (flags == 0)
                break;
            if (flags & 1) {
                const int mb = int(bits.ub(5));
                at.setX(bits.sb(mb));
                at.setY(bits.sb(mb));
                w.start = at;
                ++w.moves;
                see(at);
            }
            if (flags & 2)
                bits.ub(fillBits);
            if (flags & 4)
                bits.ub(fillBits);
            if (flags & 8)
                bits.ub(lineBits);
        } else if (bits.ub(1) == 1) {
            const int nb = int(bits.ub(4)) + 2;
            if (bits.ub(1)) {
                at += QPoint(bits.sb(nb), 0);
                at += QPoint(0, bits.sb(nb));
            } else if (bits.ub(1)) {
                at += QPoint(0, bits.sb(nb));
            } else {
                at += QPoint(bits.sb(nb), 0);
            }
            ++w.straight;
            see(at);
        } else {
            const int nb = int(bits.ub(4)) + 2;
            int d[4];
            for (int& v : d)
                v = bits.sb(nb);
            const QPoint control = at + QPoint(d[0], d[1]);
            const QPoint from = at;
            at = control + QPoint(d[2], d[3]);
            see((from + 2 * control + at) / 4); // the curve's middle
            ++w.curved;
            see(at);
        }
    }
    w.end = at;
    return w;
}

std::vector<swf::Tag> tagsOf(const QByteArray& file, quint16 code) {
    std::vector<swf::Tag> out;
    const std::optional<swf::Movie> m = swf::parse(file);
    if (m) {
        for (const swf::Tag& t : m->tags)
            if (t.code == code)
                out.push_back(t);
    }
    return out;
}

// A movie holding the given tag records (which end with their End tag).
QByteArray movieOfTags(const QByteArray& records) {
    QByteArray f = swf::serialize(swf::Movie{});
    f.chop(2);
    f += records;
    for (int i = 0; i < 4; ++i)
        f[4 + i] = char(quint32(f.size()) >> (8 * i));
    return f;
}

int countTags(const std::vector<swf::Tag>& tags, quint16 code) {
    return int(std::count_if(tags.begin(), tags.end(),
                             [code](const swf::Tag& t) { return t.code == code; }));
}

// MPEG-1 Layer III frame header, 128 kbit/s, 44.1 kHz, joint stereo: 417-byte frames.
QByteArray mp3Frame(char fill = 0) {
    return hex("fffb9064") + QByteArray(413, fill);
}

// An info frame as LAME writes it: "Info" after the side information, then the tag
// with the encoder delay (12 bits) and padding (12 bits) 21 bytes in.
QByteArray lameInfoFrame(int delay, int padding) {
    QByteArray f = mp3Frame();
    int at = 4 + 32;
    f.replace(at, 8, QByteArray("Info") + hex("00000001"));
    at += 8 + 4; // frame count field
    f.replace(at, 9, "LAME3.100");
    f[at + 21] = char(delay >> 4);
    f[at + 22] = char((delay & 15) << 4 | padding >> 8);
    f[at + 23] = char(padding & 0xFF);
    return f;
}

} // namespace

class TestSwfWriter : public QObject {
    Q_OBJECT

private slots:
    void movieStructure_data();
    void movieStructure();
    void version5StringsAreGbk();
    void commandButton();
    void placementsMoveAndReplace();
    void tweenInterpolates();
    void shapesCloseAndBound_data();
    void shapesCloseAndBound();
    void bitmaps();
    void jpegShownAsThePlayerDrawsIt_data();
    void jpegShownAsThePlayerDrawsIt();
    void imageShapeIsAnchored();
    void spriteHasOwnFrames();
    void sounds();
    void realMp3FromTheEncoder();
    void loseMovie();
    void drawnFrame_data();
    void drawnFrame();
};

void TestSwfWriter::movieStructure_data() {
    QTest::addColumn<char>("compression");
    QTest::newRow("uncompressed FWS") << 'F';
    QTest::newRow("zlib CWS") << 'C';
    QTest::newRow("LZMA ZWS") << 'Z';
}

void TestSwfWriter::movieStructure() {
    QFETCH(char, compression);
    SwfWriter w(QSize(640, 480), 12);
    w.setCompression(compression);
    w.setBackgroundColor(QColor(0x12, 0x34, 0x56));
    const int box = w.defineShape(SwfShape().rect(QRectF(0, 0, 10, 10), ShapeFill::solid(Qt::red)));
    w.root().place(0, 1, box);
    w.root().stop(4); // frames 0..4
    const QByteArray file = w.finish();
    QCOMPARE(file.at(0), compression);

    QString error;
    const std::optional<swf::Movie> m = swf::parse(file, &error);
    QVERIFY2(m, qPrintable(error));
    QCOMPARE(m->header.version, quint8(8));
    QCOMPARE(m->header.frameSize.xmax, 640 * 20);
    QCOMPARE(m->header.frameSize.ymax, 480 * 20);
    QCOMPARE(m->header.frameRateFixed8, quint16(12 << 8));
    // A strict player wants FileAttributes first, one ShowFrame per counted frame,
    // and the last frame closed.
    QCOMPARE(m->tags.front().code, quint16(swf::kTagFileAttributes));
    QCOMPARE(m->tags.front().body, hex("00000000"));
    QCOMPARE(m->tags[1].code, quint16(swf::kTagSetBackgroundColor));
    QCOMPARE(m->tags[1].body, hex("123456"));
    QCOMPARE(m->header.frameCount, quint16(5));
    QCOMPARE(countTags(m->tags, swf::kTagShowFrame), 5);
    QCOMPARE(m->tags.back().code, quint16(swf::kTagShowFrame));
    const swf::Tag& stop = m->tags[m->tags.size() - 2];
    QCOMPARE(stop.code, quint16(swf::kTagDoAction));
    QCOMPARE(stop.body, hex("0700"));
    // The writer's tags survive the trip unchanged.
    const swf::Movie written = w.movie();
    QCOMPARE(m->tags.size(), written.tags.size());
    for (size_t i = 0; i < written.tags.size(); ++i)
        QCOMPARE(m->tags[i].body, written.tags[i].body);
}

void TestSwfWriter::version5StringsAreGbk() {
    SwfWriter w(QSize(100, 100), 24, 5);
    const int face =
        w.defineShape(SwfShape().ellipse(QRectF(0, 0, 40, 40), ShapeFill::solid(Qt::blue)));
    const int button = w.defineCommandButton(face, 0, 0, 0, QStringLiteral("找不同"));
    w.root().place(0, 1, button);
    w.root().fsCommand(0, QStringLiteral("找不同"), QStringLiteral("参数"));
    const QByteArray file = w.finish();
    QCOMPARE(swf::version(file), 5);
    const QByteArray gbk = hex("d5d2 b2bb cdac"); // 找不同 in code page 936
    QCOMPARE(file.count(QByteArray("FSCommand:") + gbk + '\0'), 2);
    QVERIFY(file.contains(hex("b2ce cafd 00"))); // 参数
    QVERIFY(!file.contains(QStringLiteral("找不同").toUtf8()));
    const std::optional<swf::Movie> m = swf::parse(file);
    QVERIFY(m);
    QCOMPARE(countTags(m->tags, swf::kTagFileAttributes), 0); // version 8 and later only
}

void TestSwfWriter::commandButton() {
    SwfWriter w(QSize(200, 100));
    const int up = w.defineShape(SwfShape().rect(QRectF(0, 0, 50, 20), ShapeFill::solid(Qt::gray)));
    const int over =
        w.defineShape(SwfShape().rect(QRectF(0, 0, 50, 20), ShapeFill::solid(Qt::white)));
    const int hit =
        w.defineShape(SwfShape().rect(QRectF(-5, -5, 60, 30), ShapeFill::solid(Qt::black)));
    const int ding = w.defineSound(mp3Frame() + mp3Frame());
    const int id =
        w.defineCommandButton(up, over, 0, hit, QStringLiteral("btnexit"), QString(), ding);

    const QByteArray file = w.finish();
    const std::vector<swf::Tag> buttons = tagsOf(file, swf::kTagDefineButton2);
    QCOMPARE(buttons.size(), size_t(1));
    const QByteArray b = buttons[0].body;
    QCOMPARE(u16(b, 0), id);
    QCOMPARE(int(quint8(b[2])), 0); // not a menu button
    const int actionOffset = u16(b, 3);

    // Records: flags (hit 8, down 4, over 2, up 1), character, depth, matrix, colour transform.
    struct Rec {
        int flags, character;
    };
    std::vector<Rec> recs;
    int pos = 5;
    while (b[pos] != 0) {
        const int flags = quint8(b[pos]);
        const int character = u16(b, pos + 1);
        Bits bits(b, pos + 5);
        readMatrix(bits);
        bits = Bits(b, bits.bytePos());
        readColorMultipliers(bits);
        pos = bits.bytePos();
        recs.push_back({flags, character});
    }
    QCOMPARE(recs.size(), size_t(3));
    QCOMPARE(recs[0].character, up); // up, and down since no down look was given
    QCOMPARE(recs[0].flags, 0x05);
    QCOMPARE(recs[1].character, over);
    QCOMPARE(recs[1].flags, 0x02);
    QCOMPARE(recs[2].character, hit);
    QCOMPARE(recs[2].flags, 0x08);

    // The offset counts from its own field to the condition list after the records' end byte.
    QCOMPARE(3 + actionOffset, pos + 1);
    const QByteArray cond = b.mid(pos + 1);
    QCOMPARE(u16(cond, 0), 0);      // last condition
    QCOMPARE(u16(cond, 2), 0x0008); // OverDownToOverUp: released over the button
    QCOMPARE(cond.mid(4), hex("83 1300") + "FSCommand:btnexit" + hex("00 00 00"));

    // The press sound sits in the third slot (OverUpToOverDown).
    const std::vector<swf::Tag> sounds = tagsOf(file, swf::kTagDefineButtonSound);
    QCOMPARE(sounds.size(), size_t(1));
    QByteArray expected;
    for (int v : {id, 0, 0, ding})
        expected.append(char(v & 0xFF)).append(char(v >> 8));
    QCOMPARE(sounds[0].body, expected + hex("00 0000"));
}

void TestSwfWriter::placementsMoveAndReplace() {
    SwfWriter w(QSize(100, 100));
    const int a = w.defineShape(SwfShape().rect(QRectF(0, 0, 5, 5), ShapeFill::solid(Qt::red)));
    const int b = w.defineShape(SwfShape().rect(QRectF(0, 0, 5, 5), ShapeFill::solid(Qt::blue)));
    SwfTimeline& t = w.root();
    t.place(0, 3, a, QTransform::fromTranslate(10, 20));
    t.place(1, 3, a, QTransform::fromTranslate(11.5, -2));
    t.place(2, 3, b, QTransform().scale(2, 0.5));
    ColorTransform faded;
    faded.mulA = 0.5;
    t.place(3, 3, b, QTransform(), faded);
    t.place(4, 3, b, QTransform(), faded);
    t.remove(5, 3);
    t.place(6, 3, a);

    const std::vector<swf::Tag> places = tagsOf(w.finish(), swf::kTagPlaceObject2);
    QCOMPARE(places.size(), size_t(6));
    std::vector<Placement> p;
    for (const swf::Tag& tag : places)
        p.push_back(readPlacement(tag.body));
    // flags: move 1, character 2, matrix 4, colour transform 8
    QCOMPARE(p[0].flags, 0x06);
    QCOMPARE(p[0].character, a);
    QCOMPARE(p[0].matrix.tx, 200);
    QCOMPARE(p[0].matrix.ty, 400);
    QCOMPARE(p[1].flags, 0x05); // same character: moved only
    QCOMPARE(p[1].matrix.tx, 230);
    QCOMPARE(p[1].matrix.ty, -40);
    QCOMPARE(p[2].flags, 0x07); // another character at the same depth replaces it
    QCOMPARE(p[2].character, b);
    QCOMPARE(p[2].matrix.a, 2.0);
    QCOMPARE(p[2].matrix.d, 0.5);
    QCOMPARE(p[3].flags, 0x0D); // colour transform written when it changes...
    QCOMPARE(p[3].mult[3], 128);
    QCOMPARE(p[4].flags, 0x05); // ...and not repeated
    QCOMPARE(p[5].flags, 0x06); // after a removal the depth is empty again
    const std::vector<swf::Tag> removes = tagsOf(w.finish(), swf::kTagRemoveObject2);
    QCOMPARE(removes.size(), size_t(1));
    QCOMPARE(removes[0].body, hex("0300"));

    // Rotation: 90 degrees clockwise on screen maps x to y.
    SwfWriter r(QSize(10, 10));
    Pose turned;
    turned.rotation = 90;
    r.root().place(0, 1, a, turned);
    const Placement q = readPlacement(tagsOf(r.finish(), swf::kTagPlaceObject2)[0].body);
    QCOMPARE(qRound(q.matrix.b * 1000), 1000); // RotateSkew0: x' gets no x, y' = x
    QCOMPARE(qRound(q.matrix.c * 1000), -1000);
    QCOMPARE(qRound(q.matrix.a * 1000), 0);
}

void TestSwfWriter::tweenInterpolates() {
    SwfWriter w(QSize(100, 100));
    const int dot =
        w.defineShape(SwfShape().ellipse(QRectF(-2, -2, 4, 4), ShapeFill::solid(Qt::red)));
    Pose from, to;
    from.pos = QPointF(10, 20);
    to.pos = QPointF(30, 40);
    to.alpha = 0;
    to.scaleX = to.scaleY = 3;
    w.root().tween(2, dot, 1, 3, from, to);
    const QByteArray file = w.finish();
    const std::optional<swf::Movie> m = swf::parse(file);
    QVERIFY(m);
    QCOMPARE(m->header.frameCount, quint16(4)); // frame 0 empty, then frames 1..3

    std::vector<Placement> p;
    for (const swf::Tag& tag : tagsOf(file, swf::kTagPlaceObject2))
        p.push_back(readPlacement(tag.body));
    QCOMPARE(p.size(), size_t(3));
    QCOMPARE(p[0].matrix.tx, 200);
    QCOMPARE(p[1].matrix.tx, 400);
    QCOMPARE(p[2].matrix.tx, 600);
    QCOMPARE(p[2].matrix.ty, 800);
    QCOMPARE(p[1].matrix.a, 2.0);
    QCOMPARE(p[1].mult[3], 128);
    QCOMPARE(p[2].mult[3], 0);
    // One placement in each of frames 1, 2 and 3.
    int frame = 0;
    std::vector<int> frames;
    for (const swf::Tag& t : m->tags) {
        if (t.code == swf::kTagShowFrame)
            ++frame;
        else if (t.code == swf::kTagPlaceObject2)
            frames.push_back(frame);
    }
    QCOMPARE(frames, (std::vector<int>{1, 2, 3}));
}

void TestSwfWriter::shapesCloseAndBound_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QRectF>("box");
    QTest::newRow("rectangle") << 0 << QRectF(3, 4, 50, 20);
    QTest::newRow("rounded rectangle") << 1 << QRectF(-10.3, 0.7, 80, 33);
    QTest::newRow("ellipse") << 2 << QRectF(0.05, 0.05, 37.3, 11.1);
    QTest::newRow("huge ellipse needs split edges") << 2 << QRectF(-4000, -3000, 8000, 6000);
    QTest::newRow("triangle") << 3 << QRectF(0, 0, 30, 30);
}

void TestSwfWriter::shapesCloseAndBound() {
    QFETCH(int, kind);
    QFETCH(QRectF, box);
    SwfShape s;
    const ShapeFill fill = ShapeFill::solid(QColor(10, 20, 30, 40));
    if (kind == 0)
        s.rect(box, fill);
    else if (kind == 1)
        s.roundedRect(box, 8, fill);
    else if (kind == 2)
        s.ellipse(box, fill);
    else
        s.polygon(QPolygonF({box.topLeft(), box.topRight(), box.bottomLeft()}), fill);
    SwfWriter w(QSize(10, 10));
    w.defineShape(s);
    const std::vector<swf::Tag> shapes = tagsOf(w.finish(), swf::kTagDefineShape3);
    QCOMPARE(shapes.size(), size_t(1));
    const ShapeWalk walk = walkShape(shapes[0].body);
    QCOMPARE(walk.fills, 1);
    QCOMPARE(walk.firstFill, hex("00 0a141e28")); // solid RGBA
    QCOMPARE(walk.lines, 0);
    QCOMPARE(walk.moves, 1);
    QCOMPARE(walk.end, walk.start); // closed despite rounding to twips
    // The outline stays within the declared bounds, and the bounds are tight.
    const QRect bounds(QPoint(walk.bounds.xmin, walk.bounds.ymin),
                       QPoint(walk.bounds.xmax - 1, walk.bounds.ymax - 1));
    QVERIFY2(bounds.adjusted(-1, -1, 1, 1).contains(walk.extent),
             qPrintable(QStringLiteral("%1,%2 %3x%4")
                            .arg(walk.extent.x())
                            .arg(walk.extent.y())
                            .arg(walk.extent.width())
                            .arg(walk.extent.height())));
    QVERIFY(qAbs(walk.bounds.xmin - box.left() * 20) <= 1);
    QVERIFY(qAbs(walk.bounds.ymax - box.bottom() * 20) <= 1);
    if (kind == 0 || kind == 3) {
        QCOMPARE(walk.curved, 0);
        QCOMPARE(walk.straight, kind == 0 ? 4 : 3);
    } else {
        QVERIFY(walk.curved >= 8);
    }
    if (kind == 2) { // the curve passes through the ellipse's extreme points
        QVERIFY(qAbs(walk.extent.right() - box.right() * 20) <= 2);
        QVERIFY(qAbs(walk.extent.top() - box.top() * 20) <= 2);
    }
}

void TestSwfWriter::bitmaps() {
    QImage img(2, 1, QImage::Format_ARGB32);
    img.setPixel(0, 0, qRgba(255, 0, 0, 255));
    img.setPixel(1, 0, qRgba(0, 0, 255, 128));
    SwfWriter w(QSize(10, 10));
    const int id = w.defineBitmap(img);
    QImage photo(8, 8, QImage::Format_RGB32);
    photo.fill(Qt::darkGreen);
    const int opaque = w.defineJpeg(photo);
    const int translucent = w.defineJpeg(img);
    const QByteArray file = w.finish();

    const std::vector<swf::Tag> lossless = tagsOf(file, swf::kTagDefineBitsLossless2);
    QCOMPARE(lossless.size(), size_t(1));
    const QByteArray& b = lossless[0].body;
    QCOMPARE(u16(b, 0), id);
    QCOMPARE(b.mid(2, 5), hex("05 0200 0100")); // 32-bit ARGB, 2 x 1
    QByteArray sized = hex("00000008") + b.mid(7);
    QCOMPARE(qUncompress(sized), hex("ffff0000 80000080")); // premultiplied A, R, G, B

    const std::vector<swf::Tag> jpeg2 = tagsOf(file, swf::kTagDefineBitsJpeg2);
    QCOMPARE(jpeg2.size(), size_t(1));
    QCOMPARE(u16(jpeg2[0].body, 0), opaque);
    QVERIFY(jpeg2[0].body.mid(2).startsWith(hex("ffd8")));

    const std::vector<swf::Tag> jpeg3 = tagsOf(file, swf::kTagDefineBitsJpeg3);
    QCOMPARE(jpeg3.size(), size_t(1));
    const QByteArray& j = jpeg3[0].body;
    QCOMPARE(u16(j, 0), translucent);
    const int alphaAt = 6 + int(u32(j, 2));
    QVERIFY(j.mid(6).startsWith(hex("ffd8")));
    QCOMPARE(j.mid(alphaAt - 2, 2), hex("ffd9")); // the offset ends the JPEG data
    QCOMPARE(qUncompress(hex("00000002") + j.mid(alphaAt)), hex("ff80"));

    // The colour of translucent JPEG pixels is kept as it is: the player multiplies it by
    // the alpha plane itself.
    QImage glass(16, 16, QImage::Format_ARGB32);
    glass.fill(qRgba(0, 0, 255, 128));
    SwfWriter g(QSize(10, 10));
    g.defineJpeg(glass);
    const QByteArray glassBody = tagsOf(g.finish(), swf::kTagDefineBitsJpeg3)[0].body;
    const QImage decoded = QImage::fromData(glassBody.mid(6, int(u32(glassBody, 2))), "JPEG");
    QVERIFY(qAbs(qBlue(decoded.pixel(8, 8)) - 255) <= 6);

    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, w.defineBitmap(QImage()));
}

void TestSwfWriter::jpegShownAsThePlayerDrawsIt_data() {
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QColor>("shown"); // premultiplied, as drawn over the ground
    QTest::newRow("opaque colour as decoded") << QColor(40, 160, 90, 255) << QColor(40, 160, 90);
    QTest::newRow("translucent white clamped to its alpha")
        << QColor(255, 255, 255, 200) << QColor(157, 157, 157, 200);
    QTest::newRow("dark translucent colour only multiplied")
        << QColor(60, 30, 120, 128) << QColor(30, 15, 60, 128);
    QTest::newRow("transparent pixel shows nothing") << QColor(255, 0, 0, 0) << QColor(0, 0, 0, 0);
}

// The picture a movie's first frame is drawn from must be what the player will draw, or
// the window's picture jumps when the player takes over.
void TestSwfWriter::jpegShownAsThePlayerDrawsIt() {
    QFETCH(QColor, colour);
    QFETCH(QColor, shown);
    QImage img(16, 16, QImage::Format_ARGB32);
    img.fill(colour);
    img.setPixel(0, 0, qRgba(0, 0, 0, 255)); // a bitmap with transparency is not all one pixel
    SwfWriter w(QSize(16, 16));
    QImage picture;
    w.defineJpeg(img, 95, &picture);
    QCOMPARE(picture.size(), img.size());
    QCOMPARE(picture.format(), QImage::Format_ARGB32_Premultiplied);
    const QRgb p = reinterpret_cast<const QRgb*>(picture.constScanLine(8))[8];
    QCOMPARE(qAlpha(p), shown.alpha());
    QVERIFY2(qAbs(qRed(p) - shown.red()) <= 4 && qAbs(qGreen(p) - shown.green()) <= 4 &&
                 qAbs(qBlue(p) - shown.blue()) <= 4,
             qPrintable(QString("shown %1 %2 %3").arg(qRed(p)).arg(qGreen(p)).arg(qBlue(p))));
}

void TestSwfWriter::imageShapeIsAnchored() {
    QImage text(40, 20, QImage::Format_ARGB32_Premultiplied);
    text.fill(Qt::transparent);
    SwfWriter w(QSize(100, 100));
    const int shape = w.defineImageShape(text, QPointF(20, 10));
    const QByteArray file = w.finish();
    const std::vector<swf::Tag> shapes = tagsOf(file, swf::kTagDefineShape3);
    QCOMPARE(u16(shapes[0].body, 0), shape);
    const ShapeWalk walk = walkShape(shapes[0].body);
    QCOMPARE(walk.bounds.xmin, -400);
    QCOMPARE(walk.bounds.xmax, 400);
    QCOMPARE(walk.bounds.ymin, -200);
    QCOMPARE(walk.bounds.ymax, 200);
    // Clipped smoothed bitmap fill of the bitmap defined just before, 20 twips a pixel.
    QCOMPARE(int(quint8(walk.firstFill[0])), 0x41);
    QCOMPARE(u16(walk.firstFill, 1), u16(tagsOf(file, swf::kTagDefineBitsLossless2)[0].body, 0));
    Bits bits(walk.firstFill, 3);
    const Matrix m = readMatrix(bits);
    QCOMPARE(m.a, 20.0);
    QCOMPARE(m.d, 20.0);
    QCOMPARE(m.tx, -400);
    QCOMPARE(m.ty, -200);
}

void TestSwfWriter::spriteHasOwnFrames() {
    SwfWriter w(QSize(100, 100));
    const int dot =
        w.defineShape(SwfShape().ellipse(QRectF(0, 0, 4, 4), ShapeFill::solid(Qt::red)));
    SwfTimeline spin = w.newTimeline();
    spin.place(0, 1, dot);
    spin.place(2, 1, dot, QTransform::fromTranslate(5, 0));
    spin.gotoAndPlay(2, 0);
    const int sprite = w.defineSprite(spin);
    w.root().place(0, 1, sprite);

    const QByteArray file = w.finish();
    const std::optional<swf::Movie> m = swf::parse(file);
    QCOMPARE(m->header.frameCount, quint16(1));
    const std::vector<swf::Tag> sprites = tagsOf(file, swf::kTagDefineSprite);
    QCOMPARE(sprites.size(), size_t(1));
    const QByteArray& body = sprites[0].body;
    QCOMPARE(u16(body, 0), sprite);
    QCOMPARE(u16(body, 2), 3);
    // The nested tags read like a movie's.
    const std::optional<swf::Movie> nested = swf::parse(movieOfTags(body.mid(4)));
    QVERIFY(nested);
    QCOMPARE(countTags(nested->tags, swf::kTagShowFrame), 3);
    QCOMPARE(countTags(nested->tags, swf::kTagPlaceObject2), 2);
    QCOMPARE(nested->tags[4].code, quint16(swf::kTagDoAction));
    QCOMPARE(nested->tags[4].body, hex("81 0200 0000 06 00"));
}

void TestSwfWriter::sounds() {
    const QByteArray id3 = QByteArray("ID3") + hex("0400 00 00000005") + "abcde";
    const QByteArray frames = mp3Frame('\x11') + mp3Frame('\x22') + mp3Frame('\x33');
    const QByteArray file = id3 + lameInfoFrame(576, 1000) + frames + "TAG" + QByteArray(125, ' ');
    const Mp3Info info = readMp3(file);
    QCOMPARE(info.sampleRate, 44100);
    QVERIFY(info.stereo);
    QCOMPARE(info.frames, 3);
    QCOMPARE(info.encoderDelay, 576);
    QCOMPARE(info.encoderPadding, 1000);
    QCOMPARE(info.data, frames);

    SwfWriter w(QSize(10, 10));
    const int id = w.defineSound(file);
    w.root().startSound(0, id);
    const QByteArray movie = w.finish();
    const std::vector<swf::Tag> sounds = tagsOf(movie, swf::kTagDefineSound);
    QCOMPARE(sounds.size(), size_t(1));
    const QByteArray& s = sounds[0].body;
    QCOMPARE(u16(s, 0), id);
    QCOMPARE(int(quint8(s[2])), 0x2F); // MP3, 44 kHz, 16-bit, stereo
    QCOMPARE(u32(s, 3), quint32(3 * 1152 - 576 - 1000));
    QCOMPARE(u16(s, 7), 576 + 529); // seek samples
    QCOMPARE(s.mid(9), frames);
    const std::vector<swf::Tag> starts = tagsOf(movie, swf::kTagStartSound);
    QCOMPARE(starts.size(), size_t(1));
    QCOMPARE(starts[0].body, QByteArray(1, char(id)) + hex("00 00"));

    // MPEG-2 at 22.05 kHz, mono.
    const QByteArray mono = hex("fff390c4") + QByteArray(413, 0);
    QCOMPARE(readMp3(mono).sampleRate, 22050);
    QVERIFY(!readMp3(mono).stereo);
    QCOMPARE(readMp3(mono).samplesPerFrame, 576);

    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, readMp3("not an mp3 file"));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, readMp3(QByteArray()));
    // 48 kHz has no rate code in the format.
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument,
                             w.defineSound(hex("fffb9464") + QByteArray(400, 0)));
}

void TestSwfWriter::realMp3FromTheEncoder() {
    QFile f(QStringLiteral(PELUMO_BINARY_DIR "/Data/Sound/bg.mp3"));
    if (!f.open(QIODevice::ReadOnly))
        QSKIP("the demo data is not generated");
    const QByteArray mp3 = f.readAll();
    const Mp3Info info = readMp3(mp3);
    QCOMPARE(info.sampleRate, 44100);
    QVERIFY(info.encoderDelay > 0); // LAME writes its tag
    // About 32 seconds of music.
    const double seconds = double(info.frames) * info.samplesPerFrame / info.sampleRate;
    QVERIFY2(seconds > 30 && seconds < 34, qPrintable(QString::number(seconds)));
    QVERIFY(info.data.size() > mp3.size() * 9 / 10);
}

void TestSwfWriter::loseMovie() {
    QFile f(QStringLiteral(":/flash/lose"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const std::optional<swf::Movie> m = swf::parse(f.readAll());
    QVERIFY(m);
    QCOMPARE(m->header.version, quint8(8));
    QCOMPARE(m->header.frameRateFixed8, quint16(24 << 8));
    QCOMPARE(m->header.frameCount, quint16(24)); // one second
    QCOMPARE(countTags(m->tags, swf::kTagShowFrame), 24);
    QCOMPARE(countTags(m->tags, swf::kTagSetBackgroundColor), 0); // transparent
    QCOMPARE(m->tags.front().code, quint16(swf::kTagFileAttributes));
    // It stops on its last frame, which shows nothing.
    const auto last = m->tags.end() - 1;
    QCOMPARE(last->code, quint16(swf::kTagShowFrame));
    QCOMPARE((last - 1)->code, quint16(swf::kTagDoAction));
    QCOMPARE((last - 1)->body, hex("0700"));
    int shown = 0;
    for (const swf::Tag& t : m->tags) {
        if (t.code == swf::kTagPlaceObject2 && (quint8(t.body[0]) & 0x01) == 0)
            ++shown;
        else if (t.code == swf::kTagRemoveObject2)
            --shown;
    }
    QCOMPARE(shown, 0);
}

// A frame drawn as the player shows it when it starts there: what is placed up to the frame
// and not removed, later depths over earlier ones, sprites on their first frame, buttons in
// their up state, faded as placed.
void TestSwfWriter::drawnFrame_data() {
    QTest::addColumn<int>("frame");
    QTest::addColumn<QColor>("at10"); // the colour at (10, 10)
    QTest::addColumn<QColor>("at30"); // at (30, 10)
    QTest::addColumn<QColor>("at50"); // at (50, 10)
    const QColor sky(0, 0, 255);
    QTest::newRow("the first frame: the red square and the sprite's first frame")
        << 0 << QColor(255, 0, 0) << QColor(0, 255, 0) << sky;
    QTest::newRow("a square removed is gone, a deeper one covers, the button's up look shows")
        << 2 << sky << QColor(255, 255, 0) << QColor(255, 255, 255);
    QTest::newRow("a later frame: the button gone, a red square half faded over the sky")
        << 3 << sky << QColor(255, 255, 0) << QColor(128, 0, 128);
}

void TestSwfWriter::drawnFrame() {
    QFETCH(int, frame);
    QFETCH(QColor, at10);
    QFETCH(QColor, at30);
    QFETCH(QColor, at50);
    SwfWriter w(QSize(60, 20), 12, 8);
    w.setBackgroundColor(QColor(0, 0, 255));
    w.keepForDrawing();
    const auto square = [&w](const QColor& c) {
        return w.defineShape(SwfShape().rect(QRectF(0, 0, 20, 20), ShapeFill::solid(c)));
    };
    const int red = square(Qt::red), green = square(Qt::green), yellow = square(Qt::yellow),
              white = square(Qt::white), black = square(Qt::black);
    SwfTimeline blink = w.newTimeline();
    blink.place(0, 1, green);
    blink.place(1, 1, black);
    w.root().place(0, 1, red);
    w.root().place(0, 2, w.defineSprite(blink), QTransform::fromTranslate(20, 0));
    w.root().remove(1, 1);
    w.root().place(2, 3, yellow, QTransform::fromTranslate(20, 0));
    w.root().place(2, 4, w.defineCommandButton(white, black, black, 0, "go"),
                   QTransform::fromTranslate(40, 0));
    w.root().remove(3, 4);
    w.root().place(3, 5, red, Pose::at({40, 0}, 1, 0.5));
    const QImage drawn = w.drawFrame(frame);
    QCOMPARE(drawn.size(), QSize(60, 20));
    const auto near = [](QColor a, QColor b) {
        return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                   std::abs(a.blue() - b.blue()) <=
               6;
    };
    QVERIFY2(near(drawn.pixelColor(10, 10), at10), qPrintable(drawn.pixelColor(10, 10).name()));
    QVERIFY2(near(drawn.pixelColor(30, 10), at30), qPrintable(drawn.pixelColor(30, 10).name()));
    QVERIFY2(near(drawn.pixelColor(50, 10), at50), qPrintable(drawn.pixelColor(50, 10).name()));
}

QTEST_MAIN(TestSwfWriter)
#include "tst_swfwriter.moc"

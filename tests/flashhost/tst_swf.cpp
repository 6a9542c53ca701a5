// The SWF reader and rewriter: compression round trips, the frame-1 action insertion,
// bad files refused, and the text encoding of old movies' actions.
#include "flashhost/swf/ActionBuilder.h"
#include "flashhost/swf/Swf.h"
#include "platform/Gbk.h"

#include <QRandomGenerator>
#include <QtTest>

using swf::ActionBuilder;

namespace {

QByteArray hex(const char* text) {
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

// A 550x400 movie at 24 fps with the given tags.
swf::Movie movieWith(std::vector<swf::Tag> tags, char compression = 'F', quint16 frames = 1) {
    swf::Movie m;
    m.header = {compression, 8, 0, {0, 11000, 0, 8000}, 24 << 8, frames};
    m.tags = std::move(tags);
    return m;
}

swf::Movie typicalMovie(char compression) {
    return movieWith({{swf::kTagFileAttributes, hex("00000000")},
                      {swf::kTagSetBackgroundColor, hex("ffcc00")},
                      {swf::kTagDefineShape3, QByteArray(80, 'x')},
                      {swf::kTagDoAction, hex("0700")},
                      {swf::kTagShowFrame, {}},
                      {swf::kTagPlaceObject2, hex("0601000100")},
                      {swf::kTagShowFrame, {}}},
                     compression, 2);
}

bool sameTags(const std::vector<swf::Tag>& a, const std::vector<swf::Tag>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
        return x.code == y.code && x.body == y.body;
    });
}

} // namespace

class TestSwf : public QObject {
    Q_OBJECT

private slots:
    void roundTrip_data() {
        QTest::addColumn<char>("compression");
        QTest::newRow("uncompressed FWS") << 'F';
        QTest::newRow("zlib CWS") << 'C';
        QTest::newRow("LZMA ZWS") << 'Z';
    }
    void roundTrip() {
        QFETCH(char, compression);
        swf::Movie m = typicalMovie(compression);
        m.header.frameSize = {-40, 11000, -1, 8000}; // negative coordinates sign-extend
        const QByteArray file = swf::serialize(m);
        QCOMPARE(file.left(3), QByteArray(1, compression) + "WS");
        QCOMPARE(swf::version(file), 8);
        QString error;
        const std::optional<swf::Movie> back = swf::parse(file, &error);
        QVERIFY2(back, qPrintable(error));
        QCOMPARE(back->header.compression, compression);
        QCOMPARE(back->header.frameCount, quint16(2));
        QCOMPARE(back->header.frameSize.xmin, -40);
        QCOMPARE(back->header.frameSize.ymin, -1);
        QVERIFY(sameTags(back->tags, m.tags));
        // fileLength is the uncompressed size, whatever the header held before.
        m.header.compression = 'F';
        QCOMPARE(qsizetype(back->header.fileLength), swf::serialize(m).size());
    }

    void lzmaDecodes() {
        // A dictionary of 4 GB declared in the properties must not be allocated.
        QByteArray file = swf::serialize(typicalMovie('Z'));
        file.replace(13, 4, hex("ffffffff"));
        QVERIFY(swf::parse(file));
        // A block repeated 1.5 MB later: the match reaches beyond the first, small dictionary.
        QByteArray block(1536 * 1024, Qt::Uninitialized);
        QRandomGenerator rng(7);
        for (char& c : block)
            c = char(rng.generate());
        const swf::Movie m =
            movieWith({{swf::kTagDoAction, block}, {swf::kTagDoAction, block}}, 'Z');
        file = swf::serialize(m);
        QVERIFY(file.size() < block.size() * 3 / 2); // the repeat was found
        const std::optional<swf::Movie> back = swf::parse(file);
        QVERIFY(back && sameTags(back->tags, m.tags));
    }

    // Bad files and movies the rewriter cannot take; `parses` marks good movies that
    // only the insertion refuses.
    void badInputRefused_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("parses");
        const QByteArray good = swf::serialize(typicalMovie('F'));
        const QByteArray cws = swf::serialize(typicalMovie('C'));
        const QByteArray zws = swf::serialize(typicalMovie('Z'));
        const auto withLength = [](QByteArray b, quint32 length) {
            for (int i = 0; i < 4; ++i)
                b[4 + i] = char(length >> (8 * i));
            return b;
        };
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("not a movie") << QByteArray("GIF89a, certainly not a movie") << false;
        QTest::newRow("header without frame rect") << withLength(good.left(8), 8) << false;
        QTest::newRow("file length below header") << withLength(good, 4) << false;
        QTest::newRow("file length over the cap")
            << withLength(good, swf::kMaxMovieSize + 1) << false;
        QTest::newRow("uncompressed and truncated") << good.left(good.size() - 5) << false;
        QTest::newRow("rect bits run past the end")
            << withLength(hex("465753 08 00000000 f8ff"), 10) << false;
        QTest::newRow("tag length past the end")
            << withLength(good.left(21) + hex("3f03 ffffff7f 00"), 28) << false;
        QTest::newRow("zlib truncated") << cws.left(cws.size() / 2) << false;
        QTest::newRow("zlib declares more than it holds")
            << withLength(cws, 200 * 1024 * 1024) << false;
        QTest::newRow("lzma properties invalid") << zws.left(12) + hex("ff") + zws.mid(13) << false;
        QTest::newRow("lzma truncated") << zws.left(zws.size() - 10) << false;
        QTest::newRow("insert: no frame")
            << swf::serialize(movieWith({{swf::kTagDoAction, hex("0700")}})) << true;
        QTest::newRow("insert: AS3 movie")
            << swf::serialize(movieWith(
                   {{swf::kTagFileAttributes, hex("08000000")}, {swf::kTagShowFrame, {}}}))
            << true;
    }
    void badInputRefused() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, parses);
        QString error;
        QCOMPARE(bool(swf::parse(bytes, &error)), parses);
        QCOMPARE(error.isEmpty(), parses);
        QVERIFY(!swf::injectFrameOneActions(bytes, hex("07"), &error));
        QVERIFY(!error.isEmpty());
    }

    void injectPutsActionBeforeFirstFrame_data() { roundTrip_data(); }
    void injectPutsActionBeforeFirstFrame() {
        QFETCH(char, compression);
        const swf::Movie original = typicalMovie(compression);
        const QByteArray actions = hex("96 0300 0061 00 1c 07");
        QString error;
        const std::optional<QByteArray> out =
            swf::injectFrameOneActions(swf::serialize(original), actions, &error);
        QVERIFY2(out, qPrintable(error));
        QCOMPARE(out->at(0), compression);
        const std::optional<swf::Movie> m = swf::parse(*out);
        QVERIFY(m);
        // Everything as it was, with the new DoAction after frame 1's own actions.
        std::vector<swf::Tag> expected = original.tags;
        expected.insert(expected.begin() + 4, swf::Tag{swf::kTagDoAction, actions + hex("00")});
        QVERIFY(sameTags(m->tags, expected));
        QCOMPARE(m->header.frameCount, original.header.frameCount);
        swf::Movie flat{m->header, expected};
        flat.header.compression = 'F';
        QCOMPARE(qsizetype(m->header.fileLength), swf::serialize(flat).size());
    }

    // The player's copy may be left uncompressed: the same movie, nothing recompressed.
    void injectFlatLeavesTheMovieUncompressed_data() { roundTrip_data(); }
    void injectFlatLeavesTheMovieUncompressed() {
        QFETCH(char, compression);
        const swf::Movie original = typicalMovie(compression);
        const QByteArray actions = hex("07");
        const auto kept = swf::injectFrameOneActions(swf::serialize(original), actions);
        const auto flat =
            swf::injectFrameOneActions(swf::serialize(original), actions, nullptr, true);
        QVERIFY(kept && flat);
        QCOMPARE(flat->at(0), 'F');
        const auto a = swf::parse(*kept), b = swf::parse(*flat);
        QVERIFY(a && b);
        QVERIFY(sameTags(a->tags, b->tags));
        QCOMPARE(b->header.frameCount, original.header.frameCount);
    }

    // Old movies (version 5 and below) read strings in the local code page.
    void stringEncodingFollowsVersion_data() {
        QTest::addColumn<QByteArray>("actual");
        QTest::addColumn<QByteArray>("expected");
        const QString text = QStringLiteral("找不同");
        const QByteArray gbk = hex("d5d2 b2bb cdac");
        QTest::newRow("v5 GBK") << ActionBuilder(5, &platform::toGbk).push(text).bytes()
                                << hex("96 0800 00") + gbk + hex("00");
        QTest::newRow("v6 UTF-8") << ActionBuilder(6).push(text).bytes()
                                  << hex("96 0b00 00") + text.toUtf8() + hex("00");
        QTest::newRow("v5 without encoder: Latin-1")
            << ActionBuilder(5).encode(QStringLiteral("é")) << hex("e9");
        QTest::newRow("zero byte ends the string")
            << ActionBuilder().encode(QString::fromUtf8("ab\0cd", 5)) << QByteArray("ab");
    }
    void stringEncodingFollowsVersion() {
        QFETCH(QByteArray, actual);
        QFETCH(QByteArray, expected);
        QCOMPARE(actual.toHex(' '), expected.toHex(' '));
    }

    void branchesResolve() {
        ActionBuilder forward;
        const ActionBuilder::Label skip = forward.newLabel();
        forward.ifTrue(skip).play().mark(skip).stop();
        QVERIFY(forward.isValid());
        QCOMPARE(forward.bytes(), hex("9d 0200 0100 06 07"));
        ActionBuilder dangling;
        dangling.jump(dangling.newLabel());
        QVERIFY(!dangling.isValid());
        ActionBuilder far;
        const ActionBuilder::Label end = far.newLabel();
        far.jump(end).action(0x96, QByteArray(40000, 'x')).mark(end);
        QVERIFY(!far.isValid());
    }
};

QTEST_GUILESS_MAIN(TestSwf)
#include "tst_swf.moc"

// The SWF reader and rewriter and the action assembler, checked against byte
// sequences assembled by hand from the file format.
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

quint32 u32At(const QByteArray& b, int pos) {
    return quint32(quint8(b[pos])) | quint32(quint8(b[pos + 1])) << 8 |
           quint32(quint8(b[pos + 2])) << 16 | quint32(quint8(b[pos + 3])) << 24;
}

// A 550x400 movie at 24 fps with the given tags.
swf::Movie movieWith(std::vector<swf::Tag> tags, char compression = 'F', quint16 frames = 1) {
    swf::Movie m;
    m.header.compression = compression;
    m.header.version = 8;
    m.header.frameSize = {0, 11000, 0, 8000};
    m.header.frameRateFixed8 = 24 << 8;
    m.header.frameCount = frames;
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
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].code != b[i].code || a[i].body != b[i].body)
            return false;
    }
    return true;
}

// The whole file, uncompressed, read independently of the parser where Qt can.
QByteArray uncompressedFile(const QByteArray& file) {
    if (file.startsWith("FWS"))
        return file;
    if (file.startsWith("CWS")) {
        QByteArray sized;
        const quint32 len = u32At(file, 4) - 8;
        sized.append(char(len >> 24))
            .append(char(len >> 16))
            .append(char(len >> 8))
            .append(char(len));
        return file.left(8) + qUncompress(sized + file.mid(8));
    }
    return {};
}

} // namespace

class TestSwf : public QObject {
    Q_OBJECT

private slots:
    void headerMatchesHandAssembledFile();
    void roundTrip_data();
    void roundTrip();
    void tagHeaders();
    void lzmaDictionaryIsNotTrusted();
    void lzmaFarMatchesStillDecode();
    void badInputRefused_data();
    void badInputRefused();
    void version_data();
    void version();
    void injectPutsActionBeforeFirstFrame_data();
    void injectPutsActionBeforeFirstFrame();
    void injectRefusals();

    void assemblerMatchesHandAssembledBytes_data();
    void assemblerMatchesHandAssembledBytes();
    void branchesResolve();
    void functionLayout();
    void stringEncodingFollowsVersion();
};

void TestSwf::headerMatchesHandAssembledFile() {
    // 550x400 twips rect (15-bit fields), 24 fps, 1 frame, ShowFrame, End.
    const QByteArray file =
        hex("465753 08 19000000 78 00 05 5F 00 00 0F A0 00 0018 0100 4000 0000");
    const std::optional<swf::Movie> m = swf::parse(file);
    QVERIFY(m);
    const swf::Header& h = m->header;
    QCOMPARE((QList<int>{h.compression, h.version, int(h.fileLength), h.frameSize.xmin,
                         h.frameSize.xmax, h.frameSize.ymin, h.frameSize.ymax, h.frameRateFixed8,
                         h.frameCount, int(m->tags.size()), m->tags[0].code}),
             (QList<int>{'F', 8, 25, 0, 11000, 0, 8000, 24 << 8, 1, 1, swf::kTagShowFrame}));
    QCOMPARE(swf::serialize(movieWith({{swf::kTagShowFrame, {}}})), file);

    // Negative coordinates are sign-extended.
    swf::Movie negative = movieWith({});
    negative.header.frameSize = {-40, 20, -1, 1};
    const std::optional<swf::Movie> back = swf::parse(swf::serialize(negative));
    QVERIFY(back);
    QCOMPARE(back->header.frameSize.xmin, -40);
    QCOMPARE(back->header.frameSize.ymin, -1);
    QCOMPARE(back->header.frameSize.ymax, 1);
}

void TestSwf::roundTrip_data() {
    QTest::addColumn<char>("compression");
    QTest::newRow("uncompressed FWS") << 'F';
    QTest::newRow("zlib CWS") << 'C';
    QTest::newRow("LZMA ZWS") << 'Z';
}

void TestSwf::roundTrip() {
    QFETCH(char, compression);
    const swf::Movie m = typicalMovie(compression);
    const QByteArray file = swf::serialize(m);
    QCOMPARE(file.left(3), QByteArray(1, compression) + "WS");
    QString error;
    const std::optional<swf::Movie> back = swf::parse(file, &error);
    QVERIFY2(back, qPrintable(error));
    QCOMPARE(back->header.compression, compression);
    QCOMPARE(back->header.frameCount, quint16(2));
    QVERIFY(sameTags(back->tags, m.tags));
    // fileLength is the uncompressed size, whatever the header held before.
    QCOMPARE(qsizetype(back->header.fileLength), swf::serialize(typicalMovie('F')).size());
    if (compression == 'C')
        QCOMPARE(uncompressedFile(file).mid(8), swf::serialize(typicalMovie('F')).mid(8));
    if (compression == 'Z') // compressed length, then 5 property bytes, then the data
        QCOMPARE(qsizetype(u32At(file, 8)), file.size() - 17);
}

void TestSwf::tagHeaders() {
    // Short header: code << 6 | length; 63 and more take the long form.
    QCOMPARE(swf::tagRecord(swf::kTagShowFrame, {}), hex("4000"));
    QCOMPARE(swf::tagRecord(swf::kTagDoAction, hex("0700")), hex("0203 0700"));
    QCOMPARE(swf::tagRecord(swf::kTagDoAction, QByteArray(62, 'a')).left(2), hex("3e03"));
    QCOMPARE(swf::tagRecord(swf::kTagDoAction, QByteArray(63, 'a')).left(6), hex("3f03 3f000000"));
    // Bitmaps always take the long form.
    QCOMPARE(swf::tagRecord(swf::kTagDefineBitsLossless2, hex("01")), hex("3f09 01000000 01"));

    // A long header on a short tag is read as well.
    const QByteArray file = swf::serialize(movieWith({}));
    QByteArray patched = file.left(file.size() - 2) + hex("3f03 02000000 0700") + hex("0000");
    patched[4] = char(patched.size());
    const std::optional<swf::Movie> m = swf::parse(patched);
    QVERIFY(m);
    QCOMPARE(m->tags.size(), size_t(1));
    QCOMPARE(m->tags[0].code, quint16(swf::kTagDoAction));
    QCOMPARE(m->tags[0].body, hex("0700"));
}

void TestSwf::lzmaDictionaryIsNotTrusted() {
    // A dictionary of 4 GB declared in the properties must not be allocated.
    QByteArray file = swf::serialize(typicalMovie('Z'));
    file.replace(13, 4, hex("ffffffff"));
    QString error;
    const std::optional<swf::Movie> m = swf::parse(file, &error);
    QVERIFY2(m, qPrintable(error));
    QVERIFY(sameTags(m->tags, typicalMovie('Z').tags));
}

void TestSwf::lzmaFarMatchesStillDecode() {
    // A block repeated 1.5 MB later: the match reaches beyond the first, small dictionary.
    QByteArray block(1536 * 1024, Qt::Uninitialized);
    QRandomGenerator rng(7);
    for (char& c : block)
        c = char(rng.generate());
    const swf::Movie m = movieWith({{swf::kTagDoAction, block}, {swf::kTagDoAction, block}}, 'Z');
    const QByteArray file = swf::serialize(m);
    QVERIFY(file.size() < block.size() * 3 / 2); // the repeat was found
    const std::optional<swf::Movie> back = swf::parse(file);
    QVERIFY(back);
    QVERIFY(sameTags(back->tags, m.tags));
}

void TestSwf::badInputRefused_data() {
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray good = swf::serialize(typicalMovie('F'));
    const QByteArray cws = swf::serialize(typicalMovie('C'));
    const QByteArray zws = swf::serialize(typicalMovie('Z'));
    const auto withLength = [](QByteArray b, quint32 length) {
        for (int i = 0; i < 4; ++i)
            b[4 + i] = char(length >> (8 * i));
        return b;
    };
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("signature only") << QByteArray("FWS");
    QTest::newRow("not a movie") << QByteArray("GIF89a, certainly not a movie at all");
    QTest::newRow("header without frame rect") << withLength(good.left(8), 8);
    QTest::newRow("file length below header") << withLength(good, 4);
    QTest::newRow("file length over the cap") << withLength(good, swf::kMaxMovieSize + 1);
    QTest::newRow("uncompressed and truncated") << good.left(good.size() - 5);
    QTest::newRow("rect bits run past the end") << withLength(hex("465753 08 00000000 f8ff"), 10);
    QTest::newRow("tag length past the end")
        << withLength(good.left(21) + hex("3f03 ffffff7f 00"), 28);
    QTest::newRow("one byte of tag header") << withLength(good.left(21) + hex("40"), 22);
    QTest::newRow("zlib truncated") << cws.left(cws.size() / 2);
    QTest::newRow("zlib garbage") << cws.left(8) + QByteArray(64, char(0x5a));
    QTest::newRow("zlib declares more than it holds") << withLength(cws, 200 * 1024 * 1024);
    QTest::newRow("lzma header truncated") << zws.left(14);
    QTest::newRow("lzma properties invalid") << zws.left(12) + hex("ff") + zws.mid(13);
    QTest::newRow("lzma truncated") << zws.left(zws.size() - 10);
    QTest::newRow("lzma garbage") << zws.left(17) + QByteArray(64, char(0xa5));
}

void TestSwf::badInputRefused() {
    QFETCH(QByteArray, bytes);
    QString error;
    QVERIFY(!swf::parse(bytes, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!swf::injectFrameOneActions(bytes, hex("07")));
}

void TestSwf::version_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("version");
    QTest::newRow("FWS 5") << hex("465753 05") << 5;
    QTest::newRow("CWS 10") << hex("435753 0a 00") << 10;
    QTest::newRow("ZWS 13") << hex("5a5753 0d") << 13;
    QTest::newRow("other signature") << hex("585753 08") << 0;
    QTest::newRow("too short") << hex("465753") << 0;
}

void TestSwf::version() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, version);
    QCOMPARE(swf::version(bytes), version);
}

void TestSwf::injectPutsActionBeforeFirstFrame_data() {
    roundTrip_data();
}

void TestSwf::injectPutsActionBeforeFirstFrame() {
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
    QCOMPARE(m->header.frameSize.xmax, 11000);
    swf::Movie flat{m->header, expected};
    flat.header.compression = 'F';
    QCOMPARE(qsizetype(m->header.fileLength), swf::serialize(flat).size());
    if (compression != 'Z') {
        const QByteArray whole = uncompressedFile(*out);
        QCOMPARE(qsizetype(u32At(whole, 4)), whole.size());
    }
}

void TestSwf::injectRefusals() {
    QString error;
    const QByteArray noFrame = swf::serialize(movieWith({{swf::kTagDoAction, hex("0700")}}));
    QVERIFY(!swf::injectFrameOneActions(noFrame, hex("06"), &error));
    QVERIFY(!error.isEmpty());

    error.clear();
    const QByteArray as3 = swf::serialize(
        movieWith({{swf::kTagFileAttributes, hex("08000000")}, {swf::kTagShowFrame, {}}}));
    QVERIFY(!swf::injectFrameOneActions(as3, hex("06"), &error));
    QVERIFY(!error.isEmpty());
}

void TestSwf::assemblerMatchesHandAssembledBytes_data() {
    QTest::addColumn<QByteArray>("actual");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("push string, getVariable")
        << ActionBuilder().push("a").getVariable().bytes() << hex("96 0300 00 6100 1c");
    QTest::newRow("gotoFrame 4, play")
        << ActionBuilder().gotoFrame(4).play().bytes() << hex("81 0200 0400 06");
    QTest::newRow("gotoAndPlay") << ActionBuilder().gotoAndPlay(9).bytes()
                                 << hex("81 0200 0900 06");
    QTest::newRow("stop") << ActionBuilder().stop().bytes() << hex("07");
    QTest::newRow("fscommand btnexit") << ActionBuilder().fsCommand("btnexit").bytes()
                                       << hex("83 1300") + "FSCommand:btnexit" + hex("00 00");
    QTest::newRow("getURL with target")
        << ActionBuilder().getUrl("a.swf", "_level5").bytes()
        << hex("83 0e00") + "a.swf" + hex("00") + "_level5" + hex("00");
    QTest::newRow("getURL2 POST into target")
        << ActionBuilder().getUrl2(2, true).bytes() << hex("9a 0100 82");
    QTest::newRow("gotoFrame2 and play")
        << ActionBuilder().gotoFrame2(true).bytes() << hex("9f 0100 01");
    QTest::newRow("gotoFrame2 with scene bias")
        << ActionBuilder().gotoFrame2(false, 3).bytes() << hex("9f 0300 02 0300");
    QTest::newRow("push of every type")
        << ActionBuilder()
               .push({1, 1.5, true, nullptr, ActionBuilder::Value::undefined(),
                      ActionBuilder::Value::reg(2)})
               .bytes()
        << hex("96 1400 07 01000000 06 0000f83f 00000000 05 01 02 03 04 02");
    QTest::newRow("negative integer")
        << ActionBuilder().push(-2).bytes() << hex("96 0500 07 feffffff");
    QTest::newRow("constant pool and indexes")
        << ActionBuilder().constantPool({"a", "b"}).push({"b", "c"}).bytes()
        << hex("88 0600 0200 6100 6200 96 0500 08 01 00 6300");
    QTest::newRow("object calls") << ActionBuilder()
                                         .callMethod()
                                         .callFunction()
                                         .newObject()
                                         .initObject()
                                         .getMember()
                                         .setMember()
                                         .setVariable()
                                         .add2()
                                         .equals2()
                                         .less2()
                                         .logicalNot()
                                         .pop()
                                         .returnValue()
                                         .bytes()
                                  << hex("52 3d 40 43 4e 4f 1d 47 49 48 12 17 3e");
    QTest::newRow("store register")
        << ActionBuilder().storeRegister(3).bytes() << hex("87 0100 03");
}

void TestSwf::assemblerMatchesHandAssembledBytes() {
    QFETCH(QByteArray, actual);
    QFETCH(QByteArray, expected);
    QCOMPARE(actual.toHex(' '), expected.toHex(' '));
}

void TestSwf::branchesResolve() {
    ActionBuilder forward;
    const ActionBuilder::Label skip = forward.newLabel();
    forward.ifTrue(skip).play().mark(skip).stop();
    QVERIFY(forward.isValid());
    QCOMPARE(forward.bytes(), hex("9d 0200 0100 06 07"));

    ActionBuilder backward;
    const ActionBuilder::Label top = backward.newLabel();
    backward.mark(top).play().jump(top);
    QCOMPARE(backward.bytes(), hex("06 99 0200 faff"));

    ActionBuilder dangling;
    dangling.jump(dangling.newLabel());
    QVERIFY(!dangling.isValid());

    ActionBuilder twice;
    const ActionBuilder::Label l = twice.newLabel();
    twice.mark(l).mark(l);
    QVERIFY(!twice.isValid());

    ActionBuilder far;
    const ActionBuilder::Label end = far.newLabel();
    far.jump(end).action(0x96, QByteArray(40000, 'x')).mark(end);
    QVERIFY(!far.isValid());
}

void TestSwf::functionLayout() {
    ActionBuilder outer;
    ActionBuilder body = outer.nested();
    body.push(ActionBuilder::Value::reg(1)).returnValue();
    outer.defineFunction2("f", 3, swf::kPreloadThis | swf::kSuppressArguments | swf::kPreloadRoot,
                          {{1, "x"}, {0, "y"}}, body);
    // name, 2 params, 3 registers, flags 0x0049 (first byte: PreloadRoot, SuppressArguments,
    // PreloadThis), params (register, name), code size 6, then the body after the record.
    QCOMPARE(outer.bytes(), hex("8e 0f00 6600 0200 03 4900 01 7800 00 7900 0600 96 0200 04 01 3e"));

    ActionBuilder global;
    global.defineFunction2("", 1, swf::kPreloadGlobal | swf::kPreloadParent, {}, ActionBuilder());
    QCOMPARE(global.bytes(), hex("8e 0800 00 0000 01 8001 0000"));

    ActionBuilder v1;
    v1.defineFunction("g", {"a", "b"}, ActionBuilder().stop());
    QCOMPARE(v1.bytes(), hex("9b 0a00 6700 0200 6100 6200 0100 07"));

    // A body sees the constant pool of its definer.
    ActionBuilder pooled;
    pooled.constantPool({"k"});
    ActionBuilder inner = pooled.nested();
    inner.push("k");
    QCOMPARE(inner.bytes(), hex("96 0200 08 00"));
}

void TestSwf::stringEncodingFollowsVersion() {
    const QString text = QStringLiteral("找不同");
    const QByteArray gbk = hex("d5d2 b2bb cdac");
    // Version 5 and below: the local code page through the caller's encoder.
    QCOMPARE(ActionBuilder(5, &platform::toGbk).push(text).bytes(),
             hex("96 0800 00") + gbk + hex("00"));
    QCOMPARE(ActionBuilder(5, &platform::toGbk).fsCommand(text).bytes().mid(3, 16),
             QByteArray("FSCommand:") + gbk);
    // Version 6 and above: UTF-8.
    QCOMPARE(ActionBuilder(6).push(text).bytes(), hex("96 0b00 00") + text.toUtf8() + hex("00"));
    // Without an encoder old movies get Latin-1, never UTF-8 bytes.
    QCOMPARE(ActionBuilder(5).encode(QStringLiteral("é")), hex("e9"));
    // A zero byte would end the string early in the file: the rest is dropped.
    QCOMPARE(ActionBuilder().encode(QString::fromUtf8("ab\0cd", 5)), QByteArray("ab"));
    QCOMPARE(ActionBuilder().push(ActionBuilder::Value::bytes(gbk)).bytes(),
             hex("96 0800 00") + gbk + hex("00"));
}

QTEST_GUILESS_MAIN(TestSwf)
#include "tst_swf.moc"

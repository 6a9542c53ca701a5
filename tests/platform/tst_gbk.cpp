// Code page 936 conversions and the byte-length rule used for layout.
#include "platform/Gbk.h"

#include <QtTest>

class TestGbk : public QObject {
    Q_OBJECT
private slots:
    void roundTrip_data();
    void roundTrip();
    void knownBytes();
    void byteLength_data();
    void byteLength();
    void badInputNeverFails();
};

void TestGbk::roundTrip_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("ascii") << "Pelumo 123";
    QTest::newRow("chinese") << "《Pelumo》已经运行！";
    QTest::newRow("gbk only, not gb2312") << "堃镕喆";
    QTest::newRow("fullwidth signs") << "１＋２＝３";
    QTest::newRow("empty") << "";
}

void TestGbk::roundTrip() {
    QFETCH(QString, text);
    QCOMPARE(platform::fromGbk(platform::toGbk(text)), text);
}

void TestGbk::knownBytes() {
    QCOMPARE(platform::toGbk("找不同"), QByteArray("\xD5\xD2\xB2\xBB\xCD\xAC"));
    QCOMPARE(platform::fromGbk("\xCA\xFD\xD2\xBB\xCA\xFD"), QString("数一数"));
}

void TestGbk::byteLength_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("bytes");
    QTest::newRow("ascii") << "abc" << 3;
    QTest::newRow("two chinese") << "认识" << 4;
    QTest::newRow("mixed") << "A加B" << 4;
    QTest::newRow("empty") << "" << 0;
}

void TestGbk::byteLength() {
    QFETCH(QString, text);
    QFETCH(int, bytes);
    QCOMPARE(platform::gbkByteLength(text), bytes);
}

void TestGbk::badInputNeverFails() {
    // A lead byte at the end and an invalid pair: replaced, the rest kept.
    QCOMPARE(platform::fromGbk(QByteArray("ab\xD5", 3)), QString("ab") + QChar(0xFFFD));
    QVERIFY(platform::fromGbk(QByteArray("\xFF\xFF"
                                         "ok",
                                         4))
                .endsWith("ok"));
    // A character GBK cannot hold becomes '?' and does not swallow its neighbours.
    QCOMPARE(platform::toGbk(QString("a") + QChar(0x0E01) + "b"), QByteArray("a?b"));
    QCOMPARE(platform::toGbk(QString::fromUcs4(U"x\U0001F600y")), QByteArray("x?y"));
}

QTEST_GUILESS_MAIN(TestGbk)
#include "tst_gbk.moc"

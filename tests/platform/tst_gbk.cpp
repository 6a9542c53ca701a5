// Code page 936 conversions and the byte-length rule used for layout.
#include "platform/Gbk.h"

#include <QtTest>

class TestGbk : public QObject {
    Q_OBJECT
private slots:
    void knownBytes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("gbk");
        QTest::newRow("ascii") << "Pelumo 123" << QByteArray("Pelumo 123");
        QTest::newRow("chinese") << "找不同" << QByteArray("\xD5\xD2\xB2\xBB\xCD\xAC");
        QTest::newRow("mixed") << "A加B"
                               << QByteArray("A\xBC\xD3"
                                             "B");
        QTest::newRow("gbk only, not gb2312") << "堃" << QByteArray("\x88\xD2");
        QTest::newRow("fullwidth signs") << "１＋" << QByteArray("\xA3\xB1\xA3\xAB");
        QTest::newRow("empty") << "" << QByteArray();
    }
    // Both ways, and the layout length is the GBK byte count (two per Chinese character).
    void knownBytes() {
        QFETCH(QString, text);
        QFETCH(QByteArray, gbk);
        QCOMPARE(platform::toGbk(text), gbk);
        QCOMPARE(platform::fromGbk(gbk), text);
        QCOMPARE(platform::gbkByteLength(text), gbk.size());
    }

    void badInputNeverFails() {
        // A lead byte at the end and an invalid pair: replaced, the rest kept.
        QCOMPARE(platform::fromGbk(QByteArray("ab\xD5", 3)), QString("ab") + QChar(0xFFFD));
        QVERIFY(platform::fromGbk(QByteArray("\xFF\xFFok", 4)).endsWith("ok"));
        // A character GBK cannot hold becomes '?' and does not swallow its neighbours.
        QCOMPARE(platform::toGbk(QString("a") + QChar(0x0E01) + "b"), QByteArray("a?b"));
        QCOMPARE(platform::toGbk(QString::fromUcs4(U"x\U0001F600y")), QByteArray("x?y"));
    }
};

QTEST_GUILESS_MAIN(TestGbk)
#include "tst_gbk.moc"

// Text that reaches the host from movies: the code page repair of old movies and
// event arguments of any type.
#include "flashhost/LegacyText.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QtTest>

using namespace flashhost;

class TestLegacyText : public QObject {
    Q_OBJECT
private slots:
    // What the player hands over for GBK bytes read as Windows-1252 (the WHATWG
    // table: undefined bytes become the C1 control of the same number).
    void repair_data() {
        QTest::addColumn<QString>("misread");
        QTest::addColumn<QString>("expected");
        QTest::newRow("menu command") << QStringLiteral("ÕÒ²»Í¬") << QStringLiteral("找不同");
        QTest::newRow("bytes 0x80-0x9f")
            << QStringLiteral("\u201A\u0192\u00E2\u20AC") << QStringLiteral("們鈥");
        QTest::newRow("undefined 1252 byte") << QStringLiteral("\u0081@") << QStringLiteral("丂");
        QTest::newRow("ascii") << QStringLiteral("btnexit") << QStringLiteral("btnexit");
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("not a 1252 reading") << QStringLiteral("找不同") << QStringLiteral("找不同");
    }
    void repair() {
        QFETCH(QString, misread);
        QFETCH(QString, expected);
        QCOMPARE(repairLegacyText(misread), expected);
    }

    void onlyOldMoviesAreRepaired_data() {
        QTest::addColumn<int>("version");
        QTest::addColumn<bool>("repaired");
        QTest::newRow("v5") << 5 << true;
        QTest::newRow("v6") << 6 << false;
        QTest::newRow("unknown") << 0 << false;
    }
    void onlyOldMoviesAreRepaired() {
        QFETCH(int, version);
        QFETCH(bool, repaired);
        const QString misread = QStringLiteral("ÕÒ²»Í¬");
        QCOMPARE(commandText(misread, version), repaired ? QStringLiteral("找不同") : misread);
        // Text the host sends such a movie is misread the same way.
        QCOMPARE(movieText(QStringLiteral("找不同"), version) == misread, repaired);
    }

    void argumentsOfAnyType_data() {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("missing") << QVariant() << QString();
        QTest::newRow("json undefined") << QVariant(QJsonValue(QJsonValue::Undefined)) << QString();
        QTest::newRow("text") << QVariant(QStringLiteral("找不同")) << QStringLiteral("找不同");
        QTest::newRow("number") << QVariant(3.0) << QStringLiteral("3");
        QTest::newRow("json number") << QVariant(QJsonValue(2.5)) << QStringLiteral("2.5");
        QTest::newRow("bool") << QVariant(true) << QStringLiteral("true");
        QTest::newRow("json object") << QVariant(QJsonValue(QJsonObject())) << QString();
    }
    void argumentsOfAnyType() {
        QFETCH(QVariant, value);
        QFETCH(QString, expected);
        QCOMPARE(argumentText(value), expected);
    }
};

QTEST_MAIN(TestLegacyText)
#include "tst_flashhost_text.moc"

// A pack that several generator steps add items to holds every step's items, readable
// by the program's pack reader, and a name added twice fails naming both steps.
#include "platform/ContentPack.h"
#include "tools/lib/PackBuilder.h"

#include <QBuffer>
#include <QtTest>

using platform::ContentPack;
using tools::PackBuilder;

namespace {

std::shared_ptr<ContentPack> read(const QByteArray& bytes) {
    auto buffer = std::make_unique<QBuffer>();
    buffer->setData(bytes);
    buffer->open(QIODevice::ReadOnly);
    return ContentPack::fromDevice(std::move(buffer));
}

} // namespace

class TestPackBuilder : public QObject {
    Q_OBJECT
private slots:
    void itemsOfTwoStepsInOnePack();
    void repeatedNameRefused_data();
    void repeatedNameRefused();
};

void TestPackBuilder::itemsOfTwoStepsInOnePack() {
    PackBuilder pack(QStringLiteral("Data/kjfile/pic.dat"));
    pack.add(QStringLiteral("mathpictures"), QStringLiteral("Number0"), QStringLiteral("JPG"),
             "zero");
    pack.add(QStringLiteral("letters"), QStringLiteral("LetterA"), QStringLiteral("JPG"), "a");
    pack.add(QStringLiteral("sorting"), QStringLiteral("Sort1"), QStringLiteral("Flash"), "movie");
    const auto reader = read(pack.build());
    QVERIFY(reader->isValid());
    QCOMPARE(reader->read(QStringLiteral("number0"), QStringLiteral("jpg")), QByteArray("zero"));
    QCOMPARE(reader->read(QStringLiteral("LetterA"), QStringLiteral("JPG")), QByteArray("a"));
    QCOMPARE(reader->read(QStringLiteral("Sort1"), QStringLiteral("Flash")), QByteArray("movie"));
}

void TestPackBuilder::repeatedNameRefused_data() {
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("type");
    QTest::newRow("same name") << "Number1"
                               << "JPG";
    QTest::newRow("other letter case") << "NUMBER1"
                                       << "JPG";
    QTest::newRow("other type") << "number1"
                                << "Flash";
}

void TestPackBuilder::repeatedNameRefused() {
    QFETCH(QString, second);
    QFETCH(QString, type);
    PackBuilder pack(QStringLiteral("Data/kjfile/pic.dat"));
    pack.add(QStringLiteral("mathpictures"), QStringLiteral("Number1"), QStringLiteral("JPG"),
             "one");
    QString message;
    try {
        pack.add(QStringLiteral("letters"), second, type, "other");
    } catch (const std::runtime_error& e) {
        message = QString::fromUtf8(e.what());
    }
    QVERIFY2(message.contains(QLatin1String("pic.dat")), qPrintable(message));
    QVERIFY2(message.contains(QLatin1String("mathpictures")), qPrintable(message));
    QVERIFY2(message.contains(QLatin1String("letters")), qPrintable(message));
    // The first item stays.
    QCOMPARE(read(pack.build())->read(QStringLiteral("Number1"), QStringLiteral("JPG")),
             QByteArray("one"));
}

QTEST_GUILESS_MAIN(TestPackBuilder)
#include "tst_packbuilder.moc"

// Windows-style data paths found on a case-sensitive file system.
#include "TestSupport.h"
#include "platform/ProgramDir.h"

#include <QtTest>

class TestProgramDir : public QObject {
    Q_OBJECT
private slots:
    void resolvesMixedCase_data();
    void resolvesMixedCase();
    void missingPathsStayUnresolved();
    void exactMatchWinsOverOtherCase();
};

void TestProgramDir::resolvesMixedCase_data() {
    QTest::addColumn<QString>("spelled");
    QTest::addColumn<QString>("real");
    QTest::newRow("upper folder, lower file") << "DATA\\Sound\\bg.mp3"
                                              << "Data/Sound/bg.mp3";
    QTest::newRow("lower folder, upper ext") << "data\\bgsnd\\right.wav"
                                             << "Data/bgsnd/right.WAV";
    QTest::newRow("forward slashes") << "Data/bgsnd/WRONG.WAV"
                                     << "Data/bgsnd/wrong.WAV";
    QTest::newRow("chinese name") << "Data\\XML\\数一数.XML"
                                  << "Data/XML/数一数.xml";
    QTest::newRow("doubled separators") << "Data\\\\Sound\\bg.mp3"
                                        << "Data/Sound/bg.mp3";
}

void TestProgramDir::resolvesMixedCase() {
    QFETCH(QString, spelled);
    QFETCH(QString, real);
    testsupport::TempProgramDir dir;
    for (const char* f : {"Data/Sound/bg.mp3", "Data/bgsnd/right.WAV", "Data/bgsnd/wrong.WAV",
                          "Data/XML/数一数.xml"})
        dir.write(QString::fromUtf8(f), "x");
    QCOMPARE(platform::dataPath(spelled), dir.path() + "/" + real);
    QVERIFY(platform::dataPathExists(spelled));
    QCOMPARE(testsupport::readFile(platform::dataPath(spelled)), QByteArray("x"));
}

void TestProgramDir::missingPathsStayUnresolved() {
    testsupport::TempProgramDir dir;
    dir.write("Data/Sound/bg.mp3", "x");
    // The parts that exist are still matched; the rest keeps its spelling so that
    // opening it fails plainly.
    QCOMPARE(platform::dataPath("DATA\\Sound\\missing.mp3"),
             dir.path() + "/Data/Sound/missing.mp3");
    QVERIFY(!platform::dataPathExists("DATA\\Sound\\missing.mp3"));
    QVERIFY(!platform::dataPathExists("Data\\nofolder\\bg.mp3"));
    QVERIFY(!QFile::exists(platform::dataPath("Data\\nofolder\\bg.mp3")));
}

void TestProgramDir::exactMatchWinsOverOtherCase() {
    testsupport::TempProgramDir dir;
    dir.write("Data/a.txt", "lower");
    dir.write("Data/A.txt", "upper");
    QCOMPARE(testsupport::readFile(platform::dataPath("Data\\A.txt")), QByteArray("upper"));
    QCOMPARE(testsupport::readFile(platform::dataPath("Data\\a.txt")), QByteArray("lower"));
}

QTEST_GUILESS_MAIN(TestProgramDir)
#include "tst_programdir.moc"

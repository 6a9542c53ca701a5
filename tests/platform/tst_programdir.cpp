// Windows-style data paths found on a case-sensitive file system.
#include "TestSupport.h"
#include "platform/ProgramDir.h"

#include <QtTest>

class TestProgramDir : public QObject {
    Q_OBJECT
private slots:
    void resolves_data() {
        QTest::addColumn<QString>("spelled");
        QTest::addColumn<QString>("real"); // empty: not found
        QTest::newRow("upper folder, lower file") << "DATA\\Sound\\bg.mp3"
                                                  << "Data/Sound/bg.mp3";
        QTest::newRow("lower folder, upper ext") << "data\\bgsnd\\r.wav"
                                                 << "Data/bgsnd/r.WAV";
        QTest::newRow("forward slashes") << "Data/bgsnd/W.WAV"
                                         << "Data/bgsnd/w.WAV";
        QTest::newRow("chinese name") << "Data\\XML\\数一数.XML"
                                      << "Data/XML/数一数.xml";
        QTest::newRow("doubled separators") << "Data\\\\Sound\\bg.mp3"
                                            << "Data/Sound/bg.mp3";
        QTest::newRow("exact case wins, upper") << "Data\\A.txt"
                                                << "Data/A.txt";
        QTest::newRow("exact case wins, lower") << "Data\\a.txt"
                                                << "Data/a.txt";
        // The parts that exist are matched; the rest keeps its spelling, so opening fails plainly.
        QTest::newRow("missing file") << "DATA\\Sound\\none.mp3"
                                      << "";
        QTest::newRow("missing folder") << "Data\\nofolder\\bg.mp3"
                                        << "";
    }
    void resolves() {
        QFETCH(QString, spelled);
        QFETCH(QString, real);
        testsupport::TempProgramDir dir;
        for (const char* f : {"Data/Sound/bg.mp3", "Data/bgsnd/r.WAV", "Data/bgsnd/w.WAV",
                              "Data/XML/数一数.xml", "Data/a.txt", "Data/A.txt"})
            dir.write(QString::fromUtf8(f), f);
        QCOMPARE(platform::dataPathExists(spelled), !real.isEmpty());
        if (real.isEmpty())
            QCOMPARE(platform::dataPath(spelled),
                     dir.path() + "/" +
                         QString(spelled).replace("DATA", "Data").replace('\\', '/'));
        else
            QCOMPARE(testsupport::readFile(platform::dataPath(spelled)), real.toUtf8());
    }
};

QTEST_GUILESS_MAIN(TestProgramDir)
#include "tst_programdir.moc"

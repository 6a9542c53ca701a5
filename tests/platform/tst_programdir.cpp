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
        const auto row = [](const char* name, const char* spelled, const char* real) {
            QTest::newRow(name) << QString(spelled) << QString(real);
        };
        row("upper folder, lower file", "DATA\\Sound\\bg.mp3", "Data/Sound/bg.mp3");
        row("lower folder, upper ext", "data\\bgsnd\\r.wav", "Data/bgsnd/r.WAV");
        row("chinese name", "Data\\XML\\数一数.XML", "Data/XML/数一数.xml");
        row("doubled separators", "Data\\\\Sound\\bg.mp3", "Data/Sound/bg.mp3");
        row("exact case wins, upper", "Data\\A.txt", "Data/A.txt");
        row("exact case wins, lower", "Data\\a.txt", "Data/a.txt");
        // The parts that exist are matched; the rest keeps its spelling, so opening fails.
        row("missing file", "DATA\\Sound\\none.mp3", "");
        row("missing folder", "Data\\nofolder\\bg.mp3", "");
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

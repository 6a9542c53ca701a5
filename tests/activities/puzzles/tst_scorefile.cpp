// The score file: reading, the saving threshold, insertion with ties above, one atomic
// write, and names the file can hold.
#include "TestSupport.h"
#include "activities/puzzles/ScoreFile.h"
#include "platform/IniFile.h"

#include <QtTest>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using namespace puzzles;

namespace {
ScoreTable table(std::array<int, 5> scores) {
    ScoreTable t;
    for (size_t i = 0; i < 5; ++i)
        t[i] = {QStringLiteral("r%1").arg(i + 1), 1, scores[i]};
    return t;
}
} // namespace

class TestScoreFile : public QObject {
    Q_OBJECT
private slots:
    void rank_data();
    void rank();
    void emptyFileSave();
    void readingBadValues();
    void failingDiskKeepsOldFile();
    void missingFolderWritesNothing();
    void linkToAnotherUsersFileRefused();
    void names_data();
    void names();
};

void TestScoreFile::rank_data() {
    QTest::addColumn<int>("score");
    QTest::addColumn<int>("rank");
    QTest::addColumn<bool>("offered");
    // Table 100, 80, 60, 40, 20.
    QTest::newRow("equal to fifth is not offered") << 20 << 5 << false;
    QTest::newRow("one above fifth lands fifth") << 21 << 5 << true;
    QTest::newRow("tie with fourth goes above it") << 40 << 4 << true;
    QTest::newRow("between second and third") << 70 << 3 << true;
    QTest::newRow("tie with first becomes first") << 100 << 1 << true;
    QTest::newRow("best") << 500 << 1 << true;
}

void TestScoreFile::rank() {
    QFETCH(int, score);
    QFETCH(int, rank);
    QFETCH(bool, offered);
    const ScoreTable t = table({100, 80, 60, 40, 20});
    QCOMPARE(worthSaving(score, t), offered);
    QCOMPARE(insertionRank(score, t), rank);
    const ScoreTable after = inserted(t, {QStringLiteral("new"), 3, score});
    QCOMPARE(after[static_cast<size_t>(rank - 1)].User_Name, QStringLiteral("new"));
    // The old records below move down one place, the old fifth drops out.
    for (int r = rank + 1; r <= 5; ++r)
        QCOMPARE(after[static_cast<size_t>(r - 1)], t[static_cast<size_t>(r - 2)]);
}

void TestScoreFile::emptyFileSave() {
    QTemporaryDir dir;
    const QString path = testsupport::writeFile(dir.path(), "YZLY.ini", "[PTX1]\r\nScore=7\r\n");
    platform::IniFile ini(path);
    const ScoreTable empty = readScores(ini, kSpotPrefix);
    QVERIFY(!worthSaving(0, empty));
    QVERIFY(saveScore(ini, kSpotPrefix, empty, {QStringLiteral("小明"), 2, 1}));
    const QByteArray bytes = testsupport::readFile(path);
    QVERIFY(bytes.startsWith("[PTX1]\r\nScore=7\r\n"));
    QVERIFY(bytes.contains("[ZBN1]\r\nUser_Name=\xD0\xA1\xC3\xF7\r\nGK=2\r\nScore=1\r\n"));
    QVERIFY(bytes.contains("[ZBN5]\r\nUser_Name=\r\nGK=0\r\nScore=0\r\n"));
    QVERIFY(bytes.indexOf("[ZBN5]") < bytes.indexOf("[ZBN1]"));
    const ScoreTable back = readScores(ini, kSpotPrefix);
    QCOMPARE(back[0], (TScoreRecord{QStringLiteral("小明"), 2, 1}));
    QCOMPARE(back[1], TScoreRecord{});
    QCOMPARE(readScores(ini, kPuzzlePrefix)[0].Score, 7);
}

void TestScoreFile::readingBadValues() {
    QTemporaryDir dir;
    platform::IniFile ini(testsupport::writeFile(
        dir.path(), "YZLY.ini",
        "[zbn1]\r\nscore=abc\r\nGK=$10\r\nUser_Name=a\r\n[ZBN2]\r\nScore=-5\r\n"));
    const ScoreTable t = readScores(ini, kSpotPrefix);
    QCOMPARE(t[0], (TScoreRecord{QStringLiteral("a"), 0, 0}));
    QCOMPARE(t[1].Score, -5);
    const auto stored = readStored(ini, kSpotPrefix);
    QCOMPARE(stored[0].score, QStringLiteral("abc"));
    QCOMPARE(stored[0].gk, QStringLiteral("$10"));
    QVERIFY(stored[4].name.isEmpty() && stored[4].score.isEmpty());
}

void TestScoreFile::failingDiskKeepsOldFile() {
    QTemporaryDir dir;
    QByteArray old = "[ZBN1]\r\nUser_Name=a\r\nGK=1\r\nScore=90\r\n";
    const QString path = testsupport::writeFile(dir.path(), "YZLY.ini", old);
    platform::IniFile ini(path);
    const ScoreTable t = readScores(ini, kSpotPrefix);
    rlimit saved{};
    QCOMPARE(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto* previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 60;
    QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = saveScore(ini, kSpotPrefix, t, {QStringLiteral("b"), 3, 120});
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    QVERIFY(!written);
    QCOMPARE(testsupport::readFile(path), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"YZLY.ini"});
}

void TestScoreFile::missingFolderWritesNothing() {
    QTemporaryDir dir;
    platform::IniFile ini(dir.path() + "/Data/YZLY.ini");
    QVERIFY(!saveScore(ini, kPuzzlePrefix, ScoreTable{}, {QString(), 1, 10}));
    QVERIFY(!QFileInfo::exists(dir.path() + "/Data"));
}

// Someone made the score file a link to a file of another user: a save must not rewrite
// that file nor take it over, while a link to a file of one's own is saved through.
void TestScoreFile::linkToAnotherUsersFileRefused() {
    if (::geteuid() != 0)
        QSKIP("a file of another user needs root to make");
    QTemporaryDir dir;
    const QByteArray theirs = "their own text\n";
    const QString mine = testsupport::writeFile(dir.path(), "mine/notes.ini", "");
    const QString other = testsupport::writeFile(dir.path(), "other/notes.txt", theirs);
    QCOMPARE(::chown(QFile::encodeName(other).constData(), 65534, 65534), 0);
    const QString path = dir.path() + "/Data/YZLY.ini";
    QVERIFY(QDir().mkpath(dir.path() + "/Data"));

    QVERIFY(QFile::link(other, path));
    platform::IniFile ini(path);
    QVERIFY(!saveScore(ini, kSpotPrefix, ScoreTable{}, {QStringLiteral("b"), 3, 120}));
    QCOMPARE(testsupport::readFile(other), theirs);
    QCOMPARE(QFileInfo(other).ownerId(), 65534u);

    QVERIFY(QFile::remove(path) && QFile::link(mine, path));
    QVERIFY(saveScore(ini, kSpotPrefix, ScoreTable{}, {QStringLiteral("b"), 3, 120}));
    QCOMPARE(readScores(platform::IniFile(mine), kSpotPrefix)[0].Score, 120);
    QVERIFY(QFileInfo(path).isSymLink());
}

void TestScoreFile::names_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::newRow("empty name") << ""
                                << "";
    QTest::newRow("twenty characters") << QString(20, QChar(0x5C0F)) << QString(20, QChar(0x5C0F));
    QTest::newRow("cut at twenty") << QString(25, 'a') << QString(20, 'a');
    QTest::newRow("line breaks dropped") << "a\r\nb\nc"
                                         << "abc";
    QTest::newRow("emoji dropped") << QString::fromUtf8("小\xF0\x9F\x98\x80明") << "小明";
    QTest::newRow("outside GBK dropped") << QString::fromUtf8("a\xE0\xB8\x81") << "a";
}

void TestScoreFile::names() {
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    QCOMPARE(cleanedName(typed), kept);
    QCOMPARE(acceptableName(typed), typed == kept);
}

QTEST_GUILESS_MAIN(TestScoreFile)
#include "tst_scorefile.moc"

// The INI file: private-profile lookup rules, GBK on disk, what a rewrite keeps,
// atomic saving when a write fails, and files that are not INI files at all.
#include "platform/IniFile.h"
#include "tests/common/TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using platform::IniFile;
using testsupport::readFile;
using testsupport::writeFile;

namespace {
ino_t inode(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}
} // namespace

class TestIniFile : public QObject {
    Q_OBJECT
private slots:
    void init();

    void missingFileReadsEmpty();
    void lookup_data();
    void lookup();
    void gbkOnDisk();
    void rewriteKeepsOtherLines();
    void newKeysAndSections();
    void unsafeNamesAndValues();
    void severalValuesInOneRewrite();
    void eraseAndDelete();
    void listing();
    void integers_data();
    void integers();
    void readsTheFileAfresh();

    void failedWriteKeepsOldFile();
    void writeWhereFileCannotBeMade_data();
    void writeWhereFileCannotBeMade();
    void garbageFiles_data();
    void garbageFiles();
    void largeFile();

private:
    QString path(const QString& name = QStringLiteral("YZLY.ini")) const {
        return dir_->path() + QLatin1Char('/') + name;
    }
    std::unique_ptr<QTemporaryDir> dir_;
};

void TestIniFile::init() {
    dir_ = std::make_unique<QTemporaryDir>();
}

void TestIniFile::missingFileReadsEmpty() {
    const IniFile ini(path());
    QCOMPARE(ini.ReadString("ZBN1", "User_Name", "none"), QString("none"));
    QCOMPARE(ini.ReadInteger("ZBN1", "Score", -3), -3);
    QVERIFY(ini.ReadSections().isEmpty());
    QVERIFY(ini.ReadSection("ZBN1").isEmpty());
    QVERIFY(!ini.SectionExists("ZBN1"));
    QVERIFY(!ini.ValueExists("ZBN1", "Score"));
    QVERIFY(!QFileInfo::exists(path()));
}

void TestIniFile::lookup_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected"); // "<default>" when not found

    QTest::newRow("names ignore case") << QByteArray("[ZBN1]\r\nScore=120\r\n") << "zbn1"
                                       << "SCORE"
                                       << "120";
    QTest::newRow("blanks around names and value")
        << QByteArray("  [ ZBN1 ]  \r\n  Score \t=  120 \t\r\n") << "ZBN1"
        << "score"
        << "120";
    QTest::newRow("inner blanks kept") << QByteArray("[a]\r\nk= a  b \r\n") << "a"
                                       << "k"
                                       << "a  b";
    QTest::newRow("double quotes removed") << QByteArray("[a]\r\nk=\"  x \"\r\n") << "a"
                                           << "k"
                                           << "  x ";
    QTest::newRow("single quotes removed") << QByteArray("[a]\r\nk='y'\r\n") << "a"
                                           << "k"
                                           << "y";
    QTest::newRow("only one pair of quotes removed") << QByteArray("[a]\r\nk=\"\"x\"\"\r\n") << "a"
                                                     << "k"
                                                     << "\"x\"";
    QTest::newRow("unmatched quote kept") << QByteArray("[a]\r\nk=\"abc\r\n") << "a"
                                          << "k"
                                          << "\"abc";
    QTest::newRow("mixed quotes kept") << QByteArray("[a]\r\nk=\"abc'\r\n") << "a"
                                       << "k"
                                       << "\"abc'";
    QTest::newRow("value runs past a second equals") << QByteArray("[a]\r\nk=x=y\r\n") << "a"
                                                     << "k"
                                                     << "x=y";
    QTest::newRow("empty value") << QByteArray("[a]\r\nk=\r\n") << "a"
                                 << "k"
                                 << "";
    QTest::newRow("first of two sections wins")
        << QByteArray("[a]\r\nk=1\r\n[A]\r\nk=2\r\nj=3\r\n") << "a"
        << "k"
        << "1";
    QTest::newRow("keys of a repeated section are not merged")
        << QByteArray("[a]\r\nk=1\r\n[A]\r\nj=3\r\n") << "a"
        << "j"
        << "<default>";
    QTest::newRow("first of two keys wins") << QByteArray("[a]\r\nk=1\r\nK=2\r\n") << "a"
                                            << "k"
                                            << "1";
    QTest::newRow("key of another section not found") << QByteArray("[a]\r\nk=1\r\n[b]\r\n") << "b"
                                                      << "k"
                                                      << "<default>";
    QTest::newRow("key before any section not found") << QByteArray("k=1\r\n[a]\r\n") << "a"
                                                      << "k"
                                                      << "<default>";
    QTest::newRow("comment is not a key") << QByteArray("[a]\r\n;k=1\r\n") << "a"
                                          << ";k"
                                          << "<default>";
    QTest::newRow("line feeds only") << QByteArray("[a]\nk=v\n") << "a"
                                     << "k"
                                     << "v";
    QTest::newRow("no final line break") << QByteArray("[a]\r\nk=v") << "a"
                                         << "k"
                                         << "v";
    QTest::newRow("header without closing bracket") << QByteArray("[a]\r\n[b\r\nk=v\r\n") << "a"
                                                    << "k"
                                                    << "v";
    QTest::newRow("text after the header ignored") << QByteArray("[a] ; note\r\nk=v\r\n") << "a"
                                                   << "k"
                                                   << "v";
    // 癆 is B0 41 and 癮 B0 61: folding the second byte as a letter would mix them up.
    QTest::newRow("second byte of a Chinese character is not a letter")
        << QByteArray("[x\xB0\x41]\r\nk=v\r\n") << QString::fromUtf8("x癮") << "k"
        << "<default>";
    // 乚 is 81 5D; its second byte is a ']'.
    QTest::newRow("second byte that looks like a bracket")
        << QByteArray("[\x81\x5D\xD0\xA1]\r\nk=v\r\n") << QString::fromUtf8("乚小") << "k"
        << "v";
    QTest::newRow("Chinese key in GBK") << QByteArray("[a]\r\n\xD0\xA1=\xC3\xF7\r\n") << "a"
                                        << QString::fromUtf8("小") << QString::fromUtf8("明");
}

void TestIniFile::lookup() {
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    writeFile(dir_->path(), "YZLY.ini", file);
    const IniFile ini(path());
    QCOMPARE(ini.ReadString(section, key, "<default>"), expected);
    QCOMPARE(ini.ValueExists(section, key), expected != "<default>");
}

void TestIniFile::gbkOnDisk() {
    IniFile ini(path());
    QVERIFY(ini.WriteString("ZBN1", "User_Name", QString::fromUtf8("小明")));
    QVERIFY(ini.WriteInteger("ZBN1", "GK", 3));
    QCOMPARE(readFile(path()), QByteArray("[ZBN1]\r\nUser_Name=\xD0\xA1\xC3\xF7\r\nGK=3\r\n"));
    QCOMPARE(IniFile(path()).ReadString("zbn1", "user_name", {}), QString::fromUtf8("小明"));

    // Characters GBK cannot hold are written as '?', never as broken bytes.
    QVERIFY(ini.WriteString(QString::fromUtf8("分数"), "n", QString::fromUtf8("a😀b")));
    QCOMPARE(ini.ReadString(QString::fromUtf8("分数"), "n", {}), QString("a?b"));
    QVERIFY(readFile(path()).endsWith("[\xB7\xD6\xCA\xFD]\r\nn=a?b\r\n"));
}

void TestIniFile::rewriteKeepsOtherLines() {
    const QByteArray before = "; scores\r\n"
                              "garbage line\r\n"
                              "[ZBN1]\r\n"
                              "  user_NAME = old  \r\n"
                              "; about GK\r\n"
                              "GK=2\r\n"
                              "\r\n"
                              "[PTX1]\r\n"
                              "Score=\xFF\xFF\x80 broken\r\n";
    writeFile(dir_->path(), "YZLY.ini", before);
    IniFile ini(path());
    QVERIFY(ini.WriteString("zbn1", "User_Name", "new"));
    // The key keeps its spelling and indentation; every other byte stays.
    QCOMPARE(readFile(path()), QByteArray(before).replace("user_NAME = old  ", "user_NAME =new"));
}

void TestIniFile::newKeysAndSections() {
    writeFile(dir_->path(), "YZLY.ini", "[a]\nk=1\n; tail\n\n[b]\nx=1\n");
    IniFile ini(path());
    QVERIFY(ini.WriteString("A", "new", "2"));
    QVERIFY(ini.WriteString("c", "z", "3"));
    QVERIFY(ini.WriteString("C", "y", "4"));
    // A new key follows the last line of its section, above the blank separator; a new
    // section goes to the end. Lines come back with CRLF.
    QCOMPARE(readFile(path()), QByteArray("[a]\r\nk=1\r\n; tail\r\nnew=2\r\n\r\n[b]\r\nx=1\r\n"
                                          "[c]\r\nz=3\r\ny=4\r\n"));

    const QString fresh = path("fresh.ini");
    QVERIFY(IniFile(fresh).WriteInteger("ZBN5", "Score", 0));
    QCOMPARE(readFile(fresh), QByteArray("[ZBN5]\r\nScore=0\r\n"));
}

void TestIniFile::unsafeNamesAndValues() {
    IniFile ini(path());
    // A pasted line break must not add a line (or a section) to the file.
    QVERIFY(ini.WriteString("a", "k", QString("x\r\n[evil]\nk=1") + QChar(0)));
    QCOMPARE(ini.ReadString("a", "k", {}), QString("x  [evil] k=1"));
    QCOMPARE(ini.ReadSections(), QStringList{"a"});

    const QByteArray before = readFile(path());
    const QStringList badKeys{"", "  ", "a=b", "[k", ";k", "k\nj"};
    for (const QString& key : badKeys)
        QVERIFY2(!ini.WriteString("a", key, "v"), qPrintable(key));
    QVERIFY(!ini.WriteString("", "k", "v"));
    QVERIFY(!ini.WriteString("s\r\n", "k", "v"));
    QCOMPARE(readFile(path()), before);
}

void TestIniFile::severalValuesInOneRewrite() {
    writeFile(dir_->path(), "YZLY.ini", "[ZBN4]\r\nUser_Name=a\r\nGK=1\r\nScore=5\r\n");
    IniFile ini(path());
    QVERIFY(ini.WriteStrings({{"ZBN5", "User_Name", "a"},
                              {"ZBN5", "GK", "1"},
                              {"ZBN5", "Score", "5"},
                              {"zbn4", "user_name", QString::fromUtf8("小明")},
                              {"ZBN4", "Score", "9"}}));
    QCOMPARE(readFile(path()),
             QByteArray("[ZBN4]\r\nUser_Name=\xD0\xA1\xC3\xF7\r\nGK=1\r\nScore=9\r\n"
                        "[ZBN5]\r\nUser_Name=a\r\nGK=1\r\nScore=5\r\n"));
    // One bad entry and nothing is written.
    const QByteArray before = readFile(path());
    QVERIFY(!ini.WriteStrings({{"ZBN5", "Score", "7"}, {"ZBN5", "", "x"}}));
    QCOMPARE(readFile(path()), before);
    QVERIFY(ini.WriteStrings({}));
    QCOMPARE(readFile(path()), before);
}

void TestIniFile::eraseAndDelete() {
    const QByteArray file =
        "[a]\r\nk=1\r\nj=2\r\nk=3\r\n; note of a\r\n[B]\r\nx=1\r\n[b]\r\ny=2\r\n"
        "[c]\r\nz=3\r\n";
    writeFile(dir_->path(), "YZLY.ini", file);
    IniFile ini(path());
    QVERIFY(ini.EraseSection("b"));
    QCOMPARE(readFile(path()),
             QByteArray("[a]\r\nk=1\r\nj=2\r\nk=3\r\n; note of a\r\n[c]\r\nz=3\r\n"));
    QVERIFY(ini.DeleteKey("A", "K"));
    QCOMPARE(readFile(path()), QByteArray("[a]\r\nj=2\r\n; note of a\r\n[c]\r\nz=3\r\n"));

    const QByteArray now = readFile(path());
    const ino_t node = inode(path());
    QVERIFY(ini.EraseSection("missing"));
    QVERIFY(ini.DeleteKey("a", "missing"));
    QVERIFY(ini.DeleteKey("missing", "k"));
    QCOMPARE(readFile(path()), now);
    QCOMPARE(inode(path()), node); // not rewritten

    const QString none = path("none.ini");
    QVERIFY(IniFile(none).EraseSection("a"));
    QVERIFY(IniFile(none).DeleteKey("a", "k"));
    QVERIFY(!QFileInfo::exists(none));
}

void TestIniFile::listing() {
    writeFile(dir_->path(), "YZLY.ini",
              "[ZBN1]\r\nUser_Name=\"A\"\r\nGK=1\r\nGK=9\r\n;c=1\r\n[empty]\r\n[zbn1]\r\nq=1\r\n"
              "[\xD0\xA1]\r\n\xC3\xF7=v\r\n");
    const IniFile ini(path());
    QCOMPARE(ini.ReadSections(), (QStringList{"ZBN1", "empty", QString::fromUtf8("小")}));
    QCOMPARE(ini.ReadSection("zbn1"), (QStringList{"User_Name", "GK", "GK"}));
    QCOMPARE(ini.ReadSectionValues("Zbn1"), (QStringList{"User_Name=A", "GK=1", "GK=1"}));
    QCOMPARE(ini.ReadSectionValues(QString::fromUtf8("小")),
             QStringList{QString::fromUtf8("明=v")});
    // As the class library defines it, a section without keys does not exist.
    QVERIFY(ini.SectionExists("ZBN1"));
    QVERIFY(!ini.SectionExists("empty"));
    QVERIFY(!ini.SectionExists("nothing"));
    QVERIFY(ini.ValueExists("zbn1", "gk"));
    QVERIFY(!ini.ValueExists("zbn1", "q"));
}

void TestIniFile::integers_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected"); // 77 is the default

    QTest::newRow("decimal") << "120" << 120;
    QTest::newRow("negative") << "-7" << -7;
    QTest::newRow("plus sign") << "+3" << 3;
    QTest::newRow("leading zeros") << "007" << 7;
    QTest::newRow("leading blank") << " 5" << 5;
    QTest::newRow("dollar hex") << "$1F" << 31;
    QTest::newRow("0x hex") << "0x1f" << 31;
    QTest::newRow("negative hex") << "-$10" << -16;
    QTest::newRow("hex fills 32 bits") << "$FFFFFFFF" << -1;
    QTest::newRow("largest") << "2147483647" << 2147483647;
    QTest::newRow("smallest") << "-2147483648" << int(-2147483647 - 1);
    QTest::newRow("too large") << "2147483648" << 77;
    QTest::newRow("too small") << "-2147483649" << 77;
    QTest::newRow("hex too long") << "$100000000" << 77;
    QTest::newRow("many digits") << "99999999999999999999999" << 77;
    QTest::newRow("trailing text") << "12abc" << 77;
    QTest::newRow("trailing blank") << "5 " << 77;
    QTest::newRow("fraction") << "1.5" << 77;
    QTest::newRow("empty") << "" << 77;
    QTest::newRow("sign only") << "-" << 77;
    QTest::newRow("dollar only") << "$" << 77;
    QTest::newRow("0x only") << "0x" << 77;
    QTest::newRow("hex letters without prefix") << "1F" << 77;
    QTest::newRow("full-width digits") << QString::fromUtf8("１２") << 77;
}

void TestIniFile::integers() {
    QFETCH(QString, text);
    QFETCH(int, expected);
    QCOMPARE(IniFile::toInteger(text, 77), expected);
    writeFile(dir_->path(), "YZLY.ini", "[a]\r\nk=\"" + text.toUtf8() + "\"\r\n");
    QCOMPARE(IniFile(path()).ReadInteger("a", "k", 77), expected);
}

void TestIniFile::readsTheFileAfresh() {
    IniFile ini(path());
    IniFile other(path());
    QVERIFY(ini.WriteInteger("ZBN1", "Score", 10));
    QCOMPARE(other.ReadInteger("ZBN1", "Score", 0), 10);
    writeFile(dir_->path(), "YZLY.ini", "[ZBN1]\r\nScore=20\r\n");
    QCOMPARE(ini.ReadInteger("ZBN1", "Score", 0), 20);
    QVERIFY(other.WriteInteger("ZBN1", "GK", 1));
    QCOMPARE(readFile(path()), QByteArray("[ZBN1]\r\nScore=20\r\nGK=1\r\n"));
}

// The write fails part-way (the file-size limit is hit while the new contents are being
// written); the old file must stay as it was and no temporary file may be left behind.
void TestIniFile::failedWriteKeepsOldFile() {
    const QByteArray old = "[ZBN1]\r\nUser_Name=old\r\nScore=10\r\n";
    writeFile(dir_->path(), "YZLY.ini", old);
    const ino_t before = inode(path());

    rlimit saved{};
    QCOMPARE(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto* previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 64;
    QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
    IniFile ini(path());
    const bool written = ini.WriteStrings(
        {{"ZBN2", "Score", "1"}, {"ZBN1", "User_Name", QString(500, QLatin1Char('x'))}});
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    QVERIFY(!written);
    QCOMPARE(readFile(path()), old);
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"YZLY.ini"});
    QCOMPARE(ini.ReadString("ZBN1", "User_Name", {}), QString("old"));
    QVERIFY(!ini.ValueExists("ZBN2", "Score"));

    // A write that succeeds replaces the file by renaming a new one over it.
    QVERIFY(ini.WriteString("ZBN1", "User_Name", "new"));
    QVERIFY(inode(path()) != before);
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"YZLY.ini"});
}

void TestIniFile::writeWhereFileCannotBeMade_data() {
    QTest::addColumn<QString>("setup");
    QTest::newRow("folder missing") << "missing";
    QTest::newRow("folder is a file") << "file";
    QTest::newRow("file is a folder") << "folder";
}

void TestIniFile::writeWhereFileCannotBeMade() {
    QFETCH(QString, setup);
    const QString data = dir_->path() + "/Data";
    if (setup == "file")
        writeFile(dir_->path(), "Data", "not a folder");
    if (setup == "folder")
        QVERIFY(QDir().mkpath(data + "/YZLY.ini"));
    IniFile ini(data + "/YZLY.ini");
    QVERIFY(!ini.WriteString("ZBN1", "Score", "1"));
    QVERIFY(!ini.WriteInteger("ZBN1", "Score", 1));
    // Nothing to remove from a file that is not there; a folder in its place is refused.
    QCOMPARE(ini.EraseSection("ZBN1"), setup != "folder");
    QCOMPARE(ini.DeleteKey("ZBN1", "Score"), setup != "folder");
    QCOMPARE(ini.ReadInteger("ZBN1", "Score", 5), 5);
    QCOMPARE(QFileInfo::exists(data), setup != "missing");
    if (setup == "file")
        QCOMPARE(readFile(data), QByteArray("not a folder"));
    if (setup == "folder")
        QVERIFY(QFileInfo(data + "/YZLY.ini").isDir());
}

void TestIniFile::garbageFiles_data() {
    QTest::addColumn<QByteArray>("prefix");
    QRandomGenerator gen(7);
    QByteArray noise(4096, '\0');
    for (char& c : noise)
        c = char(gen.bounded(256));
    QTest::newRow("random bytes") << noise;
    QTest::newRow("NULs") << QByteArray(300, '\0') + QByteArrayLiteral("[a\0b]\r\nk\0=\0\r\n");
    QTest::newRow("invalid GBK") << QByteArray("[\xFF\x80\x81]\r\n\x81=\xFE\r\n\xA1");
    QTest::newRow("only brackets") << QByteArray("[[[]]]]\r\n]\r\n[\r\n=\r\n==\r\n");
    QTest::newRow("carriage returns only") << QByteArray("[a]\rk=1\r\r\r");
    QTest::newRow("megabyte line") << QByteArray("[big]\r\nv=") + QByteArray(1 << 20, 'x');
}

// Whatever is in the file, the known section at its end is read, and a write keeps the
// unknown bytes before it.
void TestIniFile::garbageFiles() {
    QFETCH(QByteArray, prefix);
    writeFile(dir_->path(), "YZLY.ini", prefix + "\n[ZBN1]\r\nScore=42\r\n");
    IniFile ini(path());
    ini.ReadSections();
    ini.ReadSectionValues("big");
    QCOMPARE(ini.ReadInteger("ZBN1", "Score", 0), 42);
    QVERIFY(ini.WriteInteger("ZBN1", "Score", 43));
    QCOMPARE(ini.ReadInteger("ZBN1", "Score", 0), 43);
    // Each line comes back as it was, ended by CRLF.
    QByteArray expected = prefix + "\n[ZBN1]\r\nScore=43\r\n";
    expected.replace("\r\n", "\n").replace('\n', "\r\n");
    QCOMPARE(readFile(path()), expected);
}

void TestIniFile::largeFile() {
    QByteArray file;
    for (int i = 0; i < 40000; ++i)
        file += "[Section" + QByteArray::number(i) + "]\r\nName=\xD0\xA1\xC3\xF7 " +
                QByteArray::number(i) + "\r\nScore=" + QByteArray::number(i) + "\r\n";
    QVERIFY(file.size() > 1000000);
    writeFile(dir_->path(), "YZLY.ini", file);
    IniFile ini(path());
    QElapsedTimer t;
    t.start();
    QCOMPARE(ini.ReadInteger("section39999", "score", 0), 39999);
    QVERIFY(ini.WriteString("Section20000", "Name", "x"));
    QCOMPARE(ini.ReadSections().size(), 40000);
    // Generous even for a sanitizer build: a quadratic parse would take minutes.
    QVERIFY2(t.elapsed() < 20000, qPrintable(QString::number(t.elapsed())));
    QCOMPARE(ini.ReadString("Section20000", "Name", {}), QString("x"));
    QCOMPARE(ini.ReadString("Section20001", "Name", {}), QString::fromUtf8("小明 20001"));
}

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"

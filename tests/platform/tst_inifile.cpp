// The INI file: private-profile lookup rules, what a rewrite keeps (the file's encoding
// too), and writes that fail or are killed.
#include "platform/IniFile.h"
#include "tests/common/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using platform::IniFile;
using testsupport::readFile;
using testsupport::writeFile;

namespace {
const QString kMissing = QStringLiteral("<default>");

void lookupRow(const char* name, const QByteArray& file, const QString& section, const QString& key,
               const QString& expected) {
    QTest::newRow(name) << file << section << key << expected;
}
void rewriteRow(const char* name, const QByteArray& before, const QString& section,
                const QString& value, const QByteArray& after) {
    QTest::newRow(name) << before << section << value << after;
}
} // namespace

class TestIniFile : public QObject {
    Q_OBJECT
private slots:
    void init() { dir_ = std::make_unique<QTemporaryDir>(); }

    void lookup_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        lookupRow("names ignore case", "[ZBN1]\r\nScore=120\r\n", "zbn1", "SCORE", "120");
        lookupRow("blanks around names and value", "  [ ZBN1 ]  \r\n  Score \t=  120 \t\r\n",
                  "ZBN1", "score", "120");
        lookupRow("double quotes removed", "[a]\r\nk=\"  x \"\r\n", "a", "k", "  x ");
        lookupRow("single quotes removed", "[a]\r\nk='y'\r\n", "a", "k", "y");
        lookupRow("only one pair of quotes removed", "[a]\r\nk=\"\"x\"\"\r\n", "a", "k", "\"x\"");
        lookupRow("value runs past a second equals", "[a]\r\nk=x=y\r\n", "a", "k", "x=y");
        lookupRow("first of two sections wins", "[a]\r\nk=1\r\n[A]\r\nk=2\r\n", "a", "k", "1");
        lookupRow("keys of a repeated section are not merged", "[a]\r\nk=1\r\n[A]\r\nj=3\r\n", "a",
                  "j", kMissing);
        lookupRow("key of another section not found", "[a]\r\nk=1\r\n[b]\r\n", "b", "k", kMissing);
        lookupRow("comment is not a key", "[a]\r\n;k=1\r\n", "a", ";k", kMissing);
        lookupRow("no final line break", "[a]\r\nk=v", "a", "k", "v");
        lookupRow("text after the header ignored", "[a] ; note\r\nk=v\r\n", "a", "k", "v");
        // 癆 is B0 41 and 癮 B0 61: folding the second byte as a letter would mix them up.
        lookupRow("second byte of a Chinese character is not a letter", "[x\xB0\x41]\r\nk=v\r\n",
                  "x癮", "k", kMissing);
        lookupRow("Chinese key in GBK", "[a]\r\n\xD0\xA1=\xC3\xF7\r\n", "a", "小", "明");
        // 中 is E4 B8 AD in UTF-8: no GBK pairing may swallow the ']' after it.
        lookupRow("UTF-8 with a byte order mark", "\xEF\xBB\xBF[中]\r\n小=明\r\n", "中", "小",
                  "明");
    }
    void lookup() {
        QFETCH(QByteArray, file);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        writeFile(dir_->path(), "YZLY.ini", file);
        const IniFile ini(path());
        QCOMPARE(ini.ReadString(section, key, kMissing), expected);
        QCOMPARE(ini.ValueExists(section, key), expected != kMissing);
    }

    // A write changes its own line and nothing else; a file is written back in the encoding
    // it came in, and a new file is GBK.
    void rewrite_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");
        const QByteArray scores =
            "; scores\r\ngarbage\r\n[ZBN1]\r\n  k = old  \r\n; GK\r\nGK=2\r\n\r\n"
            "[PTX1]\r\nScore=\xFF\xFF\x80 broken\r\n";
        rewriteRow("key replaced in place, every other byte kept", scores, "zbn1", "new",
                   QByteArray(scores).replace("k = old  ", "k =new"));
        rewriteRow("new key after its section's last line, above the blank", "[a]\nj=1\n\n[b]\n",
                   "A", "2", "[a]\r\nj=1\r\nK=2\r\n\r\n[b]\r\n");
        rewriteRow("new section at the end", "[a]\r\nk=1", "c", "3",
                   "[a]\r\nk=1\r\n[c]\r\nK=3\r\n");
        rewriteRow("new file in GBK, unknown characters as '?'", QByteArray(), "中", "小明😀",
                   "[\xD6\xD0]\r\nK=\xD0\xA1\xC3\xF7?\r\n");
        rewriteRow("GBK stays GBK byte for byte", "; \xD7\xA2\r\n[\xD6\xD0]\r\nk=old\r\n", "中",
                   "小明", "; \xD7\xA2\r\n[\xD6\xD0]\r\nk=\xD0\xA1\xC3\xF7\r\n");
        rewriteRow("UTF-8 with a byte order mark stays UTF-8",
                   "\xEF\xBB\xBF; 注\r\n[中]\r\nk=old\r\n", "中", "小明😀",
                   "\xEF\xBB\xBF; 注\r\n[中]\r\nk=小明😀\r\n");
    }
    void rewrite() {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, value);
        if (!before.isNull())
            writeFile(dir_->path(), "YZLY.ini", before);
        QVERIFY(IniFile(path()).WriteString(section, "K", value));
        QTEST(readFile(path()), "after");
    }

    void unsafeNamesAndValues() {
        IniFile ini(path());
        // A pasted line break must not add a line (or a section) to the file.
        QVERIFY(ini.WriteString("a", "k", QString("x\r\n[evil]\nk=1") + QChar(0)));
        QCOMPARE(ini.ReadString("a", "k", {}), QString("x  [evil] k=1"));
        QCOMPARE(ini.ReadSections(), QStringList{"a"});
        const QByteArray before = readFile(path());
        for (const char* key : {"", "  ", "a=b", "[k", ";k", "k\nj"})
            QVERIFY2(!ini.WriteString("a", key, "v"), key);
        QVERIFY(!ini.WriteString("", "k", "v") && !ini.WriteString("s\r\n", "k", "v"));
        // One bad entry and nothing of the batch is written.
        QVERIFY(!ini.WriteStrings({{"a", "j", "7"}, {"a", "", "x"}}));
        QCOMPARE(readFile(path()), before);
    }

    void integers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected"); // 77 is the default
        QTest::newRow("decimal") << "120" << 120;
        QTest::newRow("negative") << "-7" << -7;
        QTest::newRow("leading blank") << " 5" << 5;
        QTest::newRow("dollar hex") << "$1F" << 31;
        QTest::newRow("hex fills 32 bits") << "$FFFFFFFF" << -1;
        QTest::newRow("smallest") << "-2147483648" << int(-2147483647 - 1);
        QTest::newRow("too large") << "2147483648" << 77;
        QTest::newRow("hex too long") << "$100000000" << 77;
        QTest::newRow("empty") << "" << 77;
        QTest::newRow("full-width digits") << "１２" << 77;
    }
    void integers() {
        QFETCH(QString, text);
        QFETCH(int, expected);
        writeFile(dir_->path(), "YZLY.ini", "[a]\r\nk=\"" + text.toUtf8() + "\"\r\n");
        QCOMPARE(IniFile(path()).ReadInteger("a", "k", 77), expected);
    }

    void readsTheFileAfresh() {
        IniFile ini(path());
        IniFile other(path());
        QVERIFY(ini.WriteInteger("ZBN1", "Score", 10));
        QCOMPARE(other.ReadInteger("ZBN1", "Score", 0), 10);
        writeFile(dir_->path(), "YZLY.ini", "[ZBN1]\r\nScore=20\r\n");
        QVERIFY(other.WriteInteger("ZBN1", "GK", 1));
        QCOMPARE(readFile(path()), QByteArray("[ZBN1]\r\nScore=20\r\nGK=1\r\n"));
    }

    // A write that fails part-way or whose process is killed part-way leaves the old file
    // and nothing else; a temporary that an earlier killed write left goes with the next.
    void failedWriteLeavesOnlyTheOldFile_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("file-size limit reached") << "limit";
        QTest::newRow("writer killed part-way") << "kill";
        QTest::newRow("temporary of an earlier kill") << "stale";
    }
    void failedWriteLeavesOnlyTheOldFile() {
        QFETCH(QString, how);
        writeFile(dir_->path(), "YZLY.ini", "[ZBN1]\r\nScore=10\r\n");
        if (how == "stale") {
            const QString stale = writeFile(dir_->path(), "YZLY.ini.new-a1B2c3", "[ZBN1]\r\nSc");
            const timespec hourAgo[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
            QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(stale).constData(), hourAgo, 0), 0);
            QVERIFY(IniFile(path()).WriteInteger("ZBN1", "Score", 11));
        } else {
            // The writer runs in a child with a 64-byte file-size limit: past it, a write
            // fails (the signal ignored) or the kernel ends the process (the signal's default).
            const pid_t child = ::fork();
            if (child == 0) {
                rlimit noCore{0, 0}, small{};
                ::getrlimit(RLIMIT_FSIZE, &small);
                small.rlim_cur = 64;
                std::signal(SIGXFSZ, how == "kill" ? SIG_DFL : SIG_IGN);
                ::setrlimit(RLIMIT_CORE, &noCore);
                ::setrlimit(RLIMIT_FSIZE, &small);
                ::_exit(IniFile(path()).WriteStrings(
                            {{"ZBN2", "k", "1"}, {"ZBN1", "Score", QString(99, 'x')}})
                            ? 1
                            : 0);
            }
            int status = 0;
            QCOMPARE(::waitpid(child, &status, 0), child);
            if (how == "kill")
                QVERIFY(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ);
            else
                QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
            QCOMPARE(IniFile(path()).ReadInteger("ZBN1", "Score", 0), 10);
        }
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"YZLY.ini"});
    }

    void writeWhereFileCannotBeMade_data() {
        QTest::addColumn<QString>("setup");
        QTest::newRow("folder missing") << "missing";
        QTest::newRow("file is a folder") << "folder";
    }
    void writeWhereFileCannotBeMade() {
        QFETCH(QString, setup);
        const QString data = dir_->path() + "/Data";
        if (setup == "folder")
            QVERIFY(QDir().mkpath(data + "/YZLY.ini"));
        IniFile ini(data + "/YZLY.ini");
        QVERIFY(!ini.WriteInteger("ZBN1", "Score", 1));
        // Nothing to remove from a file that is not there; a folder in its place is refused.
        QCOMPARE(ini.EraseSection("ZBN1"), setup != "folder");
        QCOMPARE(ini.ReadInteger("ZBN1", "Score", 5), 5);
        QCOMPARE(QFileInfo::exists(data), setup != "missing");
    }

    // A link to one's own file is written through and stays a link; a link that would
    // land the write in another user's file or private folder, or that another user made,
    // is refused with nothing changed.
    void writeThroughLink_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("written");
        QTest::newRow("link to one's own file") << "own" << true;
        QTest::newRow("link to another user's file") << "file" << false;
        QTest::newRow("link made by another user") << "link" << false;
        QTest::newRow("link to one's file in another user's private folder") << "folder" << false;
        QTest::newRow("data folder a link to another user's folder") << "datafolder" << false;
        // A shared data folder reached through a linked program folder: the file another
        // user saved there is replaced as ever, not written into.
        QTest::newRow("another user's file in a shared folder") << "shared" << true;
    }
    void writeThroughLink() {
        QFETCH(QString, how);
        QFETCH(bool, written);
        if (how != "own" && ::geteuid() != 0)
            QSKIP("files of another user need root to make");
        constexpr uid_t other = 65534; // nobody
        const QByteArray old = "[Notes]\nkept=yes\n";
        // The file the link aims at lies in a folder of its own, like another user's home.
        const QString elsewhere = dir_->path() + "/elsewhere";
        QVERIFY(QDir().mkpath(elsewhere));
        QVERIFY(QDir().mkpath(dir_->path() + "/Data"));
        const QString aimed = writeFile(elsewhere, "notes.ini", old);
        const QString link = dir_->path() + "/Data/YZLY.ini";
        if (how == "datafolder" || how == "shared") {
            QVERIFY(QDir(dir_->path() + "/Data").removeRecursively());
            QVERIFY(QFile::link(elsewhere, dir_->path() + "/Data"));
            QVERIFY(QFile::rename(aimed, elsewhere + "/YZLY.ini"));
        } else {
            QVERIFY(QFile::link(aimed, link));
        }
        const QString target =
            how == "datafolder" || how == "shared" ? elsewhere + "/YZLY.ini" : aimed;
        const QByteArray e = QFile::encodeName(elsewhere);
        if (how == "file" || how == "shared")
            QCOMPARE(::chown(QFile::encodeName(target).constData(), other, other), 0);
        if (how == "link")
            QCOMPARE(::lchown(QFile::encodeName(link).constData(), other, other), 0);
        if (how == "folder" || how == "datafolder" || how == "shared")
            QVERIFY(::chown(e.constData(), other, other) == 0 &&
                    ::chmod(e.constData(), how == "shared" ? 0777 : 0700) == 0);
        const uint ownerBefore = QFileInfo(target).ownerId();

        QCOMPARE(IniFile(link).WriteInteger("ZBN1", "Score", 7), written);
        QVERIFY(QFileInfo(target != aimed ? dir_->path() + "/Data" : link).isSymLink());
        if (written) {
            QCOMPARE(IniFile(target).ReadInteger("ZBN1", "Score", 0), 7);
            QCOMPARE(IniFile(target).ReadString("Notes", "kept", ""), "yes");
        } else {
            QCOMPARE(readFile(target), old);
            QCOMPARE(QFileInfo(target).ownerId(), ownerBefore);
        }
        // Nothing is left beside the file either.
        QCOMPARE(QDir(elsewhere).entryList(QDir::Files | QDir::Hidden).size(), qsizetype(1));
    }

private:
    QString path(const QString& name = QStringLiteral("YZLY.ini")) const {
        return dir_->path() + QLatin1Char('/') + name;
    }
    std::unique_ptr<QTemporaryDir> dir_;
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"

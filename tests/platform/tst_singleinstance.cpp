// One running copy: a second start is refused; a killed first copy does not block; without
// a runtime folder, users of one machine do not block each other, and the lock sits in a
// folder only its user can write to, where no one else can put a lock in its way or move
// it between two starts.
#include "platform/SingleInstance.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
// Another process, running as `uid` (unless negative), that holds the lock until killed.
struct Holder {
    pid_t pid = -1;
    bool held = false;
    Holder(const QString& dir, int uid) {
        int ready[2];
        if (::pipe(ready) != 0 || (pid = ::fork()) < 0)
            return;
        if (pid == 0) {
            const bool user = uid < 0 || ::setuid(uid_t(uid)) == 0;
            platform::SingleInstanceLock lock("Tovimbrel", dir);
            const char ok = user && lock.tryAcquire() && lock.isHeld() ? '1' : '0';
            (void)!::write(ready[1], &ok, 1);
            ::pause();
            ::_exit(0);
        }
        char ok = 0;
        held = ::read(ready[0], &ok, 1) == 1 && ok == '1';
        ::close(ready[0]);
        ::close(ready[1]);
    }
    ~Holder() { kill(); }
    void kill() {
        if (pid > 0 && ::kill(pid, SIGKILL) == 0)
            ::waitpid(pid, nullptr, 0);
        pid = -1;
    }
};
// Runs without a runtime folder, with the temporary and cache folders in `root`.
struct NoRuntimeFolder {
    QByteArray saved[3];
    static constexpr const char* names[3] = {"XDG_RUNTIME_DIR", "TMPDIR", "XDG_CACHE_HOME"};
    explicit NoRuntimeFolder(const QString& root) {
        for (int i = 0; i < 3; ++i)
            saved[i] = qgetenv(names[i]);
        qunsetenv("XDG_RUNTIME_DIR");
        qputenv("TMPDIR", QFile::encodeName(root + "/tmp"));
        qputenv("XDG_CACHE_HOME", QFile::encodeName(root + "/cache"));
        QDir().mkpath(root + "/tmp");
    }
    ~NoRuntimeFolder() {
        for (int i = 0; i < 3; ++i)
            saved[i].isNull() ? qunsetenv(names[i]) : qputenv(names[i], saved[i]);
    }
};

struct stat statOf(const QString& path) {
    struct stat st {};
    ::lstat(QFile::encodeName(path).constData(), &st);
    return st;
}

} // namespace

class TestSingleInstance : public QObject {
    Q_OBJECT
private slots:
    void secondHolderRefusedUntilRelease() {
        QTemporaryDir dir;
        platform::SingleInstanceLock first("Tovimbrel", dir.path());
        platform::SingleInstanceLock second("Tovimbrel", dir.path());
        QVERIFY(first.tryAcquire() && first.isHeld());
        QVERIFY(!second.tryAcquire() && !second.isHeld());
        first.release();
        QVERIFY(second.tryAcquire() &&
                platform::SingleInstanceLock("Other", dir.path()).tryAcquire());
    }

    void killedHolderDoesNotBlock() {
        QTemporaryDir dir;
        Holder other(dir.path(), -1);
        QVERIFY(other.held);
        platform::SingleInstanceLock mine("Tovimbrel", dir.path());
        QVERIFY(!mine.tryAcquire());
        other.kill();
        QVERIFY(mine.tryAcquire());
    }

    // Another user's copy runs, with the same shared temporary folder; ours still starts.
    void otherUsersCopyDoesNotBlock() {
        if (::geteuid() != 0)
            QSKIP("acting as another user needs root");
        QTemporaryDir root;
        NoRuntimeFolder env(root.path());
        QVERIFY(QFile::setPermissions(root.path() + "/tmp", QFileDevice::Permissions(0x7777)));
        // The other user's own cache folder, as in a home of theirs.
        const QString theirs = root.path() + "/other-cache";
        QVERIFY(QDir().mkpath(theirs));
        QCOMPARE(::chown(QFile::encodeName(theirs).constData(), 65534, 65534), 0);
        QVERIFY(QFile::setPermissions(root.path(), QFileDevice::Permissions(0x7755)));
        qputenv("XDG_CACHE_HOME", QFile::encodeName(theirs));
        Holder other(QString(), 65534);
        qputenv("XDG_CACHE_HOME", QFile::encodeName(root.path() + "/cache"));
        platform::SingleInstanceLock mine("Tovimbrel");
        QVERIFY(other.held);
        QVERIFY(mine.tryAcquire() && mine.isHeld());
    }

    void lockInAFolderOfItsOwn() {
        QTemporaryDir root;
        NoRuntimeFolder env(root.path());
        platform::SingleInstanceLock lock("Tovimbrel");
        QVERIFY(lock.tryAcquire() && lock.isHeld());
        const QString folder = QFileInfo(lock.lockFilePath()).path();
        QCOMPARE(folder, root.path() + "/cache/pelumo-" + QString::number(::getuid()));
        const struct stat st = statOf(folder);
        QCOMPARE(st.st_mode & 0777, 0700u);
        QCOMPARE(st.st_uid, ::getuid());
    }

    // Someone made the folder's name first: the lock goes elsewhere and still holds.
    void folderTakenFirstIsNotUsed_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("open to every user") << "open";
        QTest::newRow("a link to another folder") << "link";
        QTest::newRow("another user's") << "owner";
    }

    void folderTakenFirstIsNotUsed() {
        QFETCH(QString, how);
        if (how == "owner" && ::geteuid() != 0)
            QSKIP("acting as another user needs root");
        QTemporaryDir root;
        NoRuntimeFolder env(root.path());
        const QString taken = root.path() + "/tmp/pelumo-" + QString::number(::getuid());
        if (how == "link") {
            QVERIFY(QDir().mkpath(root.path() + "/elsewhere"));
            QVERIFY(QFile::link(root.path() + "/elsewhere", taken));
        } else {
            QVERIFY(QDir().mkpath(taken));
            QVERIFY(::chmod(QFile::encodeName(taken).constData(), how == "open" ? 0777 : 0700) ==
                    0);
            if (how == "owner")
                QVERIFY(::chown(QFile::encodeName(taken).constData(), 65534, 65534) == 0);
        }
        platform::SingleInstanceLock lock("Tovimbrel"), second("Tovimbrel");
        QVERIFY(!lock.lockFilePath().startsWith(taken + "/"));
        QVERIFY(!QFileInfo(lock.lockFilePath())
                     .canonicalFilePath()
                     .startsWith(root.path() + "/elsewhere"));
        QVERIFY(lock.tryAcquire() && lock.isHeld());
        QVERIFY(!second.tryAcquire()); // one copy still
    }

    // Whatever sits in the shared temporary folder at the first start and is gone at the
    // second, both look for the lock in the same place: the second copy is refused.
    void sharedFolderChangesBetweenStarts_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("our name taken by another user, then removed") << "owner";
        QTest::newRow("our name open to every user, then removed") << "open";
        QTest::newRow("our own folder there, cleared away while running") << "cleared";
    }
    void sharedFolderChangesBetweenStarts() {
        QFETCH(QString, how);
        if (how == "owner" && ::geteuid() != 0)
            QSKIP("a folder of another user's needs root to make");
        QTemporaryDir root;
        NoRuntimeFolder env(root.path());
        const QByteArray taken =
            QFile::encodeName(root.path() + "/tmp/pelumo-" + QString::number(::getuid()));
        const auto takeName = [&] {
            return ::mkdir(taken.constData(), 0700) == 0 &&
                   ::chmod(taken.constData(), how == "open" ? 0777 : 0700) == 0 &&
                   (how == "open" || ::chown(taken.constData(), 65534, 65534) == 0);
        };
        if (how != "cleared")
            QVERIFY(takeName());
        Holder first(QString(), -1);
        QVERIFY(first.held);
        QVERIFY(QDir(QFile::decodeName(taken)).removeRecursively());
        platform::SingleInstanceLock second("Tovimbrel");
        QVERIFY(!second.tryAcquire());
        first.kill();
        QVERIFY(second.tryAcquire());
    }

    // A lock file that another user put in place is not trusted: ours replaces it.
    void foreignLockFileReplaced() {
        if (::geteuid() != 0)
            QSKIP("acting as another user needs root");
        QTemporaryDir dir;
        const QString path = dir.path() + "/Tovimbrel.lock";
        QFile planted(path);
        QVERIFY(planted.open(QIODevice::WriteOnly));
        planted.close();
        QVERIFY(::chown(QFile::encodeName(path).constData(), 65534, 65534) == 0);
        platform::SingleInstanceLock lock("Tovimbrel", dir.path());
        QVERIFY(lock.tryAcquire() && lock.isHeld());
        QCOMPARE(statOf(path).st_uid, ::getuid());
        QVERIFY(!platform::SingleInstanceLock("Tovimbrel", dir.path()).tryAcquire());
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"

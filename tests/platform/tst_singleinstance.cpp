// One running copy: a second start is refused; a killed first copy does not block; without
// a runtime folder, users of one machine do not block each other.
#include "platform/SingleInstance.h"

#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
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

    // Another user's copy holds its lock in the shared temporary folder; ours still starts.
    void otherUsersCopyDoesNotBlock() {
        if (::geteuid() != 0)
            QSKIP("acting as another user needs root");
        QTemporaryDir shared;
        QVERIFY(QFile::setPermissions(shared.path(), QFileDevice::Permissions(0x7777)));
        const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR"), tmp = qgetenv("TMPDIR");
        qunsetenv("XDG_RUNTIME_DIR");
        qputenv("TMPDIR", QFile::encodeName(shared.path()));
        Holder other(QString(), 65534);
        platform::SingleInstanceLock mine("Tovimbrel");
        const bool acquired = mine.tryAcquire() && mine.isHeld();
        for (auto [name, value] : {std::pair{"XDG_RUNTIME_DIR", runtime}, std::pair{"TMPDIR", tmp}})
            value.isNull() ? qunsetenv(name) : qputenv(name, value);
        QVERIFY(other.held);
        QVERIFY(acquired);
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"

// One running copy: a second start is refused; a killed first copy does not block; without
// a runtime folder, users of one machine do not block each other.
#include "platform/SingleInstance.h"

#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

class TestSingleInstance : public QObject {
    Q_OBJECT
private slots:
    void secondHolderRefusedUntilRelease();
    void killedHolderDoesNotBlock();
    void otherUsersCopyDoesNotBlock();
};

void TestSingleInstance::secondHolderRefusedUntilRelease() {
    QTemporaryDir dir;
    platform::SingleInstanceLock first("Tovimbrel", dir.path());
    platform::SingleInstanceLock second("Tovimbrel", dir.path());
    QVERIFY(first.tryAcquire());
    QVERIFY(first.isHeld());
    QVERIFY(!second.tryAcquire());
    QVERIFY(!second.isHeld());
    first.release();
    QVERIFY(second.tryAcquire());
    platform::SingleInstanceLock other("Other", dir.path());
    QVERIFY(other.tryAcquire()); // another name is another lock
}

void TestSingleInstance::killedHolderDoesNotBlock() {
    QTemporaryDir dir;
    int ready[2];
    QCOMPARE(::pipe(ready), 0);
    const pid_t child = ::fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        platform::SingleInstanceLock lock("Tovimbrel", dir.path());
        const char ok = lock.tryAcquire() ? '1' : '0';
        (void)!::write(ready[1], &ok, 1);
        ::pause();
        ::_exit(0);
    }
    char ok = 0;
    QCOMPARE(::read(ready[0], &ok, 1), ssize_t(1));
    QCOMPARE(ok, '1');
    platform::SingleInstanceLock mine("Tovimbrel", dir.path());
    QVERIFY(!mine.tryAcquire());
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    QVERIFY(mine.tryAcquire());
    ::close(ready[0]);
    ::close(ready[1]);
}

// Another user's copy holds its lock in the shared temporary folder; ours still starts.
void TestSingleInstance::otherUsersCopyDoesNotBlock() {
    if (::geteuid() != 0)
        QSKIP("acting as another user needs root");
    QTemporaryDir shared;
    QVERIFY(QFile::setPermissions(shared.path(), QFileDevice::Permissions(0x7777)));
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR"), tmp = qgetenv("TMPDIR");
    qunsetenv("XDG_RUNTIME_DIR");
    qputenv("TMPDIR", QFile::encodeName(shared.path()));
    int ready[2];
    QCOMPARE(::pipe(ready), 0);
    const pid_t child = ::fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        const bool user = ::setuid(65534) == 0;
        platform::SingleInstanceLock lock("Tovimbrel");
        const char ok = user && lock.tryAcquire() && lock.isHeld() ? '1' : '0';
        (void)!::write(ready[1], &ok, 1);
        ::pause();
        ::_exit(0);
    }
    char ok = 0;
    QCOMPARE(::read(ready[0], &ok, 1), ssize_t(1));
    platform::SingleInstanceLock mine("Tovimbrel");
    const bool acquired = mine.tryAcquire() && mine.isHeld();
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    ::close(ready[0]);
    ::close(ready[1]);
    for (auto [name, value] : {std::pair{"XDG_RUNTIME_DIR", runtime}, std::pair{"TMPDIR", tmp}})
        value.isNull() ? qunsetenv(name) : qputenv(name, value);
    QCOMPARE(ok, '1');
    QVERIFY(acquired);
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"

// One running copy: a second start is refused; a killed first copy does not block.
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

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"

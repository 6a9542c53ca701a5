// The library the web engine's processes load gives their scattered free memory back as a
// thread goes idle: when to look, when to give back, and what it does in a process
// standing for the engine's and in any other.
#include "EngineMemory.h"

#include <QProcess>
#include <QtTest>
#include <cstdint>

namespace {

constexpr size_t kMB = size_t(1) << 20;

struct ProbeRun {
    bool finished = false;
    long beforeKb = -1;
    long afterKb = -1;
    QString preload;
};

// Runs a stand-in process (`which`: "engine" is named as the engine's program) with the
// library preloaded.
ProbeRun runProbe(const QString& which, const QStringList& args) {
    const QString dir = QStringLiteral(PELUMO_BINARY_DIR);
    const QString program =
        which == QLatin1String("engine")
            ? dir + QStringLiteral("/enginememory-probe/engine/QtWebEngineProcess")
            : dir + QStringLiteral("/enginememory-probe/other/enginememory-other");
    QProcess probe;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LD_PRELOAD"), dir + QStringLiteral("/libpelumo_enginememory.so"));
    probe.setProcessEnvironment(env);
    probe.start(program, args);
    ProbeRun run;
    run.finished = probe.waitForFinished(60000) && probe.exitStatus() == QProcess::NormalExit &&
                   probe.exitCode() == 0;
    if (!run.finished) {
        probe.kill();
        probe.waitForFinished();
        return run;
    }
    const QStringList out = QString::fromLatin1(probe.readAllStandardOutput()).split(u' ');
    if (out.size() == 3) {
        run.beforeKb = out[0].toLong();
        run.afterKb = out[1].toLong();
        run.preload = out[2].trimmed();
    }
    return run;
}

} // namespace

class TestEngineMemory : public QObject {
    Q_OBJECT
private slots:
    // Free memory is given back once it has grown by 8 MB over the least seen since the
    // last time; the first look only takes the measure.
    void givesBackWhatWasFreedSince_data() {
        QTest::addColumn<QList<int>>("freeMb"); // one look after another
        QTest::addColumn<QList<bool>>("trims");
        QTest::newRow("first look takes the measure") << QList<int>{60} << QList<bool>{false};
        QTest::newRow("a little freed") << QList<int>{60, 67} << QList<bool>{false, false};
        QTest::newRow("eight freed") << QList<int>{60, 68} << QList<bool>{false, true};
        QTest::newRow("given back once")
            << QList<int>{60, 70, 70, 75} << QList<bool>{false, true, false, false};
        QTest::newRow("used again, freed again")
            << QList<int>{60, 70, 40, 49} << QList<bool>{false, true, false, true};
        QTest::newRow("measured from the least since")
            << QList<int>{60, 20, 27, 29} << QList<bool>{false, false, false, true};
    }
    void givesBackWhatWasFreedSince() {
        QFETCH(QList<int>, freeMb);
        QFETCH(QList<bool>, trims);
        size_t lowest = SIZE_MAX;
        for (qsizetype i = 0; i < freeMb.size(); ++i)
            QCOMPARE(pelumo_engine_memory_should_trim(size_t(freeMb[i]) * kMB, &lowest), trims[i]);
    }

    // A wait after the pause looks at the memory and keeps its timeout; one within the
    // pause waits no longer than the pause's end, so that what the busy thread frees is
    // looked at even when no other wake comes.
    void waitsNoLongerThanTheNextLook_data() {
        QTest::addColumn<int>("now");
        QTest::addColumn<int>("timeout");
        QTest::addColumn<bool>("looks");
        QTest::addColumn<int>("waits");
        // The next look is due at 5000.
        QTest::newRow("due, for ever") << 5000 << -1 << true << -1;
        QTest::newRow("past due, a while") << 9000 << 300 << true << 300;
        QTest::newRow("in the pause, for ever") << 4200 << -1 << false << 800;
        QTest::newRow("in the pause, longer") << 4200 << 10000 << false << 800;
        QTest::newRow("in the pause, shorter") << 4200 << 100 << false << 100;
        QTest::newRow("in the pause, no wait") << 4200 << 0 << false << 0;
    }
    void waitsNoLongerThanTheNextLook() {
        QFETCH(int, now);
        QFETCH(int, timeout);
        QFETCH(bool, looks);
        QFETCH(int, waits);
        bool look = !looks;
        QCOMPARE(pelumo_engine_memory_wait_ms(now, 5000, timeout, &look), waits);
        QCOMPARE(look, looks);
    }

    // The stand-ins free some 90 MB scattered between kept blocks. In the engine's
    // process a busy thread's endless wait ends when the next look is due, and that look
    // gives most of it back; a look within the pause gives nothing back; another program
    // keeps its memory and starts what it starts without the library.
    void standIns_data() {
        QTest::addColumn<QString>("which");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("givesBack");
        QTest::addColumn<QString>("preload");
        QTest::newRow("engine, busy")
            << "engine" << QStringList{QStringLiteral("busy")} << true << "preloaded";
        QTest::newRow("engine, within the pause")
            << "engine" << QStringList() << false << "preloaded";
        QTest::newRow("another program") << "other" << QStringList() << false << "clean";
    }
    void standIns() {
        QFETCH(QString, which);
        QFETCH(QStringList, args);
        QFETCH(bool, givesBack);
        QFETCH(QString, preload);
        const ProbeRun run = runProbe(which, args);
        QVERIFY2(run.finished, "the stand-in did not end");
        QVERIFY(run.beforeKb > 80 * 1024);
        const long returnedKb = run.beforeKb - run.afterKb;
        if (givesBack)
            QVERIFY2(returnedKb > 48 * 1024, qPrintable(QString::number(returnedKb)));
        else
            QVERIFY2(returnedKb < 8 * 1024, qPrintable(QString::number(returnedKb)));
        QCOMPARE(run.preload, preload);
    }
};

QTEST_GUILESS_MAIN(TestEngineMemory)
#include "tst_enginememory.moc"

// ctest-labels: webengine
// The whole program, started as a child would start it, opens the mathematics menu and
// its lessons, plays three of them, and leaves through the menu to the main window, whose
// exit picture is clicked: the process must end on its own and cleanly, with a session
// bus and without one. A close that waits on the web engine leaves the child running
// until the test's own time runs out; a program that lets the bus library fork it to
// start a bus is caught even when its child did not hang this time.
#include "WebEngineTestSupport.h"
#include "app/FormRegistry.h"
#include "app/Startup.h"
#include "app/UMain.h"
#include "app/UWzsx.h"
#include "app/Ukjxx.h"
#include "content/tables/MenuButtons.h"
#include "flashhost/FlashHostControl.h"

#include <QApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <cstdio>

namespace {

constexpr char kProgramMode[] = "--run-program";
constexpr int kLessons = 3;    // played one after the other before the close
constexpr int kPlayTicks = 20; // how long each plays, and the main window shows before the
                               // close, in ticks of 100 ms

// The lesson player the section menu opened.
Tfrmkjxx* openPlayer() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* p = qobject_cast<Tfrmkjxx*>(w); p && p->isVisible())
            return p;
    return nullptr;
}

// In the program's process: what the child does, one step per tick of a timer, each
// step waiting for what the one before started. The steps print what they reached. The
// child's press on a button of a menu's movie arrives as the command the movie sends.
void driveProgram() {
    auto* timer = new QTimer(qApp);
    auto step = std::make_shared<int>(0);
    auto lessons = std::make_shared<int>(0);
    auto ticks = std::make_shared<int>(0);
    auto player = std::make_shared<QPointer<Tfrmkjxx>>();
    QObject::connect(timer, &QTimer::timeout, qApp, [timer, step, lessons, ticks, player] {
        switch (*step) {
        case 0: // the main window is up and the background start has run: to mathematics
            if (!IsFlashInstalled()) {
                std::puts("no web player");
                QCoreApplication::exit(3);
                return;
            }
            if (!Frmmain || !Frmmain->isVisible() || !FormRegistry::find("TfrmABCKeyboard") ||
                !FormRegistry::find("TfrmABCKeyboard")->instance())
                return;
            QTest::mouseClick(Frmmain->imgwzsx, Qt::LeftButton);
            ++*step;
            return;
        case 1: // the section's menu movie is up: its lessons button
            if (!FrmWzsx || !FrmWzsx->isVisible() || FrmWzsx->MyShockwaveFlash1->ReadyState() != 4)
                return;
            FrmWzsx->MyShockwaveFlash1FSCommand(QString::fromUtf8(menus::wzsx::kLessons), {});
            *player = openPlayer();
            if (!*player) {
                std::puts("no lesson player");
                QCoreApplication::exit(2);
                return;
            }
            ++*step;
            return;
        case 2: // a lesson's movie plays a while; the child goes on to the next
            if (!*player || (*player)->MyShockwaveFlash1->ReadyState() != 4 ||
                !(*player)->MyShockwaveFlash1->IsPlaying() || ++*ticks < kPlayTicks)
                return;
            *ticks = 0;
            std::puts("lesson played");
            std::fflush(stdout);
            if (++*lessons < kLessons) {
                QTest::mouseClick((*player)->imgnext, Qt::LeftButton);
                return;
            }
            QTest::mouseClick((*player)->imgexit, Qt::LeftButton);
            ++*step;
            return;
        case 3: // back in the menu: its exit button
            if ((*player && (*player)->isVisible()) || !FrmWzsx || !FrmWzsx->isVisible())
                return;
            FrmWzsx->MyShockwaveFlash1FSCommand(QString::fromUtf8(menus::kExit), {});
            ++*step;
            return;
        case 4: // back in the main window a while: the exit picture ends the program
            if (!Frmmain->isVisible() || ++*ticks < kPlayTicks)
                return;
            webenginetest::keepGlDriversLoaded();
            QTest::mouseClick(Frmmain->imgexit, Qt::LeftButton);
            std::puts("exit clicked");
            std::fflush(stdout);
            timer->stop();
            ++*step;
            return;
        }
    });
    timer->start(100);
}

} // namespace

class TestCloseAfterLesson : public QObject {
    Q_OBJECT
private slots:
    void programEnds_data();
    void programEnds();
};

void TestCloseAfterLesson::programEnds_data() {
    QTest::addColumn<bool>("sessionBus");
    QTest::newRow("no session bus") << false;
    QTest::newRow("a session bus") << true;
}

void TestCloseAfterLesson::programEnds() {
    QFETCH(bool, sessionBus);
    QTemporaryDir runtime; // the program's lock, away from any other copy's
    QVERIFY(runtime.isValid());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    env.remove("DBUS_SESSION_BUS_ADDRESS");
    // Without a bus, the bus library would start one by forking the program and running
    // this helper (found on the PATH where the system has none of its own): a fork of a
    // program of many threads, whose child can hang before the helper runs. Its mark
    // says the program let it happen.
    QTemporaryDir bin;
    const QString helper = bin.path() + "/dbus-launch";
    QFile script(helper);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\ntouch \"$0.ran\"\nexit 1\n");
    script.close();
    QVERIFY(script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                  QFileDevice::ExeOwner));
    env.insert("PATH", bin.path() + ':' + env.value("PATH"));
    QProcess bus;
    if (sessionBus) {
        bus.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
        QVERIFY2(bus.waitForStarted(), "dbus-daemon is not installed");
        QTRY_VERIFY_WITH_TIMEOUT(bus.canReadLine(), 30000);
        env.insert("DBUS_SESSION_BUS_ADDRESS", QString::fromLocal8Bit(bus.readLine()).trimmed());
    }

    QProcess program;
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(QCoreApplication::applicationFilePath(), {kProgramMode});
    QVERIFY(program.waitForStarted());
    // No limit of its own: a program that never ends is stopped by the test's timeout.
    program.waitForFinished(-1);
    const QByteArray said = program.readAllStandardOutput();
    if (sessionBus) {
        bus.kill();
        bus.waitForFinished();
    }
    if (said.contains("no web player"))
        QSKIP("the web player's files are not installed (run scripts/install-deps)");
    QVERIFY2(said.count("lesson played") == kLessons && said.contains("exit clicked"),
             said.constData());
    QVERIFY2(!QFile::exists(helper + ".ran"), "the bus library forked the program");
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
}

int main(int argc, char** argv) {
    if (argc > 1 && qstrcmp(argv[1], kProgramMode) == 0) {
        qAddPreRoutine(driveProgram);
        int programArgc = 1;
        return runProgram(programArgc, argv);
    }
    QCoreApplication app(argc, argv);
    TestCloseAfterLesson test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_closeafterlesson.moc"

// The windowed host control over the fake player: loading, the order of calls, the
// properties, frame answers, commands and the routing of mouse and keys.
#include "FlashTestSupport.h"
#include "TestSupport.h"
#include "flashhost/BackendProvider.h"
#include "flashhost/FakeBackend.h"
#include "flashhost/FlashHostControl.h"
#include "flashhost/swf/Swf.h"

#include <QBuffer>
#include <QMenu>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

using flashhost::FakeBackend;
using flashhost::fakeBackendOf;
using flashtest::load;
using flashtest::movieBytes;

namespace {

void settle() {
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

// A form that records the keys that reach it.
class KeyForm : public QWidget {
public:
    QList<int> keys;

protected:
    void keyPressEvent(QKeyEvent* e) override { keys << e->key(); }
};

} // namespace

class TestFlashHostControl : public QObject {
    Q_OBJECT
private slots:
    void init() { flashtest::useFakePlayers(); }
    void cleanup() { flashtest::dropFakePlayers(); }

    void loadCopiesTheWholeStreamFromItsStart() {
        TFlashHostControl flash;
        const QByteArray movie = movieBytes(3);
        auto stream = std::make_unique<QBuffer>();
        stream->setData(movie);
        stream->open(QIODevice::ReadOnly);
        stream->seek(movie.size() / 2);
        QSignalSpy states(&flash, &TFlashHostControl::OnReadyStateChange);
        QSignalSpy progress(&flash, &TFlashHostControl::OnProgress);
        flash.LoadMovieFromStream(0, *stream);
        stream.reset(); // the form frees its stream at once
        QTRY_VERIFY(fakeBackendOf(&flash)->movieLoaded());
        QCOMPARE(fakeBackendOf(&flash)->movie().bytes, movie);
        QCOMPARE(fakeBackendOf(&flash)->calls(),
                 QStringList{QStringLiteral("load %1").arg(movie.size())});
        QCOMPARE(flash.TotalFrames(), 3);
        QCOMPARE(flash.ReadyState(), 4);
        QCOMPARE(states.count(), 2);
        QCOMPARE(progress.count(), 1);
        QCOMPARE(progress.at(0).at(0).toInt(), 100);
        // The same through a stream the caller fills.
        fakeBackendOf(&flash)->clearCalls();
        std::unique_ptr<QIODevice> fill = flash.PutMovieUsingStream();
        fill->write(movieBytes(7));
        fill.reset();
        QTRY_COMPARE(fakeBackendOf(&flash)->movie().bytes, movieBytes(7));
        QCOMPARE(states.first().at(0).toInt(), 0);
        QCOMPARE(states.last().at(0).toInt(), 4);
    }

    void badStreamFailsAndLeavesNothing_data() {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray fws = movieBytes(20);
        const QByteArray cws = movieBytes(20, 8, 'C');
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("truncated CWS") << cws.left(cws.size() / 2);
    }
    void badStreamFailsAndLeavesNothing() {
        QFETCH(QByteArray, bytes);
        TFlashHostControl flash;
        load(flash, movieBytes(4));
        QTRY_VERIFY(fakeBackendOf(&flash)->movieLoaded());
        FakeBackend* fake = fakeBackendOf(&flash);
        fake->clearCalls();
        QSignalSpy failed(&flash, &TFlashHostControl::loadFailed);
        load(flash, bytes);
        flash.Play(); // nothing to play: it must not wait for a movie that never comes
        QCOMPARE(failed.count(), 1);
        settle();
        QCOMPARE(fake->calls(), QStringList{QStringLiteral("unload")});
        QCOMPARE(flash.ReadyState(), 0);
        QCOMPARE(flash.TotalFrames(), 0);
    }

    void callsBeforeTheReadyPlayerKeepTheirOrder() {
        FakeBackend::options().readyAtOnce = false;
        TFlashHostControl flash;
        flash.setLoop(false);
        flash.setScale(QStringLiteral("NoBorder"));
        flash.setProperty("Quality2", QStringLiteral("Low")); // as the form loader sets it
        load(flash, movieBytes(10));
        flash.GotoFrame(5);
        flash.Play();
        settle();
        FakeBackend* fake = fakeBackendOf(&flash);
        QVERIFY(fake->calls().isEmpty());
        QCOMPARE(fake->propsApplied(), 0);
        fake->makeReady();
        settle();
        QCOMPARE(fake->calls(), (QStringList{QStringLiteral("load %1").arg(movieBytes(10).size()),
                                             "goto 5", "play"}));
        QCOMPARE(fake->props().Loop, false);
        QCOMPARE(fake->props().Scale, QStringLiteral("NoBorder"));
        QCOMPARE(fake->props().Quality2, QStringLiteral("Low"));
        flash.setBGColor(QStringLiteral("#FF0000"));
        QCOMPARE(fake->props().BGColor, QStringLiteral("#FF0000"));
        flash.setProperty("ScaleMode", 2);
        flash.setSAlign(QStringLiteral("TR"));
        QCOMPARE(fake->props().Scale, QStringLiteral("ExactFit"));
        QCOMPARE(flash.AlignMode(), 6);
    }

    void frameAnswersComeAtOnce() {
        TFlashHostControl flash;
        QCOMPARE(flash.FlashVersion(), 8 << 16);
        QVERIFY(!flash.IsPlaying());
        load(flash, movieBytes(10));
        QVERIFY(flash.IsPlaying()); // movies start by themselves
        flash.Stop();               // before the player took the movie: still at once
        QVERIFY(!flash.IsPlaying());
        QTRY_VERIFY(fakeBackendOf(&flash)->movieLoaded());
        FakeBackend* fake = fakeBackendOf(&flash);
        flash.GotoFrame(4);
        QCOMPARE(flash.CurrentFrame(), 4);
        QVERIFY(!flash.IsPlaying());
        // A report the player sent before it saw the call must not undo it.
        fake->pushFrameState(7, true);
        QCOMPARE(flash.CurrentFrame(), 4);
        settle();
        fake->pushFrameState(4, false);
        fake->pushFrameState(6, true);
        QCOMPARE(flash.CurrentFrame(), 6);
        QVERIFY(flash.IsPlaying());
        // Frames beyond the movie are not asked for.
        fake->clearCalls();
        flash.GotoFrame(10);
        flash.GotoFrame(-1);
        settle();
        QVERIFY(fake->calls().isEmpty());
        QCOMPARE(flash.CurrentFrame(), 6);
    }

    // Where mouse and keys go: the player (what it saw), the control's events, the popup
    // menu and the form.
    void mouseAndKeyRouting_data() {
        QTest::addColumn<bool>("standartMenu");
        QTest::addColumn<bool>("withPopup");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected"); // what the player saw | the events
        QTest::newRow("right press swallowed") << false << true << "right press"
                                               << "| down";
        QTest::newRow("right press with StandartMenu") << true << false << "right press"
                                                       << "press 2 | down";
        QTest::newRow("right release opens popup") << false << true << "right release"
                                                   << "| popup";
        QTest::newRow("right release never reaches player") << true << false << "right release"
                                                            << "| ";
        QTest::newRow("left release inside clicks") << false << false << "left click inside"
                                                    << "press 1,release 1 | down click up";
        QTest::newRow("left release outside") << false << false << "left release outside"
                                              << "release 1 | up";
        QTest::newRow("menu key opens popup") << false << true << "menu key"
                                              << "| popup";
        QTest::newRow("menu key swallowed") << false << false << "menu key"
                                            << "| ";
        QTest::newRow("menu key with StandartMenu")
            << true << false << "menu key" << QStringLiteral("key %1 | ").arg(Qt::Key_Menu);
        QTest::newRow("esc reaches the form") << false << false << "esc"
                                              << "| form";
        QTest::newRow("letters reach the player")
            << false << false << "key a" << QStringLiteral("key %1 | ").arg(Qt::Key_A);
    }
    void mouseAndKeyRouting() {
        QFETCH(bool, standartMenu);
        QFETCH(bool, withPopup);
        QFETCH(QString, input);
        KeyForm form;
        form.resize(300, 200);
        auto* flash = new TFlashHostControl(&form);
        flash->setGeometry(20, 20, 100, 100);
        flash->setStandartMenu(standartMenu);
        QMenu menu;
        menu.addAction(QStringLiteral("第一课"));
        QStringList seen;
        connect(&menu, &QMenu::aboutToShow, [&] { seen << "popup"; });
        connect(flash, &TFlashHostControl::OnMouseDown, [&] { seen << "down"; });
        connect(flash, &TFlashHostControl::OnMouseUp, [&] { seen << "up"; });
        connect(flash, &TFlashHostControl::OnClick, [&] { seen << "click"; });
        if (withPopup)
            flash->setPopupMenu(&menu);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QWidget* player = fakeBackendOf(flash)->inputWidget();
        fakeBackendOf(flash)->clearInput();
        const QPoint inside(50, 50);
        if (input == "right press")
            QTest::mousePress(player, Qt::RightButton, {}, inside);
        else if (input == "right release")
            QTest::mouseRelease(player, Qt::RightButton, {}, inside);
        else if (input == "left click inside")
            QTest::mouseClick(player, Qt::LeftButton, {}, inside);
        else if (input == "left release outside")
            QTest::mouseRelease(player, Qt::LeftButton, {}, QPoint(150, 150));
        else
            QTest::keyClick(player, input == "menu key" ? Qt::Key_Menu
                                    : input == "esc"    ? Qt::Key_Escape
                                                        : Qt::Key_A);
        if (form.keys == QList<int>{Qt::Key_Escape})
            seen << "form";
        QFETCH(QString, expected);
        QCOMPARE((fakeBackendOf(flash)->inputSeen().join(',') + " | " + seen.join(' ')).trimmed(),
                 expected.trimmed());
        menu.close();
    }

    // Calls into the movie's clips reach the player with absolute paths and frames
    // counted from 1; movies for layers come from Base and nowhere else.
    void movieCallsReachThePlayer_data() {
        QTest::addColumn<QString>("script"); // calls => what the player got (%n: size of b.swf)
        QTest::newRow("slash path") << "TGotoFrame /mc/a 4 => tgoto 0 _level0/mc/a 5";
        QTest::newRow("dotted path, label")
            << "TGotoLabel _root.a.b end => tgoto 0 _level0.a.b end";
        QTest::newRow("the root is GotoFrame") << "TGotoFrame / 3 => goto 3";
        QTest::newRow("relative, other level")
            << "TPlay mc; TStopPlay _level1/x => tplay 0 _level0/mc|tstop 0 _level1/x";
        QTest::newRow("variables")
            << "SetVariable v 7; SetVariable /mc:v 1; SetVariable _root.a.v 2 "
               "=> setvar 0 _level0:v 7|setvar 0 _level0/mc:v 1|"
               "setvar 0 _level0.a.v 2";
        QTest::newRow("property") << "TSetPropertyNum /mc 6 50 => setprop 6 _level0/mc 50";
        QTest::newRow("frame actions") << "TCallFrame /mc 2 => call 0 _level0/mc:3";
        QTest::newRow("layers from Base, emptied")
            << "LoadMovie 2 B.SWF; LoadMovie 3 => layer 2  %n|layer 3  0";
        QTest::newRow("network and climbs refused")
            << "LoadMovie 2 http://127.0.0.1/b.swf; LoadMovie 2 ../b.swf => ";
        QTest::newRow("layer 0 replaces the movie") << "Movie b.swf => load %n";
    }
    void movieCallsReachThePlayer() {
        QFETCH(QString, script);
        QTemporaryDir dir;
        testsupport::writeFile(dir.path(), QStringLiteral("base/b.swf"), movieBytes(3));
        testsupport::writeFile(dir.path(), QStringLiteral("b.swf"), movieBytes(4));
        TFlashHostControl flash;
        flash.setBase(dir.filePath(QStringLiteral("base")));
        load(flash, movieBytes(10));
        QTRY_VERIFY(fakeBackendOf(&flash)->movieLoaded());
        fakeBackendOf(&flash)->clearCalls();
        flashtest::runCalls(flash, script.section(" => ", 0, 0));
        settle();
        QCOMPARE(fakeBackendOf(&flash)->calls().join('|'),
                 script.section(" => ", 1).replace("%n", QString::number(movieBytes(3).size())));
        // What the player here cannot do is raised as a failed player call.
        QVERIFY_THROWS_EXCEPTION(ESafecallException, flash.Zoom(50));
        QVERIFY_THROWS_EXCEPTION(ESafecallException, flash.GetVariable(QStringLiteral("v")));
    }

    // A file the movie asks for: the first event that serves it wins; a stream handed out
    // goes back through OnUnloadExternalResourceAsync once read.
    void externalResourcesServedInOrder_data() {
        QTest::addColumn<QString>("answering");
        QTest::addColumn<QByteArray>("served");
        QTest::newRow("Ex first") << "ex plain async" << QByteArray("ex");
        QTest::newRow("Ex written but declined") << "plain async" << QByteArray("plain");
        QTest::newRow("a stream last") << "async" << QByteArray("async");
        QTest::newRow("none: the file from Base") << "" << QByteArray();
    }
    void externalResourcesServedInOrder() {
        QFETCH(QString, answering);
        QFETCH(QByteArray, served);
        TFlashHostControl flash;
        QIODevice* handedOut = nullptr;
        QIODevice* back = nullptr;
        connect(&flash, &TFlashHostControl::OnLoadExternalResourceEx,
                [&](const QString&, QIODevice& s, bool& handled) {
                    s.write("ex");
                    handled = answering.contains("ex");
                });
        connect(&flash, &TFlashHostControl::OnLoadExternalResource,
                [&](const QString&, QIODevice& s) {
                    if (answering.contains("plain"))
                        s.write("plain");
                });
        QBuffer* buffer = new QBuffer; // handed out below, or not at all
        buffer->setData("async");
        connect(&flash, &TFlashHostControl::OnLoadExternalResourceAsync,
                [&](const QString& path, QIODevice*& stream) {
                    if (answering.contains("async") && path == "pics/a.jpg")
                        stream = handedOut = buffer;
                });
        connect(&flash, &TFlashHostControl::OnUnloadExternalResourceAsync,
                [&](QIODevice* s) { back = s; });
        const auto reply = fakeBackendOf(&flash)->askForResource(QStringLiteral("pics/a.jpg"));
        QCOMPARE(reply ? (reply->stream ? reply->stream->readAll() : reply->bytes) : "", served);
        if (reply && reply->stream)
            reply->release(reply->stream);
        QCOMPARE(back, handedOut);
        if (!handedOut)
            delete buffer;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void hiddenOrParkedPlayerIsSuspended() {
        QWidget form;
        form.resize(200, 150);
        auto* flash = new TFlashHostControl(&form);
        form.move(10, 10);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        FakeBackend* fake = fakeBackendOf(flash);
        QTRY_VERIFY(fake->isActive());
        form.hide();
        QTRY_VERIFY(!fake->isActive());
        form.show();
        form.move(-2000, 10); // parked off the screen
        QTRY_VERIFY(!fake->isActive());
        form.move(10, 10);
        QTRY_VERIFY(fake->isActive());
        flash->hide();
        QTRY_VERIFY(!fake->isActive());
    }
};

QTEST_MAIN(TestFlashHostControl)
#include "tst_flashhost_control.moc"

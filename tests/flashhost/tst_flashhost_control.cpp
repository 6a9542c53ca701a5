// The windowed host control over the fake player: loading, the order of calls, the
// properties, frame answers, commands and the routing of mouse and keys.
#include "FlashTestSupport.h"
#include "TestSupport.h"
#include "flashhost/BackendProvider.h"
#include "flashhost/FakeBackend.h"
#include "flashhost/FlashHostControl.h"
#include "flashhost/WebEngineBackend.h"
#include "flashhost/swf/Swf.h"

#include <QBuffer>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QThread>
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

    // The stream a caller fills may be written and freed on another thread: the control
    // still acts on the GUI thread only.
    void streamFilledOnAWorkerThread_data() {
        QTest::addColumn<QByteArray>("movie");
        QTest::newRow("a movie") << movieBytes(6);
        QTest::newRow("not a movie") << QByteArray("not a movie");
    }
    void streamFilledOnAWorkerThread() {
        QFETCH(QByteArray, movie);
        TFlashHostControl flash;
        QList<QThread*> threads;
        const auto note = [&] { threads << QThread::currentThread(); };
        connect(&flash, &TFlashHostControl::OnReadyStateChange, note);
        connect(&flash, &TFlashHostControl::OnProgress, note);
        connect(&flash, &TFlashHostControl::loadFailed, note);
        std::unique_ptr<QIODevice> fill = flash.LoadMovieUsingStream(0);
        std::unique_ptr<QThread> worker(QThread::create([&fill, movie] {
            for (int at = 0; at < movie.size(); at += 4)
                fill->write(movie.mid(at, 4));
            fill.reset();
        }));
        worker->start();
        QVERIFY(worker->wait());
        QTRY_VERIFY(!threads.isEmpty());
        if (movie.startsWith("FWS")) {
            QTRY_VERIFY(fakeBackendOf(&flash)->movieLoaded());
            QCOMPARE(fakeBackendOf(&flash)->movie().bytes, movie);
            QTRY_COMPARE(flash.ReadyState(), 4);
        }
        settle();
        QCOMPARE(threads.count(qApp->thread()), threads.count());
    }

    // A new load is loading from the call on, not complete until its player says so.
    void newLoadStartsAtLoading() {
        TFlashHostControl flash;
        load(flash, movieBytes(4));
        QTRY_COMPARE(flash.ReadyState(), 4);
        QVERIFY(flash.FrameLoaded(3));
        load(flash, movieBytes(9));
        QCOMPARE(flash.ReadyState(), 0); // as its OnReadyStateChange(0) said
        QCOMPARE(flash.PercentLoaded(), 0);
        QVERIFY(!flash.FrameLoaded(0));
        QTRY_COMPARE(flash.ReadyState(), 4);
        QCOMPARE(flash.PercentLoaded(), 100);
        QVERIFY(flash.FrameLoaded(8));
    }

    void badStreamFailsAndLeavesNothing_data() {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray fws = movieBytes(20);
        const QByteArray cws = movieBytes(20, 8, 'C');
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("truncated CWS") << cws.left(cws.size() / 2);
        // 65 MB of nothing in 64 KB: refused by its size, never unpacked.
        swf::Movie bomb;
        bomb.header.compression = 'C';
        bomb.tags.push_back({87, QByteArray(65 * 1024 * 1024, '\0')});
        bomb.tags.push_back({swf::kTagShowFrame, {}});
        QTest::newRow("compressed bomb beyond any movie") << swf::serialize(bomb);
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

    // Quality and Quality2 are one setting, and so are BackgroundColor and BGColor: the
    // later write is what the player gets.
    void propertyPairsAreOneSetting_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("expected"); // Quality Quality2 BackgroundColor BGColor
        QTest::addColumn<QString>("player");   // quality and background the player gets
        QTest::newRow("Quality reaches the player") << "Quality 0"
                                                    << "0 Low -1 "
                                                    << "low ";
        QTest::newRow("Quality2 after Quality") << "Quality 0; Quality2 Best"
                                                << "0 Best -1 "
                                                << "best ";
        QTest::newRow("Quality after Quality2") << "Quality2 AutoHigh; Quality 0"
                                                << "0 Low -1 "
                                                << "low ";
        QTest::newRow("BackgroundColor after BGColor") << "BGColor #00FF00; BackgroundColor 255"
                                                       << "1 High 255 #FF0000"
                                                       << "high #ff0000";
        QTest::newRow("BGColor after BackgroundColor") << "BackgroundColor 255; BGColor 0000FF"
                                                       << "1 High 16711680 0000FF"
                                                       << "high #0000ff";
        QTest::newRow("BGColor emptied") << "BackgroundColor 255; BGColor"
                                         << "1 High -1 "
                                         << "high ";
    }
    void propertyPairsAreOneSetting() {
        QFETCH(QString, script);
        TFlashHostControl flash;
        flashtest::runCalls(flash, script);
        const flashhost::FlashProps& p = fakeBackendOf(&flash)->props();
        QFETCH(QString, expected);
        QCOMPARE(QStringLiteral("%1 %2 %3 %4")
                     .arg(p.Quality)
                     .arg(p.Quality2)
                     .arg(p.BackgroundColor)
                     .arg(p.BGColor),
                 expected);
        const QVariantMap options =
            flashhost::WebEngineBackend::playerOptions(p).value("ruffle").toMap();
        QFETCH(QString, player);
        QCOMPARE(options.value("quality").toString() + ' ' +
                     options.value("backgroundColor").toString(),
                 player);
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

    // A double click always reaches the player (the right one too, whose press does not)
    // and its OnMouseDown carries the double flag.
    void doubleClicks_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("dblClick"); // OnDblClick fires
        QTest::newRow("right double click reaches the player") << int(Qt::RightButton) << false;
        QTest::newRow("left double click") << int(Qt::LeftButton) << true;
    }
    void doubleClicks() {
        QFETCH(int, button);
        QFETCH(bool, dblClick);
        QWidget form;
        form.resize(200, 150);
        auto* flash = new TFlashHostControl(&form);
        QStringList downs;
        int dbl = 0;
        connect(flash, &TFlashHostControl::OnMouseDown,
                [&](Qt::MouseButton, Qt::KeyboardModifiers shift, int, int) {
                    downs << ((shift & ssDouble) ? "double" : "single");
                });
        connect(flash, &TFlashHostControl::OnDblClick, [&] { ++dbl; });
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        FakeBackend* fake = fakeBackendOf(flash);
        QTest::mouseDClick(fake->inputWidget(), Qt::MouseButton(button), {}, QPoint(50, 50));
        QVERIFY(fake->inputSeen().contains(QStringLiteral("double %1").arg(button)));
        QCOMPARE(downs.last(), QStringLiteral("double"));
        QCOMPARE(downs.count("double"), 1);
        QCOMPARE(dbl, dblClick ? 1 : 0);
    }

    // The focus coming into the control (a click on the movie) and leaving it for another
    // control raise OnEnter and OnExit; the window losing it raises neither.
    void enterAndExit() {
        QWidget form;
        form.resize(300, 200);
        auto* flash = new TFlashHostControl(&form);
        auto* edit = new QLineEdit(&form);
        edit->setGeometry(150, 10, 100, 30);
        QStringList seen;
        connect(flash, &TFlashHostControl::OnEnter, [&] { seen << "enter"; });
        connect(flash, &TFlashHostControl::OnExit, [&] { seen << "exit"; });
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseClick(fakeBackendOf(flash)->inputWidget(), Qt::LeftButton, {}, QPoint(50, 50));
        QTRY_COMPARE(seen, QStringList{"enter"});
        QWidget other;
        other.show();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(seen, QStringList{"enter"});
        QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(5, 5));
        QTRY_COMPARE(seen, (QStringList{"enter", "exit"}));
    }

    // With DragMode automatic a press on the movie starts dragging the control: the
    // player gets none of it, and a release over a control that accepts drops it there.
    void dragTheControl() {
        QWidget form;
        form.resize(300, 150);
        auto* flash = new TFlashHostControl(&form);
        flash->SetDragMode(TDragTypes::dmAutomatic);
        auto* target = new QWidget(&form);
        target->setGeometry(150, 0, 100, 100);
        auto* dock = new TDragDock(target);
        connect(dock, &TDragDock::OnDragOver,
                [](QObject*, int, int, TDragTypes::TDragState, bool* accept) { *accept = true; });
        QSignalSpy dropped(dock, &TDragDock::OnDragDrop);
        QSignalSpy started(flash->DragDock(), &TDragDock::OnStartDrag);
        QSignalSpy ended(flash->DragDock(), &TDragDock::OnEndDrag);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QWidget* input = fakeBackendOf(flash)->inputWidget();
        const auto send = [&](QEvent::Type type, QPoint at) {
            QMouseEvent ev(type, input->mapFrom(&form, at), form.mapToGlobal(at), Qt::LeftButton,
                           type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, {});
            QApplication::sendEvent(input, &ev);
        };
        send(QEvent::MouseButtonPress, QPoint(50, 50));
        send(QEvent::MouseMove, QPoint(170, 50));
        send(QEvent::MouseButtonRelease, QPoint(180, 60));
        QCOMPARE(started.count(), 1);
        QCOMPARE(dropped.count(), 1);
        QCOMPARE(ended.count(), 1);
        QCOMPARE(ended.at(0).at(0).value<QObject*>(), static_cast<QObject*>(target));
        QVERIFY(fakeBackendOf(flash)->inputSeen().isEmpty());
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
        QTest::newRow("zoom in, pan, reset")
            << "Zoom 50; Pan 10 0 0; Zoom 0 => zoom 2 -50 -50|zoom 2 -60 -50|zoom 1 0 0";
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
        // A question the movie does not answer is raised as a failed player call.
        QVERIFY_THROWS_EXCEPTION(ESafecallException, flash.GetVariable(QStringLiteral("v")));
    }

    // Questions to the movie: the root's frame, label and frame counts come from what the
    // movie reported, the rest is asked of the movie; a question it does not answer, or
    // one the player cannot ask, raises.
    void questionsToTheMovie_data() {
        QTest::addColumn<QString>("question");
        QTest::addColumn<QString>("answer");   // what the movie answers ("-": nothing)
        QTest::addColumn<QString>("expected"); // the result | what the player was asked
        QTest::newRow("root frame from the report") << "TCurrentFrame /"
                                                    << "-"
                                                    << "6 | ";
        QTest::newRow("root label from the movie") << "TCurrentLabel /"
                                                   << "-"
                                                   << "终点 | ";
        QTest::newRow("root _currentframe") << "TGetPropertyNum _root 4"
                                            << "-"
                                            << "7 | ";
        QTest::newRow("root _totalframes") << "TGetProperty / 5"
                                           << "-"
                                           << "10 | ";
        QTest::newRow("root _framesloaded as number") << "TGetPropertyAsNumber / 12"
                                                      << "-"
                                                      << "10 | ";
        QTest::newRow("a clip's frame is asked") << "TCurrentFrame /mc"
                                                 << "3"
                                                 << "2 | query pelumoGetProperty _level0/mc 4";
        QTest::newRow("a clip's property is asked")
            << "TGetPropertyNum mc 0"
            << "12.5"
            << "12.5 | query pelumoGetProperty _level0/mc 0";
        QTest::newRow("a variable is asked") << "GetVariable /mc:v"
                                             << "7"
                                             << "7 | query pelumoGet _level0/mc:v";
        QTest::newRow("an undefined variable is empty") << "GetVariable v"
                                                        << "null"
                                                        << " | query pelumoGet _level0:v";
        QTest::newRow("a function of the movie")
            << "CallFunction <invoke name=\"f\"/>"
            << "<string>x</string>"
            << "<string>x</string> | query pelumoInvoke <invoke name=\"f\"/>";
        QTest::newRow("no answer raises") << "GetVariable v"
                                          << "-"
                                          << "raised | query pelumoGet _level0:v";
        QTest::newRow("a clip's label cannot be asked") << "TCurrentLabel /mc"
                                                        << "-"
                                                        << "raised | ";
    }
    void questionsToTheMovie() {
        QFETCH(QString, question);
        QFETCH(QString, answer);
        swf::Movie m = swf::parse(movieBytes(10)).value();
        const auto label = [](const char* text) { return swf::Tag{43, QByteArray(text) + '\0'}; };
        m.tags.insert(m.tags.begin() + 3, label("中间"));
        m.tags.insert(m.tags.begin() + 5, label("终点"));
        TFlashHostControl flash;
        load(flash, swf::serialize(m));
        QTRY_COMPARE(flash.ReadyState(), 4);
        FakeBackend* fake = fakeBackendOf(&flash);
        fake->pushFrameState(6, false);
        fake->clearCalls();
        const QString callback = question.startsWith("GetVariable")    ? "pelumoGet"
                                 : question.startsWith("CallFunction") ? "pelumoInvoke"
                                                                       : "pelumoGetProperty";
        if (answer == "null")
            fake->setAnswer(callback, QVariant());
        else if (answer != "-")
            fake->setAnswer(callback, answer);
        const QStringList w = question.split(' ');
        QString result;
        try {
            if (w[0] == "TCurrentFrame")
                result = QString::number(flash.TCurrentFrame(w[1]));
            else if (w[0] == "TCurrentLabel")
                result = flash.TCurrentLabel(w[1]);
            else if (w[0] == "TGetPropertyNum")
                result = QString::number(flash.TGetPropertyNum(w[1], w[2].toInt()));
            else if (w[0] == "TGetPropertyAsNumber")
                result = QString::number(flash.TGetPropertyAsNumber(w[1], w[2].toInt()));
            else if (w[0] == "TGetProperty")
                result = flash.TGetProperty(w[1], w[2].toInt());
            else if (w[0] == "GetVariable")
                result = flash.GetVariable(w[1]);
            else
                result = flash.CallFunction(question.section(' ', 1));
        } catch (const ESafecallException&) {
            result = "raised";
        }
        QFETCH(QString, expected);
        QCOMPARE((result + " | " + fake->calls().join('|')).trimmed(), expected.trimmed());
    }

    // A question asked while another waits for the movie fails at once; calls made before
    // a question reach the movie before it.
    void questionsWaitOneAtATime() {
        TFlashHostControl flash;
        load(flash, movieBytes(10));
        QTRY_COMPARE(flash.ReadyState(), 4);
        FakeBackend* fake = fakeBackendOf(&flash);
        fake->clearCalls();
        fake->setAnswer("pelumoGet", QStringLiteral("1"));
        bool nestedRaised = false;
        fake->duringQuery = [&] {
            try {
                flash.GetVariable(QStringLiteral("w"));
            } catch (const ESafecallException&) {
                nestedRaised = true;
            }
        };
        flash.GotoFrame(3);
        QCOMPARE(flash.GetVariable(QStringLiteral("v")), QStringLiteral("1"));
        QVERIFY(nestedRaised);
        QCOMPARE(fake->calls(), (QStringList{"goto 3", "query pelumoGet _level0:v"}));
        QCOMPARE(flash.GetVariable(QStringLiteral("v")), QStringLiteral("1")); // free again
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

    // A handler that destroys its control while its movie's file is served: the events
    // after it are not raised on the freed control (run under the address sanitizer).
    void handlerThatDestroysItsControl_data() {
        QTest::addColumn<QString>("handler");
        QTest::newRow("in the Ex event") << "ex";
        QTest::newRow("in the plain event") << "plain";
    }
    void handlerThatDestroysItsControl() {
        QFETCH(QString, handler);
        QWidget form;
        QPointer<TFlashHostControl> flash = new TFlashHostControl(&form);
        FakeBackend* fake = fakeBackendOf(flash);
        QStringList seen;
        connect(flash, &TFlashHostControl::OnLoadExternalResourceEx,
                [&](const QString&, QIODevice&, bool&) {
                    seen << "ex";
                    if (handler == "ex")
                        delete flash.data();
                });
        connect(flash, &TFlashHostControl::OnLoadExternalResource, [&](const QString&, QIODevice&) {
            seen << "plain";
            if (handler == "plain")
                delete flash.data();
        });
        connect(flash, &TFlashHostControl::OnLoadExternalResourceAsync,
                [&](const QString&, QIODevice*&) { seen << "async"; });
        QVERIFY(!fake->askForResource(QStringLiteral("a.jpg")));
        QVERIFY(!flash);
        QCOMPARE(seen.last(), handler);
    }

    // A handler that frees its control in any of its events: nothing of the control or its
    // player is used after that (run under the address sanitizer), and what would have come
    // next is not raised.
    void handlerFreesItsControl_data() {
        QTest::addColumn<QString>("freedIn");
        QTest::addColumn<QString>("seen");
        QTest::newRow("OnClick, before its OnMouseUp") << "click"
                                                       << "down click";
        QTest::newRow("OnMouseUp") << "up"
                                   << "down click up";
        QTest::newRow("OnDblClick, before its OnMouseDown") << "double"
                                                            << "double";
        QTest::newRow("OnMouseDown") << "down"
                                     << "down";
        QTest::newRow("OnMouseMove") << "move"
                                     << "down move";
        QTest::newRow("OnProgress, before OnReadyStateChange(4)") << "progress"
                                                                  << "state0 progress";
        QTest::newRow("OnReadyStateChange(4)") << "state4"
                                               << "state0 progress state4";
    }
    void handlerFreesItsControl() {
        QFETCH(QString, freedIn);
        QFETCH(QString, seen);
        FakeBackend::options().loadsAtOnce = false;
        QWidget form;
        form.resize(200, 150);
        QPointer<TFlashHostControl> flash = new TFlashHostControl(&form);
        QStringList heard;
        const auto note = [&](const QString& what) {
            heard << what;
            if (what == freedIn)
                delete flash.data();
        };
        connect(flash, &TFlashHostControl::OnClick, [&] { note("click"); });
        connect(flash, &TFlashHostControl::OnDblClick, [&] { note("double"); });
        connect(flash, &TFlashHostControl::OnMouseDown, [&] { note("down"); });
        connect(flash, &TFlashHostControl::OnMouseUp, [&] { note("up"); });
        connect(flash, &TFlashHostControl::OnMouseMove, [&] { note("move"); });
        connect(flash, &TFlashHostControl::OnProgress, [&] { note("progress"); });
        connect(flash, &TFlashHostControl::OnReadyStateChange,
                [&](int state) { note(QStringLiteral("state%1").arg(state)); });
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        FakeBackend* fake = fakeBackendOf(flash);
        QWidget* player = fake->inputWidget();
        const QPoint at(50, 50);
        if (freedIn == "progress" || freedIn == "state4") {
            load(*flash, movieBytes(3));
            QTRY_VERIFY(!fake->calls().isEmpty());
            fake->finishLoad();
        } else if (freedIn == "double") {
            QTest::mouseDClick(player, Qt::LeftButton, {}, at);
        } else {
            // Each step only while the control is there: the player's widget goes with it.
            QTest::mousePress(player, Qt::LeftButton, {}, at);
            if (flash && freedIn == "move")
                QTest::mouseMove(player, at + QPoint(5, 5));
            if (flash)
                QTest::mouseRelease(player, Qt::LeftButton, {}, at);
        }
        QVERIFY(!flash);
        QCOMPARE(heard.join(' '), seen);
        settle();
    }

    // PixelsToHimetric and its inverse round as the platform's MulDiv does: halves away
    // from zero. Values worked out by hand: 2540 HIMETRIC units to the inch.
    void himetricConversions_data() {
        QTest::addColumn<QPoint>("pixels");
        QTest::addColumn<QPoint>("dpi");
        QTest::addColumn<QPoint>("himetric");
        QTest::addColumn<QPoint>("back"); // himetric to pixels again
        QTest::newRow("an inch at 96")
            << QPoint(96, 96) << QPoint(96, 96) << QPoint(2540, 2540) << QPoint(96, 96);
        QTest::newRow("one pixel rounds down") // 26.46
            << QPoint(1, 1) << QPoint(96, 96) << QPoint(26, 26) << QPoint(1, 1);
        QTest::newRow("a half rounds up") // 60 * 2540 / 96 = 1587.5
            << QPoint(60, 60) << QPoint(120, 96) << QPoint(1270, 1588) << QPoint(60, 60);
        QTest::newRow("a negative half rounds away from zero") // -1587.5
            << QPoint(-60, 3) << QPoint(96, 96) << QPoint(-1588, 79) << QPoint(-60, 3);
        QTest::newRow("each axis its own pixels per inch")
            << QPoint(100, 100) << QPoint(72, 144) << QPoint(3528, 1764) << QPoint(100, 100);
        QTest::newRow("no pixels per inch")
            << QPoint(5, 5) << QPoint(0, 96) << QPoint(-1, 132) << QPoint(0, 5);
    }
    void himetricConversions() {
        QFETCH(QPoint, pixels);
        QFETCH(QPoint, dpi);
        QFETCH(QPoint, himetric);
        QFETCH(QPoint, back);
        QCOMPARE(PixelsToHimetric(pixels, dpi.x(), dpi.y()), himetric);
        QCOMPARE(HimetricToPixels(himetric, dpi.x(), dpi.y()), back);
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

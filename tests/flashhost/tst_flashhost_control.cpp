// The windowed host control over the fake player: loading, the order of calls, the
// properties, frame answers, commands and the routing of mouse and keys.
#include "FlashTestSupport.h"
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
        QCOMPARE(flash.movieVersion(), 8);
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
        QTest::newRow("not a movie") << QByteArray("GIF89a this is a picture, not a movie");
        QTest::newRow("truncated FWS") << fws.left(fws.size() / 2);
        QTest::newRow("truncated CWS") << cws.left(cws.size() / 2);
        QTest::newRow("header only") << fws.left(8);
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
    }

    void failedLoadDropsWaitingCalls() {
        FakeBackend::options().loadsAtOnce = false;
        TFlashHostControl flash;
        QSignalSpy failed(&flash, &TFlashHostControl::loadFailed);
        load(flash, movieBytes(10));
        settle();
        flash.Play();
        settle();
        FakeBackend* fake = fakeBackendOf(&flash);
        fake->failLoad();
        settle();
        QCOMPARE(failed.count(), 1);
        QCOMPARE(fake->calls().size(), 1); // the load, no play
        flash.Play();
        settle();
        QCOMPARE(fake->calls().size(), 1);
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

    void mouseAndKeyRouting_data() {
        QTest::addColumn<bool>("standartMenu");
        QTest::addColumn<bool>("withPopup");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QStringList>("playerSees");
        QTest::addColumn<bool>("popupOpens");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<QList<int>>("formKeys");
        const QString left = QString::number(Qt::LeftButton);
        const QString right = QString::number(Qt::RightButton);
        QTest::newRow("right press swallowed")
            << false << true << "right press" << QStringList() << false << 0 << QList<int>();
        QTest::newRow("right press with StandartMenu")
            << true << false << "right press" << QStringList{"press " + right} << false << 0
            << QList<int>();
        QTest::newRow("right release opens popup")
            << false << true << "right release" << QStringList() << true << 0 << QList<int>();
        QTest::newRow("right release never reaches player")
            << true << false << "right release" << QStringList() << false << 0 << QList<int>();
        QTest::newRow("left release inside clicks")
            << false << false << "left click inside"
            << QStringList{"press " + left, "release " + left} << false << 1 << QList<int>();
        QTest::newRow("left release outside")
            << false << false << "left release outside" << QStringList{"release " + left} << false
            << 0 << QList<int>();
        QTest::newRow("menu key opens popup")
            << false << true << "menu key" << QStringList() << true << 0 << QList<int>();
        QTest::newRow("menu key swallowed")
            << false << false << "menu key" << QStringList() << false << 0 << QList<int>();
        QTest::newRow("menu key with StandartMenu")
            << true << false << "menu key"
            << QStringList{QStringLiteral("key %1").arg(Qt::Key_Menu)} << false << 0
            << QList<int>();
        QTest::newRow("esc reaches the form")
            << false << false << "esc" << QStringList() << false << 0 << QList<int>{Qt::Key_Escape};
        QTest::newRow("letters reach the player")
            << false << false << "key a" << QStringList{QStringLiteral("key %1").arg(Qt::Key_A)}
            << false << 0 << QList<int>();
    }
    void mouseAndKeyRouting() {
        QFETCH(bool, standartMenu);
        QFETCH(bool, withPopup);
        QFETCH(QString, input);
        QFETCH(QStringList, playerSees);
        QFETCH(bool, popupOpens);
        QFETCH(int, clicks);
        QFETCH(QList<int>, formKeys);
        KeyForm form;
        form.resize(300, 200);
        auto* flash = new TFlashHostControl(&form);
        flash->setGeometry(20, 20, 100, 100);
        flash->setStandartMenu(standartMenu);
        QMenu menu;
        menu.addAction(QStringLiteral("第一课"));
        QSignalSpy shown(&menu, &QMenu::aboutToShow);
        if (withPopup)
            flash->setPopupMenu(&menu);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QSignalSpy clickSpy(flash, &TFlashHostControl::OnClick);
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
        else if (input == "menu key")
            QTest::keyClick(player, Qt::Key_Menu);
        else if (input == "esc")
            QTest::keyClick(player, Qt::Key_Escape);
        else if (input == "key a")
            QTest::keyClick(player, Qt::Key_A);
        QCOMPARE(fakeBackendOf(flash)->inputSeen(), playerSees);
        QCOMPARE(shown.count() > 0, popupOpens);
        QCOMPARE(clickSpy.count(), clicks);
        QCOMPARE(form.keys, formKeys);
        menu.close();
    }

    // What the player here cannot do is raised as a failed player call.
    void callsThePlayerCannotMakeAreRaised() {
        TFlashHostControl flash;
        const QString t = QStringLiteral("/mc");
        const std::vector<std::function<void()>> calls = {
            [&] { flash.SetZoomRect(0, 0, 10, 10); },
            [&] { flash.Zoom(50); },
            [&] { flash.Pan(1, 1, 0); },
            [&] { flash.LoadMovie(1, QStringLiteral("a.swf")); },
            [&] { flash.TGotoFrame(t, 1); },
            [&] { flash.TGotoLabel(t, QStringLiteral("l")); },
            [&] { flash.TCurrentFrame(t); },
            [&] { flash.TCurrentLabel(t); },
            [&] { flash.TPlay(t); },
            [&] { flash.TStopPlay(t); },
            [&] { flash.SetVariable(QStringLiteral("v"), QStringLiteral("1")); },
            [&] { flash.GetVariable(QStringLiteral("v")); },
            [&] { flash.TSetProperty(t, 0, QStringLiteral("1")); },
            [&] { flash.TGetProperty(t, 0); },
            [&] { flash.TCallFrame(t, 1); },
            [&] { flash.TCallLabel(t, QStringLiteral("l")); },
            [&] { flash.TSetPropertyNum(t, 0, 1); },
            [&] { flash.TGetPropertyNum(t, 0); },
            [&] { flash.TGetPropertyAsNumber(t, 0); },
            [&] { flash.CallFunction(QStringLiteral("<invoke name=\"f\"/>")); },
            [&] { flash.SetReturnValue(QStringLiteral("<null/>")); },
        };
        for (size_t i = 0; i < calls.size(); ++i)
            QVERIFY_THROWS_EXCEPTION(ESafecallException, calls[i]());
    }

    // The control's mouse events fire whatever reaches the player.
    void mouseEventsFire() {
        QWidget form;
        auto* flash = new TFlashHostControl(&form);
        flash->setGeometry(20, 20, 100, 100);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QSignalSpy down(flash, &TFlashHostControl::OnMouseDown);
        QSignalSpy up(flash, &TFlashHostControl::OnMouseUp);
        QSignalSpy dbl(flash, &TFlashHostControl::OnDblClick);
        QWidget* player = fakeBackendOf(flash)->inputWidget();
        QTest::mousePress(player, Qt::RightButton, {}, QPoint(5, 6)); // swallowed
        QCOMPARE(down.count(), 1);
        QCOMPARE((QList<int>{down.at(0).at(2).toInt(), down.at(0).at(3).toInt()}),
                 (QList<int>{5, 6}));
        QTest::mouseClick(player, Qt::LeftButton, Qt::ShiftModifier, QPoint(7, 8));
        QCOMPARE(down.count(), 2);
        QCOMPARE(up.count(), 1);
        QCOMPARE(up.at(0).at(1).value<Qt::KeyboardModifiers>(), Qt::ShiftModifier);
        QTest::mouseDClick(player, Qt::LeftButton, {}, QPoint(7, 8));
        QCOMPARE(dbl.count(), 1);
        // Esc that the form does not take goes on to the movie.
        QTest::keyClick(player, Qt::Key_Escape);
        QVERIFY(fakeBackendOf(flash)->inputSeen().contains(
            QStringLiteral("key %1").arg(Qt::Key_Escape)));
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
        QTRY_VERIFY(fake->isActive());
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

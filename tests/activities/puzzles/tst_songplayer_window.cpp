// The song player's window through the fake player and the generated song packs: the
// opening from the main window and the way back, the lists, the popup, full screen and
// automatic play.
#include "FlashTestSupport.h"
#include "FormTestSupport.h"
#include "activities/puzzles/Uyyzzl.h"
#include "app/Startup.h"
#include "app/TTimer.h"
#include "flashhost/BackendProvider.h"
#include "flashhost/FakeBackend.h"
#include "platform/ContentPack.h"
#include "platform/MessageService.h"
#include "platform/ShellOpen.h"

#include <QMenu>
#include <QtTest>

using puzzles::SongList;

namespace {

// What the player was asked to load since the last look, as "load <bytes>".
QStringList loads(Tfrmyyzzl* p) {
    QCoreApplication::processEvents();
    flashhost::FakeBackend* fake = flashhost::fakeBackendOf(p->myShockwaveFlash1);
    QStringList calls = fake->calls().filter("load ");
    fake->clearCalls();
    return calls;
}

QStringList loadOf(const QString& prefix, int k) {
    return {QString("load %1").arg(
        platform::ContentPack::load(prefix)->read(prefix + QString::number(k), "Flash").size())};
}

} // namespace

class TestSongPlayerWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        installFontSubstitutes();
        flashtest::useFakePlayers();
        platform::setShellOpenHandler([](const QString&) { return false; });
        testsupport::makeMainWindow();
    }
    void cleanupTestCase() { testsupport::deleteAllWindows(); }
    void playerRoundTrip();

private:
    platform::MessageRecorder messages_;
};

void TestSongPlayerWindow::playerRoundTrip() {
    Frmmain->Show();
    Frmmain->move(120, 40);
    Frmmain->imgyyzzlClick();
    QPointer<Tfrmyyzzl> p = frmyyzzl;
    QVERIFY(p && p->isVisible());
    QCOMPARE(Frmmain->Tag(), 120);
    QCOMPARE(loads(p), loadOf("CHsong", 1)); // the children's songs come first

    p->imgchsongClick(); // already current: nothing reloads
    p->imgEnSongClick();
    QCOMPARE(loads(p), loadOf("Essong", 1));
    p->imgtongyaoClick();
    QMenu* menu = p->popupMenu(SongList::Rhymes);
    QCOMPARE(p->myShockwaveFlash1->PopupMenu(), menu);
    menu->actions().at(9 + 2)->trigger();
    QCOMPARE(loads(p), loadOf("tongyao", 3));

    p->FormKeyDown(Qt::Key_Escape); // not full screen: nothing
    QVERIFY(!p->inFullScreen());
    p->imgfullClick();
    QVERIFY(p->inFullScreen());
    p->FormKeyDown(Qt::Key_Escape);
    QVERIFY(!p->inFullScreen());
    QCOMPARE(p->size(), QSize(900, 700));
    QCOMPARE(p->lbml->ItemIndex(), 2);

    // Automatic play moves on once the movie rests on its last frame.
    p->imgautoClick();
    QVERIFY(p->Timer2->Enabled() && p->imgauto1->isVisibleTo(p));
    flashhost::fakeBackendOf(p->myShockwaveFlash1)
        ->pushFrameState(p->myShockwaveFlash1->TotalFrames() - 1, false);
    for (int i = 0; i < puzzles::SongPlayer::kRestTicks; ++i)
        p->Timer2Timer();
    QCOMPARE(loads(p), loadOf("tongyao", 4));

    p->close();
    QTRY_VERIFY(p.isNull());
    QCOMPARE(Frmmain->Left(), 120);
    QCOMPARE(Frmmain->Tag(), 0);
    for (const platform::MessageCall& m : messages_.calls())
        QVERIFY2((m.flags & 0xF0) != platform::MB_ICONERROR, qPrintable(m.text));
}

QTEST_MAIN(TestSongPlayerWindow)
#include "tst_songplayer_window.moc"

// The transparent host control over the fake player: one player however often it is
// re-parented, always transparent, no focus, and the answers without a player.
#include "FlashTestSupport.h"
#include "flashhost/BackendProvider.h"
#include "flashhost/FakeBackend.h"
#include "flashhost/TransparentFlashHostControl.h"
#include "flashhost/swf/Swf.h"

#include <QBuffer>
#include <QSignalSpy>
#include <QtTest>

using flashhost::FakeBackend;
using flashhost::fakeBackendOf;
using flashtest::load;

namespace {

// A square stage, as the transparent overlays have.
QByteArray movieBytes(int frames) {
    return flashtest::movieBytes(frames, 8, 'F', swf::Rect{0, 2200, 0, 2200});
}

} // namespace

class TestTransparentFlashHostControl : public QObject {
    Q_OBJECT
private slots:
    void init() { flashtest::useFakePlayers(); }
    void cleanup() { flashtest::dropFakePlayers(); }

    void oneBackendHoweverOftenReparented() {
        const int before = FakeBackend::createdCount();
        QWidget form1, form2;
        auto* flash = new TTransparentFlashHostControl;
        QCOMPARE(FakeBackend::createdCount(), before);
        flash->setParent(&form1);
        QCOMPARE(FakeBackend::createdCount(), before + 1);
        flashhost::MovieBackend* first = flash->backend();
        flash->setParent(nullptr);
        flash->setParent(&form2);
        flash->setParent(&form1);
        QCOMPARE(FakeBackend::createdCount(), before + 1);
        QCOMPARE(flash->backend(), first);
    }

    void loadBeforeTheParentWaitsForThePlayer() {
        QWidget form;
        auto* flash = new TTransparentFlashHostControl;
        load(*flash, movieBytes(11));
        flash->Play(); // without a player, as every wrapper: nothing
        flash->setParent(&form);
        QTRY_VERIFY(fakeBackendOf(flash)->movieLoaded());
        QCOMPARE(fakeBackendOf(flash)->calls().size(), 1);
        QCOMPARE(flash->TotalFrames(), 11);
    }

    void alwaysTransparentNeverFocused() {
        QWidget form;
        auto* flash = new TTransparentFlashHostControl(&form);
        flash->setWMode(QStringLiteral("Window"));
        QCOMPARE(flash->WMode(), QStringLiteral("Transparent"));
        QTRY_COMPARE(fakeBackendOf(flash)->props().WMode, QStringLiteral("Transparent"));
        QCOMPARE(flash->focusPolicy(), Qt::NoFocus);
        QCOMPARE(flash->backend()->view()->focusPolicy(), Qt::NoFocus);
        QCOMPARE(flash->size(), QSize(100, 100));
    }

    void layeredParentRefusedWithoutCompositing() {
        if (IsTransparencySupported())
            QSKIP("this display composites windows");
        QWidget form;
        auto* flash = new TTransparentFlashHostControl(&form);
        flash->setGeometry(10, 10, 50, 50);
        const Qt::WindowFlags flags = form.windowFlags();
        flash->setMakeParentTransparent(true);
        QVERIFY(!flash->MakeParentTransparent());
        QCOMPARE(form.windowFlags(), flags);
        QCOMPARE(flash->geometry(), QRect(10, 10, 50, 50));
    }
};

QTEST_MAIN(TestTransparentFlashHostControl)
#include "tst_flashhost_transparent.moc"

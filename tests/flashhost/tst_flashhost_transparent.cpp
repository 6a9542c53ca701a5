// The transparent host control over the fake player: one player however often it is
// re-parented, always transparent, no focus, clicks and input method text by the
// movie's picture, its paint events.
#include "FlashTestSupport.h"
#include "flashhost/BackendProvider.h"
#include "flashhost/FakeBackend.h"
#include "flashhost/TransparentFlashHostControl.h"
#include "flashhost/swf/Swf.h"

#include <QBuffer>
#include <QInputMethodEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QtTest>

using flashhost::FakeBackend;
using flashhost::fakeBackendOf;
using flashtest::load;

namespace {

// What lies below the player: records the presses, releases and input method text it gets.
class Below : public QWidget {
public:
    explicit Below(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_InputMethodEnabled); }
    QStringList seen;

protected:
    void mousePressEvent(QMouseEvent* e) override {
        seen << QStringLiteral("press %1,%2").arg(e->pos().x()).arg(e->pos().y());
    }
    void mouseReleaseEvent(QMouseEvent*) override { seen << QStringLiteral("release"); }
    void inputMethodEvent(QInputMethodEvent* e) override { seen << "ime " + e->commitString(); }
};

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
        // Without compositing (offscreen) the layered form is refused.
        const Qt::WindowFlags flags = form.windowFlags();
        flash->setMakeParentTransparent(true);
        QVERIFY(!flash->MakeParentTransparent() && form.windowFlags() == flags);
        QCOMPARE(flash->size(), QSize(100, 100));
    }

    // Without a player the control paints nothing: the form's own picture shows where it
    // stands, and nothing of its own answers for the movie.
    void withoutAPlayerNothingIsPainted() {
        struct NoPlayers : flashhost::PlayerFactory {
            bool installed() const override { return true; }
            flashhost::MovieBackend* create(flashhost::BackendKind, QWidget*) override {
                return nullptr;
            }
        } none;
        flashhost::BackendProvider::setFactory(&none);
        struct GreenForm : QWidget {
            void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), Qt::green); }
        } form;
        form.resize(200, 150);
        auto* flash = new TTransparentFlashHostControl(&form);
        flash->setGeometry(20, 20, 100, 100);
        int drawn = 0;
        connect(flash, &TTransparentFlashHostControl::OnDrawBackground,
                [&](QPainter&) { ++drawn; });
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(!flash->hasPlayer());
        const QImage shot = form.grab().toImage();
        for (const QPoint at : {QPoint(21, 21), QPoint(70, 70), QPoint(119, 119)})
            QCOMPARE(shot.pixelColor(at), QColor(Qt::green));
        QCOMPARE(drawn, 0);
        flashtest::useFakePlayers();
    }

    // On the movie a right press does nothing at all unless StandartMenu lets it through
    // to the player; a double click reaches the player either way.
    void rightButtonOnTheMovie_data() {
        QTest::addColumn<bool>("standartMenu");
        QTest::addColumn<QString>("expected"); // what the player saw | OnMouseDown
        QTest::newRow("right press without StandartMenu: nothing") << false << " | ";
        QTest::newRow("right press with StandartMenu") << true << "press 2 | down";
    }
    void rightButtonOnTheMovie() {
        QFETCH(bool, standartMenu);
        QWidget form;
        form.resize(200, 150);
        auto* flash = new TTransparentFlashHostControl(&form);
        flash->setGeometry(20, 20, 100, 100);
        flash->setStandartMenu(standartMenu);
        QStringList downs;
        connect(flash, &TFlashHostControl::OnMouseDown,
                [&](Qt::MouseButton, Qt::KeyboardModifiers shift, int, int) {
                    downs << ((shift & ssDouble) ? "double" : "down");
                });
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        FakeBackend* fake = fakeBackendOf(flash);
        fake->drawSquare(QRect(40, 40, 20, 20));
        QTRY_VERIFY(flash->hitsMovie(QPoint(50, 50)));
        QTest::mousePress(fake->inputWidget(), Qt::RightButton, {}, QPoint(50, 50));
        QFETCH(QString, expected);
        QCOMPARE(fake->inputSeen().join(',') + " | " + downs.join(','), expected);
        fake->clearInput();
        downs.clear();
        QTest::mouseDClick(fake->inputWidget(), Qt::RightButton, {}, QPoint(50, 50));
        QVERIFY(fake->inputSeen().contains(QStringLiteral("double 2")));
        QCOMPARE(downs.last(), QStringLiteral("double"));
    }

    // A press where the movie draws nothing, and what follows it, goes to what lies
    // below; one on the movie reaches the player, which then takes the input method's
    // text until a press elsewhere. Under the movie the form's own painting shows.
    void movieTakesOnlyWhatItDraws() {
        QWidget form;
        form.resize(200, 150);
        auto* below = new Below(&form);
        below->resize(form.size());
        auto* flash = new TTransparentFlashHostControl(&form);
        flash->setGeometry(20, 20, 100, 100);
        QList<QRect> redrawn;
        connect(flash, &TTransparentFlashHostControl::OnUpdateRect,
                [&](QRect& rc) { redrawn << rc; });
        connect(flash, &TTransparentFlashHostControl::OnDrawBackground,
                [](QPainter& canvas) { canvas.fillRect(0, 0, 100, 100, Qt::blue); });
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        FakeBackend* fake = fakeBackendOf(flash);
        fake->drawSquare(QRect(40, 40, 20, 20));
        QTRY_VERIFY(redrawn.contains(QRect(0, 0, 100, 100)));
        const QImage shot = form.grab().toImage();
        QCOMPARE(shot.pixelColor(25, 25), QColor(Qt::blue));
        QCOMPARE(shot.pixelColor(70, 70), QColor(Qt::red));
        QInputMethodEvent text;
        text.setCommitString(QStringLiteral("好"));
        QTest::mouseClick(fake->inputWidget(), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(below->seen, (QStringList{"press 25,25", "release"}));
        QTest::mouseClick(fake->inputWidget(), Qt::LeftButton, {}, QPoint(50, 50));
        QApplication::sendEvent(below, &text);
        QCOMPARE(fake->inputSeen(), (QStringList{"press 1", "release 1", "ime 好"}));
        QTest::mouseClick(fake->inputWidget(), Qt::LeftButton, {}, QPoint(95, 5));
        QApplication::sendEvent(below, &text);
        QCOMPARE(below->seen.mid(2), (QStringList{"press 115,25", "release", "ime 好"}));
    }
};

QTEST_MAIN(TestTransparentFlashHostControl)
#include "tst_flashhost_transparent.moc"

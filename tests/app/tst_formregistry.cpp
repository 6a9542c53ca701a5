// Opening windows by class name: lazy reuse, fresh windows, self-freeing windows,
// leaving and returning to the opener, and a failed opening that leaves the opener up.
#include "app/FormRegistry.h"
#include "app/ShellState.h"
#include "app/TActivityForm.h"

#include <QGuiApplication>
#include <QScreen>
#include <QtTest>

namespace {

class TFakeActivity : public TActivityForm {
public:
    TFakeActivity() { resize(300, 200); }
    int counter = 0;
};

class TFreeingActivity : public TActivityForm {
public:
    TFreeingActivity() { resize(300, 200); }

protected:
    CloseAction FormClose() override { return CloseAction::Free; }
};

class TBrokenActivity : public TActivityForm {
public:
    TBrokenActivity() { throw std::runtime_error("movie resource missing"); }
};

QPointer<TFakeActivity> frmfake;
QPointer<TFreeingActivity> frmfreeing;
QPointer<TBrokenActivity> frmbroken;
RegisterForm<TFakeActivity> r1("TFakeActivity", frmfake);
RegisterForm<TFreeingActivity> r2("TFreeingActivity", frmfreeing);
RegisterForm<TBrokenActivity> r3("TBrokenActivity", frmbroken);

} // namespace

class TestFormRegistry : public QObject {
    Q_OBJECT
private slots:
    void unknownClassOpensNothing();
    void lazyReusesWithState();
    void settingsAppliedEveryOpening();
    void selfFreeingMakesNewWindow();
    void hideAndShowAgain();
    void parkAndRecentre();
    void failedOpeningKeepsOpener();
    void cursorOneOnNewWindows();
};

void TestFormRegistry::unknownClassOpensNothing() {
    TForm opener;
    opener.show();
    QCOMPARE(openFrom(&opener, "TNotBuiltYet", LeaveMode::Hide), nullptr);
    QVERIFY(opener.isVisible());
    QVERIFY(FormRegistry::classNames().contains("TFakeActivity"));
}

void TestFormRegistry::lazyReusesWithState() {
    QWidget* a = openLazy("TFakeActivity");
    QVERIFY(a);
    QCOMPARE(a, frmfake.data());
    frmfake->counter = 7;
    frmfake->close();
    QWidget* b = openLazy("TFakeActivity");
    QCOMPARE(b, a);
    QCOMPARE(frmfake->counter, 7);
    QVERIFY(b->isVisible());
    b->close();
}

void TestFormRegistry::settingsAppliedEveryOpening() {
    int applied = 0;
    auto settings = [&](QWidget* w) {
        ++applied;
        QVERIFY(!w->isVisible()); // before it shows
        w->setProperty("Hint", "yygj");
    };
    QWidget* w = openLazy("TFakeActivity", settings);
    w->close();
    openLazy("TFakeActivity", settings);
    QCOMPARE(applied, 2);
    QCOMPARE(frmfake->Hint(), QString("yygj"));
    frmfake->close();
}

void TestFormRegistry::selfFreeingMakesNewWindow() {
    QPointer<QWidget> first = openLazy("TFreeingActivity");
    QVERIFY(first);
    first->close();
    // Before the deferred delete has run, the next opening already makes a new one.
    QPointer<QWidget> second = openLazy("TFreeingActivity");
    QVERIFY(second);
    QVERIFY(second != first);
    QTRY_VERIFY(first.isNull());
    second->close();
    QTRY_VERIFY(frmfreeing.isNull());
}

void TestFormRegistry::hideAndShowAgain() {
    TForm menu;
    menu.resize(400, 300);
    menu.show();
    QWidget* w = openFrom(&menu, "TFakeActivity", LeaveMode::Hide);
    QVERIFY(w && w->isVisible());
    QVERIFY(!menu.isVisible());
    QCOMPARE(openerOf(w), &menu);
    w->close();
    QVERIFY(menu.isVisible());
}

// A window manager pulls a window back from Left -2000, so a parked window also leaves
// the screen; it comes back centred at its top without running its show handler again.
void TestFormRegistry::parkAndRecentre() {
    struct TMenu : TForm {
        int shows = 0;
        void FormShow() override { ++shows; }
    } menu;
    menu.resize(400, 300);
    menu.move(50, 77);
    menu.show();
    QWidget* w = openFrom(&menu, "TFreeingActivity", LeaveMode::Park);
    QVERIFY(w);
    QCOMPARE(menu.Left(), -2000);
    QCOMPARE(menu.y(), 77);
    QVERIFY(isParked(&menu));
    QVERIFY(!menu.isVisible());
    w->close();
    const int sw = QGuiApplication::primaryScreen()->geometry().width();
    QVERIFY(menu.isVisible());
    QVERIFY(!isParked(&menu));
    QCOMPARE(menu.shows, 1);
    QCOMPARE(menu.x(), (sw - menu.frameGeometry().width()) / 2);
    QCOMPARE(menu.y(), 77);
}

void TestFormRegistry::failedOpeningKeepsOpener() {
    TForm menu;
    menu.move(40, 40);
    menu.show();
    QCOMPARE(openFrom(&menu, "TBrokenActivity", LeaveMode::Hide), nullptr);
    QVERIFY(menu.isVisible());
    QCOMPARE(openFrom(&menu, "TBrokenActivity", LeaveMode::Park), nullptr);
    QCOMPARE(menu.x(), 40);
}

void TestFormRegistry::cursorOneOnNewWindows() {
    QPixmap pm(16, 16);
    pm.fill(Qt::red);
    shell::setScreenCursor(1, QCursor(pm, 3, 4));
    QWidget* w = openNew("TFreeingActivity");
    QVERIFY(w);
    QCOMPARE(w->cursor().hotSpot(), QPoint(3, 4));
    w->close();
    shell::clearScreenCursors();
}

QTEST_MAIN(TestFormRegistry)
#include "tst_formregistry.moc"

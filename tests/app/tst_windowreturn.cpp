// ctest-labels: x11
// The way back to the main window under an X server (xvfb-run): minimised by its own
// button and restored as a window manager restores a window, the main window comes back
// from a section menu and from the song player shown, not minimised, active, and the
// window manager is told to map it in its normal state (it honours that hint).
#include "FlashTestSupport.h"
#include "FormTestSupport.h"
#include "GlDrivers.h"
#include "activities/puzzles/Uyyzzl.h"
#include "app/FormRegistry.h"
#include "app/Startup.h"
#include "app/UMain.h"
#include "platform/MessageService.h"
#include "platform/ShellOpen.h"

#include <QWindow>
#include <QtTest>
#include <xcb/xcb.h>

#include <cstdlib>

namespace {

constexpr quint32 kNormalState = 1;
constexpr quint32 kIconicState = 3;

xcb_connection_t* connection() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t atom(const char* name) {
    xcb_connection_t* c = connection();
    xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<uint16_t>(strlen(name)), name), nullptr);
    const xcb_atom_t a = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(r);
    return a;
}

// What a window manager writes when it minimises (iconic) or restores (normal) a window.
void setStateAsWindowManager(QWidget* w, quint32 wmStateValue) {
    const xcb_atom_t wmState = atom("WM_STATE");
    const quint32 state[2] = {wmStateValue, 0};
    xcb_change_property(connection(), XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(w->winId()),
                        wmState, wmState, 32, 2, state);
    xcb_flush(connection());
}

// The state a window manager gives the window when it is mapped (ICCCM WM_HINTS).
quint32 mappedState(QWidget* w) {
    xcb_connection_t* c = connection();
    xcb_get_property_reply_t* r =
        xcb_get_property_reply(c,
                               xcb_get_property(c, 0, static_cast<xcb_window_t>(w->winId()),
                                                XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 0, 9),
                               nullptr);
    quint32 state = kNormalState;
    if (r && r->format == 32 && xcb_get_property_value_length(r) >= 12) {
        const auto* hints = static_cast<const quint32*>(xcb_get_property_value(r));
        if (hints[0] & 2) // the state hint is set
            state = hints[2];
    }
    std::free(r);
    return state;
}

// Counts the window state reports the window system hands a window.
class StateReports : public QObject {
public:
    int count = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::WindowStateChange)
            ++count;
        return false;
    }
};

} // namespace

class TestWindowReturn : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void mainWindowBackAfterMinimised_data();
    void mainWindowBackAfterMinimised();

private:
    platform::MessageRecorder messages_;
};

void TestWindowReturn::initTestCase() {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs an X server");
    installFontSubstitutes();
    flashtest::useFakePlayers();
    platform::setShellOpenHandler([](const QString&) { return false; });
    testsupport::makeMainWindow();
}

void TestWindowReturn::cleanupTestCase() {
    testsupport::keepGlDriversLoaded();
    if (Frmmain)
        testsupport::deleteAllWindows();
    flashtest::dropFakePlayers();
}

void TestWindowReturn::mainWindowBackAfterMinimised_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("cls");
    QTest::newRow("a section menu closed") << "imgktrw"
                                           << "TFrmKtrw";
    QTest::newRow("the song player closed") << "imgyyzzl"
                                            << "Tfrmyyzzl";
}

void TestWindowReturn::mainWindowBackAfterMinimised() {
    QFETCH(QString, button);
    QFETCH(QString, cls);
    Frmmain->Show();
    QVERIFY(QTest::qWaitForWindowExposed(Frmmain));
    // Minimised by its own button, then restored from outside, twice: the fault came back
    // on every later return.
    StateReports reports;
    Frmmain->windowHandle()->installEventFilter(&reports);
    for (int round = 0; round < 2; ++round) {
        QTest::mouseClick(Frmmain->imgmini, Qt::LeftButton, {}, Frmmain->imgmini->rect().center());
        QVERIFY(Frmmain->isMinimized());
        const int before = reports.count;
        setStateAsWindowManager(Frmmain, kIconicState);
        QTRY_VERIFY(reports.count > before); // the window has heard it is minimised
        QVERIFY(Frmmain->isMinimized());
        setStateAsWindowManager(Frmmain, kNormalState);
        QTRY_VERIFY(!Frmmain->isMinimized());

        auto* open = Frmmain->findChild<TImage*>(button);
        QVERIFY(open);
        QTest::mouseClick(open, Qt::LeftButton, {}, open->rect().center());
        QTRY_VERIFY(!Frmmain->isVisible());
        QWidget* shown = FormRegistry::find(cls)->instance();
        QVERIFY(shown && shown->isVisible() && shown->windowHandle());
        QVERIFY(QTest::qWaitForWindowActive(shown)); // the child is at it
        shown->windowHandle()->close();              // the frame's close box

        QTRY_VERIFY(Frmmain->isVisible());
        QVERIFY(!Frmmain->isMinimized());
        QCOMPARE(mappedState(Frmmain), kNormalState);
        QTRY_VERIFY(Frmmain->isActiveWindow());
    }
    Frmmain->windowHandle()->removeEventFilter(&reports);
}

QTEST_MAIN(TestWindowReturn)
#include "tst_windowreturn.moc"

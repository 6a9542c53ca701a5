// ctest-labels: webengine
// The mathematics menu with the real player and its real movie, under an X server
// (xvfb-run): opened from the main window, a click on the "加减法" button reaches the
// menu, which opens its window and hides; the "返回" button takes the child home.
#include "WebEngineTestSupport.h"
#include "app/FormRegistry.h"
#include "app/SectionMenu.h"
#include "app/Startup.h"
#include "app/TActivityForm.h"
#include "app/UMain.h"
#include "app/UWzsx.h"
#include "flashhost/FlashHost.h"
#include "flashhost/FlashHostControl.h"
#include "platform/MessageService.h"

#include <QApplication>
#include <QSignalSpy>
#include <QtTest>

namespace {

constexpr int kTimeout = 30000;

// Centres of buttons in the mathematics movie (the movie fills the menu at 1:1): the
// first button of the second row, and the exit button in the top right corner.
const QPoint kPlusMinus(114, 384);
const QPoint kExit(816, 45);

class TDrill : public TActivityForm {
public:
    TDrill() { resize(400, 300); }
};
QPointer<TDrill> drill;

// Clicks at `at` until the movie sends `command`: until its first frame is on the screen
// a click may find no button. After each click the command is awaited before clicking again.
bool clickUntilCommand(TFlashHostControl* flash, QPoint at, QSignalSpy& spy,
                       const QString& command) {
    QWidget* input = flash->backend()->inputWidget();
    const QPoint local = input->mapFrom(flash, at);
    const auto sent = [&] {
        for (const QList<QVariant>& c : spy)
            if (c.at(0).toString() == command)
                return true;
        return false;
    };
    spy.clear();
    return QTest::qWaitFor(
        [&] {
            QTest::mouseMove(input, local);
            QTest::mouseClick(input, Qt::LeftButton, {}, local);
            return QTest::qWaitFor(sent, 150);
        },
        kTimeout);
}

} // namespace

class TestUWzsx : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void plusMinusButtonReachesTheMenu();

private:
    platform::MessageRecorder* messages_ = nullptr;
};

void TestUWzsx::initTestCase() {
    if (!IsFlashInstalled())
        QSKIP("the web player's files are not installed (run scripts/install-deps)");
    installFontSubstitutes();
    messages_ = new platform::MessageRecorder;
    TFrmmain::terminateApplication = [] {};
    new TFrmmain;
    Frmmain->Show();
    FormRegistry::add(FormEntry{"Tfrmjjf",
                                [] { return static_cast<QWidget*>(drill.data()); },
                                [] {
                                    drill = new TDrill;
                                    return static_cast<QWidget*>(drill.data());
                                },
                                [] { drill = nullptr; },
                                {}});
}

void TestUWzsx::cleanupTestCase() {
    webenginetest::keepGlDriversLoaded();
    delete drill;
    delete FrmWzsx;
    if (Frmmain) {
        Frmmain->close();
        delete Frmmain;
    }
    delete messages_;
}

void TestUWzsx::plusMinusButtonReachesTheMenu() {
    Frmmain->imgwzsxClick();
    QVERIFY(FrmWzsx);
    QVERIFY(FrmWzsx->isVisible());
    QVERIFY(!Frmmain->isVisible());
    TFlashHostControl* flash = FrmWzsx->MyShockwaveFlash1;
    QSignalSpy commands(flash, &TFlashHostControl::OnFSCommand);
    QVERIFY(QTest::qWaitForWindowExposed(FrmWzsx));
    QTRY_COMPARE_WITH_TIMEOUT(flash->ReadyState(), 4, kTimeout);

    QVERIFY(clickUntilCommand(flash, kPlusMinus, commands, "加减法"));
    QVERIFY(drill && drill->isVisible());
    QVERIFY(!FrmWzsx->isVisible());

    drill->close();
    QVERIFY(FrmWzsx->isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(FrmWzsx));
    QVERIFY(clickUntilCommand(flash, kExit, commands, "btnexit"));
    QVERIFY(!FrmWzsx->isVisible());
    QVERIFY(Frmmain->isVisible());
    QCOMPARE(messages_->calls().size(), size_t(0));
}

int main(int argc, char** argv) {
    flashhost::initializeHost();
    QApplication app(argc, argv);
    TestUWzsx t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_uwzsx.moc"

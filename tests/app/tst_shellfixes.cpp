// Faults found by using the program as a family would: the photo could not be changed
// again, windows opened in a corner, a command whose window failed still stopped the
// music, the lesson playing slipped out of the list's view.
#include "FlashTestSupport.h"
#include "FormTestSupport.h"
#include "app/FormRegistry.h"
#include "app/SectionMenu.h"
#include "app/ShellState.h"
#include "app/Startup.h"
#include "app/UMain.h"
#include "app/Ukjxx.h"
#include "platform/MessageService.h"
#include "widgets/uIListControl.h"

#include <QScreen>
#include <QtTest>

namespace {

class TMenuUnderTest : public TSectionMenu {
public:
    explicit TMenuUnderTest(std::vector<MenuCommand> table)
        : TSectionMenu(QStringLiteral("测试"), QStringLiteral("wzsx"), std::move(table)) {}
};

} // namespace

class TestShellFixes : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void photoLetsClicksThrough();
    void windowsWithoutPlaceOpenCentred();
    void commandRunsFirstOnlyForAWindow();
    void playingLessonStaysInView();

private:
    std::unique_ptr<platform::MessageRecorder> messages_;
};

void TestShellFixes::initTestCase() {
    installFontSubstitutes();
    flashtest::useFakePlayers();
    messages_ = std::make_unique<platform::MessageRecorder>();
    testsupport::makeMainWindow();
    Frmmain->Show();
}

void TestShellFixes::cleanupTestCase() {
    testsupport::deleteAllWindows();
    flashtest::dropFakePlayers();
}

void TestShellFixes::photoLetsClicksThrough() {
    Frmmain->showPhoto(QStringLiteral(":/main/imgbg.jpg"));
    QVERIFY(Frmmain->pnldtt->isVisible());
    const QPoint centre = Frmmain->pnldtt->geometry().center();
    QCOMPARE(Frmmain->childAt(centre), Frmmain->imgdtt);
}

void TestShellFixes::windowsWithoutPlaceOpenCentred() {
    for (const char* cls : {"Tfrmzgl", "TFrmReadNumbers", "Tfrmnumgame"}) {
        QWidget* w = openLazy(QString::fromLatin1(cls));
        QVERIFY2(w, cls);
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        // Within the frame's few pixels, which are known only once the window shows.
        QVERIFY2(qAbs(w->frameGeometry().center().x() - screen.center().x()) <= 4, cls);
        QVERIFY2(qAbs(w->frameGeometry().center().y() - screen.center().y()) <= 4, cls);
        w->close();
    }
}

void TestShellFixes::commandRunsFirstOnlyForAWindow() {
    int ran = 0;
    MenuCommand broken =
        MenuCommand::open(QStringLiteral("a"), QStringLiteral("TNoSuchWindow"), LeaveMode::Hide);
    broken.first = [&ran] { ++ran; };
    MenuCommand fine =
        MenuCommand::open(QStringLiteral("b"), QStringLiteral("Tfrmzgl"), LeaveMode::Hide);
    fine.first = [&ran] { ran += 10; };
    TMenuUnderTest menu({broken, fine});
    menu.Show();
    menu.MyShockwaveFlash1FSCommand(QStringLiteral("a"), QString());
    QCOMPARE(ran, 0);
    QVERIFY(menu.isVisible());
    menu.MyShockwaveFlash1FSCommand(QStringLiteral("b"), QString());
    QCOMPARE(ran, 10);
    if (QWidget* w = FormRegistry::find(QStringLiteral("Tfrmzgl"))->instance())
        w->close();
}

void TestShellFixes::playingLessonStaysInView() {
    auto* player = qobject_cast<Tfrmkjxx*>(openNew(QStringLiteral("Tfrmkjxx"), [](QWidget* w) {
        static_cast<Tfrmkjxx*>(w)->openCategory(QStringLiteral("寓言故事"));
    }));
    QVERIFY(player);
    TIListBox* list = player->lbml;
    QVERIFY(list->Count() > 2 * list->VisibleRows());
    for (int index : {list->Count() - 1, 0, list->VisibleRows() + 3}) {
        list->SetItemIndex(index);
        player->lbmlClick();
        QVERIFY(index >= list->TopIndex());
        QVERIFY(index < list->TopIndex() + list->VisibleRows());
        QCOMPARE(list->ActiveItem(), index);
    }
    player->close();
}

QTEST_MAIN(TestShellFixes)
#include "tst_shellfixes.moc"

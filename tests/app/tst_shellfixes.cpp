// Faults found by using the program as a family would: the photo could not be changed
// again, windows opened in a corner, a command whose window failed still stopped the
// music, the lesson playing slipped out of the list's view.
#include "FlashTestSupport.h"
#include "FormTestSupport.h"
#include "app/FormRegistry.h"
#include "app/SectionMenu.h"
#include "app/ShellState.h"
#include "app/Startup.h"
#include "app/TImage.h"
#include "app/UMain.h"
#include "app/Ukjxx.h"
#include "platform/MessageService.h"
#include "widgets/uIListControl.h"

#include <QImage>
#include <QMenu>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

namespace {

class TMenuUnderTest : public TSectionMenu {
public:
    explicit TMenuUnderTest(std::vector<MenuCommand> table)
        : TSectionMenu(QStringLiteral("测试"), QStringLiteral("wzsx"), std::move(table)) {}
};

// While it lives, no window hears of the mouse crossing into or out of it, as under a
// pointer grab.
class CrossingGrab : public QObject {
public:
    CrossingGrab() { qApp->installEventFilter(this); }
    ~CrossingGrab() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override {
        return e->type() == QEvent::Enter || e->type() == QEvent::Leave ||
               e->type() == QEvent::MouseMove;
    }
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
    void steppedRowStaysWhole_data();
    void steppedRowStaysWhole();
    void photoShowsOverItsHoverLook();
    void hoverLookClearsAfterTheMenu();

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
    // Only rows shown whole count: the list's height leaves a strip of one more.
    const int fullRows = list->ItemsRect().height() / list->ItemHeight();
    QVERIFY(list->Count() > 2 * fullRows);
    for (int index : {list->Count() - 1, 0, fullRows, fullRows + 3, 2}) {
        list->SetItemIndex(index);
        player->lbmlClick();
        QVERIFY(index >= list->TopIndex());
        QVERIFY2(index < list->TopIndex() + fullRows, qPrintable(QString::number(index)));
        QCOMPARE(list->ActiveItem(), index);
    }
    player->close();
}

// The other painted lists a child steps through with "next": the chosen row shows whole.
void TestShellFixes::steppedRowStaysWhole_data() {
    QTest::addColumn<QString>("cls");
    QTest::addColumn<QString>("list");
    QTest::newRow("tongue twisters") << "Tfrmrkl"
                                     << "cmbnumber";
    QTest::newRow("characters") << "Tfrmxhz"
                                << "lbml";
    QTest::newRow("word browser") << "Tfrmxxdct"
                                  << "LSBList";
}

void TestShellFixes::steppedRowStaysWhole() {
    QFETCH(QString, cls);
    QFETCH(QString, list);
    TIListControl::SetAnimationsEnabled(false); // where the slide ends, at once
    QPointer<QWidget> w = openNew(cls);
    QVERIFY(w);
    auto* rows = w->findChild<TIListControl*>(list);
    auto* next = w->findChild<TImage*>("imgnext");
    QVERIFY(rows && next);
    for (int step = 0; step < 2 * rows->VisibleRows() && step < rows->Count(); ++step) {
        QTest::mouseClick(next, Qt::LeftButton, {}, next->rect().center());
        const int index = rows->ItemIndex();
        const int top = rows->ItemsRect().top() + (index - rows->TopIndex()) * rows->ItemHeight();
        QVERIFY(index >= rows->TopIndex());
        QVERIFY2(top + rows->ItemHeight() <= rows->ItemsRect().bottom() + 1,
                 qPrintable(QStringLiteral("row %1 cut").arg(index)));
    }
    w->close();
    TIListControl::SetAnimationsEnabled(true);
}

// With a photo set, the mouse over it brings the picture's hover look, which must not
// cover the photo.
void TestShellFixes::photoShowsOverItsHoverLook() {
    QTemporaryDir dir;
    QImage photo(335, 335, QImage::Format_RGB32);
    photo.fill(QColor(40, 90, 220));
    QVERIFY(photo.save(dir.path() + "/baby.png"));
    Frmmain->showPhoto(dir.path() + "/baby.png");
    Frmmain->Show();
    QVERIFY(QTest::qWaitForWindowExposed(Frmmain));
    const QPoint centre = Frmmain->imgdtt->rect().center();
    QTest::mouseMove(Frmmain->imgdtt, centre);
    QTRY_VERIFY(Frmmain->imgdtt1->isVisible()); // the hover look is on, under the photo
    const QColor seen =
        Frmmain->grab().toImage().pixelColor(Frmmain->imgdtt->mapTo(Frmmain, centre));
    QCOMPARE(seen, QColor(40, 90, 220));
    QTest::mouseMove(Frmmain->imgbg, QPoint(5, 5));
    Frmmain->pnldtt->hide();
}

// The photo menu and the file dialog hold the mouse: when it left the picture meanwhile,
// the picture's hover look goes once they close.
void TestShellFixes::hoverLookClearsAfterTheMenu() {
    Frmmain->Show();
    QVERIFY(QTest::qWaitForWindowExposed(Frmmain));
    TImage* picture = Frmmain->imgdtt;
    const QPoint centre = picture->rect().center();
    const QPoint away = Frmmain->mapToGlobal(QPoint(-300, -300));
    bool hoverBack = false;
    const auto saved = TFrmmain::popupMenu;
    TFrmmain::popupMenu = [&](QMenu*) {
        // The parent picks an entry: the mouse comes back over the picture as the menu
        // goes, and leaves the window while the menu's (or the dialog's) grab holds the
        // mouse, which tells the window nothing of its crossing.
        QTest::mouseMove(Frmmain->imgbg, QPoint(5, 5));
        QTest::mouseMove(picture, centre);
        hoverBack = Frmmain->imgdtt1->isVisible();
        CrossingGrab grab;
        QCursor::setPos(away);
        QCoreApplication::processEvents();
    };
    QTest::mouseMove(picture, centre);
    QTest::mouseClick(picture, Qt::LeftButton, {}, centre);
    TFrmmain::popupMenu = saved;
    QVERIFY(hoverBack);
    QVERIFY(Frmmain->imgdtt1->isHidden());
}

QTEST_MAIN(TestShellFixes)
#include "tst_shellfixes.moc"

// The puzzle-park windows wired to their rules and driven as a child drives them: a
// finished spot-the-difference game is saved and shown on the leaderboard, a timed-out
// game offers nothing even with points on the board, a piece held across clock ticks still
// snaps, hovering peeks and opens the title list, the newest guess stays in view, a long
// name fits the leaderboard, a seventh pick is refused and a title starts its movie.
#include "FlashTestSupport.h"
#include "TestSupport.h"
#include "activities/puzzles/PuzzleDialogs.h"
#include "activities/puzzles/ScoreFile.h"
#include "activities/puzzles/UGfl.h"
#include "activities/puzzles/UPhb.h"
#include "activities/puzzles/UTys.h"
#include "activities/puzzles/UZbn.h"
#include "activities/puzzles/Ugamesave.h"
#include "activities/puzzles/UguessNumber.h"
#include "activities/puzzles/Uptx.h"
#include "app/FormRegistry.h"
#include "app/Startup.h"
#include "app/TTimer.h"
#include "platform/IniFile.h"
#include "platform/MessageService.h"
#include "platform/ProgramDir.h"
#include "widgets/TFlatListBoxUnit.h"
#include "widgets/TShape.h"

#include <QtTest>
#include <algorithm>
#include <functional>

class TestPuzzleWindows : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void finishedSpotGameIsSaved();
    void timedOutGameOffersNothing_data();
    void timedOutGameOffersNothing();
    void cursorSquaresLeaveWithTheirPair();
    void pieceSnapsOntoItsSlot();
    void dragHeldAcrossTicks_data();
    void dragHeldAcrossTicks();
    void peekOnHover();
    void keysMakeAGuess();
    void newestGuessInViewAndWhole();
    void longNameFitsTheLeaderboard_data();
    void longNameFitsTheLeaderboard();
    void enterInNameDialogSaves();
    void framesHaveOnlyTheSystemMenu_data();
    void framesHaveOnlyTheSystemMenu();
    void seventhPickRefused();
    void titleStartsItsMovie();
    void titleListOnHoverAndPress();

private:
    template <class T> T* open(const char* name) {
        return qobject_cast<T*>(openLazy(QString::fromLatin1(name)));
    }
    // Drags piece k of the puzzle with the button held, in `steps` moves of the mouse,
    // until the point grabbed is `offset` past the slot's corner; `between` runs between
    // the moves (clock ticks). The button is released at the end.
    static void dragPiece(Tfrmptx* f, int k, QPoint offset, int steps,
                          const std::function<void()>& between = {});
    std::unique_ptr<testsupport::TempProgramDir> dir_;
    std::unique_ptr<platform::MessageRecorder> rec_;
};

void TestPuzzleWindows::initTestCase() {
    installFontSubstitutes();
    flashtest::useFakePlayers();
    const QString data = platform::dataPath(QStringLiteral("Data"));
    dir_ = std::make_unique<testsupport::TempProgramDir>();
    QVERIFY(QDir(dir_->path()).mkdir("Data"));
    for (const char* sub : {"kjfile", "picture", "bgsnd"})
        QVERIFY(QFile::link(data + '/' + sub, dir_->path() + "/Data/" + sub));
}

void TestPuzzleWindows::cleanupTestCase() {
    puzzles::setModalRunner({});
    for (const QString& name : FormRegistry::classNames())
        if (name.startsWith("Tfrm") && FormRegistry::find(name)->instance())
            delete FormRegistry::find(name)->instance();
    flashtest::dropFakePlayers();
    dir_.reset();
}

void TestPuzzleWindows::init() {
    rec_.reset(); // the old recorder uninstalls itself when it goes
    rec_ = std::make_unique<platform::MessageRecorder>();
    puzzles::setModalRunner([](QDialog&) { return 2; });
}

void TestPuzzleWindows::finishedSpotGameIsSaved() {
    auto* f = open<Tfrmzbn>("Tfrmzbn");
    QVERIFY(f);
    puzzles::setModalRunner([](QDialog& d) {
        qobject_cast<Tfrmgamesave*>(&d)->txtname->setText(QStringLiteral("小明\n"));
        return 1;
    });
    f->imgnextClick();
    for (int pair = 1; pair <= puzzles::kSpotPairs; ++pair) {
        QVERIFY(!f->pic1->Picture().isNull());
        for (int k = 1; k <= 5; ++k)
            f->shp1MouseDown(k);
        if (pair < puzzles::kSpotPairs) {
            QVERIFY(!f->Timer1->Enabled());
            f->Timer2Timer();
            f->Timer2Timer();
            QCOMPARE(f->txtgk->text().toInt(), pair / 5 + 1);
        }
        if (pair == puzzles::kSpotPairs - 1) {
            rec_->queueAnswer(platform::IDCANCEL); // the completion question: leave
            rec_->queueAnswer(platform::IDOK);     // the save offer
        }
    }
    QVERIFY(f->isHidden());
    QCOMPARE(rec_->calls().size(), size_t(2));
    QCOMPARE(rec_->calls()[0].caption, QStringLiteral("[找不同]说明！"));
    QVERIFY(rec_->calls()[1].text.contains("你是否想保存当前的游戏成绩呢"));
    QStringList shown;
    puzzles::setModalRunner([&shown](QDialog& d) {
        auto* b = qobject_cast<Tfrmphb*>(&d);
        shown << d.windowTitle() << b->lblname1->text() << b->lblgk1->text() << b->lblscore1->text()
              << b->lblscore2->text();
        return 0;
    });
    f->imgphb->OnClick();
    QCOMPARE(shown, (QStringList{"〖找不同〗排行榜", "小明", "5", "2500", "0"}));
}

void TestPuzzleWindows::dragPiece(Tfrmptx* f, int k, QPoint offset, int steps,
                                  const std::function<void()>& between) {
    auto* img = f->findChild<TImage*>(QStringLiteral("img%1").arg(k));
    const QPoint grab(5, 5);
    const QPoint from = img->mapToGlobal(grab), to = f->slot(k)->mapToGlobal(grab + offset);
    QTest::mousePress(img, Qt::LeftButton, {}, grab);
    for (int i = 1; i <= steps; ++i) {
        if (between)
            between();
        QTest::mouseMove(img, img->mapFromGlobal(from + (to - from) * i / steps));
    }
    QTest::mouseRelease(img, Qt::LeftButton, {}, img->mapFromGlobal(to));
}

void TestPuzzleWindows::timedOutGameOffersNothing_data() {
    QTest::addColumn<QString>("window");
    QTest::newRow("spot the difference with a difference found") << "Tfrmzbn";
    QTest::newRow("picture puzzle with a piece placed") << "Tfrmptx";
}

void TestPuzzleWindows::timedOutGameOffersNothing() {
    QFETCH(QString, window);
    auto* f = qobject_cast<TActivityForm*>(openLazy(window));
    QTest::mouseClick(f->findChild<TImage*>("imgnext"), Qt::LeftButton);
    TTimer* clock = nullptr;
    if (auto* zbn = qobject_cast<Tfrmzbn*>(f)) {
        QTest::mouseClick(zbn->findChild<TShape*>("shp3"), Qt::LeftButton);
        clock = zbn->Timer1;
    } else {
        auto* ptx = qobject_cast<Tfrmptx*>(f);
        dragPiece(ptx, 1, {}, 3);
        clock = ptx->Timer1;
    }
    // Points on the board, which a finished game would offer to save.
    QVERIFY(f->findChild<QLabel*>("lblscore")->text().toInt() > 0);
    rec_->queueAnswer(platform::IDCANCEL);
    for (int s = 0; s <= 300 && !f->isHidden(); ++s)
        emit clock->OnTimer();
    QVERIFY(f->isHidden());
    QCOMPARE(rec_->calls().size(), size_t(1));
    QVERIFY(rec_->calls()[0].text.contains("游戏结束"));
}

void TestPuzzleWindows::cursorSquaresLeaveWithTheirPair() {
    auto* f = open<Tfrmzbn>("Tfrmzbn");
    QVERIFY(QTest::qWaitForWindowExposed(f));
    QTest::mouseClick(f->imgnext, Qt::LeftButton);
    QTest::mouseMove(f->pic2, QPoint(200, 20));
    QTRY_VERIFY(f->shpcur1->isVisible());
    for (int k = 1; k <= 5; ++k)
        QTest::mouseClick(f->findChild<TShape*>(QStringLiteral("shp%1_1").arg(k)), Qt::LeftButton);
    QCOMPARE(f->txtinfo->text(), QStringLiteral("0"));
    emit f->Timer2->OnTimer();
    emit f->Timer2->OnTimer();
    QCOMPARE(f->txtinfo->text(), QStringLiteral("5")); // the next pair is on
    QVERIFY(!f->shpcur1->isVisible());
    QVERIFY(!f->shpcur2->isVisible());
    f->close();
}

void TestPuzzleWindows::pieceSnapsOntoItsSlot() {
    auto* f = open<Tfrmptx>("Tfrmptx");
    f->imgnextClick();
    while (f->game().cut().count() < 12)
        f->picnewgameClick();
    // A piece whose name ends in two digits takes the mouse itself.
    const QPoint start = f->piece(12)->pos(), slot = f->slot(12)->pos();
    QCOMPARE(f->childAt(start + QPoint(5, 5)), f->findChild<QWidget*>("img12"));
    f->pieceDown(12, {5, 5});
    f->pieceMove(12, slot - start + QPoint(25, -15));
    f->pieceUp(12);
    QCOMPARE(f->piece(12)->pos(), slot);
    QCOMPARE(f->lblscore->text(), QStringLiteral("10"));
    f->pieceDown(12, {5, 5});
    f->pieceMove(12, {100, 100});
    QCOMPARE(f->piece(12)->pos(), slot);
    f->close();
}

void TestPuzzleWindows::dragHeldAcrossTicks_data() {
    QTest::addColumn<int>("ticks");
    QTest::addColumn<bool>("snaps");
    QTest::newRow("ticks while the piece is held leave it in the hand") << 3 << true;
    QTest::newRow("the end of the time takes it home") << 301 << false;
}

void TestPuzzleWindows::dragHeldAcrossTicks() {
    QFETCH(int, ticks);
    QFETCH(bool, snaps);
    auto* f = open<Tfrmptx>("Tfrmptx");
    QTest::mouseClick(f->imgnext, Qt::LeftButton);
    const QPoint home = f->piece(4)->pos(), slot = f->slot(4)->pos();
    rec_->queueAnswer(platform::IDCANCEL); // the time-out question: leave
    // The ticks come spread over the drag, the last one before the last move.
    int ticked = 0, step = 0;
    dragPiece(f, 4, {12, -9}, 6, [&] {
        for (++step; ticked < ticks * step / 6; ++ticked)
            emit f->Timer1->OnTimer();
    });
    QCOMPARE(ticked, ticks);
    QCOMPARE(f->piece(4)->pos(), snaps ? slot : home);
    QCOMPARE(f->lblscore->text(), snaps ? QStringLiteral("10") : QStringLiteral("0"));
    f->close();
}

void TestPuzzleWindows::peekOnHover() {
    auto* f = open<Tfrmptx>("Tfrmptx");
    QVERIFY(QTest::qWaitForWindowExposed(f));
    QCOMPARE(f->lblscroe2->text(), QStringLiteral("（每关都有3幅图）"));
    QTest::mouseClick(f->imgnext, Qt::LeftButton);
    QCOMPARE(f->lblscroe2->text(), QString()); // the hint goes when play starts
    QVERIFY(f->pnlright->isHidden());
    QTest::mouseMove(f->imgkey);
    QTRY_VERIFY(f->pnlright->isVisible());
    QTest::mouseMove(f->imgbg, QPoint(450, 100));
    QTRY_VERIFY(f->pnlright->isHidden());
    f->close();
}

void TestPuzzleWindows::keysMakeAGuess() {
    auto* f = open<TfrmguessNumber>("TfrmguessNumber");
    QVERIFY(f->game().running());
    QTest::keyClicks(f->cmbshow, "0123");
    QTest::keyClick(f->cmbshow, Qt::Key_Return);
    QCOMPARE(f->game().history().size(), 1);
    QVERIFY(f->game().history()[0].startsWith(QStringLiteral("第1次：0123判断：")));
    QCOMPARE(f->cmbshow->Items().Count(), 1);
    f->close();
}

void TestPuzzleWindows::newestGuessInViewAndWhole() {
    auto* f = open<TfrmguessNumber>("TfrmguessNumber");
    // The secret turned round: four different digits, never the answer.
    QString guess = f->game().secretText();
    std::reverse(guess.begin(), guess.end());
    for (int n = 1; n <= puzzles::GuessGame::kMaxGuesses; ++n) {
        QTest::keyClicks(f->cmbshow, guess);
        QTest::keyClick(f->cmbshow, Qt::Key_Return);
        const TFlatListBox* list = f->cmbshow;
        QCOMPARE(list->Items().Count(), n);
        QVERIFY2(list->TopIndex() <= n - 1 && n - 1 < list->TopIndex() + list->VisibleRows(),
                 qPrintable(QStringLiteral("guess %1 is out of view").arg(n)));
        QVERIFY(list->Selected(n - 1));
        const QFontMetrics fm(list->font());
        const QString line = list->Items()[n - 1];
        // Rows leave 3 pixels on each side for the text.
        QVERIFY2(fm.horizontalAdvance(line) <= list->RowRect(0).width() - 6,
                 qPrintable(QStringLiteral("%1 takes %2 px of %3")
                                .arg(line)
                                .arg(fm.horizontalAdvance(line))
                                .arg(list->RowRect(0).width() - 6)));
    }
    QVERIFY(!f->game().running());
    // The list has the focus: the arrow and page keys scroll it.
    const int bottom = f->cmbshow->TopIndex();
    QVERIFY(bottom > 0);
    QTest::keyClick(f->cmbshow, Qt::Key_Up);
    QCOMPARE(f->cmbshow->TopIndex(), bottom - 1);
    QTest::keyClick(f, Qt::Key_PageDown);
    QCOMPARE(f->cmbshow->TopIndex(), bottom);
    f->close();
}

void TestPuzzleWindows::longNameFitsTheLeaderboard_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("twenty Chinese characters")
        << QStringLiteral("小明小红小刚小丽小华小强小芳小军小龙小凤");
    QTest::newRow("twenty wide letters") << QStringLiteral("WWWWWWWWWWWWWWWWWWWW");
    QTest::newRow("a short name keeps the big type") << QStringLiteral("小明");
}

void TestPuzzleWindows::longNameFitsTheLeaderboard() {
    QFETCH(QString, name);
    QCOMPARE(name.size() <= puzzles::kNameMaxLength, true);
    platform::IniFile ini(puzzles::scoreFilePath());
    QVERIFY(puzzles::saveScore(ini, puzzles::kPuzzlePrefix, {}, {name, 2, 999}));
    QString shown;
    int room = 0, width = 0, size = 0, formSize = 0;
    puzzles::setModalRunner([&](QDialog& d) {
        auto* b = qobject_cast<Tfrmphb*>(&d);
        shown = b->lblname1->text();
        room = b->lblname1->contentsRect().width();
        width = QFontMetrics(b->lblname1->font()).horizontalAdvance(shown);
        size = b->lblname1->font().pointSize();
        formSize = b->lblgk1->font().pointSize();
        return 0;
    });
    puzzles::showLeaderboard(puzzles::kPuzzlePrefix, QStringLiteral("〖拼图形〗排行榜"));
    QCOMPARE(shown, name);
    QVERIFY2(width <= room, qPrintable(QStringLiteral("%1 px in %2 px").arg(width).arg(room)));
    if (name.size() < 5)
        QCOMPARE(size, formSize);
}

void TestPuzzleWindows::enterInNameDialogSaves() {
    QVERIFY(!QFile::exists(puzzles::scoreFilePath()) || QFile::remove(puzzles::scoreFilePath()));
    auto* f = open<Tfrmptx>("Tfrmptx");
    QTest::mouseClick(f->imgnext, Qt::LeftButton);
    dragPiece(f, 2, {}, 2);
    QCOMPARE(f->lblscore->text(), QStringLiteral("10"));
    rec_->queueAnswer(platform::IDOK); // the save offer
    puzzles::setModalRunner([](QDialog& d) {
        auto* save = qobject_cast<Tfrmgamesave*>(&d);
        QTest::keyClicks(save->txtname, QStringLiteral("Lily"));
        QTest::keyClick(save->txtname, Qt::Key_Return);
        return d.result();
    });
    f->close();
    const auto table =
        puzzles::readScores(platform::IniFile(puzzles::scoreFilePath()), puzzles::kPuzzlePrefix);
    QCOMPARE(table[0].User_Name, QStringLiteral("Lily"));
    QCOMPARE(table[0].Score, 10);
}

void TestPuzzleWindows::framesHaveOnlyTheSystemMenu_data() {
    QTest::addColumn<QString>("window");
    for (const char* w :
         {"Tfrmzbn", "Tfrmptx", "TfrmguessNumber", "Tfrmgfl", "Tfrmtys", "Tfrmgamesave", "Tfrmphb"})
        QTest::newRow(w) << QString::fromLatin1(w);
}

void TestPuzzleWindows::framesHaveOnlyTheSystemMenu() {
    QFETCH(QString, window);
    std::unique_ptr<QWidget> dialog;
    QWidget* w = nullptr;
    if (window == "Tfrmgamesave")
        w = (dialog = std::make_unique<Tfrmgamesave>()).get();
    else if (window == "Tfrmphb")
        w = (dialog = std::make_unique<Tfrmphb>()).get();
    else if (!(w = FormRegistry::find(window)->instance()))
        w = FormRegistry::find(window)->create(); // deleted with the others at the end
    const Qt::WindowFlags flags = w->windowFlags();
    // Without the customise hint the platform adds minimise and maximise on its own.
    QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
    QVERIFY(flags.testFlag(Qt::WindowSystemMenuHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    // A window manager that ignores the frame still cannot leave a game minimised, with
    // the menu that opened it hidden.
    if (!dialog) {
        w->show();
        w->setWindowState(Qt::WindowMinimized);
        QTRY_VERIFY(!w->isMinimized());
        w->hide();
    }
}

void TestPuzzleWindows::seventhPickRefused() {
    auto* f = open<Tfrmgfl>("Tfrmgfl");
    QCOMPARE(f->childAt(f->picture(11)->geometry().center()), f->picture(11));
    for (int k = 1; k <= 7; ++k)
        f->pic1Click(k);
    QCOMPARE(f->round().selected(), 6);
    QCOMPARE(rec_->calls().size(), size_t(1));
    QCOMPARE(rec_->calls()[0].caption, QStringLiteral("《归分类》游戏说明！"));
    QVERIFY(!f->findChild<QWidget*>("pnl6")->isHidden());
    f->imgokClick();
    QCOMPARE(f->lblcount->text(), QStringLiteral("1"));
    f->close();
}

void TestPuzzleWindows::titleStartsItsMovie() {
    QPointer<Tfrmtys> f = open<Tfrmtys>("Tfrmtys");
    QCOMPARE(f->navigator().movies(), 4);
    f->pnlml->show();
    QTest::mouseClick(f->title(17), Qt::LeftButton);
    QCOMPARE(f->navigator().current(), 2);
    QVERIFY(f->pnlml->isHidden());
    QTest::mouseClick(f->title(1), Qt::LeftButton);
    QCOMPARE(f->navigator().current(), 2);
    f->close();
    QTRY_VERIFY(f.isNull());
}

void TestPuzzleWindows::titleListOnHoverAndPress() {
    QPointer<Tfrmtys> f = open<Tfrmtys>("Tfrmtys");
    QVERIFY(QTest::qWaitForWindowExposed(f));
    QVERIFY(f->pnlml->isHidden());
    QTest::mouseMove(f->imgbg, QPoint(880, 20)); // the mouse comes from elsewhere
    QTest::mouseMove(f->imgml);
    QTRY_VERIFY(f->pnlml->isVisible());
    QTest::mouseClick(f->imgbg, Qt::LeftButton, {}, QPoint(880, 20));
    QVERIFY(f->pnlml->isHidden());
    QTest::mousePress(f->imgml, Qt::LeftButton);
    QVERIFY(f->pnlml->isVisible());
    QTest::mouseRelease(f->imgml, Qt::LeftButton);
    // Every title looks alike; only the pointer tells one with a movie.
    for (int label : {1, 15, 16, 19, 20, 33})
        QCOMPARE(f->title(label)->cursor().shape() == Qt::PointingHandCursor,
                 label >= 16 && label <= 19);
    f->close();
    QTRY_VERIFY(f.isNull());
}

QTEST_MAIN(TestPuzzleWindows)
#include "tst_puzzlewindows.moc"

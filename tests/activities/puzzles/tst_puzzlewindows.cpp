// The puzzle-park windows wired to their rules: a finished spot-the-difference game is
// saved and shown on the leaderboard, a timed-out puzzle offers nothing, a piece snaps,
// keys reach the guess, a seventh pick is refused and a title starts its movie.
#include "FlashTestSupport.h"
#include "TestSupport.h"
#include "activities/puzzles/PuzzleDialogs.h"
#include "activities/puzzles/UGfl.h"
#include "activities/puzzles/UPhb.h"
#include "activities/puzzles/UTys.h"
#include "activities/puzzles/UZbn.h"
#include "activities/puzzles/Ugamesave.h"
#include "activities/puzzles/UguessNumber.h"
#include "activities/puzzles/Uptx.h"
#include "app/FormRegistry.h"
#include "app/Startup.h"
#include "platform/MessageService.h"
#include "platform/ProgramDir.h"

#include <QtTest>

class TestPuzzleWindows : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void finishedSpotGameIsSaved();
    void timedOutPuzzleOffersNothing();
    void pieceSnapsOntoItsSlot();
    void keysMakeAGuess();
    void seventhPickRefused();
    void titleStartsItsMovie();

private:
    template <class T> T* open(const char* name) {
        return qobject_cast<T*>(openLazy(QString::fromLatin1(name)));
    }
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

void TestPuzzleWindows::timedOutPuzzleOffersNothing() {
    auto* f = open<Tfrmptx>("Tfrmptx");
    f->imgnextClick();
    QCOMPARE(f->txtinfo->text(), QStringLiteral("3×3"));
    rec_->queueAnswer(platform::IDCANCEL);
    for (int s = 0; s <= 300; ++s)
        f->Timer1Timer();
    QVERIFY(f->isHidden());
    QCOMPARE(rec_->calls().size(), size_t(1));
    QVERIFY(rec_->calls()[0].text.contains("游戏结束"));
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

QTEST_MAIN(TestPuzzleWindows)
#include "tst_puzzlewindows.moc"

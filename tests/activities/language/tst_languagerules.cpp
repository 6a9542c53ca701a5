// Rules of the picture and English activities: browser stepping and pages, practice
// questions, the falling quizzes, the word pair game and the word browser.
#include "activities/language/BrowserRules.h"
#include "activities/language/DdpRules.h"
#include "activities/language/FallingQuizRules.h"
#include "activities/language/PracticeRules.h"
#include "activities/language/XxdctRules.h"

#include <QSet>
#include <QtTest>

using namespace language;

class TestLanguageRules : public QObject {
    Q_OBJECT
private slots:
    void browserStepsAndPages();
    void practiceQuestionsHold_data();
    void practiceQuestionsHold();
    void practiceCountsOncePerQuestion();
    void growthStopsAtTheBar_data();
    void growthStopsAtTheBar();
    void fallingDrawIsDistinct_data();
    void fallingDrawIsDistinct();
    void bottomReachedCountsOneWrong();
    void wrongAnswerPausesAndStopEndsIt();
    void pairBoardDeals();
    void pairLifeBar_data();
    void pairLifeBar();
    void pairSelectionAndHint();
    void wordBrowserBoundsAndHandover();
};

void TestLanguageRules::browserStepsAndPages() {
    PictureBrowser b;
    b.restart();
    QCOMPARE(b.prior(), PictureBrowser::Step::FirstRefused);
    for (int i = 0; i < 64; ++i)
        QCOMPARE(b.next(), PictureBrowser::Step::Shown);
    QCOMPARE(b.row().name(), QStringLiteral("苍蝇"));
    QCOMPARE(b.next(), PictureBrowser::Step::LastRefused);
    QCOMPARE(b.index(), 64);

    QCOMPARE(b.priorPage(), PictureBrowser::Page::FirstRefused);
    QCOMPARE(b.pageRows().size(), size_t(10));
    while (b.nextPage() == PictureBrowser::Page::Shown) {
    }
    QCOMPARE(b.page(), 7);
    QCOMPARE(b.pageRows(), (std::vector<int>{60, 61, 62, 63, 64}));
    QVERIFY(b.select(b.pageRows()[4]));
    QCOMPARE(b.row().word(), QStringLiteral("fly"));
    QVERIFY(!b.select(65));
    QCOMPARE(b.priorPage(), PictureBrowser::Page::Shown);
    QCOMPARE(b.pageRows().front(), 50);
    b.restart();
    QCOMPARE(b.index(), 0);
    QCOMPARE(b.page(), 1);
    QCOMPARE(autoIntervalMs(4), 10000);
    QCOMPARE(autoIntervalMs(0), 6000);
    QCOMPARE(grownWidth(406), 412);
    QCOMPARE(grownWidth(412), 412);
}

void TestLanguageRules::practiceQuestionsHold_data() {
    QTest::addColumn<bool>("sixteen");
    QTest::newRow("four animals") << false;
    QTest::newRow("sixteen pictures") << true;
}

void TestLanguageRules::practiceQuestionsHold() {
    QFETCH(bool, sixteen);
    const PracticeLayout& layout = sixteen ? sixteenPictures() : fourPictures();
    PicturePractice p(layout, sixteen ? KtrwZhlxWordTable() : animalWords());
    platform::RandomSource rng;
    QSet<int> rightSlots;
    for (uint32_t seed = 1; seed <= 400; ++seed) {
        rng.seed(seed);
        p.newQuestion(rng);
        QSet<int> rows(p.rows().begin(), p.rows().end());
        QCOMPARE(rows.size(), layout.pictures);
        for (int r : p.rows())
            QVERIFY(r >= 0 && r < layout.otherRows);
        QVERIFY(p.rows()[static_cast<size_t>(p.rightSlot())] < layout.askRows);
        QVERIFY(!p.asked().word().isEmpty()); // an animal: its English can be spoken
        rightSlots << p.rightSlot();
    }
    QCOMPARE(rightSlots.size(), layout.pictures);
    if (sixteen) // the fruit the practice leaves out never shows
        QVERIFY(!p.pictureName(0).contains(QStringLiteral("火龙果")));
}

void TestLanguageRules::practiceCountsOncePerQuestion() {
    PicturePractice p(fourPictures(), animalWords());
    platform::RandomSource rng(7);
    p.restart(rng);
    const auto answerOnce = [&](bool right) {
        const int slot = right ? p.rightSlot() : (p.rightSlot() + 1) % 4;
        QCOMPARE(p.click(slot),
                 right ? PicturePractice::Answer::Right : PicturePractice::Answer::Wrong);
        QCOMPARE(p.click(p.rightSlot()), PicturePractice::Answer::Ignored); // in the pause
        QVERIFY(!p.pauseTick());
        QVERIFY(p.pauseTick());
        p.newQuestion(rng);
    };
    answerOnce(true);
    answerOnce(true);
    answerOnce(false);
    QCOMPARE(p.answered(), 3);
    QCOMPARE(p.right(), 2);
    QCOMPARE(p.wrong(), 1);
    QVERIFY(!p.pauseTick()); // no pause while waiting
    p.restart(rng);
    QCOMPARE(p.answered(), 0);
}

void TestLanguageRules::growthStopsAtTheBar_data() {
    QTest::addColumn<bool>("sixteen");
    QTest::addColumn<int>("slot");
    QTest::addColumn<QSize>("grown");
    QTest::addColumn<QPoint>("sign");
    QTest::newRow("four, third") << false << 2 << QSize(190, 150) << QPoint(581, 512);
    QTest::newRow("sixteen, last row one step more")
        << true << 15 << QSize(172, 132) << QPoint(777, 553);
    QTest::newRow("sixteen, first") << true << 0 << QSize(170, 130) << QPoint(224, 137);
}

void TestLanguageRules::growthStopsAtTheBar() {
    QFETCH(bool, sixteen);
    QFETCH(int, slot);
    QFETCH(QSize, grown);
    QFETCH(QPoint, sign);
    const PracticeLayout& l = sixteen ? sixteenPictures() : fourPictures();
    const BarPlace bars = barsFor(l, slot);
    QRect r(l.at[static_cast<size_t>(slot)], l.size);
    int steps = 0;
    while (growStep(r, bars.top.y() + l.growOffset))
        ++steps;
    QCOMPARE(r.size(), grown);
    QVERIFY(steps < 20);
    QCOMPARE(signPlace(l, bars), sign);
}

void TestLanguageRules::fallingDrawIsDistinct_data() {
    QTest::addColumn<bool>("letters");
    QTest::newRow("english quiz") << false;
    QTest::newRow("letter game") << true;
}

void TestLanguageRules::fallingDrawIsDistinct() {
    QFETCH(bool, letters);
    const FallingLayout& l = letters ? letterGameLayout() : englishQuizLayout();
    int repeats = 0;
    for (uint32_t seed = 1; seed <= 3000; ++seed) {
        platform::RandomSource rng(seed), replay(seed);
        const std::array<int, 4> e = drawEntries(rng, l);
        QCOMPARE(QSet<int>(e.begin(), e.end()).size(), 4);
        for (int x : e)
            QVERIFY(x >= 0 && x < l.entries);
        const int a = replay.random(l.entries);
        if (replay.random(l.entries) == a) { // the second draw repeated the first
            ++repeats;
            QVERIFY2(a < l.threshold ? e[1] > a : e[1] < a, qPrintable(QString::number(a)));
        }
        // The answer sits on one item; the others keep their own places.
        FallingQuiz q(l);
        rng.seed(seed);
        q.start(rng);
        const int ans = q.answerItem();
        QCOMPARE(q.entryOf(ans), q.answerEntry());
        for (int i = 1; i < 4; ++i)
            if (i != ans)
                QVERIFY(q.entryOf(i) != q.answerEntry());
    }
    QVERIFY(repeats > 0);
}

void TestLanguageRules::bottomReachedCountsOneWrong() {
    FallingQuiz q(englishQuizLayout());
    platform::RandomSource rng(3);
    QCOMPARE(q.step(rng), FallingQuiz::Fall::Stopped);
    q.start(rng);
    int moves = 0;
    while (q.step(rng) == FallingQuiz::Fall::Moved)
        ++moves;
    QCOMPARE(moves, 519);
    QCOMPARE(q.total(), 1);
    QCOMPARE(q.wrong(), 1);
    QCOMPARE(q.position(1), QPoint(112, 48)); // all back at the top
    QCOMPARE(q.step(rng), FallingQuiz::Fall::Moved);

    FallingQuiz letters(letterGameLayout());
    letters.start(rng);
    moves = 0;
    while (letters.step(rng) == FallingQuiz::Fall::Moved)
        ++moves;
    QCOMPARE(moves, 567);
}

void TestLanguageRules::wrongAnswerPausesAndStopEndsIt() {
    FallingQuiz q(letterGameLayout());
    platform::RandomSource rng(11);
    QCOMPARE(q.answer(0, rng), FallingQuiz::Answer::Ignored); // nothing asked yet
    q.start(rng);
    const int wrongItem = (q.answerItem() + 1) % 4;
    QCOMPARE(q.answer(wrongItem, rng), FallingQuiz::Answer::Wrong);
    QCOMPARE(q.phase(), FallingQuiz::Phase::Pause);
    QCOMPARE(q.answer(q.answerItem(), rng), FallingQuiz::Answer::Ignored);
    QCOMPARE(q.step(rng), FallingQuiz::Fall::Stopped);
    q.stop();
    q.pauseOver(rng); // a pause timer that fired late starts nothing
    QCOMPARE(q.phase(), FallingQuiz::Phase::Idle);
    // An answer while idle resumes.
    QCOMPARE(q.answer(q.answerItem(), rng), FallingQuiz::Answer::Right);
    QCOMPARE(q.phase(), FallingQuiz::Phase::Running);
    QCOMPARE(q.total(), 2);
    QCOMPARE(q.right(), 1);
    QCOMPARE(q.wrong(), 1);
}

void TestLanguageRules::pairBoardDeals() {
    WordPairGame g;
    platform::RandomSource rng;
    for (uint32_t seed = 1; seed <= 200; ++seed) {
        rng.seed(seed);
        g.start(rng);
        QSet<QString> english;
        QSet<int> places;
        for (int k = 1; k <= 32; ++k)
            places << g.place(k).x() * 1000 + g.place(k).y();
        QCOMPARE(places.size(), 32);
        for (int k = 1; k <= 16; ++k) {
            english << g.text(k);
            bool paired = false;
            for (const CategoryRow& c : CategoryWords)
                paired |= g.text(k) == QString::fromUtf8(c.english) &&
                          g.text(WordPairGame::partner(k)) == QString::fromUtf8(c.chinese);
            QVERIFY(paired);
        }
        QCOMPARE(english.size(), 16);
        QVERIFY(g.text(1) != QString::fromUtf8(CategoryWords[113].english));
    }
    QCOMPARE(WordPairGame::homePlace(32), QPoint(523, 497));
    QCOMPARE(WordPairGame::homePlace(6), QPoint(175, 71));
}

void TestLanguageRules::pairLifeBar_data() {
    QTest::addColumn<int>("seconds");
    QTest::addColumn<int>("life");
    QTest::addColumn<int>("wrongResult"); // as WordPairGame::Click
    QTest::newRow("wrong pair at exactly 30 ends")
        << 523 << 30 << static_cast<int>(WordPairGame::Click::LifeOut);
    QTest::newRow("wrong pair at 31 leaves 1")
        << 522 << 31 << static_cast<int>(WordPairGame::Click::Mismatch);
    QTest::newRow("full bar") << 0 << 553 << static_cast<int>(WordPairGame::Click::Mismatch);
}

void TestLanguageRules::pairLifeBar() {
    QFETCH(int, seconds);
    QFETCH(int, life);
    QFETCH(int, wrongResult);
    WordPairGame g;
    platform::RandomSource rng(5);
    g.start(rng);
    for (int s = 0; s < seconds; ++s)
        QVERIFY(!g.tick());
    QCOMPARE(g.life(), life);
    QCOMPARE(g.click(1), WordPairGame::Click::Selected);
    QCOMPARE(static_cast<int>(g.click(2)), wrongResult);
    QCOMPARE(g.selected(), 0);
    QCOMPARE(g.life(), std::max(0, life - 30));
    if (g.phase() == WordPairGame::Phase::Lost) {
        QCOMPARE(g.lifePercent(), 0);
        QCOMPARE(g.click(3), WordPairGame::Click::Ignored);
        QVERIFY(!g.tick());
    }
    if (seconds == 0) {
        QCOMPARE(g.lifePercent(), 94); // 523 of 553
        for (int s = 0; s < 65; ++s)
            g.tick();
        QCOMPARE(g.clockText(), QStringLiteral("01:05"));
        for (int s = 65; s < 522; ++s)
            QVERIFY(!g.tick());
        QVERIFY(g.tick()); // the bar ran empty
    }
}

void TestLanguageRules::pairSelectionAndHint() {
    WordPairGame g;
    platform::RandomSource rng(9);
    QCOMPARE(g.hint(), WordPairGame::Hint::NoBoard);
    g.start(rng);
    QCOMPARE(g.click(20), WordPairGame::Click::Selected);
    QCOMPARE(g.click(20), WordPairGame::Click::Deselected);
    QCOMPARE(g.selected(), 0);
    QCOMPARE(g.hint(), WordPairGame::Hint::Shown);
    QCOMPARE(g.hintPair(), 1);
    QCOMPARE(g.life(), 503);
    int previous = -1;
    QCOMPARE(g.click(32), WordPairGame::Click::Selected);
    QCOMPARE(g.click(1, &previous), WordPairGame::Click::Removed);
    QCOMPARE(previous, 32);
    QVERIFY(!g.onBoard(1) && !g.onBoard(32));
    QCOMPARE(g.hintPair(), 0); // the hinted pair was taken
    for (int i = 0; i < 9; ++i)
        QVERIFY(!g.hintTick());
    QVERIFY(g.hintTick());
    QCOMPARE(g.hint(), WordPairGame::Hint::Shown);
    QCOMPARE(g.hintPair(), 2); // the lowest pair left, wherever it lies
    for (int k = 2; k <= 15; ++k) {
        g.click(k);
        QCOMPARE(g.click(WordPairGame::partner(k)), WordPairGame::Click::Removed);
    }
    g.click(17);
    QCOMPARE(g.click(16), WordPairGame::Click::Won);
    QCOMPARE(g.hint(), WordPairGame::Hint::NoBoard);
    QVERIFY(!g.tick()); // the clock stopped

    g.start(rng);
    for (int s = 0; s < 503; ++s)
        g.tick();
    QCOMPARE(g.hint(), WordPairGame::Hint::LifeTooLow); // 50 left
    QCOMPARE(g.life(), 50);
}

void TestLanguageRules::wordBrowserBoundsAndHandover() {
    WordBrowser b;
    QCOMPARE(letterGroups().size(), 20);
    b.showGroup(0);
    QCOMPARE(b.count(), 29);
    QCOMPARE(b.word(), QStringLiteral("a"));
    QVERIFY(!b.prior());
    QVERIFY(b.select(28));
    QCOMPARE(b.word(), QStringLiteral("autumn"));
    QCOMPARE(b.meaningCaption(), QStringLiteral("[ 秋天 ]"));
    QVERIFY(!b.next());
    QCOMPARE(b.index(), 28);
    QVERIFY(b.prior());
    QCOMPARE(b.word(), QStringLiteral("ask"));
    b.showGroup(3); // "D": its own words, each with its meaning
    QCOMPARE(b.word(), QStringLiteral("dance"));
    QCOMPARE(b.meaningCaption(), QStringLiteral("[ 跳舞 ]"));
    b.showGroup(int(letterGroups().size())); // no such group: nothing chosen
    QCOMPARE(b.index(), -1);
    QVERIFY(!b.next() && !b.prior());
    QCOMPARE(b.meaning(), QString());
    QVERIFY(b.closeReturnsToMenu());
    b.handOver(WordBrowser::Handover::PairGame);
    QVERIFY(!b.closeReturnsToMenu());
}

QTEST_APPLESS_MAIN(TestLanguageRules)
#include "tst_languagerules.moc"

// Spot the difference and the picture puzzle: table parsing, pair scoring, the clock,
// cutting, snapping, stage bonuses and the end of both games.
#include "activities/puzzles/PtxRules.h"
#include "activities/puzzles/ZbnRules.h"

#include <QSet>
#include <QtTest>

using namespace puzzles;

class TestPuzzleGames : public QObject {
    Q_OBJECT
private slots:
    void regions_data();
    void regions();
    void wholeTableParses();
    void pairScore_data();
    void pairScore();
    void missesAndTimeOut();
    void spotGameRunsTwentyFivePairs();
    void cutting_data();
    void cutting();
    void snapping_data();
    void snapping();
    void stageBonus_data();
    void stageBonus();
    void puzzleEnds();
};

void TestPuzzleGames::regions_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QList<int>>("whlt");
    QTest::newRow("leading zeros") << "020,024,102,106" << true << QList<int>{20, 24, 102, 106};
    QTest::newRow("minus and two digits")
        << "062,072,-26,290" << true << QList<int>{62, 72, -26, 290};
    QTest::newRow("minus zero five") << "056,062,237,-05" << true << QList<int>{56, 62, 237, -5};
    QTest::newRow("two-digit field refused") << "052,052,230,90" << false << QList<int>{};
    QTest::newRow("wrong separator refused") << "020;024,102,106" << false << QList<int>{};
    QTest::newRow("letters refused") << "02a,024,102,106" << false << QList<int>{};
    QTest::newRow("zero width refused") << "000,024,102,106" << false << QList<int>{};
    QTest::newRow("empty refused") << "" << false << QList<int>{};
}

void TestPuzzleGames::regions() {
    QFETCH(QString, caption);
    QFETCH(bool, valid);
    QFETCH(QList<int>, whlt);
    const QByteArray text = caption.toLatin1();
    const auto r = parseRegion(std::string_view(text.constData(), size_t(text.size())));
    QCOMPARE(r.has_value(), valid);
    if (valid)
        QCOMPARE(*r, (Region{whlt[0], whlt[1], whlt[2], whlt[3]}));
}

void TestPuzzleGames::wholeTableParses() {
    for (int pair = 1; pair <= kSpotPairs; ++pair)
        for (int k = 1; k <= 5; ++k) {
            const Region r = spotRegion(pair, k);
            QVERIFY2(r.width > 0, qPrintable(QStringLiteral("pair %1 region %2").arg(pair).arg(k)));
            // The centre of every region lies on the picture, so the drawn difference shows.
            QVERIFY(r.left + r.width / 2 >= 0 && r.left + r.width / 2 < kSpotPictureWidth);
            QVERIFY(r.top + r.height / 2 >= 0 && r.top + r.height / 2 < kSpotPictureHeight);
        }
    QCOMPARE(spotRegion(4, 2), (Region{56, 62, 237, -17}));
    QCOMPARE(spotRegion(2, 5), (Region{71, 39, 329, 303}));
}

void TestPuzzleGames::pairScore_data() {
    QTest::addColumn<int>("ticks"); // from 300 seconds
    QTest::addColumn<int>("score");
    QTest::newRow("241 shown earns 40") << 59 << 140;
    QTest::newRow("240 shown earns 30") << 60 << 130;
    QTest::newRow("121 shown earns 20") << 179 << 120;
    QTest::newRow("61 shown earns 10") << 239 << 110;
    QTest::newRow("60 shown earns nothing") << 240 << 100;
}

void TestPuzzleGames::pairScore() {
    QFETCH(int, ticks);
    QFETCH(int, score);
    SpotGame g;
    g.start();
    for (int i = 0; i < ticks; ++i)
        g.tick();
    for (int k = 1; k <= 4; ++k)
        QCOMPARE(g.hit(k), SpotGame::Hit::Found);
    QCOMPARE(g.hit(4), SpotGame::Hit::Ignored);
    QCOMPARE(g.score(), 80);
    QCOMPARE(g.hit(5), SpotGame::Hit::PairDone);
    QCOMPARE(g.score(), score);
    QVERIFY(!g.clockRunning() && !g.saveable());
}

void TestPuzzleGames::missesAndTimeOut() {
    SpotGame g;
    g.start();
    for (int i = 0; i < 289; ++i)
        g.tick();
    QCOMPARE(g.miss(), SpotGame::Miss::Penalty);
    QCOMPARE(g.secondsLeft(), 1);
    g.tick();
    QCOMPARE(g.miss(), SpotGame::Miss::Zeroed);
    QCOMPARE(g.secondsLeft(), 0);
    QCOMPARE(g.tick(), SpotGame::Tick::TimedOut);
    QVERIFY(!g.saveable());
    QCOMPARE(g.hit(1), SpotGame::Hit::Ignored);
}

void TestPuzzleGames::spotGameRunsTwentyFivePairs() {
    SpotGame g;
    g.start();
    const int budgets[] = {300, 250, 200, 150, 100};
    for (int pair = 1; pair <= kSpotPairs; ++pair) {
        QCOMPARE(g.pair(), pair);
        QCOMPARE(g.stage(), (pair - 1) / 5 + 1);
        QCOMPARE(g.secondsLeft(), budgets[(pair - 1) / 5]);
        for (int k = 1; k <= 4; ++k)
            g.hit(k);
        if (pair < kSpotPairs) {
            QCOMPARE(g.hit(5), SpotGame::Hit::PairDone);
            QVERIFY(!g.pauseTick());
            QVERIFY(g.pauseTick());
        }
    }
    QCOMPARE(g.hit(5), SpotGame::Hit::GameDone);
    QCOMPARE(g.stage(), 5);
    QVERIFY(!g.clockRunning());
    QVERIFY(g.saveable());
    QCOMPARE(g.tick(), SpotGame::Tick::Ignored);
}

void TestPuzzleGames::cutting_data() {
    QTest::addColumn<int>("cols");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QSize>("piece");
    QTest::newRow("3 by 3") << 3 << 3 << "3×3" << QSize(141, 118);
    QTest::newRow("4 by 3 becomes 4 by 4") << 4 << 3 << "4×4" << QSize(105, 88);
    QTest::newRow("3 by 5 becomes 3 by 4") << 3 << 5 << "3×4" << QSize(141, 88);
    QTest::newRow("4 by 5") << 4 << 5 << "4×5" << QSize(105, 71);
}

void TestPuzzleGames::cutting() {
    QFETCH(int, cols);
    QFETCH(int, rows);
    QFETCH(QString, text);
    QFETCH(QSize, piece);
    platform::RandomSource rng(7);
    const Cut c = cutPicture(rng, kPuzzlePictureSize, cols, rows);
    QCOMPARE(gridText(c.grid), text);
    QCOMPARE(c.piece, piece);
    QCOMPARE(c.count(), c.grid.cols * c.grid.rows);
    QCOMPARE(c.targets.front(), QPoint(458, 179));
    QCOMPARE(c.targets.back() + QPoint(piece.width(), piece.height()),
             QPoint(458, 179) + QPoint(c.grid.cols * (piece.width() + 1) - 1,
                                       c.grid.rows * (piece.height() + 1) - 1));
    QCOMPARE(c.tiles.back().bottomRight(),
             QPoint(c.grid.cols * piece.width() - 1, c.grid.rows * piece.height() - 1));
    // The scattered pieces take every place of the left grid once.
    QSet<QPair<int, int>> places;
    for (const QPoint& p : c.pieces) {
        QVERIFY(p.x() < 458);
        places.insert({p.x() + 440, p.y()});
    }
    QCOMPARE(places.size(), c.count());
    for (const QPoint& s : c.targets)
        QVERIFY(places.contains({s.x(), s.y()}));
}

void TestPuzzleGames::snapping_data() {
    QTest::addColumn<QPoint>("offset");
    QTest::addColumn<bool>("snaps");
    // 3 by 3: pieces 141 by 118, halves 70 and 59.
    QTest::newRow("on the slot") << QPoint(0, 0) << true;
    QTest::newRow("just inside both halves") << QPoint(69, -58) << true;
    QTest::newRow("half a width away does not snap") << QPoint(-70, 0) << false;
    QTest::newRow("half a height away does not snap") << QPoint(0, 59) << false;
}

void TestPuzzleGames::snapping() {
    QFETCH(QPoint, offset);
    QFETCH(bool, snaps);
    platform::RandomSource rng(3);
    PuzzleGame g;
    g.start(rng);
    const QPoint slot = g.cut().targets[4];
    QCOMPARE(g.drop(5, slot + offset),
             snaps ? PuzzleGame::Drop::Snapped : PuzzleGame::Drop::Returned);
    QCOMPARE(g.score(), snaps ? 10 : 0);
    QCOMPARE(g.piecesLeft(), snaps ? 8 : 9);
    QCOMPARE(g.canDrag(5), !snaps);
    QCOMPARE(g.drop(5, slot), snaps ? PuzzleGame::Drop::Ignored : PuzzleGame::Drop::Snapped);
}

void TestPuzzleGames::stageBonus_data() {
    QTest::addColumn<int>("ticksOnThird");
    QTest::addColumn<int>("bonus");
    QTest::newRow("50 seconds left pay 50") << 250 << 50;
    QTest::newRow("49 seconds left pay nothing") << 251 << 0;
}

void TestPuzzleGames::stageBonus() {
    QFETCH(int, ticksOnThird);
    QFETCH(int, bonus);
    platform::RandomSource rng(5);
    PuzzleGame g;
    g.start(rng);
    auto solve = [&g] {
        for (int k = 1; k <= g.cut().count(); ++k)
            g.drop(k, g.cut().targets[static_cast<size_t>(k - 1)]);
    };
    solve();
    QCOMPARE(g.nextPicture(rng), PuzzleGame::Bonus::None);
    solve();
    QCOMPARE(g.nextPicture(rng), PuzzleGame::Bonus::None);
    QCOMPARE(g.stage(), 1);
    for (int i = 0; i < ticksOnThird; ++i)
        g.tick();
    solve();
    QCOMPARE(g.score(), 270);
    QCOMPARE(g.nextPicture(rng), bonus ? PuzzleGame::Bonus::Paid : PuzzleGame::Bonus::Missed);
    QCOMPARE(g.score(), 270 + bonus);
    QCOMPARE(g.stage(), 2);
    QCOMPARE(g.secondsLeft(), 250);
    // The bonus is paid once per stage.
    solve();
    QCOMPARE(g.nextPicture(rng), PuzzleGame::Bonus::None);
}

void TestPuzzleGames::puzzleEnds() {
    platform::RandomSource rng(11);
    PuzzleGame g;
    g.start(rng);
    PuzzleGame::Drop last = PuzzleGame::Drop::Ignored;
    for (int pic = 1; pic <= kPuzzlePictures; ++pic) {
        QCOMPARE(g.picture(), pic);
        for (int k = 1; k <= g.cut().count(); ++k)
            last = g.drop(k, g.cut().targets[static_cast<size_t>(k - 1)]);
        if (last == PuzzleGame::Drop::PictureDone)
            g.nextPicture(rng);
    }
    QCOMPARE(last, PuzzleGame::Drop::GameDone);
    QCOMPARE(g.stage(), 4);
    QVERIFY(!g.clockRunning() && g.saveable());
    g.newGrid(rng);
    QVERIFY(g.clockRunning());
    QCOMPARE(g.picture(), kPuzzlePictures);
    const QSet<QString> grids{"3×3", "3×4", "4×4", "4×5"};
    QVERIFY(grids.contains(gridText(g.cut().grid)));
    const int seconds = g.secondsLeft();
    for (int i = 0; i <= seconds; ++i)
        g.tick();
    QCOMPARE(g.phase(), PuzzleGame::Phase::TimedOut);
    QVERIFY(!g.saveable());
}

QTEST_GUILESS_MAIN(TestPuzzleGames)
#include "tst_puzzlegames.moc"

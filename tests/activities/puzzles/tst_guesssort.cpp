// Guess the number (draws, judging, refusals, limits, clock), sorting into classes
// (draws, picks, check) and the colouring movie navigation.
#include "activities/common/PictureCatalogue.h"
#include "activities/puzzles/GflRules.h"
#include "activities/puzzles/GuessNumberRules.h"
#include "activities/puzzles/TysRules.h"

#include <QSet>
#include <QtTest>
#include <algorithm>

using namespace puzzles;

namespace {
// Walks every sequence of answers a half-open range source can give.
struct EveryBranch {
    std::vector<int> choice, size;
    size_t depth = 0;
    int random(int from, int to) {
        const int n = std::max(to - from, 1);
        if (depth == choice.size()) {
            choice.push_back(0);
            size.push_back(n);
        }
        return from + choice[depth++];
    }
    bool advance() {
        choice.resize(depth);
        size.resize(depth);
        depth = 0;
        while (!choice.empty()) {
            if (++choice.back() < size.back())
                return true;
            choice.pop_back();
            size.pop_back();
        }
        return false;
    }
};

void guess(GuessGame& g, const char* digits) {
    for (const char* c = digits; *c; ++c)
        g.enterDigit(*c - '0');
}
} // namespace

class TestGuessSort : public QObject {
    Q_OBJECT
private slots:
    void everyDrawIsFourDistinctDigits();
    void judging_data();
    void judging();
    void refusals();
    void sixteenGuesses_data();
    void sixteenGuesses();
    void clockStopsAtTwentyMinutes();
    void cursorAndEndedGame();
    void sortDraws();
    void sortPicks();
    void sortCheck();
    void colouringNavigation();
};

void TestGuessSort::everyDrawIsFourDistinctDigits() {
    QSet<int> sets;
    EveryBranch walk;
    do {
        const Digits d = drawSorted(walk);
        QVERIFY2(0 <= d[0] && d[0] < d[1] && d[1] < d[2] && d[2] < d[3] && d[3] <= 9,
                 qPrintable(QStringLiteral("%1%2%3%4").arg(d[0]).arg(d[1]).arg(d[2]).arg(d[3])));
        sets.insert(d[0] * 1000 + d[1] * 100 + d[2] * 10 + d[3]);
    } while (walk.advance());
    QCOMPARE(sets.size(), 210);
    for (int k = 0; k < 6; ++k) {
        Digits p = placeDigits({1, 2, 3, 4}, k);
        std::sort(p.begin(), p.end());
        QCOMPARE(p, (Digits{1, 2, 3, 4}));
    }
}

void TestGuessSort::judging_data() {
    QTest::addColumn<QString>("digits");
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::newRow("two placed two swapped") << "1243" << 2 << 2;
    QTest::newRow("all swapped") << "4321" << 0 << 4;
    QTest::newRow("none") << "5678" << 0 << 0;
    QTest::newRow("one placed one elsewhere") << "1572" << 1 << 1;
    QTest::newRow("won") << "1234" << 4 << 0;
}

void TestGuessSort::judging() {
    QFETCH(QString, digits);
    QFETCH(int, a);
    QFETCH(int, b);
    Digits g{};
    for (int i = 0; i < 4; ++i)
        g[static_cast<size_t>(i)] = digits[i].digitValue();
    const Judgement j = judge({1, 2, 3, 4}, g);
    QCOMPARE(j.a, a);
    QCOMPARE(j.b, b);
}

void TestGuessSort::refusals() {
    GuessGame g;
    g.newGame({5, 1, 7, 2});
    guess(g, "517");
    QCOMPARE(g.submit(), GuessGame::Submit::EmptyBox);
    QCOMPARE(g.enterKey(), GuessGame::Submit::Ignored);
    QCOMPARE(g.cursor(), 4);
    guess(g, "5");
    QCOMPARE(g.submit(), GuessGame::Submit::Repeated);
    QCOMPARE(g.cursor(), 1);
    QVERIFY(g.history().isEmpty());
    g.clearBoxes();
    guess(g, "0123");
    QCOMPARE(g.enterKey(), GuessGame::Submit::Wrong);
    guess(g, "0123");
    QCOMPARE(g.submit(), GuessGame::Submit::Wrong);
    QCOMPARE(g.history(), (QStringList{"第1次：0123判断：1A1B", "第2次：0123判断：1A1B"}));
}

void TestGuessSort::sixteenGuesses_data() {
    QTest::addColumn<QString>("last");
    QTest::addColumn<int>("outcome");
    QTest::newRow("sixteenth right wins") << "5172" << int(GuessGame::Submit::Won);
    QTest::newRow("sixteenth wrong ends") << "5127" << int(GuessGame::Submit::LimitReached);
}

void TestGuessSort::sixteenGuesses() {
    QFETCH(QString, last);
    QFETCH(int, outcome);
    GuessGame g;
    g.newGame({5, 1, 7, 2});
    for (int i = 0; i < 15; ++i) {
        guess(g, "9876");
        QCOMPARE(g.submit(), GuessGame::Submit::Wrong);
    }
    guess(g, last.toLatin1().constData());
    QCOMPARE(int(g.submit()), outcome);
    QVERIFY(!g.running());
    QCOMPARE(g.history().size(), 16);
    QCOMPARE(g.showAnswer(), GuessGame::Answer::NotRunning);
}

void TestGuessSort::clockStopsAtTwentyMinutes() {
    GuessGame g;
    g.newGame({0, 1, 2, 3});
    for (int i = 0; i < 725; ++i)
        QCOMPARE(g.tick(), GuessGame::Tick::Counted);
    QCOMPARE(g.timeText(), QStringLiteral("12分5秒"));
    for (int i = 725; i < 1200; ++i)
        g.tick();
    QCOMPARE(g.timeText(), QStringLiteral("20分0秒"));
    QVERIFY(g.running());
    QCOMPARE(g.tick(), GuessGame::Tick::TimeUpUnsolved);
    QCOMPARE(g.timeText(), QStringLiteral("20分0秒"));
    QCOMPARE(g.tick(), GuessGame::Tick::Ignored);
    QCOMPARE(g.timeText(), QStringLiteral("20分0秒"));
}

void TestGuessSort::cursorAndEndedGame() {
    GuessGame g;
    g.newGame({0, 1, 2, 3});
    g.setAutoAdvance(false);
    guess(g, "7");
    QCOMPARE(g.cursor(), 1);
    g.setAutoAdvance(true);
    g.selectBox(4);
    guess(g, "8");
    QCOMPARE(g.cursor(), 1);
    QCOMPARE(g.showAnswer(), GuessGame::Answer::Unsolved);
    QVERIFY(!g.enterDigit(5));
    QCOMPARE(g.submit(), GuessGame::Submit::Ignored);
    QCOMPARE(g.boxText(), QStringLiteral("78"));
    g.clearBoxes();
    QCOMPARE(g.boxText(), QString());
}

void TestGuessSort::sortDraws() {
    platform::RandomSource rng(1);
    for (int i = 0; i < 3000; ++i) {
        const auto rows = drawSortBoard(rng, 1);
        QCOMPARE(QSet<int>(rows.begin(), rows.end()).size(), kSortPictures);
        QVERIFY(rows[0] < 65 && rows[1] >= 66 && rows[1] < 100 && rows[2] >= 131);
        QVERIFY(*std::max_element(rows.begin(), rows.end()) <= 228);
        QVERIFY(std::count_if(rows.begin(), rows.end(),
                              [](int r) { return lookRecClass(r) == 1; }) <= kSortMaxPicks);
    }
}

void TestGuessSort::sortPicks() {
    SortRound r;
    r.newQuestion({0, 70, 140, 1, 2, 3, 75, 80, 90, 150, 160, 200}, 1);
    for (int pic = 1; pic <= 6; ++pic)
        QCOMPARE(r.pick(pic), SortRound::Pick::Selected);
    QCOMPARE(r.pick(7), SortRound::Pick::Full);
    QVERIFY(!r.ticked(7));
    QCOMPARE(r.pick(2), SortRound::Pick::Unselected);
    QCOMPARE(r.trayPicture(2), 0);
    QCOMPARE(r.pick(7), SortRound::Pick::Selected);
    QCOMPARE(r.trayPicture(2), 7);
    QCOMPARE(r.traySlotOf(6), 6);
    QCOMPARE(r.selected(), 6);
}

void TestGuessSort::sortCheck() {
    SortRound r;
    r.newQuestion({0, 70, 140, 1, 2, 3, 75, 80, 90, 150, 160, 200}, 1);
    for (int pic : {1, 4, 5, 6})
        r.pick(pic);
    r.tick();
    QCOMPARE(r.seconds(), 1);
    QVERIFY(r.check());
    r.newQuestion({0, 70, 140, 1, 2, 3, 75, 80, 90, 150, 160, 200}, 1);
    r.pick(1);
    r.pick(2);
    QVERIFY(!r.check());
    for (int pic = 1; pic <= 12; ++pic)
        QCOMPARE(r.ticked(pic), pic == 1 || (pic >= 4 && pic <= 6));
    QVERIFY(!r.open());
    QCOMPARE(r.pick(3), SortRound::Pick::Ignored);
    QCOMPARE(r.count(), 2);
    QCOMPARE(r.right(), 1);
    QCOMPARE(r.wrong(), 1);
}

void TestGuessSort::colouringNavigation() {
    ColouringNavigator nav(4);
    QVERIFY(!nav.previous());
    QVERIFY(nav.next());
    QCOMPARE(ColouringNavigator::resourceName(nav.current()), QStringLiteral("tys2"));
    QVERIFY(!nav.choose(0));
    QVERIFY(nav.choose(4));
    QVERIFY(!nav.next());
    QCOMPARE(nav.current(), 4);
    int withMovie = 0;
    for (const ColouringTitle& t : kColouringTitles)
        if (t.movie) {
            QCOMPARE(t.movie, t.label - 15);
            ++withMovie;
        }
    QCOMPARE(withMovie, 4);
}

QTEST_GUILESS_MAIN(TestGuessSort)
#include "tst_guesssort.moc"

// Rules of the keyboard game: keys, the per-tick miss, the status text and the
// choice of the explosion player.
#include "activities/language/ABCKeyboardRules.h"

#include <QSet>
#include <QtTest>

using namespace language;

class TestAbcKeyboardRules : public QObject {
    Q_OBJECT
private slots:
    void keys_data();
    void keys();
    void sameCharacterHitsFirstOnly();
    void missCountedOncePerTick();
    void startPlacesInRanges();
    void statusText();
    void explosionPlayer_data();
    void explosionPlayer();
    void everyRangeOfEveryLabel_data();
    void everyRangeOfEveryLabel();
    void explosionEnds_data();
    void explosionEnds();
};

namespace {
// A game whose characters are all far above the screen but the ones a test sets.
void clear(KeyboardGame& g) {
    for (int i = 0; i < kFallerCount; ++i)
        g.faller(i) = Faller{QChar(u'#'), 0, -1000, 1};
}
} // namespace

void TestAbcKeyboardRules::keys_data() {
    QTest::addColumn<QChar>("typed");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("result");
    QTest::newRow("small a hits falling A") << QChar(u'a') << 100 << int(KeyboardGame::Key::Hit);
    QTest::newRow("full stop ignored") << QChar(u'.') << 100 << int(KeyboardGame::Key::Ignored);
    QTest::newRow("above reach is a miss") << QChar(u'A') << -60 << int(KeyboardGame::Key::Missed);
    QTest::newRow("at -49 in reach") << QChar(u'A') << -49 << int(KeyboardGame::Key::Hit);
    QTest::newRow("other letter misses") << QChar(u'b') << 100 << int(KeyboardGame::Key::Missed);
}

void TestAbcKeyboardRules::keys() {
    QFETCH(QChar, typed);
    QFETCH(int, top);
    QFETCH(int, result);
    platform::RandomSource rng(7);
    KeyboardGame g(rng);
    g.start(1024);
    clear(g);
    g.faller(4) = Faller{QChar(u'A'), 300, top, 2};
    const auto r = g.key(typed);
    QCOMPARE(int(r.kind), result);
    const bool counted = r.kind != KeyboardGame::Key::Ignored;
    QCOMPARE(g.total(), counted ? 1 : 0);
    QCOMPARE(g.right(), r.kind == KeyboardGame::Key::Hit ? 1 : 0);
    QCOMPARE(g.missed(), r.kind == KeyboardGame::Key::Missed ? 1 : 0);
    if (r.kind == KeyboardGame::Key::Hit) {
        QCOMPARE(r.index, 4);
        QCOMPARE(r.left, 300);
        QCOMPARE(r.top, top);
        QVERIFY(g.faller(4).top >= -250 && g.faller(4).top < -80); // after-a-hit range
    }
}

void TestAbcKeyboardRules::sameCharacterHitsFirstOnly() {
    platform::RandomSource rng(3);
    KeyboardGame g(rng);
    g.start(1024);
    clear(g);
    g.faller(2) = Faller{QChar(u'7'), 10, 200, 1};
    g.faller(6) = Faller{QChar(u'7'), 500, 300, 1};
    QCOMPARE(g.key(QChar(u'7')).index, 2);
    QCOMPARE(g.faller(6).top, 300);
}

void TestAbcKeyboardRules::missCountedOncePerTick() {
    platform::RandomSource rng(11);
    KeyboardGame g(rng);
    g.start(1024);
    clear(g);
    g.faller(0) = Faller{QChar(u'A'), 0, 700, 2};
    g.faller(8) = Faller{QChar(u'B'), 0, 720, 2};
    g.faller(3) = Faller{QChar(u'C'), 0, 690, 2};
    QVERIFY(g.tick(700));
    QCOMPARE(g.total(), 1);
    QCOMPARE(g.missed(), 1);
    // Both start again inside their after-a-miss ranges and then fall one step.
    const int top0 = g.faller(0).top - g.faller(0).speed;
    const int top8 = g.faller(8).top - g.faller(8).speed;
    QVERIFY(top0 >= -350 && top0 < -250);
    QVERIFY(top8 >= -550 && top8 < -420);
    QCOMPARE(g.faller(3).top, 692);
    QVERIFY(!g.tick(800));
}

void TestAbcKeyboardRules::startPlacesInRanges() {
    // One seed per game: the eleven characters of a start differ.
    for (uint32_t seed = 1; seed <= 30; ++seed) {
        platform::RandomSource rng(seed);
        KeyboardGame g(rng);
        g.start(1000);
        QSet<int> lefts;
        for (const Faller& f : g.fallers()) {
            QVERIFY(f.left >= 0 && f.left < 920);
            QVERIFY(f.speed == 1 || f.speed == 2);
            QVERIFY(f.top >= -550 && f.top < -80);
            QVERIFY(f.ch.isLetterOrNumber() && !f.ch.isLower());
            lefts.insert(f.left);
        }
        QVERIFY(lefts.size() > 1);
    }
}

void TestAbcKeyboardRules::statusText() {
    platform::RandomSource rng(5);
    KeyboardGame g(rng);
    g.start(1024);
    clear(g);
    g.faller(0) = Faller{QChar(u'Q'), 0, 100, 1};
    g.faller(1) = Faller{QChar(u'W'), 0, 100, 1};
    g.key(QChar(u'q'));
    g.key(QChar(u'w'));
    g.key(QChar(u'z'));
    QCOMPARE(g.statusText(),
             QStringLiteral("已经输入的总字母数：[3]个，未打中字母数：[1]个，正确率：【66%】"));
}

void TestAbcKeyboardRules::explosionPlayer_data() {
    QTest::addColumn<bool>("first");
    QTest::addColumn<bool>("second");
    QTest::addColumn<int>("player");
    QTest::newRow("first free") << false << true << 0;
    QTest::newRow("first playing takes second") << true << false << 1;
    QTest::newRow("both playing take third") << true << true << 2;
}

void TestAbcKeyboardRules::explosionPlayer() {
    QFETCH(bool, first);
    QFETCH(bool, second);
    QFETCH(int, player);
    QCOMPARE(language::explosionPlayer(first, second), player);
}

void TestAbcKeyboardRules::everyRangeOfEveryLabel_data() {
    QTest::addColumn<int>("label");
    QTest::addColumn<int>("when"); // 0 game start, 1 after a miss, 2 after a hit
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    // Per label: start, after a miss, after a hit (half-open ranges).
    const int table[kFallerCount][3][2] = {
        {{-450, -280}, {-350, -250}, {-250, -80}},  {{-350, -180}, {-250, -80}, {-250, -80}},
        {{-450, -300}, {-550, -380}, {-250, -80}},  {{-350, -200}, {-450, -280}, {-250, -80}},
        {{-250, -80}, {-350, -250}, {-250, -80}},   {{-550, -400}, {-250, -80}, {-250, -80}},
        {{-500, -350}, {-250, -180}, {-250, -80}},  {{-250, -80}, {-250, -80}, {-250, -80}},
        {{-250, -80}, {-550, -420}, {-250, -80}},   {{-310, -150}, {-310, -120}, {-310, -120}},
        {{-300, -220}, {-300, -220}, {-300, -220}},
    };
    const char* when[] = {"start", "after a miss", "after a hit"};
    for (int k = 0; k < kFallerCount; ++k)
        for (int w = 0; w < 3; ++w)
            QTest::addRow("lbl%d %s", k + 1, when[w]) << k << w << table[k][w][0] << table[k][w][1];
}

void TestAbcKeyboardRules::everyRangeOfEveryLabel() {
    QFETCH(int, label);
    QFETCH(int, when);
    QFETCH(int, from);
    QFETCH(int, to);
    // Over many games every drawn Top lies in the range, and the draws reach both ends
    // of it (a neighbour's range, shifted or swapped, would miss one of them).
    int low = 100000, high = -100000;
    for (uint32_t seed = 1; seed <= 600; ++seed) {
        platform::RandomSource rng(seed);
        KeyboardGame g(rng);
        g.start(1024);
        int top = g.faller(label).top;
        if (when == 1) {
            clear(g);
            g.faller(label).top = 700;
            QVERIFY(g.tick(700));
            top = g.faller(label).top - g.faller(label).speed; // it fell once since
        } else if (when == 2) {
            clear(g);
            g.faller(label) = Faller{QChar(u'K'), 10, 100, 1};
            QCOMPARE(int(g.key(QChar(u'k')).kind), int(KeyboardGame::Key::Hit));
            top = g.faller(label).top;
        }
        QVERIFY2(top >= from && top < to, qPrintable(QString::number(top)));
        low = std::min(low, top);
        high = std::max(high, top);
    }
    const int slack = std::max(2, (to - from) / 8);
    QVERIFY2(low < from + slack, qPrintable(QString::number(low)));
    QVERIFY2(high >= to - slack, qPrintable(QString::number(high)));
}

void TestAbcKeyboardRules::explosionEnds_data() {
    QTest::addColumn<QString>("states");  // the player at each tick: P playing, s stopped
    QTest::addColumn<int>("hiddenAfter"); // ticks until hidden; 0: still shown at the end
    QTest::newRow("plays to its end, then hides") << "sPPPPs" << 6;
    QTest::newRow("reports playing late: waits for it") << "sssPPs" << 6;
    QTest::newRow("still playing: stays") << "PPPP" << 0;
    QTest::newRow("never starts: hidden after the wait")
        << QString(Explosion::kWaitTicks, QLatin1Char('s')) << Explosion::kWaitTicks;
    QTest::newRow("never reports its end: hidden the longest an explosion takes after its start")
        << QString(Explosion::kMostTicks + 5, QLatin1Char('P')) << Explosion::kMostTicks + 1;
    // A player woken from rest reports its first frame a second after the hit: the burst
    // still plays whole (40 ticks) once it has started.
    QTest::newRow("first frame a second late: plays whole")
        << QString(26, QLatin1Char('s')) + QString(40, QLatin1Char('P')) + QLatin1Char('s') << 67;
}

void TestAbcKeyboardRules::explosionEnds() {
    QFETCH(QString, states);
    QFETCH(int, hiddenAfter);
    Explosion e;
    QVERIFY(!e.shown());
    e.start();
    int hidden = 0;
    for (int t = 0; t < states.size() && !hidden; ++t)
        if (!e.tick(states[t] == QLatin1Char('P')))
            hidden = t + 1;
    QCOMPARE(hidden, hiddenAfter);
    QCOMPARE(e.shown(), hiddenAfter == 0);
}

QTEST_GUILESS_MAIN(TestAbcKeyboardRules)
#include "tst_abckeyboardrules.moc"

// The number pair game: boards, the click rules, the clock and the window's messages.
#include "MathFormTest.h"
#include "activities/math/NumGameRules.h"
#include "activities/math/UNumGame.h"
#include "app/FormRegistry.h"
#include "widgets/FlatButtons.h"

#include <set>

class TestUNumGame : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void boards_data();
    void boards();
    void differenceTenInLevelOne();
    void sumBoardsAlwaysClear();
    void clickRules();
    void clockText_data();
    void clockText();
    void playingThroughWins();
    void restartAsksFirst();

private:
    void start();
    // The cell paired with a cell of the running board when it was laid out.
    int partnerOnBoard(int cell) const;
    std::unique_ptr<mathtest::Harness> h_;
    Tfrmnumgame* f_ = nullptr;
};

void TestUNumGame::initTestCase() {
    h_ = std::make_unique<mathtest::Harness>();
    f_ = qobject_cast<Tfrmnumgame*>(openLazy(QStringLiteral("Tfrmnumgame")));
    QVERIFY(f_);
}

void TestUNumGame::cleanupTestCase() {
    delete f_;
    h_.reset();
}

void TestUNumGame::init() {
    h_->sounds.clear();
    h_->recorder->clear();
}

void TestUNumGame::start() {
    if (f_->Timer1->Enabled())
        h_->recorder->queueAnswer(platform::IDYES);
    f_->imgnextClick();
}

int TestUNumGame::partnerOnBoard(int cell) const {
    const math::PairBoard& b = f_->game().board();
    return b.partner(cell / b.cols + 1, cell % b.cols + 1);
}

void TestUNumGame::boards_data() {
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("mode");
    for (int level = 0; level < 3; ++level)
        for (int mode = 0; mode < 2; ++mode)
            QTest::addRow("level %d %s", level + 1, mode ? "difference" : "sum") << level << mode;
}

void TestUNumGame::boards() {
    QFETCH(int, level);
    QFETCH(int, mode);
    const math::PairLevel& lv = math::pairLevel(level);
    const auto pm = static_cast<math::PairMode>(mode);
    platform::RandomSource rng;
    for (uint32_t seed = 0; seed < 300; ++seed) {
        rng.seed(seed);
        const int target = math::drawTarget(rng, lv, pm);
        QVERIFY(target >= (mode ? lv.diffFrom : lv.sumFrom));
        QVERIFY(target < (mode ? lv.diffTo : lv.sumTo));
        const math::PairBoard b = math::buildBoard(rng, lv, pm, target);
        QCOMPARE(static_cast<int>(b.values.size()), 2 * lv.pairCount);
        std::set<std::pair<int, int>> places;
        for (int r = 1; r <= b.rows; ++r)
            for (int c = 1; c <= b.cols; ++c) {
                const int i = b.index(r, c), p = b.partner(r, c);
                QVERIFY(p != i);
                QCOMPARE(b.partner(b.rows + 1 - r, b.cols + 1 - c), i);
                const int x = b.values[static_cast<size_t>(i)],
                          y = b.values[static_cast<size_t>(p)];
                QVERIFY(x >= 0 && x <= lv.maxValue);
                QVERIFY(math::fits(pm, target, x, y));
                const QPoint at = b.positions[static_cast<size_t>(i)];
                places.insert({at.x(), at.y()});
                QCOMPARE((at.x() - 1) % (lv.cell.width() - 1), 0);
                QCOMPARE((at.y() - 1) % (lv.cell.height() - 1), 0);
                QVERIFY((at.x() - 1) / (lv.cell.width() - 1) < b.cols);
                QVERIFY((at.y() - 1) / (lv.cell.height() - 1) < b.rows);
            }
        QCOMPARE(static_cast<int>(places.size()), 2 * lv.pairCount); // no two cells overlap
    }
}

void TestUNumGame::differenceTenInLevelOne() {
    platform::RandomSource rng(1);
    const math::PairBoard b =
        math::buildBoard(rng, math::pairLevel(0), math::PairMode::Difference, 10);
    for (int v : b.values)
        QVERIFY(v == 0 || v == 10);
}

void TestUNumGame::sumBoardsAlwaysClear() {
    platform::RandomSource rng;
    for (uint32_t seed = 0; seed < 200; ++seed) {
        rng.seed(seed);
        const math::PairLevel& lv = math::pairLevel(static_cast<int>(seed % 3));
        const int target = math::drawTarget(rng, lv, math::PairMode::Sum);
        math::PairGame g;
        g.start(math::buildBoard(rng, lv, math::PairMode::Sum, target), math::PairMode::Sum, target,
                lv.pairCount);
        // Whatever fitting pair is taken, the rest can still be cleared.
        const auto& v = g.board().values;
        for (int round = 0; round < lv.pairCount; ++round) {
            int a = -1, b = -1;
            for (int i = static_cast<int>(v.size()) - 1; i >= 0 && b < 0; --i)
                for (int j = 0; j < i && b < 0; ++j)
                    if (g.visible(i) && g.visible(j) && v[size_t(i)] + v[size_t(j)] == target) {
                        a = i;
                        b = j;
                    }
            QVERIFY(b >= 0);
            QCOMPARE(g.click(a), math::PairGame::Click::Selected);
            const auto result = g.click(b);
            QVERIFY(result == math::PairGame::Click::Removed ||
                    result == math::PairGame::Click::Won);
        }
        QVERIFY(!g.running());
        QCOMPARE(g.foundPairs(), lv.pairCount);
    }
}

void TestUNumGame::clickRules() {
    math::PairBoard b;
    b.rows = 2;
    b.cols = 2;
    b.values = {3, 5, 5, 7};
    b.positions.assign(4, QPoint());
    math::PairGame g;
    g.start(b, math::PairMode::Sum, 10, 2);
    using C = math::PairGame::Click;
    QCOMPARE(g.click(0), C::Selected);
    QCOMPARE(g.click(0), C::Ignored); // the selected cell stays selected
    QCOMPARE(g.selected(), 0);
    QCOMPARE(g.click(1), C::Mismatch); // 3 + 5: the selection moves, nothing goes
    QCOMPARE(g.selected(), 1);
    QVERIFY(g.visible(0) && g.visible(1));
    QCOMPARE(g.click(2), C::Removed); // 5 + 5
    QVERIFY(!g.visible(1) && !g.visible(2));
    QCOMPARE(g.selected(), -1);
    QCOMPARE(g.click(1), C::Ignored); // gone
    QCOMPARE(g.click(0), C::Selected);
    QCOMPARE(g.click(3), C::Won);
    QVERIFY(!g.running());
    QCOMPARE(g.click(0), C::Ignored);
    // The time limit ends a game.
    g.start(b, math::PairMode::Sum, 10, 2);
    for (int i = 1; i < math::PairGame::kTimeLimit; ++i)
        QVERIFY(!g.tick());
    QVERIFY(g.tick());
    QCOMPARE(g.seconds(), 1800);
    QVERIFY(!g.running());
    QCOMPARE(g.click(0), C::Ignored);
}

void TestUNumGame::clockText_data() {
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("start") << 0 << "00:00";
    QTest::newRow("59 s") << 59 << "00:59";
    QTest::newRow("a minute") << 60 << "01:00";
    QTest::newRow("time up") << 1800 << "30:00";
}

void TestUNumGame::clockText() {
    QFETCH(int, seconds);
    QFETCH(QString, text);
    QCOMPARE(math::gameClockText(seconds), text);
}

void TestUNumGame::playingThroughWins() {
    start();
    const math::PairGame& g = f_->game();
    const bool sum = g.mode() == math::PairMode::Sum;
    const QString n = QString::number(g.target());
    QCOMPARE(f_->lblstate->text(), (sum ? "数字和为：" : "数字差为：") + n);
    QCOMPARE(h_->boxes().last(),
             QString("游戏正式开始！|你这次要拼的两个数字之%1是%2！|64").arg(sum ? "和" : "差", n));
    QCOMPARE(f_->boardCell(0)->Caption(), QString::number(g.board().values[0]));
    h_->sounds.clear();
    h_->recorder->clear();
    // A wrong pair first (when there is one): nothing goes, the selection moves.
    const auto& v = g.board().values;
    for (int i = 1; i < static_cast<int>(v.size()); ++i) {
        if (!math::fits(g.mode(), g.target(), v[0], v[size_t(i)])) {
            f_->CellClick(f_->boardCell(0));
            QCOMPARE(f_->boardCell(0)->Color(), Tfrmnumgame::kSelected);
            f_->CellClick(f_->boardCell(i));
            QCOMPARE(f_->boardCell(0)->Color(), Tfrmnumgame::kFace);
            QCOMPARE(f_->boardCell(i)->Color(), Tfrmnumgame::kSelected);
            QCOMPARE(h_->sounds, QStringList{"DATA\\bgsnd\\wrong.WAV"});
            h_->sounds.clear();
            break;
        }
    }
    // Then every pair as it was laid out, starting with the selected cell's partner.
    if (g.selected() >= 0)
        f_->CellClick(f_->boardCell(partnerOnBoard(g.selected())));
    for (int a = 0; a < static_cast<int>(v.size()); ++a) {
        if (!g.visible(a))
            continue;
        const int b = partnerOnBoard(a);
        f_->CellClick(f_->boardCell(a));
        f_->CellClick(f_->boardCell(b));
        QVERIFY(f_->boardCell(a)->isHidden() && f_->boardCell(b)->isHidden());
    }
    QVERIFY(!f_->Timer1->Enabled());
    QCOMPARE(h_->sounds.count("DATA\\bgsnd\\right.WAV"), 10);
    QCOMPARE(h_->sounds.back(), QString("DATA\\bgsnd\\good.WAV"));
    QCOMPARE(h_->boxes(),
             QStringList{"你赢了！|恭喜你赢得本次游戏，如果要继续，请点击“开始”按钮！|64"});
}

void TestUNumGame::restartAsksFirst() {
    f_->imgnextClick();
    const std::vector<int> values = f_->game().board().values;
    h_->recorder->clear();
    h_->recorder->queueAnswer(platform::IDNO);
    f_->imgnextClick();
    QCOMPARE(h_->boxes(), QStringList{"重新来一局？|你真的想取消当前的游戏并重启开始吗？|36"});
    QVERIFY(f_->game().board().values == values);
    QVERIFY(f_->Timer1->Enabled());
    // Time up: the box, and the board takes no more clicks.
    h_->recorder->clear();
    for (int i = 0; i < 1800; ++i)
        emit f_->Timer1->OnTimer();
    QCOMPARE(f_->lbltime->text(), QString("30:00"));
    QVERIFY(!f_->Timer1->Enabled());
    QCOMPARE(h_->boxes(), QStringList{"游戏时间到！|游戏时间到!\r小朋友，要加油噢！|32"});
    f_->CellClick(f_->boardCell(0));
    QCOMPARE(f_->game().selected(), -1);
    // Closing leaves the game idle.
    f_->imgexitClick();
    QCOMPARE(f_->lblstate->text() + f_->lbltime->text(), QString("请点击“开始”按钮00:00"));
    f_->Show();
    QVERIFY(f_->boardCell(0)->isHidden());
}

QTEST_MAIN(TestUNumGame)
#include "tst_unumgame.moc"

// The two arithmetic drills: the questions each draws (invariants over seeds), the
// answer overlay, and the drill window they share, once per drill: answering, the
// pause, skipping, the range or operation buttons, the clock and the help; then what only
// the addition and subtraction drill has: counting pictures acting out a question, the game.
#include "MathFormTest.h"
#include "activities/math/ArithDrillForm.h"
#include "activities/math/CcfRules.h"
#include "activities/math/JJFRules.h"
#include "activities/math/UJJF.h"
#include "app/FormRegistry.h"
#include "platform/Gbk.h"
#include "widgets/TFlatRadioButtonUnit.h"

#include <QLabel>
#include <QRegularExpression>
#include <QSet>
#include <set>

namespace {

// A question of one mode: "10", "20", "100" (addition and subtraction) or "×", "÷".
math::DrillQuestion draw(platform::RandomSource& rng, const QString& mode) {
    if (mode == "×" || mode == "÷")
        return math::makeMulDivQuestion(rng, mode == "×").q;
    return math::makeAddSubQuestion(rng, mode.toInt()).q;
}

// Puts the answer into the blank and evaluates "x op y＝z"; division must come out even.
bool holds(const QString& line, int answer) {
    static const QRegularExpression re(QStringLiteral("^(\\d+)([＋－×÷])(\\d+)＝(\\d+)$"));
    const auto m = re.match(QString(line).replace(math::kBlank, QString::number(answer)));
    if (!m.hasMatch())
        return false;
    const int x = m.captured(1).toInt(), y = m.captured(3).toInt(), z = m.captured(4).toInt();
    const QString op = m.captured(2);
    if (op == "＋")
        return x + y == z;
    if (op == "－")
        return x - y == z;
    if (op == "×")
        return x * y == z;
    return y != 0 && x == y * z;
}

} // namespace

class TestArithDrill : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void questionsHold_data();
    void questionsHold();
    void overlay_data();
    void overlay();
    void drills_data();
    void answering_data();
    void answering();
    void modeButtons_data() { drills_data(); }
    void modeButtons();
    void showResetsAndHelp_data() { drills_data(); }
    void showResetsAndHelp();
    // Only the addition and subtraction drill: the row of counting pictures, the game.
    void pictureRowSizes_data();
    void pictureRowSizes();
    void picturesActOutTheQuestion();
    void gameOpensBesideTheDrill();
    void answerSitsInsideTheBlank_data() { drills_data(); }
    void answerSitsInsideTheBlank();

private:
    // The drill of the row, freshly shown.
    TArithDrillForm* open();
    QString text(const char* label) const { return f_->findChild<QLabel*>(label)->text(); }
    QString counters() const { return text("lbltotal") + text("lblright") + text("lblwrong"); }
    void click(bool right) {
        static const QStringList names = {"imga", "imgb", "imgc", "imgd"};
        const int k = f_->question().answers.right;
        emit f_->findChild<TImage*>(names[right ? k : (k + 1) % 4])->OnClick();
    }
    std::unique_ptr<mathtest::Harness> h_;
    TArithDrillForm* f_ = nullptr;
};

void TestArithDrill::initTestCase() {
    h_ = std::make_unique<mathtest::Harness>();
}

void TestArithDrill::cleanupTestCase() {
    for (const char* name : {"Tfrmkjb", "Tfrmnumgame", "Tfrmjjf", "Tfrmccf"})
        delete FormRegistry::find(name)->instance();
    h_.reset();
}

void TestArithDrill::init() {
    h_->sounds.clear();
    h_->recorder->clear();
}

TArithDrillForm* TestArithDrill::open() {
    QFETCH(QString, cls);
    if (QWidget* w = FormRegistry::find(cls)->instance())
        w->close();
    f_ = qobject_cast<TArithDrillForm*>(openLazy(cls));
    h_->sounds.clear();
    return f_;
}

void TestArithDrill::questionsHold_data() {
    QTest::addColumn<QString>("mode");
    QTest::newRow("add and subtract up to 10") << "10";
    QTest::newRow("add and subtract up to 20") << "20";
    QTest::newRow("add and subtract up to 100") << "100";
    QTest::newRow("multiply") << "×";
    QTest::newRow("divide") << "÷";
}

void TestArithDrill::questionsHold() {
    QFETCH(QString, mode);
    const bool addSub = mode.toInt() > 0;
    const int range = addSub ? mode.toInt() : 100;
    platform::RandomSource rng;
    std::set<int> layouts, answers;
    bool dividendAnswer = false;
    for (uint32_t seed = 0; seed < 4000; ++seed) {
        rng.seed(seed);
        math::DrillQuestion q;
        if (addSub) {
            const math::AddSubQuestion s = math::makeAddSubQuestion(rng, range);
            q = s.q;
            QVERIFY(s.a >= 1 && s.a < range);
            QVERIFY(s.subtract ? s.c >= 0 && s.c < s.a : s.c >= 2 && s.c <= range);
            QCOMPARE(s.pictureMode, range == 10 && s.q.layout == math::BlankAt::End);
            if (s.pictureMode)
                QVERIFY(s.a + s.b <= 18 && s.picture >= 1 && s.picture <= 8);
        } else {
            const math::MulDivQuestion m = math::makeMulDivQuestion(rng, mode == "×");
            q = m.q;
            QVERIFY(m.multiply ? m.a >= 1 && m.a <= 20 && m.c <= 100
                               : m.a <= 100 && m.b >= 1 && m.b <= 20);
            dividendAnswer = dividendAnswer ||
                             (!m.multiply && q.layout == math::BlankAt::Start && q.answer == m.a);
        }
        QVERIFY2(holds(q.line, q.answer), qPrintable(q.line));
        const auto& n = q.answers.numbers;
        QCOMPARE(n[static_cast<size_t>(q.answers.right)], q.answer);
        QCOMPARE(std::set<int>(n.begin(), n.end()).size(), size_t(4));
        for (size_t i = 0; i < 4; ++i)
            if (static_cast<int>(i) != q.answers.right)
                QVERIFY(n[i] >= 1 && n[i] <= (addSub ? range - 1 : 100));
        QCOMPARE(q.overlay.trimmed(), QString::number(q.answer));
        layouts.insert(static_cast<int>(q.layout));
        answers.insert(q.answer);
    }
    QCOMPARE(layouts.size(), size_t(3));
    QCOMPARE(answers.count(0), size_t(mode != "÷")); // only a quotient is never 0
    QCOMPARE(answers.count(range), size_t(1));
    QCOMPARE(dividendAnswer, mode == "÷");
}

void TestArithDrill::overlay_data() {
    QTest::addColumn<int>("layout");
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("overlay");
    QTest::newRow("end, 12 bytes") << 0 << "9＋1＝(    )" << 10 << "      10";
    QTest::newRow("end, 13 bytes") << 0 << "10＋9＝(    )" << 19 << "        19";
    QTest::newRow("middle, 12 bytes") << 1 << "3＋(    )＝9" << 6 << "    6    ";
    QTest::newRow("middle, 13 bytes") << 1 << "3＋(    )＝10" << 7 << "     7     ";
    QTest::newRow("start, 12 bytes") << 2 << "(    )＋3＝9" << 6 << "6       ";
    QTest::newRow("start, 13 bytes") << 2 << "(    )－3＝10" << 13 << "13        ";
}

void TestArithDrill::overlay() {
    QFETCH(int, layout);
    QFETCH(QString, line);
    QFETCH(int, answer);
    QFETCH(QString, overlay);
    QVERIFY(platform::gbkByteLength(line) == 12 || platform::gbkByteLength(line) == 13);
    QCOMPARE(math::answerOverlay(static_cast<math::BlankAt>(layout), line, answer), overlay);
}

// Each drill, with the mode its second range button selects.
void TestArithDrill::drills_data() {
    QTest::addColumn<QString>("cls");
    QTest::addColumn<QString>("second");
    QTest::newRow("add and subtract") << "Tfrmjjf"
                                      << "20";
    QTest::newRow("multiply and divide") << "Tfrmccf"
                                         << "÷";
}

void TestArithDrill::answering_data() {
    QTest::addColumn<QString>("cls");
    QTest::addColumn<bool>("right");
    QTest::newRow("add and subtract, right") << "Tfrmjjf" << true;
    QTest::newRow("add and subtract, wrong") << "Tfrmjjf" << false;
    QTest::newRow("multiply and divide, right") << "Tfrmccf" << true;
    QTest::newRow("multiply and divide, wrong") << "Tfrmccf" << false;
}

void TestArithDrill::answering() {
    QFETCH(bool, right);
    open();
    click(right);
    QCOMPARE(counters(), QString(right ? "110" : "101"));
    QVERIFY(f_->findChild<QLabel*>("lblkey")->isVisible());
    QCOMPARE(text("lblpd"), QString(right ? "√" : "×"));
    QCOMPARE(h_->sounds, QStringList{right ? "DATA\\bgsnd\\right.WAV" : "DATA\\bgsnd\\wrong.WAV"});
    QVERIFY(f_->Timer2->Enabled());
    // During the pause nothing counts.
    click(!right);
    f_->imgnextClick();
    QCOMPARE(counters(), QString(right ? "110" : "101"));
    QCOMPARE(h_->sounds.size(), 1);
    emit f_->Timer2->OnTimer();
    QVERIFY(!f_->Timer2->Enabled());
    QVERIFY(f_->findChild<QLabel*>("lblpd")->isHidden());
    QVERIFY(f_->findChild<QLabel*>("lblkey")->isHidden());
    QCOMPARE(text("lbltopic"), f_->question().line);
    QCOMPARE(text("lblkey"), f_->question().overlay.trimmed());
    QVERIFY(h_->recorder->calls().empty());
    // Going on without an answer counts as a wrong one, silently.
    f_->imgnextClick();
    QCOMPARE(counters(), QString(right ? "211" : "202"));
    QCOMPARE(text("lblpd"), QString("×"));
    QCOMPARE(h_->sounds.size(), 1);
}

void TestArithDrill::modeButtons() {
    QFETCH(QString, second);
    open();
    auto* rb2 = f_->findChild<TFlatRadioButton*>("rb2");
    // Checked during the pause: the question stays, the one after it has the new mode.
    click(true);
    const QString line = f_->question().line;
    platform::fixRandomSeed(3);
    rb2->SetChecked(true);
    QCOMPARE(f_->question().line, line);
    f_->Timer2Timer();
    platform::releaseRandomSeed();
    platform::RandomSource same(3);
    QCOMPARE(f_->question().line, draw(same, second).line);
    // Checked while a question is open: a question of the new mode at once, not counted.
    open();
    platform::fixRandomSeed(5);
    rb2->SetChecked(true);
    platform::releaseRandomSeed();
    same.seed(5);
    QCOMPARE(f_->question().line, draw(same, second).line);
    QCOMPARE(counters(), QString("000"));
}

void TestArithDrill::showResetsAndHelp() {
    open();
    f_->findChild<TFlatRadioButton*>("rb2")->SetChecked(true);
    click(true);
    emit f_->Timer1->OnTimer();
    QCOMPARE(text("lbltime"), QString("1"));
    // The rhyme tables open beside the drill.
    f_->imghelpClick();
    QWidget* kjb = FormRegistry::find("Tfrmkjb")->instance();
    QVERIFY(kjb && kjb->isVisible() && f_->isVisible());
    kjb->close();
    QVERIFY(f_->isVisible());
    // Closing stops the clock; the next showing starts afresh.
    f_->imgfhClick();
    QVERIFY(!f_->Timer1->Enabled());
    open();
    QCOMPARE(counters() + text("lbltime"), QString("0000"));
    QVERIFY(f_->findChild<TFlatRadioButton*>("rb1")->Checked());
    QVERIFY(f_->findChild<QLabel*>("lblpd")->isHidden());
    QVERIFY(f_->Timer1->Enabled());
    QCOMPARE(text("lbltopic"), f_->question().line);
}

void TestArithDrill::pictureRowSizes_data() {
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("side");
    QTest::addColumn<int>("point");
    QTest::newRow("up to 11") << 11 << 56 << 42;
    QTest::newRow("from 12") << 12 << 48 << 36;
    QTest::newRow("from 14") << 14 << 40 << 30;
    QTest::newRow("from 16") << 16 << 32 << 24;
    QTest::newRow("18, the most") << 18 << 32 << 24;
}

void TestArithDrill::pictureRowSizes() {
    QFETCH(int, n);
    QFETCH(int, side);
    QFETCH(int, point);
    QCOMPARE(math::pictureRowSize(n).side, side);
    QCOMPARE(math::pictureRowSize(n).point, point);
}

void TestArithDrill::picturesActOutTheQuestion() {
    auto* f = qobject_cast<Tfrmjjf*>(openLazy("Tfrmjjf"));
    int acted = 0;
    for (uint32_t seed = 1; seed < 200; ++seed) {
        platform::fixRandomSeed(seed);
        f->close();
        f->Show();
        platform::releaseRandomSeed();
        const math::AddSubQuestion& s = f->addSub();
        if (!s.pictureMode) {
            QVERIFY(f->bevtop->isHidden() && f->lblpic->isHidden());
            QCOMPARE(f->lbltopic->y(), 176);
            continue;
        }
        ++acted;
        QCOMPARE(f->lbltopic->y(), 144);
        QCOMPARE(f->lblkey->y(), 144);
        QVERIFY(f->bevtop->isVisible() && f->lblpic->isVisible());
        QCOMPARE(f->lblpic->text(), QString(s.subtract ? "－" : "＋"));
        const QList<TImage*> pics = f->pictures();
        const int side = math::pictureRowSize(s.a + s.b).side;
        int shown = 0;
        for (TImage* p : pics)
            shown += p->isVisible() ? 1 : 0;
        QCOMPARE(shown, s.a + s.b);
        QCOMPARE(pics[0]->x(), 115);
        QCOMPARE(pics[0]->size(), QSize(side, side));
        QVERIFY(!pics[0]->Picture().isNull());
        QCOMPARE(pics[s.a - 1]->x(), 115 + (s.a - 1) * side);
        QCOMPARE(f->lblpic->x(), 115 + s.a * side);
        QCOMPARE(pics[s.a]->x(), f->lblpic->x() + f->lblpic->width());
        QCOMPARE(pics[s.a + s.b - 1]->x(), pics[s.a]->x() + (s.b - 1) * side);
        QVERIFY(pics[s.a + s.b - 1]->geometry().right() < 900);
    }
    QVERIFY(acted > 10);
}

void TestArithDrill::gameOpensBesideTheDrill() {
    auto* f = qobject_cast<Tfrmjjf*>(openLazy("Tfrmjjf"));
    f->imggameClick();
    QWidget* game = FormRegistry::find("Tfrmnumgame")->instance();
    QVERIFY(game && game->isVisible());
    QVERIFY(f->isVisible());
    game->close();
    QVERIFY(f->isVisible());
}

// The answer is drawn larger than the line: it must stand inside the brackets of the
// blank, wherever the blank is, never over "(" or ")".
void TestArithDrill::answerSitsInsideTheBlank() {
    open();
    auto* topic = f_->findChild<QLabel*>("lbltopic");
    auto* key = f_->findChild<QLabel*>("lblkey");
    QSet<int> layouts;
    for (int i = 0; i < 60 && layouts.size() < 3; ++i) {
        f_->imgnextClick();
        f_->Timer2Timer();
        const QString line = f_->question().line;
        layouts << static_cast<int>(f_->question().layout);
        const QFontMetrics fm(topic->font());
        const int left = topic->x() + (topic->width() - fm.horizontalAdvance(line)) / 2;
        const int at = line.indexOf(math::kBlank);
        const int open = left + fm.horizontalAdvance(line.left(at + 1));
        const int close = left + fm.horizontalAdvance(line.left(at + math::kBlank.size() - 1));
        const int half = QFontMetrics(key->font()).horizontalAdvance(key->text()) / 2;
        const int centre = key->geometry().center().x();
        QVERIFY2(centre - half >= open && centre + half <= close, qPrintable(line));
    }
    QCOMPARE(layouts.size(), 3);
}

QTEST_MAIN(TestArithDrill)
#include "tst_arithdrill.moc"

// The addition and subtraction drill: question rules, the answer overlay, the four
// answers, and the drill window's counters, pause and pictures.
#include "MathFormTest.h"
#include "activities/math/JJFRules.h"
#include "activities/math/UJJF.h"
#include "app/FormRegistry.h"
#include "platform/Gbk.h"

#include <set>

namespace {

// Puts the answer into the blank and evaluates "a op b ＝ c".
bool holds(const QString& line, int answer) {
    QString s = line;
    s.replace(math::kBlank, QString::number(answer));
    const QStringList sides = s.split(QStringLiteral("＝"));
    if (sides.size() != 2)
        return false;
    const QString left = sides[0];
    const int op = std::max(left.indexOf(QStringLiteral("＋")), left.indexOf(QStringLiteral("－")));
    if (op <= 0)
        return false;
    const int a = left.left(op).toInt(), b = left.mid(op + 1).toInt(), c = sides[1].toInt();
    return left[op] == QChar(0xFF0B) ? a + b == c : a - b == c;
}

} // namespace

class TestUJJF : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void questionsHold_data();
    void questionsHold();
    void overlay_data();
    void overlay();
    void pictureRowSizes_data();
    void pictureRowSizes();
    void looks();
    void showResets();
    void answering_data();
    void answering();
    void clicksDuringTheSignAreIgnored();
    void skip();
    void rangeFollowsTheButtons();
    void picturesActOutTheQuestion();
    void helpAndGameOpenBesideTheDrill();
    void closeStopsClockAndReturns();

private:
    void showWithSeed(uint32_t seed);
    TImage* answerButton(bool right) const;
    std::unique_ptr<mathtest::Harness> h_;
    Tfrmjjf* f_ = nullptr;
};

void TestUJJF::initTestCase() {
    h_ = std::make_unique<mathtest::Harness>();
    f_ = qobject_cast<Tfrmjjf*>(openLazy(QStringLiteral("Tfrmjjf")));
    QVERIFY(f_);
    QCOMPARE(frmjjf.data(), f_);
    QCOMPARE(f_->windowTitle(), QString("学加减法"));
}

void TestUJJF::cleanupTestCase() {
    for (const char* name : {"Tfrmkjb", "Tfrmnumgame"})
        if (const FormEntry* e = FormRegistry::find(name))
            delete e->instance();
    delete f_;
    h_.reset();
}

void TestUJJF::init() {
    h_->sounds.clear();
    if (f_->lblpd->isVisible())
        f_->Timer2Timer();
}

void TestUJJF::showWithSeed(uint32_t seed) {
    platform::fixRandomSeed(seed);
    f_->close();
    f_->Show();
    platform::releaseRandomSeed();
}

TImage* TestUJJF::answerButton(bool right) const {
    for (TImage* b : {f_->imga, f_->imgb, f_->imgc, f_->imgd})
        if ((b->Hint() == "1") == right)
            return b;
    return nullptr;
}

void TestUJJF::questionsHold_data() {
    QTest::addColumn<int>("range");
    QTest::newRow("up to 10") << 10;
    QTest::newRow("up to 20") << 20;
    QTest::newRow("up to 100") << 100;
}

void TestUJJF::questionsHold() {
    QFETCH(int, range);
    platform::RandomSource rng;
    std::set<int> layouts;
    bool zeroAnswer = false, answerIsRange = false;
    for (uint32_t seed = 0; seed < 4000; ++seed) {
        rng.seed(seed);
        const math::AddSubQuestion s = math::makeAddSubQuestion(rng, range);
        QVERIFY2(holds(s.q.line, s.q.answer), qPrintable(s.q.line));
        QVERIFY(s.a >= 1 && s.a < range);
        if (s.subtract)
            QVERIFY(s.c >= 0 && s.c < s.a);
        else
            QVERIFY(s.c >= 2 && s.c <= range);
        QCOMPARE(s.pictureMode, range == 10 && s.q.layout == math::BlankAt::End);
        if (s.pictureMode)
            QVERIFY(s.a + s.b <= 18 && s.picture >= 1 && s.picture <= 8);
        const auto& n = s.q.answers.numbers;
        QCOMPARE(n[static_cast<size_t>(s.q.answers.right)], s.q.answer);
        QCOMPARE(std::set<int>(n.begin(), n.end()).size(), size_t(4));
        for (size_t i = 0; i < 4; ++i)
            if (static_cast<int>(i) != s.q.answers.right)
                QVERIFY(n[i] >= 1 && n[i] < range);
        QCOMPARE(s.q.overlay.trimmed(), QString::number(s.q.answer));
        layouts.insert(static_cast<int>(s.q.layout));
        zeroAnswer = zeroAnswer || s.q.answer == 0;
        answerIsRange = answerIsRange || s.q.answer == range;
    }
    QCOMPARE(layouts.size(), size_t(3));
    QVERIFY(zeroAnswer);
    QVERIFY(answerIsRange);
}

void TestUJJF::overlay_data() {
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

void TestUJJF::overlay() {
    QFETCH(int, layout);
    QFETCH(QString, line);
    QFETCH(int, answer);
    QFETCH(QString, overlay);
    QVERIFY(platform::gbkByteLength(line) == 12 || platform::gbkByteLength(line) == 13);
    QCOMPARE(math::answerOverlay(static_cast<math::BlankAt>(layout), line, answer), overlay);
}

void TestUJJF::pictureRowSizes_data() {
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("side");
    QTest::addColumn<int>("point");
    QTest::newRow("11") << 11 << 56 << 42;
    QTest::newRow("12") << 12 << 48 << 36;
    QTest::newRow("13") << 13 << 48 << 36;
    QTest::newRow("14") << 14 << 40 << 30;
    QTest::newRow("15") << 15 << 40 << 30;
    QTest::newRow("16") << 16 << 32 << 24;
    QTest::newRow("18") << 18 << 32 << 24;
}

void TestUJJF::pictureRowSizes() {
    QFETCH(int, n);
    QFETCH(int, side);
    QFETCH(int, point);
    QCOMPARE(math::pictureRowSize(n).side, side);
    QCOMPARE(math::pictureRowSize(n).point, point);
}

void TestUJJF::looks() {
    QVERIFY2(mathtest::missingPictures(f_).isEmpty(),
             qPrintable(mathtest::missingPictures(f_).join(',')));
    for (uint32_t seed = 1;; ++seed) {
        showWithSeed(seed);
        if (f_->addSub().pictureMode && f_->addSub().a + f_->addSub().b >= 8)
            break;
    }
    mathtest::grab(f_, "jjf-pictures");
    answerButton(true)->OnClick();
    mathtest::grab(f_, "jjf-answered");
    f_->Timer2Timer();
    for (uint32_t seed = 1;; ++seed) {
        showWithSeed(seed);
        if (!f_->addSub().pictureMode && f_->addSub().q.layout == math::BlankAt::Middle)
            break;
    }
    f_->rb3->SetChecked(true);
    mathtest::grab(f_, "jjf");
    answerButton(false)->OnClick();
    mathtest::grab(f_, "jjf-wrong");
    f_->Timer2Timer();
}

void TestUJJF::showResets() {
    f_->rb2->SetChecked(true);
    answerButton(true)->OnClick();
    f_->Timer1Timer();
    f_->close();
    f_->Show();
    for (QLabel* l : {f_->lbltotal, f_->lblright, f_->lblwrong, f_->lbltime})
        QCOMPARE(l->text(), QString("0"));
    QVERIFY(f_->rb1->Checked() && !f_->rb2->Checked());
    QVERIFY(f_->lblpd->isHidden());
    QVERIFY(f_->lblkey->isHidden());
    QVERIFY(f_->Timer1->Enabled());
    QCOMPARE(f_->round().seconds(), 0);
    QCOMPARE(f_->lbltopic->text(), f_->question().line);
    QCOMPARE(f_->lblkey->text(), f_->question().overlay);
}

void TestUJJF::answering_data() {
    QTest::addColumn<bool>("right");
    QTest::newRow("right") << true;
    QTest::newRow("wrong") << false;
}

void TestUJJF::answering() {
    QFETCH(bool, right);
    const int total = f_->lbltotal->text().toInt();
    const int rights = f_->lblright->text().toInt(), wrongs = f_->lblwrong->text().toInt();
    answerButton(right)->OnClick();
    QCOMPARE(f_->lbltotal->text().toInt(), total + 1);
    QCOMPARE(f_->lblright->text().toInt(), rights + (right ? 1 : 0));
    QCOMPARE(f_->lblwrong->text().toInt(), wrongs + (right ? 0 : 1));
    QVERIFY(f_->lblkey->isVisible());
    QVERIFY(f_->lblpd->isVisible());
    QCOMPARE(f_->lblpd->text(), QString(right ? "√" : "×"));
    QCOMPARE(h_->sounds, QStringList{right ? "DATA\\bgsnd\\right.WAV" : "DATA\\bgsnd\\wrong.WAV"});
    QVERIFY(h_->recorder->calls().empty());
    QVERIFY(f_->Timer2->Enabled());
    const QString before = f_->lbltopic->text();
    f_->Timer2Timer();
    QVERIFY(!f_->Timer2->Enabled());
    QVERIFY(f_->lblpd->isHidden());
    QVERIFY(f_->lblkey->isHidden());
    QCOMPARE(f_->lbltopic->text(), f_->question().line);
    Q_UNUSED(before);
}

void TestUJJF::clicksDuringTheSignAreIgnored() {
    answerButton(true)->OnClick();
    const QString counts = f_->lbltotal->text() + f_->lblright->text() + f_->lblwrong->text();
    answerButton(true)->OnClick();
    answerButton(false)->OnClick();
    f_->imgnextClick();
    QCOMPARE(f_->lbltotal->text() + f_->lblright->text() + f_->lblwrong->text(), counts);
    QCOMPARE(h_->sounds.size(), 1);
}

void TestUJJF::skip() {
    const int total = f_->lbltotal->text().toInt(), wrongs = f_->lblwrong->text().toInt();
    const int rights = f_->lblright->text().toInt();
    f_->imgnextClick();
    QCOMPARE(f_->lbltotal->text().toInt(), total + 1);
    QCOMPARE(f_->lblwrong->text().toInt(), wrongs + 1);
    QCOMPARE(f_->lblright->text().toInt(), rights);
    QCOMPARE(f_->lblpd->text(), QString("×"));
    QVERIFY(f_->lblkey->isVisible());
    QVERIFY(h_->sounds.isEmpty());
}

void TestUJJF::rangeFollowsTheButtons() {
    // Checked during the pause: the question after it uses the new range.
    f_->rb1->SetChecked(true);
    answerButton(true)->OnClick();
    f_->rb3->SetChecked(true);
    QCOMPARE(f_->range(), 100);
    bool beyondTwenty = false;
    for (int i = 0; i < 40; ++i) {
        f_->Timer2Timer();
        beyondTwenty = beyondTwenty || f_->addSub().a >= 20 || f_->addSub().c > 20;
        QVERIFY(!f_->addSub().pictureMode);
        f_->imgnextClick();
    }
    QVERIFY(beyondTwenty);
    f_->Timer2Timer();
    // Checked while a question is open: a question of the new range comes at once.
    const int total = f_->lbltotal->text().toInt();
    platform::fixRandomSeed(3);
    f_->rb2->SetChecked(true);
    platform::releaseRandomSeed();
    platform::RandomSource same(3);
    QCOMPARE(f_->addSub().q.line, math::makeAddSubQuestion(same, 20).q.line);
    QCOMPARE(f_->lbltotal->text().toInt(), total);
}

void TestUJJF::picturesActOutTheQuestion() {
    for (uint32_t seed = 1; seed < 400; ++seed) {
        showWithSeed(seed);
        const math::AddSubQuestion& s = f_->addSub();
        if (!s.pictureMode) {
            QVERIFY(f_->bevtop->isHidden() && f_->lblpic->isHidden());
            QCOMPARE(f_->lbltopic->y(), 176);
            continue;
        }
        QCOMPARE(f_->lbltopic->y(), 144);
        QCOMPARE(f_->lblkey->y(), 144);
        QVERIFY(f_->bevtop->isVisible() && f_->lblpic->isVisible());
        QCOMPARE(f_->lblpic->text(), QString(s.subtract ? "－" : "＋"));
        const QList<TImage*> pics = f_->pictures();
        const int side = math::pictureRowSize(s.a + s.b).side;
        int shown = 0;
        for (TImage* p : pics)
            shown += p->isVisible() ? 1 : 0;
        QCOMPARE(shown, s.a + s.b);
        QCOMPARE(pics[0]->x(), 115);
        QCOMPARE(pics[0]->size(), QSize(side, side));
        QVERIFY(!pics[0]->Picture().isNull());
        QCOMPARE(pics[s.a - 1]->x(), 115 + (s.a - 1) * side);
        QCOMPARE(f_->lblpic->x(), 115 + s.a * side);
        QCOMPARE(pics[s.a]->x(), f_->lblpic->x() + f_->lblpic->width());
        QCOMPARE(pics[s.a + s.b - 1]->x(), pics[s.a]->x() + (s.b - 1) * side);
        QVERIFY(pics[s.a + s.b - 1]->geometry().right() < 900);
    }
}

void TestUJJF::helpAndGameOpenBesideTheDrill() {
    f_->imghelpClick();
    QWidget* kjb = FormRegistry::find("Tfrmkjb")->instance();
    QVERIFY(kjb && kjb->isVisible());
    QVERIFY(f_->isVisible());
    kjb->close();
    QVERIFY(f_->isVisible());
    f_->imggameClick();
    QWidget* game = FormRegistry::find("Tfrmnumgame")->instance();
    QVERIFY(game && game->isVisible());
    game->close();
    QVERIFY(f_->isVisible());
}

void TestUJJF::closeStopsClockAndReturns() {
    f_->Timer1Timer();
    QCOMPARE(f_->lbltime->text(), QString::number(f_->round().seconds()));
    QWidget menu;
    menu.show();
    f_->close();
    QVERIFY(openFrom(&menu, QStringLiteral("Tfrmjjf"), LeaveMode::Hide) == f_);
    QVERIFY(menu.isHidden());
    f_->imgfhClick();
    QVERIFY(!f_->Timer1->Enabled());
    QVERIFY(menu.isVisible());
    f_->Show();
}

QTEST_MAIN(TestUJJF)
#include "tst_ujjf.moc"

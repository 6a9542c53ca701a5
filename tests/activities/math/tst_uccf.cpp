// The multiplication and division drill: question rules and the switch of operation.
#include "MathFormTest.h"
#include "activities/math/CcfRules.h"
#include "activities/math/Uccf.h"
#include "app/FormRegistry.h"

#include <set>

class TestUccf : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void questionsHold_data();
    void questionsHold();
    void examples_data();
    void examples();
    void looks();
    void operationFollowsTheButtons();
    void answeringCountsOnce();
    void helpOpensRhymeTables();

private:
    TImage* answerButton(bool right) const;
    std::unique_ptr<mathtest::Harness> h_;
    Tfrmccf* f_ = nullptr;
};

void TestUccf::initTestCase() {
    h_ = std::make_unique<mathtest::Harness>();
    f_ = qobject_cast<Tfrmccf*>(openLazy(QStringLiteral("Tfrmccf")));
    QVERIFY(f_);
    QCOMPARE(frmccf.data(), f_);
    QCOMPARE(f_->windowTitle(), QString("学乘除法"));
}

void TestUccf::cleanupTestCase() {
    if (const FormEntry* e = FormRegistry::find("Tfrmkjb"))
        delete e->instance();
    delete f_;
    h_.reset();
}

TImage* TestUccf::answerButton(bool right) const {
    for (TImage* b : {f_->imga, f_->imgb, f_->imgc, f_->imgd})
        if ((b->Hint() == "1") == right)
            return b;
    return nullptr;
}

void TestUccf::questionsHold_data() {
    QTest::addColumn<bool>("multiply");
    QTest::newRow("multiplication") << true;
    QTest::newRow("division") << false;
}

void TestUccf::questionsHold() {
    QFETCH(bool, multiply);
    platform::RandomSource rng;
    bool zero = false, hundred = false, dividendAnswer = false;
    for (uint32_t seed = 0; seed < 6000; ++seed) {
        rng.seed(seed);
        const math::MulDivQuestion m = math::makeMulDivQuestion(rng, multiply);
        QCOMPARE(m.multiply, multiply);
        // Put the answer into the blank and check the line.
        QString line = m.q.line;
        line.replace(math::kBlank, QString::number(m.q.answer));
        const QStringList sides = line.split(QStringLiteral("＝"));
        QCOMPARE(sides.size(), 2);
        const QStringList ops =
            sides[0].split(multiply ? QStringLiteral("×") : QStringLiteral("÷"));
        QCOMPARE(ops.size(), 2);
        const int x = ops[0].toInt(), y = ops[1].toInt(), z = sides[1].toInt();
        if (multiply) {
            QCOMPARE(x * y, z);
            QVERIFY(m.a >= 1 && m.a <= 20 && m.c <= 100);
        } else {
            QVERIFY(y != 0);
            QCOMPARE(x, y * z); // exact
            QVERIFY(m.a <= 100 && m.b >= 1 && m.b <= 20);
        }
        const auto& n = m.q.answers.numbers;
        QCOMPARE(n[static_cast<size_t>(m.q.answers.right)], m.q.answer);
        QCOMPARE(std::set<int>(n.begin(), n.end()).size(), size_t(4));
        for (size_t i = 0; i < 4; ++i)
            if (static_cast<int>(i) != m.q.answers.right)
                QVERIFY(n[i] >= 1 && n[i] <= 100);
        zero = zero || m.q.answer == 0;
        hundred = hundred || m.q.answer == 100;
        dividendAnswer = dividendAnswer ||
                         (!multiply && m.q.layout == math::BlankAt::Start && m.q.answer == m.a);
    }
    QCOMPARE(zero, multiply); // only products can be 0
    QVERIFY(hundred);
    QCOMPARE(dividendAnswer, !multiply);
}

void TestUccf::examples_data() {
    QTest::addColumn<bool>("multiply");
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("answer");
    QTest::newRow("7×0") << true << "7×0＝(    )" << 0;
    QTest::newRow("dividend in the blank") << false << "(    )÷4＝5" << 20;
    QTest::newRow("1×( )=100") << true << "1×(    )＝100" << 100;
}

void TestUccf::examples() {
    // Each line can come up: some seed draws it.
    QFETCH(bool, multiply);
    QFETCH(QString, line);
    QFETCH(int, answer);
    platform::RandomSource rng;
    for (uint32_t seed = 0; seed < 200000; ++seed) {
        rng.seed(seed);
        const math::MulDivQuestion m = math::makeMulDivQuestion(rng, multiply);
        if (m.q.line == line) {
            QCOMPARE(m.q.answer, answer);
            return;
        }
    }
    QFAIL("never drawn");
}

void TestUccf::looks() {
    QVERIFY2(mathtest::missingPictures(f_).isEmpty(),
             qPrintable(mathtest::missingPictures(f_).join(',')));
    QVERIFY(!f_->findChild<QWidget*>("imggame"));
    mathtest::grab(f_, "ccf");
    answerButton(true)->OnClick();
    mathtest::grab(f_, "ccf-answered");
    f_->Timer2Timer();
}

void TestUccf::operationFollowsTheButtons() {
    QVERIFY(f_->multiplying());
    answerButton(true)->OnClick();
    f_->rb2->SetChecked(true);
    QVERIFY(f_->mulDiv().multiply); // the open question stays until the pause ends
    f_->Timer2Timer();
    QVERIFY(!f_->mulDiv().multiply);
    QVERIFY(f_->lbltopic->text().contains("÷"));
    f_->rb1->SetChecked(true);
    QVERIFY(f_->mulDiv().multiply);
    QVERIFY(f_->lbltopic->text().contains("×"));
}

void TestUccf::answeringCountsOnce() {
    f_->close();
    f_->Show();
    h_->sounds.clear();
    answerButton(false)->OnClick();
    answerButton(true)->OnClick();
    QCOMPARE(f_->lbltotal->text(), QString("1"));
    QCOMPARE(f_->lblwrong->text(), QString("1"));
    QCOMPARE(f_->lblright->text(), QString("0"));
    QCOMPARE(h_->sounds, QStringList{"DATA\\bgsnd\\wrong.WAV"});
    f_->Timer2Timer();
    f_->imgnextClick();
    QCOMPARE(f_->lbltotal->text(), QString("2"));
    QCOMPARE(f_->lblwrong->text(), QString("2"));
    f_->Timer2Timer();
}

void TestUccf::helpOpensRhymeTables() {
    f_->imghelpClick();
    QWidget* kjb = FormRegistry::find("Tfrmkjb")->instance();
    QVERIFY(kjb && kjb->isVisible());
    QVERIFY(f_->isVisible());
    kjb->close();
}

QTEST_MAIN(TestUccf)
#include "tst_uccf.moc"

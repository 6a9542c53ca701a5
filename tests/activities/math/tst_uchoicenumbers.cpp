// The number practice: question order, candidates, answering, the clock and the end.
#include "MathFormTest.h"
#include "activities/math/ChoiceNumbersRules.h"
#include "activities/math/UChoiceNumbers.h"
#include "app/FormRegistry.h"
#include "app/ShellState.h"
#include "platform/SoundLibrary.h"

#include <algorithm>
#include <set>

class TestUChoiceNumbers : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void orderIsAPermutation();
    void candidates();
    void practiceStartsOverAfterTheLastQuestion();
    void clockText_data();
    void clockText();
    void showStartsAfresh();
    void answering_data();
    void answering();
    void showAnswer();
    void stepping();
    void closeStopsClockAndKeepsMusic();

private:
    // The first answer button that shows `number`, or that does not.
    TImage* button(int number, bool showing = true) const {
        for (TImage* b : {f_->imga, f_->imgb, f_->imgc, f_->imgd})
            if ((b->Hint() == QString::number(number)) == showing)
                return b;
        return nullptr;
    }
    std::unique_ptr<mathtest::Harness> h_;
    TFrmChoiceNumbers* f_ = nullptr;
};

void TestUChoiceNumbers::initTestCase() {
    h_ = std::make_unique<mathtest::Harness>();
    f_ = qobject_cast<TFrmChoiceNumbers*>(openLazy(QStringLiteral("TFrmChoiceNumbers")));
    QVERIFY(f_);
}

void TestUChoiceNumbers::cleanupTestCase() {
    delete f_;
    h_.reset();
}

void TestUChoiceNumbers::orderIsAPermutation() {
    platform::RandomSource rng;
    for (uint32_t seed = 0; seed < 300; ++seed) {
        rng.seed(seed);
        std::array<int, 30> order = math::makeQuestionOrder(rng);
        std::sort(order.begin(), order.end());
        for (int i = 0; i < 30; ++i)
            QCOMPARE(order[static_cast<size_t>(i)], i + 1);
    }
}

void TestUChoiceNumbers::candidates() {
    platform::RandomSource rng;
    std::set<int> positions;
    for (uint32_t seed = 0; seed < 3000; ++seed) {
        rng.seed(seed);
        const int asked = static_cast<int>(seed % 30) + 1;
        const std::array<int, 4> c = math::makeCandidates(rng, asked);
        QCOMPARE(std::set<int>(c.begin(), c.end()).size(), size_t(4));
        QCOMPARE(std::count(c.begin(), c.end(), asked), 1);
        for (int v : c)
            QVERIFY(v >= 1 && v <= 30);
        positions.insert(static_cast<int>(std::find(c.begin(), c.end(), asked) - c.begin()));
    }
    QCOMPARE(positions.size(), size_t(4));
}

void TestUChoiceNumbers::practiceStartsOverAfterTheLastQuestion() {
    platform::RandomSource rng(5);
    math::NumberPractice p;
    p.start(rng);
    QVERIFY(!p.prior());
    for (int i = 0; i < 29; ++i)
        p.next(rng);
    QCOMPARE(p.index(), 29);
    p.next(rng);
    QCOMPARE(p.index(), 0);
    QVERIFY(p.asked() >= 1 && p.asked() <= 30);
    std::array<int, 30> order = p.order();
    std::sort(order.begin(), order.end());
    QCOMPARE(order.front(), 1);
    QCOMPARE(order.back(), 30);
}

void TestUChoiceNumbers::clockText_data() {
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("start") << 0 << "0分0秒";
    QTest::newRow("one minute one second") << 61 << "1分1秒";
    QTest::newRow("no leading zeros") << 605 << "10分5秒";
    QTest::newRow("just under an hour") << 3599 << "59分59秒";
    QTest::newRow("minutes keep two digits") << 6000 << "00分0秒";
}

void TestUChoiceNumbers::clockText() {
    QFETCH(int, seconds);
    QFETCH(QString, text);
    QCOMPARE(math::practiceClockText(seconds), text);
}

void TestUChoiceNumbers::showStartsAfresh() {
    f_->close();
    f_->Show();
    QCOMPARE(f_->lbltime->text(), QString());
    QVERIFY(f_->Timer2->Enabled());
    QCOMPARE(f_->practice().index(), 0);
    QCOMPARE(f_->cmbnumber->currentIndex(), 0);
    QVERIFY(button(f_->asked()));
    for (auto [b, l] : {std::pair{f_->imga, f_->lbla}, {f_->imgb, f_->lblb}})
        QCOMPARE(b->Hint(), l->text());
    for (int i = 0; i < 61; ++i)
        emit f_->Timer2->OnTimer();
    QCOMPARE(f_->lbltime->text(), QString("1分1秒"));
}

void TestUChoiceNumbers::answering_data() {
    QTest::addColumn<bool>("right");
    QTest::newRow("right") << true;
    QTest::newRow("wrong") << false;
}

void TestUChoiceNumbers::answering() {
    QFETCH(bool, right);
    h_->sounds.clear();
    const int index = f_->practice().index();
    TImage* b = button(f_->asked(), right);
    b->OnClick();
    QCOMPARE(h_->sounds, QStringList{right ? "DATA\\bgsnd\\right.wav" : "DATA\\bgsnd\\wrong.wav"});
    QVERIFY(f_->lbljudge->isVisible());
    QCOMPARE(f_->lbljudge->text(), QString(right ? "√ " : "× "));
    QCOMPARE(f_->lbljudge->y(), b->y() - 11);
    QCOMPARE(f_->practice().index(), index + 1);
    QVERIFY(button(f_->asked()));
    emit f_->Timer1->OnTimer();
    QVERIFY(f_->lbljudge->isHidden());
    QVERIFY(!f_->Timer1->Enabled());
}

void TestUChoiceNumbers::showAnswer() {
    f_->imgAnswerClick();
    QCOMPARE(f_->lbljudge->text(), QString("√ "));
    QLabel* l = f_->findChild<QLabel*>("lbl" + button(f_->asked())->objectName().mid(3));
    QCOMPARE(f_->lbljudge->y(), l->y() - 20);
    f_->Timer1Timer();
}

void TestUChoiceNumbers::stepping() {
    while (f_->practice().index() > 0)
        f_->imgPriorClick();
    h_->recorder->clear();
    const int asked = f_->asked();
    f_->imgPriorClick(); // not before the first
    QCOMPARE(h_->boxes(), QStringList{"学数字练习说明！|当前是第1题！|64"});
    QCOMPARE(f_->asked(), asked);
    // Past the last question the practice starts over.
    while (f_->practice().index() < 29)
        f_->imgNextClick();
    f_->imgNextClick();
    QCOMPARE(f_->practice().index(), 0);
    QCOMPARE(f_->cmbnumber->currentIndex(), 0);
    QVERIFY(button(f_->asked()));
    QVERIFY(!f_->imgpicnum->Picture().isNull());
}

void TestUChoiceNumbers::closeStopsClockAndKeepsMusic() {
    const quint32 before = platform::soundLibrary().ChannelState(BgMusicChannel);
    f_->close();
    QVERIFY(!f_->Timer2->Enabled());
    QCOMPARE(platform::soundLibrary().ChannelState(BgMusicChannel), before);
    f_->Show();
    QCOMPARE(platform::soundLibrary().ChannelState(BgMusicChannel), before);
}

QTEST_MAIN(TestUChoiceNumbers)
#include "tst_uchoicenumbers.moc"

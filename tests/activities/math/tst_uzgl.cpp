// Finding patterns: the sequences, the four answers, and answering with its pause.
#include "MathFormTest.h"
#include "activities/math/Uzgl.h"
#include "activities/math/ZglRules.h"
#include "app/FormRegistry.h"

#include <set>

class TestUzgl : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void questionsHold();
    void content_data();
    void content();
    void newQuestion();
    void answering_data();
    void answering();
    void nextAndClose();

private:
    TImage* answerButton(bool right) const;
    std::unique_ptr<mathtest::Harness> h_;
    Tfrmzgl* f_ = nullptr;
};

void TestUzgl::initTestCase() {
    h_ = std::make_unique<mathtest::Harness>();
    f_ = qobject_cast<Tfrmzgl*>(openLazy(QStringLiteral("Tfrmzgl")));
    QVERIFY(f_);
    QCOMPARE(f_->lbltopic->text(), QString("观察题目规律，选择正确的答案"));
}

void TestUzgl::cleanupTestCase() {
    delete f_;
    h_.reset();
}

void TestUzgl::init() {
    h_->sounds.clear();
    if (f_->Timer1->Enabled())
        f_->Timer1Timer();
}

TImage* TestUzgl::answerButton(bool right) const {
    for (TImage* b : {f_->imga, f_->imgb, f_->imgc, f_->imgd})
        if ((b->Hint() == "1") == right)
            return b;
    return nullptr;
}

void TestUzgl::questionsHold() {
    platform::RandomSource rng;
    std::set<int> doubledBlanks, types;
    bool mSet = false;
    for (uint32_t seed = 0; seed < 10000; ++seed) {
        rng.seed(seed);
        const math::PatternQuestion q = math::makePatternQuestion(rng);
        types.insert(static_cast<int>(q.type));
        // Four different answers, the right one once, where the position says.
        QCOMPARE(q.choices[0], q.answer);
        QCOMPARE(std::set<QString>(q.choices.begin(), q.choices.end()).size(), size_t(4));
        QCOMPARE(q.labels[static_cast<size_t>(q.position)], q.answer);
        QCOMPARE(std::count(q.labels.begin(), q.labels.end(), q.answer), 1);
        QCOMPARE(q.answer, q.terms[q.blank]);
        QVERIFY(q.content.count("____") == 1);
        QList<int> v;
        for (const QString& t : q.terms)
            v << t.toInt();
        switch (q.type) {
        case math::PatternType::Rising:
            QCOMPARE(q.terms.size(), 6);
            QVERIFY(q.start >= 0 && q.start <= 5 && q.step >= 1 && q.step <= 3);
            for (int i = 1; i < 6; ++i)
                QCOMPARE(v[i] - v[i - 1], q.step);
            break;
        case math::PatternType::Falling:
            QCOMPARE(q.terms.size(), 6);
            QVERIFY(q.start >= 5 && q.start <= 50);
            for (int i = 1; i < 6; ++i)
                QCOMPARE(v[i - 1] - v[i], q.step);
            QVERIFY(v[5] >= 0);
            break;
        case math::PatternType::Doubled:
            QCOMPARE(q.terms.size(), 10);
            for (int i = 0; i < 10; i += 2) {
                QCOMPARE(v[i], v[i + 1]);
                QCOMPARE(v[i], q.start + i / 2 * q.step);
            }
            doubledBlanks.insert(q.blank);
            break;
        case math::PatternType::Letters: {
            QCOMPARE(q.terms.size(), 10);
            const QString x = q.terms[0], y = q.terms[2], z = q.terms[4];
            QCOMPARE(q.terms, (QStringList{x, x, y, y, z, z, x, x, y, y}));
            QVERIFY((x == "a" && y == "b" && z == "c") ||
                    (x == "m" && z == "n" && y.toInt() >= 1 && y.toInt() <= 9));
            QVERIFY(q.blank == 0 || q.blank == 2 || q.blank == 5);
            QCOMPARE(q.letterAnswer, q.answer);
            if (x == "m") {
                mSet = true;
                QVERIFY(q.choices[3].toInt() > y.toInt() && q.choices[3].toInt() <= y.toInt() + 9);
            } else {
                QVERIFY(q.choices[3].toInt() >= 1 && q.choices[3].toInt() <= 9);
            }
            break;
        }
        }
        if (q.type != math::PatternType::Letters) {
            QCOMPARE(q.numericAnswer, q.answer.toInt());
            QVERIFY(q.letterAnswer.isEmpty());
        }
    }
    QCOMPARE(types.size(), size_t(4));
    QCOMPARE(doubledBlanks, (std::set<int>{0, 3, 5, 6, 8}));
    QVERIFY(mSet);
}

void TestUzgl::content_data() {
    QTest::addColumn<QStringList>("terms");
    QTest::addColumn<int>("blank");
    QTest::addColumn<QString>("text");
    QTest::newRow("rising, blank inside")
        << QStringList{"2", "5", "8", "11", "14", "17"} << 2 << "2,5,____,11,14,17";
    QTest::newRow("blank last") << QStringList{"20", "17", "14"} << 2 << "20,17,____";
    QTest::newRow("blank first") << QStringList{"a", "a", "b"} << 0 << "____,a,b";
}

void TestUzgl::content() {
    QFETCH(QStringList, terms);
    QFETCH(int, blank);
    QFETCH(QString, text);
    QCOMPARE(math::patternContent(terms, blank), text);
}

void TestUzgl::newQuestion() {
    f_->imgnextClick();
    const math::PatternQuestion& q = f_->question();
    QCOMPARE(f_->lblcontent->text(), q.content);
    QCOMPARE(f_->lbltime->text(), QString("0"));
    QVERIFY(f_->imgjudge->isHidden());
    const QList<QLabel*> labels = {f_->lbla, f_->lblb, f_->lblc, f_->lbld};
    QCOMPARE(labels[q.position]->text(), q.answer);
    QCOMPARE(answerButton(true),
             QList<TImage*>({f_->imga, f_->imgb, f_->imgc, f_->imgd})[q.position]);
    emit f_->Timer2->OnTimer();
    f_->Timer2Timer();
    QCOMPARE(f_->lbltime->text(), QString("2"));
}

void TestUzgl::answering_data() {
    QTest::addColumn<bool>("right");
    QTest::newRow("right") << true;
    QTest::newRow("wrong") << false;
}

void TestUzgl::answering() {
    QFETCH(bool, right);
    const int count = f_->lblcount->text().toInt();
    const int rights = f_->lblright->text().toInt(), wrongs = f_->lblwrong->text().toInt();
    answerButton(right)->OnClick();
    QCOMPARE(f_->lblcount->text().toInt(), count + 1);
    QCOMPARE(f_->lblright->text().toInt(), rights + (right ? 1 : 0));
    QCOMPARE(f_->lblwrong->text().toInt(), wrongs + (right ? 0 : 1));
    QVERIFY(f_->imgjudge->isVisible());
    QCOMPARE(f_->imgjudge->x(), 776);
    QCOMPARE(f_->imgjudge->Picture().toImage(),
             (right ? h_->main->imgright : h_->main->imgwrong)->Picture().toImage());
    QCOMPARE(h_->sounds, QStringList{right ? "DATA\\bgsnd\\right.WAV" : "DATA\\bgsnd\\wrong.WAV"});
    QVERIFY(h_->recorder->calls().empty());
    // During the pause nothing counts.
    answerButton(!right)->OnClick();
    QCOMPARE(f_->lblcount->text().toInt(), count + 1);
    QCOMPARE(h_->sounds.size(), 1);
    f_->Timer1Timer();
    QVERIFY(f_->imgjudge->isHidden());
    QVERIFY(!f_->Timer1->Enabled());
}

void TestUzgl::nextAndClose() {
    f_->Timer2Timer();
    f_->imgnextClick();
    QCOMPARE(f_->lbltime->text(), QString("0"));
    f_->imgfhClick();
    QVERIFY(!f_->Timer2->Enabled());
    f_->Show();
    for (QLabel* l : {f_->lblcount, f_->lblright, f_->lblwrong})
        QCOMPARE(l->text(), QString("0"));
}

QTEST_MAIN(TestUzgl)
#include "tst_uzgl.moc"

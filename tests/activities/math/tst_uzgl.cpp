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
    void sequencesHoldTheirRule();
    void answersDiffer();
    void content_data();
    void content();
    void looks();
    void newQuestion();
    void answering_data();
    void answering();
    void secondClickDuringThePauseIsIgnored();
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
    QCOMPARE(frmzgl.data(), f_);
    QCOMPARE(f_->windowTitle(), QString("找规律"));
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

void TestUzgl::sequencesHoldTheirRule() {
    platform::RandomSource rng;
    std::set<int> doubledBlanks, types;
    bool mSet = false;
    for (uint32_t seed = 0; seed < 5000; ++seed) {
        rng.seed(seed);
        const math::PatternQuestion q = math::makePatternQuestion(rng);
        types.insert(static_cast<int>(q.type));
        QCOMPARE(q.answer, q.terms[q.blank]);
        QCOMPARE(q.content, math::patternContent(q.terms, q.blank));
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

void TestUzgl::answersDiffer() {
    platform::RandomSource rng;
    for (uint32_t seed = 0; seed < 20000; ++seed) {
        rng.seed(seed);
        const math::PatternQuestion q = math::makePatternQuestion(rng);
        QCOMPARE(q.choices[0], q.answer);
        const std::set<QString> distinct(q.choices.begin(), q.choices.end());
        QVERIFY2(distinct.size() == 4,
                 qPrintable(q.content + " : " +
                            QStringList(q.choices.begin(), q.choices.end()).join(' ')));
        QCOMPARE(q.labels[static_cast<size_t>(q.position)], q.answer);
        QCOMPARE(std::count(q.labels.begin(), q.labels.end(), q.answer), 1);
    }
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

void TestUzgl::looks() {
    QVERIFY2(mathtest::missingPictures(f_).isEmpty(),
             qPrintable(mathtest::missingPictures(f_).join(',')));
    for (uint32_t seed = 1;; ++seed) {
        platform::fixRandomSeed(seed);
        f_->imgnextClick();
        if (f_->question().type == math::PatternType::Doubled &&
            f_->question().start + 4 * f_->question().step >= 10)
            break;
    }
    platform::releaseRandomSeed();
    mathtest::grab(f_, "zgl");
    answerButton(true)->OnClick();
    mathtest::grab(f_, "zgl-right");
    f_->Timer1Timer();
}

void TestUzgl::newQuestion() {
    f_->imgnextClick();
    const math::PatternQuestion& q = f_->question();
    QCOMPARE(f_->lblcontent->text(), q.content);
    QCOMPARE(f_->lbltime->text(), QString("0"));
    QCOMPARE(f_->lbltime->property("Tag").toInt(), q.numericAnswer);
    QCOMPARE(f_->imgok->Hint(), q.letterAnswer);
    QVERIFY(f_->imgjudge->isHidden());
    QVERIFY(f_->Timer2->Enabled());
    int ones = 0;
    for (auto [b, l] : {std::pair{f_->imga, f_->lbla},
                        {f_->imgb, f_->lblb},
                        {f_->imgc, f_->lblc},
                        {f_->imgd, f_->lbld}}) {
        ones += b->Hint() == "1" ? 1 : 0;
        QVERIFY(b->Hint() == "1" || b->Hint() == "0");
        if (b->Hint() == "1")
            QCOMPARE(l->text(), q.answer);
    }
    QCOMPARE(ones, 1);
    f_->Timer2Timer();
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
    f_->Timer1Timer();
    QVERIFY(f_->imgjudge->isHidden());
    QVERIFY(!f_->Timer1->Enabled());
}

void TestUzgl::secondClickDuringThePauseIsIgnored() {
    answerButton(false)->OnClick();
    const QString counts = f_->lblcount->text() + f_->lblright->text() + f_->lblwrong->text();
    answerButton(true)->OnClick();
    answerButton(false)->OnClick();
    f_->imgnextClick();
    QCOMPARE(f_->lblcount->text() + f_->lblright->text() + f_->lblwrong->text(), counts);
    QCOMPARE(h_->sounds.size(), 1);
}

void TestUzgl::nextAndClose() {
    f_->imgnextClick();
    QCOMPARE(f_->lbltime->text(), QString("0"));
    QWidget menu;
    menu.show();
    f_->close();
    QVERIFY(!f_->Timer2->Enabled());
    openFrom(&menu, QStringLiteral("Tfrmzgl"), LeaveMode::Hide);
    for (QLabel* l : {f_->lblcount, f_->lblright, f_->lblwrong})
        QCOMPARE(l->text(), QString("0"));
    f_->imgfhClick();
    QVERIFY(menu.isVisible());
    f_->Show();
}

QTEST_MAIN(TestUzgl)
#include "tst_uzgl.moc"

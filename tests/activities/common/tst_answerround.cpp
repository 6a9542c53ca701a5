// The drill state: one answer is judged per question, nothing counts between questions.
#include "activities/common/AnswerRound.h"

#include <QtTest>

using common::AnswerRound;
using common::Verdict;

Q_DECLARE_METATYPE(Verdict)

class TestAnswerRound : public QObject {
    Q_OBJECT
private slots:
    void steps_data();
    void steps();
    void resetAndClock();
};

// A script of steps: "a2" answers button 2, "j+" / "j-" judges right / wrong, "q1" asks a
// question whose right answer is 1, "q" one judged elsewhere.
void TestAnswerRound::steps_data() {
    QTest::addColumn<QStringList>("script");
    QTest::addColumn<QList<Verdict>>("verdicts"); // of the answering steps
    QTest::addColumn<QList<int>>("tally");        // total, right, wrong
    using V = Verdict;
    QTest::newRow("right button") << QStringList{"q1", "a1"} << QList<V>{V::Right}
                                  << QList<int>{1, 1, 0};
    QTest::newRow("wrong button") << QStringList{"q1", "a3"} << QList<V>{V::Wrong}
                                  << QList<int>{1, 0, 1};
    QTest::newRow("nothing asked yet")
        << QStringList{"a0", "j+"} << QList<V>{V::Ignored, V::Ignored} << QList<int>{0, 0, 0};
    QTest::newRow("second click in the pause")
        << QStringList{"q2", "a2", "a2", "a1"} << QList<V>{V::Right, V::Ignored, V::Ignored}
        << QList<int>{1, 1, 0};
    QTest::newRow("next question counts again")
        << QStringList{"q0", "a1", "q3", "a3"} << QList<V>{V::Wrong, V::Right}
        << QList<int>{2, 1, 1};
    QTest::newRow("judged elsewhere")
        << QStringList{"q", "j-", "q", "j+"} << QList<V>{V::Wrong, V::Right} << QList<int>{2, 1, 1};
    QTest::newRow("no right index is never right by button")
        << QStringList{"q", "a0"} << QList<V>{V::Wrong} << QList<int>{1, 0, 1};
    QTest::newRow("negative button")
        << QStringList{"q1", "a-1"} << QList<V>{V::Ignored} << QList<int>{0, 0, 0};
}

void TestAnswerRound::steps() {
    QFETCH(QStringList, script);
    QFETCH(QList<Verdict>, verdicts);
    QFETCH(QList<int>, tally);
    AnswerRound r;
    QList<Verdict> got;
    for (const QString& step : script) {
        const QString arg = step.mid(1);
        if (step[0] == 'q')
            r.ask(arg.isEmpty() ? -1 : arg.toInt());
        else if (step[0] == 'a')
            got << r.answer(arg.toInt());
        else
            got << r.judge(arg == "+");
    }
    QCOMPARE(got, verdicts);
    QCOMPARE((QList<int>{r.tally().total, r.tally().right, r.tally().wrong}), tally);
}

void TestAnswerRound::resetAndClock() {
    AnswerRound r;
    r.ask(0);
    r.answer(0);
    r.tick();
    QCOMPARE(r.tick(), 2);
    r.ask(1);
    r.reset();
    QVERIFY(!r.open());
    QCOMPARE(r.tally().total, 0);
    QCOMPARE(r.seconds(), 0);
    QCOMPARE(r.answer(1), Verdict::Ignored);
}

QTEST_APPLESS_MAIN(TestAnswerRound)
#include "tst_answerround.moc"

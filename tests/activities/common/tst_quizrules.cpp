// Rules of the question-bank quizzes: kinds, counts, judging and the series of topics.
#include "activities/common/QuizRules.h"
#include "platform/Random.h"

#include <QSet>
#include <QtTest>

using namespace quiz;

Q_DECLARE_METATYPE(quiz::Kind)

class TestQuizRules : public QObject {
    Q_OBJECT
private slots:
    void kinds_data();
    void kinds();
    void pictureCounts_data();
    void pictureCounts();
    void buttonCounts_data();
    void buttonCounts();
    void letters_data();
    void letters();
    void singlePick_data();
    void singlePick();
    void multiPick_data();
    void multiPick();
    void randomSeries();
    void reversedSeries();
    void shortBanks_data();
    void shortBanks();
};

void TestQuizRules::kinds_data() {
    QTest::addColumn<QString>("type");
    QTest::addColumn<Kind>("kind");
    QTest::newRow("0") << "0" << Kind::SinglePick;
    QTest::newRow("1") << "1" << Kind::TextChoice;
    QTest::newRow("2") << "2" << Kind::MultiPick;
    QTest::newRow("3") << "3" << Kind::PlainText;
    QTest::newRow("not trimmed") << " 1" << Kind::PlainText;
    QTest::newRow("missing reads one blank") << " " << Kind::PlainText;
    QTest::newRow("empty") << "" << Kind::PlainText;
    QTest::newRow("two digits") << "10" << Kind::PlainText;
}

void TestQuizRules::kinds() {
    QFETCH(QString, type);
    QFETCH(Kind, kind);
    QCOMPARE(kindOf(type), kind);
}

void TestQuizRules::pictureCounts_data() {
    QTest::addColumn<QStringList>("pic3to6");
    QTest::addColumn<int>("count");
    QTest::newRow("only two") << QStringList{"", "", "", ""} << 2;
    QTest::newRow("blanks are empty") << QStringList{"   ", "d.png", "e.png", "f.png"} << 2;
    QTest::newRow("missing reads one blank") << QStringList{" ", " ", " ", " "} << 2;
    QTest::newRow("three") << QStringList{"c.png", "", "", ""} << 3;
    QTest::newRow("first gap ends") << QStringList{"c.png", "", "e.png", "f.png"} << 3;
    QTest::newRow("four") << QStringList{"c", "d", "", ""} << 4;
    QTest::newRow("five") << QStringList{"c", "d", "e", " "} << 5;
    QTest::newRow("six") << QStringList{"c", "d", "e", "f"} << 6;
}

void TestQuizRules::pictureCounts() {
    QFETCH(QStringList, pic3to6);
    QFETCH(int, count);
    QCOMPARE(pictureCount(pic3to6[0], pic3to6[1], pic3to6[2], pic3to6[3]), count);
    QCOMPARE(pictureLayout(count).pictures.size(), count);
    QCOMPARE(pictureLayout(count).checkBoxes.size(), count);
}

void TestQuizRules::buttonCounts_data() {
    QTest::addColumn<QString>("c");
    QTest::addColumn<QString>("d");
    QTest::addColumn<int>("textChoice");
    QTest::addColumn<int>("plainText");
    QTest::newRow("C and D empty") << QString() << QString() << 2 << 2;
    QTest::newRow("C empty, D filled") << QString() << QString("8") << 2 << 2;
    QTest::newRow("C filled") << QString("7") << QString() << 3 << 3;
    QTest::newRow("both filled") << QString("7") << QString("8") << 4 << 4;
    // A missing attribute reads one blank: trimmed away for text choice, a blank
    // button for plain text.
    QTest::newRow("C missing") << QString(" ") << QString(" ") << 2 << 4;
    QTest::newRow("D missing") << QString("7") << QString(" ") << 3 << 4;
}

void TestQuizRules::buttonCounts() {
    QFETCH(QString, c);
    QFETCH(QString, d);
    QFETCH(int, textChoice);
    QFETCH(int, plainText);
    QCOMPARE(textChoiceButtons(c, d), textChoice);
    QCOMPARE(plainTextButtons(c, d), plainText);
    QCOMPARE(textChoiceTops(textChoice).size(), textChoice);
    QCOMPARE(plainTextLefts(plainText).size(), plainText);
}

void TestQuizRules::letters_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("right");
    QTest::newRow("same letter") << QString("B") << QString("B") << true;
    QTest::newRow("lower-case key") << QString("b") << QString("B") << true;
    QTest::newRow("other letter") << QString("B") << QString("A") << false;
    QTest::newRow("leading blank") << QString(" A") << QString("A") << false;
    QTest::newRow("trailing blank") << QString("A ") << QString("A") << false;
    QTest::newRow("missing key") << QString(" ") << QString("A") << false;
    QTest::newRow("two letters") << QString("AB") << QString("A") << false;
}

void TestQuizRules::letters() {
    QFETCH(QString, key);
    QFETCH(QString, button);
    QFETCH(bool, right);
    QCOMPARE(letterRight(key, button), right);
}

void TestQuizRules::singlePick_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("picture");
    QTest::addColumn<bool>("right");
    QTest::newRow("same") << "3" << 3 << true;
    QTest::newRow("other") << "3" << 2 << false;
    QTest::newRow("not trimmed") << " 3" << 3 << false;
    QTest::newRow("leading zero") << "03" << 3 << false;
    QTest::newRow("missing key") << " " << 1 << false;
}

void TestQuizRules::singlePick() {
    QFETCH(QString, key);
    QFETCH(int, picture);
    QFETCH(bool, right);
    QCOMPARE(pickRight(key, picture), right);
}

void TestQuizRules::multiPick_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QList<int>>("ticked");
    QTest::addColumn<bool>("right");
    QTest::newRow("1,3 ticked 1 and 3") << "1,3" << QList<int>{1, 3} << true;
    QTest::newRow("key trimmed") << " 1,3 " << QList<int>{1, 3} << true;
    QTest::newRow("single picture") << "2" << QList<int>{2} << true;
    QTest::newRow("three of six") << "2,4,6" << QList<int>{2, 4, 6} << true;
    QTest::newRow("one missing") << "1,3" << QList<int>{1} << false;
    QTest::newRow("one too many") << "1,3" << QList<int>{1, 3, 4} << false;
    QTest::newRow("key out of order") << "3,1" << QList<int>{1, 3} << false;
    QTest::newRow("blank after comma") << "1, 3" << QList<int>{1, 3} << false;
    QTest::newRow("trailing comma") << "1,3," << QList<int>{1, 3} << false;
    QTest::newRow("nothing ticked") << "" << QList<int>{} << false;
    QTest::newRow("missing key, nothing ticked") << " " << QList<int>{} << false;
    QTest::newRow("missing key") << " " << QList<int>{1} << false;
}

void TestQuizRules::multiPick() {
    QFETCH(QString, key);
    QFETCH(QList<int>, ticked);
    QFETCH(bool, right);
    Ticks t{};
    for (int n : ticked)
        t[n - 1] = true;
    QCOMPARE(ticksRight(key, t), right);
    QString text;
    for (int n : ticked)
        text += QString::number(n) + ",";
    QCOMPARE(tickText(t), text);
}

void TestQuizRules::randomSeries() {
    QStringList bank;
    for (int i = 0; i < 15; ++i)
        bank << QStringLiteral("topic %1").arg(i);
    QSet<QString> firsts;
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        platform::RandomSource rng(seed);
        TopicSeries s;
        s.choose(bank, TopicSeries::Order::Random, rng);
        QCOMPARE(s.size(), 10);
        const QStringList& play = s.playList();
        QCOMPARE(QSet<QString>(play.begin(), play.end()).size(), 10);
        QStringList all = play + s.rest();
        all.sort();
        QStringList sorted = bank;
        sorted.sort();
        QCOMPARE(all, sorted);
        firsts.insert(play.first());
    }
    QVERIFY(firsts.size() > 3);
}

void TestQuizRules::reversedSeries() {
    QStringList bank;
    for (int i = 1; i <= 12; ++i)
        bank << QString::number(i);
    platform::RandomSource rng(1);
    TopicSeries s;
    s.choose(bank, TopicSeries::Order::FirstReversed, rng);
    QCOMPARE(s.playList(), QStringList({"10", "9", "8", "7", "6", "5", "4", "3", "2", "1"}));
    QCOMPARE(s.rest(), QStringList({"11", "12"}));
    QStringList seen;
    for (int i = 0; i < 11; ++i) {
        seen << s.currentTopic();
        s.advance();
    }
    QCOMPARE(seen.last(), QString("10"));
    QCOMPARE(seen.at(9), QString("1"));
}

void TestQuizRules::shortBanks_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("order");
    QTest::newRow("three, random") << 3 << int(TopicSeries::Order::Random);
    QTest::newRow("three, reversed") << 3 << int(TopicSeries::Order::FirstReversed);
    QTest::newRow("one") << 1 << int(TopicSeries::Order::Random);
    QTest::newRow("none") << 0 << int(TopicSeries::Order::FirstReversed);
}

void TestQuizRules::shortBanks() {
    QFETCH(int, count);
    QFETCH(int, order);
    QStringList bank;
    for (int i = 1; i <= count; ++i)
        bank << QString::number(i);
    platform::RandomSource rng(3);
    TopicSeries s;
    s.choose(bank, static_cast<TopicSeries::Order>(order), rng);
    QCOMPARE(s.size(), count);
    QCOMPARE(s.isEmpty(), count == 0);
    if (order == int(TopicSeries::Order::FirstReversed) && count == 3)
        QCOMPARE(s.playList(), QStringList({"3", "2", "1"}));
    // The series wraps at its own length.
    const QString first = s.currentTopic();
    for (int i = 0; i < count; ++i)
        s.advance();
    QCOMPARE(s.current(), 0);
    QCOMPARE(s.currentTopic(), first);
}

QTEST_GUILESS_MAIN(TestQuizRules)
#include "tst_quizrules.moc"

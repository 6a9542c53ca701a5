// Rules of the letters and the phonetic symbols: growth, the automatic walk through
// the alphabet, the group list and paging between groups.
#include "activities/language/ABCRules.h"
#include "activities/language/XybRules.h"

#include <QtTest>

using namespace language;

class TestAbcRules : public QObject {
    Q_OBJECT
private slots:
    void growthStopsAtFullSize();
    void autoWalk();
    void groupList_data();
    void groupList();
    void paging_data();
    void paging();
};

void TestAbcRules::growthStopsAtFullSize() {
    LetterGrowth g;
    int steps = 0;
    while (g.step())
        ++steps;
    QCOMPARE(steps, 21);
    QCOMPARE(g.capitalSize(), 210);
    QCOMPARE(g.smallSize(), 135);
    QVERIFY(!g.step());
    QCOMPARE(g.smallSize(), 135);
}

void TestAbcRules::autoWalk() {
    LetterAuto a;
    a.start();
    QString shown;
    for (int t = 0; t < 28; ++t) {
        const int i = a.tick();
        shown += i < 0 ? QStringLiteral("-") : capitalLetter(i);
    }
    QCOMPARE(shown, QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ-A"));
    QCOMPARE(letterWord(25), QStringLiteral("zebra"));
    // A click stops it; the next start begins at A again.
    a.tick();
    a.stop();
    QVERIFY(!a.running());
    QCOMPARE(a.tick(), 0);
    QCOMPARE(letterSound(smallLetter(1)), QStringLiteral("DATA\\Sound\\b.mp3"));
}

void TestAbcRules::groupList_data() {
    QTest::addColumn<QString>("opened"); // v = vowel button, c = consonant button
    QTest::addColumn<int>("chosen");
    QTest::addColumn<int>("left");
    QTest::addColumn<QString>("movie");
    QTest::addColumn<QString>("title");
    QTest::newRow("vowels") << "v" << 2 << 30 << "Y2"
                            << "元音目录(第二组)";
    QTest::newRow("consonants after vowels move right") << "vc" << 3 << 150 << "F3"
                                                        << "辅音目录(第三组)";
    QTest::newRow("seventh consonant group") << "c" << 7 << 150 << "F7"
                                             << "辅音目录(第七组)";
    QTest::newRow("no seventh vowel group") << "cv" << 7 << 30 << "Y1"
                                            << "元音目录(第一组)";
}

void TestAbcRules::groupList() {
    QFETCH(QString, opened);
    QFETCH(int, chosen);
    QFETCH(int, left);
    QFETCH(QString, movie);
    QFETCH(QString, title);
    PhoneticBook b;
    b.reset();
    for (QChar c : opened)
        c == u'v' ? b.openVowels() : b.openConsonants();
    QCOMPARE(b.listLeft(), left);
    QCOMPARE(b.seventhShown(), opened.endsWith(u'c'));
    const bool chose = b.choose(chosen);
    QCOMPARE(b.listShown(), !chose);
    QCOMPARE(b.movieName(), movie);
    QCOMPARE(b.title(), title);
}

void TestAbcRules::paging_data() {
    QTest::addColumn<bool>("consonants");
    QTest::addColumn<int>("from");
    QTest::addColumn<bool>("forward");
    QTest::addColumn<QString>("movie");
    QTest::newRow("next vowel") << false << 2 << true << "Y3";
    QTest::newRow("last vowel stays") << false << 6 << true << "Y6";
    QTest::newRow("last consonant stays") << true << 7 << true << "F7";
    QTest::newRow("first stays") << true << 1 << false << "F1";
    QTest::newRow("previous consonant") << true << 5 << false << "F4";
}

void TestAbcRules::paging() {
    QFETCH(bool, consonants);
    QFETCH(int, from);
    QFETCH(bool, forward);
    QFETCH(QString, movie);
    PhoneticBook b;
    consonants ? b.openConsonants() : b.openVowels();
    QVERIFY(b.choose(from));
    forward ? b.next() : b.previous();
    QCOMPARE(b.movieName(), movie);
}

QTEST_GUILESS_MAIN(TestAbcRules)
#include "tst_abcrules.moc"

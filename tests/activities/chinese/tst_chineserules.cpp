// Rules of the Chinese activities: the table format, riddle alignment and paging,
// tongue-twister paging from the introduction, characters, idioms and the classic.
#include "activities/chinese/JzwRules.h"
#include "activities/chinese/RklRules.h"
#include "activities/chinese/SzjRules.h"
#include "activities/chinese/XchyRules.h"
#include "activities/chinese/XhzRules.h"

#include <QtTest>

using namespace chinese;

class TestChineseRules : public QObject {
    Q_OBJECT
private slots:
    void tableFormat_data();
    void tableFormat();
    void builtInTables();
    void alignment_data();
    void alignment();
    void riddlePaging();
    void answers();
    void twisterPaging_data();
    void twisterPaging();
    void characters();
    void idioms();
    void idiomViews();
    void classic();
};

void TestChineseRules::tableFormat_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("first");
    QTest::newRow("line break escape") << QByteArray("a\\rb\tc\n") << 1 << "a\rb";
    QTest::newRow("comments and blanks skipped") << QByteArray("# x\n\n  \nq\ta\n") << 1 << "q";
    QTest::newRow("wrong field count skipped")
        << QByteArray("q\n\tq\ta\tb\nq2\ta2\r\n") << 1 << "q2";
    QTest::newRow("trailing blank kept") << QByteArray("q \ta\n") << 1 << "q ";
    QTest::newRow("garbage") << QByteArray("\xff\xfe\x00\x01", 4) << 0 << "";
}

void TestChineseRules::tableFormat() {
    QFETCH(QByteArray, text);
    QFETCH(int, rows);
    QFETCH(QString, first);
    const Table t = parseTable(text, 2);
    QCOMPARE(t.size(), rows);
    if (rows)
        QCOMPARE(t[0][0], first);
}

void TestChineseRules::builtInTables() {
    QCOMPARE(collectionTable(Collection::Teasers).size(), 185);
    QCOMPARE(collectionTable(Collection::Riddles).size(), 96);
    QCOMPARE(collectionTable(Collection::Sayings).size(), 188);
    QCOMPARE(twisterTable().size(), 72);
    QCOMPARE(idiomTable().size(), 51);
    QCOMPARE(collectionTable(Collection::Riddles)[0][0],
             QStringLiteral("五个兄弟，住在一起，\r名字不同,高矮不齐。(猜器官) "));
    QCOMPARE(twisterTable()[71][0], QStringLiteral("买菜"));
    QCOMPARE(idiomTable()[4][0], QStringLiteral("揠苗助长"));
    QVERIFY(twisterIntroduction().text.endsWith(QStringLiteral("口齿更伶俐！    ")));
}

void TestChineseRules::alignment_data() {
    QTest::addColumn<int>("collection");
    QTest::addColumn<QString>("question");
    QTest::addColumn<bool>("centred");
    const QString c18 = QString(18, QChar(0x5927));
    QTest::newRow("teaser of 36 bytes centred") << 0 << c18 << true;
    QTest::newRow("teaser of 37 bytes left") << 0 << c18 + "?" << false;
    QTest::newRow("saying of 38 bytes left") << 2 << c18 + QChar(0x5927) << false;
    QTest::newRow("riddle always centred") << 1 << c18 + c18 << true;
}

void TestChineseRules::alignment() {
    QFETCH(int, collection);
    QFETCH(QString, question);
    QFETCH(bool, centred);
    QCOMPARE(centredQuestion(Collection(collection), question), centred);
}

void TestChineseRules::riddlePaging() {
    RiddleBrowser b;
    QCOMPARE(b.previous(), RiddleBrowser::Paging::AtFirst);
    QCOMPARE(b.index(), 0);
    QVERIFY(b.setCollection(Collection::Riddles));
    QCOMPARE(b.count(), 96);
    b.select(94);
    QCOMPARE(b.next(), RiddleBrowser::Paging::Moved);
    QCOMPARE(b.index(), 95); // the 96th riddle is reachable
    QCOMPARE(b.next(), RiddleBrowser::Paging::AtLast);
    QCOMPARE(b.index(), 95);
    QVERIFY(!b.setCollection(Collection::Riddles)); // the active one changes nothing
    QCOMPARE(b.index(), 95);
    QVERIFY(b.setCollection(Collection::Sayings));
    QCOMPARE(b.index(), 0);
    QCOMPARE(b.answer(), QStringLiteral("知道迟到了"));
}

void TestChineseRules::answers() {
    RiddleBrowser b({Table{{"q1", "a1"}, {"q2", "a2"}}, Table{}, Table{}});
    b.revealAnswer();
    b.next();
    QVERIFY(!b.answerShown());
    b.toggleAlwaysShow();
    QVERIFY(b.answerShown());
    b.previous();
    QVERIFY(b.answerShown());
    QCOMPARE(b.answer(), QStringLiteral("a1"));
    b.toggleAlwaysShow();
    QVERIFY(!b.answerShown());
    QVERIFY(b.setCollection(Collection::Riddles)); // an empty collection reads nothing
    QCOMPARE(b.index(), -1);
    QCOMPARE(b.next(), RiddleBrowser::Paging::AtLast);
    QVERIFY(b.question().isEmpty());
}

void TestChineseRules::twisterPaging_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<bool>("forward");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("paging");
    const int moved = int(TwisterReader::Paging::Moved);
    QTest::newRow("next from nothing") << -1 << true << 0 << moved;
    QTest::newRow("previous from nothing, no message") << -1 << false << 0 << moved;
    QTest::newRow("next on the last") << 71 << true << 71 << int(TwisterReader::Paging::AtLast);
    QTest::newRow("previous on the first")
        << 0 << false << 0 << int(TwisterReader::Paging::AtFirst);
    QTest::newRow("previous") << 5 << false << 4 << moved;
}

void TestChineseRules::twisterPaging() {
    QFETCH(int, from);
    QFETCH(bool, forward);
    QFETCH(int, to);
    QFETCH(int, paging);
    TwisterReader r;
    r.select(from);
    QCOMPARE(int(forward ? r.next() : r.previous()), paging);
    QCOMPARE(r.index(), to);
    QVERIFY(r.title().endsWith(QStringLiteral("  ")));
    if (to == 0)
        QCOMPARE(r.title(), QStringLiteral("猫和包  "));
}

void TestChineseRules::characters() {
    CharacterLesson l;
    QVERIFY(l.select(14));
    const CharacterView v = l.view();
    QCOMPARE(v.movie, QStringLiteral("XHZ15"));
    QCOMPARE(v.word, QStringLiteral("小鸟"));
    QCOMPARE(v.pinyin, QStringLiteral("xiǎo"));
    QCOMPARE(v.picture, QStringLiteral("DATA\\picture\\LookRec\\小鸟.jpg"));
    QCOMPARE(v.speech, QStringLiteral("DATA\\Sound\\小.mp3"));
    QCOMPARE(characterView(26).picture, v.picture); // 鸟 shares the word
    l.select(0);
    QVERIFY(!l.back());
    QCOMPARE(l.number(), 1);
    l.select(29);
    QVERIFY(!l.next());
    QCOMPARE(l.view().word, QStringLiteral("丑小鸭"));
}

void TestChineseRules::idioms() {
    IdiomBook b;
    QCOMPARE(b.count(), 51);
    QVERIFY(!b.select(51)); // never past the table
    QVERIFY(b.select(50));
    QVERIFY(!b.next());
    QVERIFY(b.select(1));
    QCOMPARE(b.movie(), QStringLiteral("cy2"));
    QCOMPARE(b.indexOf(QStringLiteral("熟能生巧")), 3);
    QCOMPARE(b.files().explanation, QStringLiteral("DATA\\sound\\xchy\\水落石出1.mp3"));
    QVERIFY(b.exampleText().startsWith(QStringLiteral("    案情")));
    QVERIFY(b.previous());
    QCOMPARE(b.idiom(), QStringLiteral("百战百胜"));
    IdiomBook empty{Table{}};
    QVERIFY(!empty.next());
    QVERIFY(empty.idiom().isEmpty() && empty.explanationText().isEmpty());
}

void TestChineseRules::idiomViews() {
    IdiomBook b;
    QVERIFY(!b.enterFullScreen(true)); // only from the movie
    QVERIFY(b.enterMovie());
    QVERIFY(!b.enterMovie());
    QVERIFY(b.enterFullScreen(true));
    bool autoOn = false;
    QVERIFY(b.leaveFullScreen(&autoOn));
    QVERIFY(autoOn);
    QVERIFY(!b.leaveFullScreen(&autoOn)); // Esc outside full screen does nothing
    QCOMPARE(IdiomBook::autoCheck(false, true), IdiomBook::AutoStart::Cancel);
    QCOMPARE(IdiomBook::autoCheck(true, true), IdiomBook::AutoStart::Arm);
    QCOMPARE(IdiomBook::autoCheck(true, false), IdiomBook::AutoStart::Keep);
}

void TestChineseRules::classic() {
    ClassicSections s;
    for (int n = 1; n <= kClassicSections; ++n) {
        QVERIFY(s.play(n));
        QCOMPARE(s.movie(), QStringLiteral("SZJ") + QString::number(n));
    }
    QVERIFY(!s.play(18));
    QVERIFY(!s.play(0));
    QCOMPARE(s.current(), 17);
}

QTEST_GUILESS_MAIN(TestChineseRules)
#include "tst_chineserules.moc"

// The readings the build speaks Mandarin from: the pinyin library through
// tools/gendata/reading.js, with our rules for the particles it misreads, our table
// content/chinese/readings.txt, and readings reviewed line by line, which win.
#include <QProcess>
#include <QTemporaryFile>
#include <QtTest>

namespace {

struct Row {
    const char* name;
    const char* text;
    const char* reading;
};

const Row kRows[] = {
    {"地 after a doubled word is de", "悄悄地划进池塘", "qiao1 qiao1 de5 hua4 jin4 chi2 tang2"},
    {"地 after an adverb is de", "他高兴地说", "ta1 gao1 xing4 de5 shuo1"},
    {"地 after a sound in quotes is de", "“嘣”地一声", "“ beng1 ” de5 yi4 sheng1"},
    {"地 after ABAB is de", "一步一步地爬", "yi2 bu4 yi5 bu4 de5 pa2"},
    {"地 as the ground stays di", "疑是地上霜", "yi2 shi4 di4 shang4 shuang1"},
    {"地方 after 的 stays di", "更远更远的地方", "geng4 yuan3 geng4 yuan3 de5 di4 fang1"},
    {"地球 stays di", "地球", "di4 qiu2"},
    {"得 after a verb is de", "小兔跑得快", "xiao3 tu4 pao3 de5 kuai4"},
    {"得 in the times table is de2", "二二得四", "er4 er4 de2 si4"},
    {"得到 keeps de2", "他得到了", "ta1 de2 dao4 le5"},
    {"一举两得 keeps de2", "一举两得", "yi4 ju3 liang3 de2"},
    {"title from our table", "鹿柴", "lu4 zhai4"},
    {"出塞 from our table", "出塞", "chu1 sai4"},
    {"polyphone game: 长大", "长大", "zhang3 da4"},
    {"polyphone game: 银行", "银行", "yin2 hang2"},
    {"polyphone game: 睡觉", "睡觉", "shui4 jiao4"},
    {"polyphone game: 还书", "还书", "huan2 shu1"},
    {"polyphone game: 数一数", "数一数", "shu3 yi5 shu3"},
    {"polyphone game: 音乐", "音乐", "yin1 yue4"},
    {"asked character read as in its word", "“长大”的“长”读什么？",
     "“ zhang3 da4 ” de5 “ zhang3 ” du2 shen2 me5 ？"},
    {"neutral tone is 5", "琵琶", "pi2 pa5"},
    {"Latin passed on", "ABC和你", "ABC he2 ni3"},
    {"classic: 为 as wei2", "老何为", "lao3 he2 wei2"},
    {"classic: 长 as zhang3", "弟于长", "di4 yu2 zhang3"},
};

} // namespace

class TestReadings : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void reading_data();
    void reading();
    void reviewedReadingsWin_data();
    void reviewedReadingsWin();

private:
    QHash<QString, QString> readings_;
};

// Every row's text read by one run of the reader, line by line, as the generator feeds it.
void TestReadings::initTestCase() {
    QProcess node;
    node.start(QStringLiteral("node"),
               {QStringLiteral(PELUMO_SOURCE_DIR "/tools/gendata/reading.js"),
                QStringLiteral(PELUMO_SOURCE_DIR "/content/chinese/readings.txt")});
    QVERIFY2(node.waitForStarted(), "node does not start");
    QStringList texts;
    for (const Row& r : kRows)
        texts << QString::fromUtf8(r.text);
    node.write(texts.join(QLatin1Char('\n')).toUtf8() + '\n');
    node.closeWriteChannel();
    QVERIFY(node.waitForFinished(60000));
    const QStringList answers =
        QString::fromUtf8(node.readAllStandardOutput()).split(QLatin1Char('\n'));
    QVERIFY2(answers.size() > texts.size(), node.readAllStandardError().constData());
    for (int i = 0; i < texts.size(); ++i)
        readings_.insert(texts[i], answers[i].section(QLatin1Char('\t'), 0, 0));
}

void TestReadings::reading_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    for (const Row& r : kRows)
        QTest::newRow(r.name) << QString::fromUtf8(r.text) << QString::fromUtf8(r.reading);
}

void TestReadings::reading() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(readings_.value(text), expected);
}

// A table of reviewed readings of its own: the reader reads the listed characters of a
// line it has as reviewed, and reports each character's syllable after a tab.
void TestReadings::reviewedReadingsWin_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected"); // the reading, a tab, the characters' syllables
    QTest::newRow("长 as long, not the table's zhang3 le5")
        << u"脖子太长了。"_qs << u"bo2 zi5 tai4 chang2 le5 。\tbo2 zi5 tai4 chang2 le5"_qs;
    QTest::newRow("只 as only, not the measure word")
        << u"他只吃了一口"_qs << u"ta1 zhi3 chi1 le5 yi4 kou3\tta1 zhi3 chi1 le5 yi4 kou3"_qs;
    QTest::newRow("种 as to plant")
        << u"我们一起种花"_qs << u"wo3 men5 yi4 qi3 zhong4 hua1\two3 men5 yi4 qi3 zhong4 hua1"_qs;
    QTest::newRow("教 as to teach") << u"妈妈教我"_qs << u"ma1 ma5 jiao1 wo3\tma1 ma5 jiao1 wo3"_qs;
    QTest::newRow("得 as must") << u"他得走了"_qs << u"ta1 dei3 zou3 le5\tta1 dei3 zou3 le5"_qs;
    QTest::newRow("地 after a four-character phrase")
        << u"专心致志地听"_qs
        << u"zhuan1 xin1 zhi4 zhi4 de5 ting1\tzhuan1 xin1 zhi4 zhi4 de5 ting1"_qs;
    QTest::newRow("a review naming other characters is not applied")
        << u"他长大了。"_qs << u"ta1 zhang3 da4 le5 。\tta1 zhang3 da4 le5"_qs;
    QTest::newRow("a line not reviewed is the library's")
        << u"种子"_qs << u"zhong3 zi5\tzhong3 zi5"_qs;
}

void TestReadings::reviewedReadingsWin() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QTemporaryFile table;
    QVERIFY(table.open());
    table.write(u"# reviewed\n#!chars\t只种长地教得\n#!chars\t了大\n"
                "脖子太长了。\t长chang2 了le5\n"
                "他只吃了一口\t只zhi3 了le5\n"
                "我们一起种花\t种zhong4\n"
                "妈妈教我\t教jiao1\n"
                "他得走了\t得dei3 了le5\n"
                "专心致志地听\t地de5\n"
                "他长大了。\t长chang2 了le5\n"_qs.toUtf8());
    table.close();
    QProcess node;
    node.start(QStringLiteral("node"),
               {QStringLiteral(PELUMO_SOURCE_DIR "/tools/gendata/reading.js"),
                QStringLiteral(PELUMO_SOURCE_DIR "/content/chinese/readings.txt"),
                table.fileName()});
    QVERIFY2(node.waitForStarted(), "node does not start");
    node.write(text.toUtf8() + '\n');
    node.closeWriteChannel();
    QVERIFY(node.waitForFinished(60000));
    QCOMPARE(QString::fromUtf8(node.readAllStandardOutput()).trimmed(), expected);
}

QTEST_GUILESS_MAIN(TestReadings)
#include "tst_readings.moc"

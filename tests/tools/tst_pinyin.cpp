// The pinyin the Mandarin voice is given and the reading back of its phonemes: what
// decides whether a child hears a line as it is written.
#include "tools/lib/Pinyin.h"

#include <QtTest>

namespace py = tools::pinyin;

class TestPinyin : public QObject {
    Q_OBJECT
private slots:
    void syllables_data();
    void syllables();
    void spokenLine_data();
    void spokenLine();
    void numbersInChinese_data();
    void numbersInChinese();
    void letterReading_data();
    void letterReading();
    void lettersSaid_data();
    void lettersSaid();
    void voicePieces_data();
    void voicePieces();
    void heard_data();
    void heard();
    void compare_data();
    void compare();
};

void TestPinyin::syllables_data() {
    QTest::addColumn<QString>("pinyin");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("tone marks") << u"lù zhài"_qs << QStringList{"lu4", "zhai4"};
    QTest::newRow("joined word split") << u"shāfā"_qs << QStringList{"sha1", "fa1"};
    QTest::newRow("longest syllable first") << u"xiān"_qs << QStringList{"xian1"};
    QTest::newRow("apostrophe parts syllables") << u"xī'ān"_qs << QStringList{"xi1", "an1"};
    QTest::newRow("neutral tone is 5") << u"pí pa"_qs << QStringList{"pi2", "pa5"};
    QTest::newRow("ü with its mark") << u"lǜ nǚ"_qs << QStringList{"lü4", "nü3"};
    QTest::newRow("v stands for ü") << u"lv4"_qs << QStringList{"lü4"};
    QTest::newRow("numbers kept") << u"lu4zhai4 ma"_qs << QStringList{"lu4", "zhai4", "ma5"};
    QTest::newRow("punctuation between") << u"é，é，é。"_qs << QStringList{"e2", "e2", "e2"};
    QTest::newRow("capital at the start") << u"Běijīng"_qs << QStringList{"bei3", "jing1"};
    QTest::newRow("English left out") << u"hello nǐ"_qs << QStringList{"ni3"};
    QTest::newRow("two marks make two syllables") << u"āá"_qs << QStringList{"a1", "a2"};
}

void TestPinyin::syllables() {
    QFETCH(QString, pinyin);
    QFETCH(QStringList, expected);
    QCOMPARE(py::syllables(pinyin), expected);
}

void TestPinyin::spokenLine_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("readings");
    QTest::addColumn<QString>("expected");
    QTest::newRow("punctuation kept for the pause")
        << u"床前明月光，"_qs << QStringList{"chuang2", "qian2", "ming2", "yue4", "guang1"}
        << u"chuang2 qian2 ming2 yue4 guang1 ，"_qs;
    QTest::newRow("counts differ: the readings alone")
        << u"鹿柴。"_qs << QStringList{"lu4"} << u"lu4"_qs;
    QTest::newRow("no characters: the readings") << u"á"_qs << QStringList{"a2"} << u"a2"_qs;
}

void TestPinyin::spokenLine() {
    QFETCH(QString, text);
    QFETCH(QStringList, readings);
    QFETCH(QString, expected);
    QCOMPARE(py::spokenLine(text, readings), expected);
}

void TestPinyin::numbersInChinese_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("date") << u"10月1日"_qs << u"十月一日"_qs;
    QTest::newRow("tens and ones") << u"25"_qs << u"二十五"_qs;
    QTest::newRow("zero inside") << u"105"_qs << u"一百零五"_qs;
    QTest::newRow("ten inside a hundred") << u"110"_qs << u"一百一十"_qs;
    QTest::newRow("decimal") << u"3.5米"_qs << u"三点五米"_qs;
    QTest::newRow("percent") << u"50%"_qs << u"百分之五十"_qs;
    QTest::newRow("year digit by digit") << u"2024年"_qs << u"二零二四年"_qs;
    QTest::newRow("ten thousands") << u"20300"_qs << u"二万零三百"_qs;
    QTest::newRow("no number") << u"你好"_qs << u"你好"_qs;
    QTest::newRow("two of a thing is liang")
        << u"有2只小鸡，2个苹果"_qs << u"有两只小鸡，两个苹果"_qs;
    QTest::newRow("two as a place stays er") << u"第2个，2号，2月"_qs << u"第二个，二号，二月"_qs;
    QTest::newRow("two in a sum stays er") << u"2加3得5"_qs << u"二加三得五"_qs;
    QTest::newRow("twelve of a thing stays shi er") << u"12个"_qs << u"十二个"_qs;
}

void TestPinyin::numbersInChinese() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(py::numbersInChinese(text), expected);
}

void TestPinyin::letterReading_data() {
    QTest::addColumn<QString>("letters");
    QTest::addColumn<QString>("character");
    QTest::addColumn<QString>("expected");
    QTest::newRow("marked vowel in its own tone") << u"á"_qs << u"a5"_qs << u"a2"_qs;
    QTest::newRow("third tone not the character's") << u"ǒ"_qs << u"huo1"_qs << u"o3"_qs;
    QTest::newRow("bare vowel in the first tone") << u"a"_qs << u"a5"_qs << u"a1"_qs;
    QTest::newRow("initial f as its character fó") << u"f"_qs << u"fo2"_qs << u"fo2"_qs;
    QTest::newRow("initial zh as zhī") << u"zh"_qs << u"zhi1"_qs << u"zhi1"_qs;
    QTest::newRow("initial m as mō, not the syllable m") << u"m"_qs << u"mo1"_qs << u"mo1"_qs;
    QTest::newRow("eng alone is a syllable") << u"eng"_qs << u"eng1"_qs << u"eng1"_qs;
    QTest::newRow("final on u takes the character") << u"ǔn"_qs << u"wen3"_qs << u"wen3"_qs;
    QTest::newRow("final on ü in the marked tone") << u"ǘn"_qs << u"yun1"_qs << u"yun2"_qs;
    QTest::newRow("whole syllable") << u"yīng"_qs << u"ying1"_qs << u"ying1"_qs;
    QTest::newRow("final ong as itself, not its card's wēng")
        << u"ong"_qs << u"weng1"_qs << u"ong1"_qs;
}

void TestPinyin::letterReading() {
    QFETCH(QString, letters);
    QFETCH(QString, character);
    QFETCH(QString, expected);
    QCOMPARE(py::letterReading(letters, character), expected);
}

void TestPinyin::lettersSaid_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("final after characters") << u"单韵母a"_qs << u"单韵母 a1 "_qs;
    QTest::newRow("initial as its syllable") << u"声母zh"_qs << u"声母 zhi1 "_qs;
    QTest::newRow("f as fó") << u"声母f"_qs << u"声母 fo2 "_qs;
    QTest::newRow("ü final") << u"单韵母ü"_qs << u"单韵母 ü1 "_qs;
    QTest::newRow("English word in quotes left alone")
        << u"“doll”是什么玩具？"_qs << u"“doll”是什么玩具？"_qs;
    QTest::newRow("English word apart left alone") << u"说 a cat 吧"_qs << u"说 a cat 吧"_qs;
    QTest::newRow("letters that are no pinyin left alone") << u"按ABC走"_qs << u"按ABC走"_qs;
    QTest::newRow("a list of initials begun against a character")
        << u"见到j、q、x，"_qs << u"见到 ji1 、 qi1 、 xi1 ，"_qs;
    QTest::newRow("a list of English words stays English")
        << u"英语里用 in、on、under 来说。"_qs << u"英语里用 in、on、under 来说。"_qs;
    QTest::newRow("a letter in quotes is no pinyin") << u"小写“d”的大写"_qs << u"小写“d”的大写"_qs;
}

void TestPinyin::lettersSaid() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(py::lettersSaid(text), expected);
}

void TestPinyin::voicePieces_data() {
    QTest::addColumn<QString>("reading");
    QTest::addColumn<QString>("expected"); // pieces joined by '|', English ones in [ ]
    QTest::newRow("a letter between syllables is English")
        << u"zi4 mu3 E he2 G"_qs << u"zi4 mu3 |[E]| he2 |[G]"_qs;
    QTest::newRow("capitals are English letters") << u"ABC he2 ni3"_qs << u"[ABC]| he2 ni3"_qs;
    QTest::newRow("an English phrase stays one piece")
        << u"shuo1 “ a cat ” ba5"_qs << u"shuo1 “ |[a cat]| ” ba5"_qs;
    QTest::newRow("numbered syllables stay Mandarin")
        << u"dan1 yun4 mu3 a1 ， ü1"_qs << u"dan1 yun4 mu3 a1 ， ü1"_qs;
    QTest::newRow("no letters: one Mandarin piece") << u"lu4 zhai4 。"_qs << u"lu4 zhai4 。"_qs;
}

void TestPinyin::voicePieces() {
    QFETCH(QString, reading);
    QFETCH(QString, expected);
    QStringList pieces;
    for (const py::Piece& p : py::voicePieces(reading))
        pieces << (p.english ? QLatin1Char('[') + p.text + QLatin1Char(']') : p.text);
    QCOMPARE(pieces.join(QLatin1Char('|')), expected);
}

void TestPinyin::heard_data() {
    QTest::addColumn<QString>("phonemes");
    QTest::addColumn<QString>("expected"); // sound/tone, space-separated
    QTest::newRow("one a word") << u"l'u51_| ts.'ai51_|"_qs << u"lu/4 ts.ai/4"_qs;
    QTest::newRow("joined word") << u"phi35phA33_| ph'A35_|"_qs << u"phi/2 phA/5 phA/2"_qs;
    QTest::newRow("nasal after the tone") << u"ji53Nw'u51_|"_qs << u"jiN/4 wu/4"_qs;
    QTest::newRow("nasal before a vowel opens the next") << u"'a55n'i35"_qs << u"a/1 ni/2"_qs;
    QTest::newRow("half third tone") << u"w'A21n_| 'a55n_|"_qs << u"wAn/3 an/1"_qs;
    QTest::newRow("English stretch left out")
        << u"_:_:_|(en)d'055l(cmn)_:_:_| s.'i.51_|"_qs << u"s.i./4"_qs;
    QTest::newRow("no tone at the end") << u"m_|"_qs << u"m/0"_qs;
}

void TestPinyin::heard() {
    QFETCH(QString, phonemes);
    QFETCH(QString, expected);
    QStringList got;
    for (const py::Heard& h : py::heardSyllables(phonemes))
        got << h.sound + QLatin1Char('/') + QString::number(h.tone);
    QCOMPARE(got.join(QLatin1Char(' ')), expected);
}

void TestPinyin::compare_data() {
    QTest::addColumn<QStringList>("meant");
    QTest::addColumn<QString>("phonemes");
    QTest::addColumn<QString>("fault"); // a part of the message; empty: none
    QTest::newRow("as meant") << QStringList{"lu4", "zhai4"} << u"l'u51_| ts.'ai51_|"_qs
                              << QString();
    QTest::newRow("wrong reading of a polyphone")
        << QStringList{"lu4", "zhai4"} << u"l'u51_| ts.h'ai35_|"_qs << u"syllable 2 \"zhai4\""_qs;
    QTest::newRow("de for di") << QStringList{"di4", "qiu2"} << u"t@11_| tS;h'iou35_|"_qs
                               << u"syllable 1 \"di4\""_qs;
    QTest::newRow("last syllable doubled")
        << QStringList{"pi2", "pa5"} << u"phi35phA33_| ph'A35_|"_qs << u"said twice"_qs;
    QTest::newRow("doubled inside the line")
        << QStringList{"pi2", "pa5", "sheng1"} << u"phi35phA33_| ph'A35_| s.'@55N"_qs
        << u"said twice"_qs;
    QTest::newRow("tones alike") << QStringList{"a1", "a2", "a3"} << u"'A55 'A55 'A55"_qs
                                 << u"syllable 2 \"a2\" is said with tone 1"_qs;
    QTest::newRow("third tone changed before a third")
        << QStringList{"ni3", "hao3"} << u"n'i35_| X'Au214_|"_qs << QString();
    QTest::newRow("second tone for a third without a third after")
        << QStringList{"ni3", "ma1"} << u"n'i35_| m'A55_|"_qs << u"with tone 2"_qs;
    QTest::newRow("syllable left out")
        << QStringList{"wo3", "men5"} << u"w'o214_|"_qs << u"left out"_qs;
}

void TestPinyin::compare() {
    QFETCH(QStringList, meant);
    QFETCH(QString, phonemes);
    QFETCH(QString, fault);
    // The voice's sounds of syllables alone, as it says them.
    const QHash<QString, QString> alone{
        {"lu", "lu"},  {"zhai", "ts.ai"}, {"di", "ti"},   {"qiu", "tS;hiou"}, {"pi", "phi"},
        {"pa", "phA"}, {"sheng", "s.@N"}, {"a", "A"},     {"ni", "ni"},       {"hao", "XAu"},
        {"ma", "mA"},  {"wo", "wo"},      {"men", "m@n"},
    };
    const QString got = py::compare(meant, py::heardSyllables(phonemes),
                                    [&](const QString& s) { return alone.value(s.chopped(1)); });
    if (fault.isEmpty())
        QVERIFY2(got.isEmpty(), qPrintable(got));
    else
        QVERIFY2(got.contains(fault), qPrintable(got));
}

QTEST_GUILESS_MAIN(TestPinyin)
#include "tst_pinyin.moc"

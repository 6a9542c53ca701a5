// The word tables: sections and derivations, catalogue classes, file names, font sizes.
#include "activities/language/BrowserRules.h"
#include "activities/language/WordTables.h"
#include "activities/language/XxdctRules.h"

#include <QFile>

#include <QSet>
#include <QtTest>

using namespace language;

class TestWordTables : public QObject {
    Q_OBJECT
private slots:
    void sectionsStartWhereListed_data();
    void sectionsStartWhereListed();
    void derivedTablesLeaveOut();
    void picturesAreDistinctAndCovered();
    void categoryWordsFitThePairGame();
    void storedSpellingKept();
    void contentListsMatchTheTables();
    void fontSizes_data();
    void fontSizes();
};

void TestWordTables::sectionsStartWhereListed_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("name");
    const struct {
        const char* table;
        int row;
        const char* name;
    } rows[] = {
        {"catalogue", 64, "苍蝇"},    {"catalogue", 65, "夹克衫"},  {"catalogue", 87, "自行车"},
        {"catalogue", 112, "西红柿"}, {"catalogue", 136, "苹果"},   {"catalogue", 154, "爸爸"},
        {"catalogue", 182, "电视"},   {"catalogue", 208, "尺子"},   {"catalogue", 229, "蜡笔"},
        {"zhlx", 46, "螃蟹"},         {"zhlx", 63, "苍蝇"},         {"zhlx", 64, "夹克衫"},
        {"zhlx", 86, "自行车"},       {"zhlx", 111, "电视"},        {"zhlx", 134, "烤箱"},
        {"zhlx", 135, "尺子"},        {"zhlx", 157, "西红柿"},      {"zhlx", 181, "苹果"},
        {"zhlx", 193, "甜瓜"},        {"zhlx", 194, "爸爸"},        {"zhlx", 233, "作家"},
        {"category", 0, "白色"},      {"category", 10, "0"},        {"category", 20, "10"},
        {"category", 65, "笑"},       {"category", 113, "风筝"},    {"picturewords", 5, "熊猫"},
        {"picturewords", 49, "海豹"}, {"picturewords", 50, "海象"}, {"picturewords", 51, "海牛"},
    };
    for (const auto& r : rows)
        QTest::addRow("%s row %d", r.table, r.row)
            << QString::fromLatin1(r.table) << r.row << QString::fromUtf8(r.name);
}

void TestWordTables::sectionsStartWhereListed() {
    QFETCH(QString, table);
    QFETCH(int, row);
    QFETCH(QString, name);
    QString got;
    if (table == QLatin1String("catalogue"))
        got = QString::fromUtf8(LookRecTable[row].name);
    else if (table == QLatin1String("zhlx"))
        got = KtrwZhlxWordTable().at(static_cast<size_t>(row)).name();
    else if (table == QLatin1String("category"))
        got = QString::fromUtf8(CategoryWords[row].chinese);
    else
        got = PictureWords().at(static_cast<size_t>(row)).name();
    QCOMPARE(got, name);
}

void TestWordTables::derivedTablesLeaveOut() {
    QCOMPARE(static_cast<int>(KtrwZhlxWordTable().size()), 234);
    QCOMPARE(static_cast<int>(PictureWords().size()), 62);
    QSet<QString> zhlx, words;
    for (const WordRow& r : KtrwZhlxWordTable())
        zhlx << r.name();
    for (const WordRow& r : PictureWords())
        words << r.name();
    for (const char* gone :
         {"鲤鱼", "火龙果", "蓝莓", "莲雾", "柚子", "乌梅", "豆浆机", "电压力锅"})
        QVERIFY2(!zhlx.contains(QString::fromUtf8(gone)), gone);
    for (const char* gone : {"北极熊", "海狮", "海狗"})
        QVERIFY2(!words.contains(QString::fromUtf8(gone)), gone);
    // The animals keep English and pinyin past the carp: row 46 is the crab.
    QCOMPARE(KtrwZhlxWordTable()[46].word(), QStringLiteral("crab"));
    QCOMPARE(KtrwZhlxWordTable()[46].spelling(), QStringLiteral("páng xiè"));
    QCOMPARE(PictureWords()[50].word(), QStringLiteral("walrus"));
    QCOMPARE(catalogueClassStart('5'), 136);
    QCOMPARE(catalogueClassCount('6'), 28);
    QCOMPARE(catalogueClassStart('9'), -1);
}

void TestWordTables::picturesAreDistinctAndCovered() {
    QSet<QString> all;
    for (const PictureRow& p : LookRecTable)
        all << QString::fromUtf8(p.name);
    QCOMPARE(all.size(), 230);
    for (const QString& n : extraPictureNames())
        all << n;
    QCOMPARE(all.size(), 270);
    QSet<QString> zhlx;
    for (const WordRow& r : KtrwZhlxWordTable()) {
        zhlx << r.name();
        QVERIFY2(all.contains(r.name()), qPrintable(r.name()));
    }
    QCOMPARE(zhlx.size(), 234);
}

void TestWordTables::categoryWordsFitThePairGame() {
    QSet<QString> english;
    for (int r = 0; r < kCategoryCount; ++r) {
        const CategoryRow& c = CategoryWords[r];
        QVERIFY(c.category >= '1' && c.category <= '7');
        QVERIFY(r == 0 || CategoryWords[r - 1].category <= c.category);
        QVERIFY(*c.chinese && *c.english);
        english << QString::fromUtf8(c.english);
    }
    // Distinct English words, so a board of 16 can always be dealt.
    QCOMPARE(english.size(), kCategoryCount);
    QCOMPARE(QString::fromUtf8(CategoryWords[10].english), QStringLiteral("Zero"));
    QCOMPARE(QString::fromUtf8(CategoryWords[20].english), QStringLiteral("Ten"));
    QCOMPARE(CategoryWords[49].category, '6');
    QCOMPARE(CategoryWords[48].category, '5');
}

void TestWordTables::storedSpellingKept() {
    QCOMPARE(soundPath(KtrwWordTable[31].word()), QStringLiteral("DATA\\Sound\\Kangaroo.mp3"));
    QCOMPARE(soundPath(KtrwWordTable[5].word()), QStringLiteral("DATA\\Sound\\polar bear.mp3"));
    QCOMPARE(KtrwWordTable[20].spelling(), QStringLiteral(" gōng jī"));
    QCOMPARE(picturePath(QStringLiteral("袋鼠")),
             QStringLiteral("DATA\\picture\\LookRec\\袋鼠.jpg"));
    // The name is mended, the file name that data folders have stays.
    QCOMPARE(picturePath(QStringLiteral("蓝莓")),
             QStringLiteral("DATA\\picture\\LookRec\\蓝梅.jpg"));
}

namespace {
// The first column of a content list of the generator.
QStringList firstColumn(const char* file) {
    QFile f(QStringLiteral(PELUMO_SOURCE_DIR "/content/language/") + QLatin1String(file));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList names;
    for (const QString& line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n')))
        if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
            names << line.section(QLatin1Char('\t'), 0, 0);
    return names;
}
} // namespace

void TestWordTables::contentListsMatchTheTables() {
    QSet<QString> pictures;
    for (const PictureRow& p : LookRecTable)
        pictures << QString::fromUtf8(p.name);
    for (const QString& n : extraPictureNames())
        pictures << n;
    const QStringList drawn = firstColumn("pictures.txt");
    QCOMPARE(QSet<QString>(drawn.begin(), drawn.end()), pictures);
    const QStringList spoken = firstColumn("speech.txt");
    for (const WordRow& w : KtrwWordTable) {
        QVERIFY2(spoken.contains(w.name()), qPrintable(w.name()));
        QVERIFY2(spoken.contains(w.word()), qPrintable(w.word()));
    }
    for (char c = 'A'; c <= 'Z'; ++c)
        QVERIFY(spoken.contains(QString(QLatin1Char(c))));
    // Every letter group's words have their movies, in the order of the groups.
    QStringList words;
    for (int g = 0; g < letterGroups().size(); ++g) {
        QVERIFY2(!groupWords(g).empty(), qPrintable(letterGroups()[g]));
        for (const WordMeaning& m : groupWords(g))
            words << QString::fromUtf8(m.word);
    }
    QCOMPARE(firstColumn("fword.txt"), words);
}

void TestWordTables::fontSizes_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("pinyin");
    QTest::addColumn<int>("size");
    QTest::newRow("16-byte pinyin stays large") << "cháng jǐng lù" << true << 36;
    QTest::newRow("17-byte pinyin shrinks") << "cháng jǐng lùu" << true << 23;
    QTest::newRow("leading blank counts") << " gōng jī" << true << 36;
    QTest::newRow("four characters stay large") << "公共汽车" << false << 56;
    QTest::newRow("five characters shrink") << "动物园管理" << false << 42;
    QTest::newRow("ASCII counts one byte: 3 CJK + 2 ASCII stay large") << "公共汽AB" << false << 56;
    QTest::newRow("ASCII counts one byte: 4 CJK + 1 ASCII shrink") << "公共汽车A" << false << 42;
    QTest::newRow("pinyin with plain letters counts them once")
        << "xiao hong ma ya zi" << true << 23;
    QTest::newRow("sixteen plain letters stay large") << "xiao hong ma yaz" << true << 36;
}

void TestWordTables::fontSizes() {
    QFETCH(QString, text);
    QFETCH(bool, pinyin);
    QFETCH(int, size);
    QCOMPARE(pinyin ? pinyinFontSize(text) : nameFontSize(text), size);
}

QTEST_APPLESS_MAIN(TestWordTables)
#include "tst_wordtables.moc"

// The built pictures of the picture catalogue show their thing: none is only its word on
// a card, and no two words share one picture (a practice asking for one of them could
// not be answered). Read from the built data: the recipe note the generator keeps of
// how each picture was drawn, and the JPEG files themselves.
#include "activities/common/PictureCatalogue.h"
#include "activities/language/WordTables.h"

#include <QCryptographicHash>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

namespace {

const QString kNote = QStringLiteral(PELUMO_BINARY_DIR "/gendata-notes/lookrec-recipes.txt");
const QString kFolder = QStringLiteral(PELUMO_BINARY_DIR "/Data/picture/LookRec/");

// The built picture of a name, where the program looks for it.
QString pictureFile(const QString& name) {
    return kFolder + lookRecPicturePath(name).section(QLatin1Char('\\'), -1);
}

// Every name a practice or the sorting game shows a picture of.
QStringList catalogueNames() {
    QStringList names;
    for (const LookRecEntry& e : LookRecTable)
        names << QString::fromUtf8(e.name);
    for (const language::WordRow& r : language::KtrwZhlxWordTable())
        if (!names.contains(r.name()))
            names << r.name();
    return names;
}

// name -> recipe, as the generator recorded it ("card" for a word card).
QHash<QString, QString> recipes() {
    QHash<QString, QString> out;
    QFile f(kNote);
    if (!f.open(QIODevice::ReadOnly))
        return out;
    for (const QString& line : QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts)) {
        const QStringList fields = line.split('\t');
        out.insert(fields.value(0), fields.value(1));
    }
    return out;
}

// The emoji that show a person (the base character, before any skin tone or joined
// sign): reviewed by hand against the emoji font's pictures.
bool isPersonEmoji(const QString& part) {
    static const QList<char32_t> people = {
        0x1F9D1, // person
        0x1F468, // man
        0x1F469, // woman
        0x1F471, // person with blond hair
        0x1F9D3, // older person
        0x1F474, // old man
        0x1F475, // old woman
        0x1F9D4, // person with a beard
        0x1F46E, // police officer
        0x1F477, // construction worker
        0x1F482, // guard
        0x1F935, // person in a tuxedo
        0x1F3C3, // runner
        0x1F483, // dancer
        0x1F9CD, // standing person
    };
    const QList<uint> codes = part.toUcs4();
    return !codes.isEmpty() && people.contains(char32_t(codes.first()));
}

// The part of a recipe drawn big: before any small part beside it and before a thing
// held in the hands.
QString mainPart(const QString& recipe) {
    return recipe.section(QLatin1Char('+'), 0, 0).split(QRegularExpression("[&^]")).first();
}

} // namespace

class TestLookRecPictures : public QObject {
    Q_OBJECT
private slots:
    void everyCataloguePictureShowsItsThing();
    void noTwoWordsShareAPicture();
    void aJobShowsThePersonDoingIt_data();
    void aJobShowsThePersonDoingIt();
};

void TestLookRecPictures::everyCataloguePictureShowsItsThing() {
    const QHash<QString, QString> made = recipes();
    QVERIFY2(!made.isEmpty(), qPrintable(kNote + " is missing or empty"));
    QStringList faults;
    const QStringList names = catalogueNames();
    QVERIFY(names.size() >= kLookRecCount);
    for (const QString& name : names) {
        if (!QFile::exists(pictureFile(name)))
            faults << name + ": no picture";
        else if (!made.contains(name))
            faults << name + ": how it was drawn is not recorded";
        else if (made.value(name) == QLatin1String("card") || made.value(name).isEmpty())
            faults << name + ": only the word on a card";
    }
    for (const QString& f : faults)
        qWarning().noquote() << f;
    QVERIFY2(faults.isEmpty(), qPrintable(QStringLiteral("%1 catalogue pictures show no thing "
                                                         "(listed above)")
                                              .arg(faults.size())));
}

void TestLookRecPictures::noTwoWordsShareAPicture() {
    const QHash<QString, QString> made = recipes();
    QVERIFY2(!made.isEmpty(), qPrintable(kNote + " is missing or empty"));
    // Two words drawn by one recipe look alike whatever the background; two equal files
    // are the same picture however they were made.
    QHash<QString, QString> byRecipe, byHash;
    QStringList faults;
    QStringList names = made.keys();
    names.sort();
    for (const QString& name : names) {
        const QString recipe = made.value(name);
        if (recipe != QLatin1String("card")) {
            if (byRecipe.contains(recipe))
                faults << name + " and " + byRecipe.value(recipe) + ": both drawn as " + recipe;
            else
                byRecipe.insert(recipe, name);
        }
        QFile f(pictureFile(name));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const QString hash = QString::fromLatin1(
            QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1).toHex());
        if (byHash.contains(hash))
            faults << name + " and " + byHash.value(hash) + ": the same picture file";
        else
            byHash.insert(hash, name);
    }
    for (const QString& f : faults)
        qWarning().noquote() << f;
    QVERIFY2(
        faults.isEmpty(),
        qPrintable(QStringLiteral("%1 pictures are shared (listed above)").arg(faults.size())));
}

void TestLookRecPictures::aJobShowsThePersonDoingIt_data() {
    // The words of the catalogue that name a job, picked out by hand. A job drawn as its
    // tool alone (a camera for the photographer, a briefcase for the lawyer) teaches the
    // tool's name, not the job's.
    QTest::addColumn<QString>("word");
    for (const char* job :
         {"工人", "农民",   "教师",       "医生",         "司机",   "警察",   "消防员",
          "士兵", "摄影师", "宇航员",     "动物园管理员", "法官",   "飞行员", "歌手",
          "记者", "教授",   "科学家",     "律师",         "模特",   "魔术师", "邮递员",
          "作家", "护士",   "服务员",     "女服务员",     "艺术家", "导游",   "电脑专家",
          "厨师", "救生员", "图书管理员", "运动员"})
        QTest::newRow(job) << QString::fromUtf8(job);
}

void TestLookRecPictures::aJobShowsThePersonDoingIt() {
    QFETCH(QString, word);
    const QHash<QString, QString> made = recipes();
    QVERIFY2(made.contains(word), qPrintable(word + " has no picture recorded"));
    const QString recipe = made.value(word);
    QVERIFY2(
        isPersonEmoji(mainPart(recipe)),
        qPrintable(QStringLiteral("%1 is drawn as %2: no person at its centre").arg(word, recipe)));
}

QTEST_GUILESS_MAIN(TestLookRecPictures)
#include "tst_lookrecpictures.moc"

// The built pictures of the picture catalogue show their thing: none is only its word on
// a card, and no two words share one picture (a practice asking for one of them could
// not be answered). Read from the built data: the recipe note the generator keeps of
// how each picture was drawn, and the JPEG files themselves.
#include "activities/common/PictureCatalogue.h"
#include "activities/language/WordTables.h"

#include <QCryptographicHash>
#include <QFile>
#include <QHash>
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

} // namespace

class TestLookRecPictures : public QObject {
    Q_OBJECT
private slots:
    void everyCataloguePictureShowsItsThing();
    void noTwoWordsShareAPicture();
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

QTEST_GUILESS_MAIN(TestLookRecPictures)
#include "tst_lookrecpictures.moc"

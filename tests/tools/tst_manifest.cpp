// Every file the generator lists is there and readable, and the files every part of
// the program reads at start-up are among them.
#include "platform/ContentPack.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

class TestManifest : public QObject {
    Q_OBJECT
private slots:
    void everyListedFileExists();
    void coreFilesListed_data();
    void coreFilesListed();
    void resourcesCompiledIn();
    void sharedPicturePackFilled();

private:
    QStringList manifest() const;
};

QStringList TestManifest::manifest() const {
    QFile f(QStringLiteral(PELUMO_BINARY_DIR "/Data/manifest.txt"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
}

void TestManifest::everyListedFileExists() {
    const QStringList files = manifest();
    QVERIFY2(!files.isEmpty(), "Data/manifest.txt is missing or empty");
    QStringList missing;
    for (const QString& f : files) {
        QFileInfo fi(QStringLiteral(PELUMO_BINARY_DIR "/") + f);
        if (!fi.isFile() || fi.size() == 0)
            missing << f;
    }
    QVERIFY2(missing.isEmpty(), qPrintable("missing or empty: " + missing.join(", ")));
}

void TestManifest::coreFilesListed_data() {
    QTest::addColumn<QString>("file");
    for (const char* f :
         {"Data/Sound/bg.mp3", "Data/bgsnd/right.WAV", "Data/bgsnd/wrong.WAV",
          "Data/systxt/snd.txt", "Data/self.ani", "Data/jx.cur", "Data/move.ani", "Pelumo帮助.chm"})
        QTest::newRow(f) << QString::fromUtf8(f);
}

void TestManifest::coreFilesListed() {
    QFETCH(QString, file);
    QVERIFY2(manifest().contains(file), qPrintable(file));
}

void TestManifest::resourcesCompiledIn() {
    for (const char* r : {":/wav/ok", ":/wav/wrong", ":/main/imgbg.jpg", ":/splash/Image1.jpg"}) {
        QFile f(QString::fromLatin1(r));
        QVERIFY2(f.open(QIODevice::ReadOnly), r);
        QVERIFY2(f.size() > 100, r);
    }
}

// The pack that several steps add pictures to is written with the counting pictures.
void TestManifest::sharedPicturePackFilled() {
    QVERIFY(manifest().contains(QStringLiteral("Data/kjfile/pic.dat")));
    const auto pack =
        platform::ContentPack::open(QStringLiteral(PELUMO_BINARY_DIR "/Data/kjfile/pic.dat"));
    QVERIFY(pack->isValid());
    for (int n = 0; n <= 30; ++n) {
        const QString name = QStringLiteral("Number%1").arg(n);
        QVERIFY2(pack->contains(name, QStringLiteral("JPG")), qPrintable(name));
        QVERIFY2(pack->read(name, QStringLiteral("JPG")).startsWith("\xFF\xD8\xFF"),
                 qPrintable(name));
    }
}

QTEST_GUILESS_MAIN(TestManifest)
#include "tst_manifest.moc"

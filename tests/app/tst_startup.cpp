// The program's start as a child sees it: the main window comes first, what is not on the
// screen yet follows it, and the main window's hidden looks are there when they show.
#include "FlashTestSupport.h"
#include "FormTestSupport.h"
#include "activities/language/UABCKeyboard.h"
#include "app/Startup.h"
#include "app/TImage.h"
#include "app/UMain.h"
#include "app/USplash.h"
#include "platform/MessageService.h"

#include <QTemporaryDir>
#include <QtTest>

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void mainWindowComesFirst();
    void hiddenLooksShowTheirPictures_data();
    void hiddenLooksShowTheirPictures();
    void pictureFileReadWhenNeeded_data();
    void pictureFileReadWhenNeeded();
    void pictureReadAsNamedOrAsItIs_data();
    void pictureReadAsNamedOrAsItIs();
    void shownPicturesReadBeforeShowHiddenOnesLater();

private:
    std::unique_ptr<testsupport::TempProgramDir> dir_;
    std::unique_ptr<platform::MessageRecorder> messages_;
};

void TestStartup::initTestCase() {
    installFontSubstitutes();
    flashtest::useFakePlayers();
    dir_ = std::make_unique<testsupport::TempProgramDir>();
    QVERIFY(testsupport::linkSoundLibrary(dir_->path()));
    messages_ = std::make_unique<platform::MessageRecorder>();
    TFrmmain::terminateApplication = [] {};
}

void TestStartup::cleanupTestCase() {
    testsupport::deleteAllWindows();
    delete frmsplash;
    flashtest::dropFakePlayers();
}

// The keyboard game's window, which the main window's picture opens, is made only once the
// main window shows; it is there, hidden, before a child can reach for the picture, and
// opening it then leaves the main window where it is (only a window made anew hides it).
void TestStartup::mainWindowComesFirst() {
    openStartWindows();
    QVERIFY(Frmmain && Frmmain->isVisible());
    QVERIFY(frmsplash && !frmsplash->isVisible());
    QVERIFY(frmABCKeyboard.isNull());
    QVERIFY(QTest::qWaitForWindowExposed(Frmmain));
    QTRY_VERIFY(!frmABCKeyboard.isNull());
    QVERIFY(!frmABCKeyboard->isVisible());
    QVERIFY(Frmmain->isVisible());

    QTest::mouseClick(Frmmain->imgkey, Qt::LeftButton, {}, Frmmain->imgkey->rect().center());
    QVERIFY(frmABCKeyboard->isVisible());
    QVERIFY(Frmmain->isVisible());
    frmABCKeyboard->hide();
}

// The looks a picture button shows on hover and press are read from their files only as
// they show; they must then be the window's pictures, not empty ones.
void TestStartup::hiddenLooksShowTheirPictures_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("look");
    QTest::newRow("section picture, hover") << "imgwzsx"
                                            << "imgwzsx1";
    QTest::newRow("keyboard picture, hover") << "imgkey"
                                             << "imgkey1";
    QTest::newRow("exit picture, hover") << "imgexit"
                                         << "imgexit1";
}

void TestStartup::hiddenLooksShowTheirPictures() {
    QFETCH(QString, button);
    QFETCH(QString, look);
    auto* img = Frmmain->findChild<TImage*>(button);
    auto* companion = Frmmain->findChild<TImage*>(look);
    QVERIFY(img && companion);
    QVERIFY(!companion->isVisible());
    QTest::mouseMove(Frmmain, Frmmain->rect().bottomRight() - QPoint(5, 5));
    QTest::mouseMove(Frmmain, img->geometry().center());
    QTRY_VERIFY(companion->isVisible());
    const QImage expected = QImage(QStringLiteral(":/main/") + look + QStringLiteral(".png"))
                                .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QVERIFY(!expected.isNull());
    QCOMPARE(companion->pictureRect().size(), expected.size());
    QCOMPARE(companion->Picture().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
             expected);
    QTest::mouseMove(Frmmain, Frmmain->rect().bottomRight() - QPoint(5, 5));
}

// A picture given as a file is the file as it is when the picture is first needed; a file
// that cannot be read leaves no picture; a picture set afterwards wins over the file.
void TestStartup::pictureFileReadWhenNeeded_data() {
    QTest::addColumn<bool>("replaceFile");
    QTest::addColumn<bool>("removeFile");
    QTest::addColumn<bool>("setPictureAfter");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("read as first drawn") << false << false << false << QSize(30, 20);
    QTest::newRow("changed before first shown") << true << false << false << QSize(12, 8);
    QTest::newRow("missing file: no picture") << false << true << false << QSize();
    QTest::newRow("picture set afterwards wins") << false << false << true << QSize(5, 5);
}

void TestStartup::pictureFileReadWhenNeeded() {
    QFETCH(bool, replaceFile);
    QFETCH(bool, removeFile);
    QFETCH(bool, setPictureAfter);
    QFETCH(QSize, expected);
    QTemporaryDir tmp;
    const QString path = tmp.filePath(QStringLiteral("look.png"));
    QImage first(30, 20, QImage::Format_RGB32);
    first.fill(Qt::red);
    QVERIFY(first.save(path));
    QWidget form;
    form.resize(100, 100);
    auto* img = new TImage(&form);
    img->setGeometry(0, 0, 60, 60);
    img->setPictureFile(path);
    img->hide();
    if (replaceFile) {
        QImage second(12, 8, QImage::Format_RGB32);
        second.fill(Qt::blue);
        QVERIFY(second.save(path));
    }
    if (removeFile)
        QVERIFY(QFile::remove(path));
    if (setPictureAfter) {
        QPixmap p(5, 5);
        p.fill(Qt::green);
        img->setPicture(p);
    }
    form.show();
    img->show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(img->Picture().size(), expected.isValid() ? expected : QSize(0, 0));
    QCOMPARE(img->pictureRect().size(), expected.isValid() ? expected : QSize(0, 0));
    QCOMPARE(img->PictureFile(), setPictureAfter ? QString() : path);
}

namespace {

QImage filled(QSize size, QColor colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

} // namespace

// Pictures are read as what their names say without asking every format plug-in; a file
// named as something it is not is still read, a damaged one gives no picture.
void TestStartup::pictureReadAsNamedOrAsItIs_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("format"); // as written; empty: garbage bytes
    QTest::addColumn<QSize>("expected");
    QTest::newRow("png named png") << "a.png" << QByteArray("PNG") << QSize(30, 20);
    QTest::newRow("jpeg named jpg") << "a.jpg" << QByteArray("JPG") << QSize(30, 20);
    QTest::newRow("upper-case suffix") << "A.PNG" << QByteArray("PNG") << QSize(30, 20);
    QTest::newRow("png named jpg") << "photo.jpg" << QByteArray("PNG") << QSize(30, 20);
    QTest::newRow("jpeg named bmp") << "photo.bmp" << QByteArray("JPG") << QSize(30, 20);
    QTest::newRow("no suffix") << "photo" << QByteArray("PNG") << QSize(30, 20);
    QTest::newRow("damaged file") << "bad.png" << QByteArray() << QSize();
    QTest::newRow("missing file") << "" << QByteArray("PNG") << QSize();
}

void TestStartup::pictureReadAsNamedOrAsItIs() {
    QFETCH(QString, name);
    QFETCH(QByteArray, format);
    QFETCH(QSize, expected);
    QTemporaryDir tmp;
    QString path = tmp.filePath(name.isEmpty() ? QStringLiteral("gone.png") : name);
    if (!name.isEmpty()) {
        if (format.isEmpty()) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("\x89PNG\r\n\x1a\n but nothing after it");
        } else {
            QVERIFY(filled({30, 20}, Qt::darkCyan).save(path, format.constData()));
        }
    }
    const QImage read = TImage::readPicture(path);
    QCOMPARE(read.size(), expected.isValid() ? expected : QSize(0, 0));
    if (!read.isNull()) // JPEG loses a little
        QVERIFY(qAbs(QColor(read.pixel(15, 10)).hue() - QColor(Qt::darkCyan).hue()) <= 4);

    TImage img;
    const bool loaded = img.loadFromFile(path);
    QCOMPARE(loaded, expected.isValid());
    QCOMPARE(img.Picture().size(), expected.isValid() ? expected : QSize(0, 0));
}

// A window's shown pictures are read before it shows (side by side); a hidden look is read
// only when it is needed, so a file changed meanwhile shows as it is then.
void TestStartup::shownPicturesReadBeforeShowHiddenOnesLater() {
    QTemporaryDir tmp;
    QWidget form;
    QList<TImage*> images;
    QStringList paths;
    for (int i = 0; i < 4; ++i) {
        paths << tmp.filePath(QStringLiteral("look%1.png").arg(i));
        QVERIFY(filled({10 + i, 10}, Qt::red).save(paths.last()));
        images << new TImage(&form);
        images.last()->setPictureFile(paths.last());
    }
    images[2]->hide(); // a hover look
    QVERIFY(QFile::remove(paths[3]));
    TImage::readShownPictures(images);
    for (const QString& path : paths)
        if (QFile::exists(path))
            QVERIFY(filled({40, 40}, Qt::blue).save(path));

    QCOMPARE(images[0]->Picture().size(), QSize(10, 10));
    QCOMPARE(images[1]->Picture().size(), QSize(11, 10));
    QCOMPARE(QColor(images[1]->Picture().toImage().pixel(0, 0)), QColor(Qt::red));
    QCOMPARE(images[2]->Picture().size(), QSize(40, 40));
    QCOMPARE(QColor(images[2]->Picture().toImage().pixel(0, 0)), QColor(Qt::blue));
    QVERIFY(images[3]->Picture().isNull());
    // Read once: asking again reads nothing anew.
    QCOMPARE(images[0]->Picture().size(), QSize(10, 10));
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"

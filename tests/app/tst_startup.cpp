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

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"

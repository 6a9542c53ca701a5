// The main window: start-up messages, shape, the music switch, the child's photo rules.
#include "FormTestSupport.h"
#include "TestSupport.h"
#include "app/ShellState.h"
#include "app/Startup.h"
#include "app/UMain.h"
#include "app/UbtnState.h"
#include "platform/MessageService.h"
#include "platform/ProgramDir.h"
#include "platform/ShellOpen.h"
#include "platform/SoundLibrary.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QtTest>

using platform::MessageRecorder;

class TestUMain : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void startupWithEmptyDataFolder();
    void shape();
    void musicSwitch();
    void photoSizes_data();
    void photoSizes();
    void photoCancelled();
    void choosingCurrentPhotoKeepsIt();
    void restore();
    void restoreFailingKeepsPhoto();
    void startupShowsExistingPhoto();
    void helpAndMail();
    void picturesLoaded();

private:
    QByteArray jpeg(int w, int h) const;
    QString writeJpeg(const QString& name, int w, int h);
    testsupport::TempProgramDir* dir_ = nullptr;
    MessageRecorder* rec_ = nullptr;
    TFrmmain* main_ = nullptr;
    QString chosen_;
};

QByteArray TestUMain::jpeg(int w, int h) const {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(QColor(200, 120, 40));
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "JPG");
    return bytes;
}

QString TestUMain::writeJpeg(const QString& name, int w, int h) {
    return dir_->write("pictures/" + name, jpeg(w, h));
}

void TestUMain::initTestCase() {
    installFontSubstitutes();
    dir_ = new testsupport::TempProgramDir;
    // The real sound library, but no music file: the data folder is otherwise empty.
    QVERIFY(testsupport::linkSoundLibrary(dir_->path()));
    rec_ = new MessageRecorder;
    TFrmmain::terminateApplication = [] {};
    TFrmmain::popupMenu = [](QMenu*) {};
    TFrmmain::choosePhotoFile = [this](QWidget*) { return chosen_; };
    main_ = new TFrmmain;
}

void TestUMain::cleanupTestCase() {
    main_->close();
    delete main_;
    delete rec_;
    delete dir_;
}

void TestUMain::startupWithEmptyDataFolder() {
    QCOMPARE(Frmmain.data(), main_);
    QVERIFY(main_->pnldtt->isHidden());
    QVERIFY(!shell::hasScreenCursor(1));
    QVERIFY(!main_->WrongWave.isEmpty());
    QCOMPARE(main_->WrongWave.left(4), QByteArray("RIFF"));
    // Library present and of the right version: the only complaint is the missing music.
    QCOMPARE(rec_->calls().size(), size_t(1));
    QCOMPARE(rec_->calls()[0].text, QString("播放音乐文件失败!"));
    QCOMPARE(rec_->calls()[0].caption, QString());
    QCOMPARE(rec_->calls()[0].flags, 16);
    QCOMPARE(main_->size(), QSize(900, 675));
    QCOMPARE(main_->windowTitle(), QString("Pelumo"));
    QVERIFY(main_->chkrec->isChecked());
    rec_->clear();
}

void TestUMain::shape() {
    const QRegion m = main_->mask();
    QVERIFY(!m.contains(QPoint(1, 1)));
    QVERIFY(!m.contains(QPoint(898, 673)));
    QVERIFY(m.contains(QPoint(450, 337)));
    QVERIFY(m.contains(QPoint(30, 1)));
    const QRegion p = main_->pnldtt->mask();
    QVERIFY(!p.contains(QPoint(2, 2)));
    QVERIFY(p.contains(QPoint(167, 167)));
}

void TestUMain::musicSwitch() {
    // Give the switch a real looping stream to act on.
    auto& snd = platform::soundLibrary();
    QFile ok(":/wav/ok");
    QVERIFY(ok.open(QIODevice::ReadOnly));
    const QString path = dir_->write("Data/Sound/bg.wav", ok.readAll());
    const quint32 saved = BgMusicChannel;
    BgMusicChannel = snd.StreamCreateFile(path, 4);
    QVERIFY(BgMusicChannel != 0);
    QVERIFY(snd.ChannelPlay(BgMusicChannel, false));
    QCOMPARE(snd.ChannelState(BgMusicChannel), 1u);

    main_->chkrec->click();
    QVERIFY(!main_->chkrec->isChecked());
    QCOMPARE(snd.ChannelState(BgMusicChannel), 3u); // paused, not freed
    main_->Label1Click();
    QVERIFY(main_->chkrec->isChecked());
    QCOMPARE(snd.ChannelState(BgMusicChannel), 1u);
    // The label toggles exactly like the box, through a real click too.
    QTest::mouseClick(main_->Label1, Qt::LeftButton);
    QVERIFY(!main_->chkrec->isChecked());
    QCOMPARE(snd.ChannelState(BgMusicChannel), 3u);

    // With the music off, an activity's open and close leave it off.
    shell::pauseMusicForActivity();
    shell::resumeMusicAfterActivity();
    QCOMPARE(snd.ChannelState(BgMusicChannel), 3u);
    main_->chkrec->click();
    shell::pauseMusicForActivity();
    QCOMPARE(snd.ChannelState(BgMusicChannel), 3u);
    shell::resumeMusicAfterActivity();
    QCOMPARE(snd.ChannelState(BgMusicChannel), 1u);

    snd.StreamFree(BgMusicChannel);
    BgMusicChannel = saved;
    QVERIFY(rec_->calls().empty());
}

void TestUMain::photoSizes_data() {
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("500x500 accepted") << 500 << 500 << "";
    QTest::newRow("335x335 accepted") << 335 << 335 << "";
    QTest::newRow("501x400 too long")
        << 501 << 400 << "您的图片长度大于500像素，请手动修改图片大小为500*500像素以内！";
    QTest::newRow("400x501 too wide")
        << 400 << 501 << "您的图片宽度大于500像素，请手动修改图片大小为500*500像素以内！";
    QTest::newRow("501x501 both")
        << 501 << 501 << "您的图片长度和宽度均大于500像素，请手动修改图片大小为500*500像素以内！";
}

void TestUMain::photoSizes() {
    QFETCH(int, w);
    QFETCH(int, h);
    QFETCH(QString, refusal);
    const QString target = dir_->path() + "/Data/baby.jpg";
    QFile::remove(target);
    main_->pnldtt->hide();
    chosen_ = writeJpeg(QString("%1x%2.jpg").arg(w).arg(h), w, h);
    rec_->clear();
    main_->N14Click();
    QVERIFY(rec_->calls().size() >= 1);
    QCOMPARE(rec_->calls()[0].caption, QString("宝宝大头贴图片设置说明！"));
    QCOMPARE(rec_->calls()[0].flags, 64);
    QVERIFY(rec_->calls()[0].text.startsWith("请注意将您宝宝的图片大小修改为"));
    if (refusal.isEmpty()) {
        QCOMPARE(rec_->calls().size(), size_t(1));
        QCOMPARE(testsupport::readFile(target), testsupport::readFile(chosen_));
        QVERIFY(!main_->pnldtt->isHidden());
        QCOMPARE(main_->imgbaby->Picture().size(), QSize(w, h));
    } else {
        QCOMPARE(rec_->calls().size(), size_t(2));
        QCOMPARE(rec_->calls()[1].text, refusal);
        QCOMPARE(rec_->calls()[1].caption, QString("宝宝大头贴图片设置出错！"));
        QCOMPARE(rec_->calls()[1].flags, 16);
        QVERIFY(!QFile::exists(target));
        QVERIFY(main_->pnldtt->isHidden());
    }
}

void TestUMain::photoCancelled() {
    const QString target = dir_->path() + "/Data/baby.jpg";
    QFile::remove(target);
    chosen_.clear();
    rec_->clear();
    main_->N14Click();
    QCOMPARE(rec_->calls().size(), size_t(1)); // the explanation only
    QVERIFY(!QFile::exists(target));
}

void TestUMain::choosingCurrentPhotoKeepsIt() {
    const QString target = dir_->write("Data/baby.jpg", jpeg(300, 300));
    const QByteArray before = testsupport::readFile(target);
    chosen_ = target;
    rec_->clear();
    main_->N14Click();
    QCOMPARE(rec_->calls().size(), size_t(1));
    QCOMPARE(testsupport::readFile(target), before);
    QVERIFY(!main_->pnldtt->isHidden());
}

void TestUMain::restore() {
    dir_->write("Data/baby.jpg", jpeg(100, 100));
    main_->pnldtt->show();
    rec_->clear();
    main_->N7Click();
    QVERIFY(!QFile::exists(dir_->path() + "/Data/baby.jpg"));
    QVERIFY(main_->pnldtt->isHidden());
    // Nothing to restore: nothing happens, nothing is said.
    main_->N7Click();
    QVERIFY(rec_->calls().empty());
}

void TestUMain::restoreFailingKeepsPhoto() {
    // A folder in place of the photo cannot be deleted as a file.
    const QString target = dir_->path() + "/Data/baby.jpg";
    QFile::remove(target);
    QVERIFY(QDir().mkpath(target + "/locked"));
    main_->pnldtt->show();
    rec_->clear();
    main_->N7Click();
    QCOMPARE(rec_->calls().size(), size_t(1));
    QCOMPARE(rec_->calls()[0].text,
             QString("恢复默认图片出错，请确保未使用当前的宝宝大头贴图片！"));
    QCOMPARE(rec_->calls()[0].caption, QString("恢复默认大头贴图片出错！"));
    QCOMPARE(rec_->calls()[0].flags, 16);
    QVERIFY(!main_->pnldtt->isHidden());
    QDir(target).removeRecursively();
}

void TestUMain::startupShowsExistingPhoto() {
    dir_->write("Data/baby.jpg", jpeg(200, 200));
    rec_->clear();
    TFrmmain second;
    QVERIFY(!second.pnldtt->isHidden());
    QCOMPARE(second.imgbaby->Picture().size(), QSize(200, 200));
    Frmmain = main_;
    QFile::remove(dir_->path() + "/Data/baby.jpg");
}

void TestUMain::helpAndMail() {
    QStringList opened;
    bool answer = true;
    platform::setShellOpenHandler([&](const QString& what) {
        opened << what;
        return answer;
    });
    main_->H1Click();
    main_->imghomeClick();
    main_->W2Click();
    QCOMPARE(opened.size(), 3);
    QCOMPARE(opened[0], platform::programDir() + "/Pelumo帮助.chm");
    QVERIFY(opened[1].startsWith("https://"));
    QVERIFY(opened[2].startsWith("mailto:"));
    QVERIFY(QUrl::fromPercentEncoding(opened[2].toUtf8()).contains("作者您好！"));
    rec_->clear();
    answer = false;
    main_->W2Click();
    QCOMPARE(rec_->calls().size(), size_t(1));
    QCOMPARE(rec_->calls()[0].caption, QString("邮件程序加载失败！"));
    QCOMPARE(rec_->calls()[0].flags, 64);
    platform::setShellOpenHandler(nullptr);
}

void TestUMain::picturesLoaded() {
    // Every picture button and its looks come from the compiled-in pictures.
    for (TImage* img : main_->findChildren<TImage*>()) {
        if (img == main_->imgbaby || img == main_->imgbaby2)
            continue;
        QVERIFY2(!img->Picture().isNull(), qPrintable(img->objectName()));
        QCOMPARE(img->Picture().size(), img->size());
    }
    main_->move(0, 0);
    main_->pnldtt->hide();
    main_->show();
    QVERIFY(QTest::qWaitForWindowExposed(main_));
    const QImage shot = main_->grab().toImage();
    QDir().mkpath(PELUMO_BINARY_DIR "/screens");
    shot.save(PELUMO_BINARY_DIR "/screens/main.png");
    // The mathematics button is drawn, not the bare form colour.
    const QColor form(0xF7, 0xEB, 0x09);
    QVERIFY(shot.pixelColor(main_->imgwzsx->geometry().center()) != form);
    // Hovering shows the brighter look over the button.
    SetBtnState(main_->imgwzsx, "MVEnter");
    QVERIFY(!main_->imgwzsx1->isHidden());
    main_->grab().save(PELUMO_BINARY_DIR "/screens/main-hover.png");
    SetBtnState(main_->imgwzsx, "MVLeave");
    QVERIFY(main_->imgwzsx1->isHidden());

    // A child's photo fills the round white frame.
    QImage photo(335, 335, QImage::Format_RGB32);
    photo.fill(QColor(90, 160, 220));
    main_->imgbaby->setPicture(QPixmap::fromImage(photo));
    main_->pnldtt->show();
    const QImage withPhoto = main_->grab().toImage();
    withPhoto.save(PELUMO_BINARY_DIR "/screens/main-photo.png");
    QCOMPARE(withPhoto.pixelColor(main_->pnldtt->geometry().center()), QColor(90, 160, 220));
    main_->pnldtt->hide();
}

QTEST_MAIN(TestUMain)
#include "tst_umain.moc"

// The main window: start-up messages, shape, the music switch, the child's photo rules.
#include "FormTestSupport.h"
#include "TestSupport.h"
#include "app/ShellState.h"
#include "app/Startup.h"
#include "app/UMain.h"
#include "platform/MessageService.h"
#include "platform/ProgramDir.h"
#include "platform/ShellOpen.h"
#include "platform/SoundLibrary.h"

#include "platform/Translations.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QImage>
#include <QRegularExpression>
#include <QTreeView>
#include <QtTest>

#include <memory>

#include <unistd.h>

class TestUMain : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void startupWithEmptyDataFolder();
    void musicSwitch();
    void photoChoice_data();
    void photoChoice();
    void photoThroughLink_data();
    void photoThroughLink();
    void restore();
    void helpAndMail();
    void picturesLoaded();
    void photoDialogInChinese();

private:
    QStringList boxes() const { return testsupport::boxes(*rec_); }
    QString photo() const { return dir_->path() + "/Data/baby.jpg"; }
    QString writeJpeg(const QString& relativePath, int w, int h) {
        QImage img(w, h, QImage::Format_RGB32);
        img.fill(QColor(200, 120, 40));
        QByteArray bytes;
        QBuffer buf(&bytes);
        buf.open(QIODevice::WriteOnly);
        img.save(&buf, "JPG");
        return dir_->write(relativePath, bytes);
    }
    testsupport::TempProgramDir* dir_ = nullptr;
    platform::MessageRecorder* rec_ = nullptr;
    TFrmmain* main_ = nullptr;
    QString chosen_;
};

void TestUMain::initTestCase() {
    installFontSubstitutes();
    dir_ = new testsupport::TempProgramDir;
    // The real sound library, but no music file: the data folder is otherwise empty.
    QVERIFY(testsupport::linkSoundLibrary(dir_->path()));
    rec_ = new platform::MessageRecorder;
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
    QCOMPARE(main_->WrongWave.left(4), QByteArray("RIFF"));
    // Library present and of the right version: the only complaint is the missing music.
    QCOMPARE(boxes(), QStringList{"|播放音乐文件失败!|16"});
    QVERIFY(main_->chkrec->isChecked());
    // The window and the photo frame are round.
    QVERIFY(!main_->mask().contains(QPoint(1, 1)));
    QVERIFY(!main_->mask().contains(QPoint(898, 673)));
    QVERIFY(main_->mask().contains(QPoint(30, 1)));
    QVERIFY(!main_->pnldtt->mask().contains(QPoint(2, 2)));
    QVERIFY(main_->pnldtt->mask().contains(QPoint(167, 167)));
    rec_->clear();
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

void TestUMain::photoChoice_data() {
    QTest::addColumn<int>("w"); // 0: the choice is cancelled
    QTest::addColumn<int>("h");
    QTest::addColumn<QString>("refusal");
    const QString fix = "请手动修改图片大小为500*500像素以内！";
    QTest::newRow("500x500 accepted") << 500 << 500 << "";
    QTest::newRow("cancelled") << 0 << 0 << "";
    QTest::newRow("501x400 too long") << 501 << 400 << "您的图片长度大于500像素，" + fix;
    QTest::newRow("400x501 too wide") << 400 << 501 << "您的图片宽度大于500像素，" + fix;
    QTest::newRow("501x501 both") << 501 << 501 << "您的图片长度和宽度均大于500像素，" + fix;
}

void TestUMain::photoChoice() {
    QFETCH(int, w);
    QFETCH(int, h);
    QFETCH(QString, refusal);
    QFile::remove(photo());
    main_->pnldtt->hide();
    chosen_ = w ? writeJpeg(QString("pictures/%1x%2.jpg").arg(w).arg(h), w, h) : QString();
    rec_->clear();
    main_->N14Click();
    QVERIFY(boxes().value(0).startsWith("宝宝大头贴图片设置说明！|请注意将您宝宝的图片大小修改为"));
    if (!refusal.isEmpty()) {
        QCOMPARE(boxes().mid(1), QStringList{"宝宝大头贴图片设置出错！|" + refusal + "|16"});
    } else {
        QCOMPARE(rec_->calls().size(), size_t(1));
        if (w)
            QCOMPARE(testsupport::readFile(photo()), testsupport::readFile(chosen_));
    }
    QCOMPARE(QFile::exists(photo()), w && refusal.isEmpty());
    QCOMPARE(main_->pnldtt->isHidden(), !QFile::exists(photo()));

    // Choosing the photo in use keeps it whole.
    const QByteArray before = testsupport::readFile(writeJpeg("Data/baby.jpg", 300, 300));
    chosen_ = photo();
    main_->N14Click();
    QCOMPARE(testsupport::readFile(photo()), before);
    QVERIFY(!main_->pnldtt->isHidden());
}

void TestUMain::photoThroughLink_data() {
    QTest::addColumn<bool>("othersFile");
    QTest::newRow("link to one's own picture: written through") << false;
    QTest::newRow("link to another user's file: refused") << true;
}

// The photo's place made a link to another file: a new photo goes into that file only when
// it is the user's own; another user's file stays as it was, and the child is told.
void TestUMain::photoThroughLink() {
    QFETCH(bool, othersFile);
    if (othersFile && ::geteuid() != 0)
        QSKIP("a file of another user needs root to make");
    QFile::remove(photo());
    const QString aimed = writeJpeg("elsewhere/picture.jpg", 300, 300);
    const QByteArray before = testsupport::readFile(aimed);
    if (othersFile)
        QCOMPARE(::chown(QFile::encodeName(aimed).constData(), 65534, 65534), 0);
    QVERIFY(QFile::link(aimed, photo()));
    chosen_ = writeJpeg("pictures/new.jpg", 200, 200);
    main_->pnldtt->hide();
    rec_->clear();
    main_->N14Click();
    QVERIFY(QFileInfo(photo()).isSymLink());
    if (othersFile) {
        QCOMPARE(boxes().mid(1),
                 QStringList{"宝宝大头贴图片设置出错！|"
                             "设置宝宝大头贴出错，请确保未使用当前的宝宝大头贴图片！|16"});
        QCOMPARE(testsupport::readFile(aimed), before);
        QCOMPARE(QFileInfo(aimed).ownerId(), 65534u);
        QVERIFY(main_->pnldtt->isHidden());
    } else {
        QCOMPARE(boxes().size(), qsizetype(1));
        QCOMPARE(testsupport::readFile(aimed), testsupport::readFile(chosen_));
        QVERIFY(!main_->pnldtt->isHidden());
    }
    QFile::remove(photo());
    QFile::remove(aimed);
}

void TestUMain::restore() {
    // A photo in place shows from the start.
    writeJpeg("Data/baby.jpg", 200, 200);
    {
        TFrmmain second;
        QVERIFY(!second.pnldtt->isHidden());
        QCOMPARE(second.imgbaby->Picture().size(), QSize(200, 200));
    }
    Frmmain = main_;
    main_->pnldtt->show();
    rec_->clear();
    main_->N7Click();
    QVERIFY(!QFile::exists(photo()));
    QVERIFY(main_->pnldtt->isHidden());
    // Nothing to restore: nothing happens, nothing is said.
    main_->N7Click();
    QVERIFY(rec_->calls().empty());
    // A folder in place of the photo cannot be deleted as a file: the photo stays.
    QVERIFY(QDir().mkpath(photo() + "/locked"));
    main_->pnldtt->show();
    main_->N7Click();
    QCOMPARE(boxes(), QStringList{"恢复默认大头贴图片出错！|"
                                  "恢复默认图片出错，请确保未使用当前的宝宝大头贴图片！|16"});
    QVERIFY(!main_->pnldtt->isHidden());
    QDir(photo()).removeRecursively();
}

void TestUMain::helpAndMail() {
    QStringList opened;
    bool answer = true;
    platform::setShellOpenHandler([&](const QString& what) {
        opened << what;
        return answer;
    });
    main_->H1Click();
    main_->W2Click();
    main_->imghomeClick();
    QCOMPARE(opened.size(), 3);
    QCOMPARE(opened[0], platform::programDir() + "/Pelumo帮助.chm");
    QVERIFY(opened[2].startsWith("https://"));
    QVERIFY(QUrl::fromPercentEncoding(opened[1].toUtf8()).contains("作者您好！"));
    rec_->clear();
    answer = false;
    main_->W2Click();
    QVERIFY(boxes().value(0).startsWith("邮件程序加载失败！|"));
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
    main_->show();
    QVERIFY(QTest::qWaitForWindowExposed(main_));
    // A child's photo fills the round white frame.
    QImage photo(335, 335, QImage::Format_RGB32);
    photo.fill(QColor(90, 160, 220));
    main_->imgbaby->setPicture(QPixmap::fromImage(photo));
    main_->pnldtt->show();
    const QImage withPhoto = main_->grab().toImage();
    QCOMPARE(withPhoto.pixelColor(main_->pnldtt->geometry().center()), QColor(90, 160, 220));
    main_->pnldtt->hide();
}

// The photo's dialog speaks Chinese, its dates too, and shows every column whole.
void TestUMain::photoDialogInChinese() {
    QVERIFY(platform::installChineseTranslations(*qApp));
    QFile f(writeJpeg(QStringLiteral("photos/宝宝的照片.jpg"), 40, 40));
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.setFileTime(QDateTime(QDate(2026, 12, 7), QTime(16, 17)),
                          QFileDevice::FileModificationTime));
    const std::unique_ptr<QFileDialog> dlg = TFrmmain::photoDialog(nullptr);
    dlg->setDirectory(QFileInfo(f).path());
    dlg->show();
    auto* details = dlg->findChild<QTreeView*>(QStringLiteral("treeView"));
    QTRY_COMPARE(details->model()->rowCount(details->rootIndex()), 1);
    const QModelIndex row = details->model()->index(0, 0, details->rootIndex());
    QTRY_COMPARE(row.siblingAtColumn(3).data().toString(), QStringLiteral("2026/12/7 16:17"));
    const QRegularExpression chinese(QStringLiteral("^[^A-Za-z]*\\p{Han}"));
    QHeaderView* header = details->header();
    for (int c = 1; c < header->count(); ++c) { // the name column takes the room left
        const QModelIndex cell = row.siblingAtColumn(c);
        QVERIFY2(details->model()->headerData(c, Qt::Horizontal).toString().contains(chinese),
                 qPrintable(cell.data().toString()));
        QTRY_VERIFY2(header->sectionSize(c) >= details->sizeHintForIndex(cell).width() &&
                         header->sectionSize(c) >= header->sectionSizeHint(c),
                     qPrintable(cell.data().toString()));
    }
    QVERIFY(row.siblingAtColumn(1).data().toString().contains(chinese)); // "664 字节"
    QVERIFY(row.siblingAtColumn(2).data().toString().contains(QStringLiteral("图像")));
    QVERIFY(header->length() <= details->viewport()->width()); // nothing to scroll to
    QTest::keyClick(details, Qt::Key_Escape);
    QTRY_VERIFY(!dlg->isVisible());
}

QTEST_MAIN(TestUMain)
#include "tst_umain.moc"

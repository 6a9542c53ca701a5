// The picture and English windows: each opens, finds its pictures, stops its timers
// when it closes or hands over, and survives missing data. A look at each window is
// saved as a PNG when PELUMO_GRAB_DIR names a folder.
#include "FlashTestSupport.h"
#include "WidgetTestSupport.h"
#include "activities/language/UABCGame.h"
#include "activities/language/UDDP.h"
#include "activities/language/UEngLishZHLX.h"
#include "activities/language/UKtrwAll.h"
#include "activities/language/UKtrwZhlx.h"
#include "activities/language/UXYB.h"
#include "activities/language/Uktrwlx.h"
#include "activities/language/Uxxdct.h"
#include "app/ActivitySound.h"
#include "app/FormRegistry.h"
#include "app/ShellState.h"
#include "app/Startup.h"
#include "app/TImage.h"
#include "app/UMain.h"
#include "platform/ContentPack.h"
#include "platform/MessageService.h"
#include "platform/ProgramDir.h"
#include "platform/Random.h"
#include "platform/SoundLibrary.h"
#include "tools/lib/PackWriter.h"

#include <QFontInfo>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

class TestLanguageWindows : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void everyPictureButtonHasItsLooks_data();
    void everyPictureButtonHasItsLooks();
    void browserStopsItsTimersWhenItLeaves();
    void practiceClicksDuringThePauseAreIgnored();
    void quizStopEndsThePause();
    void wordBrowserHandsOverAndKeepsTheMusicRight();
    void hoverRules_data();
    void hoverRules();
    void directoryNamesLightUpUnderTheMouse();
    void practicePictureGrowsAndIsSigned_data();
    void practicePictureGrowsAndIsSigned();
    void letterGameRightSoundHeardBesideThePrompt();
    void pairGameReopenedStartsAfresh();
    void wordBrowserGroupsAndMissingMovie();
    void intervalChooserOnlyOffersItsIntervals();
    void wordBrowserCaptionsFitTheirLabels();

private:
    static void grab(QWidget* w, const QString& name);
    static QWidget* part(QWidget* form, const QString& name);
    static void moveOver(QWidget* w);
    static void alone(QWidget* w);
    std::unique_ptr<platform::MessageRecorder> recorder_;
    std::unique_ptr<TFrmmain> main_;
    QStringList sounds_;
};

void TestLanguageWindows::initTestCase() {
    installFontSubstitutes();
    flashtest::useFakePlayers();
    TFrmmain::terminateApplication = [] {};
    recorder_ = std::make_unique<platform::MessageRecorder>();
    main_.reset(new TFrmmain);
    platform::fixRandomSeed(4);
    shell::setSoundListener([this](const QString& path) { sounds_ << path; });
}

void TestLanguageWindows::cleanupTestCase() {
    QList<QPointer<QWidget>> windows;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != main_.get())
            windows << w;
    for (const QPointer<QWidget>& w : windows)
        delete w.data();
    main_.reset();
    shell::setSoundListener({});
    platform::releaseRandomSeed();
    flashtest::dropFakePlayers();
}

void TestLanguageWindows::grab(QWidget* w, const QString& name) {
    const QString dir = qEnvironmentVariable("PELUMO_GRAB_DIR");
    if (!dir.isEmpty())
        w->grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

QWidget* TestLanguageWindows::part(QWidget* form, const QString& name) {
    QWidget* w = form->findChild<QWidget*>(name);
    if (!w)
        qFatal("%s has no %s", form->metaObject()->className(), qPrintable(name));
    return w;
}

// Only `w` is on screen, so that the mouse reaches it and no window left behind.
void TestLanguageWindows::alone(QWidget* w) {
    for (QWidget* t : QApplication::topLevelWidgets())
        if (t != w && t->isVisible())
            t->hide();
    QCoreApplication::processEvents();
    w->raise();
}

// The mouse, no button held, comes to rest in the middle of a widget.
void TestLanguageWindows::moveOver(QWidget* w) {
    QTest::mouseMove(w, w->rect().center());
    QCoreApplication::processEvents();
}

namespace {

int redPixels(QWidget* w) {
    const QImage img = w->grab().toImage();
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            n += c.red() > 200 && c.green() < 80 && c.blue() < 80;
        }
    return n;
}
} // namespace

void TestLanguageWindows::everyPictureButtonHasItsLooks_data() {
    QTest::addColumn<QString>("className");
    for (const char* c : {"TFrmKtrwAll", "Tfrmktrwlx", "TfrmKtrwZhlx", "TfrmEngLishZHLX",
                          "Tfrmabcgame", "Tfrmddp", "Tfrmxxdct"})
        QTest::newRow(c) << QString::fromLatin1(c);
}

void TestLanguageWindows::everyPictureButtonHasItsLooks() {
    QFETCH(QString, className);
    QWidget* w = openLazy(className);
    QVERIFY(w && w->isVisible());
    for (TImage* i : w->findChildren<TImage*>())
        if (i->Tag() < 0)
            for (const QString& n : {QString(), QStringLiteral("1"), QStringLiteral("2")})
                QVERIFY2(!w->findChild<TImage*>(i->objectName() + n)->Picture().isNull(),
                         qPrintable(i->objectName() + n));
    grab(w, className);
    w->close();
    QVERIFY(recorder_->calls().empty());
}

void TestLanguageWindows::browserStopsItsTimersWhenItLeaves() {
    auto* b = qobject_cast<TFrmKtrwAll*>(openLazy(QStringLiteral("TFrmKtrwAll")));
    QVERIFY(b);
    QVERIFY(b->Timer2->Enabled());
    QVERIFY(!b->dbimg->Picture().isNull());
    // Name and pinyin in the sizes given in points (56 and 36 on a 96-dpi screen).
    QCOMPARE(QFontInfo(b->txtzw->font()).pixelSize(), 75);
    QCOMPARE(QFontInfo(b->txtpy->font()).pixelSize(), 48);
    // The title: 29-pixel 黑体 with its red-to-yellow gradient, a fixed wrapping box.
    const TFontLabel* title1 =
        b->atitle->Fonts()->Items(b->atitle->Fonts()->IndexOf(QStringLiteral("Title1")));
    QCOMPARE(title1->Font().Font.family(), QStringLiteral("黑体"));
    QCOMPARE(title1->Font().Font.pixelSize(), 29);
    QVERIFY(title1->Effect()->Gradual()->Enabled());
    QVERIFY(!b->atitle->AutoSize() && b->atitle->Text()->WordWrap());
    QCOMPARE(b->atitle->size(), QSize(145, 34));
    for (int i = 0; i < 64; ++i)
        b->ShowPicture(QStringLiteral("next"));
    QCOMPARE(b->txtzw->text(), QStringLiteral("苍蝇"));
    QCOMPARE(sounds_.last(), QStringLiteral("DATA\\Sound\\苍蝇.mp3"));
    b->Timer2Timer();
    QCOMPARE(sounds_.last(), QStringLiteral("DATA\\Sound\\fly.mp3"));
    QVERIFY(b->txtyw->isVisible());
    while (b->Timer1->Enabled())
        b->Timer1Timer();
    grab(b, QStringLiteral("TFrmKtrwAll-last"));
    b->ShowPicture(QStringLiteral("next"));
    QCOMPARE(int(recorder_->calls().size()), 1);
    recorder_->clear();
    b->imglxClick();
    QVERIFY(!b->isVisible());
    for (TTimer* t : {b->Timer1, b->Timer2, b->Timer3, b->Timer4})
        QVERIFY(!t->Enabled());
    frmktrwlx->close();
    QVERIFY(b->isVisible()); // the practice brings the browser back
    b->close();
    QVERIFY(!b->Timer2->Enabled());
}

void TestLanguageWindows::practiceClicksDuringThePauseAreIgnored() {
    auto* p = qobject_cast<TfrmKtrwZhlx*>(openLazy(QStringLiteral("TfrmKtrwZhlx")));
    QVERIFY(p);
    // The English voice asks for an animal.
    QCOMPARE(sounds_.last(), language::soundPath(p->practice().asked().word()));
    const int right = p->practice().rightSlot();
    p->pictureClick(right);
    p->pictureClick((right + 1) % 16);
    QCOMPARE(p->lblcount->text(), QStringLiteral("1"));
    QCOMPARE(p->lbldui->text(), QStringLiteral("1"));
    QVERIFY(p->Timer2->Enabled());
    p->close();
    QVERIFY(!p->Timer2->Enabled());
    QVERIFY(!p->Timer1->Enabled());
}

void TestLanguageWindows::quizStopEndsThePause() {
    auto* q = qobject_cast<Tfrmabcgame*>(openLazy(QStringLiteral("Tfrmabcgame")));
    QVERIFY(q);
    q->imgreadClick(); // nothing asked yet: the message, no sound
    QCOMPARE(int(recorder_->calls().size()), 1);
    recorder_->clear();
    sounds_.clear();
    q->imgplayClick();
    QVERIFY(q->Timer1->Enabled());
    QCOMPARE(sounds_,
             QStringList{language::soundPath(QString(QChar('A' + q->quiz().answerEntry())))});
    for (int i = 0; i < 200; ++i)
        q->Timer1Timer();
    grab(q, QStringLiteral("Tfrmabcgame-running"));
    q->answerClick((q->quiz().answerItem() + 1) % 4);
    QVERIFY(q->Timer2->Enabled());
    q->answerClick(q->quiz().answerItem()); // during the pause
    QCOMPARE(q->lbltotal->text(), QStringLiteral("1"));
    q->imgstopClick();
    QVERIFY(!q->Timer2->Enabled());
    QVERIFY(!q->Timer1->Enabled());
    q->close();
}

void TestLanguageWindows::wordBrowserHandsOverAndKeepsTheMusicRight() {
    auto& snd = platform::soundLibrary();
    const auto music = [&snd] { return snd.ChannelState(BgMusicChannel); };
    QVERIFY(Frmmain->chkrec->isChecked());
    QVERIFY(snd.ChannelPlay(BgMusicChannel, false));
    auto* x = qobject_cast<Tfrmxxdct*>(openLazy(QStringLiteral("Tfrmxxdct")));
    QVERIFY(x);
    QCOMPARE(x->lblenglish->text(), QStringLiteral("a"));
    QCOMPARE(music(), 3u); // paused while the browser is open
    x->imgnextClick();
    QCOMPARE(x->lblenglish->text(), QStringLiteral("about"));
    QVERIFY(recorder_->calls().empty());
    QPointer<Tfrmxxdct> gone(x);
    x->imgautoClick(); // hands over to the pair game and frees itself
    QTRY_VERIFY(gone.isNull());
    QVERIFY(frmddp && frmddp->isVisible());
    frmddp->imgnextClick();
    grab(frmddp, QStringLiteral("Tfrmddp-running"));
    QCOMPARE(music(), 3u); // the handover leaves it off
    frmddp->close();
    QCOMPARE(music(), 1u); // and the pair game brings it back

    // The quiz opened from the browser returns to a new browser, the music still off.
    QPointer<Tfrmxxdct> browser(qobject_cast<Tfrmxxdct*>(openLazy(QStringLiteral("Tfrmxxdct"))));
    browser->imglxClick();
    QTRY_VERIFY(browser.isNull());
    QVERIFY(frmEngLishZHLX->isVisible());
    frmEngLishZHLX->close();
    QVERIFY(frmxxdct && frmxxdct->isVisible());
    QCOMPARE(music(), 3u);
    frmxxdct->close();
    QCOMPARE(music(), 1u);
}

void TestLanguageWindows::hoverRules_data() {
    // Each step: "move X" (the mouse comes to rest over X, no button held; "X@x,y" at a
    // point of the window), "click X", "shown X" / "hidden X" (what the window shows then).
    QTest::addColumn<QString>("className");
    QTest::addColumn<QStringList>("steps");
    QTest::newRow("picture browser: 目录 opens the directory on hover")
        << "TFrmKtrwAll" << QStringList{"hidden pnlml", "move imgml", "shown pnlml"};
    QTest::newRow("four pictures: bars round the picture under the mouse, gone over the "
                  "background")
        << "Tfrmktrwlx"
        << QStringList{"move picc", "shown lbltop", "shown lblbot", "move imgbg@30,600",
                       "hidden lbltop"};
    QTest::newRow("sixteen pictures: bars round the picture under the mouse, gone over the "
                  "background")
        << "TfrmKtrwZhlx"
        << QStringList{"move imgpic7", "shown lbltop", "move imgbg@40,400", "hidden lblbot"};
    QTest::newRow("letter game: the background takes away the lit stop button")
        << "Tfrmabcgame"
        << QStringList{"click imgplay", "shown imgstop1", "move imgbg@800,40", "hidden imgstop1"};
    QTest::newRow("phonetic symbols: vowel groups, consonant groups with 第七组, both gone "
                  "over 返回")
        << "Tfrmxyb" << QStringList{"move imyyy",   "shown pnlml", "hidden Label7", "move imgml",
                                    "shown Label7", "move imgfh",  "hidden pnlml"};
}

void TestLanguageWindows::hoverRules() {
    QFETCH(QString, className);
    QFETCH(QStringList, steps);
    QPointer<QWidget> w = openLazy(className);
    QVERIFY(w && QTest::qWaitForWindowExposed(w));
    alone(w);
    for (const QString& step : steps) {
        const QString verb = step.section(QLatin1Char(' '), 0, 0);
        const QString object = step.section(QLatin1Char(' '), 1);
        QWidget* target = part(w, object.section(QLatin1Char('@'), 0, 0));
        const QStringList at = object.section(QLatin1Char('@'), 1).split(QLatin1Char(','));
        if (verb == QLatin1String("move") && at.size() == 2) {
            const QPoint p(at[0].toInt(), at[1].toInt());
            QCOMPARE(w->childAt(p), target);
            QTest::mouseMove(w, p);
            QCoreApplication::processEvents();
        } else if (verb == QLatin1String("move"))
            moveOver(target);
        else if (verb == QLatin1String("click"))
            QTest::mouseClick(target, Qt::LeftButton, {}, target->rect().center());
        else // on a window system the mouse's move arrives a little later
            QTRY_VERIFY2(target->isVisibleTo(w) == (verb == QLatin1String("shown")),
                         qPrintable(step));
    }
    w->close();
    recorder_->clear();
}

void TestLanguageWindows::directoryNamesLightUpUnderTheMouse() {
    auto* b = qobject_cast<TFrmKtrwAll*>(openLazy(QStringLiteral("TFrmKtrwAll")));
    QVERIFY(b && QTest::qWaitForWindowExposed(b));
    alone(b);
    // (On a window system the mouse's moves arrive a little later.)
    moveOver(b->imgml);
    QTRY_VERIFY(b->pnlml->isVisible());
    QCOMPARE(b->Label1->text(), QStringLiteral("老虎"));
    QCOMPARE(redPixels(b->Label1), 0); // blue at rest
    moveOver(b->Label1);
    QTRY_VERIFY(redPixels(b->Label1) > 20);
    QVERIFY(b->Label1->font().underline());
    // The program's own cursor 3, not a pointing hand.
    QCOMPARE(b->Label1->cursor().shape(), shell::screenCursor(3).shape());
    moveOver(b->Image1);
    QTRY_COMPARE(redPixels(b->Label1), 0);
    grab(b, QStringLiteral("TFrmKtrwAll-directory"));
    b->close();
}

void TestLanguageWindows::practicePictureGrowsAndIsSigned_data() {
    QTest::addColumn<QString>("className");
    QTest::addColumn<int>("reach"); // how far above the picture's top the bar stops it
    QTest::addColumn<bool>("signOnPicture");
    QTest::newRow("four pictures: sign under the picture's right side")
        << "Tfrmktrwlx" << 6 << false;
    QTest::newRow("sixteen pictures: sign on the picture, not in the gap")
        << "TfrmKtrwZhlx" << 5 << true;
}

void TestLanguageWindows::practicePictureGrowsAndIsSigned() {
    QFETCH(QString, className);
    QFETCH(int, reach);
    QFETCH(bool, signOnPicture);
    auto* p = qobject_cast<TPicturePracticeForm*>(openLazy(className));
    QVERIFY(p && QTest::qWaitForWindowExposed(p));
    alone(p);
    const int slot = p->practice().rightSlot();
    const bool four = p->practice().layout().pictures == 4;
    auto* picture = qobject_cast<TImage*>(part(p, four ? QStringLiteral("pic") + QChar(u'a' + slot)
                                                       : QStringLiteral("imgpic%1").arg(slot + 1)));
    const QRect home = picture->geometry();
    moveOver(picture);
    QTRY_VERIFY(p->Timer1->Enabled());
    for (int t = 0; t < 100 && p->Timer1->Enabled(); ++t)
        p->Timer1Timer();
    QVERIFY(!p->Timer1->Enabled());
    const QRect grown = picture->geometry();
    QVERIFY(grown.width() > home.width() && grown.height() > home.height());
    QCOMPARE(grown.center(), home.center());
    QCOMPARE(grown.top(), part(p, QStringLiteral("lbltop"))->y() + reach);

    QTest::mouseClick(picture, Qt::LeftButton, {}, picture->rect().center());
    QWidget* sign = part(p, QStringLiteral("lblright"));
    QVERIFY(sign->isVisible());
    const QRect ink = testsupport::inkOf(sign);
    QVERIFY(!ink.isEmpty());
    const QRect pic = picture->geometry();
    QVERIFY2(ink.left() < pic.right() && ink.right() > pic.left(),
             qPrintable(QStringLiteral("ink %1..%2, picture %3..%4")
                            .arg(ink.left())
                            .arg(ink.right())
                            .arg(pic.left())
                            .arg(pic.right())));
    if (signOnPicture)
        QVERIFY(ink.intersects(pic));
    grab(p, className + QStringLiteral("-signed"));
    p->close();
}

void TestLanguageWindows::letterGameRightSoundHeardBesideThePrompt() {
    auto* q = qobject_cast<Tfrmabcgame*>(openLazy(QStringLiteral("Tfrmabcgame")));
    QVERIFY(q && QTest::qWaitForWindowExposed(q));
    QTest::mouseClick(q->imgplay, Qt::LeftButton, {}, q->imgplay->rect().center());
    QVERIFY(q->Timer1->Enabled());
    QList<QPair<QString, shell::SoundOutput>> heard;
    shell::setOutputListener(
        [&heard](const QString& path, shell::SoundOutput o) { heard << qMakePair(path, o); });
    QLabel* right =
        std::array<QLabel*, 4>{q->lbla, q->lblb, q->lblc, q->lbld}[size_t(q->quiz().answerItem())];
    QTest::mouseClick(right, Qt::LeftButton, {}, right->rect().center());
    shell::setSoundListener([this](const QString& path) { sounds_ << path; });
    // The judgement plays beside the shared stream, so the next prompt does not cut it off.
    QCOMPARE(heard.size(), 2);
    QCOMPARE(heard[0].first, QStringLiteral("DATA\\bgsnd\\right.WAV"));
    QVERIFY(heard[0].second == shell::SoundOutput::Wave);
    QCOMPARE(heard[1].first, language::soundPath(QString(QChar(u'A' + q->quiz().answerEntry()))));
    QVERIFY(heard[1].second == shell::SoundOutput::Stream);
    QCOMPARE(q->lblright->text(), QStringLiteral("1"));
    q->close();
}

void TestLanguageWindows::pairGameReopenedStartsAfresh() {
    auto* d = qobject_cast<Tfrmddp*>(openLazy(QStringLiteral("Tfrmddp")));
    QVERIFY(d && QTest::qWaitForWindowExposed(d));
    QTest::mouseClick(d->imgnext, Qt::LeftButton, {}, d->imgnext->rect().center()); // 开始
    QVERIFY(d->pnlmain->isVisible());
    QTest::mouseClick(d->imgts, Qt::LeftButton, {}, d->imgts->rect().center()); // 提示
    QCOMPARE(d->game().life(), 503);
    d->close();
    QCOMPARE(openLazy(QStringLiteral("Tfrmddp")), d);
    QVERIFY(QTest::qWaitForWindowExposed(d));
    recorder_->clear();
    QTest::mouseClick(d->imgts, Qt::LeftButton, {}, d->imgts->rect().center());
    // No game yet: the hint asks for 开始 and costs nothing.
    QCOMPARE(int(recorder_->calls().size()), 1);
    QCOMPARE(recorder_->calls()[0].text,
             QStringLiteral("请点击\"开始\"按钮进行[对对踫]游戏的练习！"));
    QCOMPARE(d->game().life(), 553);
    QCOMPARE(d->lblper->text(), QStringLiteral("100%"));
    recorder_->clear();
    d->close();
}

void TestLanguageWindows::wordBrowserGroupsAndMissingMovie() {
    auto* x = qobject_cast<Tfrmxxdct*>(openLazy(QStringLiteral("Tfrmxxdct")));
    QVERIFY(x);
    auto movie = [](Tfrmxxdct* w) { return w->ShockwaveFlash1->movieVersion(); };
    QTRY_VERIFY(movie(x) > 0);
    // Every letter group has its words, meanings and movies.
    x->cmbcontent->setCurrentIndex(1);
    emit x->cmbcontent->OnChange();
    QCOMPARE(x->lblenglish->text(), QStringLiteral("bag"));
    QCOMPARE(x->lblchinese->text(), QStringLiteral("[ 书包 ]"));
    QCOMPARE(x->lblchinese->property("Hint").toString(), QStringLiteral("书包"));
    QVERIFY(x->lblchinese->toolTip().isEmpty());
    QTRY_VERIFY(movie(x) > 0);
    // No group chosen: nothing of the last word stays.
    x->cmbcontent->setCurrentIndex(-1);
    emit x->cmbcontent->OnChange();
    QCOMPARE(x->LSBList->Items().Count(), 0);
    QVERIFY(x->lblenglish->text().isEmpty() && x->lblchinese->text().isEmpty());
    QCOMPARE(movie(x), 0);
    QPointer<Tfrmxxdct> gone(x);
    x->close();
    QTRY_VERIFY(gone.isNull());

    // A pack that lacks the movie of "about": the player is cleared, the word stays.
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("Data/kjfile")));
    tools::PackWriter pack;
    pack.add(QStringLiteral("a"), QStringLiteral("Flash"),
             platform::ContentPack::load(QStringLiteral("Fword"))
                 ->read(QStringLiteral("a"), QStringLiteral("Flash")));
    QVERIFY(pack.write(dir.path() + QStringLiteral("/Data/kjfile/Fword.dat"), nullptr));
    platform::setProgramDir(dir.path());
    x = qobject_cast<Tfrmxxdct*>(openLazy(QStringLiteral("Tfrmxxdct")));
    QVERIFY(x);
    QTRY_VERIFY(movie(x) > 0);
    QTest::mouseClick(x->imgnext, Qt::LeftButton, {}, x->imgnext->rect().center());
    platform::setProgramDir(QString());
    QCOMPARE(x->lblenglish->text(), QStringLiteral("about"));
    QCOMPARE(x->lblchinese->text(), QStringLiteral("[ 大约,关于 ]"));
    QCOMPARE(movie(x), 0);
    gone = x;
    x->close();
    QTRY_VERIFY(gone.isNull());
    QVERIFY(recorder_->calls().empty());
}

// The automatic interval is chosen from the list, never typed: typing leaves the shown
// interval as it was, and choosing the next one sets the timer to it.
void TestLanguageWindows::intervalChooserOnlyOffersItsIntervals() {
    auto* b = qobject_cast<TFrmKtrwAll*>(openLazy(QStringLiteral("TFrmKtrwAll")));
    QVERIFY(b);
    b->show();
    QCOMPARE(b->cmbcontent->currentText(), QStringLiteral("间隔6秒"));
    b->cmbcontent->setFocus();
    QTest::keyClicks(b->cmbcontent->focusProxy() ? b->cmbcontent->focusProxy() : b->cmbcontent,
                     QStringLiteral("12"));
    QCOMPARE(b->cmbcontent->currentText(), QStringLiteral("间隔6秒"));
    QCOMPARE(b->cmbcontent->currentIndex(), 0);
    QTest::mouseClick(b->cbautobro, Qt::LeftButton, {}, QPoint(5, 8));
    QVERIFY(b->cbautobro->Checked());
    QTest::keyClick(b->cmbcontent, Qt::Key_Down);
    QCOMPARE(b->cmbcontent->currentText(), QStringLiteral("间隔7秒"));
    QVERIFY(b->Timer3->Enabled());
    QCOMPARE(b->Timer3->Interval(), 7000);
    b->close();
}

// Every word of every group, and its meaning, shows whole in its label; a word that fits
// keeps the full type.
void TestLanguageWindows::wordBrowserCaptionsFitTheirLabels() {
    QPointer<Tfrmxxdct> x(qobject_cast<Tfrmxxdct*>(openLazy(QStringLiteral("Tfrmxxdct"))));
    QVERIFY(x);
    QVERIFY(QTest::qWaitForWindowExposed(x));
    auto whole = [](QLabel* l) {
        return QFontMetrics(l->font()).horizontalAdvance(l->text()) <= l->contentsRect().width() &&
               l->contentsRect().contains(testsupport::inkOf(l).translated(-l->pos()));
    };
    QCOMPARE(x->lblenglish->text(), QStringLiteral("a"));
    QCOMPARE(QFontInfo(x->lblenglish->font()).pixelSize(), 56);
    QCOMPARE(QFontInfo(x->lblchinese->font()).pixelSize(), 35);
    QStringList checked;
    for (int g = 0; g < language::letterGroups().size(); ++g) {
        x->cmbcontent->setCurrentIndex(g);
        emit x->cmbcontent->OnChange();
        const auto& words = language::groupWords(g);
        for (size_t i = 0; i < words.size(); ++i) {
            if (i > 0)
                QTest::mouseClick(x->imgnext, Qt::LeftButton, {}, x->imgnext->rect().center());
            QCOMPARE(x->lblenglish->text(), QString::fromUtf8(words[i].word));
            QVERIFY2(whole(x->lblenglish), words[i].word);
            QVERIFY2(whole(x->lblchinese), words[i].meaning);
            checked << x->lblenglish->text();
        }
    }
    QVERIFY(checked.contains(QStringLiteral("xylophone")));
    QVERIFY(checked.contains(QStringLiteral("afternoon")));
    x->close();
    QTRY_VERIFY(x.isNull());
}

QTEST_MAIN(TestLanguageWindows)
#include "tst_languagewindows.moc"

// The picture and English windows: each opens, finds its pictures, stops its timers
// when it closes or hands over, and survives missing data. A look at each window is
// saved as a PNG when PELUMO_GRAB_DIR names a folder.
#include "FlashTestSupport.h"
#include "activities/language/UABCGame.h"
#include "activities/language/UDDP.h"
#include "activities/language/UEngLishZHLX.h"
#include "activities/language/UKtrwAll.h"
#include "activities/language/UKtrwZhlx.h"
#include "activities/language/Uktrwlx.h"
#include "activities/language/Uxxdct.h"
#include "app/ActivitySound.h"
#include "app/FormRegistry.h"
#include "app/ShellState.h"
#include "app/Startup.h"
#include "app/TImage.h"
#include "app/UMain.h"
#include "platform/MessageService.h"
#include "platform/Random.h"
#include "platform/SoundLibrary.h"

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
    void wordBrowserWithoutMovieKeepsTheWord();

private:
    static void grab(QWidget* w, const QString& name);
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

void TestLanguageWindows::wordBrowserWithoutMovieKeepsTheWord() {
    auto& snd = platform::soundLibrary();
    const auto music = [&snd] { return snd.ChannelState(BgMusicChannel); };
    QVERIFY(Frmmain->chkrec->isChecked());
    QVERIFY(snd.ChannelPlay(BgMusicChannel, false));
    auto* x = qobject_cast<Tfrmxxdct*>(openLazy(QStringLiteral("Tfrmxxdct")));
    QVERIFY(x);
    QCOMPARE(x->lblenglish->text(), QStringLiteral("a"));
    QCOMPARE(music(), 3u); // paused while the browser is open
    x->cmbcontent->setCurrentIndex(1);
    emit x->cmbcontent->OnChange(); // a group without words: an empty list, nothing fails
    QCOMPARE(x->LSBList->Items().Count(), 0);
    QCOMPARE(x->lblenglish->text(), QStringLiteral("a"));
    x->imgnextClick();
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

QTEST_MAIN(TestLanguageWindows)
#include "tst_languagewindows.moc"

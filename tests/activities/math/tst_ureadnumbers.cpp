// Learning the numbers: selection, the list, automatic reading, pictures, the practice.
#include "MathFormTest.h"
#include "TestSupport.h"
#include "activities/math/ReadNumbersRules.h"
#include "activities/math/UChoiceNumbers.h"
#include "activities/math/UReadNumbers.h"
#include "app/FormRegistry.h"
#include "app/ShellState.h"
#include "platform/ProgramDir.h"
#include "platform/SoundLibrary.h"

class TestUReadNumbers : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void numberWords_data();
    void numberWords();
    void digitButtonSelects();
    void cursorStopsAtTheEnds();
    void listLabels();
    void automaticReadingStopsAtThirty();
    void pictureFollowsAndUncheckBringsDigitBack();
    void missingPictureKeepsDigit();
    void missingSoundIsReported();
    void musicStopsWhileOpen();
    void practiceHidesAndComesBack();

private:
    TImage* digit(int d) const;
    std::unique_ptr<mathtest::Harness> h_;
    TFrmReadNumbers* f_ = nullptr;
};

TImage* TestUReadNumbers::digit(int d) const {
    static const char* names[] = {"imgzero", "imgone", "imgtwo",   "imgthree", "imgfour",
                                  "imgfive", "imgsix", "imgseven", "imgeight", "imgnine"};
    return f_->findChild<TImage*>(QLatin1String(names[d]));
}

void TestUReadNumbers::initTestCase() {
    h_ = std::make_unique<mathtest::Harness>();
    f_ = qobject_cast<TFrmReadNumbers*>(openLazy(QStringLiteral("TFrmReadNumbers")));
    QVERIFY(f_);
}

void TestUReadNumbers::cleanupTestCase() {
    if (FrmChoiceNumbers)
        delete FrmChoiceNumbers.data();
    delete f_;
    h_.reset();
}

void TestUReadNumbers::init() {
    h_->sounds.clear();
    h_->recorder->clear();
    f_->Timer1->setEnabled(false);
    f_->Timer2->setEnabled(false);
    f_->chkpic->SetChecked(false);
    f_->imgoneClick(digit(0));
    h_->sounds.clear();
}

void TestUReadNumbers::numberWords_data() {
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("word");
    QTest::newRow("zero") << 0 << "Zero";
    QTest::newRow("teen") << 13 << "Thirteen";
    QTest::newRow("hyphenated") << 21 << "Twenty-one";
    QTest::newRow("last") << 30 << "Thirty";
    QTest::newRow("past the end") << 31 << "";
    QTest::newRow("negative") << -1 << "";
}

void TestUReadNumbers::numberWords() {
    QFETCH(int, n);
    QFETCH(QString, word);
    QCOMPARE(math::numberWord(n), word);
}

void TestUReadNumbers::digitButtonSelects() {
    f_->imgmlMouseMove();
    f_->imgoneClick(digit(7));
    QVERIFY(f_->pnlml->isHidden());
    QCOMPARE(f_->lblnumber->text(), QString("7"));
    QCOMPARE(f_->cmbnumber->currentIndex(), 7);
    QCOMPARE(f_->lblenglish->text(), QString("Seven"));
    QCOMPARE(h_->sounds, QStringList{"DATA\\Sound\\ReadNumber\\7.mp3"});
    QVERIFY(h_->recorder->calls().empty()); // the speech file is there and plays
    QCOMPARE(platform::soundLibrary().ChannelState(SoundChannel), 1u);
    QVERIFY(!f_->Timer2->Enabled());
    f_->imgpreClick();
    QCOMPARE(f_->lblnumber->text(), QString("6"));
}

void TestUReadNumbers::cursorStopsAtTheEnds() {
    math::NumberCursor c;
    QVERIFY(!c.prior());
    QVERIFY(!c.select(31) && !c.select(-1));
    QCOMPARE(c.current(), 0);
    QVERIFY(c.select(30));
    QVERIFY(!c.next());
    QVERIFY(c.prior());
    QCOMPARE(c.current(), 29);
}

void TestUReadNumbers::listLabels() {
    QLabel* l = f_->listLabels()[25];
    QCOMPARE(l->text(), QString("25"));
    const QPoint home = l->pos();
    f_->imgmlMouseMove();
    QTest::mousePress(l, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(l->pos(), home + QPoint(2, 2));
    QVERIFY(l->font().underline() && !l->font().bold());
    QTest::mouseRelease(l, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(l->pos(), home);
    QCOMPARE(f_->lblnumber->text(), QString("25"));
    QCOMPARE(f_->lblenglish->text(), QString("Twenty-five"));
    QCOMPARE(h_->sounds, QStringList{"DATA\\Sound\\ReadNumber\\25.mp3"});

    QEvent enter(QEvent::Enter), leave(QEvent::Leave);
    QApplication::sendEvent(l, &enter);
    QVERIFY(l->font().bold() && l->font().underline());
    QCOMPARE(l->palette().color(QPalette::WindowText), QColor(0, 255, 0));
    QApplication::sendEvent(l, &leave);
    QVERIFY(l->font().bold() && !l->font().underline());
    QCOMPARE(l->palette().color(QPalette::WindowText), QColor(Qt::black));
}

void TestUReadNumbers::automaticReadingStopsAtThirty() {
    f_->chkpic->SetChecked(true);
    f_->LabelClick(f_->listLabels()[28]);
    h_->sounds.clear();
    f_->imgautoClick();
    QVERIFY(f_->Timer1->Enabled());
    f_->Timer1Timer();
    f_->Timer2Timer();
    QVERIFY(f_->imgpicnum->isVisible());
    f_->Timer1Timer();
    QVERIFY(!f_->imgpicnum->isVisible());
    QCOMPARE(f_->lblnumber->text(), QString("30"));
    QCOMPARE(f_->lblenglish->text(), QString("Thirty"));
    QVERIFY(f_->Timer2->Enabled());
    f_->Timer1Timer();
    QVERIFY(!f_->Timer1->Enabled());
    QCOMPARE(f_->cmbnumber->currentIndex(), 30);
    QCOMPARE(h_->sounds,
             (QStringList{"DATA\\Sound\\ReadNumber\\29.mp3", "DATA\\Sound\\ReadNumber\\30.mp3"}));
}

void TestUReadNumbers::pictureFollowsAndUncheckBringsDigitBack() {
    f_->chkpic->SetChecked(true);
    QVERIFY(f_->Timer2->Enabled());
    f_->imgoneClick(digit(7));
    QVERIFY(f_->Timer2->Enabled());
    f_->Timer2Timer();
    QVERIFY(!f_->Timer2->Enabled());
    QVERIFY(f_->imgpicnum->isVisible());
    QVERIFY(!f_->imgpicnum->Picture().isNull());
    QCOMPARE(f_->lblnumber->text(), QString());

    f_->chkpic->SetChecked(false);
    QVERIFY(!f_->imgpicnum->isVisible());
    QCOMPARE(f_->lblnumber->text(), QString("7"));
    QVERIFY(!f_->Timer2->Enabled());
}

void TestUReadNumbers::missingPictureKeepsDigit() {
    // A window made while the program folder holds no picture pack.
    testsupport::TempProgramDir empty;
    TFrmReadNumbers w;
    platform::setProgramDir(QString());
    w.chkpic->SetChecked(true);
    w.imgoneClick(w.imgseven);
    w.Timer2Timer();
    QCOMPARE(w.lblnumber->text(), QString("7"));
    QVERIFY(w.imgpicnum->isHidden());
    QVERIFY(h_->recorder->calls().empty());
}

void TestUReadNumbers::missingSoundIsReported() {
    testsupport::TempProgramDir empty;
    f_->imgoneClick(digit(4));
    QCOMPARE(f_->lblnumber->text(), QString("4"));
    QCOMPARE(h_->boxes(), QStringList{"|播放声音文件失败!|16"});
}

void TestUReadNumbers::musicStopsWhileOpen() {
    auto& snd = platform::soundLibrary();
    QVERIFY(BgMusicChannel != 0);
    QVERIFY(h_->main->chkrec->isChecked());
    f_->close();
    QCOMPARE(snd.ChannelState(BgMusicChannel), 1u);
    f_->Show();
    QCOMPARE(snd.ChannelState(BgMusicChannel), 3u);
}

void TestUReadNumbers::practiceHidesAndComesBack() {
    f_->imgautoClick();
    f_->imglxClick();
    QVERIFY(FrmChoiceNumbers);
    QVERIFY(FrmChoiceNumbers->isVisible());
    QVERIFY(!f_->isVisible());
    QVERIFY(!f_->Timer1->Enabled());
    // The learning window keeps the music off while the practice is open.
    QCOMPARE(platform::soundLibrary().ChannelState(BgMusicChannel), 3u);
    FrmChoiceNumbers->close();
    QVERIFY(f_->isVisible());
    QCOMPARE(platform::soundLibrary().ChannelState(BgMusicChannel), 3u);
}

QTEST_MAIN(TestUReadNumbers)
#include "tst_ureadnumbers.moc"

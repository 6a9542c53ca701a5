// Learning the numbers: selection, the list, automatic reading, pictures; and the
// practice it opens: question order, candidates, answering, the clock and the end.
#include "MathFormTest.h"
#include "TestSupport.h"
#include "activities/math/ChoiceNumbersRules.h"
#include "activities/math/ReadNumbersRules.h"
#include "activities/math/UChoiceNumbers.h"
#include "activities/math/UReadNumbers.h"
#include "app/FormRegistry.h"
#include "app/ShellState.h"
#include "platform/ProgramDir.h"
#include "platform/SoundLibrary.h"

#include <QTextDocument>
#include <algorithm>
#include <set>

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
    // The practice.
    void orderIsAPermutation();
    void candidates();
    void practiceStartsOverAfterTheLastQuestion();
    void clockText_data();
    void clockText();
    void showStartsAfresh();
    void answering_data();
    void answering();
    void showAnswer();
    void stepping();
    void closeStopsClockAndKeepsMusic();
    void practiceHidesAndComesBack();

private:
    TImage* digit(int d) const;
    // The first answer button of the practice that shows `number`, or that does not.
    TImage* button(int number, bool showing = true) const {
        for (TImage* b : {c_->imga, c_->imgb, c_->imgc, c_->imgd})
            if ((b->Hint() == QString::number(number)) == showing)
                return b;
        return nullptr;
    }
    TFrmChoiceNumbers* c_ = nullptr;
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
    QCOMPARE(l->pos(), home + QPoint(2, 2)); // pressed in
    QTest::mouseRelease(l, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(l->pos(), home);
    QCOMPARE(f_->lblnumber->text() + f_->lblenglish->text(), QString("25Twenty-five"));
    QCOMPARE(h_->sounds, QStringList{"DATA\\Sound\\ReadNumber\\25.mp3"});
    // Under the mouse a number lights up and is underlined.
    QEvent enter(QEvent::Enter), leave(QEvent::Leave);
    QApplication::sendEvent(l, &enter);
    QVERIFY(l->font().underline());
    QCOMPARE(l->palette().color(QPalette::WindowText), QColor(0, 255, 0));
    QApplication::sendEvent(l, &leave);
    QVERIFY(!l->font().underline());
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

void TestUReadNumbers::orderIsAPermutation() {
    platform::RandomSource rng;
    for (uint32_t seed = 0; seed < 300; ++seed) {
        rng.seed(seed);
        std::array<int, 30> order = math::makeQuestionOrder(rng);
        std::sort(order.begin(), order.end());
        for (int i = 0; i < 30; ++i)
            QCOMPARE(order[static_cast<size_t>(i)], i + 1);
    }
}

void TestUReadNumbers::candidates() {
    platform::RandomSource rng;
    std::set<int> positions;
    for (uint32_t seed = 0; seed < 3000; ++seed) {
        rng.seed(seed);
        const int asked = static_cast<int>(seed % 30) + 1;
        const std::array<int, 4> c = math::makeCandidates(rng, asked);
        QCOMPARE(std::set<int>(c.begin(), c.end()).size(), size_t(4));
        QCOMPARE(std::count(c.begin(), c.end(), asked), 1);
        for (int v : c)
            QVERIFY(v >= 1 && v <= 30);
        positions.insert(static_cast<int>(std::find(c.begin(), c.end(), asked) - c.begin()));
    }
    QCOMPARE(positions.size(), size_t(4));
}

void TestUReadNumbers::practiceStartsOverAfterTheLastQuestion() {
    platform::RandomSource rng(5);
    math::NumberPractice p;
    p.start(rng);
    QVERIFY(!p.prior());
    for (int i = 0; i < 29; ++i)
        p.next(rng);
    QCOMPARE(p.index(), 29);
    p.next(rng);
    QCOMPARE(p.index(), 0);
    QVERIFY(p.asked() >= 1 && p.asked() <= 30);
    std::array<int, 30> order = p.order();
    std::sort(order.begin(), order.end());
    QCOMPARE(order.front(), 1);
    QCOMPARE(order.back(), 30);
}

void TestUReadNumbers::clockText_data() {
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("start") << 0 << "0分0秒";
    QTest::newRow("one minute one second") << 61 << "1分1秒";
    QTest::newRow("no leading zeros") << 605 << "10分5秒";
    QTest::newRow("just under an hour") << 3599 << "59分59秒";
    QTest::newRow("minutes keep two digits") << 6000 << "00分0秒";
}

void TestUReadNumbers::clockText() {
    QFETCH(int, seconds);
    QFETCH(QString, text);
    QCOMPARE(math::practiceClockText(seconds), text);
}

void TestUReadNumbers::showStartsAfresh() {
    c_ = qobject_cast<TFrmChoiceNumbers*>(openLazy(QStringLiteral("TFrmChoiceNumbers")));
    QVERIFY(c_);
    c_->close();
    c_->Show();
    QCOMPARE(c_->lbltime->text(), QString());
    QVERIFY(c_->Timer2->Enabled());
    QCOMPARE(c_->practice().index(), 0);
    QCOMPARE(c_->cmbnumber->currentIndex(), 0);
    QVERIFY(button(c_->asked()));
    for (auto [b, l] : {std::pair{c_->imga, c_->lbla}, {c_->imgb, c_->lblb}})
        QCOMPARE(b->Hint(), l->text());
    for (int i = 0; i < 61; ++i)
        emit c_->Timer2->OnTimer();
    QCOMPARE(c_->lbltime->text(), QString("1分1秒"));
}

void TestUReadNumbers::answering_data() {
    QTest::addColumn<bool>("right");
    QTest::newRow("right") << true;
    QTest::newRow("wrong") << false;
}

void TestUReadNumbers::answering() {
    QFETCH(bool, right);
    h_->sounds.clear();
    const int index = c_->practice().index();
    TImage* b = button(c_->asked(), right);
    const QString picked = b->Hint();
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(b->width() / 2, b->height() / 2));
    QCOMPARE(h_->sounds, QStringList{right ? "DATA\\bgsnd\\right.wav" : "DATA\\bgsnd\\wrong.wav"});
    QVERIFY(c_->lbljudge->isVisible());
    // The sign names the picked number: the choices beside it already belong to the next question.
    QTextDocument shown;
    shown.setHtml(c_->lbljudge->text());
    QCOMPARE(shown.toPlainText().simplified(), QString(right ? "√ " : "× ") + picked);
    QCOMPARE(c_->lbljudge->y(), b->y() - 11);
    // The sign and the number under it fit their label, which stays inside the window.
    QVERIFY(c_->lbljudge->size().expandedTo(c_->lbljudge->sizeHint()) == c_->lbljudge->size());
    QVERIFY(c_->rect().contains(c_->lbljudge->geometry()));
    QCOMPARE(c_->practice().index(), index + 1);
    QVERIFY(button(c_->asked()));
    emit c_->Timer1->OnTimer();
    QVERIFY(c_->lbljudge->isHidden());
    QVERIFY(!c_->Timer1->Enabled());
}

void TestUReadNumbers::showAnswer() {
    c_->imgAnswerClick();
    QCOMPARE(c_->lbljudge->text(), QString("√ "));
    QLabel* l = c_->findChild<QLabel*>("lbl" + button(c_->asked())->objectName().mid(3));
    QCOMPARE(c_->lbljudge->y(), l->y() - 20);
    c_->Timer1Timer();
}

void TestUReadNumbers::stepping() {
    while (c_->practice().index() > 0)
        c_->imgPriorClick();
    h_->recorder->clear();
    const int asked = c_->asked();
    c_->imgPriorClick(); // not before the first
    QCOMPARE(h_->boxes(), QStringList{"学数字练习说明！|当前是第1题！|64"});
    QCOMPARE(c_->asked(), asked);
    // Past the last question the practice starts over.
    while (c_->practice().index() < 29)
        c_->imgNextClick();
    c_->imgNextClick();
    QCOMPARE(c_->practice().index(), 0);
    QCOMPARE(c_->cmbnumber->currentIndex(), 0);
    QVERIFY(button(c_->asked()));
    QVERIFY(!c_->imgpicnum->Picture().isNull());
}

void TestUReadNumbers::closeStopsClockAndKeepsMusic() {
    const quint32 before = platform::soundLibrary().ChannelState(BgMusicChannel);
    c_->close();
    QVERIFY(!c_->Timer2->Enabled());
    QCOMPARE(platform::soundLibrary().ChannelState(BgMusicChannel), before);
    c_->Show();
    QCOMPARE(platform::soundLibrary().ChannelState(BgMusicChannel), before);
}

void TestUReadNumbers::practiceHidesAndComesBack() {
    // The music stops while the learning window is open, and stays off in the practice.
    QVERIFY(h_->main->chkrec->isChecked());
    f_->close();
    QCOMPARE(platform::soundLibrary().ChannelState(BgMusicChannel), 1u);
    f_->Show();
    QCOMPARE(platform::soundLibrary().ChannelState(BgMusicChannel), 3u);
    f_->imgautoClick();
    f_->imglxClick();
    QVERIFY(FrmChoiceNumbers);
    QVERIFY(FrmChoiceNumbers->isVisible());
    QVERIFY(!f_->isVisible());
    QVERIFY(!f_->Timer1->Enabled());
    QCOMPARE(platform::soundLibrary().ChannelState(BgMusicChannel), 3u);
    FrmChoiceNumbers->close();
    QVERIFY(f_->isVisible());
    QCOMPARE(platform::soundLibrary().ChannelState(BgMusicChannel), 3u);
}

QTEST_MAIN(TestUReadNumbers)
#include "tst_ureadnumbers.moc"

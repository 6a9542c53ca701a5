// What the three quizzes share, driven through the positions quiz (whose topics come
// in a fixed order): what each kind of topic shows, answering, the pause, pictures that
// fail, and banks that cannot be played; the mixed quiz's panel for questions in words;
// and each quiz on its whole generated bank.
#include "FormTestSupport.h"
#include "TestSupport.h"
#include "activities/common/UReadXML.h"
#include "activities/math/URwz.h"
#include "activities/math/uMathZHLX.h"
#include "app/FormRegistry.h"
#include "app/ShellState.h"
#include "app/TCheckBox.h"
#include "app/TImage.h"
#include "app/TTimer.h"
#include "platform/MessageService.h"
#include "platform/ProgramDir.h"
#include "platform/Random.h"
#include "platform/SoundLibrary.h"
#include "widgets/FlatButtons.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QtTest>

namespace {

// A picture topic (type "0" one pick, "2" several) on the pictures a.png, b.png, ...
QString pictures(const QString& name, const char* type, const char* key = "", int count = 2) {
    QString s = QStringLiteral("Topic='%1' TopicType='%2'").arg(name, type);
    if (*key)
        s += QStringLiteral(" TopicKey='%1'").arg(key);
    for (int k = 1; k <= count; ++k)
        s += QStringLiteral(" pic%1='%2.png'").arg(k).arg(QChar('a' + k - 1));
    return s;
}

// A text-choice topic on the picture a.png with the answers A, B, ... in order.
QString choice(const QString& name, const char* key, const QStringList& answers) {
    QString s = QStringLiteral("Topic='%1' TopicType='1' pic1='a.png'").arg(name);
    if (*key)
        s += QStringLiteral(" TopicKey='%1'").arg(key);
    for (int i = 0; i < answers.size(); ++i)
        s += QStringLiteral(" %1='%2'").arg(QChar('A' + i)).arg(answers[i]);
    return s;
}

// A bank of topics, each given by its attributes.
QByteArray bank(const QStringList& topics) {
    QString s = "<?xml version='1.0' encoding='UTF-8'?>\n<bank>\n";
    for (const QString& t : topics)
        s += "<list " + t + "/>\n";
    return (s + "</bank>\n").toUtf8();
}

} // namespace

class TestQuizForm : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void eachKindShowsItsPanel_data();
    void eachKindShowsItsPanel();
    void textChoice();
    void answeringCountsAndPauses();
    void pauseIgnoresFurtherAnswers();
    void multiPickTicksAndJudges();
    void failedPicturesLeaveEmptySlots();
    void closingDuringPauseStartsClean();
    void soundFailureIsReported();
    void unplayableBanks_data();
    void unplayableBanks();
    void wordsPanelOnTheMixedQuiz();
    void wholeBank_data();
    void wholeBank();

private:
    // Writes the positions bank (played last topic first) and opens the quiz on it.
    void open(const QStringList& topics) {
        dir_->write("Data/XML/认位置.xml", bank(topics));
        delete form_;
        form_ = new Tfrmrwz;
        form_->show();
    }
    template <class T = QWidget> T* part(const QString& name, int k = 0) {
        T* w = form_->findChild<T*>(k ? name + QString::number(k) : name);
        if (!w)
            qFatal("no %s", qPrintable(name));
        return w;
    }
    TImage* pic(int k) { return part<TImage>("imgmany", k); }
    TCheckBox* box(int k) { return part<TCheckBox>("chk", k); }
    TFlatButton* button(int k) { return part<TFlatButton>("btn", k); }
    QString topic() { return part<QLabel>("lbltopic")->text(); }
    QString counters() {
        return part<QLabel>("lbltotal")->text() + part<QLabel>("lblright")->text() +
               part<QLabel>("lblwrong")->text();
    }
    // How many of the parts name1..name6 are shown.
    int shown(const QString& name, int last = 6) {
        int n = 0;
        for (int k = 1; k <= last; ++k)
            n += !part(name, k)->isHidden();
        return n;
    }

    testsupport::TempProgramDir* dir_ = nullptr;
    platform::MessageRecorder* rec_ = nullptr;
    Tfrmrwz* form_ = nullptr;
};

void TestQuizForm::initTestCase() {
    dir_ = new testsupport::TempProgramDir;
    QVERIFY(testsupport::linkSoundLibrary(dir_->path()));
    QVERIFY(platform::soundLibrary().Init(-1, 44100, 0, nullptr));
    for (int i = 0; i < 6; ++i) {
        QImage img(8, 8, QImage::Format_RGB32);
        img.fill(QColor::fromHsv(i * 60, 255, 255));
        QByteArray bytes;
        QBuffer buf(&bytes);
        buf.open(QIODevice::WriteOnly);
        img.save(&buf, "PNG");
        dir_->write(QStringLiteral("Data/picture/zhlx/%1.png").arg(QChar('a' + i)), bytes);
    }
    rec_ = new platform::MessageRecorder;
    platform::fixRandomSeed(11);
}

void TestQuizForm::cleanupTestCase() {
    delete frmrwz.data();
    delete frmMathZHLX.data();
    delete rec_;
    platform::soundLibrary().StreamFree(SoundChannel);
    delete dir_;
}

void TestQuizForm::init() {
    platform::setProgramDir(dir_->path());
    QDir().mkpath(dir_->path() + "/Data/bgsnd");
    for (const char* s : {"right", "wrong"})
        QFile::copy(QStringLiteral(PELUMO_BINARY_DIR "/Data/bgsnd/%1.WAV").arg(s),
                    dir_->path() + QStringLiteral("/Data/bgsnd/%1.WAV").arg(s));
    rec_->clear();
}

void TestQuizForm::cleanup() {
    delete form_;
    form_ = nullptr;
}

void TestQuizForm::eachKindShowsItsPanel_data() {
    QTest::addColumn<QString>("element");
    QTest::addColumn<bool>("text"); // the text-choice panel, else the pictures
    QTest::addColumn<bool>("judge");
    QTest::addColumn<int>("pictures");
    for (int n : {2, 6}) {
        QTest::addRow("single pick, %d pictures", n)
            << pictures("t", "0", "", n) << false << false << n;
        QTest::addRow("multi pick, %d pictures", n)
            << pictures("t", "2", "", n) << false << true << n;
    }
    QTest::newRow("pic3 made of blanks")
        << "Topic='t' TopicType='0' pic1='a.png' pic2='b.png' pic3='   ' pic4='d.png'" << false
        << false << 2;
    QTest::newRow("text choice") << choice("t", "", {"1", "2"}) << true << false << 0;
}

void TestQuizForm::eachKindShowsItsPanel() {
    QFETCH(QString, element);
    QFETCH(bool, text);
    QFETCH(bool, judge);
    QFETCH(int, pictures);
    open({element});
    QVERIFY(rec_->calls().empty());
    QCOMPARE(topic(), QString("t"));
    QCOMPARE(part("pnlabcd")->isHidden(), !text);
    QCOMPARE(part("pnlpicmany")->isHidden(), text);
    QCOMPARE(part("imgjudge")->isHidden(), !judge);
    QCOMPARE(part("imgjudge3")->isHidden(), judge);
    if (!text)
        QCOMPARE(shown("imgmany"), pictures);
    QCOMPARE(shown("chk"), judge ? pictures : 0);
    for (int k = 1; k <= pictures; ++k)
        QVERIFY(!pic(k)->Picture().isNull());
    QVERIFY(!text || !part<TImage>("picabcd")->Picture().isNull());
}

void TestQuizForm::textChoice() {
    // Played last first: four buttons, then three, then two (C empty, D filled), then a
    // question in words.
    open({"Topic='words' TopicType='3' A='x' B='y'", choice("two", " A", {" 5 ", "6", "", "8"}),
          choice("three", "b", {"5", "6", "7"}), choice("four", "", {"5", "6", "7", "8"})});
    QCOMPARE(shown("btn", 4), 4);
    form_->imgnextClick();
    QCOMPARE(shown("btn", 4), 3);
    // A lower-case key names its button.
    QTest::mouseClick(button(2), Qt::LeftButton);
    QCOMPARE(counters(), QString("110"));
    QVERIFY(!part("pnlabcd")->isEnabled());
    form_->Timer1Timer();
    QVERIFY(part("pnlabcd")->isEnabled());
    QCOMPARE(topic(), QString("two"));
    QCOMPARE(shown("btn", 4), 2);
    QCOMPARE(button(1)->Caption(), QString("5"));
    // A key with a blank names none.
    QTest::mouseClick(button(1), Qt::LeftButton);
    QCOMPARE(counters(), QString("211"));
    // Without a panel for questions in words, only the question changes.
    form_->Timer1Timer();
    QCOMPARE(topic(), QString("words"));
    QVERIFY(!part("pnlabcd")->isHidden());
    QCOMPARE(button(1)->Caption(), QString("5"));
}

void TestQuizForm::answeringCountsAndPauses() {
    open({pictures("r1", "0", "1"), pictures("r2", "0", "2"), pictures("r3", "0", "1")});
    QCOMPARE(counters(), QString("000"));
    // r3 first: right; the pause ends by its timer.
    QTest::mouseClick(pic(1), Qt::LeftButton);
    QCOMPARE(counters(), QString("110"));
    QVERIFY(!part("imgright")->isHidden());
    QVERIFY(part("imgwrong")->isHidden());
    QVERIFY(form_->pausing());
    QCOMPARE(form_->Timer1->Interval(), 1000);
    QVERIFY(!part("pnlpicmany")->isEnabled());
    emit form_->Timer1->OnTimer();
    QVERIFY(!form_->pausing());
    QVERIFY(part("pnlpicmany")->isEnabled());
    QVERIFY(part("imgright")->isHidden());
    QCOMPARE(topic(), QString("r2"));
    // r2: wrong, a longer pause with the other sign.
    QTest::mouseClick(pic(1), Qt::LeftButton);
    QCOMPARE(form_->Timer1->Interval(), 4000);
    QVERIFY(!part("imgwrong")->isHidden());
    form_->Timer1Timer();
    // r1: right.
    QTest::mouseClick(pic(1), Qt::LeftButton);
    QCOMPARE(counters(), QString("321"));
    QVERIFY(rec_->calls().empty());
    // The series goes round and the counters go on.
    form_->Timer1Timer();
    QCOMPARE(topic(), QString("r3"));
    QCOMPARE(counters(), QString("321"));
}

void TestQuizForm::pauseIgnoresFurtherAnswers() {
    open({pictures("later", "0"), pictures("second", "0", "1"), pictures("first", "2", "1")});
    QTest::mouseClick(pic(1), Qt::LeftButton); // ticks
    QVERIFY(box(1)->isChecked());
    QTest::mouseClick(part("imgjudge"), Qt::LeftButton);
    QCOMPARE(counters(), QString("110"));
    // Judging again, skipping on, picking: none counts or moves.
    QTest::mouseClick(part("imgjudge"), Qt::LeftButton);
    QTest::mouseClick(part("imgnext"), Qt::LeftButton);
    form_->imgmanyClick(2);
    form_->btn1Click(button(1));
    QCOMPARE(counters(), QString("110"));
    QCOMPARE(form_->series().current(), 0);
    QVERIFY(!box(2)->isChecked());
    form_->Timer1Timer();
    QCOMPARE(topic(), QString("second"));
}

void TestQuizForm::multiPickTicksAndJudges() {
    open({pictures("none", "2", "1,3", 4), pictures("part", "2", "1,3", 4),
          pictures("all", "2", "1,3", 4)});
    // A picture ticks and unticks its box; boxes can be ticked directly too.
    QTest::mouseClick(pic(1), Qt::LeftButton);
    QTest::mouseClick(pic(3), Qt::LeftButton);
    QTest::mouseClick(pic(3), Qt::LeftButton);
    QVERIFY(box(1)->isChecked() && !box(3)->isChecked());
    box(3)->click();
    QVERIFY(box(3)->isChecked());
    QCOMPARE(counters(), QString("000"));
    form_->imgjudgeClick();
    QCOMPARE(counters(), QString("110"));
    form_->Timer1Timer();
    // The next topic starts unticked.
    for (int k = 1; k <= 4; ++k)
        QVERIFY(!box(k)->isChecked());
    form_->imgmanyClick(1);
    form_->imgjudgeClick();
    QCOMPARE(counters(), QString("211"));
    form_->Timer1Timer();
    form_->imgjudgeClick(); // nothing ticked
    QCOMPARE(counters(), QString("312"));
}

void TestQuizForm::failedPicturesLeaveEmptySlots() {
    open({"Topic='text' TopicType='1' pic1='gone.png' A='x' B='y'",
          "Topic='second' TopicType='0' pic1='gone.png' pic2='b.png'",
          "Topic='first' TopicType='0' pic1='a.png' pic2='gone.png' pic3='c.png'"});
    QVERIFY(!pic(1)->Picture().isNull());
    QVERIFY(pic(2)->Picture().isNull());
    QVERIFY(!pic(3)->Picture().isNull());
    QVERIFY(rec_->calls().empty());
    form_->imgnextClick();
    QVERIFY(pic(1)->Picture().isNull()); // not the picture of the topic before
    QVERIFY(!pic(2)->Picture().isNull());
    QVERIFY(rec_->calls().empty());
    // The one picture of a text-choice topic is reported when it is missing.
    form_->imgnextClick();
    QVERIFY(part<TImage>("picabcd")->Picture().isNull());
    QCOMPARE(rec_->calls().size(), size_t(1));
    QVERIFY(rec_->calls()[0].text.contains("gone.png"));
    QCOMPARE(rec_->calls()[0].flags, 16);
    QVERIFY(!button(1)->isHidden());
}

void TestQuizForm::closingDuringPauseStartsClean() {
    open({pictures("a", "0", "2")});
    form_->imgmanyClick(1);
    QVERIFY(form_->pausing());
    QTest::mouseClick(part("imgfh"), Qt::LeftButton);
    QVERIFY(form_->isHidden());
    QVERIFY(!form_->pausing());
    form_->show();
    QCOMPARE(counters(), QString("000"));
    QVERIFY(part("pnlpicmany")->isEnabled());
    QVERIFY(part("imgwrong")->isHidden());
}

void TestQuizForm::soundFailureIsReported() {
    QVERIFY(QFile::remove(dir_->path() + "/Data/bgsnd/wrong.WAV"));
    open({pictures("b", "0", "1"), pictures("a", "0", "1")});
    form_->imgmanyClick(1);
    QVERIFY(rec_->calls().empty());
    QCOMPARE(platform::soundLibrary().ChannelState(SoundChannel), 1u);
    form_->Timer1Timer();
    form_->imgmanyClick(2);
    QCOMPARE(testsupport::boxes(*rec_), QStringList{"|播放声音文件失败!|16"});
    // The quiz goes on.
    QVERIFY(!part("imgwrong")->isHidden());
    QCOMPARE(counters(), QString("211"));
}

void TestQuizForm::unplayableBanks_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("says");
    QTest::newRow("missing") << QByteArray() << "找不到";
    QTest::newRow("not well formed") << QByteArray("<bank><list Topic='a'>") << "格式不正确";
    QTest::newRow("topic without text") << bank({"TopicType='0'"}) << "没有Topic";
    QTest::newRow("no topics") << bank({}) << "没有题目";
}

void TestQuizForm::unplayableBanks() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, says);
    QFile::remove(dir_->path() + "/Data/XML/认位置.xml");
    if (!bytes.isEmpty())
        dir_->write("Data/XML/认位置.xml", bytes);
    QWidget menu;
    menu.show();
    auto* quiz = qobject_cast<Tfrmrwz*>(openFrom(&menu, "Tfrmrwz", LeaveMode::Hide));
    QVERIFY(quiz);
    QCOMPARE(rec_->calls().size(), size_t(1));
    QVERIFY2(rec_->calls()[0].text.contains(says), qPrintable(rec_->calls()[0].text));
    QCOMPARE(rec_->calls()[0].flags, 16);
    // Nothing to answer, and back to the menu.
    QVERIFY(quiz->series().isEmpty());
    quiz->imgnextClick();
    quiz->imgmanyClick(1);
    QCOMPARE(quiz->findChild<QLabel*>("lbltotal")->text(), QString("0"));
    QTRY_VERIFY(quiz->isHidden());
    QVERIFY(menu.isVisible());
}

void TestQuizForm::wordsPanelOnTheMixedQuiz() {
    // A question in words with C and D missing (read as one blank each), then pictures.
    dir_->write("Data/XML/sxzhlx.xml", bank({"Topic='3 + 2 = ?' TopicType='3' TopicKey='b' "
                                             "A='4' B='5'",
                                             pictures("pictures", "0", "1")}));
    auto* w = qobject_cast<TfrmMathZHLX*>(openLazy("TfrmMathZHLX"));
    QVERIFY(w);
    if (w->series().currentTopic() != "3 + 2 = ?")
        w->Timer1Timer(); // not pausing: simply moves on
    QVERIFY(w->findChild<QLabel*>("lbltopic")->isHidden());
    QCOMPARE(w->findChild<QLabel*>("lblBotTopic")->text(), QString("3 + 2 = ?"));
    QVERIFY(w->findChild<QWidget*>("pnlabcd")->isHidden());
    QStringList captions;
    for (const char* n : {"btna", "btnb", "btnc", "btnd"})
        if (auto* b = w->findChild<TFlatButton*>(n); !b->isHidden())
            captions << b->Caption();
    QCOMPARE(captions, QStringList({"4", "5", " ", " "}));
    QTest::mouseClick(w->findChild<TFlatButton*>("btnb"), Qt::LeftButton);
    QCOMPARE(w->findChild<QLabel*>("lblright")->text(), QString("1"));
    QVERIFY(!w->findChild<QWidget*>("pnlNoPic")->isEnabled());
    w->Timer1Timer();
    // A picture topic brings the question line back.
    QVERIFY(!w->findChild<QLabel*>("lbltopic")->isHidden());
    QVERIFY(w->findChild<QWidget*>("pnlNoPic")->isHidden());
    QVERIFY(w->findChild<QWidget*>("pnlNoPic")->isEnabled());
    QVERIFY(!w->findChild<QWidget*>("pnlpicmany")->isHidden());
    QVERIFY(rec_->calls().empty());
    w->close();
}

void TestQuizForm::wholeBank_data() {
    QTest::addColumn<QString>("cls");
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("firstTenLastFirst");
    QTest::addColumn<bool>("words"); // has questions in words on their own panel
    QTest::newRow("counting, ten at random") << "Tfrmsys"
                                             << "数一数.xml" << false << false;
    QTest::newRow("positions, GBK, first ten last first") << "Tfrmrwz"
                                                          << "认位置.xml" << true << false;
    QTest::newRow("mixed, ten at random") << "TfrmMathZHLX"
                                          << "sxzhlx.xml" << false << true;
}

void TestQuizForm::wholeBank() {
    QFETCH(QString, cls);
    QFETCH(QString, file);
    QFETCH(bool, firstTenLastFirst);
    QFETCH(bool, words);
    platform::setProgramDir(QStringLiteral(PELUMO_BINARY_DIR));
    const QStringList all = ReadXMLList(platform::dataPath("Data\\XML\\" + file), "list", "Topic");
    QVERIFY(all.size() > 10);
    QCOMPARE(QSet<QString>(all.begin(), all.end()).size(), all.size()); // a topic names one item
    auto* w = qobject_cast<TQuizForm*>(openLazy(cls));
    QVERIFY(w);
    const QStringList play = w->series().playList();
    QCOMPARE(play.size(), 10);
    QCOMPARE(QSet<QString>(play.begin(), play.end()).size(), 10);
    for (int k = 0; k < 10; ++k)
        QVERIFY(firstTenLastFirst ? play[k] == all[9 - k] : all.contains(play[k]));
    // Every topic of the bank shows whole: its pictures, or answers in words.
    int inWords = 0;
    for (const QString& t : all) {
        w->ShowTopic(t);
        auto* panel = w->findChild<QWidget*>("pnlNoPic");
        if (panel && !panel->isHidden()) {
            ++inWords;
            QVERIFY(!w->findChild<TFlatButton*>("btnb")->Caption().trimmed().isEmpty());
        } else if (!w->findChild<QWidget*>("pnlabcd")->isHidden()) {
            QVERIFY2(!w->findChild<TImage*>("picabcd")->Picture().isNull(), qPrintable(t));
        } else {
            for (int k = 1; k <= 6; ++k) {
                auto* p = w->findChild<TImage*>(QStringLiteral("imgmany%1").arg(k));
                QVERIFY2(p->isHidden() || !p->Picture().isNull(), qPrintable(t));
            }
        }
    }
    QCOMPARE(inWords > 0, words);
    QVERIFY(rec_->calls().empty());
    // The right and wrong signs leave every answer button clear.
    for (const char* sign : {"imgright", "imgwrong"}) {
        auto* img = w->findChild<TImage*>(sign);
        const QRect at(img->mapTo(w, QPoint()), img->size());
        for (TFlatButton* b : w->findChildren<TFlatButton*>(QRegularExpression("^btn[1-4a-d]$")))
            QVERIFY2(!at.intersects(QRect(b->mapTo(w, QPoint()), b->size())),
                     qPrintable(QString(sign) + " covers " + b->objectName()));
    }
    w->close();
}

QTEST_MAIN(TestQuizForm)
#include "tst_quizform.moc"

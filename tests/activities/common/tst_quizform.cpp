// What the three quizzes share, driven through the positions quiz (whose topics come
// in a fixed order): what each kind of topic shows, answering, the pause, pictures that
// fail, and banks that cannot be played.
#include "FormTestSupport.h"
#include "TestSupport.h"
#include "activities/math/URwz.h"
#include "app/FormRegistry.h"
#include "app/ShellState.h"
#include "app/TCheckBox.h"
#include "app/TImage.h"
#include "app/TTimer.h"
#include "platform/MessageService.h"
#include "platform/Random.h"
#include "platform/SoundLibrary.h"
#include "widgets/FlatButtons.h"
#include "widgets/TFlatPanelUnit.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QtTest>
#include <functional>

using platform::MessageRecorder;

namespace {

// One topic element from attribute pairs; values are written as given.
QByteArray topic(const QList<QPair<QString, QString>>& attrs) {
    QByteArray s = "  <list";
    for (const auto& a : attrs)
        s += " " + a.first.toUtf8() + "=\"" + a.second.toUtf8() + "\"";
    return s + "/>\n";
}

// A picture topic (type "0" one pick, "2" several) on the pictures a.png, b.png, ...;
// without a key when `key` is empty.
QByteArray pictureTopic(const char* name, const char* type, const char* key = "", int count = 2) {
    QList<QPair<QString, QString>> attrs{{"Topic", name}, {"TopicType", type}};
    if (*key)
        attrs.append(qMakePair(QStringLiteral("TopicKey"), QString(key)));
    for (int k = 1; k <= count; ++k)
        attrs.append(qMakePair(QStringLiteral("pic%1").arg(k),
                               QStringLiteral("%1.png").arg(char('a' + k - 1))));
    return topic(attrs);
}

// A text-choice topic on the picture a.png with the answers A, B, ... in order; without a
// key when `key` is empty.
QByteArray choiceTopic(const char* name, const char* key, const QStringList& answers) {
    QList<QPair<QString, QString>> attrs{{"Topic", name}, {"TopicType", "1"}};
    if (*key)
        attrs.append(qMakePair(QStringLiteral("TopicKey"), QString(key)));
    attrs.append(qMakePair(QStringLiteral("pic1"), QStringLiteral("a.png")));
    for (int i = 0; i < answers.size(); ++i)
        attrs.append(qMakePair(QString(QChar('A' + i)), answers[i]));
    return topic(attrs);
}

QByteArray bank(const QByteArrayList& topics) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<bank>\n" + topics.join() + "</bank>\n";
}

QByteArray png(const QColor& colour) {
    QImage img(8, 8, QImage::Format_RGB32);
    img.fill(colour);
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return bytes;
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
    void textChoiceButtons();
    void answeringCountsAndPauses();
    void pauseIgnoresFurtherAnswers();
    void pauseEndsByItself();
    void multiPickTicksAndJudges();
    void letterKeys();
    void failedPicturesLeaveEmptySlots();
    void shortBankPlaysWhatItHas();
    void plainTextLeavesTheAnswerArea();
    void closingDuringPauseStartsClean();
    void soundFailureIsReported();
    void unplayableBanks_data();
    void unplayableBanks();

private:
    // Writes the positions bank (played last topic first) and opens the quiz on it.
    void open(const QByteArrayList& topics);
    template <class T> T* part(const QString& name) {
        T* w = form_->findChild<T*>(name);
        if (!w)
            qFatal("no %s", qPrintable(name));
        return w;
    }
    TImage* pic(int k) { return part<TImage>(QStringLiteral("imgmany%1").arg(k)); }
    TCheckBox* box(int k) { return part<TCheckBox>(QStringLiteral("chk%1").arg(k)); }
    TFlatButton* button(int k) { return part<TFlatButton>(QStringLiteral("btn%1").arg(k)); }
    QStringList counters() {
        return {part<QLabel>("lbltotal")->text(), part<QLabel>("lblright")->text(),
                part<QLabel>("lblwrong")->text()};
    }
    int shownPictures() {
        int n = 0;
        for (int k = 1; k <= 6; ++k)
            n += !pic(k)->isHidden();
        return n;
    }
    int shownBoxes() {
        int n = 0;
        for (int k = 1; k <= 6; ++k)
            n += !box(k)->isHidden();
        return n;
    }

    testsupport::TempProgramDir* dir_ = nullptr;
    MessageRecorder* rec_ = nullptr;
    Tfrmrwz* form_ = nullptr;
};

void TestQuizForm::initTestCase() {
    dir_ = new testsupport::TempProgramDir;
    QVERIFY(testsupport::linkSoundLibrary(dir_->path()));
    QVERIFY(platform::soundLibrary().Init(-1, 44100, 0, nullptr));
    const char* colours[] = {"red", "green", "blue", "yellow", "cyan", "magenta"};
    for (int i = 0; i < 6; ++i)
        dir_->write(QStringLiteral("Data/picture/zhlx/%1.png").arg(char('a' + i)),
                    png(QColor(colours[i])));
    rec_ = new MessageRecorder;
    platform::fixRandomSeed(11);
}

void TestQuizForm::cleanupTestCase() {
    delete frmrwz.data();
    delete rec_;
    platform::soundLibrary().StreamFree(SoundChannel);
    delete dir_;
}

void TestQuizForm::init() {
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

void TestQuizForm::open(const QByteArrayList& topics) {
    dir_->write("Data/XML/认位置.xml", bank(topics));
    delete form_;
    form_ = new Tfrmrwz;
    form_->show();
}

void TestQuizForm::eachKindShowsItsPanel_data() {
    QTest::addColumn<QByteArray>("element");
    QTest::addColumn<QString>("panel");
    QTest::addColumn<bool>("judge");
    QTest::addColumn<int>("pictures");
    QTest::addColumn<int>("boxes");
    for (int n = 2; n <= 6; ++n) {
        QTest::addRow("single pick, %d pictures", n)
            << pictureTopic("t", "0", "", n) << "pnlpicmany" << false << n << 0;
        QTest::addRow("multi pick, %d pictures", n)
            << pictureTopic("t", "2", "", n) << "pnlpicmany" << true << n << n;
    }
    QTest::newRow("pic3 made of blanks") << topic({{"Topic", "t"},
                                                   {"TopicType", "0"},
                                                   {"pic1", "a.png"},
                                                   {"pic2", "b.png"},
                                                   {"pic3", "   "},
                                                   {"pic4", "d.png"}})
                                         << "pnlpicmany" << false << 2 << 0;
    QTest::newRow("text choice") << choiceTopic("t", "", {"1", "2"}) << "pnlabcd" << false << 0
                                 << 0;
}

void TestQuizForm::eachKindShowsItsPanel() {
    QFETCH(QByteArray, element);
    QFETCH(QString, panel);
    QFETCH(bool, judge);
    QFETCH(int, pictures);
    QFETCH(int, boxes);
    open({element});
    QVERIFY(rec_->calls().empty());
    QCOMPARE(part<QLabel>("lbltopic")->text(), QString("t"));
    for (const char* p : {"pnlpicmany", "pnlabcd"})
        QCOMPARE(!part<QWidget>(p)->isHidden(), panel == p);
    QCOMPARE(!part<TImage>("imgjudge")->isHidden(), judge);
    QCOMPARE(!part<TImage>("imgjudge3")->isHidden(), !judge);
    if (panel == "pnlpicmany") {
        QCOMPARE(shownPictures(), pictures);
        QCOMPARE(shownBoxes(), boxes);
        for (int k = 1; k <= pictures; ++k)
            QVERIFY(!pic(k)->Picture().isNull());
    } else {
        QVERIFY(!part<TImage>("picabcd")->Picture().isNull());
    }
}

void TestQuizForm::textChoiceButtons() {
    // Played last first: four buttons, then three, then two (C empty, D filled).
    open({choiceTopic("two", "", {" 5 ", "6", "", "8"}), choiceTopic("three", "", {"5", "6", "7"}),
          choiceTopic("four", "", {"5", "6", "7", "8"})});
    auto shown = [this] {
        int n = 0;
        for (int k = 1; k <= 4; ++k)
            n += !button(k)->isHidden();
        return n;
    };
    QCOMPARE(shown(), 4);
    form_->imgnextClick();
    QCOMPARE(shown(), 3);
    form_->imgnextClick();
    QCOMPARE(part<QLabel>("lbltopic")->text(), QString("two"));
    QCOMPARE(shown(), 2);
    QCOMPARE(button(1)->Caption(), QString("5"));
}

void TestQuizForm::answeringCountsAndPauses() {
    const QByteArray right = pictureTopic("r1", "0", "1");
    open({right, pictureTopic("r2", "0", "2"), pictureTopic("r3", "0", "1")});
    QCOMPARE(counters(), QStringList({"0", "0", "0"}));
    // r3 first: right.
    QTest::mouseClick(pic(1), Qt::LeftButton);
    QCOMPARE(counters(), QStringList({"1", "1", "0"}));
    QVERIFY(!part<TImage>("imgright")->isHidden());
    QVERIFY(part<TImage>("imgwrong")->isHidden());
    QVERIFY(form_->pausing());
    QCOMPARE(form_->Timer1->Interval(), 1000);
    QVERIFY(!part<QWidget>("pnlpicmany")->isEnabled());
    form_->Timer1Timer();
    QVERIFY(part<QWidget>("pnlpicmany")->isEnabled());
    QVERIFY(part<TImage>("imgright")->isHidden());
    QCOMPARE(part<QLabel>("lbltopic")->text(), QString("r2"));
    // r2: wrong, a longer pause with the other sign.
    QTest::mouseClick(pic(1), Qt::LeftButton);
    QCOMPARE(form_->Timer1->Interval(), 4000);
    QVERIFY(!part<TImage>("imgwrong")->isHidden());
    form_->Timer1Timer();
    // r1: right.
    QTest::mouseClick(pic(1), Qt::LeftButton);
    QCOMPARE(counters(), QStringList({"3", "2", "1"}));
    QVERIFY(rec_->calls().empty());
    // The series goes round and the counters go on.
    form_->Timer1Timer();
    QCOMPARE(part<QLabel>("lbltopic")->text(), QString("r3"));
    QCOMPARE(counters(), QStringList({"3", "2", "1"}));
}

void TestQuizForm::pauseIgnoresFurtherAnswers() {
    const QByteArray later = pictureTopic("later", "0");
    open({later, pictureTopic("second", "0", "1"), pictureTopic("first", "2", "1")});
    QTest::mouseClick(pic(1), Qt::LeftButton); // ticks
    QVERIFY(box(1)->isChecked());
    QTest::mouseClick(part<TImage>("imgjudge"), Qt::LeftButton);
    QCOMPARE(counters(), QStringList({"1", "1", "0"}));
    // Judging again, skipping on, picking: none counts or moves.
    const std::function<void()> presses[] = {
        [this] { QTest::mouseClick(part<TImage>("imgjudge"), Qt::LeftButton); },
        [this] { QTest::mouseClick(part<TImage>("imgnext"), Qt::LeftButton); },
        [this] { form_->imgjudgeClick(); },
        [this] { form_->imgnextClick(); },
        [this] { form_->imgmanyClick(2); },
        [this] { form_->btn1Click(button(1)); },
    };
    for (const auto& press : presses) {
        press();
        QCOMPARE(counters(), QStringList({"1", "1", "0"}));
        QCOMPARE(form_->series().current(), 0);
        QVERIFY(!box(2)->isChecked());
    }
    form_->Timer1Timer();
    QCOMPARE(form_->series().current(), 1);
    QCOMPARE(part<QLabel>("lbltopic")->text(), QString("second"));
}

void TestQuizForm::pauseEndsByItself() {
    open({pictureTopic("b", "0", "1"), pictureTopic("a", "0", "1")});
    QElapsedTimer t;
    t.start();
    form_->imgmanyClick(1);
    QTRY_VERIFY_WITH_TIMEOUT(!form_->pausing(), 3000);
    QVERIFY(t.elapsed() >= 900);
    QCOMPARE(part<QLabel>("lbltopic")->text(), QString("b"));
}

void TestQuizForm::multiPickTicksAndJudges() {
    const auto multi = [](const char* name, const char* key) {
        return pictureTopic(name, "2", key, 4);
    };
    open({multi("none", "1,3"), multi("part", "1,3"), multi("all", "1,3")});
    // A picture ticks and unticks its box; boxes can be ticked directly too.
    QTest::mouseClick(pic(1), Qt::LeftButton);
    QTest::mouseClick(pic(3), Qt::LeftButton);
    QTest::mouseClick(pic(3), Qt::LeftButton);
    QVERIFY(box(1)->isChecked() && !box(3)->isChecked());
    box(3)->click();
    QVERIFY(box(3)->isChecked());
    QCOMPARE(counters(), QStringList({"0", "0", "0"}));
    form_->imgjudgeClick();
    QCOMPARE(counters(), QStringList({"1", "1", "0"}));
    form_->Timer1Timer();
    // The next topic starts unticked.
    for (int k = 1; k <= 4; ++k)
        QVERIFY(!box(k)->isChecked());
    form_->imgmanyClick(1);
    form_->imgjudgeClick();
    QCOMPARE(counters(), QStringList({"2", "1", "1"}));
    form_->Timer1Timer();
    form_->imgjudgeClick(); // nothing ticked
    QCOMPARE(counters(), QStringList({"3", "1", "2"}));
}

void TestQuizForm::letterKeys() {
    open({choiceTopic("blank", " A", {"x", "y"}), choiceTopic("lower", "b", {"x", "y"})});
    QTest::mouseClick(button(2), Qt::LeftButton);
    QCOMPARE(counters(), QStringList({"1", "1", "0"}));
    QVERIFY(!part<QWidget>("pnlabcd")->isEnabled());
    form_->Timer1Timer();
    QVERIFY(part<QWidget>("pnlabcd")->isEnabled());
    QTest::mouseClick(button(1), Qt::LeftButton);
    QCOMPARE(counters(), QStringList({"2", "1", "1"}));
}

void TestQuizForm::failedPicturesLeaveEmptySlots() {
    open(
        {topic(
             {{"Topic", "text"}, {"TopicType", "1"}, {"pic1", "gone.png"}, {"A", "x"}, {"B", "y"}}),
         topic({{"Topic", "second"}, {"TopicType", "0"}, {"pic1", "gone.png"}, {"pic2", "b.png"}}),
         topic({{"Topic", "first"},
                {"TopicType", "0"},
                {"pic1", "a.png"},
                {"pic2", "gone.png"},
                {"pic3", "c.png"}})});
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

void TestQuizForm::shortBankPlaysWhatItHas() {
    open({pictureTopic("1", "0"), pictureTopic("2", "0"), pictureTopic("3", "0")});
    QVERIFY(rec_->calls().empty());
    QStringList seen;
    for (int i = 0; i < 4; ++i) {
        seen << part<QLabel>("lbltopic")->text();
        form_->imgnextClick();
    }
    QCOMPARE(seen, QStringList({"3", "2", "1", "3"}));
}

void TestQuizForm::plainTextLeavesTheAnswerArea() {
    // Without a panel for questions in words, only the question changes.
    open({topic({{"Topic", "words"}, {"TopicType", "3"}, {"A", "x"}, {"B", "y"}}),
          choiceTopic("choice", "", {"5", "6", "7"})});
    form_->imgnextClick();
    QCOMPARE(part<QLabel>("lbltopic")->text(), QString("words"));
    QVERIFY(!part<QWidget>("pnlabcd")->isHidden());
    QCOMPARE(button(3)->Caption(), QString("7"));
    QVERIFY(!part<TImage>("picabcd")->Picture().isNull());
}

void TestQuizForm::closingDuringPauseStartsClean() {
    open({pictureTopic("a", "0", "2")});
    form_->imgmanyClick(1);
    QVERIFY(form_->pausing());
    QTest::mouseClick(part<TImage>("imgfh"), Qt::LeftButton);
    QVERIFY(form_->isHidden());
    QVERIFY(!form_->pausing());
    form_->show();
    QCOMPARE(counters(), QStringList({"0", "0", "0"}));
    QVERIFY(part<QWidget>("pnlpicmany")->isEnabled());
    QVERIFY(part<TImage>("imgwrong")->isHidden());
}

void TestQuizForm::soundFailureIsReported() {
    QVERIFY(QFile::remove(dir_->path() + "/Data/bgsnd/wrong.WAV"));
    open({pictureTopic("b", "0", "1"), pictureTopic("a", "0", "1")});
    form_->imgmanyClick(1);
    QVERIFY(rec_->calls().empty());
    QCOMPARE(platform::soundLibrary().ChannelState(SoundChannel), 1u);
    form_->Timer1Timer();
    form_->imgmanyClick(2);
    QCOMPARE(rec_->calls().size(), size_t(1));
    QCOMPARE(rec_->calls()[0].text, QString("播放声音文件失败!"));
    // The quiz goes on.
    QVERIFY(!part<TImage>("imgwrong")->isHidden());
    QCOMPARE(counters(), QStringList({"2", "1", "1"}));
}

void TestQuizForm::unplayableBanks_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("says");
    QTest::newRow("missing") << QByteArray() << "找不到";
    QTest::newRow("not well formed") << QByteArray("<bank><list Topic='a'>") << "格式不正确";
    QTest::newRow("topic without text") << bank({topic({{"TopicType", "0"}})}) << "没有Topic";
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
    QWidget* w = openFrom(&menu, "Tfrmrwz", LeaveMode::Hide);
    QVERIFY(w);
    QCOMPARE(rec_->calls().size(), size_t(1));
    QVERIFY2(rec_->calls()[0].text.contains(says), qPrintable(rec_->calls()[0].text));
    QCOMPARE(rec_->calls()[0].flags, 16);
    // Nothing to answer, and back to the menu.
    auto* quiz = qobject_cast<Tfrmrwz*>(w);
    QVERIFY(quiz->series().isEmpty());
    quiz->imgnextClick();
    quiz->imgmanyClick(1);
    QCOMPARE(quiz->findChild<QLabel*>("lbltotal")->text(), QString("0"));
    QTRY_VERIFY(w->isHidden());
    QVERIFY(menu.isVisible());
}

QTEST_MAIN(TestQuizForm)
#include "tst_quizform.moc"

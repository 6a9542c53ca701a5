// The positions quiz on its real bank, which is GBK under a GB2312 label: the first ten
// topics, last first, and every topic playable.
#include "MathFormTest.h"
#include "activities/common/UReadXML.h"
#include "activities/math/URwz.h"
#include "app/FormRegistry.h"
#include "app/Startup.h"
#include "app/TImage.h"
#include "platform/MessageService.h"
#include "platform/ProgramDir.h"
#include "platform/SoundLibrary.h"

#include <QLabel>
#include <QtTest>

class TestURwz : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void playsTheFirstTenLastFirst();
    void everyTopicShowsWhole();

private:
    mathtest::Basics* basics_ = nullptr;
    QStringList bank_;
};

void TestURwz::initTestCase() {
    basics_ = new mathtest::Basics;
    QVERIFY(basics_->soundReady);
    bank_ = ReadXMLList(platform::dataPath("Data\\XML\\认位置.xml"), "list", "Topic");
    QVERIFY(bank_.size() > 10);
    QVERIFY(bank_.join("").contains("玥玥"));
}

void TestURwz::cleanupTestCase() {
    delete frmrwz.data();
    delete basics_;
}

void TestURwz::playsTheFirstTenLastFirst() {
    auto* w = qobject_cast<Tfrmrwz*>(openLazy("Tfrmrwz"));
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), QString("认位置"));
    QVERIFY(basics_->recorder.calls().empty());
    QStringList expected;
    for (int k = 9; k >= 0; --k)
        expected << bank_[k];
    QCOMPARE(w->series().playList(), expected);
    auto* topic = w->findChild<QLabel*>("lbltopic");
    for (int i = 0; i < 10; ++i) {
        QCOMPARE(topic->text(), expected[i]);
        w->imgnextClick();
    }
    QCOMPARE(topic->text(), bank_[9]);
    // The same ten at the next showing.
    w->close();
    w = qobject_cast<Tfrmrwz*>(openLazy("Tfrmrwz"));
    QCOMPARE(w->series().playList(), expected);
    QVERIFY(basics_->recorder.calls().empty());
}

void TestURwz::everyTopicShowsWhole() {
    auto* w = qobject_cast<Tfrmrwz*>(openLazy("Tfrmrwz"));
    for (int i = 0; i < bank_.size(); ++i) {
        w->ShowTopic(bank_[i]);
        QVERIFY2(mathtest::picturesLoaded(w), qPrintable(bank_[i]));
        mathtest::grab(w, QStringLiteral("urwz_topic%1").arg(i + 1, 2, 10, QLatin1Char('0')));
    }
    QVERIFY(basics_->recorder.calls().empty());
    // A wrong answer on the first topic of the series, as the child sees it.
    w->close();
    w = qobject_cast<Tfrmrwz*>(openLazy("Tfrmrwz"));
    w->imgmanyClick(1);
    w->imgjudgeClick();
    mathtest::grab(w, "urwz_answered");
}

QTEST_MAIN(TestURwz)
#include "tst_urwz.moc"

// The mixed mathematics quiz: its panel for questions in words, and its real bank.
#include "MathFormTest.h"
#include "TestSupport.h"
#include "activities/common/UReadXML.h"
#include "activities/math/uMathZHLX.h"
#include "app/FormRegistry.h"
#include "app/Startup.h"
#include "app/TImage.h"
#include "platform/MessageService.h"
#include "platform/ProgramDir.h"
#include "platform/SoundLibrary.h"
#include "widgets/FlatButtons.h"

#include <QLabel>
#include <QtTest>

class TestUMathZHLX : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init() { basics_->recorder.clear(); }
    void noWayOnWithoutAnswering();
    void wordQuestionButtons_data();
    void wordQuestionButtons();
    void buttonAnswerHoldsBothPanels();
    void everyTopicShowsWhole();

private:
    TfrmMathZHLX* open();
    QList<TFlatButton*> shownButtons(QWidget* w);
    mathtest::Basics* basics_ = nullptr;
};

void TestUMathZHLX::initTestCase() {
    basics_ = new mathtest::Basics;
    QVERIFY(basics_->soundReady);
}

void TestUMathZHLX::cleanupTestCase() {
    delete frmMathZHLX.data();
    delete basics_;
}

TfrmMathZHLX* TestUMathZHLX::open() {
    auto* w = qobject_cast<TfrmMathZHLX*>(openLazy("TfrmMathZHLX"));
    Q_ASSERT(w);
    return w;
}

QList<TFlatButton*> TestUMathZHLX::shownButtons(QWidget* w) {
    QList<TFlatButton*> shown;
    for (const char* n : {"btna", "btnb", "btnc", "btnd"}) {
        auto* b = w->findChild<TFlatButton*>(n);
        if (!b->isHidden())
            shown << b;
    }
    return shown;
}

void TestUMathZHLX::noWayOnWithoutAnswering() {
    TfrmMathZHLX* w = open();
    QCOMPARE(w->windowTitle(), QString("综合练习"));
    QVERIFY(!w->findChild<TImage*>("imgnext"));
    QCOMPARE(w->series().size(), 10);
    QVERIFY(basics_->recorder.calls().empty());
    QVERIFY(!w->findChild<QLabel*>("lbltopic")->text().isEmpty() ||
            !w->findChild<QLabel*>("lblBotTopic")->text().isEmpty());
    w->close();
}

void TestUMathZHLX::wordQuestionButtons_data() {
    QTest::addColumn<QByteArray>("answers");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QList<int>>("lefts");
    QTest::newRow("C and D empty") << QByteArray("A=\"4\" B=\"6\" C=\"\" D=\"\"")
                                   << QStringList{"4", "6"} << QList<int>{217, 479};
    QTest::newRow("D empty") << QByteArray("A=\"4\" B=\"5\" C=\"6\" D=\"\"")
                             << QStringList{"4", "5", "6"} << QList<int>{76, 353, 631};
    QTest::newRow("all four, untrimmed")
        << QByteArray("A=\" 1\" B=\"2\" C=\"3\" D=\"4 \"") << QStringList{" 1", "2", "3", "4 "}
        << QList<int>{28, 241, 455, 669};
    QTest::newRow("C and D missing show blank buttons")
        << QByteArray("A=\"4\" B=\"5\"") << QStringList{"4", "5", " ", " "}
        << QList<int>{28, 241, 455, 669};
}

void TestUMathZHLX::wordQuestionButtons() {
    QFETCH(QByteArray, answers);
    QFETCH(QStringList, captions);
    QFETCH(QList<int>, lefts);
    testsupport::TempProgramDir dir;
    dir.write("Data/XML/sxzhlx.xml",
              "<bank><list Topic=\"3 + 2 = ?\" TopicType=\"3\" TopicKey=\"B\" " + answers +
                  "/></bank>");
    TfrmMathZHLX* w = open();
    QVERIFY(basics_->recorder.calls().empty());
    QVERIFY(w->findChild<QLabel*>("lbltopic")->isHidden());
    QCOMPARE(w->findChild<QLabel*>("lblBotTopic")->text(), QString("3 + 2 = ?"));
    QVERIFY(!w->findChild<QWidget*>("pnlNoPic")->isHidden());
    QVERIFY(w->findChild<QWidget*>("pnlabcd")->isHidden());
    QVERIFY(w->findChild<QWidget*>("pnlpicmany")->isHidden());
    QVERIFY(!w->findChild<TImage*>("imgjudge3")->isHidden());
    const QList<TFlatButton*> shown = shownButtons(w);
    QCOMPARE(shown.size(), captions.size());
    for (int i = 0; i < shown.size(); ++i) {
        QCOMPARE(shown[i]->Caption(), captions[i]);
        QCOMPARE(shown[i]->x(), lefts[i]);
    }
    w->close();
}

void TestUMathZHLX::buttonAnswerHoldsBothPanels() {
    testsupport::TempProgramDir dir;
    dir.write("Data/XML/sxzhlx.xml",
              "<bank><list Topic=\"words\" TopicType=\"3\" TopicKey=\"b\" A=\"1\" B=\"2\" "
              "C=\"\" D=\"\"/><list Topic=\"pictures\" TopicType=\"0\" TopicKey=\"1\" "
              "pic1=\"a.png\" pic2=\"b.png\"/></bank>");
    TfrmMathZHLX* w = open();
    if (w->series().currentTopic() != "words")
        w->Timer1Timer(); // not pausing: simply moves on
    QCOMPARE(w->series().currentTopic(), QString("words"));
    QTest::mouseClick(w->findChild<TFlatButton*>("btnb"), Qt::LeftButton);
    QCOMPARE(w->findChild<QLabel*>("lblright")->text(), QString("1"));
    QVERIFY(!w->findChild<QWidget*>("pnlNoPic")->isEnabled());
    QVERIFY(!w->findChild<QWidget*>("pnlabcd")->isEnabled());
    w->Timer1Timer();
    QVERIFY(w->findChild<QWidget*>("pnlNoPic")->isEnabled());
    // A picture topic brings the question line back.
    QCOMPARE(w->series().currentTopic(), QString("pictures"));
    QVERIFY(!w->findChild<QLabel*>("lbltopic")->isHidden());
    QVERIFY(w->findChild<QWidget*>("pnlNoPic")->isHidden());
    QVERIFY(!w->findChild<QWidget*>("pnlpicmany")->isHidden());
    w->close();
}

void TestUMathZHLX::everyTopicShowsWhole() {
    TfrmMathZHLX* w = open();
    const QStringList all =
        ReadXMLList(platform::dataPath("Data\\XML\\sxzhlx.xml"), "list", "Topic");
    QVERIFY(all.size() >= 12);
    int words = 0;
    for (int i = 0; i < all.size(); ++i) {
        w->ShowTopic(all[i]);
        if (!w->findChild<QWidget*>("pnlNoPic")->isHidden()) {
            ++words;
            QVERIFY(shownButtons(w).size() >= 2);
            for (TFlatButton* b : shownButtons(w))
                QVERIFY(!b->Caption().trimmed().isEmpty());
        } else {
            QVERIFY2(mathtest::picturesLoaded(w), qPrintable(all[i]));
        }
        mathtest::grab(w, QStringLiteral("umathzhlx_topic%1").arg(i + 1, 2, 10, QLatin1Char('0')));
    }
    QVERIFY(words > 0);
    QVERIFY(basics_->recorder.calls().empty());
}

QTEST_MAIN(TestUMathZHLX)
#include "tst_umathzhlx.moc"

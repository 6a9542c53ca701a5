// The counting quiz on its real bank: ten random topics, every topic playable.
#include "MathFormTest.h"
#include "activities/common/UReadXML.h"
#include "activities/math/usys.h"
#include "app/FormRegistry.h"
#include "app/Startup.h"
#include "app/TImage.h"
#include "platform/MessageService.h"
#include "platform/ProgramDir.h"
#include "platform/Random.h"
#include "platform/SoundLibrary.h"

#include <QLabel>
#include <QSet>
#include <QtTest>

class TestUsys : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void opensWithTenRandomTopics();
    void newSeriesAtEachShowing();
    void everyTopicShowsWhole();

private:
    Tfrmsys* open();
    mathtest::Basics* basics_ = nullptr;
};

using mathtest::grab;
using mathtest::picturesLoaded;

void TestUsys::initTestCase() {
    QCOMPARE(platform::programDir(), QString(PELUMO_BINARY_DIR));
    basics_ = new mathtest::Basics;
    QVERIFY(basics_->soundReady);
}

void TestUsys::cleanupTestCase() {
    delete frmsys.data();
    delete basics_;
}

Tfrmsys* TestUsys::open() {
    auto* w = qobject_cast<Tfrmsys*>(openLazy("Tfrmsys"));
    Q_ASSERT(w);
    return w;
}

void TestUsys::opensWithTenRandomTopics() {
    platform::fixRandomSeed(5);
    Tfrmsys* w = open();
    QCOMPARE(w, frmsys.data());
    QVERIFY(w->isVisible());
    QCOMPARE(w->windowTitle(), QString("数一数"));
    QCOMPARE(w->size(), QSize(900, 675));
    QVERIFY(basics_->recorder.calls().empty());
    const QStringList all =
        ReadXMLList(platform::dataPath("Data\\XML\\数一数.xml"), "list", "Topic");
    const QStringList& play = w->series().playList();
    QCOMPARE(play.size(), 10);
    QCOMPARE(QSet<QString>(play.begin(), play.end()).size(), 10);
    for (const QString& t : play)
        QVERIFY(all.contains(t));
    QCOMPARE(w->findChild<QLabel*>("lbltopic")->text(), play.first());
    QVERIFY(w->findChild<TImage*>("imgnext"));
    w->imgmany1MouseMove(w->findChild<TImage*>("imgmany2"));
    grab(w, "usys_first");
}

void TestUsys::newSeriesAtEachShowing() {
    QSet<QStringList> series;
    for (uint32_t seed : {1u, 2u, 3u}) {
        platform::fixRandomSeed(seed);
        Tfrmsys* w = open();
        series.insert(w->series().playList());
        w->close();
        QVERIFY(w->isHidden());
    }
    QVERIFY(series.size() > 1);
}

void TestUsys::everyTopicShowsWhole() {
    Tfrmsys* w = open();
    const QStringList all =
        ReadXMLList(platform::dataPath("Data\\XML\\数一数.xml"), "list", "Topic");
    for (int i = 0; i < all.size(); ++i) {
        w->ShowTopic(all[i]);
        QVERIFY2(picturesLoaded(w), qPrintable(all[i]));
        // A bank of pictures only: one of the two answer panels is always up.
        QVERIFY(w->findChild<QWidget*>("pnlabcd")->isHidden() !=
                w->findChild<QWidget*>("pnlpicmany")->isHidden());
        grab(w, QStringLiteral("usys_topic%1").arg(i + 1, 2, 10, QLatin1Char('0')));
    }
    QVERIFY(basics_->recorder.calls().empty());
    // A right answer with its sign, as the child sees it.
    w->ShowTopic(w->series().currentTopic());
    w->imgmanyClick(1);
    w->imgjudgeClick();
    grab(w, "usys_answered");
    QVERIFY(basics_->recorder.calls().empty());
}

QTEST_MAIN(TestUsys)
#include "tst_usys.moc"

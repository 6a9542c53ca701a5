// The painted scroll bar: part geometry, range and enabled rules, steps, repeat and dragging.
#include "WidgetTestSupport.h"
#include "widgets/WidgetTimer.h"
#include "widgets/uIScrollBar.h"

#include <QSignalSpy>
#include <QTest>

namespace {

TIScrollBar* makeBar(QWidget* parent, int length = 200) {
    auto* bar = new TIScrollBar(parent);
    bar->SetScrollBarKind(TIScrollBar::sbVertical);
    bar->resize(16, length);
    return bar;
}

void move(QWidget* w, QPoint pos, Qt::MouseButtons buttons = Qt::LeftButton) {
    QMouseEvent ev(QEvent::MouseMove, pos, w->mapToGlobal(pos), Qt::NoButton, buttons, {});
    QApplication::sendEvent(w, &ev);
}

struct DrawnPart {
    int part;
    int state;
    QRect rect;
};

} // namespace

class TstIScrollBar : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { TWidgetTimer::SetManualClock(true); }
    void thumbSizeAndPosition_data();
    void thumbSizeAndPosition();
    void shortBars_data();
    void shortBars();
    void enabledByRange();
    void rangeChangesPullThePosition();
    void stepsAndClamping();
    void repeatWhileHeld();
    void draggingTheThumb();
    void ownerDrawGetsEveryPartWithItsState();
};

void TstIScrollBar::thumbSizeAndPosition_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("thumbTop");
    // 200 pixels: arrows of 16, a track of 168, Max 100, PageSize 10: thumb 17, span 91.
    QTest::newRow("start") << 0 << 16;
    QTest::newRow("middle") << 45 << 91;
    QTest::newRow("end of span") << 91 << 167;
}

void TstIScrollBar::thumbSizeAndPosition() {
    QFETCH(int, position);
    QFETCH(int, thumbTop);
    QWidget host;
    auto* bar = makeBar(&host);
    bar->SetPageSize(10);
    bar->SetPosition(position);
    QCOMPARE(bar->ThumbSize(), 17);
    const QRect thumb = bar->PartRect(TIScrollBar::spThumb);
    QCOMPARE(thumb, QRect(0, thumbTop, 16, 17));
    QCOMPARE(bar->PartRect(TIScrollBar::spTrackBefore).height(), thumbTop - 16);
    QCOMPARE(bar->PartRect(TIScrollBar::spTrackAfter).height(), 184 - (thumbTop + 17));
    QCOMPARE(bar->PartRect(TIScrollBar::spSecondArrow).top(), 184);
    // Without a page size the thumb is 16 long; a tiny page still gives at least 9.
    bar->SetPageSize(0);
    QCOMPARE(bar->ThumbSize(), 16);
    bar->SetPageSize(1);
    QCOMPARE(bar->ThumbSize(), 9);
}

void TstIScrollBar::shortBars_data() {
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("arrow");
    QTest::addColumn<bool>("thumb");
    QTest::newRow("30 px: two 15-px arrows and no thumb") << 30 << 15 << false;
    QTest::newRow("48 px: 16-px arrows, no room for a 16-px thumb") << 48 << 16 << false;
    QTest::newRow("49 px: the thumb shows") << 49 << 16 << true;
}

void TstIScrollBar::shortBars() {
    QFETCH(int, length);
    QFETCH(int, arrow);
    QFETCH(bool, thumb);
    QWidget host;
    auto* bar = makeBar(&host, length);
    QCOMPARE(bar->PartRect(TIScrollBar::spFirstArrow), QRect(0, 0, 16, arrow));
    QCOMPARE(bar->PartRect(TIScrollBar::spSecondArrow), QRect(0, length - arrow, 16, arrow));
    QCOMPARE(!bar->PartRect(TIScrollBar::spThumb).isEmpty(), thumb);
}

void TstIScrollBar::enabledByRange() {
    QWidget host;
    auto* bar = makeBar(&host);
    QSignalSpy changes(bar, &TIScrollBar::OnEnabledChange);
    bar->SetMax(10);
    bar->SetPageSize(11);
    QVERIFY(!bar->isEnabled());
    QCOMPARE(bar->ThumbSize(), 0);
    QCOMPARE(changes.count(), 1);
    QVERIFY(!bar->isHidden());
    bar->SetHideWhenDisabled(true);
    QVERIFY(bar->isHidden());
    bar->SetPageSize(10);
    QVERIFY(bar->isEnabled());
    QVERIFY(!bar->isHidden());
    QCOMPARE(changes.count(), 2);
}

void TstIScrollBar::rangeChangesPullThePosition() {
    QWidget host;
    auto* bar = makeBar(&host);
    QSignalSpy changed(bar, &TIScrollBar::OnChange);
    bar->SetPosition(80);
    bar->SetPageSize(10);
    bar->SetMax(50);
    QCOMPARE(bar->Position(), 41);
    bar->SetPageSize(0);
    bar->SetMax(30);
    QCOMPARE(bar->Position(), 30);
    bar->SetMin(35);
    QCOMPARE(bar->Position(), 35);
    QCOMPARE(changed.count(), 4);
}

void TstIScrollBar::stepsAndClamping() {
    QWidget host;
    auto* bar = makeBar(&host);
    bar->SetMax(20);
    bar->SetPageSize(5);
    bar->SetLargeChange(8);
    QSignalSpy scrolls(bar, &TIScrollBar::OnScroll);
    // Second arrow: a line step towards Max.
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(8, 195));
    QCOMPARE(bar->Position(), 1);
    QCOMPARE(scrolls.count(), 1);
    QCOMPARE(scrolls.at(0).at(0).toBool(), true); // first step
    QCOMPARE(scrolls.at(0).at(1).toInt(), 1);
    QCOMPARE(scrolls.at(0).at(2).toBool(), false);
    QCOMPARE(scrolls.at(0).at(3).toInt(), int(TIScrollBar::skLine));
    // Track after the thumb: a page step, limited to Max - PageSize + 1 = 16.
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(8, 180));
    QCOMPARE(bar->Position(), 9);
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(8, 182));
    QCOMPARE(bar->Position(), 16);
    QCOMPARE(scrolls.last().at(1).toInt(), 7); // the amount actually moved
    QCOMPARE(scrolls.last().at(3).toInt(), int(TIScrollBar::skPage));
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(8, 182));
    QCOMPARE(scrolls.count(), 3); // nothing moved, nothing reported
    // First arrow and the track before the thumb go towards Min, never below it.
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(8, 20));
    QCOMPARE(bar->Position(), 8);
    QCOMPARE(scrolls.last().at(2).toBool(), true);
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(8, 20));
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(8, 5));
    QCOMPARE(bar->Position(), 0);
    bar->ScrollBy(false, false, 100);
    QCOMPARE(bar->Position(), 16);
    QCOMPARE(scrolls.last().at(3).toInt(), int(TIScrollBar::skScrollBy));
}

void TstIScrollBar::repeatWhileHeld() {
    QWidget host;
    auto* bar = makeBar(&host);
    bar->SetFirstRepeatDelay(150);
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(8, 195));
    QCOMPARE(bar->Position(), 1);
    // The first repeat after the set delay, the next ones every 50 ms.
    TWidgetTimer::Advance(149);
    QCOMPARE(bar->Position(), 1);
    TWidgetTimer::Advance(1);
    QCOMPARE(bar->Position(), 2);
    TWidgetTimer::Advance(49);
    QCOMPARE(bar->Position(), 2);
    TWidgetTimer::Advance(1);
    QCOMPARE(bar->Position(), 3);
    // Off the pressed arrow the repeat stops; back on it, it resumes.
    move(bar, QPoint(8, 100));
    QVERIFY(!bar->Repeating());
    TWidgetTimer::Advance(500);
    QCOMPARE(bar->Position(), 3);
    move(bar, QPoint(8, 195));
    QVERIFY(bar->Repeating());
    TWidgetTimer::Advance(50);
    QCOMPARE(bar->Position(), 4);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(8, 195));
    QVERIFY(!bar->Repeating());
    TWidgetTimer::Advance(500);
    QCOMPARE(bar->Position(), 4);
}

void TstIScrollBar::draggingTheThumb() {
    QWidget host;
    auto* bar = makeBar(&host);
    bar->SetPageSize(10);
    QSignalSpy scrolls(bar, &TIScrollBar::OnScroll);
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(8, 20));
    QVERIFY(bar->Dragging());
    move(bar, QPoint(8, 95)); // 75 pixels of the 151 the thumb can travel
    QCOMPARE(bar->Position(), 45);
    QCOMPARE(bar->PartRect(TIScrollBar::spThumb).top(), 91);
    move(bar, QPoint(8, 400));
    QCOMPARE(bar->Position(), 91);
    QCOMPARE(scrolls.last().at(3).toInt(), int(TIScrollBar::skThumb));
    QCOMPARE(scrolls.last().at(2).toBool(), false);
    move(bar, QPoint(8, -50));
    QCOMPARE(bar->Position(), 0);
    QCOMPARE(scrolls.last().at(2).toBool(), true);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(8, -50));
    QVERIFY(!bar->Dragging());
}

void TstIScrollBar::ownerDrawGetsEveryPartWithItsState() {
    QWidget host;
    auto* bar = makeBar(&host);
    bar->SetPageSize(10);
    bar->SetOwnerDraw(true);
    QList<DrawnPart> drawn;
    connect(bar, &TIScrollBar::OnDrawControl, [&](QPainter*, int part, int state, QRect r) {
        drawn.append({part, state, r});
    });
    bar->grab();
    QCOMPARE(drawn.size(), 4); // the track before the thumb is empty at the start
    QCOMPARE(drawn.at(0).part, int(TIScrollBar::spThumb));
    QCOMPARE(drawn.at(1).part, int(TIScrollBar::spFirstArrow));
    for (const DrawnPart& d : drawn)
        QCOMPARE(d.state, int(TIScrollBar::psNormal));
    // A held arrow is pressed while the mouse stays on it, hot otherwise.
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(8, 5));
    drawn.clear();
    bar->grab();
    QCOMPARE(drawn.at(1).state, int(TIScrollBar::psPressed));
    move(bar, QPoint(8, 100));
    drawn.clear();
    bar->grab();
    QCOMPARE(drawn.at(1).state, int(TIScrollBar::psNormal));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(8, 100));
    move(bar, QPoint(8, 195), Qt::NoButton);
    drawn.clear();
    bar->grab();
    QCOMPARE(drawn.at(2).part, int(TIScrollBar::spSecondArrow));
    QCOMPARE(drawn.at(2).state, int(TIScrollBar::psHot));
    bar->SetPageSize(500);
    drawn.clear();
    bar->grab();
    for (const DrawnPart& d : drawn)
        QCOMPARE(d.state, int(TIScrollBar::psDisabled));
}

QTEST_MAIN(TstIScrollBar)
#include "tst_uiscrollbar.moc"

// The flat list box: row geometry and height snapping, selection, the arrow strips, keys and
// wheel.
#include "widgets/TFlatListBoxUnit.h"
#include "widgets/WidgetTimer.h"

#include <QSignalSpy>
#include <QTest>

namespace {

QRgb rgbOf(TColor c) {
    return toQColor(c).rgb();
}

QStringList numbered(int n) {
    QStringList lines;
    for (int i = 0; i < n; ++i)
        lines << QStringLiteral("Guess %1").arg(i);
    return lines;
}

// ItemHeight 21 with arrow strips: rows every 23 pixels from y 13.
TFlatListBox* makeList(QWidget* parent, int items, int height = 24 + 23 * 4) {
    auto* lb = new TFlatListBox(parent);
    lb->SetItemHeight(21);
    lb->SetScrollBars(true);
    lb->resize(120, height);
    lb->Loaded();
    lb->SetItems(numbered(items));
    return lb;
}

void wheel(QWidget* w, int delta) {
    QWheelEvent ev(QPointF(20, 20), w->mapToGlobal(QPointF(20, 20)), QPoint(), QPoint(0, delta),
                   Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &ev);
}

} // namespace

class TstFlatListBox : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { TWidgetTimer::SetManualClock(true); }
    void heightSnapsToRows();
    void sizeRulesAfterLoading_data();
    void sizeRulesAfterLoading();
    void selectedRowPixels();
    void setSelectedAndChangeIndex();
    void rowClickSelects();
    void multiSelectToggles();
    void itemIndexStaysInRange();
    void keysScrollTheViewOnly_data();
    void keysScrollTheViewOnly();
    void arrowStripRepeats();
    void wheelNotches_data();
    void wheelNotches();
};

void TstFlatListBox::heightSnapsToRows() {
    TFlatListBox lb;
    lb.SetItemHeight(21);
    lb.SetScrollBars(true);
    lb.show();
    lb.resize(120, 150);
    QCOMPARE(lb.VisibleRows(), 5);
    QCOMPARE(lb.height(), 23 * 5 + 24);
    lb.Loaded();
    // After loading, the strips add and remove their 20 pixels, the row height resizes.
    lb.SetScrollBars(false);
    QCOMPARE(lb.height(), 23 * 5 + 4);
    QCOMPARE(lb.VisibleRows(), 5);
    lb.SetItemHeight(11);
    QCOMPARE(lb.height(), 13 * 5 + 4);
    lb.SetItemHeight(0);
    QCOMPARE(lb.ItemHeight(), 1);
}

void TstFlatListBox::sizeRulesAfterLoading_data() {
    QTest::addColumn<bool>("formCallsLoaded");
    QTest::newRow("the form calls Loaded") << true;
    QTest::newRow("shown without Loaded: loaded when first polished") << false;
}

void TstFlatListBox::sizeRulesAfterLoading() {
    QFETCH(bool, formCallsLoaded);
    QWidget form;
    auto* lb = new TFlatListBox(&form);
    lb->SetItemHeight(21);
    lb->SetScrollBars(true);
    lb->resize(120, 23 * 5 + 24);
    QCOMPARE(lb->height(), 23 * 5 + 24); // still loading: the settings resized nothing
    if (formCallsLoaded)
        lb->Loaded();
    form.show();
    lb->SetScrollBars(false);
    QCOMPARE(lb->height(), 23 * 5 + 4);
    lb->SetItemHeight(11);
    QCOMPARE(lb->height(), 13 * 5 + 4);
}

void TstFlatListBox::selectedRowPixels() {
    QWidget form;
    auto* lb = makeList(&form, 10);
    lb->SetColor(TColor(0x00E1EAEB));
    lb->SetColorBorder(clBlack);
    lb->SetSelected(2, true);
    const QImage img = lb->grab().toImage();
    const int y = 13 + 2 * 23 + 2;
    QCOMPARE(img.pixel(100, y), rgbOf(TColor(0x009CDEF7)));
    QCOMPARE(img.pixel(3, y), rgbOf(clBlack)); // the row's frame
    QCOMPARE(img.pixel(100, 13 + 23 + 2), rgbOf(clWhite));
    QCOMPARE(img.pixel(30, 5), rgbOf(TColor(0x00E1EAEB))); // top strip
    QCOMPARE(img.pixel(0, 0), rgbOf(clBlack));
    QCOMPARE(img.pixel(119, lb->height() - 1), rgbOf(clBlack));
}

void TstFlatListBox::setSelectedAndChangeIndex() {
    QWidget form;
    auto* lb = makeList(&form, 5);
    QSignalSpy changes(lb, &TFlatListBox::OnChangeIndex);
    lb->SetSelected(3, true);
    QCOMPARE(lb->ItemIndex(), 3);
    QCOMPARE(changes.count(), 1);
    lb->SetSelected(1, true);
    QVERIFY(!lb->Selected(3));
    QVERIFY(lb->Selected(1));
    lb->SetSelected(1, false);
    QVERIFY(!lb->Selected(1));
    QCOMPARE(changes.count(), 2);
    lb->SetSelected(5, true);
    lb->SetSelected(-1, true);
    QCOMPARE(changes.count(), 2);
    QCOMPARE(lb->ItemIndex(), 1);
    // Setting ItemIndex itself is no click and no SetSelected.
    lb->SetItemIndex(4);
    QCOMPARE(lb->ItemIndex(), 4);
    QCOMPARE(changes.count(), 2);
}

void TstFlatListBox::rowClickSelects() {
    QWidget form;
    auto* lb = makeList(&form, 3);
    QSignalSpy downs(lb, &TFlatControl::OnMouseDown);
    QSignalSpy clicks(lb, &TFlatControl::OnClick);
    QSignalSpy changes(lb, &TFlatListBox::OnChangeIndex);
    QTest::mouseClick(lb, Qt::LeftButton, {}, QPoint(50, 13 + 23 + 5));
    QCOMPARE(lb->ItemIndex(), 1);
    QCOMPARE(downs.count(), 0);
    QCOMPARE(clicks.count(), 1);
    // A row past the last item: no item.
    QTest::mouseClick(lb, Qt::LeftButton, {}, QPoint(50, 13 + 3 * 23 + 5));
    QCOMPARE(lb->ItemIndex(), -1);
    QCOMPARE(changes.count(), 2);
    // The gap between rows is no row: the press goes on to OnMouseDown.
    QTest::mouseClick(lb, Qt::LeftButton, {}, QPoint(50, 13 + 21));
    QCOMPARE(downs.count(), 1);
}

void TstFlatListBox::multiSelectToggles() {
    QWidget form;
    auto* lb = makeList(&form, 4);
    lb->SetItemIndex(2);
    QSignalSpy changes(lb, &TFlatListBox::OnChangeIndex);
    lb->SetMultiSelect(true);
    QCOMPARE(lb->ItemIndex(), 0);
    QCOMPARE(changes.count(), 1);
    QTest::mouseClick(lb, Qt::LeftButton, {}, QPoint(50, 13 + 5));
    QTest::mouseClick(lb, Qt::LeftButton, {}, QPoint(50, 13 + 2 * 23 + 5));
    QVERIFY(lb->Selected(0));
    QVERIFY(lb->Selected(2));
    QTest::mouseClick(lb, Qt::LeftButton, {}, QPoint(50, 13 + 5));
    QVERIFY(!lb->Selected(0));
    QCOMPARE(lb->ItemIndex(), 0);
    // Even an empty list moves to the first place.
    TFlatListBox empty;
    empty.SetMultiSelect(true);
    QCOMPARE(empty.ItemIndex(), 0);
}

void TstFlatListBox::itemIndexStaysInRange() {
    QWidget form;
    auto* lb = makeList(&form, 5);
    lb->SetSelected(4, true);
    // A disabled list keeps its index and selection when its items are cleared.
    lb->setEnabled(false);
    QSignalSpy changes(lb, &TFlatListBox::OnChangeIndex);
    lb->Items().Clear();
    QCOMPARE(lb->ItemIndex(), 4);
    QVERIFY(lb->Selected(4));
    QCOMPARE(changes.count(), 0);
    lb->setEnabled(true);
    lb->SetItems(numbered(2));
    QCOMPARE(lb->ItemIndex(), -1);
    QCOMPARE(changes.count(), 1);
    lb->SetItems(numbered(5));
    lb->SetItemIndex(9);
    QCOMPARE(lb->ItemIndex(), 4);
    lb->Items().Delete(4);
    QCOMPARE(lb->ItemIndex(), -1);
}

void TstFlatListBox::keysScrollTheViewOnly_data() {
    QTest::addColumn<int>("items");
    QTest::addColumn<int>("startTop");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("topIndex");
    QTest::newRow("page down a full page") << 20 << 0 << int(Qt::Key_PageDown) << 4;
    QTest::newRow("page down near the end shows the last page")
        << 10 << 3 << int(Qt::Key_PageDown) << 6;
    QTest::newRow("page down with fewer items than rows") << 3 << 0 << int(Qt::Key_PageDown) << 0;
    QTest::newRow("page up stops at the top") << 20 << 2 << int(Qt::Key_PageUp) << 0;
    QTest::newRow("down") << 20 << 0 << int(Qt::Key_Down) << 1;
    QTest::newRow("down at the bottom stays") << 6 << 2 << int(Qt::Key_Down) << 2;
    QTest::newRow("up at the top stays") << 6 << 0 << int(Qt::Key_Up) << 0;
}

void TstFlatListBox::keysScrollTheViewOnly() {
    QFETCH(int, items);
    QFETCH(int, startTop);
    QFETCH(int, key);
    QFETCH(int, topIndex);
    QWidget form;
    auto* lb = makeList(&form, items);
    lb->SetTopIndex(startTop);
    lb->SetItemIndex(1);
    QTest::keyClick(lb, Qt::Key(key));
    QCOMPARE(lb->TopIndex(), topIndex);
    QCOMPARE(lb->ItemIndex(), 1);
}

void TstFlatListBox::arrowStripRepeats() {
    QWidget form;
    auto* lb = makeList(&form, 10); // 4 rows: the last item is in the last row at top 6
    const QPoint bottom(50, lb->height() - 5);
    QTest::mousePress(lb, Qt::LeftButton, {}, bottom);
    QCOMPARE(lb->TopIndex(), 1);
    QVERIFY(lb->Repeating());
    // The first repeat comes after 600 ms, the next ones every 100 ms.
    TWidgetTimer::Advance(599);
    QCOMPARE(lb->TopIndex(), 1);
    TWidgetTimer::Advance(1);
    QCOMPARE(lb->TopIndex(), 2);
    TWidgetTimer::Advance(99);
    QCOMPARE(lb->TopIndex(), 2);
    TWidgetTimer::Advance(1);
    QCOMPARE(lb->TopIndex(), 3);
    // At the last page the repeat ends by itself.
    TWidgetTimer::Advance(1000);
    QCOMPARE(lb->TopIndex(), 6);
    QVERIFY(!lb->Repeating());
    QTest::mouseRelease(lb, Qt::LeftButton, {}, bottom);
    // The top strip goes back up; release stops it.
    QTest::mousePress(lb, Qt::LeftButton, {}, QPoint(50, 5));
    QCOMPARE(lb->TopIndex(), 5);
    QTest::mouseRelease(lb, Qt::LeftButton, {}, QPoint(50, 5));
    QVERIFY(!lb->Repeating());
    TWidgetTimer::Advance(2000);
    QCOMPARE(lb->TopIndex(), 5);
}

void TstFlatListBox::wheelNotches_data() {
    QTest::addColumn<QList<int>>("deltas");
    QTest::addColumn<int>("topIndex");
    const int lines = QApplication::wheelScrollLines();
    QTest::newRow("a notch towards the user") << QList<int>({-120}) << lines;
    QTest::newRow("two notches at once") << QList<int>({-240}) << 2 * lines;
    QTest::newRow("touchpad parts of a notch") << QList<int>({-60, -59}) << 0;
    QTest::newRow("touchpad parts adding to one") << QList<int>({-60, -60}) << lines;
    QTest::newRow("down then up") << QList<int>({-240, 120}) << lines;
    QTest::newRow("never past the last page") << QList<int>({-1200}) << 16;
}

void TstFlatListBox::wheelNotches() {
    QFETCH(QList<int>, deltas);
    QFETCH(int, topIndex);
    QWidget form;
    auto* lb = makeList(&form, 20);
    for (int d : deltas)
        wheel(lb, d);
    QCOMPARE(lb->TopIndex(), topIndex);
    QCOMPARE(lb->ItemIndex(), -1);
}

QTEST_MAIN(TstFlatListBox)
#include "tst_tflatlistboxunit.moc"

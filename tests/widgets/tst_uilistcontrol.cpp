// The painted list box: selection, item notifications, scrolling by keys, wheel, bar and drag,
// and the slide.
#include "WidgetTestSupport.h"
#include "widgets/WidgetTimer.h"
#include "widgets/uIListControl.h"

#include <QSignalSpy>
#include <QTest>

namespace {

// Lowered style, rows of 30 in a 120-pixel item area: exactly 4 visible rows; `cut`
// pixels more show a part of a fifth.
TIListBox* makeList(QWidget* parent, int items, int rowHeight = 30, int rows = 4, int cut = 0) {
    auto* lb = new TIListBox(parent);
    lb->SetGUIStyle(TIGUIListControl::lcgLowered);
    lb->SetAutoItemHeight(false);
    lb->SetItemHeight(rowHeight);
    lb->resize(200, rowHeight * rows + 2 + cut);
    QStringList lines;
    for (int i = 0; i < items; ++i)
        lines << QStringLiteral("Song %1").arg(i);
    lb->SetItems(lines);
    return lb;
}

QPoint rowPoint(TIListControl* lb, int visibleRow) {
    return QPoint(20, lb->ItemsRect().top() + visibleRow * lb->ItemHeight() + 5);
}

void drag(QWidget* w, QPoint pos) {
    QMouseEvent ev(QEvent::MouseMove, pos, w->mapToGlobal(pos), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(w, &ev);
}

void wheel(QWidget* w, int delta) {
    QWheelEvent ev(QPointF(20, 20), w->mapToGlobal(QPointF(20, 20)), QPoint(), QPoint(0, delta),
                   Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &ev);
}

QList<int> selectedRows(const TIListControl* lb) {
    QList<int> rows;
    for (int i = 0; i < lb->Count(); ++i)
        if (lb->Selected(i))
            rows << i;
    return rows;
}

} // namespace

class TstIListControl : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { TWidgetTimer::SetManualClock(true); }
    void init() { TIListControl::SetAnimationsEnabled(false); }
    void itemIndexClampsAndSelects_data();
    void itemIndexClampsAndSelects();
    void selectedInBothModes();
    void shiftAndCtrlClicks();
    void itemNotifications_data();
    void itemNotifications();
    void topIndexLimitsAndHiddenBar();
    void keys_data();
    void keys();
    void rowScrolledIntoViewIsWhole_data();
    void rowScrolledIntoViewIsWhole();
    void clicksAndItemEvents();
    void wheelAcceleratesWithinTheWindow();
    void dragBelowAutoScrollsAndExtends();
    void slideDoesNotBlock();
    void ownerDrawReplacesRows();
    void rowLook_data();
    void rowLook();
    void twoLineRowsShareOneType();
    void scrollBarMovesTheList();
    void itemHeightBelowOneIsRefused();
};

void TstIListControl::itemIndexClampsAndSelects_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("past the end lands on the last") << 100 << 9;
    QTest::newRow("below -1 means none") << -5 << -1;
    QTest::newRow("a row") << 3 << 3;
}

void TstIListControl::itemIndexClampsAndSelects() {
    QFETCH(int, value);
    QFETCH(int, expected);
    QWidget form;
    auto* lb = makeList(&form, 10);
    lb->SetItemIndex(value);
    QCOMPARE(lb->ItemIndex(), expected);
    QCOMPARE(selectedRows(lb), expected < 0 ? QList<int>() : QList<int>({expected}));
}

void TstIListControl::selectedInBothModes() {
    QWidget form;
    auto* lb = makeList(&form, 6);
    lb->SetSelected(2, true);
    QCOMPARE(lb->ItemIndex(), 2);
    lb->SetSelected(4, true);
    QCOMPARE(selectedRows(lb), QList<int>({4}));
    lb->SetSelected(4, false);
    QVERIFY(!lb->Selected(4));
    QCOMPARE(lb->ItemIndex(), 4);
    lb->SetSelected(9, true);
    lb->SetSelected(-1, true);
    QVERIFY(!lb->Selected(9));
    QCOMPARE(lb->ItemIndex(), 4);
    lb->SetMultiSelect(true);
    lb->SetSelected(0, true);
    lb->SetSelected(5, true);
    QCOMPARE(selectedRows(lb), QList<int>({0, 5}));
    QCOMPARE(lb->ItemIndex(), 4);
}

void TstIListControl::shiftAndCtrlClicks() {
    QWidget form;
    auto* lb = makeList(&form, 10);
    lb->SetMultiSelect(true);
    QTest::mouseClick(lb, Qt::LeftButton, {}, rowPoint(lb, 1));
    QCOMPARE(selectedRows(lb), QList<int>({1}));
    QTest::mouseClick(lb, Qt::LeftButton, Qt::ShiftModifier, rowPoint(lb, 3));
    QCOMPARE(selectedRows(lb), QList<int>({1, 2, 3}));
    QCOMPARE(lb->ItemIndex(), 3);
    QTest::mouseClick(lb, Qt::LeftButton, Qt::ControlModifier, rowPoint(lb, 2));
    QCOMPARE(selectedRows(lb), QList<int>({1, 3}));
    QCOMPARE(lb->Anchor(), 2);
    QTest::mouseClick(lb, Qt::LeftButton, Qt::ControlModifier, rowPoint(lb, 0));
    QCOMPARE(selectedRows(lb), QList<int>({0, 1, 3}));
    // Shift extends from the last Ctrl click, replacing the rest.
    QTest::mouseClick(lb, Qt::LeftButton, Qt::ShiftModifier, rowPoint(lb, 2));
    QCOMPARE(selectedRows(lb), QList<int>({0, 1, 2}));
    QTest::mouseClick(lb, Qt::LeftButton, {}, rowPoint(lb, 3));
    QCOMPARE(selectedRows(lb), QList<int>({3}));
}

void TstIListControl::itemNotifications_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<int>("itemIndex");
    QTest::addColumn<int>("anchor");
    QTest::addColumn<QList<int>>("selected");
    // Before each change: 8 items, multi-select, rows 2 and 5 selected, anchor 5, index 5.
    QTest::newRow("insert before moves everything up")
        << "insert 1" << 6 << 6 << QList<int>({3, 6});
    QTest::newRow("insert after leaves them") << "insert 7" << 5 << 5 << QList<int>({2, 5});
    QTest::newRow("delete before moves them down") << "delete 3" << 4 << 4 << QList<int>({2, 4});
    QTest::newRow("delete row 0 keeps the numbers") << "delete 0" << 5 << 5 << QList<int>({1, 4});
    QTest::newRow("delete the current row") << "delete 5" << 4 << 4 << QList<int>({2});
    QTest::newRow("move the current row down") << "move 5 7" << 7 << 7 << QList<int>({2, 7});
    QTest::newRow("move a row across it") << "move 1 6" << 4 << 4 << QList<int>({1, 4});
    QTest::newRow("move up across it") << "move 6 0" << 6 << 6 << QList<int>({3, 6});
    QTest::newRow("clear") << "clear" << -1 << -1 << QList<int>();
    QTest::newRow("delete row 0 of the last rows clamps")
        << "delete 0;delete 0;delete 0" << 4 << 4 << QList<int>({2});
}

void TstIListControl::itemNotifications() {
    QFETCH(QString, change);
    QFETCH(int, itemIndex);
    QFETCH(int, anchor);
    QFETCH(QList<int>, selected);
    QWidget form;
    auto* lb = makeList(&form, 8);
    lb->SetMultiSelect(true);
    QTest::mouseClick(lb, Qt::LeftButton, Qt::ControlModifier, rowPoint(lb, 2));
    lb->SetTopIndex(3);
    QTest::mouseClick(lb, Qt::LeftButton, Qt::ControlModifier, rowPoint(lb, 2));
    QCOMPARE(selectedRows(lb), QList<int>({2, 5}));
    QCOMPARE(lb->ItemIndex(), 5);
    for (const QString& step : change.split(u';')) {
        const QStringList words = step.split(u' ');
        if (words[0] == "insert")
            lb->Items().Insert(words[1].toInt(), QStringLiteral("new"));
        else if (words[0] == "delete")
            lb->Items().Delete(words[1].toInt());
        else if (words[0] == "move")
            lb->Items().Move(words[1].toInt(), words[2].toInt());
        else
            lb->Items().Clear();
    }
    QCOMPARE(lb->Count(), lb->Items().Count());
    QCOMPARE(lb->ItemIndex(), itemIndex);
    QCOMPARE(lb->Anchor(), anchor);
    QCOMPARE(selectedRows(lb), selected);
    QVERIFY(lb->ItemIndex() < lb->Count());
}

void TstIListControl::topIndexLimitsAndHiddenBar() {
    QWidget form;
    auto* lb = makeList(&form, 10);
    QCOMPARE(lb->VisibleRows(), 4);
    lb->SetTopIndex(50);
    QCOMPARE(lb->TopIndex(), 7);
    QCOMPARE(lb->ScrollBar()->Position(), 7);
    QVERIFY(!lb->ScrollBar()->isHidden());
    QCOMPARE(lb->ItemsRect().right(), 200 - 16 - 2);
    lb->SetTopIndex(-3);
    QCOMPARE(lb->TopIndex(), 0);
    // Three items all fit: the bar hides, the rows take the full width, the view stays on top.
    while (lb->Items().Count() > 3)
        lb->Items().Delete(0);
    QVERIFY(lb->ScrollBar()->isHidden());
    QCOMPARE(lb->ItemsRect(), QRect(1, 1, 198, 120));
    lb->SetTopIndex(2);
    QCOMPARE(lb->TopIndex(), 0);
    lb->SetItemIndex(0);
    QTest::keyClick(lb, Qt::Key_PageDown); // page keys do nothing while every row fits
    QCOMPARE(lb->ItemIndex(), 0);
    // Taller rows shrink the page and bring the bar back.
    lb->SetItemHeight(60);
    QVERIFY(!lb->ScrollBar()->isHidden());
}

void TstIListControl::keys_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("expected");
    QTest::addColumn<int>("topIndex");
    QTest::newRow("down") << 2 << int(Qt::Key_Down) << 3 << 0;
    QTest::newRow("right is down") << 2 << int(Qt::Key_Right) << 3 << 0;
    QTest::newRow("down past the view scrolls it") << 3 << int(Qt::Key_Down) << 4 << 1;
    QTest::newRow("down at the end stays") << 9 << int(Qt::Key_Down) << 9 << 6;
    QTest::newRow("up") << 2 << int(Qt::Key_Up) << 1 << 0;
    QTest::newRow("up from the first stays") << 0 << int(Qt::Key_Up) << 0 << 0;
    QTest::newRow("up from none stays none") << -1 << int(Qt::Key_Up) << -1 << 0;
    QTest::newRow("down from none takes the first") << -1 << int(Qt::Key_Down) << 0 << 0;
    QTest::newRow("end") << 2 << int(Qt::Key_End) << 9 << 6;
    QTest::newRow("home") << 9 << int(Qt::Key_Home) << 0 << 0;
    QTest::newRow("page down") << 1 << int(Qt::Key_PageDown) << 5 << 2;
    QTest::newRow("page up") << 8 << int(Qt::Key_PageUp) << 5 << 5;
}

void TstIListControl::keys() {
    QFETCH(int, start);
    QFETCH(int, key);
    QFETCH(int, expected);
    QFETCH(int, topIndex);
    QWidget form;
    auto* lb = makeList(&form, 10);
    lb->SetItemIndex(start);
    QSignalSpy clicks(lb, &TFlatControl::OnClick);
    QTest::keyClick(lb, Qt::Key(key));
    QCOMPARE(lb->ItemIndex(), expected);
    QCOMPARE(lb->TopIndex(), topIndex);
    QCOMPARE(clicks.count(), expected != start ? 1 : 0);
}

// Four whole rows and 10 px of a fifth: the cut row is not in view.
void TstIListControl::rowScrolledIntoViewIsWhole_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("key"); // 0: ItemIndex set by the program
    QTest::addColumn<int>("target");
    QTest::addColumn<int>("topIndex");
    QTest::newRow("down onto the cut row") << 3 << int(Qt::Key_Down) << 4 << 1;
    QTest::newRow("program picks the cut row") << 0 << 0 << 4 << 1;
    QTest::newRow("end shows the last row whole") << 0 << int(Qt::Key_End) << 9 << 6;
    QTest::newRow("row above the view") << 9 << 0 << 2 << 2;
}

void TstIListControl::rowScrolledIntoViewIsWhole() {
    QFETCH(int, start);
    QFETCH(int, key);
    QFETCH(int, target);
    QWidget form;
    auto* lb = makeList(&form, 10, 30, 4, 10);
    QCOMPARE(lb->VisibleRows(), 5);
    lb->SetItemIndex(start);
    if (key)
        QTest::keyClick(lb, Qt::Key(key));
    else
        lb->SetItemIndex(target);
    QCOMPARE(lb->ItemIndex(), target);
    QTEST(lb->TopIndex(), "topIndex");
    const int rowTop = lb->ItemsRect().top() + (target - lb->TopIndex()) * lb->ItemHeight();
    QVERIFY(rowTop >= lb->ItemsRect().top());
    QVERIFY(rowTop + lb->ItemHeight() <= lb->ItemsRect().bottom() + 1);
}

void TstIListControl::clicksAndItemEvents() {
    QWidget form;
    auto* lb = makeList(&form, 10);
    QSignalSpy clicks(lb, &TFlatControl::OnClick);
    QSignalSpy itemClicks(lb, &TIListControl::OnItemClick);
    QSignalSpy itemDbl(lb, &TIListControl::OnItemDlbClick);
    QTest::mouseClick(lb, Qt::LeftButton, {}, rowPoint(lb, 2));
    QCOMPARE(lb->ItemIndex(), 2);
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(itemClicks.count(), 1);
    QCOMPARE(itemClicks.at(0).at(0).toInt(), 2);
    // Released over another row: the list clicks, the item does not.
    QTest::mousePress(lb, Qt::LeftButton, {}, rowPoint(lb, 1));
    drag(lb, rowPoint(lb, 3));
    QTest::mouseRelease(lb, Qt::LeftButton, {}, rowPoint(lb, 3));
    QCOMPARE(itemClicks.count(), 1);
    QCOMPARE(lb->ItemIndex(), 3);
    QTest::mouseClick(lb, Qt::LeftButton, {}, rowPoint(lb, 3));
    QCOMPARE(itemClicks.count(), 2);
    // A release over the anchor row clicks it even when its press began elsewhere.
    QTest::mouseRelease(lb, Qt::LeftButton, {}, rowPoint(lb, 3));
    QCOMPARE(itemClicks.count(), 3);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, rowPoint(lb, 3), lb->mapToGlobal(rowPoint(lb, 3)),
                    Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(lb, &dbl);
    QCOMPARE(itemDbl.count(), 1);
    QCOMPARE(itemDbl.at(0).at(0).toInt(), 3);
    // The item area's first pixel row and the frame are no row.
    QCOMPARE(lb->ItemAtPos(20, lb->ItemsRect().top()), -1);
    QCOMPARE(lb->ItemAtPos(0, 40), -1);
    QCOMPARE(lb->ItemAtPos(20, lb->ItemsRect().top() + 1), 0);
}

void TstIListControl::wheelAcceleratesWithinTheWindow() {
    QWidget form;
    auto* lb = makeList(&form, 40);
    wheel(lb, -40); // touchpad steps add up to a notch
    wheel(lb, -79);
    QCOMPARE(lb->TopIndex(), 0);
    wheel(lb, -1);
    QCOMPARE(lb->TopIndex(), 3);
    wheel(lb, -120);
    QCOMPARE(lb->TopIndex(), 9);
    wheel(lb, -120);
    QCOMPARE(lb->TopIndex(), 18);
    // After the 80 ms window a notch is plain again.
    TWidgetTimer::Advance(80);
    wheel(lb, 120);
    QCOMPARE(lb->TopIndex(), 15);
}

void TstIListControl::dragBelowAutoScrollsAndExtends() {
    QWidget form;
    auto* lb = makeList(&form, 30);
    lb->SetMultiSelect(true);
    QTest::mousePress(lb, Qt::LeftButton, {}, rowPoint(lb, 1));
    const int below = lb->ItemsRect().top() + lb->ItemsRect().height() + 20;
    drag(lb, QPoint(20, below));
    QCOMPARE(lb->AutoScrollSpeed(), 2);
    QCOMPARE(lb->TopIndex(), 1); // one row at once
    QCOMPARE(lb->ItemIndex(), 4);
    // Speed 2 steps every 50 ms.
    TWidgetTimer::Advance(199);
    QCOMPARE(lb->TopIndex(), 4);
    TWidgetTimer::Advance(1);
    QCOMPARE(lb->TopIndex(), 5);
    QCOMPARE(lb->ItemIndex(), lb->TopIndex() + 3);
    QCOMPARE(selectedRows(lb).first(), 1);
    QCOMPARE(selectedRows(lb).size(), lb->ItemIndex());
    QTest::mouseRelease(lb, Qt::LeftButton, {}, QPoint(20, below));
    QCOMPARE(lb->AutoScrollSpeed(), 0);
    TWidgetTimer::Advance(500);
    QCOMPARE(lb->TopIndex(), 5);
    // Far above the rows the fastest upward speed.
    QTest::mousePress(lb, Qt::LeftButton, {}, rowPoint(lb, 0));
    drag(lb, QPoint(20, -40));
    QCOMPARE(lb->AutoScrollSpeed(), 6);
    QTest::mouseRelease(lb, Qt::LeftButton, {}, QPoint(20, -40));
}

void TstIListControl::slideDoesNotBlock() {
    TIListControl::SetAnimationsEnabled(true);
    QWidget form;
    auto* lb = makeList(&form, 30);
    form.show();
    lb->SetItemIndex(3);
    QTest::keyClick(lb, Qt::Key_End);
    // The key returns at once; the view follows frame by frame.
    QVERIFY(lb->Sliding());
    QCOMPARE(lb->TopIndex(), 0);
    QCOMPARE(lb->ItemIndex(), 29);
    // 120 pixels: 21 frames of 10 ms, then the view lands.
    TWidgetTimer::Advance(209);
    QVERIFY(lb->Sliding());
    QCOMPARE(lb->TopIndex(), 0);
    TWidgetTimer::Advance(1);
    QVERIFY(!lb->Sliding());
    QCOMPARE(lb->TopIndex(), 26);
    // A new scroll during a slide ends the running one first.
    wheel(lb, 120);
    QVERIFY(lb->Sliding());
    wheel(lb, 120);
    QCOMPARE(lb->TopIndex(), 23);
    TWidgetTimer::Advance(1000);
    QCOMPARE(lb->TopIndex(), 17);
}

void TstIListControl::ownerDrawReplacesRows() {
    QWidget form;
    auto* lb = makeList(&form, 10);
    QList<int> drawn;
    connect(lb, &TIListControl::OnItemDraw, [&](QPainter* p, int index, int state, QRect r) {
        drawn << index;
        p->fillRect(r, (state & TIListControl::isSelected) ? Qt::green : Qt::blue);
    });
    lb->SetItemIndex(0);
    lb->grab();
    QVERIFY(drawn.isEmpty());
    lb->SetOwnerDraw(true);
    const QImage img = lb->grab().toImage();
    QCOMPARE(drawn.mid(0, 4), QList<int>({0, 1, 2, 3}));
    COMPARE_PIXELS(img, {50, 15, QColor(Qt::green).rgb()}, {50, 45, QColor(Qt::blue).rgb()});
}

namespace {
// Runs of pixel rows inside r that hold ink darker than the background of a lowered row.
int inkBands(const QImage& img, const QRect& r) {
    int bands = 0;
    bool inBand = false;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        bool ink = false;
        for (int x = r.left(); x <= r.right() && !ink; ++x)
            ink = qGray(img.pixel(x, y)) > 0x80;
        if (ink && !inBand)
            ++bands;
        inBand = ink;
    }
    return bands;
}
} // namespace

enum RowLook { Colours, FontColourIgnored, LongItem, LongItemTwoLines };

void TstIListControl::rowLook_data() {
    QTest::addColumn<int>("look");
    QTest::newRow("lowered: selected row, other rows and frame") << int(Colours);
    QTest::newRow("lowered: text ignores Font.Color") << int(FontColourIgnored);
    QTest::newRow("long item: one line ending in an ellipsis") << int(LongItem);
    QTest::newRow("two-line option: a long item on two lines") << int(LongItemTwoLines);
}

void TstIListControl::rowLook() {
    QFETCH(int, look);
    testsupport::substituteControlFonts();
    QWidget form;
    auto* lb = makeList(&form, 3);
    QFont f(QStringLiteral("微软雅黑"));
    f.setPixelSize(16);
    lb->setFont(f);
    lb->SetFontColor(clRed);
    lb->Items().Put(2, QStringLiteral("WWWWW WWWWW WWWWW WWWWW WWWWW"));
    lb->SetTwoLineItems(look == LongItemTwoLines);
    lb->SetItemIndex(1);
    const QImage img = lb->grab().toImage();
    auto rgb = [](quint32 c) { return toQColor(TColor(c)).rgb(); };
    const QRect row2 = QRect(1, 61, 180, 30);
    switch (look) {
    case Colours:
        COMPARE_PIXELS(img, {0, 0, rgb(0x001F1F1F)}, {190, 15, rgb(0x00404040)},
                       {190, 45, rgb(0x00323232)}, {1, 31, rgb(0x004F4F4F)});
        break;
    case FontColourIgnored: {
        bool grey = false, red = false;
        for (int y = 2; y < 30; ++y)
            for (int x = 2; x < 100; ++x) {
                grey = grey || img.pixel(x, y) == rgb(0x00B5BBC4);
                red = red || (qRed(img.pixel(x, y)) > 0xC0 && qGreen(img.pixel(x, y)) < 0x40);
            }
        QVERIFY(grey);
        QVERIFY(!red);
        break;
    }
    case LongItem:
        QCOMPARE(inkBands(img, row2), 1);
        break;
    case LongItemTwoLines:
        QCOMPARE(inkBands(img, row2), 2);
        break;
    }
}

// A two-line list where one item needs two lines and one more: every row, of one line or
// two, in one type (the capitals' ink alike tall), nothing past its row.
void TstIListControl::twoLineRowsShareOneType() {
    testsupport::substituteControlFonts();
    QWidget form;
    auto* lb = makeList(&form, 3);
    QFont f(QStringLiteral("微软雅黑"));
    f.setPixelSize(16);
    lb->setFont(f);
    const QString h = QStringLiteral("HHH ");
    lb->SetItems(QStringList{h, h.repeated(7), h.repeated(18)});
    lb->SetTwoLineItems(true);
    lb->SetItemIndex(-1);
    const QImage img = lb->grab().toImage();
    QList<int> heights; // of each line of ink, row by row
    for (int y = 1, from = -1; y <= 91; ++y) {
        bool ink = false;
        for (int x = 1; x < 181 && !ink && y % 30 != 1; ++x) // rows start at 1, 31, 61
            ink = qGray(img.pixel(x, y)) > 0x80;
        if (ink && from < 0)
            from = y;
        if (!ink && from >= 0)
            heights << y - from, from = -1;
    }
    QCOMPARE(heights.size(), 5); // one line, then two and two
    for (int v : heights)
        QVERIFY2(qAbs(v - heights.first()) <= 1, qPrintable(QString::number(v)));
}

void TstIListControl::scrollBarMovesTheList() {
    QWidget form;
    auto* lb = makeList(&form, 10);
    form.show();
    TIScrollBar* bar = lb->ScrollBar();
    QVERIFY(bar->isVisible());
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, bar->height() - 4));
    QCOMPARE(lb->TopIndex(), 1);
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, 4));
    QCOMPARE(lb->TopIndex(), 0);
    // Dragging the thumb to the bottom shows the last page.
    const QRect thumb = bar->PartRect(TIScrollBar::spThumb);
    QTest::mousePress(bar, Qt::LeftButton, {}, thumb.center());
    QMouseEvent move(QEvent::MouseMove, QPointF(thumb.center().x(), bar->height()),
                     bar->mapToGlobal(QPointF(thumb.center().x(), bar->height())), Qt::NoButton,
                     Qt::LeftButton, {});
    QApplication::sendEvent(bar, &move);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(thumb.center().x(), bar->height()));
    QCOMPARE(lb->TopIndex(), 10 - 4 + 1);
}

void TstIListControl::itemHeightBelowOneIsRefused() {
    TIListBox lb;
    lb.SetItemHeight(20);
    try {
        lb.SetItemHeight(0);
        QFAIL("no error");
    } catch (const EFlatError& e) {
        QCOMPARE(e.message(), QStringLiteral("Can not Set ItemHeight < 1."));
    }
    QCOMPARE(lb.ItemHeight(), 20);
}

QTEST_MAIN(TstIListControl)
#include "tst_uilistcontrol.moc"

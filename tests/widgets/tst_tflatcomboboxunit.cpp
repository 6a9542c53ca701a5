// The flat combo box: its frame, button and strip from pixels, and which changes fire OnChange.
#include "WidgetTestSupport.h"
#include "widgets/TFlatComboBoxUnit.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

namespace {

QRgb rgbOf(TColor c) {
    return toQColor(c).rgb();
}

TFlatComboBox* makeCombo(QWidget* parent) {
    auto* c = new TFlatComboBox(parent);
    c->SetStyle(TFlatComboBox::csDropDownList);
    c->setGeometry(10, 10, 120, 22);
    c->SetItems({"one", "two", "three"});
    return c;
}

} // namespace

class TstFlatComboBox : public QObject {
    Q_OBJECT
private slots:
    void styleDecidesEditing();
    void onlyUserChoicesChange();
    void frameAndButtonPixels();
    void focusStripIsHighlighted();
    void disabledArrowIsGreyWithWhiteShadow();
    void droppedArrowPointsUp();
    void derivedColoursFromParent();
    void sortedItems();
    void ownerDrawUsesTheHandlers_data();
    void ownerDrawUsesTheHandlers();
    void simpleStyleShowsItsList();
};

void TstFlatComboBox::styleDecidesEditing() {
    TFlatComboBox c;
    QVERIFY(c.isEditable());
    QVERIFY(c.setProperty("Style", QStringLiteral("csDropDownList")));
    QVERIFY(!c.isEditable());
}

void TstFlatComboBox::onlyUserChoicesChange() {
    QWidget form;
    auto* c = makeCombo(&form);
    form.show();
    QCOMPARE(c->currentIndex(), -1);
    QSignalSpy changes(c, &TFlatComboBox::OnChange);
    QSignalSpy clicks(c, &TFlatComboBox::OnClick);
    c->setCurrentIndex(1);
    QVERIFY(c->setProperty("ItemIndex", 2));
    QCOMPARE(changes.count(), 0);
    c->setFocus();
    QTest::keyClick(c, Qt::Key_Up);
    QCOMPARE(c->currentIndex(), 1);
    QCOMPARE(changes.count(), 1);
    QCOMPARE(clicks.count(), 1);
    c->SetText(QStringLiteral("three"));
    QCOMPARE(c->currentIndex(), 2);
    QCOMPARE(changes.count(), 1);
}

void TstFlatComboBox::frameAndButtonPixels() {
    QWidget form;
    auto* c = makeCombo(&form);
    c->SetColor(clWhite);
    c->SetColorBorder(clBlack);
    c->SetColorArrowBackground(clYellow);
    const QImage img = c->grab().toImage();
    COMPARE_PIXELS(img, {0, 0, rgbOf(clBlack)}, {0, 21, rgbOf(clBlack)}, {1, 1, rgbOf(clWhite)});
    QCOMPARE(c->ButtonRect(), QRect(QPoint(107, 0), QPoint(119, 21)));
    COMPARE_PIXELS(img, {107, 5, rgbOf(clBlack)}, {119, 5, rgbOf(clBlack)},
                   {109, 3, rgbOf(clYellow)});
    // The arrow: three rows narrowing down, centred in the button.
    const int x = 107 + 13 / 2 - 6, y = 22 / 2 - 1;
    COMPARE_PIXELS(img, {x + 6, y, rgbOf(clBlack)}, {x + 6, y + 2, rgbOf(clBlack)},
                   {x + 4, y + 2, rgbOf(clYellow)});
}

void TstFlatComboBox::focusStripIsHighlighted() {
    QWidget form;
    auto* c = makeCombo(&form);
    c->setCurrentIndex(0);
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QImage img = c->grab().toImage();
    QCOMPARE(img.pixel(100, 11), rgbOf(c->Color()));
    c->setFocus();
    QTRY_VERIFY(c->hasFocus());
    img = c->grab().toImage();
    QCOMPARE(img.pixel(100, 11), rgbOf(clHighlight)); // the strip
    QCOMPARE(img.pixel(60, 11), rgbOf(clHighlight));  // behind the item
    QCOMPARE(img.pixel(3, 11), rgbOf(clHighlight));   // the focus frame
}

void TstFlatComboBox::disabledArrowIsGreyWithWhiteShadow() {
    QWidget form;
    auto* c = makeCombo(&form);
    c->SetColorArrowBackground(clYellow);
    c->setEnabled(false);
    const QImage img = c->grab().toImage();
    const int x = 107 + 13 / 2 - 6, y = 22 / 2 - 1;
    COMPARE_PIXELS(img, {x + 6, y + 2, rgbOf(clGray)}, {x + 7, y + 3, rgbOf(clWhite)});
}

void TstFlatComboBox::droppedArrowPointsUp() {
    QWidget form;
    auto* c = makeCombo(&form);
    c->SetColorArrowBackground(clYellow);
    form.show();
    QSignalSpy drops(c, &TFlatComboBox::OnDropDown);
    c->showPopup();
    QVERIFY(c->DroppedDown());
    QCOMPARE(drops.count(), 1);
    const QImage img = c->grab().toImage();
    const int x = 107 + 13 / 2 - 6, y = 22 / 2 - 1;
    COMPARE_PIXELS(img, {x + 6, y, rgbOf(clBlack)}, {x + 4, y, rgbOf(clYellow)},
                   {x + 4, y + 2, rgbOf(clBlack)});
    c->hidePopup();
    QVERIFY(!c->DroppedDown());
}

void TstFlatComboBox::derivedColoursFromParent() {
    TFlatControl parent;
    parent.SetColor(TColor(0x00E1EAEB));
    auto* c = new TFlatComboBox(&parent);
    c->SetUseAdvColors(true);
    QCOMPARE(quint32(c->ColorBorder()),
             quint32(AdjustColorLightness(TColor(0x00E1EAEB), clBlack, 50, true)));
    QCOMPARE(quint32(c->ColorArrowBackground()),
             quint32(AdjustColorLightness(TColor(0x00E1EAEB), clBlack, 10, true)));
    parent.SetColor(TColor(0x00336699));
    QCOMPARE(quint32(c->ColorBorder()),
             quint32(AdjustColorLightness(TColor(0x00336699), clBlack, 50, true)));
    // Without a parent nothing is derived.
    TFlatComboBox orphan;
    orphan.SetUseAdvColors(true);
    QCOMPARE(quint32(orphan.ColorBorder()), 0x008396A0u);
}

void TstFlatComboBox::sortedItems() {
    TFlatComboBox c;
    c.SetStyle(TFlatComboBox::csDropDownList);
    c.SetItems({"pear", "Apple"});
    c.SetSorted(true);
    QCOMPARE(c.ItemsList(), QStringList({"Apple", "pear"}));
    QCOMPARE(c.AddItem(QStringLiteral("fig")), 1);
    QCOMPARE(c.ItemsList(), QStringList({"Apple", "fig", "pear"}));
}

void TstFlatComboBox::ownerDrawUsesTheHandlers_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("rowHeight");
    QTest::newRow("fixed rows take ItemHeight") << int(TFlatComboBox::csOwnerDrawFixed) << 30;
    QTest::newRow("variable rows ask OnMeasureItem")
        << int(TFlatComboBox::csOwnerDrawVariable) << 41;
    QTest::newRow("a plain list ignores both") << int(TFlatComboBox::csDropDownList) << 0;
}

void TstFlatComboBox::ownerDrawUsesTheHandlers() {
    QFETCH(int, style);
    QFETCH(int, rowHeight);
    TFlatComboBox c;
    c.resize(145, 21);
    c.SetStyle(TFlatComboBox::TComboBoxStyle(style));
    c.SetItems({QStringLiteral("a"), QStringLiteral("b")});
    c.SetItemHeight(30);
    QList<int> drawn;
    connect(&c, &TFlatComboBox::OnMeasureItem, [](int index, int* h) { *h = 40 + index; });
    connect(&c, &TFlatComboBox::OnDrawItem, [&](int index, QPainter* p, QRect r, auto) {
        drawn << index;
        p->fillRect(r, Qt::red);
    });
    QStyleOptionViewItem opt;
    opt.initFrom(c.view());
    const int height = c.itemDelegate()->sizeHint(opt, c.model()->index(1, 0)).height();
    c.setCurrentIndex(1);
    const QImage img = c.grab().toImage();
    if (rowHeight == 0) {
        QVERIFY(drawn.isEmpty());
        QVERIFY(height < 30);
        return;
    }
    QCOMPARE(height, rowHeight);
    QCOMPARE(drawn, QList<int>({1})); // the closed combo's item
    QCOMPARE(img.pixel(10, 10), qRgb(255, 0, 0));
}

void TstFlatComboBox::simpleStyleShowsItsList() {
    QWidget form;
    auto* c = new TFlatComboBox(&form);
    c->SetStyle(TFlatComboBox::csSimple);
    c->SetItems({QStringLiteral("a"), QStringLiteral("b")});
    c->resize(145, 120);
    form.show();
    QVERIFY(c->SimpleList() && c->SimpleList()->isVisible());
    QVERIFY(c->SimpleList()->geometry().top() >= c->lineEdit()->geometry().bottom());
    QSignalSpy changes(c, &TFlatComboBox::OnChange);
    const QRect row = c->SimpleList()->visualRect(c->model()->index(1, 0));
    QTest::mouseClick(c->SimpleList()->viewport(), Qt::LeftButton, {}, row.center());
    QCOMPARE(c->currentIndex(), 1);
    QCOMPARE(changes.count(), 1);
    c->showPopup();
    QVERIFY(!c->DroppedDown());
    c->SetStyle(TFlatComboBox::csDropDownList);
    QVERIFY(!c->SimpleList());
}

QTEST_MAIN(TstFlatComboBox)
#include "tst_tflatcomboboxunit.moc"

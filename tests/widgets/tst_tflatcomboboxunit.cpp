// The flat combo box: its frame, button and strip from pixels, and which changes fire OnChange.
#include "widgets/TFlatComboBoxUnit.h"

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
    QCOMPARE(img.pixel(0, 0), rgbOf(clBlack));
    QCOMPARE(img.pixel(0, 21), rgbOf(clBlack));
    QCOMPARE(img.pixel(1, 1), rgbOf(clWhite));
    QCOMPARE(c->ButtonRect(), QRect(QPoint(107, 0), QPoint(119, 21)));
    QCOMPARE(img.pixel(107, 5), rgbOf(clBlack));
    QCOMPARE(img.pixel(119, 5), rgbOf(clBlack));
    QCOMPARE(img.pixel(109, 3), rgbOf(clYellow));
    // The arrow: three rows narrowing down, centred in the button.
    const int x = 107 + 13 / 2 - 6, y = 22 / 2 - 1;
    QCOMPARE(img.pixel(x + 6, y), rgbOf(clBlack));
    QCOMPARE(img.pixel(x + 6, y + 2), rgbOf(clBlack));
    QCOMPARE(img.pixel(x + 4, y + 2), rgbOf(clYellow));
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
    QCOMPARE(img.pixel(x + 6, y + 2), rgbOf(clGray));
    QCOMPARE(img.pixel(x + 7, y + 3), rgbOf(clWhite));
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
    QCOMPARE(img.pixel(x + 6, y), rgbOf(clBlack));
    QCOMPARE(img.pixel(x + 4, y), rgbOf(clYellow));
    QCOMPARE(img.pixel(x + 4, y + 2), rgbOf(clBlack));
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

QTEST_MAIN(TstFlatComboBox)
#include "tst_tflatcomboboxunit.moc"

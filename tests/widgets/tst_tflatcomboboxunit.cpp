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
    void arrowAndStripByState_data();
    void arrowAndStripByState();
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

enum ComboState { Disabled, Dropped, FocusedClosed };

void TstFlatComboBox::arrowAndStripByState_data() {
    QTest::addColumn<int>("state");
    QTest::newRow("disabled: grey arrow with a white shadow") << int(Disabled);
    QTest::newRow("dropped: the arrow points up") << int(Dropped);
    QTest::newRow("focused with the list closed: the strip in clHighlight") << int(FocusedClosed);
}

void TstFlatComboBox::arrowAndStripByState() {
    QFETCH(int, state);
    QWidget form;
    form.resize(200, 60);
    auto* c = makeCombo(&form);
    c->SetColor(clWhite);
    c->SetColorArrowBackground(clYellow);
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    // The arrow's origin in the 13 by 22 button at x 107.
    const int x = 107 + 13 / 2 - 6, y = 22 / 2 - 1;
    const QPoint strip(101, 10);
    switch (state) {
    case Disabled: {
        c->setEnabled(false);
        const QImage img = c->grab().toImage();
        COMPARE_PIXELS(img, {x + 6, y, rgbOf(clGray)}, {x + 4, y, rgbOf(clGray)},
                       {x + 7, y + 3, rgbOf(clWhite)});
        break;
    }
    case Dropped: {
        QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(113, 11));
        QTRY_VERIFY(c->view()->isVisible());
        const QImage img = c->grab().toImage();
        COMPARE_PIXELS(img, {x + 6, y, rgbOf(clBlack)}, {x + 4, y + 2, rgbOf(clBlack)},
                       {x + 4, y, rgbOf(clYellow)});
        c->hidePopup();
        break;
    }
    case FocusedClosed: {
        QCOMPARE(c->grab().toImage().pixel(strip), rgbOf(clWhite));
        c->setFocus();
        QTRY_VERIFY(c->hasFocus());
        const QImage img = c->grab().toImage();
        COMPARE_PIXELS(img, {strip.x(), strip.y(), rgbOf(clHighlight)});
        break;
    }
    }
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

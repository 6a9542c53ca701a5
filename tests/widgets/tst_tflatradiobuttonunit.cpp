// The flat radio button: groups among siblings, clicks only on change, its indicator.
#include "widgets/TFlatRadioButtonUnit.h"

#include <QSignalSpy>
#include <QTest>

namespace {
QRgb rgbOf(TColor c) {
    return toQColor(c).rgb();
}
} // namespace

class TstFlatRadioButton : public QObject {
    Q_OBJECT
private slots:
    void groupOfEight();
    void checkedInCode();
    void releaseMustBeInside();
    void tabStopFollowsChecked();
    void indicatorPixels();
};

void TstFlatRadioButton::groupOfEight() {
    QWidget form;
    QList<TFlatRadioButton*> rb;
    QList<QSignalSpy*> spies;
    for (int i = 0; i < 8; ++i) {
        rb << new TFlatRadioButton(&form);
        rb.last()->setGeometry(0, i * 20, 100, 17);
        rb.last()->SetGroupIndex(1);
        spies << new QSignalSpy(rb.last(), &TFlatControl::OnClick);
    }
    auto* elsewhere = new TFlatRadioButton(&form);
    elsewhere->SetGroupIndex(2);
    elsewhere->SetChecked(true);
    rb[1]->SetChecked(true);
    spies[1]->clear();
    form.show();
    QTest::mouseClick(rb[5], Qt::LeftButton, {}, QPoint(5, 8));
    QVERIFY(rb[5]->Checked());
    QVERIFY(!rb[1]->Checked());
    QVERIFY(elsewhere->Checked());
    for (int i = 0; i < 8; ++i)
        QCOMPARE(spies[i]->count(), i == 5 ? 1 : 0);
    // Clicking the checked button changes nothing and fires nothing.
    QTest::mouseClick(rb[5], Qt::LeftButton, {}, QPoint(5, 8));
    QVERIFY(rb[5]->Checked());
    QCOMPARE(spies[5]->count(), 1);
    qDeleteAll(spies);
}

void TstFlatRadioButton::checkedInCode() {
    QWidget form;
    auto* a = new TFlatRadioButton(&form);
    auto* b = new TFlatRadioButton(&form);
    QSignalSpy clicksA(a, &TFlatControl::OnClick);
    QSignalSpy clicksB(b, &TFlatControl::OnClick);
    a->SetChecked(true);
    QCOMPARE(clicksA.count(), 1);
    b->SetChecked(true);
    QVERIFY(!a->Checked());
    QCOMPARE(clicksA.count(), 1);
    QCOMPARE(clicksB.count(), 1);
    b->SetChecked(false);
    QCOMPARE(clicksB.count(), 1);
    QVERIFY(!a->Checked());
}

void TstFlatRadioButton::releaseMustBeInside() {
    QWidget form;
    auto* r = new TFlatRadioButton(&form);
    QSignalSpy ups(r, &TFlatControl::OnMouseUp);
    QTest::mousePress(r, Qt::LeftButton, {}, QPoint(5, 8));
    QTest::mouseRelease(r, Qt::LeftButton, {}, QPoint(122, 8));
    QVERIFY(!r->Checked());
    QCOMPARE(ups.count(), 1);
    // The far edges count as inside.
    QTest::mousePress(r, Qt::LeftButton, {}, QPoint(5, 8));
    QTest::mouseRelease(r, Qt::LeftButton, {}, QPoint(121, 17));
    QVERIFY(r->Checked());
}

void TstFlatRadioButton::tabStopFollowsChecked() {
    TFlatRadioButton r;
    QCOMPARE(r.focusPolicy(), Qt::ClickFocus);
    r.SetChecked(true);
    QCOMPARE(r.focusPolicy(), Qt::StrongFocus);
    r.SetChecked(false);
    QCOMPARE(r.focusPolicy(), Qt::ClickFocus);
}

void TstFlatRadioButton::indicatorPixels() {
    TFlatRadioButton r;
    r.SetColor(clWhite);
    r.SetColorBorder(TColor(0x00C35A35));
    r.SetColorDot(clRed);
    QCOMPARE(r.IndicatorRect(), QRect(1, 3, 10, 10));
    QImage img = r.grab().toImage();
    QCOMPARE(img.pixel(6, 3), rgbOf(TColor(0x00C35A35))); // top of the circle
    QCOMPARE(img.pixel(1, 3), rgbOf(clWhite));            // corner outside it
    QCOMPARE(img.pixel(5, 8), rgbOf(clWhite));
    r.SetChecked(true);
    img = r.grab().toImage();
    QCOMPARE(img.pixel(5, 8), rgbOf(clRed));
    r.setEnabled(false);
    img = r.grab().toImage();
    QCOMPARE(img.pixel(5, 8), rgbOf(clBtnShadow));
    r.SetLayout(TFlatRadioButton::radioRight);
    QCOMPARE(r.IndicatorRect(), QRect(121 - 11, 3, 10, 10));
}

QTEST_MAIN(TstFlatRadioButton)
#include "tst_tflatradiobuttonunit.moc"

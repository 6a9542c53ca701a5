// The flat check box and radio button: toggling by mouse, key and code, radio groups among
// siblings, their indicators and the mirrored layout.
#include "WidgetTestSupport.h"
#include "widgets/TFlatCheckBoxUnit.h"
#include "widgets/TFlatRadioButtonUnit.h"

#include <QSignalSpy>
#include <QTest>

namespace {

QRgb rgbOf(TColor c) {
    return toQColor(c).rgb();
}

const TColor kFace(0x00E1EAEB);

TFlatCheckBox* makeBox(QWidget* parent) {
    auto* c = new TFlatCheckBox(parent);
    c->SetColor(kFace);
    c->SetCaption(QStringLiteral("Pictures"));
    return c;
}

} // namespace

class TstFlatCheckBox : public QObject {
    Q_OBJECT
private slots:
    void clickToggles();
    void checkedInCodeRunsOnClickOnlyOnChange();
    void releaseOffTheBoxStillToggles();
    void spaceToggles();
    void indicatorPixels();
    void rightLayoutMirrors_data();
    void rightLayoutMirrors();
    void radioGroupOfEight();
    void radioCheckedInCode();
    void radioReleaseMustBeInside();
    void radioTabStopFollowsChecked();
    void radioIndicatorPixels();
};

void TstFlatCheckBox::clickToggles() {
    QWidget form;
    auto* c = makeBox(&form);
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QSignalSpy clicks(c, &TFlatControl::OnClick);
    QStringList order;
    connect(c, &TFlatControl::OnClick, [&] { order << "click"; });
    connect(c, &TFlatControl::OnMouseUp,
            [&](Qt::MouseButton, Qt::KeyboardModifiers, int, int) { order << "up"; });
    QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(5, 8));
    QVERIFY(c->Checked());
    QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(60, 8));
    QVERIFY(!c->Checked());
    QTest::mouseClick(c, Qt::RightButton, {}, QPoint(5, 8)); // only the left button counts
    QVERIFY(!c->Checked());
    QCOMPARE(clicks.count(), 2);
    QCOMPARE(order, QStringList({"click", "up", "click", "up"}));
    QVERIFY(c->hasFocus());
}

void TstFlatCheckBox::checkedInCodeRunsOnClickOnlyOnChange() {
    TFlatCheckBox c;
    QSignalSpy clicks(&c, &TFlatControl::OnClick);
    c.SetChecked(true);
    QCOMPARE(clicks.count(), 1);
    c.SetChecked(true);
    QCOMPARE(clicks.count(), 1);
    c.SetChecked(false);
    QCOMPARE(clicks.count(), 2);
    QVERIFY(c.setProperty("Checked", true));
    QCOMPARE(clicks.count(), 3);
}

void TstFlatCheckBox::releaseOffTheBoxStillToggles() {
    QWidget form;
    auto* c = makeBox(&form);
    form.show();
    QTest::mousePress(c, Qt::LeftButton, {}, QPoint(5, 8));
    QVERIFY(c->Pressing());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(c, &leave);
    QVERIFY(c->MouseInside()); // kept while the button is held
    QTest::mouseRelease(c, Qt::LeftButton, {}, QPoint(300, 80));
    QVERIFY(c->Checked());
    QVERIFY(!c->Pressing());
}

void TstFlatCheckBox::spaceToggles() {
    QWidget form;
    auto* c = makeBox(&form);
    form.show();
    c->setFocus();
    QSignalSpy clicks(c, &TFlatControl::OnClick);
    QSignalSpy keys(c, &TFlatControl::OnKeyDown);
    QSignalSpy presses(c, &TFlatControl::OnKeyPress);
    QTest::keyClick(c, Qt::Key_Space);
    QVERIFY(c->Checked());
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(keys.count(), 1); // the key events fire for Space as well
    QCOMPARE(presses.count(), 1);
    QTest::keyClick(c, Qt::Key_A);
    QVERIFY(c->Checked());
    QCOMPARE(keys.count(), 2);
}

void TstFlatCheckBox::indicatorPixels() {
    QWidget form;
    auto* c = makeBox(&form);
    c->SetColorFocused(TColor(0x0000FFFF));
    c->SetColorDown(TColor(0x00FF00FF));
    c->SetColorCheck(clRed);
    QCOMPARE(c->IndicatorRect(), QRect(1, 3, 11, 11));
    QImage img = c->grab().toImage();
    COMPARE_PIXELS(img, {1, 3, rgbOf(TColor(0x008396A0))}, {11, 13, rgbOf(TColor(0x008396A0))},
                   {4, 8, rgbOf(kFace)}, {0, 0, rgbOf(kFace)});
    c->SetChecked(true);
    img = c->grab().toImage();
    QCOMPARE(img.pixel(4, 8), rgbOf(clRed));  // first stroke of the tick
    QCOMPARE(img.pixel(8, 8), rgbOf(clRed));  // rising stroke
    QCOMPARE(img.pixel(7, 11), rgbOf(kFace)); // the stroke leaves out its end
    QCOMPARE(img.pixel(3, 5), rgbOf(kFace));
    // Hover lights the box, pressing darkens it.
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QApplication::sendEvent(c, &enter);
    img = c->grab().toImage();
    QCOMPARE(img.pixel(3, 5), rgbOf(TColor(0x0000FFFF)));
    QTest::mousePress(c, Qt::LeftButton, {}, QPoint(5, 8));
    img = c->grab().toImage();
    QCOMPARE(img.pixel(3, 5), rgbOf(TColor(0x00FF00FF)));
    QTest::mouseRelease(c, Qt::LeftButton, {}, QPoint(5, 8));
    QVERIFY(!c->Checked());
    // Focus alone lights it too; disabled, the tick turns to the shadow colour.
    c->SetChecked(true);
    c->setEnabled(false);
    img = c->grab().toImage();
    QCOMPARE(img.pixel(4, 8), rgbOf(clBtnShadow));
    // Transparent, the parent shows around the box; the box keeps its fill.
    testsupport::fillBackground(form, QColor(10, 20, 30));
    c->SetTransparent(true);
    img = form.grab().toImage();
    QCOMPARE(img.pixel(118, 2), qRgb(10, 20, 30));
    QVERIFY(img.pixel(7, 11) != qRgb(10, 20, 30));
}

void TstFlatCheckBox::rightLayoutMirrors_data() {
    QTest::addColumn<int>("how");
    QTest::newRow("Layout right") << 0;
    QTest::newRow("right-to-left widget") << 1;
    QTest::newRow("created inside a right-to-left form") << 2;
}

void TstFlatCheckBox::rightLayoutMirrors() {
    QFETCH(int, how);
    QWidget form;
    if (how == 2)
        form.setLayoutDirection(Qt::RightToLeft);
    auto& c = *new TFlatCheckBox(&form);
    c.SetColor(kFace);
    c.SetFontColor(clBlack);
    c.SetCaption(QStringLiteral("WW"));
    if (how == 1)
        c.setLayoutDirection(Qt::RightToLeft);
    else if (how == 0)
        c.SetLayout(TFlatCheckBox::checkboxRight);
    QCOMPARE(c.Layout(), TFlatCheckBox::checkboxRight);
    QCOMPARE(c.IndicatorRect(), QRect(121 - 12, 3, 11, 11));
    const QImage img = c.grab().toImage();
    COMPARE_PIXELS(img, {109, 3, rgbOf(TColor(0x008396A0))}, {1, 3, rgbOf(kFace)});
    // The caption is right-aligned next to the box.
    auto inkIn = [&img](int from, int to) {
        for (int y = 0; y < img.height(); ++y)
            for (int x = from; x < to; ++x)
                if (qGray(img.pixel(x, y)) < 100)
                    return true;
        return false;
    };
    QVERIFY(inkIn(70, 105));
    QVERIFY(!inkIn(1, 40));
}

void TstFlatCheckBox::radioGroupOfEight() {
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

void TstFlatCheckBox::radioCheckedInCode() {
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

void TstFlatCheckBox::radioReleaseMustBeInside() {
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

void TstFlatCheckBox::radioTabStopFollowsChecked() {
    TFlatRadioButton r;
    QCOMPARE(r.focusPolicy(), Qt::ClickFocus);
    r.SetChecked(true);
    QCOMPARE(r.focusPolicy(), Qt::StrongFocus);
    r.SetChecked(false);
    QCOMPARE(r.focusPolicy(), Qt::ClickFocus);
}

void TstFlatCheckBox::radioIndicatorPixels() {
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

QTEST_MAIN(TstFlatCheckBox)
#include "tst_tflatcheckboxunit.moc"

// The flat check box: toggling by mouse, key and code, its indicator and its caption.
#include "WidgetTestSupport.h"
#include "widgets/TFlatCheckBoxUnit.h"

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
    void setColorsIndices();
    void clickToggles();
    void checkedInCodeRunsOnClickOnlyOnChange();
    void releaseOffTheBoxStillToggles();
    void rightButtonDoesNothing();
    void spaceToggles();
    void indicatorPixels();
    void rightLayoutMirrors_data();
    void rightLayoutMirrors();
    void longCaptionWraps();
    void transparentShowsParent();
};

void TstFlatCheckBox::setColorsIndices() {
    TFlatCheckBox c;
    c.SetColors(2, clRed);
    QCOMPARE(quint32(c.ColorCheck()), quint32(clRed));
    c.SetColors(3, clBlue);
    QCOMPARE(quint32(c.ColorBorder()), quint32(clBlue));
}

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

void TstFlatCheckBox::rightButtonDoesNothing() {
    TFlatCheckBox c;
    QSignalSpy downs(&c, &TFlatControl::OnMouseDown);
    QSignalSpy ups(&c, &TFlatControl::OnMouseUp);
    QSignalSpy clicks(&c, &TFlatControl::OnClick);
    QTest::mouseClick(&c, Qt::RightButton, {}, QPoint(5, 8));
    QCOMPARE(downs.count(), 0);
    QCOMPARE(ups.count(), 0);
    QCOMPARE(clicks.count(), 0);
    QVERIFY(!c.Checked());
    QTest::mouseClick(&c, Qt::LeftButton, {}, QPoint(5, 8));
    QCOMPARE(downs.count(), 1);
    QCOMPARE(ups.count(), 1);
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
}

void TstFlatCheckBox::rightLayoutMirrors_data() {
    QTest::addColumn<bool>("byDirection");
    QTest::newRow("Layout right") << false;
    QTest::newRow("right-to-left widget") << true;
}

void TstFlatCheckBox::rightLayoutMirrors() {
    QFETCH(bool, byDirection);
    TFlatCheckBox c;
    c.SetColor(kFace);
    c.SetFontColor(clBlack);
    c.SetCaption(QStringLiteral("WW"));
    if (byDirection)
        c.setLayoutDirection(Qt::RightToLeft);
    else
        c.SetLayout(TFlatCheckBox::checkboxRight);
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

void TstFlatCheckBox::longCaptionWraps() {
    TFlatCheckBox c;
    c.resize(80, 60);
    c.SetColor(clWhite);
    c.SetFontColor(clBlack);
    c.SetCaption(QStringLiteral("many words that cannot fit on one line"));
    const QImage img = c.grab().toImage();
    const int lineHeight = QFontMetrics(c.font()).height();
    bool inkBelow = false;
    for (int y = lineHeight + 2; y < 58 && !inkBelow; ++y)
        for (int x = 16; x < 78; ++x)
            if (qGray(img.pixel(x, y)) < 128)
                inkBelow = true;
    QVERIFY(inkBelow);
}

void TstFlatCheckBox::transparentShowsParent() {
    QWidget form;
    testsupport::fillBackground(form, QColor(10, 20, 30));
    form.resize(200, 40);
    auto* c = makeBox(&form);
    c->SetTransparent(true);
    const QImage img = form.grab().toImage();
    QCOMPARE(img.pixel(118, 2), qRgb(10, 20, 30));
    QCOMPARE(img.pixel(5, 8), rgbOf(kFace)); // the box itself keeps its fill
}

QTEST_MAIN(TstFlatCheckBox)
#include "tst_tflatcheckboxunit.moc"

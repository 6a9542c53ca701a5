// The flat edit: its lit frame, the colour it takes from its parent.
#include "WidgetTestSupport.h"
#include "widgets/TFlatEditUnit.h"

#include <QSignalSpy>
#include <QTest>

namespace {

QRgb rgbOf(TColor c) {
    return toQColor(c).rgb();
}

void enter(QWidget* w) {
    QEnterEvent ev(QPointF(5, 5), QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(w, &ev);
}

} // namespace

class TstFlatEdit : public QObject {
    Q_OBJECT
private slots:
    void defaultsTakeTheParentsColour();
    void framePixelsLitAndNot();
    void hoverLightsOnlyWithoutAnotherFlatEditFocused();
    void colorFlatAndParentColor();
    void heightFollowsTheFont_data();
    void heightFollowsTheFont();
};

void TstFlatEdit::defaultsTakeTheParentsColour() {
    TFlatControl form;
    form.SetColor(TColor(0x00123456));
    TFlatEdit edit(&form);
    QCOMPARE(quint32(edit.ColorFlat()), 0x00123456u);
}

void TstFlatEdit::framePixelsLitAndNot() {
    QWidget form;
    form.resize(300, 100);
    auto* a = new TFlatEdit(&form);
    a->SetColorFlat(TColor(0x00E1EAEB));
    a->SetColorBorder(clBlack);
    a->SetColorFocused(clYellow);
    QImage img = a->grab().toImage();
    COMPARE_PIXELS(img, {0, 0, rgbOf(clBlack)}, {120, 18, rgbOf(clBlack)},
                   {1, 1, rgbOf(TColor(0x00E1EAEB))}, {2, 2, rgbOf(TColor(0x00E1EAEB))});
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    a->setFocus();
    QTRY_VERIFY(a->hasFocus());
    QVERIFY(a->Lit());
    img = a->grab().toImage();
    COMPARE_PIXELS(img, {1, 1, rgbOf(clYellow)}, {2, 2, rgbOf(clYellow)}, {0, 0, rgbOf(clBlack)});
}

void TstFlatEdit::hoverLightsOnlyWithoutAnotherFlatEditFocused() {
    QWidget form;
    auto* a = new TFlatEdit(&form);
    auto* b = new TFlatEdit(&form);
    b->move(0, 40);
    auto* other = new QLineEdit(&form);
    other->move(0, 80);
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    a->setFocus();
    QTRY_VERIFY(a->hasFocus());
    enter(b);
    QVERIFY(b->MouseInside());
    QVERIFY(!b->Lit());
    other->setFocus();
    QTRY_VERIFY(other->hasFocus());
    QVERIFY(b->Lit());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(b, &leave);
    QVERIFY(!b->Lit());
    // Without the focus a selection is hidden, unless HideSelection is off.
    a->setText(QStringLiteral("abc"));
    a->selectAll();
    QCOMPARE(a->palette().color(QPalette::Highlight), toQColor(a->Color()));
    a->SetHideSelection(false);
    QCOMPARE(a->palette().color(QPalette::Highlight),
             QApplication::palette(a).color(QPalette::Highlight));
}

void TstFlatEdit::colorFlatAndParentColor() {
    TFlatControl form;
    form.SetColor(TColor(0x00445566));
    TFlatEdit edit(&form);
    edit.SetColorFlat(clRed);
    QVERIFY(!edit.ParentColor());
    form.SetColor(TColor(0x00778899));
    QCOMPARE(quint32(edit.ColorFlat()), quint32(clRed));
    edit.SetParentColor(true);
    QCOMPARE(quint32(edit.ColorFlat()), 0x00778899u);
    form.SetColor(clBlue);
    QCOMPARE(quint32(edit.ColorFlat()), quint32(clBlue));
}

void TstFlatEdit::heightFollowsTheFont_data() {
    QTest::addColumn<bool>("changeFont");
    QTest::newRow("a font change: text height + 6") << true;
    QTest::newRow("shown without Loaded: text height + 6") << false;
}

void TstFlatEdit::heightFollowsTheFont() {
    QFETCH(bool, changeFont);
    QWidget form;
    auto* edit = new TFlatEdit(&form);
    QFont f = edit->font();
    f.setPixelSize(30);
    if (changeFont) {
        edit->setFont(f);
    } else {
        // Set before the edit exists, as a form's font: no font change reaches the edit later.
        delete edit;
        form.setFont(f);
        edit = new TFlatEdit(&form);
        edit->resize(121, 19);
        QCOMPARE(edit->height(), 19);
        form.show();
    }
    QCOMPARE(edit->height(), QFontMetrics(f).height() + 6);
    QVERIFY(edit->height() > 30);
}

QTEST_MAIN(TstFlatEdit)
#include "tst_tflateditunit.moc"

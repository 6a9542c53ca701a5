// The flat button: states and their faces, exclusive groups, glyph strips, keys and dialogs.
#include "WidgetTestSupport.h"
#include "widgets/FlatButtons.h"

#include <QDialog>
#include <QSignalSpy>
#include <QTest>

namespace {

QRgb rgbOf(TColor c) {
    return toQColor(c).rgb();
}

const TColor kFace(0x0095DFBA);
const TColor kFocused(0x0087CDFC);
const TColor kDown(0x00E45A07);
const TColor kBorder(0x00C08000);

TFlatButton* makeButton(QWidget* parent, int x = 0) {
    auto* b = new TFlatButton(parent);
    b->setGeometry(x, 0, 78, 28);
    b->SetColor(kFace);
    b->SetColorFocused(kFocused);
    b->SetColorDown(kDown);
    b->SetColorBorder(kBorder);
    return b;
}

void enter(QWidget* w) {
    QEnterEvent ev(QPointF(5, 5), QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(w, &ev);
}

void leave(QWidget* w) {
    QEvent ev(QEvent::Leave);
    QApplication::sendEvent(w, &ev);
}

// A 4-image strip 64 by 16, each image a solid colour, with a magenta bottom-left corner
// marking the transparent colour of every image.
QImage strip(int images, int size = 16) {
    QImage img(images * size, size, QImage::Format_RGB32);
    const QRgb colours[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 0),
                            qRgb(0, 255, 255)};
    for (int i = 0; i < images; ++i) {
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                img.setPixel(i * size + x, y, colours[i % 5]);
        img.setPixel(i * size, size - 1, qRgb(255, 0, 255));
    }
    return img;
}

} // namespace

class TstFlatButtons : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase() { delete anchor_; }
    void marginAndLayoutValues();
    void exclusiveGroup();
    void allowAllUpIsSharedAndReleases();
    void clickOnlyOnReleaseInside_data();
    void clickOnlyOnReleaseInside();
    void facesAndFramesByState();
    void transparentModes();
    void spaceClicksOnce();
    void accelerator();
    void glyphStrips_data();
    void glyphStrips();
    void glyphSliceByState();
    void modalResultClosesDialog();
    void derivedColours();
    void leaveComesBeforeEnter();
    void doubleClickOnlyWhenDown();

private:
    QWidget* anchor_ = nullptr;
};

void TstFlatButtons::initTestCase() {
    // Hover looks react only while the application has an active window.
    anchor_ = new QWidget;
    anchor_->show();
    anchor_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(anchor_));
}

void TstFlatButtons::marginAndLayoutValues() {
    TFlatButton b;
    b.SetMargin(-2);
    QCOMPARE(b.Margin(), -1);
}

void TstFlatButtons::exclusiveGroup() {
    QWidget form;
    QList<TFlatButton*> buttons;
    for (int i = 0; i < 4; ++i) {
        buttons << makeButton(&form, i * 80);
        buttons.last()->SetGroupIndex(1);
    }
    auto* other = makeButton(&form, 400);
    other->SetGroupIndex(2);
    other->SetDown(true);
    QSignalSpy clicks1(buttons[1], &TFlatControl::OnClick);
    QTest::mouseClick(buttons[0], Qt::LeftButton, {}, QPoint(10, 10));
    QVERIFY(buttons[0]->Down());
    QCOMPARE(buttons[0]->State(), TFlatTypes::bsExclusive);
    QTest::mouseClick(buttons[1], Qt::LeftButton, {}, QPoint(10, 10));
    QVERIFY(buttons[1]->Down());
    QVERIFY(!buttons[0]->Down());
    QCOMPARE(buttons[0]->State(), TFlatTypes::bsUp);
    QVERIFY(other->Down()); // another group is left alone
    // Clicking the down button keeps it down and still clicks.
    QTest::mouseClick(buttons[1], Qt::LeftButton, {}, QPoint(10, 10));
    QVERIFY(buttons[1]->Down());
    QCOMPARE(clicks1.count(), 2);
    // Releasing in code is refused without AllowAllUp; an ordinary button is never down.
    buttons[1]->SetDown(false);
    QVERIFY(buttons[1]->Down());
    buttons[2]->SetDown(true);
    QVERIFY(!buttons[1]->Down());
    TFlatButton plain(&form);
    plain.SetDown(true);
    QVERIFY(!plain.Down());
}

void TstFlatButtons::allowAllUpIsSharedAndReleases() {
    QWidget form;
    auto* a = makeButton(&form, 0);
    auto* b = makeButton(&form, 80);
    a->SetGroupIndex(3);
    b->SetGroupIndex(3);
    b->SetAllowAllUp(true);
    QVERIFY(a->AllowAllUp());
    QTest::mouseClick(a, Qt::LeftButton, {}, QPoint(10, 10));
    QVERIFY(a->Down());
    QTest::mouseClick(a, Qt::LeftButton, {}, QPoint(10, 10));
    QVERIFY(!a->Down());
    QVERIFY(!b->Down());
}

void TstFlatButtons::clickOnlyOnReleaseInside_data() {
    QTest::addColumn<QPoint>("release");
    QTest::addColumn<bool>("clicks");
    QTest::newRow("inside") << QPoint(40, 14) << true;
    QTest::newRow("one below the last row counts as inside") << QPoint(40, 28) << true;
    QTest::newRow("one right of the last column is outside") << QPoint(78, 14) << false;
    QTest::newRow("dragged far off") << QPoint(200, 100) << false;
    QTest::newRow("above") << QPoint(40, -1) << false;
}

void TstFlatButtons::clickOnlyOnReleaseInside() {
    QFETCH(QPoint, release);
    QFETCH(bool, clicks);
    QWidget form;
    auto* b = makeButton(&form);
    form.show();
    QSignalSpy spy(b, &TFlatControl::OnClick);
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(b->State(), TFlatTypes::bsDown);
    QTest::mouseMove(b, release);
    QMouseEvent move(QEvent::MouseMove, release, b->mapToGlobal(release), Qt::NoButton,
                     Qt::LeftButton, {});
    QApplication::sendEvent(b, &move);
    QCOMPARE(b->State(), clicks ? TFlatTypes::bsDown : TFlatTypes::bsUp);
    QTest::mouseRelease(b, Qt::LeftButton, {}, release);
    QCOMPARE(spy.count(), clicks ? 1 : 0);
    QCOMPARE(b->State(), TFlatTypes::bsUp);
    if (!clicks) {
        QVERIFY(!b->MouseInside());
        QCOMPARE(b->grab().toImage().pixel(40, 14), rgbOf(kFace));
    }
}

void TstFlatButtons::facesAndFramesByState() {
    QWidget form;
    auto* b = makeButton(&form);
    QImage img = b->grab().toImage();
    COMPARE_PIXELS(img, {40, 14, rgbOf(kFace)}, {0, 0, rgbOf(kBorder)}, {77, 27, rgbOf(kBorder)},
                   {1, 1, rgbOf(kFace)});
    // Default: a 2-pixel border while up and not hovered.
    b->SetDefault(true);
    img = b->grab().toImage();
    COMPARE_PIXELS(img, {1, 1, rgbOf(kBorder)}, {76, 26, rgbOf(kBorder)}, {2, 2, rgbOf(kFace)});
    // Hover: focused face, raised frame.
    enter(b);
    QVERIFY(b->MouseInside());
    img = b->grab().toImage();
    COMPARE_PIXELS(img, {40, 14, rgbOf(kFocused)}, {0, 0, rgbOf(clWhite)}, {77, 27, rgbOf(clBlack)},
                   {1, 1, rgbOf(kFocused)});
    // Pressed: down face, recessed frame.
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(10, 10));
    img = b->grab().toImage();
    COMPARE_PIXELS(img, {40, 14, rgbOf(kDown)}, {0, 0, rgbOf(clBlack)}, {77, 27, rgbOf(clWhite)});
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(10, 10));
    leave(b);
    QVERIFY(!b->MouseInside());
    // Group button down: down face; hovered while down: focused face, still recessed.
    b->SetDefault(false);
    b->SetGroupIndex(1);
    b->SetDown(true);
    img = b->grab().toImage();
    COMPARE_PIXELS(img, {40, 14, rgbOf(kDown)}, {0, 0, rgbOf(clBlack)});
    enter(b);
    img = b->grab().toImage();
    COMPARE_PIXELS(img, {40, 14, rgbOf(kFocused)}, {0, 0, rgbOf(clBlack)});
    // Disabled: plain face and border, whatever the hover.
    b->setEnabled(false);
    QCOMPARE(b->State(), TFlatTypes::bsDisabled);
    img = b->grab().toImage();
    COMPARE_PIXELS(img, {40, 14, rgbOf(kFace)}, {0, 0, rgbOf(kBorder)});
    b->setEnabled(true);
    QCOMPARE(b->State(), TFlatTypes::bsExclusive);
}

void TstFlatButtons::transparentModes() {
    QWidget form;
    testsupport::fillBackground(form, QColor(10, 20, 30));
    form.resize(100, 40);
    auto* b = makeButton(&form);
    b->SetTransparentMode(TFlatTypes::tmAlways);
    QImage img = form.grab().toImage();
    COMPARE_PIXELS(img, {40, 14, qRgb(10, 20, 30)}, {0, 0, rgbOf(kBorder)});
    b->SetTransparentMode(TFlatTypes::tmNotFocused);
    img = form.grab().toImage();
    QCOMPARE(img.pixel(40, 14), qRgb(10, 20, 30));
    enter(b);
    img = form.grab().toImage();
    QCOMPARE(img.pixel(40, 14), rgbOf(kFocused));
}

void TstFlatButtons::spaceClicksOnce() {
    QWidget form;
    auto* b = makeButton(&form);
    form.show();
    b->setFocus();
    QSignalSpy spy(b, &TFlatControl::OnClick);
    QTest::keyPress(b, Qt::Key_Space);
    QCOMPARE(b->State(), TFlatTypes::bsDown);
    QCOMPARE(spy.count(), 0);
    QTest::keyRelease(b, Qt::Key_Space);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(b->State(), TFlatTypes::bsUp);
    QTest::keyClick(b, Qt::Key_A);
    QCOMPARE(spy.count(), 1);
    // A group button goes down with Space and stays down.
    b->SetGroupIndex(1);
    QTest::keyClick(b, Qt::Key_Space);
    QVERIFY(b->Down());
    QCOMPARE(spy.count(), 2);
}

void TstFlatButtons::accelerator() {
    QWidget form;
    auto* b = makeButton(&form);
    b->SetCaption(QStringLiteral("&Go"));
    b->SetGroupIndex(4);
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QSignalSpy spy(b, &TFlatControl::OnClick);
    QTest::keyClick(&form, Qt::Key_G, Qt::AltModifier);
    QCOMPARE(spy.count(), 1);
    QVERIFY(b->Down());
    b->setEnabled(false);
    QTest::keyClick(&form, Qt::Key_G, Qt::AltModifier);
    QCOMPARE(spy.count(), 1);
}

void TstFlatButtons::glyphStrips_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("numGlyphs");
    QTest::newRow("64x16 holds four") << QSize(64, 16) << 4;
    QTest::newRow("48x16 holds three") << QSize(48, 16) << 3;
    QTest::newRow("32x16 holds two") << QSize(32, 16) << 2;
    QTest::newRow("16x16 is one") << QSize(16, 16) << 1;
    QTest::newRow("80x16 would be five and means one") << QSize(80, 16) << 1;
}

void TstFlatButtons::glyphStrips() {
    QFETCH(QSize, size);
    QFETCH(int, numGlyphs);
    TFlatButton b;
    b.SetNumGlyphs(2);
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::red);
    b.SetGlyph(img);
    QCOMPARE(b.NumGlyphs(), numGlyphs);
    // A width that is no multiple of the height leaves NumGlyphs as it was.
    b.SetGlyph(QImage(30, 16, QImage::Format_RGB32));
    QCOMPARE(b.NumGlyphs(), numGlyphs);
}

void TstFlatButtons::glyphSliceByState() {
    QWidget form;
    auto* b = makeButton(&form);
    b->resize(60, 60);
    // The key colour is the whole strip's bottom-left pixel, not each image's own.
    QImage glyph = strip(4);
    glyph.setPixel(16, 15, qRgb(0, 255, 0));
    b->SetGlyph(glyph);
    QCOMPARE(b->NumGlyphs(), 4);
    auto glyphPixel = [b](int dx, int dy) {
        const QPoint pos = b->CurrentLayout().GlyphPos;
        return b->grab().toImage().pixel(pos.x() + dx, pos.y() + dy);
    };
    QCOMPARE(glyphPixel(8, 4), qRgb(255, 0, 0));
    // The transparent corner shows the face.
    QCOMPARE(glyphPixel(0, 15), rgbOf(kFace));
    b->setEnabled(false);
    QCOMPARE(glyphPixel(8, 4), qRgb(0, 255, 0));
    QCOMPARE(glyphPixel(0, 15), qRgb(0, 255, 0));
    b->setEnabled(true);
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(glyphPixel(8, 4), qRgb(0, 0, 255));
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(5, 5));
    b->SetGroupIndex(1);
    b->SetDown(true);
    QCOMPARE(glyphPixel(8, 4), qRgb(255, 255, 0));
    // A single image is embossed when disabled: black becomes the shadow colour.
    QImage one(16, 16, QImage::Format_RGB32);
    one.fill(Qt::white);
    for (int x = 2; x < 14; ++x)
        one.setPixel(x, 5, qRgb(0, 0, 0));
    b->SetGlyph(one);
    QCOMPARE(b->NumGlyphs(), 1);
    b->setEnabled(false);
    QCOMPARE(glyphPixel(6, 5), rgbOf(clBtnShadow));
    QCOMPARE(glyphPixel(6, 6), rgbOf(clBtnHighlight));
}

void TstFlatButtons::modalResultClosesDialog() {
    QDialog dlg;
    auto* ok = makeButton(&dlg);
    ok->SetModalResult(1);
    auto* plain = makeButton(&dlg, 80);
    dlg.show();
    QTest::mouseClick(plain, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(dlg.isVisible());
    // A handler may cancel the result before the dialog closes.
    auto cancel = connect(ok, &TFlatControl::OnClick, [&] { dlg.setProperty("ModalResult", 0); });
    QTest::mouseClick(ok, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(dlg.isVisible());
    disconnect(cancel);
    QTest::mouseClick(ok, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), 1);
    // Any form takes the result, and hears of a change of the default button.
    struct Form : QWidget {
        int focusNotes = 0;
        bool event(QEvent* ev) override {
            focusNotes += ev->type() == TFocusChangedEvent::Type();
            return QWidget::event(ev);
        }
    } form;
    auto* b = makeButton(&form);
    b->SetModalResult(2);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(form.property("ModalResult").toInt(), 2);
    b->SetDefault(true);
    QCOMPARE(form.focusNotes, 1);
}

void TstFlatButtons::derivedColours() {
    TFlatControl parent;
    parent.SetColor(TColor(0x00E1EAEB));
    TFlatButton b(&parent);
    b.SetColor(clRed);
    b.SetUseAdvColors(true);
    QVERIFY(b.ParentColor());
    QCOMPARE(quint32(b.ColorFocused()),
             quint32(AdjustColorLightness(TColor(0x00E1EAEB), clBlack, 10, false)));
    QCOMPARE(quint32(b.ColorDown()),
             quint32(AdjustColorLightness(TColor(0x00E1EAEB), clBlack, 10, true)));
    QCOMPARE(quint32(b.ColorBorder()),
             quint32(AdjustColorLightness(TColor(0x00E1EAEB), clBlack, 50, true)));
    // A new parent colour derives again.
    parent.SetColor(TColor(0x00336699));
    QCOMPARE(quint32(b.ColorBorder()),
             quint32(AdjustColorLightness(TColor(0x00336699), clBlack, 50, true)));
    b.SetAdvColors(2, 0);
    QCOMPARE(quint32(b.ColorBorder()),
             quint32(AdjustColorLightness(TColor(0x00336699), clBlack, 50, true)));
    // Switched off, the colours stay as derived.
    b.SetUseAdvColors(false);
    parent.SetColor(clWhite);
    QCOMPARE(quint32(b.ColorDown()),
             quint32(AdjustColorLightness(TColor(0x00336699), clBlack, 10, true)));
}

void TstFlatButtons::leaveComesBeforeEnter() {
    QWidget form;
    form.resize(200, 40);
    auto* a = makeButton(&form, 0);
    auto* b = makeButton(&form, 100);
    QStringList order;
    connect(a, &TFlatButton::OnMouseEnter, [&] { order << "enter a"; });
    connect(a, &TFlatButton::OnMouseLeave, [&] { order << "leave a"; });
    connect(b, &TFlatButton::OnMouseEnter, [&] { order << "enter b"; });
    connect(b, &TFlatButton::OnMouseLeave, [&] { order << "leave b"; });
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QTest::mouseMove(form.windowHandle(), QPoint(90, 30));
    QTest::mouseMove(form.windowHandle(), QPoint(20, 10));
    QTRY_VERIFY(a->MouseInside());
    order.clear();
    QTest::mouseMove(form.windowHandle(), QPoint(120, 10));
    QTRY_VERIFY(b->MouseInside());
    QVERIFY(!a->MouseInside());
    QCOMPARE(order.join(", "), QStringLiteral("leave a, enter b"));
}

namespace {
// The platform's order: press, release, double click, release.
void doubleClick(QWidget* w, QPoint pos) {
    QTest::mouseClick(w, Qt::LeftButton, {}, pos);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, pos, w->mapToGlobal(pos), Qt::LeftButton,
                    Qt::LeftButton, {});
    QApplication::sendEvent(w, &dbl);
    QTest::mouseRelease(w, Qt::LeftButton, {}, pos);
}
} // namespace

void TstFlatButtons::doubleClickOnlyWhenDown() {
    QWidget form;
    auto* b = makeButton(&form);
    QSignalSpy dbl(b, &TFlatControl::OnDblClick);
    QSignalSpy clicks(b, &TFlatControl::OnClick);
    doubleClick(b, QPoint(5, 5));
    QCOMPARE(dbl.count(), 0);
    QCOMPARE(clicks.count(), 2); // the second press clicks as well
    b->SetGroupIndex(1);
    b->SetDown(true);
    doubleClick(b, QPoint(5, 5));
    QCOMPARE(dbl.count(), 1);
}

QTEST_MAIN(TstFlatButtons)
#include "tst_flatbuttons.moc"

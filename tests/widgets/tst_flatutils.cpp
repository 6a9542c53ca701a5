// Colour rules, frame drawing, glyph layout and the base of the flat controls.
#include "WidgetTestSupport.h"
#include "widgets/FlatButtons.h"
#include "widgets/FlatUtils.h"
#include "widgets/HSLUtils.h"
#include "widgets/TFlatCheckBoxUnit.h"
#include "widgets/TFlatComboBoxUnit.h"
#include "widgets/TFlatEditUnit.h"
#include "widgets/TFlatRadioButtonUnit.h"

#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <functional>

namespace {

QRgb rgbOf(TColor c) {
    return toQColor(c).rgb();
}

// A parent that paints its left half red and its right half blue.
class TwoTone : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(0, 0, width() / 2, height(), Qt::red);
        p.fillRect(width() / 2, 0, width() - width() / 2, height(), Qt::blue);
    }
};

} // namespace

class TstFlatUtils : public QObject {
    Q_OBJECT
private slots:
    void systemColoursResolveBeforeArithmetic();
    void colourTextForms_data();
    void colourTextForms();
    void adjustLightness();
    void derivedColoursFollowTheParent_data();
    void derivedColoursFollowTheParent();
    void frameRings();
    void disabledGlyph();
    void glyphLayout_data();
    void glyphLayout();
    void parentBackground();
    void parentColourFollowsAndNotifies();
    void clickFiresBeforeMouseUpOnlyInside();
    void hoverFollowsAnyMove_data();
    void hoverFollowsAnyMove();
};

void TstFlatUtils::systemColoursResolveBeforeArithmetic() {
    QCOMPARE(quint32(ColorToRGB(clBtnFace)), quint32(RGBToColor(236, 233, 216)));
    QCOMPARE(quint32(ColorToRGB(clWhite)), quint32(clWhite));
    QCOMPARE(toQColor(clHighlight), QColor(49, 106, 197));
    QCOMPARE(toQColor(TColor(0x008396A0)), QColor(0xA0, 0x96, 0x83));
    QCOMPARE(quint32(fromQColor(QColor(0xA0, 0x96, 0x83))), 0x008396A0u);
    // Derivation from a system colour works on its RGB value, not on the index.
    QCOMPARE(quint32(AdjustColorLightness(clBtnFace, clBlack, 30, true)),
             quint32(AdjustColorLightness(ColorToRGB(clBtnFace), clBlack, 30, true)));
    QVERIFY(AdjustColorLightness(clBtnFace, clBlack, 30, true) != clBlack);
}

void TstFlatUtils::colourTextForms_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<quint32>("value");
    QTest::newRow("dollar hex") << "$00E1EAEB" << true << 0x00E1EAEBu;
    QTest::newRow("system name any case") << "CLBTNFACE" << true << quint32(clBtnFace);
    QTest::newRow("named colour") << "clYellow" << true << 0x0000FFFFu;
    QTest::newRow("html colour is RGB") << "#A09683" << true << 0x008396A0u;
    QTest::newRow("decimal") << "255" << true << 0x000000FFu;
    QTest::newRow("negative decimal is a system colour")
        << "-16777201" << true << quint32(clBtnFace);
    QTest::newRow("unknown name") << "clNoSuch" << false << 0u;
    QTest::newRow("garbage") << "$xyz" << false << 0u;
}

void TstFlatUtils::colourTextForms() {
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(quint32, value);
    TColor c(0x12345678);
    QCOMPARE(ParseColor(text, &c), ok);
    QCOMPARE(quint32(c), ok ? value : 0x12345678u);
    // Forms set their colours as text through the properties.
    TFlatControl w;
    w.SetColor(TColor(0x12345678));
    QCOMPARE(w.setProperty("Color", text), ok);
    QCOMPARE(quint32(w.Color()), ok ? value : 0x12345678u);
    if (ok) {
        TColor back;
        QVERIFY(ParseColor(ColorToString(c), &back));
        QCOMPARE(quint32(back), value);
    }
}

void TstFlatUtils::adjustLightness() {
    const TColor base(0x00E1EAEB); // lightness 216 of 240
    QCOMPARE(quint32(AdjustColorLightness(base, TColor(0x00123456), 0, false)), 0x00123456u);
    // Lightening never comes out darker than the base.
    const TColor lighter = AdjustColorLightness(base, clBlack, 10, false);
    QCOMPARE(ColorToHslRange(lighter).L, 236);
    QVERIFY(ColorToHslRange(lighter).L > ColorToHslRange(base).L);
    QCOMPARE(ColorToHslRange(AdjustColorLightness(base, clBlack, 90, false)).L, 240);
    // The derivation adds 10 before moving, so darkening by 10 keeps the lightness.
    QCOMPARE(ColorToHslRange(AdjustColorLightness(base, clBlack, 10, true)).L, 216);
    QCOMPARE(ColorToHslRange(AdjustColorLightness(base, clBlack, 50, true)).L, 176);
    QCOMPARE(quint32(AdjustColorLightness(TColor(0x00050505), clWhite, 100, true)), 0u);
    // A grey stays grey.
    const TColor grey = AdjustColorLightness(TColor(0x00808080), clBlack, 40, false);
    QCOMPARE(GetRValue(grey), GetGValue(grey));
    QCOMPARE(GetGValue(grey), GetBValue(grey));
    QVERIFY(GetRValue(grey) > 0x80);
}

void TstFlatUtils::derivedColoursFollowTheParent_data() {
    QTest::addColumn<int>("kind");
    QTest::newRow("button") << 0;
    QTest::newRow("edit") << 1;
    QTest::newRow("combo box") << 2;
}

// With advanced colours on, each flat control derives its border from the parent's colour,
// and derives again when that colour changes.
void TstFlatUtils::derivedColoursFollowTheParent() {
    QFETCH(int, kind);
    TFlatControl parent;
    parent.SetColor(TColor(0x00E1EAEB)); // lightness 216 of 240
    std::function<TColor()> border;
    if (kind == 0) {
        auto* c = new TFlatButton(&parent);
        c->SetUseAdvColors(true);
        border = [c] { return c->ColorBorder(); };
    } else if (kind == 1) {
        auto* c = new TFlatEdit(&parent);
        c->SetUseAdvColors(true);
        border = [c] { return c->ColorBorder(); };
    } else {
        auto* c = new TFlatComboBox(&parent);
        c->SetUseAdvColors(true);
        border = [c] { return c->ColorBorder(); };
    }
    QCOMPARE(ColorToHslRange(border()).L, 176);
    parent.SetColor(TColor(0x00336699));
    QCOMPARE(quint32(border()),
             quint32(AdjustColorLightness(TColor(0x00336699), clBlack, 50, true)));
}

void TstFlatUtils::frameRings() {
    QImage img(10, 8, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        DrawFrameRings(p, QRect(1, 1, 8, 6), clRed, 2, clBlue);
    }
    const QRgb red = rgbOf(clRed), blue = rgbOf(clBlue), white = qRgb(255, 255, 255);
    // Outer ring: top-left colour on the left column and top row up to right - 1.
    COMPARE_PIXELS(img, {1, 1, red}, {7, 1, red}, {1, 5, red});
    // Bottom-right colour on the right column and the whole bottom row, corners included.
    COMPARE_PIXELS(img, {8, 1, blue}, {8, 6, blue}, {1, 6, blue});
    // Second ring inset by one.
    COMPARE_PIXELS(img, {2, 2, red}, {6, 2, red}, {7, 2, blue}, {2, 5, blue}, {3, 3, white},
                   {0, 6, white}, {9, 7, white});
}

void TstFlatUtils::disabledGlyph() {
    QImage glyph(4, 4, QImage::Format_RGB32);
    glyph.fill(QColor(200, 30, 30));
    glyph.setPixel(1, 1, qRgb(0, 0, 0));
    glyph.setPixel(3, 3, qRgb(0, 0, 0));
    const QImage out =
        MakeDisabledGlyph(glyph, clBlack, clBtnFace, true, clBtnShadow, clBtnHighlight);
    QCOMPARE(out.size(), QSize(4, 4));
    COMPARE_PIXELS(out, {1, 1, rgbOf(clBtnShadow)}, {2, 2, rgbOf(clBtnHighlight)});
    QCOMPARE(out.pixel(3, 3), rgbOf(clBtnShadow)); // the shadow wins over a highlight
    COMPARE_PIXELS(out, {0, 0, rgbOf(clBtnFace)}, {2, 1, rgbOf(clBtnFace)});
    const QImage flat =
        MakeDisabledGlyph(glyph, clBlack, clBtnFace, false, clBtnShadow, clBtnHighlight);
    QCOMPARE(flat.pixel(2, 2), rgbOf(clBtnFace));
}

void TstFlatUtils::glyphLayout_data() {
    QTest::addColumn<QRect>("client");
    QTest::addColumn<QPoint>("offset");
    QTest::addColumn<QSize>("text");
    QTest::addColumn<int>("numGlyphs");
    QTest::addColumn<QSize>("glyph");
    QTest::addColumn<int>("margin");
    QTest::addColumn<int>("spacing");
    QTest::addColumn<int>("layout");
    QTest::addColumn<QPoint>("glyphPos");
    QTest::addColumn<QRect>("textBounds");
    const QRect c(0, 0, 100, 40);
    const QPoint o(0, 0);
    QTest::newRow("no glyph centres the caption, spacing dropped")
        << c << o << QSize(30, 12) << 1 << QSize() << -1 << 4 << int(TFlatTypes::blGlyphLeft)
        << QPoint(35, 20) << QRect(35, 14, 30, 12);
    QTest::newRow("left, centred pair")
        << c << o << QSize(30, 12) << 1 << QSize(16, 16) << -1 << 4 << int(TFlatTypes::blGlyphLeft)
        << QPoint(25, 12) << QRect(45, 14, 30, 12);
    QTest::newRow("left, spread in thirds")
        << c << o << QSize(30, 12) << 1 << QSize(16, 16) << -1 << -1 << int(TFlatTypes::blGlyphLeft)
        << QPoint(18, 12) << QRect(52, 14, 30, 12);
    QTest::newRow("left, fixed margin, spread rest")
        << c << o << QSize(30, 12) << 1 << QSize(16, 16) << 5 << -1 << int(TFlatTypes::blGlyphLeft)
        << QPoint(5, 12) << QRect(45, 14, 30, 12);
    QTest::newRow("right, centred pair")
        << c << o << QSize(30, 12) << 1 << QSize(16, 16) << -1 << 4 << int(TFlatTypes::blGlyphRight)
        << QPoint(59, 12) << QRect(25, 14, 30, 12);
    QTest::newRow("top, one image of a strip of four")
        << QRect(0, 0, 60, 60) << o << QSize(30, 12) << 4 << QSize(64, 16) << -1 << 4
        << int(TFlatTypes::blGlyphTop) << QPoint(22, 14) << QRect(15, 34, 30, 12);
    QTest::newRow("bottom") << QRect(0, 0, 60, 60) << o << QSize(30, 12) << 4 << QSize(64, 16) << -1
                            << 4 << int(TFlatTypes::blGlyphBottom) << QPoint(22, 30)
                            << QRect(15, 14, 30, 12);
    QTest::newRow("glyph only, top")
        << QRect(0, 0, 60, 60) << o << QSize(0, 0) << 1 << QSize(16, 16) << -1 << 4
        << int(TFlatTypes::blGlyphTop) << QPoint(22, 22) << QRect(30, 38, 0, 0);
    QTest::newRow("pressed offset and client origin")
        << QRect(2, 3, 100, 40) << QPoint(1, 1) << QSize(30, 12) << 1 << QSize() << -1 << 4
        << int(TFlatTypes::blGlyphLeft) << QPoint(38, 24) << QRect(38, 18, 30, 12);
}

void TstFlatUtils::glyphLayout() {
    QFETCH(QRect, client);
    QFETCH(QPoint, offset);
    QFETCH(QSize, text);
    QFETCH(int, numGlyphs);
    QFETCH(QSize, glyph);
    QFETCH(int, margin);
    QFETCH(int, spacing);
    QFETCH(int, layout);
    QFETCH(QPoint, glyphPos);
    QFETCH(QRect, textBounds);
    const TGlyphLayout r = LayoutGlyphAndCaption(client, offset, text, numGlyphs, glyph, margin,
                                                 spacing, TFlatTypes::TButtonLayout(layout));
    QCOMPARE(r.GlyphPos, glyphPos);
    QCOMPARE(r.TextBounds.topLeft(), textBounds.topLeft());
    QCOMPARE(r.TextBounds.size(), textBounds.size());
}

void TstFlatUtils::parentBackground() {
    TwoTone parent;
    parent.resize(100, 20);
    QWidget child(&parent);
    child.setGeometry(40, 5, 20, 10);
    QImage img(20, 10, QImage::Format_RGB32);
    img.fill(Qt::green);
    {
        QPainter p(&img);
        PaintParentBackground(&child, p);
    }
    COMPARE_PIXELS(img, {0, 0, qRgb(255, 0, 0)}, {9, 9, qRgb(255, 0, 0)}, {10, 0, qRgb(0, 0, 255)},
                   {19, 9, qRgb(0, 0, 255)});
    // Without a parent nothing is drawn.
    QWidget orphan;
    img.fill(Qt::green);
    {
        QPainter p(&img);
        PaintParentBackground(&orphan, p);
    }
    QCOMPARE(img.pixel(5, 5), qRgb(0, 255, 0));
}

namespace {
class ColourWatcher : public TFlatControl {
public:
    using TFlatControl::TFlatControl;
    int changes = 0;

protected:
    void ParentColorChanged() override { ++changes; }
};
} // namespace

void TstFlatUtils::parentColourFollowsAndNotifies() {
    TFlatControl outer;
    outer.SetColor(TColor(0x00112233));
    ColourWatcher inner(&outer);
    QVERIFY(inner.ParentColor());
    QCOMPARE(quint32(inner.Color()), 0x00112233u);
    ColourWatcher grandChild(&inner);
    outer.SetColor(TColor(0x00445566));
    QCOMPARE(quint32(inner.Color()), 0x00445566u);
    QCOMPARE(quint32(grandChild.Color()), 0x00445566u);
    QCOMPARE(inner.changes, 1);
    QCOMPARE(grandChild.changes, 1);
    // A control with its own colour is still told, but keeps its colour and tells no one.
    inner.SetColor(clRed);
    QVERIFY(!inner.ParentColor());
    outer.SetColor(clBlue);
    QCOMPARE(quint32(inner.Color()), quint32(clRed));
    QCOMPARE(inner.changes, 2);
    QCOMPARE(grandChild.changes, 2); // from inner's own change only
    // Switching ParentColor off keeps the colour it had from the parent.
    inner.SetParentColor(true);
    QCOMPARE(quint32(inner.Color()), quint32(clBlue));
    inner.SetParentColor(false);
    outer.SetColor(clYellow);
    QCOMPARE(quint32(inner.Color()), quint32(clBlue));
    // A plain parent's palette counts as its colour.
    QWidget plain;
    QPalette pal = plain.palette();
    pal.setColor(QPalette::Window, QColor(1, 2, 3));
    plain.setPalette(pal);
    ColourWatcher onPlain(&plain);
    QCOMPARE(quint32(onPlain.Color()), quint32(RGBToColor(1, 2, 3)));
    const int before = onPlain.changes;
    pal.setColor(QPalette::Window, QColor(4, 5, 6));
    plain.setPalette(pal);
    QVERIFY(onPlain.changes > before);
    QCOMPARE(quint32(onPlain.Color()), quint32(RGBToColor(4, 5, 6)));
}

namespace {
class Clickable : public TFlatControl {
public:
    explicit Clickable(QWidget* parent = nullptr) : TFlatControl(parent) { setClickEvents(true); }
};
} // namespace

void TstFlatUtils::clickFiresBeforeMouseUpOnlyInside() {
    Clickable w;
    w.resize(40, 20);
    QStringList order;
    connect(&w, &TFlatControl::OnClick, [&] { order << "click"; });
    connect(&w, &TFlatControl::OnMouseUp,
            [&](Qt::MouseButton, Qt::KeyboardModifiers, int, int) { order << "up"; });
    QTest::mousePress(&w, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&w, Qt::LeftButton, {}, QPoint(6, 6));
    QCOMPARE(order, QStringList({"click", "up"}));
    order.clear();
    QTest::mousePress(&w, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&w, Qt::LeftButton, {}, QPoint(45, 6));
    QCOMPARE(order, QStringList({"up"}));
    order.clear();
    QTest::mousePress(&w, Qt::RightButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&w, Qt::RightButton, {}, QPoint(5, 5));
    QCOMPARE(order, QStringList({"up"}));
}

enum HoverCase { FocusLost, MadeActive };

void TstFlatUtils::hoverFollowsAnyMove_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("when");
    for (const char* kind : {"button", "check box", "radio button"})
        QTest::addRow("%s: focus lost, moving inside lights it again", kind)
            << QString::fromLatin1(kind) << int(FocusLost);
    for (const char* kind : {"button", "check box", "radio button", "edit"})
        QTest::addRow("%s: window made active with the mouse on it", kind)
            << QString::fromLatin1(kind) << int(MadeActive);
}

void TstFlatUtils::hoverFollowsAnyMove() {
    QFETCH(QString, kind);
    QFETCH(int, when);
    QWidget form;
    form.resize(200, 100);
    auto* other = new QLineEdit(&form);
    other->setGeometry(0, 60, 100, 20);
    QWidget* control = nullptr;
    std::function<bool()> lit;
    if (kind == QLatin1String("button")) {
        auto* b = new TFlatButton(&form);
        lit = [b] { return b->MouseInside(); };
        control = b;
    } else if (kind == QLatin1String("edit")) {
        auto* e = new TFlatEdit(&form);
        lit = [e] { return e->MouseInside(); };
        control = e;
    } else {
        TFlatToggleControl* t = kind == QLatin1String("check box")
                                    ? static_cast<TFlatToggleControl*>(new TFlatCheckBox(&form))
                                    : new TFlatRadioButton(&form);
        lit = [t] { return t->MouseInside(); };
        control = t;
    }
    control->setGeometry(10, 10, 80, 30);
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QTest::mouseMove(form.windowHandle(), QPoint(150, 90));
    if (when == MadeActive)
        QApplication::setActiveWindow(nullptr);
    QTest::mouseMove(form.windowHandle(), QPoint(30, 20));
    QTRY_VERIFY(control->underMouse());
    if (when == FocusLost) {
        QVERIFY(lit());
        control->setFocus();
        other->setFocus();
        QTRY_VERIFY(other->hasFocus());
        QVERIFY(!lit());
    } else {
        QVERIFY(!lit());
        QApplication::setActiveWindow(&form);
        QVERIFY(QApplication::activeWindow() == &form);
    }
    QTest::mouseMove(form.windowHandle(), QPoint(32, 21));
    QTRY_VERIFY(lit());
}

QTEST_MAIN(TstFlatUtils)
#include "tst_flatutils.moc"

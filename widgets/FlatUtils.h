#pragma once
// What the flat controls share: the colour model, the lightness derivation, pixel-exact frame
// drawing, glyph and caption placement, and the conventions every widget of this folder keeps.
//
// Conventions of the widget set:
// - Colours are TColor, $00BBGGRR (blue in the high byte of the low three). A value whose high
//   byte is $FF names a system colour by the index in its low byte; ColorToRGB resolves it from
//   a fixed table of the Windows XP default scheme, the look the forms were designed on (and a
//   fixed table keeps pixel tests independent of the desktop theme). Resolve before arithmetic.
// - Properties are Q_PROPERTYs named as the published properties (Color, ColorFocused, Down...),
//   read by a getter of that name and written by Set<Name>, so Designer .ui files can set them
//   on promoted widgets as dynamic properties. A TColor property accepts a number, a QColor or a
//   string ("$00E1EAEB", "clBtnFace", "#RRGGBB"); enum properties accept their key names.
// - Events are Qt signals named exactly as the events: OnClick(), OnMouseUp(button, shift, x, y),
//   OnChange()... Changing a state in code fires the same signal the component fires for it
//   (setting Checked on a check box runs OnClick).
// - Programming errors throw EFlatError with an English message. Callers inside event handlers
//   must not let it escape into the event loop.
// - Forms call Loaded() after setting properties: it stands for the end of form loading, after
//   which size rules (edit height, list rows) apply. Controls with such rules run it themselves
//   when first polished (before they are first shown) if the form did not.
// - A "transparent" face paints no background: the widget is not opaque, so Qt composes the
//   parent and the siblings beneath it. PaintParentBackground copies the parent's own drawing
//   for code that needs those pixels in an off-screen image.
// - Painting is pixel-exact with antialiasing off; gdi:: helpers follow the platform's drawing
//   rules (lines leave out their end point, rectangles their right and bottom edge).

#include <QColor>
#include <QEvent>
#include <QFontMetrics>
#include <QImage>
#include <QMetaType>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QVector>
#include <QWidget>
#include <functional>
#include <stdexcept>

#include "controlbase/FlatDrag.h"
#include "widgets/FlatColor.h"

class QPainter;
class QMouseEvent;
class QKeyEvent;
class QShortcut;

// A programming error of a component (a value out of its range, a missing bitmap).
class EFlatError : public std::runtime_error {
public:
    explicit EFlatError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromStdString(what()); }
};

// RGB value of a system colour index (fixed Windows XP defaults); black for unknown indices.
TColor GetSysColor(int index);
// The RGB value of a colour, with system colours resolved; plain colours lose their high byte.
TColor ColorToRGB(TColor color);
QColor toQColor(TColor color);
TColor fromQColor(const QColor& color);
// "$00E1EAEB", "clBtnFace", "#RRGGBB" or a decimal number; false when it is none of these.
bool ParseColor(const QString& text, TColor* out);
QString ColorToString(TColor color);
// The colour a child with ParentColor takes from w: its Color property when it has one (a flat
// control), else the window colour of its palette.
TColor colorOf(const QWidget* w);

// Registers TColor with the meta-type system (conversions from numbers, QColor and strings).
// Every flat widget calls it; calling it again does nothing.
void RegisterFlatTypes();

// Shared enumerations of the flat family.
struct TFlatTypes {
    Q_GADGET
public:
    enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
    Q_ENUM(TButtonLayout)
    enum TTransparentMode { tmAlways, tmNotFocused, tmNone };
    Q_ENUM(TTransparentMode)
    enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
    Q_ENUM(TButtonState)
    enum TAlignment { taLeftJustify, taRightJustify, taCenter };
    Q_ENUM(TAlignment)
};

// A colour of lightness moved by Percent (0..100) from BaseColor on the 0..240 scale;
// CurrentColor unchanged when Percent is 0.
TColor AdjustColorLightness(TColor baseColor, TColor currentColor, TAdvColors percent, bool darken);

// Width rings inside rect: TopColor on the left and top, BottomColor on the right and bottom.
void DrawFrameRings(QPainter& p, const QRect& rect, TColor topColor, int width, TColor bottomColor);

// Draws the parent's background and painting as they lie under control into p, whose origin
// is the control's top-left. Does nothing without a parent.
void PaintParentBackground(const QWidget* control, QPainter& p);

// The embossed image of a glyph for a disabled button: pixels of MaskColor become ShadowColor,
// with HighlightColor one pixel down and right beneath them; everything else FaceColor.
QImage MakeDisabledGlyph(const QImage& glyph, TColor maskColor, TColor faceColor,
                         bool withHighlight, TColor shadowColor, TColor highlightColor);

struct TGlyphLayout {
    QPoint GlyphPos;
    QRect TextBounds;
};

// Places a glyph (one image of a strip of numGlyphs) and a caption of textSize in client.
// margin -1 centres, spacing -1 spreads.
TGlyphLayout LayoutGlyphAndCaption(const QRect& client, const QPoint& offset, QSize textSize,
                                   int numGlyphs, QSize glyphSize, int margin, int spacing,
                                   TFlatTypes::TButtonLayout layout);
// The same with the caption measured in font (single line, "&" marks an accelerator).
TGlyphLayout LayoutGlyphAndCaption(const QFontMetrics& fm, const QRect& client,
                                   const QPoint& offset, const QString& caption, int numGlyphs,
                                   QSize glyphSize, int margin, int spacing,
                                   TFlatTypes::TButtonLayout layout);
// Size of a single-line caption as the button measures it.
QSize CaptionSize(const QFontMetrics& fm, const QString& caption);

struct TTextMetric {
    int tmHeight = 0;
    int tmAscent = 0;
    int tmDescent = 0;
    int tmAveCharWidth = 0;
    int tmMaxCharWidth = 0;
};
TTextMetric GetFontTextMetrics(const QFont& font);
int FontLineHeight(const QFont& font);

bool RectsIntersect(const QRect& a, const QRect& b);
quint16 MinWord(quint16 a, quint16 b);

// Caption in its normal look, or embossed (clBtnHighlight at +1,+1, then clBtnShadow).
void DrawCaption(QPainter& p, const QRect& rect, int qtFlags, const QString& text, TColor color);
void DrawEmbossedCaption(QPainter& p, const QRect& rect, int qtFlags, const QString& text);

// Whether hover looks may react now: only while the application has an active window.
bool HoverAllowed();

// Drawing with the platform's pixel rules. Rectangles are QRects of the pixels covered
// (QRect(l, t, w, h) stands for the platform's (l, t, l + w, t + h)).
namespace gdi {
// Line from a to b without the end point, pen width 1.
void Line(QPainter& p, QPoint a, QPoint b, TColor color);
// Segments through points, each without its end point.
void Polyline(QPainter& p, const QVector<QPoint>& points, TColor color);
void FillRect(QPainter& p, const QRect& r, TColor color);
// One-pixel frame along the inside of r.
void FrameRect(QPainter& p, const QRect& r, TColor color);
// Frame in pen colour and inside it a fill in brush colour.
void Rectangle(QPainter& p, const QRect& r, TColor pen, TColor brush);
// Ellipse inscribed in r, outlined with pen, filled with brush.
void Ellipse(QPainter& p, const QRect& r, TColor pen, TColor brush);
// Filled and outlined polygon.
void Polygon(QPainter& p, const QVector<QPoint>& points, TColor pen, TColor brush);
enum class Edge { Raised, Sunken, RaisedOuter, SunkenOuter };
// The platform's 3-D edge around r (2 pixels, or 1 for the outer kinds).
void DrawEdge(QPainter& p, const QRect& r, Edge edge);
// Dotted focus rectangle along the inside of r.
void DrawFocusRect(QPainter& p, const QRect& r);
} // namespace gdi

// Base of the windowed flat controls: Color with ParentColor, Caption, the font colour, the
// mouse and click events of the class library's controls, and the parent/system colour
// notifications. A control with click events fires OnClick when the left button is released
// inside after a press on it, before OnMouseUp.
class TFlatControl : public QWidget, public TFlatTypes {
    Q_OBJECT
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(TColor FontColor READ FontColor WRITE SetFontColor)
    Q_PROPERTY(TDragTypes::TDragKind DragKind READ DragKind WRITE SetDragKind)
    Q_PROPERTY(TDragTypes::TDragMode DragMode READ DragMode WRITE SetDragMode)
    Q_PROPERTY(int DragCursor READ DragCursor WRITE SetDragCursor)
    Q_PROPERTY(bool DockSite READ DockSite WRITE SetDockSite)
    Q_PROPERTY(bool UseDockManager READ UseDockManager WRITE SetUseDockManager)

public:
    explicit TFlatControl(QWidget* parent = nullptr);
    // Drag and dock settings and their events.
    DRAG_DOCK_ACCESSORS(dragDock_)

    TColor Color() const;
    void SetColor(TColor value);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);
    QString Caption() const { return caption_; }
    void SetCaption(const QString& value);
    // Font.Color: the window-text colour of the palette, inherited from the parent as the font.
    TColor FontColor() const;
    void SetFontColor(TColor value);

    // Fires OnClick (and whatever the control adds to a click).
    virtual void Click();
    // End of form loading: size rules that wait for all properties apply now.
    virtual void Loaded() { update(); }

signals:
    void OnClick();
    void OnDblClick();
    void OnMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void OnMouseMove(Qt::KeyboardModifiers shift, int x, int y);
    void OnMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void OnEnter();
    void OnExit();
    void OnResize();
    void OnKeyDown(int key, Qt::KeyboardModifiers shift);
    void OnKeyPress(QChar key);
    void OnKeyUp(int key, Qt::KeyboardModifiers shift);

protected:
    // Whether a left press and release inside fires Click on its own.
    void setClickEvents(bool on) { clickEvents_ = on; }
    // The control's own colour was set, or ParentColor switched on.
    virtual void ColorChanged() { update(); }
    // The parent's colour changed; the control follows it when ParentColor is on.
    virtual void ParentColorChanged() {
        if (parentColor_)
            update();
    }
    // The system colours changed.
    virtual void SysColorChanged() { update(); }
    virtual void CaptionChanged() { update(); }
    virtual void DblClick() { emit OnDblClick(); }
    // The window became active (a resting mouse may now light a hover look).
    virtual void WindowActivated() {}

    // The inherited handling of the mouse messages: fires the events.
    void mousePressEvent(QMouseEvent* ev) override;
    void mouseMoveEvent(QMouseEvent* ev) override;
    void mouseReleaseEvent(QMouseEvent* ev) override;
    void mouseDoubleClickEvent(QMouseEvent* ev) override;
    void keyPressEvent(QKeyEvent* ev) override;
    void keyReleaseEvent(QKeyEvent* ev) override;
    void focusInEvent(QFocusEvent* ev) override;
    void focusOutEvent(QFocusEvent* ev) override;
    void resizeEvent(QResizeEvent* ev) override;
    bool event(QEvent* ev) override;
    void changeEvent(QEvent* ev) override;

private:
    TColor color_ = clBtnFace;
    bool parentColor_ = true;
    bool clickEvents_ = false;
    bool clicked_ = false;
    QString caption_;
    TDragDock* dragDock_;
};

// The class library's parent-colour-changed notification: sent to the direct children of a
// control whose colour changed. Flat controls with ParentColor react to it (and to a palette
// change of a plain parent widget).
QEvent::Type ParentColorChangedEventType();
void NotifyParentColorChanged(QWidget* parent);

// The focus-changed notification a form gets when a button's Default changes: it carries the
// form's focused control.
class TFocusChangedEvent : public QEvent {
public:
    explicit TFocusChangedEvent(QWidget* active) : QEvent(Type()), Active(active) {}
    static QEvent::Type Type();
    QWidget* Active;
};
void NotifyFocusChanged(QWidget* form);

// Face painting of a flat control: opaque controls fill their face, transparent ones leave it
// to Qt's composition of what lies beneath.
void SetOpaqueFace(QWidget* w, bool opaque);

// A flat control whose colours can follow its parent's: with UseAdvColors on it takes the
// parent's colour and derives its own colours from it whenever that colour changes.
class TFlatAdvColorControl : public TFlatControl {
    Q_OBJECT
    Q_PROPERTY(bool UseAdvColors READ UseAdvColors WRITE SetUseAdvColors)

public:
    using TFlatControl::TFlatControl;

    bool UseAdvColors() const { return useAdvColors_; }
    void SetUseAdvColors(bool value);

protected:
    // Derives the colours from Color(); runs only while UseAdvColors is on.
    virtual void calcAdvColors() = 0;
    void recalcAdvColors();
    void ParentColorChanged() override;
    void SysColorChanged() override;

private:
    bool useAdvColors_ = false;
};

// The hover, press and border colours the flat button, check box and radio button share, with
// the lightness offsets that derive them from the face colour.
class TFlatFaceColorControl : public TFlatAdvColorControl {
    Q_OBJECT
    Q_PROPERTY(TColor ColorFocused READ ColorFocused WRITE SetColorFocused)
    Q_PROPERTY(TColor ColorDown READ ColorDown WRITE SetColorDown)
    Q_PROPERTY(TColor ColorBorder READ ColorBorder WRITE SetColorBorder)
    Q_PROPERTY(int AdvColorFocused READ AdvColorFocused WRITE SetAdvColorFocused)
    Q_PROPERTY(int AdvColorDown READ AdvColorDown WRITE SetAdvColorDown)
    Q_PROPERTY(int AdvColorBorder READ AdvColorBorder WRITE SetAdvColorBorder)

public:
    TFlatFaceColorControl(QWidget* parent, TColor colorFocused)
        : TFlatAdvColorControl(parent), colorFocused_(colorFocused) {}

    TColor ColorFocused() const { return colorFocused_; }
    TColor ColorDown() const { return colorDown_; }
    TColor ColorBorder() const { return colorBorder_; }
    void SetColorFocused(TColor value);
    void SetColorDown(TColor value);
    void SetColorBorder(TColor value);
    int AdvColorFocused() const { return advColorFocused_; }
    int AdvColorDown() const { return advColorDown_; }
    int AdvColorBorder() const { return advColorBorder_; }
    void SetAdvColorFocused(int value) { SetAdvColors(0, value); }
    void SetAdvColorDown(int value) { SetAdvColors(1, value); }
    void SetAdvColorBorder(int value) { SetAdvColors(2, value); }
    // 0 AdvColorFocused, 1 AdvColorDown, 2 AdvColorBorder.
    void SetAdvColors(int index, TAdvColors value);

protected:
    void calcAdvColors() override;

private:
    TAdvColors advColorFocused_ = 10;
    TAdvColors advColorDown_ = 10;
    TAdvColors advColorBorder_ = 50;
    TColor colorFocused_;
    TColor colorDown_ = 0x00C5D6D9;
    TColor colorBorder_ = 0x008396A0;
};

// Replaces the shortcut of a control's caption mnemonic ("&x"): none when the caption has none.
void ReplaceMnemonicShortcut(QWidget* owner, QShortcut*& shortcut, const QString& caption,
                             std::function<void()> activated);

// The items' text: each line ended by CR LF.
QString JoinLinesCrLf(const QStringList& lines);
// Splits a text at CR LF, CR or LF; a final line break adds no empty line.
QStringList SplitTextLines(const QString& text);

// Base of the check box and the radio button: a small indicator at the top and a word-wrapped
// caption, the flat family's hover and press colours, and the derived colours.
class TFlatToggleControl : public TFlatFaceColorControl {
    Q_OBJECT
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(bool Checked READ Checked WRITE SetChecked)

public:
    explicit TFlatToggleControl(QWidget* parent = nullptr);

    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    bool Checked() const { return checked_; }
    virtual void SetChecked(bool value) = 0;

    // 0 ColorFocused, 1 ColorDown, 2 the tick or dot colour, 3 ColorBorder.
    void SetColors(int index, TColor value);

    bool MouseInside() const { return mouseInside_; }
    bool Pressing() const { return pressing_; }
    // The indicator's pixels in client coordinates.
    virtual QRect IndicatorRect() const = 0;

    QSize sizeHint() const override { return QSize(121, 17); }

protected:
    // The fill of the indicator by focus, hover and press.
    TColor indicatorFill() const;
    TColor markColor() const { return markColor_; }
    bool rightLayout() const { return rightLayout_; }
    void setRightLayout(bool value);
    void storeChecked(bool value) { checked_ = value; }
    virtual void paintIndicator(QPainter& p) = 0;
    // The left button was released on an enabled control.
    virtual void releaseToggles(QPoint pos) = 0;
    // The caption's mnemonic key was pressed.
    virtual void mnemonicActivated() = 0;

    void paintEvent(QPaintEvent* ev) override;
    void mousePressEvent(QMouseEvent* ev) override;
    void mouseReleaseEvent(QMouseEvent* ev) override;
    void mouseDoubleClickEvent(QMouseEvent* ev) override;
    void mouseMoveEvent(QMouseEvent* ev) override;
    void enterEvent(QEnterEvent* ev) override;
    void leaveEvent(QEvent* ev) override;
    void focusInEvent(QFocusEvent* ev) override;
    void focusOutEvent(QFocusEvent* ev) override;
    void changeEvent(QEvent* ev) override;
    void CaptionChanged() override;
    void WindowActivated() override;

    bool focused_ = false;
    bool pressing_ = false;
    bool mouseInside_ = false;

private:
    bool transparent_ = false;
    bool checked_ = false;
    bool rightLayout_ = false;
    TColor markColor_ = clBlack;
    QShortcut* shortcut_ = nullptr;
};

#pragma once
// Push button with a flat face that lights up under the mouse, an optional strip of up to four
// glyph images, exclusive groups among its siblings, and a modal result for dialogs.

#include "widgets/FlatUtils.h"

#include <QImage>

class QShortcut;

class TFlatButton : public TFlatFaceColorControl {
    Q_OBJECT
    Q_PROPERTY(
        TFlatTypes::TTransparentMode TransparentMode READ TransparentMode WRITE SetTransparentMode)
    Q_PROPERTY(bool Default READ Default WRITE SetDefault)
    Q_PROPERTY(bool AllowAllUp READ AllowAllUp WRITE SetAllowAllUp)
    Q_PROPERTY(TColor ColorHighLight READ ColorHighLight WRITE SetColorHighLight)
    Q_PROPERTY(TColor ColorShadow READ ColorShadow WRITE SetColorShadow)
    Q_PROPERTY(int GroupIndex READ GroupIndex WRITE SetGroupIndex)
    Q_PROPERTY(bool Down READ Down WRITE SetDown)
    Q_PROPERTY(QImage Glyph READ Glyph WRITE SetGlyph)
    Q_PROPERTY(TFlatTypes::TButtonLayout Layout READ Layout WRITE SetLayout)
    Q_PROPERTY(int Margin READ Margin WRITE SetMargin)
    Q_PROPERTY(int NumGlyphs READ NumGlyphs WRITE SetNumGlyphs)
    Q_PROPERTY(int Spacing READ Spacing WRITE SetSpacing)
    Q_PROPERTY(int ModalResult READ ModalResult WRITE SetModalResult)
    Q_PROPERTY(TFlatTypes::TButtonState State READ State)

public:
    explicit TFlatButton(QWidget* parent = nullptr);
    ~TFlatButton() override;

    TTransparentMode TransparentMode() const { return transparentMode_; }
    void SetTransparentMode(TTransparentMode value);
    bool Default() const { return default_; }
    void SetDefault(bool value);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool value);

    TColor ColorHighLight() const { return colorHighLight_; }
    TColor ColorShadow() const { return colorShadow_; }
    void SetColorHighLight(TColor value) { SetColors(3, value); }
    void SetColorShadow(TColor value) { SetColors(4, value); }

    // 0 ColorFocused, 1 ColorDown, 2 ColorBorder, 3 ColorHighLight, 4 ColorShadow.
    void SetColors(int index, TColor value);

    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value);
    bool Down() const { return down_; }
    void SetDown(bool value);

    QImage Glyph() const { return glyph_; }
    // Takes a copy; a strip whose width is 2 to 4 times its height sets NumGlyphs.
    void SetGlyph(const QImage& value);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int value);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout value);
    int Margin() const { return margin_; }
    void SetMargin(int value);
    int Spacing() const { return spacing_; }
    void SetSpacing(int value);
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int value) { modalResult_ = value; }

    TButtonState State() const { return state_; }
    bool MouseInside() const { return mouseInside_; }
    // Where the glyph and the caption go in the current state.
    TGlyphLayout CurrentLayout() const;

    // Sets the dialog's ModalResult property (closing it when not 0), then fires OnClick.
    void Click() override;

    QSize sizeHint() const override { return QSize(25, 25); }

signals:
    void OnMouseEnter();
    void OnMouseLeave();

protected:
    void paintEvent(QPaintEvent* ev) override;
    void mousePressEvent(QMouseEvent* ev) override;
    void mouseMoveEvent(QMouseEvent* ev) override;
    void mouseReleaseEvent(QMouseEvent* ev) override;
    void keyPressEvent(QKeyEvent* ev) override;
    void keyReleaseEvent(QKeyEvent* ev) override;
    void enterEvent(QEnterEvent* ev) override;
    void leaveEvent(QEvent* ev) override;
    void focusInEvent(QFocusEvent* ev) override;
    void focusOutEvent(QFocusEvent* ev) override;
    void changeEvent(QEvent* ev) override;
    void DblClick() override;
    void CaptionChanged() override;
    void WindowActivated() override;

private:
    bool insideForRelease(QPoint pos) const;
    void mouseEnterProcessing();
    void mouseLeaveProcessing();
    void recheckMouse(QPoint pos);
    void announceToGroup();
    void groupButtonPressed(int groupIndex, TFlatButton* sender);
    void updateShortcut();
    void updateOpaque();
    QImage glyphImageForState() const;

    TTransparentMode transparentMode_ = tmNone;
    int modalResult_ = 0;
    int numGlyphs_ = 1;
    TColor colorHighLight_ = clWhite;
    TColor colorShadow_ = clBlack;
    int groupIndex_ = 0;
    QImage glyph_;
    bool down_ = false;
    bool pressing_ = false;
    bool allowAllUp_ = false;
    TButtonLayout layout_ = blGlyphTop;
    int spacing_ = 4;
    int margin_ = -1;
    bool mouseInside_ = false;
    bool default_ = false;
    TButtonState state_ = bsUp;
    QShortcut* shortcut_ = nullptr;
};

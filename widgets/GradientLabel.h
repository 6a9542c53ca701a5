#pragma once
// A one-line label on a banded colour gradient (optionally dithered), with an optional picture,
// a second right-aligned caption, border lines on chosen sides, hot tracking of the font colour
// and dragging of its window by the label.

#include "platform/Random.h"
#include "widgets/FlatUtils.h"

#include <QImage>
#include <QList>
#include <QPointer>

class QShortcut;

struct TGradientTypes {
    Q_GADGET
public:
    enum TGradientStyle { gsLeft, gsRight, gsTop, gsBottom };
    Q_ENUM(TGradientStyle)
    enum TAlphaMode { amAuto, amManual };
    Q_ENUM(TAlphaMode)
    enum TDisplayAlign { daLeft, daRight };
    Q_ENUM(TDisplayAlign)
    enum TTextLayout { tlTop, tlCenter, tlBottom };
    Q_ENUM(TTextLayout)
    enum TBoundLine { blLeft = 1, blTop = 2, blRight = 4, blBottom = 8 };
    Q_DECLARE_FLAGS(TBoundLines, TBoundLine)
    Q_FLAG(TBoundLines)
};
Q_DECLARE_OPERATORS_FOR_FLAGS(TGradientTypes::TBoundLines)

// The platform's MulDiv: a * b / c rounded to the nearest, halves away from zero.
int MulDiv(int a, int b, int c);

// The gradient picture of a W x H label: ColorSteps bands from StartColor to EndColor (swapped
// for gsRight and gsBottom), the previous colour dithered into each band on a 16-pixel strip
// that is then repeated across the picture.
QImage BuildGradientBitmap(QSize size, TColor startColor, TColor endColor, int colorSteps,
                           TGradientTypes::TGradientStyle style, bool dithered,
                           platform::RandomSource& random);

class TGradientCustomLabel;

class TGradient : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool Dithered READ Dithered WRITE SetDithered)
    Q_PROPERTY(int ColorSteps READ ColorSteps WRITE SetColorSteps)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(TColor EndColor READ EndColor WRITE SetEndColor)
    Q_PROPERTY(TColor StartColor READ StartColor WRITE SetStartColor)
    Q_PROPERTY(TGradientTypes::TGradientStyle Style READ Style WRITE SetStyle)
public:
    explicit TGradient(TGradientCustomLabel* owner);

    bool Dithered() const { return dithered_; }
    void SetDithered(bool v);
    // 2..255.
    int ColorSteps() const { return colorSteps_; }
    void SetColorSteps(int v);
    bool Enabled() const { return enabled_; }
    // Enabling rebuilds the picture, so it never shows one made for another size.
    void SetEnabled(bool v);
    TColor EndColor() const { return endColor_; }
    void SetEndColor(TColor v);
    TColor StartColor() const { return startColor_; }
    void SetStartColor(TColor v);
    TGradientTypes::TGradientStyle Style() const { return style_; }
    void SetStyle(TGradientTypes::TGradientStyle v);

    // Rebuilds the picture at the label's size.
    void UpdateGradient();
    const QImage& Bitmap() const { return bitmap_; }

private:
    void changed(bool rebuild);

    TGradientCustomLabel* owner_;
    bool dithered_ = true;
    int colorSteps_ = 16;
    bool enabled_ = true;
    TColor endColor_ = TColor(0x808080);
    TColor startColor_ = TColor(0xC0C0C0);
    TGradientTypes::TGradientStyle style_ = TGradientTypes::gsLeft;
    QImage bitmap_;
};

class TGlyph : public QObject {
    Q_OBJECT
    Q_PROPERTY(TColor AlphaColor READ AlphaColor WRITE SetAlphaColor)
    Q_PROPERTY(bool AllowGrayed READ AllowGrayed WRITE SetAllowGrayed)
    Q_PROPERTY(TGradientTypes::TAlphaMode AlphaMode READ AlphaMode WRITE SetAlphaMode)
    Q_PROPERTY(QImage Bitmap READ Bitmap WRITE SetBitmap)
    Q_PROPERTY(TGradientTypes::TDisplayAlign DisplayAlign READ DisplayAlign WRITE SetDisplayAlign)
    Q_PROPERTY(int ImageIndex READ ImageIndex WRITE SetImageIndex)
    Q_PROPERTY(QList<QImage> ImageList READ ImageList WRITE SetImageList)
    Q_PROPERTY(int Margin READ Margin WRITE SetMargin)
    Q_PROPERTY(int NumGlyphs READ NumGlyphs WRITE SetNumGlyphs)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
public:
    explicit TGlyph(TGradientCustomLabel* owner);

    TColor AlphaColor() const { return alphaColor_; }
    void SetAlphaColor(TColor v);
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool v);
    TGradientTypes::TAlphaMode AlphaMode() const { return alphaMode_; }
    void SetAlphaMode(TGradientTypes::TAlphaMode v);
    QImage Bitmap() const { return bitmap_; }
    // Sets NumGlyphs to width / height when the width is a whole multiple of the height.
    void SetBitmap(const QImage& v);
    TGradientTypes::TDisplayAlign DisplayAlign() const { return displayAlign_; }
    void SetDisplayAlign(TGradientTypes::TDisplayAlign v);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int v);
    QList<QImage> ImageList() const { return imageList_; }
    void SetImageList(const QList<QImage>& v);
    int Margin() const { return margin_; }
    void SetMargin(int v);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int v);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v);
    bool Visible() const { return visible_; }
    void SetVisible(bool v);

    // The bitmap's own transparent colour: its bottom-left pixel.
    TColor BitmapTransparentColor() const;
    // The picture to draw (transparent pixels cleared, grayed when asked), or a null image.
    QImage Picture(bool grayed) const;

private:
    void changed();

    TGradientCustomLabel* owner_;
    TColor alphaColor_ = TColor(0x008080);
    bool allowGrayed_ = true;
    TGradientTypes::TAlphaMode alphaMode_ = TGradientTypes::amAuto;
    QImage bitmap_;
    TGradientTypes::TDisplayAlign displayAlign_ = TGradientTypes::daLeft;
    int imageIndex_ = -1;
    QList<QImage> imageList_;
    int margin_ = 5;
    int numGlyphs_ = 1;
    bool transparent_ = true;
    bool visible_ = true;
};

class TSubCaption : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(int Margin READ Margin WRITE SetMargin)
    Q_PROPERTY(QFont Font READ Font WRITE SetFont)
    Q_PROPERTY(TColor FontColor READ FontColor WRITE SetFontColor)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
public:
    explicit TSubCaption(TGradientCustomLabel* owner);

    QString Caption() const { return caption_; }
    void SetCaption(const QString& v);
    int Margin() const { return margin_; }
    void SetMargin(int v);
    QFont Font() const { return font_; }
    void SetFont(const QFont& v);
    TColor FontColor() const { return fontColor_; }
    void SetFontColor(TColor v);
    bool Visible() const { return visible_; }
    void SetVisible(bool v);

private:
    void changed();

    TGradientCustomLabel* owner_;
    QString caption_;
    int margin_ = 5;
    QFont font_;
    TColor fontColor_ = clWindowText;
    bool visible_ = true;
};

class TGradientCustomLabel : public TFlatControl {
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(QWidget* FocusControl READ FocusControl WRITE SetFocusControl)
    Q_PROPERTY(TGradientTypes::TTextLayout Layout READ Layout WRITE SetLayout)
    Q_PROPERTY(bool ShowAccelChar READ ShowAccelChar WRITE SetShowAccelChar)
    Q_PROPERTY(QString Version READ Version WRITE SetVersion)
public:
    explicit TGradientCustomLabel(QWidget* parent = nullptr);

    // The label's own enabled state: it draws the caption embossed and ignores the accelerator,
    // while the widget stays enabled, so hot tracking and form dragging go on.
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    QWidget* FocusControl() const { return focusControl_; }
    void SetFocusControl(QWidget* v);
    TGradientTypes::TTextLayout Layout() const { return layout_; }
    void SetLayout(TGradientTypes::TTextLayout v);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool v);
    QString Version() const { return QStringLiteral("Version 1.0"); }
    void SetVersion(const QString&) {}

    TGradient* Gradient() const { return gradient_; }
    TGlyph* Glyph() const { return glyph_; }
    TSubCaption* SubCaption() const { return subCaption_; }

    // The accelerator of the caption was typed: focuses FocusControl; true when handled.
    bool DialogChar(const QKeySequence& key);
    void Loaded() override;
    // Rebuilds the gradient picture when the gradient is enabled.
    virtual void UpdateGradient();

protected:
    // Parts the published label adds; the custom label has none of them.
    virtual TColor boundColor() const { return TColor(0x808080); }
    virtual TGradientTypes::TBoundLines boundLines() const { return {}; }
    virtual int margin() const { return 5; }

    void paintEvent(QPaintEvent* ev) override;
    void resizeEvent(QResizeEvent* ev) override;
    void changeEvent(QEvent* ev) override;
    void CaptionChanged() override;

private:
    friend class TGradient;
    void updateShortcut();

    TGradient* gradient_;
    TGlyph* glyph_;
    TSubCaption* subCaption_;
    QPointer<QWidget> focusControl_;
    TGradientTypes::TTextLayout layout_ = TGradientTypes::tlCenter;
    bool showAccelChar_ = true;
    bool enabled_ = true;
    QShortcut* shortcut_ = nullptr;
    platform::RandomSource random_;
};

class TGradientLabel : public TGradientCustomLabel {
    Q_OBJECT
    Q_PROPERTY(TColor BoundColor READ BoundColor WRITE SetBoundColor)
    Q_PROPERTY(TGradientTypes::TBoundLines BoundLines READ BoundLines WRITE SetBoundLines)
    Q_PROPERTY(bool FormDrag READ FormDrag WRITE SetFormDrag)
    Q_PROPERTY(bool HotTrack READ HotTrack WRITE SetHotTrack)
    Q_PROPERTY(TColor HotTrackColor READ HotTrackColor WRITE SetHotTrackColor)
    Q_PROPERTY(TGradient* Gradient READ Gradient)
    Q_PROPERTY(TGlyph* Glyph READ Glyph)
    Q_PROPERTY(TSubCaption* SubCaption READ SubCaption)
    Q_PROPERTY(int Margin READ Margin WRITE SetMargin)
public:
    explicit TGradientLabel(QWidget* parent = nullptr);

    TColor BoundColor() const { return boundColor_; }
    void SetBoundColor(TColor v);
    TGradientTypes::TBoundLines BoundLines() const { return boundLines_; }
    void SetBoundLines(TGradientTypes::TBoundLines v);
    bool FormDrag() const { return formDrag_; }
    void SetFormDrag(bool v) { formDrag_ = v; }
    bool HotTrack() const { return hotTrack_; }
    void SetHotTrack(bool v) { hotTrack_ = v; }
    TColor HotTrackColor() const { return hotTrackColor_; }
    void SetHotTrackColor(TColor v) { hotTrackColor_ = v; }
    int Margin() const { return margin_; }
    void SetMargin(int v);

signals:
    void OnMouseEnter();
    void OnMouseLeave();
    // A press started moving the window (tests and forms can follow the drag).
    void OnFormDrag();

protected:
    TColor boundColor() const override { return boundColor_; }
    TGradientTypes::TBoundLines boundLines() const override { return boundLines_; }
    int margin() const override { return margin_; }

    bool event(QEvent* ev) override;
    void enterEvent(QEnterEvent* ev) override;
    void leaveEvent(QEvent* ev) override;

private:
    TColor boundColor_ = TColor(0x808080);
    TGradientTypes::TBoundLines boundLines_;
    bool formDrag_ = false;
    bool hotTrack_ = false;
    TColor hotTrackColor_ = TColor(0x800000);
    int margin_ = 5;
    TColor savedFontColor_ = clWindowText;
    bool tracking_ = false;
    bool dragging_ = false;
};

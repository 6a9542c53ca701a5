#pragma once
// Smooth text with effects, drawn without the platform's font smoothing: the text is rendered
// white on black at an integer multiple of its size, averaged down into a coverage mask, shaped
// by mask operations (outline, blur, spray, mirrors) and blended through the mask onto a picture
// in a solid colour or from a prepared foreground (gradient, texture, noise).
//
// The engine draws on a TSmoothCanvas: a QImage with the font, font colour and brush that the
// class library's canvas carried. Blending reads the picture back, so the target is an image; an
// ARGB32_Premultiplied target that starts transparent collects the text with its coverage as
// alpha (the blend formula then is exact "over" compositing), which is how a transparent control
// draws over its parent.

#include "platform/Random.h"
#include "widgets/FlatUtils.h"

#include <QFont>
#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>

#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

namespace platform {
class IniFile;
}

class EInvalidLine : public EFlatError {
public:
    EInvalidLine() : EFlatError(QStringLiteral("Invalid line!")) {}
};

class EInvalidForeBmp : public EFlatError {
public:
    EInvalidForeBmp() : EFlatError(QStringLiteral("Invalid foreground bitmap!")) {}
};

struct TSmoothTypes {
    Q_GADGET
public:
    enum TSmoothQuality { aqHigh, aqNormal, aqLow, aqNone };
    Q_ENUM(TSmoothQuality)
    enum TGradualStyle {
        gsLeftToRight,
        gsRightToLeft,
        gsTopToBottom,
        gsBottomToTop,
        gsCenterToLR,
        gsCenterToTB
    };
    Q_ENUM(TGradualStyle)
    enum TTextureMode { tmTiled, tmStretched, tmCenter, tmNormal };
    Q_ENUM(TTextureMode)
};

// A font as a canvas holds it: face and size, colour, and the escapement (angle of the base line
// in tenths of a degree, counter-clockwise) that QFont does not carry.
struct TTextFont {
    QFont Font;
    TColor Color = clWindowText;
    int Escapement = 0;
    bool operator==(const TTextFont& o) const {
        return Font == o.Font && Color.value == o.Color.value && Escapement == o.Escapement;
    }
};

struct TSmoothCanvas {
    QImage* Image = nullptr;
    TTextFont Font;
    bool BrushClear = false; // bsClear: blending lays the text over the picture
    TColor BrushColor = clWhite;
};

// Rounds halves to even, as the platform's Round did.
inline int SmoothRound(double v) {
    return int(std::nearbyint(v));
}

class TSmoothFont;

// The size of a text and where its origin lies inside that box (non-zero for rotated text).
struct TSmoothExtent {
    QSize Size;
    QPoint Origin;
};

// An 8-bit coverage mask: 0 no ink, 255 full ink.
class TSmoothMask {
public:
    explicit TSmoothMask(TSmoothFont* owner = nullptr);

    TSmoothTypes::TSmoothQuality Quality() const { return quality_; }
    void SetQuality(TSmoothTypes::TSmoothQuality q) { quality_ = q; }
    int Scale() const;

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Stride() const { return stride_; }
    // Resizes and clears the mask.
    void SetSize(int width, int height);
    // Row y, 0..Height-1; EInvalidLine otherwise.
    uint8_t* ScanLine(int y);
    const uint8_t* ScanLine(int y) const;
    uint8_t Pixel(int x, int y) const { return ScanLine(y)[x]; }
    void Assign(const TSmoothMask& other);

    TSmoothExtent Extent(const QString& text) const;
    QSize TextExtent(const QString& text) const { return Extent(text).Size; }
    // Renders the text at the origin into a mask of its extent.
    void DrawText(const QString& text);
    // Averages a work image (8-bit gray, at least Width*Scale by Height*Scale) into the mask.
    void AverageFrom(const QImage& work);

    void Outline();
    void Blur(int amount);
    void Spray(int amount);
    void HorzMirror();
    void VertMirror();

private:
    void render(int x, int y, const QSize& size, const QString& text);
    QFont scaledFont() const;

    TSmoothFont* owner_;
    TSmoothTypes::TSmoothQuality quality_ = TSmoothTypes::aqNormal;
    int width_ = 0;
    int height_ = 0;
    int stride_ = 0;
    std::vector<uint8_t> data_;
};

// Mixes a colour, or the foreground picture, through a mask onto the owner's canvas.
class TSmoothBlend {
public:
    explicit TSmoothBlend(TSmoothFont* owner = nullptr) : owner_(owner) {}

    // The per-pixel colours of BlendEx: RGB888, the mask's size.
    QImage& ForeBmp() { return fore_; }
    void Assign(const TSmoothBlend& other) { fore_ = other.fore_; }

    // Alpha 0..100.
    void Blend(int x, int y, const TSmoothMask& mask, int alpha, TColor color);
    void BlendEx(int x, int y, const TSmoothMask& mask, int alpha);

private:
    void blend(int x, int y, const TSmoothMask& mask, int alpha, const QImage* fore, QRgb color);

    TSmoothFont* owner_;
    QImage fore_;
    QImage work_;
};

class TSmoothFont {
public:
    explicit TSmoothFont(TSmoothCanvas* canvas = nullptr);
    virtual ~TSmoothFont();
    TSmoothFont(const TSmoothFont&) = delete;
    TSmoothFont& operator=(const TSmoothFont&) = delete;

    TSmoothCanvas* Canvas() const { return canvas_; }
    void SetCanvas(TSmoothCanvas* canvas) { canvas_ = canvas; }
    // A canvas with a picture to draw on (measuring needs only the font).
    bool CanDraw() const { return canvas_ && canvas_->Image && !canvas_->Image->isNull(); }

    virtual QSize TextExtent(const QString& text);
    int TextWidth(const QString& text) { return TextExtent(text).width(); }
    int TextHeight(const QString& text) { return TextExtent(text).height(); }

    TSmoothTypes::TSmoothQuality Quality() const { return mask_.Quality(); }
    void SetQuality(TSmoothTypes::TSmoothQuality q) { mask_.SetQuality(q); }

    TSmoothMask& Mask() { return mask_; }
    TSmoothBlend& Blender() { return blend_; }
    // Source of spray and noise; a seed replays them.
    platform::RandomSource& Random() { return random_; }

private:
    TSmoothCanvas* canvas_;
    TSmoothMask mask_;
    TSmoothBlend blend_;
    platform::RandomSource random_;
};

// Effect parameters. Each notifies through OnChange; owned parts forward to their owner's.
class TNotifyClass : public QObject {
    Q_OBJECT
public:
    explicit TNotifyClass(QObject* parent = nullptr) : QObject(parent) {}
    virtual void Assign(const TNotifyClass& source);

signals:
    void OnChange();

protected:
    virtual void Changed() { emit OnChange(); }
};

class TEnabledClass : public TNotifyClass {
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
public:
    using TNotifyClass::TNotifyClass;
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    void Assign(const TNotifyClass& source) override;

protected:
    void Changed() override;

private:
    bool enabled_ = false;
};

class TSmoothShadow : public TEnabledClass {
    Q_OBJECT
    Q_PROPERTY(int Blur READ Blur WRITE SetBlur)
    Q_PROPERTY(int Alpha READ Alpha WRITE SetAlpha)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(int OffsetX READ OffsetX WRITE SetOffsetX)
    Q_PROPERTY(int OffsetY READ OffsetY WRITE SetOffsetY)
public:
    using TEnabledClass::TEnabledClass;
    int Blur() const { return blur_; }
    void SetBlur(int v);
    int Alpha() const { return alpha_; }
    void SetAlpha(int v);
    TColor Color() const { return color_; }
    void SetColor(TColor v);
    int OffsetX() const { return offsetX_; }
    void SetOffsetX(int v);
    int OffsetY() const { return offsetY_; }
    void SetOffsetY(int v);
    void Assign(const TNotifyClass& source) override;

private:
    int blur_ = 80;
    int alpha_ = 70;
    TColor color_ = TColor(0x444444);
    int offsetX_ = 2;
    int offsetY_ = 2;
};

class TSmoothGradual : public TEnabledClass {
    Q_OBJECT
    Q_PROPERTY(TSmoothTypes::TGradualStyle Style READ Style WRITE SetStyle)
    Q_PROPERTY(TColor StartColor READ StartColor WRITE SetStartColor)
    Q_PROPERTY(TColor EndColor READ EndColor WRITE SetEndColor)
public:
    using TEnabledClass::TEnabledClass;
    TSmoothTypes::TGradualStyle Style() const { return style_; }
    void SetStyle(TSmoothTypes::TGradualStyle v);
    TColor StartColor() const { return start_; }
    void SetStartColor(TColor v);
    TColor EndColor() const { return end_; }
    void SetEndColor(TColor v);
    void Assign(const TNotifyClass& source) override;

    // The colour of every row (vertical styles) or column (horizontal styles) of a W x H fill.
    std::vector<QRgb> Entries(int width, int height) const;
    // Fills an RGB888 picture with the gradient.
    void Fill(QImage& image) const;

private:
    TSmoothTypes::TGradualStyle style_ = TSmoothTypes::gsLeftToRight;
    TColor start_ = clWhite;
    TColor end_ = clBlack;
};

class TSmoothTexture : public TEnabledClass {
    Q_OBJECT
    Q_PROPERTY(TSmoothTypes::TTextureMode Mode READ Mode WRITE SetMode)
    Q_PROPERTY(QImage Picture READ Picture WRITE SetPicture)
public:
    using TEnabledClass::TEnabledClass;
    TSmoothTypes::TTextureMode Mode() const { return mode_; }
    void SetMode(TSmoothTypes::TTextureMode v);
    QImage Picture() const { return picture_; }
    void SetPicture(const QImage& v);
    void Assign(const TNotifyClass& source) override;

private:
    TSmoothTypes::TTextureMode mode_ = TSmoothTypes::tmTiled;
    QImage picture_;
};

class TSmoothEffect : public TNotifyClass {
    Q_OBJECT
    Q_PROPERTY(TSmoothShadow* Shadow READ Shadow)
    Q_PROPERTY(TSmoothGradual* Gradual READ Gradual)
    Q_PROPERTY(TSmoothTexture* Texture READ Texture)
    Q_PROPERTY(int Alpha READ Alpha WRITE SetAlpha)
    Q_PROPERTY(int Blur READ Blur WRITE SetBlur)
    Q_PROPERTY(int Angle READ Angle WRITE SetAngle)
    Q_PROPERTY(int Noise READ Noise WRITE SetNoise)
    Q_PROPERTY(int Spray READ Spray WRITE SetSpray)
    Q_PROPERTY(bool Outline READ Outline WRITE SetOutline)
    Q_PROPERTY(bool HorzMirror READ HorzMirror WRITE SetHorzMirror)
    Q_PROPERTY(bool VertMirror READ VertMirror WRITE SetVertMirror)
public:
    explicit TSmoothEffect(QObject* parent = nullptr);

    TSmoothShadow* Shadow() const { return shadow_; }
    TSmoothGradual* Gradual() const { return gradual_; }
    TSmoothTexture* Texture() const { return texture_; }
    int Alpha() const { return alpha_; }
    void SetAlpha(int v);
    int Blur() const { return blur_; }
    void SetBlur(int v);
    int Angle() const { return angle_; }
    void SetAngle(int v);
    int Noise() const { return noise_; }
    void SetNoise(int v);
    int Spray() const { return spray_; }
    void SetSpray(int v);
    bool Outline() const { return outline_; }
    void SetOutline(bool v);
    bool HorzMirror() const { return horzMirror_; }
    void SetHorzMirror(bool v);
    bool VertMirror() const { return vertMirror_; }
    void SetVertMirror(bool v);

    // Copies every value (and those of the shadow, gradient and texture), then notifies once.
    void Assign(const TNotifyClass& source) override;
    bool SameAs(const TSmoothEffect& other) const;

    void LoadFromIni(const platform::IniFile& ini, const QString& section);
    void SaveToIni(platform::IniFile& ini, const QString& section) const;

private:
    TSmoothShadow* shadow_;
    TSmoothGradual* gradual_;
    TSmoothTexture* texture_;
    int alpha_ = 100;
    int blur_ = 0;
    int angle_ = 0;
    int noise_ = 0;
    int spray_ = 0;
    bool outline_ = false;
    bool horzMirror_ = false;
    bool vertMirror_ = false;
};

class TSmoothFontEx : public TSmoothFont {
public:
    explicit TSmoothFontEx(TSmoothCanvas* canvas = nullptr);
    ~TSmoothFontEx() override;

    TSmoothEffect* Effect() const { return effect_.get(); }
    // Measured with the effect's angle and shadow offsets.
    QSize TextExtent(const QString& text) override;
    // Draws the text with the whole effect; its box's top-left is (x, y).
    void TextOut(int x, int y, const QString& text);

private:
    void fillFore(const TSmoothMask& mask);

    std::unique_ptr<TSmoothEffect> effect_;
};

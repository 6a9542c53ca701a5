#pragma once
// Container panel with a one-pixel two-colour border, an optional caption and an optional
// transparent face.

#include "widgets/FlatUtils.h"

class TFlatPanel : public TFlatControl {
    Q_OBJECT
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(TColor ColorHighLight READ ColorHighLight WRITE SetColorHighLight)
    Q_PROPERTY(TColor ColorShadow READ ColorShadow WRITE SetColorShadow)
    Q_PROPERTY(TFlatTypes::TAlignment Alignment READ Alignment WRITE SetAlignment)

public:
    explicit TFlatPanel(QWidget* parent = nullptr);

    bool Transparent() const { return transparent_; }
    // Repaints even when the value does not change.
    void SetTransparent(bool value);
    TColor ColorHighLight() const { return colorHighLight_; }
    void SetColorHighLight(TColor value) { SetColors(0, value); }
    TColor ColorShadow() const { return colorShadow_; }
    void SetColorShadow(TColor value) { SetColors(1, value); }
    // 0 ColorHighLight, 1 ColorShadow.
    void SetColors(int index, TColor value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);

    QSize sizeHint() const override { return QSize(185, 41); }

protected:
    void paintEvent(QPaintEvent* ev) override;

private:
    bool transparent_ = false;
    TColor colorHighLight_ = 0x008396A0;
    TColor colorShadow_ = 0x008396A0;
    TAlignment alignment_ = taCenter;
};

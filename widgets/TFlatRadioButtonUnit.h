#pragma once
// Radio button of the flat family: a 10 by 10 circle with a dot; checking one unchecks the
// others of its GroupIndex among its siblings.

#include "widgets/FlatUtils.h"

class TFlatRadioButton : public TFlatToggleControl {
    Q_OBJECT
    Q_PROPERTY(TColor ColorDot READ ColorDot WRITE SetColorDot)
    Q_PROPERTY(TRadioButtonLayout Layout READ Layout WRITE SetLayout)
    Q_PROPERTY(int GroupIndex READ GroupIndex WRITE SetGroupIndex)

public:
    enum TRadioButtonLayout { radioLeft, radioRight };
    Q_ENUM(TRadioButtonLayout)

    explicit TFlatRadioButton(QWidget* parent = nullptr);

    // Checking unchecks the group's other buttons (without their OnClick) and fires OnClick;
    // unchecking fires nothing. The button is a tab stop exactly while checked.
    void SetChecked(bool value) override;
    TColor ColorDot() const { return markColor(); }
    void SetColorDot(TColor value) { SetColors(2, value); }
    TRadioButtonLayout Layout() const { return rightLayout() ? radioRight : radioLeft; }
    void SetLayout(TRadioButtonLayout value) { setRightLayout(value == radioRight); }
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value) { groupIndex_ = value; }
    QRect IndicatorRect() const override;

protected:
    void paintIndicator(QPainter& p) override;
    void releaseToggles(QPoint pos) override;
    void focusInEvent(QFocusEvent* ev) override;
    void mnemonicActivated() override;

private:
    int groupIndex_ = 0;
};

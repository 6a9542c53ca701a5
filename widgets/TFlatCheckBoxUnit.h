#pragma once
// Check box of the flat family: an 11 by 11 square with a tick and a word-wrapped caption.

#include "widgets/FlatUtils.h"

class TFlatCheckBox : public TFlatToggleControl {
    Q_OBJECT
    Q_PROPERTY(TColor ColorCheck READ ColorCheck WRITE SetColorCheck)
    Q_PROPERTY(TCheckBoxLayout Layout READ Layout WRITE SetLayout)

public:
    enum TCheckBoxLayout { checkboxLeft, checkboxRight };
    Q_ENUM(TCheckBoxLayout)

    explicit TFlatCheckBox(QWidget* parent = nullptr);

    // Fires OnClick whenever the value changes, in code as well as by the user.
    void SetChecked(bool value) override;
    TColor ColorCheck() const { return markColor(); }
    void SetColorCheck(TColor value) { SetColors(2, value); }
    TCheckBoxLayout Layout() const { return rightLayout() ? checkboxRight : checkboxLeft; }
    void SetLayout(TCheckBoxLayout value) { setRightLayout(value == checkboxRight); }
    QRect IndicatorRect() const override;

protected:
    void paintIndicator(QPainter& p) override;
    void releaseToggles(QPoint pos) override;
    void keyPressEvent(QKeyEvent* ev) override;
    void mnemonicActivated() override;
};

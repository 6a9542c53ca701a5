#include "widgets/TFlatRadioButtonUnit.h"

#include <QPainter>

TFlatRadioButton::TFlatRadioButton(QWidget* parent) : TFlatToggleControl(parent) {
    setFocusPolicy(Qt::ClickFocus);
}

void TFlatRadioButton::SetChecked(bool value) {
    if (value == Checked())
        return;
    storeChecked(value);
    setFocusPolicy(value ? Qt::StrongFocus : Qt::ClickFocus);
    if (value) {
        if (parentWidget()) {
            const auto siblings =
                parentWidget()->findChildren<TFlatRadioButton*>(Qt::FindDirectChildrenOnly);
            for (TFlatRadioButton* other : siblings) {
                if (other != this && other->groupIndex_ == groupIndex_)
                    other->SetChecked(false);
            }
        }
        Click();
    }
    update();
}

QRect TFlatRadioButton::IndicatorRect() const {
    return rightLayout() ? QRect(width() - 11, 3, 10, 10) : QRect(1, 3, 10, 10);
}

void TFlatRadioButton::paintIndicator(QPainter& p) {
    const QRect r = IndicatorRect();
    gdi::Ellipse(p, r, ColorBorder(), indicatorFill());
    if (Checked()) {
        const TColor dot = isEnabled() ? markColor() : clBtnShadow;
        gdi::Ellipse(p, QRect(r.left() + 3, r.top() + 3, 4, 4), dot, dot);
    }
}

void TFlatRadioButton::releaseToggles(QPoint pos) {
    const bool inside = pos.x() >= 0 && pos.x() <= width() && pos.y() >= 0 && pos.y() <= height();
    if (inside && !Checked())
        SetChecked(true);
}

void TFlatRadioButton::focusInEvent(QFocusEvent* ev) {
    TFlatToggleControl::focusInEvent(ev);
    if (pressing_ && mouseInside_)
        SetChecked(true);
}

void TFlatRadioButton::mnemonicActivated() {
    if (isEnabled())
        setFocus(Qt::ShortcutFocusReason);
}

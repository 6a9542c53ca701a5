#include "widgets/TFlatCheckBoxUnit.h"

#include <QKeyEvent>
#include <QPainter>

TFlatCheckBox::TFlatCheckBox(QWidget* parent) : TFlatToggleControl(parent) {
    setFocusPolicy(Qt::StrongFocus);
}

void TFlatCheckBox::SetChecked(bool value) {
    if (value == Checked())
        return;
    storeChecked(value);
    Click();
    update();
}

QRect TFlatCheckBox::IndicatorRect() const {
    return rightLayout() ? QRect(width() - 12, 3, 11, 11) : QRect(1, 3, 11, 11);
}

void TFlatCheckBox::paintIndicator(QPainter& p) {
    const QRect r = IndicatorRect();
    gdi::FillRect(p, r, indicatorFill());
    if (Checked()) {
        const TColor pen = isEnabled() ? markColor() : clBtnShadow;
        const int l = r.left(), t = r.top();
        gdi::Line(p, {l + 2, t + 4}, {l + 6, t + 8}, pen);
        gdi::Line(p, {l + 2, t + 5}, {l + 5, t + 8}, pen);
        gdi::Line(p, {l + 2, t + 6}, {l + 5, t + 9}, pen);
        gdi::Line(p, {l + 8, t + 2}, {l + 4, t + 6}, pen);
        gdi::Line(p, {l + 8, t + 3}, {l + 4, t + 7}, pen);
        gdi::Line(p, {l + 8, t + 4}, {l + 5, t + 7}, pen);
    }
    gdi::FrameRect(p, r, ColorBorder());
}

void TFlatCheckBox::releaseToggles(QPoint) {
    // The flag stays set while pressing, so a release off the control still toggles.
    if (mouseInside_)
        SetChecked(!Checked());
}

void TFlatCheckBox::keyPressEvent(QKeyEvent* ev) {
    // The key events fire for Space too; then it toggles the box.
    TFlatToggleControl::keyPressEvent(ev);
    if (ev->key() == Qt::Key_Space) {
        SetChecked(!Checked());
        ev->accept();
    }
}

void TFlatCheckBox::mnemonicActivated() {
    if (!isEnabled() || focusPolicy() == Qt::NoFocus)
        return;
    setFocus(Qt::ShortcutFocusReason);
    SetChecked(!Checked());
}

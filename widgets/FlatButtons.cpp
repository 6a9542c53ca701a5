#include "widgets/FlatButtons.h"

#include <QDialog>
#include <QKeyEvent>
#include <QPainter>
#include <QShortcut>

TFlatButton::TFlatButton(QWidget* parent) : TFlatFaceColorControl(parent, 0x00E1EAEB) {
    resize(25, 25);
    setFocusPolicy(Qt::ClickFocus);
    updateOpaque();
}

TFlatButton::~TFlatButton() = default;

void TFlatButton::updateOpaque() {
    SetOpaqueFace(this, transparentMode_ == tmNone);
}

void TFlatButton::SetTransparentMode(TTransparentMode value) {
    transparentMode_ = value;
    updateOpaque();
}

void TFlatButton::SetDefault(bool value) {
    default_ = value;
    // The form learns that its default button may have changed, with its focused control.
    if (QWidget* form = window(); form && form != this)
        NotifyFocusChanged(form);
    update();
}

void TFlatButton::SetAllowAllUp(bool value) {
    if (value == allowAllUp_)
        return;
    allowAllUp_ = value;
    announceToGroup();
}

void TFlatButton::SetColors(int index, TColor value) {
    switch (index) {
    case 0:
        SetColorFocused(value);
        return;
    case 1:
        SetColorDown(value);
        return;
    case 2:
        SetColorBorder(value);
        return;
    case 3:
        colorHighLight_ = value;
        break;
    case 4:
        colorShadow_ = value;
        break;
    default:
        break;
    }
    update();
}

void TFlatButton::SetGroupIndex(int value) {
    if (value == groupIndex_)
        return;
    groupIndex_ = value;
    announceToGroup();
}

void TFlatButton::SetDown(bool value) {
    if (groupIndex_ == 0)
        value = false;
    if (value == down_)
        return;
    if (down_ && !allowAllUp_)
        return;
    down_ = value;
    if (value) {
        if (state_ == bsUp)
            update();
        state_ = bsExclusive;
    } else {
        state_ = bsUp;
        repaint();
    }
    if (value)
        announceToGroup();
}

void TFlatButton::announceToGroup() {
    if (groupIndex_ == 0 || !parentWidget())
        return;
    const auto siblings = parentWidget()->findChildren<TFlatButton*>(Qt::FindDirectChildrenOnly);
    for (TFlatButton* b : siblings) {
        if (b != this)
            b->groupButtonPressed(groupIndex_, this);
    }
}

void TFlatButton::groupButtonPressed(int groupIndex, TFlatButton* sender) {
    if (groupIndex != groupIndex_)
        return;
    if (sender->down_ && down_) {
        down_ = false;
        state_ = bsUp;
        repaint();
    }
    allowAllUp_ = sender->allowAllUp_;
}

void TFlatButton::SetGlyph(const QImage& value) {
    glyph_ = value.copy();
    if (!glyph_.isNull() && glyph_.height() > 0 && glyph_.width() % glyph_.height() == 0) {
        int n = glyph_.width() / glyph_.height();
        if (n > 4)
            n = 1;
        numGlyphs_ = n;
    }
    update();
}

void TFlatButton::SetNumGlyphs(int value) {
    value = qBound(1, value, 4);
    if (value == numGlyphs_)
        return;
    numGlyphs_ = value;
    update();
}

void TFlatButton::SetLayout(TButtonLayout value) {
    if (value == layout_)
        return;
    layout_ = value;
    update();
}

void TFlatButton::SetMargin(int value) {
    if (value == margin_ || value < -1)
        return;
    margin_ = value;
    update();
}

void TFlatButton::SetSpacing(int value) {
    if (value == spacing_)
        return;
    spacing_ = value;
    update();
}

void TFlatButton::Click() {
    QWidget* form = window();
    if (!form || form == this) {
        TFlatControl::Click();
        return;
    }
    // Every form takes the button's result; the click handler may still change it, and a
    // dialog closes with it when it is not 0.
    form->setProperty("ModalResult", modalResult_);
    TFlatControl::Click();
    if (auto* dlg = qobject_cast<QDialog*>(form)) {
        const int result = dlg->property("ModalResult").toInt();
        if (result != 0)
            dlg->done(result);
    }
}

void TFlatButton::DblClick() {
    if (down_)
        TFlatControl::DblClick();
}

void TFlatButton::CaptionChanged() {
    updateShortcut();
    update();
}

void TFlatButton::updateShortcut() {
    ReplaceMnemonicShortcut(this, shortcut_, Caption(), [this] {
        if (!isEnabled())
            return;
        if (groupIndex_ != 0)
            SetDown(true);
        Click();
    });
}

bool TFlatButton::insideForRelease(QPoint pos) const {
    // One pixel below the last row still counts as inside.
    return pos.x() >= 0 && pos.x() < width() && pos.y() >= 0 && pos.y() <= height();
}

void TFlatButton::mousePressEvent(QMouseEvent* ev) {
    TFlatControl::mousePressEvent(ev);
    if (ev->button() != Qt::LeftButton || !isEnabled())
        return;
    if (!down_) {
        state_ = bsDown;
        update();
    }
    pressing_ = true;
    setFocus(Qt::MouseFocusReason);
}

void TFlatButton::mouseMoveEvent(QMouseEvent* ev) {
    TFlatControl::mouseMoveEvent(ev);
    const QPoint pos = ev->position().toPoint();
    // Any move over the button lights it, not only the entering one: the window may have
    // become active, or the focus gone, while the mouse rested inside.
    if (!mouseInside_ && rect().contains(pos) && HoverAllowed())
        mouseEnterProcessing();
    if (!pressing_)
        return;
    TButtonState next = down_ ? bsExclusive : bsUp;
    if (insideForRelease(pos))
        next = down_ ? bsExclusive : bsDown;
    if (next != state_) {
        state_ = next;
        update();
    }
}

void TFlatButton::mouseReleaseEvent(QMouseEvent* ev) {
    TFlatControl::mouseReleaseEvent(ev);
    if (!pressing_)
        return;
    pressing_ = false;
    const QPoint pos = ev->position().toPoint();
    const bool inside = insideForRelease(pos);
    if (groupIndex_ == 0) {
        state_ = bsUp;
        mouseInside_ = false;
        if (inside)
            update();
    } else if (inside) {
        SetDown(!down_);
        if (down_)
            repaint();
    } else {
        if (down_)
            state_ = bsExclusive;
        repaint();
    }
    if (inside)
        Click();
    else
        mouseLeaveProcessing();
    recheckMouse(pos);
}

void TFlatButton::recheckMouse(QPoint pos) {
    if (!isEnabled())
        return;
    if (rect().contains(pos) && underMouse())
        mouseEnterProcessing();
    else
        mouseLeaveProcessing();
}

void TFlatButton::mouseEnterProcessing() {
    if (!isEnabled() || mouseInside_)
        return;
    mouseInside_ = true;
    update();
}

void TFlatButton::mouseLeaveProcessing() {
    if (!isEnabled() || !mouseInside_ || pressing_)
        return;
    mouseInside_ = false;
    update();
}

void TFlatButton::enterEvent(QEnterEvent* ev) {
    TFlatControl::enterEvent(ev);
    if (HoverAllowed())
        mouseEnterProcessing();
    emit OnMouseEnter();
}

void TFlatButton::leaveEvent(QEvent* ev) {
    TFlatControl::leaveEvent(ev);
    mouseLeaveProcessing();
    emit OnMouseLeave();
}

void TFlatButton::WindowActivated() {
    if (underMouse())
        mouseEnterProcessing();
}

void TFlatButton::focusInEvent(QFocusEvent* ev) {
    TFlatControl::focusInEvent(ev);
    if (isEnabled()) {
        mouseInside_ = true;
        update();
    }
}

void TFlatButton::focusOutEvent(QFocusEvent* ev) {
    TFlatControl::focusOutEvent(ev);
    mouseLeaveProcessing();
}

void TFlatButton::keyPressEvent(QKeyEvent* ev) {
    if (ev->key() == Qt::Key_Space && !ev->isAutoRepeat()) {
        if (groupIndex_ != 0)
            SetDown(true);
        else
            state_ = bsDown;
        update();
    }
    // Other keys stop here, as they did on the original button.
    ev->accept();
}

void TFlatButton::keyReleaseEvent(QKeyEvent* ev) {
    ev->accept();
    if (ev->key() != Qt::Key_Space || ev->isAutoRepeat())
        return;
    if (groupIndex_ != 0)
        SetDown(false);
    else
        state_ = bsUp;
    Click();
    update();
}

void TFlatButton::changeEvent(QEvent* ev) {
    TFlatControl::changeEvent(ev);
    if (ev->type() != QEvent::EnabledChange)
        return;
    if (!isEnabled()) {
        mouseInside_ = false;
        pressing_ = false;
        state_ = bsDisabled;
    } else if (state_ == bsDisabled) {
        state_ = down_ && groupIndex_ != 0 ? bsExclusive : bsUp;
        if (underMouse())
            mouseEnterProcessing();
    }
    update();
}

TGlyphLayout TFlatButton::CurrentLayout() const {
    const QPoint offset = state_ == bsDown || state_ == bsExclusive ? QPoint(1, 1) : QPoint(0, 0);
    return LayoutGlyphAndCaption(QFontMetrics(font()), rect(), offset, Caption(), numGlyphs_,
                                 glyph_.isNull() ? QSize() : glyph_.size(), margin_, spacing_,
                                 layout_);
}

QImage TFlatButton::glyphImageForState() const {
    const int w = glyph_.width() / numGlyphs_;
    const int h = glyph_.height();
    int index = 0; // image of the strip
    switch (numGlyphs_) {
    case 2:
        index = state_ == bsDisabled ? 1 : 0;
        break;
    case 3:
        index = state_ == bsDisabled ? 1 : (state_ == bsDown || state_ == bsExclusive ? 2 : 0);
        break;
    case 4:
        index = state_ == bsDisabled ? 1 : state_ == bsDown ? 2 : state_ == bsExclusive ? 3 : 0;
        break;
    default:
        break;
    }
    QImage slice = glyph_.copy(index * w, 0, w, h).convertToFormat(QImage::Format_RGB32);
    // The whole strip's bottom-left pixel marks the transparent colour of every image; the
    // made disabled image has its own.
    QRgb transparent = glyph_.pixel(0, h - 1) | 0xFF000000u;
    if (numGlyphs_ == 1 && state_ == bsDisabled) {
        slice = MakeDisabledGlyph(slice, clBlack, clBtnFace, true, clBtnShadow, clBtnHighlight);
        transparent = slice.pixel(0, h - 1) | 0xFF000000u;
    }
    QImage masked = slice.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(masked.scanLine(y));
        for (int x = 0; x < w; ++x) {
            if ((line[x] | 0xFF000000u) == transparent)
                line[x] = 0;
        }
    }
    return masked;
}

void TFlatButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setFont(font());
    const QRect client = rect();
    const TGlyphLayout lay = CurrentLayout();

    TColor face = Color();
    switch (state_) {
    case bsUp:
        face = mouseInside_ ? ColorFocused() : Color();
        break;
    case bsDisabled:
        face = Color();
        break;
    case bsDown:
        face = ColorDown();
        break;
    case bsExclusive:
        face = mouseInside_ ? ColorFocused() : ColorDown();
        break;
    }
    if (transparentMode_ == tmNone || (transparentMode_ == tmNotFocused && mouseInside_))
        gdi::FillRect(p, client, face);

    if (state_ == bsUp && mouseInside_)
        DrawFrameRings(p, client, colorHighLight_, 1, colorShadow_);
    else if (state_ == bsUp && default_)
        DrawFrameRings(p, client, ColorBorder(), 2, ColorBorder());
    else if (state_ == bsUp || state_ == bsDisabled)
        DrawFrameRings(p, client, ColorBorder(), 1, ColorBorder());
    else
        DrawFrameRings(p, client, colorShadow_, 1, colorHighLight_);

    if (!glyph_.isNull() && glyph_.width() >= numGlyphs_)
        p.drawImage(lay.GlyphPos, glyphImageForState());

    const int flags =
        Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
    if (state_ == bsDisabled)
        DrawEmbossedCaption(p, lay.TextBounds, flags, Caption());
    else
        DrawCaption(p, lay.TextBounds, flags, Caption(), FontColor());
}

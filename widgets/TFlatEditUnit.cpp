#include "widgets/TFlatEditUnit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>

TCustomFlatEdit::TCustomFlatEdit(QWidget* parent)
    : QLineEdit(parent), dragDock_(new TDragDock(this)) {
    RegisterFlatTypes();
    setFrame(false);
    setTextMargins(0, 0, 0, 0);
    setContentsMargins(3, 3, 3, 3);
    setMouseTracking(true);
    resize(121, 19);
    connect(this, &QLineEdit::textChanged, this, &TCustomFlatEdit::OnChange);
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (charCase_ == ecNormal)
            return;
        const QString cased = charCase_ == ecUpperCase ? text.toUpper() : text.toLower();
        if (cased != text) {
            const int pos = cursorPosition();
            setText(cased);
            setCursorPosition(pos);
        }
    });
    if (parent)
        parentColorChanged();
    redrawFrame();
}

bool TCustomFlatEdit::Lit() const {
    if (hasFocus())
        return true;
    return mouseInside_ && !qobject_cast<TCustomFlatEdit*>(QApplication::focusWidget());
}

void TCustomFlatEdit::redrawFrame() {
    QPalette pal = palette();
    pal.setColor(QPalette::Base, toQColor(Color()));
    pal.setColor(QPalette::Window, toQColor(Color()));
    // With HideSelection the selection shows only while the edit has the focus.
    const bool hide = hideSelection_ && !hasFocus();
    const QPalette normal = QApplication::palette(this);
    pal.setColor(QPalette::Highlight, hide ? toQColor(Color()) : normal.color(QPalette::Highlight));
    pal.setColor(QPalette::HighlightedText,
                 hide ? pal.color(QPalette::Text) : normal.color(QPalette::HighlightedText));
    setPalette(pal);
    update();
}

void TCustomFlatEdit::SetHideSelection(bool value) {
    hideSelection_ = value;
    redrawFrame();
}

void TCustomFlatEdit::paintEvent(QPaintEvent* ev) {
    {
        QPainter p(this);
        gdi::FillRect(p, rect(), Color());
    }
    QLineEdit::paintEvent(ev);
    QPainter p(this);
    DrawFrameRings(p, rect(), colorBorder_, 1, colorBorder_);
    DrawFrameRings(p, rect().adjusted(1, 1, -1, -1), Color(), 2, Color());
}

void TCustomFlatEdit::SetColors(int index, TColor value) {
    switch (index) {
    case 0:
        colorFocused_ = value;
        break;
    case 1:
        colorBorder_ = value;
        break;
    case 2:
        colorFlat_ = value;
        parentColor_ = false;
        break;
    default:
        break;
    }
    redrawFrame();
}

void TCustomFlatEdit::SetParentColor(bool value) {
    if (value == parentColor_)
        return;
    parentColor_ = value;
    if (value && parentWidget()) {
        colorFlat_ = colorOf(parentWidget());
        redrawFrame();
    }
}

void TCustomFlatEdit::SetAdvColors(int index, TAdvColors value) {
    if (index == 0)
        advColorFocused_ = value;
    else if (index == 1)
        advColorBorder_ = value;
    if (useAdvColors_) {
        calcAdvColors();
        redrawFrame();
    }
}

void TCustomFlatEdit::SetUseAdvColors(bool value) {
    if (value == useAdvColors_)
        return;
    useAdvColors_ = value;
    SetParentColor(value);
    calcAdvColors();
    redrawFrame();
}

void TCustomFlatEdit::calcAdvColors() {
    if (!useAdvColors_)
        return;
    colorFocused_ = AdjustColorLightness(colorFlat_, colorFocused_, advColorFocused_, false);
    colorBorder_ = AdjustColorLightness(colorFlat_, colorBorder_, advColorBorder_, true);
}

void TCustomFlatEdit::parentColorChanged() {
    if (!parentWidget())
        return;
    if (useAdvColors_) {
        colorFlat_ = colorOf(parentWidget());
        calcAdvColors();
    } else if (parentColor_) {
        colorFlat_ = colorOf(parentWidget());
    }
    redrawFrame();
}

void TCustomFlatEdit::SetCharCase(TEditCharCase value) {
    charCase_ = value;
    if (value == ecUpperCase)
        setText(text().toUpper());
    else if (value == ecLowerCase)
        setText(text().toLower());
}

void TCustomFlatEdit::SetPasswordChar(QChar value) {
    passwordChar_ = value;
    setEchoMode(value.isNull() ? QLineEdit::Normal : QLineEdit::Password);
}

TColor TCustomFlatEdit::FontColor() const {
    return fromQColor(palette().color(QPalette::Text));
}

void TCustomFlatEdit::SetFontColor(TColor value) {
    QPalette pal = palette();
    pal.setColor(QPalette::Text, toQColor(value));
    setPalette(pal);
}

void TCustomFlatEdit::Loaded() {
    loaded_ = true;
    fitHeight();
}

void TCustomFlatEdit::fitHeight() {
    resize(width(), QFontMetrics(font()).height() + 6);
}

void TCustomFlatEdit::enterEvent(QEnterEvent* ev) {
    QLineEdit::enterEvent(ev);
    if (HoverAllowed()) {
        mouseInside_ = true;
        redrawFrame();
    }
}

void TCustomFlatEdit::leaveEvent(QEvent* ev) {
    QLineEdit::leaveEvent(ev);
    mouseInside_ = false;
    redrawFrame();
}

void TCustomFlatEdit::focusInEvent(QFocusEvent* ev) {
    QLineEdit::focusInEvent(ev);
    emit OnEnter();
    redrawFrame();
}

void TCustomFlatEdit::focusOutEvent(QFocusEvent* ev) {
    QLineEdit::focusOutEvent(ev);
    emit OnExit();
    redrawFrame();
}

void TCustomFlatEdit::keyPressEvent(QKeyEvent* ev) {
    emit OnKeyDown(ev->key(), ev->modifiers());
    if (!ev->text().isEmpty())
        emit OnKeyPress(ev->text().at(0));
    QLineEdit::keyPressEvent(ev);
}

void TCustomFlatEdit::keyReleaseEvent(QKeyEvent* ev) {
    emit OnKeyUp(ev->key(), ev->modifiers());
    QLineEdit::keyReleaseEvent(ev);
}

void TCustomFlatEdit::mousePressEvent(QMouseEvent* ev) {
    if (ev->button() == Qt::LeftButton)
        clicked_ = true;
    emit OnMouseDown(ev->button(), ev->modifiers(), ev->position().toPoint().x(),
                     ev->position().toPoint().y());
    QLineEdit::mousePressEvent(ev);
}

void TCustomFlatEdit::mouseMoveEvent(QMouseEvent* ev) {
    // Any move over the edit counts as the mouse being inside, not only the entering one:
    // the window may have become active while the mouse rested on it.
    if (!mouseInside_ && rect().contains(ev->position().toPoint()) && HoverAllowed()) {
        mouseInside_ = true;
        redrawFrame();
    }
    emit OnMouseMove(ev->modifiers(), ev->position().toPoint().x(), ev->position().toPoint().y());
    QLineEdit::mouseMoveEvent(ev);
}

void TCustomFlatEdit::mouseReleaseEvent(QMouseEvent* ev) {
    if (ev->button() == Qt::LeftButton && clicked_) {
        clicked_ = false;
        if (rect().contains(ev->position().toPoint()))
            emit OnClick();
    }
    emit OnMouseUp(ev->button(), ev->modifiers(), ev->position().toPoint().x(),
                   ev->position().toPoint().y());
    QLineEdit::mouseReleaseEvent(ev);
}

void TCustomFlatEdit::mouseDoubleClickEvent(QMouseEvent* ev) {
    emit OnDblClick();
    QLineEdit::mouseDoubleClickEvent(ev);
}

bool TCustomFlatEdit::event(QEvent* ev) {
    // A form that never called Loaded has set its properties by the time the edit is first
    // polished (before it is shown): the height follows the font from then on.
    if (ev->type() == QEvent::Polish && !loaded_)
        Loaded();
    // A window made active under a resting mouse lights the edit below it.
    if (ev->type() == QEvent::WindowActivate && !mouseInside_ && underMouse()) {
        mouseInside_ = true;
        redrawFrame();
    }
    if (ev->type() == ParentColorChangedEventType()) {
        parentColorChanged();
        return true;
    }
    return QLineEdit::event(ev);
}

void TCustomFlatEdit::changeEvent(QEvent* ev) {
    QLineEdit::changeEvent(ev);
    switch (ev->type()) {
    case QEvent::FontChange:
        fitHeight();
        break;
    case QEvent::EnabledChange:
        redrawFrame();
        break;
    case QEvent::ApplicationPaletteChange:
    case QEvent::PaletteChange:
    case QEvent::ParentChange:
        parentColorChanged();
        break;
    default:
        break;
    }
}

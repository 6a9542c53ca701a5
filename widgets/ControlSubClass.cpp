#include "widgets/ControlSubClass.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

namespace {

constexpr int kKeepOwnLook = 999;
constexpr int kPlainFlat = 1234567890;
// The system's scroll-thumb size: the check and radio box, and the combo's button less one.
constexpr int kScrollThumb = 16;

int tagOf(const QObject* o) {
    const QVariant v = o ? o->property("Tag") : QVariant();
    return v.isValid() ? v.toInt() : 0;
}

bool isPanel(const QWidget* w) {
    return w->metaObject() == &QFrame::staticMetaObject || w->inherits("TFlatPanel");
}

QRect ltrb(int l, int t, int r, int b) {
    return QRect(l, t, r - l, b - t);
}

void roundRect(QPainter& p, const QRect& r, int arc, TColor pen, const QColor& brush) {
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(toQColor(pen));
    p.setBrush(brush.isValid() ? QBrush(brush) : Qt::NoBrush);
    p.drawRoundedRect(r.adjusted(0, 0, -1, -1), arc / 2.0, arc / 2.0);
}

} // namespace

bool TControlSubClass::Qualifies(const QWidget* control, const QWidget* form,
                                 TThemedTypes::TThemedControls controls,
                                 TThemedTypes::TThemedContainers containers, TControlKind* kind) {
    using T = TThemedTypes;
    if (!control || !form || control == form)
        return false;
    const QWidget* parent = control->parentWidget();
    if (!parent || tagOf(control) == kKeepOwnLook || tagOf(parent) == kKeepOwnLook)
        return false;
    TControlKind k;
    T::TThemedControl member;
    if (qobject_cast<const QComboBox*>(control)) {
        k = ckCombo;
        member = T::xcCombo;
    } else if (auto* edit = qobject_cast<const QLineEdit*>(control)) {
        k = ckEdit;
        member = edit->inputMask().isEmpty() ? T::xcEdit : T::xcMaskEdit;
    } else if (qobject_cast<const QCheckBox*>(control)) {
        k = ckCheckBox;
        member = T::xcCheckBox;
    } else if (qobject_cast<const QRadioButton*>(control)) {
        k = ckRadioButton;
        member = T::xcRadioButton;
    } else if (qobject_cast<const QPushButton*>(control) || control->inherits("TUpDown")) {
        k = ckButton;
        member = T::xcButton;
    } else if (qobject_cast<const QGroupBox*>(control)) {
        k = ckGroupBox;
        member = T::xcGroupBox;
    } else if (isPanel(control)) {
        k = ckPanel;
        member = T::xcPanel;
    } else {
        return false;
    }
    if (!(controls & member))
        return false;
    T::TThemedContainer container;
    if (parent == form || parent->isWindow())
        container = T::xccForm;
    else if (qobject_cast<const QGroupBox*>(parent))
        container = T::xccGroupBox;
    else if (isPanel(parent))
        container = T::xccPanel;
    else
        return false;
    if (!(containers & container))
        return false;
    if (kind)
        *kind = k;
    return true;
}

TControlSubClass::TControlSubClass(TThemedControlLook* owner, QWidget* control, TControlKind kind)
    : QObject(owner), owner_(owner), control_(control), kind_(kind) {
    control->installEventFilter(this);
    control->setAttribute(Qt::WA_Hover);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        // The painter draws the edit's one-pixel frame itself.
        savedFrame_ = edit->hasFrame();
        edit->setFrame(false);
    }
    if (auto* combo = qobject_cast<QComboBox*>(control)) {
        // The list holds the mouse while it is open: the combo hears neither the release of the
        // press that opened it nor the mouse leaving, so the list's window is watched too.
        list_ = combo->view()->window();
        list_->installEventFilter(this);
    }
    if (auto* check = qobject_cast<QAbstractButton*>(control))
        connect(check, &QAbstractButton::toggled, this, [this] {
            hot_ = false;
            requestPaint();
        });
    connect(control, &QObject::destroyed, this, &QObject::deleteLater);
}

TControlSubClass::~TControlSubClass() {
    if (!control_)
        return;
    control_->removeEventFilter(this);
    if (list_)
        list_->removeEventFilter(this);
    if (auto* edit = qobject_cast<QLineEdit*>(control_.data()))
        edit->setFrame(savedFrame_);
    control_->update();
}

bool TControlSubClass::xpStyle() const {
    return owner_ && owner_->ControlUseTrueXPStyle() && tagOf(control_) != kPlainFlat;
}

TColor TControlSubClass::parentColor() const {
    return colorOf(control_->parentWidget() ? control_->parentWidget() : control_.data());
}

void TControlSubClass::requestPaint() {
    ++paintCount_;
    if (control_)
        control_->update();
}

bool TControlSubClass::eventFilter(QObject* watched, QEvent* ev) {
    if (watched == list_ && list_ && owner_ && control_) {
        if (ev->type() == QEvent::Show || ev->type() == QEvent::Hide) {
            // The press went on to the list; once it closes, the mouse is where it is now.
            buttonDown_ = false;
            if (ev->type() == QEvent::Hide)
                hot_ = control_->isEnabled() && HoverAllowed() &&
                       control_->rect().contains(control_->mapFromGlobal(QCursor::pos()));
            requestPaint();
        }
        return false;
    }
    if (watched != control_ || !owner_)
        return false;
    switch (ev->type()) {
    case QEvent::Paint: {
        if (painting_)
            return false;
        // The control draws itself first; the flat look goes over it.
        painting_ = true;
        static_cast<QObject*>(control_.data())->event(ev);
        if (tagOf(control_) >= 0) {
            QPainter p(control_);
            Paint(p);
        }
        painting_ = false;
        return true;
    }
    case QEvent::MouseButtonDblClick:
        // Only buttons and check boxes take a double click as a second press.
        if (kind_ != ckButton && kind_ != ckCheckBox)
            break;
        [[fallthrough]];
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent*>(ev)->button() == Qt::LeftButton) {
            buttonDown_ = true;
            requestPaint();
        }
        break;
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(ev)->button() == Qt::LeftButton) {
            buttonDown_ = false;
            requestPaint();
        }
        break;
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(ev);
        if (key->key() == Qt::Key_Space) {
            if (key->isAutoRepeat())
                spaceRepeat_ = true;
            if (!spaceDown_) {
                spaceDown_ = true;
                requestPaint();
            }
        }
        break;
    }
    case QEvent::KeyRelease: {
        auto* key = static_cast<QKeyEvent*>(ev);
        if (key->key() == Qt::Key_Space && !key->isAutoRepeat()) {
            spaceDown_ = false;
            spaceRepeat_ = false;
            requestPaint();
        }
        break;
    }
    case QEvent::FocusIn:
        // Focus coming back from the combo's own list is no new focus.
        if (static_cast<QFocusEvent*>(ev)->reason() != Qt::PopupFocusReason || !list_)
            hot_ = true;
        requestPaint();
        break;
    case QEvent::FocusOut:
        // The mouse may still be over the control: then it stays lit.
        if (static_cast<QFocusEvent*>(ev)->reason() != Qt::PopupFocusReason || !list_)
            hot_ = control_->isEnabled() && control_->underMouse() && HoverAllowed();
        requestPaint();
        break;
    case QEvent::WindowActivate:
    case QEvent::ActivationChange:
        // A window made active under a resting mouse lights the control below it.
        if (control_->isEnabled() && control_->isActiveWindow() && control_->underMouse() &&
            !hot_) {
            hot_ = true;
            requestPaint();
        }
        break;
    case QEvent::Enter:
    case QEvent::Leave:
        if (control_->isEnabled()) {
            hot_ = ev->type() == QEvent::Enter;
            requestPaint();
        }
        break;
    case QEvent::EnabledChange:
    case QEvent::PaletteChange:
    case QEvent::FontChange:
        requestPaint();
        break;
    default:
        break;
    }
    return false;
}

void TControlSubClass::Paint(QPainter& p) {
    if (!owner_ || !control_ || tagOf(control_) < 0)
        return;
    focused_ = control_->hasFocus();
    const TThemedColors c = owner_->SetupColors(control_);
    if (xpStyle())
        setControlColour(owner_->BtnSurfaceNormalColor());
    p.setRenderHint(QPainter::Antialiasing, false);
    switch (kind_) {
    case ckEdit:
        paintEdit(p, c);
        break;
    case ckCombo:
        paintCombo(p, c);
        break;
    case ckCheckBox:
        paintCheck(p, c, false);
        break;
    case ckRadioButton:
        paintCheck(p, c, true);
        break;
    case ckButton:
        paintButton(p, c);
        break;
    case ckPanel:
        paintPanel(p);
        break;
    case ckGroupBox:
        paintGroupBox(p);
        break;
    }
}

void TControlSubClass::setControlColour(TColor colour) {
    if (colorOf(control_) == colour)
        return;
    // Flat controls carry their own colour; standard ones take it in their palette.
    if (control_->metaObject()->indexOfProperty("Color") >= 0) {
        control_->setProperty("Color", QVariant::fromValue(colour));
        return;
    }
    QPalette pal = control_->palette();
    pal.setColor(QPalette::Window, toQColor(colour));
    pal.setColor(QPalette::Button, toQColor(colour));
    control_->setPalette(pal);
}

void TControlSubClass::paintEdit(QPainter& p, const TThemedColors& c) {
    TColor frame;
    if (hot_ || focused_)
        frame = TThemedControlLook::Lighten(c.SelectBorder, savedFrame_ ? 60 : 80);
    else
        frame = savedFrame_ ? TThemedControlLook::Darken(parentColor(), 60) : parentColor();
    gdi::FrameRect(p, control_->rect(), frame);
}

void TControlSubClass::paintCombo(QPainter& p, const TThemedColors& c) {
    auto* combo = static_cast<QComboBox*>(control_.data());
    const TThemedControlLook& m = *owner_;
    const bool xp = xpStyle();
    const bool dropped = combo->view() && combo->view()->isVisible();
    const TColor own = colorOf(control_);
    TColor b = own, f = clBtnFace;
    if (hot_) {
        b = c.SelectBorder;
        f = c.SelectFill;
    } else if (focused_) {
        b = TThemedControlLook::Lighten(c.SelectBorder, 60);
        f = c.CheckFill;
    }
    if (dropped) {
        b = c.SelectBorder;
        f = c.CheckFillHot;
    }
    const TColor arrow = (control_->isEnabled() && !dropped) ? clBlack : clWhite;

    const bool rtl = control_->layoutDirection() == Qt::RightToLeft;
    QRect r = control_->rect();
    gdi::FrameRect(p, r, parentColor());
    gdi::Line(p, {r.left() + 1, r.top() + 1}, {r.right(), r.top() + 1}, parentColor());
    r.adjust(1, 2, -1, -2);
    if ((hot_ || focused_) && !xp)
        r.adjust(-1, -1, 1, 1);
    gdi::FrameRect(p, r, own);
    r.setBottom(r.bottom() + 1);
    if (xp)
        gdi::FrameRect(p, r,
                       control_->isEnabled() ? m.BtnOutLineBorderColor()
                                             : m.ControlDisabledBorderColor());
    else
        gdi::FrameRect(p, r, b);

    r.adjust(1, 1, -1, -1);
    const int width = kScrollThumb + 1 + ((hot_ || focused_) && !xp ? 1 : 0);
    const QRect button(rtl ? r.left() : r.right() - width + 1, r.top(), width, r.height());
    if (!xp) {
        gdi::FillRect(p, button, f);
        // The strip in the control's colour on the button's inner side, closed by a line.
        const int inner = rtl ? button.right() + 1 : button.left() - 5;
        gdi::FillRect(p, QRect(inner, r.top(), 5, r.height()), own);
        const int edge = rtl ? button.right() : button.left();
        gdi::Line(p, {edge, r.top()}, {edge, r.bottom() + 1}, b);
        const int x0 = rtl ? control_->rect().left() + 5 : control_->rect().right() + 1 - 10;
        const int t = control_->rect().top() + 10;
        gdi::Line(p, {x0, t}, {x0 + 5, t}, arrow);
        gdi::Line(p, {x0 + 1, t + 1}, {x0 + 4, t + 1}, arrow);
        gdi::Line(p, {x0 + 2, t + 2}, {x0 + 3, t + 2}, arrow);
    } else {
        gdi::FillRect(p, button, m.BtnSurfaceNormalColor());
        TColor face = m.BtnInnerBorderFocusColor();
        if (hot_)
            face = m.ComboboxSurfaceMoveColor();
        if (dropped)
            face = m.ComboDroppedColor();
        if (buttonDown_)
            face = m.BtnSurfaceDownColor();
        gdi::FillRect(p, button.adjusted(1, 1, -1, -1), face);
        const int x = button.left() + (button.width() - 8) / 2;
        const int y = button.top() + (button.height() - 4) / 2;
        p.setPen(QPen(toQColor(m.ComboBoxChkColor()), 2));
        const QPoint chevron[] = {{x, y}, {x + 4, y + 4}, {x + 8, y}};
        p.drawPolyline(chevron, 3);
    }
}

void TControlSubClass::paintCheck(QPainter& p, const TThemedColors& c, bool radio) {
    auto* button = static_cast<QAbstractButton*>(control_.data());
    const TThemedControlLook& m = *owner_;
    const bool xp = xpStyle();
    // The box is the system's scroll-thumb size, vertically centred, at the reading side.
    const int top = (button->height() - kScrollThumb) / 2;
    const QRect box(button->isRightToLeft() ? button->width() - kScrollThumb : 0, top, kScrollThumb,
                    kScrollThumb);
    const bool pressed = buttonDown_ && hot_;
    const auto* check = qobject_cast<QCheckBox*>(button);
    const bool grayed = check && check->checkState() == Qt::PartiallyChecked;

    TColor fill = clWindow, pen = clBtnShadow;
    if (hot_ || focused_) {
        fill = c.SelectFill;
        pen = c.SelectBorder;
    }
    if (pressed)
        fill = c.CheckFillHot;
    if (grayed)
        fill = TColor(0xC0C0C0);
    if (xp) {
        fill = pressed ? m.BtnSurfaceDownColor() : m.BtnSurfaceNormalColor();
        pen = button->isEnabled() ? m.BtnOutLineBorderColor() : m.ControlDisabledBorderColor();
    }
    TColor tick = grayed ? TColor(0x808080) : clHighlight;
    if (pressed)
        tick = clWindow;
    if (!button->isEnabled())
        tick = c.Disabled;
    if (xp)
        tick = m.RdoChkControlChkColor();

    if (radio) {
        const QRect circle = box.adjusted(2, 2, -2, -2);
        gdi::Ellipse(p, circle, pen, fill);
        if (xp && hot_) {
            p.setPen(toQColor(m.BtnInnerBorderMoveColor()));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(circle.adjusted(1, 1, -2, -2));
        }
        if (button->isChecked()) {
            const int inset = xp ? 4 : 2;
            const TColor dot =
                xp ? m.RdoChkControlChkColor() : (button->isEnabled() ? clHighlight : c.Disabled);
            gdi::Ellipse(p, circle.adjusted(inset, inset, -inset, -inset), dot, dot);
        }
        return;
    }
    gdi::Rectangle(p, box, pen, fill);
    if (xp && hot_)
        gdi::FrameRect(p, box.adjusted(1, 1, -1, -1), m.BtnInnerBorderMoveColor());
    if (grayed) {
        gdi::FillRect(p, box.adjusted(3, 3, -3, -3), m.RdoChkControlChkColor());
    } else if (button->isChecked()) {
        const int x = box.left(), y = box.y() + box.height();
        for (int up = 0; up < 3; ++up)
            gdi::Polyline(p, {{x + 2, y - 5 - up}, {x + 4, y - 3 - up}, {x + 9, y - 8 - up}}, tick);
    }
}

void TControlSubClass::paintButton(QPainter& p, const TThemedColors& c) {
    auto* button = static_cast<QPushButton*>(control_.data());
    const TThemedControlLook& m = *owner_;
    const int arc = m.BtnRoundArc();
    const QRect r = control_->rect();
    const int L = r.left(), T = r.top(), R = r.x() + r.width(), B = r.y() + r.height();
    const bool pressed = (buttonDown_ && hot_) || spaceDown_ || button->isDown();
    if (!xpStyle()) {
        const bool lit = hot_ || spaceDown_;
        const TColor face = lit ? TThemedControlLook::Lighten(clBtnFace, 60) : c.IconStrip;
        const TColor b =
            (lit || focused_) ? TThemedControlLook::Lighten(c.SelectBorder, 60) : clBtnShadow;
        roundRect(p, r, arc, TThemedControlLook::Lighten(b, 30), toQColor(face));
        const TColor edge = TThemedControlLook::Darken(b, 50);
        if (!pressed)
            gdi::Polyline(p, {{R - 1, T + 1}, {R - 1, B - 2}, {R - 2, B - 1}, {L, B - 1}}, edge);
        else
            gdi::Polyline(p, {{L, B - 2}, {L, T + 1}, {L + 1, T}, {R - 1, T}}, edge);
    } else {
        const TColor outline =
            button->isEnabled() ? m.BtnOutLineBorderColor() : m.ControlDisabledBorderColor();
        roundRect(p, r, arc, outline,
                  toQColor(pressed ? m.BtnSurfaceDownColor() : m.BtnSurfaceNormalColor()));
        gdi::Line(p, {L + arc, B - 3}, {R - arc, B - 3},
                  pressed ? m.BtnSurfaceDownBottomLineColor() : m.BtnSurfaceBottomLineColor());
        auto inner = [&](TColor first, quint32 plus) {
            roundRect(p, ltrb(L + 1, T + 1, R - 1, B - 1), arc / 2, first, QColor());
            roundRect(p, ltrb(L + 1, T + 1, R - 1, B - 2), arc / 2,
                      TColor(ColorToRGB(first).value + plus), QColor());
        };
        if (!pressed && hot_)
            inner(m.BtnInnerBorderMoveColor(), 0x020200);
        else if (!pressed && focused_)
            inner(m.BtnInnerBorderFocusColor(), 0x020202);
    }
    p.setFont(button->font());
    DrawCaption(p, r, Qt::AlignCenter | Qt::TextShowMnemonic | Qt::TextSingleLine, button->text(),
                button->isEnabled() ? fromQColor(button->palette().color(QPalette::ButtonText))
                                    : c.Disabled);
}

void TControlSubClass::paintPanel(QPainter& p) {
    const TColor colour = colorOf(control_);
    const TColor light = TThemedControlLook::Lighten(colour, 60),
                 dark = TThemedControlLook::Darken(colour, 60);
    auto* frame = qobject_cast<QFrame*>(control_.data());
    int width = 1;
    bool raised = true;
    if (frame && frame->metaObject() == &QFrame::staticMetaObject) {
        if (frame->frameShadow() == QFrame::Plain || frame->frameShape() == QFrame::NoFrame)
            return;
        raised = frame->frameShadow() == QFrame::Raised;
        width = std::max(1, frame->lineWidth());
    }
    DrawFrameRings(p, control_->rect(), raised ? light : dark, width, raised ? dark : light);
}

void TControlSubClass::paintGroupBox(QPainter& p) {
    auto* box = static_cast<QGroupBox*>(control_.data());
    const TColor colour = colorOf(control_);
    const TColor light = TThemedControlLook::Lighten(colour, 60),
                 dark = TThemedControlLook::Darken(colour, 60);
    const QFontMetrics fm(box->font());
    const QString title = box->title();
    const int h = fm.height();
    const int w = fm.horizontalAdvance(title.isEmpty() ? QStringLiteral(" ") : title);
    gdi::FillRect(p, control_->rect(), colour);
    const QRect frame = control_->rect().adjusted(0, h / 2 - 1, 0, 0);
    // The 3-D look lights the top-left edge; the flat look draws it dark too.
    DrawFrameRings(p, frame, box->isFlat() ? dark : light, 1, dark);
    const int x = box->layoutDirection() == Qt::RightToLeft ? box->width() - 9 - w : 9;
    gdi::FillRect(p, QRect(x, 0, w, h), colour);
    p.setFont(box->font());
    DrawCaption(p, QRect(x, 0, w, h), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic,
                title, fromQColor(box->palette().color(QPalette::WindowText)));
}

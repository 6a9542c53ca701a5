#include "flashhost/TransparentFlashHostControl.h"

#include <QApplication>
#include <QEvent>
#include <QInputMethod>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

using namespace flashhost;

// Sees every event of the program while the movie has the input method.
class TTransparentFlashHostControl::InputMethodRelay : public QObject {
public:
    explicit InputMethodRelay(TTransparentFlashHostControl* control)
        : QObject(control), control_(control) {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        return control_->forwardInputMethod(watched, event);
    }

private:
    TTransparentFlashHostControl* control_;
};

// Shows, over the player, the picture an OnFlashPaint handler changed: its pixels replace
// the player's (their opacity too); the mouse goes through to the player.
class TTransparentFlashHostControl::PaintedPicture : public QWidget {
public:
    explicit PaintedPicture(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_TranslucentBackground);
        hide();
    }
    // True when the picture changed (and is shown anew).
    bool setPicture(const QImage& picture) {
        if (picture == picture_)
            return false;
        picture_ = picture;
        update();
        return true;
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(0, 0, picture_);
    }

private:
    QImage picture_;
};

TTransparentFlashHostControl::TTransparentFlashHostControl(QWidget* parent)
    : TFlashHostControl(BackendKind::Transparent, parent) {
    forceTransparent_ = true;
    props_.WMode = QStringLiteral("Transparent");
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TranslucentBackground);
    if (parent)
        createPlayer();
}

TTransparentFlashHostControl::~TTransparentFlashHostControl() {
    delete relay_;
    relay_ = nullptr;
    // The form must not stay a borderless translucent window without its movie: it gets
    // its own window back once this control is gone, unless the form is going as well.
    if (makeParentTransparent_)
        QTimer::singleShot(0, window(),
                           [form = window(), saved = saved_] { restoreForm(form, saved); });
}

void TTransparentFlashHostControl::setupPlayerView(QWidget* view) {
    view->setFocusPolicy(Qt::NoFocus);
}

bool TTransparentFlashHostControl::event(QEvent* event) {
    // The player comes with the first parent; a later parent keeps it.
    if (event->type() == QEvent::ParentChange && parentWidget())
        createPlayer();
    if (event->type() == QEvent::Hide)
        setPlayerFocus(false);
    return TFlashHostControl::event(event);
}

void TTransparentFlashHostControl::paintEvent(QPaintEvent*) {
    // Without a player nothing is painted: what lies beneath shows.
    if (!hasPlayer())
        return;
    QPainter canvas(this);
    emit OnDrawBackground(canvas);
}

// Hit testing by the movie's picture ---------------------------------------------------

bool TTransparentFlashHostControl::hitsMovie(const QPoint& at) const {
    if (!hasPlayer() || !rect().contains(at))
        return false;
    // What the player draws at that point, without any background.
    QImage pixel(1, 1, QImage::Format_ARGB32_Premultiplied);
    pixel.fill(Qt::transparent);
    backend()->view()->render(&pixel, QPoint(), QRegion(QRect(at, QSize(1, 1))),
                              QWidget::DrawChildren);
    return qAlpha(pixel.pixel(0, 0)) > 0;
}

QWidget* TTransparentFlashHostControl::widgetBelow(const QPoint& global) {
    QWidget* form = window();
    setAttribute(Qt::WA_TransparentForMouseEvents, true);
    QWidget* below = form->childAt(form->mapFromGlobal(global));
    setAttribute(Qt::WA_TransparentForMouseEvents, false);
    return below ? below : form;
}

bool TTransparentFlashHostControl::passMouseThrough(QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
        type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
        return false;
    auto* me = static_cast<QMouseEvent*>(event);
    const QPoint global = me->globalPosition().toPoint();
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
        // A press on the movie is the player's (the layered form's: all of it).
        if (makeParentTransparent_ || hitsMovie(mapFromGlobal(global))) {
            passTarget_ = nullptr;
            if (me->button() == Qt::LeftButton)
                setPlayerFocus(true);
            return false;
        }
        passTarget_ = widgetBelow(global);
        setPlayerFocus(false);
    }
    if (!passTarget_)
        return false;
    QMouseEvent copy(type, passTarget_->mapFromGlobal(me->globalPosition()), me->globalPosition(),
                     me->button(), me->buttons(), me->modifiers());
    QPointer<QWidget> target = passTarget_;
    if (type == QEvent::MouseButtonRelease && me->buttons() == Qt::NoButton)
        passTarget_ = nullptr;
    QApplication::sendEvent(target, &copy);
    return true;
}

// The input method while the movie has it --------------------------------------------

void TTransparentFlashHostControl::setPlayerFocus(bool on) {
    if (on == playerFocus_)
        return;
    playerFocus_ = on;
    // Meanwhile the input method's text on its way to the form's focused widget goes to
    // the movie; a press elsewhere takes it back.
    if (relay_) {
        qApp->removeEventFilter(relay_);
        relay_->deleteLater(); // it may be the one calling
    }
    relay_ = on ? new InputMethodRelay(this) : nullptr;
    QGuiApplication::inputMethod()->update(Qt::ImEnabled);
}

bool TTransparentFlashHostControl::forwardInputMethod(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (!playerFocus_ || (type != QEvent::InputMethod && type != QEvent::InputMethodQuery &&
                          type != QEvent::MouseButtonPress))
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget == this || isAncestorOf(widget))
        return false;
    if (type == QEvent::MouseButtonPress) {
        setPlayerFocus(false);
        return false;
    }
    if (widget->window() != window())
        return false;
    QApplication::sendEvent(backend()->inputWidget(), event);
    return true;
}

// What the player draws ----------------------------------------------------------------

void TTransparentFlashHostControl::playerPainted(const QRect& dirty) {
    // The view is also painted when this control itself has the form or its own picture
    // redrawn over it: that repaint is no new frame of the movie, and taking it for one would
    // have the handlers called without end.
    const bool echo = !echo_.isEmpty() && echo_.contains(dirty);
    echo_ = QRegion();
    if (echo)
        return;
    QRect rc = dirty;
    const QPointer<TTransparentFlashHostControl> alive(this);
    emit OnUpdateRect(rc);
    if (!alive)
        return;
    if (rc != dirty && parentWidget()) {
        echo_ += rc;
        parentWidget()->update(rc.translated(pos()));
    }
    if (makeParentTransparent_ && !flashPaintPending_ &&
        isSignalConnected(QMetaMethod::fromSignal(&TTransparentFlashHostControl::OnFlashPaint))) {
        // The picture is taken once the player has finished drawing it.
        flashPaintPending_ = true;
        QTimer::singleShot(0, this, &TTransparentFlashHostControl::reportFlashPaint);
    }
}

void TTransparentFlashHostControl::reportFlashPaint() {
    flashPaintPending_ = false;
    if (!makeParentTransparent_ || !hasPlayer())
        return;
    QWidget* view = backend()->view();
    // Grabbing paints the view: that paint is not the player's.
    grabbing_ = true;
    const QImage drawn =
        view->grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    grabbing_ = false;
    QImage shown = drawn;
    const QPointer<TTransparentFlashHostControl> alive(this);
    emit OnFlashPaint(shown);
    if (!alive || !makeParentTransparent_)
        return;
    if (shown == drawn) {
        if (painted_ && painted_->isVisible()) {
            echo_ += painted_->geometry();
            painted_->hide();
        }
        return;
    }
    if (!painted_)
        painted_ = new PaintedPicture(this);
    // The picture is translucent: showing it repaints the view beneath.
    const bool shows = !painted_->isVisible() || painted_->geometry() != view->geometry();
    painted_->setGeometry(view->geometry());
    if (painted_->setPicture(shown) || shows)
        echo_ += view->geometry();
    painted_->show();
    painted_->raise();
}

bool TTransparentFlashHostControl::eventFilter(QObject* watched, QEvent* event) {
    // On a layered form only the movie shows: the form paints nothing of its own.
    if (makeParentTransparent_ && watched == window() && event->type() == QEvent::Paint)
        return true;
    if (hasPlayer() && watched == backend()->inputWidget()) {
        if (event->type() == QEvent::Paint && !grabbing_) {
            auto* widget = static_cast<QWidget*>(watched);
            const QRect dirty = static_cast<QPaintEvent*>(event)->rect();
            // An OnUpdateRect handler may free the control: the paint then goes no further.
            const QPointer<TTransparentFlashHostControl> alive(this);
            playerPainted(dirty.translated(widget->mapTo(this, QPoint(0, 0))));
            if (!alive)
                return true;
        }
        if (passMouseThrough(event))
            return true;
    }
    return TFlashHostControl::eventFilter(watched, event);
}

// The layered form ---------------------------------------------------------------------

void TTransparentFlashHostControl::setPlayerTakesKeys(bool on) {
    if (!hasPlayer())
        return;
    const Qt::FocusPolicy policy = on ? Qt::StrongFocus : Qt::NoFocus;
    backend()->view()->setFocusPolicy(policy);
    backend()->inputWidget()->setFocusPolicy(policy);
    if (on)
        backend()->inputWidget()->setFocus(Qt::OtherFocusReason);
}

// The window system takes per-pixel opacity only from a window made for it: the form
// gives up its window for a moment and gets a new one.
void TTransparentFlashHostControl::renewWindow(QWidget* form, Qt::WindowFlags flags) {
    QWidget* owner = form->parentWidget();
    const QPoint at = form->pos();
    QWidget holder;
    form->setParent(&holder);
    form->setParent(owner, flags);
    form->move(at);
}

void TTransparentFlashHostControl::setMakeParentTransparent(bool on) {
    if (on == makeParentTransparent_ || (on && !IsTransparencySupported()))
        return;
    QWidget* form = window();
    if (form == this)
        return;
    makeParentTransparent_ = on;
    if (on) {
        const bool wasVisible = form->isVisible();
        form->hide();
        saved_ = {
            form->windowFlags(), form->testAttribute(Qt::WA_TranslucentBackground), geometry(), {}};
        form->setAttribute(Qt::WA_TranslucentBackground, true);
        renewWindow(form, saved_.flags | Qt::FramelessWindowHint);
        setGeometry(QRect(QPoint(0, 0), parentWidget()->size()));
        for (QWidget* sibling : parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (sibling != this && !sibling->isHidden()) {
                saved_.hiddenSiblings << sibling;
                sibling->hide();
            }
        form->setVisible(wasVisible);
    } else {
        if (painted_)
            painted_->hide();
        restoreForm(form, saved_);
        saved_.hiddenSiblings.clear();
        setGeometry(saved_.bounds);
    }
    setPlayerTakesKeys(on);
    if (hasPlayer())
        backend()->redraw(); // into the new window
}

void TTransparentFlashHostControl::restoreForm(QWidget* form, const SavedParent& saved) {
    const bool wasVisible = form->isVisible();
    form->hide();
    for (const QPointer<QWidget>& sibling : saved.hiddenSiblings)
        if (sibling)
            sibling->show();
    form->setAttribute(Qt::WA_TranslucentBackground, saved.translucent);
    renewWindow(form, saved.flags);
    form->setVisible(wasVisible);
}

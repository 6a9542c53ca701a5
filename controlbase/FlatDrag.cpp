#include "controlbase/FlatDrag.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QWidget>

TDragDock::TDragDock(QWidget* control) : QObject(control), control_(control) {
    setObjectName(QStringLiteral("TDragDock"));
    control->installEventFilter(this);
    lastSize_ = control->size();
}

TDragDock* TDragDock::Of(const QWidget* w) {
    return w ? w->findChild<TDragDock*>(QStringLiteral("TDragDock"), Qt::FindDirectChildrenOnly)
             : nullptr;
}

void TDragDock::BeginDrag() {
    if (dragging_)
        return;
    dragging_ = true;
    accepted_ = false;
    target_ = nullptr;
    if (kind_ == dkDock)
        emit OnStartDock();
    else
        emit OnStartDrag();
    moveTo(QCursor::pos());
}

bool TDragDock::takesPart(const QWidget* w) const {
    const TDragDock* d = Of(w);
    if (!d || kind_ == dkDrag)
        return d != nullptr;
    if (!d->dockSite_)
        return false;
    bool canDock = true;
    emit const_cast<TDragDock*>(d)->OnGetSiteInfo(control_, &canDock);
    return canDock;
}

void TDragDock::moveTo(QPoint global) {
    lastGlobal_ = global;
    // The nearest control under the mouse that takes part in dragging (docking: a dock site).
    QWidget* over = QApplication::widgetAt(global);
    while (over && !takesPart(over))
        over = over->parentWidget();
    auto tell = [this, global](QWidget* w, TDragState state) {
        const QPoint p = w->mapFromGlobal(global);
        TDragDock* d = Of(w);
        if (kind_ == dkDock) {
            // A dock site takes a dock unless its handler says no.
            bool accept = true;
            emit d->OnDockOver(control_, p.x(), p.y(), state, &accept);
            return accept;
        }
        // A control with a handler accepts unless the handler says no; one without refuses.
        bool accept = d->isSignalConnected(QMetaMethod::fromSignal(&TDragDock::OnDragOver));
        emit d->OnDragOver(control_, p.x(), p.y(), state, &accept);
        return accept;
    };
    if (over != target_) {
        if (target_)
            tell(target_, dsDragLeave);
        target_ = over;
        accepted_ = over && tell(over, dsDragEnter);
    } else if (over) {
        accepted_ = tell(over, dsDragMove);
    }
}

void TDragDock::EndDrag(bool drop) {
    if (!dragging_)
        return;
    dragging_ = false;
    QWidget* target = (drop && accepted_) ? target_.data() : nullptr;
    const QPoint p = target ? target->mapFromGlobal(lastGlobal_) : QPoint();
    if (target && kind_ == dkDrag)
        emit Of(target)->OnDragDrop(control_, p.x(), p.y());
    if (target && kind_ == dkDock)
        emit Of(target)->OnDockDrop(control_, p.x(), p.y());
    if (kind_ == dkDock)
        emit OnEndDock(target, p.x(), p.y());
    else
        emit OnEndDrag(target, p.x(), p.y());
    target_ = nullptr;
    accepted_ = false;
}

void TDragDock::checkResize() {
    if (resizing_ || control_->size() == lastSize_)
        return;
    resizing_ = true;
    int minW = control_->minimumWidth(), minH = control_->minimumHeight();
    int maxW = control_->maximumWidth(), maxH = control_->maximumHeight();
    emit OnConstrainedResize(&minW, &minH, &maxW, &maxH);
    control_->setMinimumSize(minW, minH);
    control_->setMaximumSize(maxW, maxH);
    int w = control_->width(), h = control_->height();
    bool allow = true;
    emit OnCanResize(&w, &h, &allow);
    if (!allow)
        control_->resize(lastSize_);
    else if (QSize(w, h) != control_->size())
        control_->resize(w, h);
    lastSize_ = control_->size();
    resizing_ = false;
}

bool TDragDock::eventFilter(QObject* watched, QEvent* ev) {
    if (watched != control_)
        return false;
    switch (ev->type()) {
    case QEvent::MouseButtonPress: {
        auto* me = static_cast<QMouseEvent*>(ev);
        if (me->button() == Qt::LeftButton && mode_ == dmAutomatic && !dragging_) {
            lastGlobal_ = me->globalPosition().toPoint();
            dragging_ = true;
            accepted_ = false;
            target_ = nullptr;
            if (kind_ == dkDock)
                emit OnStartDock();
            else
                emit OnStartDrag();
            moveTo(lastGlobal_);
            return true; // the press belongs to the drag
        }
        break;
    }
    case QEvent::MouseMove:
        if (dragging_) {
            moveTo(static_cast<QMouseEvent*>(ev)->globalPosition().toPoint());
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        if (dragging_ && static_cast<QMouseEvent*>(ev)->button() == Qt::LeftButton) {
            moveTo(static_cast<QMouseEvent*>(ev)->globalPosition().toPoint());
            EndDrag(true);
            return true;
        }
        break;
    case QEvent::ContextMenu: {
        bool handled = false;
        emit OnContextPopup(static_cast<QContextMenuEvent*>(ev)->pos(), &handled);
        if (handled) {
            ev->accept();
            return true;
        }
        break;
    }
    case QEvent::Resize:
        checkResize();
        break;
    default:
        break;
    }
    return false;
}

// ---------------------------------------------------------------------------------------------

namespace {

TDragDock* dragOf(const QPointer<QWidget>& control) {
    return TDragDock::Of(control);
}

} // namespace

TDragTypes::TDragKind TDrag::DragKind() const {
    const TDragDock* d = dragOf(control_);
    return d ? d->DragKind() : dkDrag;
}
void TDrag::SetDragKind(TDragKind v) {
    if (TDragDock* d = dragOf(control_))
        d->SetDragKind(v);
}
int TDrag::DragCursor() const {
    const TDragDock* d = dragOf(control_);
    return d ? d->DragCursor() : TDragDock::crDrag;
}
void TDrag::SetDragCursor(int v) {
    if (TDragDock* d = dragOf(control_))
        d->SetDragCursor(v);
}
TDragTypes::TDragMode TDrag::DragMode() const {
    const TDragDock* d = dragOf(control_);
    return d ? d->DragMode() : dmManual;
}
void TDrag::SetDragMode(TDragMode v) {
    if (TDragDock* d = dragOf(control_))
        d->SetDragMode(v);
}

bool TParentEffect::ParentColor() const {
    return control_ && control_->property("ParentColor").toBool();
}
void TParentEffect::SetParentColor(bool v) {
    if (control_)
        control_->setProperty("ParentColor", v);
}
bool TParentEffect::ParentFont() const {
    return control_ && !control_->testAttribute(Qt::WA_SetFont);
}
void TParentEffect::SetParentFont(bool v) {
    if (!control_ || v == ParentFont())
        return;
    if (v) {
        control_->setFont(QFont());
        control_->setAttribute(Qt::WA_SetFont, false);
    } else {
        // The font the control shows now becomes its own.
        QFont own = control_->font();
        own.setFamilies(own.families());
        own.setStyleStrategy(own.styleStrategy());
        control_->setFont(own);
    }
}
bool TParentEffect::ParentShowHint() const {
    const TDragDock* d = dragOf(control_);
    return !d || d->ParentShowHint();
}
void TParentEffect::SetParentShowHint(bool v) {
    if (TDragDock* d = dragOf(control_))
        d->SetParentShowHint(v);
}

#include "flashhost/TransparentFlashHostControl.h"

#include <QEvent>

using namespace flashhost;

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
    // The form must not stay a borderless translucent window without its movie.
    setMakeParentTransparent(false);
}

void TTransparentFlashHostControl::setupPlayerView(QWidget* view) {
    view->setFocusPolicy(Qt::NoFocus);
}

bool TTransparentFlashHostControl::event(QEvent* event) {
    // The player comes with the first parent; a later parent keeps it.
    if (event->type() == QEvent::ParentChange && parentWidget())
        createPlayer();
    return TFlashHostControl::event(event);
}

void TTransparentFlashHostControl::setMakeParentTransparent(bool on) {
    if (on == makeParentTransparent_ || !IsTransparencySupported())
        return;
    QWidget* form = window();
    if (form == this)
        return;
    makeParentTransparent_ = on;
    const bool wasVisible = form->isVisible();
    form->hide();
    if (on) {
        saved_ = {
            form->windowFlags(), form->testAttribute(Qt::WA_TranslucentBackground), geometry(), {}};
        form->setWindowFlags(saved_.flags | Qt::FramelessWindowHint);
        form->setAttribute(Qt::WA_TranslucentBackground, true);
        setGeometry(QRect(QPoint(0, 0), parentWidget()->size()));
        for (QWidget* sibling : parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (sibling != this && !sibling->isHidden()) {
                saved_.hiddenSiblings << sibling;
                sibling->hide();
            }
    } else {
        for (const QPointer<QWidget>& sibling : std::as_const(saved_.hiddenSiblings))
            if (sibling)
                sibling->show();
        saved_.hiddenSiblings.clear();
        form->setWindowFlags(saved_.flags);
        form->setAttribute(Qt::WA_TranslucentBackground, saved_.translucent);
        setGeometry(saved_.bounds);
    }
    form->setVisible(wasVisible);
}

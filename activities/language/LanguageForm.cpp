#include "activities/language/LanguageForm.h"

#include "app/FormRegistry.h"

#include <QMouseEvent>

void TLanguageForm::recentreEnglishMenu() {
    if (const FormEntry* menu = FormRegistry::find(QStringLiteral("Tfrmyygj")))
        if (QWidget* w = menu->instance())
            ::recentreHorizontally(w);
}

void TClickLabel::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton)
        emit OnMouseDown();
}

void TClickLabel::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton)
        return;
    if (rect().contains(e->position().toPoint()))
        emit OnClick();
    emit OnMouseUp();
}

void TClickLabel::enterEvent(QEnterEvent*) {
    emit OnMouseEnter();
}

void TClickLabel::leaveEvent(QEvent*) {
    emit OnMouseLeave();
}

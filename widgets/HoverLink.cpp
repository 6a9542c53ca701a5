#include "widgets/HoverLink.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

void setLabelLook(QLabel* label, const QColor& colour, int pixelSize, bool bold, bool underline) {
    QFont f = label->font();
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setUnderline(underline);
    label->setFont(f);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, colour);
    label->setPalette(pal);
}

THoverLink::THoverLink(QLabel* label, int pixelSize, Look rest, Look hover, Look pressed)
    : QObject(label), pixelSize_(pixelSize), rest_(rest), hover_(hover), pressed_(pressed) {
    label->installEventFilter(this);
    show(rest_);
}

QLabel* THoverLink::label() const {
    return static_cast<QLabel*>(parent());
}

void THoverLink::show(const Look& look) {
    setLabelLook(label(), look.colour, pixelSize_, look.bold, look.underline);
}

bool THoverLink::eventFilter(QObject* watched, QEvent* event) {
    if (watched != parent())
        return false;
    QLabel* l = label();
    switch (event->type()) {
    case QEvent::Enter:
        show(hover_);
        break;
    case QEvent::Leave:
        show(rest_);
        break;
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton || sunk_)
            break;
        show(pressed_);
        l->move(l->pos() + QPoint(2, 2));
        sunk_ = true;
        break;
    case QEvent::MouseButtonRelease: {
        auto* me = static_cast<QMouseEvent*>(event);
        if (me->button() != Qt::LeftButton)
            break;
        // Click before mouse up, as everywhere in the program.
        if (l->rect().contains(me->position().toPoint()))
            emit clicked(l);
        if (sunk_) {
            l->move(l->pos() - QPoint(2, 2));
            sunk_ = false;
        }
        break;
    }
    default:
        break;
    }
    return false;
}

#include "activities/puzzles/PuzzleShape.h"

#include <QMouseEvent>
#include <QPainter>

namespace puzzles {

TShape::TShape(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
}

void TShape::setEllipse(bool e) {
    ellipse_ = e;
    update();
}

void TShape::setPenColor(const QColor& c) {
    penColor_ = c;
    update();
}

void TShape::setPenWidth(int w) {
    penWidth_ = std::max(0, w);
    update();
}

void TShape::setPenClear(bool c) {
    penClear_ = c;
    update();
}

void TShape::paintEvent(QPaintEvent*) {
    if (penClear_ || penWidth_ == 0)
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(penColor_, penWidth_));
    p.setBrush(Qt::NoBrush);
    // The pen lies inside the bounds, as the class library drew it.
    const qreal half = penWidth_ / 2.0;
    const QRectF r = QRectF(rect()).adjusted(half, half, -half, -half);
    if (ellipse_)
        p.drawEllipse(r);
    else
        p.drawRect(r);
}

void TShape::mousePressEvent(QMouseEvent* e) {
    emit OnMouseDown(e->button(), e->position().toPoint());
}

void TShape::mouseMoveEvent(QMouseEvent* e) {
    emit OnMouseMove(e->position().toPoint());
}

} // namespace puzzles

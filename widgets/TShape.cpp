#include "widgets/TShape.h"

#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

TShape::TShape(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
}

void TShape::setRounded(bool r) {
    rounded_ = r;
    update();
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
    penWidth_ = std::max(1, w);
    update();
}
void TShape::setPenClear(bool c) {
    penClear_ = c;
    update();
}
void TShape::setPenDashed(bool d) {
    penDashed_ = d;
    update();
}
void TShape::setBrushColor(const QColor& c) {
    brushColor_ = c;
    update();
}
void TShape::setBrushClear(bool c) {
    brushClear_ = c;
    update();
}

void TShape::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal half = penClear_ ? 0 : penWidth_ / 2.0;
    const QRectF r = QRectF(rect()).adjusted(half, half, -half, -half);
    QPainterPath path;
    if (ellipse_) {
        path.addEllipse(r);
    } else if (rounded_) {
        const qreal radius = std::min(r.width(), r.height()) / 4;
        path.addRoundedRect(r, radius, radius);
    } else {
        path.addRect(r);
    }
    if (!brushClear_)
        p.fillPath(path, brushColor_);
    // A pen of no width draws nothing (Qt would draw it one pixel wide).
    if (!penClear_ && penWidth_ > 0) {
        QPen pen(penColor_, penWidth_, penDashed_ ? Qt::DashLine : Qt::SolidLine, Qt::RoundCap,
                 Qt::RoundJoin);
        p.strokePath(path, pen);
    }
}

void TShape::mousePressEvent(QMouseEvent* e) {
    if (!isSignalConnected(QMetaMethod::fromSignal(&TShape::OnMouseDown)))
        return QWidget::mousePressEvent(e);
    emit OnMouseDown(e->button(), e->position().toPoint());
}

void TShape::mouseMoveEvent(QMouseEvent* e) {
    if (!isSignalConnected(QMetaMethod::fromSignal(&TShape::OnMouseMove)))
        return QWidget::mouseMoveEvent(e);
    emit OnMouseMove(e->position().toPoint());
}

void TShape::connectNotify(const QMetaMethod& signal) {
    // A listener of moves hears them without a button held, as over a picture.
    if (signal == QMetaMethod::fromSignal(&TShape::OnMouseMove))
        setMouseTracking(true);
}

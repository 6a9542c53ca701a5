#include "flashhost/ZoomView.h"

#include <algorithm>

namespace flashhost {

void ZoomView::reset() {
    scale_ = 1;
    offset_ = {};
}

void ZoomView::zoom(int factor) {
    if (factor <= 0) {
        reset();
        return;
    }
    const double next = std::max(1.0, scale_ * 100.0 / factor);
    const QPointF centre(view_.width() / 2, view_.height() / 2);
    offset_ = centre - (centre - offset_) * (next / scale_);
    scale_ = next;
    clamp();
}

void ZoomView::pan(int x, int y, int mode) {
    QPointF by(x, y);
    if (mode == 1)
        by = QPointF(x * view_.width() / 100, y * view_.height() / 100);
    offset_ -= by;
    clamp();
}

QSizeF ZoomView::stageScale() const {
    if (stage_.isEmpty() || view_.isEmpty())
        return {1, 1};
    const double sx = view_.width() / stage_.width(), sy = view_.height() / stage_.height();
    switch (fit_) {
    case Fit::ShowAll:
        return {std::min(sx, sy), std::min(sx, sy)};
    case Fit::NoBorder:
        return {std::max(sx, sy), std::max(sx, sy)};
    case Fit::ExactFit:
        return {sx, sy};
    case Fit::NoScale:
        break;
    }
    return {1, 1};
}

QPointF ZoomView::stageToView(const QPointF& p) const {
    const QSizeF s = stageScale();
    const QPointF margin((view_.width() - stage_.width() * s.width()) / 2,
                         (view_.height() - stage_.height() * s.height()) / 2);
    return margin + QPointF(p.x() * s.width(), p.y() * s.height());
}

void ZoomView::zoomRect(int left, int top, int right, int bottom) {
    const QRectF twips = QRectF(QPointF(left, top), QPointF(right, bottom)).normalized();
    const QPointF a = stageToView(twips.topLeft() / 20), b = stageToView(twips.bottomRight() / 20);
    const QRectF shown = QRectF(a, b).normalized();
    if (shown.isEmpty() || view_.isEmpty()) {
        reset();
        return;
    }
    scale_ =
        std::max(1.0, std::min(view_.width() / shown.width(), view_.height() / shown.height()));
    const QPointF centre(view_.width() / 2, view_.height() / 2);
    offset_ = centre - shown.center() * scale_;
    clamp();
}

void ZoomView::clamp() {
    // The zoomed picture always covers the view.
    const double minX = view_.width() - view_.width() * scale_;
    const double minY = view_.height() - view_.height() * scale_;
    offset_.setX(std::clamp(offset_.x(), std::min(minX, 0.0), 0.0));
    offset_.setY(std::clamp(offset_.y(), std::min(minY, 0.0), 0.0));
}

} // namespace flashhost

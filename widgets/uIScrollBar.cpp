#include "widgets/uIScrollBar.h"

#include "widgets/WidgetTimer.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace {

int roundEven(double v) {
    return static_cast<int>(std::nearbyint(v));
}

struct Segment {
    int x1, y1, x2, y2;
};

// Arrow glyphs as line segments around the centre, end points left out; by size (large,
// medium, small) and direction (left, up, right, down).
const std::vector<Segment> kGlyphs[3][4] = {
    {
        {{-2, 0, 2, 0}, {-1, -1, 1, -1}, {-1, 1, 1, 1}, {0, -2, 0, 3}, {1, -3, 1, 4}},
        {{0, -2, 0, 2}, {-1, -1, 2, -1}, {-2, 0, 3, 0}, {-3, 1, 4, 1}},
        {{-1, 0, 3, 0}, {-1, -3, -1, 4}, {0, -2, 0, 3}, {1, -1, 1, 2}},
        {{0, -1, 0, 3}, {-1, 1, 2, 1}, {-2, 0, 3, 0}, {-3, -1, 4, -1}},
    },
    {
        {{-1, 0, 2, 0}, {0, -1, 0, 2}, {1, -2, 1, 3}},
        {{0, -1, 0, 2}, {-1, 0, 2, 0}, {-2, 1, 3, 1}},
        {{-1, 0, 2, 0}, {0, -1, 0, 2}, {-1, -2, -1, 3}},
        {{0, -1, 0, 2}, {-1, 0, 2, 0}, {-2, -1, 3, -1}},
    },
    {
        {{-1, 0, 1, 0}, {0, -1, 0, 2}},
        {{0, -1, 0, 1}, {-1, 0, 2, 0}},
        {{0, 0, 2, 0}, {0, -1, 0, 2}},
        {{-1, 0, 2, 0}, {0, 0, 0, 2}},
    },
};

} // namespace

TIScrollBar::TIScrollBar(QWidget* parent) : TFlatControl(parent) {
    resize(121, 16);
    SetColor(clWindow);
    SetOpaqueFace(this, true);
}

QSize TIScrollBar::sizeHint() const {
    return kind_ == sbHorizontal ? QSize(121, 16) : QSize(16, 121);
}

void TIScrollBar::SetOwnerDraw(bool value) {
    ownerDraw_ = value;
    update();
}

void TIScrollBar::SetPosition(int value) {
    if (value == position_)
        return;
    position_ = value;
    if (!Dragging())
        update();
    emit OnChange();
}

void TIScrollBar::SetScrollBarKind(TScrollBarKind value) {
    if (value == kind_)
        return;
    kind_ = value;
    resize(height(), width());
    update();
}

void TIScrollBar::SetMax(int value) {
    if (value == max_)
        return;
    max_ = value;
    if (pageSize_ >= 1) {
        if (position_ > max_ - pageSize_ + 1)
            SetPosition(max_ - pageSize_ + 1);
    } else if (position_ > max_) {
        SetPosition(max_);
    }
    updateEnabled();
    update();
}

void TIScrollBar::SetMin(int value) {
    if (value == min_)
        return;
    min_ = value;
    if (position_ < min_)
        SetPosition(min_);
    updateEnabled();
    update();
}

void TIScrollBar::SetPageSize(int value) {
    if (value < 0 || value == pageSize_)
        return;
    pageSize_ = value;
    updateEnabled();
    update();
}

void TIScrollBar::SetHideWhenDisabled(bool value) {
    hideWhenDisabled_ = value;
    updateVisibility();
}

void TIScrollBar::updateEnabled() {
    setEnabled(max_ - min_ >= pageSize_);
}

void TIScrollBar::updateVisibility() {
    const bool enabledByRange = max_ - min_ >= pageSize_;
    setVisible(!(hideWhenDisabled_ && !enabledByRange));
}

void TIScrollBar::changeEvent(QEvent* ev) {
    TFlatControl::changeEvent(ev);
    if (ev->type() != QEvent::EnabledChange)
        return;
    if (!isEnabled()) {
        pressed_ = htNone;
        hot_ = htNone;
        stopRepeat();
    }
    updateVisibility();
    emit OnEnabledChange();
}

int TIScrollBar::length() const {
    return kind_ == sbHorizontal ? width() : height();
}

int TIScrollBar::thickness() const {
    return kind_ == sbHorizontal ? height() : width();
}

QRect TIScrollBar::barRect(int from, int to) const {
    if (to <= from)
        return QRect();
    return kind_ == sbHorizontal ? QRect(from, 0, to - from, thickness())
                                 : QRect(0, from, thickness(), to - from);
}

int TIScrollBar::span() const {
    return std::min(max_, max_ - min_ - pageSize_ + 1);
}

int TIScrollBar::ThumbSize() const {
    const int len = length();
    const int arrow = len < 33 ? len / 2 : 16;
    const int track = len - 2 * arrow;
    if (pageSize_ == 0)
        return 16;
    if (max_ - min_ < pageSize_ || max_ - min_ + 1 <= pageSize_)
        return 0;
    return std::max(9, roundEven(double(track) * pageSize_ / (max_ - min_ + 1)));
}

TIScrollBar::Geometry TIScrollBar::computeGeometry() const {
    Geometry g;
    const int len = length();
    g.arrow = len < 33 ? len / 2 : 16;
    g.track = len - 2 * g.arrow;
    g.thumbSize = ThumbSize();
    g.parts[spFirstArrow] = barRect(0, g.arrow);
    g.parts[spSecondArrow] = barRect(len - g.arrow, len);
    g.thumbShown = g.thumbSize > 0 && g.thumbSize + 32 < len;
    if (g.thumbShown) {
        const int sp = span();
        const double ratio = sp < 1 ? 0.0 : double(position_ - min_) / sp;
        int start = g.arrow + roundEven((g.track - g.thumbSize) * ratio);
        start = qBound(g.arrow, start, g.arrow + g.track - g.thumbSize);
        g.parts[spThumb] = barRect(start, start + g.thumbSize);
        g.parts[spTrackBefore] = barRect(g.arrow, start);
        g.parts[spTrackAfter] = barRect(start + g.thumbSize, len - g.arrow);
    } else {
        g.parts[spTrackAfter] = barRect(g.arrow, len - g.arrow);
    }
    return g;
}

QRect TIScrollBar::PartRect(TScrollPart part) const {
    const Geometry g = Dragging() ? dragGeometry_ : computeGeometry();
    return g.parts[part];
}

int TIScrollBar::HitTest(QPoint pos) const {
    const Geometry g = Dragging() ? dragGeometry_ : computeGeometry();
    if (g.parts[spFirstArrow].contains(pos))
        return htFirstArrow;
    if (g.parts[spTrackBefore].contains(pos))
        return htTrackBefore;
    if (g.parts[spThumb].contains(pos))
        return htThumb;
    if (g.parts[spTrackAfter].contains(pos))
        return htTrackAfter;
    if (g.parts[spSecondArrow].contains(pos))
        return htSecondArrow;
    return htNone;
}

bool TIScrollBar::Repeating() const {
    return repeat_ && repeat_->isActive();
}

TIScrollBar::TPartState TIScrollBar::stateOf(int hitCode) const {
    if (!isEnabled())
        return psDisabled;
    if (hitCode == pressed_ && (hitCode == hot_ || hitCode == htThumb))
        return psPressed;
    if (hitCode == hot_ && (pressed_ == htNone || pressed_ == hitCode))
        return psHot;
    return psNormal;
}

void TIScrollBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const Geometry g = Dragging() ? dragGeometry_ : computeGeometry();
    struct Item {
        TScrollPart part;
        int hit;
    };
    const Item order[] = {{spThumb, htThumb},
                          {spFirstArrow, htFirstArrow},
                          {spSecondArrow, htSecondArrow},
                          {spTrackBefore, htTrackBefore},
                          {spTrackAfter, htTrackAfter}};
    for (const Item& it : order) {
        const QRect r = g.parts[it.part];
        if (r.isEmpty())
            continue;
        const TPartState state = stateOf(it.hit);
        if (ownerDraw_)
            emit OnDrawControl(&p, it.part, state, r);
        else
            DrawPart(p, it.part, r, state);
    }
}

void TIScrollBar::DrawPart(QPainter& p, TScrollPart part, const QRect& r, TPartState state) {
    if (part == spTrackBefore || part == spTrackAfter) {
        gdi::FillRect(p, r, state == psPressed ? clBlack : Color());
        return;
    }
    gdi::FillRect(p, r, Color());
    gdi::DrawEdge(p, r, state == psPressed ? gdi::Edge::Sunken : gdi::Edge::Raised);
    if (part != spThumb)
        DrawArrowGlyph(p, r, part, kind_ == sbVertical, clBlack);
}

void TIScrollBar::DrawArrowGlyph(QPainter& p, const QRect& r, TScrollPart arrow, bool vertical,
                                 TColor color) {
    const int w = r.width(), h = r.height();
    int size = -1;
    if (!vertical) {
        if (w >= 8 && h >= 11)
            size = 0;
        else if (w >= 7 && h >= 9)
            size = 1;
        else if (w >= 6 && h >= 7)
            size = 2;
    } else {
        if (w >= 11 && h >= 8)
            size = 0;
        else if (w >= 9 && h >= 7)
            size = 1;
        else if (w >= 7 && h >= 6)
            size = 2;
    }
    if (size < 0)
        return;
    const int dir = arrow == spFirstArrow ? (vertical ? 1 : 0) : (vertical ? 3 : 2);
    const int cx = r.left() + (w - 1) / 2;
    const int cy = r.top() + (h - 1) / 2;
    for (const Segment& s : kGlyphs[size][dir])
        gdi::Line(p, {cx + s.x1, cy + s.y1}, {cx + s.x2, cy + s.y2}, color);
}

void TIScrollBar::step(int hitCode) {
    const bool arrowStep = hitCode == htFirstArrow || hitCode == htSecondArrow;
    const bool towardsMin = hitCode == htFirstArrow || hitCode == htTrackBefore;
    const int amount = arrowStep ? smallChange_ : largeChange_;
    int next = towardsMin ? position_ - amount : position_ + amount;
    next = std::max(next, min_);
    next = std::min(next, max_ - pageSize_ + 1);
    next = std::min(next, max_);
    if (next != position_) {
        const int moved = std::abs(next - position_);
        SetPosition(next);
        emit OnScroll(firstStep_, moved, towardsMin, arrowStep ? skLine : skPage);
    }
    firstStep_ = false;
}

void TIScrollBar::ScrollBy(bool towardsMin, bool firstStep, int amount) {
    int next = towardsMin ? position_ - amount : position_ + amount;
    next = std::max(next, min_);
    next = std::min(next, max_ - pageSize_ + 1);
    next = std::min(next, max_);
    if (next == position_)
        return;
    const int moved = std::abs(next - position_);
    SetPosition(next);
    emit OnScroll(firstStep, moved, towardsMin, skScrollBy);
}

void TIScrollBar::stopRepeat() {
    if (repeat_)
        repeat_->stop();
}

void TIScrollBar::onRepeat() {
    if (pressed_ == htTrackBefore || pressed_ == htTrackAfter)
        hot_ = HitTest(lastMouse_);
    if (pressed_ != htNone && pressed_ == hot_)
        step(pressed_);
    repeat_->setInterval(50);
    update();
}

void TIScrollBar::mousePressEvent(QMouseEvent* ev) {
    if (ev->button() == Qt::LeftButton) {
        stopRepeat();
        firstStep_ = true;
        const QPoint pos = ev->position().toPoint();
        lastMouse_ = pos;
        hot_ = HitTest(pos);
        pressed_ = hot_;
        const Geometry g = computeGeometry();
        if (pressed_ == htTrackAfter && !g.thumbShown) {
            pressed_ = htNone;
        } else if (pressed_ == htThumb) {
            pressPoint_ = pos;
            thumbStart_ = kind_ == sbHorizontal ? g.parts[spThumb].left() : g.parts[spThumb].top();
            dragGeometry_ = g;
        } else if (pressed_ != htNone) {
            step(pressed_);
            if (!repeat_) {
                repeat_ = new TWidgetTimer(this);
                connect(repeat_, &TWidgetTimer::timeout, this, &TIScrollBar::onRepeat);
            }
            repeat_->start(firstRepeatDelay_);
        }
        update();
    }
    TFlatControl::mousePressEvent(ev);
}

void TIScrollBar::mouseMoveEvent(QMouseEvent* ev) {
    const QPoint pos = ev->position().toPoint();
    lastMouse_ = pos;
    const int oldHot = hot_;
    if (pressed_ == htThumb) {
        Geometry& g = dragGeometry_;
        const int delta =
            kind_ == sbHorizontal ? pos.x() - pressPoint_.x() : pos.y() - pressPoint_.y();
        const int start = qBound(g.arrow, thumbStart_ + delta, g.arrow + g.track - g.thumbSize);
        const int len = length();
        g.parts[spThumb] = barRect(start, start + g.thumbSize);
        g.parts[spTrackBefore] = barRect(g.arrow, start);
        g.parts[spTrackAfter] = barRect(start + g.thumbSize, len - g.arrow);
        hot_ = HitTest(pos);
        const int room = g.track - g.thumbSize;
        if (room > 0) {
            const int next = roundEven(double(start - g.arrow) / room * span()) + min_;
            if (next != position_) {
                const int moved = std::abs(next - position_);
                const bool towardsMin = next < position_;
                SetPosition(next);
                emit OnScroll(firstStep_, moved, towardsMin, skThumb);
            }
        }
        update();
    } else {
        hot_ = HitTest(pos);
        if (pressed_ != htNone) {
            if (hot_ != pressed_)
                stopRepeat();
            else if (repeat_ && !repeat_->isActive())
                repeat_->start(50);
        }
        if (hot_ != oldHot)
            update();
    }
    TFlatControl::mouseMoveEvent(ev);
}

void TIScrollBar::mouseReleaseEvent(QMouseEvent* ev) {
    if (ev->button() == Qt::LeftButton) {
        stopRepeat();
        firstStep_ = false;
        pressed_ = htNone;
        hot_ = HitTest(ev->position().toPoint());
        update();
    }
    TFlatControl::mouseReleaseEvent(ev);
}

void TIScrollBar::leaveEvent(QEvent* ev) {
    TFlatControl::leaveEvent(ev);
    hot_ = htNone;
    update();
}

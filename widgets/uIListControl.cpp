#include "widgets/uIListControl.h"

#include "widgets/WidgetTimer.h"

#include <QKeyEvent>
#include <QMetaMethod>
#include <QPainter>
#include <QTextLayout>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace {

bool gAnimations = true;

} // namespace

// ---------------------------------------------------------------------------------------------
// TIListControlString

void TIListControlString::checkIndex(int index) const {
    if (index < 0 || index >= Count())
        throw EFlatError(QStringLiteral("List index out of bounds (%1)").arg(index));
}

const QString& TIListControlString::Strings(int index) const {
    checkIndex(index);
    return list_.at(index);
}

void TIListControlString::Put(int index, const QString& value) {
    checkIndex(index);
    list_[index] = value;
    owner_->ItemChanged(index);
}

int TIListControlString::Add(const QString& value) {
    list_.append(value);
    owner_->ItemAdded();
    return Count() - 1;
}

void TIListControlString::Insert(int index, const QString& value) {
    if (index < 0 || index > Count())
        throw EFlatError(QStringLiteral("List index out of bounds (%1)").arg(index));
    list_.insert(index, value);
    owner_->ItemInserted(index);
}

void TIListControlString::Delete(int index) {
    checkIndex(index);
    list_.removeAt(index);
    owner_->ItemDeleted(index);
}

void TIListControlString::Move(int from, int to) {
    if (from == to || from < 0 || to < 0 || from >= Count() || to >= Count())
        return;
    list_.move(from, to);
    owner_->ItemMoved(from, to);
}

void TIListControlString::Clear() {
    list_.clear();
    owner_->ItemsCleared();
}

void TIListControlString::Assign(const QStringList& lines) {
    if (&lines == &list_)
        return;
    const QStringList copy = lines;
    Clear();
    for (const QString& line : copy)
        Add(line);
}

QString TIListControlString::Text() const {
    return JoinLinesCrLf(list_);
}

void TIListControlString::SetText(const QString& text) {
    Assign(SplitTextLines(text));
    owner_->ItemsTextSet();
}

// ---------------------------------------------------------------------------------------------
// TIListControl

void TIListControl::SetAnimationsEnabled(bool on) {
    gAnimations = on;
}

bool TIListControl::AnimationsEnabled() {
    return gAnimations;
}

TIListControl::TIListControl(QWidget* parent) : TFlatControl(parent) {
    setClickEvents(true);
    setFocusPolicy(Qt::StrongFocus);
    SetOpaqueFace(this, true);
    resize(180, 180);
    scrollBar_ = new TIScrollBar(this);
    scrollBar_->SetColor(clBtnFace);
    scrollBar_->SetScrollBarKind(TIScrollBar::sbVertical);
    scrollBar_->SetMin(0);
    scrollBar_->SetMax(0);
    scrollBar_->SetHideWhenDisabled(true);
    scrollBar_->SetFirstRepeatDelay(150);
    scrollBar_->setFocusPolicy(Qt::NoFocus);
    connect(scrollBar_, &TIScrollBar::OnScroll, this, &TIListControl::onBarScroll);
    connect(scrollBar_, &TIScrollBar::OnEnabledChange, this, [this] {
        LayoutControls();
        SetTopIndex(topIndex_);
        update();
    });
    autoScrollTimer_ = new TWidgetTimer(this);
    connect(autoScrollTimer_, &TWidgetTimer::timeout, this, [this] { autoScrollStep(false); });
    wheelTimer_ = new TWidgetTimer(this);
    wheelTimer_->setSingleShot(true);
    wheelTimer_->setInterval(80);
    connect(wheelTimer_, &TWidgetTimer::timeout, this, [this] { wheelNotches_ = 0; });
    slideTimer_ = new TWidgetTimer(this);
    slideTimer_->setSingleShot(true);
    connect(slideTimer_, &TWidgetTimer::timeout, this, &TIListControl::onSlideTick);
    LayoutControls();
    updateScrollRange();
}

TIListControl::~TIListControl() = default;

int TIListControl::VisibleRows() const {
    const int h = itemsRect_.height();
    if (h <= 0)
        return 0;
    return h / itemHeight_ + (h % itemHeight_ ? 1 : 0);
}

int TIListControl::FullRows() const {
    return std::max(1, itemsRect_.height() / itemHeight_);
}

bool TIListControl::scrollBarActive() const {
    return scrollBar_->Max() - scrollBar_->Min() >= scrollBar_->PageSize();
}

void TIListControl::LayoutControls() {
    const int barLeft = width() - scrollBar_->width();
    QRect items(0, 0, scrollBarActive() ? barLeft : width(), height());
    AdjustItemsRect(items);
    itemsRect_ = items;
    scrollBar_->setGeometry(items.left() + items.width(), items.top(), scrollBar_->width(),
                            items.height());
}

void TIListControl::updateScrollRange() {
    const int rows = VisibleRows();
    scrollBar_->SetPageSize(rows);
    scrollBar_->SetMax(count_);
    LayoutControls();
    SetTopIndex(topIndex_);
}

void TIListControl::resizeEvent(QResizeEvent* ev) {
    TFlatControl::resizeEvent(ev);
    LayoutControls();
    updateScrollRange();
}

void TIListControl::setCount(int count) {
    count_ = count;
    selection_.resize(size_t(count), false);
    updateScrollRange();
}

int TIListControl::clampTop(int value) const {
    if (!scrollBarActive())
        return 0;
    value = std::min(value, count_ - VisibleRows() + 1);
    return std::max(value, 0);
}

void TIListControl::SetTopIndex(int value) {
    value = clampTop(value);
    // The bar may have been pulled by a range change even when the view stays.
    if (scrollBar_->Position() != value)
        scrollBar_->SetPosition(value);
    if (value == topIndex_)
        return;
    topIndex_ = value;
    if (!updating_)
        update();
}

void TIListControl::SetItemHeight(int value) {
    if (value < 1)
        throw EFlatError(QStringLiteral("Can not Set ItemHeight < 1."));
    if (value == itemHeight_)
        return;
    FinishSlide();
    itemHeight_ = value;
    updateScrollRange();
    if (!updating_)
        update();
}

bool TIListControl::rowVisible(int index) const {
    return index >= topIndex_ && index < topIndex_ + FullRows();
}

void TIListControl::SetItemIndex(int value) {
    value = std::clamp(value, -1, count_ - 1);
    if (value == itemIndex_)
        return;
    itemIndex_ = value;
    focusItem_ = value;
    if (!multiSelect_) {
        std::fill(selection_.begin(), selection_.end(), false);
        if (value >= 0)
            selection_[size_t(value)] = true;
    }
    if (updating_)
        return;
    if (value < 0 || rowVisible(value))
        update();
    else
        scrollIntoView(value, true);
}

void TIListControl::SetActiveItem(int value) {
    activeItem_ = value;
    update();
}

void TIListControl::SetOwnerDraw(bool value) {
    ownerDraw_ = value;
    update();
}

bool TIListControl::Selected(int index) const {
    if (index < 0 || index >= count_)
        return false;
    return selection_[size_t(index)];
}

void TIListControl::SetSelected(int index, bool value) {
    if (index < 0 || index >= count_)
        return;
    if (multiSelect_) {
        selection_[size_t(index)] = value;
        update();
    } else if (value) {
        SetItemIndex(index);
    } else {
        selection_[size_t(index)] = false;
        update();
    }
}

int TIListControl::ItemAtPos(int x, int y) const {
    if (x < itemsRect_.left() || x > itemsRect_.right())
        return -1;
    return rowAtY(y);
}

int TIListControl::rowAtY(int y) const {
    const int top = itemsRect_.top();
    const int bottom = itemsRect_.top() + itemsRect_.height();
    if (y <= top || y >= bottom)
        return -1;
    const int row = (y - top) / itemHeight_ + topIndex_;
    return row < count_ ? row : -1;
}

int TIListControl::rowState(int index) const {
    int state = 0;
    if (index == activeItem_)
        state |= isActive;
    if (Selected(index))
        state |= isSelected;
    if (!isEnabled()) {
        state |= isDisabled;
    } else if (pressing_) {
        if (index == anchor_ && index == hotItem_)
            state |= isPressed;
    } else if (index == hotItem_) {
        state |= isHot;
    }
    if (index == focusItem_ && hasFocus())
        state |= isFocused;
    return state;
}

void TIListControl::PaintFrame(QPainter&) {}

void TIListControl::DrawItem(QPainter&, int, int, const QRect&) {}

void TIListControl::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PaintFrame(p);
    if (updating_)
        return;
    gdi::FillRect(p, itemsRect_, Color());
    if (count_ == 0)
        return;
    p.save();
    p.setClipRect(itemsRect_);
    const int rows = VisibleRows();
    const bool custom =
        ownerDraw_ && isSignalConnected(QMetaMethod::fromSignal(&TIListControl::OnItemDraw));
    auto drawRows = [&](int first, int originY) {
        for (int i = first; i <= first + rows && i < count_; ++i) {
            const QRect r(itemsRect_.left(), originY + (i - first) * itemHeight_,
                          itemsRect_.width(), itemHeight_);
            if (r.bottom() < itemsRect_.top() || r.top() > itemsRect_.bottom())
                continue;
            if (custom)
                emit OnItemDraw(&p, i, rowState(i), r);
            else
                DrawItem(p, i, rowState(i), r);
        }
    };
    const int top = itemsRect_.top();
    if (!sliding_) {
        drawRows(topIndex_, top);
    } else if (slideTarget_ > topIndex_) {
        drawRows(topIndex_, top - slideOffset_);
        drawRows(slideTarget_, top + slideDistance_ - slideOffset_);
    } else {
        drawRows(topIndex_, top + slideOffset_);
        drawRows(slideTarget_, top - slideDistance_ + slideOffset_);
    }
    p.restore();
}

void TIListControl::slideTo(int target) {
    FinishSlide();
    target = clampTop(std::clamp(target, 0, std::max(count_ - 1, 0)));
    if (target == topIndex_)
        return;
    const int distance = std::min(std::abs(target - topIndex_) * itemHeight_, itemsRect_.height());
    if (!gAnimations || distance <= 0 || !isVisible()) {
        SetTopIndex(target);
        return;
    }
    // The same frames and pauses as the original blocking slide, driven by a timer.
    sliding_ = true;
    slideTarget_ = target;
    slideDistance_ = distance;
    slideFrames_ = std::min(distance, 20) + 1;
    slideStep_ = std::max(distance / 20.0, 1.0);
    slideFrame_ = 0;
    slideOffset_ = 0;
    update();
    slideTimer_->start(std::max(200 / distance, 10));
}

void TIListControl::onSlideTick() {
    if (!sliding_)
        return;
    ++slideFrame_;
    if (slideFrame_ >= slideFrames_) {
        FinishSlide();
        return;
    }
    slideOffset_ = std::min(int(slideFrame_ * slideStep_), slideDistance_);
    update();
    slideTimer_->start();
}

void TIListControl::FinishSlide() {
    if (!sliding_)
        return;
    slideTimer_->stop();
    sliding_ = false;
    slideOffset_ = 0;
    SetTopIndex(slideTarget_);
    update();
}

void TIListControl::scrollIntoView(int index, bool animate) {
    FinishSlide();
    if (index < 0)
        return;
    int target = topIndex_;
    if (index < topIndex_)
        target = index;
    else if (index >= topIndex_ + FullRows())
        target = index - FullRows() + 1;
    if (target == topIndex_)
        return;
    if (animate)
        slideTo(target);
    else
        SetTopIndex(target);
}

void TIListControl::onBarScroll(bool firstStep, int, bool, int kind) {
    const int position = scrollBar_->Position();
    if (firstStep && (kind == TIScrollBar::skLine || kind == TIScrollBar::skPage)) {
        slideTo(position);
    } else {
        FinishSlide();
        SetTopIndex(position);
    }
}

void TIListControl::selectRangeOnly(int a, int b) {
    std::fill(selection_.begin(), selection_.end(), false);
    if (a < 0 || b < 0)
        return;
    for (int i = std::min(a, b); i <= std::max(a, b) && i < count_; ++i)
        selection_[size_t(i)] = true;
}

void TIListControl::applyDragRange(int target) {
    if (!multiSelect_ || anchor_ < 0)
        return;
    if (pressKeys_ & Qt::ControlModifier) {
        // On top of what was selected before the press, taking the pressed row's new state.
        selection_ = savedSelection_;
        selection_.resize(size_t(count_), false);
        for (int i = std::min(anchor_, target); i <= std::max(anchor_, target) && i < count_; ++i)
            selection_[size_t(i)] = !pressWasSelected_;
    } else {
        selectRangeOnly(anchor_, target);
    }
}

void TIListControl::mousePressEvent(QMouseEvent* ev) {
    const QPoint pos = ev->position().toPoint();
    if (ev->button() == Qt::LeftButton && ev->type() != QEvent::MouseButtonDblClick) {
        FinishSlide();
        hotItem_ = ItemAtPos(pos.x(), pos.y());
        updating_ = true;
        const int row = ItemAtPos(pos.x(), pos.y());
        if (row >= 0) {
            pressKeys_ = ev->modifiers();
            pressing_ = true;
            SetItemIndex(row);
            if (multiSelect_) {
                savedSelection_ = selection_;
                if ((pressKeys_ & Qt::ShiftModifier) && anchor_ >= 0) {
                    selectRangeOnly(anchor_, row);
                } else if (pressKeys_ & Qt::ControlModifier) {
                    pressWasSelected_ = selection_[size_t(row)];
                    selection_[size_t(row)] = !pressWasSelected_;
                    anchor_ = row;
                } else {
                    selectRangeOnly(row, row);
                    anchor_ = row;
                }
            } else {
                anchor_ = row;
            }
            lastDragTarget_ = row;
            ItemMouseDown(row);
        }
        updating_ = false;
        if (row >= 0)
            update();
        if (!hasFocus())
            setFocus(Qt::MouseFocusReason);
    }
    TFlatControl::mousePressEvent(ev);
}

void TIListControl::mouseDoubleClickEvent(QMouseEvent* ev) {
    DblClick();
    TFlatControl::mousePressEvent(ev);
}

void TIListControl::DblClick() {
    TFlatControl::DblClick();
    if (anchor_ >= 0 && anchor_ == hotItem_)
        emit OnItemDlbClick(hotItem_);
}

void TIListControl::mouseMoveEvent(QMouseEvent* ev) {
    const QPoint pos = ev->position().toPoint();
    const int hot = pressing_ ? rowAtY(pos.y()) : ItemAtPos(pos.x(), pos.y());
    if (hot != hotItem_) {
        const int old = hotItem_;
        hotItem_ = hot;
        if (old >= 0)
            ItemMouseLeave(old);
        if (hot >= 0)
            ItemMouseEnter(hot);
        update();
    }
    if (pressing_) {
        const int top = itemsRect_.top();
        const int bottom = itemsRect_.top() + itemsRect_.height();
        int target;
        if (pos.y() < top)
            target = topIndex_;
        else if (pos.y() >= bottom)
            target = std::min(topIndex_ + VisibleRows() - 1, count_ - 1);
        else
            target = std::min((pos.y() - top) / itemHeight_ + topIndex_, count_ - 1);
        if (target != lastDragTarget_ && target >= 0) {
            lastDragTarget_ = target;
            updating_ = true;
            SetItemIndex(target);
            updating_ = false;
            applyDragRange(target);
            update();
        }
        int speed = 0;
        if (pos.y() >= bottom) {
            const int d = pos.y() - bottom;
            speed = d < 16 ? 1 : d < 31 ? 2 : 3;
        } else if (pos.y() < top) {
            const int d = top - pos.y();
            speed = d <= 15 ? 4 : d <= 30 ? 5 : 6;
        }
        setAutoScroll(speed);
    }
    TFlatControl::mouseMoveEvent(ev);
}

void TIListControl::setAutoScroll(int speed) {
    if (speed == autoScrollSpeed_)
        return;
    const int old = autoScrollSpeed_;
    autoScrollSpeed_ = speed;
    if (speed == 0) {
        autoScrollTimer_->stop();
        return;
    }
    static const int intervals[] = {0, 100, 50, 10, 100, 50, 10};
    autoScrollTimer_->setInterval(intervals[speed]);
    if (old == 0) {
        autoScrollStep(true);
        autoScrollTimer_->start();
    }
}

void TIListControl::autoScrollStep(bool animate) {
    if (autoScrollSpeed_ == 0)
        return;
    FinishSlide();
    const bool down = autoScrollSpeed_ <= 3;
    const int target = clampTop(down ? topIndex_ + 1 : topIndex_ - 1);
    if (animate)
        slideTo(target);
    else
        SetTopIndex(target);
    const int row = down ? std::min(target + VisibleRows() - 1, count_ - 1) : target;
    if (row < 0)
        return;
    updating_ = true;
    SetItemIndex(row);
    updating_ = false;
    lastDragTarget_ = row;
    applyDragRange(row);
    update();
}

void TIListControl::mouseReleaseEvent(QMouseEvent* ev) {
    if (ev->button() == Qt::LeftButton) {
        setAutoScroll(0);
        savedSelection_.clear();
        pressing_ = false;
        // Any left release over the anchor row clicks it, also one whose press went elsewhere.
        ItemMouseUp(hotItem_);
        if (anchor_ >= 0 && anchor_ == hotItem_)
            DoItemClick(anchor_);
        update();
    }
    TFlatControl::mouseReleaseEvent(ev);
}

void TIListControl::focusInEvent(QFocusEvent* ev) {
    TFlatControl::focusInEvent(ev);
    update();
}

void TIListControl::focusOutEvent(QFocusEvent* ev) {
    TFlatControl::focusOutEvent(ev);
    pressing_ = false;
    setAutoScroll(0);
    update();
}

void TIListControl::keyPressEvent(QKeyEvent* ev) {
    bool handled = false;
    if (count_ > 0) {
        const int old = itemIndex_;
        int next = old;
        handled = true;
        switch (ev->key()) {
        case Qt::Key_Up:
        case Qt::Key_Left:
            if (old >= 1)
                next = old - 1;
            break;
        case Qt::Key_Down:
        case Qt::Key_Right:
            next = old + 1;
            break;
        case Qt::Key_PageUp:
            if (scrollBarActive())
                next = std::max(old - (VisibleRows() - 1), 0);
            break;
        case Qt::Key_PageDown:
            if (scrollBarActive())
                next = old + VisibleRows();
            break;
        case Qt::Key_Home:
            next = 0;
            break;
        case Qt::Key_End:
            next = count_ - 1;
            break;
        default:
            handled = false;
            break;
        }
        if (handled) {
            updating_ = true;
            SetItemIndex(next);
            updating_ = false;
            // The first press slides; while the key repeats the view jumps.
            scrollIntoView(itemIndex_, !ev->isAutoRepeat());
            if (multiSelect_) {
                if (ev->modifiers() & Qt::ShiftModifier)
                    selectRangeOnly(anchor_ >= 0 ? anchor_ : itemIndex_, itemIndex_);
                else
                    selectRangeOnly(itemIndex_, itemIndex_);
            }
            update();
            if (itemIndex_ != old)
                Click();
        }
    }
    TFlatControl::keyPressEvent(ev);
    if (handled)
        ev->accept();
}

void TIListControl::wheelEvent(QWheelEvent* ev) {
    ev->accept();
    if (autoScrollSpeed_ != 0)
        return;
    const int delta = ev->angleDelta().y();
    if (delta == 0)
        return;
    const bool down = delta < 0;
    if (down != wheelDown_) {
        wheelDown_ = down;
        wheelRemainder_ = 0;
        wheelNotches_ = 0;
    }
    // High-resolution wheels and touchpads send parts of a notch: a notch is 120.
    wheelRemainder_ += std::abs(delta);
    while (wheelRemainder_ >= 120) {
        wheelRemainder_ -= 120;
        ++wheelNotches_;
        if (!wheelTimer_->isActive())
            wheelTimer_->start();
        FinishSlide();
        const int rows = 3 * wheelNotches_;
        slideTo(down ? topIndex_ + rows : topIndex_ - rows);
    }
}

// Notifications from the items.

void TIListControl::ItemAdded() {
    setCount(count_ + 1);
    if (!updating_ && rowVisible(count_ - 1))
        update();
}

void TIListControl::ItemsCleared() {
    FinishSlide();
    anchor_ = hotItem_ = itemIndex_ = focusItem_ = -1;
    selection_.clear();
    setCount(0);
    update();
}

void TIListControl::ItemDeleted(int index) {
    FinishSlide();
    if (multiSelect_) {
        if (index < int(selection_.size()))
            selection_.erase(selection_.begin() + index);
    } else {
        std::fill(selection_.begin(), selection_.end(), false);
    }
    setCount(count_ - 1);
    // Rows after the deleted one move up. Deleting row 0 leaves the numbers as they are (the
    // current row becomes the next item), pulled back only when they would leave the range.
    auto renumber = [index, this](int& x) {
        if (index > 0 && x >= index)
            --x;
        x = std::clamp(x, -1, count_ - 1);
    };
    renumber(anchor_);
    renumber(itemIndex_);
    renumber(focusItem_);
    if (hotItem_ >= count_)
        hotItem_ = -1;
    if (!multiSelect_ && itemIndex_ >= 0)
        selection_[size_t(itemIndex_)] = true;
    update();
}

void TIListControl::ItemInserted(int index) {
    FinishSlide();
    selection_.insert(selection_.begin() + std::min(index, int(selection_.size())), false);
    count_ += 1;
    setCount(count_);
    auto renumber = [index](int& x) {
        if (x >= index)
            ++x;
    };
    renumber(anchor_);
    renumber(itemIndex_);
    renumber(focusItem_);
    update();
}

void TIListControl::ItemMoved(int from, int to) {
    if (from == to || from < 0 || to < 0 || from >= count_ || to >= count_)
        return;
    const bool bit = selection_[size_t(from)];
    selection_.erase(selection_.begin() + from);
    selection_.insert(selection_.begin() + to, bit);
    auto renumber = [from, to](int& x) {
        if (x == from)
            x = to;
        else if (from < to && x > from && x <= to)
            --x;
        else if (to < from && x >= to && x < from)
            ++x;
    };
    renumber(anchor_);
    renumber(itemIndex_);
    renumber(focusItem_);
    update();
}

void TIListControl::ItemChanged(int index) {
    if (!updating_ && rowVisible(index))
        update();
}

// ---------------------------------------------------------------------------------------------
// TIGUIListControl

TIGUIListControl::TIGUIListControl(QWidget* parent) : TIListControl(parent) {
    ScrollBar()->SetOwnerDraw(true);
    connect(ScrollBar(), &TIScrollBar::OnDrawControl, this,
            [this](QPainter* p, int part, int state, QRect r) {
                if (isSignalConnected(QMetaMethod::fromSignal(&TIGUIListControl::OnDrawScrollBar)))
                    emit OnDrawScrollBar(p, part, state, r);
                else
                    DrawScrollBarPart(*p, part, state, r);
            });
    LayoutControls();
}

void TIGUIListControl::SetGUIStyle(TListControlGUI value) {
    if (value == guiStyle_)
        return;
    guiStyle_ = value;
    LayoutControls();
    UpdateAutoItemHeight();
    update();
    ScrollBar()->update();
}

void TIGUIListControl::AdjustItemsRect(QRect& r) {
    const int inset = guiStyle_ == lcgFlat ? 2 : 1;
    r.adjust(inset, inset, -inset, -inset);
}

void TIGUIListControl::PaintFrame(QPainter& p) {
    const QRect client = rect();
    switch (guiStyle_) {
    case lcgLowered:
        gdi::FrameRect(p, client, TColor(0x001F1F1F));
        break;
    case lcgFlat:
        gdi::FrameRect(p, client, TColor(0x008E8080));
        gdi::FrameRect(p, client.adjusted(1, 1, -1, -1), Color());
        break;
    case lcgIintaglio:
        gdi::DrawEdge(p, client, gdi::Edge::SunkenOuter);
        break;
    }
}

void TIGUIListControl::DrawItem(QPainter& p, int, int state, const QRect& r) {
    const bool selected = state & isSelected;
    const bool active = state & isActive;
    switch (guiStyle_) {
    case lcgLowered:
        if (selected) {
            gdi::FillRect(p, r, TColor(0x00323232));
            DrawFrameRings(p, r, TColor(0x004F4F4F), 1, TColor(0x001F1F1F));
        } else if (active) {
            gdi::FillRect(p, r, TColor(0x00323232));
            DrawFrameRings(p, r, TColor(0x00323232), 1, TColor(0x001F1F1F));
        } else {
            gdi::FillRect(p, r, TColor(0x00404040));
            DrawFrameRings(p, r, TColor(0x004F4F4F), 1, TColor(0x001F1F1F));
        }
        break;
    case lcgFlat:
        if (selected)
            gdi::Rectangle(p, r, TColor(0x00C56A31), TColor(0x00EED2C1));
        else if (active)
            gdi::Rectangle(p, r, TColor(0x008396A0), TColor(0x009CDEF7));
        else
            gdi::FillRect(p, r, Color());
        break;
    case lcgIintaglio:
        gdi::FillRect(p, r, selected ? clActiveCaption : Color());
        break;
    }
}

void TIGUIListControl::DrawScrollBarPart(QPainter& p, int part, int state, const QRect& r) {
    const bool track = part == TIScrollBar::spTrackBefore || part == TIScrollBar::spTrackAfter;
    const bool pressed = state == TIScrollBar::psPressed;
    const bool hot = state == TIScrollBar::psHot;
    const bool arrow = part == TIScrollBar::spFirstArrow || part == TIScrollBar::spSecondArrow;
    const TColor barColor = ScrollBar()->Color();
    TColor glyph = clBlack;
    switch (guiStyle_) {
    case lcgLowered:
        if (track) {
            gdi::FillRect(p, r, pressed ? TColor(0x006E6E6E) : TColor(0x00B5BBC4));
            return;
        }
        gdi::FillRect(p, r, hot || pressed ? TColor(0x00323232) : TColor(0x00404040));
        DrawFrameRings(p, r, pressed ? TColor(0x001F1F1F) : TColor(0x004F4F4F), 1,
                       TColor(0x001F1F1F));
        glyph = TColor(0x00B5BBC4);
        if (part == TIScrollBar::spThumb) {
            const int right = r.left() + r.width();
            const int y = r.top() + r.height() / 2;
            for (int x : {right / 2 - 3, right / 2, right / 2 + 3})
                gdi::FillRect(p, QRect(x, y, 1, 1), glyph);
        }
        break;
    case lcgFlat:
        if (track) {
            gdi::FillRect(p, r, pressed ? clBackground : barColor);
            return;
        }
        if (pressed)
            gdi::Rectangle(p, r, TColor(0x00C56A31), TColor(0x00D6924E));
        else if (hot)
            gdi::Rectangle(p, r, TColor(0x00C0DCC0), TColor(0x00D6924E));
        else
            gdi::Rectangle(p, r, TColor(0x008E8080), barColor);
        glyph = state == TIScrollBar::psNormal ? clBlack : clInfoBk;
        break;
    case lcgIintaglio:
        if (track) {
            gdi::FillRect(p, r, pressed ? clBlack : barColor);
            return;
        }
        gdi::FillRect(p, r, barColor);
        gdi::DrawEdge(p, r, pressed ? gdi::Edge::Sunken : gdi::Edge::Raised);
        glyph = clBlack;
        break;
    }
    if (arrow)
        TIScrollBar::DrawArrowGlyph(p, r, TIScrollBar::TScrollPart(part), true, glyph);
}

// ---------------------------------------------------------------------------------------------
// TIListBox

TIListBox::TIListBox(QWidget* parent) : TIGUIListControl(parent), items_(this) {
    SetColor(clWhite);
}

void TIListBox::SetAutoItemHeight(bool value) {
    if (value == autoItemHeight_)
        return;
    autoItemHeight_ = value;
    UpdateAutoItemHeight();
}

void TIListBox::UpdateAutoItemHeight() {
    if (!autoItemHeight_ || !isVisible())
        return;
    const int extra = GUIStyle() == lcgIintaglio ? 0 : 4;
    SetItemHeight(QFontMetrics(font()).height() + extra);
}

void TIListBox::changeEvent(QEvent* ev) {
    TIGUIListControl::changeEvent(ev);
    if (ev->type() == QEvent::FontChange)
        UpdateAutoItemHeight();
}

void TIListBox::showEvent(QShowEvent* ev) {
    TIGUIListControl::showEvent(ev);
    UpdateAutoItemHeight();
}

void TIListBox::SetItems(const QStringList& lines) {
    items_.Assign(lines);
    SetTopIndex(0);
}

void TIListBox::SetItems(const TIListControlString& other) {
    if (&other == &items_)
        return;
    SetItems(other.ToStringList());
}

void TIListBox::SetTwoLineItems(bool value) {
    if (value == twoLineItems_)
        return;
    twoLineItems_ = value;
    update();
}

void TIListBox::SetOwnerDraw(bool value) {
    TIGUIListControl::SetOwnerDraw(value);
    ScrollBar()->SetOwnerDraw(value);
}

// One type for all rows: the list's own while every item fits its row on one line, else
// one whose glyphs fill most of half a row, so a row of two lines and a row of one read alike.
QFont TIListBox::twoLineFont(const QRect& r) const {
    const QStringList& items = items_.ToStringList();
    if (twoLineType_ && twoLineType_->items.isSharedWith(items) && twoLineType_->row == r.size() &&
        twoLineType_->font == font())
        return twoLineType_->type;
    QFont f = font();
    const QFontMetrics fm(f);
    for (int i = 0; i < items_.Count(); ++i)
        if (fm.horizontalAdvance(items_.Strings(i)) > r.width()) {
            f.setPixelSize(std::min(QFontInfo(f).pixelSize(), std::max(9, r.height() / 2 - 2)));
            break;
        }
    twoLineType_ = TwoLineType{items, r.size(), font(), f};
    return f;
}

void TIListBox::drawOnTwoLines(QPainter& p, const QRect& r, const QString& text, TColor color) {
    const QFont f = twoLineFont(r);
    p.setFont(f);
    QTextLayout layout(text, f);
    QTextOption wrap;
    wrap.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(wrap);
    layout.beginLayout();
    QStringList lines;
    for (QTextLine line = layout.createLine(); line.isValid() && lines.size() < 2;
         line = layout.createLine()) {
        line.setLineWidth(r.width());
        lines << text.mid(line.textStart(), line.textLength()).trimmed();
        if (lines.size() == 2) // the rest of the text, cut where the row ends
            lines[1] = QFontMetrics(f).elidedText(text.mid(line.textStart()).trimmed(),
                                                  Qt::ElideRight, r.width());
    }
    layout.endLayout();
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    if (lines.size() < 2) {
        DrawCaption(p, r, flags, lines.value(0), color);
        return;
    }
    const QRect top(r.left(), r.top(), r.width(), r.height() / 2);
    DrawCaption(p, top, flags, lines[0], color);
    DrawCaption(p, top.translated(0, r.height() - top.height()), flags, lines[1], color);
}

void TIListBox::DrawItem(QPainter& p, int index, int state, const QRect& r) {
    TIGUIListControl::DrawItem(p, index, state, r);
    const QRect textRect = GUIStyle() == lcgIintaglio ? r : r.adjusted(1, 1, -1, -1);
    TColor color = FontColor();
    if (state & isDisabled) {
        color = clGradientInactiveCaption;
    } else if (GUIStyle() == lcgLowered) {
        color = (state & isFocused)  ? TColor(0x0000C8FF)
                : (state & isActive) ? TColor(0x003C9DFF)
                                     : TColor(0x00B5BBC4);
    } else if (GUIStyle() == lcgIintaglio && (state & isSelected)) {
        const TColor f = ColorToRGB(FontColor());
        color = RGBToColor(255 - GetRValue(f), 255 - GetGValue(f), 255 - GetBValue(f));
    }
    const QString full = items_.Strings(index);
    p.setFont(font());
    if (twoLineItems_) {
        drawOnTwoLines(p, textRect, full, color);
    } else {
        const QString text =
            QFontMetrics(font()).elidedText(full, Qt::ElideRight, textRect.width());
        DrawCaption(p, textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text,
                    color);
    }
    if (GUIStyle() == lcgIintaglio && (state & isFocused))
        gdi::DrawFocusRect(p, r);
}

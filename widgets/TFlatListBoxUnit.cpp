#include "widgets/TFlatListBoxUnit.h"

#include "widgets/WidgetTimer.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

// ---------------------------------------------------------------------------------------------
// TFlatListStrings

void TFlatListStrings::checkIndex(int index) const {
    if (index < 0 || index >= Count())
        throw EFlatError(QStringLiteral("List index out of bounds (%1)").arg(index));
}

const QString& TFlatListStrings::Strings(int index) const {
    checkIndex(index);
    return list_.at(index);
}

void TFlatListStrings::Put(int index, const QString& value) {
    checkIndex(index);
    list_[index] = value;
    if (sorted_)
        sort();
    changed_();
}

int TFlatListStrings::Add(const QString& value) {
    int index = Count();
    if (sorted_) {
        const auto it = std::upper_bound(list_.begin(), list_.end(), value,
                                         [](const QString& a, const QString& b) {
                                             return QString::compare(a, b, Qt::CaseInsensitive) < 0;
                                         });
        index = int(it - list_.begin());
    }
    list_.insert(index, value);
    changed_();
    return index;
}

void TFlatListStrings::Insert(int index, const QString& value) {
    if (sorted_)
        throw EFlatError(QStringLiteral("Operation not allowed on sorted list"));
    if (index < 0 || index > Count())
        throw EFlatError(QStringLiteral("List index out of bounds (%1)").arg(index));
    list_.insert(index, value);
    changed_();
}

void TFlatListStrings::Delete(int index) {
    checkIndex(index);
    list_.removeAt(index);
    changed_();
}

void TFlatListStrings::Clear() {
    if (list_.isEmpty())
        return;
    list_.clear();
    changed_();
}

void TFlatListStrings::Assign(const QStringList& lines) {
    list_ = lines;
    if (sorted_)
        sort();
    changed_();
}

QString TFlatListStrings::Text() const {
    return JoinLinesCrLf(list_);
}

void TFlatListStrings::SetText(const QString& text) {
    Assign(SplitTextLines(text));
}

void TFlatListStrings::SetSorted(bool value) {
    if (value == sorted_)
        return;
    sorted_ = value;
    if (value) {
        sort();
        changed_();
    }
}

void TFlatListStrings::sort() {
    std::stable_sort(list_.begin(), list_.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
}

// ---------------------------------------------------------------------------------------------
// TFlatListBox

TFlatListBox::TFlatListBox(QWidget* parent)
    : TFlatAdvColorControl(parent), items_([this] { itemsChanged(); }) {
    setClickEvents(true);
    setFocusPolicy(Qt::ClickFocus);
    SetOpaqueFace(this, true);
    repeat_ = new TWidgetTimer(this);
    repeat_->setTimerType(Qt::PreciseTimer);
    repeat_->setInterval(600);
    connect(repeat_, &TWidgetTimer::timeout, this, [this] {
        repeat_->setInterval(100);
        scrollStep();
    });
    resize(137, 99);
}

void TFlatListBox::SetTransparentMode(TTransparentMode value) {
    transparentMode_ = value;
    SetOpaqueFace(this, value == tmNone);
}

void TFlatListBox::SetItems(const QStringList& lines) {
    QStringList trimmed;
    trimmed.reserve(lines.size());
    for (const QString& line : lines)
        trimmed << line.trimmed();
    items_.Assign(trimmed);
}

void TFlatListBox::itemsChanged() {
    // A disabled list keeps its selection and index through item changes.
    if (!isEnabled()) {
        update();
        return;
    }
    selection_.assign(size_t(items_.Count()), false);
    if (itemIndex_ > items_.Count() - 1) {
        itemIndex_ = -1;
        emit OnChangeIndex();
    }
    update();
}

int TFlatListBox::rowsFor(int height) const {
    return std::max((height - chrome()) / (itemHeight_ + 2), 0);
}

int TFlatListBox::VisibleRows() const {
    return rowsFor(height());
}

void TFlatListBox::snapHeight() {
    if (snapping_)
        return;
    snapping_ = true;
    const int snapped = (itemHeight_ + 2) * VisibleRows() + chrome();
    if (snapped != height())
        resize(width(), snapped);
    snapping_ = false;
    update();
}

void TFlatListBox::resizeEvent(QResizeEvent* ev) {
    TFlatControl::resizeEvent(ev);
    snapHeight();
}

void TFlatListBox::Loaded() {
    loading_ = false;
    snapHeight();
}

bool TFlatListBox::event(QEvent* ev) {
    // A form that never called Loaded has set its properties by the time the control is first
    // polished (before it is shown): the size rules apply from then on.
    if (ev->type() == QEvent::Polish && loading_)
        Loaded();
    return TFlatAdvColorControl::event(ev);
}

void TFlatListBox::SetItemHeight(int value) {
    const int rows = VisibleRows();
    itemHeight_ = std::max(value, 1);
    if (!loading_) {
        snapping_ = true;
        resize(width(), (itemHeight_ + 2) * rows + chrome());
        snapping_ = false;
    }
    update();
}

void TFlatListBox::SetScrollBars(bool value) {
    if (value == scrollBars_)
        return;
    scrollBars_ = value;
    if (!loading_) {
        snapping_ = true;
        resize(width(), height() + (value ? 20 : -20));
        snapping_ = false;
    }
    update();
}

void TFlatListBox::SetMultiSelect(bool value) {
    const bool switchedOn = value && !multiSelect_;
    multiSelect_ = value;
    if (switchedOn) {
        itemIndex_ = 0; // also on an empty list
        emit OnChangeIndex();
        update();
    }
}

void TFlatListBox::SetSorted(bool value) {
    if (value == items_.Sorted())
        return;
    items_.SetSorted(value);
    std::fill(selection_.begin(), selection_.end(), false);
    update();
}

void TFlatListBox::SetColors(int index, TColor value) {
    switch (index) {
    case 0:
        colorArrow_ = value;
        break;
    case 1:
        colorBorder_ = value;
        break;
    case 2:
        colorItemsRect_ = value;
        break;
    case 3:
        colorItemsSelect_ = value;
        break;
    default:
        break;
    }
    update();
}

void TFlatListBox::SetAdvColorBorder(int value) {
    advColorBorder_ = value;
    recalcAdvColors();
    update();
}

void TFlatListBox::calcAdvColors() {
    colorBorder_ = AdjustColorLightness(Color(), colorBorder_, advColorBorder_, true);
}

void TFlatListBox::SetItemIndex(int value) {
    value = std::clamp(value, -1, items_.Count() - 1);
    if (value == itemIndex_)
        return;
    itemIndex_ = value;
    update();
}

void TFlatListBox::SetTopIndex(int value) {
    value = std::max(value, 0);
    if (value == topIndex_)
        return;
    topIndex_ = value;
    update();
}

bool TFlatListBox::Selected(int index) const {
    return index >= 0 && index < int(selection_.size()) && selection_[size_t(index)];
}

void TFlatListBox::SetSelected(int index, bool value) {
    if (index < 0 || index > items_.Count() - 1)
        return;
    selection_.resize(size_t(items_.Count()), false);
    if (!multiSelect_)
        std::fill(selection_.begin(), selection_.end(), false);
    if (value) {
        selection_[size_t(index)] = true;
        itemIndex_ = index;
        emit OnChangeIndex();
    } else if (multiSelect_) {
        selection_[size_t(index)] = false;
    }
    update();
}

QRect TFlatListBox::RowRect(int row) const {
    const int top = (scrollBars_ ? 13 : 3) + row * (itemHeight_ + 2);
    return QRect(3, top, width() - 6, itemHeight_);
}

bool TFlatListBox::canScrollDown() const {
    return items_.Count() >= topIndex_ + VisibleRows() + 1;
}

bool TFlatListBox::Repeating() const {
    return repeat_->isActive();
}

void TFlatListBox::scrollStep() {
    if (scrollingDown_) {
        if (canScrollDown())
            ++topIndex_;
        if (!canScrollDown())
            repeat_->stop();
    } else {
        if (topIndex_ > 0)
            --topIndex_;
        if (topIndex_ == 0)
            repeat_->stop();
    }
    update();
}

void TFlatListBox::drawArrow(QPainter& p, int y, bool up, bool active) {
    const int x = width() / 2 - 6;
    auto triangle = [up](int ox, int oy) -> QVector<QPoint> {
        if (up)
            return {{ox + 4, oy + 2}, {ox + 8, oy + 2}, {ox + 6, oy}};
        return {{ox + 4, oy}, {ox + 8, oy}, {ox + 6, oy + 2}};
    };
    if (active) {
        gdi::Polygon(p, triangle(x, y), colorArrow_, colorArrow_);
    } else {
        gdi::Polygon(p, triangle(x + 1, y + 1), clWhite, clWhite);
        gdi::Polygon(p, triangle(x, y), clGray, clGray);
    }
}

void TFlatListBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect client = rect();
    if (transparentMode_ == tmNone || (transparentMode_ == tmNotFocused && hasFocus()))
        gdi::FillRect(p, client, colorItemsRect_);
    gdi::FrameRect(p, client, colorBorder_);
    if (scrollBars_) {
        const QRect top(0, 0, width(), 11);
        const QRect bottom(0, height() - 11, width(), 11);
        gdi::Rectangle(p, top, colorBorder_, Color());
        gdi::Rectangle(p, bottom, colorBorder_, Color());
        drawArrow(p, 4, true, isEnabled() && topIndex_ > 0);
        drawArrow(p, height() - 7, false, isEnabled() && canScrollDown());
    }
    p.setFont(font());
    const int flags = Qt::AlignAbsolute |
                      (layoutDirection() == Qt::RightToLeft ? Qt::AlignRight : Qt::AlignLeft) |
                      Qt::AlignVCenter | Qt::TextSingleLine;
    for (int j = 0; j < VisibleRows(); ++j) {
        const int i = topIndex_ + j;
        if (i > items_.Count() - 1)
            break;
        const QRect row = RowRect(j);
        if (Selected(i))
            gdi::Rectangle(p, row, colorBorder_, colorItemsSelect_);
        const QRect textRect = row.adjusted(3, 0, -3, 0);
        if (isEnabled())
            DrawCaption(p, textRect, flags, items_.Strings(i), FontColor());
        else
            DrawEmbossedCaption(p, textRect, flags, items_.Strings(i));
    }
}

void TFlatListBox::mousePressEvent(QMouseEvent* ev) {
    const QPoint pos = ev->position().toPoint();
    if (ev->button() == Qt::LeftButton && items_.Count() >= 1) {
        for (int j = 0; j < VisibleRows(); ++j) {
            if (!RowRect(j).contains(pos))
                continue;
            const int item = topIndex_ + j;
            const bool exists = item < items_.Count();
            selection_.resize(size_t(items_.Count()), false);
            if (multiSelect_) {
                if (exists)
                    selection_[size_t(item)] = !selection_[size_t(item)];
            } else {
                std::fill(selection_.begin(), selection_.end(), false);
                if (exists)
                    selection_[size_t(item)] = true;
            }
            itemIndex_ = exists ? item : -1;
            emit OnChangeIndex();
            setFocus(Qt::MouseFocusReason);
            update();
            // A click on a row does not reach OnMouseDown.
            return;
        }
    }
    if (scrollBars_) {
        const bool inTop = pos.y() >= 0 && pos.y() < 11;
        const bool inBottom = pos.y() >= height() - 11 && pos.y() < height();
        if (inTop || inBottom) {
            scrollingDown_ = inBottom;
            if (inTop && topIndex_ > 0)
                --topIndex_;
            else if (inBottom && canScrollDown())
                ++topIndex_;
            setFocus(Qt::MouseFocusReason);
            update();
            repeat_->start();
        }
    }
    TFlatControl::mousePressEvent(ev);
}

void TFlatListBox::mouseDoubleClickEvent(QMouseEvent* ev) {
    mousePressEvent(ev);
}

void TFlatListBox::mouseReleaseEvent(QMouseEvent* ev) {
    repeat_->stop();
    repeat_->setInterval(600);
    TFlatControl::mouseReleaseEvent(ev);
}

void TFlatListBox::keyPressEvent(QKeyEvent* ev) {
    const int count = items_.Count();
    switch (ev->key()) {
    case Qt::Key_PageUp:
        topIndex_ = std::max(topIndex_ - VisibleRows(), 0);
        break;
    case Qt::Key_PageDown:
        if (count >= 2 * VisibleRows() + topIndex_)
            topIndex_ += VisibleRows();
        else
            topIndex_ = std::max(count - VisibleRows(), 0);
        break;
    case Qt::Key_Up:
        topIndex_ = std::max(topIndex_ - 1, 0);
        break;
    case Qt::Key_Down:
        if (canScrollDown())
            ++topIndex_;
        break;
    default:
        TFlatControl::keyPressEvent(ev);
        update();
        return;
    }
    ev->accept();
    update();
}

void TFlatListBox::wheelEvent(QWheelEvent* ev) {
    ev->accept();
    const int delta = ev->angleDelta().y();
    if (delta == 0)
        return;
    if ((delta < 0) != (wheelRemainder_ < 0))
        wheelRemainder_ = 0;
    // Whole notches of 120, by sign, so two-notch and touchpad input both scroll.
    wheelRemainder_ += delta;
    int lines = QApplication::wheelScrollLines();
    if (lines <= 0)
        lines = VisibleRows();
    while (std::abs(wheelRemainder_) >= 120) {
        if (wheelRemainder_ < 0) {
            wheelRemainder_ += 120;
            topIndex_ = std::max(std::min(topIndex_ + lines, items_.Count() - VisibleRows()), 0);
        } else {
            wheelRemainder_ -= 120;
            topIndex_ = std::max(topIndex_ - lines, 0);
        }
    }
    update();
}

void TFlatListBox::focusInEvent(QFocusEvent* ev) {
    TFlatControl::focusInEvent(ev);
    if (transparentMode_ != tmNone)
        update();
}

void TFlatListBox::focusOutEvent(QFocusEvent* ev) {
    TFlatControl::focusOutEvent(ev);
    if (transparentMode_ != tmNone)
        update();
}

#pragma once
// List of single-line items in fixed-height rows with its own arrow strips instead of a scroll
// bar; keys, wheel and the strips scroll the view, clicks select. The height snaps to whole
// rows; ItemHeight and ScrollBars resize the control only after Loaded() (forms may call it
// after setting their properties; otherwise it runs when the control is first polished).

#include "widgets/FlatUtils.h"

#include <QStringList>
#include <functional>
#include <vector>

class TWidgetTimer;

// The items of a flat list box: a string list that reports every change.
class TFlatListStrings {
public:
    explicit TFlatListStrings(std::function<void()> changed) : changed_(std::move(changed)) {}

    int Count() const { return int(list_.size()); }
    // Throws EFlatError for an index out of range.
    const QString& Strings(int index) const;
    const QString& operator[](int index) const { return Strings(index); }
    void Put(int index, const QString& value);
    // Sorted lists insert in order; returns the new item's index.
    int Add(const QString& value);
    void Insert(int index, const QString& value);
    void Delete(int index);
    void Clear();
    void Assign(const QStringList& lines);
    QString Text() const;
    void SetText(const QString& text);
    int IndexOf(const QString& value) const { return int(list_.indexOf(value)); }
    bool Sorted() const { return sorted_; }
    void SetSorted(bool value);
    const QStringList& ToStringList() const { return list_; }

private:
    void checkIndex(int index) const;
    void sort();

    std::function<void()> changed_;
    QStringList list_;
    bool sorted_ = false;
};

class TFlatListBox : public TFlatAdvColorControl {
    Q_OBJECT
    Q_PROPERTY(
        TFlatTypes::TTransparentMode TransparentMode READ TransparentMode WRITE SetTransparentMode)
    Q_PROPERTY(QStringList Items READ ItemsList WRITE SetItems)
    Q_PROPERTY(int ItemHeight READ ItemHeight WRITE SetItemHeight)
    Q_PROPERTY(bool MultiSelect READ MultiSelect WRITE SetMultiSelect)
    Q_PROPERTY(bool ScrollBars READ ScrollBars WRITE SetScrollBars)
    Q_PROPERTY(TColor ColorArrow READ ColorArrow WRITE SetColorArrow)
    Q_PROPERTY(TColor ColorBorder READ ColorBorder WRITE SetColorBorder)
    Q_PROPERTY(TColor ColorItemsRect READ ColorItemsRect WRITE SetColorItemsRect)
    Q_PROPERTY(TColor ColorItemsSelect READ ColorItemsSelect WRITE SetColorItemsSelect)
    Q_PROPERTY(int AdvColorBorder READ AdvColorBorder WRITE SetAdvColorBorder)
    Q_PROPERTY(bool Sorted READ Sorted WRITE SetSorted)
    Q_PROPERTY(int ItemIndex READ ItemIndex WRITE SetItemIndex)
    Q_PROPERTY(int TopIndex READ TopIndex WRITE SetTopIndex)

public:
    explicit TFlatListBox(QWidget* parent = nullptr);

    TTransparentMode TransparentMode() const { return transparentMode_; }
    void SetTransparentMode(TTransparentMode value);
    TFlatListStrings& Items() { return items_; }
    const TFlatListStrings& Items() const { return items_; }
    QStringList ItemsList() const { return items_.ToStringList(); }
    // Takes a copy of the lines with surrounding blanks trimmed; the caller's list is untouched.
    void SetItems(const QStringList& lines);
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int value);
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool value);
    bool ScrollBars() const { return scrollBars_; }
    void SetScrollBars(bool value);
    TColor ColorArrow() const { return colorArrow_; }
    TColor ColorBorder() const { return colorBorder_; }
    TColor ColorItemsRect() const { return colorItemsRect_; }
    TColor ColorItemsSelect() const { return colorItemsSelect_; }
    void SetColorArrow(TColor value) { SetColors(0, value); }
    void SetColorBorder(TColor value) { SetColors(1, value); }
    void SetColorItemsRect(TColor value) { SetColors(2, value); }
    void SetColorItemsSelect(TColor value) { SetColors(3, value); }
    // 0 ColorArrow, 1 ColorBorder, 2 ColorItemsRect, 3 ColorItemsSelect.
    void SetColors(int index, TColor value);
    int AdvColorBorder() const { return advColorBorder_; }
    void SetAdvColorBorder(int value);
    bool Sorted() const { return items_.Sorted(); }
    void SetSorted(bool value);

    int ItemIndex() const { return itemIndex_; }
    // Clamped to -1..Count-1; only clicks and SetSelected fire OnChangeIndex.
    void SetItemIndex(int value);
    int TopIndex() const { return topIndex_; }
    void SetTopIndex(int value);
    bool Selected(int index) const;
    void SetSelected(int index, bool value);

    int VisibleRows() const;
    // Client rectangle of visible row j.
    QRect RowRect(int row) const;
    bool Repeating() const;

    void Loaded() override;

    QSize sizeHint() const override { return QSize(137, 99); }

signals:
    void OnChangeIndex();

protected:
    bool event(QEvent* ev) override;
    void paintEvent(QPaintEvent* ev) override;
    void resizeEvent(QResizeEvent* ev) override;
    void mousePressEvent(QMouseEvent* ev) override;
    void mouseReleaseEvent(QMouseEvent* ev) override;
    void mouseDoubleClickEvent(QMouseEvent* ev) override;
    void keyPressEvent(QKeyEvent* ev) override;
    void wheelEvent(QWheelEvent* ev) override;
    void focusInEvent(QFocusEvent* ev) override;
    void focusOutEvent(QFocusEvent* ev) override;

private:
    void itemsChanged();
    void snapHeight();
    int rowsFor(int height) const;
    int chrome() const { return scrollBars_ ? 24 : 4; }
    bool canScrollDown() const;
    void scrollStep();
    void calcAdvColors() override;
    void drawArrow(QPainter& p, int y, bool up, bool active);

    TTransparentMode transparentMode_ = tmNone;
    int topIndex_ = 0;
    int itemHeight_ = 17;
    int itemIndex_ = -1;
    std::vector<bool> selection_;
    bool multiSelect_ = false;
    bool scrollBars_ = false;
    TAdvColors advColorBorder_ = 40;
    TColor colorArrow_ = clBlack;
    TColor colorBorder_ = 0x008396A0;
    TColor colorItemsRect_ = clWhite;
    TColor colorItemsSelect_ = 0x009CDEF7;
    bool loading_ = true;
    bool snapping_ = false;
    bool scrollingDown_ = false;
    int wheelRemainder_ = 0;
    TWidgetTimer* repeat_ = nullptr;
    TFlatListStrings items_;
};

#pragma once
// Fully painted list box: rows of equal height with a painted vertical scroll bar, single or
// multiple selection with Shift and Ctrl, keys that scroll the chosen row into view with a
// short slide, an accelerating wheel, and scrolling while a drag leaves the rows.

#include "widgets/uIScrollBar.h"

#include <QFont>
#include <QSize>
#include <QStringList>
#include <optional>
#include <vector>

class TWidgetTimer;
class TIListControl;

// The items of a list control; every change is reported to the control after it happened.
class TIListControlString {
public:
    explicit TIListControlString(TIListControl* owner) : owner_(owner) {}

    int Count() const { return int(list_.size()); }
    // Throws EFlatError for an index out of range.
    const QString& Strings(int index) const;
    const QString& operator[](int index) const { return Strings(index); }
    void Put(int index, const QString& value);
    int Add(const QString& value);
    void Insert(int index, const QString& value);
    void Delete(int index);
    void Move(int from, int to);
    void Clear();
    void Assign(const QStringList& lines);
    void Assign(const TIListControlString& other) { Assign(other.list_); }
    // The whole text, one item per line.
    QString Text() const;
    void SetText(const QString& text);
    int IndexOf(const QString& value) const { return int(list_.indexOf(value)); }
    const QStringList& ToStringList() const { return list_; }

private:
    void checkIndex(int index) const;

    TIListControl* owner_;
    QStringList list_;
};

class TIListControl : public TFlatControl {
    Q_OBJECT
    Q_PROPERTY(int ItemHeight READ ItemHeight WRITE SetItemHeight)
    Q_PROPERTY(int TopIndex READ TopIndex WRITE SetTopIndex)
    Q_PROPERTY(int ItemIndex READ ItemIndex WRITE SetItemIndex)
    Q_PROPERTY(int ActiveItem READ ActiveItem WRITE SetActiveItem)
    Q_PROPERTY(bool MultiSelect READ MultiSelect WRITE SetMultiSelect)
    Q_PROPERTY(bool OwnerDraw READ OwnerDraw WRITE SetOwnerDraw)

public:
    // Bits of a row's state when it is drawn.
    enum TItemState {
        isActive = 1,
        isSelected = 2,
        isPressed = 4,
        isHot = 8,
        isDisabled = 16,
        isFocused = 32
    };

    explicit TIListControl(QWidget* parent = nullptr);
    ~TIListControl() override;

    int Count() const { return count_; }
    int ItemHeight() const { return itemHeight_; }
    // Throws EFlatError("Can not Set ItemHeight < 1.") below 1.
    virtual void SetItemHeight(int value);
    int TopIndex() const { return topIndex_; }
    void SetTopIndex(int value);
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int value);
    int ActiveItem() const { return activeItem_; }
    void SetActiveItem(int value);
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool value) { multiSelect_ = value; }
    bool OwnerDraw() const { return ownerDraw_; }
    virtual void SetOwnerDraw(bool value);
    bool Selected(int index) const;
    void SetSelected(int index, bool value);

    int ItemAtPos(int x, int y) const;
    QRect ItemsRect() const { return itemsRect_; }
    int VisibleRows() const;
    // Rows shown whole: a row scrolled into view is one of these, never the cut one below.
    int FullRows() const;
    TIScrollBar* ScrollBar() const { return scrollBar_; }
    int FocusItem() const { return focusItem_; }
    int HotItem() const { return hotItem_; }
    int Anchor() const { return anchor_; }
    int AutoScrollSpeed() const { return autoScrollSpeed_; }
    bool Sliding() const { return sliding_; }
    // Ends a running slide at once at its target.
    void FinishSlide();

    // Slides are on by default; tests switch them off to see positions at once.
    static void SetAnimationsEnabled(bool on);
    static bool AnimationsEnabled();

    QSize sizeHint() const override { return QSize(180, 180); }

signals:
    void OnItemClick(int index);
    void OnItemDlbClick(int index);
    // Draws a row instead of the built-in drawing while OwnerDraw is on.
    void OnItemDraw(QPainter* canvas, int index, int state, QRect rect);

protected:
    friend class TIListControlString;

    virtual void DrawItem(QPainter& p, int index, int state, const QRect& rect);
    virtual void PaintFrame(QPainter& p);
    virtual void ItemMouseEnter(int) {}
    virtual void ItemMouseLeave(int) {}
    virtual void ItemMouseDown(int) {}
    virtual void ItemMouseUp(int) {}
    virtual void AdjustItemsRect(QRect&) {}
    virtual void ItemAdded();
    virtual void ItemDeleted(int index);
    virtual void ItemInserted(int index);
    virtual void ItemMoved(int from, int to);
    virtual void ItemChanged(int index);
    virtual void ItemsCleared();
    virtual void ItemsTextSet() { SetTopIndex(0); }
    virtual void DoItemClick(int index) { emit OnItemClick(index); }
    void DblClick() override;

    void paintEvent(QPaintEvent* ev) override;
    void resizeEvent(QResizeEvent* ev) override;
    void mousePressEvent(QMouseEvent* ev) override;
    void mouseMoveEvent(QMouseEvent* ev) override;
    void mouseReleaseEvent(QMouseEvent* ev) override;
    void mouseDoubleClickEvent(QMouseEvent* ev) override;
    void keyPressEvent(QKeyEvent* ev) override;
    void wheelEvent(QWheelEvent* ev) override;
    void focusInEvent(QFocusEvent* ev) override;
    void focusOutEvent(QFocusEvent* ev) override;

    // Lays out the items rectangle and the scroll bar again.
    void LayoutControls();
    int rowState(int index) const;

private:
    int clampTop(int value) const;
    bool scrollBarActive() const;
    bool rowVisible(int index) const;
    void setCount(int count);
    void updateScrollRange();
    void selectRangeOnly(int a, int b);
    void applyDragRange(int target);
    void scrollIntoView(int index, bool animate);
    void slideTo(int target);
    void onSlideTick();
    void setAutoScroll(int speed);
    void autoScrollStep(bool animate);
    int rowAtY(int y) const;
    void onBarScroll(bool firstStep, int amount, bool towardsMin, int kind);

    TIScrollBar* scrollBar_ = nullptr;
    QRect itemsRect_;
    int count_ = 0;
    int itemHeight_ = 14;
    int itemIndex_ = -1;
    int focusItem_ = -1;
    int hotItem_ = -1;
    int anchor_ = -1;
    int activeItem_ = -1;
    int topIndex_ = 0;
    bool multiSelect_ = false;
    bool ownerDraw_ = false;
    bool updating_ = false;
    std::vector<bool> selection_;
    std::vector<bool> savedSelection_;
    bool pressing_ = false;
    Qt::KeyboardModifiers pressKeys_;
    bool pressWasSelected_ = false;
    int lastDragTarget_ = -1;
    int autoScrollSpeed_ = 0;
    TWidgetTimer* autoScrollTimer_ = nullptr;
    int wheelNotches_ = 0;
    int wheelRemainder_ = 0;
    bool wheelDown_ = false;
    TWidgetTimer* wheelTimer_ = nullptr;
    // Slide: frames of the view moving from topIndex_ towards slideTarget_.
    bool sliding_ = false;
    int slideTarget_ = 0;
    int slideDistance_ = 0;
    int slideFrames_ = 0;
    int slideFrame_ = 0;
    double slideStep_ = 1;
    int slideOffset_ = 0;
    TWidgetTimer* slideTimer_ = nullptr;
};

class TIGUIListControl : public TIListControl {
    Q_OBJECT
    Q_PROPERTY(TListControlGUI GUIStyle READ GUIStyle WRITE SetGUIStyle)

public:
    enum TListControlGUI { lcgLowered, lcgFlat, lcgIintaglio };
    Q_ENUM(TListControlGUI)

    explicit TIGUIListControl(QWidget* parent = nullptr);

    TListControlGUI GUIStyle() const { return guiStyle_; }
    void SetGUIStyle(TListControlGUI value);

    // Paints a part of the scroll bar in the list's style.
    void DrawScrollBarPart(QPainter& p, int part, int state, const QRect& r);

signals:
    // Draws the scroll bar's parts instead of the style's painter when connected.
    void OnDrawScrollBar(QPainter* canvas, int part, int state, QRect rect);

protected:
    void DrawItem(QPainter& p, int index, int state, const QRect& rect) override;
    void PaintFrame(QPainter& p) override;
    void AdjustItemsRect(QRect& r) override;
    // The row height follows the font or the style (list box).
    virtual void UpdateAutoItemHeight() {}

private:
    TListControlGUI guiStyle_ = lcgFlat;
};

class TIListBox : public TIGUIListControl {
    Q_OBJECT
    Q_PROPERTY(bool AutoItemHeight READ AutoItemHeight WRITE SetAutoItemHeight)
    Q_PROPERTY(QStringList Items READ ItemsList WRITE SetItems)
    Q_PROPERTY(bool TwoLineItems READ TwoLineItems WRITE SetTwoLineItems)

public:
    explicit TIListBox(QWidget* parent = nullptr);

    bool AutoItemHeight() const { return autoItemHeight_; }
    void SetAutoItemHeight(bool value);
    TIListControlString& Items() { return items_; }
    const TIListControlString& Items() const { return items_; }
    QStringList ItemsList() const { return items_.ToStringList(); }
    // Takes a copy of the lines; the view returns to the top.
    void SetItems(const QStringList& lines);
    void SetItems(const TIListControlString& other);
    void SetOwnerDraw(bool value) override;
    // Off (the default), an item too long for its row ends in an ellipsis; on, where any item
    // is too long for its row, every row takes a smaller type and a long item goes on up to
    // two lines (the second ending in an ellipsis when even they are not enough).
    bool TwoLineItems() const { return twoLineItems_; }
    void SetTwoLineItems(bool value);

protected:
    void DrawItem(QPainter& p, int index, int state, const QRect& rect) override;
    void drawOnTwoLines(QPainter& p, const QRect& r, const QString& text, TColor color);
    // The type of every row of a two-line list drawn in `r`-wide rows.
    QFont twoLineFont(const QRect& r) const;
    void UpdateAutoItemHeight() override;
    void changeEvent(QEvent* ev) override;
    void showEvent(QShowEvent* ev) override;

private:
    // twoLineFont measures every item: kept until the items, the font or the row change
    // (a copy of the items stays shared with them until they change).
    struct TwoLineType {
        QStringList items;
        QSize row;
        QFont font;
        QFont type;
    };
    mutable std::optional<TwoLineType> twoLineType_;
    bool autoItemHeight_ = true;
    bool twoLineItems_ = false;
    TIListControlString items_;
};

#pragma once
// The platform combo box with a flat frame, a painted arrow button and the flat family's
// colours. OnChange follows a user's choice only; setting ItemIndex in code fires nothing.

#include "controlbase/FlatDrag.h"
#include "widgets/FlatUtils.h"

#include <QComboBox>

class QListView;

class TFlatComboBox : public QComboBox {
    Q_OBJECT
    Q_PROPERTY(TComboBoxStyle Style READ Style WRITE SetStyle)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(TColor ColorArrow READ ColorArrow WRITE SetColorArrow)
    Q_PROPERTY(TColor ColorArrowBackground READ ColorArrowBackground WRITE SetColorArrowBackground)
    Q_PROPERTY(TColor ColorBorder READ ColorBorder WRITE SetColorBorder)
    Q_PROPERTY(int AdvColorBorder READ AdvColorBorder WRITE SetAdvColorBorder)
    Q_PROPERTY(
        int AdvColorArrowBackground READ AdvColorArrowBackground WRITE SetAdvColorArrowBackground)
    Q_PROPERTY(bool UseAdvColors READ UseAdvColors WRITE SetUseAdvColors)
    Q_PROPERTY(int DropDownCount READ maxVisibleItems WRITE setMaxVisibleItems)
    Q_PROPERTY(int ItemHeight READ ItemHeight WRITE SetItemHeight)
    Q_PROPERTY(QStringList Items READ ItemsList WRITE SetItems)
    Q_PROPERTY(int ItemIndex READ currentIndex WRITE setCurrentIndex)
    Q_PROPERTY(int MaxLength READ MaxLength WRITE SetMaxLength)
    Q_PROPERTY(bool Sorted READ Sorted WRITE SetSorted)
    Q_PROPERTY(QString Text READ currentText WRITE SetText)
    Q_PROPERTY(TColor FontColor READ FontColor WRITE SetFontColor)
    Q_PROPERTY(TDragTypes::TDragKind DragKind READ DragKind WRITE SetDragKind)
    Q_PROPERTY(TDragTypes::TDragMode DragMode READ DragMode WRITE SetDragMode)
    Q_PROPERTY(int DragCursor READ DragCursor WRITE SetDragCursor)
    Q_PROPERTY(bool DockSite READ DockSite WRITE SetDockSite)
    Q_PROPERTY(bool UseDockManager READ UseDockManager WRITE SetUseDockManager)

public:
    enum TComboBoxStyle {
        csDropDown,
        csSimple,
        csDropDownList,
        csOwnerDrawFixed,
        csOwnerDrawVariable
    };
    Q_ENUM(TComboBoxStyle)
    // The state of an item handed to OnDrawItem.
    enum TOwnerDrawStateFlag {
        odSelected = 1,
        odDisabled = 4,
        odFocused = 16,
        odComboBoxEdit = 4096
    };
    Q_DECLARE_FLAGS(TOwnerDrawState, TOwnerDrawStateFlag)

    explicit TFlatComboBox(QWidget* parent = nullptr);
    // Drag and dock settings and their events.
    DRAG_DOCK_ACCESSORS(dragDock_)

    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    TColor ColorArrow() const { return colorArrow_; }
    TColor ColorArrowBackground() const { return colorArrowBackground_; }
    TColor ColorBorder() const { return colorBorder_; }
    void SetColorArrow(TColor value) { SetColors(0, value); }
    void SetColorArrowBackground(TColor value) { SetColors(1, value); }
    void SetColorBorder(TColor value) { SetColors(2, value); }
    // 0 ColorArrow, 1 ColorArrowBackground, 2 ColorBorder.
    void SetColors(int index, TColor value);
    int AdvColorBorder() const { return advColorBorder_; }
    int AdvColorArrowBackground() const { return advColorArrowBackground_; }
    void SetAdvColorBorder(int value) { SetAdvColors(0, value); }
    void SetAdvColorArrowBackground(int value) { SetAdvColors(1, value); }
    // 0 AdvColorBorder, 1 AdvColorArrowBackground.
    void SetAdvColors(int index, TAdvColors value);
    bool UseAdvColors() const { return useAdvColors_; }
    void SetUseAdvColors(bool value);
    int ItemHeight() const { return itemHeight_; }
    // Row height of the list; the height of every row with csOwnerDrawFixed.
    void SetItemHeight(int value);
    QStringList ItemsList() const;
    void SetItems(const QStringList& lines);
    // Adds in order while Sorted; returns the new item's index.
    int AddItem(const QString& text);
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int value);
    bool Sorted() const { return sorted_; }
    void SetSorted(bool value);
    void SetText(const QString& value);
    TColor FontColor() const;
    void SetFontColor(TColor value);

    bool DroppedDown() const { return dropped_; }
    bool OwnerDraw() const { return style_ == csOwnerDrawFixed || style_ == csOwnerDrawVariable; }
    // The list that csSimple shows under the edit at all times (null for the other styles).
    QListView* SimpleList() const { return simpleList_; }
    // The arrow button's pixels.
    QRect ButtonRect() const;
    void showPopup() override;
    void hidePopup() override;

signals:
    void OnChange();
    void OnClick();
    void OnDropDown();
    void OnDblClick();
    // Owner-draw styles: the item is drawn by the handler on canvas within rect.
    void OnDrawItem(int index, QPainter* canvas, QRect rect, TOwnerDrawState state);
    // csOwnerDrawVariable: the handler may change height (it starts at ItemHeight).
    void OnMeasureItem(int index, int* height);
    void OnEnter();
    void OnExit();
    void OnKeyDown(int key, Qt::KeyboardModifiers shift);
    void OnKeyPress(QChar key);
    void OnKeyUp(int key, Qt::KeyboardModifiers shift);

protected:
    void paintEvent(QPaintEvent* ev) override;
    void resizeEvent(QResizeEvent* ev) override;
    void focusInEvent(QFocusEvent* ev) override;
    void focusOutEvent(QFocusEvent* ev) override;
    void keyPressEvent(QKeyEvent* ev) override;
    void keyReleaseEvent(QKeyEvent* ev) override;
    bool event(QEvent* ev) override;
    bool eventFilter(QObject* watched, QEvent* ev) override;
    void mouseDoubleClickEvent(QMouseEvent* ev) override;
    void changeEvent(QEvent* ev) override;

private:
    bool editable() const { return style_ == csDropDown || style_ == csSimple; }
    void calcAdvColors();
    void placeEdit();
    void applyPopupColor();
    void placeSimpleList();
    int editHeight() const;

    TComboBoxStyle style_ = csDropDown;
    TColor color_ = 0x00E1EAEB;
    TColor colorArrow_ = clBlack;
    TColor colorArrowBackground_ = 0x00C5D6D9;
    TColor colorBorder_ = 0x008396A0;
    bool useAdvColors_ = false;
    TAdvColors advColorBorder_ = 50;
    TAdvColors advColorArrowBackground_ = 10;
    int itemHeight_ = 13;
    int maxLength_ = 0;
    bool sorted_ = false;
    bool dropped_ = false;
    QListView* simpleList_ = nullptr;
    TDragDock* dragDock_;
};
Q_DECLARE_OPERATORS_FOR_FLAGS(TFlatComboBox::TOwnerDrawState)

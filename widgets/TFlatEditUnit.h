#pragma once
// Single-line edit with a flat three-pixel frame that lights up while it has the focus, or
// while the mouse is over it and no other flat edit has the focus.

#include "widgets/FlatUtils.h"

#include <QLineEdit>

class TCustomFlatEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(TColor ColorFocused READ ColorFocused WRITE SetColorFocused)
    Q_PROPERTY(TColor ColorBorder READ ColorBorder WRITE SetColorBorder)
    Q_PROPERTY(TColor ColorFlat READ ColorFlat WRITE SetColorFlat)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
    Q_PROPERTY(int AdvColorFocused READ AdvColorFocused WRITE SetAdvColorFocused)
    Q_PROPERTY(int AdvColorBorder READ AdvColorBorder WRITE SetAdvColorBorder)
    Q_PROPERTY(bool UseAdvColors READ UseAdvColors WRITE SetUseAdvColors)
    Q_PROPERTY(TEditCharCase CharCase READ CharCase WRITE SetCharCase)
    Q_PROPERTY(int MaxLength READ maxLength WRITE SetMaxLength)
    Q_PROPERTY(QChar PasswordChar READ PasswordChar WRITE SetPasswordChar)
    Q_PROPERTY(bool ReadOnly READ isReadOnly WRITE setReadOnly)
    Q_PROPERTY(bool HideSelection READ HideSelection WRITE SetHideSelection)
    Q_PROPERTY(QString Text READ text WRITE setText)
    Q_PROPERTY(TColor FontColor READ FontColor WRITE SetFontColor)
    Q_PROPERTY(TDragTypes::TDragKind DragKind READ DragKind WRITE SetDragKind)
    Q_PROPERTY(TDragTypes::TDragMode DragMode READ DragMode WRITE SetDragMode)
    Q_PROPERTY(int DragCursor READ DragCursor WRITE SetDragCursor)
    Q_PROPERTY(bool DockSite READ DockSite WRITE SetDockSite)
    Q_PROPERTY(bool UseDockManager READ UseDockManager WRITE SetUseDockManager)

public:
    enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
    Q_ENUM(TEditCharCase)

    explicit TCustomFlatEdit(QWidget* parent = nullptr);
    // Drag and dock settings and their events.
    DRAG_DOCK_ACCESSORS(dragDock_)

    TColor ColorFocused() const { return colorFocused_; }
    TColor ColorBorder() const { return colorBorder_; }
    TColor ColorFlat() const { return colorFlat_; }
    void SetColorFocused(TColor value) { SetColors(0, value); }
    void SetColorBorder(TColor value) { SetColors(1, value); }
    void SetColorFlat(TColor value) { SetColors(2, value); }
    // 0 ColorFocused, 1 ColorBorder, 2 ColorFlat (which turns ParentColor off).
    void SetColors(int index, TColor value);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);
    int AdvColorFocused() const { return advColorFocused_; }
    int AdvColorBorder() const { return advColorBorder_; }
    void SetAdvColorFocused(int value) { SetAdvColors(0, value); }
    void SetAdvColorBorder(int value) { SetAdvColors(1, value); }
    void SetAdvColors(int index, TAdvColors value);
    bool UseAdvColors() const { return useAdvColors_; }
    void SetUseAdvColors(bool value);
    TEditCharCase CharCase() const { return charCase_; }
    void SetCharCase(TEditCharCase value);
    void SetMaxLength(int value) { setMaxLength(value > 0 ? value : 32767); }
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool value);
    QChar PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(QChar value);
    TColor FontColor() const;
    void SetFontColor(TColor value);

    // The face colour now: ColorFocused while lit, else ColorFlat.
    TColor Color() const { return Lit() ? colorFocused_ : colorFlat_; }
    bool Lit() const;
    bool MouseInside() const { return mouseInside_; }
    // End of form loading: the height follows the font from now on. Runs when the edit is
    // first polished if the form did not call it.
    void Loaded();

signals:
    void OnChange();
    void OnClick();
    void OnDblClick();
    void OnEnter();
    void OnExit();
    void OnKeyDown(int key, Qt::KeyboardModifiers shift);
    void OnKeyPress(QChar key);
    void OnKeyUp(int key, Qt::KeyboardModifiers shift);
    void OnMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void OnMouseMove(Qt::KeyboardModifiers shift, int x, int y);
    void OnMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);

protected:
    void paintEvent(QPaintEvent* ev) override;
    void enterEvent(QEnterEvent* ev) override;
    void leaveEvent(QEvent* ev) override;
    void focusInEvent(QFocusEvent* ev) override;
    void focusOutEvent(QFocusEvent* ev) override;
    void keyPressEvent(QKeyEvent* ev) override;
    void keyReleaseEvent(QKeyEvent* ev) override;
    void mousePressEvent(QMouseEvent* ev) override;
    void mouseMoveEvent(QMouseEvent* ev) override;
    void mouseReleaseEvent(QMouseEvent* ev) override;
    void mouseDoubleClickEvent(QMouseEvent* ev) override;
    bool event(QEvent* ev) override;
    void changeEvent(QEvent* ev) override;

private:
    void calcAdvColors();
    void parentColorChanged();
    void redrawFrame();
    void fitHeight();

    bool useAdvColors_ = false;
    TAdvColors advColorFocused_ = 10;
    TAdvColors advColorBorder_ = 50;
    bool parentColor_ = true;
    TColor colorFocused_ = clWhite;
    TColor colorBorder_ = 0x008396A0;
    TColor colorFlat_ = 0x00E1EAEB;
    bool mouseInside_ = false;
    bool loaded_ = false;
    bool clicked_ = false;
    TEditCharCase charCase_ = ecNormal;
    QChar passwordChar_;
    bool hideSelection_ = true;
    TDragDock* dragDock_;
};

class TFlatEdit : public TCustomFlatEdit {
    Q_OBJECT
public:
    using TCustomFlatEdit::TCustomFlatEdit;
};

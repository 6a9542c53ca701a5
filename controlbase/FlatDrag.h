#pragma once
// Dragging one control onto another, and the other notifications a control publishes beside
// its own: context popup and the resize checks.
//
// A control owns a TDragDock. With DragMode dmAutomatic a left press on the control starts a
// drag at once (the press is then the drag's, not the control's); with dmManual the program
// calls BeginDrag. While the button is held, the control under the mouse that has a TDragDock
// hears OnDragOver (enter, move, leave) and sets Accept; a release over an accepting control
// fires its OnDragDrop, and the source always hears OnEndDrag with the target (or none) and the
// point in the target's coordinates. With DragKind dkDock the same drag fires OnStartDock and
// OnEndDock, and the controls that hear it are the dock sites (DockSite on): OnGetSiteInfo
// lets a site refuse, OnDockOver and OnDockDrop stand for the drag's over and drop. Docking
// itself moves nothing, so nothing is ever undocked either.

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QSize>
#include <QWidget>

struct TDragTypes {
    Q_GADGET
public:
    enum TDragKind { dkDrag, dkDock };
    Q_ENUM(TDragKind)
    enum TDragMode { dmManual, dmAutomatic };
    Q_ENUM(TDragMode)
    enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
    Q_ENUM(TDragState)
};

// The drag and dock settings a control publishes, kept in its TDragDock `member`.
#define DRAG_DOCK_ACCESSORS(member)                                                                \
    TDragDock* DragDock() const {                                                                  \
        return member;                                                                             \
    }                                                                                              \
    TDragTypes::TDragKind DragKind() const {                                                       \
        return member->DragKind();                                                                 \
    }                                                                                              \
    void SetDragKind(TDragTypes::TDragKind v) {                                                    \
        member->SetDragKind(v);                                                                    \
    }                                                                                              \
    TDragTypes::TDragMode DragMode() const {                                                       \
        return member->DragMode();                                                                 \
    }                                                                                              \
    void SetDragMode(TDragTypes::TDragMode v) {                                                    \
        member->SetDragMode(v);                                                                    \
    }                                                                                              \
    int DragCursor() const {                                                                       \
        return member->DragCursor();                                                               \
    }                                                                                              \
    void SetDragCursor(int v) {                                                                    \
        member->SetDragCursor(v);                                                                  \
    }                                                                                              \
    bool DockSite() const {                                                                        \
        return member->DockSite();                                                                 \
    }                                                                                              \
    void SetDockSite(bool v) {                                                                     \
        member->SetDockSite(v);                                                                    \
    }                                                                                              \
    bool UseDockManager() const {                                                                  \
        return member->UseDockManager();                                                           \
    }                                                                                              \
    void SetUseDockManager(bool v) {                                                               \
        member->SetUseDockManager(v);                                                              \
    }

class TDragDock : public QObject, public TDragTypes {
    Q_OBJECT
public:
    // The drag cursor a control starts with.
    static constexpr int crDrag = -12;

    explicit TDragDock(QWidget* control);
    // The TDragDock of w, if it has one.
    static TDragDock* Of(const QWidget* w);

    TDragKind DragKind() const { return kind_; }
    void SetDragKind(TDragKind v) { kind_ = v; }
    TDragMode DragMode() const { return mode_; }
    void SetDragMode(TDragMode v) { mode_ = v; }
    int DragCursor() const { return cursor_; }
    void SetDragCursor(int v) { cursor_ = v; }
    bool DockSite() const { return dockSite_; }
    void SetDockSite(bool v) { dockSite_ = v; }
    bool UseDockManager() const { return useDockManager_; }
    void SetUseDockManager(bool v) { useDockManager_ = v; }
    bool ParentShowHint() const { return parentShowHint_; }
    void SetParentShowHint(bool v) { parentShowHint_ = v; }

    // Starts a drag from the control now (the mouse button is expected to be held).
    void BeginDrag();
    // Ends a running drag; drop says whether the target may take it.
    void EndDrag(bool drop);
    bool Dragging() const { return dragging_; }
    // The control the mouse is over and whether it accepts the drag.
    QWidget* Target() const { return target_; }
    bool Accepted() const { return accepted_; }

signals:
    void OnStartDrag();
    void OnDragOver(QObject* source, int x, int y, TDragTypes::TDragState state, bool* accept);
    void OnDragDrop(QObject* source, int x, int y);
    void OnEndDrag(QObject* target, int x, int y);
    void OnStartDock();
    void OnEndDock(QObject* target, int x, int y);
    void OnGetSiteInfo(QObject* client, bool* canDock);
    void OnDockOver(QObject* source, int x, int y, TDragTypes::TDragState state, bool* accept);
    void OnDockDrop(QObject* source, int x, int y);
    void OnContextPopup(QPoint mousePos, bool* handled);
    void OnCanResize(int* newWidth, int* newHeight, bool* resize);
    void OnConstrainedResize(int* minWidth, int* minHeight, int* maxWidth, int* maxHeight);

protected:
    bool eventFilter(QObject* watched, QEvent* ev) override;

private:
    // Whether w hears this drag: any control with a TDragDock, or for a dock a dock site that
    // does not refuse it.
    bool takesPart(const QWidget* w) const;
    void moveTo(QPoint global);
    void checkResize();

    QWidget* control_;
    TDragKind kind_ = dkDrag;
    TDragMode mode_ = dmManual;
    int cursor_ = crDrag;
    bool dockSite_ = false;
    bool useDockManager_ = false;
    bool parentShowHint_ = true;
    bool dragging_ = false;
    bool accepted_ = false;
    bool resizing_ = false;
    QPointer<QWidget> target_;
    QPoint lastGlobal_;
    QSize lastSize_;
};

// Parameter groups that forward to their control's own properties.
class TPackParam : public QObject {
    Q_OBJECT
public:
    explicit TPackParam(QWidget* control) : QObject(nullptr), control_(control) {}
    QWidget* Control() const { return control_; }
    // Takes the other group's control.
    void Assign(const TPackParam& source) { control_ = source.control_; }

protected:
    QPointer<QWidget> control_;
};

class TDrag : public TPackParam, public TDragTypes {
    Q_OBJECT
    Q_PROPERTY(TDragTypes::TDragKind DragKind READ DragKind WRITE SetDragKind)
    Q_PROPERTY(int DragCursor READ DragCursor WRITE SetDragCursor)
    Q_PROPERTY(TDragTypes::TDragMode DragMode READ DragMode WRITE SetDragMode)
public:
    using TPackParam::TPackParam;
    TDragKind DragKind() const;
    void SetDragKind(TDragKind v);
    int DragCursor() const;
    void SetDragCursor(int v);
    TDragMode DragMode() const;
    void SetDragMode(TDragMode v);
};

class TParentEffect : public TPackParam {
    Q_OBJECT
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(bool ParentShowHint READ ParentShowHint WRITE SetParentShowHint)
public:
    using TPackParam::TPackParam;
    bool ParentColor() const;
    void SetParentColor(bool v);
    // The control takes its parent's font (no font of its own set).
    bool ParentFont() const;
    void SetParentFont(bool v);
    bool ParentShowHint() const;
    void SetParentShowHint(bool v);
};

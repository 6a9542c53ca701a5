#pragma once
// A player drawn over its form: the form shows through wherever the movie draws
// nothing, and a click there goes to what lies below. It takes no keyboard focus (the
// form keeps the keys); a click on the movie gives the movie the input method's text
// until the next click elsewhere. It gets its player when it first gets a parent, once
// only.
//
// MakeParentTransparent turns the whole form into a borderless per-pixel translucent
// window showing only the movie, which then takes the keys as well; where the window
// system cannot (no compositing) the switch is refused and the property keeps its value.

#include "flashhost/FlashHostControl.h"

#include <QImage>
#include <QList>
#include <QPointer>
#include <QRect>
#include <QRegion>

class QPainter;

class TTransparentFlashHostControl : public TFlashHostControl {
    Q_OBJECT
    Q_PROPERTY(bool MakeParentTransparent READ MakeParentTransparent WRITE setMakeParentTransparent)

public:
    explicit TTransparentFlashHostControl(QWidget* parent = nullptr);
    ~TTransparentFlashHostControl() override;

    bool MakeParentTransparent() const { return makeParentTransparent_; }
    void setMakeParentTransparent(bool on);

    // Whether the point (control coordinates) falls on a part of the movie that shows.
    bool hitsMovie(const QPoint& at) const;
    // The movie took the input method (a click on it) and has not lost it since.
    bool playerHasFocus() const { return playerFocus_; }

signals:
    // The player redraws `rc` (control coordinates); a handler may change what of the
    // form is redrawn with it.
    void OnUpdateRect(QRect& rc);
    // On a layered form, the picture the window is about to show, premultiplied ARGB; a
    // handler may change its pixels, and the window then shows them instead.
    void OnFlashPaint(QImage& pixels);
    // Painting under the movie, before it is drawn.
    void OnDrawBackground(QPainter& canvas);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void setupPlayerView(QWidget* view) override;

private:
    struct SavedParent {
        Qt::WindowFlags flags;
        bool translucent = false;
        QRect bounds;                            // of this control
        QList<QPointer<QWidget>> hiddenSiblings; // only the movie shows meanwhile
    };
    bool passMouseThrough(QEvent* event);
    QWidget* widgetBelow(const QPoint& global);
    void setPlayerFocus(bool on);
    bool forwardInputMethod(QObject* watched, QEvent* event);
    void playerPainted(const QRect& dirty);
    void reportFlashPaint();
    void setPlayerTakesKeys(bool on);
    static void renewWindow(QWidget* form, Qt::WindowFlags flags);
    static void restoreForm(QWidget* form, const SavedParent& saved);

    class InputMethodRelay;
    class PaintedPicture;

    bool makeParentTransparent_ = false;
    bool playerFocus_ = false;
    bool flashPaintPending_ = false;
    bool grabbing_ = false; // the view is being grabbed for OnFlashPaint
    // What this control itself had redrawn over the view (control coordinates): its repaint
    // of the view is no frame of the player's.
    QRegion echo_;
    QPointer<QWidget> passTarget_; // what lies below a press on a transparent part
    InputMethodRelay* relay_ = nullptr;
    PaintedPicture* painted_ = nullptr; // what an OnFlashPaint handler made of the picture
    SavedParent saved_;
};

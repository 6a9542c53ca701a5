#pragma once
// A player drawn over its form: the form shows through wherever the movie draws
// nothing. It takes no focus (the form keeps the keys) and gets its player when it
// first gets a parent, once only.
//
// MakeParentTransparent turns the whole form into a borderless per-pixel translucent
// window showing only the movie; where the window system cannot (no compositing) the
// switch is refused and the property keeps its value.

#include "flashhost/FlashHostControl.h"

#include <QList>
#include <QPointer>
#include <QRect>

class TTransparentFlashHostControl : public TFlashHostControl {
    Q_OBJECT
    Q_PROPERTY(bool MakeParentTransparent READ MakeParentTransparent WRITE setMakeParentTransparent)

public:
    explicit TTransparentFlashHostControl(QWidget* parent = nullptr);
    ~TTransparentFlashHostControl() override;

    bool MakeParentTransparent() const { return makeParentTransparent_; }
    void setMakeParentTransparent(bool on);

protected:
    bool event(QEvent* event) override;
    void setupPlayerView(QWidget* view) override;

private:
    struct SavedParent {
        Qt::WindowFlags flags;
        bool translucent = false;
        QRect bounds;                            // of this control
        QList<QPointer<QWidget>> hiddenSiblings; // only the movie shows meanwhile
    };
    bool makeParentTransparent_ = false;
    SavedParent saved_;
};

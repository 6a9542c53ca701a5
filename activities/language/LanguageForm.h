#pragma once
// Base of the picture and English windows: the activity window and the English menu
// that some of them bring back on close; and the clickable label they use.

#include "app/TActivityForm.h"

#include <QLabel>

class TLanguageForm : public TActivityForm {
    Q_OBJECT
public:
    explicit TLanguageForm(QWidget* parent = nullptr) : TActivityForm(parent) {}

protected:
    // The English menu, when it is open, moves back to the middle of the screen.
    static void recentreEnglishMenu();
};

// A label that reports clicks and the mouse, as the class library's labels did.
class TClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void OnClick();
    void OnMouseEnter();
    void OnMouseLeave();
    void OnMouseDown();
    void OnMouseUp();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
};

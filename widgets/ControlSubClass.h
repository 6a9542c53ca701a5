#pragma once
// Flat painters for a form's standard controls, attached by TThemedMenu (ThemedMenu.h): a
// TControlSubClass watches one control's events, tracks its hot, focus and pressed states and
// paints the control's frame, box or face over the control's own drawing.
//
// Kinds: QComboBox (xcCombo), QLineEdit (xcEdit; with an input mask xcMaskEdit), QCheckBox
// (xcCheckBox), QRadioButton (xcRadioButton), QPushButton (xcButton, also a class named TUpDown), a
// plain QFrame or a flat panel (xcPanel) and QGroupBox (xcGroupBox); their parent must be a
// selected container: the form (xccForm), a panel (xccPanel) or a group box (xccGroupBox). A
// control or parent whose "Tag" is 999 is left alone; a negative Tag is watched but never painted;
// Tag 1234567890 keeps the plain flat look under ControlUseTrueXPStyle.

#include "widgets/ThemedControlLook.h"

#include <QPointer>

class QPainter;

class TControlSubClass : public QObject {
    Q_OBJECT
public:
    enum TControlKind { ckCombo, ckEdit, ckCheckBox, ckRadioButton, ckButton, ckPanel, ckGroupBox };
    Q_ENUM(TControlKind)

    // Whether the control gets a painter with these selections, and of which kind.
    static bool Qualifies(const QWidget* control, const QWidget* form,
                          TThemedTypes::TThemedControls controls,
                          TThemedTypes::TThemedContainers containers, TControlKind* kind);

    TControlSubClass(TThemedControlLook* owner, QWidget* control, TControlKind kind);
    // Gives the control its own look back.
    ~TControlSubClass() override;

    QWidget* Control() const { return control_; }
    TControlKind Kind() const { return kind_; }
    bool Hot() const { return hot_; }
    bool ButtonDown() const { return buttonDown_; }
    bool SpaceDown() const { return spaceDown_; }
    // Paints made so far (each state change asks for one).
    int PaintCount() const { return paintCount_; }

    // Draws the control's flat look on p (called after the control painted itself).
    void Paint(QPainter& p);

protected:
    bool eventFilter(QObject* watched, QEvent* ev) override;

private:
    void requestPaint();
    bool xpStyle() const;
    TColor parentColor() const;
    void setControlColour(TColor colour);
    void paintEdit(QPainter& p, const TThemedColors& c);
    void paintCombo(QPainter& p, const TThemedColors& c);
    void paintCheck(QPainter& p, const TThemedColors& c, bool radio);
    void paintButton(QPainter& p, const TThemedColors& c);
    void paintPanel(QPainter& p);
    void paintGroupBox(QPainter& p);

    QPointer<TThemedControlLook> owner_;
    QPointer<QWidget> control_;
    QPointer<QWidget> list_; // a combo's drop-down list window
    TControlKind kind_;
    bool hot_ = false;
    bool buttonDown_ = false;
    bool spaceDown_ = false;
    bool spaceRepeat_ = false;
    bool focused_ = false;
    bool painting_ = false;
    int paintCount_ = 0;
    bool savedFrame_ = true;
};

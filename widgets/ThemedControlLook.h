#pragma once
// What the flat control painters read from the component that owns them: the selections of
// controls and containers, the working colours, and the control colours of the XP look.

#include "widgets/FlatUtils.h"

#include <QFlags>
#include <QFont>
#include <QObject>

class QPaintDevice;

struct TThemedTypes {
    Q_GADGET
public:
    enum TThemedContainer {
        xccForm = 1 << 0,
        xccFrame = 1 << 1,
        xccToolbar = 1 << 2,
        xccCoolbar = 1 << 3,
        xccControlbar = 1 << 4,
        xccPanel = 1 << 5,
        xccScrollBox = 1 << 6,
        xccGroupBox = 1 << 7,
        xccTabSheet = 1 << 8,
        xccPageScroller = 1 << 9
    };
    Q_DECLARE_FLAGS(TThemedContainers, TThemedContainer)
    Q_FLAG(TThemedContainers)
    enum TThemedControl {
        xcMainMenu = 1 << 0,
        xcPopupMenu = 1 << 1,
        xcToolbar = 1 << 2,
        xcControlbar = 1 << 3,
        xcCombo = 1 << 4,
        xcEdit = 1 << 5,
        xcMaskEdit = 1 << 6,
        xcMemo = 1 << 7,
        xcRichEdit = 1 << 8,
        xcCheckBox = 1 << 9,
        xcRadioButton = 1 << 10,
        xcButton = 1 << 11,
        xcBitBtn = 1 << 12,
        xcSpeedButton = 1 << 13,
        xcPanel = 1 << 14,
        xcGroupBox = 1 << 15
    };
    Q_DECLARE_FLAGS(TThemedControls, TThemedControl)
    Q_FLAG(TThemedControls)
};
Q_DECLARE_OPERATORS_FOR_FLAGS(TThemedTypes::TThemedContainers)
Q_DECLARE_OPERATORS_FOR_FLAGS(TThemedTypes::TThemedControls)

// The working colours derived before each item or control is drawn.
struct TThemedColors {
    bool HighColor = true;
    TColor Menu, IconStrip, SelectFill, SelectBorder, HotFont, CheckFill, CheckFillHot,
        CheckedFrame, MenuBar, Disabled, Separator, Frame, Shadow;
    QFont Font;
    TColor FontColor;
};

// The control colours and the colour rules the control painters share. The menu component
// derives from it; a painter holds only this part of its owner.
class TThemedControlLook : public QObject, public TThemedTypes {
    Q_OBJECT
    Q_PROPERTY(bool ControlUseTrueXPStyle READ ControlUseTrueXPStyle WRITE SetControlUseTrueXPStyle)
    Q_PROPERTY(int BtnRoundArc READ BtnRoundArc WRITE SetBtnRoundArc)
    Q_PROPERTY(
        TColor BtnOutLineBorderColor READ BtnOutLineBorderColor WRITE SetBtnOutLineBorderColor)
    Q_PROPERTY(TColor BtnInnerBorderMoveColor READ BtnInnerBorderMoveColor WRITE
                   SetBtnInnerBorderMoveColor)
    Q_PROPERTY(TColor BtnInnerBorderFocusColor READ BtnInnerBorderFocusColor WRITE
                   SetBtnInnerBorderFocusColor)
    Q_PROPERTY(
        TColor BtnSurfaceNormalColor READ BtnSurfaceNormalColor WRITE SetBtnSurfaceNormalColor)
    Q_PROPERTY(TColor BtnSurfaceDownColor READ BtnSurfaceDownColor WRITE SetBtnSurfaceDownColor)
    Q_PROPERTY(TColor BtnSurfaceBottomLineColor READ BtnSurfaceBottomLineColor WRITE
                   SetBtnSurfaceBottomLineColor)
    Q_PROPERTY(TColor BtnSurfaceDownBottomLineColor READ BtnSurfaceDownBottomLineColor WRITE
                   SetBtnSurfaceDownBottomLineColor)
    Q_PROPERTY(
        TColor RdoChkControlChkColor READ RdoChkControlChkColor WRITE SetRdoChkControlChkColor)
    Q_PROPERTY(TColor ComboBoxChkColor READ ComboBoxChkColor WRITE SetComboBoxChkColor)
    Q_PROPERTY(TColor ComboboxSurfaceMoveColor READ ComboboxSurfaceMoveColor WRITE
                   SetComboboxSurfaceMoveColor)
    Q_PROPERTY(TColor ControlDisabledBorderColor READ ControlDisabledBorderColor WRITE
                   SetControlDisabledBorderColor)

public:
    explicit TThemedControlLook(QObject* parent) : QObject(parent) {}

// A stored value with its getter and setter, named as the designer names it.
#define THEMED_VALUE(Type, Name, member)                                                           \
    Type Name() const {                                                                            \
        return member;                                                                             \
    }                                                                                              \
    void Set##Name(Type v) {                                                                       \
        member = v;                                                                                \
    }
    THEMED_VALUE(int, BtnRoundArc, btnRoundArc_)
    THEMED_VALUE(TColor, BtnOutLineBorderColor, btnOutLineBorderColor_)
    THEMED_VALUE(TColor, BtnInnerBorderMoveColor, btnInnerBorderMoveColor_)
    THEMED_VALUE(TColor, BtnInnerBorderFocusColor, btnInnerBorderFocusColor_)
    THEMED_VALUE(TColor, BtnSurfaceNormalColor, btnSurfaceNormalColor_)
    THEMED_VALUE(TColor, BtnSurfaceDownColor, btnSurfaceDownColor_)
    THEMED_VALUE(TColor, BtnSurfaceBottomLineColor, btnSurfaceBottomLineColor_)
    THEMED_VALUE(TColor, BtnSurfaceDownBottomLineColor, btnSurfaceDownBottomLineColor_)
    THEMED_VALUE(TColor, RdoChkControlChkColor, rdoChkControlChkColor_)
    THEMED_VALUE(TColor, ComboBoxChkColor, comboBoxChkColor_)
    THEMED_VALUE(TColor, ComboboxSurfaceMoveColor, comboboxSurfaceMoveColor_)
    THEMED_VALUE(TColor, ControlDisabledBorderColor, controlDisabledBorderColor_)
    // The unpublished face of a dropped-down combo button.
    TColor ComboDroppedColor() const {
        return comboDroppedColor_;
    }
    bool ControlUseTrueXPStyle() const {
        return controlUseTrueXPStyle_;
    }
    // Set True, it puts the control colours back to their fixed values.
    void SetControlUseTrueXPStyle(bool v);

    // Colour rules on resolved RGB values.
    static TColor Lighten(TColor c, int percent);
    static TColor Darken(TColor c, int amount);
    static TColor Gray(TColor c, int amount);

    // The working colours for drawing on device.
    virtual TThemedColors SetupColors(const QPaintDevice* device) const = 0;

private:
    bool controlUseTrueXPStyle_ = false;
    int btnRoundArc_ = 5;
    TColor btnOutLineBorderColor_, btnInnerBorderMoveColor_, btnInnerBorderFocusColor_,
        btnSurfaceNormalColor_, btnSurfaceDownColor_, btnSurfaceBottomLineColor_,
        btnSurfaceDownBottomLineColor_, rdoChkControlChkColor_, comboBoxChkColor_,
        comboboxSurfaceMoveColor_, controlDisabledBorderColor_, comboDroppedColor_;
};

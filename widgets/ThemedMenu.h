#pragma once
// TThemedMenu: dropped once on a form, it draws the form's popup menus and menu bar in a flat
// look (icon strip with an optional gradient, a bordered selection box, drawn ticks, dimmed or
// grey pictures, lighter shortcut text, an optional flat frame with a two-pixel shadow), and can
// give the form's standard controls flat painters (ControlSubClass.h).
//
// Menus are drawn through a style set on the form's QMenus and QMenuBars, existing ones and
// those made later; Qt keeps their keyboard navigation and mnemonics. An item (QAction), menu
// bar, control or container whose "Tag" property is 999 keeps its own look (popup menus are
// styled whatever their Tag).

#include "widgets/FlatUtils.h"
#include "widgets/ThemedControlLook.h"

#include <QFont>
#include <QImage>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QProxyStyle>

class QMenu;
class QMenuBar;
class TControlSubClass;
class TThemedMenu;

// One menu item as the drawing reads it.
struct TMenuItemInfo {
    QString Caption; // "-" is a separator
    QString ShortCut;
    QImage Picture;
    bool Checked = false;
    bool RadioItem = false;
    bool Enabled = true;
    bool Default = false;
    bool SubMenu = false;
    bool MenuBarItem = false; // a top-level item of the form's menu bar
};

class TThemedMenu : public TThemedControlLook {
    Q_OBJECT
    Q_PROPERTY(int DimLevel READ DimLevel WRITE SetDimLevel)
    Q_PROPERTY(int GrayLevel READ GrayLevel WRITE SetGrayLevel)
    Q_PROPERTY(QFont Font READ Font WRITE SetFont)
    Q_PROPERTY(TColor FontColor READ FontColor WRITE SetFontColor)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(TColor IconBackColor READ IconBackColor WRITE SetIconBackColor)
    Q_PROPERTY(TColor MenuBarColor READ MenuBarColor WRITE SetMenuBarColor)
    Q_PROPERTY(TColor SelectColor READ SelectColor WRITE SetSelectColor)
    Q_PROPERTY(TColor SelectBorderColor READ SelectBorderColor WRITE SetSelectBorderColor)
    Q_PROPERTY(TColor SelectFontColor READ SelectFontColor WRITE SetSelectFontColor)
    Q_PROPERTY(TColor DisabledColor READ DisabledColor WRITE SetDisabledColor)
    Q_PROPERTY(TColor SeparatorColor READ SeparatorColor WRITE SetSeparatorColor)
    Q_PROPERTY(TColor CheckedColor READ CheckedColor WRITE SetCheckedColor)
    Q_PROPERTY(int IconWidth READ IconWidth WRITE SetIconWidth)
    Q_PROPERTY(bool DrawSelect READ DrawSelect WRITE SetDrawSelect)
    Q_PROPERTY(bool UseSystemColors READ UseSystemColors WRITE SetUseSystemColors)
    Q_PROPERTY(bool OverrideOwnerDraw READ OverrideOwnerDraw WRITE SetOverrideOwnerDraw)
    Q_PROPERTY(bool Gradient READ Gradient WRITE SetGradient)
    Q_PROPERTY(bool FlatMenu READ FlatMenu WRITE SetFlatMenu)
    Q_PROPERTY(bool AutoDetect READ AutoDetect WRITE SetAutoDetect)
    Q_PROPERTY(TThemedTypes::TThemedContainers ThemedContainers READ ThemedContainers WRITE
                   SetThemedContainers)
    Q_PROPERTY(
        TThemedTypes::TThemedControls ThemedControls READ ThemedControls WRITE SetThemedControls)
    Q_PROPERTY(bool Active READ Active WRITE SetActive)

public:
    // The form whose menus (and controls) it styles; it lives and dies with the form.
    explicit TThemedMenu(QWidget* form);
    ~TThemedMenu() override;

    QWidget* Form() const { return form_; }

    THEMED_VALUE(int, DimLevel, dimLevel_)
    THEMED_VALUE(int, GrayLevel, grayLevel_)
    THEMED_VALUE(TColor, Color, color_)
    THEMED_VALUE(TColor, IconBackColor, iconBackColor_)
    THEMED_VALUE(TColor, SelectColor, selectColor_)
    THEMED_VALUE(TColor, SelectBorderColor, selectBorderColor_)
    THEMED_VALUE(TColor, SelectFontColor, selectFontColor_)
    THEMED_VALUE(TColor, DisabledColor, disabledColor_)
    THEMED_VALUE(TColor, SeparatorColor, separatorColor_)
    THEMED_VALUE(TColor, CheckedColor, checkedColor_)
    THEMED_VALUE(int, IconWidth, iconWidth_)
    THEMED_VALUE(bool, DrawSelect, drawSelect_)
    THEMED_VALUE(bool, Gradient, gradient_)
    THEMED_VALUE(bool, FlatMenu, flatMenu_)
    THEMED_VALUE(bool, AutoDetect, autoDetect_)
    THEMED_VALUE(bool, OverrideOwnerDraw, overrideOwnerDraw_)

    QFont Font() const { return font_; }
    void SetFont(const QFont& v);
    TColor FontColor() const { return fontColor_; }
    void SetFontColor(TColor v);
    TColor MenuBarColor() const { return menuBarColor_; }
    void SetMenuBarColor(TColor v);
    bool UseSystemColors() const { return useSystemColors_; }
    void SetUseSystemColors(bool v);
    TThemedContainers ThemedContainers() const { return themedContainers_; }
    void SetThemedContainers(TThemedContainers v);
    TThemedControls ThemedControls() const { return themedControls_; }
    void SetThemedControls(TThemedControls v);
    bool Active() const { return active_; }
    void SetActive(bool v);

    // The menu font of the system: the configured face standing for "宋体", 12 pixels.
    static QFont SystemMenuFont();

    TColor ContrastColor(TColor c) const;

    // Bits per pixel the colours are derived for; 0 (the default) takes the painted device's.
    void SetDisplayDepth(int bits) { displayDepth_ = bits; }
    TThemedColors SetupColors(const QPaintDevice* device) const override;

    // Size of an item; current is the size asked for so far (the result is never smaller).
    QSize MeasureMenuItem(const TMenuItemInfo& item, QSize current = QSize(0, 0)) const;
    // Draws an item into rect; right to left, the strip, marks and caption sit at the right.
    void DrawMenuItem(QPainter& p, const TMenuItemInfo& item, const QRect& rect, bool selected,
                      bool rightToLeft = false) const;
    // The column colours of the icon strip's gradient from rect's left edge (right to left:
    // from its right edge).
    void FillGradient(QPainter& p, const QRect& rect, const TThemedColors& c,
                      bool rightToLeft = false) const;
    // The flat popup frame with its two-pixel shadow, inside the popup's own rectangle; right
    // to left, the icon strip's edge runs along the right.
    void DrawMenuWindowFrame(QPainter& p, const QRect& window, const TThemedColors& c,
                             bool rightToLeft = false) const;

    // Menus and controls hooked now.
    QList<QWidget*> HookedMenus() const;
    QList<TControlSubClass*> Subclasses() const;
    QStyle* MenuStyle() const { return style_; }

protected:
    bool eventFilter(QObject* watched, QEvent* ev) override;

private:
    void HookFormControls(bool enable, bool repaint);
    void hookMenu(QWidget* menu);
    void watchForMenus(QWidget* root);
    void unhookMenu(QWidget* menu);
    void followFormDirection(QWidget* menu);
    bool belongsToForm(const QWidget* w) const;
    bool wantsMenu(QWidget* menu) const;
    void hookControl(QWidget* control);
    void redrawMenuBar();
    void drawHotMenuBarItem(QPainter& p, const QRect& r, const TThemedColors& c) const;

    QPointer<QWidget> form_;
    QStyle* style_;
    QList<QPointer<QWidget>> menus_;
    QList<QPointer<QWidget>> watched_;
    QList<QPointer<TControlSubClass>> subclasses_;
    int displayDepth_ = 0;

    int dimLevel_ = 30;
    int grayLevel_ = 10;
    QFont font_;
    TColor fontColor_ = clMenuText;
    TColor color_ = clBtnFace;
    TColor iconBackColor_ = clBtnFace;
    TColor menuBarColor_ = clBtnFace;
    TColor selectColor_ = clHighlight;
    TColor selectBorderColor_ = clHighlight;
    TColor selectFontColor_ = clMenuText;
    TColor disabledColor_ = clInactiveCaption;
    TColor separatorColor_ = clBtnFace;
    TColor checkedColor_ = clHighlight;
    int iconWidth_ = 24;
    bool drawSelect_ = true;
    bool useSystemColors_ = true;
    bool overrideOwnerDraw_ = false;
    bool gradient_ = false;
    bool flatMenu_ = false;
    bool autoDetect_ = false;
    TThemedContainers themedContainers_ = TThemedContainers(0x3FF);
    TThemedControls themedControls_ = TThemedControls(0xFFFF);
    bool active_ = false;
};

// The themed menu a form with popup menus carries ("ThemedMenu1"): menus only, the menu font
// "宋体" at 12 pixels, system colours with the icon strip's gradient, active.
TThemedMenu* CreateFormThemedMenu(QWidget* form);

// The style the hooked menus are drawn with: measure and draw of items, menu panel and frame,
// menu bar; everything else is the application style's.
class TThemedMenuStyle : public QProxyStyle {
    Q_OBJECT
public:
    explicit TThemedMenuStyle(TThemedMenu* menu);

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;

    // The item an option stands for, found by its place (drawing) or its text (measuring,
    // when the option's rectangle is not the item's yet).
    static QAction* ActionOf(const QStyleOption* option, const QWidget* widget, bool byPlace);
    static TMenuItemInfo InfoOf(const QStyleOption* option, const QWidget* widget);

private:
    static bool rightToLeft(const QStyleOption* option, const QWidget* widget);
    bool keepsOwnLook(const QStyleOption* option, const QWidget* widget, bool byPlace) const;

    QPointer<TThemedMenu> menu_;
};

#include "widgets/ThemedMenu.h"

#include "widgets/ControlSubClass.h"

#include <QAction>
#include <QApplication>
#include <QChildEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QStyleOptionMenuItem>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kKeepOwnLook = 999;
// Blank room after a popup item's caption before the frame, and the submenu arrow's place.
constexpr int kTrailingMargin = 5;
constexpr int kSubMenuArrowRoom = 12;
// Marks a menu whose direction the component took from the form.
constexpr const char* kFollows = "themedMenuFollowsForm";

int tagOf(const QObject* o) {
    const QVariant v = o ? o->property("Tag") : QVariant();
    return v.isValid() ? v.toInt() : 0;
}

// A rectangle from the platform's left, top, right and bottom (right and bottom excluded).
QRect ltrb(int l, int t, int r, int b) {
    return QRect(l, t, r - l, b - t);
}

// The menu bar a menu drops down from, if any.
const QMenuBar* menuBarOf(const QMenu* menu, int depth = 0) {
    if (!menu || depth > 16)
        return nullptr;
    for (const QWidget* w = menu->parentWidget(); w; w = w->parentWidget())
        if (auto* bar = qobject_cast<const QMenuBar*>(w))
            return bar;
    for (const QObject* o : menu->menuAction()->associatedObjects()) {
        if (auto* bar = qobject_cast<const QMenuBar*>(o))
            return bar;
        if (auto* parentMenu = qobject_cast<const QMenu*>(o); parentMenu && parentMenu != menu)
            if (const QMenuBar* bar = menuBarOf(parentMenu, depth + 1))
                return bar;
    }
    return nullptr;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// TThemedMenu

TThemedMenu::TThemedMenu(QWidget* form)
    : TThemedControlLook(form), form_(form), style_(new TThemedMenuStyle(this)),
      font_(SystemMenuFont()) {
    RegisterFlatTypes();
    SetControlUseTrueXPStyle(true);
}

TThemedMenu::~TThemedMenu() {
    if (active_) {
        active_ = false;
        HookFormControls(false, false);
    }
    delete style_;
}

QFont TThemedMenu::SystemMenuFont() {
    QFont f(QStringLiteral("宋体"));
    f.setPixelSize(12);
    return f;
}

void TThemedMenu::SetFont(const QFont& v) {
    font_ = v;
    redrawMenuBar();
}

void TThemedMenu::SetFontColor(TColor v) {
    fontColor_ = v;
}

void TThemedMenu::SetMenuBarColor(TColor v) {
    menuBarColor_ = v;
    redrawMenuBar();
}

void TThemedMenu::SetUseSystemColors(bool v) {
    useSystemColors_ = v;
    redrawMenuBar();
}

void TThemedMenu::SetThemedContainers(TThemedContainers v) {
    if (v == themedContainers_)
        return;
    if (active_) {
        HookFormControls(false, true);
        themedContainers_ = v;
        HookFormControls(true, true);
    } else {
        themedContainers_ = v;
    }
}

void TThemedMenu::SetThemedControls(TThemedControls v) {
    if (v == themedControls_)
        return;
    if (active_) {
        HookFormControls(false, true);
        themedControls_ = v;
        HookFormControls(true, true);
    } else {
        themedControls_ = v;
    }
}

void TThemedMenu::SetActive(bool v) {
    if (v == active_)
        return;
    active_ = v;
    HookFormControls(v, true);
    redrawMenuBar();
}

TColor TThemedMenu::ContrastColor(TColor c) const {
    const TColor rgb = ColorToRGB(c);
    if ((GetBValue(rgb) + GetRValue(rgb)) / 2 < 151 && GetGValue(rgb) < 201)
        return Lighten(rgb, 90);
    return fontColor_;
}

TThemedColors TThemedMenu::SetupColors(const QPaintDevice* device) const {
    TThemedColors c;
    const int depth = displayDepth_ ? displayDepth_ : (device ? device->depth() : 32);
    c.HighColor = depth >= 16;
    c.Menu = color_;
    c.IconStrip = iconBackColor_;
    if (c.HighColor) {
        c.SelectFill = Lighten(selectColor_, 68);
        c.CheckFill = Lighten(selectColor_, 80);
        c.CheckFillHot = Lighten(selectColor_, 50);
        c.Frame = Darken(clBtnFace, 90);
        c.Shadow = Darken(clBtnFace, 76);
    } else {
        c.SelectFill = selectColor_;
        c.CheckFill = TColor(0xFFFFFF);
        c.CheckFillHot = TColor(0xC0C0C0);
        c.Frame = clBtnShadow;
        c.Shadow = clBtnShadow;
    }
    c.SelectBorder = selectBorderColor_;
    c.HotFont = selectFontColor_;
    c.MenuBar = menuBarColor_;
    c.Disabled = disabledColor_;
    c.CheckedFrame = checkedColor_;
    c.Separator = separatorColor_;
    c.Font = font_;
    c.FontColor = fontColor_;
    if (useSystemColors_) {
        c.Font = SystemMenuFont();
        c.HotFont = fontColor_;
        c.SelectBorder = clHighlight;
        c.MenuBar = clBtnFace;
        c.CheckedFrame = clHighlight;
        if (c.HighColor) {
            c.Menu = Lighten(clBtnFace, 86);
            c.IconStrip = Lighten(clBtnFace, 16);
            c.SelectFill = Lighten(clHighlight, 68);
            c.Disabled = Lighten(clBtnShadow, 10);
            c.Separator = Lighten(clBtnShadow, 25);
            c.CheckFill = Lighten(clHighlight, 80);
            c.CheckFillHot = Lighten(clHighlight, 50);
        } else {
            c.Menu = TColor(0xFFFFFF);
            c.IconStrip = clBtnFace;
            c.SelectFill = TColor(0xFFFFFF);
            c.Disabled = clBtnShadow;
            c.Separator = clBtnShadow;
            c.CheckFill = TColor(0xFFFFFF);
            c.CheckFillHot = TColor(0xFFFFFF);
        }
    }
    return c;
}

QSize TThemedMenu::MeasureMenuItem(const TMenuItemInfo& item, QSize current) const {
    const QFontMetrics fm(useSystemColors_ ? SystemMenuFont() : font_);
    const bool separator = item.Caption == QLatin1String("-");
    QString text = separator ? QString() : item.Caption;
    if (!item.ShortCut.isEmpty())
        text = item.Caption + item.ShortCut + QStringLiteral("WWW");
    // "&" only marks the mnemonic; "&&" shows one.
    QString shown = text;
    shown.replace(QLatin1String("&&"), QString(QChar(0xFFFF))).remove(QLatin1Char('&'));
    shown.replace(QChar(0xFFFF), QLatin1Char('&'));
    const int pictureWidth = item.Picture.isNull() ? 0 : item.Picture.width();
    const int pictureHeight = item.Picture.isNull() ? 0 : item.Picture.height();
    int w;
    if (item.MenuBarItem) {
        w = fm.horizontalAdvance(shown) + 5 + std::max(pictureWidth, 0) + 8;
    } else {
        // A popup's row gets no extra room from the menu, so it is measured as drawn: the
        // strip (or a wider picture), the 3-pixel inset, the leading blank and the caption,
        // then a trailing margin (and the submenu arrow's place).
        const int lead = std::max(iconWidth_, pictureWidth > 0 ? pictureWidth + 4 : 0);
        w = lead + 3 + fm.horizontalAdvance(QLatin1Char(' ') + shown) + kTrailingMargin;
        if (item.SubMenu)
            w += kSubMenuArrowRoom;
    }
    QSize size(std::max(current.width(), w), current.height());
    if (separator) {
        size.setHeight(4);
    } else {
        const int th = fm.height();
        const int h = std::max(th + int(std::nearbyint(th * 0.75)), pictureHeight + 6);
        size.setHeight(std::max(current.height(), h));
    }
    return size;
}

void TThemedMenu::FillGradient(QPainter& p, const QRect& rect, const TThemedColors& c,
                               bool rightToLeft) const {
    int level = 0;
    const int left = rect.left(), right = rect.x() + rect.width();
    if (rightToLeft) {
        for (int x = right - 1; x >= left; --x) {
            p.fillRect(x, rect.top(), 1, rect.height(), toQColor(Lighten(c.IconStrip, level)));
            level = std::min(level + (x > right - iconWidth_ + 5 ? 3 : 1), 96);
        }
        return;
    }
    for (int x = left; x < right; ++x) {
        p.fillRect(x, rect.top(), 1, rect.height(), toQColor(Lighten(c.IconStrip, level)));
        level = std::min(level + ((x > left && x < left + iconWidth_ + 5) ? 3 : 1), 96);
    }
}

void TThemedMenu::drawHotMenuBarItem(QPainter& p, const QRect& rect, const TThemedColors& c) const {
    const int L = rect.left(), T = rect.top(), R = rect.x() + rect.width(),
              B = rect.y() + rect.height();
    gdi::FillRect(p, rect, c.SelectFill);
    if (c.HighColor) {
        const TColor m = c.MenuBar;
        gdi::Polyline(p, {{L, B - 1}, {L, T}, {R - 8, T}, {R - 8, B}}, c.SelectBorder);
        gdi::FillRect(p, ltrb(R - 7, T, R, B), Darken(m, 10));
        gdi::FillRect(p, ltrb(R - 7, T + 3, R - 2, B), Darken(m, 30));
        gdi::FillRect(p, ltrb(R - 7, T + 5, R - 3, B), Darken(m, 60));
        gdi::FillRect(p, ltrb(R - 7, T + 6, R - 5, B), Darken(m, 100));
        gdi::Polyline(p, {{R - 5, T + 1}, {R - 1, T + 1}, {R - 1, T + 6}}, m);
        gdi::Polyline(p, {{R - 3, T + 2}, {R - 2, T + 2}, {R - 2, T + 3}, {R - 3, T + 3}}, m);
        gdi::Polyline(
            p, {{R - 6, T + 3}, {R - 3, T + 3}, {R - 3, T + 6}, {R - 4, T + 6}, {R - 4, T + 3}},
            Darken(m, 10));
        gdi::Polyline(p, {{R - 5, T + 5}, {R - 4, T + 5}, {R - 4, T + 9}}, Darken(m, 30));
        gdi::Polyline(p, {{R - 6, T + 5}, {R - 6, T + 7}}, Darken(m, 40));
    } else {
        gdi::Polyline(p, {{L, B - 1}, {L, T}, {R - 3, T}, {R - 3, B}}, c.SelectBorder);
        gdi::FillRect(p, ltrb(R - 2, T + 2, R, B), Darken(menuBarColor_, 70));
        gdi::FillRect(p, ltrb(R - 2, T, R, T + 2), menuBarColor_);
    }
}

void TThemedMenu::DrawMenuItem(QPainter& p, const TMenuItemInfo& item, const QRect& rect,
                               bool selected, bool rightToLeft) const {
    const TThemedColors c = SetupColors(p.device());
    const bool separator = item.Caption == QLatin1String("-");
    const bool bar = item.MenuBarItem;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setFont(c.Font);
    const QFontMetrics fm(c.Font);
    // The platform's coordinates: right and bottom excluded, the bottom grown by one.
    const int L = rect.left(), T = rect.top(), R = rect.x() + rect.width();
    const int B = rect.y() + rect.height() + 1;
    const QRect full = ltrb(L, T, R, B);

    // The picture, with transparent pixels cleared.
    QImage pic;
    if (!item.Picture.isNull()) {
        pic = item.Picture.convertToFormat(QImage::Format_ARGB32);
        if (!item.Picture.hasAlphaChannel()) {
            const QRgb key = pic.pixel(0, pic.height() - 1);
            for (int y = 0; y < pic.height(); ++y) {
                auto* line = reinterpret_cast<QRgb*>(pic.scanLine(y));
                for (int x = 0; x < pic.width(); ++x)
                    if (line[x] == key)
                        line[x] = 0;
            }
        }
    }
    const int pw = pic.isNull() ? 0 : pic.width();
    // Right to left, everything but the text is drawn mirrored within the item (the picture
    // is flipped first so it shows the right way round), and the text is placed mirrored.
    const bool rtl = rightToLeft;
    if (rtl && !pic.isNull())
        pic = pic.mirrored(true, false);
    auto mirrored = [rtl, L, R](QRect r) {
        if (rtl)
            r.moveLeft(L + R - 1 - r.right());
        return r;
    };

    const QRect icon = ltrb(L, T, L + iconWidth_, B);
    QRect tick;
    if (!pic.isNull()) {
        tick = ltrb(icon.left() + 1, icon.top() + 2, L + iconWidth_ - 3, B - 2);
        if (pw > iconWidth_)
            tick.setWidth(pw);
    } else {
        tick = QRect(L + (iconWidth_ - 10) / 2, T + (B - T - 10) / 2, 10, 10);
    }
    if (bar)
        tick.setTop(tick.top() - 1);

    int textLeft = L + (bar ? 4 : iconWidth_);
    if (L + pw > textLeft)
        textLeft = L + pw + 4;
    QRect text = ltrb(textLeft, T, R, B);
    if (bar)
        text = pic.isNull() ? full : ltrb(textLeft - 5, T, R, B);

    p.save();
    if (rtl) {
        p.translate(L + R, 0);
        p.scale(-1, 1);
    }
    // Background.
    const bool gradient = gradient_ && c.HighColor && !bar;
    if (bar) {
        gdi::FillRect(p, full, c.MenuBar);
    } else if (!gradient) {
        gdi::FillRect(p, full, c.Menu);
        gdi::FillRect(p, icon, c.IconStrip);
    } else {
        FillGradient(p, full.adjusted(0, 0, 2, 0), c);
    }

    // Selection.
    QRect selection;
    if (selected && drawSelect_) {
        if (bar) {
            drawHotMenuBarItem(p, full, c);
            selection = full;
        } else if (item.Enabled) {
            selection = full.adjusted(0, 1, flatMenu_ ? -1 : 0, -1);
            gdi::Rectangle(p, selection, c.SelectBorder, c.SelectFill);
        }
    }
    // What lies under a point now: the default item's glow darkens it.
    auto background = [&](QPoint pt) -> TColor {
        if (selection.contains(pt))
            return c.SelectFill;
        if (bar)
            return c.MenuBar;
        if (gradient) {
            int level = 0;
            for (int x = L; x < pt.x(); ++x)
                level = std::min(level + ((x > L && x < L + iconWidth_ + 5) ? 3 : 1), 96);
            return Lighten(c.IconStrip, level);
        }
        return icon.contains(pt) ? c.IconStrip : c.Menu;
    };

    // Ticks.
    if (item.Checked) {
        const TColor pen = item.Enabled ? c.SelectBorder : c.Disabled;
        const TColor fill = selected ? c.CheckFillHot : c.CheckFill;
        if (item.RadioItem) {
            if (!pic.isNull()) {
                p.setPen(toQColor(pen));
                p.setBrush(toQColor(fill));
                p.drawRoundedRect(tick.adjusted(0, 0, -1, -1), 3, 3);
            } else {
                gdi::Ellipse(p, tick, pen, fill);
            }
        } else if (!pic.isNull()) {
            gdi::Rectangle(p, tick, pen, fill);
        } else {
            gdi::Rectangle(p, tick, item.Enabled ? c.CheckedFrame : c.Disabled, fill);
            const TColor mark = item.Enabled ? clBlack : c.Disabled;
            // The tick itself reads the same way in both directions: mirrored back in place.
            p.save();
            QRect box = tick;
            if (rtl) {
                p.translate(L + R, 0);
                p.scale(-1, 1);
                box = mirrored(tick);
            }
            const int l = box.left(), t = box.top(), r = box.x() + box.width(),
                      b = box.y() + box.height();
            gdi::Line(p, {l + 1, t + 5}, {l + 4, b - 2}, mark);
            gdi::Line(p, {l + 2, t + 5}, {l + 4, b - 3}, mark);
            gdi::Line(p, {l + 2, t + 4}, {l + 5, b - 3}, mark);
            gdi::Line(p, {l + 4, b - 3}, {r + 2, t - 1}, mark);
            gdi::Line(p, {l + 4, b - 2}, {r - 2, t + 3}, mark);
            p.restore();
        }
    }

    // Picture.
    if (!pic.isNull()) {
        int x = icon.left(), y = icon.top() + 3;
        if (bar)
            x = icon.left() + 1;
        else if (pw < iconWidth_)
            x = icon.left() + (iconWidth_ - pw) / 2 - 1;
        else
            x = icon.left() + 2;
        auto eachPixel = [&pic](auto&& fn) {
            for (int j = 0; j < pic.height(); ++j) {
                auto* line = reinterpret_cast<QRgb*>(pic.scanLine(j));
                for (int i = 0; i < pic.width(); ++i)
                    if (qAlpha(line[i]) != 0)
                        line[i] = fn(line[i]);
            }
        };
        auto recolour = [](QRgb px, TColor to) {
            const QColor q = toQColor(to);
            return qRgba(q.red(), q.green(), q.blue(), qAlpha(px));
        };
        if (selected && item.Enabled && !item.Checked) {
            if (!bar) {
                --x;
                --y;
            }
            QImage shadow = pic;
            const TColor shade = Darken(c.SelectFill, 50);
            for (int j = 0; j < shadow.height(); ++j) {
                auto* line = reinterpret_cast<QRgb*>(shadow.scanLine(j));
                for (int i = 0; i < shadow.width(); ++i)
                    if (qAlpha(line[i]) != 0)
                        line[i] = recolour(line[i], shade);
            }
            p.drawImage(x + 2, y + 2, shadow);
        } else if (!selected && item.Enabled && !item.Checked && c.HighColor) {
            const int dim = std::min(dimLevel_, 100);
            eachPixel([&](QRgb px) { return recolour(px, Lighten(fromQColor(QColor(px)), dim)); });
        } else if (!item.Enabled) {
            eachPixel([&](QRgb px) {
                return recolour(px, Lighten(Gray(fromQColor(QColor(px)), grayLevel_), 40));
            });
        }
        p.drawImage(x, y, pic);
    }
    p.restore();

    if (separator) {
        const int y = T + int(std::nearbyint((B - T) / 2.0));
        const QRect s = mirrored(QRect(text.left() + 7, y, text.width() - 7, 1));
        gdi::Line(p, {s.left(), y}, {s.x() + s.width(), y}, c.Separator);
    } else {
        TColor colour = c.FontColor;
        if (selected)
            colour = c.HotFont;
        if (!item.Enabled)
            colour = c.Disabled;
        if (selected && bar && useSystemColors_)
            colour = ContrastColor(c.IconStrip);
        const int th = fm.height();
        // Caption and shortcut stand 3 pixels in from the text rectangle's leading edge.
        const QRect line = mirrored(QRect(text.left(), T + (B - T - th) / 2, text.width(), th))
                               .adjusted(rtl ? 0 : 3, 0, rtl ? -3 : 0, 0);
        const int flags = Qt::AlignAbsolute | (rtl ? Qt::AlignRight : Qt::AlignLeft) |
                          Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
        const QString caption = rtl ? item.Caption : QLatin1Char(' ') + item.Caption;
        if (item.Default && item.Enabled) {
            const QPoint offsets[] = {{1, 0}, {1, 2}, {0, 1}, {1, 1}};
            const int amounts[] = {30, 30, 40, 60};
            for (int i = 0; i < 4; ++i)
                DrawCaption(p, line.translated(offsets[i]), flags, caption,
                            Darken(background(line.topLeft() + offsets[i]), amounts[i]));
        }
        DrawCaption(p, line, flags, caption, colour);
        if (!item.ShortCut.isEmpty())
            DrawCaption(p, rtl ? line.adjusted(10, 0, 0, 0) : line.adjusted(0, 0, -10, 0),
                        Qt::AlignAbsolute | (rtl ? Qt::AlignLeft : Qt::AlignRight) |
                            Qt::AlignVCenter | Qt::TextSingleLine,
                        item.ShortCut + QLatin1Char(' '),
                        c.HighColor ? Darken(colour, -40) : colour);
        if (item.SubMenu && !bar) {
            // The platform draws the arrow of a submenu item itself.
            const int cx = rtl ? L + 9 : R - 9, cy = T + (B - T) / 2, d = rtl ? -4 : 4;
            p.setPen(Qt::NoPen);
            p.setBrush(toQColor(colour));
            const QPoint arrow[] = {{cx, cy - 4}, {cx + d, cy}, {cx, cy + 4}};
            p.drawPolygon(arrow, 3);
        }
    }
    p.restore();
}

void TThemedMenu::DrawMenuWindowFrame(QPainter& p, const QRect& window, const TThemedColors& c,
                                      bool rightToLeft) const {
    const int L = window.left(), T = window.top(), R = window.x() + window.width(),
              B = window.y() + window.height();
    gdi::FrameRect(p, ltrb(L, T, R - 2, B - 2), c.Frame);
    const QRect band = ltrb(L + 1, T + 1, R - 3, T + 3);
    if (gradient_ && c.HighColor) {
        FillGradient(p, band, c, rightToLeft);
    } else {
        gdi::FillRect(p, band, c.Menu);
        // The icon strip's top continues into the band.
        if (rightToLeft)
            gdi::Line(p, {R - 4, T + 2}, {R - 5 - iconWidth_, T + 2}, c.IconStrip);
        else
            gdi::Line(p, {L + 1, T + 2}, {L + 3 + iconWidth_, T + 2}, c.IconStrip);
    }
    if (rightToLeft)
        gdi::FillRect(p, ltrb(R - 5, T + 1, R - 3, B - 3), c.IconStrip);
    else
        gdi::FillRect(p, ltrb(L + 1, T + 1, L + 3, B - 3), c.IconStrip);
    gdi::FillRect(p, ltrb(L + 2, B - 2, R, B), c.Shadow);
    gdi::FillRect(p, ltrb(R - 2, T + 2, R, B), c.Shadow);
    gdi::FillRect(p, ltrb(L, B - 2, L + 2, B), clBtnFace);
    gdi::FillRect(p, ltrb(R - 2, T, R, T + 2), clBtnFace);
}

QList<QWidget*> TThemedMenu::HookedMenus() const {
    QList<QWidget*> out;
    for (const QPointer<QWidget>& m : menus_)
        if (m && m->style() == style_)
            out << m.data();
    return out;
}

QList<TControlSubClass*> TThemedMenu::Subclasses() const {
    QList<TControlSubClass*> out;
    for (const QPointer<TControlSubClass>& s : subclasses_)
        if (s)
            out << s.data();
    return out;
}

bool TThemedMenu::belongsToForm(const QWidget* w) const {
    for (const QWidget* p = w; p; p = p->parentWidget())
        if (p == form_)
            return true;
    if (auto* menu = qobject_cast<const QMenu*>(w))
        for (const QObject* o : menu->menuAction()->associatedObjects())
            if (auto* owner = qobject_cast<const QWidget*>(o); owner && owner != w)
                for (const QPointer<QWidget>& m : menus_)
                    if (m == owner)
                        return true;
    return false;
}

bool TThemedMenu::wantsMenu(QWidget* w) const {
    if (auto* bar = qobject_cast<QMenuBar*>(w))
        return (themedControls_ & xcMainMenu) && tagOf(bar) != kKeepOwnLook;
    if (auto* menu = qobject_cast<QMenu*>(w)) {
        if (const QMenuBar* bar = menuBarOf(menu))
            return (themedControls_ & xcMainMenu) && tagOf(bar) != kKeepOwnLook;
        return bool(themedControls_ & xcPopupMenu);
    }
    return false;
}

void TThemedMenu::hookMenu(QWidget* w) {
    if (w->style() == style_)
        return;
    // A menu drawn by a style of its own keeps it unless told otherwise.
    if (w->testAttribute(Qt::WA_SetStyle) && !overrideOwnerDraw_)
        return;
    w->setStyle(style_);
    menus_ << w;
    auto hookSubMenus = [this](QWidget* m) {
        for (QAction* a : m->actions())
            if (QMenu* sub = a->menu(); sub && tagOf(a) != kKeepOwnLook)
                hookMenu(sub);
    };
    hookSubMenus(w);
    if (auto* menu = qobject_cast<QMenu*>(w)) {
        followFormDirection(menu);
        // Shown before it is placed: the direction decides which way it opens, too.
        connect(menu, &QMenu::aboutToShow, this, [this, menu, hookSubMenus] {
            if (!active_)
                return;
            followFormDirection(menu);
            hookSubMenus(menu);
        });
    }
}

void TThemedMenu::followFormDirection(QWidget* menu) {
    // A popup is a window of its own, so Qt gives it the application's direction; the form's
    // popups read as the form does unless given a direction of their own.
    if (!form_ ||
        (menu->testAttribute(Qt::WA_SetLayoutDirection) && !menu->property(kFollows).toBool()))
        return;
    if (menu->layoutDirection() != form_->layoutDirection())
        menu->setLayoutDirection(form_->layoutDirection());
    menu->setProperty(kFollows, true);
}

void TThemedMenu::unhookMenu(QWidget* w) {
    disconnect(w, nullptr, this, nullptr);
    if (w->property(kFollows).toBool()) {
        w->setProperty(kFollows, QVariant());
        w->setLayoutDirection(QGuiApplication::layoutDirection());
        w->setAttribute(Qt::WA_SetLayoutDirection, false);
    }
    if (w->style() == style_)
        w->setStyle(nullptr);
}

void TThemedMenu::hookControl(QWidget* control) {
    TControlSubClass::TControlKind kind;
    if (!TControlSubClass::Qualifies(control, form_, themedControls_, themedContainers_, &kind))
        return;
    for (const QPointer<TControlSubClass>& s : subclasses_)
        if (s && s->Control() == control)
            return;
    subclasses_ << new TControlSubClass(this, control, kind);
}

void TThemedMenu::HookFormControls(bool enable, bool repaint) {
    if (enable) {
        if (!form_)
            return;
        // Menus made later are caught when their parent sees them polished: the form and
        // every widget in it are watched for that alone.
        watchForMenus(form_);
        for (QWidget* w : form_->findChildren<QWidget*>())
            if ((qobject_cast<QMenu*>(w) || qobject_cast<QMenuBar*>(w)) && wantsMenu(w))
                hookMenu(w);
        for (QWidget* w : form_->findChildren<QWidget*>())
            hookControl(w);
        if (repaint)
            for (const QPointer<TControlSubClass>& s : subclasses_)
                if (s && s->Control())
                    s->Control()->update();
        return;
    }
    for (const QPointer<QWidget>& w : watched_)
        if (w)
            w->removeEventFilter(this);
    watched_.clear();
    for (const QPointer<QWidget>& m : menus_)
        if (m)
            unhookMenu(m);
    menus_.clear();
    for (const QPointer<TControlSubClass>& s : subclasses_) {
        QPointer<QWidget> control = s ? s->Control() : nullptr;
        delete s.data();
        if (repaint && control)
            control->update();
    }
    subclasses_.clear();
}

void TThemedMenu::redrawMenuBar() {
    if (!form_)
        return;
    for (QMenuBar* bar : form_->findChildren<QMenuBar*>())
        bar->update();
}

void TThemedMenu::watchForMenus(QWidget* root) {
    auto watch = [this](QWidget* w) {
        if (watched_.contains(w))
            return;
        w->installEventFilter(this);
        watched_ << w;
    };
    watch(root);
    for (QWidget* w : root->findChildren<QWidget*>())
        watch(w);
}

bool TThemedMenu::eventFilter(QObject* watched, QEvent* ev) {
    // A child is polished before its first measuring: a new menu is styled then, and a new
    // container is watched for menus of its own.
    if (ev->type() == QEvent::ChildPolished && active_) {
        QObject* child = static_cast<QChildEvent*>(ev)->child();
        if (child && child->isWidgetType()) {
            auto* w = static_cast<QWidget*>(child);
            if ((qobject_cast<QMenu*>(w) || qobject_cast<QMenuBar*>(w)) && belongsToForm(w) &&
                wantsMenu(w))
                hookMenu(w);
            watchForMenus(w);
        }
    }
    return QObject::eventFilter(watched, ev);
}

TThemedMenu* CreateFormThemedMenu(QWidget* form) {
    auto* menu = new TThemedMenu(form);
    menu->setObjectName(QStringLiteral("ThemedMenu1"));
    menu->SetFont(TThemedMenu::SystemMenuFont());
    menu->SetThemedControls(TThemedTypes::xcMainMenu | TThemedTypes::xcPopupMenu);
    menu->SetGradient(true);
    menu->SetActive(true);
    return menu;
}

// ---------------------------------------------------------------------------------------------
// TThemedMenuStyle

TThemedMenuStyle::TThemedMenuStyle(TThemedMenu* menu) : menu_(menu) {}

bool TThemedMenuStyle::rightToLeft(const QStyleOption* option, const QWidget* widget) {
    // The menu's own direction: its frame's option does not carry it, and the painter never
    // does.
    if (widget)
        return widget->isRightToLeft();
    return option && option->direction == Qt::RightToLeft;
}

QAction* TThemedMenuStyle::ActionOf(const QStyleOption* option, const QWidget* widget,
                                    bool byPlace) {
    auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (!item)
        return nullptr;
    const QString caption = item->text.section(QLatin1Char('\t'), 0, 0);
    if (byPlace) {
        if (auto* bar = qobject_cast<const QMenuBar*>(widget))
            return bar->actionAt(option->rect.center());
        if (auto* menu = qobject_cast<const QMenu*>(widget))
            return menu->actionAt(option->rect.center());
        return nullptr;
    }
    if (!widget)
        return nullptr;
    for (QAction* a : widget->actions()) {
        if (item->menuItemType == QStyleOptionMenuItem::Separator ? a->isSeparator()
                                                                  : a->text() == caption)
            return a;
    }
    return nullptr;
}

TMenuItemInfo TThemedMenuStyle::InfoOf(const QStyleOption* option, const QWidget* widget) {
    TMenuItemInfo info;
    auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (!item)
        return info;
    info.MenuBarItem = qobject_cast<const QMenuBar*>(widget) != nullptr;
    if (item->menuItemType == QStyleOptionMenuItem::Separator) {
        info.Caption = QStringLiteral("-");
    } else {
        info.Caption = item->text.section(QLatin1Char('\t'), 0, 0);
        info.ShortCut = item->text.section(QLatin1Char('\t'), 1);
    }
    if (!item->icon.isNull())
        info.Picture = item->icon.pixmap(QSize(16, 16)).toImage();
    info.Checked = item->checkType != QStyleOptionMenuItem::NotCheckable && item->checked;
    info.RadioItem = item->checkType == QStyleOptionMenuItem::Exclusive;
    info.Enabled = item->state & QStyle::State_Enabled;
    info.Default = item->menuItemType == QStyleOptionMenuItem::DefaultItem;
    info.SubMenu = item->menuItemType == QStyleOptionMenuItem::SubMenu;
    return info;
}

bool TThemedMenuStyle::keepsOwnLook(const QStyleOption* option, const QWidget* widget,
                                    bool byPlace) const {
    if (!menu_ || !menu_->Active())
        return true;
    const QAction* a = ActionOf(option, widget, byPlace);
    return a && tagOf(a) == kKeepOwnLook;
}

int TThemedMenuStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                                  const QWidget* widget) const {
    if (menu_) {
        switch (metric) {
        case PM_MenuPanelWidth:
            return menu_->FlatMenu() ? 3 : 2;
        case PM_MenuHMargin:
            return 0;
        case PM_MenuVMargin:
            return menu_->FlatMenu() ? 0 : 1;
        case PM_MenuBarPanelWidth:
        case PM_MenuBarItemSpacing:
        case PM_MenuBarHMargin:
        case PM_MenuBarVMargin:
            return 0;
        default:
            break;
        }
    }
    return QProxyStyle::pixelMetric(metric, option, widget);
}

QSize TThemedMenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option,
                                         const QSize& size, const QWidget* widget) const {
    if ((type == CT_MenuItem || type == CT_MenuBarItem) && !keepsOwnLook(option, widget, false)) {
        const TMenuItemInfo info = InfoOf(option, widget);
        QSize s = menu_->MeasureMenuItem(info);
        // The menu adds the widest shortcut to every row itself.
        if (type == CT_MenuItem && !info.ShortCut.isEmpty())
            s.rwidth() -=
                QFontMetrics(menu_->SetupColors(nullptr).Font).horizontalAdvance(info.ShortCut);
        return s;
    }
    return QProxyStyle::sizeFromContents(type, option, size, widget);
}

void TThemedMenuStyle::drawControl(ControlElement element, const QStyleOption* option,
                                   QPainter* painter, const QWidget* widget) const {
    if (menu_ && menu_->Active()) {
        const TThemedColors c = menu_->SetupColors(painter->device());
        switch (element) {
        case CE_MenuItem: {
            auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
            if (item && item->menuItemType == QStyleOptionMenuItem::EmptyArea) {
                drawPrimitive(PE_PanelMenu, option, painter, widget);
                return;
            }
            if (keepsOwnLook(option, widget, true))
                break;
            menu_->DrawMenuItem(*painter, InfoOf(option, widget), option->rect,
                                option->state & State_Selected, rightToLeft(option, widget));
            return;
        }
        case CE_MenuBarItem:
            if (keepsOwnLook(option, widget, true))
                break;
            menu_->DrawMenuItem(*painter, InfoOf(option, widget), option->rect,
                                option->state & (State_Selected | State_Sunken),
                                rightToLeft(option, widget));
            return;
        case CE_MenuEmptyArea:
            drawPrimitive(PE_PanelMenu, option, painter, widget);
            return;
        case CE_MenuBarEmptyArea:
            gdi::FillRect(*painter, option->rect, c.MenuBar);
            return;
        default:
            break;
        }
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

void TThemedMenuStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                     QPainter* painter, const QWidget* widget) const {
    if (menu_ && menu_->Active()) {
        const TThemedColors c = menu_->SetupColors(painter->device());
        switch (element) {
        case PE_PanelMenu: {
            // Margins continue the items' background from their strip side; right to left,
            // mirrored as the items are.
            const QRect r = widget ? widget->rect() : option->rect;
            const int left = r.left() + pixelMetric(PM_MenuPanelWidth, option, widget);
            painter->save();
            if (rightToLeft(option, widget)) {
                painter->translate(r.left() + r.x() + r.width(), 0);
                painter->scale(-1, 1);
            }
            if (menu_->Gradient() && c.HighColor) {
                gdi::FillRect(*painter, QRect(r.left(), r.top(), left - r.left(), r.height()),
                              c.IconStrip);
                menu_->FillGradient(*painter,
                                    QRect(left, r.top(), r.right() - left + 1, r.height()), c);
            } else {
                gdi::FillRect(*painter, r, c.Menu);
                gdi::FillRect(*painter, QRect(left, r.top(), menu_->IconWidth(), r.height()),
                              c.IconStrip);
            }
            painter->restore();
            return;
        }
        case PE_FrameMenu: {
            const QRect r = widget ? widget->rect() : option->rect;
            if (menu_->FlatMenu())
                menu_->DrawMenuWindowFrame(*painter, r, c, rightToLeft(option, widget));
            else
                gdi::DrawEdge(*painter, r, gdi::Edge::Raised);
            return;
        }
        case PE_PanelMenuBar:
            gdi::FillRect(*painter, option->rect, c.MenuBar);
            return;
        default:
            break;
        }
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

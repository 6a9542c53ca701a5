// The themed menus: colour rules, measuring, item drawing, and which menus get the style.

#include "WidgetTestSupport.h"
#include "widgets/ThemedMenu.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>
#include <QtTest>

using TM = TThemedMenu;

namespace {

QRgb rgbOf(TColor c) {
    return toQColor(c).rgb();
}

QImage canvas(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::magenta);
    return img;
}

// The item drawn on a fresh canvas of the given size.
QImage drawItem(TThemedMenu& m, const TMenuItemInfo& item, int w, int h, bool hot,
                Qt::LayoutDirection direction = Qt::LeftToRight) {
    QImage img = canvas(w, h);
    QPainter p(&img);
    p.setLayoutDirection(direction);
    m.DrawMenuItem(p, item, QRect(0, 0, w, h), hot);
    return img;
}

} // namespace

class TstThemedMenu : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QFont::insertSubstitution(QStringLiteral("宋体"), QStringLiteral("Noto Serif CJK SC"));
        QFont::insertSubstitution(QStringLiteral("微软雅黑"), QStringLiteral("Noto Sans CJK SC"));
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    }

    void colourRules_data() {
        QTest::addColumn<quint32>("result");
        QTest::addColumn<quint32>("expected");
        QTest::newRow("lighten half way, halves to even")
            << quint32(TM::Lighten(RGBToColor(0, 10, 255), 50))
            << quint32(RGBToColor(128, 132, 255));
        QTest::newRow("lighten is capped at 100 percent")
            << quint32(TM::Lighten(RGBToColor(1, 2, 3), 150)) << quint32(clWhite);
        QTest::newRow("lighten resolves system colours")
            << quint32(TM::Lighten(clBtnFace, 0)) << quint32(ColorToRGB(clBtnFace));
        QTest::newRow("darken takes 2 less from green")
            << quint32(TM::Darken(RGBToColor(100, 100, 100), 10))
            << quint32(RGBToColor(90, 92, 90));
        QTest::newRow("darken clamps at 0")
            << quint32(TM::Darken(RGBToColor(5, 5, 5), 10)) << quint32(RGBToColor(0, 0, 0));
        QTest::newRow("negative darken lightens")
            << quint32(TM::Darken(RGBToColor(100, 250, 200), -40))
            << quint32(RGBToColor(140, 255, 240));
        QTest::newRow("gray averages and adds")
            << quint32(TM::Gray(RGBToColor(30, 60, 91), 10)) << quint32(RGBToColor(70, 70, 70));
        QTest::newRow("gray is capped at 240")
            << quint32(TM::Gray(clWhite, 0)) << quint32(RGBToColor(240, 240, 240));
    }
    void colourRules() {
        QFETCH(quint32, result);
        QFETCH(quint32, expected);
        QCOMPARE(result, expected);
    }

    void contrastColour() {
        QWidget form;
        TThemedMenu m(&form);
        m.SetFontColor(clNavy);
        // Dark enough: lightened by 90 percent; light: the font colour.
        QCOMPARE(m.ContrastColor(RGBToColor(100, 200, 100)),
                 TM::Lighten(RGBToColor(100, 200, 100), 90));
        QCOMPARE(m.ContrastColor(RGBToColor(100, 201, 100)), clNavy);
        QCOMPARE(m.ContrastColor(RGBToColor(200, 0, 102)), clNavy); // (102 + 200) / 2 = 151
    }

    void setupColors() {
        QWidget form;
        TThemedMenu m(&form);
        QImage device = canvas(1, 1);
        TThemedColors c = m.SetupColors(&device);
        QVERIFY(c.HighColor);
        QCOMPARE(c.Menu, TM::Lighten(clBtnFace, 86));
        QCOMPARE(c.IconStrip, TM::Lighten(clBtnFace, 16));
        QCOMPARE(c.SelectFill, TM::Lighten(clHighlight, 68));
        QCOMPARE(c.Separator, TM::Lighten(clBtnShadow, 25));
        QCOMPARE(c.Frame, TM::Darken(clBtnFace, 90));
        m.SetUseSystemColors(false);
        m.SetColor(clYellow);
        m.SetSelectColor(clRed);
        c = m.SetupColors(&device);
        QCOMPARE(c.Menu, clYellow);
        QCOMPARE(c.SelectFill, TM::Lighten(clRed, 68));
        QCOMPARE(c.CheckFillHot, TM::Lighten(clRed, 50));
        m.SetDisplayDepth(8);
        c = m.SetupColors(&device);
        QVERIFY(!c.HighColor);
        QCOMPARE(c.SelectFill, clRed);
        QCOMPARE(c.CheckFillHot, TColor(0xC0C0C0));
        QCOMPARE(c.Frame, clBtnShadow);
        m.SetUseSystemColors(true);
        c = m.SetupColors(&device);
        QCOMPARE(c.Menu, TColor(0xFFFFFF));
        QCOMPARE(c.IconStrip, clBtnFace);
    }

    void measuring() {
        QWidget form;
        TThemedMenu m(&form);
        const QFontMetrics fm(TThemedMenu::SystemMenuFont());
        TMenuItemInfo item;
        item.Caption = QStringLiteral("-");
        QCOMPARE(m.MeasureMenuItem(item).height(), 4);
        QCOMPARE(m.MeasureMenuItem(item, QSize(50, 30)).height(), 4);

        item.Caption = QStringLiteral("Open");
        const QSize plain = m.MeasureMenuItem(item);
        QCOMPARE(plain.width(), fm.horizontalAdvance(QStringLiteral("Open")) + 5 + 24);
        QCOMPARE(plain.height(), fm.height() + int(std::nearbyint(fm.height() * 0.75)));
        item.Caption = QStringLiteral("&Open"); // no wider by the "&" (kerning may move a pixel)
        QVERIFY(std::abs(m.MeasureMenuItem(item).width() - plain.width()) <= 1);

        item.ShortCut = QStringLiteral("Ctrl+O");
        QCOMPARE(m.MeasureMenuItem(item).width(),
                 plain.width() + fm.horizontalAdvance(QStringLiteral("Ctrl+OWWW")));

        TMenuItemInfo top;
        top.Caption = QStringLiteral("File");
        top.MenuBarItem = true;
        QCOMPARE(m.MeasureMenuItem(top).width(),
                 fm.horizontalAdvance(QStringLiteral("File")) + 5 + 8);

        TMenuItemInfo tall;
        tall.Caption = QStringLiteral("x");
        tall.Picture = QImage(32, 40, QImage::Format_RGB32);
        QCOMPARE(m.MeasureMenuItem(tall),
                 QSize(fm.horizontalAdvance(QStringLiteral("x")) + 5 + 32, 46));
        QCOMPARE(m.MeasureMenuItem(tall, QSize(500, 60)), QSize(500, 60));
    }

    void drawingSelectedItem() {
        QWidget form;
        TThemedMenu m(&form);
        m.SetGradient(true);
        TMenuItemInfo item;
        item.Caption = QStringLiteral("Item");
        QImage img = drawItem(m, item, 120, 22, true);
        const TThemedColors c = m.SetupColors(&img);
        QCOMPARE(img.pixel(60, 1), rgbOf(c.SelectBorder)); // border, one in from the top
        COMPARE_PIXELS(img, {0, 10, rgbOf(c.SelectBorder)}, {119, 10, rgbOf(c.SelectBorder)},
                       {110, 5, rgbOf(c.SelectFill)}, {5, 5, rgbOf(c.SelectFill)});
        QVERIFY(img.pixel(60, 0) != rgbOf(c.SelectFill)); // the top row keeps the background
    }

    void drawingGradientAndStrip() {
        QWidget form;
        TThemedMenu m(&form);
        TMenuItemInfo item;
        item.Caption = QStringLiteral("-");
        m.SetGradient(true);
        QImage img = drawItem(m, item, 120, 20, false);
        const TThemedColors c = m.SetupColors(&img);
        COMPARE_PIXELS(img, {0, 3, rgbOf(c.IconStrip)}, {1, 3, rgbOf(TM::Lighten(c.IconStrip, 1))},
                       {2, 3, rgbOf(TM::Lighten(c.IconStrip, 4))},
                       {119, 3, rgbOf(TM::Lighten(c.IconStrip, 96))});
        // The separator line runs at the middle, from the text's left + 7.
        const int y = int(std::nearbyint(21 / 2.0));
        QCOMPARE(img.pixel(24 + 7, y), rgbOf(c.Separator));
        QVERIFY(img.pixel(24 + 6, y) != rgbOf(c.Separator));

        m.SetGradient(false);
        img = drawItem(m, item, 120, 20, false);
        COMPARE_PIXELS(img, {10, 3, rgbOf(c.IconStrip)}, {23, 3, rgbOf(c.IconStrip)},
                       {24, 3, rgbOf(c.Menu)});
        // Right to left, the strip and the separator are mirrored.
        img = drawItem(m, item, 120, 20, false, Qt::RightToLeft);
        COMPARE_PIXELS(img, {119 - 10, 3, rgbOf(c.IconStrip)}, {119 - 23, 3, rgbOf(c.IconStrip)},
                       {119 - 24, 3, rgbOf(c.Menu)}, {119 - 24 - 7, y, rgbOf(c.Separator)});
        QVERIFY(img.pixel(119 - 24 - 6, y) != rgbOf(c.Separator));
    }

    void lowColourHasNoGradient() {
        QWidget form;
        TThemedMenu m(&form);
        m.SetUseSystemColors(false);
        m.SetGradient(true);
        m.SetColor(clWhite);
        m.SetIconBackColor(clSilver);
        m.SetSelectColor(clLime);
        m.SetDisplayDepth(8);
        TMenuItemInfo item;
        item.Caption = QStringLiteral("Item");
        QImage img = drawItem(m, item, 100, 20, false);
        {
            QPainter p(&img); // an empty rectangle draws nothing
            m.DrawMenuItem(p, item, QRect(0, 0, 100, 0), false);
        }
        COMPARE_PIXELS(img, {90, 10, qRgb(255, 255, 255)}, {3, 10, rgbOf(clSilver)});
        img = drawItem(m, item, 100, 20, true);
        QCOMPARE(img.pixel(90, 10), rgbOf(clLime));
    }

    void checkTickAndDisabledItem() {
        QWidget form;
        TThemedMenu m(&form);
        TMenuItemInfo item;
        item.Caption = QStringLiteral("Check");
        item.Checked = true;
        QImage img = drawItem(m, item, 100, 22, false);
        const TThemedColors c = m.SetupColors(&img);
        // A 10 x 10 frame centred in the strip, filled with the check colour.
        const int l = (24 - 10) / 2, t = (23 - 10) / 2;
        COMPARE_PIXELS(img, {l, t + 1, rgbOf(c.CheckedFrame)}, {l + 8, t + 1, rgbOf(c.CheckFill)});
        bool black = false;
        for (int y = t; y < t + 10; ++y)
            for (int x = l; x < l + 10; ++x)
                black = black || img.pixel(x, y) == qRgb(0, 0, 0);
        QVERIFY(black);

        item.Enabled = false;
        img = drawItem(m, item, 100, 22, true);
        QCOMPARE(img.pixel(l, t + 1), rgbOf(c.Disabled));
        QVERIFY(img.pixel(90, 11) != rgbOf(c.SelectFill)); // disabled items show no selection
    }

    void picturesAreDimmedOrLit() {
        QWidget form;
        TThemedMenu m(&form);
        QImage pic(16, 16, QImage::Format_RGB32);
        pic.fill(Qt::white);
        pic.setPixel(8, 8, qRgb(0, 0, 200));
        TMenuItemInfo item;
        item.Caption = QStringLiteral("Pic");
        item.Picture = pic;
        QImage img = drawItem(m, item, 100, 24, false);
        // Not hot: the picture is lightened by DimLevel; its white key colour is see-through.
        const int x = (24 - 16) / 2 - 1, y = 3;
        COMPARE_PIXELS(img, {x + 8, y + 8, rgbOf(TM::Lighten(RGBToColor(0, 0, 200), 30))},
                       {x + 1, y + 1, rgbOf(m.SetupColors(&img).IconStrip)});
        img = drawItem(m, item, 100, 24, true);
        // Hot: in full colour, one up and left, over its shadow.
        COMPARE_PIXELS(img, {x + 7, y + 7, qRgb(0, 0, 200)},
                       {x + 9, y + 9, rgbOf(TM::Darken(m.SetupColors(&img).SelectFill, 50))});
    }

    void hotMenuBarItem() {
        QWidget form;
        TThemedMenu m(&form);
        TMenuItemInfo item;
        item.Caption = QStringLiteral("File");
        item.MenuBarItem = true;
        QImage img = drawItem(m, item, 60, 20, true);
        const TThemedColors c = m.SetupColors(&img);
        const int R = 60, T = 0;
        COMPARE_PIXELS(img, {0, 10, rgbOf(c.SelectBorder)}, {20, 0, rgbOf(c.SelectBorder)},
                       {R - 8, 10, rgbOf(c.SelectBorder)}, {3, 3, rgbOf(c.SelectFill)});
        // The shadow band deepens to the left and downwards.
        COMPARE_PIXELS(img, {R - 1, T + 10, rgbOf(TM::Darken(c.MenuBar, 10))},
                       {R - 3, T + 10, rgbOf(TM::Darken(c.MenuBar, 30))},
                       {R - 4, T + 10, rgbOf(TM::Darken(c.MenuBar, 60))},
                       {R - 6, T + 10, rgbOf(TM::Darken(c.MenuBar, 100))});
        QCOMPARE(img.pixel(R - 1, T + 1), rgbOf(c.MenuBar)); // the rounded corner
        img = drawItem(m, item, 60, 20, false);
        QCOMPARE(img.pixel(R - 3, 10), rgbOf(c.MenuBar));
    }

    void menusOfTheFormGetTheStyle() {
        QWidget form;
        auto* bar = new QMenuBar(&form);
        QMenu* file = bar->addMenu(QStringLiteral("&File"));
        QAction* open = file->addAction(QStringLiteral("Open"));
        QMenu* sub = file->addMenu(QStringLiteral("Recent"));
        auto* popup = new QMenu(&form);
        popup->setProperty("Tag", 999); // popup menus are styled whatever their Tag
        auto* own = new QMenu(&form);
        QStyle* ownStyle = QStyleFactory::create(QStringLiteral("Windows"));
        own->setStyle(ownStyle);

        TThemedMenu m(&form);
        QVERIFY(m.HookedMenus().isEmpty());
        m.SetActive(true);
        QStyle* style = m.MenuStyle();
        QCOMPARE(bar->style(), style);
        QCOMPARE(file->style(), style);
        QCOMPARE(sub->style(), style);
        QCOMPARE(popup->style(), style);
        QCOMPARE(own->style(), ownStyle); // its own drawing stays

        // A menu made later is styled before it is first measured.
        auto* later = new QMenu(&form);
        later->addAction(QStringLiteral("x"));
        later->ensurePolished();
        QCOMPARE(later->style(), style);

        // Deactivating gives every menu its look back.
        m.SetActive(false);
        QVERIFY(bar->style() != style);
        QVERIFY(later->style() != style);
        QCOMPARE(own->style(), ownStyle);

        m.SetOverrideOwnerDraw(true);
        m.SetActive(true);
        QCOMPARE(own->style(), style);
        Q_UNUSED(open);
        m.SetActive(false);
        delete ownStyle;
    }

    void mainMenuWithTag999IsLeftAlone() {
        QWidget form;
        auto* bar = new QMenuBar(&form);
        bar->setProperty("Tag", 999);
        QMenu* file = bar->addMenu(QStringLiteral("File"));
        auto* popup = new QMenu(&form);
        TThemedMenu m(&form);
        m.SetThemedControls(TThemedTypes::xcMainMenu | TThemedTypes::xcPopupMenu);
        m.SetActive(true);
        QVERIFY(bar->style() != m.MenuStyle());
        QVERIFY(file->style() != m.MenuStyle());
        QCOMPARE(popup->style(), m.MenuStyle());
        // Without popup menus in the set, changing it while active hooks again.
        m.SetThemedControls(TThemedTypes::xcMainMenu);
        QVERIFY(popup->style() != m.MenuStyle());
    }

    void styledMenuMeasuresAndDraws() {
        QWidget form;
        auto* menu = new QMenu(&form);
        QAction* a = menu->addAction(QStringLiteral("First"));
        menu->addSeparator();
        QAction* keep = menu->addAction(QStringLiteral("Own look"));
        keep->setProperty("Tag", 999);
        TThemedMenu m(&form);
        m.SetGradient(true);
        m.SetActive(true);

        QStyleOptionMenuItem opt;
        opt.initFrom(menu);
        opt.menuItemType = QStyleOptionMenuItem::Separator;
        QCOMPARE(
            menu->style()->sizeFromContents(QStyle::CT_MenuItem, &opt, QSize(3, 3), menu).height(),
            4);
        opt.menuItemType = QStyleOptionMenuItem::Normal;
        opt.text = QStringLiteral("Own look");
        QCOMPARE(menu->style()->sizeFromContents(QStyle::CT_MenuItem, &opt, QSize(30, 10), menu),
                 QApplication::style()->sizeFromContents(QStyle::CT_MenuItem, &opt, QSize(30, 10),
                                                         menu));

        menu->ensurePolished();
        menu->resize(menu->sizeHint());
        menu->setActiveAction(a);
        const QImage shot = menu->grab().toImage();
        const TThemedColors c = m.SetupColors(&shot);
        const QRect r = menu->actionGeometry(a);
        QCOMPARE(shot.pixel(r.right() - 3, r.center().y()), rgbOf(c.SelectFill));
        QCOMPARE(shot.pixel(r.left(), r.center().y()), rgbOf(c.SelectBorder));
        const QRect sep = menu->actionGeometry(menu->actions().at(1));
        QCOMPARE(shot.pixel(sep.left(), sep.top()), rgbOf(c.IconStrip));
        QCOMPARE(shot.pixel(0, 0), rgbOf(ColorToRGB(cl3DLight)));
    }
};

QTEST_MAIN(TstThemedMenu)
#include "tst_themedmenu.moc"

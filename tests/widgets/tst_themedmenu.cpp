// The themed menus: colour rules, item drawing, and which menus get the style.

#include "WidgetTestSupport.h"
#include "widgets/ThemedMenu.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QRegularExpression>
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
    m.DrawMenuItem(p, item, QRect(0, 0, w, h), hot, direction == Qt::RightToLeft);
    return img;
}

// Columns of an item's row where something other than its plain background was drawn: the
// background of an unselected item is the same all the way down each column.
QList<int> inkedColumns(const QImage& shot, const QRect& row) {
    QList<int> out;
    for (int x = row.left(); x <= row.right(); ++x)
        for (int y = row.top() + 1; y < row.bottom(); ++y)
            if (shot.pixel(x, y) != shot.pixel(x, row.top() + 1)) {
                out << x;
                break;
            }
    return out;
}

// The menu shown as a child opens it, and its picture.
QImage shownMenu(QMenu* menu) {
    menu->popup(QPoint(300, 200));
    if (!QTest::qWaitForWindowExposed(menu))
        return {};
    return menu->grab().toImage();
}

enum ItemFlag { Hot = 1, Gradient = 2, Rtl = 4, Checked = 8, Disabled = 16 };

} // namespace

class TstThemedMenu : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        testsupport::substituteControlFonts();
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

    // Pixels of one drawn item: "x,y=Role" must be that colour, "x,y!Role" must not; "tick"
    // asks for black ink inside the 10 x 10 check box centred in the strip.
    void itemDrawing_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("flags");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("pixels");
        QTest::newRow("selected: border one in from the top, filled inside")
            << "Item" << (Hot | Gradient) << QSize(120, 22)
            << "60,1=SelectBorder 0,10=SelectBorder 119,10=SelectBorder 110,5=SelectFill "
               "5,5=SelectFill 60,0!SelectFill";
        QTest::newRow("separator from the text's left + 7 over a gradient")
            << "-" << int(Gradient) << QSize(120, 20)
            << "0,3=IconStrip 119,3!IconStrip 31,10=Separator 30,10!Separator";
        QTest::newRow("no gradient: a flat strip 24 wide")
            << "-" << 0 << QSize(120, 20) << "10,3=IconStrip 23,3=IconStrip 24,3=Menu";
        QTest::newRow("right to left mirrors the strip and the separator")
            << "-" << int(Rtl) << QSize(120, 20)
            << "109,3=IconStrip 96,3=IconStrip 95,3=Menu 88,10=Separator 89,10!Separator";
        QTest::newRow("checked: a framed box with a tick")
            << "Check" << int(Checked) << QSize(100, 22) << "7,7=CheckedFrame 15,7=CheckFill tick";
        QTest::newRow("disabled: grey frame, no selection")
            << "Check" << (Checked | Disabled | Hot) << QSize(100, 22)
            << "7,7=Disabled 90,11!SelectFill";
    }
    void itemDrawing() {
        QFETCH(QString, caption);
        QFETCH(int, flags);
        QFETCH(QSize, size);
        QFETCH(QString, pixels);
        QWidget form;
        TThemedMenu m(&form);
        m.SetGradient(flags & Gradient);
        TMenuItemInfo item;
        item.Caption = caption;
        item.Checked = flags & Checked;
        item.Enabled = !(flags & Disabled);
        const QImage img = drawItem(m, item, size.width(), size.height(), flags & Hot,
                                    flags & Rtl ? Qt::RightToLeft : Qt::LeftToRight);
        const TThemedColors c = m.SetupColors(&img);
        const QHash<QString, TColor> role{{"SelectBorder", c.SelectBorder},
                                          {"SelectFill", c.SelectFill},
                                          {"IconStrip", c.IconStrip},
                                          {"Separator", c.Separator},
                                          {"Menu", c.Menu},
                                          {"CheckedFrame", c.CheckedFrame},
                                          {"CheckFill", c.CheckFill},
                                          {"Disabled", c.Disabled}};
        for (const QString& spec : pixels.split(QLatin1Char(' '))) {
            if (spec == QLatin1String("tick")) {
                bool black = false;
                for (int y = 6; y < 16; ++y)
                    for (int x = 7; x < 17; ++x)
                        black = black || img.pixel(x, y) == qRgb(0, 0, 0);
                QVERIFY(black);
                continue;
            }
            const QStringList p = spec.split(QRegularExpression(QStringLiteral("[,=!]")));
            const bool same = img.pixel(p[0].toInt(), p[1].toInt()) == rgbOf(role.value(p[2]));
            QVERIFY2(same == spec.contains(QLatin1Char('=')), qPrintable(spec));
        }
    }

    // The caption stands 3 pixels in from the text rectangle's leading edge, the icon strip
    // (24 wide) lying before it.
    void captionInset_data() {
        QTest::addColumn<int>("direction");
        QTest::newRow("left to right: 3 px after the strip") << int(Qt::LeftToRight);
        QTest::newRow("right to left: 3 px before the strip") << int(Qt::RightToLeft);
    }
    void captionInset() {
        QFETCH(int, direction);
        testsupport::substituteControlFonts();
        QWidget form;
        TThemedMenu m(&form);
        TMenuItemInfo item;
        item.Caption = QStringLiteral("I");
        const int w = 120;
        const QImage img = drawItem(m, item, w, 22, false, Qt::LayoutDirection(direction));
        const TThemedColors c = m.SetupColors(&img);
        int first = -1, last = -1;
        for (int x = 0; x < w; ++x)
            for (int y = 0; y < 22; ++y)
                if (qGray(img.pixel(x, y)) < 0x80) {
                    if (first < 0)
                        first = x;
                    last = x;
                }
        QVERIFY(first >= 0);
        const QFontMetrics fm(c.Font);
        if (direction == Qt::LeftToRight) {
            // The caption is drawn with a leading blank; one pixel of slack for smoothing.
            const int bearing = std::max(0, int(fm.leftBearing(QLatin1Char('I'))));
            QVERIFY2(first >= 24 + 3 + fm.horizontalAdvance(QLatin1Char(' ')) + bearing - 1,
                     qPrintable(QString::number(first)));
        } else {
            QVERIFY2(last <= w - 24 - 3, qPrintable(QString::number(last)));
        }
    }

    void measuring_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<QString>("plain");
        QTest::addColumn<QString>("extra");
        QTest::newRow("\"&\" is not counted") << "&Open"
                                              << ""
                                              << "Open"
                                              << "";
        QTest::newRow("a shortcut adds its text and WWW") << "Open"
                                                          << "Ctrl+O"
                                                          << "Open"
                                                          << "Ctrl+OWWW";
    }
    void measuring() {
        QFETCH(QString, caption);
        QFETCH(QString, shortcut);
        QFETCH(QString, plain);
        QFETCH(QString, extra);
        QWidget form;
        TThemedMenu m(&form);
        TMenuItemInfo item;
        item.Caption = caption;
        item.ShortCut = shortcut;
        TMenuItemInfo bare;
        bare.Caption = plain;
        const int grown = m.MeasureMenuItem(item).width() - m.MeasureMenuItem(bare).width();
        const int expected = QFontMetrics(TThemedMenu::SystemMenuFont()).horizontalAdvance(extra);
        QVERIFY2(qAbs(grown - expected) <= 1, qPrintable(QString::number(grown)));
    }

    // A real popup shows every caption whole: nothing is drawn in the last columns of a row
    // before the frame, however narrow the popup (the shortest captions of the program's
    // popups, a long one, and one with a submenu).
    void captionsKeepClearOfTheFrame_data() {
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<bool>("subMenu");
        QTest::newRow("three short captions")
            << QStringList{"上一组", "下一组", "返    回"} << false;
        QTest::newRow("spaced caption alone") << QStringList{"返    回"} << false;
        QTest::newRow("long lesson title")
            << QStringList{"重    播", "第十二课 小蝌蚪找妈妈 (下)"} << false;
        QTest::newRow("submenu arrow") << QStringList{"上一组"} << true;
    }
    void captionsKeepClearOfTheFrame() {
        QFETCH(QStringList, captions);
        QFETCH(bool, subMenu);
        QWidget form;
        auto* menu = new QMenu(&form);
        for (const QString& text : captions)
            menu->addAction(text);
        if (subMenu)
            menu->actions().first()->setMenu(new QMenu(menu));
        TThemedMenu* m = CreateFormThemedMenu(&form);
        QCOMPARE(menu->style(), m->MenuStyle());
        const QImage shot = shownMenu(menu);
        QVERIFY(!shot.isNull());
        for (QAction* a : menu->actions()) {
            const QRect row = menu->actionGeometry(a);
            const QList<int> inked = inkedColumns(shot, row);
            QVERIFY2(!inked.isEmpty(), qPrintable(a->text()));
            // The caption, and a submenu's arrow, end at least 3 columns before the row does.
            QVERIFY2(inked.last() <= row.right() - 3,
                     qPrintable(QStringLiteral("%1: ink at %2, row ends at %3")
                                    .arg(a->text())
                                    .arg(inked.last())
                                    .arg(row.right())));
        }
        menu->hide();
    }

    // A real popup of a right-to-left form: the strip, the tick and the submenu arrow on the
    // right and left as the reading goes, the caption against the strip at the right.
    void rightToLeftFormPopup() {
        QWidget form;
        form.setLayoutDirection(Qt::RightToLeft);
        auto* menu = new QMenu(&form);
        QAction* checked = menu->addAction(QStringLiteral("Check"));
        checked->setCheckable(true);
        checked->setChecked(true);
        QAction* plain = menu->addAction(QStringLiteral("I"));
        QAction* wide = menu->addAction(QStringLiteral("A much longer caption here"));
        wide->setMenu(new QMenu(menu));
        TThemedMenu* m = CreateFormThemedMenu(&form);
        const QImage shot = shownMenu(menu);
        QVERIFY(!shot.isNull());
        QVERIFY(menu->isRightToLeft());
        const TThemedColors c = m->SetupColors(&shot);

        // The gradient starts from the strip colour at the right edge of a row.
        const QRect r = menu->actionGeometry(plain);
        const int y = r.center().y();
        QCOMPARE(shot.pixel(r.right(), r.top() + 1), rgbOf(c.IconStrip));
        QVERIFY(shot.pixel(r.left(), r.top() + 1) != rgbOf(c.IconStrip));
        // The caption "I" ends 3 pixels before the 24-pixel strip and starts far from the
        // left edge.
        const QList<int> ink = inkedColumns(shot, r);
        QVERIFY(!ink.isEmpty());
        QVERIFY2(ink.last() <= r.right() - 24 - 3 && ink.last() >= r.right() - 24 - 12,
                 qPrintable(QString::number(ink.last())));
        QVERIFY2(ink.first() > r.center().x(), qPrintable(QString::number(ink.first())));

        // The tick's 10 x 10 box in the strip at the right.
        const QRect t = menu->actionGeometry(checked);
        int frameLeft = -1;
        for (int x = t.left(); x <= t.right(); ++x)
            if (shot.pixel(x, t.center().y()) == rgbOf(c.CheckedFrame)) {
                frameLeft = x;
                break;
            }
        QVERIFY2(frameLeft >= t.right() - 24, qPrintable(QString::number(frameLeft)));
        // The tick is not mirrored: its long stroke rises to the right.
        QPoint top(-1, 1 << 20);
        for (int y = t.top(); y <= t.bottom(); ++y)
            for (int x = frameLeft; x <= t.right(); ++x)
                if (shot.pixel(x, y) == qRgb(0, 0, 0) && y < top.y())
                    top = QPoint(x, y);
        QVERIFY(top.x() >= 0);
        QVERIFY2(top.x() > frameLeft + 5, qPrintable(QString::number(top.x() - frameLeft)));

        // The submenu arrow at the left, pointing left.
        const QRect w = menu->actionGeometry(wide);
        const QList<int> arrowInk = inkedColumns(shot, w);
        QVERIFY(!arrowInk.isEmpty());
        QVERIFY2(arrowInk.first() <= w.left() + 9 && arrowInk.first() >= w.left() + 4,
                 qPrintable(QString::number(arrowInk.first())));
        Q_UNUSED(y);
        menu->hide();
    }

    // The flat frame's icon-strip edge follows the reading direction.
    void flatFrameSides_data() {
        QTest::addColumn<bool>("rightToLeft");
        QTest::addColumn<int>("stripX");
        QTest::addColumn<int>("plainX");
        QTest::newRow("left to right: strip edge on the left") << false << 1 << 97;
        QTest::newRow("right to left: strip edge on the right") << true << 96 << 2;
    }
    void flatFrameSides() {
        QFETCH(bool, rightToLeft);
        QFETCH(int, stripX);
        QFETCH(int, plainX);
        QWidget form;
        TThemedMenu m(&form);
        QImage img = canvas(101, 60);
        const TThemedColors c = m.SetupColors(&img);
        {
            QPainter p(&img);
            m.DrawMenuWindowFrame(p, QRect(0, 0, 101, 60), c, rightToLeft);
        }
        // The frame ends 2 pixels before the shadow; the strip edge runs inside it.
        QCOMPARE(img.pixel(stripX, 30), rgbOf(c.IconStrip));
        QCOMPARE(img.pixel(stripX + 1, 30), rgbOf(c.IconStrip));
        QVERIFY(img.pixel(plainX, 30) != rgbOf(c.IconStrip));
        COMPARE_PIXELS(img, {0, 30, rgbOf(c.Frame)}, {98, 30, rgbOf(c.Frame)},
                       {99, 30, rgbOf(c.Shadow)});
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

// The control painters of the themed menu component: which controls get one, the states they
// track, and what they paint.

#include "WidgetTestSupport.h"
#include "widgets/ControlSubClass.h"
#include "widgets/ThemedMenu.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleFactory>
#include <QtTest>

using T = TThemedTypes;

namespace {

QRgb rgbOf(TColor c) {
    return toQColor(c).rgb();
}

TControlSubClass* subclassOf(const TThemedMenu& m, const QWidget* w) {
    for (TControlSubClass* s : m.Subclasses())
        if (s->Control() == w)
            return s;
    return nullptr;
}

void key(QWidget* w, QEvent::Type type, bool repeat) {
    QKeyEvent ev(type, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), repeat);
    QApplication::sendEvent(w, &ev);
}

} // namespace

class TstControlSubClass : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QFont::insertSubstitution(QStringLiteral("宋体"), QStringLiteral("Noto Serif CJK SC"));
    }

    void qualifyingControls() {
        QWidget form;
        auto* edit = new QLineEdit(&form);
        auto* keep = new QLineEdit(&form);
        keep->setProperty("Tag", 999);
        auto* mask = new QLineEdit(&form);
        mask->setInputMask(QStringLiteral("999"));
        auto* frame = new QFrame(&form);
        frame->setFrameShape(QFrame::Panel);
        auto* radio = new QRadioButton(frame);
        auto* closed = new QFrame(&form);
        closed->setProperty("Tag", 999);
        auto* hidden = new QPushButton(closed);
        auto* group = new QGroupBox(&form);
        auto* check = new QCheckBox(group);
        auto* label = new QLabel(&form);
        auto* plain = new QWidget(&form);
        auto* inPlain = new QPushButton(plain);
        auto* combo = new QComboBox(&form);

        const T::TThemedControls all(0xFFFF);
        const T::TThemedContainers every(0x3FF);
        TControlSubClass::TControlKind kind;
        QVERIFY(TControlSubClass::Qualifies(edit, &form, all, every, &kind));
        QCOMPARE(kind, TControlSubClass::ckEdit);
        QVERIFY(!TControlSubClass::Qualifies(keep, &form, all, every, &kind));
        QVERIFY(!TControlSubClass::Qualifies(mask, &form, T::xcEdit, every, &kind));
        QVERIFY(TControlSubClass::Qualifies(mask, &form, T::xcMaskEdit, every, &kind));
        QVERIFY(TControlSubClass::Qualifies(radio, &form, all, every, &kind));
        QCOMPARE(kind, TControlSubClass::ckRadioButton);
        QVERIFY(!TControlSubClass::Qualifies(radio, &form, all, T::xccForm, &kind));
        QVERIFY(!TControlSubClass::Qualifies(hidden, &form, all, every, &kind));
        QVERIFY(TControlSubClass::Qualifies(check, &form, all, T::xccGroupBox, &kind));
        QVERIFY(!TControlSubClass::Qualifies(label, &form, all, every, &kind));
        QVERIFY(!TControlSubClass::Qualifies(inPlain, &form, all, every, &kind));
        QVERIFY(TControlSubClass::Qualifies(frame, &form, T::xcPanel, T::xccForm, &kind));
        QCOMPARE(kind, TControlSubClass::ckPanel);
        QVERIFY(TControlSubClass::Qualifies(combo, &form, T::xcCombo, T::xccForm, &kind));
        QVERIFY(!TControlSubClass::Qualifies(combo, &form, T::xcEdit, T::xccForm, &kind));

        // The component attaches exactly those; the program's menus-only setting none.
        TThemedMenu m(&form);
        m.SetThemedControls(T::xcMainMenu | T::xcPopupMenu);
        m.SetActive(true);
        QVERIFY(m.Subclasses().isEmpty());
        m.SetThemedControls(all);
        QSet<QWidget*> got;
        for (TControlSubClass* s : m.Subclasses())
            got << s->Control();
        QCOMPARE(got, (QSet<QWidget*>{edit, mask, frame, radio, group, check, combo}));
        m.SetActive(false);
        QVERIFY(m.Subclasses().isEmpty());
    }

    void statesFollowTheControl() {
        QWidget form;
        auto* button = new QPushButton(QStringLiteral("OK"), &form);
        TThemedMenu m(&form);
        m.SetActive(true);
        TControlSubClass* s = subclassOf(m, button);
        QVERIFY(s);

        // Holding the space bar paints the pressed face once.
        const int start = s->PaintCount();
        key(button, QEvent::KeyPress, false);
        QVERIFY(s->SpaceDown());
        key(button, QEvent::KeyPress, true);
        key(button, QEvent::KeyPress, true);
        QCOMPARE(s->PaintCount(), start + 1);
        key(button, QEvent::KeyRelease, false);
        QVERIFY(!s->SpaceDown());
        QCOMPARE(s->PaintCount(), start + 2);

        QEnterEvent in(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QApplication::sendEvent(button, &in);
        QVERIFY(s->Hot());
        QEvent out(QEvent::Leave);
        QApplication::sendEvent(button, &out);
        QVERIFY(!s->Hot());
        button->setEnabled(false);
        QApplication::sendEvent(button, &in);
        QVERIFY(!s->Hot()); // a disabled control does not light up
    }

    void doubleClickIsAPressForButtonsAndCheckBoxes_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("press");
        QTest::newRow("button") << "button" << true;
        QTest::newRow("check box") << "check" << true;
        QTest::newRow("radio button") << "radio" << false;
    }

    void doubleClickIsAPressForButtonsAndCheckBoxes() {
        QFETCH(QString, kind);
        QFETCH(bool, press);
        QWidget form;
        QAbstractButton* control =
            kind == "button"  ? static_cast<QAbstractButton*>(new QPushButton(&form))
            : kind == "check" ? static_cast<QAbstractButton*>(new QCheckBox(&form))
                              : new QRadioButton(&form);
        TThemedMenu m(&form);
        m.SetActive(true);
        TControlSubClass* s = subclassOf(m, control);
        QVERIFY(s);
        QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(3, 3), QPointF(3, 3), Qt::LeftButton,
                        Qt::LeftButton, {});
        QApplication::sendEvent(control, &dbl);
        QCOMPARE(s->ButtonDown(), press);
    }

    void buttonFaces() {
        QWidget form;
        auto* xp = new QPushButton(QStringLiteral("A"), &form);
        auto* plain = new QPushButton(QStringLiteral("B"), &form);
        plain->setProperty("Tag", 1234567890);
        auto* silent = new QPushButton(QStringLiteral("C"), &form);
        silent->setProperty("Tag", -1);
        for (QPushButton* b : {xp, plain, silent})
            b->resize(80, 24);
        TThemedMenu m(&form);
        m.SetActive(true);
        QVERIFY(subclassOf(m, silent)); // watched, but never painted

        const QImage a = xp->grab().toImage();
        COMPARE_PIXELS(a, {40, 0, rgbOf(m.BtnOutLineBorderColor())},
                       {6, 6, rgbOf(m.BtnSurfaceNormalColor())},
                       {40, 21, rgbOf(m.BtnSurfaceBottomLineColor())});

        const QImage b = plain->grab().toImage();
        const TThemedColors c = m.SetupColors(&b);
        COMPARE_PIXELS(b, {6, 6, rgbOf(c.IconStrip)},
                       {40, 0, rgbOf(TThemedMenu::Lighten(clBtnShadow, 30))});

        const QImage s = silent->grab().toImage();
        QVERIFY(s.pixel(40, 0) != rgbOf(m.BtnOutLineBorderColor()));
    }

    void editFrameAndRestore() {
        QWidget form;
        QPalette pal = form.palette();
        pal.setColor(QPalette::Window, QColor(200, 200, 200));
        form.setPalette(pal);
        auto* edit = new QLineEdit(&form);
        edit->resize(100, 22);
        TThemedMenu m(&form);
        m.SetActive(true);
        QVERIFY(!edit->hasFrame());
        QImage img = edit->grab().toImage();
        COMPARE_PIXELS(img, {0, 0, rgbOf(TThemedMenu::Darken(RGBToColor(200, 200, 200), 60))},
                       {99, 21, img.pixel(0, 0)});
        QEnterEvent in(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QApplication::sendEvent(edit, &in);
        img = edit->grab().toImage();
        QCOMPARE(img.pixel(0, 0), rgbOf(TThemedMenu::Lighten(clHighlight, 60)));
        m.SetActive(false);
        QVERIFY(edit->hasFrame());
    }

    void checkBoxTick() {
        QWidget form;
        auto* check = new QCheckBox(QStringLiteral("Tick"), &form);
        check->resize(100, 24);
        check->setChecked(true);
        TThemedMenu m(&form);
        m.SetActive(true);
        const QImage img = check->grab().toImage();
        int green = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < 24; ++x)
                green += img.pixel(x, y) == rgbOf(m.RdoChkControlChkColor());
        QVERIFY(green >= 10);
    }
};

QTEST_MAIN(TstControlSubClass)
#include "tst_controlsubclass.moc"

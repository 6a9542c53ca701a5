// The control painters of the themed menu component: which controls get one, the states they
// track, and what they paint.

#include "WidgetTestSupport.h"
#include "widgets/ControlSubClass.h"
#include "widgets/ThemedMenu.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QStyleFactory>
#include <QWindow>
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

// Colours of the XP look, written out from their $BBGGRR values by hand.
const QRgb kOutline = qRgb(0x00, 0x3C, 0x73);    // $733C00
const QRgb kInnerMove = qRgb(0xFF, 0xB2, 0x31);  // $31B2FF
const QRgb kInnerFocus = qRgb(0x8C, 0xAE, 0xE7); // $E7AE8C
// The second inner frame of a button, one row shorter: the colour plus $020200 or $020202.
const QRgb kInnerMove2 = qRgb(0xFF, 0xB4, 0x33);
const QRgb kInnerFocus2 = qRgb(0x8E, 0xB0, 0xE9);
const QRgb kSurface = qRgb(0xFF, 0xFB, 0xF7);        // $F7FBFF
const QRgb kSurfaceDown = qRgb(0xE7, 0xE7, 0xDE);    // $DEE7E7
const QRgb kTick = qRgb(0x00, 0xA2, 0x00);           // $00A200
const QRgb kComboMove = qRgb(0xD6, 0xE7, 0xFF);      // $FFE7D6
const QRgb kComboDropped = qRgb(0x8C, 0xA2, 0xF7);   // $F7A28C
const QRgb kDisabledBorder = qRgb(0xC6, 0xC7, 0xB5); // $B5C7C6
// The edit's frame: highlight (49, 106, 197) lightened by 60 percent when lit; the parent's
// grey (200, 200, 200) darkened by 60 (green by 58) when not.
const QRgb kEditLit = qRgb(173, 195, 232);
const QRgb kEditPlain = qRgb(140, 142, 140);

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
        testsupport::substituteControlFonts();
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

    // Each kind's face in each state, brought about by real mouse, focus and enable changes
    // on a shown form; "detached" is the control after the component went inactive.
    void facesByState_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("state");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QRgb>("colour");
        QTest::addColumn<bool>("same");
        struct Row {
            const char* kind;
            const char* state;
            QPoint at;
            QRgb colour;
            bool same = true;
        };
        const Row rows[] = {
            {"button", "normal", {40, 0}, kOutline},
            {"button", "normal", {6, 12}, kSurface},
            {"button", "normal", {40, 1}, kSurface},
            {"button", "hot", {40, 22}, kInnerMove},
            {"button", "hot", {40, 1}, kInnerMove2},
            {"button", "pressed", {6, 12}, kSurfaceDown},
            {"button", "focused", {40, 22}, kInnerMove},
            {"button", "focused, mouse gone", {40, 22}, kInnerFocus},
            {"button", "focused, mouse gone", {40, 1}, kInnerFocus2},
            {"button", "disabled", {40, 0}, kDisabledBorder},
            {"button", "detached", {40, 0}, kOutline, false},
            {"combo", "normal", {115, 5}, kInnerFocus},
            {"combo", "normal", {1, 12}, kOutline},
            {"combo", "hot", {115, 5}, kComboMove},
            {"combo", "pressed", {115, 5}, kComboDropped},
            {"combo", "focused", {115, 5}, kComboMove},
            {"combo", "focused, mouse gone", {115, 5}, kInnerFocus},
            {"combo", "disabled", {1, 12}, kDisabledBorder},
            {"combo", "detached", {115, 5}, kInnerFocus, false},
            {"check", "normal", {0, 12}, kOutline},
            {"check", "normal", {15, 12}, kOutline},
            {"check", "normal", {8, 19}, kOutline},
            {"check", "normal", {3, 6}, kSurface},
            {"check", "normal", {4, 16}, kTick},
            {"check", "hot", {1, 12}, kInnerMove},
            {"check", "pressed", {3, 6}, kSurfaceDown},
            {"check", "focused", {1, 12}, kInnerMove},
            {"check", "focused, mouse gone", {1, 12}, kSurface},
            {"check", "disabled", {0, 12}, kDisabledBorder},
            {"check", "detached", {15, 12}, kOutline, false},
            {"radio", "normal", {7, 11}, kTick},
            {"radio", "normal", {8, 12}, kTick},
            {"radio", "normal", {5, 9}, kSurface},
            {"radio", "pressed", {5, 9}, kSurfaceDown},
            {"radio", "detached", {8, 12}, kTick, false},
            {"edit", "normal", {0, 5}, kEditPlain},
            {"edit", "hot", {0, 5}, kEditLit},
            {"edit", "focused", {0, 5}, kEditLit},
            {"edit", "disabled", {0, 5}, kEditPlain},
            {"edit", "detached", {0, 5}, kEditPlain, false},
        };
        for (const Row& r : rows)
            QTest::addRow("%s %s %d,%d", r.kind, r.state, r.at.x(), r.at.y())
                << r.kind << r.state << r.at << r.colour << r.same;
    }
    void facesByState() {
        QFETCH(QString, kind);
        QFETCH(QString, state);
        QFETCH(QPoint, at);
        QFETCH(QRgb, colour);
        QFETCH(bool, same);
        QWidget form;
        form.resize(300, 200);
        QPalette pal = form.palette();
        pal.setColor(QPalette::Window, QColor(200, 200, 200));
        form.setPalette(pal);
        QWidget* control = nullptr;
        if (kind == "button") {
            control = new QPushButton(QStringLiteral("A"), &form);
            control->setGeometry(20, 20, 80, 24);
        } else if (kind == "combo") {
            auto* combo = new QComboBox(&form);
            combo->addItems({QStringLiteral("one"), QStringLiteral("two")});
            control = combo;
            control->setGeometry(20, 20, 120, 24);
        } else if (kind == "check" || kind == "radio") {
            QAbstractButton* b = kind == "check"
                                     ? static_cast<QAbstractButton*>(new QCheckBox(&form))
                                     : new QRadioButton(&form);
            b->setText(QStringLiteral("Box"));
            b->setChecked(true);
            control = b;
            control->setGeometry(20, 20, 100, 24);
        } else {
            control = new QLineEdit(&form);
            control->setGeometry(20, 20, 100, 24);
        }
        control->setFocusPolicy(Qt::StrongFocus);
        // Something else holds the focus at first: focus alone lights a control.
        auto* holder = new QPushButton(&form);
        holder->setProperty("Tag", 999);
        holder->setGeometry(200, 20, 40, 24);
        holder->setFocus();
        TThemedMenu m(&form);
        m.SetActive(true);
        QVERIFY(subclassOf(m, control));
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        const QPoint away(250, 150);
        const QPoint inside = control->geometry().center();
        QTest::mouseMove(&form, away);
        QWindow* window = form.windowHandle();
        const bool press = state == "pressed";
        auto look = [&] { return control->grab().toImage().pixel(at); };

        if (state == "hot" || press) {
            QTest::mouseMove(&form, inside);
            QTRY_VERIFY(control->underMouse());
        }
        // The button goes up again even when a comparison fails, or the next rows' mouse
        // moves would be drags.
        auto release = qScopeGuard([&] {
            if (!press)
                return;
            if (auto* combo = qobject_cast<QComboBox*>(control))
                combo->hidePopup();
            QTest::mouseRelease(window, Qt::LeftButton, {}, inside);
        });
        if (press)
            QTest::mousePress(window, Qt::LeftButton, {}, inside);
        if (state.startsWith("focused")) {
            control->setFocus(Qt::TabFocusReason);
            QTRY_VERIFY(control->hasFocus());
        }
        if (state == "focused, mouse gone") {
            QTest::mouseMove(&form, inside);
            QTRY_VERIFY(control->underMouse());
            QTest::mouseMove(&form, away);
            QTRY_VERIFY(!control->underMouse());
        }
        if (state == "disabled")
            control->setEnabled(false);
        if (state == "detached")
            m.SetActive(false);
        if (same)
            QTRY_COMPARE(look(), colour);
        else
            QTRY_VERIFY(look() != colour);
    }

    // A combo's list takes the mouse from the press that opens it to the click that chooses:
    // the combo shows the dropped face meanwhile, and the normal face once the mouse has gone.
    void comboFaceAfterItsListWasUsed() {
        QWidget form;
        form.resize(300, 200);
        auto* combo = new QComboBox(&form);
        combo->addItems({QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")});
        combo->setGeometry(20, 20, 120, 24);
        TThemedMenu m(&form);
        m.SetActive(true);
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        const QPoint face(115, 5);
        auto look = [&] { return combo->grab().toImage().pixel(face); };
        const QPoint inside = combo->geometry().center();
        QTest::mouseMove(&form, inside);
        QTRY_COMPARE(look(), kComboMove);

        QWindow* window = form.windowHandle();
        QTest::mousePress(window, Qt::LeftButton, {}, inside);
        QTRY_VERIFY(combo->view()->isVisible());
        QTest::mouseRelease(window, Qt::LeftButton, {}, inside);
        QVERIFY(combo->view()->isVisible());
        QTRY_COMPARE(look(), kComboDropped);

        // A click on the third row, once the list no longer takes a release for the opening
        // click's.
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        QWidget* list = combo->view()->window();
        const QRect row = combo->view()->visualRect(combo->model()->index(2, 0));
        const QPoint onRow = combo->view()->viewport()->mapTo(list, row.center());
        QTest::mouseMove(list->windowHandle(), onRow);
        QTest::mouseClick(list->windowHandle(), Qt::LeftButton, {}, onRow);
        QTRY_VERIFY(!combo->view()->isVisible());
        QCOMPARE(combo->currentIndex(), 2);

        QTest::mouseMove(&form, QPoint(250, 150));
        QTRY_COMPARE(look(), kInnerFocus);
    }
};

QTEST_MAIN(TstControlSubClass)
#include "tst_controlsubclass.moc"

// Picture-button looks over every Tag and state, latches, and the event order.
#include "app/TForm.h"
#include "app/TImage.h"
#include "app/UbtnState.h"

#include <QLabel>
#include <QtTest>

namespace {

struct Board {
    QWidget form;
    TImage* button;
    TImage* c[5] = {};
    explicit Board(int tag, int companions = 4) {
        button = new TImage(&form);
        button->setObjectName("imgbtn");
        button->setTag(tag);
        button->setGeometry(10, 20, 50, 40);
        for (int i = 1; i <= companions; ++i) {
            c[i] = new TImage(&form);
            c[i]->setObjectName(QString("imgbtn%1").arg(i));
            c[i]->setGeometry(300, 300, 50, 40);
            c[i]->hide();
        }
    }
    // Visible companions as a string of digits, e.g. "13".
    QString shown() const {
        QString s;
        for (int i = 1; i <= 4; ++i)
            if (c[i] && !c[i]->isHidden())
                s += QString::number(i);
        return s;
    }
};

} // namespace

class TestBtnState : public QObject {
    Q_OBJECT
private slots:
    void table_data();
    void table();
    void latches_data();
    void latches();
    void ignoredSenders();
    void missingCompanionsAreIgnored();
    void formWiringAndEventOrder();
};

void TestBtnState::table_data() {
    QTest::addColumn<int>("tag");
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("before"); // companions shown, e.g. "12"
    QTest::addColumn<QString>("after");
    const auto row = [](const char* name, int tag, const char* state, const char* before,
                        const char* after) {
        QTest::newRow(name) << tag << QString(state) << QString(before) << QString(after);
    };
    row("-1 hover only: enter", -1, "MVEnter", "", "1");
    row("-1 up keeps the hover", -1, "MVUp", "1", "1");
    row("-2 down: pressed for hover", -2, "MVDown", "1", "2");
    row("-3 unlatched acts as -2", -3, "MVUp", "12", "");
    row("-4 enter: hover for rest", -4, "MVEnter", "1", "2");
    row("-5 down shows the latch", -5, "MVDown", "1", "2");
    row("-6 leave: back to rest", -6, "MVLeave", "3", "1");
    row("state names are exact", -2, "mventer", "", "");
    row("unknown state", -2, "MVClick", "1", "1");
}

void TestBtnState::table() {
    QFETCH(int, tag);
    QFETCH(QString, state);
    QFETCH(QString, before);
    QFETCH(QString, after);
    Board b(tag);
    for (QChar d : before)
        b.c[d.digitValue()]->show();
    SetBtnState(b.button, state);
    QCOMPARE(b.shown(), after);
    // Companions the call showed sit exactly over the button.
    for (QChar d : after)
        if (!before.contains(d))
            QCOMPARE(b.c[d.digitValue()]->pos(), b.button->pos());
}

void TestBtnState::latches_data() {
    QTest::addColumn<int>("tag");
    QTest::addColumn<int>("latch");
    QTest::addColumn<QString>("hoverAfterUnlatch");
    QTest::newRow("-3 by X3") << -3 << 3 << "1";
    QTest::newRow("-5 by X2") << -5 << 2 << "1";
    QTest::newRow("-6 by X4") << -6 << 4 << "2";
}

void TestBtnState::latches() {
    QFETCH(int, tag);
    QFETCH(int, latch);
    QFETCH(QString, hoverAfterUnlatch);
    Board b(tag);
    b.c[latch]->show();
    const QString frozen = b.shown();
    for (const char* s : {"MVEnter", "MVDown", "MVUp", "MVLeave"}) {
        SetBtnState(b.button, s);
        QCOMPARE(b.shown(), frozen);
    }
    // Once the window hides the latch, hover works again.
    b.c[latch]->hide();
    SetBtnState(b.button, "MVEnter");
    QCOMPARE(b.shown(), hoverAfterUnlatch);
}

void TestBtnState::ignoredSenders() {
    for (int tag : {0, 3, -7}) {
        Board b(tag);
        SetBtnState(b.button, "MVEnter");
        SetBtnState(b.button, "MVDown");
        QCOMPARE(b.shown(), QString());
    }
    Board b(-2);
    QLabel label(&b.form);
    label.setObjectName("imgbtn");
    SetBtnState(&label, "MVEnter");
    SetBtnState(nullptr, "MVEnter");
    QCOMPARE(b.shown(), QString());
}

void TestBtnState::missingCompanionsAreIgnored() {
    Board b(-6, 1); // only X1 exists
    for (const char* s : {"MVEnter", "MVLeave", "MVDown", "MVUp"})
        SetBtnState(b.button, s);
    QCOMPARE(b.shown(), QString("1"));
}

void TestBtnState::formWiringAndEventOrder() {
    TForm form;
    form.resize(200, 200);
    auto* btn = new TImage(&form);
    btn->setObjectName("imgok");
    btn->setTag(-2);
    btn->setGeometry(10, 10, 60, 40);
    auto* hover = new TImage(&form);
    hover->setObjectName("imgok1");
    hover->hide();
    auto* pressed = new TImage(&form);
    pressed->setObjectName("imgok2");
    pressed->hide();
    // Companions made before the button still end up above it and let the mouse through.
    hover->lower();
    form.wirePictureButtons();
    QVERIFY(hover->testAttribute(Qt::WA_TransparentForMouseEvents));
    QVERIFY(!btn->testAttribute(Qt::WA_TransparentForMouseEvents));

    QStringList order;
    // The click sees the pressed look still up: mouse up (which drops it) comes after.
    connect(btn, &TImage::OnClick,
            [&] { order << (pressed->isHidden() ? "click-late" : "click"); });
    connect(btn, &TImage::OnMouseUp, [&] { order << "up"; });
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(15, 15));
    QApplication::sendEvent(btn, &enter);
    QVERIFY(!hover->isHidden());
    QTest::mousePress(btn, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(hover->isHidden());
    QVERIFY(!pressed->isHidden());
    QTest::mouseRelease(btn, Qt::LeftButton, {}, QPoint(5, 5));
    // Click first, then mouse up (whose handler hides the pressed look).
    QCOMPARE(order, QStringList({"click", "up"}));
    QVERIFY(pressed->isHidden());

    // A release outside is no click.
    order.clear();
    QTest::mousePress(btn, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(btn, Qt::LeftButton, {}, QPoint(150, 150));
    QCOMPARE(order, QStringList({"up"}));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(btn, &leave);
    QVERIFY(hover->isHidden());
}

QTEST_MAIN(TestBtnState)
#include "tst_ubtnstate.moc"

// The flat panel's face, border, caption and transparency, read from its pixels.
#include "WidgetTestSupport.h"
#include "widgets/TFlatPanelUnit.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

namespace {

QRgb rgbOf(TColor c) {
    return toQColor(c).rgb();
}

// A form background with a picture: a checkerboard of two colours.
class Picture : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        for (int y = 0; y < height(); y += 10)
            for (int x = 0; x < width(); x += 10)
                p.fillRect(x, y, 10, 10, ((x + y) / 10) % 2 ? Qt::yellow : Qt::darkGreen);
    }
};

class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* ev) override {
        if (ev->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

bool hasPixel(const QImage& img, const QRect& box, QRgb rgb) {
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            if (img.pixel(x, y) == rgb)
                return true;
    return false;
}

} // namespace

class TstFlatPanel : public QObject {
    Q_OBJECT
private slots:
    void opaqueFaceAndBorder();
    void transparentShowsParent();
    void settingTransparentAlwaysRepaints();
    void disabledCaptionIsEmbossed();
    void captionAlignment_data();
    void captionAlignment();
    void dragAndDrop_data();
    void dragAndDrop();
    void mouseEvents_data();
    void mouseEvents();
};

void TstFlatPanel::opaqueFaceAndBorder() {
    TFlatPanel panel;
    panel.resize(90, 90);
    panel.SetColor(TColor(0x0095DFBA));
    panel.SetColors(0, clWhite);
    panel.SetColors(1, clBlack);
    const QImage img = panel.grab().toImage();
    COMPARE_PIXELS(img, {45, 45, rgbOf(TColor(0x0095DFBA))}, {0, 0, rgbOf(clWhite)},
                   {88, 0, rgbOf(clWhite)}, {89, 0, rgbOf(clBlack)}, {0, 89, rgbOf(clBlack)},
                   {89, 89, rgbOf(clBlack)}, {1, 1, rgbOf(TColor(0x0095DFBA))});
}

void TstFlatPanel::transparentShowsParent() {
    Picture form;
    form.resize(200, 100);
    TFlatPanel panel(&form);
    panel.setGeometry(20, 20, 60, 40);
    panel.SetColor(clRed);
    panel.SetColors(0, clBlack);
    panel.SetColors(1, clBlack);
    QImage img = form.grab().toImage();
    QCOMPARE(img.pixel(45, 35), rgbOf(clRed));
    panel.SetTransparent(true);
    img = form.grab().toImage();
    // Inside the border the picture shows through, at both of its colours.
    COMPARE_PIXELS(img, {25, 25, QColor(Qt::darkGreen).rgb()}, {35, 25, QColor(Qt::yellow).rgb()},
                   {20, 20, rgbOf(clBlack)}, {79, 59, rgbOf(clBlack)});
    panel.SetTransparent(false);
    img = form.grab().toImage();
    QCOMPARE(img.pixel(25, 25), rgbOf(clRed));
}

void TstFlatPanel::settingTransparentAlwaysRepaints() {
    TFlatPanel panel;
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    PaintCounter counter;
    panel.installEventFilter(&counter);
    panel.SetTransparent(false);
    QTRY_VERIFY(counter.paints > 0);
}

void TstFlatPanel::disabledCaptionIsEmbossed() {
    TFlatPanel panel;
    panel.resize(120, 40);
    panel.SetColor(clYellow); // neither of the emboss colours
    QFont f = panel.font();
    f.setPixelSize(20);
    f.setStyleStrategy(QFont::NoAntialias);
    panel.setFont(f);
    panel.SetCaption(QStringLiteral("WWW"));
    const QRect box(20, 5, 80, 30);
    panel.SetFontColor(clBlue);
    QImage img = panel.grab().toImage();
    QVERIFY(hasPixel(img, box, rgbOf(clBlue)));
    QVERIFY(!hasPixel(img, box, rgbOf(clBtnShadow)));
    panel.setEnabled(false);
    img = panel.grab().toImage();
    QVERIFY(!hasPixel(img, box, rgbOf(clBlue)));
    QVERIFY(hasPixel(img, box, rgbOf(clBtnShadow)));
    QVERIFY(hasPixel(img, box, rgbOf(clBtnHighlight)));
    // The highlight copy lies one pixel down and right of the shadow copy.
    for (int y = box.top(); y < box.bottom(); ++y)
        for (int x = box.left(); x < box.right(); ++x)
            if (img.pixel(x, y) == rgbOf(clBtnShadow) &&
                img.pixel(x + 1, y + 1) != rgbOf(clBtnShadow))
                QCOMPARE(img.pixel(x + 1, y + 1), rgbOf(clBtnHighlight));
}

void TstFlatPanel::captionAlignment_data() {
    QTest::addColumn<int>("alignment");
    QTest::addColumn<int>("minX");
    QTest::addColumn<int>("maxX");
    QTest::newRow("left") << int(TFlatTypes::taLeftJustify) << 0 << 60;
    QTest::newRow("centre") << int(TFlatTypes::taCenter) << 70 << 130;
    QTest::newRow("right") << int(TFlatTypes::taRightJustify) << 140 << 200;
}

void TstFlatPanel::captionAlignment() {
    QFETCH(int, alignment);
    QFETCH(int, minX);
    QFETCH(int, maxX);
    TFlatPanel panel;
    panel.resize(200, 40);
    panel.SetColor(clWhite);
    panel.SetFontColor(clBlack);
    panel.SetCaption(QStringLiteral("II"));
    panel.SetAlignment(TFlatTypes::TAlignment(alignment));
    const QImage img = panel.grab().toImage();
    int left = 1000, right = -1;
    for (int y = 2; y < 38; ++y)
        for (int x = 2; x < 198; ++x)
            if (qGray(img.pixel(x, y)) < 128) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    QVERIFY(right >= 0);
    QVERIFY2(left >= minX && right <= maxX, qPrintable(QString("%1..%2").arg(left).arg(right)));
}

void TstFlatPanel::dragAndDrop_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("dock");
    QTest::addColumn<bool>("site");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<int>("drops");
    const int automatic = TDragDock::dmAutomatic;
    QTest::newRow("automatic drag onto an accepting panel")
        << automatic << false << false << true << 1;
    QTest::newRow("target refuses: no drop") << automatic << false << false << false << 0;
    QTest::newRow("manual mode: a press is only a press")
        << int(TDragDock::dmManual) << false << false << true << 0;
    QTest::newRow("dock onto a dock site: over and drop") << automatic << true << true << true << 1;
    QTest::newRow("dock site refuses: no drop") << automatic << true << true << false << 0;
    QTest::newRow("dock onto a panel that is no site: not heard")
        << automatic << true << false << true << 0;
}

void TstFlatPanel::dragAndDrop() {
    QFETCH(int, mode);
    QFETCH(bool, dock);
    QFETCH(bool, site);
    QFETCH(bool, accept);
    QFETCH(int, drops);
    QWidget form;
    form.resize(300, 100);
    auto* source = new TFlatPanel(&form);
    source->setGeometry(0, 0, 100, 100);
    auto* target = new TFlatPanel(&form);
    target->setGeometry(150, 0, 100, 100);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    source->SetDragMode(TDragDock::TDragMode(mode));
    source->SetDragKind(dock ? TDragDock::dkDock : TDragDock::dkDrag);
    target->SetDockSite(site);
    QList<TDragDock::TDragState> states;
    auto over = [&](QObject* from, int, int, TDragDock::TDragState state, bool* ok) {
        QCOMPARE(from, source);
        states << state;
        *ok = accept;
    };
    connect(target->DragDock(), dock ? &TDragDock::OnDockOver : &TDragDock::OnDragOver, over);
    QSignalSpy dropped(target->DragDock(), dock ? &TDragDock::OnDockDrop : &TDragDock::OnDragDrop);
    QSignalSpy ended(source->DragDock(), dock ? &TDragDock::OnEndDock : &TDragDock::OnEndDrag);
    QSignalSpy started(source->DragDock(),
                       dock ? &TDragDock::OnStartDock : &TDragDock::OnStartDrag);
    QSignalSpy pressed(source, &TFlatControl::OnMouseDown);
    auto send = [&](QEvent::Type type, QPoint at) {
        QMouseEvent ev(type, source->mapFrom(&form, at), form.mapToGlobal(at), Qt::LeftButton,
                       type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, {});
        QApplication::sendEvent(source, &ev);
    };
    send(QEvent::MouseButtonPress, QPoint(50, 50));
    send(QEvent::MouseMove, QPoint(170, 50));
    send(QEvent::MouseMove, QPoint(180, 60));
    send(QEvent::MouseButtonRelease, QPoint(180, 60));
    QCOMPARE(dropped.count(), drops);
    if (mode == TDragDock::dmManual) {
        QCOMPARE(started.count(), 0);
        QCOMPARE(pressed.count(), 1);
        return;
    }
    QCOMPARE(pressed.count(), 0); // the press started the drag instead
    QCOMPARE(started.count(), 1);
    const bool heard = !dock || site;
    QCOMPARE(states,
             heard ? QList<TDragDock::TDragState>(
                         {TDragDock::dsDragEnter, TDragDock::dsDragMove, TDragDock::dsDragMove})
                   : QList<TDragDock::TDragState>());
    QCOMPARE(ended.count(), 1);
    QCOMPARE(ended.at(0).at(0).value<QObject*>(), drops ? target : nullptr);
    if (drops) {
        QCOMPARE(dropped.at(0).at(1).toInt(), 30); // in the target's coordinates
        QCOMPARE(ended.at(0).at(2).toInt(), 60);
    }
}

enum PanelMouse { MoveWithoutButton, Click, DoubleClick };

void TstFlatPanel::mouseEvents_data() {
    QTest::addColumn<int>("action");
    QTest::addColumn<QStringList>("heard");
    QTest::newRow("a move without a button fires OnMouseMove")
        << int(MoveWithoutButton) << QStringList{"move 30,20"};
    QTest::newRow("a click fires OnClick") << int(Click) << QStringList{"click"};
    QTest::newRow("a double click fires OnDblClick") << int(DoubleClick) << QStringList{"double"};
}

void TstFlatPanel::mouseEvents() {
    QFETCH(int, action);
    QFETCH(QStringList, heard);
    QWidget form;
    form.resize(200, 100);
    auto* panel = new TFlatPanel(&form);
    panel->setGeometry(20, 10, 100, 60);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::mouseMove(form.windowHandle(), QPoint(150, 90));
    QStringList got;
    connect(panel, &TFlatControl::OnMouseMove, [&](Qt::KeyboardModifiers, int x, int y) {
        got << QStringLiteral("move %1,%2").arg(x).arg(y);
    });
    connect(panel, &TFlatControl::OnClick, [&] { got << "click"; });
    connect(panel, &TFlatControl::OnDblClick, [&] { got << "double"; });
    const QPoint at(30, 20);
    switch (action) {
    case MoveWithoutButton:
        QTest::mouseMove(form.windowHandle(), panel->pos() + at);
        QTRY_COMPARE(got, heard);
        return;
    case Click:
        QTest::mouseClick(panel, Qt::LeftButton, {}, at);
        break;
    case DoubleClick:
        // The clicks of the double click's presses are not counted here.
        QTest::mouseDClick(panel, Qt::LeftButton, {}, at);
        got.removeAll(QStringLiteral("click"));
        break;
    }
    got.removeAll(QStringLiteral("move 30,20"));
    QCOMPARE(got, heard);
}

QTEST_MAIN(TstFlatPanel)
#include "tst_tflatpanelunit.moc"

// The smooth text control: wrapping, auto size, alignment by labels, row pitch, clipping at the
// bottom, and the transparent mode.

#include "WidgetTestSupport.h"
#include "widgets/SmoothCtrls.h"

#include <QApplication>
#include <QSignalSpy>
#include <QtTest>
#include <cmath>

namespace {

QRect inkRect(const QImage& img, QRgb background) {
    QRect r;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) & 0xFFFFFF) != (background & 0xFFFFFF))
                r |= QRect(x, y, 1, 1);
    return r;
}

struct Fixture {
    QWidget parent;
    TSmoothText* text;
    Fixture() : text(new TSmoothText(&parent, TRegistration{})) {
        parent.resize(400, 300);
        QPalette pal = parent.palette();
        pal.setColor(QPalette::Window, Qt::white);
        parent.setPalette(pal);
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(16);
        text->setFont(f);
        text->SetFontColor(clBlack);
        text->Labels()->AddItem(QStringLiteral("Center"), QString(), TSmoothLabelTypes::lsCenter);
        text->Labels()->AddItem(QStringLiteral("Right"), QString(),
                                TSmoothLabelTypes::lsRightJustify);
        TFontLabel* big = text->Fonts()->Add();
        big->SetName(QStringLiteral("Title1"));
        TTextFont bf{f, clRed, 0};
        bf.Font.setPixelSize(28);
        big->SetFont(bf);
    }
    int lineHeight(const QString& s) { return text->SmoothFont().TextHeight(s + QLatin1Char(' ')); }
};

} // namespace

class TstSmoothCtrls : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::substituteControlFonts(); }

    void wrapText_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("cols");
        QTest::addColumn<QStringList>("parts");
        QTest::newRow("break after the last blank")
            << "abc   defg" << 5 << QStringList{"abc   ", "defg"};
        QTest::newRow("break after punctuation")
            << "ab,cd!ef" << 4 << QStringList{"ab,", "cd!", "ef"};
        QTest::newRow("no break point keeps the word")
            << "abcdefgh" << 3 << QStringList{"abcdefgh"};
        QTest::newRow("quoted text stays together")
            << "a \"b c d\" e" << 4 << QStringList{"a ", "\"b c d\" ", "e"};
        QTest::newRow("double-byte text breaks where it no longer fits")
            << "认识动物认识" << 6 << QStringList{"认识动", "物认识"};
        QTest::newRow("double-byte after ascii") << "ab认识" << 4 << QStringList{"ab认", "识"};
        QTest::newRow("line ends after a break are skipped")
            << "ab \r\ncd ef" << 4 << QStringList{"ab ", "cd ", "ef"};
        QTest::newRow("at least two columns") << "a b c" << 0 << QStringList{"a ", "b ", "c"};
        QTest::newRow("empty") << "" << 5 << QStringList{""};
    }
    void wrapText() {
        QFETCH(QString, line);
        QFETCH(int, cols);
        QFETCH(QStringList, parts);
        QCOMPARE(SmoothWrapText(line, cols), parts);
    }

    void alignmentCarriesOverByLabelEffect_data() {
        QTest::addColumn<int>("effect");
        QTest::addColumn<bool>("secondCentred");
        QTest::newRow("until next label") << int(TSmoothCtrlTypes::leUntilNextLabel) << true;
        QTest::newRow("only a line") << int(TSmoothCtrlTypes::leOnlyALine) << false;
    }
    void alignmentCarriesOverByLabelEffect() {
        QFETCH(int, effect);
        QFETCH(bool, secondCentred);
        Fixture fx;
        TSmoothText* t = fx.text;
        t->SetAutoSize(false);
        t->resize(300, 60);
        t->SetColor(clWhite);
        t->Text()->SetRowPitch(0);
        t->Text()->SetLabelEffect(TSmoothCtrlTypes::TLabelEffect(effect));
        t->Text()->SetLines({QStringLiteral("<Center>ii"), QStringLiteral("ii")});
        t->Loaded();
        const int h = fx.lineHeight(QStringLiteral("ii"));
        const QImage& b = t->Buffer();
        const QRect first = inkRect(b.copy(0, 0, 300, h), 0xFFFFFF);
        const QRect second = inkRect(b.copy(0, h, 300, h), 0xFFFFFF);
        QVERIFY(first.left() > 130 && first.left() < 160);
        QCOMPARE(second.left() > 130, secondCentred);
    }

    void rightAlignmentKeepsTheBorder() {
        Fixture fx;
        TSmoothText* t = fx.text;
        t->SetAutoSize(false);
        t->resize(200, 40);
        t->SetColor(clWhite);
        t->SetBorder(10);
        t->Text()->SetAlignment(TFlatTypes::taRightJustify);
        t->Text()->SetLines({QStringLiteral("ll")});
        t->Loaded();
        const QRect ink = inkRect(t->Buffer(), 0xFFFFFF);
        QVERIFY(ink.right() <= 200 - 10);
        QVERIFY(ink.right() > 200 - 10 - 8);
        QVERIFY(ink.top() >= 10);
    }

    // Auto size: 2 x Border + the widest line across; 2 x Border + each line's height and its
    // RowPitch share, none after the last, down.
    void autoSize_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<int>("border");
        QTest::addColumn<int>("pitch");
        QTest::newRow("widest line, summed heights with pitch")
            << QStringList{"a", "abcdef", "abc"} << QStringList{"a", "abcdef", "abc"} << 5 << 50;
        QTest::newRow("negative pitch, no border")
            << QStringList{"ab", "a"} << QStringList{"ab", "a"} << 0 << -50;
        QTest::newRow("a line of only tags takes a line")
            << QStringList{"<Center>", "xy"} << QStringList{"", "xy"} << 3 << 0;
    }
    void autoSize() {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, shown);
        QFETCH(int, border);
        QFETCH(int, pitch);
        Fixture fx;
        TSmoothText* t = fx.text;
        t->SetBorder(border);
        t->Text()->SetRowPitch(pitch);
        t->Text()->SetLines(lines);
        t->Loaded();
        int width = 0, height = 0;
        for (int i = 0; i < shown.size(); ++i) {
            width = std::max(width, t->SmoothFont().TextWidth(shown[i]));
            const int h = fx.lineHeight(shown[i]);
            height += h;
            if (i + 1 < shown.size())
                height += int(std::nearbyint(pitch * h / 100.0)); // halves to even
        }
        QCOMPARE(t->size(), QSize(2 * border + width, 2 * border + height));
    }

    void negativeRoomDoesNotHang() {
        Fixture fx;
        TSmoothText* t = fx.text;
        t->SetAutoSize(false);
        t->resize(40, 200);
        t->SetBorder(30);
        t->Text()->SetWordWrap(true);
        t->Text()->SetLines({QStringLiteral("a long line that would wrap in any room")});
        t->Loaded();
        QCOMPARE(t->Buffer().size(), QSize(40, 200));
        // Auto size with wrapping keeps the width and still finds a height.
        t->SetAutoSize(true);
        QCOMPARE(t->width(), 40);
        QCOMPARE(t->height(), 60 + fx.lineHeight(t->Text()->Lines().first()));
    }

    void wrappedHeightMatchesTheDrawing() {
        Fixture fx;
        TSmoothText* t = fx.text;
        t->resize(120, 10);
        t->SetBorder(8);
        t->SetColor(clWhite);
        t->Text()->SetWordWrap(true);
        t->Text()->SetRowPitch(0);
        t->Text()->SetLines({QStringLiteral("alpha beta gamma delta epsilon zeta")});
        t->Loaded();
        QCOMPARE(t->width(), 120);
        const QRect ink = inkRect(t->Buffer(), 0xFFFFFF);
        QVERIFY(ink.height() > 2 * fx.lineHeight(QStringLiteral("alpha")));
        QVERIFY(ink.bottom() < t->height() - 8 + 2); // every wrapped line fits
    }

    void linesBelowTheBottomAreNotDrawn() {
        Fixture fx;
        TSmoothText* t = fx.text;
        t->SetAutoSize(false);
        const int h = fx.lineHeight(QStringLiteral("H"));
        t->resize(100, h + 4);
        t->SetColor(clWhite);
        t->SetBorder(2);
        t->Text()->SetRowPitch(20);
        t->Text()->SetLines({QStringLiteral("H"), QStringLiteral("H"), QStringLiteral("H")});
        t->Loaded();
        const QRect ink = inkRect(t->Buffer(), 0xFFFFFF);
        QVERIFY(!ink.isEmpty());
        QVERIFY2(ink.bottom() < h + 2,
                 qPrintable(QStringLiteral("%1 %2").arg(ink.bottom()).arg(h)));
    }

    void changesRebuildOnlyOutsideUpdates() {
        Fixture fx;
        TSmoothText* t = fx.text;
        t->Text()->SetLines({QStringLiteral("a")});
        QCOMPARE(t->DrawCount(), 0); // nothing before loading
        t->Loaded();
        const int afterLoad = t->DrawCount();
        QVERIFY(afterLoad >= 1);
        t->BeginUpdate();
        t->Text()->SetLines({QStringLiteral("b")});
        t->Text()->FontEffect()->SetAlpha(50);
        t->Fonts()->Items(0)->Effect()->SetBlur(3);
        QCOMPARE(t->DrawCount(), afterLoad);
        t->EndUpdate();
        QVERIFY(t->DrawCount() > afterLoad);
        const int before = t->DrawCount();
        t->Text()->FontEffect()->Shadow()->SetEnabled(true);
        QVERIFY(t->DrawCount() > before);
    }

    void colourChangeRebuildsTheBuffer_data() {
        QTest::addColumn<bool>("viaText");
        QTest::newRow("control colour") << false;
        QTest::newRow("text back colour") << true;
    }

    void colourChangeRebuildsTheBuffer() {
        QFETCH(bool, viaText);
        Fixture fx;
        TSmoothText* t = fx.text;
        t->Text()->SetLines({QStringLiteral("a")});
        t->Loaded();
        if (viaText)
            t->Text()->SetBackColor(clRed);
        else
            t->SetColor(clRed);
        QCOMPARE(t->Buffer().pixel(0, 0), qRgb(255, 0, 0));
    }

    void firstShowLaysOutBeforeAnyPaint() {
        struct Recorder : QObject {
            QList<QEvent::Type> seen;
            bool eventFilter(QObject*, QEvent* ev) override {
                if (ev->type() == QEvent::Paint || ev->type() == QEvent::Resize)
                    seen << ev->type();
                return false;
            }
        } recorder;
        Fixture fx;
        TSmoothText* t = fx.text;
        t->Text()->SetLines({QStringLiteral("<Title1>Hello")});
        t->installEventFilter(&recorder);
        fx.parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&fx.parent));
        QTRY_VERIFY(recorder.seen.contains(QEvent::Paint));
        QVERIFY(t->IsLoaded());
        QCOMPARE(t->size(), t->TextSize());
        const qsizetype firstPaint = recorder.seen.indexOf(QEvent::Paint);
        QVERIFY2(!recorder.seen.mid(firstPaint).contains(QEvent::Resize), "resized inside a paint");
    }

    void transparentDrawsOverTheParentOnEveryPaint() {
        Fixture fx;
        TSmoothText* t = fx.text;
        QPalette pal = fx.parent.palette();
        pal.setColor(QPalette::Window, QColor(0, 128, 0));
        fx.parent.setPalette(pal);
        fx.parent.setAutoFillBackground(true);
        t->Text()->SetTransparent(true);
        t->Text()->SetLines({QStringLiteral("<Title1>Hi")});
        t->move(10, 10);
        t->Loaded();
        QVERIFY(t->Buffer().isNull());
        const int before = t->DrawCount();
        const QImage shot = fx.parent.grab().toImage();
        QVERIFY(t->DrawCount() > before);
        fx.parent.grab();
        QVERIFY(t->DrawCount() > before + 1);
        const QRect area(t->geometry());
        bool green = false, red = false;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const QRgb p = shot.pixel(x, y);
                green = green || p == qRgb(0, 128, 0);
                red = red || (qRed(p) > 200 && qGreen(p) < 60);
            }
        QVERIFY(green);
        QVERIFY(red);
    }
};

QTEST_MAIN(TstSmoothCtrls)
#include "tst_smoothctrls.moc"

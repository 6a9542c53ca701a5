// The smooth text control: wrapping, auto size, alignment by labels, row pitch, clipping at the
// bottom, and the transparent mode.

#include "WidgetTestSupport.h"
#include "widgets/SmoothCtrls.h"

#include <QApplication>
#include <QSignalSpy>
#include <QtTest>

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

    void wrapLineNeedsRoom() {
        Fixture fx;
        TSmoothFontEx& engine = fx.text->SmoothFont();
        const QString line = QStringLiteral("one two three four five six");
        QCOMPARE(SmoothWrapLine(engine, line, -10, true), QStringList{line});
        QCOMPARE(SmoothWrapLine(engine, line, 0, true), QStringList{line});
        QCOMPARE(SmoothWrapLine(engine, line, 5, false), QStringList{line});
        QCOMPARE(SmoothWrapLine(engine, QString(), 50, false), QStringList{" "});
        const QStringList parts = SmoothWrapLine(engine, line, 80, true);
        QVERIFY(parts.size() > 2);
        for (const QString& p : parts)
            QVERIFY(engine.TextWidth(p.trimmed()) <= 80);
    }

    void autoSizeFollowsTheText() {
        Fixture fx;
        TSmoothText* t = fx.text;
        t->Text()->SetLines({QStringLiteral("AB"), QStringLiteral("<Title1>wide line")});
        t->SetBorder(3);
        t->Text()->SetRowPitch(50);
        t->Loaded();
        const int h1 = fx.lineHeight(QStringLiteral("AB"));
        // The second line is measured in the label's font.
        TSmoothCanvas canvas;
        canvas.Font = t->Fonts()->Items(0)->Font();
        TSmoothFontEx big(&canvas);
        const int w2 = big.TextWidth(QStringLiteral("wide line"));
        const int h2 = big.TextHeight(QStringLiteral("wide line "));
        QVERIFY(w2 > t->SmoothFont().TextWidth(QStringLiteral("AB")));
        QCOMPARE(t->width(), 2 * 3 + w2);
        // Pitch after every line but the last.
        QCOMPARE(t->height(), 2 * 3 + h1 + int(std::nearbyint(h1 * 0.5)) + h2);
        t->SetAutoSize(false);
        t->resize(50, 20);
        QCOMPARE(t->size(), QSize(50, 20));
    }

    void lineOfTagsTakesALine() {
        Fixture fx;
        TSmoothText* t = fx.text;
        t->Text()->SetRowPitch(0);
        t->Text()->SetLines({QStringLiteral("<Center>"), QStringLiteral("x")});
        t->Loaded();
        QCOMPARE(t->height(), fx.lineHeight(QString()) + fx.lineHeight(QStringLiteral("x")));
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

    void rowPitchMinus100DrawsOnOneRow() {
        Fixture fx;
        TSmoothText* t = fx.text;
        t->SetAutoSize(false);
        t->resize(300, 100);
        t->SetColor(clWhite);
        t->Text()->SetRowPitch(-100);
        t->Text()->SetLines({QStringLiteral("HH"), QStringLiteral("   HH")});
        t->Loaded();
        const QRect ink = inkRect(t->Buffer(), 0xFFFFFF);
        QVERIFY(ink.height() < fx.lineHeight(QStringLiteral("HH")));
        QVERIFY(ink.width() > fx.text->SmoothFont().TextWidth(QStringLiteral("   H")));
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

    void aboutTextUntilLinesChange() {
        Fixture fx;
        QCOMPARE(fx.text->Text()->Lines(), TTextParam::AboutText());
        QVERIFY(!fx.text->Text()->IsLinesStored());
        QVERIFY(fx.text->UseDefaultLabels());
        fx.text->Text()->SetLines({QStringLiteral("x")});
        QVERIFY(fx.text->Text()->IsLinesStored());
        TSmoothText fresh(nullptr, TRegistration{});
        fresh.CreateDefFonts();
        fresh.CreateDefLabels();
        QCOMPARE(fresh.Fonts()->Count(), 5);
        QCOMPARE(fresh.Labels()->Count(), 8);
        QCOMPARE(fresh.Fonts()->Items(1)->Font().Color.value, 0xFF0000u);
        fresh.CreateDefFonts();
        QCOMPARE(fresh.Fonts()->Count(), 5);
    }
};

QTEST_MAIN(TstSmoothCtrls)
#include "tst_smoothctrls.moc"

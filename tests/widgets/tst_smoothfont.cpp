// The smooth text engine: averaging, mask operations, blending and the effect pipeline, mostly
// on crafted masks so that no font shape is asserted.

#include "WidgetTestSupport.h"
#include "platform/IniFile.h"
#include "widgets/SmoothFont.h"

#include <QApplication>
#include <QFont>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

namespace {

TSmoothMask maskOf(const std::vector<std::vector<int>>& rows) {
    TSmoothMask m;
    m.SetSize(rows.empty() ? 0 : int(rows[0].size()), int(rows.size()));
    for (int y = 0; y < m.Height(); ++y)
        for (int x = 0; x < m.Width(); ++x)
            m.ScanLine(y)[x] = uint8_t(rows[size_t(y)][size_t(x)]);
    return m;
}

struct Target {
    QImage image;
    TSmoothCanvas canvas;
    TSmoothFontEx engine{&canvas};
    Target(int w, int h, QImage::Format format = QImage::Format_RGB32, QRgb fill = 0xFFFFFFFF)
        : image(w, h, format) {
        image.fill(fill);
        canvas.Image = &image;
        canvas.Font.Font = QFont(QStringLiteral("DejaVu Sans"));
        canvas.Font.Font.setPixelSize(24);
        canvas.Font.Color = clBlack;
    }
};

// Leftmost column holding a pixel of exactly this colour, or -1.
int leftmostColumn(const QImage& img, QRgb colour) {
    for (int x = 0; x < img.width(); ++x)
        for (int y = 0; y < img.height(); ++y)
            if ((img.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF))
                return x;
    return -1;
}

} // namespace

class TstSmoothFont : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::substituteControlFonts(); }

    void averagingByQuality_data() {
        QTest::addColumn<int>("quality");
        QTest::addColumn<int>("expected");
        // Work image filled by row: 64, 0, 128, 255; the first mask pixel's samples.
        QTest::newRow("high 4x4 sum >> 4") << int(TSmoothTypes::aqHigh) << 111;
        // 64 + 64 + 64/2 + 0 + 0 + 0 + 128/2 + 128 + 128 = 480: the two corners count half.
        QTest::newRow("normal 3x3, corners half") << int(TSmoothTypes::aqNormal) << 60;
        QTest::newRow("low 2x2 sum >> 2") << int(TSmoothTypes::aqLow) << 32;
        QTest::newRow("none copies") << int(TSmoothTypes::aqNone) << 64;
    }
    void averagingByQuality() {
        QFETCH(int, quality);
        QFETCH(int, expected);
        QImage work(8, 8, QImage::Format_Grayscale8);
        const int rows[4] = {64, 0, 128, 255};
        for (int y = 0; y < 8; ++y)
            memset(work.scanLine(y), rows[y % 4], 8);
        TSmoothMask m;
        m.SetQuality(TSmoothTypes::TSmoothQuality(quality));
        m.SetSize(1, 1);
        m.AverageFrom(work);
        QCOMPARE(int(m.Pixel(0, 0)), expected);
    }

    // The extent is the measure at the quality's scale, divided and rounded up; italic text
    // grows by 0.3 of its average character width.
    void extent_data() {
        QTest::addColumn<int>("quality");
        QTest::addColumn<bool>("italic");
        QTest::addColumn<int>("scale");
        QTest::newRow("high: a quarter, rounded up") << int(TSmoothTypes::aqHigh) << false << 4;
        QTest::newRow("normal: a third, rounded up") << int(TSmoothTypes::aqNormal) << false << 3;
        QTest::newRow("none: the measure itself") << int(TSmoothTypes::aqNone) << false << 1;
        QTest::newRow("italic widens") << int(TSmoothTypes::aqNormal) << true << 3;
    }
    void extent() {
        QFETCH(int, quality);
        QFETCH(bool, italic);
        QFETCH(int, scale);
        Target t(10, 10);
        t.canvas.Font.Font.setPixelSize(13);
        t.canvas.Font.Font.setItalic(italic);
        t.engine.SetQuality(TSmoothTypes::TSmoothQuality(quality));
        const QString text = QStringLiteral("Wide text");
        QFont big = t.canvas.Font.Font;
        big.setPixelSize(13 * scale);
        big.setStyleStrategy(QFont::NoAntialias);
        const QFontMetrics fm(big);
        const QSize ext = t.engine.TextExtent(text);
        int widening = 0;
        if (italic) {
            const int plain = (fm.horizontalAdvance(text) + scale - 1) / scale;
            widening = ext.width() - plain;
            QCOMPARE(widening, int(std::nearbyint(plain / double(text.size()) * 0.3)));
            QVERIFY(widening > 0);
        }
        const int measured = ext.width() - widening;
        QVERIFY((measured - 1) * scale < fm.horizontalAdvance(text));
        QVERIFY(measured * scale >= fm.horizontalAdvance(text));
        QVERIFY((ext.height() - 1) * scale < fm.height());
        QVERIFY(ext.height() * scale >= fm.height());
    }

    void plainInkAtTheLowestQuality() {
        Target t(10, 10);
        t.engine.SetQuality(TSmoothTypes::aqNone);
        TSmoothMask& m = t.engine.Mask();
        m.DrawText(QStringLiteral("Ink"));
        QVERIFY(m.Width() > 0);
        int full = 0;
        for (int y = 0; y < m.Height(); ++y)
            for (int x = 0; x < m.Width(); ++x) {
                const int v = m.Pixel(x, y);
                QVERIFY2(v == 0 || v == 255, qPrintable(QString::number(v)));
                full += v == 255;
            }
        QVERIFY(full > 0);
    }

    void errorMessages_data() {
        QTest::addColumn<int>("which");
        QTest::addColumn<QString>("message");
        QTest::newRow("a row past the mask") << 0 << "Invalid line!";
        QTest::newRow("a row before the mask") << 1 << "Invalid line!";
        QTest::newRow("a foreground of another size") << 2 << "Invalid foreground bitmap!";
    }
    void errorMessages() {
        QFETCH(int, which);
        QFETCH(QString, message);
        Target t(20, 20);
        TSmoothMask m = maskOf({{255, 255}, {255, 255}});
        try {
            if (which == 0)
                m.ScanLine(2);
            else if (which == 1)
                m.ScanLine(-1);
            else {
                t.engine.Blender().ForeBmp() = QImage(3, 2, QImage::Format_RGB888);
                t.engine.Blender().BlendEx(0, 0, m, 100);
            }
            QFAIL("no error");
        } catch (const EFlatError& e) {
            QCOMPARE(e.message(), message);
        }
    }

    void blurOfSinglePixelSpreadsOverFiveByFive() {
        TSmoothMask m;
        m.SetSize(9, 9);
        m.ScanLine(4)[4] = 250;
        m.Blur(100);
        QCOMPARE(int(m.Pixel(4, 4)), 10);
        QCOMPARE(int(m.Pixel(2, 2)), 10);
        QCOMPARE(int(m.Pixel(6, 6)), 10);
        QCOMPARE(int(m.Pixel(1, 4)), 0);
        QCOMPARE(int(m.Pixel(4, 7)), 0);
        // At a corner the edge repeats: the corner pixel is 9 of the 25 samples.
        TSmoothMask corner;
        corner.SetSize(9, 9);
        corner.ScanLine(0)[0] = 250;
        corner.Blur(100);
        QCOMPARE(int(corner.Pixel(0, 0)), 90);
    }

    void outlineMakesRing() {
        TSmoothMask m;
        m.SetSize(7, 7);
        for (int y = 2; y <= 4; ++y)
            for (int x = 2; x <= 4; ++x)
                m.ScanLine(y)[x] = 255;
        m.ScanLine(0)[0] = 99; // border pixels keep their values
        m.Outline();
        QCOMPARE(int(m.Pixel(3, 3)), 0);  // flat inside
        QVERIFY(m.Pixel(2, 3) > 100);     // edge of the square
        QVERIFY(m.Pixel(1, 3) > 100);     // just outside
        QCOMPARE(int(m.Pixel(0, 0)), 99); // border untouched
        QCOMPARE(int(m.Pixel(5, 5)), 255 >> 2);
        TSmoothMask flat = maskOf({{1, 2, 3}, {4, 5, 6}});
        flat.Outline();
        QCOMPARE(int(flat.Pixel(1, 1)), 5);
    }

    void sprayMovesOnlyExistingValuesAndReplays() {
        TSmoothFont owner;
        auto run = [&](uint32_t seed) {
            owner.Random().seed(seed);
            TSmoothMask m(&owner);
            m.SetSize(10, 10);
            for (int y = 0; y < 10; ++y)
                for (int x = 0; x < 10; ++x)
                    m.ScanLine(y)[x] = uint8_t(y * 10 + x);
            m.Spray(3);
            return m;
        };
        const TSmoothMask a = run(7), b = run(7);
        bool moved = false;
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 10; ++x) {
                QCOMPARE(a.Pixel(x, y), b.Pixel(x, y));
                QVERIFY(a.Pixel(x, y) < 100);
                moved = moved || a.Pixel(x, y) != y * 10 + x;
            }
        QVERIFY(moved);
    }

    void blendFormula_data() {
        QTest::addColumn<int>("coverage");
        QTest::addColumn<int>("alpha");
        QTest::addColumn<int>("expected"); // channel value over white, colour black
        QTest::newRow("full coverage, alpha 100: the colour") << 255 << 100 << 0;
        QTest::newRow("no coverage: background") << 0 << 100 << 255;
        QTest::newRow("half coverage floors") << 128 << 100 << 127;
        QTest::newRow("full coverage, alpha 50") << 255 << 50 << 128;
        QTest::newRow("alpha 0 draws nothing") << 255 << 0 << 255;
    }
    void blendFormula() {
        QFETCH(int, coverage);
        QFETCH(int, alpha);
        QFETCH(int, expected);
        Target t(4, 4);
        t.canvas.BrushClear = true;
        TSmoothMask m;
        m.SetSize(2, 2);
        m.ScanLine(0)[0] = uint8_t(coverage);
        t.engine.Blender().Blend(1, 1, m, alpha, clBlack);
        QCOMPARE(qRed(t.image.pixel(1, 1)), expected);
        QCOMPARE(t.image.pixel(2, 2), 0xFFFFFFFFu); // coverage 0 leaves the picture
        QCOMPARE(t.image.pixel(0, 0), 0xFFFFFFFFu); // outside the mask
    }

    void blendOverTransparentKeepsCoverageAsAlpha() {
        Target t(3, 1, QImage::Format_ARGB32_Premultiplied, 0);
        t.canvas.BrushClear = true;
        TSmoothMask m = maskOf({{255, 128, 0}});
        t.engine.Blender().Blend(0, 0, m, 100, clRed);
        QCOMPARE(t.image.pixel(0, 0), qRgba(255, 0, 0, 255));
        const QRgb half = reinterpret_cast<const QRgb*>(t.image.constScanLine(0))[1];
        QCOMPARE(qAlpha(half), 127);
        QCOMPARE(qRed(half), 127);
        QCOMPARE(qAlpha(reinterpret_cast<const QRgb*>(t.image.constScanLine(0))[2]), 0);
    }

    void gradualEntries_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("w");
        QTest::addColumn<int>("h");
        QTest::addColumn<QList<int>>("reds"); // start red 200, end red 0
        QTest::newRow("left to right")
            << int(TSmoothTypes::gsLeftToRight) << 4 << 9 << QList<int>{200, 150, 100, 50};
        QTest::newRow("right to left swaps")
            << int(TSmoothTypes::gsRightToLeft) << 4 << 9 << QList<int>{0, 50, 100, 150};
        QTest::newRow("top to bottom uses height")
            << int(TSmoothTypes::gsTopToBottom) << 9 << 2 << QList<int>{200, 100};
        QTest::newRow("bottom to top")
            << int(TSmoothTypes::gsBottomToTop) << 9 << 2 << QList<int>{0, 100};
        QTest::newRow("centre, odd length mirrors")
            << int(TSmoothTypes::gsCenterToLR) << 5 << 1 << QList<int>{0, 66, 133, 66, 0};
        QTest::newRow("centre, even length mirrors")
            << int(TSmoothTypes::gsCenterToTB) << 1 << 4 << QList<int>{0, 100, 100, 0};
        QTest::newRow("empty") << int(TSmoothTypes::gsCenterToLR) << 0 << 3 << QList<int>{};
    }
    void gradualEntries() {
        QFETCH(int, style);
        QFETCH(int, w);
        QFETCH(int, h);
        QFETCH(QList<int>, reds);
        TSmoothGradual g;
        g.SetStyle(TSmoothTypes::TGradualStyle(style));
        g.SetStartColor(RGBToColor(200, 0, 0));
        g.SetEndColor(RGBToColor(0, 0, 0));
        const std::vector<QRgb> e = g.Entries(w, h);
        QCOMPARE(int(e.size()), reds.size());
        for (int i = 0; i < reds.size(); ++i)
            QCOMPARE(qRed(e[size_t(i)]), reds[i]);
        QImage img(std::max(w, 1), std::max(h, 1), QImage::Format_RGB888);
        g.Fill(img);
        if (!reds.isEmpty()) {
            const bool vertical = style == TSmoothTypes::gsTopToBottom ||
                                  style == TSmoothTypes::gsBottomToTop ||
                                  style == TSmoothTypes::gsCenterToTB;
            QCOMPARE(
                qRed(img.pixel(vertical ? 0 : reds.size() - 1, vertical ? reds.size() - 1 : 0)),
                reds.last());
        }
    }

    void shadowOffsetPlacesTextAndShadow() {
        for (int offset : {-2, 5}) {
            Target t(80, 60);
            t.engine.SetQuality(TSmoothTypes::aqNone);
            t.canvas.Font.Color = clBlue;
            TSmoothShadow* s = t.engine.Effect()->Shadow();
            s->SetEnabled(true);
            s->SetBlur(0);
            s->SetAlpha(100);
            s->SetColor(clRed);
            s->SetOffsetX(offset);
            s->SetOffsetY(0);
            t.engine.TextOut(10, 10, QStringLiteral("I"));
            const int text = leftmostColumn(t.image, qRgb(0, 0, 255));
            const int shadow = leftmostColumn(t.image, qRgb(255, 0, 0));
            QVERIFY(text >= 0 && shadow >= 0);
            QCOMPARE(text - shadow, -offset);
            // The extent counts the offset.
            const int plain = t.engine.Mask().Width();
            QCOMPARE(t.engine.TextWidth(QStringLiteral("I")), plain + std::abs(offset));
        }
    }

    void noiseStaysAroundTheFontColour() {
        Target t(60, 40);
        t.canvas.Font.Color = RGBToColor(100, 100, 100);
        t.engine.Effect()->SetNoise(20);
        t.engine.Random().seed(3);
        t.engine.TextOut(0, 0, QStringLiteral("W"));
        const QImage& fore = t.engine.Blender().ForeBmp();
        QCOMPARE(fore.size(), QSize(t.engine.Mask().Width(), t.engine.Mask().Height()));
        bool varied = false;
        for (int y = 0; y < fore.height(); ++y)
            for (int x = 0; x < fore.width(); ++x) {
                const int r = qRed(fore.pixel(x, y));
                QVERIFY(r >= 90 && r < 110);
                varied = varied || r != qRed(fore.pixel(0, 0));
            }
        QVERIFY(varied);
    }

    void enabledPartsNotifyOnlyWhileEnabled() {
        TSmoothEffect e;
        QSignalSpy spy(&e, &TNotifyClass::OnChange);
        e.Shadow()->SetBlur(10);
        QCOMPARE(spy.count(), 0);
        e.Shadow()->SetEnabled(true);
        QCOMPARE(spy.count(), 1);
        e.Shadow()->SetBlur(20);
        QCOMPARE(spy.count(), 2);
        e.SetAlpha(100); // unchanged
        QCOMPARE(spy.count(), 2);
        e.SetAlpha(150); // kept to 0..100
        QCOMPARE(e.Alpha(), 100);
        e.SetSpray(5);
        QCOMPARE(spy.count(), 3);
        TSmoothEffect copy;
        QSignalSpy copySpy(&copy, &TNotifyClass::OnChange);
        copy.Assign(e);
        QCOMPARE(copySpy.count(), 1);
        QVERIFY(copy.SameAs(e));
    }

    void iniRoundTrip() {
        QTemporaryDir dir;
        platform::IniFile ini(dir.filePath(QStringLiteral("fx.ini")));
        TSmoothEffect e;
        e.SetAlpha(55);
        e.SetBlur(12);
        e.SetNoise(9);
        e.SetSpray(3);
        e.SetAngle(-45);
        e.SetOutline(true);
        e.SetVertMirror(true);
        e.Shadow()->SetEnabled(true);
        e.Shadow()->SetColor(clHighlight);
        e.Shadow()->SetOffsetX(-4);
        e.Gradual()->SetEnabled(true);
        e.Gradual()->SetStyle(TSmoothTypes::gsCenterToTB);
        e.Gradual()->SetStartColor(RGBToColor(1, 2, 3));
        e.Texture()->SetMode(TSmoothTypes::tmCenter);
        e.SaveToIni(ini, QStringLiteral("Effect"));
        QCOMPARE(ini.ReadInteger(QStringLiteral("Effect"), QStringLiteral("Outline"), -1), 1);
        TSmoothEffect back;
        back.LoadFromIni(ini, QStringLiteral("Effect"));
        QVERIFY(back.SameAs(e));
        // Missing keys keep the current values.
        TSmoothEffect other;
        other.SetNoise(77);
        other.LoadFromIni(ini, QStringLiteral("Nothing"));
        QCOMPARE(other.Noise(), 77);
    }
};

QTEST_MAIN(TstSmoothFont)
#include "tst_smoothfont.moc"

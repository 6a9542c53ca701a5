// The smooth text engine: averaging, mask operations, blending and the effect pipeline, mostly
// on crafted masks so that no font shape is asserted.

#include "platform/IniFile.h"
#include "widgets/SmoothFont.h"

#include <QApplication>
#include <QFont>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

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
    void initTestCase() {
        QFont::insertSubstitution(QStringLiteral("微软雅黑"), QStringLiteral("Noto Sans CJK SC"));
        QFont::insertSubstitution(QStringLiteral("宋体"), QStringLiteral("Noto Serif CJK SC"));
    }

    void averagingByQuality_data() {
        QTest::addColumn<int>("quality");
        QTest::addColumn<int>("expected");
        // Work image 4 x 4 filled by row: 0, 64, 128, 255 (rows) for the first mask pixel.
        QTest::newRow("high 4x4 sum >> 4")
            << int(TSmoothTypes::aqHigh) << (4 * (0 + 64 + 128 + 255)) / 16;
        QTest::newRow("normal weighted 3x3")
            << int(TSmoothTypes::aqNormal)
            << (0 + 0 + (0 >> 1) + 64 + 64 + 64 + (128 >> 1) + 128 + 128) / 8;
        QTest::newRow("low 2x2 sum >> 2") << int(TSmoothTypes::aqLow) << (0 + 0 + 64 + 64) / 4;
        QTest::newRow("none copies") << int(TSmoothTypes::aqNone) << 0;
    }
    void averagingByQuality() {
        QFETCH(int, quality);
        QFETCH(int, expected);
        QImage work(8, 8, QImage::Format_Grayscale8);
        const int rows[4] = {0, 64, 128, 255};
        for (int y = 0; y < 8; ++y)
            memset(work.scanLine(y), rows[y % 4], 8);
        TSmoothMask m;
        m.SetQuality(TSmoothTypes::TSmoothQuality(quality));
        m.SetSize(1, 1);
        m.AverageFrom(work);
        QCOMPARE(int(m.Pixel(0, 0)), expected);
    }

    void normalKernelCountsCornersHalf() {
        // Only the top-right sample inked: it counts half of 255 before the sum is shifted.
        QImage work(3, 3, QImage::Format_Grayscale8);
        work.fill(0);
        work.scanLine(0)[2] = 255;
        TSmoothMask m;
        m.SetSize(1, 1);
        m.AverageFrom(work);
        QCOMPARE(int(m.Pixel(0, 0)), 127 >> 3);
        work.fill(0);
        work.scanLine(0)[1] = 255;
        m.AverageFrom(work);
        QCOMPARE(int(m.Pixel(0, 0)), 255 >> 3);
        // Full ink gives 254: the two half samples lose their low bit.
        work.fill(255);
        m.AverageFrom(work);
        QCOMPARE(int(m.Pixel(0, 0)), 254);
    }

    void scanLineOutsideRaises() {
        TSmoothMask m;
        m.SetSize(3, 2);
        QCOMPARE(m.Stride(), 4);
        m.ScanLine(1);
        try {
            m.ScanLine(2);
            QFAIL("no exception");
        } catch (const EInvalidLine& e) {
            QCOMPARE(e.message(), QStringLiteral("Invalid line!"));
        }
        QVERIFY_THROWS_EXCEPTION(EInvalidLine, m.ScanLine(-1));
    }

    void blurZeroLeavesMask() {
        TSmoothMask m = maskOf({{0, 10, 255}, {7, 0, 3}});
        const TSmoothMask before = maskOf({{0, 10, 255}, {7, 0, 3}});
        m.Blur(0);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x)
                QCOMPARE(m.Pixel(x, y), before.Pixel(x, y));
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
        // Half strength moves a pixel by floor((m - p) * a / 256), a = round(50 * 255 / 100).
        TSmoothMask half;
        half.SetSize(9, 9);
        half.ScanLine(4)[4] = 250;
        half.Blur(50);
        QCOMPARE(int(half.Pixel(4, 4)), 250 + ((10 - 250) * 128 >> 8));
        QCOMPARE(int(half.Pixel(3, 3)), (10 * 128) >> 8);
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

    void mirrors() {
        TSmoothMask m = maskOf({{1, 2, 3}, {4, 5, 6}});
        m.HorzMirror();
        QCOMPARE(int(m.Pixel(0, 0)), 3);
        QCOMPARE(int(m.Pixel(2, 1)), 4);
        m.VertMirror();
        QCOMPARE(int(m.Pixel(0, 0)), 6);
        QCOMPARE(int(m.Pixel(2, 1)), 1);
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

    void blendOnSolidBrushFillsTheBox() {
        Target t(4, 4);
        t.canvas.BrushClear = false;
        t.canvas.BrushColor = clRed;
        TSmoothMask m;
        m.SetSize(2, 1);
        m.ScanLine(0)[1] = 255;
        t.engine.Blender().Blend(0, 0, m, 100, clBlue);
        QCOMPARE(t.image.pixel(0, 0), qRgb(255, 0, 0));
        QCOMPARE(t.image.pixel(1, 0), qRgb(0, 0, 255));
        QCOMPARE(t.image.pixel(2, 0), qRgb(255, 255, 255));
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

    void blendExNeedsForegroundOfMaskSize() {
        Target t(4, 4);
        TSmoothMask m = maskOf({{255, 255}});
        t.engine.Blender().ForeBmp() = QImage(3, 1, QImage::Format_RGB888);
        try {
            t.engine.Blender().BlendEx(0, 0, m, 100);
            QFAIL("no exception");
        } catch (const EInvalidForeBmp& e) {
            QCOMPARE(e.message(), QStringLiteral("Invalid foreground bitmap!"));
        }
        t.engine.Blender().ForeBmp() = QImage(2, 1, QImage::Format_RGB32);
        QVERIFY_THROWS_EXCEPTION(EInvalidForeBmp, t.engine.Blender().BlendEx(0, 0, m, 100));
        QImage fore(2, 1, QImage::Format_RGB888);
        fore.setPixel(0, 0, qRgb(10, 20, 30));
        fore.setPixel(1, 0, qRgb(40, 50, 60));
        t.engine.Blender().ForeBmp() = fore;
        t.canvas.BrushClear = true;
        t.engine.Blender().BlendEx(1, 2, m, 100);
        QCOMPARE(t.image.pixel(1, 2), qRgb(10, 20, 30));
        QCOMPARE(t.image.pixel(2, 2), qRgb(40, 50, 60));
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

    void noneQualityGivesPlainInk() {
        Target t(10, 10);
        t.engine.SetQuality(TSmoothTypes::aqNone);
        t.engine.Mask().DrawText(QStringLiteral("Ag"));
        const TSmoothMask& m = t.engine.Mask();
        bool ink = false;
        for (int y = 0; y < m.Height(); ++y)
            for (int x = 0; x < m.Width(); ++x) {
                QVERIFY(m.Pixel(x, y) == 0 || m.Pixel(x, y) == 255);
                ink = ink || m.Pixel(x, y) == 255;
            }
        QVERIFY(ink);
    }

    void extentRoundsUpWidensItalicsAndRotates() {
        Target t(10, 10);
        t.engine.SetQuality(TSmoothTypes::aqHigh);
        QFont big = t.canvas.Font.Font;
        big.setPixelSize(24 * 4);
        big.setStyleStrategy(QFont::NoAntialias);
        const QFontMetrics fm(big, &t.image);
        const QString text = QStringLiteral("IIII");
        const QSize plain = t.engine.TextExtent(text);
        QCOMPARE(plain.height(), (fm.height() + 3) / 4);

        t.canvas.Font.Font.setItalic(true);
        big.setItalic(true);
        const int cx = (QFontMetrics(big, &t.image).horizontalAdvance(text) + 3) / 4;
        QCOMPARE(t.engine.TextWidth(text), cx + int(std::nearbyint(cx / 4.0 * 0.3)));

        t.canvas.Font.Font.setItalic(false);
        t.engine.Effect()->SetAngle(90);
        const QSize turned = t.engine.TextExtent(text);
        QVERIFY(std::abs(turned.width() - plain.height()) <= 1);
        QVERIFY(std::abs(turned.height() - plain.width()) <= 1);
        QCOMPARE(t.canvas.Font.Escapement, 0); // the canvas font is restored
    }

    void rotatedTextDrawsUpwards() {
        Target t(80, 120);
        t.canvas.BrushClear = true;
        t.engine.Effect()->SetAngle(90);
        t.engine.TextOut(10, 10, QStringLiteral("IIIIIIII"));
        QCOMPARE(t.canvas.Font.Escapement, 0);
        // Turned a quarter: the ink is taller than wide.
        const TSmoothMask& m = t.engine.Mask();
        QVERIFY(m.Height() > m.Width());
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

    void gradualFillReachesTheText() {
        Target t(60, 60);
        t.canvas.BrushClear = true;
        TSmoothGradual* g = t.engine.Effect()->Gradual();
        g->SetEnabled(true);
        g->SetStyle(TSmoothTypes::gsTopToBottom);
        g->SetStartColor(clRed);
        g->SetEndColor(clBlue);
        t.engine.TextOut(0, 0, QStringLiteral("H"));
        const QImage& fore = t.engine.Blender().ForeBmp();
        QCOMPARE(fore.pixel(0, 0), qRgb(255, 0, 0));
        QVERIFY(qBlue(fore.pixel(0, fore.height() - 1)) > 200);
        // Some ink of the upper half is mostly red, of the lower half mostly blue.
        bool redTop = false, blueBottom = false;
        for (int y = 0; y < t.engine.Mask().Height(); ++y)
            for (int x = 0; x < t.engine.Mask().Width(); ++x) {
                const QRgb p = t.image.pixel(x, y);
                if (y < t.engine.Mask().Height() / 3 && qRed(p) > 200 && qBlue(p) < 100)
                    redTop = true;
                if (y > 2 * t.engine.Mask().Height() / 3 && qBlue(p) > 150 && qRed(p) < 100)
                    blueBottom = true;
            }
        QVERIFY(redTop);
        QVERIFY(blueBottom);
    }

    void nothingWithoutCanvasOrText() {
        TSmoothFontEx none;
        QCOMPARE(none.TextExtent(QStringLiteral("x")), QSize(0, 0));
        none.TextOut(0, 0, QStringLiteral("x"));
        Target t(10, 10);
        t.engine.TextOut(0, 0, QString());
        QCOMPARE(t.image.pixel(5, 5), 0xFFFFFFFFu);
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

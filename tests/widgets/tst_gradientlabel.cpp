// The gradient label: band picture, dithering, bound lines, captions, glyph, hot track, drag.

#include "widgets/GradientLabel.h"

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

namespace {

QRgb at(const QImage& img, int x, int y) {
    return img.pixel(x, y) | 0xFF000000u;
}

QFont testFont(int px) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(px);
    return f;
}

} // namespace

class TstGradientLabel : public QObject {
    Q_OBJECT

private slots:

    void thinBarShowsEveryFourthBand_data() {
        QTest::addColumn<bool>("dithered");
        QTest::addColumn<QList<int>>("reds");
        // Entries k of white to $FF8080 in 16 steps: red 255 + round(k * -127 / 15).
        QTest::newRow("dithered: the previous entry wins")
            << true << QList<int>{255, 221, 187, 153};
        QTest::newRow("plain bands") << false << QList<int>{247, 213, 179, 145};
    }
    void thinBarShowsEveryFourthBand() {
        QFETCH(bool, dithered);
        QFETCH(QList<int>, reds);
        platform::RandomSource rnd(1);
        const QImage img = BuildGradientBitmap(QSize(4, 116), clWhite, TColor(0xFF8080), 16,
                                               TGradientTypes::gsLeft, dithered, rnd);
        QCOMPARE(img.size(), QSize(4, 116));
        for (int x = 0; x < 4; ++x)
            for (int y : {0, 15, 16, 57, 115}) {
                QCOMPARE(qRed(at(img, x, y)), reds[x]);
                QCOMPARE(qGreen(at(img, x, y)), reds[x]);
                QCOMPARE(qBlue(at(img, x, y)), 255);
            }
    }

    // The dithered pixels are drawn into one 16-pixel strip, which is repeated along the bands.
    void ditherStripRepeats() {
        platform::RandomSource rnd(7);
        const QImage img = BuildGradientBitmap(QSize(64, 80), clWhite, clBlack, 4,
                                               TGradientTypes::gsLeft, true, rnd);
        bool mixed = false;
        for (int x = 0; x < 64; ++x)
            for (int y = 0; y < 80; ++y) {
                if (y + 16 < 80)
                    QCOMPARE(at(img, x, y), at(img, x, y + 16));
                mixed = mixed || at(img, x, y) != at(img, x, 0);
            }
        // Within a band the strip does differ from row to row: it is dithered.
        bool dithered = false;
        for (int x = 0; x < 64 && !dithered; ++x)
            for (int y = 1; y < 16 && !dithered; ++y)
                dithered = at(img, x, y) != at(img, x, 0);
        QVERIFY(mixed);
        QVERIFY(dithered);
    }

    void twoStepsGiveTwoBands_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<QRgb>("first");
        QTest::addColumn<QRgb>("last");
        QTest::newRow("top") << int(TGradientTypes::gsTop) << qRgb(255, 0, 0) << qRgb(0, 0, 255);
        QTest::newRow("bottom swaps")
            << int(TGradientTypes::gsBottom) << qRgb(0, 0, 255) << qRgb(255, 0, 0);
        QTest::newRow("left") << int(TGradientTypes::gsLeft) << qRgb(255, 0, 0) << qRgb(0, 0, 255);
        QTest::newRow("right swaps")
            << int(TGradientTypes::gsRight) << qRgb(0, 0, 255) << qRgb(255, 0, 0);
    }
    void twoStepsGiveTwoBands() {
        QFETCH(int, style);
        QFETCH(QRgb, first);
        QFETCH(QRgb, last);
        platform::RandomSource rnd(1);
        const auto s = TGradientTypes::TGradientStyle(style);
        const QImage img = BuildGradientBitmap(QSize(40, 40), clRed, clBlue, 2, s, false, rnd);
        const bool rows = s == TGradientTypes::gsTop || s == TGradientTypes::gsBottom;
        for (int i = 0; i < 40; ++i)
            for (int j : {0, 17, 39}) {
                const int x = rows ? j : i, y = rows ? i : j;
                QCOMPARE(at(img, x, y), i < 20 ? first : last);
            }
    }

    void enablingTheGradientRebuildsIt() {
        TGradientLabel label;
        label.Gradient()->SetEnabled(false);
        label.Gradient()->SetStartColor(clRed);
        label.Gradient()->SetEndColor(clBlue);
        label.Gradient()->SetColorSteps(2);
        label.Gradient()->SetDithered(false);
        label.resize(60, 8);
        label.Loaded();
        QVERIFY(label.Gradient()->Bitmap().size() != QSize(60, 8));
        label.Gradient()->SetEnabled(true);
        QCOMPARE(label.Gradient()->Bitmap().size(), QSize(60, 8));
        const QImage shot = label.grab().toImage();
        QCOMPARE(at(shot, 0, 4), qRgb(255, 0, 0));
        QCOMPARE(at(shot, 59, 4), qRgb(0, 0, 255));
        label.Gradient()->SetEnabled(false);
        label.SetColor(clLime);
        QCOMPARE(at(label.grab().toImage(), 30, 4), qRgb(0, 255, 0));
    }

    void disabledCaptionIsEmbossed() {
        TGradientLabel label;
        label.setFont(testFont(20));
        label.Gradient()->SetEnabled(false);
        label.SetColor(clWhite);
        label.SetCaption(QStringLiteral("HHH"));
        label.resize(100, 30);
        label.SetEnabled(false);
        QVERIFY(label.isEnabled()); // still hot-tracks and drags the form
        const QImage img = label.grab().toImage();
        const QRgb shadow = toQColor(clBtnShadow).rgb();
        bool found = false;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 100; ++x)
                found = found || at(img, x, y) == shadow;
        QVERIFY(found);
    }

    void glyphStripAndTransparency() {
        TGradientLabel label;
        TGlyph* g = label.Glyph();
        QCOMPARE(g->NumGlyphs(), 1);
        QImage strip(64, 16, QImage::Format_RGB32);
        strip.fill(Qt::magenta);
        strip.setPixel(3, 3, qRgb(200, 100, 0));
        g->SetBitmap(strip);
        QCOMPARE(g->NumGlyphs(), 4);
        g->SetBitmap(QImage(70, 16, QImage::Format_RGB32));
        QCOMPARE(g->NumGlyphs(), 1);
        g->SetBitmap(QImage(80, 16, QImage::Format_RGB32));
        QCOMPARE(g->NumGlyphs(), 1);
        g->SetBitmap(strip);

        const QImage pic = g->Picture(false);
        QCOMPARE(pic.size(), QSize(16, 16));
        QCOMPARE(qAlpha(pic.pixel(0, 0)), 0); // the bottom-left colour is transparent
        QCOMPARE(pic.pixel(3, 3), qRgb(200, 100, 0));
        QCOMPARE(g->Picture(true).pixel(3, 3), qRgb(100, 100, 100));

        // A different alpha colour while automatic switches to manual; back to automatic
        // takes the picture's own colour again.
        g->SetAlphaColor(RGBToColor(200, 100, 0));
        QCOMPARE(g->AlphaMode(), TGradientTypes::amManual);
        QCOMPARE(qAlpha(g->Picture(false).pixel(3, 3)), 0);
        g->SetAlphaMode(TGradientTypes::amAuto);
        QCOMPARE(g->AlphaColor(), fromQColor(QColor(Qt::magenta)));

        label.resize(60, 20);
        label.Gradient()->SetEnabled(false);
        label.SetColor(clWhite);
        const QImage shot = label.grab().toImage();
        QCOMPARE(at(shot, 5 + 3, 2 + 3), qRgb(200, 100, 0)); // margin 5, centred vertically
        QCOMPARE(at(shot, 5, 2), qRgb(255, 255, 255));
        g->SetImageList({QImage(8, 8, QImage::Format_ARGB32)});
        g->SetImageIndex(3); // outside the list: the bitmap is used
        QCOMPARE(g->Picture(false).size(), QSize(16, 16));
        g->SetImageIndex(0);
        QCOMPARE(g->Picture(false).size(), QSize(8, 8));
    }

    void acceleratorFocusesTheFocusControl() {
        QWidget form;
        auto* label = new TGradientLabel(&form);
        auto* edit = new QLineEdit(&form);
        auto* other = new QLineEdit(&form);
        other->setFocus();
        label->SetCaption(QStringLiteral("&Name"));
        QVERIFY(!label->DialogChar(QKeySequence(Qt::ALT | Qt::Key_N)));
        label->SetFocusControl(edit);
        QVERIFY(!label->DialogChar(QKeySequence(Qt::ALT | Qt::Key_X)));
        QVERIFY(label->DialogChar(QKeySequence(Qt::ALT | Qt::Key_N)));
        QCOMPARE(form.focusWidget(), edit);
        label->SetShowAccelChar(false);
        QVERIFY(!label->DialogChar(QKeySequence(Qt::ALT | Qt::Key_N)));
        QCOMPARE(label->Version(), QStringLiteral("Version 1.0"));
        label->SetVersion(QStringLiteral("2"));
        QCOMPARE(label->Version(), QStringLiteral("Version 1.0"));
    }
};

QTEST_MAIN(TstGradientLabel)
#include "tst_gradientlabel.moc"

// Conversions between RGB and the lightness scale the colour derivation works on.
#include "widgets/FlatUtils.h"
#include "widgets/HSLUtils.h"

#include <QTest>

class TstHslUtils : public QObject {
    Q_OBJECT
private slots:
    void rangeOfKnownColours_data();
    void rangeOfKnownColours();
    void floatRoundTripIsExact_data();
    void floatRoundTripIsExact();
    void rangeBackToColour();
    void hueToChannelBranches();
};

void TstHslUtils::rangeOfKnownColours_data() {
    QTest::addColumn<quint32>("color");
    QTest::addColumn<int>("h");
    QTest::addColumn<int>("s");
    QTest::addColumn<int>("l");
    QTest::newRow("flat face E1EAEB") << 0x00E1EAEBu << 36 << 48 << 216;
    QTest::newRow("red") << 0x000000FFu << 0 << 240 << 120;
    QTest::newRow("green, hue rounds up") << 0x0000FF00u << 80 << 240 << 120;
    QTest::newRow("blue, hue rounds down") << 0x00FF0000u << 159 << 240 << 120;
    QTest::newRow("white") << 0x00FFFFFFu << 0 << 0 << 240;
    QTest::newRow("black") << 0x00000000u << 0 << 0 << 0;
    QTest::newRow("grey has no saturation") << 0x00808080u << 0 << 0 << 120;
    QTest::newRow("dark lit border 8396A0") << 0x008396A0u << 26 << 32 << 137;
}

void TstHslUtils::rangeOfKnownColours() {
    QFETCH(quint32, color);
    QFETCH(int, h);
    QFETCH(int, s);
    QFETCH(int, l);
    const THslRange r = ColorToHslRange(TColor(color));
    QCOMPARE(r.H, h);
    QCOMPARE(r.S, s);
    QCOMPARE(r.L, l);
}

void TstHslUtils::floatRoundTripIsExact_data() {
    QTest::addColumn<quint32>("color");
    for (quint32 c : {0x00E1EAEBu, 0x00C5D6D9u, 0x008396A0u, 0x009CDEF7u, 0x0095DFBAu, 0x00123456u,
                      0x00FDCB02u, 0x00010203u, 0x00FFFFFEu})
        QTest::newRow(qPrintable(ColorToString(c))) << c;
}

void TstHslUtils::floatRoundTripIsExact() {
    QFETCH(quint32, color);
    const THsl hsl = ColorToHsl(TColor(color));
    QCOMPARE(quint32(HslToColor(hsl.H, hsl.S, hsl.L)), color);
}

void TstHslUtils::rangeBackToColour() {
    // The integer scale is coarser than a byte: a round trip lands within a few steps.
    for (quint32 c : {0x00E1EAEBu, 0x008396A0u, 0x00336699u, 0x00FF8000u}) {
        const THslRange r = ColorToHslRange(TColor(c));
        const TColor back = HslRangeToColor(r.H, r.S, r.L);
        QVERIFY2(std::abs(GetRValue(back) - GetRValue(c)) <= 3, qPrintable(ColorToString(c)));
        QVERIFY2(std::abs(GetGValue(back) - GetGValue(c)) <= 3, qPrintable(ColorToString(c)));
        QVERIFY2(std::abs(GetBValue(back) - GetBValue(c)) <= 3, qPrintable(ColorToString(c)));
    }
    QCOMPARE(quint32(HslRangeToColor(0, 0, 240)), quint32(clWhite));
    QCOMPARE(quint32(HslRangeToColor(100, 0, 120)), 0x00808080u);
}

void TstHslUtils::hueToChannelBranches() {
    // m1 0, m2 1: a ramp up, a plateau, a ramp down, and the floor.
    QCOMPARE(HueToChannel(0, 1, 0.1), 153);  // 6x < 1: 0.6
    QCOMPARE(HueToChannel(0, 1, 0.3), 255);  // 2x < 1
    QCOMPARE(HueToChannel(0, 1, 0.6), 102);  // 3x < 2: (2/3 - 0.6) * 6 = 0.4
    QCOMPARE(HueToChannel(0, 1, 0.9), 0);    // otherwise
    QCOMPARE(HueToChannel(0, 1, -0.9), 153); // wraps from below
    QCOMPARE(HueToChannel(0, 1, 1.3), 255);  // wraps from above
    QCOMPARE(MaxFloat(1.5, -2), 1.5);
    QCOMPARE(MinFloat(1.5, -2), -2.0);
}

QTEST_GUILESS_MAIN(TstHslUtils)
#include "tst_hslutils.moc"

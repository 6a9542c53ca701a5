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

QTEST_GUILESS_MAIN(TstHslUtils)
#include "tst_hslutils.moc"

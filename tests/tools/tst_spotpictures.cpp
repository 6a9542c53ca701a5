// The built spot-the-difference pairs against the game's difference table: in the part of
// each region that lies in the picture, what changes stands out from the ground around it
// on at least one side (a yellow chick on yellow sand does not), and outside the regions
// the two sides are the same picture.
#include "content/puzzles/SpotDifferences.h"
#include "platform/ContentPack.h"

#include <QImage>
#include <QtTest>
#include <array>
#include <cmath>

namespace {

using Lab = std::array<qreal, 3>;

Lab lab(QRgb c) {
    const auto lin = [](int v) {
        const qreal s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    const qreal r = lin(qRed(c)), g = lin(qGreen(c)), b = lin(qBlue(c));
    const qreal x = (0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047;
    const qreal y = 0.2126 * r + 0.7152 * g + 0.0722 * b;
    const qreal z = (0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883;
    const auto f = [](qreal t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116; };
    return {116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
}

qreal deltaE(const Lab& a, const Lab& b) {
    return std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]);
}

Lab mean(const std::vector<Lab>& v) {
    Lab m{0, 0, 0};
    for (const Lab& c : v)
        for (int i = 0; i < 3; ++i)
            m[size_t(i)] += c[size_t(i)] / qreal(v.size());
    return m;
}

// Beyond JPEG noise.
bool changed(QRgb a, QRgb b) {
    return deltaE(lab(a), lab(b)) > 12;
}

// How far (CIE76) the changed pixels must lie from their ground on at least one side. A
// yellow chick on yellow sand came to 36.
constexpr qreal kStandsOut = 25, kStandsOutOnSand = 40;

} // namespace

class TestSpotPictures : public QObject {
    Q_OBJECT
private slots:
    void differencesShowWhereTheTableSays();
};

void TestSpotPictures::differencesShowWhereTheTableSays() {
    const auto pack =
        platform::ContentPack::open(QStringLiteral(PELUMO_BINARY_DIR "/Data/kjfile/zbt.dat"));
    QVERIFY2(pack->isValid(), qPrintable(pack->errorString()));
    QStringList faults;
    for (int pair = 1; pair <= puzzles::kSpotPairs; ++pair) {
        QImage sides[2];
        for (int s = 0; s < 2; ++s)
            QVERIFY(sides[s].loadFromData(
                pack->read(QStringLiteral("%1_%2").arg(pair).arg(s + 1), QStringLiteral("JPG")),
                "JPG"));
        QCOMPARE(sides[0].size(), sides[1].size());
        const QRect picture = sides[0].rect();
        QRegion regions;
        for (int k = 1; k <= 5; ++k) {
            const puzzles::Region r = puzzles::spotRegion(pair, k);
            const QRect visible = QRect(r.left, r.top, r.width, r.height) & picture;
            regions += visible;
            std::vector<Lab> thing[2], ground;
            for (int y = visible.top(); y <= visible.bottom(); ++y)
                for (int x = visible.left(); x <= visible.right(); ++x) {
                    const QRgb a = sides[0].pixel(x, y), b = sides[1].pixel(x, y);
                    if (changed(a, b)) {
                        thing[0].push_back(lab(a));
                        thing[1].push_back(lab(b));
                    } else {
                        ground.push_back(lab(a));
                    }
                }
            const qreal standing = thing[0].size() < 30 || ground.empty()
                                       ? 0
                                       : std::max(deltaE(mean(thing[0]), mean(ground)),
                                                  deltaE(mean(thing[1]), mean(ground)));
            // The sand of the seaside pairs is where a pale thing hid.
            const bool onSand = (pair - 1) % 5 == 1 && visible.top() >= 262;
            if (standing < (onSand ? kStandsOutOnSand : kStandsOut))
                faults << QStringLiteral("pair %1 difference %2: %3 changed pixels, %4 from "
                                         "their ground")
                              .arg(pair)
                              .arg(k)
                              .arg(thing[0].size())
                              .arg(standing, 0, 'f', 1);
        }
        int outside = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                outside += !regions.contains(QPoint(x, y)) &&
                           changed(sides[0].pixel(x, y), sides[1].pixel(x, y));
        if (outside > 20)
            faults << QStringLiteral("pair %1: %2 pixels differ outside the regions")
                          .arg(pair)
                          .arg(outside);
    }
    for (const QString& f : faults)
        qWarning().noquote() << f;
    QVERIFY2(faults.isEmpty(),
             qPrintable(QStringLiteral("%1 faults (listed above)").arg(faults.size())));
}

QTEST_GUILESS_MAIN(TestSpotPictures)
#include "tst_spotpictures.moc"

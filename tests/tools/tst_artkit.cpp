// The drawing helpers make buttons of the asked size with see-through corners, whose
// hover and pressed looks really differ and whose labels are really drawn; the
// generated main-window pictures are compiled in with the sizes the window lays out.
#include "tools/lib/ArtKit.h"

#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QtTest>
#include <cmath>

using namespace tools::art;

namespace {

qreal luminance(QRgb c) {
    return 0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c);
}

// Mean luminance of the fully opaque pixels in `area`.
qreal meanOpaqueLuminance(const QImage& image, QRect area = {}) {
    const QImage img = image.convertToFormat(QImage::Format_ARGB32);
    if (area.isNull())
        area = img.rect();
    qreal sum = 0;
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb c = img.pixel(x, y);
            if (qAlpha(c) == 255) {
                sum += luminance(c);
                ++n;
            }
        }
    return n ? sum / n : 0;
}

int differingPixels(const QImage& a, const QImage& b, const QRect& area) {
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    int n = 0;
    for (int py = area.top(); py <= area.bottom(); ++py)
        for (int px = area.left(); px <= area.right(); ++px) {
            const QRgb p = x.pixel(px, py), q = y.pixel(px, py);
            if (std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                    std::abs(qBlue(p) - qBlue(q)) + std::abs(qAlpha(p) - qAlpha(q)) >
                40)
                ++n;
        }
    return n;
}

int alphaAt(const QImage& img, int x, int y) {
    return qAlpha(img.pixel(x, y));
}

void verifyCornersClear(const QImage& img) {
    const int w = img.width() - 1, h = img.height() - 1;
    QCOMPARE(alphaAt(img, 0, 0), 0);
    QCOMPARE(alphaAt(img, w, 0), 0);
    QCOMPARE(alphaAt(img, 0, h), 0);
    QCOMPARE(alphaAt(img, w, h), 0);
    QCOMPARE(alphaAt(img, img.width() / 2, img.height() / 2), 255);
}

CardStyle mathsCard(QSize size = {170, 150}) {
    CardStyle style;
    style.size = size;
    style.colour = QColor(0xf0, 0x3c, 0x5a);
    style.label = QStringLiteral("玩转数学");
    style.art = lettersArt(QStringLiteral("1+2"), {Qt::yellow, Qt::white});
    return style;
}

} // namespace

class TestArtKit : public QObject {
    Q_OBJECT
private slots:
    void emojiFontIsUsed();
    void cardButtonShape_data();
    void cardButtonShape();
    void cardStatesLookDifferent();
    void cardLabelIsDrawn();
    void longLabelsAreShrunkToFit();
    void roundAndPillButtons();
    void signsHaveTheirColours();
    void blurSpreadsWithoutLosingInk();
    void filesKeepWhatTheyNeed();
    void generatedPictures_data();
    void generatedPictures();
    void centrePictureIsRound();
    void splashBottomIsCalm();
};

void TestArtKit::emojiFontIsUsed() {
    QVERIFY(emojiFontInstalled());
    const QImage lion = emojiImage(QStringLiteral("🦁"));
    QVERIFY(!lion.isNull());
    // Native bitmap size, never blown up.
    QVERIFY2(lion.width() > 100 && lion.width() <= 136, qPrintable(QString::number(lion.width())));
    QVERIFY(lion.height() > 100 && lion.height() <= 136);
    // In colour, not a grey outline glyph.
    int coloured = 0;
    const QImage img = lion.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = img.pixel(x, y);
            if (qAlpha(c) > 200 && std::max({qRed(c), qGreen(c), qBlue(c)}) -
                                           std::min({qRed(c), qGreen(c), qBlue(c)}) >
                                       80)
                ++coloured;
        }
    QVERIFY2(coloured > 2000, qPrintable(QString::number(coloured)));

    // Smaller boxes get a smaller emoji; nothing to draw draws nothing.
    QImage target = canvas({60, 60});
    QPainter p(&target);
    QVERIFY(drawEmoji(p, QRectF(0, 0, 60, 60), QStringLiteral("🧩")));
    QVERIFY(!drawEmoji(p, QRectF(0, 0, 60, 60), QString()));
    p.end();
    QCOMPARE(alphaAt(target, 30, 30) > 0, true);
}

void TestArtKit::cardButtonShape_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("state");
    const QSize section(170, 150), keyboard(170, 130);
    QTest::newRow("section at rest") << section << int(State::Rest);
    QTest::newRow("section hovered") << section << int(State::Hover);
    QTest::newRow("section pressed") << section << int(State::Pressed);
    QTest::newRow("keyboard at rest") << keyboard << int(State::Rest);
    QTest::newRow("keyboard pressed") << keyboard << int(State::Pressed);
}

void TestArtKit::cardButtonShape() {
    QFETCH(QSize, size);
    QFETCH(int, state);
    const QImage img = cardButton(mathsCard(size), static_cast<State>(state));
    QCOMPARE(img.size(), size);
    QVERIFY(img.hasAlphaChannel());
    verifyCornersClear(img);
    // Just inside the rounded corner is still clear (the hover glow may reach there).
    if (static_cast<State>(state) != State::Hover)
        QCOMPARE(alphaAt(img, 8, 8), 0);
}

void TestArtKit::cardStatesLookDifferent() {
    const CardStyle style = mathsCard();
    const QImage rest = cardButton(style, State::Rest);
    const QImage hover = cardButton(style, State::Hover);
    const QImage pressed = cardButton(style, State::Pressed);
    const QRect all = rest.rect();
    QVERIFY(differingPixels(rest, hover, all) > 2000);
    QVERIFY(differingPixels(rest, pressed, all) > 2000);
    QVERIFY(differingPixels(hover, pressed, all) > 2000);
    const qreal lr = meanOpaqueLuminance(rest), lh = meanOpaqueLuminance(hover),
                lp = meanOpaqueLuminance(pressed);
    QVERIFY2(lh > lr + 5, qPrintable(QStringLiteral("hover %1, rest %2").arg(lh).arg(lr)));
    QVERIFY2(lp < lr - 5, qPrintable(QStringLiteral("pressed %1, rest %2").arg(lp).arg(lr)));
    // Pressed sinks in: its face starts lower than at rest.
    auto firstOpaqueRow = [](const QImage& img) {
        for (int y = 0; y < img.height(); ++y)
            if (alphaAt(img, img.width() / 2, y) == 255)
                return y;
        return -1;
    };
    QVERIFY(firstOpaqueRow(pressed) > firstOpaqueRow(rest));
    QVERIFY(firstOpaqueRow(hover) < firstOpaqueRow(rest));
}

void TestArtKit::cardLabelIsDrawn() {
    CardStyle labelled = mathsCard();
    CardStyle bare = labelled;
    bare.label.clear();
    const QImage a = cardButton(labelled, State::Rest);
    const QImage b = cardButton(bare, State::Rest);
    const QRect band(20, 100, 130, 36); // where the caption sits
    QVERIFY2(differingPixels(a, b, band) > 600,
             qPrintable(QString::number(differingPixels(a, b, band))));
    // The letters are white on the card, so a child can read them.
    int white = 0;
    for (int y = band.top(); y <= band.bottom(); ++y)
        for (int x = band.left(); x <= band.right(); ++x)
            if (luminance(a.pixel(x, y)) > 240)
                ++white;
    QVERIFY2(white > 300, qPrintable(QString::number(white)));
    // The picture above the caption is drawn too.
    CardStyle noArt = labelled;
    noArt.art = nullptr;
    QVERIFY(differingPixels(a, cardButton(noArt, State::Rest), QRect(20, 15, 130, 75)) > 600);
}

void TestArtKit::longLabelsAreShrunkToFit() {
    const QFont big = cjkFont(28);
    QCOMPARE(fitFont(big, QStringLiteral("玩转数学"), 150).pixelSize(), 28);
    const QString longText = QStringLiteral("一二三四五六七八九十");
    const QFont fitted = fitFont(big, longText, 150);
    QVERIFY(fitted.pixelSize() < 28);
    QVERIFY(QFontMetricsF(fitted).horizontalAdvance(longText) <= 150);

    // A card with a long caption keeps the ink off its left and right edges.
    CardStyle style = mathsCard();
    style.label = longText;
    style.art = nullptr;
    const QImage img = cardButton(style, State::Rest);
    CardStyle bare = style;
    bare.label.clear();
    const QImage plain = cardButton(bare, State::Rest);
    QCOMPARE(differingPixels(img, plain, QRect(0, 0, 13, 150)), 0);
    QCOMPARE(differingPixels(img, plain, QRect(157, 0, 13, 150)), 0);
}

void TestArtKit::roundAndPillButtons() {
    const QColor red(0xf0, 0x3c, 0x3c);
    const QImage close = roundButton(40, red, Glyph::Close, State::Rest);
    QCOMPARE(close.size(), QSize(40, 40));
    verifyCornersClear(close);
    QVERIFY(differingPixels(close, roundButton(40, red, Glyph::Close, State::Hover), close.rect()) >
            100);
    QVERIFY(differingPixels(close, roundButton(40, red, Glyph::Close, State::Pressed),
                            close.rect()) > 100);
    // Each glyph is its own picture, in white on the button.
    const Glyph glyphs[] = {Glyph::Close, Glyph::Minimise, Glyph::Help, Glyph::Home};
    for (size_t i = 0; i < std::size(glyphs); ++i)
        for (size_t j = i + 1; j < std::size(glyphs); ++j)
            QVERIFY(differingPixels(roundButton(40, red, glyphs[i], State::Rest),
                                    roundButton(40, red, glyphs[j], State::Rest),
                                    close.rect()) > 20);

    const QImage exit = pillButton({150, 52}, red, QStringLiteral("退出软件"), State::Rest);
    QCOMPARE(exit.size(), QSize(150, 52));
    verifyCornersClear(exit);
    QVERIFY(differingPixels(exit, pillButton({150, 52}, red, QString(), State::Rest), exit.rect()) >
            300);
}

void TestArtKit::signsHaveTheirColours() {
    auto channelSums = [](const QImage& image) {
        const QImage img = image.convertToFormat(QImage::Format_ARGB32);
        qint64 r = 0, g = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (qAlpha(img.pixel(x, y)) == 255) {
                    r += qRed(img.pixel(x, y));
                    g += qGreen(img.pixel(x, y));
                }
        return std::pair(r, g);
    };
    const QImage tick = tickSign(120), cross = crossSign(120);
    QCOMPARE(tick.size(), QSize(120, 120));
    QCOMPARE(cross.size(), QSize(120, 120));
    QCOMPARE(alphaAt(tick, 0, 0), 0);
    QCOMPARE(alphaAt(cross, 0, 119), 0);
    const auto [tr, tg] = channelSums(tick);
    const auto [cr, cg] = channelSums(cross);
    QVERIFY(tg > tr * 1.3);
    QVERIFY(cr > cg * 1.3);
}

void TestArtKit::blurSpreadsWithoutLosingInk() {
    QImage img = canvas({41, 41});
    QPainter(&img).fillRect(QRect(18, 18, 5, 5), Qt::white);
    auto totalAlpha = [](const QImage& i) {
        qint64 sum = 0;
        for (int y = 0; y < i.height(); ++y)
            for (int x = 0; x < i.width(); ++x)
                sum += qAlpha(i.pixel(x, y));
        return sum;
    };
    const QImage soft = blurred(img, 6);
    QCOMPARE(soft.size(), img.size());
    QVERIFY(alphaAt(soft, 20, 20) < 255);
    QVERIFY(alphaAt(soft, 20, 26) > 0); // spread beyond the square
    QCOMPARE(alphaAt(soft, 0, 0), 0);   // but not everywhere
    const qint64 before = totalAlpha(img), after = totalAlpha(soft);
    QVERIFY2(std::abs(after - before) < before / 20,
             qPrintable(QStringLiteral("%1 -> %2").arg(before).arg(after)));
    // Symmetric: a centred square blurs the same way to every side.
    QCOMPARE(alphaAt(soft, 20, 14), alphaAt(soft, 20, 26));
    QCOMPARE(alphaAt(soft, 14, 20), alphaAt(soft, 26, 20));
}

void TestArtKit::filesKeepWhatTheyNeed() {
    const QImage card = cardButton(mathsCard(), State::Rest);
    const QImage fromPng = QImage::fromData(png(card), "PNG");
    QCOMPARE(fromPng.size(), card.size());
    QVERIFY(fromPng.hasAlphaChannel());
    QCOMPARE(alphaAt(fromPng, 0, 0), 0);
    QCOMPARE(fromPng.pixel(85, 75), card.convertToFormat(QImage::Format_ARGB32).pixel(85, 75));

    const QImage sky = canvas({64, 48}, QColor(0x56, 0xbb, 0xf5));
    const QImage fromJpeg = QImage::fromData(jpeg(sky, 90), "JPEG");
    QCOMPARE(fromJpeg.size(), sky.size());
    QVERIFY(std::abs(qBlue(fromJpeg.pixel(30, 20)) - 0xf5) < 8);
}

void TestArtKit::generatedPictures_data() {
    QTest::addColumn<QString>("alias");
    QTest::addColumn<QSize>("size");
    const QSize section(170, 150), icon(40, 40), pill(150, 52);
    for (const char* name : {"imgktrw", "imgyygj", "imgwzsx", "imgywtd", "imgyzly", "imgyyzzl"})
        for (const char* suffix : {"", "1", "2"})
            QTest::addRow("%s%s", name, suffix)
                << QStringLiteral(":/main/%1%2.png").arg(name, suffix) << section;
    for (const char* suffix : {"", "1", "2"}) {
        QTest::addRow("imgkey%s", suffix)
            << QStringLiteral(":/main/imgkey%1.png").arg(suffix) << QSize(170, 130);
        QTest::addRow("imgexit%s", suffix)
            << QStringLiteral(":/main/imgexit%1.png").arg(suffix) << pill;
    }
    for (const char* name : {"imgclose", "imgmini", "imghelp", "imghome"})
        for (const char* suffix : {"", "1"})
            QTest::addRow("%s%s", name, suffix)
                << QStringLiteral(":/main/%1%2.png").arg(name, suffix) << icon;
    QTest::newRow("imgmini2") << QStringLiteral(":/main/imgmini2.png") << icon;
    QTest::newRow("imgdtt") << QStringLiteral(":/main/imgdtt.png") << QSize(338, 338);
    QTest::newRow("imgdtt1") << QStringLiteral(":/main/imgdtt1.png") << QSize(338, 338);
    QTest::newRow("imgright") << QStringLiteral(":/main/imgright.png") << QSize(120, 120);
    QTest::newRow("imgwrong") << QStringLiteral(":/main/imgwrong.png") << QSize(120, 120);
    QTest::newRow("background") << QStringLiteral(":/main/imgbg.jpg") << QSize(900, 675);
    QTest::newRow("splash") << QStringLiteral(":/splash/Image1.jpg") << QSize(452, 322);
}

void TestArtKit::generatedPictures() {
    QFETCH(QString, alias);
    QFETCH(QSize, size);
    QVERIFY2(QFile::exists(alias), qPrintable(alias));
    const QImage img(alias);
    QCOMPARE(img.size(), size);
    if (alias.endsWith(QLatin1String(".png"))) {
        QVERIFY(img.hasAlphaChannel());
        QCOMPARE(alphaAt(img, 0, 0), 0);
    }
}

void TestArtKit::centrePictureIsRound() {
    const QImage rest(QStringLiteral(":/main/imgdtt.png"));
    const QImage hover(QStringLiteral(":/main/imgdtt1.png"));
    QVERIFY(!rest.isNull() && !hover.isNull());
    for (const QImage& img : {rest, hover}) {
        // Outside the 335-pixel circle nothing shows; inside, nothing is see-through.
        for (const QPoint outside : {QPoint(0, 0), QPoint(337, 337), QPoint(336, 168),
                                     QPoint(168, 336), QPoint(30, 30), QPoint(300, 300)})
            QCOMPARE(alphaAt(img, outside.x(), outside.y()), 0);
        for (const QPoint inside :
             {QPoint(167, 167), QPoint(167, 6), QPoint(6, 167), QPoint(60, 60), QPoint(270, 270)})
            QCOMPARE(alphaAt(img, inside.x(), inside.y()), 255);
    }
    // The hover look adds the hint along the top.
    QVERIFY(differingPixels(rest, hover, QRect(100, 20, 138, 36)) > 500);
}

void TestArtKit::splashBottomIsCalm() {
    const QImage splash(QStringLiteral(":/splash/Image1.jpg"));
    QCOMPARE(splash.size(), QSize(452, 322));
    const QRect band(0, 286, 452, 36);
    const qreal mean = meanOpaqueLuminance(splash, band);
    qreal var = 0;
    for (int y = band.top(); y <= band.bottom(); ++y)
        for (int x = band.left(); x <= band.right(); ++x)
            var += std::pow(luminance(splash.pixel(x, y)) - mean, 2);
    const qreal sd = std::sqrt(var / (band.width() * band.height()));
    QVERIFY2(mean > 215, qPrintable(QString::number(mean)));
    QVERIFY2(sd < 12, qPrintable(QString::number(sd)));
}

QTEST_MAIN(TestArtKit)
#include "tst_artkit.moc"

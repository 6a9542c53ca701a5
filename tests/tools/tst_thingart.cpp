// The drawings and picture recipes of the art kit: every drawing fills a fair part of
// its square and stays inside it (a picture must not spill over its frame), and a
// recipe that cannot be drawn draws nothing and says so, so the generator can refuse it.
#include "tools/lib/ArtKit.h"
#include "tools/lib/ThingArt.h"

#include <QPainter>
#include <QtTest>
#include <utility>

using namespace tools::art;

namespace {

// Painted pixels inside and outside `box` of a 300 x 300 transparent canvas.
struct Ink {
    int inside = 0, outside = 0;
};

Ink inkOf(const QImage& img, const QRect& box) {
    Ink ink;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qAlpha(img.pixel(x, y)) > 16)
                ++(box.contains(x, y) ? ink.inside : ink.outside);
    return ink;
}

} // namespace

class TestThingArt : public QObject {
    Q_OBJECT
private slots:
    void drawingStaysInItsSquare_data();
    void drawingStaysInItsSquare();
    void recipes_data();
    void recipes();
    void sidePartsBesideTheMainOne();
    void heldThingInFrontOrRaised();
    void drawingsStandInForEmoji_data();
    void drawingsStandInForEmoji();
};

void TestThingArt::drawingStaysInItsSquare_data() {
    QTest::addColumn<QString>("name");
    for (const QString& name : thingNames())
        QTest::newRow(qPrintable(name)) << name;
}

void TestThingArt::drawingStaysInItsSquare() {
    QFETCH(QString, name);
    QImage img = canvas({300, 300});
    const QRect box(100, 100, 100, 100);
    {
        QPainter p(&img);
        prepare(p);
        QVERIFY(drawThing(p, box, name));
    }
    const Ink ink = inkOf(img, box.adjusted(-2, -2, 2, 2));
    QVERIFY2(ink.outside == 0, qPrintable(QStringLiteral("%1 pixels outside").arg(ink.outside)));
    QVERIFY2(ink.inside > box.width() * box.height() / 8,
             qPrintable(QStringLiteral("only %1 pixels drawn").arg(ink.inside)));
}

void TestThingArt::recipes_data() {
    QTest::addColumn<QString>("recipe");
    QTest::addColumn<bool>("drawable");
    QTest::newRow("a drawing") << "@calculator" << true;
    QTest::newRow("an unknown drawing") << "@abacus" << false;
    QTest::newRow("copies") << "6*@eraser" << true;
    QTest::newRow("no copies") << "0*@eraser" << false;
    QTest::newRow("too many copies") << "13*@eraser" << false;
    QTest::newRow("copies of copies") << "2*3*@eraser" << false;
    QTest::newRow("a row") << "@yam,@taro" << true;
    QTest::newRow("a row with a gap") << "@yam,,@taro" << false;
    QTest::newRow("a main part and two beside it") << "@fridge+@juicer+@oven" << true;
    QTest::newRow("an unknown part beside") << "@fridge+@toaster" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("a dangling plus") << "@fridge+" << false;
    QTest::newRow("a person holding a thing") << "🧑&📸" << true;
    QTest::newRow("a person holding a drawing up") << "🧑^@inkbottle" << true;
    QTest::newRow("a person at work and a thing beside") << "🧑&📝+@inkbottle" << true;
    QTest::newRow("holding nothing") << "🧑&" << false;
    QTest::newRow("nobody holding") << "&📸" << false;
    QTest::newRow("holding an unknown drawing") << "🧑&@abacus" << false;
    QTest::newRow("holding two things") << "🧑&📸&🎤" << false;
    QTest::newRow("a group holding") << "2*🧑&📸" << false;
}

void TestThingArt::recipes() {
    QFETCH(QString, recipe);
    QFETCH(bool, drawable);
    QCOMPARE(recipeDrawable(recipe), drawable);
    QImage img = canvas({200, 200});
    {
        QPainter p(&img);
        prepare(p);
        QCOMPARE(drawRecipe(p, img.rect(), recipe), drawable);
    }
    const Ink ink = inkOf(img, img.rect());
    QCOMPARE(ink.inside > 0, drawable);
}

void TestThingArt::sidePartsBesideTheMainOne() {
    QImage img = canvas({300, 200});
    {
        QPainter p(&img);
        prepare(p);
        QVERIFY(drawRecipe(p, img.rect(), QStringLiteral("@fridge+@inkbottle")));
    }
    // The main part takes the left, the side part the right; neither is lost.
    const Ink left = inkOf(img.copy(0, 0, 180, 200), QRect(0, 0, 180, 200));
    const Ink right = inkOf(img.copy(200, 0, 100, 200), QRect(0, 0, 100, 200));
    QVERIFY(left.inside > 180 * 200 / 8);
    QVERIFY(right.inside > 100 * 200 / 20);
}

// Where the held thing went: the centre of the pixels that differ between the two ways
// of holding it. The person is drawn alike in both, so only the thing differs.
void TestThingArt::heldThingInFrontOrRaised() {
    QImage front = canvas({200, 200}), raised = canvas({200, 200});
    for (auto [img, recipe] :
         {std::pair{&front, "🧑&@inkbottle"}, {&raised, "🧑^@inkbottle"}}) {
        QPainter p(img);
        prepare(p);
        QVERIFY(drawRecipe(p, img->rect(), QString::fromUtf8(recipe)));
    }
    QPointF inFront, up;
    int nFront = 0, nUp = 0;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x) {
            const bool f =
                qAlpha(front.pixel(x, y)) > 16 && front.pixel(x, y) != raised.pixel(x, y);
            const bool r =
                qAlpha(raised.pixel(x, y)) > 16 && front.pixel(x, y) != raised.pixel(x, y);
            if (f)
                inFront += QPointF(x, y), ++nFront;
            if (r)
                up += QPointF(x, y), ++nUp;
        }
    QVERIFY(nFront > 200 && nUp > 200);
    inFront /= nFront;
    up /= nUp;
    // Held in front: at the hands, low on the right; raised: high on the right.
    QVERIFY2(inFront.x() > 110 && inFront.y() > 120,
             qPrintable(QStringLiteral("held at %1,%2").arg(inFront.x()).arg(inFront.y())));
    QVERIFY2(up.x() > 110 && up.y() < 80,
             qPrintable(QStringLiteral("raised at %1,%2").arg(up.x()).arg(up.y())));
}

void TestThingArt::drawingsStandInForEmoji_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("drawn");
    QTest::newRow("a drawing") << "@hermitcrab" << true;
    QTest::newRow("an unknown drawing is no picture, not its name in letters")
        << "@abacus" << false;
    QTest::newRow("an emoji still") << "🦀" << true;
}

// A lesson scene places its pictures as emoji; where no emoji shows the thing (a hermit
// crab is not a crab) a drawing is placed the same way, at most an emoji's size.
void TestThingArt::drawingsStandInForEmoji() {
    QFETCH(QString, name);
    QFETCH(bool, drawn);
    const QImage img = emojiImage(name);
    QCOMPARE(!img.isNull(), drawn);
    if (!drawn)
        return;
    // As tall as an emoji's bitmap at most, and not a speck.
    QVERIFY2(img.height() <= 136 && std::max(img.width(), img.height()) >= 100,
             qPrintable(QStringLiteral("%1 x %2").arg(img.width()).arg(img.height())));
    // A colourful picture, not letters: many strongly coloured pixels.
    int coloured = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qAlpha(img.pixel(x, y)) > 200 && QColor(img.pixel(x, y)).hsvSaturation() > 120)
                ++coloured;
    QVERIFY2(coloured > img.width() * img.height() / 6,
             qPrintable(QStringLiteral("%1 coloured pixels").arg(coloured)));
}

QTEST_MAIN(TestThingArt)
#include "tst_thingart.moc"

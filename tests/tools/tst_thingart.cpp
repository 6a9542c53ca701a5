// The drawings and picture recipes of the art kit: every drawing fills a fair part of
// its square and stays inside it (a picture must not spill over its frame), and a
// recipe that cannot be drawn draws nothing and says so, so the generator can refuse it.
#include "tools/lib/ArtKit.h"
#include "tools/lib/ThingArt.h"

#include <QPainter>
#include <QtTest>

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

QTEST_MAIN(TestThingArt)
#include "tst_thingart.moc"

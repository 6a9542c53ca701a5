// What only the addition and subtraction drill has: the easiest questions acted out
// with a row of counting pictures, and the game it opens beside itself.
#include "MathFormTest.h"
#include "activities/math/JJFRules.h"
#include "activities/math/UJJF.h"
#include "app/FormRegistry.h"

class TestUJJF : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void pictureRowSizes_data();
    void pictureRowSizes();
    void picturesActOutTheQuestion();
    void gameOpensBesideTheDrill();

private:
    std::unique_ptr<mathtest::Harness> h_;
    Tfrmjjf* f_ = nullptr;
};

void TestUJJF::initTestCase() {
    h_ = std::make_unique<mathtest::Harness>();
    f_ = qobject_cast<Tfrmjjf*>(openLazy(QStringLiteral("Tfrmjjf")));
    QVERIFY(f_);
}

void TestUJJF::cleanupTestCase() {
    delete FormRegistry::find("Tfrmnumgame")->instance();
    delete f_;
    h_.reset();
}

void TestUJJF::pictureRowSizes_data() {
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("side");
    QTest::addColumn<int>("point");
    QTest::newRow("up to 11") << 11 << 56 << 42;
    QTest::newRow("from 12") << 12 << 48 << 36;
    QTest::newRow("from 14") << 14 << 40 << 30;
    QTest::newRow("from 16") << 16 << 32 << 24;
    QTest::newRow("18, the most") << 18 << 32 << 24;
}

void TestUJJF::pictureRowSizes() {
    QFETCH(int, n);
    QFETCH(int, side);
    QFETCH(int, point);
    QCOMPARE(math::pictureRowSize(n).side, side);
    QCOMPARE(math::pictureRowSize(n).point, point);
}

void TestUJJF::picturesActOutTheQuestion() {
    int acted = 0;
    for (uint32_t seed = 1; seed < 200; ++seed) {
        platform::fixRandomSeed(seed);
        f_->close();
        f_->Show();
        platform::releaseRandomSeed();
        const math::AddSubQuestion& s = f_->addSub();
        if (!s.pictureMode) {
            QVERIFY(f_->bevtop->isHidden() && f_->lblpic->isHidden());
            QCOMPARE(f_->lbltopic->y(), 176);
            continue;
        }
        ++acted;
        QCOMPARE(f_->lbltopic->y(), 144);
        QCOMPARE(f_->lblkey->y(), 144);
        QVERIFY(f_->bevtop->isVisible() && f_->lblpic->isVisible());
        QCOMPARE(f_->lblpic->text(), QString(s.subtract ? "－" : "＋"));
        const QList<TImage*> pics = f_->pictures();
        const int side = math::pictureRowSize(s.a + s.b).side;
        int shown = 0;
        for (TImage* p : pics)
            shown += p->isVisible() ? 1 : 0;
        QCOMPARE(shown, s.a + s.b);
        QCOMPARE(pics[0]->x(), 115);
        QCOMPARE(pics[0]->size(), QSize(side, side));
        QVERIFY(!pics[0]->Picture().isNull());
        QCOMPARE(pics[s.a - 1]->x(), 115 + (s.a - 1) * side);
        QCOMPARE(f_->lblpic->x(), 115 + s.a * side);
        QCOMPARE(pics[s.a]->x(), f_->lblpic->x() + f_->lblpic->width());
        QCOMPARE(pics[s.a + s.b - 1]->x(), pics[s.a]->x() + (s.b - 1) * side);
        QVERIFY(pics[s.a + s.b - 1]->geometry().right() < 900);
    }
    QVERIFY(acted > 10);
}

void TestUJJF::gameOpensBesideTheDrill() {
    f_->imggameClick();
    QWidget* game = FormRegistry::find("Tfrmnumgame")->instance();
    QVERIFY(game && game->isVisible());
    QVERIFY(f_->isVisible());
    game->close();
    QVERIFY(f_->isVisible());
}

QTEST_MAIN(TestUJJF)
#include "tst_ujjf.moc"

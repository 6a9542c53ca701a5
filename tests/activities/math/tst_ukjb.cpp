// The rhyme tables: the two grids, their sounds, the acted-out addition line and the
// return to the menu.
#include "MathFormTest.h"
#include "activities/math/KjbRules.h"
#include "activities/math/Ukjb.h"
#include "app/FormRegistry.h"
#include "widgets/FlatButtons.h"

#include <set>

class TestUkjb : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void grids();
    void tokens();
    void pictureSteps_data();
    void pictureSteps();
    void additionLineInSteps();
    void multiplicationLine();
    void returnsToTheMenuOnlyWhenOpenedFromIt();

private:
    TFlatButton* addition(const QString& caption) const;
    std::unique_ptr<mathtest::Harness> h_;
    Tfrmkjb* f_ = nullptr;
};

void TestUkjb::initTestCase() {
    h_ = std::make_unique<mathtest::Harness>();
    f_ = qobject_cast<Tfrmkjb*>(openLazy(QStringLiteral("Tfrmkjb")));
    QVERIFY(f_);
}

void TestUkjb::cleanupTestCase() {
    delete f_;
    h_.reset();
}

void TestUkjb::init() {
    h_->sounds.clear();
    f_->imgjfClick();
}

TFlatButton* TestUkjb::addition(const QString& caption) const {
    for (TFlatButton* b : f_->additionButtons())
        if (b->Caption() == caption)
            return b;
    return nullptr;
}

void TestUkjb::grids() {
    const QList<math::RhymeCell> add = math::additionTable(), mul = math::multiplicationTable();
    QCOMPARE(add.size(), 45);
    QCOMPARE(mul.size(), 45);
    std::set<QString> captions;
    std::set<std::pair<int, int>> places;
    for (const auto& c : add) {
        captions.insert(c.caption);
        places.insert({c.pos.x(), c.pos.y()});
        QCOMPARE(c.a + c.b, c.c);
        QVERIFY(c.c <= 10);
    }
    QCOMPARE(captions.size(), size_t(45));
    QCOMPARE(places.size(), size_t(45));
    places.clear();
    for (const auto& c : mul) {
        captions.insert(c.caption);
        places.insert({c.pos.x(), c.pos.y()});
        QVERIFY(c.a <= c.b);
    }
    QCOMPARE(captions.size(), size_t(90));
    QCOMPARE(places.size(), size_t(45));
    // The window holds one button for each line, where the table puts it.
    QCOMPARE(f_->additionButtons().size(), 45);
    QCOMPARE(f_->multiplicationButtons().size(), 45);
    for (int i = 0; i < 45; ++i) {
        QCOMPARE(f_->additionButtons()[i]->pos(), add[i].pos);
        QCOMPARE(f_->multiplicationButtons()[i]->pos(), mul[i].pos);
    }
}

void TestUkjb::tokens() {
    QCOMPARE(math::additionTokens("9＋1＝10"), (QStringList{"9", "＋", "1", "＝", "10"}));
    QCOMPARE(math::additionTokens("3＋4＝7"), (QStringList{"3", "＋", "4", "＝", "7"}));
}

void TestUkjb::pictureSteps_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("step");
    QTest::addColumn<QList<int>>("lefts");
    QTest::newRow("1+1 first") << "1＋1＝2" << 1 << QList<int>{72};
    QTest::newRow("1+1 apart") << "1＋1＝2" << 3 << QList<int>{72, 372};
    QTest::newRow("1+1 together") << "1＋1＝2" << 5 << QList<int>{72, 132};
    QTest::newRow("3+4 ends at the tenth place")
        << "3＋4＝7" << 3 << QList<int>{72, 132, 192, 588, 648, 708, 768};
    QTest::newRow("9+1 second group waits at 768")
        << "9＋1＝10" << 4 << QList<int>{72, 132, 192, 252, 312, 372, 432, 492, 552, 768};
    QTest::newRow("9+1 together") << "9＋1＝10" << 5
                                  << QList<int>{72, 132, 192, 252, 312, 372, 432, 492, 552, 612};
}

void TestUkjb::pictureSteps() {
    QFETCH(QString, caption);
    QFETCH(int, step);
    QFETCH(QList<int>, lefts);
    QCOMPARE(math::AdditionLine(caption).pictureLefts(step), lefts);
}

void TestUkjb::additionLineInSteps() {
    // A line half acted out starts over with the next click.
    f_->FlatButton9Click(addition("2＋2＝4"));
    f_->Timer1Timer();
    f_->Timer1Timer();
    h_->sounds.clear();
    f_->FlatButton9Click(addition("3＋4＝7"));
    QCOMPARE(f_->step(), 1);
    QVERIFY(f_->shp1->isHidden());
    QVERIFY(f_->Timer1->Enabled());
    QCOMPARE(f_->lbl1->text(), QString("3"));
    QVERIFY(f_->lbl1->isVisible() && f_->lbl2->isHidden());
    const QList<TImage*> s = f_->smallPictures();
    QVERIFY(s[2]->isVisible() && s[3]->isHidden());
    QVERIFY(!s[0]->Picture().isNull());
    for (int i = 0; i < 4; ++i)
        emit f_->Timer1->OnTimer();
    QCOMPARE(f_->step(), 5);
    QCOMPARE(h_->sounds, (QStringList{"Data\\sound\\Number\\3.mp3", "Data\\sound\\Number\\＋.mp3",
                                      "Data\\sound\\Number\\4.mp3", "Data\\sound\\Number\\＝.mp3",
                                      "Data\\sound\\Number\\7.mp3"}));
    QVERIFY(h_->recorder->calls().empty());
    const QList<int> lefts = math::AdditionLine("3＋4＝7").pictureLefts(5);
    for (int i = 0; i < 7; ++i)
        QCOMPARE(s[i]->x(), lefts[i]);
    QVERIFY(s[7]->isHidden());
    QVERIFY(f_->shp1->isVisible() && f_->shp2->isVisible() && f_->shpshow->isVisible());
    QCOMPARE(f_->lbl5->text(), QString("7"));
    f_->Timer1Timer();
    QVERIFY(!f_->Timer1->Enabled());
    QCOMPARE(h_->sounds.size(), 5);
}

void TestUkjb::multiplicationLine() {
    f_->FlatButton9Click(addition("1＋1＝2"));
    f_->imgcfClick();
    QVERIFY(!f_->Timer1->Enabled());
    QVERIFY(f_->pnljf->isHidden() && f_->pnlcf->isVisible());
    QVERIFY(f_->smallPictures()[0]->isHidden());
    h_->sounds.clear();
    TFlatButton* line = nullptr;
    for (TFlatButton* b : f_->multiplicationButtons())
        if (b->Caption() == "2×5＝10")
            line = b;
    QVERIFY(line);
    line->Click();
    QCOMPARE(f_->lblcf->text(), QString("2×5＝10"));
    QVERIFY(f_->lblcf->isVisible() && f_->shpcf->isVisible());
    // Then the recital of this table, and of the other.
    f_->imgysClick();
    f_->imgjfClick();
    f_->imgysClick();
    QCOMPARE(h_->sounds,
             (QStringList{"Data\\sound\\Number\\2×5＝10.mp3", "Data\\sound\\Number\\cf.mp3",
                          "Data\\sound\\Number\\jf.mp3"}));
    QVERIFY(h_->recorder->calls().empty());
}

void TestUkjb::returnsToTheMenuOnlyWhenOpenedFromIt() {
    f_->close();
    QWidget menu;
    menu.show();
    openFrom(&menu, QStringLiteral("Tfrmkjb"), LeaveMode::Hide, false,
             [](QWidget* w) { w->setProperty("KjbFromMenu", 1); });
    QCOMPARE(KjbFromMenu, 1);
    QVERIFY(menu.isHidden());
    f_->imgfhClick();
    QVERIFY(menu.isVisible());
    QCOMPARE(KjbFromMenu, 0);

    // Opened as a drill's help: closing leaves everything else as it was.
    menu.hide();
    openLazy(QStringLiteral("Tfrmkjb"));
    f_->imgfhClick();
    QVERIFY(menu.isHidden());
    f_->Show();
}

QTEST_MAIN(TestUkjb)
#include "tst_ukjb.moc"

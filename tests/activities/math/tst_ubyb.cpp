// Ordering by comparison: the questions, the cards and slots, checking, dragging, the pause.
#include "MathFormTest.h"
#include "activities/math/BybRules.h"
#include "activities/math/Ubyb.h"
#include "app/FormRegistry.h"

#include <set>

class TestUbyb : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void symbolCountsFall();
    void questionsDrawKnownPictures();
    void snapping_data();
    void snapping();
    void cardBoard();
    void newQuestionShowsItsKind();
    void checking_data();
    void checking();
    void mouseDrag();
    void nextGivesUp();

private:
    void place(const QList<int>& slotOfCard);
    std::unique_ptr<mathtest::Harness> h_;
    Tfrmbyb* f_ = nullptr;
};

void TestUbyb::initTestCase() {
    h_ = std::make_unique<mathtest::Harness>();
    f_ = qobject_cast<Tfrmbyb*>(openLazy(QStringLiteral("Tfrmbyb")));
    QVERIFY(f_);
}

void TestUbyb::cleanupTestCase() {
    delete f_;
    h_.reset();
}

void TestUbyb::init() {
    h_->sounds.clear();
    if (f_->Timer1->Enabled())
        f_->Timer1Timer();
}

// Drags cards into slots (-1 leaves a card at home).
void TestUbyb::place(const QList<int>& slotOfCard) {
    for (int k = 0; k < 4; ++k) {
        if (slotOfCard[k] < 0)
            continue;
        QVERIFY(f_->pickUp(k));
        f_->dragTo(k, QPoint(math::kSlotLefts[size_t(slotOfCard[k])] + 20, math::kSlotTop - 30));
        f_->letGo(k);
    }
}

void TestUbyb::symbolCountsFall() {
    for (int set = 0; set < 5; ++set) {
        int before = 100;
        for (int card = 0; card < 4; ++card) {
            const QString rows = math::symbolRows(QStringLiteral("★"), set, card);
            const int n = static_cast<int>(rows.count(QStringLiteral("★")));
            QVERIFY2(n < before, qPrintable(QString("set %1 card %2").arg(set).arg(card)));
            before = n;
            for (const QString& row : rows.split('\r'))
                QVERIFY(row.size() >= 1 && row.size() <= 3);
        }
    }
    QCOMPARE(math::symbolRows(QStringLiteral("Δ"), 0, 3), QString("Δ\rΔΔΔ"));
}

void TestUbyb::questionsDrawKnownPictures() {
    platform::RandomSource rng;
    for (uint32_t seed = 0; seed < 2000; ++seed) {
        rng.seed(seed);
        const math::CompareQuestion q = math::makeCompareQuestion(rng);
        QVERIFY(q.arrangement >= 0 && q.arrangement < 6);
        if (q.kind == math::CompareKind::Count)
            QVERIFY(q.symbol >= 0 && q.symbol < 5 && q.set >= 0 && q.set < 5);
        else
            QVERIFY(q.picture >= 1 && q.picture <= math::compareKind(q.kind).pictures);
    }
    QCOMPARE(math::comparePicturePath(math::CompareKind::Thick, 10),
             QString("DATA\\picture\\byb\\粗10.jpg"));
}

void TestUbyb::snapping_data() {
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<int>("slot");
    QTest::newRow("exactly on slot 1") << QPoint(151, 225) << 0;
    QTest::newRow("65 right of slot 2") << QPoint(288 + 65, 225) << 1;
    QTest::newRow("65 below slot 4") << QPoint(562, 225 + 65) << 3;
    QTest::newRow("66 below slot 4") << QPoint(562, 225 + 66) << -1;
    QTest::newRow("66 right of slot 1, 71 short of slot 2") << QPoint(151 + 66, 225) << -1;
    QTest::newRow("home row") << QPoint(98, 404) << -1;
}

void TestUbyb::snapping() {
    QFETCH(QPoint, at);
    QFETCH(int, slot);
    QCOMPARE(math::snapSlot(at), slot);
}

void TestUbyb::cardBoard() {
    math::CardBoard b;
    // Every arrangement puts the four cards on the four home places.
    for (int a = 0; a < 6; ++a) {
        b.arrange(a);
        std::set<int> lefts;
        for (int k = 0; k < 4; ++k) {
            QCOMPARE(b.pos(k), QPoint(b.home(k), math::kCardHomeTop));
            lefts.insert(b.home(k));
        }
        QCOMPARE(lefts, (std::set<int>{98, 285, 472, 660}));
    }
    b.arrange(0);
    QVERIFY(b.pickable(2));
    QCOMPARE(b.drop(2, QPoint(430, 230)), 2);
    QVERIFY(!b.pickable(2) && b.inSlot(2)); // a card in its slot stays
    // A card dropped on a taken slot sends the card there home.
    int sent = 7;
    QCOMPARE(b.drop(1, QPoint(420, 220), &sent), 2);
    QCOMPARE(sent, 2);
    QCOMPARE(b.pos(2), QPoint(472, 404));
    QCOMPARE(b.pos(1), QPoint(425, 225));
    QCOMPARE(b.drop(3, QPoint(100, 300), &sent), -1);
    QCOMPARE(sent, -1);
    QCOMPARE(b.pos(3), QPoint(660, 404));
    // Ordered only with all four in place.
    b.arrange(5);
    for (int k = 0; k < 3; ++k)
        b.drop(k, QPoint(math::kSlotLefts[size_t(k)], math::kSlotTop));
    QVERIFY(!b.ordered());
    b.drop(3, QPoint(math::kSlotLefts[3], math::kSlotTop));
    QVERIFY(b.ordered());
    b.drop(3, QPoint(math::kSlotLefts[2], math::kSlotTop)); // sends card 2 home
    QVERIFY(!b.ordered());
}

void TestUbyb::newQuestionShowsItsKind() {
    for (uint32_t seed = 1; seed < 30; ++seed) {
        platform::fixRandomSeed(seed);
        f_->imgnextClick();
        platform::releaseRandomSeed();
        const math::CompareQuestion& q = f_->question();
        const math::CompareKindInfo& info = math::compareKind(q.kind);
        QCOMPARE(f_->lblzc->text() + f_->lblyc->text() + f_->lbltopic->text(),
                 info.most + info.least + info.topic);
        QCOMPARE(f_->lbltime->text(), QString("0"));
        const bool count = q.kind == math::CompareKind::Count;
        for (int k = 0; k < 4; ++k) {
            QCOMPARE(f_->card(k)->pos(), QPoint(f_->board().home(k), 404));
            auto* pic = f_->findChild<TImage*>(QString("pic%1").arg(k + 1));
            auto* label = f_->findChild<QLabel*>(QString("Label%1").arg(k + 1));
            QCOMPARE(pic->Picture().isNull(), count);
            QCOMPARE(label->text().isEmpty(), !count);
            if (!count)
                QCOMPARE(pic->geometry(), math::cardPictureRect(q.kind, k));
        }
    }
}

void TestUbyb::checking_data() {
    QTest::addColumn<QList<int>>("where");
    QTest::addColumn<bool>("right");
    QTest::newRow("all in order") << QList<int>{0, 1, 2, 3} << true;
    QTest::newRow("one left at home") << QList<int>{0, 1, 2, -1} << false;
}

void TestUbyb::checking() {
    QFETCH(QList<int>, where);
    QFETCH(bool, right);
    f_->imgnextClick();
    place(where);
    const int count = f_->lblcount->text().toInt(), rights = f_->lblright->text().toInt();
    f_->imgokClick();
    QCOMPARE(f_->lblcount->text().toInt(), count + 1);
    QCOMPARE(f_->lblright->text().toInt(), rights + (right ? 1 : 0));
    QVERIFY(f_->imgjudge->isVisible());
    const QImage expected = (right ? h_->main->imgright : h_->main->imgwrong)->Picture().toImage();
    QCOMPARE(f_->imgjudge->Picture().toImage(), expected);
    QCOMPARE(h_->sounds, QStringList{right ? "DATA\\bgsnd\\right.WAV" : "DATA\\bgsnd\\wrong.WAV"});
    // During the pause a check or a drag does nothing, and going on waits for its end.
    f_->imgokClick();
    QCOMPARE(f_->lblcount->text().toInt(), count + 1);
    if (where[3] < 0)
        QVERIFY(!f_->pickUp(3));
    f_->imgnextClick();
    QVERIFY(f_->imgjudge->isVisible());
    emit f_->Timer1->OnTimer();
    QVERIFY(!f_->Timer1->Enabled());
    QVERIFY(f_->imgjudge->isHidden());
    QCOMPARE(f_->board().pos(0).y(), 404);
}

void TestUbyb::mouseDrag() {
    f_->imgnextClick();
    // Card 2 (the third most) by its grip into the third slot, by the mouse.
    QWidget* grip = f_->findChild<QWidget*>("spic3");
    QWidget* card = f_->card(2);
    const QPoint start = card->pos();
    const QPoint target(math::kSlotLefts[2] + 10, math::kSlotTop + 12);
    const QPoint grab(30, 30);
    auto send = [&](QEvent::Type type, QPoint cardTopLeft, Qt::MouseButtons buttons) {
        const QPoint local = grab;
        const QPoint global = f_->mapToGlobal(cardTopLeft + grab);
        QMouseEvent e(type, QPointF(local), QPointF(global), Qt::LeftButton, buttons, {});
        QApplication::sendEvent(grip, &e);
    };
    send(QEvent::MouseButtonPress, start, Qt::LeftButton);
    QVERIFY(!qobject_cast<TShape*>(grip)->PenClear());
    send(QEvent::MouseMove, (start + target) / 2, Qt::LeftButton);
    QCOMPARE(card->pos(), (start + target) / 2);
    send(QEvent::MouseMove, target, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, target, Qt::NoButton);
    QCOMPARE(card->pos(), QPoint(math::kSlotLefts[2], math::kSlotTop));
    QVERIFY(!qobject_cast<TShape*>(grip)->PenClear());
    // Once in its slot the card cannot be picked up again.
    send(QEvent::MouseButtonPress, card->pos(), Qt::LeftButton);
    send(QEvent::MouseMove, QPoint(300, 300), Qt::LeftButton);
    send(QEvent::MouseButtonRelease, QPoint(300, 300), Qt::NoButton);
    QCOMPARE(card->pos(), QPoint(math::kSlotLefts[2], math::kSlotTop));
}

void TestUbyb::nextGivesUp() {
    f_->imgnextClick();
    place({0, -1, -1, -1});
    const QString counts = f_->lblcount->text() + f_->lblright->text() + f_->lblwrong->text();
    emit f_->Timer2->OnTimer();
    QCOMPARE(f_->lbltime->text(), QString("1"));
    f_->imgnextClick();
    QCOMPARE(f_->lblcount->text() + f_->lblright->text() + f_->lblwrong->text(), counts);
    QCOMPARE(f_->lbltime->text(), QString("0"));
    QCOMPARE(f_->board().pos(0).y(), 404);
    f_->imgfhClick();
    QVERIFY(!f_->Timer2->Enabled());
    f_->Show();
    QCOMPARE(f_->lblcount->text(), QString("0"));
}

QTEST_MAIN(TestUbyb)
#include "tst_ubyb.moc"

// Wiring of the letter window and the keyboard game.
#include "FlashTestSupport.h"
#include "WidgetTestSupport.h"
#include "activities/language/UABC.h"
#include "activities/language/UABCKeyboard.h"
#include "app/ActivitySound.h"
#include "app/FormRegistry.h"
#include "platform/MessageService.h"

#include <QFontInfo>
#include <QtTest>

class TestAbcWindows : public QObject {
    Q_OBJECT
    QStringList sounds;

private slots:
    void initTestCase() {
        flashtest::useFakePlayers();
        shell::setSoundListener([this](const QString& p) { sounds << p; });
    }
    void cleanupTestCase() {
        shell::setSoundListener(nullptr);
        flashtest::dropFakePlayers();
    }

    void letters() {
        platform::MessageRecorder rec;
        TfrmABC w;
        w.show();
        QVERIFY(!w.imgshow->Picture().isNull()); // "apple" from the pack
        sounds.clear();
        QTest::mouseClick(w.lblxx, Qt::LeftButton);
        QTest::mouseClick(w.lbldx, Qt::LeftButton);
        QCOMPARE(sounds, QStringList({"DATA\\Sound\\a.mp3", "DATA\\Sound\\A.mp3"}));
        w.imghelpClick();
        for (int t = 0; t < 26; ++t)
            w.Timer2Timer();
        QCOMPARE(w.lblword->text(), QStringLiteral("zebra"));
        w.imgaClick(2); // a click stops the automatic mode
        QVERIFY(!w.Timer2->Enabled());
        QCOMPARE(w.lbldx->text(), QStringLiteral("C"));
    }

    void lettersGrowOnTheWritingLines() {
        platform::MessageRecorder rec;
        TfrmABC w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        // The red (third) writing line on the board behind the letters.
        const QImage board = w.imgbg->Picture().toImage();
        int line = -1, best = 0;
        for (int y = 100; y < 480; ++y) {
            const QColor c = board.pixelColor(300, y);
            if (c.red() - (c.green() + c.blue()) / 2 > best)
                best = c.red() - (c.green() + c.blue()) / 2, line = y;
        }
        QVERIFY(best > 60);
        auto* c = w.findChild<TImage*>(QStringLiteral("imgc"));
        QTest::mouseClick(c, Qt::LeftButton, {}, c->rect().center());
        QCOMPARE(w.lbldx->text(), QStringLiteral("C"));
        // A pace the eye can follow, in the 21 steps from 105 to 210 points.
        QVERIFY(w.Timer1->Interval() >= 16);
        int steps = 0;
        do {
            // "C" and "c" have no descender: their ink ends on the baseline.
            for (QLabel* l : {w.lbldx, w.lblxx})
                QVERIFY2(qAbs(testsupport::inkOf(l).bottom() - line) <= 5,
                         qPrintable(QStringLiteral("%1 ends at %2, the line is at %3")
                                        .arg(l->objectName())
                                        .arg(testsupport::inkOf(l).bottom())
                                        .arg(line)));
            w.Timer1Timer();
        } while (w.Timer1->Enabled() && ++steps < 100);
        QCOMPARE(steps, 21);
        QCOMPARE(QFontInfo(w.lbldx->font()).pixelSize(), 280); // 210 points
        QCOMPARE(QFontInfo(w.lblxx->font()).pixelSize(), 180); // 135 points
        // Every example word fits its frame, "xylophone" too.
        for (char letter = 'a'; letter <= 'z'; ++letter) {
            auto* img = w.findChild<TImage*>(QStringLiteral("img") + QLatin1Char(letter));
            QTest::mouseClick(img, Qt::LeftButton, {}, img->rect().center());
            const QRect ink = testsupport::inkOf(w.lblword);
            QVERIFY2(w.lblword->geometry().contains(ink), qPrintable(w.lblword->text()));
            QVERIFY2(QFontMetrics(w.lblword->font()).horizontalAdvance(w.lblword->text()) <=
                         w.lblword->width(),
                     qPrintable(w.lblword->text()));
        }
        QCOMPARE(w.lblword->text(), QStringLiteral("zebra"));
    }

    void keyboardExplosionEndsAndStatusFits() {
        platform::MessageRecorder rec;
        TfrmABCKeyboard w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.setGeometry(0, 0, 1280, 1024); // a common screen, wider than the test screen
        // Twelve keys that hit nothing (every character is still above the screen): the
        // status with two-digit counts stays on one line.
        for (int i = 0; i < 12; ++i)
            QTest::keyClick(&w, 'q');
        QCOMPARE(w.lbltotal->text(), QStringLiteral("12"));
        QCOMPARE(w.lblwrong->text(), QStringLiteral("12"));
        const QString status = w.lblstate->text();
        QVERIFY(status.contains(QStringLiteral("[12]")));
        QVERIFY(!w.lblstate->wordWrap());
        QVERIFY2(QFontMetrics(w.lblstate->font()).horizontalAdvance(status) <= w.lblstate->width(),
                 qPrintable(status));
        // A character in reach is shot: an explosion plays there, then leaves the screen.
        int in = -1;
        for (int t = 0; t < 3000 && in < 0; ++t) {
            w.Timer1Timer();
            for (int k = 0; k < language::kFallerCount && in < 0; ++k) {
                const language::Faller& f = w.game().fallers()[size_t(k)];
                if (f.top > -40 && f.top < w.pnl_bottom->y() - 100)
                    in = k;
            }
        }
        QVERIFY(in >= 0);
        // The players have played their movie once on loading and rest on its last frame.
        for (TTransparentFlashHostControl* p : {w.flashword, w.flashword2, w.flashword3})
            flashhost::fakeBackendOf(p)->pushFrameState(23, false);
        QTRY_VERIFY(!w.flashword->IsPlaying() && !w.flashword2->IsPlaying());
        const language::Faller f = w.game().fallers()[size_t(in)];
        flashhost::FakeBackend* player = flashhost::fakeBackendOf(w.flashword);
        player->clearCalls();
        QTest::keyClick(&w, f.ch.toLower().toLatin1());
        QCOMPARE(w.lblright->text(), QStringLiteral("1"));
        QVERIFY(w.flashword->isVisible());
        QCOMPARE(w.flashword->pos(), QPoint(f.left, f.top));
        QTRY_VERIFY(player->calls().contains(QStringLiteral("play"))); // from its start
        player->pushFrameState(3, true);
        QTRY_VERIFY(w.flashword->IsPlaying());
        w.Timer1Timer();
        QVERIFY(w.flashword->isVisible());
        player->pushFrameState(23, false); // its last frame
        QTRY_VERIFY(!w.flashword->IsPlaying());
        w.Timer1Timer();
        QVERIFY(!w.flashword->isVisible());
        w.btnreturnClick();
    }

    // Three hits typed at once: each explosion is seen playing, then leaves the screen,
    // also where its player first reports the frame it was sent to, not moving yet (as a
    // player woken from rest does).
    void keyboardHitsCloseTogetherEachExplode() {
        platform::MessageRecorder rec;
        TfrmABCKeyboard w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.Timer1->setEnabled(false); // the test drives the clock
        const std::array<TTransparentFlashHostControl*, 3> players = {w.flashword, w.flashword2,
                                                                      w.flashword3};
        auto report = [&](int frame, bool playing) {
            for (TTransparentFlashHostControl* p : players)
                flashhost::fakeBackendOf(p)->pushFrameState(frame, playing);
            for (TTransparentFlashHostControl* p : players)
                QTRY_COMPARE(p->IsPlaying(), playing);
        };
        auto shownAfter = [&](int ticks) {
            for (int t = 0; t < ticks; ++t)
                w.Timer1Timer();
            return QList<bool>{players[0]->isVisible(), players[1]->isVisible(),
                               players[2]->isVisible()};
        };
        report(23, false); // at rest on the last frame
        QString aims;      // three characters in reach, each the first of its kind
        for (int t = 0; t < 5000 && aims.size() < 3; ++t) {
            w.Timer1Timer();
            aims.clear();
            for (const language::Faller& f : w.game().fallers())
                if (f.top > -40 && f.top < w.pnl_bottom->y() - 120 && !aims.contains(f.ch) &&
                    aims.size() < 3)
                    aims += f.ch;
        }
        for (QChar c : aims)
            QTest::keyClick(&w, c.toLower().toLatin1());
        QCOMPARE(w.lblright->text(), QStringLiteral("3"));
        for (TTransparentFlashHostControl* p : players)
            QTRY_VERIFY(flashhost::fakeBackendOf(p)->calls().contains("play"));
        QCOMPARE(shownAfter(1), QList<bool>({true, true, true})); // Play called, nothing drawn
        report(0, false);
        QCOMPARE(shownAfter(5), QList<bool>({true, true, true}));
        report(4, true);
        QCOMPARE(shownAfter(10), QList<bool>({true, true, true}));
        report(23, false);
        QCOMPARE(shownAfter(1), QList<bool>({false, false, false}));
        w.btnreturnClick();
    }

    // Each speed word stands level with its circle; a click on the word chooses it.
    void keyboardSpeedWordsLevelWithTheirCircles() {
        platform::MessageRecorder rec;
        TfrmABCKeyboard w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QImage panel = w.pnl_bottom->grab().toImage();
        auto middle = [&](int from, int to) { // of the rows holding light ink
            int top = -1, bottom = -1;
            for (int y = 0; y < panel.height(); ++y)
                for (int x = from; x <= to; ++x)
                    if (qGray(panel.pixel(x, y)) > 0x90) {
                        top = top < 0 ? y : top, bottom = y;
                        break;
                    }
            return (top + bottom) / 2.0;
        };
        const int ends[] = {w.rb2->x(), w.rb3->x(), w.btnreturn->x()};
        int i = 0;
        for (TFlatRadioButton* rb : {w.rb1, w.rb2, w.rb3}) {
            const double circle = middle(rb->x(), rb->x() + 12),
                         word = middle(rb->x() + 14, ends[i++] - 1);
            QVERIFY2(qAbs(circle - word) <= 1.0,
                     qPrintable(
                         QStringLiteral("%1: %2 and %3").arg(rb->Caption()).arg(circle).arg(word)));
        }
        const QPoint word(w.rb1->x() + 24, qRound(middle(w.rb1->x() + 14, w.rb2->x() - 1)));
        QWidget* under = w.pnl_bottom->childAt(word); // what a click there lands on
        QTest::mouseClick(under, Qt::LeftButton, {}, under->mapFrom(w.pnl_bottom, word));
        QVERIFY(w.rb1->Checked() && !w.rb2->Checked());
        w.btnreturnClick();
    }

    void keyboardGameReturnsToItsOpener() {
        platform::MessageRecorder rec;
        QWidget opener;
        opener.show();
        QPointer<QWidget> game =
            openFrom(&opener, QStringLiteral("TfrmABCKeyboard"), LeaveMode::Stay);
        QVERIFY(game && game->isVisible());
        opener.hide(); // left behind the full-screen game
        game->close();
        QVERIFY(opener.isVisible()); // the window that opened it, whatever its class
        delete game.data();
    }

    void keyboardGame() {
        platform::MessageRecorder rec;
        TfrmABCKeyboard w;
        w.show();
        QCOMPARE(w.lbltotal->text(), QStringLiteral("0"));
        w.FormKeyPress(QChar(u'.'));
        QCOMPARE(w.lbltotal->text(), QStringLiteral("0"));
        const language::Faller f = w.game().fallers()[3];
        QCOMPARE(w.lbl4->pos(), QPoint(f.left, f.top));
        w.FormKeyPress(QChar(u'#'));
        w.FormKeyPress(QChar(u'1'));
        QCOMPARE(w.lbltotal->text(), QStringLiteral("1"));
        QCOMPARE(w.lblstate->text(), w.game().statusText());
        QVERIFY(w.Timer1->Enabled());
        w.btnreturnClick();
        QVERIFY(!w.Timer1->Enabled());
    }
};

QTEST_MAIN(TestAbcWindows)
#include "tst_abcwindows.moc"

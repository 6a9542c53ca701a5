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

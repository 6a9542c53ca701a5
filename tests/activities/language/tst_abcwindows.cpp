// Wiring of the letter window and the keyboard game.
#include "FlashTestSupport.h"
#include "activities/language/UABC.h"
#include "activities/language/UABCKeyboard.h"
#include "app/ActivitySound.h"
#include "platform/MessageService.h"

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

// Wiring of the Chinese windows: what they show, play and say for the rules' outcomes.
#include "FlashTestSupport.h"
#include "activities/chinese/UJzw.h"
#include "activities/chinese/Urkl.h"
#include "activities/chinese/Uszj.h"
#include "activities/chinese/Uxchy.h"
#include "activities/chinese/Uxhz.h"
#include "app/ActivitySound.h"
#include "app/FormRegistry.h"
#include "app/TImage.h"
#include "platform/ContentPack.h"
#include "platform/MessageService.h"
#include "platform/ProgramDir.h"
#include "widgets/uIListControl.h"

#include <QAbstractItemView>
#include <QGlyphRun>
#include <QRawFont>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextLayout>
#include <QtTest>

class TestChineseWindows : public QObject {
    Q_OBJECT
    QStringList sounds;

    static QByteArray item(const QString& pack, const QString& name) {
        return platform::ContentPack::load(pack)->read(name, QStringLiteral("Flash"));
    }

private slots:
    void initTestCase() {
        flashtest::useFakePlayers();
        shell::setSoundListener([this](const QString& p) { sounds << p; });
    }
    void cleanupTestCase() {
        shell::setSoundListener(nullptr);
        flashtest::dropFakePlayers();
    }

    void riddlePaging() {
        platform::MessageRecorder rec;
        Tfrmjzw w;
        w.selectBrainTeasers();
        w.show();
        w.imgpreClick();
        QCOMPARE(rec.calls().at(0).text, QStringLiteral("当前已经是第一题！"));
        QCOMPARE(rec.calls().at(0).caption, QStringLiteral("题目浏览说明！"));
        w.categoryClick(chinese::Collection::Riddles);
        QCOMPARE(w.cmbnumber->count(), 96);
        w.cmbnumber->setCurrentIndex(95);
        w.cmbnumberChange();
        w.imganswerClick(); // every answer shown
        QVERIFY(w.lblkey->isVisible());
        w.imgnextClick();
        QCOMPARE(rec.calls().at(1).text, QStringLiteral("当前已经是最后一题！"));
        w.imgpreClick();
        QCOMPARE(w.cmbnumber->currentText(), QStringLiteral("95"));
        QVERIFY(w.lblkey->isVisible() && !w.imgkey->isVisible());
    }

    void everySectionPlaysItsSection() {
        Tfrmszj w;
        w.show();
        for (int n : {1, 4, 17}) {
            if (n > 1)
                QTest::mouseClick(w.findChild<TImage*>(QStringLiteral("img%1").arg(n)),
                                  Qt::LeftButton);
            QTRY_COMPARE(flashhost::fakeBackendOf(w.ShockwaveFlash1)->movie().bytes,
                         item(QStringLiteral("SZJ"), QStringLiteral("SZJ%1").arg(n)));
        }
    }

    void missingPictureStillSpeaks() {
        QTemporaryDir empty;
        platform::setProgramDir(empty.path());
        platform::MessageRecorder rec;
        sounds.clear();
        {
            Tfrmxhz w;
            w.show();
            w.imgnextClick();
        }
        platform::setProgramDir(QString());
        QCOMPARE(sounds, QStringList({"DATA\\Sound\\一.mp3", "DATA\\Sound\\二.mp3"}));
    }

    void idiomModes() {
        Tfrmxchy w;
        w.show();
        QVERIFY(w.imgjieshi->isVisibleTo(&w)); // its sound file exists
        QVERIFY(w.chkauto->Checked());
        w.Timer2Timer();
        QVERIFY(w.Timer1->Enabled());
        w.chkauto->SetChecked(false);
        w.Timer2Timer();
        QVERIFY(!w.Timer1->Enabled());
        w.imgnextClick();
        sounds.clear();
        w.N8Click(); // the previous idiom is shown whole
        QCOMPARE(sounds, QStringList("DATA\\Sound\\百战百胜.mp3"));
        w.Timer1Timer();
        QVERIFY(w.pnlmain->isVisibleTo(&w));
        QTRY_COMPARE(flashhost::fakeBackendOf(w.ShockwaveFlash1)->movie().bytes,
                     item(QStringLiteral("cy"), QStringLiteral("CY1")));
        QTest::keyClick(&w, Qt::Key_Escape); // not in full screen: nothing
        QVERIFY(w.lblfull->isVisibleTo(&w));
        QTest::mouseClick(w.lblfull, Qt::LeftButton, {}, w.lblfull->rect().center());
        QVERIFY(w.btnpic->isVisibleTo(&w));
        // The movie fills the screen; the switch did not start the window over as a card.
        const QSize screen = w.screen()->geometry().size();
        QTRY_COMPARE(w.size(), screen);
        QVERIFY(w.pnlmain->isVisibleTo(&w));
        QCOMPARE(w.ShockwaveFlash1->size(), screen);
        QCOMPARE(w.ShockwaveFlash1->mapTo(&w, QPoint(0, 0)), QPoint(0, 0));
        QCOMPARE(flashhost::fakeBackendOf(w.ShockwaveFlash1)->movie().bytes,
                 item(QStringLiteral("cy"), QStringLiteral("CY1")));
        QTest::keyClick(&w, Qt::Key_Escape);
        QVERIFY(!w.btnpic->isVisibleTo(&w));
        QCOMPARE(w.size(), QSize(900, 675));
        QVERIFY(w.pnlmain->isVisibleTo(&w)); // back to the movie in its frame
        QCOMPARE(w.ShockwaveFlash1->size(), QSize(614, 470));
        QVERIFY(!w.chkauto->Checked()); // as it was before the full screen
        // The card and 看动画 still work afterwards.
        QTest::mouseClick(w.imgstop, Qt::LeftButton, {}, w.imgstop->rect().center());
        QVERIFY(!w.pnlmain->isVisibleTo(&w));
        QTest::mouseClick(w.imgpre, Qt::LeftButton, {}, w.imgpre->rect().center());
        QVERIFY(w.pnlmain->isVisibleTo(&w));
    }

    void riddleAnswerInTheBookFace() {
        Tfrmjzw w;
        w.selectBrainTeasers();
        w.show();
        // "楷体_GB2312" is not on this system: the face that draws the answer's characters
        // is a serif CJK one, not the sans every unknown family falls back to.
        QTextLayout layout(QStringLiteral("手指"), w.lblkey->font());
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        const QList<QGlyphRun> runs = layout.glyphRuns();
        QVERIFY(!runs.isEmpty());
        const QString face = runs.first().rawFont().familyName();
        QVERIFY2(face.contains(QStringLiteral("Serif")), qPrintable(face));
    }
    // The arrow keys, Home and End move a list's row and show that entry at once, as a
    // click on the row does; "next" then goes on from the entry the keys chose. The
    // entries are the tables' titles, read off by hand.
    void listsFollowTheKeys_data() {
        QTest::addColumn<QString>("cls");
        QTest::addColumn<QString>("list");
        // What the title shows after Down, Down, Up, End, Up, Home, and then "next".
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("tongue twisters (nothing chosen at first)")
            << "Tfrmrkl"
            << "cmbnumber"
            << QStringList{"猫和包", "一个人", "猫和包", "买菜", "黑猫和灰猫", "猫和包", "一个人"};
        QTest::newRow("characters (the word of the character)")
            << "Tfrmxhz"
            << "lbml" << QStringList{"二胡", "三角形", "二胡", "丑小鸭", "斑马", "一个", "二胡"};
        QTest::newRow("idioms") << "Tfrmxchy"
                                << "lbml"
                                << QStringList{"水落石出", "出口成章", "水落石出", "七上八下",
                                               "三五成群", "百战百胜", "水落石出"};
    }
    void listsFollowTheKeys() {
        QFETCH(QString, cls);
        QFETCH(QString, list);
        QFETCH(QStringList, shown);
        platform::MessageRecorder rec;
        TIListControl::SetAnimationsEnabled(false);
        QPointer<QWidget> w = openNew(cls);
        QVERIFY(w && w->isVisible());
        auto* rows = w->findChild<TIListControl*>(list);
        auto* title = w->findChild<QWidget*>(QStringLiteral("lbltopic"));
        auto* next = w->findChild<TImage*>(QStringLiteral("imgnext"));
        QVERIFY(rows && title && next);
        const auto seen = [title] { return title->property("text").toString().trimmed(); };
        const QList<Qt::Key> keys{Qt::Key_Down, Qt::Key_Down, Qt::Key_Up,
                                  Qt::Key_End,  Qt::Key_Up,   Qt::Key_Home};
        for (int i = 0; i < keys.size(); ++i) {
            QTest::keyClick(rows, keys[i]);
            QVERIFY2(
                seen() == shown[i],
                qPrintable(QStringLiteral("key %1 shows %2, not %3").arg(i).arg(seen(), shown[i])));
        }
        QTest::mouseClick(next, Qt::LeftButton, {}, next->rect().center());
        QCOMPARE(seen(), shown.last());
        QCOMPARE(rows->ItemIndex(), 1);
        TIListControl::SetAnimationsEnabled(true);
        w->close();
    }

    // Every short (centred) brain teaser stays on its line, the 18-character ones too; the
    // number list drops eight numbers at a time.
    void riddleLinesAndNumberList() {
        platform::MessageRecorder rec;
        Tfrmjzw w;
        w.selectBrainTeasers();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        int longest = 0;
        for (int i = 0; i < w.cmbnumber->count(); ++i) {
            if (i > 0)
                QTest::mouseClick(w.imgnext, Qt::LeftButton, {}, w.imgnext->rect().center());
            const QString q = w.txttopic->text();
            if (!(w.txttopic->alignment() & Qt::AlignHCenter) || q.contains(QLatin1Char('\n')))
                continue;
            longest = std::max(longest, int(q.size()));
            QVERIFY2(QFontMetrics(w.txttopic->font()).horizontalAdvance(q) <=
                             w.txttopic->contentsRect().width() &&
                         QFontInfo(w.txttopic->font()).pixelSize() >= 24,
                     qPrintable(q));
        }
        QCOMPARE(longest, 18);
        QTest::mouseClick(w.cmbnumber, Qt::LeftButton, {}, w.cmbnumber->rect().center());
        QAbstractItemView* list = w.cmbnumber->view();
        QTRY_VERIFY(list->isVisible());
        const int row = list->visualRect(list->model()->index(0, 0)).height();
        QCOMPARE((list->viewport()->height() + row / 2) / row, 8);
        QTest::keyClick(list, Qt::Key_Escape);
        QVERIFY(rec.calls().empty());
    }
};

QTEST_MAIN(TestChineseWindows)
#include "tst_chinesewindows.moc"

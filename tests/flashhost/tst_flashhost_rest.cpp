// What a player at rest keeps: a movie whose page was given back comes back on the frame
// it stood on, playing or stopped as it was, whatever its reload says meanwhile; a poster
// stays until the player beneath shows a picture.
#include "flashhost/PageRestore.h"
#include "flashhost/PlayerPoster.h"

#include <QPainter>
#include <QtTest>

using namespace flashhost;

Q_DECLARE_METATYPE(FrameOp::Kind)

class TestPlayerRest : public QObject {
    Q_OBJECT
private slots:
    void restoredAsItStood_data() {
        QTest::addColumn<int>("frame");
        QTest::addColumn<bool>("playing");
        QTest::addColumn<bool>("reloadReports"); // the reloaded movie reports its frame 0
        QTest::addColumn<FrameOp::Kind>("then");
        QTest::newRow("stopped on a frame stays stopped there")
            << 5 << false << false << FrameOp::Stop;
        QTest::newRow("playing plays on from its frame") << 3 << true << false << FrameOp::Play;
        QTest::newRow("the reload's own reports change nothing")
            << 7 << false << true << FrameOp::Stop;
    }
    void restoredAsItStood() {
        QFETCH(int, frame);
        QFETCH(bool, playing);
        QFETCH(bool, reloadReports);
        QFETCH(FrameOp::Kind, then);
        PageRestore r;
        r.loaded(QStringLiteral("pelumo://player/movie/1.swf"), {{QStringLiteral("seq"), 1}}, 1);
        QVERIFY(r.reported(frame, playing, 1));
        r.called(4);
        r.begin();
        QVERIFY(r.restoring());
        if (reloadReports)
            QVERIFY(!r.reported(0, true, 3));
        // Reports of the reload count as older than the form's last call.
        QCOMPARE(r.reloadOptions().value(QStringLiteral("seq")).toInt(), 3);
        QCOMPARE(r.reloadOptions().value(QStringLiteral("playing")).toBool(), playing);
        const auto calls = r.resume();
        QCOMPARE(calls.size(), size_t(2));
        QCOMPARE(calls[0].op.kind, FrameOp::Goto);
        QCOMPARE(calls[0].op.frame, frame);
        QCOMPARE(calls[1].op.kind, then);
        QCOMPARE(calls[1].seq, 4);
        QVERIFY(r.resume().empty()); // once only
        // Held back until the movie reports after the page has applied the calls: only
        // then has it run what they set off (the actions of the frame it went to).
        QVERIFY(!r.reported(0, true, 3));
        r.applied(3);
        QVERIFY(r.restoring());
        QVERIFY(!r.reported(frame, playing, 4)); // sent before the page applied them
        QVERIFY(r.restoring());
        r.applied(4);
        QVERIFY(r.restoring());
        QVERIFY(!r.reported(frame, playing, 4)); // the movie as it stood again
        QVERIFY(!r.restoring());
        QVERIFY(r.reported(frame, playing, 4));
    }

    // Calls the form makes while the movie is being put back wait for the restart; they
    // do not keep it from ending (the page reports as of the restart's calls).
    void callsMeanwhileWaitForTheRestart() {
        PageRestore r;
        r.loaded(QStringLiteral("pelumo://player/movie/1.swf"), {}, 1);
        r.reported(11, false, 1);
        r.begin();
        r.called(2);
        const auto calls = r.resume();
        QCOMPARE(calls.size(), size_t(2));
        QCOMPARE(calls[0].op.frame, 11);
        r.called(3);
        r.called(4);
        r.applied(2);
        QVERIFY(!r.reported(11, false, 2));
        QVERIFY(!r.restoring());
    }

    // Without a loaded movie (never loaded, unloaded) there is nothing to bring back.
    void nothingToRestore() {
        PageRestore r;
        r.begin();
        QVERIFY(!r.restoring());
        r.loaded(QStringLiteral("pelumo://player/movie/1.swf"), {}, 1);
        r.forget();
        r.begin();
        QVERIFY(!r.canRestore() && !r.restoring() && r.resume().empty());
    }

    // A movie the host changed beyond its root frame keeps its page (a reload would lose
    // the change); a restart already under way still brings it back; the next movie may be
    // given back again.
    void hostChangesKeepThePage() {
        PageRestore r;
        r.loaded(QStringLiteral("pelumo://player/movie/1.swf"), {}, 1);
        QVERIFY(r.canRelease());
        r.begin();
        r.touched();
        QVERIFY(r.restoring() && !r.canRelease());
        QCOMPARE(r.resume().size(), size_t(2));
        r.loaded(QStringLiteral("pelumo://player/movie/2.swf"), {}, 5);
        QVERIFY(r.canRelease());
    }

    void blankPictures_data() {
        QTest::addColumn<QImage>("image");
        QTest::addColumn<bool>("blank");
        QImage white(90, 60, QImage::Format_RGB32);
        white.fill(Qt::white);
        QImage drawn = white;
        QPainter(&drawn).fillRect(0, 0, 45, 60, Qt::blue);
        QImage speck = white;
        QPainter(&speck).fillRect(0, 0, 8, 8, Qt::red);
        QTest::newRow("nothing grabbed") << QImage() << true;
        QTest::newRow("one colour") << white << true;
        QTest::newRow("a speck on one colour") << speck << true;
        QTest::newRow("a picture") << drawn << false;
    }
    void blankPictures() {
        QFETCH(QImage, image);
        QFETCH(bool, blank);
        QCOMPARE(PlayerPoster::isBlank(image), blank);
    }
};

QTEST_MAIN(TestPlayerRest)
#include "tst_flashhost_rest.moc"

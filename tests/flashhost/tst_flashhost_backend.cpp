// What the web player is told: the frame-1 actions put into each movie and the
// player's options taken from the control's properties.
#include "flashhost/WebEngineBackend.h"
#include "flashhost/swf/ActionBuilder.h"
#include "flashhost/swf/ControlScript.h"

#include <QtTest>

using namespace flashhost;

class TestWebEngineBackend : public QObject {
    Q_OBJECT
private slots:
    // Frame 1: load the control movie, then the calls made before the movie was in, then
    // the callbacks and the first report (so the calls work from the first frame).
    void frameOneLoadsTheControlMovieThenTheEarlyCalls() {
        const QByteArray actions =
            WebEngineBackend::frameOneActions(8, true, {{FrameOp::Goto, 5}, {FrameOp::Play}});
        swf::ActionBuilder expected(8);
        expected.getUrl(QStringLiteral("pelumo://player/control.swf"), QStringLiteral("_level99"));
        expected.gotoFrame(5).play();
        swf::addFrameCallbacks(expected);
        swf::reportReady(expected);
        QCOMPARE(actions, expected.bytes());
    }

    void moviesThatMustNotPlayStopFirst() {
        const QByteArray actions = WebEngineBackend::frameOneActions(5, false, {});
        swf::ActionBuilder expected(5);
        expected.getUrl(QStringLiteral("pelumo://player/control.swf"), QStringLiteral("_level99"));
        expected.stop();
        QVERIFY(actions.startsWith(expected.bytes()));
    }

    // Version 4 has no functions: such a movie waits for the control movie.
    void oldMoviesGetNoCallbacks() {
        const QByteArray actions = WebEngineBackend::frameOneActions(4, false, {});
        swf::ActionBuilder expected(4);
        expected.getUrl(QStringLiteral("pelumo://player/control.swf"), QStringLiteral("_level99"));
        expected.stop();
        QCOMPARE(actions, expected.bytes());
    }

    void playerOptions_data() {
        QTest::addColumn<QString>("wmode");
        QTest::addColumn<QString>("scale");
        QTest::addColumn<QString>("bgcolor");
        QTest::addColumn<QString>("playerWmode");
        QTest::addColumn<QString>("playerScale");
        QTest::addColumn<QString>("playerBackground");
        QTest::newRow("menu") << "Window"
                              << "ShowAll"
                              << ""
                              << "window"
                              << "showAll"
                              << "";
        QTest::newRow("colouring") << "Window"
                                   << "ExactFit"
                                   << "#FFCC00"
                                   << "window"
                                   << "exactFit"
                                   << "#ffcc00";
        QTest::newRow("no hash") << "Window"
                                 << "NoBorder"
                                 << "00FF00"
                                 << "window"
                                 << "noBorder"
                                 << "#00ff00";
        QTest::newRow("transparent ignores background") << "Transparent"
                                                        << "noscale"
                                                        << "#FFFFFF"
                                                        << "transparent"
                                                        << "noScale"
                                                        << "";
    }
    void playerOptions() {
        QFETCH(QString, wmode);
        QFETCH(QString, scale);
        QFETCH(QString, bgcolor);
        FlashProps props;
        props.WMode = wmode;
        props.Scale = scale;
        props.BGColor = bgcolor;
        const QVariantMap options = WebEngineBackend::playerOptions(props);
        const QVariantMap player = options.value(QStringLiteral("ruffle")).toMap();
        QTEST(player.value(QStringLiteral("wmode")).toString(), "playerWmode");
        QTEST(player.value(QStringLiteral("scale")).toString(), "playerScale");
        QTEST(player.value(QStringLiteral("backgroundColor")).toString(), "playerBackground");
        // The player's own menu, splash and overlay stay off; the host talks to the movie.
        QCOMPARE(player.value(QStringLiteral("contextMenu")).toString(), QStringLiteral("off"));
        QCOMPARE(player.value(QStringLiteral("splashScreen")).toBool(), false);
        QCOMPARE(player.value(QStringLiteral("unmuteOverlay")).toString(),
                 QStringLiteral("hidden"));
    }
};

QTEST_MAIN(TestWebEngineBackend)
#include "tst_flashhost_backend.moc"

// The order in which a control's calls reach its player, as scripts of calls and what
// the player got.
#include "flashhost/CommandQueue.h"

#include <QStringList>
#include <QtTest>

using namespace flashhost;

class TestCommandQueue : public QObject {
    Q_OBJECT
private slots:
    // Script words: ready (the player), load<n>, goto<n>, play, stop, flush, movie (the
    // loaded movie answers), fail (the load failed), clear, instant (later loads are
    // taken in at once, inside the load).
    void order_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("ran");
        QTest::newRow("nothing before the player is ready") << "load1 goto5 play flush"
                                                            << "";
        QTest::newRow("early calls travel with the load") << "load1 goto5 play flush ready flush"
                                                          << "load1 goto5 play";
        QTest::newRow("frame calls wait while the movie loads")
            << "ready load1 flush stop goto2 flush movie flush play flush"
            << "load1|stop|goto2|play";
        QTest::newRow("without a movie frame calls are dropped") << "ready play flush movie flush"
                                                                 << "";
        QTest::newRow("movie ready inside the load") << "instant ready load1 flush play flush"
                                                     << "load1|play";
        QTest::newRow("a new load drops what waited") << "load1 goto3 load2 stop ready flush"
                                                      << "load2 stop";
        QTest::newRow("a failed load drops what waited")
            << "ready load1 flush play fail flush movie flush"
            << "load1";
        QTest::newRow("clear forgets everything") << "load1 play clear ready flush"
                                                  << "";
    }
    void order() {
        QFETCH(QString, script);
        QFETCH(QString, ran);
        QStringList log;
        bool instant = false;
        CommandQueue* q = nullptr;
        const auto opText = [](const FrameOp& op) {
            return op.kind == FrameOp::Goto   ? QStringLiteral("goto%1").arg(op.frame)
                   : op.kind == FrameOp::Play ? QStringLiteral("play")
                                              : QStringLiteral("stop");
        };
        CommandQueue queue(
            [&](int id, const std::vector<FrameOp>& prelude) {
                QString line = QStringLiteral("load%1").arg(id);
                for (const FrameOp& op : prelude)
                    line += QLatin1Char(' ') + opText(op);
                log << line;
                if (instant)
                    q->movieReady();
            },
            [&](const FrameOp& op) { log << opText(op); });
        q = &queue;
        for (const QString& word : script.split(QLatin1Char(' '))) {
            const int n = QString(word).remove(QRegularExpression("[a-z]")).toInt();
            if (word == "ready")
                queue.setPlayerReady(true);
            else if (word.startsWith("load"))
                queue.submitLoad(n);
            else if (word.startsWith("goto"))
                queue.submitFrame({FrameOp::Goto, n});
            else if (word == "play" || word == "stop")
                queue.submitFrame({word == "play" ? FrameOp::Play : FrameOp::Stop});
            else if (word == "flush")
                queue.flush();
            else if (word == "movie")
                queue.movieReady();
            else if (word == "fail")
                queue.loadFailed();
            else if (word == "clear")
                queue.clear();
            else if (word == "instant")
                instant = true;
        }
        QCOMPARE(log.join(QLatin1Char('|')), ran);
        QVERIFY(!queue.hasPending() || !queue.playerReady());
    }
};

QTEST_MAIN(TestCommandQueue)
#include "tst_flashhost_queue.moc"

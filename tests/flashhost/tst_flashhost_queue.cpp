// The order in which a control's calls reach its player.
#include "flashhost/CommandQueue.h"

#include <QStringList>
#include <QtTest>

using namespace flashhost;

namespace {

QString text(const FrameOp& op) {
    switch (op.kind) {
    case FrameOp::Play:
        return QStringLiteral("play");
    case FrameOp::Stop:
        return QStringLiteral("stop");
    case FrameOp::Goto:
        return QStringLiteral("goto %1").arg(op.frame);
    }
    return {};
}

// A queue whose runners write what ran; `answer` runs inside a load (a player that
// takes a movie at once).
struct Recorder {
    QStringList log;
    std::function<void()> answer;
    CommandQueue queue{[this](int id, const std::vector<FrameOp>& prelude) {
                           QString line = QStringLiteral("load %1").arg(id);
                           for (const FrameOp& op : prelude)
                               line += QLatin1Char(' ') + text(op);
                           log << line;
                           if (answer)
                               answer();
                       },
                       [this](const FrameOp& op) { log << text(op); }};
};

} // namespace

class TestCommandQueue : public QObject {
    Q_OBJECT
private slots:
    void nothingRunsBeforeThePlayerIsReady() {
        Recorder r;
        r.queue.submitLoad(1);
        r.queue.submitFrame({FrameOp::Goto, 5});
        r.queue.submitFrame({FrameOp::Play});
        r.queue.flush();
        QVERIFY(r.log.isEmpty());
        QVERIFY(r.queue.hasPending());
        r.queue.setPlayerReady(true);
        r.queue.flush();
        QCOMPARE(r.log, QStringList{"load 1 goto 5 play"});
        QVERIFY(!r.queue.hasPending());
    }

    void frameCallsWaitWhileTheMovieLoads() {
        Recorder r;
        r.queue.setPlayerReady(true);
        r.queue.submitLoad(1);
        r.queue.flush();
        r.queue.submitFrame({FrameOp::Stop});
        r.queue.submitFrame({FrameOp::Goto, 2});
        r.queue.flush();
        QCOMPARE(r.log, QStringList{"load 1"});
        QCOMPARE(r.queue.movieState(), CommandQueue::MovieState::Loading);
        r.queue.movieReady();
        r.queue.flush();
        QCOMPARE(r.log, (QStringList{"load 1", "stop", "goto 2"}));
        r.queue.submitFrame({FrameOp::Play});
        r.queue.flush();
        QCOMPARE(r.log.last(), QStringLiteral("play"));
    }

    void withoutMovieFrameCallsAreDropped() {
        Recorder r;
        r.queue.setPlayerReady(true);
        r.queue.submitFrame({FrameOp::Play});
        r.queue.flush();
        QVERIFY(r.log.isEmpty());
        QVERIFY(!r.queue.hasPending());
    }

    void playerReadyAtOnceInsideTheLoad() {
        Recorder r;
        r.answer = [&r] { r.queue.movieReady(); };
        r.queue.setPlayerReady(true);
        r.queue.submitLoad(1);
        r.queue.flush();
        r.queue.submitFrame({FrameOp::Play});
        r.queue.flush();
        QCOMPARE(r.log, (QStringList{"load 1", "play"}));
    }

    void newLoadDropsWhatWaited() {
        Recorder r;
        r.queue.submitLoad(1);
        r.queue.submitFrame({FrameOp::Goto, 3});
        r.queue.submitLoad(2);
        r.queue.submitFrame({FrameOp::Stop});
        r.queue.setPlayerReady(true);
        r.queue.flush();
        QCOMPARE(r.log, QStringList{"load 2 stop"});
    }

    void failedLoadDropsWhatWaited() {
        Recorder r;
        r.queue.setPlayerReady(true);
        r.queue.submitLoad(1);
        r.queue.flush();
        r.queue.submitFrame({FrameOp::Play});
        r.queue.loadFailed();
        r.queue.flush();
        QCOMPARE(r.log, QStringList{"load 1"});
        QVERIFY(!r.queue.hasPending());
        QCOMPARE(r.queue.movieState(), CommandQueue::MovieState::None);
    }

    void clearForgetsEverything() {
        Recorder r;
        r.queue.submitLoad(1);
        r.queue.submitFrame({FrameOp::Play});
        r.queue.clear();
        r.queue.setPlayerReady(true);
        r.queue.flush();
        QVERIFY(r.log.isEmpty());
    }
};

QTEST_MAIN(TestCommandQueue)
#include "tst_flashhost_queue.moc"

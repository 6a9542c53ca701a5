#pragma once
// The order in which a host control's calls reach its player.
//
// Forms load a movie and drive it at once (load, then GotoFrame, then Play), while the
// player needs time to start and to take the movie in. The queue holds the calls until
// they can run: a load waits for the player; frame calls wait for the loaded movie.
// Frame calls made before the load ran travel with it ("prelude"), so the player applies
// them on the movie's first frame instead of a few frames late.

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <functional>
#include <optional>
#include <vector>

namespace flashhost {

// A call on the loaded movie. Play, Stop and Goto drive the root timeline. The others
// reach into the movie: the clip at `target` (an absolute path) goes to the frame or
// label `value` and stops there, plays or stops; the variable `target` is set to `value`;
// property number `frame` of the clip at `target` is set to `value`; the actions of the
// frame `target` ("path:frame") run; `movie` is loaded into layer `frame` (no movie
// empties the layer).
struct FrameOp {
    enum Kind {
        Play,
        Stop,
        Goto,
        TargetGoto,
        TargetPlay,
        TargetStop,
        SetVariable,
        SetProperty,
        CallFrame,
        LoadLayer
    };
    Kind kind = Play;
    int frame = 0; // Goto: frames count from 0
    QString target{};
    QVariant value{};
    QByteArray movie{};
};

class CommandQueue {
public:
    enum class MovieState { None, Loading, Ready };

    using LoadRunner = std::function<void(int loadId, const std::vector<FrameOp>& prelude)>;
    using FrameRunner = std::function<void(const FrameOp&)>;

    CommandQueue(LoadRunner load, FrameRunner frame)
        : runLoad_(std::move(load)), runFrame_(std::move(frame)) {}

    // A new load supersedes everything still queued: those calls were meant for a
    // movie that will never show.
    void submitLoad(int loadId);
    void submitFrame(const FrameOp& op);
    void clear(); // the movie was unloaded

    void setPlayerReady(bool ready);
    void movieReady();
    void loadFailed(); // drops the calls that waited for the failed movie

    // Runs whatever may run now; the owner calls it after submitting (later, so that the
    // calls a form makes in one go reach a load together).
    void flush();

    bool playerReady() const { return playerReady_; }
    MovieState movieState() const { return state_; }
    bool hasPending() const { return pendingLoad_.has_value() || !ops_.empty(); }

private:
    LoadRunner runLoad_;
    FrameRunner runFrame_;
    bool playerReady_ = false;
    bool flushing_ = false;
    MovieState state_ = MovieState::None;
    std::optional<int> pendingLoad_;
    std::vector<FrameOp> ops_;
};

} // namespace flashhost

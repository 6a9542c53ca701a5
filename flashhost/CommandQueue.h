#pragma once
// The order in which a host control's calls reach its player.
//
// Forms load a movie and drive it at once (load, then GotoFrame, then Play), while the
// player needs time to start and to take the movie in. The queue holds the calls until
// they can run: a load waits for the player; frame calls wait for the loaded movie.
// Frame calls made before the load ran travel with it ("prelude"), so the player applies
// them on the movie's first frame instead of a few frames late.

#include <functional>
#include <optional>
#include <vector>

namespace flashhost {

struct FrameOp {
    enum Kind { Play, Stop, Goto };
    Kind kind = Play;
    int frame = 0; // Goto only; frames count from 0

    bool operator==(const FrameOp& o) const {
        return kind == o.kind && (kind != Goto || frame == o.frame);
    }
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

#include "flashhost/CommandQueue.h"

namespace flashhost {

void CommandQueue::submitLoad(int loadId) {
    pendingLoad_ = loadId;
    ops_.clear();
}

void CommandQueue::submitFrame(const FrameOp& op) {
    ops_.push_back(op);
}

void CommandQueue::clear() {
    pendingLoad_.reset();
    ops_.clear();
    state_ = MovieState::None;
}

void CommandQueue::setPlayerReady(bool ready) {
    playerReady_ = ready;
}

void CommandQueue::movieReady() {
    if (state_ == MovieState::Loading)
        state_ = MovieState::Ready;
}

void CommandQueue::loadFailed() {
    state_ = MovieState::None;
    if (!pendingLoad_)
        ops_.clear();
}

void CommandQueue::flush() {
    // A runner may report back at once (a player that is ready immediately); the outer
    // call finishes the work.
    if (flushing_ || !playerReady_)
        return;
    flushing_ = true;
    while (playerReady_) {
        if (pendingLoad_) {
            const int id = *pendingLoad_;
            pendingLoad_.reset();
            const std::vector<FrameOp> prelude = std::move(ops_);
            ops_.clear();
            state_ = MovieState::Loading;
            runLoad_(id, prelude);
            continue;
        }
        if (ops_.empty() || state_ == MovieState::Loading)
            break;
        const FrameOp op = ops_.front();
        ops_.erase(ops_.begin());
        // Without a movie there is nothing to act on, as in the player itself.
        if (state_ == MovieState::Ready)
            runFrame_(op);
    }
    flushing_ = false;
}

} // namespace flashhost

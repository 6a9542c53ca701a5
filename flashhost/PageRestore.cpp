#include "flashhost/PageRestore.h"

#include <algorithm>

namespace flashhost {

void PageRestore::loaded(const QString& url, const QVariantMap& options, int seq) {
    url_ = url;
    options_ = options;
    seq_ = seq;
    frame0_ = 0;
    playing_ = options.value(QStringLiteral("playing"), true).toBool();
    kept_ = false;
    phase_ = Phase::Idle;
}

void PageRestore::called(int seq) {
    seq_ = std::max(seq_, seq);
}

bool PageRestore::reported(int frame0, bool playing, int seq) {
    if (phase_ == Phase::Reloading)
        return false;
    if (phase_ == Phase::Resuming) {
        // Reports sent before the page applied the calls may still come from before the
        // movie ran what those calls queued.
        if (!resumed_ || seq < resumeSeq_)
            return false;
        phase_ = Phase::Idle;
        frame0_ = std::max(0, frame0);
        playing_ = playing;
        // The movie as it stood again: the form's calls made meanwhile follow and report.
        return false;
    }
    frame0_ = std::max(0, frame0);
    playing_ = playing;
    return true;
}

void PageRestore::applied(int seq) {
    if (phase_ == Phase::Resuming && seq >= resumeSeq_)
        resumed_ = true;
}

void PageRestore::forget() {
    url_.clear();
    options_.clear();
    kept_ = false;
    phase_ = Phase::Idle;
}

void PageRestore::begin() {
    phase_ = canRestore() ? Phase::Reloading : Phase::Idle;
    resumed_ = false;
}

QVariantMap PageRestore::reloadOptions() const {
    QVariantMap options = options_;
    options.insert(QStringLiteral("seq"), seq_ - 1);
    options.insert(QStringLiteral("playing"), playing_);
    return options;
}

std::vector<PageRestore::Call> PageRestore::resume() {
    if (phase_ != Phase::Reloading)
        return {};
    phase_ = Phase::Resuming;
    resumeSeq_ = seq_;
    resumed_ = false;
    return {{{FrameOp::Goto, frame0_}, seq_},
            {{playing_ ? FrameOp::Play : FrameOp::Stop, 0}, seq_}};
}

} // namespace flashhost

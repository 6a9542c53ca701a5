#include "flashhost/PageRestore.h"

#include <algorithm>

namespace flashhost {

void PageRestore::loaded(const QString& url, const QVariantMap& options, int seq) {
    url_ = url;
    options_ = options;
    seq_ = seq;
    frame0_ = 0;
    playing_ = options.value(QStringLiteral("playing"), true).toBool();
    restoring_ = false;
}

void PageRestore::called(int seq) {
    seq_ = std::max(seq_, seq);
}

void PageRestore::reported(int frame0, bool playing) {
    if (restoring_)
        return;
    frame0_ = std::max(0, frame0);
    playing_ = playing;
}

void PageRestore::forget() {
    url_.clear();
    options_.clear();
    restoring_ = false;
}

void PageRestore::begin() {
    restoring_ = canRestore();
}

QVariantMap PageRestore::reloadOptions() const {
    QVariantMap options = options_;
    options.insert(QStringLiteral("seq"), seq_ - 1);
    options.insert(QStringLiteral("playing"), playing_);
    return options;
}

std::vector<PageRestore::Call> PageRestore::resume() {
    if (!restoring_)
        return {};
    restoring_ = false;
    return {{{FrameOp::Goto, frame0_}, seq_},
            {{playing_ ? FrameOp::Play : FrameOp::Stop, 0}, seq_}};
}

} // namespace flashhost

#include "activities/language/ABCKeyboardRules.h"

namespace language {
namespace {

struct TopRange {
    int from, to; // half-open
};
// Per character: where it starts at game start, after a miss and after a hit.
constexpr TopRange kRanges[kFallerCount][3] = {
    {{-450, -280}, {-350, -250}, {-250, -80}},  {{-350, -180}, {-250, -80}, {-250, -80}},
    {{-450, -300}, {-550, -380}, {-250, -80}},  {{-350, -200}, {-450, -280}, {-250, -80}},
    {{-250, -80}, {-350, -250}, {-250, -80}},   {{-550, -400}, {-250, -80}, {-250, -80}},
    {{-500, -350}, {-250, -180}, {-250, -80}},  {{-250, -80}, {-250, -80}, {-250, -80}},
    {{-250, -80}, {-550, -420}, {-250, -80}},   {{-310, -150}, {-310, -120}, {-310, -120}},
    {{-300, -220}, {-300, -220}, {-300, -220}},
};
constexpr int kHitLine = -50; // a character above this line is not yet in reach

bool typeable(QChar c) {
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

} // namespace

QChar keyChar(int i) {
    if (i >= 0 && i < 26)
        return QChar(u'A' + i);
    if (i >= 26 && i < 36)
        return QChar(u'0' + (i - 26));
    return QChar();
}

void KeyboardGame::start(int width) {
    width_ = width;
    total_ = right_ = missed_ = 0;
    setSpeed(Speed::Middle);
    for (int i = 0; i < kFallerCount; ++i)
        respawn(i, Range::Start);
}

void KeyboardGame::setSpeed(Speed s) {
    switch (s) {
    case Speed::Slow:
        speedFrom_ = 1, speedTo_ = 2;
        break;
    case Speed::Middle:
        speedFrom_ = 1, speedTo_ = 3;
        break;
    case Speed::Fast:
        speedFrom_ = 2, speedTo_ = 4;
        break;
    }
}

void KeyboardGame::respawn(int i, Range r) {
    const TopRange range = kRanges[i][static_cast<int>(r)];
    Faller& f = fallers_[static_cast<size_t>(i)];
    f.top = rng_.random(range.from, range.to);
    f.ch = keyChar(rng_.random(36));
    f.left = rng_.random(0, width_ - kFallerSize);
    f.speed = rng_.random(speedFrom_, speedTo_);
}

bool KeyboardGame::tick(int panelTop) {
    bool reached = false;
    for (const Faller& f : fallers_)
        reached = reached || f.top >= panelTop;
    if (reached) {
        ++total_;
        ++missed_;
        for (int i = 0; i < kFallerCount; ++i)
            if (fallers_[static_cast<size_t>(i)].top >= panelTop)
                respawn(i, Range::AfterMiss);
    }
    for (Faller& f : fallers_)
        f.top += f.speed;
    return reached;
}

KeyboardGame::KeyResult KeyboardGame::key(QChar typed) {
    if (!typeable(typed))
        return {};
    const QChar upper = typed.toUpper();
    ++total_;
    for (int i = 0; i < kFallerCount; ++i) {
        const Faller& f = fallers_[static_cast<size_t>(i)];
        if (f.top > kHitLine && f.ch == upper) {
            const KeyResult hit{Key::Hit, i, f.left, f.top};
            respawn(i, Range::AfterHit);
            ++right_;
            return hit;
        }
    }
    ++missed_;
    return {Key::Missed};
}

QString KeyboardGame::statusText() const {
    const int rate = total_ > 0 ? right_ * 100 / total_ : 0;
    return QStringLiteral("已经输入的总字母数：[%1]个，未打中字母数：[%2]个，正确率：【%3%】")
        .arg(total_)
        .arg(missed_)
        .arg(rate);
}

QString KeyboardGame::startText() {
    return QStringLiteral("敲击键盘上对应字母，打掉下落的字母！");
}

int explosionPlayer(bool firstPlaying, bool secondPlaying) {
    if (!firstPlaying)
        return 0;
    return secondPlaying ? 2 : 1;
}

bool Explosion::tick(bool moviePlaying) {
    if (!shown_)
        return false;
    ++ticks_;
    if (moviePlaying && !started_)
        started_ = true, ticks_ = 0;
    if ((!moviePlaying && (started_ || ticks_ >= kWaitTicks)) || (started_ && ticks_ >= kMostTicks))
        shown_ = false;
    return shown_;
}

} // namespace language

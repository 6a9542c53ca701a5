#include "activities/common/AnswerRound.h"

namespace common {

void AnswerRound::reset() {
    open_ = false;
    right_ = -1;
    tally_ = {};
    seconds_ = 0;
}

void AnswerRound::ask(int rightIndex) {
    right_ = rightIndex;
    open_ = true;
}

Verdict AnswerRound::answer(int index) {
    if (!open_ || index < 0)
        return Verdict::Ignored;
    return judge(index == right_);
}

Verdict AnswerRound::judge(bool right) {
    if (!open_)
        return Verdict::Ignored;
    open_ = false;
    ++tally_.total;
    ++(right ? tally_.right : tally_.wrong);
    return right ? Verdict::Right : Verdict::Wrong;
}

} // namespace common

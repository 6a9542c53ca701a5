#include "activities/puzzles/TysRules.h"

namespace puzzles {

bool ColouringNavigator::previous() {
    if (current_ <= 1)
        return false;
    --current_;
    return true;
}

bool ColouringNavigator::next() {
    if (current_ >= movies_)
        return false;
    ++current_;
    return true;
}

bool ColouringNavigator::choose(int tag) {
    if (!canChoose(tag))
        return false;
    current_ = tag;
    return true;
}

} // namespace puzzles

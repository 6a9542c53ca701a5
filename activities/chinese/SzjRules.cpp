#include "activities/chinese/SzjRules.h"

namespace chinese {

bool ClassicSections::play(int section) {
    if (section < 1 || section > kClassicSections)
        return false;
    current_ = section;
    return true;
}

} // namespace chinese

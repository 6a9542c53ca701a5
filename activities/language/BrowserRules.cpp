#include "activities/language/BrowserRules.h"

#include "platform/Gbk.h"

#include <algorithm>

namespace language {

void PictureBrowser::restart() {
    index_ = 0;
    page_ = 1;
}

PictureBrowser::Step PictureBrowser::prior() {
    if (index_ == 0)
        return Step::FirstRefused;
    --index_;
    return Step::Shown;
}

PictureBrowser::Step PictureBrowser::next() {
    if (index_ == count() - 1)
        return Step::LastRefused;
    ++index_;
    return Step::Shown;
}

bool PictureBrowser::select(int row) {
    if (row < 0 || row >= count())
        return false;
    index_ = row;
    return true;
}

PictureBrowser::Page PictureBrowser::nextPage() {
    if (page_ == pageCount())
        return Page::LastRefused;
    ++page_;
    return Page::Shown;
}

PictureBrowser::Page PictureBrowser::priorPage() {
    if (page_ == 1)
        return Page::FirstRefused;
    --page_;
    return Page::Shown;
}

std::vector<int> PictureBrowser::pageRows() const {
    std::vector<int> rows;
    for (int r = (page_ - 1) * 10; r < std::min(page_ * 10, count()); ++r)
        rows.push_back(r);
    return rows;
}

int nameFontSize(const QString& chinese) {
    return platform::gbkByteLength(chinese) > 8 ? 42 : 56;
}

int pinyinFontSize(const QString& pinyin) {
    return platform::gbkByteLength(pinyin) > 16 ? 23 : 36;
}

int autoIntervalMs(int itemIndex) {
    return (std::clamp(itemIndex, 0, 4) + 6) * 1000;
}

int grownWidth(int width) {
    return width < kNameFullWidth ? std::min(width + 7, kNameFullWidth) : width;
}

} // namespace language

#pragma once
// The picture browser's rules: stepping through the 65 animals, the directory of ten
// names a page, the font sizes of a row and the automatic interval.

#include "activities/language/WordTables.h"

#include <vector>

namespace language {

class PictureBrowser {
public:
    enum class Step { Shown, FirstRefused, LastRefused };
    enum class Page { Shown, FirstRefused, LastRefused };

    // Back to row 0 and page 1 (every showing).
    void restart();
    int index() const { return index_; }
    const WordRow& row() const { return KtrwWordTable[index_]; }
    int count() const { return kAnimalCount; }

    Step prior();
    Step next();
    // A directory label was clicked; out-of-range rows are refused (false).
    bool select(int row);

    int page() const { return page_; }
    int pageCount() const { return (count() + 9) / 10; }
    Page nextPage();
    Page priorPage();
    // The rows the ten labels show on the current page (fewer on the last page).
    std::vector<int> pageRows() const;

private:
    int index_ = 0;
    int page_ = 1;
};

// Font sizes by the length of the text in GBK bytes.
int nameFontSize(const QString& chinese);  // 56, or 42 above 8 bytes
int pinyinFontSize(const QString& pinyin); // 36, or 23 above 16 bytes

// Font sizes given in points, in pixels of a 96-dpi screen (rounded).
constexpr int pointsToPixels(int points) {
    return (points * 96 + 36) / 72;
}

// The automatic step interval for an item of "间隔6秒".."间隔10秒".
int autoIntervalMs(int itemIndex);

// The growing name: a label widens by 7 until it is 412 wide. Returns the next width
// and whether the growth goes on.
constexpr int kNameFullWidth = 412;
int grownWidth(int width);

} // namespace language

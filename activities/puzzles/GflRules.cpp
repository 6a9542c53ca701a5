#include "activities/puzzles/GflRules.h"

#include "activities/common/PictureCatalogue.h"

#include <algorithm>

namespace puzzles {

std::array<int, kSortPictures> drawSortBoard(platform::RandomSource& rng, int askedClass) {
    std::array<int, kSortPictures> rows{};
    for (;;) {
        rows[0] = rng.random(0, 65);
        rows[1] = rng.random(66, 100);
        rows[2] = rng.random(131, 229);
        for (size_t k = 3; k < rows.size(); ++k) {
            int r = 0;
            do
                r = rng.random(0, 229);
            while (std::find(rows.begin(), rows.begin() + static_cast<long>(k), r) !=
                   rows.begin() + static_cast<long>(k));
            rows[k] = r;
        }
        const auto ofClass = std::count_if(rows.begin(), rows.end(),
                                           [&](int r) { return lookRecClass(r) == askedClass; });
        if (ofClass <= kSortMaxPicks)
            return rows;
    }
}

QString sortQuestion(int) {
    return QStringLiteral("属于动物类的图片有哪些？");
}

void SortRound::newQuestion(platform::RandomSource& rng) {
    newQuestion(drawSortBoard(rng, 1), 1);
}

void SortRound::newQuestion(const std::array<int, kSortPictures>& rows, int askedClass) {
    rows_ = rows;
    asked_ = askedClass;
    ticked_ = {};
    tray_ = {};
    selected_ = 0;
    seconds_ = 0;
    open_ = true;
}

int SortRound::pictureClass(int pic) const {
    return lookRecClass(row(pic));
}

int SortRound::traySlotOf(int pic) const {
    const auto at = std::find(tray_.begin(), tray_.end(), pic);
    return at == tray_.end() ? 0 : static_cast<int>(at - tray_.begin()) + 1;
}

SortRound::Pick SortRound::pick(int pic) {
    if (!open_ || pic < 1 || pic > kSortPictures)
        return Pick::Ignored;
    const size_t i = static_cast<size_t>(pic - 1);
    if (ticked_[i]) {
        ticked_[i] = false;
        --selected_;
        if (const int slot = traySlotOf(pic))
            tray_[static_cast<size_t>(slot - 1)] = 0;
        return Pick::Unselected;
    }
    if (selected_ >= kSortMaxPicks)
        return Pick::Full;
    ticked_[i] = true;
    ++selected_;
    *std::find(tray_.begin(), tray_.end(), 0) = pic;
    return Pick::Selected;
}

bool SortRound::check() {
    if (!open_)
        return false;
    bool right = true;
    for (int pic = 1; pic <= kSortPictures; ++pic) {
        const bool belongs = pictureClass(pic) == asked_;
        if (belongs != ticked(pic))
            right = false;
        ticked_[static_cast<size_t>(pic - 1)] = belongs;
    }
    ++count_;
    ++(right ? right_ : wrong_);
    open_ = false;
    return right;
}

void SortRound::tick() {
    if (open_)
        ++seconds_;
}

} // namespace puzzles

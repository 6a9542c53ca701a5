#include "activities/chinese/JzwRules.h"

#include "platform/Gbk.h"

namespace chinese {

const Table& collectionTable(Collection c) {
    static const std::array<Table, 3> tables = {loadTable(QStringLiteral("jzw"), 2),
                                                loadTable(QStringLiteral("cmy"), 2),
                                                loadTable(QStringLiteral("xhy"), 2)};
    return tables[static_cast<size_t>(c)];
}

bool centredQuestion(Collection c, const QString& question) {
    return c == Collection::Riddles || platform::gbkByteLength(question) < 37;
}

RiddleBrowser::RiddleBrowser(std::array<Table, 3> tables) : tables_(std::move(tables)) {
    select(0);
}

RiddleBrowser::RiddleBrowser()
    : RiddleBrowser({collectionTable(Collection::Teasers), collectionTable(Collection::Riddles),
                     collectionTable(Collection::Sayings)}) {}

bool RiddleBrowser::setCollection(Collection c) {
    if (c == collection_)
        return false;
    collection_ = c;
    select(0);
    return true;
}

void RiddleBrowser::select(int i) {
    index_ = (i >= 0 && i < count()) ? i : (count() > 0 ? 0 : -1);
    if (!alwaysShow_)
        answerShown_ = false;
}

RiddleBrowser::Paging RiddleBrowser::previous() {
    if (index_ <= 0)
        return Paging::AtFirst;
    select(index_ - 1);
    return Paging::Moved;
}

RiddleBrowser::Paging RiddleBrowser::next() {
    if (index_ >= count() - 1)
        return Paging::AtLast;
    select(index_ + 1);
    return Paging::Moved;
}

QString RiddleBrowser::question() const {
    return index_ >= 0 ? table()[index_].value(0) : QString();
}

QString RiddleBrowser::answer() const {
    return index_ >= 0 ? table()[index_].value(1) : QString();
}

void RiddleBrowser::setAlwaysShow(bool on) {
    alwaysShow_ = on;
    answerShown_ = on;
}

} // namespace chinese

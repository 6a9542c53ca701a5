#include "activities/chinese/RklRules.h"

namespace chinese {

const Table& twisterTable() {
    static const Table t = loadTable(QStringLiteral("rkl"), 2);
    return t;
}

Twister twisterIntroduction() {
    const Table t = loadTable(QStringLiteral("rkl_intro"), 2);
    if (t.isEmpty())
        return {QStringLiteral("绕口令--儿童“口腔体操”"), QString()};
    return {t[0][0], t[0][1]};
}

TwisterReader::TwisterReader(Table rows) : rows_(std::move(rows)) {}

TwisterReader::TwisterReader() : TwisterReader(twisterTable()) {}

bool TwisterReader::select(int i) {
    if (i < 0 || i >= count())
        return false;
    index_ = i;
    return true;
}

TwisterReader::Paging TwisterReader::previous() {
    if (index_ < 0)
        return select(0) ? Paging::Moved : Paging::AtFirst;
    if (index_ == 0)
        return Paging::AtFirst;
    --index_;
    return Paging::Moved;
}

TwisterReader::Paging TwisterReader::next() {
    if (index_ >= count() - 1)
        return Paging::AtLast;
    ++index_;
    return Paging::Moved;
}

QString TwisterReader::title() const {
    return index_ >= 0 ? rows_[index_].value(0) + QStringLiteral("  ") : QString();
}

QString TwisterReader::text() const {
    return index_ >= 0 ? rows_[index_].value(1) : QString();
}

} // namespace chinese

#pragma once
// The tongue-twister reader: the built-in twisters (title, text) paged from an
// introduction with nothing selected.

#include "activities/chinese/ChineseTables.h"

namespace chinese {

struct Twister {
    QString title, text;
};

// The built-in twisters ("rkl": title, text) and the introduction ("rkl_intro").
const Table& twisterTable();
Twister twisterIntroduction();

class TwisterReader {
public:
    enum class Paging { Moved, AtFirst, AtLast };

    explicit TwisterReader(Table rows);
    TwisterReader(); // the built-in twisters

    int count() const { return static_cast<int>(rows_.size()); }
    int index() const { return index_; } // -1: the introduction
    void reset() { index_ = -1; }
    bool select(int i);
    // With nothing selected both go to the first twister.
    Paging previous();
    Paging next();

    QString title() const; // as the title label shows it: the title and two blanks
    QString text() const;

    static QString firstMessage() { return QStringLiteral("当前已经是第一个！"); }
    static QString lastMessage() { return QStringLiteral("已经浏览到最后！"); }
    static QString caption() { return QStringLiteral("绕口令浏览说明！"); }

private:
    Table rows_;
    int index_ = -1;
};

} // namespace chinese

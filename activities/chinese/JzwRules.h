#pragma once
// The riddle and saying browser: three collections of questions and answers, paged
// by number; the answer stays covered until asked for, unless every answer is shown.

#include "activities/chinese/ChineseTables.h"

#include <array>

namespace chinese {

enum class Collection { Teasers = 0, Riddles = 1, Sayings = 2 };

// The built-in collections: "jzw" (brain teasers), "cmy" (riddles), "xhy" (sayings).
const Table& collectionTable(Collection c);

// Riddles are always centred; the others when shorter than 37 bytes of code page 936.
bool centredQuestion(Collection c, const QString& question);

class RiddleBrowser {
public:
    enum class Paging { Moved, AtFirst, AtLast };

    explicit RiddleBrowser(std::array<Table, 3> tables);
    RiddleBrowser(); // the built-in collections

    Collection collection() const { return collection_; }
    // Switches and selects the first number; false (nothing changes) when it is
    // the collection on screen already.
    bool setCollection(Collection c);
    // The list holds the numbers 1 to the collection's size.
    int count() const { return static_cast<int>(table().size()); }
    int index() const { return index_; } // -1 when the collection is empty

    // Shows item i: its answer is covered unless every answer is shown.
    void select(int i);
    Paging previous();
    Paging next();

    QString question() const;
    QString answer() const;
    bool centred() const { return centredQuestion(collection_, question()); }

    bool answerShown() const { return answerShown_; }
    void revealAnswer() { answerShown_ = true; }
    bool alwaysShow() const { return alwaysShow_; }
    // The always-show switch: on reveals the answer, off covers it.
    void setAlwaysShow(bool on);
    void toggleAlwaysShow() { setAlwaysShow(!alwaysShow_); }

    static QString firstMessage() { return QStringLiteral("当前已经是第一题！"); }
    static QString lastMessage() { return QStringLiteral("当前已经是最后一题！"); }
    static QString caption() { return QStringLiteral("题目浏览说明！"); }

private:
    const Table& table() const { return tables_[static_cast<size_t>(collection_)]; }

    std::array<Table, 3> tables_;
    Collection collection_ = Collection::Teasers;
    int index_ = -1;
    bool answerShown_ = false;
    bool alwaysShow_ = false;
};

} // namespace chinese

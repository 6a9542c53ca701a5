#pragma once
// The word browser: the letter groups, the words of a group with their meanings, the
// selection with its bounds, and what the window does on close after a handover.

#include <QString>
#include <QStringList>
#include <vector>

namespace language {

struct WordMeaning {
    const char* word;
    const char* meaning;
};

// The items of the letter-group box ("A" .. "X,Y,Z").
const QStringList& letterGroups();
// The words of a group in list order; an unknown group has none.
const std::vector<WordMeaning>& groupWords(int group);

class WordBrowser {
public:
    // Where the browser hands over when it closes.
    enum class Handover { None, Quiz, PairGame };

    void showGroup(int group);
    int group() const { return group_; }
    int count() const { return static_cast<int>(words().size()); }
    int index() const { return index_; } // -1 when the group is empty

    bool select(int index);
    bool prior(); // false on the first word
    bool next();  // false on the last word

    QString word() const;
    // The meaning of the chosen word; empty when nothing is chosen.
    QString meaning() const;
    QString meaningCaption() const; // "[ " + meaning + " ]"

    void handOver(Handover h) { handover_ = h; }
    Handover handover() const { return handover_; }
    // The close resumes the music and brings the menu back unless it handed over.
    bool closeReturnsToMenu() const { return handover_ == Handover::None; }

private:
    const std::vector<WordMeaning>& words() const { return groupWords(group_); }
    int group_ = 0;
    int index_ = -1;
    Handover handover_ = Handover::None;
};

} // namespace language

#pragma once
// Phonetic symbols: six vowel groups ("Y1".."Y6") and seven consonant groups
// ("F1".."F7"), the group list that opens under either menu button, and paging
// between the groups of the list on screen.

#include <QString>

namespace language {

class PhoneticBook {
public:
    enum class Kind { Vowels, Consonants };

    // Each opening starts on the first vowel group with the list closed.
    void reset();

    // The group list under the vowel or consonant button.
    void openVowels();
    void openConsonants();
    void closeList() { listShown_ = false; }
    bool listShown() const { return listShown_; }
    int listLeft() const { return listLeft_; }
    bool seventhShown() const { return seventhShown_; }

    // Chooses group g of the open list (vowels unless the seventh group is offered);
    // closes the list. False for a group the list does not have.
    bool choose(int g);
    // The neighbouring group of the same kind; false (nothing changes) at the ends.
    bool previous();
    bool next();

    Kind kind() const { return kind_; }
    int group() const { return group_; }
    QString movieName() const; // "Y1" .. "F7"
    QString title() const;     // "元音目录(第一组)"

    static int groupCount(Kind k) { return k == Kind::Vowels ? 6 : 7; }
    static QString groupCaption(int g); // "第一组" .. "第七组"

private:
    Kind kind_ = Kind::Vowels;
    int group_ = 1;
    bool listShown_ = false;
    int listLeft_ = 30;
    bool seventhShown_ = false;
};

} // namespace language

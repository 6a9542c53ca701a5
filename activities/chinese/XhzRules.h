#pragma once
// The character lessons: 30 characters, each with its pinyin and a word that uses it;
// choosing one plays its stroke-order movie, shows the word, the pinyin and the
// word's picture and speaks the character.

#include <QString>

namespace chinese {

struct CharacterRow {
    const char* character;
    const char* pinyin;
    const char* word;
};

constexpr int kCharacterCount = 30;
const CharacterRow& characterRow(int i);

// What the window shows for one character.
struct CharacterView {
    QString character, pinyin, word;
    QString movie;      // "XHZ1" .. "XHZ30" in the pack "XHZ"
    QString picture;    // "DATA\picture\LookRec\" + word + ".jpg"
    QString speech;     // "DATA\Sound\" + character + ".mp3"
    QString wordSpeech; // "DATA\Sound\" + word + ".mp3"
};
CharacterView characterView(int i);

class CharacterLesson {
public:
    int index() const { return index_; }
    int number() const { return index_ + 1; } // the selected number
    // False (nothing changes) outside the list.
    bool select(int i);
    bool back() { return select(index_ - 1); }
    bool next() { return select(index_ + 1); }
    CharacterView view() const { return characterView(index_); }

private:
    int index_ = 0;
};

} // namespace chinese

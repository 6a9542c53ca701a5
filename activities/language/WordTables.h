#pragma once
// The fixed word tables of the picture and English activities, compiled in. A word is
// also a file name: its picture is "Data\picture\LookRec\<Chinese>.jpg", its speech
// "DATA\Sound\<Chinese>.mp3" and "DATA\Sound\<English>.mp3", spelled as stored.

#include "activities/common/PictureCatalogue.h"
#include <QString>
#include <QStringList>
#include <vector>

namespace language {

// One row of a three-column table (texts as stored, UTF-8).
struct WordRow {
    const char* chinese;
    const char* english;
    const char* pinyin;
    QString name() const { return QString::fromUtf8(chinese); }
    QString word() const { return QString::fromUtf8(english); }
    QString spelling() const { return QString::fromUtf8(pinyin); }
};

// A catalogue row: name and class digit "1".."8" (the table is shared with the puzzle park).
using PictureRow = LookRecEntry;

// A category word of the pair game: Chinese, English, category digit '1'..'7'.
struct CategoryRow {
    const char* chinese;
    const char* english;
    char category;
};

// The 65 animals (Chinese, English, pinyin).
extern const WordRow KtrwWordTable[65];
constexpr int kAnimalCount = 65;

// The 65 animals as a row list (the browser's word array).
const std::vector<WordRow>& animalWords();

// The picture catalogue `LookRecTable`: 230 names sorted by class 1..8.
constexpr int kCatalogueCount = kLookRecCount;

// Picture classes: 1 animals, 2 clothing, 3 vehicles, 4 vegetables, 5 fruit, 6 family
// and occupations, 7 household appliances, 8 stationery. First row of a class.
int catalogueClassStart(char cls);
int catalogueClassCount(char cls);

// 234 rows: animals (without the carp), clothing, vehicles, appliances, stationery,
// vegetables, fruit and 40 people. English and pinyin are known for rows 0..63 only.
const std::vector<WordRow>& KtrwZhlxWordTable();
constexpr int kZhlxCount = 234;
constexpr int kZhlxAnimalCount = 64;

// The mixed English quiz reads rows 0..61: the animals without the polar bear, the sea
// lion and the fur seal.
const std::vector<WordRow>& PictureWords();
constexpr int kPictureWordsRead = 62;

// 114 rows of the pair game in seven categories.
extern const CategoryRow CategoryWords[114];
constexpr int kCategoryCount = 114;

// Names whose pictures live beside the catalogue's: the twelve people of the sixteen-
// picture practice that the catalogue lacks, and the words of the character lessons.
const std::vector<QString>& extraPictureNames();

// File names formed from a word.
QString picturePath(const QString& chinese); // "DATA\picture\LookRec\<name>.jpg"
QString soundPath(const QString& word);      // "DATA\Sound\<word>.mp3"
// The files of the first `rows` rows: both spoken words, and the pictures when asked.
QStringList wordDataPaths(const std::vector<WordRow>& table, int rows, bool pictures);
// "DATA\bgsnd\right.WAV" and "DATA\bgsnd\wrong.WAV".
QStringList judgementPaths();

} // namespace language

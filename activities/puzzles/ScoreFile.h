#pragma once
// The score file "Data\YZLY.ini": the five best results of each timed game, one
// section per rank ("ZBN1".."ZBN5", "PTX1".."PTX5"), rank 1 the best.

#include <QString>

#include <array>

namespace platform {
class IniFile;
}

namespace puzzles {

struct TScoreRecord {
    QString User_Name;
    int GK = 0;
    int Score = 0;
    bool operator==(const TScoreRecord&) const = default;
};
using ScoreTable = std::array<TScoreRecord, 5>;

// The leaderboard's view of one rank: the three values as stored, unconverted.
struct StoredRecord {
    QString name, gk, score;
};

inline const QString kSpotPrefix = QStringLiteral("ZBN");
inline const QString kPuzzlePrefix = QStringLiteral("PTX");

// The program folder's "Data\YZLY.ini".
QString scoreFilePath();

// A missing or non-decimal value reads as 0, a missing name as empty.
ScoreTable readScores(const platform::IniFile& ini, const QString& prefix);
std::array<StoredRecord, 5> readStored(const platform::IniFile& ini, const QString& prefix);

// Whether a finished or running game's score beats the fifth place read at showing.
bool worthSaving(int score, const ScoreTable& table);

// Rank 1-5 where a new score goes: above every equal score, the old fifth drops out.
int insertionRank(int score, const ScoreTable& table);

// The table after inserting `record` at its rank.
ScoreTable inserted(const ScoreTable& table, const TScoreRecord& record);

// Builds the new table in memory and writes the sections that change (rank 5 up to the
// new rank) in one atomic rewrite: the file is the old one or the new one, never half.
bool saveScore(platform::IniFile& ini, const QString& prefix, const ScoreTable& table,
               const TScoreRecord& record);

// A name the file can hold: at most 20 characters, all of them in GBK, no line breaks
// or other control characters.
bool acceptableName(const QString& name);
// What is left of a typed or pasted name once unsuitable characters are dropped and it
// is cut to 20 characters.
QString cleanedName(const QString& name);
inline constexpr int kNameMaxLength = 20;

} // namespace puzzles

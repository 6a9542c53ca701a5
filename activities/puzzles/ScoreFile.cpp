#include "activities/puzzles/ScoreFile.h"

#include "platform/Gbk.h"
#include "platform/IniFile.h"
#include "platform/ProgramDir.h"

#include <QDir>

namespace puzzles {

namespace {

QString section(const QString& prefix, int rank) {
    return prefix + QString::number(rank);
}

// Decimal only: the table's stages and scores are written that way, anything else is 0.
int decimal(const QString& text) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok, 10);
    return ok ? v : 0;
}

bool gbkHolds(QChar c) {
    const QString one(c);
    return platform::fromGbk(platform::toGbk(one)) == one;
}

} // namespace

QString scoreFilePath() {
    const QString data = platform::dataPath(QStringLiteral("Data"));
    return QDir(data).filePath(QStringLiteral("YZLY.ini"));
}

ScoreTable readScores(const platform::IniFile& ini, const QString& prefix) {
    ScoreTable t;
    for (int r = 1; r <= 5; ++r) {
        TScoreRecord& rec = t[static_cast<size_t>(r - 1)];
        rec.Score = decimal(ini.ReadString(section(prefix, r), QStringLiteral("Score"), {}));
        rec.User_Name = ini.ReadString(section(prefix, r), QStringLiteral("User_Name"), {});
        rec.GK = decimal(ini.ReadString(section(prefix, r), QStringLiteral("GK"), {}));
    }
    return t;
}

std::array<StoredRecord, 5> readStored(const platform::IniFile& ini, const QString& prefix) {
    std::array<StoredRecord, 5> rows;
    for (int r = 1; r <= 5; ++r) {
        StoredRecord& row = rows[static_cast<size_t>(r - 1)];
        row.name = ini.ReadString(section(prefix, r), QStringLiteral("User_Name"), {});
        row.gk = ini.ReadString(section(prefix, r), QStringLiteral("GK"), {});
        row.score = ini.ReadString(section(prefix, r), QStringLiteral("Score"), {});
    }
    return rows;
}

bool worthSaving(int score, const ScoreTable& table) {
    return score > table[4].Score;
}

int insertionRank(int score, const ScoreTable& table) {
    for (int rank = 5; rank >= 2; --rank)
        if (score < table[static_cast<size_t>(rank - 2)].Score)
            return rank;
    return 1;
}

ScoreTable inserted(const ScoreTable& table, const TScoreRecord& record) {
    const int rank = insertionRank(record.Score, table);
    ScoreTable t = table;
    for (int r = 5; r > rank; --r)
        t[static_cast<size_t>(r - 1)] = table[static_cast<size_t>(r - 2)];
    t[static_cast<size_t>(rank - 1)] = record;
    return t;
}

bool saveScore(platform::IniFile& ini, const QString& prefix, const ScoreTable& table,
               const TScoreRecord& record) {
    const int rank = insertionRank(record.Score, table);
    const ScoreTable t = inserted(table, record);
    QList<platform::IniFile::Entry> entries;
    for (int r = 5; r >= rank; --r) {
        const TScoreRecord& rec = t[static_cast<size_t>(r - 1)];
        const QString s = section(prefix, r);
        entries.append({s, QStringLiteral("User_Name"), rec.User_Name});
        entries.append({s, QStringLiteral("GK"), QString::number(rec.GK)});
        entries.append({s, QStringLiteral("Score"), QString::number(rec.Score)});
    }
    return ini.WriteStrings(entries);
}

bool acceptableName(const QString& name) {
    return name.size() <= kNameMaxLength && cleanedName(name) == name;
}

QString cleanedName(const QString& name) {
    QString out;
    for (QChar c : name) {
        if (out.size() >= kNameMaxLength)
            break;
        if (c.category() == QChar::Other_Control || c.isSurrogate() || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator || !gbkHolds(c))
            continue;
        out.append(c);
    }
    return out;
}

} // namespace puzzles

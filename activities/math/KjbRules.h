#pragma once
// The rhyme tables: the grid of the addition table (sums up to 10) and of the
// multiplication table (up to 9 × 9), their sound files, and the acted-out addition
// line with its counting pictures.

#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>

namespace math {

struct RhymeCell {
    int a = 0, b = 0, c = 0;
    QString caption; // "a＋b＝c" or "a×b＝c"
    QPoint pos;      // place on its panel
};

// 45 lines a＋b＝c (a = 1..9, b = 1..10-a): row a, column c - 2.
QList<RhymeCell> additionTable();
// 45 lines a×b＝c (1 <= a <= b <= 9): column a - 1, row b - 1.
QList<RhymeCell> multiplicationTable();

// The five parts of an addition caption, cut by characters: the first four are one
// character each, the fifth is the rest (up to two characters).
QStringList additionTokens(const QString& caption);

// "Data\sound\Number\<name>.mp3".
QString rhymeSoundPath(const QString& name);

constexpr int kSmallFirstLeft = 72; // where the first counting picture stands
constexpr int kSmallLastLeft = 768; // where the tenth picture waits
constexpr int kSmallStep = 60;      // pictures are 60 pixels wide

// One addition line acted out in steps 1..5: the first group, the sign, the second
// group at a distance, "＝", then both groups pushed together and the sum.
class AdditionLine {
public:
    explicit AdditionLine(const QString& caption);

    const QStringList& tokens() const { return tokens_; }
    int a() const { return a_; }
    int b() const { return b_; }

    // The token spoken at a step (1..5); empty when nothing is spoken.
    QString spokenToken(int step) const;
    // The Lefts of the pictures shown after a step: the first group from step 1, both
    // groups from step 3, pushed together at step 5.
    QList<int> pictureLefts(int step) const;
    // Frames round the two groups (Left and width), shown from step 5.
    QPair<int, int> firstFrame() const;
    QPair<int, int> secondFrame() const;

private:
    QStringList tokens_;
    int a_ = 0;
    int b_ = 0;
};

} // namespace math

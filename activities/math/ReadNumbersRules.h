#pragma once
// What the number-learning window says and shows for the numbers 0 to 30.

#include <QString>

namespace math {

constexpr int kLastNumber = 30;

// "Zero" .. "Thirty"; empty outside 0..30.
QString numberWord(int n);
// The spoken number: "DATA\Sound\ReadNumber\<caption>.mp3".
QString numberSoundPath(const QString& caption);
// The picture of n things in the pack "pic": "Number<n>" of type "JPG".
QString numberPictureName(int n);

// Stepping through the list: previous stops at 0, next stops at 30.
int priorNumber(int n);
int nextNumber(int n);

// The number on show, 0 at first; the list and the combo box only show it.
class NumberCursor {
public:
    int current() const { return n_; }
    // False (and nothing changes) outside 0..30.
    bool select(int n);
    // False (and nothing changes) at 0 and at 30.
    bool prior();
    bool next();

private:
    int n_ = 0;
};

} // namespace math

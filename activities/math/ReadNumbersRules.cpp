#include "activities/math/ReadNumbersRules.h"

#include <array>

namespace math {

QString numberWord(int n) {
    static const std::array<const char*, kLastNumber + 1> words = {
        "Zero",        "One",         "Two",        "Three",        "Four",         "Five",
        "Six",         "Seven",       "Eight",      "Nine",         "Ten",          "Eleven",
        "Twelve",      "Thirteen",    "Fourteen",   "Fifteen",      "Sixteen",      "Seventeen",
        "Eighteen",    "Nineteen",    "Twenty",     "Twenty-one",   "Twenty-two",   "Twenty-three",
        "Twenty-four", "Twenty-five", "Twenty-six", "Twenty-seven", "Twenty-eight", "Twenty-nine",
        "Thirty"};
    if (n < 0 || n > kLastNumber)
        return QString();
    return QString::fromLatin1(words[static_cast<size_t>(n)]);
}

QString numberSoundPath(const QString& caption) {
    return QStringLiteral("DATA\\Sound\\ReadNumber\\") + caption + QStringLiteral(".mp3");
}

QString numberPictureName(int n) {
    return QStringLiteral("Number") + QString::number(n);
}

int priorNumber(int n) {
    return n > 0 ? n - 1 : 0;
}

int nextNumber(int n) {
    return n < kLastNumber ? n + 1 : kLastNumber;
}

bool NumberCursor::select(int n) {
    if (n < 0 || n > kLastNumber)
        return false;
    n_ = n;
    return true;
}

bool NumberCursor::prior() {
    return n_ > 0 && select(priorNumber(n_));
}

bool NumberCursor::next() {
    return n_ < kLastNumber && select(nextNumber(n_));
}

} // namespace math

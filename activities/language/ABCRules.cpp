#include "activities/language/ABCRules.h"

#include <array>

namespace language {
namespace {
constexpr std::array<const char*, kLetterCount> kWords = {
    "apple",  "banana", "car",      "dog",    "egg",   "flower",    "glass",  "horse", "ink",
    "jacket", "knife",  "lock",     "monkey", "nurse", "ox",        "pencil", "queue", "rabbit",
    "sun",    "tree",   "umbrella", "violin", "watch", "xylophone", "yellow", "zebra"};

bool valid(int i) {
    return i >= 0 && i < kLetterCount;
}
} // namespace

QString letterWord(int i) {
    return valid(i) ? QString::fromLatin1(kWords[static_cast<size_t>(i)]) : QString();
}

QString capitalLetter(int i) {
    return valid(i) ? QString(QChar(u'A' + i)) : QString();
}

QString smallLetter(int i) {
    return valid(i) ? QString(QChar(u'a' + i)) : QString();
}

QString letterSound(const QString& text) {
    return QStringLiteral("DATA\\Sound\\") + text + QStringLiteral(".mp3");
}

bool LetterGrowth::step() {
    if (capital_ >= kCapitalEnd)
        return false;
    capital_ += kStep;
    small_ += kStep;
    return true;
}

int LetterAuto::tick() {
    if (next_ < kLetterCount + 1)
        return next_++ - 1;
    next_ = 1;
    return -1;
}

} // namespace language

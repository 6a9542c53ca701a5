#include "activities/language/XybRules.h"

namespace language {

void PhoneticBook::reset() {
    kind_ = Kind::Vowels;
    group_ = 1;
    listShown_ = false;
}

void PhoneticBook::openVowels() {
    listLeft_ = 30;
    seventhShown_ = false;
    listShown_ = true;
}

void PhoneticBook::openConsonants() {
    if (listLeft_ == 30)
        listLeft_ = 150;
    seventhShown_ = true;
    listShown_ = true;
}

bool PhoneticBook::choose(int g) {
    const Kind k = seventhShown_ ? Kind::Consonants : Kind::Vowels;
    if (g < 1 || g > groupCount(k))
        return false;
    kind_ = k;
    group_ = g;
    listShown_ = false;
    return true;
}

bool PhoneticBook::previous() {
    if (group_ <= 1)
        return false;
    --group_;
    return true;
}

bool PhoneticBook::next() {
    if (group_ >= groupCount(kind_))
        return false;
    ++group_;
    return true;
}

QString PhoneticBook::movieName() const {
    return (kind_ == Kind::Vowels ? QStringLiteral("Y") : QStringLiteral("F")) +
           QString::number(group_);
}

QString PhoneticBook::title() const {
    return (kind_ == Kind::Vowels ? QStringLiteral("元音目录(") : QStringLiteral("辅音目录(")) +
           groupCaption(group_) + QStringLiteral(")");
}

QString PhoneticBook::groupCaption(int g) {
    static const QString digits = QStringLiteral("一二三四五六七");
    if (g < 1 || g > 7)
        return QString();
    return QStringLiteral("第") + digits.at(g - 1) + QStringLiteral("组");
}

} // namespace language

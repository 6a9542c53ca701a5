#include "activities/language/XxdctRules.h"

namespace language {

const QStringList& letterGroups() {
    static const QStringList groups = {
        QStringLiteral("A"), QStringLiteral("B"),    QStringLiteral("C"),
        QStringLiteral("D"), QStringLiteral("E"),    QStringLiteral("F"),
        QStringLiteral("G"), QStringLiteral("H"),    QStringLiteral("I,J,K"),
        QStringLiteral("L"), QStringLiteral("M"),    QStringLiteral("N"),
        QStringLiteral("O"), QStringLiteral("P"),    QStringLiteral("Q,R"),
        QStringLiteral("S"), QStringLiteral("T"),    QStringLiteral("U,V"),
        QStringLiteral("W"), QStringLiteral("X,Y,Z")};
    return groups;
}

const std::vector<WordMeaning>& groupWords(int group) {
    static const std::vector<WordMeaning> a = {
        {"a", "一，一个"},           {"about", "大约,关于"},
        {"address", "地址"},         {"afraid", "害怕"},
        {"after", "在...之后"},      {"afternoon", "下午"},
        {"again", "再次"},           {"age", "年龄"},
        {"ago", "在...以前"},        {"air", "空气"},
        {"airport", "机场"},         {"all", "整个的，完全的"},
        {"alone", "单独的，独自的"}, {"already", "已经"},
        {"always", "总是"},          {"among", "在...之中"},
        {"an", "1（一）"},           {"and", "和"},
        {"angry", "生气的"},         {"animal", "动物"},
        {"answer", "答案,回答"},     {"any", "任何"},
        {"apple", "苹果"},           {"arm", "手臂"},
        {"around", "周围"},          {"arrive", "到达"},
        {"artist", "艺术家"},        {"ask", "询问"},
        {"autumn", "秋天"}};
    static const std::vector<WordMeaning> none;
    return group == 0 ? a : none;
}

void WordBrowser::showGroup(int group) {
    group_ = group;
    index_ = count() > 0 ? 0 : -1;
}

bool WordBrowser::select(int index) {
    if (index < 0 || index >= count())
        return false;
    index_ = index;
    return true;
}

bool WordBrowser::prior() {
    return index_ > 0 && select(index_ - 1);
}

bool WordBrowser::next() {
    return index_ >= 0 && select(index_ + 1);
}

QString WordBrowser::word() const {
    return index_ < 0 ? QString() : QString::fromUtf8(words()[static_cast<size_t>(index_)].word);
}

QString WordBrowser::meaning() const {
    if (index_ < 0 || group_ != 0)
        return QString();
    return QString::fromUtf8(words()[static_cast<size_t>(index_)].meaning);
}

QString WordBrowser::meaningCaption() const {
    const QString m = meaning();
    return m.isEmpty() ? QString() : QStringLiteral("[ ") + m + QStringLiteral(" ]");
}

} // namespace language

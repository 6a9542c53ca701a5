#include "activities/chinese/XhzRules.h"

#include <array>

namespace chinese {
namespace {
constexpr std::array<CharacterRow, kCharacterCount> kRows = {{
    {"一", "yī", "一个"},    {"二", "èr", "二胡"},    {"三", "sān", "三角形"},
    {"四", "sì", "四季"},    {"五", "wǔ", "五角星"},  {"六", "liù", "六个"},
    {"七", "qī", "七巧板"},  {"八", "bā", "八哥"},    {"九", "jiǔ", "九宫格"},
    {"十", "shí", "十指"},   {"上", "shàng", "上楼"}, {"下", "xià", "下楼"},
    {"中", "zhōng", "中国"}, {"大", "dà", "大海"},    {"小", "xiǎo", "小鸟"},
    {"云", "yún", "白云"},   {"日", "rì", "落日"},    {"月", "yuè", "月亮"},
    {"山", "shān", "高山"},  {"水", "shuǐ", "流水"},  {"田", "tián", "田地"},
    {"火", "huǒ", "火柴"},   {"土", "tǔ", "土地"},    {"木", "mù", "木头"},
    {"虫", "chóng", "昆虫"}, {"牛", "niú", "奶牛"},   {"鸟", "niǎo", "小鸟"},
    {"鱼", "yú", "金鱼"},    {"马", "mǎ", "斑马"},    {"鸭", "yā", "丑小鸭"},
}};
} // namespace

const CharacterRow& characterRow(int i) {
    return kRows[static_cast<size_t>(i >= 0 && i < kCharacterCount ? i : 0)];
}

CharacterView characterView(int i) {
    const CharacterRow& r = characterRow(i);
    CharacterView v;
    v.character = QString::fromUtf8(r.character);
    v.pinyin = QString::fromUtf8(r.pinyin);
    v.word = QString::fromUtf8(r.word);
    v.movie = QStringLiteral("XHZ") + QString::number(i + 1);
    v.picture = QStringLiteral("DATA\\picture\\LookRec\\") + v.word + QStringLiteral(".jpg");
    v.speech = QStringLiteral("DATA\\Sound\\") + v.character + QStringLiteral(".mp3");
    v.wordSpeech = QStringLiteral("DATA\\Sound\\") + v.word + QStringLiteral(".mp3");
    return v;
}

bool CharacterLesson::select(int i) {
    if (i < 0 || i >= kCharacterCount)
        return false;
    index_ = i;
    return true;
}

} // namespace chinese

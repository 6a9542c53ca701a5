#pragma once
// The buttons of the five section menu movies: the command each button sends when it is
// released and its caption, in the order the movie shows them. The generator draws one
// button per row; the menus' command tables name the commands by these constants, so a
// button and the row that answers it cannot drift apart. A command no table names does
// nothing. Plain constexpr data (UTF-8), no Qt.

namespace menus {

struct Button {
    const char* command;
    const char* label;
};

// Sent by the "返回" button of every menu.
inline constexpr char kExit[] = "btnexit";

namespace wzsx { // 玩转数学
inline constexpr char kNumbers[] = "学数字";
inline constexpr char kShapes[] = "认图形";
inline constexpr char kCounting[] = "数一数";
inline constexpr char kCompare[] = "比一比";
inline constexpr char kPatterns[] = "找规律";
inline constexpr char kAddSubtract[] = "加减法";
inline constexpr char kMultiplyDivide[] = "乘除法";
inline constexpr char kRhymeTable[] = "口诀表";
inline constexpr char kGames[] = "数学游戏";
inline constexpr char kLessons[] = "数学课件";
inline constexpr char kQuiz[] = "综合练习";
inline constexpr char kGuess[] = "猜猜看";
inline constexpr char kMixed[] = "混合运算";
inline constexpr Button kButtons[] = {
    {kNumbers, kNumbers},
    {kShapes, kShapes},
    {kCounting, kCounting},
    {kCompare, kCompare},
    {kPatterns, kPatterns},
    {kAddSubtract, kAddSubtract},
    {kMultiplyDivide, kMultiplyDivide},
    {kRhymeTable, kRhymeTable},
    {kGames, kGames},
    {kLessons, kLessons},
    {kQuiz, kQuiz},
    {kGuess, kGuess},
    {kMixed, kMixed},
};
} // namespace wzsx

namespace yygj { // 英语广角
inline constexpr char kAbc[] = "学ABC";
inline constexpr char kPhonetics[] = "学音标";
inline constexpr char kWords[] = "小小单词通";
inline constexpr char kSpeaking[] = "开心说英语";
inline constexpr char kGames[] = "快乐游戏";
inline constexpr char kStories[] = "英语故事";
inline constexpr char kPairs[] = "对对碰";
inline constexpr char kQuiz[] = "综合练习";
inline constexpr Button kButtons[] = {
    {kAbc, kAbc},     {kPhonetics, kPhonetics}, {kWords, kWords}, {kSpeaking, kSpeaking},
    {kGames, kGames}, {kStories, kStories},     {kPairs, kPairs}, {kQuiz, kQuiz},
};
} // namespace yygj

namespace ywtd { // 语文天地
inline constexpr char kPinyin[] = "xpy";
inline constexpr char kCharacters[] = "xhz";
inline constexpr char kIdioms[] = "xcy";
inline constexpr char kPoems[] = "xgs";
inline constexpr char kThreeCharacterClassic[] = "szj";
inline constexpr char kDiziGui[] = "dzg";
inline constexpr char kGames[] = "qwyx";
inline constexpr char kBrainTeasers[] = "ddn";
inline constexpr char kTongueTwisters[] = "rkl";
inline constexpr char kEncyclopedia[] = "bkzs";
inline constexpr char kFairyTales[] = "thgs";
inline constexpr char kFables[] = "yygs";
inline constexpr char kQuiz[] = "zhlx";
inline constexpr Button kButtons[] = {
    {kPinyin, "学拼音"},
    {kCharacters, "学汉字"},
    {kIdioms, "学成语"},
    {kPoems, "学古诗"},
    {kThreeCharacterClassic, "三字经"},
    {kDiziGui, "弟子规"},
    {kGames, "趣味游戏"},
    {kBrainTeasers, "动动脑"},
    {kTongueTwisters, "绕口令"},
    {kEncyclopedia, "百科知识"},
    {kFairyTales, "童话故事"},
    {kFables, "寓言故事"},
    {kQuiz, "综合练习"},
};
} // namespace ywtd

namespace yzly { // 益智乐园
inline constexpr char kSpotDifference[] = "找不同";
inline constexpr char kGuessNumber[] = "猜数字";
inline constexpr char kJigsaw[] = "拼图形";
inline constexpr char kColouring[] = "涂颜色";
inline constexpr char kSorting[] = "归分类";
inline constexpr char kMemory[] = "记忆力";
inline constexpr Button kButtons[] = {
    {kSpotDifference, kSpotDifference}, {kGuessNumber, kGuessNumber}, {kJigsaw, kJigsaw},
    {kColouring, kColouring},           {kSorting, kSorting},         {kMemory, kMemory},
};
} // namespace yzly

namespace ktrw { // 看图认物
inline constexpr char kAnimals[] = "认识动物";
inline constexpr char kQuiz[] = "综合练习";
inline constexpr Button kButtons[] = {{kAnimals, kAnimals}, {kQuiz, kQuiz}};
} // namespace ktrw

} // namespace menus

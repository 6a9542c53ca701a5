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
    // One list per letter group, in the order of letterGroups(); each word has its movie
    // in the pack, named by the word.
    static const std::vector<std::vector<WordMeaning>> groups = {
        {{"a", "一，一个"},           {"about", "大约,关于"},
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
         {"autumn", "秋天"}}, // A
        {{"bag", "书包"},
         {"ball", "球"},
         {"banana", "香蕉"},
         {"bear", "熊"},
         {"bed", "床"},
         {"bird", "鸟"},
         {"blue", "蓝色"},
         {"book", "书"}}, // B
        {{"cake", "蛋糕"},
         {"car", "小汽车"},
         {"cat", "猫"},
         {"chair", "椅子"},
         {"clock", "钟"},
         {"cup", "杯子"}}, // C
        {{"dance", "跳舞"},
         {"day", "白天"},
         {"dog", "狗"},
         {"doll", "洋娃娃"},
         {"door", "门"},
         {"duck", "鸭子"}}, // D
        {{"ear", "耳朵"},
         {"eat", "吃"},
         {"egg", "鸡蛋"},
         {"eight", "八"},
         {"elephant", "大象"},
         {"eye", "眼睛"}}, // E
        {{"face", "脸"},
         {"family", "家庭"},
         {"fish", "鱼"},
         {"flower", "花"},
         {"foot", "脚"},
         {"friend", "朋友"}}, // F
        {{"game", "游戏"},
         {"garden", "花园"},
         {"gift", "礼物"},
         {"girl", "女孩"},
         {"grass", "草"},
         {"green", "绿色"}}, // G
        {{"hand", "手"},
         {"happy", "高兴的"},
         {"hat", "帽子"},
         {"head", "头"},
         {"home", "家"},
         {"horse", "马"}}, // H
        {{"ice", "冰"},
         {"ink", "墨水"},
         {"jacket", "夹克衫"},
         {"juice", "果汁"},
         {"key", "钥匙"},
         {"kite", "风筝"}}, // I,J,K
        {{"lamp", "台灯"},
         {"leaf", "树叶"},
         {"lion", "狮子"},
         {"long", "长的"},
         {"look", "看"},
         {"love", "爱"}}, // L
        {{"milk", "牛奶"},
         {"monkey", "猴子"},
         {"moon", "月亮"},
         {"morning", "早上"},
         {"mother", "妈妈"},
         {"mouth", "嘴"}}, // M
        {{"name", "名字"},
         {"near", "在...附近"},
         {"new", "新的"},
         {"night", "夜晚"},
         {"nose", "鼻子"},
         {"nurse", "护士"}}, // N
        {{"old", "旧的，老的"},
         {"one", "一"},
         {"open", "打开"},
         {"orange", "橙子"},
         {"out", "在外面"},
         {"ox", "公牛"}}, // O
        {{"panda", "熊猫"},
         {"park", "公园"},
         {"pen", "钢笔"},
         {"pencil", "铅笔"},
         {"pig", "猪"},
         {"play", "玩"}}, // P
        {{"queen", "女王"},
         {"quiet", "安静的"},
         {"rabbit", "兔子"},
         {"rain", "雨"},
         {"red", "红色"},
         {"run", "跑"}}, // Q,R
        {{"school", "学校"},
         {"sea", "大海"},
         {"sing", "唱歌"},
         {"sister", "姐妹"},
         {"star", "星星"},
         {"sun", "太阳"}}, // S
        {{"table", "桌子"},
         {"tea", "茶"},
         {"tiger", "老虎"},
         {"toy", "玩具"},
         {"train", "火车"},
         {"tree", "树"}}, // T
        {{"umbrella", "雨伞"},
         {"uncle", "叔叔"},
         {"under", "在...下面"},
         {"up", "向上"},
         {"van", "货车"},
         {"vegetable", "蔬菜"}}, // U,V
        {{"watch", "手表"},
         {"water", "水"},
         {"white", "白色"},
         {"window", "窗户"},
         {"winter", "冬天"},
         {"write", "写"}}, // W
        {{"xylophone", "木琴"},
         {"yellow", "黄色"},
         {"yes", "是的"},
         {"young", "年轻的"},
         {"zebra", "斑马"},
         {"zoo", "动物园"}}, // X,Y,Z
    };
    static const std::vector<WordMeaning> none;
    return group >= 0 && group < static_cast<int>(groups.size())
               ? groups[static_cast<size_t>(group)]
               : none;
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
    if (index_ < 0)
        return QString();
    return QString::fromUtf8(words()[static_cast<size_t>(index_)].meaning);
}

QString WordBrowser::meaningCaption() const {
    const QString m = meaning();
    return m.isEmpty() ? QString() : QStringLiteral("[ ") + m + QStringLiteral(" ]");
}

} // namespace language

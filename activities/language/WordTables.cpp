#include "activities/language/WordTables.h"

#include "activities/common/PictureCatalogue.h"

#include <algorithm>
#include <cstring>

namespace language {

const WordRow KtrwWordTable[65] = {
    {"老虎", "tiger", "lǎo hǔ"},
    {"狮子", "lion", "shī zi"},
    {"大象", "elephant", "dà xiàng"},
    {"豹", "leopard", "bào"},
    {"熊", "bear", "xióng"},
    {"北极熊", "polar bear", "běi jí xióng"},
    {"熊猫", "panda", "xióng māo"},
    {"狐狸", "fox", "hú li"},
    {"狼", "wolf", "láng"},
    {"骆驼", "camel", "luò tuó"},
    {"猩猩", "orangutan", "xīng xīng"},
    {"长颈鹿", "giraffe", "cháng jǐng lù"},
    {"鳄鱼", "crocodile", "è yú"},
    {"猴子", "monkey", "hóu zi"},
    {"马", "horse", "mǎ"},
    {"斑马", "zebra", "bān mǎ"},
    {"母牛", "cow", "mǔ niú"},
    {"羊", "sheep", "yáng"},
    {"驴", "donkey", "lǘ"},
    {"小鸡", "chicken", "xiǎo jī"},
    {"公鸡", "cock", " gōng jī"},
    {"母鸡", "hen", "mǔ jī"},
    {"鸭", "duck", "yā"},
    {"鹅", "goose", "é"},
    {"狗", "dog", "gǒu"},
    {"猪", "pig", "zhū"},
    {"猫", "cat", "māo"},
    {"蛇", "snake", "shé"},
    {"鹿", "deer", "lù"},
    {"老鼠", "mouse", "lǎo shǔ"},
    {"松鼠", "squirrel", "sōng shǔ"},
    {"袋鼠", "Kangaroo", "dài shǔ"},
    {"鼹鼠", "mole", "yǎn shǔ"},
    {"兔子", "rabbit", "tù zi"},
    {"羚羊", "antelope", "líng yáng"},
    {"犀牛", "rhinoceros", "xī niú"},
    {"蚂蚁", "ant", "mǎ yǐ"},
    {"蜗牛", "snail", "wō niú"},
    {"乌龟", "tortoise", "wū guī"},
    {"蜈蚣", "centipede", "wú gōng"},
    {"蜘蛛", "spider", "zhī zhū"},
    {"壁虎", "gecko", "bì hǔ"},
    {"企鹅", "penguin", "qǐ é"},
    {"鱼", "fish", "yú"},
    {"虾", "shrimp", "xiā"},
    {"青蛙", "frog", "qīng wā"},
    {"鲤鱼", "carp", "lǐ yú"},
    {"螃蟹", "crab", "páng xiè"},
    {"鲨鱼", "shark", "shā yú"},
    {"鲸", "whale", "jīng"},
    {"海豹", "seal", "hǎi bào"},
    {"海象", "walrus", "hǎi xiàng"},
    {"海狮", "sea lion", "hǎi shī"},
    {"海狗", "fur seal", "hǎi gǒu"},
    {"海牛", "cowfish", "hǎi niú"},
    {"海豚", "dolphin", "hǎi tún"},
    {"蜜蜂", "bee", "mì fēng"},
    {"蝴蝶", "butterfly", "hú dié"},
    {"鸟", "bird", "niǎo"},
    {"鸽子", "pigeon", "gē zi"},
    {"麻雀", "sparrow", "má què"},
    {"猫头鹰", "owl", "māo tóu yīng"},
    {"鸵鸟", "ostrich", "tuó niǎo"},
    {"蝙蝠", "bat", "biān fú"},
    {"苍蝇", "fly", "cāng ying"},
};

const std::vector<WordRow>& animalWords() {
    static const std::vector<WordRow> rows(KtrwWordTable, KtrwWordTable + kAnimalCount);
    return rows;
}

int catalogueClassStart(char cls) {
    const auto it = std::find_if(LookRecTable.begin(), LookRecTable.end(),
                                 [cls](const PictureRow& r) { return r.klass[0] == cls; });
    return it == LookRecTable.end() ? -1 : static_cast<int>(it - LookRecTable.begin());
}

int catalogueClassCount(char cls) {
    return static_cast<int>(
        std::count_if(LookRecTable.begin(), LookRecTable.end(),
                      [cls](const PictureRow& r) { return r.klass[0] == cls; }));
}

namespace {

bool sameText(const char* a, const char* b) {
    return std::strcmp(a, b) == 0;
}

// The catalogue names of a class in order, leaving out the names given.
void appendClass(std::vector<WordRow>& rows, char cls,
                 std::initializer_list<const char*> without = {}) {
    for (const PictureRow& p : LookRecTable) {
        if (p.klass[0] != cls)
            continue;
        if (std::any_of(without.begin(), without.end(),
                        [&](const char* w) { return sameText(w, p.name); }))
            continue;
        rows.push_back({p.name, "", ""});
    }
}

const char* const kZhlxPeople[40] = {
    "爸爸",         "妈妈",   "爷爷",   "奶奶",   "兄弟",       "姐妹",   "叔叔",     "阿姨",
    "工人",         "农民",   "教师",   "医生",   "护士",       "司机",   "服务员",   "女服务员",
    "警察",         "消防员", "艺术家", "摄影师", "宇航员",     "导游",   "电脑专家", "厨师",
    "动物园管理员", "法官",   "飞行员", "歌手",   "记者",       "教授",   "救生员",   "士兵",
    "科学家",       "律师",   "模特",   "魔术师", "图书管理员", "邮递员", "运动员",   "作家"};

} // namespace

const std::vector<WordRow>& KtrwZhlxWordTable() {
    static const std::vector<WordRow> rows = [] {
        std::vector<WordRow> r;
        r.reserve(kZhlxCount);
        for (const WordRow& w : KtrwWordTable)
            if (!sameText(w.chinese, "鲤鱼"))
                r.push_back(w);
        appendClass(r, '2');
        appendClass(r, '3');
        appendClass(r, '7', {"豆浆机", "电压力锅"});
        appendClass(r, '8');
        appendClass(r, '4');
        appendClass(r, '5', {"火龙果", "蓝莓", "莲雾", "柚子", "乌梅"});
        for (const char* p : kZhlxPeople)
            r.push_back({p, "", ""});
        return r;
    }();
    return rows;
}

const std::vector<WordRow>& PictureWords() {
    static const std::vector<WordRow> rows = [] {
        std::vector<WordRow> r;
        for (const WordRow& w : KtrwWordTable)
            if (!sameText(w.chinese, "北极熊") && !sameText(w.chinese, "海狮") &&
                !sameText(w.chinese, "海狗"))
                r.push_back(w);
        return r;
    }();
    return rows;
}

const CategoryRow CategoryWords[114] = {
    // colours
    {"白色", "White", '1'},
    {"黑色", "Black", '1'},
    {"红色", "Red", '1'},
    {"黄色", "Yellow", '1'},
    {"蓝色", "Blue", '1'},
    {"绿色", "Green", '1'},
    {"紫色", "Purple", '1'},
    {"橙色", "Orange", '1'},
    {"粉红色", "Pink", '1'},
    {"棕色", "Brown", '1'},
    // numbers
    {"0", "Zero", '2'},
    {"1", "One", '2'},
    {"2", "Two", '2'},
    {"3", "Three", '2'},
    {"4", "Four", '2'},
    {"5", "Five", '2'},
    {"6", "Six", '2'},
    {"7", "Seven", '2'},
    {"8", "Eight", '2'},
    {"9", "Nine", '2'},
    {"10", "Ten", '2'},
    // fruit
    {"苹果", "Apple", '3'},
    {"香蕉", "Banana", '3'},
    {"梨", "Pear", '3'},
    {"桃子", "Peach", '3'},
    {"葡萄", "Grape", '3'},
    {"西瓜", "Watermelon", '3'},
    {"草莓", "Strawberry", '3'},
    {"樱桃", "Cherry", '3'},
    {"柠檬", "Lemon", '3'},
    // vegetables
    {"西红柿", "tomato", '4'},
    {"黄瓜", "cucumber", '4'},
    {"土豆", "potato", '4'},
    {"洋葱", "onion", '4'},
    {"胡萝卜", "carrot", '4'},
    {"卷心菜", "cabbage", '4'},
    {"茄子", "eggplant", '4'},
    {"南瓜", "pumpkin", '4'},
    {"蘑菇", "mushroom", '4'},
    // family and occupations
    {"爸爸", "father", '5'},
    {"妈妈", "mother", '5'},
    {"爷爷", "grandpa", '5'},
    {"奶奶", "grandma", '5'},
    {"哥哥", "brother", '5'},
    {"姐姐", "sister", '5'},
    {"老师", "teacher", '5'},
    {"医生", "doctor", '5'},
    {"警察", "policeman", '5'},
    {"农民", "farmer", '5'},
    // animals
    {"猫", "cat", '6'},
    {"狗", "dog", '6'},
    {"猪", "pig", '6'},
    {"鸭子", "duck", '6'},
    {"鸡", "chicken", '6'},
    {"马", "horse", '6'},
    {"牛", "cow", '6'},
    {"羊", "sheep", '6'},
    {"兔子", "rabbit", '6'},
    {"老虎", "tiger", '6'},
    {"狮子", "lion", '6'},
    {"大象", "elephant", '6'},
    {"猴子", "monkey", '6'},
    {"熊猫", "panda", '6'},
    {"小鸟", "bird", '6'},
    {"鱼", "fish", '6'},
    // actions and things
    {"笑", "laugh", '7'},
    {"哭", "cry", '7'},
    {"跑", "run", '7'},
    {"跳", "jump", '7'},
    {"走", "walk", '7'},
    {"唱歌", "sing", '7'},
    {"跳舞", "dance", '7'},
    {"读", "read", '7'},
    {"写", "write", '7'},
    {"画画", "draw", '7'},
    {"吃", "eat", '7'},
    {"喝", "drink", '7'},
    {"睡觉", "sleep", '7'},
    {"游泳", "swim", '7'},
    {"飞", "fly", '7'},
    {"看", "look", '7'},
    {"听", "listen", '7'},
    {"说", "speak", '7'},
    {"坐下", "Sit down", '7'},
    {"起立", "Stand up", '7'},
    {"举手", "Hands up", '7'},
    {"拍手", "clap", '7'},
    {"推", "push", '7'},
    {"拉", "pull", '7'},
    {"打开", "open", '7'},
    {"关上", "close", '7'},
    {"球", "ball", '7'},
    {"娃娃", "doll", '7'},
    {"积木", "blocks", '7'},
    {"气球", "balloon", '7'},
    {"书", "book", '7'},
    {"铅笔", "pencil", '7'},
    {"尺子", "ruler", '7'},
    {"橡皮", "eraser", '7'},
    {"书包", "schoolbag", '7'},
    {"桌子", "desk", '7'},
    {"椅子", "chair", '7'},
    {"床", "bed", '7'},
    {"门", "door", '7'},
    {"窗户", "window", '7'},
    {"杯子", "cup", '7'},
    {"碗", "bowl", '7'},
    {"筷子", "chopsticks", '7'},
    {"钟", "clock", '7'},
    {"帽子", "hat", '7'},
    {"鞋", "shoes", '7'},
    {"伞", "umbrella", '7'},
    {"玩具车", "toy car", '7'},
    {"风筝", "kite", '7'},
};

const std::vector<QString>& extraPictureNames() {
    static const std::vector<QString> names = [] {
        std::vector<QString> n;
        for (const char* p : {"叔叔", "阿姨", "护士", "服务员", "女服务员", "艺术家", "导游",
                              "电脑专家", "厨师", "救生员", "图书管理员", "运动员"})
            n.push_back(QString::fromUtf8(p));
        // The words of the character lessons (the zebra is in the catalogue already).
        for (const char* w : {"一个", "二胡",   "三角形", "四季", "五角星", "六个", "七巧板",
                              "八哥", "九宫格", "十指",   "上楼", "下楼",   "中国", "大海",
                              "小鸟", "白云",   "落日",   "月亮", "高山",   "流水", "田地",
                              "火柴", "土地",   "木头",   "昆虫", "奶牛",   "金鱼", "丑小鸭"})
            n.push_back(QString::fromUtf8(w));
        return n;
    }();
    return names;
}

QString picturePath(const QString& chinese) {
    return lookRecPicturePath(chinese);
}

QString soundPath(const QString& word) {
    return QStringLiteral("DATA\\Sound\\") + word + QStringLiteral(".mp3");
}

QStringList wordDataPaths(const std::vector<WordRow>& table, int rows, bool pictures) {
    QStringList paths;
    for (int r = 0; r < rows && r < static_cast<int>(table.size()); ++r) {
        const WordRow& w = table[static_cast<size_t>(r)];
        paths << soundPath(w.name()) << soundPath(w.word());
        if (pictures)
            paths << picturePath(w.name());
    }
    return paths;
}

QStringList judgementPaths() {
    return {QStringLiteral("DATA\\bgsnd\\right.WAV"), QStringLiteral("DATA\\bgsnd\\wrong.WAV")};
}

} // namespace language

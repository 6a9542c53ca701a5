#include "activities/language/WordTables.h"

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

#define ANIMAL(i)                                                                                  \
    { KtrwWordTable[i].chinese, '1' }
const PictureRow LookRecTable[230] = {
    ANIMAL(0),
    ANIMAL(1),
    ANIMAL(2),
    ANIMAL(3),
    ANIMAL(4),
    ANIMAL(5),
    ANIMAL(6),
    ANIMAL(7),
    ANIMAL(8),
    ANIMAL(9),
    ANIMAL(10),
    ANIMAL(11),
    ANIMAL(12),
    ANIMAL(13),
    ANIMAL(14),
    ANIMAL(15),
    ANIMAL(16),
    ANIMAL(17),
    ANIMAL(18),
    ANIMAL(19),
    ANIMAL(20),
    ANIMAL(21),
    ANIMAL(22),
    ANIMAL(23),
    ANIMAL(24),
    ANIMAL(25),
    ANIMAL(26),
    ANIMAL(27),
    ANIMAL(28),
    ANIMAL(29),
    ANIMAL(30),
    ANIMAL(31),
    ANIMAL(32),
    ANIMAL(33),
    ANIMAL(34),
    ANIMAL(35),
    ANIMAL(36),
    ANIMAL(37),
    ANIMAL(38),
    ANIMAL(39),
    ANIMAL(40),
    ANIMAL(41),
    ANIMAL(42),
    ANIMAL(43),
    ANIMAL(44),
    ANIMAL(45),
    ANIMAL(46),
    ANIMAL(47),
    ANIMAL(48),
    ANIMAL(49),
    ANIMAL(50),
    ANIMAL(51),
    ANIMAL(52),
    ANIMAL(53),
    ANIMAL(54),
    ANIMAL(55),
    ANIMAL(56),
    ANIMAL(57),
    ANIMAL(58),
    ANIMAL(59),
    ANIMAL(60),
    ANIMAL(61),
    ANIMAL(62),
    ANIMAL(63),
    ANIMAL(64),
    // clothing
    {"夹克衫", '2'},
    {"衬衫", '2'},
    {"裙子", '2'},
    {"连衣裙", '2'},
    {"毛衣", '2'},
    {"牛仔裤", '2'},
    {"长裤", '2'},
    {"袜子", '2'},
    {"鞋", '2'},
    {"短裤", '2'},
    {"靴子", '2'},
    {"背心", '2'},
    {"大衣", '2'},
    {"帽子", '2'},
    {"T恤衫", '2'},
    {"领带", '2'},
    {"手帕", '2'},
    {"手套", '2'},
    {"睡衣", '2'},
    {"围巾", '2'},
    {"雨衣", '2'},
    {"腰带", '2'},
    // vehicles
    {"自行车", '3'},
    {"摩托车", '3'},
    {"小汽车", '3'},
    {"公共汽车", '3'},
    {"飞机", '3'},
    {"出租车", '3'},
    {"吉普车", '3'},
    {"小船", '3'},
    {"火车", '3'},
    {"轮船", '3'},
    {"卡车", '3'},
    {"拖拉机", '3'},
    {"地铁", '3'},
    {"电车", '3'},
    {"帆船", '3'},
    {"潜水艇", '3'},
    {"热气球", '3'},
    {"人力车", '3'},
    {"洒水车", '3'},
    {"三轮车", '3'},
    {"厢式货车", '3'},
    {"救护车", '3'},
    {"消防车", '3'},
    {"直升飞机", '3'},
    {"马车", '3'},
    // vegetables
    {"西红柿", '4'},
    {"黄瓜", '4'},
    {"马铃薯", '4'},
    {"洋葱", '4'},
    {"萝卜", '4'},
    {"胡萝卜", '4'},
    {"卷心菜", '4'},
    {"茄子", '4'},
    {"油菜", '4'},
    {"蘑菇", '4'},
    {"菠菜", '4'},
    {"南瓜", '4'},
    {"韭菜", '4'},
    {"芹菜", '4'},
    {"芸豆", '4'},
    {"扁豆", '4'},
    {"辣椒", '4'},
    {"莴苣", '4'},
    {"山药", '4'},
    {"芋头", '4'},
    {"苦瓜", '4'},
    {"芦笋", '4'},
    {"荸荠", '4'},
    {"蒜", '4'},
    // fruit
    {"苹果", '5'},
    {"香蕉", '5'},
    {"梨", '5'},
    {"菠萝", '5'},
    {"橘子", '5'},
    {"西瓜", '5'},
    {"桃子", '5'},
    {"草莓", '5'},
    {"葡萄", '5'},
    {"柠檬", '5'},
    {"芒果", '5'},
    {"樱桃", '5'},
    {"甜瓜", '5'},
    {"火龙果", '5'},
    {"蓝梅", '5'},
    {"莲雾", '5'},
    {"柚子", '5'},
    {"乌梅", '5'},
    // family and occupations
    {"爸爸", '6'},
    {"妈妈", '6'},
    {"爷爷", '6'},
    {"奶奶", '6'},
    {"兄弟", '6'},
    {"姐妹", '6'},
    {"工人", '6'},
    {"农民", '6'},
    {"教师", '6'},
    {"医生", '6'},
    {"司机", '6'},
    {"警察", '6'},
    {"消防员", '6'},
    {"士兵", '6'},
    {"摄影师", '6'},
    {"宇航员", '6'},
    {"动物园管理员", '6'},
    {"法官", '6'},
    {"飞行员", '6'},
    {"歌手", '6'},
    {"记者", '6'},
    {"教授", '6'},
    {"科学家", '6'},
    {"律师", '6'},
    {"模特", '6'},
    {"魔术师", '6'},
    {"邮递员", '6'},
    {"作家", '6'},
    // household appliances
    {"电视", '7'},
    {"冰箱", '7'},
    {"洗衣机", '7'},
    {"电话", '7'},
    {"电脑", '7'},
    {"灯", '7'},
    {"照相机", '7'},
    {"收音机", '7'},
    {"录音机", '7'},
    {"录像机", '7'},
    {"榨汁机", '7'},
    {"音箱", '7'},
    {"电风扇", '7'},
    {"电吹风", '7'},
    {"微波炉", '7'},
    {"电磁炉", '7'},
    {"抽油烟机", '7'},
    {"打印机", '7'},
    {"传真机", '7'},
    {"热水器", '7'},
    {"加湿器", '7'},
    {"吸尘器", '7'},
    {"电熨斗", '7'},
    {"烤箱", '7'},
    {"豆浆机", '7'},
    {"电压力锅", '7'},
    // stationery
    {"尺子", '8'},
    {"橡皮", '8'},
    {"铅笔", '8'},
    {"钢笔", '8'},
    {"地图", '8'},
    {"铅笔盒", '8'},
    {"书", '8'},
    {"练习本", '8'},
    {"纸", '8'},
    {"书包", '8'},
    {"字典", '8'},
    {"黑板", '8'},
    {"计算器", '8'},
    {"剪刀", '8'},
    {"胶棒", '8'},
    {"毛笔", '8'},
    {"墨水", '8'},
    {"铅笔刀", '8'},
    {"文件夹", '8'},
    {"颜料", '8'},
    {"粉笔", '8'},
    {"蜡笔", '8'},
};
#undef ANIMAL

int catalogueClassStart(char cls) {
    const auto* end = LookRecTable + kCatalogueCount;
    const auto* it =
        std::find_if(LookRecTable, end, [cls](const PictureRow& r) { return r.cls == cls; });
    return it == end ? -1 : static_cast<int>(it - LookRecTable);
}

int catalogueClassCount(char cls) {
    return static_cast<int>(std::count_if(LookRecTable, LookRecTable + kCatalogueCount,
                                          [cls](const PictureRow& r) { return r.cls == cls; }));
}

namespace {

bool sameText(const char* a, const char* b) {
    return std::strcmp(a, b) == 0;
}

// The catalogue names of a class in order, leaving out the names given.
void appendClass(std::vector<WordRow>& rows, char cls,
                 std::initializer_list<const char*> without = {}) {
    for (const PictureRow& p : LookRecTable) {
        if (p.cls != cls)
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
        appendClass(r, '5', {"火龙果", "蓝梅", "莲雾", "柚子", "乌梅"});
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
    return QStringLiteral("DATA\\picture\\LookRec\\") + chinese + QStringLiteral(".jpg");
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

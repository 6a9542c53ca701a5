#pragma once
// Colouring: the title list and the movie number shown ("tys" + number in "Tys.dat").

#include <QString>
#include <array>

namespace puzzles {

struct ColouringTitle {
    int label; // LabelN
    const char* caption;
    int movie; // 0: no movie
};

inline constexpr std::array<ColouringTitle, 32> kColouringTitles = {{
    {1, "花仙子", 0},      {2, "给小动物上色", 0}, {3, "狐狸和山羊", 0},    {4, "动感填色", 0},
    {5, "小男孩", 0},      {6, "小熊组合", 0},     {7, "快乐的小鸭子", 0},  {8, "快乐家园", 0},
    {9, "欢乐的伙伴", 0},  {10, "小熊看书", 0},    {11, "蔬菜水果上色", 0}, {12, "多场景涂色", 0},
    {13, "拖物画图", 0},   {14, "海洋生物", 0},    {15, "我的玩具熊", 0},   {16, "乱涂小精灵", 1},
    {17, "多彩毛毛虫", 2}, {18, "英语涂色", 3},    {19, "添色十二生肖", 4}, {20, "涂色小画家", 0},
    {21, "谁和我相同", 0}, {22, "我画我涂", 0},    {23, "汉堡", 0},         {24, "天线宝宝乐园", 0},
    {25, "睡觉了", 0},     {26, "图形变识", 0},    {27, "小白兔填颜色", 0}, {28, "小丑头部涂色", 0},
    {29, "小鸭子", 0},     {31, "小可涂色", 0},    {32, "小猪吃东西", 0},   {33, "时装配色", 0},
}};

// Which movie is on: 1 to the number of movies in the pack, never past either end.
class ColouringNavigator {
public:
    explicit ColouringNavigator(int movies = 4) : movies_(movies < 1 ? 1 : movies) {}
    int current() const { return current_; }
    int movies() const { return movies_; }
    static QString resourceName(int movie) {
        return QStringLiteral("tys") + QString::number(movie);
    }
    // Each returns true when another movie is to be loaded.
    bool previous();
    bool next();
    bool choose(int tag);
    bool canChoose(int tag) const { return tag >= 1 && tag <= movies_; }
    void restart() { current_ = 1; }

private:
    int movies_;
    int current_ = 1;
};

} // namespace puzzles

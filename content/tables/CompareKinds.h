#pragma once
// The kinds of the ordering game "比一比", shared by the program and the generator of
// its pictures. Plain constexpr data (UTF-8), no Qt.

namespace tables {

struct CompareKind {
    const char* most;   // the left end, for example "多"
    const char* least;  // the right end, for example "少"
    const char* topic;  // the instruction
    const char* prefix; // picture name prefix under Data/picture/byb/ ("" for plain numbers)
    int pictures;       // pictures <prefix>1.jpg .. <prefix><pictures>.jpg exist (0: none)
};

// In the order of math::CompareKind: count, size, thick, wide, tall, long.
inline constexpr CompareKind kCompareKinds[] = {
    {"多", "少", "请按数量的多少，从多到少排列！", "", 0},
    {"大", "小", "请按从大到小的顺序排列各图！", "", 10},
    {"粗", "细", "请按从粗到细的顺序排列各图！", "粗", 10},
    {"宽", "窄", "请按从宽到窄的顺序排列各图！", "宽", 6},
    {"高", "矮", "请按从高到矮的顺序排列各图！", "高", 7},
    {"长", "短", "请按从长到短的顺序排列各图！", "长", 6},
};

} // namespace tables

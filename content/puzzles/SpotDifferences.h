#pragma once
// The difference table of the spot-the-difference pairs, shared by the game and the
// generator of its pictures (plain constexpr data, no Qt): five regions per pair, each an
// ellipse "WWW,HHH,LLL,TTT" (width, height, left, top relative to the picture). The
// pictures of "zbt.dat" are drawn from this same table, so the two always agree.

#include <array>
#include <optional>
#include <string_view>

namespace puzzles {

inline constexpr int kSpotPairs = 25;
inline constexpr int kSpotPictureWidth = 400;
inline constexpr int kSpotPictureHeight = 350;

struct Region {
    int width = 0, height = 0, left = 0, top = 0;
    bool operator==(const Region&) const = default;
};

// Captions of pair n (index n-1), region k (index k-1).
inline constexpr std::array<std::array<const char*, 5>, kSpotPairs> kSpotTable = {{
    {"020,024,102,106", "032,034,020,223", "041,031,137,268", "037,034,305,188", "054,020,248,091"},
    {"081,043,045,128", "043,046,163,035", "062,072,-26,290", "062,025,129,258", "071,039,329,303"},
    {"050,050,040,040", "060,045,300,030", "045,060,170,150", "055,055,060,250", "070,040,280,270"},
    {"051,051,120,006", "056,062,237,-17", "067,063,088,120", "041,054,105,214", "025,118,188,190"},
    {"048,048,030,060", "058,044,150,020", "052,052,300,110", "064,046,080,230", "050,060,260,250"},
    {"044,056,060,030", "060,060,200,080", "050,040,320,040", "056,048,040,200", "070,050,240,260"},
    {"046,046,110,040", "054,054,280,070", "062,044,030,150", "048,060,180,230", "060,050,310,250"},
    {"050,060,020,020", "056,046,180,040", "046,046,330,120", "060,050,100,160", "052,052,250,270"},
    {"060,044,260,020", "048,048,050,080", "052,058,200,140", "066,044,030,270", "046,056,330,220"},
    {"042,054,340,040", "056,056,120,030", "064,048,250,160", "050,050,040,170", "058,046,150,280"},
    {"054,054,060,050", "050,042,220,020", "044,060,330,120", "062,052,140,170", "056,048,280,280"},
    {"048,058,020,120", "060,046,110,020", "052,052,230,090", "058,044,090,270", "046,060,320,240"},
    {"056,048,160,040", "046,046,320,030", "060,056,040,160", "050,050,230,200", "064,044,110,290"},
    {"050,050,300,060", "058,048,030,030", "046,058,150,120", "060,046,250,260", "052,052,040,260"},
    {"062,046,070,070", "050,056,230,060", "046,046,340,170", "056,052,150,200", "048,048,020,280"},
    {"046,060,200,010", "058,050,020,100", "050,050,310,100", "060,044,100,220", "054,054,260,230"},
    {"052,052,040,020", "060,044,300,010", "048,056,170,100", "064,050,030,200", "050,050,300,200"},
    {"058,046,120,030", "046,058,250,100", "056,056,020,150", "050,050,330,250", "062,046,140,270"},
    {"050,056,010,010", "056,046,330,060", "060,060,140,110", "046,046,060,280", "058,048,240,270"},
    {"048,048,240,030", "062,050,050,050", "050,058,320,150", "056,050,110,190", "046,046,200,290"},
    {"056,056,320,010", "050,044,160,060", "046,056,040,120", "060,050,260,200", "052,046,090,270"},
    {"046,050,080,010", "058,058,200,090", "050,046,340,080", "062,048,020,230", "048,056,300,270"},
    {"060,046,030,050", "046,046,160,020", "054,060,280,100", "050,050,110,240", "060,048,240,280"},
    {"052,058,340,010", "048,048,210,050", "060,050,070,130", "046,056,300,200", "058,046,140,290"},
    {"058,050,150,150", "046,046,020,020", "050,056,330,020", "056,046,040,280", "048,052,300,280"},
}};

// One three-character field: digits with leading zeros, or '-' and two digits.
inline std::optional<int> parseField(std::string_view f) {
    if (f.size() != 3)
        return std::nullopt;
    const bool negative = f[0] == '-';
    int v = 0;
    for (size_t i = negative ? 1 : 0; i < 3; ++i) {
        if (f[i] < '0' || f[i] > '9')
            return std::nullopt;
        v = v * 10 + (f[i] - '0');
    }
    return negative ? -v : v;
}

// "WWW,HHH,LLL,TTT": fields at character positions 1, 5, 9 and 13, commas between.
inline std::optional<Region> parseRegion(std::string_view caption) {
    if (caption.size() != 15 || caption[3] != ',' || caption[7] != ',' || caption[11] != ',')
        return std::nullopt;
    const auto w = parseField(caption.substr(0, 3)), h = parseField(caption.substr(4, 3)),
               l = parseField(caption.substr(8, 3)), t = parseField(caption.substr(12, 3));
    if (!w || !h || !l || !t || *w <= 0 || *h <= 0)
        return std::nullopt;
    return Region{*w, *h, *l, *t};
}

// The region of pair 1..25, difference 1..5 (an empty region for anything else).
inline Region spotRegion(int pair, int k) {
    if (pair < 1 || pair > kSpotPairs || k < 1 || k > 5)
        return {};
    return parseRegion(kSpotTable[static_cast<size_t>(pair - 1)][static_cast<size_t>(k - 1)])
        .value_or(Region{});
}

} // namespace puzzles

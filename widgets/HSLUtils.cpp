#include "widgets/HSLUtils.h"

#include <cmath>

namespace {

// Halves go to even, as the floating unit rounds by default.
int roundEven(double v) {
    return static_cast<int>(std::nearbyint(v));
}

} // namespace

double MaxFloat(double a, double b) {
    return a > b ? a : b;
}

double MinFloat(double a, double b) {
    return a < b ? a : b;
}

THsl ColorToHsl(TColor color) {
    const double r = GetRValue(color) / 255.0;
    const double g = GetGValue(color) / 255.0;
    const double b = GetBValue(color) / 255.0;
    const double mx = MaxFloat(MaxFloat(r, g), b);
    const double mn = MinFloat(MinFloat(r, g), b);
    THsl hsl;
    hsl.L = (mx + mn) / 2;
    if (mx == mn)
        return hsl;
    const double d = mx - mn;
    hsl.S = hsl.L >= 0.5 ? d / (2 - mx - mn) : d / (mx + mn);
    double h;
    if (r == mx)
        h = (g - b) / d;
    else if (g == mx)
        h = 2 + (b - r) / d;
    else
        h = 4 + (r - g) / d;
    h /= 6;
    if (h < 0)
        h += 1;
    hsl.H = h;
    return hsl;
}

THslRange ColorToHslRange(TColor color) {
    const THsl hsl = ColorToHsl(color);
    return {roundEven(hsl.H * (HslRange - 1)), roundEven(hsl.S * HslRange),
            roundEven(hsl.L * HslRange)};
}

int HueToChannel(double m1, double m2, double hue) {
    if (hue < 0)
        hue += 1;
    else if (hue > 1)
        hue -= 1;
    double v;
    if (6 * hue < 1)
        v = m1 + (m2 - m1) * hue * 6;
    else if (2 * hue < 1)
        v = m2;
    else if (3 * hue < 2)
        v = m1 + (m2 - m1) * (2.0 / 3 - hue) * 6;
    else
        v = m1;
    return roundEven(255 * v);
}

TColor HslToColor(double h, double s, double l) {
    if (s == 0) {
        const int c = roundEven(255 * l);
        return RGBToColor(c, c, c);
    }
    const double m2 = l <= 0.5 ? l * (1 + s) : l + s - l * s;
    const double m1 = 2 * l - m2;
    return RGBToColor(HueToChannel(m1, m2, h + 1.0 / 3), HueToChannel(m1, m2, h),
                      HueToChannel(m1, m2, h - 1.0 / 3));
}

TColor HslRangeToColor(int h, int s, int l) {
    return HslToColor(double(h) / (HslRange - 1), double(s) / HslRange, double(l) / HslRange);
}

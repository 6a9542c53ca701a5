#pragma once
// Colour conversions between RGB and hue-saturation-lightness, in floating values 0..1 and on
// the integer scale the lightness derivation works on (hue 0..239, saturation and lightness
// 0..240). Colours passed in must already be RGB (resolve system colours with ColorToRGB).

#include "widgets/FlatColor.h"

struct THsl {
    double H = 0;
    double S = 0;
    double L = 0;
};

struct THslRange {
    int H = 0;
    int S = 0;
    int L = 0;
};

inline constexpr int HslRange = 240;

double MaxFloat(double a, double b);
double MinFloat(double a, double b);

THsl ColorToHsl(TColor color);
THslRange ColorToHslRange(TColor color);
TColor HslToColor(double h, double s, double l);
TColor HslRangeToColor(int h, int s, int l);

// One channel 0..255 from the two intermediate values and a hue offset.
int HueToChannel(double m1, double m2, double hue);

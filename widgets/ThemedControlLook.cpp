#include "widgets/ThemedControlLook.h"

#include <algorithm>
#include <cmath>

namespace {

int clampByte(int v) {
    return std::clamp(v, 0, 255);
}

} // namespace

void TThemedControlLook::SetControlUseTrueXPStyle(bool v) {
    controlUseTrueXPStyle_ = v;
    if (!v)
        return;
    btnOutLineBorderColor_ = TColor(0x733C00);
    btnInnerBorderMoveColor_ = TColor(0x31B2FF);
    btnInnerBorderFocusColor_ = TColor(0xE7AE8C);
    btnSurfaceNormalColor_ = TColor(0xF7FBFF);
    btnSurfaceDownColor_ = TColor(0xDEE7E7);
    btnSurfaceBottomLineColor_ = TColor(0xDEE7E7);
    btnSurfaceDownBottomLineColor_ = TColor(0xE7EBEF);
    rdoChkControlChkColor_ = TColor(0x00A200);
    comboBoxChkColor_ = TColor(0x8C694A);
    comboboxSurfaceMoveColor_ = TColor(0xFFE7D6);
    controlDisabledBorderColor_ = TColor(0xB5C7C6);
    comboDroppedColor_ = TColor(0xF7A28C);
}

TColor TThemedControlLook::Lighten(TColor c, int percent) {
    const TColor rgb = ColorToRGB(c);
    const double f = std::clamp(percent, 0, 100) / 100.0;
    auto up = [f](int ch) { return ch + int(std::nearbyint((255 - ch) * f)); };
    return RGBToColor(up(GetRValue(rgb)), up(GetGValue(rgb)), up(GetBValue(rgb)));
}

TColor TThemedControlLook::Darken(TColor c, int amount) {
    const TColor rgb = ColorToRGB(c);
    return RGBToColor(clampByte(GetRValue(rgb) - amount), clampByte(GetGValue(rgb) - amount + 2),
                      clampByte(GetBValue(rgb) - amount));
}

TColor TThemedControlLook::Gray(TColor c, int amount) {
    const TColor rgb = ColorToRGB(c);
    const int g =
        std::clamp((GetRValue(rgb) + GetGValue(rgb) + GetBValue(rgb)) / 3 + amount, 0, 240);
    return RGBToColor(g, g, g);
}

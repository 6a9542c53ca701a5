#pragma once
// The colour value of the flat controls and its named constants, with no dependency beyond Qt's
// meta-type declaration, so colour arithmetic (HSLUtils.h) can use it on its own.

#include <QMetaType>
#include <QtGlobal>

// The 32-bit colour value $00BBGGRR, or $FF0000nn for system colour nn.
struct TColor {
    quint32 value = 0;
    constexpr TColor() = default;
    constexpr TColor(quint32 v) : value(v) {}
    constexpr operator quint32() const { return value; }
};
Q_DECLARE_METATYPE(TColor)

inline constexpr TColor clBlack{0x00000000};
inline constexpr TColor clMaroon{0x00000080};
inline constexpr TColor clGreen{0x00008000};
inline constexpr TColor clOlive{0x00008080};
inline constexpr TColor clNavy{0x00800000};
inline constexpr TColor clPurple{0x00800080};
inline constexpr TColor clTeal{0x00808000};
inline constexpr TColor clGray{0x00808080};
inline constexpr TColor clSilver{0x00C0C0C0};
inline constexpr TColor clRed{0x000000FF};
inline constexpr TColor clLime{0x0000FF00};
inline constexpr TColor clYellow{0x0000FFFF};
inline constexpr TColor clBlue{0x00FF0000};
inline constexpr TColor clFuchsia{0x00FF00FF};
inline constexpr TColor clAqua{0x00FFFF00};
inline constexpr TColor clWhite{0x00FFFFFF};
inline constexpr TColor clNone{0x1FFFFFFF};

inline constexpr TColor clScrollBar{0xFF000000};
inline constexpr TColor clBackground{0xFF000001};
inline constexpr TColor clActiveCaption{0xFF000002};
inline constexpr TColor clInactiveCaption{0xFF000003};
inline constexpr TColor clMenu{0xFF000004};
inline constexpr TColor clWindow{0xFF000005};
inline constexpr TColor clWindowFrame{0xFF000006};
inline constexpr TColor clMenuText{0xFF000007};
inline constexpr TColor clWindowText{0xFF000008};
inline constexpr TColor clCaptionText{0xFF000009};
inline constexpr TColor clActiveBorder{0xFF00000A};
inline constexpr TColor clInactiveBorder{0xFF00000B};
inline constexpr TColor clAppWorkSpace{0xFF00000C};
inline constexpr TColor clHighlight{0xFF00000D};
inline constexpr TColor clHighlightText{0xFF00000E};
inline constexpr TColor clBtnFace{0xFF00000F};
inline constexpr TColor clBtnShadow{0xFF000010};
inline constexpr TColor clGrayText{0xFF000011};
inline constexpr TColor clBtnText{0xFF000012};
inline constexpr TColor clInactiveCaptionText{0xFF000013};
inline constexpr TColor clBtnHighlight{0xFF000014};
inline constexpr TColor cl3DDkShadow{0xFF000015};
inline constexpr TColor cl3DLight{0xFF000016};
inline constexpr TColor clInfoText{0xFF000017};
inline constexpr TColor clInfoBk{0xFF000018};
inline constexpr TColor clHotLight{0xFF00001A};
inline constexpr TColor clGradientActiveCaption{0xFF00001B};
inline constexpr TColor clGradientInactiveCaption{0xFF00001C};
inline constexpr TColor clMenuHighlight{0xFF00001D};
inline constexpr TColor clMenuBar{0xFF00001E};

// Percentage 0..100 by which a derived colour moves away from its base.
using TAdvColors = int;

constexpr int GetRValue(TColor c) {
    return int(c.value & 0xFF);
}
constexpr int GetGValue(TColor c) {
    return int((c.value >> 8) & 0xFF);
}
constexpr int GetBValue(TColor c) {
    return int((c.value >> 16) & 0xFF);
}
constexpr TColor RGBToColor(int r, int g, int b) {
    return TColor(quint32(r & 0xFF) | (quint32(g & 0xFF) << 8) | (quint32(b & 0xFF) << 16));
}

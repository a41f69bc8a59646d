#pragma once

#include <cstdint>

// A colour packed as 0x00BBGGRR. With the top bit set the low byte names a
// system colour that is resolved against the desktop palette only when drawn.
using TColor = std::uint32_t;

inline constexpr TColor clBlack = 0x00000000;
inline constexpr TColor clBlue = 0x00FF0000;
inline constexpr TColor clFuchsia = 0x00FF00FF;
inline constexpr TColor clYellow = 0x0000FFFF;
inline constexpr TColor clAqua = 0x00FFFF00;
inline constexpr TColor clWhite = 0x00FFFFFF;

inline constexpr TColor clWindowText = 0x80000008;
inline constexpr TColor clBtnFace = 0x8000000F;
inline constexpr TColor clBtnShadow = 0x80000010;
inline constexpr TColor clBtnHighlight = 0x80000014;

constexpr bool IsSystemColor(TColor c) {
    return (c & 0x80000000u) != 0;
}
constexpr unsigned RedOf(TColor c) {
    return c & 0xFFu;
}
constexpr unsigned GreenOf(TColor c) {
    return (c >> 8) & 0xFFu;
}
constexpr unsigned BlueOf(TColor c) {
    return (c >> 16) & 0xFFu;
}
constexpr TColor RGBToColor(unsigned r, unsigned g, unsigned b) {
    return (r & 0xFFu) | ((g & 0xFFu) << 8) | ((b & 0xFFu) << 16);
}

// TColor: the 32-bit colour value 0x00BBGGRR shared by every layer. Negative
// values name desktop system colours and become RGB through ColorToRGB; -1
// stands for "no colour" (a pixel read outside a bitmap) and gives black.
#pragma once

#include <cstdint>

using TColor = std::int32_t;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;
// The platform's "no colour" value, as the GIF painter's backdrop uses it.
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clNoColor = -1;

// System colours: the high bit set and the platform's colour number below.
inline constexpr TColor SystemColor(int index) { return static_cast<TColor>(0x80000000u | static_cast<std::uint32_t>(index)); }
inline constexpr TColor clScrollBar = SystemColor(0);
inline constexpr TColor clBackground = SystemColor(1);
inline constexpr TColor clActiveCaption = SystemColor(2);
inline constexpr TColor clInactiveCaption = SystemColor(3);
inline constexpr TColor clMenu = SystemColor(4);
inline constexpr TColor clWindow = SystemColor(5);
inline constexpr TColor clWindowFrame = SystemColor(6);
inline constexpr TColor clMenuText = SystemColor(7);
inline constexpr TColor clWindowText = SystemColor(8);
inline constexpr TColor clCaptionText = SystemColor(9);
inline constexpr TColor clBtnFace = SystemColor(15);
inline constexpr TColor clBtnShadow = SystemColor(16);
inline constexpr TColor clGrayText = SystemColor(17);
inline constexpr TColor clBtnText = SystemColor(18);
inline constexpr TColor clBtnHighlight = SystemColor(20);
inline constexpr TColor clHighlight = SystemColor(13);
inline constexpr TColor clHighlightText = SystemColor(14);

// Resolves system colours to RGB in the default desktop scheme; -1 and any
// unknown system colour give black. Plain colours come back unchanged.
TColor ColorToRGB(TColor color);

inline constexpr std::uint8_t GetRValue(TColor color) { return static_cast<std::uint8_t>(color); }
inline constexpr std::uint8_t GetGValue(TColor color) { return static_cast<std::uint8_t>(color >> 8); }
inline constexpr std::uint8_t GetBValue(TColor color) { return static_cast<std::uint8_t>(color >> 16); }
inline constexpr TColor RGB(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return static_cast<TColor>(red | (green << 8) | (blue << 16));
}

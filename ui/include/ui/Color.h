#pragma once

#include <cstdint>

// Colours in the window system's packed form: 0x00BBGGRR (blue in the high
// byte). Values with the top bit set name a system colour by its index; the
// backend resolves them when it draws. clNone (0x1FFFFFFF) means "no colour".
namespace ui {

using TColor = std::uint32_t;

// The packed colour of the components red, green and blue (0..255 each).
constexpr TColor Rgb(unsigned r, unsigned g, unsigned b) {
    return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr unsigned RedOf(TColor c) { return c & 0xFF; }
constexpr unsigned GreenOf(TColor c) { return (c >> 8) & 0xFF; }
constexpr unsigned BlueOf(TColor c) { return (c >> 16) & 0xFF; }

constexpr TColor kSystemColorFlag = 0x80000000u;
// Whether c names a system colour rather than giving components.
constexpr bool IsSystemColor(TColor c) { return (c & kSystemColorFlag) != 0; }
// The index of a system colour (the window system's COLOR_ number).
constexpr int SystemColorIndex(TColor c) { return static_cast<int>(c & 0xFF); }

constexpr TColor clNone = 0x1FFFFFFFu;
constexpr TColor clBlack = Rgb(0, 0, 0);
constexpr TColor clWhite = Rgb(255, 255, 255);
constexpr TColor clBlue = Rgb(0, 0, 255);
constexpr TColor clRed = Rgb(255, 0, 0);
constexpr TColor clGray = Rgb(128, 128, 128);

// System colours, by the window system's indices.
constexpr TColor clDesktop = kSystemColorFlag | 1;
constexpr TColor clWindow = kSystemColorFlag | 5;
constexpr TColor clWindowText = kSystemColorFlag | 8;
constexpr TColor clHighlight = kSystemColorFlag | 13;
constexpr TColor clHighlightText = kSystemColorFlag | 14;
constexpr TColor clBtnFace = kSystemColorFlag | 15;
constexpr TColor clBtnShadow = kSystemColorFlag | 16;
constexpr TColor clGrayText = kSystemColorFlag | 17;
constexpr TColor clBtnText = kSystemColorFlag | 18;
constexpr TColor cl3DLight = kSystemColorFlag | 22;
constexpr TColor clInfoText = kSystemColorFlag | 23;
constexpr TColor clInfoBk = kSystemColorFlag | 24;
constexpr TColor clHotLight = kSystemColorFlag | 26;

// The components of a system colour as the headless backend and tests see
// them (the classic Windows scheme); plain colours are returned unchanged.
TColor DefaultSystemColor(TColor c);

}  // namespace ui

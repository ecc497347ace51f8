#pragma once

#include <cstdint>
#include <string>

#include "ui/Color.h"

namespace ui {

// Font style flags; combine with |.
enum TFontStyle : std::uint8_t {
    fsNone = 0,
    fsBold = 1,
    fsItalic = 2,
    fsUnderline = 4,
    fsStrikeOut = 8,
};
using TFontStyles = std::uint8_t;

// A font as every text call carries it: face, size, style set and colour.
// The size is in points unless pixelHeight is above 0, which then gives the
// character height in pixels instead (at 96 dots per inch).
struct TFont {
    std::u16string face = u"Tahoma";
    int size = 8;
    TFontStyles style = fsNone;
    TColor color = clWindowText;
    int pixelHeight = 0;

    // The same font with another colour / style set added / face / size in points.
    TFont WithColor(TColor c) const {
        TFont f = *this;
        f.color = c;
        return f;
    }
    TFont WithStyle(TFontStyles s) const {
        TFont f = *this;
        f.style = static_cast<TFontStyles>(f.style | s);
        return f;
    }
    // The character height in pixels at the given resolution (points * dpi / 72, rounded).
    int HeightAt(int dpi) const { return pixelHeight > 0 ? (pixelHeight * dpi + 48) / 96 : (size * dpi + 36) / 72; }

    friend bool operator==(const TFont&, const TFont&) = default;
};

}  // namespace ui

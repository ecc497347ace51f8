#pragma once

#include "ui/Color.h"

namespace ui {

enum class TBrushStyle { bsSolid, bsClear };

// The fill of a shape: a solid colour, or bsClear (transparent) to leave the
// inside as it is.
struct TBrush {
    TColor color = clWhite;
    TBrushStyle style = TBrushStyle::bsSolid;

    // The transparent brush.
    static constexpr TBrush Clear() { return {clNone, TBrushStyle::bsClear}; }
    // Whether the brush paints anything.
    constexpr bool Paints() const { return style == TBrushStyle::bsSolid && color != clNone; }
    friend bool operator==(const TBrush&, const TBrush&) = default;
};

}  // namespace ui

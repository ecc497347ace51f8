#pragma once

#include "ui/Color.h"

namespace ui {

// The outline of a shape or a line: colour and width in pixels. A width of 0
// or the colour clNone draws no outline.
struct TPen {
    TColor color = clBlack;
    int width = 1;
    friend bool operator==(const TPen&, const TPen&) = default;
};

}  // namespace ui

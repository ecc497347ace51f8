#pragma once

#include "widgets/ToolbarItem.h"

#include <functional>

namespace app {

// A category row of the settings inspector whose toggle button shows a small
// picture drawn by Glyph (inspector client coordinates) instead of an empty face.
class TCategoryItem : public widgets::TToolbarItem {
public:
    std::function<void(ui::ICanvas&, const ui::TRect&)> Glyph;
    void PaintValue(ui::ICanvas& canvas, const ui::TRect& cell, const ui::TFont& font) override;
};

}  // namespace app

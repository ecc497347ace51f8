#pragma once

#include "ui/Canvas.h"
#include "ui/InfoPanel.h"

#include <functional>

namespace app {

// An info panel with a small picture at its right end, drawn by Picture in the
// square given (panel client coordinates).
class TPictureInfoPanel : public ui::TInfoPanel {
public:
    // The side of the picture and its distance from the right and top edges.
    static constexpr int kPictureSize = 28;
    static constexpr int kPictureMargin = 7;

    // Draws the picture into a square.
    std::function<void(ui::ICanvas&, const ui::TRect&)> Picture;
    void Paint(ui::ICanvas& canvas) override;
};

}  // namespace app

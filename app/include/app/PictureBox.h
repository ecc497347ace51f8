#pragma once

#include "ui/Canvas.h"
#include "ui/Control.h"

#include <functional>

namespace app {

// A windowless control that shows one of the program's drawn pictures, filling its bounds.
class TPictureBox : public ui::TControl {
public:
    ui::TWindowKind WindowKind() const override { return ui::TWindowKind::wkNone; }
    // Draws the picture into the control's client rectangle.
    std::function<void(ui::ICanvas&, const ui::TRect&)> Picture;
    void Paint(ui::ICanvas& canvas) override {
        if (Picture) Picture(canvas, ClientRect());
    }
};

}  // namespace app

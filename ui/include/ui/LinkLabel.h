#pragma once

#include "ui/Control.h"

namespace ui {

// A link: a small arrow image and the caption in a blue 8-point Tahoma font,
// underlined while the mouse is over it; shows the hand-point cursor, stops
// Tab, and runs OnClick on a click or on Enter or Space while it has the focus.
class TLinkLabel : public TControl {
public:
    // The width and gap of the image left of the caption.
    static constexpr int kImageWidth = 8;
    static constexpr int kImageGap = 4;

    TLinkLabel();
    // The width the link needs for its image and caption on canvas.
    int PreferredWidth(ICanvas& canvas) const;
    void Paint(ICanvas& canvas) override;
    bool KeyDown(const TKeyEvent& e) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void FocusChanged(bool focused) override;
};

}  // namespace ui

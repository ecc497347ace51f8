#include "ui/LinkLabel.h"

#include <array>

namespace ui {

TLinkLabel::TLinkLabel() {
    SetFont(TFont{u"Tahoma", 8, fsNone, clBlue});
    SetCursor(TCursor::crHandPoint);
    SetTabStop(true);
}

int TLinkLabel::PreferredWidth(ICanvas& canvas) const {
    return kImageWidth + kImageGap + canvas.TextExtent(Text(), Font()).cx + 2;
}

void TLinkLabel::Paint(ICanvas& canvas) {
    const TRect client = ClientRect();
    canvas.FillRect(client, BackgroundColor());
    const TColor ink = Enabled() ? Font().color : clGrayText;

    // The image: a small arrow pointing at the caption.
    const int cy = client.Height() / 2;
    const std::array<TPoint, 3> arrow{TPoint{1, cy - 3}, TPoint{5, cy}, TPoint{1, cy + 3}};
    canvas.Polygon(arrow, TPen{ink, 1}, TBrush{ink});

    // The caption, underlined while the mouse is over the link.
    TFont font = Font().WithColor(ink);
    if (Hovered()) font = font.WithStyle(fsUnderline);
    const TSize extent = canvas.TextExtent(Text(), font);
    const int x = kImageWidth + kImageGap;
    const int y = (client.Height() - extent.cy) / 2;
    canvas.TextOut({x, y}, Text(), font);
    if (Focused()) canvas.FrameRect(TRect{x - 2, y - 1, x + extent.cx + 2, y + extent.cy + 1}.Intersect(client), ink);
}

bool TLinkLabel::KeyDown(const TKeyEvent& e) {
    if (e.key != TKey::kEnter && e.key != TKey::kSpace) return false;
    Click();
    return true;
}

void TLinkLabel::MouseEnter() { Invalidate(); }

void TLinkLabel::MouseLeave() { Invalidate(); }

void TLinkLabel::FocusChanged(bool focused) {
    TControl::FocusChanged(focused);
    Invalidate();
}

}  // namespace ui

#include "ui/Label.h"

namespace ui {

TLabel::TLabel() = default;

void TLabel::SetTextFlags(TTextFlags flags) {
    if (flags == m_flags) return;
    m_flags = flags;
    Invalidate();
}

void TLabel::Paint(ICanvas& canvas) {
    canvas.FillRect(ClientRect(), BackgroundColor());
    const TFont font = Enabled() ? Font() : Font().WithColor(clGrayText);
    canvas.DrawText(ClientRect(), Text(), font, m_flags);
}

}  // namespace ui

#include "ui/InfoPanel.h"

namespace ui {

TInfoPanel::TInfoPanel() { SetColor(clWindow); }

void TInfoPanel::SetTitle(std::u16string title) {
    if (title == m_title) return;
    m_title = std::move(title);
    if (Peer() != nullptr) Peer()->TextChanged();
    Invalidate();
}

std::u16string TInfoPanel::WindowText() const { return m_title + u"\r\n" + Text(); }

void TInfoPanel::Paint(ICanvas& canvas) {
    const TRect r = ClientRect();
    canvas.FillRect(r, BackgroundColor());
    canvas.Line({r.left, r.bottom - 1}, {r.right, r.bottom - 1}, TPen{clBtnShadow, 1});
    const TTextFlags flags = tfSingleLine | tfEndEllipsis | tfNoPrefix;
    const TRect title{kTextLeft, kTitleTop, r.right - kTextLeft, kTextTop};
    canvas.DrawText(title, m_title, Font().WithStyle(fsBold), flags);
    const TRect text{kTextLeft, kTextTop, r.right - kTextLeft, r.bottom - 1};
    canvas.DrawText(text, Text(), Font(), flags);
}

}  // namespace ui

#include "ui/ComboEdit.h"

#include <array>

namespace ui {

namespace {

// Width of the drop-down button at the right end of the field.
constexpr int kButtonWidth = 16;

}  // namespace

void TComboEdit::SetItems(std::vector<std::u16string> items) {
    m_items = std::move(items);
    if (Peer() != nullptr) Peer()->ItemsChanged();
}

bool TComboEdit::DroppedDown() const { return Peer() != nullptr && Peer()->DroppedDown(); }

void TComboEdit::SelectItem(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= m_items.size()) return;
    SetText(m_items[static_cast<std::size_t>(index)]);
    if (OnSelect) OnSelect(*this, index);
}

void TComboEdit::Paint(ICanvas& canvas) {
    TEdit::Paint(canvas);
    const TRect r = ClientRect();
    const TRect button{r.right - kButtonWidth, r.top + 1, r.right - 1, r.bottom - 1};
    canvas.FillRect(button, clBtnFace);
    const int cx = (button.left + button.right) / 2;
    const int cy = (button.top + button.bottom) / 2;
    const std::array<TPoint, 3> arrow{TPoint{cx - 3, cy - 1}, TPoint{cx + 3, cy - 1}, TPoint{cx, cy + 2}};
    canvas.Polygon(arrow, TPen{clBtnText, 1}, TBrush{clBtnText});
}

}  // namespace ui

#include "widgets/ToolbarItem.h"

namespace widgets {

int TToolbarItem::AddButton(TToolbarButton button) {
    m_buttons.push_back(std::move(button));
    Changed();
    return static_cast<int>(m_buttons.size()) - 1;
}

void TToolbarItem::SetButtonChecked(int index, bool checked) {
    if (index < 0 || index >= static_cast<int>(m_buttons.size())) return;
    TToolbarButton& button = m_buttons[static_cast<std::size_t>(index)];
    if (button.checked == checked) return;
    button.checked = checked;
    Changed();
}

void TToolbarItem::SetButtonsAlign(TButtonsAlign align) {
    if (align == m_align) return;
    m_align = align;
    Changed();
}

ui::TRect TToolbarItem::ButtonRect(int index, const ui::TRect& cell) const {
    const int count = static_cast<int>(m_buttons.size());
    if (index < 0 || index >= count) return {};
    constexpr int kStep = kButtonSize + 1;
    const int top = cell.top + (cell.Height() - kButtonSize) / 2;
    const int left = m_align == TButtonsAlign::baRight ? cell.right - 2 - (count - index) * kStep + 1
                                                       : cell.left + 2 + index * kStep;
    return ui::TRect::FromSize(left, top, kButtonSize, kButtonSize);
}

std::u16string TToolbarItem::GetValue() const {
    std::u16string value;
    bool first = true;
    for (const TToolbarButton& button : m_buttons) {
        if (!button.checked) continue;
        if (!first) value += u',';
        value += button.text;
        first = false;
    }
    return value;
}

void TToolbarItem::WriteValue(std::u16string_view value) {
    // Containment, not a split at the commas: "abc" also checks a button "b".
    for (TToolbarButton& button : m_buttons) button.checked = value.find(button.text) != std::u16string_view::npos;
}

void TToolbarItem::ToggleButton(int index) {
    if (index < 0 || index >= static_cast<int>(m_buttons.size())) return;
    const bool checked = m_buttons[static_cast<std::size_t>(index)].checked;
    if (checked && !m_allowAllUp) {
        int down = 0;
        for (const TToolbarButton& button : m_buttons) down += button.checked ? 1 : 0;
        if (down <= 1) return;  // the last button down stays down
    }
    SetButtonChecked(index, !checked);
}

void TToolbarItem::PaintValue(ui::ICanvas& canvas, const ui::TRect& cell, const ui::TFont& font) {
    for (int i = 0; i < static_cast<int>(m_buttons.size()); ++i) {
        const TToolbarButton& button = m_buttons[static_cast<std::size_t>(i)];
        const ui::TRect r = ButtonRect(i, cell);
        // A checked button looks pressed: a darker face inside the frame.
        const ui::TBrush face{button.checked ? ui::cl3DLight : ui::clBtnFace};
        canvas.Rectangle(r, ui::TPen{ui::clBtnShadow, 1}, face);
        if (!button.text.empty())
            canvas.DrawText(r, button.text, font.WithColor(ui::clBtnText),
                            ui::tfCenter | ui::tfVCenter | ui::tfSingleLine | ui::tfNoPrefix);
    }
}

bool TToolbarItem::ValueMouseDown(ui::TPoint p, const ui::TRect& cell) {
    for (int i = 0; i < static_cast<int>(m_buttons.size()); ++i) {
        if (!ButtonRect(i, cell).Contains(p)) continue;
        if (m_buttons[static_cast<std::size_t>(i)].autoCheck) ToggleButton(i);
        return true;
    }
    return false;
}

}  // namespace widgets

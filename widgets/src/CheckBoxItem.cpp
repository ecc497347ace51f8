#include "widgets/CheckBoxItem.h"

#include <array>

namespace widgets {

namespace {

// The text pair of each fixed text kind.
struct TTextPair {
    const char16_t* trueText;
    const char16_t* falseText;
};

TTextPair PairOf(TCheckBoxTextKind kind) {
    switch (kind) {
        case TCheckBoxTextKind::tkYesNo:
            return {u"yes", u"no"};
        case TCheckBoxTextKind::tkEnabledDisabled:
            return {u"enabled", u"disabled"};
        case TCheckBoxTextKind::tkTrueFalse:
        case TCheckBoxTextKind::tkCustom:
            break;
    }
    return {u"true", u"false"};
}

}  // namespace

TCheckBoxItem::TCheckBoxItem() {
    AddButton({u"true", "CHECKMARK", false, true});
    SetAllowAllUp(true);
}

bool TCheckBoxItem::Checked() const { return !Buttons().empty() && Buttons().front().checked; }

void TCheckBoxItem::SetChecked(bool checked) { SetButtonChecked(0, checked); }

void TCheckBoxItem::SetTextKind(TCheckBoxTextKind kind) {
    if (kind == m_textKind) return;
    m_textKind = kind;
    Changed();
}

void TCheckBoxItem::SetTrueText(std::u16string text) {
    m_trueText = std::move(text);
    Changed();
}

void TCheckBoxItem::SetFalseText(std::u16string text) {
    m_falseText = std::move(text);
    Changed();
}

void TCheckBoxItem::SetShowText(bool show) {
    if (show == m_showText) return;
    m_showText = show;
    Changed();
}

std::u16string TCheckBoxItem::CurrentTrueText() const {
    if (m_textKind == TCheckBoxTextKind::tkCustom && !m_trueText.empty()) return m_trueText;
    return PairOf(m_textKind).trueText;
}

std::u16string TCheckBoxItem::CurrentFalseText() const {
    if (m_textKind == TCheckBoxTextKind::tkCustom && !m_falseText.empty()) return m_falseText;
    return PairOf(m_textKind).falseText;
}

std::u16string TCheckBoxItem::GetValue() const { return Checked() ? CurrentTrueText() : CurrentFalseText(); }

std::u16string TCheckBoxItem::AccessibleValue() const { return Checked() ? u"True" : u"False"; }

void TCheckBoxItem::WriteValue(std::u16string_view value) {
    // The toolbar rule runs first and the text kind decides: a written "yes"
    // holds no "true", yet it ticks a yes/no box.
    TToolbarItem::WriteValue(value);
    if (Buttons().empty()) return;
    const bool checked = value == CurrentTrueText();
    if (Checked() != checked) SetButtonChecked(0, checked);
}

ui::TRect TCheckBoxItem::BoxRect(const ui::TRect& cell) const {
    return ui::TRect::FromSize(cell.left + 2, cell.top + (cell.Height() - kBoxSize) / 2, kBoxSize, kBoxSize);
}

void TCheckBoxItem::PaintValue(ui::ICanvas& canvas, const ui::TRect& cell, const ui::TFont& font) {
    const ui::TRect box = BoxRect(cell);
    canvas.Rectangle(box, ui::TPen{ui::clBtnShadow, 1}, ui::TBrush{Enabled() ? ui::clWindow : ui::clBtnFace});
    if (Checked()) {
        // The tick: a short stroke down to the right, a long one up to the right, two pixels thick.
        const ui::TPen pen{Enabled() ? ui::clWindowText : ui::clGrayText, 1};
        for (int dy = 0; dy < 2; ++dy) {
            const std::array<ui::TPoint, 3> tick{ui::TPoint{box.left + 3, box.top + 5 + dy},
                                                 ui::TPoint{box.left + 5, box.top + 7 + dy},
                                                 ui::TPoint{box.left + 10, box.top + 2 + dy}};
            canvas.Line(tick[0], tick[1], pen);
            canvas.Line(tick[1], tick[2], pen);
        }
    }
    if (m_showText) {
        const ui::TRect text{box.right + 4, cell.top, cell.right - 1, cell.bottom};
        canvas.DrawText(text, GetValue(), font, ui::tfVCenter | ui::tfSingleLine | ui::tfEndEllipsis | ui::tfNoPrefix);
    }
}

bool TCheckBoxItem::ValueMouseDown(ui::TPoint p, const ui::TRect& cell) {
    ui::TRect target = BoxRect(cell);
    // With its text shown, a press on the text also counts, as on a check box's label.
    if (m_showText) target.right = cell.right;
    if (!target.Contains(p)) return false;
    SetChecked(!Checked());
    return true;
}

bool TCheckBoxItem::ItemKeyDown(const ui::TKeyEvent& e) {
    if (e.key != ui::TKey::kSpace || e.shift != ui::ssNone) return false;
    SetChecked(!Checked());
    return true;
}

}  // namespace widgets

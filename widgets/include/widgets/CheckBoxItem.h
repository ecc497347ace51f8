#pragma once

#include <string>

#include "widgets/ToolbarItem.h"

namespace widgets {

// A check box in the value column, with its value text next to it when
// ShowText is on. It starts with one auto-checking button (text "true", glyph
// "CHECKMARK", AllowAllUp on) whose check state is the box's. Value read: the
// text kind's true text when checked, its false text when not. Value written:
// first the toolbar rule, then checked exactly when the text equals the true
// text (case-sensitive, no trimming), so "Yes" or "" uncheck a yes/no box.
class TCheckBoxItem : public TToolbarItem {
public:
    // The side of the drawn box, in pixels.
    static constexpr int kBoxSize = 13;

    TCheckBoxItem();

    // Whether the box is ticked (the first button's check state).
    bool Checked() const;
    void SetChecked(bool checked);
    // The pair of texts the value uses.
    TCheckBoxTextKind TextKind() const { return m_textKind; }
    void SetTextKind(TCheckBoxTextKind kind);
    // The texts of tkCustom ("true" / "false" when empty).
    const std::u16string& TrueText() const { return m_trueText; }
    void SetTrueText(std::u16string text);
    const std::u16string& FalseText() const { return m_falseText; }
    void SetFalseText(std::u16string text);
    // Whether the value text is drawn next to the box.
    bool ShowText() const { return m_showText; }
    void SetShowText(bool show);
    // The box's rectangle in a row whose value column is cell (same coordinates).
    ui::TRect BoxRect(const ui::TRect& cell) const;

    std::u16string GetValue() const override;
    // "True" when ticked, "False" when not, whatever the text kind.
    std::u16string AccessibleValue() const override;
    bool IsCategory() const override { return false; }
    void PaintValue(ui::ICanvas& canvas, const ui::TRect& cell, const ui::TFont& font) override;
    // A press on the box or its text flips the box.
    bool ValueMouseDown(ui::TPoint p, const ui::TRect& cell) override;
    // Space flips the box.
    bool ItemKeyDown(const ui::TKeyEvent& e) override;

protected:
    void WriteValue(std::u16string_view value) override;

private:
    std::u16string CurrentTrueText() const;
    std::u16string CurrentFalseText() const;

    TCheckBoxTextKind m_textKind = TCheckBoxTextKind::tkTrueFalse;
    std::u16string m_trueText;
    std::u16string m_falseText;
    bool m_showText = false;
};

}  // namespace widgets

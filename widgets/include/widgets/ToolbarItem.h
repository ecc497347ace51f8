#pragma once

#include <string>
#include <vector>

#include "widgets/PropertyItem.h"

namespace widgets {

// One toggle button of a toolbar item.
struct TToolbarButton {
    std::u16string text;     // what the item's value lists while the button is checked
    std::string glyph;       // the name of the button's image (may be empty)
    bool checked = false;    // the check state
    bool autoCheck = false;  // a click flips the check state
};

// A row with a small row of toggle buttons; at the top level it is a category
// row. Value read: the text of every checked button, joined with ",". Value
// written: each button becomes checked exactly when its text occurs in the
// written text (case-sensitive).
class TToolbarItem : public TPropertyItem {
public:
    // The size of a button, in pixels.
    static constexpr int kButtonSize = 14;

    // The buttons in order.
    const std::vector<TToolbarButton>& Buttons() const { return m_buttons; }
    // Adds a button last and returns its position.
    int AddButton(TToolbarButton button);
    // Sets the check state of button index (ignored outside the list).
    void SetButtonChecked(int index, bool checked);
    // Whether every button may be up at once (otherwise the last checked one stays down).
    bool AllowAllUp() const { return m_allowAllUp; }
    void SetAllowAllUp(bool allow) { m_allowAllUp = allow; }
    // Where the buttons sit in the row.
    TButtonsAlign ButtonsAlign() const { return m_align; }
    void SetButtonsAlign(TButtonsAlign align);
    // The rectangle of button index in a row whose value column is cell (same coordinates).
    ui::TRect ButtonRect(int index, const ui::TRect& cell) const;

    std::u16string GetValue() const override;
    // A toolbar item at the top level is a category row.
    bool IsCategory() const override { return Level() == 0; }
    void PaintValue(ui::ICanvas& canvas, const ui::TRect& cell, const ui::TFont& font) override;
    bool ValueMouseDown(ui::TPoint p, const ui::TRect& cell) override;

protected:
    void WriteValue(std::u16string_view value) override;
    // Flips button index as a click does, keeping one down unless AllowAllUp.
    void ToggleButton(int index);

private:
    std::vector<TToolbarButton> m_buttons;
    TButtonsAlign m_align = TButtonsAlign::baLeft;
    bool m_allowAllUp = false;
};

}  // namespace widgets

#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/Edit.h"

namespace ui {

// A text field with a drop-down list of lines (the system's combo box on
// Win32): the user may pick a line or type any text.
class TComboEdit : public TEdit {
public:
    // The most lines the open list shows at once.
    static constexpr int kDropDownCount = 8;

    TWindowKind WindowKind() const override { return TWindowKind::wkComboEdit; }
    const std::vector<std::u16string>& Items() const { return m_items; }
    void SetItems(std::vector<std::u16string> items);
    // Whether the list is open now.
    bool DroppedDown() const;
    // Picks line index as the text, as a choice from the list does (runs
    // OnSelect and OnChange); an index outside the list changes nothing.
    void SelectItem(int index);
    void Paint(ICanvas& canvas) override;

    // The user picked a line from the list; the text is already that line.
    std::function<void(TComboEdit&, int)> OnSelect;

private:
    std::vector<std::u16string> m_items;
};

}  // namespace ui

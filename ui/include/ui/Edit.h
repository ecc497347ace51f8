#pragma once

#include <functional>

#include "ui/Control.h"

namespace ui {

// A one-line text field (the system's edit field on Win32), used as an
// in-place editor. Text() always holds what the field shows, also while the
// user types. Keys reach OnKeyDown first; returning true there consumes them.
class TEdit : public TControl {
public:
    TEdit();
    TWindowKind WindowKind() const override { return TWindowKind::wkEdit; }
    // Selects the whole text.
    void SelectAll();
    void Paint(ICanvas& canvas) override;
    bool KeyDown(const TKeyEvent& e) override;

    // The user changed the text.
    std::function<void(TEdit&)> OnChange;
    // A key arrives while the field has the focus; return true to consume it.
    std::function<bool(TEdit&, const TKeyEvent&)> OnKeyDown;

protected:
    void TextChanged() override;
};

}  // namespace ui

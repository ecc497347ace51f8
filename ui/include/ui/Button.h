#pragma once

#include "ui/Control.h"

namespace ui {

// A push button with a centred caption; stops Tab, shows a pressed look while
// the left button is held on it, and runs OnClick on a click or on Enter or
// Space while it has the focus.
class TButton : public TControl {
public:
    TButton();
    // Whether the button is drawn pressed.
    bool Down() const { return m_down; }
    void Paint(ICanvas& canvas) override;
    void MouseDown(const TMouseEvent& e) override;
    void MouseUp(const TMouseEvent& e) override;
    bool KeyDown(const TKeyEvent& e) override;
    void FocusChanged(bool focused) override;

private:
    bool m_down = false;
};

}  // namespace ui

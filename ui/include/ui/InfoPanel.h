#pragma once

#include <string>

#include "ui/Control.h"

namespace ui {

// A panel with a bold title line and a text below it (the control's Text),
// on a light background with a line at its bottom. Its window text is the
// title, a line break ("\r\n") and the text.
class TInfoPanel : public TControl {
public:
    // Vertical places of the two lines inside the panel.
    static constexpr int kTitleTop = 4;
    static constexpr int kTextTop = 20;
    static constexpr int kTextLeft = 8;

    TInfoPanel();
    const std::u16string& Title() const { return m_title; }
    void SetTitle(std::u16string title);
    std::u16string WindowText() const override;
    void Paint(ICanvas& canvas) override;

private:
    std::u16string m_title;
};

}  // namespace ui

#pragma once

#include <memory>
#include <string>

#include "ui/Geometry.h"
#include "ui/HintPeer.h"

namespace ui {

class TControl;

// A small window with text at a given place, opened and closed by the control
// that owns it (the control must be on a form while the hint is open).
class THintWindow {
public:
    explicit THintWindow(TControl& owner);
    ~THintWindow();
    THintWindow(const THintWindow&) = delete;
    THintWindow& operator=(const THintWindow&) = delete;

    // Shows text with the window's top-left corner at ownerClient (the owner's
    // client coordinates), wrapped to maxWidth pixels when maxWidth > 0.
    void Open(const std::u16string& text, TPoint ownerClient, int maxWidth = 0);
    // Hides the window; harmless when it is not open.
    void Close();
    bool IsOpen() const { return m_open; }
    // The text shown (or last shown).
    const std::u16string& Text() const { return m_text; }

private:
    TControl& m_owner;
    std::unique_ptr<IHintPeer> m_peer;
    std::u16string m_text;
    bool m_open = false;
};

}  // namespace ui

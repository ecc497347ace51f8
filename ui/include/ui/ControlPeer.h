#pragma once

#include "ui/Geometry.h"

namespace ui {

// The window-system side of a control: a child window on Win32, a record in
// the headless backend. The control tells its peer what changed; the peer
// reads the new state back from the control.
class IControlPeer {
public:
    virtual ~IControlPeer() = default;
    // The control's bounds changed.
    virtual void BoundsChanged() = 0;
    // The control's visibility (or an ancestor's) changed.
    virtual void ShowingChanged() = 0;
    // The control's text changed (the window text follows it).
    virtual void TextChanged() = 0;
    // The control was enabled or disabled.
    virtual void EnabledChanged() = 0;
    // Part of the control (client coordinates) must be drawn again.
    virtual void Invalidate(const TRect& client) = 0;
    // Gives the control's window the keyboard focus.
    virtual void TakeFocus() = 0;
    // Starts (true) or ends (false) capturing the mouse for the control.
    virtual void CaptureMouse(bool capture) = 0;
    // The control's scroll bars changed (shown, hidden or moved).
    virtual void ScrollChanged() {}
    // The control's list of lines changed (drop-down editors only).
    virtual void ItemsChanged() {}
    // Whether the control's drop-down list is open (drop-down editors only).
    virtual bool DroppedDown() const { return false; }
    // Selects all text (editors only).
    virtual void SelectAll() {}
};

}  // namespace ui

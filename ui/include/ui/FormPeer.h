#pragma once

#include "ui/ControlPeer.h"

namespace ui {

// The window-system side of a form (a top-level window).
class IFormPeer : public IControlPeer {
public:
    // The caption changed.
    virtual void CaptionChanged() = 0;
    // The menu bar's items changed; the native menu is rebuilt.
    virtual void MenuChanged() = 0;
    // Places the window in the middle of the screen (work area).
    virtual void CenterOnScreen() = 0;
    // Whether the window is the active (foreground) window of the program.
    virtual bool IsActive() const = 0;
    // The form's client origin in screen coordinates (physical pixels).
    virtual TPoint ClientOriginOnScreen() const = 0;
    // Destroys the window; the peer takes no more calls afterwards except its destructor.
    virtual void Destroy() = 0;
};

}  // namespace ui

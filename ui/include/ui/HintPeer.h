#pragma once

#include <string>

#include "ui/Geometry.h"

namespace ui {

class TForm;

// The window-system side of a hint window.
class IHintPeer {
public:
    virtual ~IHintPeer() = default;
    // Shows text in a small window whose top-left corner is at formClient (the
    // form's client coordinates), wrapped to maxWidth pixels when maxWidth > 0.
    virtual void Show(TForm& form, TPoint formClient, const std::u16string& text, int maxWidth) = 0;
    // Hides the window; harmless when it is not shown.
    virtual void Hide() = 0;
};

}  // namespace ui

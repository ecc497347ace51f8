#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ui/Accessibility.h"

namespace ui {

class TControl;

// What assistive tools read from a control at one moment: its role, its name
// and its children, exactly as the Win32 backend exposes them through
// IAccessible (child i here is child id i + 1 there).
struct TAccSnapshot {
    TAccRole role = TAccRole::arTable;
    std::u16string name;
    std::vector<TAccItem> children;
};

// The snapshot of control's accessible source, or nothing when the control
// exposes none (Accessible() is nullptr).
std::optional<TAccSnapshot> ReadAccessible(const TControl& control);

}  // namespace ui

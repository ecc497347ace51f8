#pragma once

#include <memory>

#include "ui/WindowSystem.h"

namespace ui {

// The window system of the platform the program runs on (the Win32 backend).
// Available in the Windows build only.
std::unique_ptr<IWindowSystem> CreateNativeWindowSystem();

}  // namespace ui

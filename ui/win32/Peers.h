#pragma once

#include <memory>

#include "Win32WindowSystem.h"
#include "ui/ControlPeer.h"
#include "ui/FormPeer.h"
#include "ui/HintPeer.h"
#include "ui/TimerPeer.h"

namespace ui {
class TEdit;
class TTimer;
}  // namespace ui

// The Win32 backend's peers, made by the window system.
namespace ui::win32 {

// A custom-drawn child window for control.
std::unique_ptr<IControlPeer> MakeControlWindow(TWin32WindowSystem& system, TControl& control);
// The system's EDIT window (combo false) or COMBOBOX window (combo true) for edit.
std::unique_ptr<IControlPeer> MakeEditWindow(TWin32WindowSystem& system, TEdit& edit, bool combo);
// The top-level window of form.
std::unique_ptr<IFormPeer> MakeFormWindow(TWin32WindowSystem& system, TForm& form);
// The clock of timer on the system's timer window.
std::unique_ptr<ITimerPeer> MakeTimerPeer(TWin32WindowSystem& system, TTimer& timer);
// A hint window.
std::unique_ptr<IHintPeer> MakeHintPeer(TWin32WindowSystem& system);

}  // namespace ui::win32

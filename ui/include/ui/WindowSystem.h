#pragma once

#include <memory>
#include <string_view>

#include "ui/Canvas.h"
#include "ui/Cursor.h"
#include "ui/Dialogs.h"

namespace ui {

class IControlPeer;
class IFormPeer;
class IHintPeer;
class ITimerPeer;
class TControl;
class TForm;
class TTimer;

// A backend: what the framework needs of a window system. Implemented by the
// Win32 backend and by the headless backend that tests drive. Texts in
// std::string are program text in the ANSI code page.
class IWindowSystem {
public:
    virtual ~IWindowSystem() = default;

    // A top-level window for form (created hidden).
    virtual std::unique_ptr<IFormPeer> CreateFormPeer(TForm& form) = 0;
    // The peer of a control that has a window of its own (TControl::HasWindow).
    virtual std::unique_ptr<IControlPeer> CreateControlPeer(TControl& control) = 0;
    // The clock of a timer.
    virtual std::unique_ptr<ITimerPeer> CreateTimerPeer(TTimer& timer) = 0;
    // A hint window.
    virtual std::unique_ptr<IHintPeer> CreateHintPeer() = 0;
    // Whether controls with windows receive their own mouse input (Win32), or
    // the form routes all input itself (headless).
    virtual bool ChildWindowsReceiveInput() const = 0;

    // Shows a modal message box and returns the answer.
    virtual TModalResult ShowMessageBox(TForm* owner, std::string_view text, std::string_view caption,
                                        TMessageBoxKind kind) = 0;
    // Asks the shell to perform the verb "Open" on target (a document, URL or
    // "mailto:" link), shown normally (show command 5); the result is not reported.
    virtual void ShellOpen(TForm* owner, std::string_view target) = 0;
    // Finds a top-level window by class name and title; when there is one,
    // brings it to the foreground and returns true.
    virtual bool ActivateWindow(std::string_view className, std::string_view title) = 0;
    // Loads the system's standard cursor number id as the hand-point cursor;
    // returns false (and keeps the current one) when it cannot be loaded.
    virtual bool InstallHandCursor(int id) = 0;
    // Shows cursor as the mouse pointer over the program's windows.
    virtual void SetCursor(TCursor cursor) = 0;
    // A canvas that measures text as the program's windows draw it (drawing on
    // it shows nothing); nullptr when the backend has none.
    virtual std::unique_ptr<ICanvas> CreateMeasuringCanvas() { return nullptr; }

    // Handles one pending message; returns whether there was one.
    virtual bool HandleMessage() = 0;
    // Waits for the next message and handles it; returns false once the
    // program was asked to quit (or, headless, when nothing is left to do).
    virtual bool WaitAndHandleMessage() = 0;
    // Makes WaitAndHandleMessage return false from now on.
    virtual void Quit() = 0;
};

}  // namespace ui

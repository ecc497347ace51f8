#pragma once

#include "WinApi.h"

#include <map>
#include <memory>
#include <set>
#include <string>

#include "ui/WindowSystem.h"

namespace ui::win32 {

// The Win32 backend: forms are top-level windows with native menus, every
// control with text is a custom-drawn child window (double-buffered GDI) whose
// window text is the control's text, editors are the system's EDIT and
// COMBOBOX windows, timers run on a hidden message window, message boxes and
// the shell are the system's. Layout is in logical pixels, scaled to each
// form's resolution (per-monitor DPI).
class TWin32WindowSystem : public IWindowSystem {
public:
    TWin32WindowSystem();
    ~TWin32WindowSystem() override;
    TWin32WindowSystem(const TWin32WindowSystem&) = delete;
    TWin32WindowSystem& operator=(const TWin32WindowSystem&) = delete;

    std::unique_ptr<IFormPeer> CreateFormPeer(TForm& form) override;
    std::unique_ptr<IControlPeer> CreateControlPeer(TControl& control) override;
    std::unique_ptr<ITimerPeer> CreateTimerPeer(TTimer& timer) override;
    std::unique_ptr<IHintPeer> CreateHintPeer() override;
    bool ChildWindowsReceiveInput() const override { return true; }
    TModalResult ShowMessageBox(TForm* owner, std::string_view text, std::string_view caption,
                                TMessageBoxKind kind) override;
    void ShellOpen(TForm* owner, std::string_view target) override;
    bool ActivateWindow(std::string_view className, std::string_view title) override;
    bool InstallHandCursor(int id) override;
    void SetCursor(TCursor cursor) override;
    // A GDI canvas on a memory device context at 96 dots per inch.
    std::unique_ptr<ICanvas> CreateMeasuringCanvas() override;
    bool HandleMessage() override;
    bool WaitAndHandleMessage() override;
    void Quit() override;

    // The window of a control or form (nullptr when it has none).
    static HWND WindowOf(const TControl& control);
    // The system cursor handle shown for cursor.
    HCURSOR CursorHandle(TCursor cursor) const;
    // The cursor last asked for.
    TCursor CurrentCursor() const { return m_cursor; }
    // Registers a window class of ours with its window procedure, once.
    void RegisterClassOnce(const std::wstring& name, UINT style, WNDPROC procedure);
    // The hidden window that receives the timers' messages.
    HWND TimerWindow() const { return m_timerWindow; }
    // Running timers by their id on the timer window.
    std::map<UINT_PTR, TTimer*>& Timers() { return m_timers; }
    UINT_PTR NextTimerId() { return m_nextTimerId++; }

private:
    std::set<std::wstring> m_classes;
    std::map<UINT_PTR, TTimer*> m_timers;
    HWND m_timerWindow = nullptr;
    HCURSOR m_hand = nullptr;
    TCursor m_cursor = TCursor::crDefault;
    UINT_PTR m_nextTimerId = 1;
    bool m_quit = false;
};

}  // namespace ui::win32

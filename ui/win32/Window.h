#pragma once

#include <utility>

#include "GdiCanvas.h"
#include "Win32WindowSystem.h"
#include "WindowHelpers.h"
#include "ui/Application.h"
#include "ui/Control.h"
#include "ui/Form.h"

namespace ui::win32 {

// What every window of ours shares: its handle, its control, the routing of
// mouse, keyboard and focus messages to the form, and double-buffered painting.
class TWindow {
public:
    TWindow(TWin32WindowSystem& system, TControl& control) : m_system(system), m_control(control) {}
    virtual ~TWindow() { DestroyOwnWindow(); }
    TWindow(const TWindow&) = delete;
    TWindow& operator=(const TWindow&) = delete;

    HWND Hwnd() const { return m_hwnd; }
    TControl& Control() const { return m_control; }
    static TWindow* FromHwnd(HWND hwnd) { return static_cast<TWindow*>(GetPropW(hwnd, kPeerProperty)); }

    // The resolution the control's form is shown at.
    virtual int Dpi() const {
        TForm* form = m_control.Form();
        if (form != nullptr)
            if (auto* window = dynamic_cast<TWindow*>(form->Peer()); window != nullptr && window != this)
                return window->Dpi();
        return 96;
    }
    int Scale(int v) const { return ScaleToDevice(v, Dpi()); }
    int Unscale(int v) const { return ScaleToLogical(v, Dpi()); }

    // Handles a message of a window of ours; returns its result.
    virtual LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    // A notification (WM_COMMAND code) from this native child window.
    virtual void Notify(UINT) {}
    // The resolution changed: place the window and remake resolution-bound objects.
    virtual void DpiChanged() { PlaceWindow(); }

protected:
    // The scroll position a scroll-bar request (WM_VSCROLL / WM_HSCROLL code)
    // asks for on bar (SB_VERT or SB_HORZ) with scroll's state; false for a
    // request that moves nothing (SB_ENDSCROLL and the like).
    bool PositionAfterScrollRequest(const TScrollInfo& scroll, int bar, UINT request, int& position) const;
    void Attach(HWND hwnd) {
        m_hwnd = hwnd;
        if (hwnd != nullptr) SetPropW(hwnd, kPeerProperty, this);
    }
    void DestroyOwnWindow() {
        if (m_hwnd == nullptr) return;
        HWND hwnd = m_hwnd;
        m_hwnd = nullptr;
        RemovePropW(hwnd, kPeerProperty);
        DestroyWindow(hwnd);
    }
    TApplication* App() const {
        TForm* form = m_control.Form();
        return form != nullptr ? &form->Application() : nullptr;
    }
    template <class F>
    void Guarded(F&& f) const {
        if (TApplication* app = App())
            app->Guard(std::forward<F>(f));
        else
            f();
    }

    // The window of the nearest ancestor that has one.
    HWND HostWindow() const {
        for (TControl* c = m_control.Parent(); c != nullptr; c = c->Parent())
            if (auto* window = dynamic_cast<TWindow*>(c->Peer())) return window->Hwnd();
        return nullptr;
    }
    // Puts a child window at its control's bounds, scaled to the resolution.
    void PlaceWindow() {
        if (m_hwnd == nullptr || m_control.Parent() == nullptr) return;
        TPoint origin = m_control.ClientToForm({0, 0});
        for (TControl* c = m_control.Parent(); c != nullptr; c = c->Parent()) {
            if (c->Peer() != nullptr) {
                const TPoint host = c->ClientToForm({0, 0});
                origin = {origin.x - host.x, origin.y - host.y};
                break;
            }
        }
        const int left = Scale(origin.x);
        const int top = Scale(origin.y);
        const int right = Scale(origin.x + m_control.Bounds().Width());
        const int bottom = Scale(origin.y + m_control.Bounds().Height());
        SetWindowPos(m_hwnd, nullptr, left, top, right - left, ExtraHeight(bottom - top),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // The window height for a control height (a drop-down adds its list).
    virtual int ExtraHeight(int height) const { return height; }

    void ShowingChanged() const {
        if (m_hwnd != nullptr) ShowWindow(m_hwnd, m_control.Visible() ? SW_SHOWNA : SW_HIDE);
    }
    void TextChanged() const {
        if (m_hwnd == nullptr) return;
        const std::wstring text = ToWide(m_control.WindowText());
        if (ToWide(WindowTextOf(m_hwnd)) != text) SetWindowTextW(m_hwnd, text.c_str());
    }
    void EnabledChanged() const {
        if (m_hwnd != nullptr) EnableWindow(m_hwnd, m_control.Enabled() ? TRUE : FALSE);
    }
    void Invalidate(const TRect& r) const {
        if (m_hwnd == nullptr) return;
        const RECT d{Scale(r.left), Scale(r.top), Scale(r.right), Scale(r.bottom)};
        InvalidateRect(m_hwnd, &d, FALSE);
    }
    void TakeFocus() const {
        if (m_hwnd != nullptr && GetFocus() != m_hwnd) SetFocus(m_hwnd);
    }
    void CaptureMouse(bool capture) const {
        if (m_hwnd == nullptr) return;
        if (capture)
            SetCapture(m_hwnd);
        else if (GetCapture() == m_hwnd)
            ReleaseCapture();
    }

    TMouseEvent MouseEventAt(LPARAM lParam, TMouseButton button) const {
        const int x = static_cast<short>(LOWORD(lParam));
        const int y = static_cast<short>(HIWORD(lParam));
        return TMouseEvent{{Unscale(x), Unscale(y)}, button, CurrentShift()};
    }
    void Paint();
    void MouseLeft();
    void ScrollByUser(UINT request);

    TWin32WindowSystem& m_system;
    TControl& m_control;
    HWND m_hwnd = nullptr;
    bool m_trackingLeave = false;
};

// The window procedure of our custom-drawn windows (controls and forms).
LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace ui::win32

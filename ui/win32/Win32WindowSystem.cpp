#include "Win32WindowSystem.h"

#include <algorithm>
#include <vector>

#include "GdiCanvas.h"
#include "platform/CodePage.h"
#include "ui/Application.h"
#include "ui/ComboEdit.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/FormPeer.h"
#include "ui/HintPeer.h"
#include "ui/NativeWindowSystem.h"
#include "ui/Timer.h"
#include "ui/TimerPeer.h"

namespace ui {

std::unique_ptr<IWindowSystem> CreateNativeWindowSystem() { return std::make_unique<win32::TWin32WindowSystem>(); }

}  // namespace ui

namespace ui::win32 {

namespace {

// The window property that links each of our windows (native ones included) to its peer.
constexpr const wchar_t* kPeerProperty = L"PelmiraPeer";
constexpr const wchar_t* kControlClass = L"PelmiraControl";
constexpr const wchar_t* kHintClass = L"PelmiraHint";
constexpr const wchar_t* kTimerClass = L"PelmiraTimers";
// WM_DPICHANGED, which older headers may lack.
constexpr UINT kDpiChanged = 0x02E0;
// Text space around a hint's text, in logical pixels.
constexpr int kHintPadding = 3;
// A hint's width when its owner gives none.
constexpr int kHintDefaultMaxWidth = 600;

std::wstring ToWide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }
std::wstring AnsiToWide(std::string_view text) { return ToWide(platform::AnsiToUtf16(text)); }

std::u16string WindowTextOf(HWND hwnd)
{
    const int length = GetWindowTextLengthW(hwnd);
    std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(hwnd, buffer.data(), length + 1);
    return std::u16string(buffer.begin(), buffer.begin() + std::max(0, got));
}

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

int DpiOfWindow(HWND hwnd)
{
    // GetDpiForWindow exists from Windows 10 1607 on; older systems have one resolution for all.
    using TGetDpiForWindow = UINT(WINAPI*)(HWND);
    static const auto getDpi = reinterpret_cast<TGetDpiForWindow>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpi != nullptr && hwnd != nullptr) {
        const UINT dpi = getDpi(hwnd);
        if (dpi > 0) return static_cast<int>(dpi);
    }
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

TKey MapKey(WPARAM vk)
{
    switch (vk) {
    case VK_TAB: return TKey::kTab;
    case VK_RETURN: return TKey::kEnter;
    case VK_ESCAPE: return TKey::kEscape;
    case VK_SPACE: return TKey::kSpace;
    case VK_UP: return TKey::kUp;
    case VK_DOWN: return TKey::kDown;
    case VK_LEFT: return TKey::kLeft;
    case VK_RIGHT: return TKey::kRight;
    case VK_HOME: return TKey::kHome;
    case VK_END: return TKey::kEnd;
    case VK_PRIOR: return TKey::kPageUp;
    case VK_NEXT: return TKey::kPageDown;
    case VK_OEM_PLUS: return TKey::kPlus;
    case VK_OEM_MINUS: return TKey::kMinus;
    case VK_F4: return TKey::kF4;
    default: return TKey::kOther;
    }
}

TShiftState CurrentShift()
{
    TShiftState shift = ssNone;
    if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
    return shift;
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK NativeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace

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
    virtual int Dpi() const
    {
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
    void Attach(HWND hwnd)
    {
        m_hwnd = hwnd;
        if (hwnd != nullptr) SetPropW(hwnd, kPeerProperty, this);
    }
    void DestroyOwnWindow()
    {
        if (m_hwnd == nullptr) return;
        HWND hwnd = m_hwnd;
        m_hwnd = nullptr;
        RemovePropW(hwnd, kPeerProperty);
        DestroyWindow(hwnd);
    }
    TApplication* App() const
    {
        TForm* form = m_control.Form();
        return form != nullptr ? &form->Application() : nullptr;
    }
    template <class F>
    void Guarded(F&& f) const
    {
        if (TApplication* app = App())
            app->Guard(std::forward<F>(f));
        else
            f();
    }

    // The window of the nearest ancestor that has one.
    HWND HostWindow() const
    {
        for (TControl* c = m_control.Parent(); c != nullptr; c = c->Parent())
            if (auto* window = dynamic_cast<TWindow*>(c->Peer())) return window->Hwnd();
        return nullptr;
    }
    // Puts a child window at its control's bounds, scaled to the resolution.
    void PlaceWindow()
    {
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

    void ShowingChanged() const
    {
        if (m_hwnd != nullptr) ShowWindow(m_hwnd, m_control.Visible() ? SW_SHOWNA : SW_HIDE);
    }
    void TextChanged() const
    {
        if (m_hwnd == nullptr) return;
        const std::wstring text = ToWide(m_control.WindowText());
        if (ToWide(WindowTextOf(m_hwnd)) != text) SetWindowTextW(m_hwnd, text.c_str());
    }
    void EnabledChanged() const
    {
        if (m_hwnd != nullptr) EnableWindow(m_hwnd, m_control.Enabled() ? TRUE : FALSE);
    }
    void Invalidate(const TRect& r) const
    {
        if (m_hwnd == nullptr) return;
        const RECT d{Scale(r.left), Scale(r.top), Scale(r.right), Scale(r.bottom)};
        InvalidateRect(m_hwnd, &d, FALSE);
    }
    void TakeFocus() const
    {
        if (m_hwnd != nullptr && GetFocus() != m_hwnd) SetFocus(m_hwnd);
    }
    void CaptureMouse(bool capture) const
    {
        if (m_hwnd == nullptr) return;
        if (capture)
            SetCapture(m_hwnd);
        else if (GetCapture() == m_hwnd)
            ReleaseCapture();
    }

    TMouseEvent MouseEventAt(LPARAM lParam, TMouseButton button) const
    {
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

void TWindow::Paint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hwnd, &ps);
    RECT client;
    GetClientRect(m_hwnd, &client);
    if (client.right > 0 && client.bottom > 0) {
        // Drawn into a bitmap first and copied in one step, so nothing flickers.
        HDC memory = CreateCompatibleDC(dc);
        HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
        HGDIOBJ old = SelectObject(memory, bitmap);
        {
            TGdiCanvas canvas(memory, Dpi(), ps.rcPaint);
            Guarded([&] { m_control.PaintTree(canvas, false); });
        }
        BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
               ps.rcPaint.bottom - ps.rcPaint.top, memory, ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
    }
    EndPaint(m_hwnd, &ps);
}

void TWindow::ScrollByUser(UINT request)
{
    const TScrollInfo& scroll = m_control.Scroll();
    int position = scroll.position;
    switch (request) {
    case SB_LINEUP: position -= scroll.line; break;
    case SB_LINEDOWN: position += scroll.line; break;
    case SB_PAGEUP: position -= scroll.page; break;
    case SB_PAGEDOWN: position += scroll.page; break;
    case SB_TOP: position = 0; break;
    case SB_BOTTOM: position = scroll.MaxPosition(); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_TRACKPOS;
        GetScrollInfo(m_hwnd, SB_VERT, &info);
        position = info.nTrackPos;
        break;
    }
    default: return;
    }
    Guarded([&] { m_control.ScrollTo(position); });
}

void TWindow::MouseLeft()
{
    m_trackingLeave = false;
    TForm* form = m_control.Form();
    if (form == nullptr || form->FormPeer() == nullptr) return;
    // Moving onto a child window also "leaves" its parent; only leaving the
    // form's windows altogether ends the hover.
    POINT cursor;
    GetCursorPos(&cursor);
    HWND under = WindowFromPoint(cursor);
    auto* formWindow = dynamic_cast<TWindow*>(form->Peer());
    if (under != nullptr && formWindow != nullptr && GetAncestor(under, GA_ROOT) == formWindow->Hwnd()) return;
    Guarded([&] { form->MouseLeftForm(); });
}

LRESULT TWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    TForm* form = m_control.Form();
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;  // painting covers everything
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (form != nullptr) {
            const TMouseButton button = message == WM_LBUTTONDOWN   ? TMouseButton::mbLeft
                                        : message == WM_RBUTTONDOWN ? TMouseButton::mbRight
                                                                    : TMouseButton::mbMiddle;
            form->RouteMouseDown(m_control, MouseEventAt(lParam, button));
        }
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        if (form != nullptr) {
            const TMouseButton button = message == WM_LBUTTONUP   ? TMouseButton::mbLeft
                                        : message == WM_RBUTTONUP ? TMouseButton::mbRight
                                                                  : TMouseButton::mbMiddle;
            form->RouteMouseUp(m_control, MouseEventAt(lParam, button));
        }
        return 0;
    case WM_MOUSEMOVE:
        if (!m_trackingLeave) {
            TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, m_hwnd, 0};
            m_trackingLeave = TrackMouseEvent(&track) != FALSE;
        }
        if (form != nullptr) form->RouteMouseMove(m_control, MouseEventAt(lParam, TMouseButton::mbNone));
        return 0;
    case WM_MOUSELEAVE:
        MouseLeft();
        return 0;
    case WM_MOUSEWHEEL:
        if (form != nullptr) {
            // The wheel goes to the window under the pointer, not the one with the focus.
            POINT screen{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            TWindow* target = FromHwnd(WindowFromPoint(screen));
            if (target == nullptr || target->Control().Form() != form) target = this;
            ScreenToClient(target->Hwnd(), &screen);
            const TMouseWheelEvent e{{target->Unscale(screen.x), target->Unscale(screen.y)},
                                     static_cast<short>(HIWORD(wParam)), CurrentShift()};
            form->RouteMouseWheel(target->Control(), e);
        }
        return 0;
    case WM_VSCROLL:
        if (lParam == 0) {
            ScrollByUser(LOWORD(wParam));
            return 0;
        }
        break;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && form != nullptr) {
            ::SetCursor(m_system.CursorHandle(form->CurrentCursor()));
            return TRUE;
        }
        break;
    case WM_KEYDOWN:
        if (form != nullptr && form->RouteKey({MapKey(wParam), CurrentShift()})) return 0;
        break;
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTTAB;
    case WM_SETFOCUS:
        if (form != nullptr && &m_control != form) {
            // A windowless control with the focus keeps it while its host window has the focus.
            TControl* focused = form->FocusedControl();
            bool hosted = false;
            for (TControl* c = focused; c != nullptr && c != &m_control; c = c->Parent())
                if (c->Peer() == nullptr && c->Parent() == &m_control) hosted = true;
            if (!hosted) form->FocusMovedTo(&m_control);
        }
        return 0;
    case WM_COMMAND:
        if (lParam != 0) {
            if (TWindow* child = FromHwnd(reinterpret_cast<HWND>(lParam))) child->Notify(HIWORD(wParam));
            return 0;
        }
        break;
    default:
        break;
    }
    return DefWindowProcW(m_hwnd, message, wParam, lParam);
}

namespace {

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    TWindow* window = TWindow::FromHwnd(hwnd);
    if (window == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
    try {
        return window->Handle(message, wParam, lParam);
    } catch (...) {
        // Failures must not unwind through the system's code.
        if (TForm* form = window->Control().Form()) form->Application().HandleException(std::current_exception());
        return 0;
    }
}

}  // namespace

// A custom-drawn child window whose window text is its control's WindowText.
class TControlWindow : public IControlPeer, public TWindow {
public:
    TControlWindow(TWin32WindowSystem& system, TControl& control) : TWindow(system, control)
    {
        system.RegisterClassOnce(kControlClass, 0);
        DWORD style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
        if (control.Visible()) style |= WS_VISIBLE;
        if (control.TabStop()) style |= WS_TABSTOP;
        if (!control.Enabled()) style |= WS_DISABLED;
        const std::wstring text = ToWide(control.WindowText());
        Attach(CreateWindowExW(0, kControlClass, text.c_str(), style, 0, 0, 0, 0, HostWindow(), nullptr,
                               Instance(), nullptr));
        PlaceWindow();
    }
    void BoundsChanged() override { PlaceWindow(); }
    void ShowingChanged() override { TWindow::ShowingChanged(); }
    void TextChanged() override { TWindow::TextChanged(); }
    void EnabledChanged() override { TWindow::EnabledChanged(); }
    void Invalidate(const TRect& r) override { TWindow::Invalidate(r); }
    void TakeFocus() override { TWindow::TakeFocus(); }
    void CaptureMouse(bool capture) override { TWindow::CaptureMouse(capture); }
    void ScrollChanged() override
    {
        if (m_hwnd == nullptr) return;
        const TScrollInfo& scroll = m_control.Scroll();
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        info.nMin = 0;
        info.nMax = scroll.Visible() ? scroll.range - 1 : 0;
        info.nPage = scroll.Visible() ? static_cast<UINT>(scroll.page) : 0;
        info.nPos = scroll.position;
        SetScrollInfo(m_hwnd, SB_VERT, &info, TRUE);
        ShowScrollBar(m_hwnd, SB_VERT, scroll.Visible() ? TRUE : FALSE);
    }
};

// The system's EDIT or COMBOBOX window as an in-place editor. Keys reach the
// form (and so the editor's OnKeyDown) before the system's handling.
class TEditWindow : public IControlPeer, public TWindow {
public:
    TEditWindow(TWin32WindowSystem& system, TEdit& edit, bool combo)
        : TWindow(system, edit), m_edit(edit), m_combo(combo)
    {
        DWORD style = WS_CHILD | WS_TABSTOP | WS_CLIPSIBLINGS;
        if (edit.Visible()) style |= WS_VISIBLE;
        if (!edit.Enabled()) style |= WS_DISABLED;
        style |= combo ? (CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL) : (ES_AUTOHSCROLL | ES_LEFT);
        const std::wstring text = ToWide(edit.Text());
        Attach(CreateWindowExW(0, combo ? L"COMBOBOX" : L"EDIT", text.c_str(), style, 0, 0, 0, 0, HostWindow(),
                               nullptr, Instance(), nullptr));
        if (m_hwnd == nullptr) return;
        m_oldProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NativeProc)));
        if (combo) {
            // Keys go to the edit field inside the combo box; route them too.
            COMBOBOXINFO info{};
            info.cbSize = sizeof(info);
            if (GetComboBoxInfo(m_hwnd, &info) && info.hwndItem != nullptr) {
                m_inner = info.hwndItem;
                SetPropW(m_inner, kPeerProperty, static_cast<TWindow*>(this));
                m_innerOldProc = reinterpret_cast<WNDPROC>(
                    SetWindowLongPtrW(m_inner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NativeProc)));
            }
            ItemsChanged();
        }
        ApplyFont();
        PlaceWindow();
    }
    ~TEditWindow() override
    {
        if (m_inner != nullptr) {
            SetWindowLongPtrW(m_inner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_innerOldProc));
            RemovePropW(m_inner, kPeerProperty);
        }
        if (m_hwnd != nullptr) SetWindowLongPtrW(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_oldProc));
        DestroyOwnWindow();
        if (m_font != nullptr) DeleteObject(m_font);
    }

    void BoundsChanged() override { PlaceWindow(); }
    void ShowingChanged() override { TWindow::ShowingChanged(); }
    void TextChanged() override { TWindow::TextChanged(); }
    void EnabledChanged() override { TWindow::EnabledChanged(); }
    void Invalidate(const TRect&) override {}  // the system draws the field
    void TakeFocus() override
    {
        HWND target = m_inner != nullptr ? m_inner : m_hwnd;
        if (target != nullptr && GetFocus() != target) SetFocus(target);
    }
    void CaptureMouse(bool) override {}
    void ItemsChanged() override
    {
        if (!m_combo || m_hwnd == nullptr) return;
        const std::wstring text = ToWide(m_edit.Text());
        SendMessageW(m_hwnd, CB_RESETCONTENT, 0, 0);
        for (const std::u16string& item : static_cast<TComboEdit&>(m_edit).Items()) {
            const std::wstring line = ToWide(item);
            SendMessageW(m_hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
        }
        SetWindowTextW(m_hwnd, text.c_str());
    }
    bool DroppedDown() const override
    {
        return m_combo && m_hwnd != nullptr && SendMessageW(m_hwnd, CB_GETDROPPEDSTATE, 0, 0) != 0;
    }
    void SelectAll() override
    {
        if (m_hwnd == nullptr) return;
        if (m_combo)
            SendMessageW(m_hwnd, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
        else
            SendMessageW(m_hwnd, EM_SETSEL, 0, -1);
    }
    void DpiChanged() override
    {
        ApplyFont();
        PlaceWindow();
    }

    void Notify(UINT code) override
    {
        if ((!m_combo && code == EN_CHANGE) || (m_combo && code == CBN_EDITCHANGE)) {
            Guarded([&] { m_edit.TextEditedByUser(WindowTextOf(m_hwnd)); });
        } else if (m_combo && code == CBN_SELCHANGE) {
            const auto index = static_cast<int>(SendMessageW(m_hwnd, CB_GETCURSEL, 0, 0));
            Guarded([&] { static_cast<TComboEdit&>(m_edit).SelectItem(index); });
        }
    }

    // The subclassed window procedure's work, for the box and its inner field.
    LRESULT HandleNative(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        const WNDPROC original = hwnd == m_inner ? m_innerOldProc : m_oldProc;
        TForm* form = m_edit.Form();
        switch (message) {
        case WM_KEYDOWN:
            if (form != nullptr && form->RouteKey({MapKey(wParam), CurrentShift()})) return 0;
            break;
        case WM_CHAR:
            // Tab, Enter and Escape are handled on WM_KEYDOWN; the field would only beep.
            if (wParam == L'\t' || wParam == L'\r' || wParam == 0x1B) return 0;
            break;
        case WM_GETDLGCODE:
            return CallWindowProcW(original, hwnd, message, wParam, lParam) | DLGC_WANTALLKEYS;
        case WM_SETFOCUS:
            if (form != nullptr) form->FocusMovedTo(&m_edit);
            break;
        default:
            break;
        }
        return CallWindowProcW(original, hwnd, message, wParam, lParam);
    }

protected:
    int ExtraHeight(int height) const override
    {
        // A combo box's window height includes its open list.
        if (!m_combo || m_hwnd == nullptr) return height;
        const auto itemHeight = static_cast<int>(SendMessageW(m_hwnd, CB_GETITEMHEIGHT, 0, 0));
        return height + std::max(1, itemHeight) * TComboEdit::kDropDownCount + 2;
    }

private:
    void ApplyFont()
    {
        if (m_hwnd == nullptr) return;
        HFONT font = CreateFontAt(m_edit.Font(), Dpi());
        SendMessageW(m_hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        if (m_font != nullptr) DeleteObject(m_font);
        m_font = font;
    }

    TEdit& m_edit;
    bool m_combo;
    HWND m_inner = nullptr;
    WNDPROC m_oldProc = nullptr;
    WNDPROC m_innerOldProc = nullptr;
    HFONT m_font = nullptr;
};

namespace {

LRESULT CALLBACK NativeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* window = dynamic_cast<TEditWindow*>(TWindow::FromHwnd(hwnd));
    if (window == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
    try {
        return window->HandleNative(hwnd, message, wParam, lParam);
    } catch (...) {
        if (TForm* form = window->Control().Form()) form->Application().HandleException(std::current_exception());
        return 0;
    }
}

}  // namespace

// A form's top-level window with its native menu.
class TFormWindow : public IFormPeer, public TWindow {
public:
    static constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

    TFormWindow(TWin32WindowSystem& system, TForm& form) : TWindow(system, form), m_form(form)
    {
        const std::wstring className = AnsiToWide(form.ClassName());
        system.RegisterClassOnce(className, 0);
        const std::wstring caption = ToWide(form.Caption());
        Attach(CreateWindowExW(0, className.c_str(), caption.c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT, 200,
                               100, nullptr, nullptr, Instance(), nullptr));
        m_dpi = DpiOfWindow(m_hwnd);
    }
    ~TFormWindow() override { DestroyMenuBar(); }

    int Dpi() const override { return m_dpi; }

    void BoundsChanged() override { ApplyClientSize(); }
    void ShowingChanged() override
    {
        if (m_hwnd == nullptr) return;
        if (m_form.Visible()) {
            ShowWindow(m_hwnd, SW_SHOW);
            SetForegroundWindow(m_hwnd);
            UpdateWindow(m_hwnd);
        } else {
            ShowWindow(m_hwnd, SW_HIDE);
        }
    }
    void TextChanged() override { TWindow::TextChanged(); }
    void EnabledChanged() override { TWindow::EnabledChanged(); }
    void Invalidate(const TRect& r) override { TWindow::Invalidate(r); }
    void TakeFocus() override { TWindow::TakeFocus(); }
    void CaptureMouse(bool capture) override { TWindow::CaptureMouse(capture); }
    void CaptionChanged() override { TWindow::TextChanged(); }
    void MenuChanged() override { RebuildMenu(); }
    void CenterOnScreen() override
    {
        if (m_hwnd == nullptr) return;
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(monitor);
        GetMonitorInfoW(MonitorFromWindow(m_hwnd, MONITOR_DEFAULTTOPRIMARY), &monitor);
        RECT window;
        GetWindowRect(m_hwnd, &window);
        const RECT& work = monitor.rcWork;
        const int w = window.right - window.left;
        const int h = window.bottom - window.top;
        const int x = work.left + std::max(0L, (work.right - work.left - w) / 2);
        const int y = work.top + std::max(0L, (work.bottom - work.top - h) / 2);
        SetWindowPos(m_hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    bool IsActive() const override { return m_hwnd != nullptr && GetActiveWindow() == m_hwnd; }
    TPoint ClientOriginOnScreen() const override
    {
        POINT p{0, 0};
        if (m_hwnd != nullptr) ClientToScreen(m_hwnd, &p);
        return {p.x, p.y};
    }
    void Destroy() override
    {
        DestroyOwnWindow();
        DestroyMenuBar();
    }

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_CLOSE:
            m_form.Close();
            return 0;
        case WM_COMMAND:
            if (lParam == 0 && HIWORD(wParam) == 0) {
                m_form.MenuCommand(LOWORD(wParam));
                return 0;
            }
            break;
        case WM_SETFOCUS:
            // Back to the control that had the focus when the window was left.
            if (TControl* focused = m_form.FocusedControl()) {
                for (TControl* c = focused; c != nullptr; c = c->Parent()) {
                    if (c->Peer() != nullptr && c != &m_form) {
                        c->Peer()->TakeFocus();
                        return 0;
                    }
                }
            }
            return 0;
        case kDpiChanged: {
            m_dpi = HIWORD(wParam);
            const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(m_hwnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                         suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
            RescaleChildren(m_form);
            ApplyClientSize();
            RedrawWindow(m_hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
            return 0;
        }
        default:
            break;
        }
        return TWindow::Handle(message, wParam, lParam);
    }

private:
    void RescaleChildren(TControl& control)
    {
        for (auto& child : control.Children()) {
            if (auto* window = dynamic_cast<TWindow*>(child->Peer())) window->DpiChanged();
            RescaleChildren(*child);
        }
    }

    void ApplyClientSize()
    {
        if (m_hwnd == nullptr) return;
        const int width = Scale(m_form.Bounds().Width());
        const int height = Scale(m_form.Bounds().Height());
        RECT r{0, 0, width, height};
        AdjustWindowRectEx(&r, kStyle, GetMenu(m_hwnd) != nullptr, 0);
        SetWindowPos(m_hwnd, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        // A menu bar that wraps onto two lines takes more than the adjustment
        // assumed; correct by what the client area really got.
        RECT client;
        GetClientRect(m_hwnd, &client);
        const int dw = width - client.right;
        const int dh = height - client.bottom;
        if (dw != 0 || dh != 0)
            SetWindowPos(m_hwnd, nullptr, 0, 0, r.right - r.left + dw, r.bottom - r.top + dh,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    static void AppendItems(HMENU menu, const TMenuItem& parent)
    {
        for (const auto& item : parent.Items()) {
            if (!item->Visible()) continue;
            if (item->IsSeparator()) {
                AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
                continue;
            }
            const std::wstring caption = ToWide(item->Caption());
            const UINT state = item->Enabled() ? MF_ENABLED : MF_GRAYED;
            if (!item->Items().empty()) {
                HMENU popup = CreatePopupMenu();
                AppendItems(popup, *item);
                AppendMenuW(menu, MF_POPUP | MF_STRING | state, reinterpret_cast<UINT_PTR>(popup), caption.c_str());
            } else {
                AppendMenuW(menu, MF_STRING | state, static_cast<UINT_PTR>(item->Id()), caption.c_str());
            }
        }
    }

    void RebuildMenu()
    {
        if (m_hwnd == nullptr) return;
        // Hidden items are left out, so the menu is rebuilt whole on every change.
        HMENU bar = nullptr;
        if (!m_form.Menu().Items().empty()) {
            bar = CreateMenu();
            AppendItems(bar, m_form.Menu());
        }
        const bool hadMenu = m_menu != nullptr;
        SetMenu(m_hwnd, bar);
        DestroyMenuBar();
        m_menu = bar;
        if (hadMenu != (bar != nullptr)) ApplyClientSize();
        DrawMenuBar(m_hwnd);
    }

    void DestroyMenuBar()
    {
        if (m_menu == nullptr) return;
        if (m_hwnd != nullptr && GetMenu(m_hwnd) == m_menu) SetMenu(m_hwnd, nullptr);
        DestroyMenu(m_menu);
        m_menu = nullptr;
    }

    TForm& m_form;
    HMENU m_menu = nullptr;
    int m_dpi = 96;
};

// A timer on the system's hidden message window.
class TTimerWindowPeer : public ITimerPeer {
public:
    TTimerWindowPeer(TWin32WindowSystem& system, TTimer& timer)
        : m_system(system), m_timer(timer), m_id(system.NextTimerId())
    {
        system.Timers()[m_id] = this;
    }
    ~TTimerWindowPeer() override
    {
        KillTimer(m_system.TimerWindow(), m_id);
        m_system.Timers().erase(m_id);
    }
    void Changed() override
    {
        KillTimer(m_system.TimerWindow(), m_id);
        if (m_timer.Enabled() && m_timer.Interval() > 0) SetTimer(m_system.TimerWindow(), m_id, m_timer.Interval(), nullptr);
    }
    void Fire() { m_timer.Fire(); }

private:
    TWin32WindowSystem& m_system;
    TTimer& m_timer;
    UINT_PTR m_id;
};

// A hint: a small top-most pop-up with the text, which takes no activation.
class THintWindowPeer : public IHintPeer {
public:
    explicit THintWindowPeer(TWin32WindowSystem& system) : m_system(system)
    {
        system.RegisterClassOnce(kHintClass, CS_SAVEBITS);
    }
    ~THintWindowPeer() override
    {
        if (m_hwnd != nullptr) {
            SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, 0);
            DestroyWindow(m_hwnd);
        }
    }

    void Show(TForm& form, TPoint formClient, const std::u16string& text, int maxWidth) override
    {
        auto* formWindow = dynamic_cast<TWindow*>(form.Peer());
        if (formWindow == nullptr || formWindow->Hwnd() == nullptr) return;
        if (m_hwnd == nullptr) {
            m_hwnd = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, kHintClass, L"",
                                     WS_POPUP | WS_BORDER, 0, 0, 0, 0, formWindow->Hwnd(), nullptr, Instance(),
                                     nullptr);
            SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        }
        m_text = text;
        m_dpi = formWindow->Dpi();
        const std::wstring wide = ToWide(text);
        SetWindowTextW(m_hwnd, wide.c_str());

        // Measure the wrapped text with the hint's font at the form's resolution.
        HDC screen = GetDC(m_hwnd);
        RECT measure{0, 0, ScaleToDevice(maxWidth > 0 ? maxWidth : kHintDefaultMaxWidth, m_dpi), 0};
        {
            TGdiCanvas canvas(screen, m_dpi, measure);
            TSelectFont select(screen, canvas.FontHandle(TFont{}));
            ::DrawTextW(screen, wide.c_str(), static_cast<int>(wide.size()), &measure,
                        DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        }
        ReleaseDC(m_hwnd, screen);
        const int pad = ScaleToDevice(kHintPadding, m_dpi);
        POINT at{ScaleToDevice(formClient.x, m_dpi), ScaleToDevice(formClient.y, m_dpi)};
        ClientToScreen(formWindow->Hwnd(), &at);
        SetWindowPos(m_hwnd, HWND_TOPMOST, at.x, at.y, measure.right + 2 * pad + 2, measure.bottom + 2 * pad + 2,
                     SWP_NOACTIVATE | SWP_SHOWWINDOW);
        InvalidateRect(m_hwnd, nullptr, TRUE);
    }
    void Hide() override
    {
        if (m_hwnd != nullptr) ShowWindow(m_hwnd, SW_HIDE);
    }

    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<THintWindowPeer*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self != nullptr && message == WM_PAINT) {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            RECT client;
            GetClientRect(hwnd, &client);
            {
                TGdiCanvas canvas(dc, self->m_dpi, client);
                const TRect r{0, 0, ScaleToLogical(client.right, self->m_dpi),
                              ScaleToLogical(client.bottom, self->m_dpi)};
                canvas.FillRect(r, clInfoBk);
                canvas.DrawText(r.Inflate(-kHintPadding, -kHintPadding), self->m_text, TFont{}.WithColor(clInfoText),
                                tfWordWrap | tfNoPrefix);
            }
            EndPaint(hwnd, &ps);
            return 0;
        }
        if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }

private:
    // Keeps a font selected for a measurement.
    class TSelectFont {
    public:
        TSelectFont(HDC dc, HFONT font) : m_dc(dc), m_old(SelectObject(dc, font)) {}
        ~TSelectFont() { SelectObject(m_dc, m_old); }
        TSelectFont(const TSelectFont&) = delete;
        TSelectFont& operator=(const TSelectFont&) = delete;

    private:
        HDC m_dc;
        HGDIOBJ m_old;
    };

    TWin32WindowSystem& m_system;
    HWND m_hwnd = nullptr;
    std::u16string m_text;
    int m_dpi = 96;
};

namespace {

LRESULT CALLBACK TimerWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* system = reinterpret_cast<TWin32WindowSystem*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (system != nullptr && message == WM_TIMER) {
        auto it = system->Timers().find(wParam);
        if (it != system->Timers().end()) it->second->Fire();
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

TWin32WindowSystem::TWin32WindowSystem()
{
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&init);
    WNDCLASSEXW timerClass{};
    timerClass.cbSize = sizeof(timerClass);
    timerClass.lpfnWndProc = &TimerWindowProc;
    timerClass.hInstance = Instance();
    timerClass.lpszClassName = kTimerClass;
    RegisterClassExW(&timerClass);
    m_timerWindow = CreateWindowExW(0, kTimerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, Instance(), nullptr);
    SetWindowLongPtrW(m_timerWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TWin32WindowSystem::~TWin32WindowSystem()
{
    if (m_timerWindow != nullptr) {
        SetWindowLongPtrW(m_timerWindow, GWLP_USERDATA, 0);
        DestroyWindow(m_timerWindow);
    }
}

void TWin32WindowSystem::RegisterClassOnce(const std::wstring& name, UINT style)
{
    if (m_classes.count(name) != 0) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = style;
    wc.lpfnWndProc = name == kHintClass ? &THintWindowPeer::Proc : &WindowProc;
    wc.hInstance = Instance();
    wc.hCursor = nullptr;  // WM_SETCURSOR decides
    wc.lpszClassName = name.c_str();
    // A class left registered by an earlier window system of this process is fine as it is.
    if (RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS) m_classes.insert(name);
}

std::unique_ptr<IFormPeer> TWin32WindowSystem::CreateFormPeer(TForm& form)
{
    return std::make_unique<TFormWindow>(*this, form);
}

std::unique_ptr<IControlPeer> TWin32WindowSystem::CreateControlPeer(TControl& control)
{
    switch (control.WindowKind()) {
    case TWindowKind::wkNone: return nullptr;
    case TWindowKind::wkEdit: return std::make_unique<TEditWindow>(*this, static_cast<TEdit&>(control), false);
    case TWindowKind::wkComboEdit: return std::make_unique<TEditWindow>(*this, static_cast<TEdit&>(control), true);
    case TWindowKind::wkCustom: break;
    }
    return std::make_unique<TControlWindow>(*this, control);
}

std::unique_ptr<ITimerPeer> TWin32WindowSystem::CreateTimerPeer(TTimer& timer)
{
    return std::make_unique<TTimerWindowPeer>(*this, timer);
}

std::unique_ptr<IHintPeer> TWin32WindowSystem::CreateHintPeer() { return std::make_unique<THintWindowPeer>(*this); }

TModalResult TWin32WindowSystem::ShowMessageBox(TForm* owner, std::string_view text, std::string_view caption,
                                            TMessageBoxKind kind)
{
    HWND ownerWindow = owner != nullptr ? WindowOf(*owner) : nullptr;
    UINT flags = kind == TMessageBoxKind::mbConfirm ? (MB_YESNO | MB_ICONQUESTION) : MB_OK;
    if (ownerWindow == nullptr) flags |= MB_TASKMODAL;
    const std::wstring wideText = AnsiToWide(text);
    const std::wstring wideCaption = AnsiToWide(caption);
    switch (MessageBoxW(ownerWindow, wideText.c_str(), wideCaption.c_str(), flags)) {
    case IDOK: return TModalResult::mrOk;
    case IDYES: return TModalResult::mrYes;
    case IDNO: return TModalResult::mrNo;
    default: return TModalResult::mrNone;
    }
}

void TWin32WindowSystem::ShellOpen(TForm* owner, std::string_view target)
{
    constexpr int kShowNormally = 5;  // SW_SHOW
    const std::wstring wideTarget = AnsiToWide(target);
    ShellExecuteW(owner != nullptr ? WindowOf(*owner) : nullptr, L"Open", wideTarget.c_str(), L"", L"",
                  kShowNormally);
}

bool TWin32WindowSystem::ActivateWindow(std::string_view className, std::string_view title)
{
    const std::wstring wideClass = AnsiToWide(className);
    const std::wstring wideTitle = AnsiToWide(title);
    HWND window = FindWindowW(wideClass.c_str(), wideTitle.c_str());
    if (window == nullptr) return false;
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
    SetForegroundWindow(window);
    return true;
}

bool TWin32WindowSystem::InstallHandCursor(int id)
{
    HCURSOR cursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(id));
    if (cursor == nullptr) return false;
    m_hand = cursor;
    return true;
}

HCURSOR TWin32WindowSystem::CursorHandle(TCursor cursor) const
{
    switch (cursor) {
    case TCursor::crHandPoint:
        // Until the system's hand is installed the arrow stands in for it.
        return m_hand != nullptr ? m_hand : LoadCursorW(nullptr, IDC_ARROW);
    case TCursor::crIBeam: return LoadCursorW(nullptr, IDC_IBEAM);
    case TCursor::crSizeWE: return LoadCursorW(nullptr, IDC_SIZEWE);
    case TCursor::crDefault:
    case TCursor::crArrow: break;
    }
    return LoadCursorW(nullptr, IDC_ARROW);
}

void TWin32WindowSystem::SetCursor(TCursor cursor)
{
    m_cursor = cursor;
    ::SetCursor(CursorHandle(cursor));
}

bool TWin32WindowSystem::HandleMessage()
{
    MSG msg;
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
        m_quit = true;
        return true;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    return true;
}

bool TWin32WindowSystem::WaitAndHandleMessage()
{
    if (m_quit) return false;
    MSG msg;
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
        m_quit = true;
        return false;
    }
    if (got < 0) return false;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    return !m_quit;
}

void TWin32WindowSystem::Quit()
{
    // No WM_QUIT: it would stay in the thread's queue for whoever pumps next.
    // A null message wakes a waiting GetMessage instead.
    m_quit = true;
    if (m_timerWindow != nullptr) PostMessageW(m_timerWindow, WM_NULL, 0, 0);
}

HWND TWin32WindowSystem::WindowOf(const TControl& control)
{
    auto* window = dynamic_cast<TWindow*>(control.Peer());
    return window != nullptr ? window->Hwnd() : nullptr;
}

}  // namespace ui::win32

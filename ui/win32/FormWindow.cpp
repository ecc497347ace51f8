#include "Peers.h"
#include "Window.h"

namespace ui::win32 {

namespace {

// WM_DPICHANGED, which older headers may lack.
constexpr UINT kDpiChanged = 0x02E0;

// A form's top-level window with its native menu.
class TFormWindow : public IFormPeer, public TWindow {
public:
    static constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

    TFormWindow(TWin32WindowSystem& system, TForm& form) : TWindow(system, form), m_form(form) {
        const std::wstring className = AnsiToWide(form.ClassName());
        system.RegisterClassOnce(className, 0, &WindowProc);
        const std::wstring caption = ToWide(form.Caption());
        Attach(CreateWindowExW(0, className.c_str(), caption.c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT, 200, 100,
                               nullptr, nullptr, Instance(), nullptr));
        m_dpi = DpiOfWindow(m_hwnd);
    }
    ~TFormWindow() override { DestroyMenuBar(); }

    int Dpi() const override { return m_dpi; }

    void BoundsChanged() override { ApplyClientSize(); }
    void ShowingChanged() override {
        if (m_hwnd == nullptr) return;
        if (m_form.Visible()) {
            ShowWindow(m_hwnd, SW_SHOW);
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
    void CenterOnScreen() override {
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
    TPoint ClientOriginOnScreen() const override {
        POINT p{0, 0};
        if (m_hwnd != nullptr) ClientToScreen(m_hwnd, &p);
        return {p.x, p.y};
    }
    void Destroy() override {
        DestroyOwnWindow();
        DestroyMenuBar();
    }

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override {
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
    void RescaleChildren(TControl& control) {
        for (auto& child : control.Children()) {
            if (auto* window = dynamic_cast<TWindow*>(child->Peer())) window->DpiChanged();
            RescaleChildren(*child);
        }
    }

    void ApplyClientSize() {
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

    static void AppendItems(HMENU menu, const TMenuItem& parent) {
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

    void RebuildMenu() {
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

    void DestroyMenuBar() {
        if (m_menu == nullptr) return;
        if (m_hwnd != nullptr && GetMenu(m_hwnd) == m_menu) SetMenu(m_hwnd, nullptr);
        DestroyMenu(m_menu);
        m_menu = nullptr;
    }

    TForm& m_form;
    HMENU m_menu = nullptr;
    int m_dpi = 96;
};

}  // namespace

std::unique_ptr<IFormPeer> MakeFormWindow(TWin32WindowSystem& system, TForm& form) {
    return std::make_unique<TFormWindow>(system, form);
}

}  // namespace ui::win32

#include "AccessibleObject.h"
#include "Peers.h"
#include "Window.h"

namespace ui::win32 {

namespace {

// The window class of control's window: its own where it names one (so tools
// can find it), else the framework's.
std::wstring ClassNameOf(const TControl& control) {
    const std::u16string own = control.WindowClassName();
    return own.empty() ? std::wstring(kControlClass) : ToWide(own);
}

// Sets one native scroll bar of hwnd from scroll.
void ApplyScrollBar(HWND hwnd, int bar, const TScrollInfo& scroll) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = scroll.Visible() ? scroll.range - 1 : 0;
    info.nPage = scroll.Visible() ? static_cast<UINT>(scroll.page) : 0;
    info.nPos = scroll.position;
    SetScrollInfo(hwnd, bar, &info, TRUE);
    ShowScrollBar(hwnd, bar, scroll.Visible() ? TRUE : FALSE);
}

// A custom-drawn child window whose window text is its control's WindowText.
// It answers assistive tools for controls that expose an accessible source.
class TControlWindow : public IControlPeer, public TWindow {
public:
    TControlWindow(TWin32WindowSystem& system, TControl& control) : TWindow(system, control) {
        const std::wstring className = ClassNameOf(control);
        system.RegisterClassOnce(className, 0, &WindowProc);
        DWORD style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
        if (control.Visible()) style |= WS_VISIBLE;
        if (control.TabStop()) style |= WS_TABSTOP;
        if (!control.Enabled()) style |= WS_DISABLED;
        const std::wstring text = ToWide(control.WindowText());
        Attach(CreateWindowExW(0, className.c_str(), text.c_str(), style, 0, 0, 0, 0, HostWindow(), nullptr, Instance(),
                               nullptr));
        PlaceWindow();
    }
    void BoundsChanged() override { PlaceWindow(); }
    void ShowingChanged() override { TWindow::ShowingChanged(); }
    void TextChanged() override { TWindow::TextChanged(); }
    void EnabledChanged() override { TWindow::EnabledChanged(); }
    void Invalidate(const TRect& r) override { TWindow::Invalidate(r); }
    void TakeFocus() override { TWindow::TakeFocus(); }
    void CaptureMouse(bool capture) override { TWindow::CaptureMouse(capture); }
    void ScrollChanged() override {
        if (m_hwnd == nullptr) return;
        ApplyScrollBar(m_hwnd, SB_VERT, m_control.Scroll());
        ApplyScrollBar(m_hwnd, SB_HORZ, m_control.HorzScroll());
    }

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case WM_GETOBJECT:
                if (LRESULT answer = AnswerGetObject(m_hwnd, wParam, lParam); answer != 0) return answer;
                break;
            case WM_HSCROLL:
                if (lParam == 0) {
                    ScrollSidewaysByUser(LOWORD(wParam));
                    return 0;
                }
                break;
            default:
                break;
        }
        return TWindow::Handle(message, wParam, lParam);
    }

private:
    void ScrollSidewaysByUser(UINT request) {
        int position = 0;
        if (!PositionAfterScrollRequest(m_control.HorzScroll(), SB_HORZ, request, position)) return;
        Guarded([&] { m_control.HorzScrollTo(position); });
    }
};

}  // namespace

std::unique_ptr<IControlPeer> MakeControlWindow(TWin32WindowSystem& system, TControl& control) {
    return std::make_unique<TControlWindow>(system, control);
}

}  // namespace ui::win32

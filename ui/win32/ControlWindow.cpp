#include "Peers.h"
#include "Window.h"

namespace ui::win32 {

namespace {

// A custom-drawn child window whose window text is its control's WindowText.
class TControlWindow : public IControlPeer, public TWindow {
public:
    TControlWindow(TWin32WindowSystem& system, TControl& control) : TWindow(system, control) {
        system.RegisterClassOnce(kControlClass, 0, &WindowProc);
        DWORD style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
        if (control.Visible()) style |= WS_VISIBLE;
        if (control.TabStop()) style |= WS_TABSTOP;
        if (!control.Enabled()) style |= WS_DISABLED;
        const std::wstring text = ToWide(control.WindowText());
        Attach(CreateWindowExW(0, kControlClass, text.c_str(), style, 0, 0, 0, 0, HostWindow(), nullptr, Instance(),
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

}  // namespace

std::unique_ptr<IControlPeer> MakeControlWindow(TWin32WindowSystem& system, TControl& control) {
    return std::make_unique<TControlWindow>(system, control);
}

}  // namespace ui::win32

#include "GdiCanvas.h"
#include "GdiHandles.h"
#include "Peers.h"
#include "Window.h"

namespace ui::win32 {

namespace {

// Text space around a hint's text, in logical pixels.
constexpr int kHintPadding = 3;
// A hint's width when its owner gives none.
constexpr int kHintDefaultMaxWidth = 600;

// A hint: a small top-most pop-up with the text, which takes no activation.
class THintWindowPeer : public IHintPeer {
public:
    explicit THintWindowPeer(TWin32WindowSystem& system) : m_system(system) {
        system.RegisterClassOnce(kHintClass, CS_SAVEBITS, &THintWindowPeer::Proc);
    }
    ~THintWindowPeer() override {
        if (m_hwnd != nullptr) {
            SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, 0);
            DestroyWindow(m_hwnd);
        }
    }

    void Show(TForm& form, TPoint formClient, const std::u16string& text, int maxWidth) override {
        auto* formWindow = dynamic_cast<TWindow*>(form.Peer());
        if (formWindow == nullptr || formWindow->Hwnd() == nullptr) return;
        if (m_hwnd == nullptr) {
            m_hwnd =
                CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, kHintClass, L"",
                                WS_POPUP | WS_BORDER, 0, 0, 0, 0, formWindow->Hwnd(), nullptr, Instance(), nullptr);
            SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        }
        m_text = text;
        m_dpi = formWindow->Dpi();
        const std::wstring wide = ToWide(text);
        SetWindowTextW(m_hwnd, wide.c_str());

        // Measure the wrapped text with the hint's font at the form's resolution.
        RECT measure{0, 0, ScaleToDevice(maxWidth > 0 ? maxWidth : kHintDefaultMaxWidth, m_dpi), 0};
        {
            const TWindowDC screen(m_hwnd);
            TGdiCanvas canvas(screen.Get(), m_dpi, measure);
            const TSelectObject select(screen.Get(), canvas.FontHandle(TFont{}));
            ::DrawTextW(screen.Get(), wide.c_str(), static_cast<int>(wide.size()), &measure,
                        DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        }
        const int pad = ScaleToDevice(kHintPadding, m_dpi);
        POINT at{ScaleToDevice(formClient.x, m_dpi), ScaleToDevice(formClient.y, m_dpi)};
        ClientToScreen(formWindow->Hwnd(), &at);
        SetWindowPos(m_hwnd, HWND_TOPMOST, at.x, at.y, measure.right + 2 * pad + 2, measure.bottom + 2 * pad + 2,
                     SWP_NOACTIVATE | SWP_SHOWWINDOW);
        InvalidateRect(m_hwnd, nullptr, TRUE);
    }
    void Hide() override {
        if (m_hwnd != nullptr) ShowWindow(m_hwnd, SW_HIDE);
    }

    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<THintWindowPeer*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self != nullptr && message == WM_PAINT) {
            const TPaintDC paint(hwnd);
            RECT client;
            GetClientRect(hwnd, &client);
            {
                TGdiCanvas canvas(paint.Get(), self->m_dpi, client);
                const TRect r{0, 0, ScaleToLogical(client.right, self->m_dpi),
                              ScaleToLogical(client.bottom, self->m_dpi)};
                canvas.FillRect(r, clInfoBk);
                canvas.DrawText(r.Inflate(-kHintPadding, -kHintPadding), self->m_text, TFont{}.WithColor(clInfoText),
                                tfWordWrap | tfNoPrefix);
            }
            return 0;
        }
        if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
        // Destroyed with its owner form: forget the handle.
        if (self != nullptr && message == WM_NCDESTROY) self->m_hwnd = nullptr;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }

private:
    TWin32WindowSystem& m_system;
    HWND m_hwnd = nullptr;
    std::u16string m_text;
    int m_dpi = 96;
};

}  // namespace

std::unique_ptr<IHintPeer> MakeHintPeer(TWin32WindowSystem& system) {
    return std::make_unique<THintWindowPeer>(system);
}

}  // namespace ui::win32

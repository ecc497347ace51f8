#include "GdiHandles.h"
#include "Peers.h"
#include "Window.h"
#include "ui/ComboEdit.h"
#include "ui/Edit.h"

namespace ui::win32 {

namespace {

LRESULT CALLBACK NativeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The system's EDIT or COMBOBOX window as an in-place editor. Keys reach the
// form (and so the editor's OnKeyDown) before the system's handling.
class TEditWindow : public IControlPeer, public TWindow {
public:
    TEditWindow(TWin32WindowSystem& system, TEdit& edit, bool combo)
        : TWindow(system, edit), m_edit(edit), m_combo(combo) {
        DWORD style = WS_CHILD | WS_TABSTOP | WS_CLIPSIBLINGS;
        if (edit.Visible()) style |= WS_VISIBLE;
        if (!edit.Enabled()) style |= WS_DISABLED;
        style |= combo ? (CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL) : (ES_AUTOHSCROLL | ES_LEFT);
        const std::wstring text = ToWide(edit.Text());
        Attach(CreateWindowExW(0, combo ? L"COMBOBOX" : L"EDIT", text.c_str(), style, 0, 0, 0, 0, HostWindow(), nullptr,
                               Instance(), nullptr));
        if (m_hwnd == nullptr) return;
        m_oldProc =
            reinterpret_cast<WNDPROC>(SetWindowLongPtrW(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NativeProc)));
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
    ~TEditWindow() override {
        if (m_inner != nullptr) {
            SetWindowLongPtrW(m_inner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_innerOldProc));
            RemovePropW(m_inner, kPeerProperty);
        }
        if (m_hwnd != nullptr) SetWindowLongPtrW(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_oldProc));
        // The font (a member) goes after the window that used it.
        DestroyOwnWindow();
    }

    void BoundsChanged() override { PlaceWindow(); }
    void ShowingChanged() override { TWindow::ShowingChanged(); }
    void TextChanged() override { TWindow::TextChanged(); }
    void EnabledChanged() override { TWindow::EnabledChanged(); }
    void Invalidate(const TRect&) override {}  // the system draws the field
    void TakeFocus() override {
        HWND target = m_inner != nullptr ? m_inner : m_hwnd;
        if (target != nullptr && GetFocus() != target) SetFocus(target);
    }
    void CaptureMouse(bool) override {}
    void ItemsChanged() override {
        if (!m_combo || m_hwnd == nullptr) return;
        const std::wstring text = ToWide(m_edit.Text());
        SendMessageW(m_hwnd, CB_RESETCONTENT, 0, 0);
        for (const std::u16string& item : static_cast<TComboEdit&>(m_edit).Items()) {
            const std::wstring line = ToWide(item);
            SendMessageW(m_hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
        }
        SetWindowTextW(m_hwnd, text.c_str());
    }
    bool DroppedDown() const override {
        return m_combo && m_hwnd != nullptr && SendMessageW(m_hwnd, CB_GETDROPPEDSTATE, 0, 0) != 0;
    }
    void SelectAll() override {
        if (m_hwnd == nullptr) return;
        if (m_combo)
            SendMessageW(m_hwnd, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
        else
            SendMessageW(m_hwnd, EM_SETSEL, 0, -1);
    }
    void DpiChanged() override {
        ApplyFont();
        PlaceWindow();
    }

    void Notify(UINT code) override {
        if ((!m_combo && code == EN_CHANGE) || (m_combo && code == CBN_EDITCHANGE)) {
            Guarded([&] { m_edit.TextEditedByUser(WindowTextOf(m_hwnd)); });
        } else if (m_combo && code == CBN_SELCHANGE) {
            const auto index = static_cast<int>(SendMessageW(m_hwnd, CB_GETCURSEL, 0, 0));
            Guarded([&] { static_cast<TComboEdit&>(m_edit).SelectItem(index); });
        }
    }

    // The subclassed window procedure's work, for the box and its inner field.
    LRESULT HandleNative(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
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
    int ExtraHeight(int height) const override {
        // A combo box's window height includes its open list.
        if (!m_combo || m_hwnd == nullptr) return height;
        const auto itemHeight = static_cast<int>(SendMessageW(m_hwnd, CB_GETITEMHEIGHT, 0, 0));
        return height + std::max(1, itemHeight) * TComboEdit::kDropDownCount + 2;
    }

private:
    void ApplyFont() {
        if (m_hwnd == nullptr) return;
        TGdiObject<HFONT> font(CreateFontAt(m_edit.Font(), Dpi()));
        SendMessageW(m_hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
        // The window now draws with the new font: the old one can go.
        m_font = std::move(font);
    }

    TEdit& m_edit;
    bool m_combo;
    HWND m_inner = nullptr;
    WNDPROC m_oldProc = nullptr;
    WNDPROC m_innerOldProc = nullptr;
    TGdiObject<HFONT> m_font;
};

LRESULT CALLBACK NativeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
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

std::unique_ptr<IControlPeer> MakeEditWindow(TWin32WindowSystem& system, TEdit& edit, bool combo) {
    return std::make_unique<TEditWindow>(system, edit, combo);
}

}  // namespace ui::win32

#pragma once

// Small helpers and names shared by the Win32 backend's windows.
#include <algorithm>
#include <string>
#include <string_view>

#include "GdiHandles.h"
#include "WinApi.h"
#include "platform/CodePage.h"
#include "ui/Events.h"

namespace ui::win32 {

// The window property that links each of our windows (native ones included) to its peer.
inline constexpr const wchar_t* kPeerProperty = L"PelmiraPeer";
// Window classes of the custom-drawn controls, the hint pop-up and the hidden timer window.
inline constexpr const wchar_t* kControlClass = L"PelmiraControl";
inline constexpr const wchar_t* kHintClass = L"PelmiraHint";
inline constexpr const wchar_t* kTimerClass = L"PelmiraTimers";

// Widget text as the W functions take it (wchar_t is UTF-16 on Windows).
inline std::wstring ToWide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }
// Program text (ANSI code page) for the W functions.
inline std::wstring AnsiToWide(std::string_view text) { return ToWide(platform::AnsiToUtf16(text)); }

// The window text of hwnd.
inline std::u16string WindowTextOf(HWND hwnd) {
    const int length = GetWindowTextLengthW(hwnd);
    std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(hwnd, buffer.data(), length + 1);
    return std::u16string(buffer.begin(), buffer.begin() + std::max(0, got));
}

// The module that owns our window classes.
inline HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

// The resolution (dots per inch) hwnd is shown at.
inline int DpiOfWindow(HWND hwnd) {
    // GetDpiForWindow exists from Windows 10 1607 on; older systems have one resolution for all.
    using TGetDpiForWindow = UINT(WINAPI*)(HWND);
    static const auto getDpi = reinterpret_cast<TGetDpiForWindow>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpi != nullptr && hwnd != nullptr) {
        const UINT dpi = getDpi(hwnd);
        if (dpi > 0) return static_cast<int>(dpi);
    }
    const TWindowDC screen(nullptr);
    const int dpi = GetDeviceCaps(screen.Get(), LOGPIXELSY);
    return dpi > 0 ? dpi : 96;
}

// The key of a virtual-key code.
inline TKey MapKey(WPARAM vk) {
    switch (vk) {
        case VK_TAB:
            return TKey::kTab;
        case VK_RETURN:
            return TKey::kEnter;
        case VK_ESCAPE:
            return TKey::kEscape;
        case VK_SPACE:
            return TKey::kSpace;
        case VK_UP:
            return TKey::kUp;
        case VK_DOWN:
            return TKey::kDown;
        case VK_LEFT:
            return TKey::kLeft;
        case VK_RIGHT:
            return TKey::kRight;
        case VK_HOME:
            return TKey::kHome;
        case VK_END:
            return TKey::kEnd;
        case VK_PRIOR:
            return TKey::kPageUp;
        case VK_NEXT:
            return TKey::kPageDown;
        case VK_OEM_PLUS:
            return TKey::kPlus;
        case VK_OEM_MINUS:
            return TKey::kMinus;
        case VK_F4:
            return TKey::kF4;
        default:
            return TKey::kOther;
    }
}

// The modifier keys held now.
inline TShiftState CurrentShift() {
    TShiftState shift = ssNone;
    if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
    return shift;
}

}  // namespace ui::win32

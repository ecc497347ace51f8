#pragma once

// What the end-to-end driver reads of a window: its native menu (looked up by
// caption path) and the rows that a custom-drawn control exposes through
// IAccessible. Used both from outside the program (pelmira-drive.exe) and from
// inside it (the hook library), because some systems keep menus per process.
#include <windows.h>
// (windows.h first)
#include <oleacc.h>

#include <string>
#include <vector>

namespace drive {

// A menu caption as the user reads it: without "&" marks, the accelerator text
// after a tab, and surrounding blanks.
inline std::wstring PlainCaption(std::wstring caption) {
    const size_t tab = caption.find(L'\t');
    if (tab != std::wstring::npos) caption.resize(tab);
    std::wstring out;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == L'&') {
            if (i + 1 < caption.size() && caption[i + 1] == L'&') out += caption[++i];
            continue;
        }
        out += caption[i];
    }
    const size_t first = out.find_first_not_of(L' ');
    if (first == std::wstring::npos) return {};
    return out.substr(first, out.find_last_not_of(L' ') - first + 1);
}

// Splits "Top|Item|Sub" at "|".
inline std::vector<std::wstring> SplitPath(const std::wstring& path) {
    std::vector<std::wstring> parts;
    size_t start = 0;
    for (;;) {
        const size_t bar = path.find(L'|', start);
        parts.push_back(PlainCaption(path.substr(start, bar == std::wstring::npos ? bar : bar - start)));
        if (bar == std::wstring::npos) return parts;
        start = bar + 1;
    }
}

// Result of a menu lookup: found, absent (the path names no item) or unreadable
// (the menu belongs to another process and the system does not let us read it).
enum class TMenuLookup { mlFound, mlAbsent, mlUnreadable };

// Finds the command id of the item at the caption path in the window's menu bar.
inline TMenuLookup FindMenuCommand(HWND window, const std::wstring& path, UINT& id, bool& enabled) {
    HMENU menu = GetMenu(window);
    if (menu == nullptr) return TMenuLookup::mlAbsent;
    const std::vector<std::wstring> parts = SplitPath(path);
    for (size_t level = 0; level < parts.size(); ++level) {
        const int count = GetMenuItemCount(menu);
        if (count < 0) return TMenuLookup::mlUnreadable;
        int found = -1;
        for (int i = 0; i < count && found < 0; ++i) {
            wchar_t text[256] = {};
            GetMenuStringW(menu, static_cast<UINT>(i), text, 255, MF_BYPOSITION);
            if (PlainCaption(text) == parts[level]) found = i;
        }
        if (found < 0) return TMenuLookup::mlAbsent;
        if (level + 1 < parts.size()) {
            menu = GetSubMenu(menu, found);
            if (menu == nullptr) return TMenuLookup::mlAbsent;
            continue;
        }
        if (GetSubMenu(menu, found) != nullptr) return TMenuLookup::mlAbsent;
        id = GetMenuItemID(menu, found);
        enabled = (GetMenuState(menu, static_cast<UINT>(found), MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED)) == 0;
        return TMenuLookup::mlFound;
    }
    return TMenuLookup::mlAbsent;
}

// One child of an accessible control as read through IAccessible.
struct TAccRow {
    std::wstring name;
    std::wstring value;
    long role = 0;
    long state = 0;  // STATE_SYSTEM_* bits
    RECT screen{};   // location on the screen (empty when the control does not say)
};

// What a control exposes: its role, its name and its children. ok is false
// when the control gives no IAccessible; error then says why.
struct TAccReading {
    bool ok = false;
    std::wstring error;
    long role = 0;
    std::wstring name;
    std::vector<TAccRow> rows;
};

inline std::wstring TakeBstr(BSTR text) {
    std::wstring out = text != nullptr ? std::wstring(text, SysStringLen(text)) : std::wstring();
    SysFreeString(text);
    return out;
}

inline long RoleOf(IAccessible* acc, VARIANT child) {
    VARIANT role;
    VariantInit(&role);
    long out = 0;
    if (SUCCEEDED(acc->get_accRole(child, &role)) && role.vt == VT_I4) out = role.lVal;
    VariantClear(&role);
    return out;
}

// Reads the control's IAccessible (OBJID_CLIENT) and its children 1 to count,
// at most maxRows of them. COM must be initialised on the calling thread.
inline TAccReading ReadAccessible(HWND control, long maxRows) {
    TAccReading reading;
    IAccessible* acc = nullptr;
    const HRESULT hr = AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                                  reinterpret_cast<void**>(&acc));
    if (FAILED(hr) || acc == nullptr) {
        wchar_t text[64];
        wsprintfW(text, L"AccessibleObjectFromWindow failed (0x%08lx)", static_cast<unsigned long>(hr));
        reading.error = text;
        return reading;
    }
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    reading.role = RoleOf(acc, self);
    BSTR name = nullptr;
    if (SUCCEEDED(acc->get_accName(self, &name))) reading.name = TakeBstr(name);
    long count = 0;
    acc->get_accChildCount(&count);
    for (long i = 1; i <= count && i <= maxRows; ++i) {
        VARIANT child;
        VariantInit(&child);
        child.vt = VT_I4;
        child.lVal = i;
        TAccRow row;
        BSTR text = nullptr;
        if (SUCCEEDED(acc->get_accName(child, &text))) row.name = TakeBstr(text);
        text = nullptr;
        if (SUCCEEDED(acc->get_accValue(child, &text))) row.value = TakeBstr(text);
        row.role = RoleOf(acc, child);
        VARIANT state;
        VariantInit(&state);
        if (SUCCEEDED(acc->get_accState(child, &state)) && state.vt == VT_I4) row.state = state.lVal;
        VariantClear(&state);
        long x = 0, y = 0, w = 0, h = 0;
        if (SUCCEEDED(acc->accLocation(&x, &y, &w, &h, child))) row.screen = RECT{x, y, x + w, y + h};
        reading.rows.push_back(std::move(row));
    }
    acc->Release();
    reading.ok = true;
    return reading;
}

// The request block shared between the driver and its hook inside the
// program: the driver writes a request and sets state 1; the hook answers,
// sets state 2.
inline constexpr const wchar_t* kRequestMapping = L"PelmiraDriveRequestBlock";
inline constexpr const wchar_t* kRequestMessage = L"PelmiraDriveRequest";
inline constexpr size_t kRequestChars = 1024;
inline constexpr size_t kReplyChars = 256 * 1024;
struct TRequestBlock {
    volatile LONG state;
    wchar_t request[kRequestChars];
    wchar_t reply[kReplyChars];
};

}  // namespace drive

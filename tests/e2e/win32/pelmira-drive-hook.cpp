// The driver's helper inside the program under test: a message hook that the
// driver installs on the program's window thread. When the driver posts its
// request message, the hook answers the request in the program's own process
// (looking up and invoking a menu item, reading a control's accessible rows),
// for systems that do not let another process read a window's menu.
#include "DriveProbe.h"

namespace {

HANDLE g_mapping = nullptr;
drive::TRequestBlock* g_block = nullptr;

drive::TRequestBlock* Block() {
    if (g_block != nullptr) return g_block;
    g_mapping = OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, drive::kRequestMapping);
    if (g_mapping == nullptr) return nullptr;
    g_block = static_cast<drive::TRequestBlock*>(MapViewOfFile(g_mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
    return g_block;
}

void Reply(drive::TRequestBlock& block, const std::wstring& text) {
    const size_t n = text.size() < drive::kReplyChars - 1 ? text.size() : drive::kReplyChars - 1;
    text.copy(block.reply, n);
    block.reply[n] = 0;
    InterlockedExchange(&block.state, 2);
}

// Requests are "verb\targument[\targument]".
void Answer(HWND window, drive::TRequestBlock& block) {
    const std::wstring request(block.request);
    const size_t tab = request.find(L'\t');
    const std::wstring verb = request.substr(0, tab);
    const std::wstring argument = tab == std::wstring::npos ? std::wstring() : request.substr(tab + 1);
    if (verb == L"menu" || verb == L"menu?") {
        UINT id = 0;
        bool enabled = false;
        const drive::TMenuLookup found = drive::FindMenuCommand(window, argument, id, enabled);
        if (found != drive::TMenuLookup::mlFound) return Reply(block, L"absent");
        if (verb == L"menu?") return Reply(block, enabled ? L"enabled" : L"disabled");
        if (!enabled) return Reply(block, L"disabled");
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
        return Reply(block, L"invoked");
    }
    if (verb == L"rows") {
        const size_t second = argument.find(L'\t');
        HWND control = reinterpret_cast<HWND>(static_cast<INT_PTR>(wcstoll(argument.c_str(), nullptr, 16)));
        const long maxRows = second == std::wstring::npos ? 100000 : wcstol(argument.c_str() + second + 1, nullptr, 10);
        const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        const drive::TAccReading reading = drive::ReadAccessible(control, maxRows);
        if (SUCCEEDED(com)) CoUninitialize();
        if (!reading.ok) return Reply(block, L"error\x1f" + reading.error);
        // Fields are separated by 0x1F and rows by 0x1E: names hold tabs.
        std::wstring out = L"ok\x1f" + std::to_wstring(reading.role) + L"\x1f" + reading.name;
        for (const drive::TAccRow& row : reading.rows) {
            out += L"\x1e" + row.name + L"\x1f" + row.value + L"\x1f" + std::to_wstring(row.role) + L"\x1f" +
                   std::to_wstring(row.state);
            for (long v : {row.screen.left, row.screen.top, row.screen.right, row.screen.bottom})
                out += L"\x1f" + std::to_wstring(v);
        }
        return Reply(block, out);
    }
    Reply(block, L"unknown request");
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK DriveHookProc(int code, WPARAM wParam, LPARAM lParam) {
    static const UINT requestMessage = RegisterWindowMessageW(drive::kRequestMessage);
    if (code == HC_ACTION && wParam == PM_REMOVE) {
        MSG* msg = reinterpret_cast<MSG*>(lParam);
        if (msg->message == requestMessage) {
            if (drive::TRequestBlock* block = Block(); block != nullptr && block->state == 1) Answer(msg->hwnd, *block);
            msg->message = WM_NULL;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_DETACH) {
        if (g_block != nullptr) UnmapViewOfFile(g_block);
        if (g_mapping != nullptr) CloseHandle(g_mapping);
    }
    return TRUE;
}

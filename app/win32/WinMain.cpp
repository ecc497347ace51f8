// The program's entry point: a second start brings the running window to the
// front and ends; the first creates the main window and runs until it closes.
#include <windows.h>

#include "app/AppTexts.h"
#include "app/DataFolder.h"
#include "app/MainForm.h"
#include "net/NetAntiFreeze.h"
#include "platform/Registry.h"
#include "ui/NativeWindowSystem.h"

#include <memory>
#include <string>

namespace {

// The icon resource of pelmira.rc.
constexpr int kAppIconId = 1;

// Gives the main window the program's icon in its caption and task bar button,
// at the sizes the window's display asks for.
void SetWindowIcons() {
    HWND window = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM found) -> BOOL {
            wchar_t name[64] = {};
            GetClassNameW(hwnd, name, 64);
            if (std::wstring(name) != L"TMainForm") return TRUE;
            *reinterpret_cast<HWND*>(found) = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&window));
    if (window == nullptr) return;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    const auto load = [instance](int metricX, int metricY) {
        return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kAppIconId), IMAGE_ICON,
                                             GetSystemMetrics(metricX), GetSystemMetrics(metricY), LR_SHARED));
    };
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(load(SM_CXICON, SM_CYICON)));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(load(SM_CXSMICON, SM_CYSMICON)));
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    auto system = ui::CreateNativeWindowSystem();
    ui::TApplication application(*system);
    if (application.ActivateRunningInstance(app::kMainClassName, app::kAppTitle)) return 0;
    application.SetTitle(std::string(app::kAppTitle));
    // Network waits handle the window's messages, so the window stays responsive.
    net::TNetAntiFreeze antiFreeze(application);
    application.CreateForm<app::TMainForm>(app::DefaultDataFolder(), [] { return platform::OpenMachineRegistry(); });
    SetWindowIcons();
    application.Run();
    return 0;
}

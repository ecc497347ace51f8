#include "Win32WindowSystem.h"

#include <algorithm>
#include <vector>

#include "GdiCanvas.h"
#include "Peers.h"
#include "Window.h"
#include "WindowHelpers.h"
#include "ui/Edit.h"
#include "ui/NativeWindowSystem.h"
#include "ui/Timer.h"

namespace ui {

std::unique_ptr<IWindowSystem> CreateNativeWindowSystem() { return std::make_unique<win32::TWin32WindowSystem>(); }

}  // namespace ui

namespace ui::win32 {

namespace {

// Owns the memory device context of a measuring canvas; it is deleted after
// the canvas restored it.
struct TMemoryDc {
    TMemoryDc() : dc(CreateCompatibleDC(nullptr)) {}
    ~TMemoryDc() {
        if (dc != nullptr) DeleteDC(dc);
    }
    TMemoryDc(const TMemoryDc&) = delete;
    TMemoryDc& operator=(const TMemoryDc&) = delete;
    HDC dc;
};

class TMeasuringCanvas : private TMemoryDc, public TGdiCanvas {
public:
    TMeasuringCanvas() : TMemoryDc(), TGdiCanvas(TMemoryDc::dc, 96, RECT{0, 0, 1, 1}) {}
};

LRESULT CALLBACK TimerWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* system = reinterpret_cast<TWin32WindowSystem*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (system != nullptr && message == WM_TIMER) {
        auto it = system->Timers().find(wParam);
        if (it != system->Timers().end()) it->second->Fire();
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

TWin32WindowSystem::TWin32WindowSystem() {
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

TWin32WindowSystem::~TWin32WindowSystem() {
    if (m_timerWindow != nullptr) {
        SetWindowLongPtrW(m_timerWindow, GWLP_USERDATA, 0);
        DestroyWindow(m_timerWindow);
    }
}

void TWin32WindowSystem::RegisterClassOnce(const std::wstring& name, UINT style, WNDPROC procedure) {
    if (m_classes.count(name) != 0) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = style;
    wc.lpfnWndProc = procedure;
    wc.hInstance = Instance();
    wc.hCursor = nullptr;  // WM_SETCURSOR decides
    wc.lpszClassName = name.c_str();
    // A class left registered by an earlier window system of this process is fine as it is.
    if (RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS) m_classes.insert(name);
}

std::unique_ptr<IFormPeer> TWin32WindowSystem::CreateFormPeer(TForm& form) { return MakeFormWindow(*this, form); }

std::unique_ptr<IControlPeer> TWin32WindowSystem::CreateControlPeer(TControl& control) {
    switch (control.WindowKind()) {
        case TWindowKind::wkNone:
            return nullptr;
        case TWindowKind::wkEdit:
            return MakeEditWindow(*this, static_cast<TEdit&>(control), false);
        case TWindowKind::wkComboEdit:
            return MakeEditWindow(*this, static_cast<TEdit&>(control), true);
        case TWindowKind::wkCustom:
            break;
    }
    return MakeControlWindow(*this, control);
}

std::unique_ptr<ITimerPeer> TWin32WindowSystem::CreateTimerPeer(TTimer& timer) { return MakeTimerPeer(*this, timer); }

std::unique_ptr<IHintPeer> TWin32WindowSystem::CreateHintPeer() { return MakeHintPeer(*this); }

TModalResult TWin32WindowSystem::ShowMessageBox(TForm* owner, std::string_view text, std::string_view caption,
                                                TMessageBoxKind kind) {
    HWND ownerWindow = owner != nullptr ? WindowOf(*owner) : nullptr;
    UINT flags = kind == TMessageBoxKind::mbConfirm ? (MB_YESNO | MB_ICONQUESTION) : MB_OK;
    if (ownerWindow == nullptr) flags |= MB_TASKMODAL;
    const std::wstring wideText = AnsiToWide(text);
    const std::wstring wideCaption = AnsiToWide(caption);
    switch (MessageBoxW(ownerWindow, wideText.c_str(), wideCaption.c_str(), flags)) {
        case IDOK:
            return TModalResult::mrOk;
        case IDYES:
            return TModalResult::mrYes;
        case IDNO:
            return TModalResult::mrNo;
        default:
            return TModalResult::mrNone;
    }
}

void TWin32WindowSystem::ShellOpen(TForm* owner, std::string_view target) {
    constexpr int kShowNormally = 5;  // SW_SHOW
    const std::wstring wideTarget = AnsiToWide(target);
    // The extended call with "no UI": a target the shell cannot open is not
    // reported to the user, here or by the shell.
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner != nullptr ? WindowOf(*owner) : nullptr;
    info.lpVerb = L"Open";
    info.lpFile = wideTarget.c_str();
    info.lpParameters = L"";
    info.lpDirectory = L"";
    info.nShow = kShowNormally;
    ShellExecuteExW(&info);
}

bool TWin32WindowSystem::ActivateWindow(std::string_view className, std::string_view title) {
    const std::wstring wideClass = AnsiToWide(className);
    const std::wstring wideTitle = AnsiToWide(title);
    HWND window = FindWindowW(wideClass.c_str(), wideTitle.c_str());
    if (window == nullptr) return false;
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
    SetForegroundWindow(window);
    return true;
}

bool TWin32WindowSystem::InstallHandCursor(int id) {
    HCURSOR cursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(id));
    if (cursor == nullptr) return false;
    m_hand = cursor;
    return true;
}

HCURSOR TWin32WindowSystem::CursorHandle(TCursor cursor) const {
    switch (cursor) {
        case TCursor::crHandPoint:
            // Until the system's hand is installed the arrow stands in for it.
            return m_hand != nullptr ? m_hand : LoadCursorW(nullptr, IDC_ARROW);
        case TCursor::crIBeam:
            return LoadCursorW(nullptr, IDC_IBEAM);
        case TCursor::crSizeWE:
            return LoadCursorW(nullptr, IDC_SIZEWE);
        case TCursor::crDefault:
        case TCursor::crArrow:
            break;
    }
    return LoadCursorW(nullptr, IDC_ARROW);
}

void TWin32WindowSystem::SetCursor(TCursor cursor) {
    m_cursor = cursor;
    ::SetCursor(CursorHandle(cursor));
}

std::unique_ptr<ICanvas> TWin32WindowSystem::CreateMeasuringCanvas() { return std::make_unique<TMeasuringCanvas>(); }

bool TWin32WindowSystem::HandleMessage() {
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

bool TWin32WindowSystem::WaitAndHandleMessage() {
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

void TWin32WindowSystem::Quit() {
    // No WM_QUIT: it would stay in the thread's queue for whoever pumps next.
    // A null message wakes a waiting GetMessage instead.
    m_quit = true;
    if (m_timerWindow != nullptr) PostMessageW(m_timerWindow, WM_NULL, 0, 0);
}

HWND TWin32WindowSystem::WindowOf(const TControl& control) {
    auto* window = dynamic_cast<TWindow*>(control.Peer());
    return window != nullptr ? window->Hwnd() : nullptr;
}

}  // namespace ui::win32

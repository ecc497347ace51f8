#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "DemoForm.h"
#include "GdiCanvas.h"
#include "Win32WindowSystem.h"
#include "ui/Shape.h"
#include "ui/Timer.h"

namespace ui::win32 {
namespace {

using demo::TDemoForm;

constexpr DWORD kWaitLimitMs = 5000;

// Handles messages until done() holds or the time limit passes; returns done().
bool PumpUntil(TApplication& app, const std::function<bool()>& done, DWORD limitMs = kWaitLimitMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > limitMs) return false;
        app.ProcessMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

// The id of the menu item with this text, searching popups depth first; 0 when none.
UINT FindMenuItem(HMENU menu, const std::wstring& text) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (HMENU popup = GetSubMenu(menu, i)) {
            if (UINT id = FindMenuItem(popup, text)) return id;
            continue;
        }
        wchar_t buffer[256] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), buffer, 256, MF_BYPOSITION);
        if (text == buffer) return GetMenuItemID(menu, i);
    }
    return 0;
}

// The screen's resolution, which the layout is scaled to.
int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

std::wstring TextOf(HWND hwnd) {
    wchar_t buffer[512] = {};
    SendMessageW(hwnd, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

// The texts of all descendant windows of parent.
std::vector<std::wstring> ChildTexts(HWND parent) {
    std::vector<std::wstring> texts;
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM out) -> BOOL {
            reinterpret_cast<std::vector<std::wstring>*>(out)->push_back(TextOf(child));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&texts));
    return texts;
}

bool Contains(const std::vector<std::wstring>& texts, const std::wstring& text) {
    for (const auto& t : texts)
        if (t == text) return true;
    return false;
}

class Win32Backend : public ::testing::Test {
protected:
    Win32Backend() : app(system), form(app.CreateForm<TDemoForm>()) {
        app.SetTitle("Pelmira UI Test");
        form.Show();
        app.ProcessMessages();
    }

    HWND FormWindow() const { return TWin32WindowSystem::WindowOf(form); }

    TWin32WindowSystem system;
    TApplication app;
    TDemoForm& form;
};

TEST_F(Win32Backend, FormIsATopLevelWindowOfItsClassWithTheClientSize) {
    HWND hwnd = FormWindow();
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(FindWindowW(L"TPelmiraUiDemo", L"Pelmira UI Demo"), hwnd);
    EXPECT_TRUE(IsWindowVisible(hwnd));
    const int dpi = ScreenDpi();
    // The layout is in 96-per-inch pixels, scaled to the screen's resolution.
    RECT client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, MulDiv(420, dpi, 96));
    EXPECT_EQ(client.bottom, MulDiv(240, dpi, 96));
    RECT link;
    GetWindowRect(TWin32WindowSystem::WindowOf(form.link), &link);
    MapWindowPoints(nullptr, TWin32WindowSystem::WindowOf(form.bar), reinterpret_cast<POINT*>(&link), 2);
    EXPECT_EQ(link.left, MulDiv(8, dpi, 96));
    EXPECT_EQ(link.top, MulDiv(6, dpi, 96));
    EXPECT_EQ(link.right - link.left, MulDiv(128, dpi, 96) - MulDiv(8, dpi, 96));
}

TEST_F(Win32Backend, LayoutFollowsAChangeOfResolution) {
    // What the system sends when the window moves to a monitor of 192 dots per inch.
    RECT window;
    GetWindowRect(FormWindow(), &window);
    RECT suggested{window.left, window.top, window.left + 2 * (window.right - window.left),
                   window.top + 2 * (window.bottom - window.top)};
    SendMessageW(FormWindow(), 0x02E0, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    RECT client;
    GetClientRect(FormWindow(), &client);
    EXPECT_EQ(client.right, 840);
    EXPECT_EQ(client.bottom, 480);
    RECT button;
    GetWindowRect(TWin32WindowSystem::WindowOf(form.button), &button);
    MapWindowPoints(nullptr, FormWindow(), reinterpret_cast<POINT*>(&button), 2);
    EXPECT_EQ(button.left, 660);
    EXPECT_EQ(button.top, 400);
    EXPECT_EQ(button.right - button.left, 150);
    // Input comes back in layout pixels: a click at the device position of the link hits it.
    HWND link = TWin32WindowSystem::WindowOf(form.link);
    SendMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 10));
    SendMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(40, 10));
    EXPECT_EQ(form.Clicks(), 1);
}

TEST_F(Win32Backend, MenuItemsAreFoundByTextAndClickedWithWmCommand) {
    HWND hwnd = FormWindow();
    const UINT count = FindMenuItem(GetMenu(hwnd), L"Count");
    ASSERT_NE(count, 0u);
    PostMessageW(hwnd, WM_COMMAND, count, 0);
    EXPECT_TRUE(PumpUntil(app, [&] { return form.Clicks() == 1; }));

    const UINT hide = FindMenuItem(GetMenu(hwnd), L"Hide Link");
    ASSERT_NE(hide, 0u);
    PostMessageW(hwnd, WM_COMMAND, hide, 0);
    EXPECT_TRUE(PumpUntil(app, [&] { return !form.link.Visible(); }));
    EXPECT_EQ(FindMenuItem(GetMenu(hwnd), L"Hide Link"), 0u);
    EXPECT_EQ(FindMenuItem(GetMenu(hwnd), L"Show Link"), hide);
    EXPECT_FALSE(IsWindowVisible(TWin32WindowSystem::WindowOf(form.link)));

    // A hidden item is not in the native menu at all, and its id does nothing.
    form.countItem.SetVisible(false);
    EXPECT_EQ(FindMenuItem(GetMenu(hwnd), L"Count"), 0u);
    SendMessageW(hwnd, WM_COMMAND, count, 0);
    EXPECT_EQ(form.Clicks(), 1);
    form.countItem.SetVisible(true);
    EXPECT_EQ(FindMenuItem(GetMenu(hwnd), L"Count"), count);
}

TEST_F(Win32Backend, TimerFiresWhileEnabledOnly) {
    TTimer timer(form);
    int ticks = 0;
    timer.OnTimer = [&](TTimer&) { ++ticks; };
    timer.SetInterval(20);
    timer.SetEnabled(true);
    EXPECT_TRUE(PumpUntil(app, [&] { return ticks >= 2; }));
    timer.SetEnabled(false);
    const int stopped = ticks;
    PumpUntil(
        app, [] { return false; }, 150);
    EXPECT_EQ(ticks, stopped);
    // The demo's own half-second blink timer runs beside it.
    EXPECT_TRUE(PumpUntil(app, [&] { return form.Ticks() > 0; }));
}

// Answers the next message box of this thread with a button, from a thread
// timer that runs inside the box's own message loop; records what the box showed.
struct TBoxAnswer {
    static inline int button = IDOK;
    static inline std::wstring caption;
    static inline std::vector<std::wstring> texts;
    static inline DWORD started = 0;

    static void Arm(int answer) {
        button = answer;
        caption.clear();
        texts.clear();
        started = GetTickCount();
        SetTimer(nullptr, 0, 50, &Tick);
    }

    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
        HWND box = nullptr;
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND hwnd, LPARAM out) -> BOOL {
                wchar_t cls[32] = {};
                GetClassNameW(hwnd, cls, 32);
                if (std::wstring(cls) == L"#32770" && IsWindowVisible(hwnd)) {
                    *reinterpret_cast<HWND*>(out) = hwnd;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&box));
        if (box == nullptr) {
            if (GetTickCount() - started > kWaitLimitMs) KillTimer(nullptr, id);  // no box ever came
            return;
        }
        KillTimer(nullptr, id);
        caption = TextOf(box);
        texts = ChildTexts(box);
        PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(button), 0);
    }
};

TEST_F(Win32Backend, ConfirmationBoxIsAnsweredProgrammatically) {
    TBoxAnswer::Arm(IDNO);
    EXPECT_EQ(app.Confirm("Start the online scan?"), TModalResult::mrNo);
    EXPECT_EQ(TBoxAnswer::caption, L"Pelmira UI Test");
    EXPECT_TRUE(Contains(TBoxAnswer::texts, L"Start the online scan?"));
    EXPECT_TRUE(Contains(TBoxAnswer::texts, L"&Yes") || Contains(TBoxAnswer::texts, L"Yes"));

    TBoxAnswer::Arm(IDYES);
    EXPECT_EQ(app.Confirm("Again?"), TModalResult::mrYes);
}

TEST_F(Win32Backend, DefaultErrorReportIsAPlainBoxAndTheProgramGoesOn) {
    TBoxAnswer::Arm(IDOK);
    form.button.OnClick = [](TControl&) { throw std::runtime_error("Cell out of bounds (9, 0)"); };
    HWND button = TWin32WindowSystem::WindowOf(form.button);
    ASSERT_NE(button, nullptr);
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(TBoxAnswer::caption, L"Pelmira UI Test");
    EXPECT_TRUE(Contains(TBoxAnswer::texts, L"Cell out of bounds (9, 0)"));
    EXPECT_FALSE(Contains(TBoxAnswer::texts, L"&No") || Contains(TBoxAnswer::texts, L"No"));
    EXPECT_FALSE(app.Terminated());
    EXPECT_TRUE(IsWindow(FormWindow()));
}

TEST_F(Win32Backend, ControlsWithTextAreChildWindowsReadableFromOutside) {
    const auto before = ChildTexts(FormWindow());
    EXPECT_TRUE(Contains(before, L"Software Versions\r\n0 clicks counted."));
    EXPECT_TRUE(Contains(before, L"Count a Click"));
    EXPECT_TRUE(Contains(before, L"OK"));
    EXPECT_FALSE(Contains(before, L"Not connected"));  // the shape is windowless

    PostMessageW(FormWindow(), WM_COMMAND, form.countItem.Id(), 0);
    ASSERT_TRUE(PumpUntil(app, [&] { return form.Clicks() == 1; }));
    EXPECT_EQ(TextOf(TWin32WindowSystem::WindowOf(form.info)), L"Software Versions\r\n1 click counted.");
}

TEST_F(Win32Backend, EditorsAreNativeAndFollowTheirText) {
    HWND edit = TWin32WindowSystem::WindowOf(form.edit);
    HWND combo = TWin32WindowSystem::WindowOf(form.combo);
    ASSERT_NE(edit, nullptr);
    ASSERT_NE(combo, nullptr);
    wchar_t cls[32] = {};
    GetClassNameW(edit, cls, 32);
    EXPECT_EQ(_wcsicmp(cls, L"Edit"), 0);

    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"proxy.example.com"));
    EXPECT_EQ(form.edit.Text(), u"proxy.example.com");
    form.edit.SetText(u"8080");
    EXPECT_EQ(TextOf(edit), L"8080");

    EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 2);
    SendMessageW(combo, CB_SETCURSEL, 1, 0);
    SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    EXPECT_EQ(form.combo.Text(), u"False");

    // Tab in the edit field moves the focus to the next control in Tab order.
    form.edit.SetFocus();
    EXPECT_EQ(GetFocus(), edit);
    SendMessageW(edit, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(form.FocusedControl(), &form.combo);
    EXPECT_TRUE(GetFocus() == combo || GetParent(GetFocus()) == combo);
}

// The visible top-level window of class cls belonging to this thread, or nullptr.
HWND FindThreadWindow(const std::wstring& cls) {
    struct Search {
        std::wstring cls;
        HWND found = nullptr;
    } search{cls};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            wchar_t name[64] = {};
            GetClassNameW(hwnd, name, 64);
            if (s->cls == name && IsWindowVisible(hwnd)) {
                s->found = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TEST_F(Win32Backend, WindowlessShapeShowsItsHintUnderTheMouse) {
    HWND bar = TWin32WindowSystem::WindowOf(form.bar);
    ASSERT_NE(bar, nullptr);
    const int dpi = ScreenDpi();
    SendMessageW(bar, WM_MOUSEMOVE, 0, MAKELPARAM(MulDiv(402, dpi, 96), MulDiv(12, dpi, 96)));
    EXPECT_EQ(form.HoverControl(), &form.light);
    HWND hint = FindThreadWindow(L"PelmiraHint");
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(TextOf(hint), L"Not connected");
    SendMessageW(bar, WM_MOUSEMOVE, 0, MAKELPARAM(MulDiv(200, dpi, 96), MulDiv(12, dpi, 96)));
    EXPECT_EQ(form.HoverControl(), &form.bar);
    EXPECT_EQ(FindThreadWindow(L"PelmiraHint"), nullptr);
}

TEST_F(Win32Backend, PaintedFormShowsOnTheScreen) {
    UpdateWindow(FormWindow());
    PumpUntil(
        app, [] { return false; }, 200);
    HWND bar = TWin32WindowSystem::WindowOf(form.bar);
    const int dpi = ScreenDpi();
    HDC screenDc = GetDC(nullptr);
    POINT light{MulDiv(403, dpi, 96), MulDiv(13, dpi, 96)};
    POINT barBackground{MulDiv(300, dpi, 96), MulDiv(12, dpi, 96)};
    ClientToScreen(bar, &light);
    ClientToScreen(bar, &barBackground);
    const COLORREF lightColor = GetPixel(screenDc, light.x, light.y);
    const COLORREF background = GetPixel(screenDc, barBackground.x, barBackground.y);
    ReleaseDC(nullptr, screenDc);
    EXPECT_TRUE(lightColor == RGB(155, 159, 166) || lightColor == RGB(102, 146, 206)) << std::hex << lightColor;
    EXPECT_EQ(background, GetSysColor(COLOR_WINDOW));
}

TEST_F(Win32Backend, CustomWindowsCarryANativeScrollBar) {
    HWND bar = TWin32WindowSystem::WindowOf(form.bar);
    form.bar.SetScroll({400, 25, 0, 10});
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(bar, SB_VERT, &info));
    EXPECT_EQ(info.nMax, 399);
    EXPECT_EQ(info.nPage, 25u);
    SendMessageW(bar, WM_VSCROLL, SB_LINEDOWN, 0);
    SendMessageW(bar, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(form.bar.Scroll().position, 35);
    GetScrollInfo(bar, SB_VERT, &info);
    EXPECT_EQ(info.nPos, 35);
    SendMessageW(bar, WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(form.bar.Scroll().position, 375);
    form.bar.SetScroll({});
}

TEST_F(Win32Backend, KeysInTheNativeEditReachItsHandlerFirst) {
    std::vector<TKey> keys;
    form.edit.OnKeyDown = [&](TEdit&, const TKeyEvent& e) {
        keys.push_back(e.key);
        return e.key == TKey::kEnter || e.key == TKey::kDown;
    };
    HWND edit = TWin32WindowSystem::WindowOf(form.edit);
    form.edit.SetFocus();
    SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
    SendMessageW(edit, WM_KEYDOWN, VK_DOWN, 0);
    SendMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(keys, (std::vector<TKey>{TKey::kEnter, TKey::kDown, TKey::kEscape}));
    EXPECT_EQ(form.FocusedControl(), &form.edit);
}

TEST_F(Win32Backend, ShellOpenOfAMissingDocumentReportsNothing) {
    app.ShellOpen("Z:\\no\\such\\folder\\pelmira-missing.txt");
    PumpUntil(
        app, [] { return false; }, 300);
    EXPECT_EQ(FindThreadWindow(L"#32770"), nullptr);
    EXPECT_FALSE(app.Terminated());
}

TEST(GdiCanvas, DrawsIntoAMemoryDcAndPixelsReadBack) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 64, 64);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    {
        TGdiCanvas canvas(dc, 96, RECT{0, 0, 64, 64});
        canvas.FillRect({0, 0, 64, 64}, clWhite);
        canvas.FillRect({10, 10, 20, 20}, clRed);
        {
            TClipScope clip(canvas, {30, 30, 40, 40});
            canvas.FillRect({0, 0, 64, 64}, clBlue);
        }
        {
            TClipScope viewport(canvas, {50, 50, 60, 60}, TClipScope::ckViewport);
            canvas.FillRect({0, 0, 2, 2}, Rgb(0, 128, 0));
        }
        canvas.DrawText({0, 40, 30, 64}, u"W", TFont{u"Tahoma", 12, fsBold, clBlack}, tfSingleLine);
        EXPECT_GT(canvas.TextExtent(u"WWW", TFont{}).cx, canvas.TextExtent(u"i", TFont{}).cx);
    }
    EXPECT_EQ(GetPixel(dc, 15, 15), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 5, 5), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 35, 35), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(dc, 45, 45), RGB(255, 255, 255));  // outside the clip
    EXPECT_EQ(GetPixel(dc, 51, 51), RGB(0, 128, 0));
    EXPECT_EQ(GetPixel(dc, 52, 52), RGB(255, 255, 255));
    int dark = 0;
    for (int y = 40; y < 64; ++y)
        for (int x = 0; x < 30; ++x)
            if (GetPixel(dc, x, y) == RGB(0, 0, 0)) ++dark;
    EXPECT_GT(dark, 5);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

TEST(GdiCanvas, ScalesLogicalPixelsToTheResolution) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 64, 64);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    TSize normal;
    TSize doubled;
    {
        TGdiCanvas canvas(dc, 192, RECT{0, 0, 64, 64});
        canvas.FillRect({0, 0, 32, 32}, clWhite);
        canvas.FillRect({0, 0, 10, 10}, clRed);
        EXPECT_EQ(canvas.ClipRect(), (TRect{0, 0, 32, 32}));
        doubled = canvas.TextExtent(u"Pelmira", TFont{});
    }
    {
        TGdiCanvas canvas(dc, 96, RECT{0, 0, 64, 64});
        normal = canvas.TextExtent(u"Pelmira", TFont{});
    }
    EXPECT_EQ(GetPixel(dc, 19, 19), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 20, 20), RGB(255, 255, 255));
    // Text measured at twice the resolution is about as large in logical pixels.
    EXPECT_NEAR(doubled.cx, normal.cx, normal.cx / 5 + 2);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

TEST(GdiCanvas, ShapePaintsItsLightWithBrushAndOutline) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 14, 14);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    TShape light;
    light.SetBounds(0, 0, 14, 14);
    light.SetBrush(TBrush{Rgb(102, 146, 206)});
    light.SetPen(TPen{Rgb(128, 128, 128), 1});
    {
        TGdiCanvas canvas(dc, 96, RECT{0, 0, 14, 14});
        canvas.FillRect({0, 0, 14, 14}, clWhite);
        light.Paint(canvas);
    }
    EXPECT_EQ(GetPixel(dc, 7, 7), RGB(102, 146, 206));
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 7, 0), RGB(128, 128, 128));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

// The second start: this test program runs itself again with only the child
// test selected; the child finds this process's window by class and title.
constexpr const char* kChildVariable = "PELMIRA_UI_SECOND_START";
constexpr DWORD kFoundExitCode = 42;
constexpr DWORD kNotFoundExitCode = 43;

TEST(Win32SecondStart, ChildFindsTheRunningWindow) {
    if (std::getenv(kChildVariable) == nullptr) GTEST_SKIP() << "runs only as the second start";
    TWin32WindowSystem system;
    TApplication app(system);
    const bool found = app.ActivateRunningInstance(demo::kDemoClassName, demo::kDemoCaption);
    const bool wrongTitle = app.ActivateRunningInstance(demo::kDemoClassName, "Pelmira UI Demo 2");
    ExitProcess(found && !wrongTitle ? kFoundExitCode : kNotFoundExitCode);
}

TEST_F(Win32Backend, SecondStartFindsTheFirstWindow) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring command =
        L"\"" + std::wstring(path) + L"\" --gtest_filter=Win32SecondStart.ChildFindsTheRunningWindow";
    SetEnvironmentVariableA(kChildVariable, "1");
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    const BOOL started =
        CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
    SetEnvironmentVariableA(kChildVariable, nullptr);
    ASSERT_TRUE(started);
    const bool ended = PumpUntil(
        app, [&] { return WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0; }, 60000);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    if (!ended) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    ASSERT_TRUE(ended);
    EXPECT_EQ(exitCode, kFoundExitCode);
}

}  // namespace
}  // namespace ui::win32

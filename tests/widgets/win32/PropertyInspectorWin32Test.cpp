#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "InspectorShot.h"
#include "SettingsItems.h"
#include "Win32WindowSystem.h"
#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/Form.h"

namespace widgets::test {
namespace {

using ui::win32::TWin32WindowSystem;

constexpr DWORD kWaitLimitMs = 5000;

// Handles messages until done() holds or the time limit passes; returns done().
bool PumpUntil(ui::TApplication& app, const std::function<bool()>& done, DWORD limitMs = kWaitLimitMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > limitMs) return false;
        app.ProcessMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

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

// The settings page's inspector on a form of the Win32 backend.
class InspectorWin32 : public ::testing::Test {
protected:
    InspectorWin32()
        : app(system),
          form(app.CreateForm<ui::TForm>("TInspectorTestForm")),
          inspector(form.Add<TPropertyInspector>()),
          ok(form.Add<ui::TButton>()),
          items(AddSettingsItems(inspector)) {
        app.SetTitle("Pelmira Inspector Test");
        form.SetCaption(u"Settings");
        form.SetClientSize(400, 260);
        inspector.SetBounds(8, 8, 320, 200);
        ok.SetBounds(8, 220, 75, 25);
        ok.SetText(u"OK");
        form.Show();
        app.ProcessMessages();
    }

    HWND InspectorWindow() const { return TWin32WindowSystem::WindowOf(inspector); }
    // A left click at a point of the inspector's client area (layout pixels).
    void ClickAt(int x, int y) {
        const int dpi = ScreenDpi();
        const LPARAM at = MAKELPARAM(MulDiv(x, dpi, 96), MulDiv(y, dpi, 96));
        SendMessageW(InspectorWindow(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(InspectorWindow(), WM_LBUTTONUP, 0, at);
    }
    static int RowY(int row) { return row * 16 + 7; }

    TWin32WindowSystem system;
    ui::TApplication app;
    ui::TForm& form;
    TPropertyInspector& inspector;
    ui::TButton& ok;
    TSettingsItems items;
};

TEST_F(InspectorWin32, NativeEditorsEditTheSelectedItemInPlace) {
    ASSERT_NE(InspectorWindow(), nullptr);
    ClickAt(240, RowY(6));  // ProxyPort
    ASSERT_NE(inspector.Editor(), nullptr);
    HWND edit = TWin32WindowSystem::WindowOf(*inspector.Editor());
    ASSERT_NE(edit, nullptr);
    wchar_t cls[32] = {};
    GetClassNameW(edit, cls, 32);
    EXPECT_EQ(_wcsicmp(cls, L"Edit"), 0);
    EXPECT_EQ(GetParent(edit), InspectorWindow());
    EXPECT_TRUE(IsWindowVisible(edit));
    EXPECT_EQ(GetFocus(), edit);

    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"8080"));
    SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(items.port->Value(), u"8080");
    EXPECT_EQ(inspector.Selected(), items.user);
    EXPECT_EQ(TextOf(edit), L"");  // the same field now edits ProxyUsername

    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"alice"));
    SendMessageW(edit, WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(items.user->Value(), u"alice");
    EXPECT_EQ(inspector.Selected(), items.port);

    // The drop-down item: a line picked from the native list is the value at once.
    ClickAt(240, RowY(3));
    HWND combo = TWin32WindowSystem::WindowOf(*inspector.Editor());
    ASSERT_NE(combo, nullptr);
    EXPECT_FALSE(IsWindowVisible(edit));
    EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 2);
    SendMessageW(combo, CB_SETCURSEL, 0, 0);
    SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    EXPECT_EQ(items.auth->Value(), u"True");

    // Focus to the OK button keeps what was typed.
    ClickAt(240, RowY(4));
    SendMessageW(TWin32WindowSystem::WindowOf(*inspector.Editor()), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(L"proxy.example"));
    ok.SetFocus();
    EXPECT_EQ(items.host->Value(), u"proxy.example");
}

TEST_F(InspectorWin32, WheelScrollsAndTheScreenShowsTheRows) {
    items.host->SetValue(u"proxy.example");
    items.auth->SetValue(u"True");
    ClickAt(240, RowY(6));  // ProxyPort, being typed into
    SendMessageW(TWin32WindowSystem::WindowOf(*inspector.Editor()), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"8080"));
    UpdateWindow(TWin32WindowSystem::WindowOf(form));
    PumpUntil(
        app, [] { return false; }, 300);
    // The picture for people to look at, where the test run keeps its artifacts.
    if (const char* dir = std::getenv("PELMIRA_ARTIFACTS")) {
        CreateDirectoryA(dir, nullptr);
        EXPECT_TRUE(SaveClientBitmap(TWin32WindowSystem::WindowOf(form), std::string(dir) + "/inspector.bmp"));
    }

    // The category row's colour on the screen, right of its caption.
    const int dpi = ScreenDpi();
    HDC screenDc = GetDC(nullptr);
    POINT category{MulDiv(300, dpi, 96), MulDiv(RowY(2), dpi, 96)};
    ClientToScreen(InspectorWindow(), &category);
    const COLORREF shade = GetPixel(screenDc, category.x, category.y);
    ReleaseDC(nullptr, screenDc);
    EXPECT_EQ(shade, RGB(213, 228, 242)) << std::hex << shade;

    inspector.SetBounds(8, 8, 320, 60);
    ASSERT_TRUE(inspector.Scroll().Visible());
    inspector.ScrollTo(0);
    POINT over{MulDiv(100, dpi, 96), MulDiv(20, dpi, 96)};
    ClientToScreen(InspectorWindow(), &over);
    SendMessageW(InspectorWindow(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)),
                 MAKELPARAM(over.x, over.y));
    EXPECT_EQ(inspector.Scroll().position, 3 * 16);  // three rows a notch
}

}  // namespace
}  // namespace widgets::test

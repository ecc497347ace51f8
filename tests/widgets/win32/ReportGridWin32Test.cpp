#include <gtest/gtest.h>

#include <ole2.h>
#include <oleacc.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ResultGrid.h"
#include "ui/AccessibleSnapshot.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/NativeWindowSystem.h"

namespace widgets::test {
namespace {

constexpr const char* kFormClass = "TGridTestForm";  // FormWindow() spells both out
constexpr const char16_t* kFormCaption = u"Pelmira Grid Test";
constexpr int kRows = 300;

// Handles messages until done() holds or the time limit passes; returns done().
bool PumpUntil(ui::TApplication& app, const std::function<bool()>& done, DWORD limitMs = 5000) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > limitMs) return false;
        app.ProcessMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

std::u16string FromBstr(BSTR text) {
    std::u16string out = text != nullptr ? std::u16string(reinterpret_cast<const char16_t*>(text), SysStringLen(text))
                                         : std::u16string();
    SysFreeString(text);
    return out;
}

VARIANT ChildId(LONG id) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

// What a tool reads through IAccessible: "count", "role", "name", then per
// listed child id "id role state name", one per line.
std::vector<std::u16string> ReadThroughIAccessible(HWND hwnd, const std::vector<LONG>& ids) {
    std::vector<std::u16string> lines;
    IAccessible* acc = nullptr;
    const HRESULT hr = AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                                  reinterpret_cast<void**>(&acc));
    if (FAILED(hr) || acc == nullptr) return {u"AccessibleObjectFromWindow failed"};
    auto number = [](long v) {
        const std::string s = std::to_string(v);
        return std::u16string(s.begin(), s.end());
    };
    LONG count = -1;
    acc->get_accChildCount(&count);
    lines.push_back(number(count));
    VARIANT role;
    acc->get_accRole(ChildId(CHILDID_SELF), &role);
    lines.push_back(number(role.lVal));
    BSTR name = nullptr;
    acc->get_accName(ChildId(CHILDID_SELF), &name);
    lines.push_back(FromBstr(name));
    for (LONG id : ids) {
        VARIANT childRole, state;
        acc->get_accRole(ChildId(id), &childRole);
        acc->get_accState(ChildId(id), &state);
        BSTR childName = nullptr;
        acc->get_accName(ChildId(id), &childName);
        lines.push_back(number(id) + u" " + number(childRole.lVal) + u" " + number(state.lVal) + u" " +
                        FromBstr(childName));
    }
    acc->Release();
    return lines;
}

// The same lines from the headless reading of the grid.
std::vector<std::u16string> Expected(const TReportGrid& grid, const std::vector<LONG>& ids) {
    const auto snapshot = ui::ReadAccessible(grid);
    auto number = [](long v) {
        const std::string s = std::to_string(v);
        return std::u16string(s.begin(), s.end());
    };
    std::vector<std::u16string> lines{number(static_cast<long>(snapshot->children.size())), number(ROLE_SYSTEM_TABLE),
                                      snapshot->name};
    for (LONG id : ids) {
        const ui::TAccItem& item = snapshot->children[static_cast<std::size_t>(id - 1)];
        const long state = (item.state & ui::asSelected) != 0 ? STATE_SYSTEM_SELECTED : 0;
        lines.push_back(number(id) + u" " + number(ROLE_SYSTEM_ROW) + u" " + number(state) + u" " + item.name);
    }
    return lines;
}

const std::vector<LONG> kReadIds{1, 2, 5, 150, kRows};

// The windows as tools outside the program find them: by class and title.
HWND FindFormWindow() { return FindWindowW(L"TGridTestForm", L"Pelmira Grid Test"); }
HWND FindGridWindow() { return FindWindowExW(FindFormWindow(), nullptr, L"TReportGrid", nullptr); }

class ReportGridWin32 : public ::testing::Test {
protected:
    ReportGridWin32()
        : system(ui::CreateNativeWindowSystem()), app(*system), form(app.CreateForm<ui::TForm>(kFormClass)) {
        app.SetTitle("Pelmira Grid Test");
        form.SetCaption(kFormCaption);
        form.SetClientSize(880, 420);
        grid = &form.Add<TReportGrid>();
        grid->SetBounds(10, 10, 860, 400);
        AddResultColumns(*grid, [this](TColumnPlay&, const std::u16string& href) { clicks.push_back(href); });
        FillRows(*grid, kRows, u"<font color=\"#ff3300\"><b>2.0</b></font> <a href=\"http://example.com/dl\">get</a>");
        grid->SelectCell(3, 4);
        form.Show();
        PumpUntil(
            app, [] { return false; }, 300);
    }

    static HWND FormWindow() { return FindFormWindow(); }
    static HWND GridWindow() { return FindGridWindow(); }

    std::unique_ptr<ui::IWindowSystem> system;
    ui::TApplication app;
    ui::TForm& form;
    TReportGrid* grid = nullptr;
    std::vector<std::u16string> clicks;
};

TEST_F(ReportGridWin32, GridIsAChildWindowOfItsOwnClassWithNativeScrollBar) {
    ASSERT_NE(FormWindow(), nullptr);
    ASSERT_NE(GridWindow(), nullptr);
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(GridWindow(), SB_VERT, &info));
    EXPECT_EQ(info.nMax, kRows - 1);
    EXPECT_EQ(static_cast<int>(info.nPage), grid->Scroll().page);
}

TEST_F(ReportGridWin32, WheelScrollsTheRowsAndTheBar) {
    RECT r;
    GetWindowRect(GridWindow(), &r);
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageW(GridWindow(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), at);
    SendMessageW(GridWindow(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), at);
    EXPECT_EQ(grid->TopRow(), 6);
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_POS;
    GetScrollInfo(GridWindow(), SB_VERT, &info);
    EXPECT_EQ(info.nPos, 6);
    SendMessageW(GridWindow(), WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(grid->TopRow(), grid->Scroll().MaxPosition());
}

TEST_F(ReportGridWin32, RowsReadThroughIAccessibleInThisProcess) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    EXPECT_EQ(ReadThroughIAccessible(GridWindow(), kReadIds), Expected(*grid, kReadIds));
    const std::u16string row5 = Expected(*grid, kReadIds)[5];
    EXPECT_EQ(row5, u"5 " + std::u16string(u"28 2 ") + u"5\tTitle 4\tCompany\t1.0\t2.0 get\t2.0 get\t2.0 get");
}

// The second process: finds the grid by its window classes and writes what
// IAccessible gives to the file named by the variable.
constexpr const char* kChildVariable = "PELMIRA_GRID_ACC_OUT";

TEST(ReportGridWin32Reader, ReadsTheGridOfTheOtherProcess) {
    const char* out = std::getenv(kChildVariable);
    if (out == nullptr) GTEST_SKIP() << "runs only as the reading process";
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    HWND grid = FindGridWindow();
    std::vector<std::u16string> lines =
        grid != nullptr ? ReadThroughIAccessible(grid, kReadIds) : std::vector<std::u16string>{u"no grid window"};
    std::ofstream file(out, std::ios::binary);
    for (const auto& line : lines) {
        file.write(reinterpret_cast<const char*>(line.data()), static_cast<std::streamsize>(line.size() * 2));
        file.write("\n\0", 2);
    }
    CoUninitialize();
}

TEST_F(ReportGridWin32, RowsReadThroughIAccessibleFromAnotherProcess) {
    // Scrolled first: the contract does not depend on what is on the screen.
    SendMessageW(GridWindow(), WM_VSCROLL, SB_PAGEDOWN, 0);
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string outPath = std::string(temp) + "pelmira-grid-acc.txt";
    DeleteFileA(outPath.c_str());
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring command =
        L"\"" + std::wstring(exe) + L"\" --gtest_filter=ReportGridWin32Reader.ReadsTheGridOfTheOtherProcess";
    SetEnvironmentVariableA(kChildVariable, outPath.c_str());
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    const BOOL started =
        CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
    SetEnvironmentVariableA(kChildVariable, nullptr);
    ASSERT_TRUE(started);
    // The reader's calls arrive as messages: this thread keeps handling them.
    const bool ended = PumpUntil(
        app, [&] { return WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0; }, 60000);
    if (!ended) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    ASSERT_TRUE(ended);

    std::ifstream file(outPath, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::u16string all(reinterpret_cast<const char16_t*>(bytes.data()), bytes.size() / 2);
    std::vector<std::u16string> lines;
    for (std::size_t start = 0, end; (end = all.find(u'\n', start)) != std::u16string::npos; start = end + 1)
        lines.push_back(all.substr(start, end - start));
    EXPECT_EQ(lines, Expected(*grid, kReadIds));
}

// Saves the screen as a 24-bit BMP file.
bool SaveScreen(const std::string& path) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const DWORD stride = ((static_cast<DWORD>(width) * 3 + 3) / 4) * 4;
    const DWORD size = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    header.bfSize = header.bfOffBits + size;
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(&header), sizeof(header));
    file.write(reinterpret_cast<const char*>(&bmi.bmiHeader), sizeof(bmi.bmiHeader));
    file.write(static_cast<const char*>(bits), size);
    const bool ok = file.good();
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok;
}

TEST_F(ReportGridWin32, DrawnGridShowsRowsAndTheNewerVersionColour) {
    RECT r;
    GetWindowRect(GridWindow(), &r);
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageW(GridWindow(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), at);
    SetForegroundWindow(FormWindow());
    grid->SetFocus();
    RedrawWindow(FormWindow(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpUntil(
        app, [] { return false; }, 300);

    // Some pixel of the first version cell of the top row carries the newer-version colour.
    const int dpi = GetDeviceCaps(GetDC(nullptr), LOGPIXELSY);
    const ui::TRect cell = grid->CellRect(6, grid->TopRow());
    HDC dc = GetDC(GridWindow());
    bool orange = false;
    for (int x = cell.left; x < cell.left + 30 && !orange; ++x)
        for (int y = cell.top; y < cell.bottom && !orange; ++y)
            orange = GetPixel(dc, MulDiv(x, dpi, 96), MulDiv(y, dpi, 96)) == RGB(255, 51, 0);
    ReleaseDC(GridWindow(), dc);
    EXPECT_TRUE(orange);

    if (const char* dir = std::getenv("PELMIRA_ARTIFACTS")) {
        CreateDirectoryA(dir, nullptr);
        EXPECT_TRUE(SaveScreen(std::string(dir) + "/grid-300-rows.bmp"));
    }
}

}  // namespace
}  // namespace widgets::test

#include <windows.h>

#include <oleacc.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "SettingsItems.h"
#include "Win32WindowSystem.h"
#include "ui/Application.h"
#include "ui/Form.h"

namespace widgets::test {
namespace {

using ui::win32::TWin32WindowSystem;

// The reading process gets the window and the output file through these.
constexpr const char* kWindowVariable = "PELMIRA_INSPECTOR_HWND";
constexpr const char* kOutputVariable = "PELMIRA_INSPECTOR_ACC_OUT";

std::string Utf8(const wchar_t* text) {
    if (text == nullptr) return "(null)";
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n > 0 ? n - 1 : 0), '\0');
    if (n > 1) WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), n, nullptr, nullptr);
    return out;
}

// One line per accessible object: "role state name|value", the control itself first.
std::string Describe(IAccessible& acc, long id) {
    VARIANT child{};
    child.vt = VT_I4;
    child.lVal = id;
    VARIANT role{};
    VARIANT state{};
    BSTR name = nullptr;
    BSTR value = nullptr;
    acc.get_accRole(child, &role);
    acc.get_accState(child, &state);
    acc.get_accName(child, &name);
    acc.get_accValue(child, &value);
    std::ostringstream line;
    line << (role.vt == VT_I4 ? role.lVal : -1) << ' ' << std::hex << (state.vt == VT_I4 ? state.lVal : -1) << std::dec
         << ' ' << Utf8(name) << '|' << Utf8(value);
    SysFreeString(name);
    SysFreeString(value);
    return line.str();
}

// Runs only as the separate reading process: reads the inspector through
// IAccessible and writes what it found to the output file.
TEST(InspectorAccessibilityReader, ReadsTheInspectorFromOutside) {
    const char* window = std::getenv(kWindowVariable);
    const char* output = std::getenv(kOutputVariable);
    if (window == nullptr || output == nullptr) GTEST_SKIP() << "runs only as the reading process";
    auto hwnd = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(std::strtoull(window, nullptr, 16)));
    std::ofstream out(output, std::ios::binary);
    CoInitialize(nullptr);
    IAccessible* acc = nullptr;
    const HRESULT hr = AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                                  reinterpret_cast<void**>(&acc));
    if (FAILED(hr) || acc == nullptr) {
        out << "failed " << std::hex << hr << "\n";
    } else {
        long count = -1;
        acc->get_accChildCount(&count);
        out << "children " << count << "\n" << Describe(*acc, CHILDID_SELF) << "\n";
        for (long i = 1; i <= count; ++i) out << Describe(*acc, i) << "\n";
        acc->Release();
    }
    CoUninitialize();
}

class InspectorAccessibilityWin32 : public ::testing::Test {
protected:
    InspectorAccessibilityWin32()
        : app(system),
          form(app.CreateForm<ui::TForm>("TInspectorAccForm")),
          inspector(form.Add<TPropertyInspector>()),
          items(AddSettingsItems(inspector)) {
        form.SetCaption(u"Settings");
        form.SetClientSize(360, 240);
        inspector.SetBounds(8, 8, 320, 200);
        form.Show();
        app.ProcessMessages();
    }

    // Starts the reading process and handles messages (it asks this thread
    // through WM_GETOBJECT) until it ends; returns the lines it wrote.
    std::vector<std::string> ReadFromOutside() {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        const std::string output = std::string(temp) + "pelmira-inspector-acc.txt";
        DeleteFileA(output.c_str());
        char window[32] = {};
        std::snprintf(window, sizeof(window), "%llx",
                      static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(InspectorWindow())));
        wchar_t path[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, path, MAX_PATH);
        std::wstring command =
            L"\"" + std::wstring(path) + L"\" --gtest_filter=InspectorAccessibilityReader.ReadsTheInspectorFromOutside";
        SetEnvironmentVariableA(kWindowVariable, window);
        SetEnvironmentVariableA(kOutputVariable, output.c_str());
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process{};
        const BOOL started =
            CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
        SetEnvironmentVariableA(kWindowVariable, nullptr);
        SetEnvironmentVariableA(kOutputVariable, nullptr);
        if (!started) return {"could not start the reading process"};
        const DWORD start = GetTickCount();
        while (WaitForSingleObject(process.hProcess, 0) != WAIT_OBJECT_0 && GetTickCount() - start < 60000) {
            app.ProcessMessages();
            MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 20, QS_ALLINPUT);
        }
        if (WaitForSingleObject(process.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        std::vector<std::string> lines;
        std::ifstream in(output, std::ios::binary);
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        DeleteFileA(output.c_str());
        return lines;
    }

    HWND InspectorWindow() const { return TWin32WindowSystem::WindowOf(inspector); }

    TWin32WindowSystem system;
    ui::TApplication app;
    ui::TForm& form;
    TPropertyInspector& inspector;
    TSettingsItems items;
};

TEST_F(InspectorAccessibilityWin32, ToolsFindTheWindowClassAndReadTheItems) {
    HWND formWindow = TWin32WindowSystem::WindowOf(form);
    ASSERT_NE(InspectorWindow(), nullptr);
    EXPECT_EQ(FindWindowExW(formWindow, nullptr, L"TPropertyInspector", nullptr), InspectorWindow());

    items.host->SetValue(u"proxy.example");
    items.port->SetValue(u"8080");
    items.upload->SetValue(u"no");
    inspector.SetSelected(items.port);
    // Role numbers: outline 35, outline item 36; states: selected 2, expanded 0x200, collapsed 0x400,
    // focusable 0x100000 (the control itself).
    const std::vector<std::string> expected{
        "children 8",
        "35 100000 |(null)",
        "36 200 Privacy Settings|",
        "36 0 Allows uploading versions|False",
        "36 200 HTTP Connection|",
        "36 0 BasicAuthentication|",
        "36 0 ProxyServer|proxy.example",
        "36 0 ProxyPassword|",
        "36 2 ProxyPort|8080",
        "36 0 ProxyUsername|",
    };
    EXPECT_EQ(ReadFromOutside(), expected);

    items.connection->SetExpanded(false);
    const std::vector<std::string> collapsed{
        "children 3",
        "35 100000 |(null)",
        "36 200 Privacy Settings|",
        "36 0 Allows uploading versions|False",
        "36 402 HTTP Connection|",
    };
    EXPECT_EQ(ReadFromOutside(), collapsed);
}

}  // namespace
}  // namespace widgets::test

// The Win32 registry accessor against the real registry (Wine's, in the test
// runs). The test writes only below its own key HKLM\SOFTWARE\PelmiraTest-<pid>,
// in both views, and removes it again.
#include "platform/Registry.h"
#include "platform/RegistryError.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using platform::TRegistryView;
using Names = std::vector<std::string>;

std::wstring TestKeyName() { return L"PelmiraTest-" + std::to_wstring(GetCurrentProcessId()); }

// Creates the test's key in one view and deletes its whole tree on destruction.
class TestKey {
public:
    explicit TestKey(REGSAM view) : m_view(view) {}
    ~TestKey() {
        HKEY software = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE", 0, KEY_ALL_ACCESS | m_view, &software) == ERROR_SUCCESS) {
            RegDeleteTreeW(software, TestKeyName().c_str());
            RegDeleteKeyExW(software, TestKeyName().c_str(), m_view, 0);
            RegCloseKey(software);
        }
    }
    TestKey(const TestKey&) = delete;
    TestKey& operator=(const TestKey&) = delete;

    void Set(const std::wstring& subKey, const std::wstring& name, DWORD type, const void* data, DWORD size) {
        const std::wstring path = L"SOFTWARE\\" + TestKeyName() + L"\\" + subKey;
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | m_view, nullptr,
                                  &key, nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExW(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
        RegCloseKey(key);
    }
    void SetText(const std::wstring& subKey, const std::wstring& name, DWORD type, const std::wstring& text) {
        Set(subKey, name, type, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }

private:
    REGSAM m_view;
};

std::string Path(const char* rest) {
    std::string name;
    for (wchar_t c : TestKeyName()) name += static_cast<char>(c);
    return "\\SOFTWARE\\" + name + rest;
}

TEST(Win32Registry, ReadsBothViewsOfTheMachineRegistry) {
    TestKey key64(KEY_WOW64_64KEY), key32(KEY_WOW64_32KEY);
    key64.SetText(L"Uninstall\\Beta", L"DisplayName", REG_SZ, L"Beta Tool 2.0");
    key64.SetText(L"Uninstall\\Alpha", L"DisplayName", REG_SZ, L"Alpha");
    key64.SetText(L"Uninstall\\Alpha", L"InstallLocation", REG_EXPAND_SZ, L"%ProgramFiles%\\Alpha");
    const DWORD size = 1234;
    key64.Set(L"Uninstall\\Alpha", L"EstimatedSize", REG_DWORD, &size, sizeof size);
    key64.Set(L"Uninstall\\Alpha", L"Empty", REG_SZ, L"", 0);
    const wchar_t embedded[] = L"ab\0cd";
    key64.Set(L"Uninstall\\Alpha", L"Embedded", REG_SZ, embedded, sizeof embedded);
    key32.SetText(L"Uninstall\\Gamma", L"DisplayName", REG_SZ, L"Gamma (32-bit)");

    const auto reg = platform::OpenMachineRegistry();
    ASSERT_EQ(reg->Views(), (std::vector<TRegistryView>{TRegistryView::rv64, TRegistryView::rv32}));

    reg->SetView(TRegistryView::rv64);
    ASSERT_TRUE(reg->OpenKey(Path("\\Uninstall")));
    EXPECT_EQ(reg->GetKeyNames(), (Names{"Alpha", "Beta"}));
    ASSERT_TRUE(reg->OpenKey(Path("\\Uninstall\\Alpha")));
    Names values = reg->GetValueNames();  // Windows lists values in creation order, Wine sorted
    std::sort(values.begin(), values.end());
    EXPECT_EQ(values, (Names{"DisplayName", "Embedded", "Empty", "EstimatedSize", "InstallLocation"}));
    EXPECT_EQ(reg->ReadString("displayname"), "Alpha");
    EXPECT_EQ(reg->ReadString("InstallLocation"), "%ProgramFiles%\\Alpha");  // not expanded
    EXPECT_EQ(reg->ReadString("Empty"), "");
    EXPECT_EQ(reg->ReadString("Embedded"), "ab");
    EXPECT_EQ(reg->ReadString("Missing"), "");
    try {
        reg->ReadString("EstimatedSize");
        ADD_FAILURE() << "a DWORD read as text";
    } catch (const platform::RegistryError& e) {
        EXPECT_STREQ(e.what(), "Invalid data type for 'EstimatedSize'");
    }

    reg->SetView(TRegistryView::rv32);
    ASSERT_TRUE(reg->OpenKey(Path("\\Uninstall")));
    EXPECT_EQ(reg->GetKeyNames(), Names{"Gamma"});
    ASSERT_TRUE(reg->OpenKey(Path("\\Uninstall\\Gamma")));
    EXPECT_EQ(reg->ReadString("DisplayName"), "Gamma (32-bit)");
}

TEST(Win32Registry, OpeningAMissingKeyFailsAndCreatesNothing) {
    TestKey key64(KEY_WOW64_64KEY);
    key64.SetText(L"Present", L"V", REG_SZ, L"x");
    const auto reg = platform::OpenMachineRegistry();
    reg->SetView(TRegistryView::rv64);
    ASSERT_TRUE(reg->OpenKey(Path("\\Present")));
    EXPECT_FALSE(reg->OpenKey(Path("\\Absent")));
    EXPECT_TRUE(reg->GetValueNames().empty());  // the previous key was closed
    HKEY probe = nullptr;
    const std::wstring absent = L"SOFTWARE\\" + TestKeyName() + L"\\Absent";
    EXPECT_NE(RegOpenKeyExW(HKEY_LOCAL_MACHINE, absent.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &probe), ERROR_SUCCESS);
}

}  // namespace

// The Win32 registry accessor against the real registry (Wine's, in the test
// runs). The test writes only below its own key HKLM\SOFTWARE\PelmiraTest-<pid>,
// in both views, and removes it again.
#include "platform/Registry.h"
#include "platform/RegistryError.h"

#include "TestRegistryKey.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using platform::TRegistryView;
using Names = std::vector<std::string>;
using testing_support::TestRegistryKey;

TEST(Win32Registry, ReadsBothViewsOfTheMachineRegistry) {
    TestRegistryKey key64(L"views", KEY_WOW64_64KEY), key32(L"views", KEY_WOW64_32KEY);
    key64.SetText(L"Uninstall\\Beta", L"DisplayName", L"Beta Tool 2.0");
    key64.SetText(L"Uninstall\\Alpha", L"DisplayName", L"Alpha");
    key64.SetText(L"Uninstall\\Alpha", L"InstallLocation", L"%ProgramFiles%\\Alpha", REG_EXPAND_SZ);
    key64.SetDword(L"Uninstall\\Alpha", L"EstimatedSize", 1234);
    key64.Set(L"Uninstall\\Alpha", L"Empty", REG_SZ, L"", 0);
    const wchar_t embedded[] = L"ab\0cd";
    key64.Set(L"Uninstall\\Alpha", L"Embedded", REG_SZ, embedded, sizeof embedded);
    key32.SetText(L"Uninstall\\Gamma", L"DisplayName", L"Gamma (32-bit)");

    const auto reg = platform::OpenMachineRegistry();
    ASSERT_EQ(reg->Views(), (std::vector<TRegistryView>{TRegistryView::rv64, TRegistryView::rv32}));

    reg->SetView(TRegistryView::rv64);
    ASSERT_TRUE(reg->OpenKey(key64.Path() + "\\Uninstall"));
    EXPECT_EQ(reg->GetKeyNames(), (Names{"Alpha", "Beta"}));
    ASSERT_TRUE(reg->OpenKey(key64.Path() + "\\Uninstall\\Alpha"));
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
    ASSERT_TRUE(reg->OpenKey(key32.Path() + "\\Uninstall"));
    EXPECT_EQ(reg->GetKeyNames(), Names{"Gamma"});
    ASSERT_TRUE(reg->OpenKey(key32.Path() + "\\Uninstall\\Gamma"));
    EXPECT_EQ(reg->ReadString("DisplayName"), "Gamma (32-bit)");
}

TEST(Win32Registry, OpeningAMissingKeyFailsAndCreatesNothing) {
    TestRegistryKey key64(L"open", KEY_WOW64_64KEY);
    key64.SetText(L"Present", L"V", L"x");
    const auto reg = platform::OpenMachineRegistry();
    reg->SetView(TRegistryView::rv64);
    ASSERT_TRUE(reg->OpenKey(key64.Path() + "\\Present"));
    EXPECT_FALSE(reg->OpenKey(key64.Path() + "\\Absent"));
    EXPECT_TRUE(reg->GetValueNames().empty());  // the previous key was closed
    HKEY probe = nullptr;
    EXPECT_NE(
        RegOpenKeyExW(HKEY_LOCAL_MACHINE, key64.WidePath(L"Absent").c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &probe),
        ERROR_SUCCESS);
}

}  // namespace

// The local scan on the real Win32 registry (Wine's, in the test runs), with
// fixture executables in install folders on the Windows side. The entries live
// below the test's own key (see TestRegistryKey), in both views; a thin
// accessor moves the scan's uninstall key there.
#include "inventory/LocalScan.h"

#include "platform/Registry.h"

#include "../ScanFixture.h"
#include "TempDir.h"
#include "platform/FixtureExe.h"
#include "platform/win32/TestRegistryKey.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using namespace testing_support;

std::wstring Wide(const std::string& s) {
    const int n = MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
}

// The machine registry with the uninstall key moved to base\Uninstall.
class RebasedRegistry : public platform::Registry {
public:
    explicit RebasedRegistry(std::string base) : m_inner(platform::OpenMachineRegistry()), m_base(std::move(base)) {}
    std::vector<platform::TRegistryView> Views() const override { return m_inner->Views(); }
    void SetView(platform::TRegistryView view) override { m_inner->SetView(view); }
    bool OpenKey(std::string_view path) override {
        std::string p(path);
        const std::string from(inventory::kUninstallKey);
        if (p.compare(0, from.size(), from) == 0) p = m_base + "\\Uninstall" + p.substr(from.size());
        return m_inner->OpenKey(p);
    }
    void CloseKey() override { m_inner->CloseKey(); }
    std::vector<std::string> GetKeyNames() override { return m_inner->GetKeyNames(); }
    std::vector<std::string> GetValueNames() override { return m_inner->GetValueNames(); }
    std::string ReadString(std::string_view name) override { return m_inner->ReadString(name); }

private:
    std::unique_ptr<platform::Registry> m_inner;
    std::string m_base;
};

TEST(RegistryScanWin32, ScansBothViewsWithExecutablesInInstallFolders) {
    if (FixtureExeDir().empty()) GTEST_SKIP() << "no mingw-w64 fixtures";
    TempDir tmp;  // on the Windows side of the prefix (its temporary folder)
    std::filesystem::create_directories(tmp.FsPath() / "Example App");
    std::filesystem::copy_file(FixtureExe("v5_4_1_0"), tmp.FsPath() / "Example App" / "app.exe");
    std::filesystem::copy_file(FixtureExe("v2_0_0_10"), tmp.FsPath() / "Example App" / "unins000.exe");
    std::filesystem::create_directories(tmp.FsPath() / "Old Tool");
    std::filesystem::copy_file(FixtureExe("v1_0_0_0"), tmp.FsPath() / "Old Tool" / "tool.exe");

    TestRegistryKey view64(L"scan", KEY_WOW64_64KEY), view32(L"scan", KEY_WOW64_32KEY);
    view64.SetText(L"Uninstall\\{A}", L"DisplayName", L"Example App");
    view64.SetText(L"Uninstall\\{A}", L"Publisher", L"Example Soft & Co.");
    view64.SetText(L"Uninstall\\{A}", L"InstallLocation", L"\"" + Wide(tmp.Join("Example App")) + L"\\\"");
    view64.SetText(L"Uninstall\\{B}", L"DisplayName", L"Windows Live Mail");
    view64.SetText(L"Uninstall\\{B}", L"Publisher", L"Microsoft Corporation");
    view64.SetText(L"Uninstall\\{C}", L"DisplayName", L"Example Editor 5.4 (x86)");
    view64.SetText(L"Uninstall\\{C}", L"Publisher", L"Example Soft");
    view64.SetDword(L"Uninstall\\{C}", L"EstimatedSize", 1234);
    view32.SetText(L"Uninstall\\Old Tool", L"DisplayName", L"Old Tool (32-bit)");
    view32.SetText(L"Uninstall\\Old Tool", L"InstallLocation", Wide(tmp.Join("Old Tool")), REG_EXPAND_SZ);
    view32.SetText(L"Uninstall\\Old Tool", L"DisplayIcon", Wide(tmp.Join("Old Tool")) + L"\\tool.exe,0");

    RebasedRegistry registry(view64.Path());
    const std::string versPath = tmp.Join("vers.xml");
    EXPECT_EQ(inventory::ScanLocalSoftware(registry, nullptr, versPath), 3);
    const std::vector<Record> expected = {
        {"Example App", "Example Soft & Co.", "5.4.1", "", "", "", ""},
        {"Example Editor", "Example Soft", "5.4", "", "", "", ""},
        {"Old Tool", "", "1.0", "", "", "", ""},  // from the 32-bit view, after the 64-bit one
    };
    EXPECT_EQ(ReadRecords(versPath), expected);
    const std::string bytes = ReadBytes(versPath);
    const std::string head = "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n<Root>\r\n  <Software>\r\n";
    EXPECT_EQ(bytes.substr(0, head.size()), head);
    EXPECT_TRUE(bytes.ends_with("    <Status>1</Status>\r\n  </Software>\r\n</Root>\r\n"));
    EXPECT_NE(bytes.find("    <Company>Example Soft &amp; Co.</Company>\r\n    <VersionLocal>5.4.1</VersionLocal>\r\n"),
              std::string::npos);
}

// Without administrator rights the machine's keys can only be read; the scan
// asks for no more than that, so it still finds every entry.
TEST(RegistryScanWin32, ScanNeedsOnlyReadAccess) {
    TempDir tmp;
    TestRegistryKey view64(L"readonly", KEY_WOW64_64KEY);
    view64.SetText(L"Uninstall\\{A}", L"DisplayName", L"Locked Tool 3.2");
    view64.SetText(L"Uninstall\\{A}", L"Publisher", L"Acme");
    view64.RestrictToReading(L"Uninstall");
    view64.RestrictToReading(L"Uninstall\\{A}");
    HKEY probe = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, view64.WidePath(L"Uninstall").c_str(), 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY,
                      &probe) == ERROR_SUCCESS) {
        RegCloseKey(probe);
        GTEST_SKIP() << "this registry does not enforce key security";
    }
    RebasedRegistry registry(view64.Path());
    const std::string versPath = tmp.Join("vers.xml");
    EXPECT_EQ(inventory::ScanLocalSoftware(registry, nullptr, versPath), 1);
    EXPECT_EQ(ReadRecords(versPath), (std::vector<Record>{{"Locked Tool", "Acme", "3.2", "", "", "", ""}}));
}

TEST(RegistryScanWin32, WrongTypeInTheRealRegistryAbortsTheScan) {
    TempDir tmp;
    TestRegistryKey view64(L"abort", KEY_WOW64_64KEY);
    view64.SetText(L"Uninstall\\{A}", L"DisplayName", L"Fine");
    view64.SetDword(L"Uninstall\\{B}", L"DisplayName", 7);
    const std::string versPath = tmp.Join("vers.xml");
    WriteBytes(versPath, "old");
    RebasedRegistry registry(view64.Path());
    try {
        inventory::ScanLocalSoftware(registry, nullptr, versPath);
        ADD_FAILURE() << "a DWORD display name was accepted";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "Invalid data type for 'DisplayName'");
    }
    EXPECT_EQ(ReadBytes(versPath), "old");
}

}  // namespace

// The local scan on the real Win32 registry (Wine's, in the test runs), with
// fixture executables in install folders on the Windows side. The entries live
// under the test's own key HKLM\SOFTWARE\PelmiraTest-<pid>, in both views; a
// thin accessor moves the scan's uninstall key there. The key is removed again.
#include "inventory/LocalScan.h"

#include "platform/Registry.h"

#include "../ScanFixture.h"
#include "TempDir.h"
#include "platform/FixtureExe.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using namespace testing_support;

std::wstring TestKeyName() { return L"PelmiraTest-" + std::to_wstring(GetCurrentProcessId()) + L"-scan"; }

std::string Narrow(const std::wstring& w) {
    std::string s;
    for (wchar_t c : w) s += static_cast<char>(c);
    return s;
}

std::wstring Wide(const std::string& s) {
    const int n = MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
}

// The machine registry with the uninstall key moved below the test's key.
class RebasedRegistry : public platform::Registry {
public:
    RebasedRegistry() : m_inner(platform::OpenMachineRegistry()) {}
    std::vector<platform::TRegistryView> Views() const override { return m_inner->Views(); }
    void SetView(platform::TRegistryView view) override { m_inner->SetView(view); }
    bool OpenKey(std::string_view path) override {
        std::string p(path);
        const std::string from(inventory::kUninstallKey);
        if (p.compare(0, from.size(), from) == 0)
            p = "\\SOFTWARE\\" + Narrow(TestKeyName()) + "\\Uninstall" + p.substr(from.size());
        return m_inner->OpenKey(p);
    }
    void CloseKey() override { m_inner->CloseKey(); }
    std::vector<std::string> GetKeyNames() override { return m_inner->GetKeyNames(); }
    std::vector<std::string> GetValueNames() override { return m_inner->GetValueNames(); }
    std::string ReadString(std::string_view name) override { return m_inner->ReadString(name); }

private:
    std::unique_ptr<platform::Registry> m_inner;
};

// Writes entries below the test's key in one view; removes the key at the end.
class TestUninstallKey {
public:
    explicit TestUninstallKey(REGSAM view) : m_view(view) {}
    ~TestUninstallKey() {
        HKEY software = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE", 0, KEY_ALL_ACCESS | m_view, &software) == ERROR_SUCCESS) {
            RegDeleteTreeW(software, TestKeyName().c_str());
            RegDeleteKeyExW(software, TestKeyName().c_str(), m_view, 0);
            RegCloseKey(software);
        }
    }
    TestUninstallKey(const TestUninstallKey&) = delete;
    TestUninstallKey& operator=(const TestUninstallKey&) = delete;

    void Add(const std::string& entry, const std::vector<std::pair<std::string, std::string>>& values,
             DWORD type = REG_SZ) {
        const std::wstring path = L"SOFTWARE\\" + TestKeyName() + L"\\Uninstall\\" + Wide(entry);
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | m_view, nullptr,
                                  &key, nullptr),
                  ERROR_SUCCESS);
        for (const auto& [name, text] : values) {
            const std::wstring data = Wide(text);
            RegSetValueExW(key, Wide(name).c_str(), 0, type, reinterpret_cast<const BYTE*>(data.c_str()),
                           static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
        }
        RegCloseKey(key);
    }
    void AddDword(const std::string& entry, const std::string& name, DWORD value) {
        const std::wstring path = L"SOFTWARE\\" + TestKeyName() + L"\\Uninstall\\" + Wide(entry);
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | m_view, nullptr,
                                  &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExW(key, Wide(name).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
        RegCloseKey(key);
    }

private:
    REGSAM m_view;
};

TEST(RegistryScanWin32, ScansBothViewsWithExecutablesInInstallFolders) {
    if (FixtureExeDir().empty()) GTEST_SKIP() << "no mingw-w64 fixtures";
    TempDir tmp;  // on the Windows side of the prefix (its temporary folder)
    std::filesystem::create_directories(tmp.FsPath() / "Example App");
    std::filesystem::copy_file(FixtureExe("v5_4_1_0"), tmp.FsPath() / "Example App" / "app.exe");
    std::filesystem::copy_file(FixtureExe("v2_0_0_10"), tmp.FsPath() / "Example App" / "unins000.exe");
    std::filesystem::create_directories(tmp.FsPath() / "Old Tool");
    std::filesystem::copy_file(FixtureExe("v1_0_0_0"), tmp.FsPath() / "Old Tool" / "tool.exe");

    TestUninstallKey view64(KEY_WOW64_64KEY), view32(KEY_WOW64_32KEY);
    view64.Add("{A}", {{"DisplayName", "Example App"},
                       {"Publisher", "Example Soft & Co."},
                       {"InstallLocation", "\"" + tmp.Join("Example App") + "\\\""}});
    view64.Add("{B}", {{"DisplayName", "Windows Live Mail"}, {"Publisher", "Microsoft Corporation"}});
    view64.Add("{C}", {{"DisplayName", "Example Editor 5.4 (x86)"}, {"Publisher", "Example Soft"}});
    view64.AddDword("{C}", "EstimatedSize", 1234);
    view32.Add("Old Tool", {{"DisplayName", "Old Tool (32-bit)"}});
    view32.Add("Old Tool",
               {{"DisplayIcon", tmp.Join("Old Tool") + "\\tool.exe,0"}, {"UninstallString", tmp.Join("Old Tool")}});
    view32.Add("Old Tool", {{"InstallLocation", tmp.Join("Old Tool")}}, REG_EXPAND_SZ);

    RebasedRegistry registry;
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

TEST(RegistryScanWin32, WrongTypeInTheRealRegistryAbortsTheScan) {
    TempDir tmp;
    TestUninstallKey view64(KEY_WOW64_64KEY);
    view64.Add("{A}", {{"DisplayName", "Fine"}});
    view64.AddDword("{B}", "DisplayName", 7);
    const std::string versPath = tmp.Join("vers.xml");
    WriteBytes(versPath, "old");
    RebasedRegistry registry;
    try {
        inventory::ScanLocalSoftware(registry, nullptr, versPath);
        ADD_FAILURE() << "a DWORD display name was accepted";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "Invalid data type for 'DisplayName'");
    }
    EXPECT_EQ(ReadBytes(versPath), "old");
}

}  // namespace

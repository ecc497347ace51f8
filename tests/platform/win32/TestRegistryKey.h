#pragma once

#include <windows.h>

#include <sddl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace testing_support {

// A test's own key HKLM\SOFTWARE\PelmiraTest-<pid>-<suffix> in one registry
// view; the test writes only below it, and the whole tree is removed on
// destruction.
class TestRegistryKey {
public:
    TestRegistryKey(const std::wstring& suffix, REGSAM view)
        : m_name(L"PelmiraTest-" + std::to_wstring(GetCurrentProcessId()) + L"-" + suffix), m_view(view) {}
    ~TestRegistryKey() {
        // Keys made read-only get full access back first, so they can be deleted.
        for (auto it = m_restricted.rbegin(); it != m_restricted.rend(); ++it) SetAccess(*it, L"D:(A;OICI;KA;;;WD)");
        HKEY software = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE", 0, KEY_ALL_ACCESS | m_view, &software) == ERROR_SUCCESS) {
            RegDeleteTreeW(software, m_name.c_str());
            RegDeleteKeyExW(software, m_name.c_str(), m_view, 0);
            RegCloseKey(software);
        }
    }
    TestRegistryKey(const TestRegistryKey&) = delete;
    TestRegistryKey& operator=(const TestRegistryKey&) = delete;

    // The key's path below HKEY_LOCAL_MACHINE as the program writes it ("\SOFTWARE\...").
    std::string Path() const { return "\\SOFTWARE\\" + std::string(m_name.begin(), m_name.end()); }
    // Full path below HKEY_LOCAL_MACHINE of a sub-key, for direct Win32 calls.
    std::wstring WidePath(const std::wstring& subKey) const { return L"SOFTWARE\\" + m_name + L"\\" + subKey; }

    // Writes a value of any type below subKey, creating the keys.
    void Set(const std::wstring& subKey, const std::wstring& name, DWORD type, const void* data, DWORD size) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, WidePath(subKey).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | m_view,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        EXPECT_EQ(RegSetValueExW(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
        RegCloseKey(key);
    }
    // Writes a string value (REG_SZ or REG_EXPAND_SZ) with its NUL.
    void SetText(const std::wstring& subKey, const std::wstring& name, const std::wstring& text, DWORD type = REG_SZ) {
        Set(subKey, name, type, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    // Writes a REG_DWORD value.
    void SetDword(const std::wstring& subKey, const std::wstring& name, DWORD value) {
        Set(subKey, name, REG_DWORD, &value, sizeof value);
    }

    // Lets everyone only read subKey (as a user without administrator rights
    // sees the machine's keys): opening it for writing then fails.
    void RestrictToReading(const std::wstring& subKey) {
        SetAccess(subKey, L"D:P(A;;KR;;;WD)");
        m_restricted.push_back(subKey);
    }

private:
    void SetAccess(const std::wstring& subKey, const wchar_t* sddl) {
        PSECURITY_DESCRIPTOR sd = nullptr;
        if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &sd, nullptr)) return;
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, WidePath(subKey).c_str(), 0, WRITE_DAC | m_view, &key) == ERROR_SUCCESS) {
            RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, sd);
            RegCloseKey(key);
        }
        LocalFree(sd);
    }

    std::vector<std::wstring> m_restricted;
    std::wstring m_name;
    REGSAM m_view;
};

}  // namespace testing_support

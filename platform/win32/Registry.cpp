// The machine's registry through the wide Win32 API, for reading only: keys are
// opened with KEY_READ, so the scan works without administrator rights.
#include "platform/Registry.h"
#include "platform/RegistryError.h"

#include "Handles.h"
#include "WideString.h"

#include <windows.h>

namespace platform {
namespace {

using win32::Narrow;
using win32::UniqueKey;
using win32::Widen;

// The largest string value read; Windows itself advises far less.
constexpr DWORD kMaxStringValueBytes = 16u * 1024u * 1024u;

bool MachineIs64Bit() {
#ifdef _WIN64
    return true;
#else
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
#endif
}

class Win32Registry : public Registry {
public:
    std::vector<TRegistryView> Views() const override {
        if (MachineIs64Bit()) return {TRegistryView::rv64, TRegistryView::rv32};
        return {TRegistryView::rvOnly};
    }

    void SetView(TRegistryView view) override {
        CloseKey();
        m_view = view;
    }

    bool OpenKey(std::string_view path) override {
        CloseKey();
        while (!path.empty() && path.front() == '\\') path.remove_prefix(1);
        REGSAM access = KEY_READ;
        if (m_view == TRegistryView::rv64) access |= KEY_WOW64_64KEY;
        if (m_view == TRegistryView::rv32) access |= KEY_WOW64_32KEY;
        return RegOpenKeyExW(HKEY_LOCAL_MACHINE, Widen(path).c_str(), 0, access, m_key.Receive()) == ERROR_SUCCESS;
    }

    void CloseKey() override { m_key.Reset(); }

    std::vector<std::string> GetKeyNames() override { return Names(TNames::nmKeys); }

    std::vector<std::string> GetValueNames() override { return Names(TNames::nmValues); }

    std::string ReadString(std::string_view name) override {
        if (m_key.Get() == nullptr) return {};
        const std::wstring wideName = Widen(name);
        DWORD type = 0, size = 0;
        if (RegQueryValueExW(m_key.Get(), wideName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
            size == 0)
            return {};
        if (type != REG_SZ && type != REG_EXPAND_SZ) throw RegistryError::InvalidDataType(name);
        if (size > kMaxStringValueBytes) throw RegistryError::FailedToGetData(name);
        std::wstring data((size + 1) / 2 + 1, L'\0');
        DWORD got = size;
        if (RegQueryValueExW(m_key.Get(), wideName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                             &got) != ERROR_SUCCESS)
            throw RegistryError::FailedToGetData(name);
        if (type != REG_SZ && type != REG_EXPAND_SZ) throw RegistryError::InvalidDataType(name);
        data.resize(got / 2);
        const std::size_t nul = data.find(L'\0');
        if (nul != std::wstring::npos) data.resize(nul);
        return Narrow(data);
    }

private:
    enum class TNames { nmKeys, nmValues };

    // The names of the open key's subkeys or values, read into a buffer sized
    // by the longest name the key reports.
    std::vector<std::string> Names(TNames which) {
        std::vector<std::string> names;
        if (m_key.Get() == nullptr) return names;
        const bool keys = which == TNames::nmKeys;
        DWORD maxLength = 0;
        if (RegQueryInfoKeyW(m_key.Get(), nullptr, nullptr, nullptr, nullptr, keys ? &maxLength : nullptr, nullptr,
                             nullptr, keys ? nullptr : &maxLength, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return names;
        std::wstring buffer(static_cast<std::size_t>(maxLength) + 1, L'\0');
        for (DWORD index = 0;;) {
            DWORD length = static_cast<DWORD>(buffer.size());
            const LONG rc =
                keys ? RegEnumKeyExW(m_key.Get(), index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr)
                     : RegEnumValueW(m_key.Get(), index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
            if (rc == ERROR_MORE_DATA && buffer.size() < 32768) {
                // A name added since the size was asked: key names stop at 255
                // characters, value names at 16383.
                buffer.resize(32768);
                continue;
            }
            if (rc != ERROR_SUCCESS) break;
            names.push_back(Narrow(std::wstring_view(buffer.data(), length)));
            ++index;
        }
        return names;
    }

    TRegistryView m_view = TRegistryView::rvOnly;
    UniqueKey m_key;
};

}  // namespace

std::unique_ptr<Registry> OpenMachineRegistry() { return std::make_unique<Win32Registry>(); }

}  // namespace platform

#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Read side of the machine-wide part of the Windows registry (HKEY_LOCAL_MACHINE),
// with 8-bit names and values in the system code page.
namespace platform {

// Which half of the machine-wide registry a read goes to. 64-bit Windows keeps
// a 64-bit and a 32-bit view of parts of HKEY_LOCAL_MACHINE\SOFTWARE; 32-bit
// Windows has one view only.
enum class TRegistryView { rvOnly, rv64, rv32 };

// Registry type codes of the values a registry holds.
enum TRegistryType : unsigned {
    rtNone = 0,
    rtString = 1,
    rtExpandString = 2,
    rtBinary = 3,
    rtDword = 4,
    rtMultiString = 7,
    rtQword = 11,
};

// A read-only accessor to HKEY_LOCAL_MACHINE holding at most one open key.
class Registry {
public:
    virtual ~Registry() = default;
    Registry() = default;
    Registry(const Registry&) = delete;
    Registry& operator=(const Registry&) = delete;

    // The views this machine has, in the order the program reads them:
    // {rv64, rv32} on 64-bit Windows, {rvOnly} otherwise.
    virtual std::vector<TRegistryView> Views() const = 0;
    // Chooses the view later OpenKey calls use, and closes the open key.
    virtual void SetView(TRegistryView view) = 0;

    // Opens HKEY_LOCAL_MACHINE\path for reading only, never creating it (a
    // leading "\" is allowed); the previously open key is closed first.
    // Returns false when the key does not exist or cannot be opened.
    virtual bool OpenKey(std::string_view path) = 0;
    // Closes the open key, if any.
    virtual void CloseKey() = 0;

    // Names of the open key's sub-keys in enumeration order; empty without an open key.
    virtual std::vector<std::string> GetKeyNames() = 0;
    // Names of the open key's values in enumeration order; empty without an open key.
    virtual std::vector<std::string> GetValueNames() = 0;
    // A string or expandable-string value as text up to its first NUL, with
    // environment references left as written; "" when the value does not exist
    // or has no data. Throws RegistryError::InvalidDataType for other types and
    // RegistryError::FailedToGetData when the data cannot be read.
    virtual std::string ReadString(std::string_view name) = 0;
};

// The machine's own registry. The portable build has no registry of its own
// and returns an empty one (every key fails to open).
std::unique_ptr<Registry> OpenMachineRegistry();

}  // namespace platform

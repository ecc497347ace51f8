#pragma once

#include "platform/Registry.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace platform {

// The largest registry export MemoryRegistry loads.
inline constexpr std::size_t kMaxRegExportBytes = 256u * 1024u * 1024u;

// A registry held in memory, filled from a regedit export (".reg" file) of
// HKEY_LOCAL_MACHINE: "REGEDIT4" or "Windows Registry Editor Version 5.00",
// UTF-16LE with a byte-order mark, UTF-8 with a byte-order mark, or 8-bit text
// in the system code page. Sections of other roots are ignored. Keys and
// values enumerate in the order the export lists them. When the export holds
// HKEY_LOCAL_MACHINE\SOFTWARE\WOW6432Node it was taken on 64-bit Windows and
// the registry shows two views, the 32-bit view reading SOFTWARE\X from
// SOFTWARE\WOW6432Node\X.
class MemoryRegistry : public Registry {
public:
    // An empty registry.
    MemoryRegistry();
    ~MemoryRegistry() override;

    // Parses export text (the file's bytes). Throws RegistryError::BadExport,
    // naming sourceName, when the text is not a registry export.
    static std::unique_ptr<MemoryRegistry> FromExportText(std::string_view bytes,
                                                          std::string_view sourceName = "<text>");
    // Loads an export file. Throws RegistryError::BadExport or OsError.
    static std::unique_ptr<MemoryRegistry> FromExportFile(const std::string& path);

    // Adds a value of any type with raw data bytes, creating its key and the
    // key's parents; a value of the same name is replaced. String data are the
    // 8-bit text itself (no UTF-16, NUL optional).
    void SetValue(std::string_view keyPath, std::string_view name, unsigned type, std::string data);
    // Creates a key and its parents if they do not exist yet.
    void AddKey(std::string_view keyPath);

    std::vector<TRegistryView> Views() const override;
    void SetView(TRegistryView view) override;
    bool OpenKey(std::string_view path) override;
    void CloseKey() override;
    std::vector<std::string> GetKeyNames() override;
    std::vector<std::string> GetValueNames() override;
    std::string ReadString(std::string_view name) override;

private:
    struct Value {
        std::string name;
        unsigned type = 0;
        std::string data;
    };
    struct Key {
        std::vector<std::string> children;  // child names as written, first-seen order
        std::vector<Value> values;
    };

    Key& EnsureKey(std::string_view keyPath);
    const Key* FindKey(std::string_view keyPath) const;

    std::unordered_map<std::string, Key> m_keys;  // by upper-cased path without leading "\"
    TRegistryView m_view = TRegistryView::rvOnly;
    const Key* m_open = nullptr;
};

}  // namespace platform

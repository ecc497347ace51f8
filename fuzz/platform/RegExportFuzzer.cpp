// Loads a registry export from arbitrary bytes and reads every key and value
// of every view, as a scan would.
#include "platform/MemoryRegistry.h"
#include "platform/RegistryError.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

void Walk(platform::Registry& registry, const std::string& path, int depth) {
    if (depth > 8 || !registry.OpenKey(path)) return;
    for (const std::string& value : registry.GetValueNames()) {
        try {
            (void)registry.ReadString(value);
        } catch (const platform::RegistryError&) {
            // Values of other types are reported, not crashed on.
        }
    }
    const std::vector<std::string> children = registry.GetKeyNames();
    for (const std::string& child : children) Walk(registry, path + "\\" + child, depth + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    try {
        auto registry = platform::MemoryRegistry::FromExportText(bytes, "fuzz.reg");
        for (const platform::TRegistryView view : registry->Views()) {
            registry->SetView(view);
            Walk(*registry, "SOFTWARE", 0);
        }
    } catch (const platform::RegistryError&) {
        // A broken export is a clear error.
    }
    return 0;
}

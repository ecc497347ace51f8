#include "inventory/ScanError.h"

#include "platform/MessageText.h"

namespace inventory {
namespace {

constexpr std::string_view kUninstallKeyMissing = "Cannot open registry key \"%s\"";

}  // namespace

EScanError EScanError::UninstallKeyMissing(std::string_view keyPath) {
    return EScanError(platform::FillMessage(kUninstallKeyMissing, {keyPath}));
}

}  // namespace inventory

#include "inventory/ScanError.h"

namespace inventory {
namespace {

constexpr std::string_view kUninstallKeyMissing = "Cannot open registry key \"%s\"";

}  // namespace

EScanError EScanError::UninstallKeyMissing(std::string_view keyPath) {
    std::string message(kUninstallKeyMissing);
    message.replace(message.find("%s"), 2, keyPath);
    return EScanError(message);
}

}  // namespace inventory

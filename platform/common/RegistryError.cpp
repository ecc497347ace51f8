#include "platform/RegistryError.h"
#include "platform/MessageText.h"

namespace platform {
namespace {

// The user-visible texts of failed registry reads, defined once.
constexpr std::string_view kInvalidDataType = "Invalid data type for '%s'";
constexpr std::string_view kFailedToGetData = "Failed to get data for '%s'";
constexpr std::string_view kBadExport = "Cannot read registry export \"%s\"%s: %s";
constexpr std::string_view kAtLine = " at line %s";

}  // namespace

RegistryError RegistryError::InvalidDataType(std::string_view valueName) {
    return RegistryError(FillMessage(kInvalidDataType, {valueName}));
}

RegistryError RegistryError::FailedToGetData(std::string_view valueName) {
    return RegistryError(FillMessage(kFailedToGetData, {valueName}));
}

RegistryError RegistryError::BadExport(std::string_view path, int line, std::string_view reason) {
    const std::string where = line > 0 ? FillMessage(kAtLine, {std::to_string(line)}) : std::string();
    return RegistryError(FillMessage(kBadExport, {path, where, reason}));
}

}  // namespace platform

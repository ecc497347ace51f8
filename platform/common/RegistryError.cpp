#include "platform/RegistryError.h"

namespace platform {
namespace {

// The user-visible texts of failed registry reads, defined once.
constexpr std::string_view kInvalidDataType = "Invalid data type for '%s'";
constexpr std::string_view kFailedToGetData = "Failed to get data for '%s'";

std::string Insert(std::string_view format, std::string_view value) {
    std::string out(format);
    const std::size_t at = out.find("%s");
    if (at != std::string::npos) out.replace(at, 2, value);
    return out;
}

}  // namespace

RegistryError RegistryError::InvalidDataType(std::string_view valueName) {
    return RegistryError(Insert(kInvalidDataType, valueName));
}

RegistryError RegistryError::FailedToGetData(std::string_view valueName) {
    return RegistryError(Insert(kFailedToGetData, valueName));
}

RegistryError RegistryError::BadExport(std::string_view path, int line, std::string_view reason) {
    std::string message = "Cannot read registry export \"" + std::string(path) + "\"";
    if (line > 0) message += " at line " + std::to_string(line);
    message += ": ";
    message += reason;
    return RegistryError(message);
}

}  // namespace platform

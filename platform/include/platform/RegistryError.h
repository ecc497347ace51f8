#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace platform {

// A failed registry read or an unreadable registry export. what() is the exact
// text the user sees.
class RegistryError : public std::runtime_error {
public:
    explicit RegistryError(const std::string& message) : std::runtime_error(message) {}

    // "Invalid data type for '<name>'": a value read as text is of another type.
    static RegistryError InvalidDataType(std::string_view valueName);
    // "Failed to get data for '<name>'": the value's data could not be read.
    static RegistryError FailedToGetData(std::string_view valueName);
    // A registry export that cannot be read; line is 1-based, 0 for the whole file.
    static RegistryError BadExport(std::string_view path, int line, std::string_view reason);
};

}  // namespace platform

#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace inventory {

// A local scan that cannot be done at all; what() is the user-visible text.
class EScanError : public std::runtime_error {
public:
    explicit EScanError(const std::string& message) : std::runtime_error(message) {}

    // "Cannot open registry key \"<path>\"": the uninstall key opens in no view.
    static EScanError UninstallKeyMissing(std::string_view keyPath);
};

}  // namespace inventory

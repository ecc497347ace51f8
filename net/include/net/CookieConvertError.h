#pragma once

#include <stdexcept>
#include <string>

namespace net {

// Raised while reading a "Set-cookie2" text whose quoted "Port" list holds an
// entry that is not a number; ends the request that received it.
class ECookieConvertError : public std::runtime_error {
public:
    // message: the complete text, see CookieConvertErrorText.
    explicit ECookieConvertError(const std::string& message) : std::runtime_error(message) {}
};

// The message for an entry that is not a valid integer: "'<entry>' is not a valid integer value".
std::string CookieConvertErrorText(const std::string& entry);

}  // namespace net

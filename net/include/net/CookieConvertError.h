#pragma once

#include "net/NetExceptions.h"

#include <string>

namespace net {

// Raised while reading a "Set-cookie2" text whose quoted "Port" list holds an
// entry that is not a number; ends the request that received it.
class ECookieConvertError : public ENetException {
public:
    // message: the complete text, see CookieConvertErrorText.
    explicit ECookieConvertError(const std::string& message) : ENetException(message) {}
    const char* ClassName() const noexcept override { return "ECookieConvertError"; }
};

// The message for an entry that is not a valid integer: "'<entry>' is not a valid integer value".
std::string CookieConvertErrorText(const std::string& entry);

}  // namespace net

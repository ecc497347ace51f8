#pragma once

#include "net/NetText.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Text helpers shared by the cookie classes (not part of the library's interface).
namespace net::cookietext {

// A cookie text cut into its parts: the first item's name and value, and every
// further item as "NAME=value" (name upper-cased) or "NAME" (upper-cased whole).
struct CookieItems {
    std::string name;
    std::string value;
    std::vector<std::string> attributes;
};

// Splits text at every ";" and trims each item.
CookieItems SplitCookieText(std::string_view text);

// The value of the first attribute called name (any case), std::nullopt when none
// has that name; an attribute without "=" has the empty value.
std::optional<std::string> FindAttribute(const std::vector<std::string>& attributes, std::string_view name);

}  // namespace net::cookietext

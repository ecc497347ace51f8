#pragma once

#include <string>
#include <string_view>

// Text rules the HTTP client applies to protocol text (header lines, cookie
// items, authentication parameters, dates).
namespace net {

// text without the characters with codes 0 to 32 at both ends.
std::string Trim(std::string_view text);
// text without the characters with codes 0 to 32 at its start.
std::string TrimLeft(std::string_view text);
// text without the characters with codes 0 to 32 at its end.
std::string TrimRight(std::string_view text);
// Whether a and b are equal ignoring ASCII letter case.
bool SameText(std::string_view a, std::string_view b);
// text with its ASCII letters upper-cased.
std::string UpperAscii(std::string_view text);

}  // namespace net

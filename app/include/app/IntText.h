#pragma once

#include <optional>
#include <string_view>

namespace app {

// The standard conversion of a text to a 32-bit signed integer: optional
// leading spaces, an optional sign, then decimal digits, or hexadecimal digits
// after "$", "x" or "0x" (x in either case). Any other text, trailing spaces
// included, and values outside the 32-bit range give no value (hexadecimal
// values up to FFFFFFFF wrap to negative numbers, as the conversion does).
std::optional<int> TextToInt(std::string_view text);

}  // namespace app

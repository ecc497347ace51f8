#pragma once

#include <string>
#include <string_view>

namespace service {

// Windows-1252 bytes (what the program sends) as UTF-8; the five unassigned bytes
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same value.
std::string Cp1252ToUtf8(std::string_view text);

// UTF-8 as Windows-1252 (what the program reads); characters the code page lacks and
// invalid UTF-8 bytes become "?".
std::string Utf8ToCp1252(std::string_view text);

}  // namespace service

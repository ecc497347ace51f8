#pragma once

#include "platform/AsciiText.h"

#include <string>
#include <string_view>

// The text rules of the inventory: 1-based positions, trimming of the
// characters with codes 0 to 32, case-sensitive containment, and the removal
// of a text ignoring case. All texts are 8-bit in the system code page.
namespace inventory {

// 1-based position where the last occurrence of sub starts in text; 0 when
// sub does not occur, or when either is empty.
int LastPos(std::string_view sub, std::string_view text);

// text without the characters with codes 0 to 32 at both ends.
inline std::string TrimText(std::string_view text) { return platform::Trim(text); }

// Whether text contains sub (case-sensitive, byte for byte).
bool ContainsText(std::string_view text, std::string_view sub);

// text with every non-overlapping occurrence of sub removed, found left to
// right in the upper-cased text (system locale), so letter case is ignored.
std::string RemoveAllIgnoreCase(std::string_view text, std::string_view sub);

// text with the ASCII letters A to Z lower-cased; other bytes unchanged.
using platform::LowerAscii;

// Whether text reads as a floating-point number in the user's format: blanks
// around it, an optional sign, digits with at most one decimal separator
// (the system's), an optional exponent. An empty text is not a number.
bool IsFloatText(std::string_view text);

}  // namespace inventory

#pragma once

#include <string>
#include <string_view>

// Text escaping of node values and attributes.
namespace xml {

// text with &, <, >, ' and " replaced by their entities, ampersand first.
std::string EscapeText(std::string_view text);
// text wrapped in double quotes, or single quotes when it holds a double
// quote; the chosen quote is doubled inside.
std::string Quote(std::string_view text);
// text with the surrounding quotes removed and doubled quotes reduced, when it
// is longer than one character and starts with a quote; otherwise text.
std::string Unquote(std::string_view text);
// Resolves the five named entities and character references 0..254 to 8-bit
// characters; anything else stays as written.
std::string UnescapeText(std::string_view text);
// As UnescapeText, but character references 0..65534 become UTF-8 sequences.
std::string UnescapeTextUtf8(std::string_view text);

}  // namespace xml

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Locale-free text rules shared by every layer: trimming of the characters
// with codes 0 to 32, ASCII letter case, and decimal numbers. Bytes from 128
// up are never changed and never count as blanks or letters.
namespace platform {

// Whether c is one of the characters trimming removes (codes 0 to 32).
constexpr bool IsTrimmedChar(char c) { return static_cast<unsigned char>(c) <= 32; }

// c lower-cased when it is one of the ASCII letters A to Z; c otherwise.
constexpr char LowerAsciiChar(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }

// c upper-cased when it is one of the ASCII letters a to z; c otherwise.
constexpr char UpperAsciiChar(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - ('a' - 'A')) : c; }

// The part of text without the characters with codes 0 to 32 at both ends (a view into text).
std::string_view TrimView(std::string_view text);

// text without the characters with codes 0 to 32 at both ends.
std::string Trim(std::string_view text);

// text without the characters with codes 0 to 32 at its start.
std::string TrimLeft(std::string_view text);

// text without the characters with codes 0 to 32 at its end.
std::string TrimRight(std::string_view text);

// text with the ASCII letters A to Z lower-cased; other bytes unchanged.
std::string LowerAscii(std::string_view text);

// text with the ASCII letters a to z upper-cased; other bytes unchanged.
std::string UpperAscii(std::string_view text);

// Whether a and b are equal ignoring the case of ASCII letters (byte for byte otherwise).
bool SameText(std::string_view a, std::string_view b);

// The whole of text as a decimal integer with an optional sign ("+" or "-")
// and no blanks; std::nullopt when it is not one or does not fit 64 bits.
std::optional<std::int64_t> ParseInt64(std::string_view text);

}  // namespace platform

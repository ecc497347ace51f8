#pragma once

#include <string>
#include <string_view>

// The system's ANSI code page and locale, as far as the program uses them.
// Program text is 8-bit in this code page; widgets and Win32 calls take UTF-16.
namespace platform {

// Whether the ANSI code page is a multi-byte (double-byte) one.
bool IsMultiByteCodePage();
// Whether b starts a double-byte character in the ANSI code page.
bool IsLeadByte(unsigned char b);

// Upper-cased copy, by the system locale's rules for the ANSI code page.
std::string AnsiUpperCase(std::string_view text);
// Case-insensitive comparison by the system locale: <0, 0 or >0.
int AnsiCompareText(std::string_view a, std::string_view b);
// Whether a and b are equal ignoring case (system locale).
bool AnsiSameText(std::string_view a, std::string_view b);

// The user's decimal separator (for example '.' or ',').
char DecimalSeparator();

// Conversions at the 8-bit / UTF-16 / UTF-8 boundaries. Characters that do not
// exist in the target encoding become '?' (8-bit) or U+FFFD (Unicode).
std::u16string AnsiToUtf16(std::string_view text);
std::string Utf16ToAnsi(std::u16string_view text);
std::string Utf16ToUtf8(std::u16string_view text);
std::u16string Utf8ToUtf16(std::string_view text);

}  // namespace platform

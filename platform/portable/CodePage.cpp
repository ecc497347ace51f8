// Portable imitation of the Windows ANSI code page: windows-1252 by default,
// or the double-byte structure of code page 932 (Shift JIS) for tests.
#include "platform/CodePage.h"
#include "platform/PortableCodePage.h"

#include <algorithm>
#include <array>

namespace platform {
namespace {

portable::TCodePage g_codePage = portable::TCodePage::cp1252;
char g_decimalSeparator = '.';

// Unicode values of windows-1252 bytes 0x80..0x9F; 0 marks the five unused bytes,
// which Windows maps to the C1 control of the same value.
constexpr std::array<char16_t, 32> kCp1252High = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                                  0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

bool Is932Lead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

unsigned char Upper1252(unsigned char c) {
    if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 0x20);
    if (g_codePage != portable::TCodePage::cp1252) return c;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 0x20);
    switch (c) {
        case 0x9A:
            return 0x8A;  // s caron
        case 0x9C:
            return 0x8C;  // oe
        case 0x9E:
            return 0x8E;  // z caron
        case 0xFF:
            return 0x9F;  // y diaeresis
        default:
            return c;
    }
}

}  // namespace

namespace portable {
void SetCodePage(TCodePage codePage) { g_codePage = codePage; }
TCodePage CurrentCodePage() { return g_codePage; }
void SetDecimalSeparator(char separator) { g_decimalSeparator = separator; }
}  // namespace portable

bool IsMultiByteCodePage() { return g_codePage == portable::TCodePage::cp932; }

bool IsLeadByte(unsigned char b) { return IsMultiByteCodePage() && Is932Lead(b); }

std::string AnsiUpperCase(std::string_view text) {
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto c = static_cast<unsigned char>(out[i]);
        if (IsLeadByte(c)) {
            ++i;  // the trail byte of a double-byte character is not a letter
            continue;
        }
        out[i] = static_cast<char>(Upper1252(c));
    }
    return out;
}

int AnsiCompareText(std::string_view a, std::string_view b) {
    const std::string ua = AnsiUpperCase(a);
    const std::string ub = AnsiUpperCase(b);
    const std::size_t n = std::min(ua.size(), ub.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(ua[i]);
        const auto cb = static_cast<unsigned char>(ub[i]);
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (ua.size() == ub.size()) return 0;
    return ua.size() < ub.size() ? -1 : 1;
}

char DecimalSeparator() { return g_decimalSeparator; }

std::u16string AnsiToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (IsLeadByte(c)) {
            // The portable build knows the structure of the double-byte code
            // page but not its character table.
            ++i;
            out += u'\xFFFD';
        } else if (g_codePage == portable::TCodePage::cp1252 && c >= 0x80 && c <= 0x9F) {
            const char16_t u = kCp1252High[c - 0x80];
            out += u != 0 ? u : static_cast<char16_t>(c);
        } else {
            out += static_cast<char16_t>(c);
        }
    }
    return out;
}

std::string Utf16ToAnsi(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char16_t u : text) {
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF && g_codePage == portable::TCodePage::cp1252)) {
            out += static_cast<char>(u);
            continue;
        }
        char mapped = '?';
        if (g_codePage == portable::TCodePage::cp1252) {
            for (std::size_t k = 0; k < kCp1252High.size(); ++k) {
                if (kCp1252High[k] == u || (kCp1252High[k] == 0 && u == 0x80 + k)) {
                    mapped = static_cast<char>(0x80 + k);
                    break;
                }
            }
        }
        out += mapped;
    }
    return out;
}

}  // namespace platform

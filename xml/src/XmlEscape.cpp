#include "xml/XmlEscape.h"

#include <cstdint>

namespace xml {
namespace {

bool NeedsEscape(char c) { return c == '&' || c == '<' || c == '>' || c == '\'' || c == '"'; }

// The number of a character reference body ("65", "x41"), or -1 when it is not
// a plain non-negative number. Values above limit also give -1.
long ReferenceValue(std::string_view body, long limit) {
    int base = 10;
    if (!body.empty() && (body[0] == 'x' || body[0] == 'X')) {
        base = 16;
        body.remove_prefix(1);
    }
    if (body.empty()) return -1;
    long value = 0;
    for (const char c : body) {
        int digit;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (base == 16 && c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (base == 16 && c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else {
            return -1;
        }
        value = value * base + digit;
        if (value > limit) return -1;  // also keeps long digit runs from overflowing
    }
    return value;
}

void AppendUtf8(std::string& out, std::uint32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string Unescape(std::string_view text, bool utf8) {
    std::size_t amp = text.find('&');
    if (amp == std::string_view::npos) return std::string(text);
    std::string out;
    out.reserve(text.size());
    std::size_t from = 0;
    while (amp != std::string_view::npos) {
        const std::size_t semi = text.find(';', amp);
        if (semi == std::string_view::npos) break;  // the rest is copied as it is
        out.append(text, from, amp - from);
        const std::string_view token = text.substr(amp, semi - amp + 1);
        if (token.size() > 2 && token[1] == '#') {
            const long limit = utf8 ? 65534 : 254;
            const long value = ReferenceValue(token.substr(2, token.size() - 3), limit);
            if (value < 0) {
                out += token;
            } else if (utf8) {
                AppendUtf8(out, static_cast<std::uint32_t>(value));
            } else {
                out += static_cast<char>(value);
            }
        } else if (token == "&amp;") {
            out += '&';
        } else if (token == "&lt;") {
            out += '<';
        } else if (token == "&gt;") {
            out += '>';
        } else if (token == "&apos;") {
            out += '\'';
        } else if (token == "&quot;") {
            out += '"';
        } else {
            out += token;
        }
        from = semi + 1;
        amp = text.find('&', from);
    }
    out.append(text, from, std::string_view::npos);
    return out;
}

}  // namespace

std::string EscapeText(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text) count += NeedsEscape(c) ? 1 : 0;
    if (count == 0) return std::string(text);
    std::string out;
    out.reserve(text.size() + count * 5);
    for (const char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '\'': out += "&apos;"; break;
            case '"': out += "&quot;"; break;
            default: out += c; break;
        }
    }
    return out;
}

std::string Quote(std::string_view text) {
    const char quote = text.find('"') == std::string_view::npos ? '"' : '\'';
    std::string out;
    out.reserve(text.size() + 2);
    out += quote;
    for (const char c : text) {
        out += c;
        if (c == quote) out += c;
    }
    out += quote;
    return out;
}

std::string Unquote(std::string_view text) {
    if (text.size() < 2 || (text[0] != '"' && text[0] != '\'')) return std::string(text);
    const char quote = text[0];
    std::string out;
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (text[i] == quote) {
            if (i + 1 < text.size() && text[i + 1] == quote) {
                out += quote;
                ++i;
                continue;
            }
            break;  // the closing quote; anything after it is dropped
        }
        out += text[i];
    }
    return out;
}

std::string UnescapeText(std::string_view text) { return Unescape(text, false); }

std::string UnescapeTextUtf8(std::string_view text) { return Unescape(text, true); }

}  // namespace xml

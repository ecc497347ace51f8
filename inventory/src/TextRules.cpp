#include "inventory/TextRules.h"

#include "platform/CodePage.h"

#include <algorithm>

namespace inventory {

int LastPos(std::string_view sub, std::string_view text) {
    if (sub.empty() || text.empty() || sub.size() > text.size()) return 0;
    const std::size_t at = text.rfind(sub);
    return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

bool ContainsText(std::string_view text, std::string_view sub) { return text.find(sub) != std::string_view::npos; }

std::string RemoveAllIgnoreCase(std::string_view text, std::string_view sub) {
    if (sub.empty()) return std::string(text);
    // Upper-casing keeps every byte in place, so positions found in the
    // upper-cased copy are positions in the original.
    const std::string upperText = platform::AnsiUpperCase(text);
    const std::string upperSub = platform::AnsiUpperCase(sub);
    std::string out;
    out.reserve(text.size());
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = upperText.find(upperSub, from);
        if (at == std::string::npos) break;
        out.append(text.substr(from, at - from));
        from = at + upperSub.size();
    }
    out.append(text.substr(from));
    return out;
}

bool IsFloatText(std::string_view text) {
    const char separator = platform::DecimalSeparator();
    std::size_t i = 0;
    const auto skipBlanks = [&] {
        while (i < text.size() && text[i] == ' ') ++i;
    };
    const auto isDigit = [&](std::size_t at) { return at < text.size() && text[at] >= '0' && text[at] <= '9'; };
    skipBlanks();
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = 0;
    while (isDigit(i)) ++i, ++digits;
    if (i < text.size() && text[i] == separator) {
        ++i;
        while (isDigit(i)) ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        if (!isDigit(i)) return false;
        while (isDigit(i)) ++i;
    }
    skipBlanks();
    return i == text.size();
}

}  // namespace inventory

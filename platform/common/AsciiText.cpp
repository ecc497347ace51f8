#include "platform/AsciiText.h"

#include <limits>

namespace platform {

std::string_view TrimView(std::string_view text) {
    while (!text.empty() && IsTrimmedChar(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsTrimmedChar(text.back())) text.remove_suffix(1);
    return text;
}

std::string Trim(std::string_view text) { return std::string(TrimView(text)); }

std::string TrimLeft(std::string_view text) {
    while (!text.empty() && IsTrimmedChar(text.front())) text.remove_prefix(1);
    return std::string(text);
}

std::string TrimRight(std::string_view text) {
    while (!text.empty() && IsTrimmedChar(text.back())) text.remove_suffix(1);
    return std::string(text);
}

std::string LowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = LowerAsciiChar(c);
    return out;
}

std::string UpperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = UpperAsciiChar(c);
    return out;
}

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerAsciiChar(a[i]) != LowerAsciiChar(b[i])) return false;
    }
    return true;
}

std::optional<std::int64_t> ParseInt64(std::string_view text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == text.size()) return std::nullopt;
    // Accumulated unsigned, so the most negative value fits as well.
    const std::uint64_t limit = negative ? std::uint64_t(std::numeric_limits<std::int64_t>::max()) + 1
                                         : std::uint64_t(std::numeric_limits<std::int64_t>::max());
    std::uint64_t value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        const auto digit = static_cast<unsigned>(text[i] - '0');
        if (value > (limit - digit) / 10) return std::nullopt;
        value = value * 10 + digit;
    }
    if (!negative) return static_cast<std::int64_t>(value);
    return value == limit ? std::numeric_limits<std::int64_t>::min() : -static_cast<std::int64_t>(value);
}

}  // namespace platform

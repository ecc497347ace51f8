#include "net/AuthenticationParams.h"

namespace net {

std::string TrimAuthText(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= 32) ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 32) --end;
    return std::string(text.substr(begin, end - begin));
}

bool AuthTextEqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
        if (x != y) return false;
    }
    return true;
}

void TNetAuthenticationParams::SetValue(const std::string& name, const std::string& value) {
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
        if (!AuthTextEqualsNoCase(it->first, name)) continue;
        if (value.empty())
            m_entries.erase(it);
        else
            it->second = value;
        return;
    }
    if (!value.empty()) m_entries.emplace_back(name, value);
}

std::string TNetAuthenticationParams::Value(std::string_view name) const {
    for (const auto& entry : m_entries)
        if (AuthTextEqualsNoCase(entry.first, name)) return TrimAuthText(entry.second);
    return std::string();
}

}  // namespace net

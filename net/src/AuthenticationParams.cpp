#include "net/AuthenticationParams.h"

namespace net {

void TNetAuthenticationParams::SetValue(const std::string& name, const std::string& value) {
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
        if (!SameText(it->first, name)) continue;
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
        if (SameText(entry.first, name)) return Trim(entry.second);
    return std::string();
}

}  // namespace net

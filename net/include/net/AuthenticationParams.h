#pragma once

#include "net/NetText.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace net {

// The parameters of an authentication scheme: an ordered list of name/value
// pairs whose names compare ignoring case. Holds the credentials ("Username",
// "Password") and what the scheme read from the server's challenge.
class TNetAuthenticationParams {
public:
    // Sets the value of name: an existing entry keeps its place, a new one is
    // appended, an empty value removes the entry.
    void SetValue(const std::string& name, const std::string& value);
    // The value of name, trimmed of characters 0 to 32 at both ends; "" when absent.
    std::string Value(std::string_view name) const;
    // Number of entries.
    std::size_t Count() const { return m_entries.size(); }
    // The name of entry index (0-based, index < Count()).
    const std::string& Name(std::size_t index) const { return m_entries[index].first; }
    // Removes every entry.
    void Clear() { m_entries.clear(); }

private:
    std::vector<std::pair<std::string, std::string>> m_entries;
};

}  // namespace net

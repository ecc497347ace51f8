#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "net/NetscapeCookie.h"

namespace net {

// The cookies of one domain in the order they were first stored, looked up by
// name ignoring case. Not locked: TNetCookies guards it.
class TNetCookieList {
public:
    // Number of cookies.
    std::size_t Count() const { return m_cookies.size(); }
    // The cookie at index (0-based, index < Count()).
    const TNetNetscapeCookie& Cookie(std::size_t index) const { return *m_cookies[index]; }
    // The index of the cookie called name (any case), std::nullopt when none.
    std::optional<std::size_t> IndexOf(const std::string& name) const;
    // Appends cookie at the end.
    void Add(std::unique_ptr<TNetNetscapeCookie> cookie);
    // Puts cookie in place of the one at index, which keeps its place in the order.
    void Replace(std::size_t index, std::unique_ptr<TNetNetscapeCookie> cookie);
    // Removes every cookie expired at now; returns how many went.
    std::size_t RemoveExpired(std::int64_t now);

private:
    std::vector<std::unique_ptr<TNetNetscapeCookie>> m_cookies;
};

}  // namespace net

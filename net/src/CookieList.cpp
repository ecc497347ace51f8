#include "net/CookieList.h"

#include <algorithm>

#include "CookieText.h"

namespace net {

std::optional<std::size_t> TNetCookieList::IndexOf(const std::string& name) const {
    for (std::size_t i = 0; i < m_cookies.size(); ++i)
        if (SameText(m_cookies[i]->Name(), name)) return i;
    return std::nullopt;
}

void TNetCookieList::Add(std::unique_ptr<TNetNetscapeCookie> cookie) { m_cookies.push_back(std::move(cookie)); }

void TNetCookieList::Replace(std::size_t index, std::unique_ptr<TNetNetscapeCookie> cookie) {
    m_cookies[index] = std::move(cookie);
}

std::size_t TNetCookieList::RemoveExpired(std::int64_t now) {
    const auto end = std::remove_if(m_cookies.begin(), m_cookies.end(),
                                    [now](const std::unique_ptr<TNetNetscapeCookie>& c) { return c->IsExpired(now); });
    const std::size_t removed = static_cast<std::size_t>(m_cookies.end() - end);
    m_cookies.erase(end, m_cookies.end());
    return removed;
}

}  // namespace net

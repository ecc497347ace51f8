#include "net/Cookies.h"

#include <mutex>

#include "CookieText.h"

namespace net {

TNetCookieList* TNetCookies::FindDomain(const std::string& domain) {
    for (auto& entry : m_index)
        if (SameText(entry.first, domain)) return &entry.second;
    return nullptr;
}

TNetCookieAddResult TNetCookies::Add(std::unique_ptr<TNetNetscapeCookie> cookie) {
    std::unique_lock lock(m_lock);
    TNetCookieList* list = FindDomain(cookie->Domain());
    if (list) {
        if (const auto index = list->IndexOf(cookie->Name())) {
            // The new cookie takes the old one's place in the order, with all of
            // its own attributes, the expiry included.
            list->Replace(*index, std::move(cookie));
            return crReplaced;
        }
    }
    if (m_count >= kMaxCookies) return crStoreFull;
    if (!list) {
        m_index.emplace_back(cookie->Domain(), TNetCookieList());
        list = &m_index.back().second;
    }
    list->Add(std::move(cookie));
    ++m_count;
    return crAdded;
}

std::size_t TNetCookies::RemoveExpired(std::int64_t now) {
    std::unique_lock lock(m_lock);
    std::size_t removed = 0;
    for (auto& entry : m_index) removed += entry.second.RemoveExpired(now);
    m_count -= removed;
    return removed;
}

std::string TNetCookies::CookieLine(const std::string& host, const std::string& path, TNetCookieChannel channel) const {
    std::shared_lock lock(m_lock);
    // Domains are walked in index order and each domain's cookies from last to
    // first; the collected list is then written backwards, so later domains come
    // first and within a domain the cookies keep their stored order.
    std::vector<const TNetNetscapeCookie*> collected;
    for (const auto& entry : m_index) {
        if (host.find(entry.first) == std::string::npos) continue;
        const TNetCookieList& list = entry.second;
        for (std::size_t i = list.Count(); i-- > 0;) {
            const TNetNetscapeCookie& cookie = list.Cookie(i);
            if (path.compare(0, cookie.Path().size(), cookie.Path()) != 0) continue;
            if (cookie.Value().empty()) continue;
            if (cookie.Secure() && channel != ccSecure) continue;
            collected.push_back(&cookie);
        }
    }
    std::string line;
    for (auto it = collected.rbegin(); it != collected.rend(); ++it) {
        if (!line.empty()) line += "; ";
        line += (*it)->Name();
        line += '=';
        line += (*it)->Value();
    }
    return line;
}

std::size_t TNetCookies::Count() const {
    std::shared_lock lock(m_lock);
    return m_count;
}

std::vector<std::string> TNetCookies::Domains() const {
    std::shared_lock lock(m_lock);
    std::vector<std::string> domains;
    for (const auto& entry : m_index) domains.push_back(entry.first);
    return domains;
}

std::vector<std::unique_ptr<TNetNetscapeCookie>> TNetCookies::CookiesOf(const std::string& domain) const {
    std::shared_lock lock(m_lock);
    std::vector<std::unique_ptr<TNetNetscapeCookie>> copies;
    for (const auto& entry : m_index) {
        if (!SameText(entry.first, domain)) continue;
        for (std::size_t i = 0; i < entry.second.Count(); ++i) copies.push_back(entry.second.Cookie(i).Clone());
    }
    return copies;
}

}  // namespace net

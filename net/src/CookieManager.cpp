#include "net/CookieManager.h"

#include "CookieText.h"
#include "net/CookieRFC2109.h"
#include "net/CookieRFC2965.h"

namespace net {
namespace {

// Four dot-separated decimal numbers from 0 to 255.
bool IsIPv4Address(const std::string& host) {
    int parts = 0;
    std::size_t i = 0;
    while (true) {
        std::size_t digits = 0;
        unsigned value = 0;
        while (i < host.size() && host[i] >= '0' && host[i] <= '9' && digits < 4) {
            value = value * 10 + static_cast<unsigned>(host[i] - '0');
            ++i;
            ++digits;
        }
        if (digits == 0 || digits > 3 || value > 255) return false;
        ++parts;
        if (i == host.size()) return parts == 4;
        if (host[i] != '.' || parts == 4) return false;
        ++i;
    }
}

}  // namespace

TNetCookieManager::TNetCookieManager(const TNetCookieClock& clock) : m_clock(clock) {}

bool TNetCookieManager::IsDomainValid(const std::string& domain, const std::string& host) {
    if (host.empty() || domain.empty()) return false;
    if (IsIPv4Address(host)) return domain == host;
    if (host.front() != '.')
        return host.size() >= domain.size() && host.compare(host.size() - domain.size(), domain.size(), domain) == 0;
    return SameText(domain, host.substr(host.find('.')));
}

bool TNetCookieManager::Store(std::unique_ptr<TNetNetscapeCookie> cookie, const std::string& text,
                              const std::string& host) {
    if (text.size() > TNetCookies::kMaxCookieTextLength) return false;
    cookie->SetCookieText(text, m_clock.Now());
    if (cookie->Domain().empty()) cookie->SetDomain(host);
    if (!IsDomainValid(cookie->Domain(), host)) return false;
    if (m_onNewCookie && !m_onNewCookie(*cookie)) return false;
    return m_cookies.Add(std::move(cookie)) != crStoreFull;
}

bool TNetCookieManager::AddServerCookie(const std::string& text, const std::string& host) {
    return Store(std::make_unique<TNetCookieRFC2109>(), text, host);
}

bool TNetCookieManager::AddServerCookie2(const std::string& text, const std::string& host) {
    return Store(std::make_unique<TNetCookieRFC2965>(), text, host);
}

void TNetCookieManager::AddServerCookies(const std::vector<std::string>& setCookie,
                                         const std::vector<std::string>& setCookie2, const std::string& host) {
    for (const std::string& text : setCookie) AddServerCookie(text, host);
    for (const std::string& text : setCookie2) AddServerCookie2(text, host);
}

std::string TNetCookieManager::GenerateCookieList(const std::string& host, const std::string& path,
                                                  TNetCookieChannel channel) {
    m_cookies.RemoveExpired(m_clock.Now());
    return m_cookies.CookieLine(host, path, channel);
}

}  // namespace net

#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "net/CookieClock.h"
#include "net/Cookies.h"
#include "net/NetscapeCookie.h"

namespace net {

// The cookie store of one HTTP client: takes the cookies of every reply and
// gives the "Cookie" value for every request. Created by the client at its first
// reply and kept for the client's life; nothing is written to disk.
class TNetCookieManager {
public:
    // Asked before a valid cookie is stored; returning false drops it.
    using TNewCookieHandler = std::function<bool(const TNetNetscapeCookie& cookie)>;

    // A store that reads the time from clock, which must outlive it.
    explicit TNetCookieManager(const TNetCookieClock& clock = TNetCookieClock::System());

    // Sets (or, with an empty function, clears) the handler that may veto new cookies.
    void SetOnNewCookie(TNewCookieHandler handler) { m_onNewCookie = std::move(handler); }

    // Adds the cookie of one "Set-cookie" value received from host; returns
    // whether it was stored (false: domain not valid for host, vetoed, text too long,
    // store full).
    bool AddServerCookie(const std::string& text, const std::string& host);
    // Adds the cookie of one "Set-cookie2" value received from host; returns
    // whether it was stored. Throws ECookieConvertError for a bad quoted "Port" list.
    bool AddServerCookie2(const std::string& text, const std::string& host);
    // Adds every "Set-cookie" value of a reply in order, then every "Set-cookie2"
    // value. Throws ECookieConvertError as AddServerCookie2 does.
    void AddServerCookies(const std::vector<std::string>& setCookie, const std::vector<std::string>& setCookie2,
                          const std::string& host);

    // The "Cookie" value for a request to host whose path has the directory part
    // path (e.g. "/ver/", without the document); "" when no cookie applies. First
    // removes expired cookies. A stored domain applies when it occurs anywhere in
    // host; a cookie applies when its path starts path, its value is not empty and
    // it is not secure (unless channel is ccSecure). Later domains come first,
    // within a domain the stored order holds; cookies are joined by "; ".
    std::string GenerateCookieList(const std::string& host, const std::string& path,
                                   TNetCookieChannel channel = ccPlain);

    // Whether a cookie for domain may be set by host: for an IPv4 address only
    // that address, for a host name any ending of it (letter case counts), for a
    // host starting with "." the same text ignoring case.
    static bool IsDomainValid(const std::string& domain, const std::string& host);

    // The stored cookies.
    TNetCookies& Cookies() { return m_cookies; }
    // The stored cookies.
    const TNetCookies& Cookies() const { return m_cookies; }

private:
    bool Store(std::unique_ptr<TNetNetscapeCookie> cookie, const std::string& text, const std::string& host);

    const TNetCookieClock& m_clock;
    TNewCookieHandler m_onNewCookie;
    TNetCookies m_cookies;
};

}  // namespace net

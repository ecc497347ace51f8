#pragma once

#include <cstdint>
#include <memory>
#include <shared_mutex>
#include <string>
#include <utility>
#include <vector>

#include "net/CookieList.h"
#include "net/NetscapeCookie.h"

namespace net {

// Whether the connection a request travels on is secure; only secure
// connections carry cookies marked secure.
enum TNetCookieChannel { ccPlain, ccSecure };

// What became of a cookie handed to TNetCookies::Add.
enum TNetCookieAddResult { crAdded, crReplaced, crStoreFull };

// All cookies of one client under a domain index: an ordered list of domains
// (looked up ignoring case), each with its TNetCookieList. A reader-writer lock
// guards the index: adding and expiry cleanup write, building a cookie line reads.
class TNetCookies {
public:
    // Most cookies kept at once; a new name beyond it is dropped (replacing one still works).
    static constexpr std::size_t kMaxCookies = 3000;
    // Longest cookie text (one "Set-cookie" value) taken; longer ones are dropped.
    static constexpr std::size_t kMaxCookieTextLength = 8192;

    // Stores cookie under its domain: a cookie of the same name (any case) in that
    // domain is replaced in place, otherwise the cookie is appended.
    TNetCookieAddResult Add(std::unique_ptr<TNetNetscapeCookie> cookie);
    // Removes every cookie expired at now; returns how many went.
    std::size_t RemoveExpired(std::int64_t now);
    // The "Cookie" value for host and directory path (see TNetCookieManager::GenerateCookieList); "" when none.
    std::string CookieLine(const std::string& host, const std::string& path, TNetCookieChannel channel) const;

    // Number of cookies stored.
    std::size_t Count() const;
    // The domains of the index, in index order.
    std::vector<std::string> Domains() const;
    // Copies of the cookies stored under domain (any case), in stored order.
    std::vector<std::unique_ptr<TNetNetscapeCookie>> CookiesOf(const std::string& domain) const;

private:
    TNetCookieList* FindDomain(const std::string& domain);

    mutable std::shared_mutex m_lock;
    std::vector<std::pair<std::string, TNetCookieList>> m_index;
    std::size_t m_count = 0;
};

}  // namespace net

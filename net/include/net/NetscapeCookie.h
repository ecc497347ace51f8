#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace net {

// One cookie as a server set it: the base class, which reads the original
// Netscape attributes (path, expires, domain, secure). Cookies are values: the
// store keeps its own objects and hands out copies.
class TNetNetscapeCookie {
public:
    TNetNetscapeCookie() = default;
    virtual ~TNetNetscapeCookie() = default;

    // A copy of the same class.
    virtual std::unique_ptr<TNetNetscapeCookie> Clone() const;

    // Reads a cookie text ("name=value; Path=/; ..."); now is the current instant
    // for attributes measured from now. A text equal to the last one read is
    // skipped. Throws ECookieConvertError only for a bad "Port" list (version 2).
    void SetCookieText(const std::string& text, std::int64_t now);
    // The last text read.
    const std::string& CookieText() const { return m_cookieText; }

    // The name: the first item's text before its first "=" (empty when it has none).
    const std::string& Name() const { return m_name; }
    // The value: the first item's text after its first "=" (the whole item when it has none).
    const std::string& Value() const { return m_value; }
    // The path the cookie applies to, "/" when none was given.
    const std::string& Path() const { return m_path; }
    // The "expires" text as received or generated from a max-age; empty when none.
    const std::string& Expires() const { return m_expires; }
    // The domain the cookie applies to; empty until given or filled in from the replying host.
    const std::string& Domain() const { return m_domain; }
    // Replaces the domain (the store fills in the replying host when none was given).
    void SetDomain(const std::string& domain) { m_domain = domain; }
    // Whether the cookie may only travel over a secure connection.
    bool Secure() const { return m_secure; }
    // 0 for a plain Netscape cookie, 1 and 2 for the later kinds (see the derived classes).
    int Version() const { return m_version; }

    // The instant the cookie expires, std::nullopt when it has no expiry or the
    // expiry text cannot be read as an HTTP date (such a cookie lasts for the run).
    std::optional<std::int64_t> ExpiryTime() const { return m_expiryTime; }
    // Whether the cookie has expired at now (expiry at or before now).
    bool IsExpired(std::int64_t now) const { return m_expiryTime && *m_expiryTime <= now; }

protected:
    // Reads the attributes after the first item; derived classes add theirs.
    virtual void ReadAttributes(const std::vector<std::string>& attributes, std::int64_t now);
    // Sets the expires text and the expiry instant read from it.
    void SetExpires(const std::string& expires);
    // The version a freshly read cookie of this class starts with.
    virtual int ClassVersion() const { return 0; }

    int m_version = 0;

private:
    std::string m_cookieText;
    std::string m_name;
    std::string m_value;
    std::string m_path = "/";
    std::string m_expires;
    std::optional<std::int64_t> m_expiryTime;
    std::string m_domain;
    bool m_secure = false;
};

}  // namespace net

#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "net/NetscapeCookie.h"

namespace net {

// A cookie from a "Set-cookie" line: the Netscape attributes plus "Max-Age",
// "Version" and "Comment". Starts as version 1; a cookie without an expiry date
// becomes version 0 and, with a max-age, gets an expiry of now + max-age.
class TNetCookieRFC2109 : public TNetNetscapeCookie {
public:
    TNetCookieRFC2109() { m_version = 1; }

    // A copy of the same class.
    std::unique_ptr<TNetNetscapeCookie> Clone() const override;

    // Seconds the cookie lives: from "Max-Age", else from the expiry date; -1 when neither.
    std::int64_t MaxAge() const { return m_maxAge; }
    // The "Version" attribute as received.
    const std::string& VersionText() const { return m_versionText; }
    // The "Comment" attribute as received.
    const std::string& Comment() const { return m_comment; }

protected:
    void ReadAttributes(const std::vector<std::string>& attributes, std::int64_t now) override;
    int ClassVersion() const override { return 1; }

private:
    std::int64_t m_maxAge = -1;
    std::string m_versionText;
    std::string m_comment;
};

}  // namespace net

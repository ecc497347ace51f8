#include "net/CookieRFC2109.h"

#include "CookieText.h"
#include "net/HttpDate.h"
#include "platform/AsciiText.h"

namespace net {

using namespace cookietext;

std::unique_ptr<TNetNetscapeCookie> TNetCookieRFC2109::Clone() const {
    return std::make_unique<TNetCookieRFC2109>(*this);
}

void TNetCookieRFC2109::ReadAttributes(const std::vector<std::string>& attributes, std::int64_t now) {
    TNetNetscapeCookie::ReadAttributes(attributes, now);
    m_maxAge = -1;
    // Both instants are held within the writable years first, so the difference cannot overflow.
    if (ExpiryTime()) m_maxAge = AddSecondsClamped(*ExpiryTime(), -AddSecondsClamped(now, 0));
    if (const auto maxAge = FindAttribute(attributes, "MAX-AGE")) m_maxAge = platform::ParseInt64(*maxAge).value_or(-1);
    m_versionText = FindAttribute(attributes, "VERSION").value_or(std::string());
    m_comment = FindAttribute(attributes, "COMMENT").value_or(std::string());
    if (Expires().empty()) {
        m_version = 0;
        if (m_maxAge >= 0) SetExpires(FormatHttpDate(AddSecondsClamped(now, m_maxAge)));
    }
}

}  // namespace net

#include "net/NetscapeCookie.h"

#include "CookieText.h"
#include "net/HttpDate.h"

namespace net {

using namespace cookietext;

std::unique_ptr<TNetNetscapeCookie> TNetNetscapeCookie::Clone() const {
    return std::make_unique<TNetNetscapeCookie>(*this);
}

void TNetNetscapeCookie::SetCookieText(const std::string& text, std::int64_t now) {
    if (!m_cookieText.empty() && text == m_cookieText) return;
    CookieItems items = SplitCookieText(text);
    m_cookieText = text;
    m_name = std::move(items.name);
    m_value = std::move(items.value);
    m_version = ClassVersion();
    ReadAttributes(items.attributes, now);
}

void TNetNetscapeCookie::ReadAttributes(const std::vector<std::string>& attributes, std::int64_t /*now*/) {
    std::string path = FindAttribute(attributes, "PATH").value_or(std::string());
    // One pair of quotes around the path is dropped, as older servers send them.
    if (!path.empty() && path.front() == '"') path.erase(0, 1);
    if (!path.empty() && path.back() == '"') path.pop_back();
    m_path = path.empty() ? "/" : path;
    SetExpires(FindAttribute(attributes, "EXPIRES").value_or(std::string()));
    m_domain = FindAttribute(attributes, "DOMAIN").value_or(std::string());
    // Any attribute called secure counts, with or without a value: sending a
    // cookie meant for secure connections over a plain one would leak it.
    m_secure = FindAttribute(attributes, "SECURE").has_value();
}

void TNetNetscapeCookie::SetExpires(const std::string& expires) {
    m_expires = expires;
    m_expiryTime = expires.empty() ? std::nullopt : ParseHttpDate(expires);
}

}  // namespace net

#include "net/CookieRFC2965.h"

#include <limits>

#include "CookieText.h"
#include "net/CookieConvertError.h"
#include "platform/AsciiText.h"

namespace net {

using namespace cookietext;

std::unique_ptr<TNetNetscapeCookie> TNetCookieRFC2965::Clone() const {
    return std::make_unique<TNetCookieRFC2965>(*this);
}

void TNetCookieRFC2965::ReadAttributes(const std::vector<std::string>& attributes, std::int64_t now) {
    TNetCookieRFC2109::ReadAttributes(attributes, now);
    m_commentURL = FindAttribute(attributes, "COMMENTURL").value_or(std::string());
    m_discard = FindAttribute(attributes, "DISCARD").has_value();
    m_portList.clear();
    const std::optional<std::string> port = FindAttribute(attributes, "PORT");
    if (!port || port->empty()) {
        m_portList.push_back(80);
        return;
    }
    if (port->size() < 2 || port->front() != '"' || port->back() != '"') return;
    const std::string list = port->substr(1, port->size() - 2);
    if (Trim(list).empty()) return;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = list.find(',', start);
        const std::string entry =
            Trim(std::string_view(list).substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        const std::optional<std::int64_t> number = platform::ParseInt64(entry);
        if (!number || *number < std::numeric_limits<std::int32_t>::min() ||
            *number > std::numeric_limits<std::int32_t>::max())
            throw ECookieConvertError(CookieConvertErrorText(entry));
        m_portList.push_back(static_cast<std::int32_t>(*number));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
}

}  // namespace net

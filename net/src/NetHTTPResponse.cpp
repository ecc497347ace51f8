#include "net/NetHTTPResponse.h"

#include <limits>

namespace net {
namespace {

// A decimal integer with an optional sign filling the whole text; false otherwise.
bool ParseInt64(const std::string& text, std::int64_t& out) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == text.size()) return false;
    std::int64_t v = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') return false;
        if (v > (std::numeric_limits<std::int64_t>::max() - (c - '0')) / 10) return false;
        v = v * 10 + (c - '0');
    }
    out = negative ? -v : v;
    return true;
}

std::int64_t ToInt64Def(const std::string& text, std::int64_t fallback) {
    std::int64_t v = 0;
    return ParseInt64(Trim(text), v) ? v : fallback;
}

}  // namespace

int TNetHTTPResponse::ResponseCode() const {
    const std::size_t space = ResponseText.find(' ');
    if (space == std::string::npos) return -1;
    const std::string rest = Trim(ResponseText.substr(space + 1));
    const std::string digits = rest.substr(0, rest.find(' '));
    std::int64_t v = 0;
    if (!ParseInt64(digits, v) || v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max()) return -1;
    return static_cast<int>(v);
}

void TNetHTTPResponse::UpdateResponseVersion() {
    if (ResponseText.size() < 8) return;
    const std::string v = ResponseText.substr(5, 3);
    if (v == "1.0") ResponseVersion = TNetHTTPProtocolVersion::pv1_0;
    if (v == "1.1") ResponseVersion = TNetHTTPProtocolVersion::pv1_1;
}

void TNetHTTPResponse::ParseHeaders() {
    const TNetHeaderList& h = RawHeaders;
    Connection = h.Values("Connection");
    ContentVersion = h.Values("Content-Version");
    ContentEncoding = h.Values("Content-Encoding");
    ContentLanguage = h.Values("Content-Language");
    ContentType = h.Values("Content-Type");
    Pragma = h.Values("Pragma");
    CacheControl = h.Values("Cache-control");
    ContentLength = ToInt64Def(h.Values("Content-Length"), -1);
    if (ContentLength < 0) ContentLength = -1;

    ContentRangeStart = ContentRangeEnd = ContentRangeInstanceLength = 0;
    std::string range = h.Values("Content-Range");
    if (!range.empty()) {
        const std::size_t space = range.find(' ');
        range = space == std::string::npos ? std::string() : range.substr(space + 1);
        const std::size_t slash = range.find('/');
        if (slash != std::string::npos) {
            ContentRangeInstanceLength = ToInt64Def(range.substr(slash + 1), 0);
            range.erase(slash);
        }
        const std::size_t dash = range.find('-');
        ContentRangeStart = ToInt64Def(range.substr(0, dash), 0);
        if (dash != std::string::npos) ContentRangeEnd = ToInt64Def(range.substr(dash + 1), 0);
    }
    // Dates are kept only as raw header lines: nothing the program does depends on them.
    Date = Expires = LastModified = 0;

    Location = h.Values("Location");
    Server = h.Values("Server");
    ProxyConnection = h.Values("Proxy-Connection");
    AcceptRanges = h.Values("Accept-Ranges");
    TransferEncoding = h.Values("Transfer-Encoding");
    WWWAuthenticate = h.Extract("WWW-Authenticate");
    ProxyAuthenticate = h.Extract("Proxy-Authenticate");
}

}  // namespace net

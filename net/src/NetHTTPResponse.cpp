#include "net/NetHTTPResponse.h"
#include "net/HttpDate.h"
#include "net/NetText.h"
#include "platform/CivilDate.h"

#include <cmath>
#include <ctime>
#include <limits>

namespace net {
namespace {

std::int64_t ToInt64Def(const std::string& text, std::int64_t fallback) {
    return platform::ParseInt64(Trim(text)).value_or(fallback);
}

// Seconds the local zone is ahead of UTC at instant; 0 when the C library cannot tell
// (instants outside its range).
std::int64_t LocalOffset(std::int64_t instant) {
    if (instant < 0 || instant > kLastHttpTime) return 0;
    const std::time_t t = static_cast<std::time_t>(instant);
    std::tm local{};
#ifdef _WIN32
    if (localtime_s(&local, &t) != 0) return 0;
#else
    if (localtime_r(&t, &local) == nullptr) return 0;
#endif
    const std::int64_t localSeconds =
        platform::DaysFromCivil(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) * 86400 + local.tm_hour * 3600 +
        local.tm_min * 60 + local.tm_sec;
    return localSeconds - instant;
}

// An HTTP date as a local date-time in days since 1899-12-30; 0 (no date) when unreadable.
double LocalDateTime(const std::string& text) {
    const std::optional<std::int64_t> instant = ParseHttpDate(text);
    if (!instant) return 0;
    return UnixToDateTime(*instant + LocalOffset(*instant));
}

}  // namespace

double UnixToDateTime(std::int64_t seconds) { return static_cast<double>(seconds) / 86400.0 + 25569.0; }

std::int64_t LocalDateTimeToUnix(double dateTime) {
    double seconds = (dateTime - 25569.0) * 86400.0;
    if (!(seconds >= static_cast<double>(kFirstHttpTime))) seconds = static_cast<double>(kFirstHttpTime);
    if (seconds > static_cast<double>(kLastHttpTime)) seconds = static_cast<double>(kLastHttpTime);
    const std::int64_t local = std::llround(seconds);
    // The zone offset at the instant itself, found from a first guess.
    const std::int64_t guess = local - LocalOffset(local);
    return AddSecondsClamped(local, -LocalOffset(guess));
}

int TNetHTTPResponse::ResponseCode() const {
    const std::size_t space = ResponseText.find(' ');
    if (space == std::string::npos) return -1;
    const std::string rest = Trim(ResponseText.substr(space + 1));
    const std::string digits = rest.substr(0, rest.find(' '));
    const std::optional<std::int64_t> v = platform::ParseInt64(digits);
    if (!v || *v < std::numeric_limits<int>::min() || *v > std::numeric_limits<int>::max()) return -1;
    return static_cast<int>(*v);
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
    // Dates arrive in GMT and are kept in local time; an unreadable date is no date.
    Date = LocalDateTime(h.Values("Date"));
    LastModified = LocalDateTime(h.Values("Last-Modified"));
    const std::string expires = h.Values("Expires");
    if (const std::optional<std::int64_t> seconds = platform::ParseInt64(Trim(expires))) {
        // A number is a count of seconds from now.
        const std::int64_t now = AddSecondsClamped(static_cast<std::int64_t>(std::time(nullptr)), 0);
        const std::int64_t instant = AddSecondsClamped(now, *seconds);
        Expires = UnixToDateTime(instant + LocalOffset(instant));
    } else {
        Expires = LocalDateTime(expires);
    }

    Location = h.Values("Location");
    Server = h.Values("Server");
    ProxyConnection = h.Values("Proxy-Connection");
    AcceptRanges = h.Values("Accept-Ranges");
    TransferEncoding = h.Values("Transfer-Encoding");
    WWWAuthenticate = h.Extract("WWW-Authenticate");
    ProxyAuthenticate = h.Extract("Proxy-Authenticate");
}

}  // namespace net

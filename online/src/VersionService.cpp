#include "online/VersionService.h"
#include "online/OnlineLimits.h"
#include "online/OnlineMessages.h"

#include "inventory/CommonFuction.h"
#include "inventory/TextRules.h"

#include <algorithm>
#include <cstdint>

namespace online {
namespace {

constexpr std::string_view kQueryPath = "/ver/get.php";
constexpr std::string_view kReportPath = "/ver/put.php";

bool IsUnreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~';
}

// Every space of url as "%20". Encoded values hold none any more; the host and
// the fixed parts never did. Kept so that nothing but "%20" can stand for a space.
std::string SpacesEncoded(std::string url) {
    for (std::size_t at = url.find(' '); at != std::string::npos; at = url.find(' ', at + 3)) {
        url.replace(at, 1, "%20");
    }
    return url;
}

std::string ServiceURL(std::string_view path) {
    std::string url = "http://";
    url += ServiceHost();
    url += path;
    return url;
}

// GETs url through client with the reply body capped at the version requests'
// maximum, whatever the client's own limit; the client's limit is restored after.
std::string GetCapped(net::TNetHTTP& client, const std::string& url) {
    struct LimitScope {
        net::TNetHTTP& client;
        std::int64_t saved;
        ~LimitScope() { client.MaxBodySize = saved; }
    } scope{client, client.MaxBodySize};
    const std::int64_t own = client.MaxBodySize;
    client.MaxBodySize = own > 0 ? std::min(own, limits::kMaxReplyBodySize) : limits::kMaxReplyBodySize;
    return client.Get(url);
}

}  // namespace

std::string_view ServiceHost() { return PELMIRA_SERVICE_HOST; }

void PrepareVersionClient(net::TNetHTTP& client) {
    client.AllowCookies = true;
    client.Request().Accept = "text/html, */*";
    client.Request().BasicAuthentication = false;
    client.HTTPOptions |= net::hoForceEncodeParams;
    client.MaxBodySize = limits::kMaxReplyBodySize;
}

std::string EncodeQueryValue(std::string_view text) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (IsUnreserved(c)) {
            out += ch;
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0x0F];
        }
    }
    return out;
}

std::string QueryURL(std::string_view title, std::string_view version) {
    std::string url = ServiceURL(kQueryPath);
    url += "?title=";
    url += EncodeQueryValue(title);
    url += "&ver=";
    url += EncodeQueryValue(version);
    return SpacesEncoded(std::move(url));
}

std::string ReportType(std::string_view oldVersion) { return oldVersion.empty() ? "0" : "1"; }

std::string ReportCheckText(std::string_view title, std::string_view version, std::string_view oldVersion) {
    std::string text = ReportType(oldVersion);
    text += '|';
    text += title;
    text += '|';
    text += version;
    text += '|';
    text += oldVersion;
    return text;
}

std::int32_t ReportCheckCode(std::string_view checkText) {
    // Unsigned arithmetic wraps exactly like the service's 32-bit sum.
    std::uint32_t sum = PELMIRA_VCODE_BASE;
    std::uint32_t position = 0;
    for (const char c : checkText) {
        ++position;
        sum += static_cast<std::uint32_t>(static_cast<unsigned char>(c)) * position;
    }
    return static_cast<std::int32_t>(sum);
}

std::string ReportURL(std::string_view title, std::string_view version, std::string_view oldVersion) {
    std::string url = ServiceURL(kReportPath);
    url += "?type=";
    url += ReportType(oldVersion);
    url += "&title=";
    url += EncodeQueryValue(title);
    url += "&ver=";
    url += EncodeQueryValue(version);
    url += "&verold=";
    url += EncodeQueryValue(oldVersion);
    url += "&vcode=";
    // The code is taken from the values as they are, before any encoding.
    url += std::to_string(ReportCheckCode(ReportCheckText(title, version, oldVersion)));
    return SpacesEncoded(std::move(url));
}

std::string QueryVersions(net::TNetHTTP& client, const std::string& title, const std::string& version) {
    if (!inventory::IsSingleByteText(title) || !inventory::IsSingleByteText(version)) return {};
    try {
        std::string reply = inventory::TrimText(GetCapped(client, QueryURL(title, version)));
        if (reply.find(messages::kTagCorvanthelis) == std::string::npos || reply.size() < limits::kMinReplyLength)
            return {};
        return reply;
    } catch (...) {
        // Every failure (network, proxy, error status, oversized or aborted reply) means no reply.
        return {};
    }
}

bool ReportVersion(net::TNetHTTP& client, const std::string& title, const std::string& version,
                   const std::string& oldVersion) {
    if (!inventory::IsSingleByteText(title) || !inventory::IsSingleByteText(version)) return false;
    if (version.empty() || version == oldVersion) return false;
    try {
        GetCapped(client, ReportURL(title, version, oldVersion));
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace online

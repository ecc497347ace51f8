#include "service/VersionService.h"

#include "service/CheckCode.h"
#include "service/Messages.h"
#include "service/ReplyComposer.h"
#include "service/ServicePages.h"
#include "service/TextCodec.h"
#include "service/VersionOrder.h"

#include <charconv>
#include <chrono>
#include <cstdio>

namespace service {

namespace {

constexpr std::string_view kTextType = "text/plain; charset=windows-1252";
constexpr std::string_view kHtmlType = "text/html; charset=windows-1252";
constexpr std::int64_t kCacheSeconds = 60;
constexpr std::size_t kCacheEntries = 100'000;

TServiceReply Plain(int status, std::string_view body) {
    TServiceReply reply;
    reply.Status = status;
    reply.ContentType = kTextType;
    reply.Body = std::string(body) + "\r\n";
    return reply;
}

std::int64_t SystemNow() {
    return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// The version an uninstall entry shows after updating: a DisplayVersion when the catalogue
// has one (the one sharing most leading parts with the local version), else the package version.
const std::string& ComparisonVersion(const TProduct& p, std::string_view local) {
    const std::string* best = nullptr;
    int bestShared = -1;
    for (const auto& v : p.DisplayVersions) {
        if (v.empty()) continue;
        int shared = SharedLeadingParts(v, local);
        if (shared > bestShared) {
            best = &v;
            bestShared = shared;
        }
    }
    return best ? *best : p.Version;
}

bool ParseCheckCode(std::string_view text, std::int32_t& value) {
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && ec == std::errc() && end == text.data() + text.size();
}

}  // namespace

TVersionService::TVersionService(TServiceStorage& storage, TServiceSettings settings, TClock clock)
    : m_storage(storage),
      m_settings(std::move(settings)),
      m_clock(clock ? std::move(clock) : TClock(SystemNow)),
      m_matcher(storage.LoadProducts()),
      m_queryLimiter(storage, m_settings.RateLimit),
      m_reportLimiter(storage, m_settings.RateLimit) {}

TServiceReply TVersionService::Handle(std::string_view method, std::string_view target, const std::string& client) {
    if (method != "GET" && method != "HEAD") {
        TServiceReply reply = Plain(405, messages::kMethodNotAllowed);
        reply.MethodNotAllowed = true;
        return reply;
    }
    TServiceRequest request;
    TRequestError error;
    if (!ParseServiceTarget(target, request, error)) return Plain(error.Status, error.Message);
    try {
        if (request.Path == "/ver/get.php") return Query(request, client);
        if (request.Path == "/ver/put.php") return Report(request, client);
    } catch (const EServiceStorage& e) {
        std::fprintf(stderr, "pelmira-service: %s\n", e.what());
        return Plain(500, messages::kStorageFailure);
    }
    std::string_view page = StaticPage(request.Path);
    if (page.empty()) return Plain(404, messages::kNotFound);
    TServiceReply reply;
    reply.ContentType = kHtmlType;
    reply.Body = std::string(page);
    return reply;
}

TServiceReply TVersionService::Query(const TServiceRequest& request, const std::string& client) {
    const std::string* title = request.Find("title");
    const std::string* version = request.Find("ver");
    if (!title || title->empty()) return Plain(400, messages::kMissingTitle);
    if (!version) return Plain(400, messages::kMissingVer);
    const std::string* publisher = request.Find("publisher");
    TServiceReply reply;
    reply.ContentType = kTextType;
    if (m_settings.Maintenance) {
        reply.Body = Utf8ToCp1252(ComposeNoticeReply(
            m_settings.MaintenanceNotice.empty() ? messages::kMaintenanceNotice : m_settings.MaintenanceNotice));
    } else if (!m_queryLimiter.Admit("q:" + client, m_clock())) {
        reply.Body = Utf8ToCp1252(ComposeNoticeReply(m_settings.RateLimitNotice.empty() ? messages::kRateLimitNotice
                                                                                        : m_settings.RateLimitNotice));
    } else {
        reply.Body = AnswerQuery(*title, *version, publisher ? std::string_view(*publisher) : std::string_view());
    }
    return reply;
}

std::string TVersionService::AnswerQuery(std::string_view title, std::string_view version, std::string_view publisher) {
    std::string utf8Title = Cp1252ToUtf8(title);
    std::string local = Cp1252ToUtf8(version);
    if (const TProduct* p = m_matcher.Match(utf8Title, local, Cp1252ToUtf8(publisher))) {
        const std::string& latest = ComparisonVersion(*p, local);
        std::vector<std::string_view> known{p->Version};
        for (const auto& v : p->DisplayVersions) known.push_back(v);
        bool newer = IsNewerVersion(latest, local, known);
        std::string shown = SafeVersionText(latest);
        std::string about = MessageTarget({"Newest version known from all sources: " + shown,
                                           "Product: " + p->Name + " (" + p->PackageId + ")",
                                           "Source: the version catalogue of this service"});
        // A page the markup cannot carry (an "=" in its query) gives way to the other page.
        const std::string& download = IsSafeLinkTarget(p->DownloadPage) ? p->DownloadPage : p->PublisherPage;
        const std::string& home = IsSafeLinkTarget(p->PublisherPage) ? p->PublisherPage : p->DownloadPage;
        return Utf8ToCp1252(ComposeVersionReply(VersionMarkup(latest, download, newer),
                                                VersionMarkup(latest, home, newer),
                                                VersionMarkup(latest, about, newer)));
    }
    // Unknown product: the newest version enough distinct users reported, if any.
    const TReportedVersion* best = nullptr;
    auto reported = ReportedVersions(utf8Title);
    for (const auto& r : reported) {
        if (r.Clients < m_settings.ReportThreshold || SafeVersionText(r.Version) != r.Version) continue;
        if (!best || CompareVersions(r.Version, best->Version) > 0) best = &r;
    }
    if (!best) return ComposeVersionReply("", "", "");
    std::string about = MessageTarget({"Newest version reported by users: " + best->Version,
                                       "Reported by " + std::to_string(best->Clients) + " different computers"});
    bool newer = IsNewerVersion(best->Version, local, {});
    return Utf8ToCp1252(ComposeVersionReply("", "", VersionMarkup(best->Version, about, newer)));
}

std::vector<TReportedVersion> TVersionService::ReportedVersions(const std::string& title) {
    std::int64_t now = m_clock();
    {
        std::lock_guard guard(m_cacheLock);
        auto it = m_reportedCache.find(title);
        if (it != m_reportedCache.end() && it->second.Expires > now) return it->second.Versions;
    }
    auto versions = m_storage.ReportedVersions(title);
    std::lock_guard guard(m_cacheLock);
    if (m_reportedCache.size() >= kCacheEntries) m_reportedCache.clear();
    m_reportedCache[title] = {now + kCacheSeconds, versions};
    return versions;
}

TServiceReply TVersionService::Report(const TServiceRequest& request, const std::string& client) {
    const std::string* type = request.Find("type");
    const std::string* title = request.Find("title");
    const std::string* version = request.Find("ver");
    const std::string* oldVersion = request.Find("verold");
    const std::string* vcode = request.Find("vcode");
    if (!type || (*type != "0" && *type != "1")) return Plain(400, messages::kBadType);
    if (!title || title->empty()) return Plain(400, messages::kMissingTitle);
    if (!version || version->empty()) return Plain(400, messages::kMissingReportVer);
    if (!oldVersion) return Plain(400, messages::kMissingVerold);
    std::int32_t code = 0;
    if (!vcode || !ParseCheckCode(*vcode, code)) return Plain(400, messages::kBadVcode);
    // The check code covers the bytes as the program had them, before any conversion.
    std::string checkText = *type + "|" + *title + "|" + *version + "|" + *oldVersion;
    if (ComputeCheckCode(checkText, PELMIRA_VCODE_BASE) != code) return Plain(403, messages::kWrongVcode);
    if (m_settings.Maintenance) return Plain(503, messages::kReportMaintenance);
    std::int64_t now = m_clock();
    if (!m_reportLimiter.Admit("r:" + client, now)) return Plain(429, messages::kReportLimit);
    TVersionReport report{Cp1252ToUtf8(*title), Cp1252ToUtf8(*version), Cp1252ToUtf8(*oldVersion), client, now};
    return Plain(200, m_storage.AddReport(report) ? messages::kReportStored : messages::kReportKnown);
}

}  // namespace service

#pragma once

#include "service/QueryLimiter.h"
#include "service/ServiceRequest.h"
#include "service/ServiceSettings.h"
#include "service/ServiceStorage.h"
#include "service/TitleMatcher.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace service {

// One HTTP reply of the service.
struct TServiceReply {
    int Status = 200;
    std::string ContentType;  // with its charset
    std::string Body;
    bool MethodNotAllowed = false;  // the reply needs "Allow: GET, HEAD"
};

// The version service without its transport: takes a request's method, target and client
// address and gives the reply. Answers
// - GET /ver/get.php?title=T&ver=V: the versions the service knows for title T given the
//   local version V (an optional publisher=P breaks ties between products), or a notice
//   when the client is over its rate limit or the service is in maintenance;
// - GET /ver/put.php?type=0|1&title=T&ver=V&verold=O&vcode=C: stores the report when C is
//   the check code of "type|T|V|O" (403 otherwise, 429 over the limit, 503 in maintenance);
// - GET of the home, help and feedback pages.
// Titles and versions arrive as Windows-1252 and are kept as UTF-8; replies are
// Windows-1252. Safe to call from any number of threads at once.
class TVersionService {
public:
    // Seconds since 1970-01-01 UTC; tests pass their own clock.
    using TClock = std::function<std::int64_t()>;

    // Loads the catalogue from storage (which must outlive the service). Throws EServiceStorage.
    TVersionService(TServiceStorage& storage, TServiceSettings settings, TClock clock = {});

    // The reply to one request. Never throws: a storage failure gives a 500 reply.
    TServiceReply Handle(std::string_view method, std::string_view target, const std::string& client);

    // The reply body to a version query (title and version in Windows-1252).
    std::string AnswerQuery(std::string_view title, std::string_view version, std::string_view publisher = {});

    // Number of products in the loaded catalogue.
    std::size_t ProductCount() const { return m_matcher.Products().size(); }

private:
    TServiceReply Query(const TServiceRequest& request, const std::string& client);
    TServiceReply Report(const TServiceRequest& request, const std::string& client);
    // Versions reported for title, cached for a minute so that unknown titles cost no
    // storage round trip on every query.
    std::vector<TReportedVersion> ReportedVersions(const std::string& title);

    TServiceStorage& m_storage;
    TServiceSettings m_settings;
    TClock m_clock;
    TTitleMatcher m_matcher;
    TQueryLimiter m_queryLimiter;
    TQueryLimiter m_reportLimiter;

    struct TCachedVersions {
        std::int64_t Expires = 0;
        std::vector<TReportedVersion> Versions;
    };
    std::mutex m_cacheLock;
    std::unordered_map<std::string, TCachedVersions> m_reportedCache;
};

}  // namespace service

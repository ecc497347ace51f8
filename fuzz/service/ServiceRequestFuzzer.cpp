// Any bytes as a request target for the version service over the sample catalogue: the
// target decoding, the title matching, the version order and the reply composition must
// neither crash nor break the reply format.
#include "service/CatalogueFile.h"
#include "service/SampleCatalogue.h"
#include "service/SqliteStorage.h"
#include "service/TitleMatcher.h"
#include "service/VersionOrder.h"
#include "service/VersionService.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {

service::TVersionService& Service() {
    static service::TSqliteStorage storage(":memory:");
    static service::TVersionService* svc = [] {
        std::istringstream in{std::string(service::SampleCatalogueText())};
        storage.PutProducts(service::ReadCatalogueFile(in));
        service::TServiceSettings settings;
        settings.RateLimit = 0;
        return new service::TVersionService(storage, settings, [] { return std::int64_t{1'800'000'000}; });
    }();
    return *svc;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string input(reinterpret_cast<const char*>(data), size);
    service::TServiceReply reply = Service().Handle("GET", input, "127.0.0.1");
    if (reply.Status == 200 && reply.Body.rfind("[VerCorvanthelis]", 0) == 0) {
        // A version reply holds the three tags once each, in order.
        auto p = reply.Body.find("[VerPublisher]"), a = reply.Body.find("[VerAll]");
        if (p == std::string::npos || a == std::string::npos || a < p || reply.Body.size() < 40) std::abort();
    }
    // The same bytes as a title and as two versions.
    std::size_t half = input.size() / 2;
    std::string_view left(input.data(), half), right(input.data() + half, input.size() - half);
    int ab = service::CompareVersions(left, right), ba = service::CompareVersions(right, left);
    if ((ab < 0) != (ba > 0) || (ab == 0) != (ba == 0)) std::abort();  // the order is antisymmetric
    (void)service::TTitleMatcher::NormaliseTitle(input, true);
    (void)Service().AnswerQuery(left, right);
    return 0;
}

// Feeds arbitrary text as an accepted version query reply into the cutting of
// its sections, and checks what the scan relies on: every value is trimmed and
// taken from the reply, and a notice carries no other values.
#include "online/VersionReply.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

bool Trimmed(const std::string& v) {
    return v.empty() || (static_cast<unsigned char>(v.front()) > 32 && static_cast<unsigned char>(v.back()) > 32);
}

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view reply(reinterpret_cast<const char*>(data), size);
    const online::TVersionReply r = online::CutReply(reply);
    for (const std::string* v : {&r.Corvanthelis, &r.Publisher, &r.All}) {
        Check(Trimmed(*v));
        Check(v->empty() || reply.find(*v) != std::string_view::npos);
    }
    if (r.Notice) Check(r.Publisher.empty() && r.All.empty());
    return 0;
}

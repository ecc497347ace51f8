#include "online/VersionReply.h"
#include "online/OnlineMessages.h"

#include "inventory/TextRules.h"

namespace online {
namespace {

// The substring of count characters from the 1-based position start: empty for
// a count of 0 or less or a start past the end, cut at the end, and a start
// below 1 counting as 1. Positions come from tag arithmetic and may be negative.
std::string_view Copy(std::string_view text, long long start, long long count) {
    if (count <= 0) return {};
    if (start < 1) start = 1;
    const auto length = static_cast<long long>(text.size());
    if (start > length) return {};
    return text.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(count));
}

// 1-based position of the first occurrence of tag in text; 0 when it does not occur.
long long Position(std::string_view text, std::string_view tag) {
    const std::size_t at = text.find(tag);
    return at == std::string_view::npos ? 0 : static_cast<long long>(at) + 1;
}

}  // namespace

TVersionReply CutReply(std::string_view reply) {
    const auto length = static_cast<long long>(reply.size());
    const long long publisher = Position(reply, messages::kTagPublisher);
    const long long all = Position(reply, messages::kTagAll);
    const auto first = static_cast<long long>(messages::kTagCorvanthelis.size()) + 1;
    const auto publisherTag = static_cast<long long>(messages::kTagPublisher.size());
    const auto allTag = static_cast<long long>(messages::kTagAll.size());

    TVersionReply result;
    // The first value starts just past where the tag must stand, wherever it really is.
    result.Corvanthelis = inventory::TrimText(Copy(reply, first, publisher - first));
    if (result.Corvanthelis.find(messages::kNoticeMarker) != std::string::npos) {
        result.Notice = true;
        return result;
    }
    result.Publisher = inventory::TrimText(Copy(reply, publisher + publisherTag, all - publisher - publisherTag));
    result.All = inventory::TrimText(Copy(reply, all + allTag, length - all - allTag + 1));
    return result;
}

}  // namespace online

#pragma once

#include <string>
#include <string_view>

namespace online {

// A version query reply cut into its three section values, or a notice.
struct TVersionReply {
    // The service's own catalogue version; for a notice, the whole message.
    std::string Corvanthelis;
    // The publisher's version (empty for a notice).
    std::string Publisher;
    // The newest version known from all sources (empty for a notice).
    std::string All;
    // Whether the reply is a notice to show to the user instead of versions.
    bool Notice = false;
};

// Cuts an accepted reply into its values: the first from the fixed position
// just past a leading "[VerCorvanthelis]" up to "[VerPublisher]", the others
// between their tags; an absent tag counts as position 0 in the arithmetic.
// Each value is trimmed. A first value holding "[Notice:]" makes a notice.
TVersionReply CutReply(std::string_view reply);

}  // namespace online

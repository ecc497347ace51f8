#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

namespace service {

// The colour that marks a version newer than the local one; the program counts on it.
inline constexpr std::string_view kNewerColour = "#ff3300";
// Longest version text a reply carries.
inline constexpr std::size_t kMaxReplyVersion = 64;

// A version query reply: the three tagged sections in order, each on its own line. Even with
// three empty values it is 43 characters long, so the program accepts it.
std::string ComposeVersionReply(std::string_view service, std::string_view publisher, std::string_view all);

// A notice reply: the marker and message in the first section, the other two empty.
std::string ComposeNoticeReply(std::string_view message);

// Whether target can stand quoted in a link of the grid's markup: printable ASCII, no blank
// at either end, without quotes, "<", ">" and "=" (the markup reads a link target only from after its last
// "=", and ends a tag at ">" even inside quotes).
bool IsSafeLinkTarget(std::string_view target);

// version cut down to what a reply may show: letters, digits and ". + - _ ( )" (no markup,
// no section tag), at most kMaxReplyVersion characters; empty when nothing is left.
std::string SafeVersionText(std::string_view version);

// The markup of one version: inside a link to target when target is safe, in the newer
// colour when newer. The coloured text repeats the target as a second href because the
// grid reports the attribute value read last before the link closes, not the link's own.
std::string VersionMarkup(std::string_view version, std::string_view target, bool newer);

// A text link target for the all-sources column (shown in a message box, lines split at
// "|"): the lines joined, with every character a target may not hold (and "http://", which
// would make it a web link) taken out and every non-ASCII character (UTF-8) as one "?".
std::string MessageTarget(std::initializer_list<std::string_view> lines);

}  // namespace service

#include "service/ReplyComposer.h"

#include <algorithm>

namespace service {

namespace {

constexpr std::string_view kTagService = "[VerCorvanthelis]";
constexpr std::string_view kTagPublisher = "[VerPublisher]";
constexpr std::string_view kTagAll = "[VerAll]";
constexpr std::string_view kNoticeMarker = "[Notice:]";
constexpr std::string_view kLineEnd = "\r\n";

bool IsVersionChar(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '.' || c == '+' ||
           c == '-' || c == '_' || c == '(' || c == ')' || c == ' ';
}

}  // namespace

std::string ComposeVersionReply(std::string_view service, std::string_view publisher, std::string_view all) {
    std::string reply;
    reply.reserve(kTagService.size() + kTagPublisher.size() + kTagAll.size() + service.size() + publisher.size() +
                  all.size() + 6);
    reply.append(kTagService).append(service).append(kLineEnd);
    reply.append(kTagPublisher).append(publisher).append(kLineEnd);
    reply.append(kTagAll).append(all).append(kLineEnd);
    return reply;
}

std::string ComposeNoticeReply(std::string_view message) {
    // The message may not hold a section tag, or the program would cut the notice short.
    std::string clean;
    for (char c : message)
        if (c != '[' && c != ']' && c != '\r' && c != '\n') clean += c;
    std::string first(kNoticeMarker);
    first += ' ';
    first += clean;
    return ComposeVersionReply(first, "", "");
}

bool IsSafeLinkTarget(std::string_view target) {
    if (target.empty() || target.front() == ' ' || target.back() == ' ') return false;
    return std::all_of(target.begin(), target.end(), [](char c) {
        auto b = static_cast<unsigned char>(c);
        return b >= 32 && b < 127 && c != '"' && c != '<' && c != '>' && c != '=';
    });
}

std::string SafeVersionText(std::string_view version) {
    std::string out;
    for (char c : version)
        if (IsVersionChar(c) && out.size() < kMaxReplyVersion) out += c;
    while (!out.empty() && out.back() == ' ') out.pop_back();
    while (!out.empty() && out.front() == ' ') out.erase(out.begin());
    return out;
}

std::string VersionMarkup(std::string_view version, std::string_view target, bool newer) {
    std::string text = SafeVersionText(version);
    if (text.empty()) return {};
    bool link = IsSafeLinkTarget(target);
    std::string out;
    if (link) out.append("<a href=\"").append(target).append("\">");
    if (newer) {
        out.append("<font color=\"").append(kNewerColour).append("\"");
        if (link) out.append(" href=\"").append(target).append("\"");
        out.append(">").append(text).append("</font>");
    } else {
        out.append(text);
    }
    if (link) out.append("</a>");
    return out;
}

std::string MessageTarget(std::initializer_list<std::string_view> lines) {
    std::string out;
    for (auto line : lines) {
        if (!out.empty()) out += '|';
        for (char c : line) {
            auto b = static_cast<unsigned char>(c);
            if (b < 32 || b == 127 || c == '"' || c == '<' || c == '>' || c == '=' || c == '|') continue;
            // Link targets stay ASCII: the program widens them with its own code page.
            if (b >= 0x80) {
                if ((b & 0xC0) != 0x80) out += '?';
                continue;
            }
            out += c;
        }
    }
    for (std::size_t at = out.find("http://"); at != std::string::npos; at = out.find("http://")) out.erase(at, 7);
    return out;
}

}  // namespace service

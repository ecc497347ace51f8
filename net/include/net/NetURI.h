#pragma once

#include "platform/Sockets.h"

#include <string>

namespace net {

// Whether Join() adds the user info / the bookmark.
enum class TNetURIUserInfo { uiExclude, uiInclude };
enum class TNetURIBookmark { bmExclude, bmInclude };

// The parts of one URL as strings. Path ends with "/" when not empty; Params
// keep their leading "?"; Bookmark excludes its "#". No percent-decoding.
class TNetURI {
public:
    TNetURI() = default;
    // Splits url (see SetURI).
    explicit TNetURI(const std::string& url) { SetURI(url); }

    // Splits url into its parts; never throws.
    void SetURI(const std::string& url);
    // Joins the parts; throws ENetURIException when protocol or host is empty.
    std::string Join(TNetURIUserInfo userInfo, TNetURIBookmark bookmark) const;
    // Resolves path against Path: an absolute one replaces it; a relative one is
    // appended, doubled "/" folded and each ".." dropping the segment before it
    // (never the root). A trailing "/" stays only when path has one or is empty.
    void MergePath(const std::string& path);

    std::string Protocol;
    std::string Username;
    std::string Password;
    std::string Host;
    std::string Port;
    std::string Path;
    std::string Document;
    std::string Params;
    std::string Bookmark;
    platform::IpVersion IPVersion = platform::IpVersion::ipV4;
    // The text last given to SetURI.
    std::string URI;
};

}  // namespace net

#pragma once

#include "net/Limits.h"
#include "net/NetHeaderList.h"

#include <cstdint>
#include <string>

namespace net {

// Header fields shared by requests and replies, plus the raw header lines.
class TNetEntityHeaderInfo {
public:
    virtual ~TNetEntityHeaderInfo() = default;

    std::string Connection;
    std::string ContentVersion;
    std::string ContentEncoding;
    std::string ContentLanguage;
    std::string ContentType;
    // -1: no content length.
    std::int64_t ContentLength = -1;
    std::int64_t ContentRangeStart = 0;
    std::int64_t ContentRangeEnd = 0;
    std::int64_t ContentRangeInstanceLength = 0;
    std::string CacheControl;
    std::string Pragma;
    // Date-times in local time as days since 1899-12-30 (0: none), read from
    // replies; a request sends the set ones as GMT dates.
    double Date = 0;
    double Expires = 0;
    double LastModified = 0;
    // Extra lines appended after the entity headers of a request.
    TNetHeaderList CustomHeaders;
    // The header lines as sent or received.
    TNetHeaderList RawHeaders{limits::kRawHeaderFoldLength};

    // Whether a content length is present (ContentLength >= 0).
    bool HasContentLength() const { return ContentLength >= 0; }
};

}  // namespace net

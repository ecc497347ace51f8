#pragma once

#include "net/NetEntityHeaderInfo.h"
#include "net/NetStream.h"

#include <cstdint>
#include <string>
#include <vector>

namespace net {

// Seconds since 1970-01-01 as a date-time in days since 1899-12-30 (the form of
// the Date, Expires and LastModified fields).
double UnixToDateTime(std::int64_t seconds);

// A local date-time in days since 1899-12-30 as seconds since 1970-01-01 UTC,
// held within the years HTTP dates can carry.
std::int64_t LocalDateTimeToUnix(double dateTime);

// HTTP version of a request or reply.
enum class TNetHTTPProtocolVersion { pv1_0, pv1_1 };

// The client's reply object, reused by every request: the status line and the
// fields parsed from the header block.
class TNetHTTPResponse : public TNetEntityHeaderInfo {
public:
    TNetHTTPResponse() { ContentType = "text/html"; }

    // The status line exactly as read, without CR LF.
    std::string ResponseText;
    // Set from characters 6 to 8 of the status line when they read 1.0 or 1.1.
    TNetHTTPProtocolVersion ResponseVersion = TNetHTTPProtocolVersion::pv1_1;
    std::string Location;
    std::string Server;
    std::string ProxyConnection;
    std::string AcceptRanges;
    std::string TransferEncoding;
    // Every "WWW-Authenticate" / "Proxy-Authenticate" value, in order.
    std::vector<std::string> WWWAuthenticate;
    std::vector<std::string> ProxyAuthenticate;
    // Where the body goes (the caller's stream during a Get); may be null.
    TNetStream* ContentStream = nullptr;

    // The status code of ResponseText; -1 when it holds none.
    int ResponseCode() const;
    // Parses the fields from RawHeaders (after a header block was read).
    void ParseHeaders();
    // Sets ResponseVersion from the status line when it names 1.0 or 1.1.
    void UpdateResponseVersion();
};

}  // namespace net

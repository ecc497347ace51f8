#pragma once

#include "net/NetEntityHeaderInfo.h"

#include "platform/Sockets.h"

#include <string>

namespace net {

// How a request reaches its server.
enum class TNetConnectionType { ctNormal = 0, ctSSL = 1, ctProxy = 2, ctSSLProxy = 3 };

// The client's persistent request: header fields, request-line target and method.
class TNetHTTPRequest : public TNetEntityHeaderInfo {
public:
    std::string Accept = "text/html, */*";
    std::string AcceptCharSet;
    std::string AcceptEncoding;
    std::string AcceptLanguage;
    std::string Host;
    std::string From;
    std::string Referer;
    std::string UserAgent = "Mozilla/3.0 (compatible; Pelmira)";
    std::string Username;
    std::string Password;
    std::string ProxyConnection;
    std::string Range;
    bool BasicAuthentication = false;

    // The request-line target (origin form, or absolute form through a proxy).
    std::string URL;
    // The method name ("GET").
    std::string Method = "GET";
    // Direct or through the proxy.
    TNetConnectionType UseProxy = TNetConnectionType::ctNormal;
    // Address family of the target.
    platform::IpVersion IPVersion = platform::IpVersion::ipV4;
};

}  // namespace net

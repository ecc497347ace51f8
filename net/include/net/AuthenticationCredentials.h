#pragma once

#include <string>

namespace net {

// The credentials one side of a request is configured with: the proxy's
// (ProxyUsername, ProxyPassword, BasicAuthentication of the proxy parameters) or
// the server's (Username, Password, BasicAuthentication of the request).
struct TNetAuthenticationCredentials {
    std::string Username;
    std::string Password;
    bool BasicAuthentication = false;
};

}  // namespace net

#pragma once

#include <string>

namespace net {

// The client's proxy settings; an empty ProxyServer means no proxy.
class TNetProxyConnectionInfo {
public:
    std::string ProxyServer;
    int ProxyPort = 0;
    std::string ProxyUsername;
    std::string ProxyPassword;
    bool BasicAuthentication = false;
};

}  // namespace net

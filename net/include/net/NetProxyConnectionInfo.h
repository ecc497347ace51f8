#pragma once

#include "net/AuthenticationState.h"

#include <string>

namespace net {

// The client's proxy settings; an empty ProxyServer means no proxy. It owns the
// proxy's authentication object, which lives until the server or port changes
// value, so credentials once sent stay the same for that proxy.
class TNetProxyConnectionInfo {
public:
    // The proxy host name or address; "" for no proxy.
    const std::string& ProxyServer() const { return m_server; }
    // Sets the proxy host; a value that differs ignoring case frees the authentication object.
    void SetProxyServer(const std::string& server);
    // The proxy port; 0 when never set.
    int ProxyPort() const { return m_port; }
    // Sets the proxy port; a different number frees the authentication object.
    void SetProxyPort(int port);

    std::string ProxyUsername;
    std::string ProxyPassword;
    // Whether Basic credentials are sent to the proxy without waiting for a challenge.
    bool BasicAuthentication = false;

    // The proxy's authentication state (object, challenge answers).
    TNetAuthenticationState& Authentication() { return m_auth; }
    // The proxy's authentication state.
    const TNetAuthenticationState& Authentication() const { return m_auth; }
    // The configured credentials, as the authentication state takes them.
    TNetAuthenticationCredentials Credentials() const { return {ProxyUsername, ProxyPassword, BasicAuthentication}; }

private:
    std::string m_server;
    int m_port = 0;
    TNetAuthenticationState m_auth{atProxy};
};

}  // namespace net

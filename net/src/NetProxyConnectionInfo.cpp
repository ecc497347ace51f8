#include "net/NetProxyConnectionInfo.h"
#include "net/NetHeaderList.h"

namespace net {

void TNetProxyConnectionInfo::SetProxyServer(const std::string& server) {
    // Credentials belong to one proxy: another proxy starts without any.
    if (!SameText(server, m_server)) m_auth.Discard();
    m_server = server;
}

void TNetProxyConnectionInfo::SetProxyPort(int port) {
    if (port != m_port) m_auth.Discard();
    m_port = port;
}

}  // namespace net

#pragma once

#include "net/NetTransport.h"

namespace net {

// The TCP transport over the platform's sockets. Owns its socket: closing or
// destroying it shuts the sending side down and closes the socket.
class TNetSocketTransport : public TNetTransport {
public:
    TNetSocketTransport() = default;
    ~TNetSocketTransport() override;
    TNetSocketTransport(const TNetSocketTransport&) = delete;
    TNetSocketTransport& operator=(const TNetSocketTransport&) = delete;

    // Creates, binds and connects a socket. A connect with the anti-freeze in use
    // (or a non-zero limit) runs on a connect thread while the caller waits in
    // slices; throws ENetSocketError, ENetCouldNotBindSocket, ENetConnectTimeout.
    void Open(const std::string& host, int port, platform::IpVersion version, int connectTimeoutMs) override;
    // Whether a socket is open.
    bool IsOpen() const override { return m_socket != platform::kNoSocket; }
    // Shuts down sending and closes the socket. Called from a handler run during
    // a connect's wait, it abandons the connect, which then throws ENetRequestAborted.
    void Close() noexcept override;
    // One readability test; throws ENetException "Not Connected" without a socket.
    bool WaitReadable(int timeoutMs) override;
    // One receive call; throws ENetSocketError.
    std::size_t Receive(char* buffer, std::size_t size) override;
    // One send call; throws ENetSocketError.
    std::size_t Send(const char* data, std::size_t size) override;

private:
    platform::SocketHandle m_socket = platform::kNoSocket;
    // A connect is running, and whether Close asked to abandon it.
    bool m_connecting = false;
    bool m_abandonConnect = false;
};

}  // namespace net

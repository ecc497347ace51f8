#include "platform/Sockets.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace {

using namespace platform;

// A socket closed when the test ends, whatever happens.
struct Sock {
    SocketHandle h = kNoSocket;
    ~Sock() {
        if (h != kNoSocket) CloseSocket(h);
    }
};

TEST(Sockets, LoopbackRoundTripWithReadabilityWaits) {
    ASSERT_EQ(StartSockets().kind, SocketStartup::ssOk);
    Sock listener, client, server;
    ASSERT_EQ(CreateTcpSocket(IpVersion::ipV4, listener.h), 0);
    ASSERT_EQ(ListenLoopback(listener.h, 0, 4), 0);
    int port = 0;
    ASSERT_EQ(LocalPort(listener.h, port), 0);
    ASSERT_GT(port, 0);

    ASSERT_EQ(CreateTcpSocket(IpVersion::ipV4, client.h), 0);
    ASSERT_EQ(BindAnyAddress(client.h, IpVersion::ipV4), 0);
    ASSERT_EQ(SetNoDelay(client.h, false), 0);
    std::string address;
    ASSERT_EQ(ResolveHost("localhost", IpVersion::ipV4, address), 0);
    EXPECT_EQ(address, "127.0.0.1");
    ASSERT_EQ(ConnectSocket(client.h, IpVersion::ipV4, "127.0.0.1", port), 0);
    ASSERT_EQ(AcceptConnection(listener.h, server.h), 0);

    bool readable = true;
    ASSERT_EQ(WaitReadable(server.h, 50, readable), 0);
    EXPECT_FALSE(readable);
    std::size_t sent = 0;
    ASSERT_EQ(SendBytes(client.h, "ping", 4, sent), 0);
    EXPECT_EQ(sent, 4u);
    ASSERT_EQ(WaitReadable(server.h, 2000, readable), 0);
    EXPECT_TRUE(readable);
    char buffer[16];
    std::size_t got = 0;
    ASSERT_EQ(ReceiveBytes(server.h, buffer, sizeof buffer, got), 0);
    EXPECT_EQ(std::string(buffer, got), "ping");

    // A shut-down sending side reads as a close (0 bytes) on the other end.
    ASSERT_EQ(ShutdownSending(client.h), 0);
    ASSERT_EQ(WaitReadable(server.h, 2000, readable), 0);
    EXPECT_TRUE(readable);
    ASSERT_EQ(ReceiveBytes(server.h, buffer, sizeof buffer, got), 0);
    EXPECT_EQ(got, 0u);
}

TEST(Sockets, FailuresUseWinsockNumbers) {
    ASSERT_EQ(StartSockets().kind, SocketStartup::ssOk);
    int port = 0;
    {
        Sock listener;
        ASSERT_EQ(CreateTcpSocket(IpVersion::ipV4, listener.h), 0);
        ASSERT_EQ(ListenLoopback(listener.h, 0, 1), 0);
        ASSERT_EQ(LocalPort(listener.h, port), 0);
    }
    Sock client;
    ASSERT_EQ(CreateTcpSocket(IpVersion::ipV4, client.h), 0);
    EXPECT_EQ(ConnectSocket(client.h, IpVersion::ipV4, "127.0.0.1", port), 10061);

    std::string address;
    EXPECT_EQ(ResolveHost("no-such-host.invalid", IpVersion::ipV4, address), kHostNotFound);

    // Two listeners on one port: the second bind is refused as "in use".
    Sock a, b;
    ASSERT_EQ(CreateTcpSocket(IpVersion::ipV4, a.h), 0);
    ASSERT_EQ(ListenLoopback(a.h, 0, 1), 0);
    int used = 0;
    ASSERT_EQ(LocalPort(a.h, used), 0);
    ASSERT_EQ(CreateTcpSocket(IpVersion::ipV4, b.h), 0);
    EXPECT_EQ(ListenLoopback(b.h, used, 1), 10048);
}

}  // namespace

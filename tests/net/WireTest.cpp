// The client against a real loopback server: exact request bytes, replies cut
// into whole, single-byte and random segments, early closes and silence. The
// same tests run natively and on Winsock under Wine.
#include "support/Outcome.h"
#include "support/TestServer.h"

#include "net/NetAntiFreeze.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

using namespace nettest;

const char kOk5[] = "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello";
const char kOk2[] = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nhi";

std::string RequestFor(const std::string& target) {
    return "GET " + target +
           " HTTP/1.1\r\nHost: 127.0.0.1:{port}\r\nAccept: text/html, */*\r\nAccept-Encoding: identity\r\n"
           "User-Agent: Mozilla/3.0 (compatible; Pelmira)\r\n\r\n";
}

struct WireCase {
    const char* name;
    std::vector<Script> scripts;
    std::vector<std::string> paths;
    std::vector<std::string> requests;  // what the server read, "{port}" filled in
    std::vector<std::string> outcomes;
    int connections;
};

std::vector<WireCase> Cases() {
    return {
        {"two requests on one kept-alive connection",
         {{Read(), Send(kOk5), Read(), Send(kOk2), Hold()}},
         {"/a", "/ver/get.php?title=Some%20App&ver=1#x"},
         {RequestFor("/a"), RequestFor("/ver/get.php?title=Some%20App&ver=1")},
         {"body:hello", "body:hi"},
         1},
        {"chunks with extensions and trailers keep the connection usable",
         {{Read(),
           Send("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5;name=value\r\nhello\r\n1\r\n!\r\n0\r\nT: "
                "1\r\n\r\n"),
           Read(), Send(kOk2), Hold()}},
         {"/c", "/d"},
         {RequestFor("/c"), RequestFor("/d")},
         {"body:hello!", "body:hi"},
         1},
        {"Connection close makes the next request connect anew",
         {{Read(), Send("HTTP/1.1 200 OK\r\nConnection: close\r\nContent-Length: 5\r\n\r\nhello"), Hold()},
          {Read(), Send(kOk2), Hold()}},
         {"/a", "/b"},
         {RequestFor("/a"), RequestFor("/b")},
         {"body:hello", "body:hi"},
         2},
        {"a server that drops a kept-alive connection gets the request again on a new one",
         {{Read(), Send(kOk5), Pause(300), Close()}, {Read(), Send(kOk2), Hold()}},
         {"/a", "/b"},
         {RequestFor("/a"), RequestFor("/b")},
         {"body:hello", "body:hi"},
         2},
        {"a body without length ends with the close",
         {{Read(), Send("HTTP/1.0 200 OK\r\n\r\nuntil the end"), Close()}, {Read(), Send(kOk2), Hold()}},
         {"/a", "/b"},
         {RequestFor("/a"), RequestFor("/b")},
         {"body:until the end", "body:hi"},
         2},
        {"a refused reply keeps a clean connection",
         {{Read(), Send("HTTP/1.1 404 Not Found\r\nContent-Length: 2\r\n\r\nnf"), Read(), Send(kOk2), Hold()}},
         {"/a", "/b"},
         {RequestFor("/a"), RequestFor("/b")},
         {"ENetHTTPProtocolException: HTTP/1.1 404 Not Found", "body:hi"},
         1},
        {"close after half a status line",
         {{Read(), Send("HTTP/1.1 2"), Close()}},
         {"/a"},
         {RequestFor("/a")},
         {"ENetConnClosedGracefully: Connection Closed Gracefully."},
         1},
        {"silence before the reply is waited out",
         {{Read(), Pause(400), Send(kOk5), Hold()}},
         {"/slow"},
         {RequestFor("/slow")},
         {"body:hello"},
         1},
    };
}

void RunCase(const WireCase& c, Slicing slicing, unsigned seed) {
    SCOPED_TRACE(std::string(c.name) + " / slicing " + std::to_string(static_cast<int>(slicing)) + " seed " +
                 std::to_string(seed));
    TestServer server(c.scripts, slicing, seed);
    std::vector<std::string> outcomes;
    {
        net::TNetHTTP client;
        for (const std::string& path : c.paths) outcomes.push_back(Outcome(client, server.Url(path)));
    }
    EXPECT_EQ(outcomes, c.outcomes);
    EXPECT_TRUE(server.WaitDone());
    std::vector<std::string> expected;
    for (const std::string& r : c.requests) expected.push_back(WithPort(r, server.Port()));
    EXPECT_EQ(server.Requests(), expected);
    EXPECT_EQ(server.Accepted(), c.connections);
}

TEST(Wire, TranscriptsReplayedWhole) {
    for (const WireCase& c : Cases()) RunCase(c, Slicing::slWhole, 0);
}

TEST(Wire, TranscriptsReplayedInSingleBytes) {
    for (const WireCase& c : Cases()) RunCase(c, Slicing::slSingleBytes, 0);
}

TEST(Wire, TranscriptsReplayedInRandomSlices) {
    for (const unsigned seed : {1u, 2u, 3u}) {
        for (const WireCase& c : Cases()) RunCase(c, Slicing::slRandom, seed);
    }
}

TEST(Wire, RefusedConnectionAndUnknownHostGiveWinsockMessages) {
    int port = 0;
    {
        // A port that was just free: nothing listens on it now.
        TestServer probe({});
        port = probe.Port();
    }
    net::TNetHTTP client;
    EXPECT_EQ(Outcome(client, "http://127.0.0.1:" + std::to_string(port) + "/"),
              "ENetSocketError: Socket Error # 10061\r\nConnection refused.");
    EXPECT_EQ(Outcome(client, "http://no-such-host.invalid/"),
              "ENetSocketError: Socket Error # 11001\r\nHost not found.");
    // The client stays usable after failed connects.
    TestServer server({{Read(), Send(kOk2), Hold()}});
    EXPECT_EQ(Outcome(client, server.Url("/")), "body:hi");
}

TEST(Wire, LocalhostNameConnectsToLoopback) {
    TestServer server({{Read(), Send(kOk2), Hold()}});
    net::TNetHTTP client;
    EXPECT_EQ(Outcome(client, "http://LocalHost:" + std::to_string(server.Port()) + "/"), "body:hi");
}

TEST(Wire, ReadTimeoutEndsASilentWait) {
    TestServer server({{Read(), Pause(2000), Close()}});
    net::TNetHTTP client;
    client.ReadTimeout = 300;
    EXPECT_EQ(Outcome(client, server.Url("/")), "ENetReadTimeout: Read Timeout");
}

}  // namespace

namespace {

// A listener whose accept queue is full and never drained: further connects
// get no answer, as with an unreachable host.
struct BlackHole {
    platform::SocketHandle listener = platform::kNoSocket;
    std::vector<std::thread> fillers;
    std::atomic<bool> done{false};
    int port = 0;
    BlackHole() {
        platform::CreateTcpSocket(platform::IpVersion::ipV4, listener);
        platform::ListenLoopback(listener, 0, 0);
        platform::LocalPort(listener, port);
        for (int i = 0; i < 8; ++i) {
            fillers.emplace_back([this] {
                platform::SocketHandle s = platform::kNoSocket;
                if (platform::CreateTcpSocket(platform::IpVersion::ipV4, s) != 0) return;
                platform::ConnectSocket(s, platform::IpVersion::ipV4, "127.0.0.1", port);
                // Stays in the queue until the test is over.
                while (!done) std::this_thread::sleep_for(std::chrono::milliseconds(10));
                platform::CloseSocket(s);
            });
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
    }
    ~BlackHole() {
        done = true;
        // Without the listener, connects still waiting are refused and their threads end.
        platform::CloseSocket(listener);
        for (auto& t : fillers) t.join();
    }
};

TEST(Wire, ConnectGivesUpAtItsLimitWhileTheWindowKeepsTurning) {
    BlackHole hole;
    struct Counter : platform::IMessageProcessor {
        void ProcessMessages() override { ++turns; }
        bool HandleMessage() override { return false; }
        int turns = 0;
    } counter;
    net::TNetAntiFreeze antiFreeze(counter);
    net::TNetHTTP client;
    client.ConnectTimeout = 1000;
    const auto start = std::chrono::steady_clock::now();
    const std::string outcome = Outcome(client, "http://127.0.0.1:" + std::to_string(hole.port) + "/");
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    if (outcome != "ENetConnectTimeout: Connect timed out.") {
        GTEST_SKIP() << "this system answered a full accept queue: " << outcome;
    }
    // 1000 ms in 125 ms slices, each followed by a turn.
    EXPECT_GE(counter.turns, 7);
    EXPECT_LE(counter.turns, 9);
    EXPECT_GE(ms, 900);
    EXPECT_FALSE(client.Connected());
}

}  // namespace

#pragma once

#include "platform/Sockets.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

// A scripted version service on 127.0.0.1 for tests, the benchmark and the
// helper process. Clients reach it as their HTTP proxy, so request lines carry
// the absolute URL on the service's host. Each connection is served on its own
// thread and kept alive; every wait is bounded, and the destructor ends them all.
namespace onlinetest {

// What the service does with one request.
struct FakeReply {
    int status = 200;
    std::string body;
    // Milliseconds of silence before the answer; ended early when the client
    // closes the connection (the request then counts as abandoned) or the service stops.
    int holdMs = 0;
};

// The answer for a request target (the request line's URL).
using FakeResponder = std::function<FakeReply(const std::string& target)>;

class FakeVersionService {
public:
    // Starts listening on a free loopback port (or port when not 0) and serving.
    explicit FakeVersionService(FakeResponder responder, int port = 0);
    // Stops serving and joins every thread.
    ~FakeVersionService();
    FakeVersionService(const FakeVersionService&) = delete;
    FakeVersionService& operator=(const FakeVersionService&) = delete;

    // The port the service listens on.
    int Port() const { return m_port; }
    // Request targets read so far, in arrival order.
    std::vector<std::string> Targets() const;
    // Targets whose path is path ("/ver/get.php" or "/ver/put.php").
    std::vector<std::string> Targets(std::string_view path) const;
    // Connections accepted so far.
    int Connections() const { return m_connections.load(); }
    // Requests being held now.
    int Holding() const { return m_holding.load(); }
    // Held requests that the client gave up by closing the connection.
    int Abandoned() const { return m_abandoned.load(); }
    // Waits (at most timeoutMs) until count held requests were given up; returns whether they were.
    bool WaitAbandoned(int count, int timeoutMs = 2000) const;

private:
    void Accept();
    void Serve(platform::SocketHandle s);

    FakeResponder m_responder;
    platform::SocketHandle m_listen = platform::kNoSocket;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_connections{0};
    std::atomic<int> m_holding{0};
    std::atomic<int> m_abandoned{0};
    mutable std::mutex m_mutex;
    std::vector<std::string> m_targets;
    std::vector<std::thread> m_threads;
    std::thread m_acceptor;
};

// The path of a request target: "/ver/get.php" of "http://host/ver/get.php?x=1".
std::string TargetPath(std::string_view target);
// The raw value of key in a request target's query ("" when absent).
std::string RawQueryValue(std::string_view target, std::string_view key);
// The value of key with its %XX escapes decoded.
std::string QueryValue(std::string_view target, std::string_view key);

}  // namespace onlinetest

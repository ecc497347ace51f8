#pragma once

#include "platform/Sockets.h"

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A scriptable HTTP test server on 127.0.0.1. It accepts connections one after
// another; each connection plays its own script of actions (read a request
// head, send canned bytes, stay silent, close), records the exact request bytes
// it read, and is closed when its script ends. Every wait is bounded.
namespace nettest {

// One step of a connection's script.
struct Action {
    enum Kind { akRead, akSend, akPause, akClose, akHold } kind;
    std::string bytes;
    int ms = 0;
};

// Reads one request head (up to and including the empty line) and records it.
inline Action Read() { return {Action::akRead, {}, 0}; }
// Sends bytes (cut into segments by the server's slicing).
inline Action Send(std::string bytes) { return {Action::akSend, std::move(bytes), 0}; }
// Sends nothing for ms milliseconds.
inline Action Pause(int ms) { return {Action::akPause, {}, ms}; }
// Closes the connection now.
inline Action Close() { return {Action::akClose, {}, 0}; }
// Keeps the connection open (reading and dropping) until the client closes it or the server stops.
inline Action Hold() { return {Action::akHold, {}, 0}; }

using Script = std::vector<Action>;

// How sent bytes are cut into TCP segments.
enum class Slicing { slWhole, slSingleBytes, slRandom };

class TestServer {
public:
    // Starts listening and serving the scripts, one per accepted connection, in order.
    explicit TestServer(std::vector<Script> connections, Slicing slicing = Slicing::slWhole, unsigned seed = 1);
    // Stops serving (ending waits within a slice) and closes every socket.
    ~TestServer();
    TestServer(const TestServer&) = delete;
    TestServer& operator=(const TestServer&) = delete;

    // The port the server listens on.
    int Port() const { return m_port; }
    // "http://127.0.0.1:<port>" followed by path.
    std::string Url(const std::string& path) const;
    // The request heads read so far, in order.
    std::vector<std::string> Requests() const;
    // Number of connections accepted so far.
    int Accepted() const { return m_accepted.load(); }
    // Waits (bounded) until the server has run every script; returns whether it did.
    bool WaitDone(int timeoutMs = 5000) const;

private:
    void Run();
    void Serve(platform::SocketHandle s, const Script& script);
    bool ReadHead(platform::SocketHandle s, std::string& pending);
    void SendSliced(platform::SocketHandle s, const std::string& bytes);

    std::vector<Script> m_scripts;
    Slicing m_slicing;
    unsigned m_seed;
    platform::SocketHandle m_listen = platform::kNoSocket;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_done{false};
    std::atomic<int> m_accepted{0};
    mutable std::mutex m_mutex;
    std::vector<std::string> m_requests;
    std::thread m_thread;
};

// Replaces every "{port}" in text with port.
std::string WithPort(std::string text, int port);

}  // namespace nettest

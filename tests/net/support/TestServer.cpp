#include "TestServer.h"

#include <chrono>
#include <random>
#include <stdexcept>

namespace nettest {
namespace {

constexpr int kSliceMs = 20;
// No single wait of the server lasts longer than this.
constexpr int kWaitLimitMs = 10000;

}  // namespace

TestServer::TestServer(std::vector<Script> connections, Slicing slicing, unsigned seed)
    : m_scripts(std::move(connections)), m_slicing(slicing), m_seed(seed) {
    if (platform::StartSockets().kind != platform::SocketStartup::ssOk) throw std::runtime_error("no sockets");
    if (platform::CreateTcpSocket(platform::IpVersion::ipV4, m_listen) != 0) throw std::runtime_error("socket");
    if (platform::ListenLoopback(m_listen, 0, 16) != 0 || platform::LocalPort(m_listen, m_port) != 0) {
        platform::CloseSocket(m_listen);
        throw std::runtime_error("listen");
    }
    m_thread = std::thread([this] { Run(); });
}

TestServer::~TestServer() {
    m_stop = true;
    if (m_thread.joinable()) m_thread.join();
    platform::CloseSocket(m_listen);
}

std::string TestServer::Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
}

std::vector<std::string> TestServer::Requests() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_requests;
}

bool TestServer::WaitDone(int timeoutMs) const {
    for (int waited = 0; waited < timeoutMs; waited += 5) {
        if (m_done) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return m_done;
}

void TestServer::Run() {
    for (const Script& script : m_scripts) {
        bool accepted = false;
        for (int waited = 0; waited < kWaitLimitMs && !m_stop; waited += kSliceMs) {
            bool readable = false;
            if (platform::WaitReadable(m_listen, kSliceMs, readable) != 0) break;
            if (readable) {
                accepted = true;
                break;
            }
        }
        if (!accepted) break;
        platform::SocketHandle s = platform::kNoSocket;
        if (platform::AcceptConnection(m_listen, s) != 0) break;
        ++m_accepted;
        platform::SetNoDelay(s, true);
        Serve(s, script);
        platform::CloseSocket(s);
        if (m_stop) break;
    }
    m_done = true;
}

bool TestServer::ReadHead(platform::SocketHandle s, std::string& pending) {
    for (int waited = 0; waited < kWaitLimitMs && !m_stop;) {
        const std::size_t end = pending.find("\r\n\r\n");
        if (end != std::string::npos) {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_requests.push_back(pending.substr(0, end + 4));
            pending.erase(0, end + 4);
            return true;
        }
        bool readable = false;
        if (platform::WaitReadable(s, kSliceMs, readable) != 0) return false;
        if (!readable) {
            waited += kSliceMs;
            continue;
        }
        char buffer[4096];
        std::size_t got = 0;
        if (platform::ReceiveBytes(s, buffer, sizeof buffer, got) != 0 || got == 0) return false;
        pending.append(buffer, got);
    }
    return false;
}

void TestServer::SendSliced(platform::SocketHandle s, const std::string& bytes) {
    std::mt19937 random(m_seed);
    std::size_t pos = 0;
    while (pos < bytes.size() && !m_stop) {
        std::size_t piece = bytes.size() - pos;
        if (m_slicing == Slicing::slSingleBytes) piece = 1;
        if (m_slicing == Slicing::slRandom) piece = std::min<std::size_t>(piece, 1 + random() % 23);
        std::size_t sent = 0;
        if (platform::SendBytes(s, bytes.data() + pos, piece, sent) != 0 || sent == 0) return;
        pos += sent;
        // A short gap makes separate segments likely to arrive separately.
        if (m_slicing != Slicing::slWhole) std::this_thread::sleep_for(std::chrono::microseconds(300));
    }
}

void TestServer::Serve(platform::SocketHandle s, const Script& script) {
    std::string pending;
    for (const Action& a : script) {
        if (m_stop) return;
        switch (a.kind) {
            case Action::akRead:
                if (!ReadHead(s, pending)) return;
                break;
            case Action::akSend:
                SendSliced(s, a.bytes);
                break;
            case Action::akPause:
                for (int waited = 0; waited < a.ms && !m_stop; waited += 5) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(5));
                }
                break;
            case Action::akClose:
                return;
            case Action::akHold:
                for (int waited = 0; waited < kWaitLimitMs && !m_stop;) {
                    bool readable = false;
                    if (platform::WaitReadable(s, kSliceMs, readable) != 0) return;
                    if (!readable) {
                        waited += kSliceMs;
                        continue;
                    }
                    char buffer[4096];
                    std::size_t got = 0;
                    if (platform::ReceiveBytes(s, buffer, sizeof buffer, got) != 0 || got == 0) return;
                }
                return;
        }
    }
}

std::string WithPort(std::string text, int port) {
    const std::string p = std::to_string(port);
    for (std::size_t at = text.find("{port}"); at != std::string::npos; at = text.find("{port}", at + p.size())) {
        text.replace(at, 6, p);
    }
    return text;
}

}  // namespace nettest

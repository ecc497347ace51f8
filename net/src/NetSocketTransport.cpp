#include "net/NetSocketTransport.h"
#include "net/Limits.h"
#include "net/Messages.h"
#include "net/NetAntiFreeze.h"
#include "net/NetExceptions.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace net {
namespace {

// A socket that closes itself unless released; keeps Open() leak-free on every path.
class SocketGuard {
public:
    explicit SocketGuard(platform::SocketHandle s) : m_s(s) {}
    ~SocketGuard() {
        if (m_s != platform::kNoSocket) platform::CloseSocket(m_s);
    }
    SocketGuard(const SocketGuard&) = delete;
    SocketGuard& operator=(const SocketGuard&) = delete;
    platform::SocketHandle Get() const { return m_s; }
    platform::SocketHandle Release() {
        const auto s = m_s;
        m_s = platform::kNoSocket;
        return s;
    }

private:
    platform::SocketHandle m_s;
};

bool IsIpv4Literal(const std::string& host) {
    int parts = 0;
    std::size_t i = 0;
    while (i <= host.size()) {
        std::size_t digits = 0;
        int value = 0;
        while (i < host.size() && host[i] >= '0' && host[i] <= '9' && digits < 4) {
            value = value * 10 + (host[i] - '0');
            ++i;
            ++digits;
        }
        if (digits == 0 || value > 255) return false;
        ++parts;
        if (i == host.size()) break;
        if (host[i] != '.') return false;
        ++i;
    }
    return parts == 4;
}

bool IsLocalhost(const std::string& host) {
    static const char kName[] = "localhost";
    if (host.size() != sizeof kName - 1) return false;
    for (std::size_t i = 0; i < host.size(); ++i) {
        const char c = host[i] >= 'A' && host[i] <= 'Z' ? static_cast<char>(host[i] + 32) : host[i];
        if (c != kName[i]) return false;
    }
    return true;
}

// What the connect thread and the waiting caller share. Whoever finishes last
// closes an abandoned socket: the caller gives up at the limit without being
// able to interrupt a blocking connect on every system, so the thread closes it
// when its connect returns.
struct ConnectState {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    bool abandoned = false;
    int result = 0;
};

int ConnectOnThread(SocketGuard& guard, platform::IpVersion version, const std::string& address, int port, int limitMs,
                    const bool& abandon) {
    const platform::SocketHandle socket = guard.Get();
    auto state = std::make_shared<ConnectState>();
    std::thread([state, socket, version, address, port] {
        const int r = platform::ConnectSocket(socket, version, address, port);
        std::lock_guard<std::mutex> lock(state->mutex);
        state->finished = true;
        state->result = r;
        if (state->abandoned) platform::CloseSocket(socket);
        state->done.notify_all();
    }).detach();

    const bool pump = TNetAntiFreeze::InUse();
    const int slice = std::min(limits::kConnectSliceMs, TNetAntiFreeze::CurrentIdleTimeOut());
    int remaining = limitMs;
    for (;;) {
        bool finished = false;
        {
            std::unique_lock<std::mutex> lock(state->mutex);
            // Wakes early when the connect ends, so a fast connect costs no full slice.
            state->done.wait_for(lock, std::chrono::milliseconds(std::min(slice, std::max(remaining, 0))),
                                 [&] { return state->finished; });
            finished = state->finished;
        }
        if (pump) TNetAntiFreeze::DoProcess(true);
        // A handler run in the turn closed the transport: give the connect up.
        if (abandon) {
            std::lock_guard<std::mutex> lock(state->mutex);
            if (!state->finished) {
                state->abandoned = true;
                guard.Release();
            }
            throw ENetRequestAborted(messages::kRequestAborted);
        }
        if (finished) break;
        remaining -= slice;
        if (remaining <= 0) {
            std::lock_guard<std::mutex> lock(state->mutex);
            if (!state->finished) {
                state->abandoned = true;
                // From here the connect thread closes the socket.
                guard.Release();
                throw ENetConnectTimeout(messages::kConnectTimedOut);
            }
            break;
        }
    }
    std::lock_guard<std::mutex> lock(state->mutex);
    // The socket closed under the connect is not an error of its own.
    if (state->result == 10009 || state->result == 10038) return 0;
    return state->result;
}

}  // namespace

TNetSocketTransport::~TNetSocketTransport() { Close(); }

void TNetSocketTransport::Open(const std::string& host, int port, platform::IpVersion version, int connectTimeoutMs) {
    if (IsOpen()) throw ENetAlreadyConnected(messages::kAlreadyConnected);
    EnsureSocketStack();
    platform::SocketHandle raw = platform::kNoSocket;
    CheckSocketResult(platform::CreateTcpSocket(version, raw));
    SocketGuard socket(raw);
    if (platform::BindAnyAddress(socket.Get(), version) != 0)
        throw ENetCouldNotBindSocket(messages::kCouldNotBindSocket);
    CheckSocketResult(platform::SetNoDelay(socket.Get(), false));

    std::string address;
    if (version == platform::IpVersion::ipV4 && IsLocalhost(host)) {
        address = "127.0.0.1";
    } else if (version == platform::IpVersion::ipV4 && IsIpv4Literal(host)) {
        address = host;
    } else {
        CheckSocketResult(platform::ResolveHost(host, version, address));
    }

    int limit = connectTimeoutMs;
    if (limit <= 0 && TNetAntiFreeze::InUse()) limit = limits::kDefaultConnectTimeoutMs;
    if (limit > 0) {
        m_connecting = true;
        m_abandonConnect = false;
        struct ConnectingScope {
            bool& flag;
            ~ConnectingScope() { flag = false; }
        } connecting{m_connecting};
        const int r = ConnectOnThread(socket, version, address, port, limit, m_abandonConnect);
        if (r != 0) {
            CheckSocketResult(r);
        }
    } else {
        CheckSocketResult(platform::ConnectSocket(socket.Get(), version, address, port));
    }
    m_socket = socket.Release();
}

void TNetSocketTransport::Close() noexcept {
    if (m_connecting) m_abandonConnect = true;
    if (m_socket == platform::kNoSocket) return;
    platform::ShutdownSending(m_socket);
    platform::CloseSocket(m_socket);
    m_socket = platform::kNoSocket;
}

bool TNetSocketTransport::WaitReadable(int timeoutMs) {
    if (!IsOpen()) throw ENetException(messages::kNotConnected);
    bool readable = false;
    CheckSocketResult(platform::WaitReadable(m_socket, timeoutMs, readable));
    return readable;
}

std::size_t TNetSocketTransport::Receive(char* buffer, std::size_t size) {
    if (!IsOpen()) throw ENetException(messages::kNotConnected);
    std::size_t got = 0;
    CheckSocketResult(platform::ReceiveBytes(m_socket, buffer, size, got));
    return got;
}

std::size_t TNetSocketTransport::Send(const char* data, std::size_t size) {
    if (!IsOpen()) throw ENetException(messages::kNotConnected);
    std::size_t sent = 0;
    CheckSocketResult(platform::SendBytes(m_socket, data, size, sent));
    return sent;
}

}  // namespace net

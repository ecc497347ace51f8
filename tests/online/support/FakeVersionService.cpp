#include "FakeVersionService.h"

#include <chrono>
#include <stdexcept>

namespace onlinetest {
namespace {

constexpr int kSliceMs = 10;
// No connection waits longer than this for its next request.
constexpr int kIdleLimitMs = 30000;

const char* ReasonOf(int status) {
    switch (status) {
        case 200:
            return "OK";
        case 404:
            return "Not Found";
        case 500:
            return "Internal Server Error";
        default:
            return "Status";
    }
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

FakeVersionService::FakeVersionService(FakeResponder responder, int port) : m_responder(std::move(responder)) {
    if (platform::StartSockets().kind != platform::SocketStartup::ssOk) throw std::runtime_error("no sockets");
    if (platform::CreateTcpSocket(platform::IpVersion::ipV4, m_listen) != 0) throw std::runtime_error("socket");
    if (platform::ListenLoopback(m_listen, port, 64) != 0 || platform::LocalPort(m_listen, m_port) != 0) {
        platform::CloseSocket(m_listen);
        throw std::runtime_error("listen");
    }
    m_acceptor = std::thread([this] { Accept(); });
}

FakeVersionService::~FakeVersionService() {
    m_stop = true;
    if (m_acceptor.joinable()) m_acceptor.join();
    for (std::thread& t : m_threads) t.join();
    platform::CloseSocket(m_listen);
}

std::vector<std::string> FakeVersionService::Targets() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_targets;
}

std::vector<std::string> FakeVersionService::Targets(std::string_view path) const {
    std::vector<std::string> out;
    for (const std::string& t : Targets()) {
        if (TargetPath(t) == path) out.push_back(t);
    }
    return out;
}

bool FakeVersionService::WaitAbandoned(int count, int timeoutMs) const {
    // The service notices a client's close within one of its slices.
    for (int waited = 0; waited < timeoutMs && m_abandoned.load() < count; waited += kSliceMs) {
        std::this_thread::sleep_for(std::chrono::milliseconds(kSliceMs));
    }
    return m_abandoned.load() >= count;
}

void FakeVersionService::Accept() {
    while (!m_stop) {
        bool readable = false;
        if (platform::WaitReadable(m_listen, kSliceMs, readable) != 0) return;
        if (!readable) continue;
        platform::SocketHandle s = platform::kNoSocket;
        if (platform::AcceptConnection(m_listen, s) != 0) return;
        ++m_connections;
        platform::SetNoDelay(s, true);
        m_threads.emplace_back([this, s] {
            Serve(s);
            platform::CloseSocket(s);
        });
    }
}

void FakeVersionService::Serve(platform::SocketHandle s) {
    std::string pending;
    int idle = 0;
    while (!m_stop && idle < kIdleLimitMs) {
        const std::size_t end = pending.find("\r\n\r\n");
        if (end == std::string::npos) {
            bool readable = false;
            if (platform::WaitReadable(s, kSliceMs, readable) != 0) return;
            if (!readable) {
                idle += kSliceMs;
                continue;
            }
            char buffer[8192];
            std::size_t got = 0;
            if (platform::ReceiveBytes(s, buffer, sizeof buffer, got) != 0 || got == 0) return;
            pending.append(buffer, got);
            idle = 0;
            continue;
        }
        const std::string head = pending.substr(0, end);
        pending.erase(0, end + 4);
        const std::size_t first = head.find(' ');
        const std::size_t second = head.find(' ', first + 1);
        const std::string target =
            first == std::string::npos ? std::string() : head.substr(first + 1, second - first - 1);
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_targets.push_back(target);
        }
        const FakeReply reply = m_responder(target);
        if (reply.holdMs > 0) {
            ++m_holding;
            bool gone = false;
            for (int held = 0; held < reply.holdMs && !m_stop && !gone; held += kSliceMs) {
                bool readable = false;
                if (platform::WaitReadable(s, kSliceMs, readable) != 0) {
                    gone = true;
                } else if (readable) {
                    char buffer[512];
                    std::size_t got = 0;
                    gone = platform::ReceiveBytes(s, buffer, sizeof buffer, got) != 0 || got == 0;
                    if (!gone) pending.append(buffer, got);
                }
            }
            --m_holding;
            if (gone) {
                ++m_abandoned;
                return;
            }
        }
        std::string out = "HTTP/1.1 " + std::to_string(reply.status) + " " + ReasonOf(reply.status) +
                          "\r\nContent-Type: text/html\r\nContent-Length: " + std::to_string(reply.body.size()) +
                          "\r\n\r\n" + reply.body;
        std::size_t pos = 0;
        while (pos < out.size() && !m_stop) {
            std::size_t sent = 0;
            if (platform::SendBytes(s, out.data() + pos, out.size() - pos, sent) != 0 || sent == 0) return;
            pos += sent;
        }
    }
}

std::string TargetPath(std::string_view target) {
    std::size_t start = 0;
    const std::size_t scheme = target.find("://");
    if (scheme != std::string_view::npos) {
        start = target.find('/', scheme + 3);
        if (start == std::string_view::npos) return "/";
    }
    const std::size_t query = target.find('?', start);
    return std::string(target.substr(start, query == std::string_view::npos ? std::string_view::npos : query - start));
}

std::string RawQueryValue(std::string_view target, std::string_view key) {
    const std::size_t query = target.find('?');
    if (query == std::string_view::npos) return {};
    std::string_view rest = target.substr(query + 1);
    while (!rest.empty()) {
        const std::size_t amp = rest.find('&');
        const std::string_view pair = rest.substr(0, amp);
        const std::size_t eq = pair.find('=');
        if (pair.substr(0, eq) == key) return eq == std::string_view::npos ? "" : std::string(pair.substr(eq + 1));
        if (amp == std::string_view::npos) break;
        rest.remove_prefix(amp + 1);
    }
    return {};
}

std::string QueryValue(std::string_view target, std::string_view key) {
    const std::string raw = RawQueryValue(target, key);
    std::string out;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '%' && i + 2 < raw.size() && HexValue(raw[i + 1]) >= 0 && HexValue(raw[i + 2]) >= 0) {
            out += static_cast<char>(HexValue(raw[i + 1]) * 16 + HexValue(raw[i + 2]));
            i += 2;
        } else {
            out += raw[i];
        }
    }
    return out;
}

}  // namespace onlinetest

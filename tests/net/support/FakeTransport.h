#pragma once

#include "FailAtNth.h"
#include "net/NetExceptions.h"
#include "net/NetHTTP.h"
#include "net/NetTransport.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

// A transport that plays canned reply bytes instead of a socket, for unit tests
// and the fuzzer. Every Open starts the next canned connection. A connection's
// replies are released one per request head the client has sent, as a server
// would answer; what the client sends is recorded per connection.
namespace nettest {

struct FakeWire {
    // Per connection (in order of opening), the bytes answering each request.
    std::vector<std::vector<std::string>> replies;
    // Largest piece one Receive hands out (1 gives byte-by-byte delivery).
    std::size_t maxPiece = 1 << 20;
    // After the canned bytes: the peer closes (true) or stays silent (false).
    bool closeAtEnd = true;
    // Which Send (counted over all connections) fails, and with which socket error.
    testing_support::FailAtNth sendFailure;
    int sendError = platform::kConnectionReset;
    // Recorded per connection.
    std::vector<std::string> sent;
    std::vector<std::string> hosts;
    std::vector<int> ports;
    int opens = 0;
};

class FakeTransport : public net::TNetTransport {
public:
    explicit FakeTransport(std::shared_ptr<FakeWire> wire) : m_wire(std::move(wire)) {}

    void Open(const std::string& host, int port, platform::IpVersion, int) override {
        if (static_cast<std::size_t>(m_wire->opens) >= m_wire->replies.size()) throw net::ENetSocketError(10061);
        m_index = static_cast<std::size_t>(m_wire->opens++);
        m_wire->sent.emplace_back();
        m_wire->hosts.push_back(host);
        m_wire->ports.push_back(port);
        m_pos = 0;
        m_open = true;
    }
    bool IsOpen() const override { return m_open; }
    void Close() noexcept override { m_open = false; }
    bool WaitReadable(int) override {
        if (!m_open) throw net::ENetException("Not Connected");
        return m_pos < Released().size() || Finished();
    }
    std::size_t Receive(char* buffer, std::size_t size) override {
        if (!m_open) throw net::ENetException("Not Connected");
        const std::string released = Released();
        const std::size_t left = released.size() - m_pos;
        // Waiting for bytes that never come would hang the test: fail instead.
        if (left == 0 && !Finished()) throw net::ENetSocketError(10060);
        const std::size_t n = std::min({size, left, m_wire->maxPiece});
        std::memcpy(buffer, released.data() + m_pos, n);
        m_pos += n;
        return n;
    }
    std::size_t Send(const char* data, std::size_t size) override {
        if (!m_open) throw net::ENetException("Not Connected");
        if (m_wire->sendFailure.Fails()) throw net::ENetSocketError(m_wire->sendError);
        m_wire->sent[m_index].append(data, size);
        return size;
    }

private:
    // The reply bytes released by the request heads sent so far.
    std::string Released() const {
        const auto& segments = m_wire->replies[m_index];
        const std::string& sent = m_wire->sent[m_index];
        std::size_t heads = 0;
        for (std::size_t at = sent.find("\r\n\r\n"); at != std::string::npos; at = sent.find("\r\n\r\n", at + 4))
            ++heads;
        std::string out;
        for (std::size_t i = 0; i < segments.size() && i < heads; ++i) out += segments[i];
        return out;
    }
    // Every reply was released and read: the peer closes, or stays silent.
    bool Finished() const {
        const std::string released = Released();
        std::size_t total = 0;
        for (const auto& s : m_wire->replies[m_index]) total += s.size();
        return m_wire->closeAtEnd && released.size() == total && m_pos == total;
    }

    std::shared_ptr<FakeWire> m_wire;
    std::size_t m_index = 0;
    std::size_t m_pos = 0;
    bool m_open = false;
};

// A factory handing out fake transports over one wire.
inline net::TNetTransportFactory FakeFactory(std::shared_ptr<FakeWire> wire) {
    return [wire] { return std::unique_ptr<net::TNetTransport>(new FakeTransport(wire)); };
}

}  // namespace nettest

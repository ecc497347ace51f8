// Feeds arbitrary bytes as a server's replies to the HTTP client: status line,
// header block, body framing, keep-alive and redirect handling, cookies, reply
// dates and 401/407 challenges. The first byte picks delivery and client
// options; the rest is what every connection sends.
#include "net/NetExceptions.h"
#include "net/NetHTTP.h"
#include "net/NetMemoryStream.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

namespace {

class ReplayTransport : public net::TNetTransport {
public:
    ReplayTransport(const std::string& bytes, std::size_t piece) : m_bytes(bytes), m_piece(piece) {}
    void Open(const std::string&, int, platform::IpVersion, int) override {
        m_open = true;
        m_pos = 0;
        m_requested = false;
    }
    bool IsOpen() const override { return m_open; }
    void Close() noexcept override { m_open = false; }
    bool WaitReadable(int) override { return m_requested; }
    std::size_t Receive(char* buffer, std::size_t size) override {
        // Nothing is sent before a request; after the bytes run out the peer closes.
        if (!m_requested) throw net::ENetSocketError(10060);
        const std::size_t n = std::min({size, m_bytes.size() - m_pos, m_piece});
        std::memcpy(buffer, m_bytes.data() + m_pos, n);
        m_pos += n;
        return n;
    }
    std::size_t Send(const char*, std::size_t size) override {
        m_requested = true;
        return size;
    }

private:
    const std::string& m_bytes;
    std::size_t m_piece;
    std::size_t m_pos = 0;
    bool m_open = false;
    bool m_requested = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::uint8_t options = data[0];
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    static const std::size_t kPieces[] = {1, 2, 3, 7, 64, 4096, 32768, 1 << 20};
    const std::size_t piece = kPieces[options & 7];

    net::TNetHTTP client(
        [&bytes, piece] { return std::unique_ptr<net::TNetTransport>(new ReplayTransport(bytes, piece)); });
    client.HandleRedirects = (options & 8) != 0;
    client.MaxBodySize = (options & 16) != 0 ? 1000 : 0;
    client.MaxHeaderLines = (options & 32) != 0 ? 4 : 255;
    if ((options & 64) != 0) client.ProtocolVersion = net::TNetHTTPProtocolVersion::pv1_0;
    const bool credentials = (options & 128) != 0;
    if (credentials) {
        // Through a proxy with Basic credentials, answering challenges in the same Get.
        client.ProxyParams.SetProxyServer("p");
        client.ProxyParams.SetProxyPort(8080);
        client.ProxyParams.BasicAuthentication = true;
        client.HTTPOptions |= net::hoInProcessAuth;
        client.OnProxyAuthorization = [](net::TNetAuthentication&, net::TNetAuthenticationCredentials& c) {
            c.Username = "pu";
            c.Password = "pp";
            return true;
        };
    }
    for (int i = 0; i < 2; ++i) {
        net::TNetMemoryStream body;
        try {
            client.Get(i == 0 ? (credentials ? "http://u:pw@h.example/a/b?c=d" : "http://h/a/b?c=d") : "next/doc",
                       &body);
            // A body never exceeds what the server sent.
            if (body.Data().size() > bytes.size()) __builtin_trap();
        } catch (const net::ENetHTTPProtocolException& e) {
            if (e.ErrorMessage.size() > bytes.size()) __builtin_trap();
        } catch (const net::ENetException&) {
        }
    }
    return 0;
}

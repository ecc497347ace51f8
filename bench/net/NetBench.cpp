// Sequential GETs against a tiny keep-alive loopback server, in one run:
// the project's client, libcurl, and a raw send/recv ping-pong of the same
// bytes as the lower bound; once on one kept-alive connection and once with a
// new connection per request. Prints requests per second and the ratios.
#include "net/NetExceptions.h"
#include "net/NetHTTP.h"
#include "net/NetMemoryStream.h"

#include "platform/Sockets.h"

#include <curl/curl.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kKeepAliveRequests = 20000;
constexpr int kNewConnectionRequests = 2000;

const std::string kBody = "{\"version\":\"1.2.3\",\"status\":\"current\"}\n";
const std::string kReply =
    "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: " + std::to_string(kBody.size()) +
    "\r\nServer: bench\r\n\r\n" + kBody;

// Answers every request head on a connection with kReply until the client closes.
void ServeConnection(platform::SocketHandle s) {
    platform::SetNoDelay(s, true);
    std::string pending;
    char buffer[4096];
    for (;;) {
        std::size_t end;
        while ((end = pending.find("\r\n\r\n")) != std::string::npos) {
            pending.erase(0, end + 4);
            std::size_t done = 0;
            while (done < kReply.size()) {
                std::size_t sent = 0;
                if (platform::SendBytes(s, kReply.data() + done, kReply.size() - done, sent) != 0 || sent == 0) {
                    platform::CloseSocket(s);
                    return;
                }
                done += sent;
            }
        }
        std::size_t got = 0;
        if (platform::ReceiveBytes(s, buffer, sizeof buffer, got) != 0 || got == 0) break;
        pending.append(buffer, got);
    }
    platform::CloseSocket(s);
}

class BenchServer {
public:
    BenchServer() {
        platform::StartSockets();
        if (platform::CreateTcpSocket(platform::IpVersion::ipV4, m_listen) != 0 ||
            platform::ListenLoopback(m_listen, 0, 128) != 0 || platform::LocalPort(m_listen, m_port) != 0) {
            std::fprintf(stderr, "cannot listen\n");
            std::exit(1);
        }
        m_thread = std::thread([this] {
            while (!m_stop) {
                bool readable = false;
                if (platform::WaitReadable(m_listen, 50, readable) != 0) break;
                if (!readable) continue;
                platform::SocketHandle s = platform::kNoSocket;
                if (platform::AcceptConnection(m_listen, s) != 0) break;
                std::thread(ServeConnection, s).detach();
            }
        });
    }
    ~BenchServer() {
        m_stop = true;
        m_thread.join();
        platform::CloseSocket(m_listen);
    }
    int Port() const { return m_port; }

private:
    platform::SocketHandle m_listen = platform::kNoSocket;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

double Seconds(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void Fail(const char* what) {
    std::fprintf(stderr, "benchmark failed: %s\n", what);
    std::exit(1);
}

// The same request head the project's client sends.
std::string RequestHead(int port) {
    return "GET /ver/get.php?title=App&ver=1 HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port) +
           "\r\nAccept: text/html, */*\r\nAccept-Encoding: identity\r\nUser-Agent: Mozilla/3.0 (compatible; "
           "Pelmira)\r\n\r\n";
}

platform::SocketHandle RawConnect(int port) {
    platform::SocketHandle s = platform::kNoSocket;
    if (platform::CreateTcpSocket(platform::IpVersion::ipV4, s) != 0) Fail("socket");
    if (platform::ConnectSocket(s, platform::IpVersion::ipV4, "127.0.0.1", port) != 0) Fail("connect");
    return s;
}

void RawExchange(platform::SocketHandle s, const std::string& request) {
    std::size_t sent = 0;
    if (platform::SendBytes(s, request.data(), request.size(), sent) != 0 || sent != request.size()) Fail("send");
    char buffer[1024];
    std::size_t have = 0;
    while (have < kReply.size()) {
        std::size_t got = 0;
        if (platform::ReceiveBytes(s, buffer, sizeof buffer, got) != 0 || got == 0) Fail("recv");
        have += got;
    }
}

double RawRun(int port, int count, bool newConnection) {
    const std::string request = RequestHead(port);
    const auto start = std::chrono::steady_clock::now();
    platform::SocketHandle s = RawConnect(port);
    for (int i = 0; i < count; ++i) {
        if (newConnection && i > 0) {
            platform::CloseSocket(s);
            s = RawConnect(port);
        }
        RawExchange(s, request);
    }
    platform::CloseSocket(s);
    return count / Seconds(start);
}

double ClientRun(int port, int count, bool newConnection) {
    const std::string url = "http://127.0.0.1:" + std::to_string(port) + "/ver/get.php?title=App&ver=1";
    net::TNetHTTP client;
    net::TNetMemoryStream body;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < count; ++i) {
        body.Truncate(0);
        client.Get(url, &body);
        if (newConnection) client.Disconnect();
    }
    const double rate = count / Seconds(start);
    if (body.Data() != kBody) Fail("client body");
    return rate;
}

std::size_t CurlWrite(char* data, std::size_t size, std::size_t n, void* user) {
    static_cast<std::string*>(user)->append(data, size * n);
    return size * n;
}

double CurlRun(int port, int count, bool newConnection) {
    const std::string url = "http://127.0.0.1:" + std::to_string(port) + "/ver/get.php?title=App&ver=1";
    CURL* curl = curl_easy_init();
    std::string body;
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, CurlWrite);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);
    curl_easy_setopt(curl, CURLOPT_USERAGENT, "Mozilla/3.0 (compatible; Pelmira)");
    curl_easy_setopt(curl, CURLOPT_PROXY, "");
    if (newConnection) curl_easy_setopt(curl, CURLOPT_FORBID_REUSE, 1L);
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < count; ++i) {
        body.clear();
        if (curl_easy_perform(curl) != CURLE_OK) Fail("curl");
    }
    const double rate = count / Seconds(start);
    curl_easy_cleanup(curl);
    if (body != kBody) Fail("curl body");
    return rate;
}

void Report(const char* title, int count, double raw, double client, double curl) {
    std::printf("%s (%d sequential GETs)\n", title, count);
    std::printf("  raw send/recv ping-pong : %9.0f req/s\n", raw);
    std::printf("  pelmira TNetHTTP        : %9.0f req/s\n", client);
    std::printf("  libcurl                 : %9.0f req/s\n", curl);
    std::printf("  pelmira / libcurl       : %9.2f\n", client / curl);
    std::printf("  pelmira / raw           : %9.2f\n", client / raw);
    std::printf("  libcurl / raw           : %9.2f\n\n", curl / raw);
}

}  // namespace

int main() {
    curl_global_init(CURL_GLOBAL_DEFAULT);
    BenchServer server;
    std::printf("reply: %zu bytes, loopback 127.0.0.1:%d\n\n", kReply.size(), server.Port());
    try {
        // Short warm-up of all three, then the measured runs.
        RawRun(server.Port(), 200, false);
        ClientRun(server.Port(), 200, false);
        CurlRun(server.Port(), 200, false);

        const double rawKeep = RawRun(server.Port(), kKeepAliveRequests, false);
        const double clientKeep = ClientRun(server.Port(), kKeepAliveRequests, false);
        const double curlKeep = CurlRun(server.Port(), kKeepAliveRequests, false);
        Report("kept-alive connection", kKeepAliveRequests, rawKeep, clientKeep, curlKeep);

        const double rawNew = RawRun(server.Port(), kNewConnectionRequests, true);
        const double clientNew = ClientRun(server.Port(), kNewConnectionRequests, true);
        const double curlNew = CurlRun(server.Port(), kNewConnectionRequests, true);
        Report("new connection per request", kNewConnectionRequests, rawNew, clientNew, curlNew);
    } catch (const net::ENetException& e) {
        std::fprintf(stderr, "%s: %s\n", e.ClassName(), e.what());
        return 1;
    }
    curl_global_cleanup();
    return 0;
}

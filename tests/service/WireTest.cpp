// The running service on loopback, asked by the program's own HTTP client (directly and
// with the service set as its proxy) and by raw sockets for what that client never sends.
#include "SampleProducts.h"

#include "net/NetExceptions.h"
#include "net/NetHTTP.h"
#include "service/CheckCode.h"
#include "service/HttpFrontEnd.h"
#include "service/Messages.h"
#include "service/SqliteStorage.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <thread>

namespace {

using namespace service;

class ServiceWire : public ::testing::Test {
protected:
    ServiceWire() : m_storage(":memory:") {
        m_storage.PutProducts(servicetest::SampleProducts());
        m_service = std::make_unique<TVersionService>(m_storage, TServiceSettings{});
        m_frontEnd = std::make_unique<THttpFrontEnd>(*m_service, 8);
        m_port = m_frontEnd->Bind("127.0.0.1", 0);
        m_thread = std::thread([this] { m_frontEnd->Run(); });
    }
    ~ServiceWire() override {
        m_frontEnd->Stop();
        m_thread.join();
    }

    // The URL the program composes: spaces become "%20", nothing else is escaped.
    std::string Url(const std::string& host, const std::string& pathAndQuery) {
        std::string url = "http://" + host + pathAndQuery;
        for (std::size_t at = url.find(' '); at != std::string::npos; at = url.find(' ', at)) url.replace(at, 1, "%20");
        return url;
    }
    std::string Local(const std::string& pathAndQuery) {
        return Url("127.0.0.1:" + std::to_string(m_port), pathAndQuery);
    }

    // Sends raw bytes and returns everything the service answers until it closes or pauses.
    std::string Raw(const std::string& bytes) {
        int s = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_port = htons(static_cast<std::uint16_t>(m_port));
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        EXPECT_EQ(::connect(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
        timeval timeout{2, 0};
        ::setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
        ::send(s, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        std::string reply;
        char buffer[4096];
        for (ssize_t n; (n = ::recv(s, buffer, sizeof buffer, 0)) > 0;) {
            reply.append(buffer, static_cast<std::size_t>(n));
            if (reply.find("\r\n\r\n") != std::string::npos && reply.find("Connection: close") == std::string::npos &&
                reply.size() > reply.find("\r\n\r\n") + 4)
                break;
        }
        ::close(s);
        return reply;
    }

    TSqliteStorage m_storage;
    std::unique_ptr<TVersionService> m_service;
    std::unique_ptr<THttpFrontEnd> m_frontEnd;
    int m_port = 0;
    std::thread m_thread;
};

TEST_F(ServiceWire, TheProgramsClientGetsTheRepliesOnOneKeptAliveConnection) {
    net::TNetHTTP client;
    struct Case {
        std::string title, version;
    };
    const Case cases[] = {{"7-Zip", "24.08"},
                          {"VLC media player", "3.0.24"},
                          {"AT&T Tools", "1.0"},
                          {"Caf\xE9 Player", "2.0"},
                          {"Notepad++", "8.1"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        std::string body = client.Get(Local("/ver/get.php?title=" + c.title + "&ver=" + c.version));
        EXPECT_EQ(body, m_service->AnswerQuery(c.title, c.version));
        EXPECT_EQ(client.ResponseCode(), 200);
    }
    EXPECT_TRUE(client.Connected());
}

TEST_F(ServiceWire, TheServiceAnswersAsTheClientsProxyWithAbsoluteTargets) {
    net::TNetHTTP client;
    client.ProxyParams.SetProxyServer("127.0.0.1");
    client.ProxyParams.SetProxyPort(m_port);
    std::string body = client.Get(Url(PELMIRA_SERVICE_HOST, "/ver/get.php?title=WinSCP&ver=6.5.6"));
    EXPECT_EQ(body, m_service->AnswerQuery("WinSCP", "6.5.6"));
    EXPECT_NE(body.find("ff3300"), std::string::npos);
    EXPECT_EQ(client.Get(Url(PELMIRA_SERVICE_HOST, "/programs/pelmira.html")).rfind("<!DOCTYPE html>", 0), 0u);
}

TEST_F(ServiceWire, ReportsAreStoredOnlyWithTheirCheckCode) {
    net::TNetHTTP client;
    const std::string check = "0|Foo Tool|1.0|";
    const std::int32_t code = ComputeCheckCode(check, PELMIRA_VCODE_BASE);
    const std::string report = "/ver/put.php?type=0&title=Foo Tool&ver=1.0&verold=&vcode=";
    EXPECT_EQ(client.Get(Local(report + std::to_string(code))), std::string(messages::kReportStored) + "\r\n");
    try {
        client.Get(Local(report + std::to_string(code + 1)));
        ADD_FAILURE() << "a wrong check code was accepted";
    } catch (const net::ENetHTTPProtocolException& e) {
        EXPECT_EQ(e.ErrorCode, 403);
    }
    EXPECT_EQ(m_storage.ReportCount(), 1);
}

TEST_F(ServiceWire, RawBadRequestsGetAClear4xxAndTheServiceKeepsServing) {
    struct Case {
        std::string request;
        std::string statusLine;
    };
    const Case cases[] = {
        {"POST /ver/put.php HTTP/1.1\r\nHost: x\r\nContent-Length: 3\r\n\r\nabc", "HTTP/1.1 405 Method Not Allowed"},
        {"GET /" + std::string(20000, 'a') + " HTTP/1.1\r\nHost: x\r\n\r\n", "HTTP/1.1 414 "},
        {"GET /ver/get.php?title=%zz&ver=1 HTTP/1.1\r\nHost: x\r\n\r\n", "HTTP/1.1 400 Bad Request"},
        {"BREW /pot HTTP/1.1\r\nHost: x\r\n\r\n", "HTTP/1.1 40"},
        {"complete nonsense\r\n\r\n", "HTTP/1.1 400 Bad Request"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.request.substr(0, 40));
        EXPECT_EQ(Raw(c.request).rfind(c.statusLine, 0), 0u);
    }
    net::TNetHTTP client;
    EXPECT_EQ(client.Get(Local("/ver/get.php?title=7-Zip&ver=26.03")), m_service->AnswerQuery("7-Zip", "26.03"));
    EXPECT_EQ(m_storage.ReportCount(), 0);
}

}  // namespace

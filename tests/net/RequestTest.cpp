// Request composition: URL merging, connect target choice and the exact head on the wire.
#include "support/FakeTransport.h"
#include "support/Outcome.h"

#include <gtest/gtest.h>

namespace {

using nettest::FakeWire;
using nettest::Outcome;

const char kOk[] = "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n";
const char kTail[] =
    "Accept: text/html, */*\r\nAccept-Encoding: identity\r\nUser-Agent: Mozilla/3.0 (compatible; Pelmira)\r\n\r\n";

std::string Head(const std::string& line, const std::string& host) {
    return line + "\r\nHost: " + host + "\r\n" + kTail;
}

struct Client {
    std::shared_ptr<FakeWire> wire = std::make_shared<FakeWire>();
    net::TNetHTTP http{nettest::FakeFactory(wire)};
    explicit Client(int requests = 8) {
        wire->replies = {std::vector<std::string>(static_cast<std::size_t>(requests), kOk)};
    }
};

TEST(RequestComposition, FirstRequestsGoOutExactly) {
    const std::pair<const char*, std::string> cases[] = {
        {"http://vs.example/ver/get.php?title=Some App&ver=1.0",
         Head("GET /ver/get.php?title=Some App&ver=1.0 HTTP/1.1", "vs.example")},
        {"http://h:80/x?a=1#frag", Head("GET /x?a=1 HTTP/1.1", "h")},
        {"http://h:8080/x?q=1#b", Head("GET /x?q=1 HTTP/1.1", "h:8080")},
        {"http://h", Head("GET / HTTP/1.1", "h")},
        {"http:\\\\h\\a\\b.txt", Head("GET /a/b.txt HTTP/1.1", "h")},
        {"foo://h:99/x", Head("GET /x HTTP/1.1", "h:99")},
    };
    for (const auto& [url, head] : cases) {
        Client c;
        EXPECT_EQ(Outcome(c.http, url), "body:") << url;
        ASSERT_EQ(c.wire->sent.size(), 1u) << url;
        EXPECT_EQ(c.wire->sent[0], head) << url;
    }
}

TEST(RequestComposition, RelativeUrlsMergeIntoThePreviousTarget) {
    Client c(9);
    const std::pair<const char*, std::string> steps[] = {
        {"http://h:8080/a/b/c.html", "GET /a/b/c.html HTTP/1.1"},
        {"../d/e.html", "GET /a/d/e.html HTTP/1.1"},
        {"f.html?x=1", "GET /a/d/f.html?x=1 HTTP/1.1"},
        {"g.html#top", "GET /a/d/g.html HTTP/1.1"},
        {"h.html?y=2#z", "GET /a/d/h.html?y=2 HTTP/1.1"},
        {"/root//g", "GET /root//g HTTP/1.1"},
        {"sub//dir/", "GET /root/sub/dir/ HTTP/1.1"},
        {"../../../", "GET / HTTP/1.1"},
        {"../../x/..", "GET /x/.. HTTP/1.1"},
    };
    std::string expected;
    for (const auto& [url, line] : steps) {
        EXPECT_EQ(Outcome(c.http, url), "body:") << url;
        expected += Head(line, "h:8080");
    }
    ASSERT_EQ(c.wire->sent.size(), 1u);
    EXPECT_EQ(c.wire->sent[0], expected);
    EXPECT_EQ(c.wire->hosts[0], "h");
    EXPECT_EQ(c.wire->ports[0], 8080);
}

TEST(RequestComposition, UnusableTargetsFailBeforeAnyConnection) {
    const std::pair<const char*, std::string> cases[] = {
        {"foo://h/x", "ENetUnknownProtocol: Unknown Protocol"},
        {"relative/doc", "ENetUnknownProtocol: Unknown Protocol"},
        {"https://h/x", "ENetIOHandlerPropInvalid: IOHandler value is not valid"},
        {"http:///x", "ENetHostRequired: "},
        {"http://h:0/x", "ENetPortRequired: "},
    };
    for (const auto& [url, outcome] : cases) {
        Client c;
        EXPECT_EQ(Outcome(c.http, url), outcome) << url;
        EXPECT_EQ(c.wire->opens, 0) << url;
    }
}

TEST(RequestComposition, UserInfoIsTakenButSendsNoAuthorization) {
    Client c;
    EXPECT_EQ(Outcome(c.http, "http://u:p@h/x"), "body:");
    EXPECT_EQ(c.http.Request().Username, "u");
    EXPECT_EQ(c.http.Request().Password, "p");
    EXPECT_EQ(c.wire->sent[0], Head("GET /x HTTP/1.1", "h"));
}

TEST(RequestComposition, ProxyGetsTheAbsoluteUrlAndTheOriginHost) {
    Client c;
    c.http.ProxyParams.SetProxyServer("proxy");
    c.http.ProxyParams.SetProxyPort(3128);
    EXPECT_EQ(Outcome(c.http, "http://vs:80/ver/get.php?t=1#x"), "body:");
    EXPECT_EQ(Outcome(c.http, "http://other:8080/y"), "body:");
    ASSERT_EQ(c.wire->opens, 1);
    EXPECT_EQ(c.wire->hosts[0], "proxy");
    EXPECT_EQ(c.wire->ports[0], 3128);
    EXPECT_EQ(c.wire->sent[0], Head("GET http://vs/ver/get.php?t=1 HTTP/1.1", "vs") +
                                   Head("GET http://other:8080/y HTTP/1.1", "other:8080"));
}

TEST(RequestComposition, ProxyWithoutPortFailsAndSwitchingTargetsReconnects) {
    Client c;
    c.wire->replies = {{kOk}, {kOk}, {kOk}};
    c.http.ProxyParams.SetProxyServer("proxy");
    EXPECT_EQ(Outcome(c.http, "http://h/x"), "ENetPortRequired: ");
    EXPECT_EQ(c.wire->opens, 0);
    c.http.ProxyParams.SetProxyPort(3128);
    EXPECT_EQ(Outcome(c.http, "http://h/x"), "body:");
    c.http.ProxyParams.SetProxyServer("");
    EXPECT_EQ(Outcome(c.http, "http://h/x"), "body:");
    c.http.ProxyParams.SetProxyServer("proxy");
    EXPECT_EQ(Outcome(c.http, "http://h/x"), "body:");
    ASSERT_EQ(c.wire->opens, 3);
    EXPECT_EQ(c.wire->hosts, (std::vector<std::string>{"proxy", "h", "proxy"}));
}

TEST(RequestComposition, LongHeaderValuesGoOutFolded) {
    Client c;
    std::string value;
    for (int i = 0; i < 200; ++i) value += "item" + std::to_string(i) + ", ";
    c.http.Request().CustomHeaders.SetValue("X-List", value);
    c.http.Request().Referer = value;
    EXPECT_EQ(Outcome(c.http, "http://h/"), "body:");
    const std::string& sent = c.wire->sent[0];
    std::size_t start = 0;
    int continuations = 0;
    for (std::size_t end = sent.find("\r\n"); end != std::string::npos; end = sent.find("\r\n", start)) {
        const std::string line = sent.substr(start, end - start);
        EXPECT_LE(line.size(), 1024u);
        if (!line.empty() && line[0] == ' ') ++continuations;
        start = end + 2;
    }
    EXPECT_GE(continuations, 2);
    // Order: custom lines after the entity headers, Referer before User-Agent.
    EXPECT_LT(sent.find("X-List:"), sent.find("Host:"));
    EXPECT_LT(sent.find("Referer:"), sent.find("User-Agent:"));
}

TEST(RequestComposition, EmptyFieldsLeaveCustomLinesOfTheSameNameAlone) {
    Client c;
    net::TNetHeaderList& custom = c.http.Request().CustomHeaders;
    custom.SetValue("Accept-Language", "de");
    custom.SetValue("Cookie", "c=1");
    custom.SetValue("Authorization", "Basic eA==");
    custom.SetValue("Proxy-Authorization", "Basic eQ==");
    custom.SetValue("User-Agent", "Custom/1.0");
    const std::string expected =
        "GET / HTTP/1.1\r\nAccept-Language: de\r\nCookie: c=1\r\nAuthorization: Basic eA==\r\n"
        "Proxy-Authorization: Basic eQ==\r\nUser-Agent: Mozilla/3.0 (compatible; Pelmira)\r\nHost: h\r\n"
        "Accept: text/html, */*\r\nAccept-Encoding: identity\r\n\r\n";
    // The second request runs with a cookie store that has nothing for this host.
    EXPECT_EQ(Outcome(c.http, "http://h/"), "body:");
    EXPECT_EQ(Outcome(c.http, "http://h/"), "body:");
    ASSERT_NE(c.http.CookieManager(), nullptr);
    ASSERT_EQ(c.wire->sent.size(), 1u);
    EXPECT_EQ(c.wire->sent[0], expected + expected);
}

TEST(RequestComposition, DateFieldsGoOutAsHttpDates) {
    Client c;
    c.wire->replies = {
        {"HTTP/1.1 200 OK\r\nDate: Sun, 06 Nov 1994 08:49:37 GMT\r\n"
         "Expires: Mon, 07 Nov 1994 08:49:37 GMT\r\nLast-Modified: Sat, 05 Nov 1994 10:00:00 GMT\r\n"
         "Content-Length: 0\r\n\r\n",
         kOk}};
    EXPECT_EQ(Outcome(c.http, "http://h/"), "body:");
    // The reply's local date-times, handed back, must go out as the same GMT dates.
    net::TNetHTTPRequest& r = c.http.Request();
    r.Date = c.http.Response().Date;
    r.Expires = c.http.Response().Expires;
    r.LastModified = c.http.Response().LastModified;
    r.Range = "0-9";
    EXPECT_EQ(Outcome(c.http, "http://h/"), "body:");
    ASSERT_EQ(c.wire->sent.size(), 1u);
    EXPECT_EQ(c.wire->sent[0].substr(c.wire->sent[0].find("\r\n\r\n") + 4),
              "GET / HTTP/1.1\r\nDate: Sun, 06 Nov 1994 08:49:37 GMT\r\nExpires: Mon, 07 Nov 1994 08:49:37 GMT\r\n"
              "Host: h\r\nAccept: text/html, */*\r\nAccept-Encoding: identity\r\n"
              "User-Agent: Mozilla/3.0 (compatible; Pelmira)\r\nRange: bytes=0-9\r\n"
              "If-Modified-Since: Sat, 05 Nov 1994 10:00:00 GMT\r\n\r\n");
}

TEST(RequestComposition, Http10AsksForKeepAlive) {
    Client c;
    c.http.ProtocolVersion = net::TNetHTTPProtocolVersion::pv1_0;
    c.wire->replies = {{"HTTP/1.0 200 OK\r\nConnection: keep-alive\r\nContent-Length: 0\r\n\r\n", kOk}};
    EXPECT_EQ(Outcome(c.http, "http://h/"), "body:");
    EXPECT_EQ(c.wire->sent[0], "GET / HTTP/1.0\r\nConnection: keep-alive\r\nHost: h\r\n" + std::string(kTail));
    // Without "keep-alive" in the 1.1-less reply the 1.0 client does not reuse the connection.
    EXPECT_EQ(Outcome(c.http, "http://h/"), "body:");
    EXPECT_EQ(c.wire->opens, 1);
}

TEST(RequestComposition, FailedSendsCloseTheConnectionAndOnlyAStaleOneIsTriedAgain) {
    const char kHello[] = "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello";
    const char kHi[] = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nhi";
    struct Case {
        const char* name;
        int failAt;  // which send fails
        int error;
        std::vector<std::string> outcomes;  // one per Get
        std::vector<std::string> firstConnectionSent;
    };
    const std::string head = Head("GET / HTTP/1.1", "h");
    const Case cases[] = {
        {"a reused connection reset before any reply is replaced", 2, 10054, {"body:hello", "body:hi"}, {head}},
        {"a reused connection aborted before any reply is replaced", 2, 10053, {"body:hello", "body:hi"}, {head}},
        {"a new connection's failure is the request's",
         1,
         10054,
         {"ENetSocketError: Socket Error # 10054\r\nConnection reset by peer.", "body:hi"},
         {}},
        {"other errors are never retried",
         2,
         10060,
         {"body:hello", "ENetSocketError: Socket Error # 10060\r\nConnection timed out.", "body:hi"},
         {head}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto wire = std::make_shared<FakeWire>();
        wire->replies = {{kHello, kHi}, {kHi}};
        wire->sendFailure.FailAt(c.failAt);
        wire->sendError = c.error;
        net::TNetHTTP client(nettest::FakeFactory(wire));
        for (const std::string& expected : c.outcomes) EXPECT_EQ(Outcome(client, "http://h/"), expected);
        EXPECT_EQ(wire->opens, 2);
        // A failed send leaves nothing on the wire.
        std::string first;
        for (const std::string& part : c.firstConnectionSent) first += part;
        EXPECT_EQ(wire->sent[0], first);
    }
}

}  // namespace

// Cookies on the wire: what one reply sets comes back on later requests of the
// same client, for the loopback origin and for named hosts through the proxy.
#include "support/WireSteps.h"

#include "net/NetMemoryStream.h"

#include <gtest/gtest.h>

namespace {

using namespace nettest;

const char kOk2[] = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nhi";
const std::string kOrigin = "127.0.0.1:{port}";

// A 200 reply carrying the given header lines (each ending in CR LF).
std::string OkWith(const std::string& lines) { return "HTTP/1.1 200 OK\r\n" + lines + "Content-Length: 2\r\n\r\nhi"; }

std::vector<SteppedCase> CookieCases() {
    return {
        {"a cookie comes back; a second one keeps the order; the same name replaces in place",
         {{Read(), Send(OkWith("Set-Cookie: a=1\r\n")), Read(), Send(OkWith("Set-Cookie: b=2\r\nset-cookie: A=3\r\n")),
           Read(), Send(kOk2), Hold()}},
         {{{}, "http://127.0.0.1:{port}/ver/get.php?t=1", "body:hi"},
          {{}, "http://127.0.0.1:{port}/ver/get.php?t=2", "body:hi"},
          {{}, "http://127.0.0.1:{port}/", "body:hi"}},
         {Head("/ver/get.php?t=1", kOrigin), Head("/ver/get.php?t=2", kOrigin, "Cookie: a=1\r\n"),
          Head("/", kOrigin, "Cookie: A=3; b=2\r\n")},
         1},
        {"Max-Age 0 and a past Expires remove; empty values and secure cookies stay home",
         {{Read(),
           Send(OkWith("Set-Cookie: a=1\r\nSet-Cookie: e=\r\nSet-Cookie: s=1; secure\r\n"
                       "Set-Cookie: old=1; Expires=Thu, 01 Jan 1970 00:00:00 GMT\r\n")),
           Read(), Send(OkWith("Set-Cookie: a=1; Max-Age=0\r\n")), Read(), Send(kOk2), Hold()}},
         {{{}, "http://127.0.0.1:{port}/1", "body:hi"},
          {{}, "http://127.0.0.1:{port}/2", "body:hi"},
          {{}, "http://127.0.0.1:{port}/3", "body:hi"}},
         {Head("/1", kOrigin), Head("/2", kOrigin, "Cookie: a=1\r\n"), Head("/3", kOrigin)},
         1},
        {"cookies of refused replies are kept; a foreign domain is dropped",
         {{Read(),
           Send("HTTP/1.1 404 Not Found\r\nSet-Cookie: n=1\r\nSet-Cookie: f=1; Domain=other.example\r\n"
                "Set-Cookie: ip=1; Domain=127.0.0\r\nContent-Length: 0\r\n\r\n"),
           Read(), Send(kOk2), Hold()}},
         {{{}, "http://127.0.0.1:{port}/a", "ENetHTTPProtocolException: HTTP/1.1 404 Not Found"},
          {{}, "http://127.0.0.1:{port}/b", "body:hi"}},
         {Head("/a", kOrigin), Head("/b", kOrigin, "Cookie: n=1\r\n")},
         1},
        {"domains and paths of named hosts through the proxy",
         {{Read(),
           Send(OkWith("Set-Cookie: d=1; Domain=versions.example; Path=/ver\r\n"
                       "Set-Cookie: x=1; Domain=other.example\r\nSet-Cookie: h=1\r\n")),
           Read(), Send(kOk2), Read(), Send(kOk2), Read(), Send(kOk2), Hold()}},
         {{ViaProxy, "http://www.versions.example/ver/get.php?t=1", "body:hi"},
          {{}, "http://api.versions.example/ver/put.php", "body:hi"},
          {{}, "http://www.versions.example/other/", "body:hi"},
          {{}, "http://www.versions.example/ver/x/y.php", "body:hi"}},
         {Head("http://www.versions.example/ver/get.php?t=1", "www.versions.example"),
          Head("http://api.versions.example/ver/put.php", "api.versions.example", "Cookie: d=1\r\n"),
          Head("http://www.versions.example/other/", "www.versions.example", "Cookie: h=1\r\n"),
          Head("http://www.versions.example/ver/x/y.php", "www.versions.example", "Cookie: h=1; d=1\r\n")},
         1},
        {"a cookie set on a 100 reply counts",
         {{Read(), Send("HTTP/1.1 100 Continue\r\nSet-Cookie: c=1\r\n\r\n" + std::string(kOk2)), Read(), Send(kOk2),
           Hold()}},
         {{{}, "http://127.0.0.1:{port}/a", "body:hi"}, {{}, "http://127.0.0.1:{port}/b", "body:hi"}},
         {Head("/a", kOrigin), Head("/b", kOrigin, "Cookie: c=1\r\n")},
         1},
        {"without AllowCookies nothing is stored or sent",
         {{Read(), Send(OkWith("Set-Cookie: a=1\r\n")), Read(), Send(kOk2), Hold()}},
         {{[](net::TNetHTTP& c, int) { c.AllowCookies = false; }, "http://127.0.0.1:{port}/a", "body:hi"},
          {{}, "http://127.0.0.1:{port}/b", "body:hi"}},
         {Head("/a", kOrigin), Head("/b", kOrigin)},
         1},
        {"a bad Set-cookie2 port list ends the Get with its conversion error",
         {{Read(), Send(OkWith("Set-Cookie: a=1\r\nSet-Cookie2: b=2; Port=\"80,x\"\r\n")), Hold()},
          {Read(), Send(kOk2), Hold()}},
         {{{}, "http://127.0.0.1:{port}/a", "ECookieConvertError: 'x' is not a valid integer value"},
          {{}, "http://127.0.0.1:{port}/b", "body:hi"}},
         {Head("/a", kOrigin), Head("/b", kOrigin, "Cookie: a=1\r\n")},
         2},
    };
}

TEST(CookieWire, CookieTranscripts) { RunSteppedCases(CookieCases()); }

TEST(CookieWire, StoreIsMadeByTheFirstReplyAndBelongsToOneClient) {
    TestServer server({{Read(), Send(OkWith("Set-Cookie: a=1\r\n")), Hold()}, {Read(), Send(kOk2), Hold()}});
    net::TNetHTTP first, second;
    EXPECT_EQ(first.CookieManager(), nullptr);
    EXPECT_EQ(Outcome(first, server.Url("/")), "body:hi");
    ASSERT_NE(first.CookieManager(), nullptr);
    EXPECT_EQ(first.CookieManager()->GenerateCookieList("127.0.0.1", "/"), "a=1");
    first.Disconnect();
    EXPECT_EQ(Outcome(second, server.Url("/")), "body:hi");
    ASSERT_EQ(server.Requests().size(), 2u);
    EXPECT_EQ(server.Requests()[1].find("Cookie:"), std::string::npos);
}

}  // namespace

// Reply reading over canned bytes: every transcript is replayed whole and in
// pieces of 1, 3 and 7 bytes, and must give the same bodies, exceptions and
// connection counts each time.
#include "support/FakeTransport.h"
#include "support/Outcome.h"

#include "net/HttpDate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>

namespace {

using nettest::FakeWire;
using nettest::Outcome;

const char kOk5[] = "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello";
const char kOk2[] = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nhi";

struct Transcript {
    const char* name;
    std::vector<std::vector<std::string>> connections;
    std::vector<std::string> outcomes;  // one per Get of "http://h/x"
    int opens;                          // connections the Gets used
    std::int64_t maxBodySize = 0;
};

std::vector<Transcript> Transcripts() {
    const std::string longLine(16385, 'a');
    std::string manyHeaders = "HTTP/1.1 200 OK\r\n";
    for (int i = 0; i < 256; ++i) manyHeaders += "X-" + std::to_string(i) + ": v\r\n";
    manyHeaders += "\r\n";
    std::string interim;
    for (int i = 0; i < 40; ++i) interim += "HTTP/1.1 100 Continue\r\n\r\n";
    return {
        {"length body keeps the connection", {{kOk5, kOk2}}, {"body:hello", "body:hi"}, 1},
        {"Connection close closes it",
         {{"HTTP/1.1 200 OK\r\nConnection: close\r\nContent-Length: 5\r\n\r\nhello"}, {kOk2}},
         {"body:hello", "body:hi"},
         2},
        {"HTTP/1.0 reply is kept alive by a 1.1 client",
         {{"HTTP/1.0 200 OK\r\nContent-Length: 5\r\n\r\nhello", kOk2}},
         {"body:hello", "body:hi"},
         1},
        {"204 has no body", {{"HTTP/1.1 204 No Content\r\n\r\n", kOk2}}, {"body:", "body:hi"}, 1},
        {"304 has no body and keeps the connection",
         {{"HTTP/1.1 304 Not Modified\r\nETag: x\r\n\r\n", kOk2}},
         {"ENetHTTPProtocolException: HTTP/1.1 304 Not Modified", "body:hi"},
         1},
        {"302 is refused",
         {{"HTTP/1.1 302 Found\r\nLocation: http://e/\r\nContent-Length: 3\r\n\r\nabc", kOk2}},
         {"ENetHTTPProtocolException: HTTP/1.1 302 Found", "body:hi"},
         1},
        {"200 with Location is refused",
         {{"HTTP/1.1 200 OK\r\nLocation: /y\r\nContent-Length: 3\r\n\r\nabc"}},
         {"ENetHTTPProtocolException: HTTP/1.1 200 OK"},
         1},
        {"404 is refused",
         {{"HTTP/1.1 404 Not Found\r\nContent-Length: 15\r\n\r\n<html>nf</html>", kOk2}},
         {"ENetHTTPProtocolException: HTTP/1.1 404 Not Found", "body:hi"},
         1},
        {"endless 100 replies are refused after a while",
         {{interim}},
         {"ENetHTTPProtocolException: HTTP/1.1 100 Continue"},
         1},
        {"101 is refused without reading a body",
         {{"HTTP/1.1 101 Switching\r\n\r\n", kOk2}},
         {"ENetHTTPProtocolException: HTTP/1.1 101 Switching", "body:hi"},
         1},
        {"100 is skipped",
         {{"HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok"}},
         {"body:ok"},
         1},
        {"chunked body",
         {{"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n0\r\n\r\n", kOk2}},
         {"body:hello", "body:hi"},
         1},
        {"chunk extensions and trailers leave nothing behind",
         {{"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5;name=value\r\nhello\r\n6 ; x=\"y\"\r\n world\r\n"
           "0;last\r\nX-Trailer: t\r\nX-Other: u\r\n\r\n",
           kOk2}},
         {"body:hello world", "body:hi"},
         1},
        {"chunked spelled with capital C is read until close",
         {{"HTTP/1.1 200 OK\r\nTransfer-Encoding: Chunked\r\n\r\n5\r\nhello\r\n0\r\n\r\n"}, {kOk2}},
         {"body:5\r\nhello\r\n0\r\n\r\n", "body:hi"},
         2},
        {"a broken chunk size ends the body and the connection",
         {{"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\nabc", kOk2}, {kOk2}},
         {"body:", "body:hi"},
         2},
        {"no length reads until close",
         {{"HTTP/1.1 200 OK\r\n\r\nall of it"}, {kOk2}},
         {"body:all of it", "body:hi"},
         2},
        {"status line without a space",
         {{"HTTP/1.1200OK\r\nContent-Length: 0\r\n\r\n"}},
         {"ENetHTTPProtocolException: HTTP/1.1200OK"},
         1},
        {"close inside the status line",
         {{"HTTP/1.1 2"}},
         {"ENetConnClosedGracefully: Connection Closed Gracefully."},
         1},
        {"close before any byte", {{""}}, {"ENetConnClosedGracefully: Connection Closed Gracefully."}, 1},
        {"over-long header line",
         {{"HTTP/1.1 200 OK\r\nX: " + longLine}},
         {"ENetReadLnMaxLineLengthExceeded: Max line length exceeded."},
         1},
        {"close inside the header block keeps the lines so far",
         {{"HTTP/1.1 200 OK\r\nContent-Type: a/b\r\nX-Pa"}, {kOk2}},
         {"body:", "body:hi"},
         2},
        {"too many header lines",
         {{manyHeaders}, {kOk2}},
         {"ENetTooManyHeaderLines: Reply header block exceeds 255 lines.", "body:hi"},
         2},
        {"a huge announced length is not reserved and its early end fails",
         {{"HTTP/1.1 200 OK\r\nContent-Length: 10000000000\r\n\r\nhello"}, {kOk2}},
         {"ENetConnClosedGracefully: Connection Closed Gracefully.", "body:hi"},
         2},
        {"a counted body cut short by the close fails and the next Get connects anew",
         {{"HTTP/1.1 200 OK\r\nContent-Length: 6\r\n\r\nhello"}, {kOk2}},
         {"ENetConnClosedGracefully: Connection Closed Gracefully.", "body:hi"},
         2},
        {"a refused reply whose body is cut short still names its status",
         {{"HTTP/1.1 404 Not Found\r\nContent-Length: 50\r\n\r\nnot"}, {kOk2}},
         {"ENetHTTPProtocolException: HTTP/1.1 404 Not Found", "body:hi"},
         2},
        {"a body of exactly the announced length before the close is complete",
         {{"HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello"}, {kOk2}},
         {"body:hello", "body:hi"},
         2},
        {"bytes after the body forbid reuse",
         {{"HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhelloXYZ"}, {kOk2}},
         {"body:hello", "body:hi"},
         2},
        {"server close after a reply is noticed before reuse", {{kOk5}, {kOk2}}, {"body:hello", "body:hi"}, 2},
        {"body over the maximum fails and closes",
         {{kOk5, kOk2}, {kOk2}},
         {"ENetBodyTooLarge: Reply body exceeds the maximum size of 4 bytes.", "body:hi"},
         2,
         4},
        {"endless body over the maximum fails",
         {{"HTTP/1.1 200 OK\r\n\r\n" + std::string(100000, 'z')}},
         {"ENetBodyTooLarge: Reply body exceeds the maximum size of 4 bytes."},
         1,
         4},
    };
}

TEST(ReplyReading, TranscriptsGiveTheSameResultsInAnySlicing) {
    for (const Transcript& t : Transcripts()) {
        for (const std::size_t piece : {std::size_t{1} << 20, std::size_t{1}, std::size_t{3}, std::size_t{7}}) {
            SCOPED_TRACE(std::string(t.name) + " / piece " + std::to_string(piece));
            auto wire = std::make_shared<FakeWire>();
            wire->replies = t.connections;
            wire->maxPiece = piece;
            net::TNetHTTP client(nettest::FakeFactory(wire));
            client.MaxBodySize = t.maxBodySize;
            for (const std::string& expected : t.outcomes) EXPECT_EQ(Outcome(client, "http://h/x"), expected);
            EXPECT_EQ(wire->opens, t.opens);
        }
    }
}

TEST(ReplyReading, RefusedReplyCarriesCodeAndBodyAndLeavesTheStreamAlone) {
    auto wire = std::make_shared<FakeWire>();
    wire->replies = {{"HTTP/1.1 404 Not Found\r\nTransfer-Encoding: chunked\r\n\r\nf\r\n<html>nf</html>\r\n0\r\n\r\n"}};
    net::TNetHTTP client(nettest::FakeFactory(wire));
    net::TNetMemoryStream stream;
    stream.Write("pre", 3);
    try {
        client.Get("http://h/x", &stream);
        FAIL() << "no exception";
    } catch (const net::ENetHTTPProtocolException& e) {
        EXPECT_STREQ(e.what(), "HTTP/1.1 404 Not Found");
        EXPECT_EQ(e.ErrorCode, 404);
        EXPECT_EQ(e.ErrorMessage, "<html>nf</html>");
    }
    EXPECT_EQ(stream.Data(), "pre");
}

TEST(ReplyReading, BodyGoesToTheStreamAtItsPosition) {
    auto wire = std::make_shared<FakeWire>();
    wire->replies = {{kOk5}};
    net::TNetHTTP client(nettest::FakeFactory(wire));
    net::TNetMemoryStream stream;
    stream.Write("abc", 3);
    client.Get("http://h/x", &stream);
    EXPECT_EQ(stream.Data(), "abchello");
    EXPECT_EQ(client.ResponseCode(), 200);
}

TEST(ReplyReading, HeaderFieldsAreParsed) {
    auto wire = std::make_shared<FakeWire>();
    wire->replies = {
        {"HTTP/1.0 206 Partial\r\nContent-Type: text/plain\r\nContent-Range: bytes 2-4/10\r\n"
         "Server: s\r\n  folded\r\nWWW-Authenticate: Basic realm=\"a\"\r\nWWW-Authenticate: Other\r\n"
         "Content-Length: 3\r\n\r\nabc"}};
    net::TNetHTTP client(nettest::FakeFactory(wire));
    EXPECT_EQ(client.Get("http://h/x"), "abc");
    const net::TNetHTTPResponse& r = client.Response();
    EXPECT_EQ(r.ContentType, "text/plain");
    EXPECT_EQ(r.ContentRangeStart, 2);
    EXPECT_EQ(r.ContentRangeEnd, 4);
    EXPECT_EQ(r.ContentRangeInstanceLength, 10);
    EXPECT_EQ(r.Server, "s folded");
    EXPECT_EQ(r.WWWAuthenticate, (std::vector<std::string>{"Basic realm=\"a\"", "Other"}));
    EXPECT_EQ(r.ResponseVersion, net::TNetHTTPProtocolVersion::pv1_0);
}

TEST(ReplyReading, StatusCodesAreReadFromTheSecondWord) {
    const std::pair<const char*, int> cases[] = {
        {"HTTP/1.1 200 OK", 200}, {"HTTP/1.1   404   x", 404}, {"HTTP/1.1 20x OK", -1},
        {"HTTP/1.1", -1},         {"HTTP/1.1 ", -1},           {"X 99999999999 y", -1},
    };
    for (const auto& [line, code] : cases) {
        net::TNetHTTPResponse r;
        r.ResponseText = line;
        EXPECT_EQ(r.ResponseCode(), code) << line;
    }
}

TEST(ReplyReading, HeadersHookVetoSkipsTheBodyAndCloses) {
    auto wire = std::make_shared<FakeWire>();
    wire->replies = {{kOk5, kOk2}, {kOk2}};
    net::TNetHTTP client(nettest::FakeFactory(wire));
    int asked = 0;
    client.OnHeadersAvailable = [&] { return ++asked > 1; };
    EXPECT_EQ(client.Get("http://h/x"), "");
    EXPECT_EQ(client.Get("http://h/x"), "hi");
    EXPECT_EQ(wire->opens, 2);
}

TEST(ReplyReading, FollowedRedirectCutsTheStreamBackAndGoesOn) {
    auto wire = std::make_shared<FakeWire>();
    wire->replies = {{"HTTP/1.1 301 Moved\r\nLocation: /new\r\nContent-Length: 3\r\n\r\nabc", kOk2}};
    net::TNetHTTP client(nettest::FakeFactory(wire));
    client.HandleRedirects = true;
    EXPECT_EQ(client.Get("http://h/old"), "hi");
    EXPECT_EQ(client.RedirectCount(), 1);
    EXPECT_NE(wire->sent[0].find("GET /new HTTP/1.1"), std::string::npos);
}

// The Date, Last-Modified and Expires fields of the replies to one Get each.
struct ReplyDates {
    double date, lastModified, expires;
};

std::vector<ReplyDates> DatesOf(const std::vector<std::string>& headerBlocks) {
    auto wire = std::make_shared<FakeWire>();
    wire->replies.emplace_back();
    for (const std::string& headers : headerBlocks)
        wire->replies[0].push_back("HTTP/1.1 200 OK\r\n" + headers + "Content-Length: 0\r\n\r\n");
    net::TNetHTTP client(nettest::FakeFactory(wire));
    std::vector<ReplyDates> out;
    for (std::size_t i = 0; i < headerBlocks.size(); ++i) {
        EXPECT_EQ(client.Get("http://h/x"), "");
        const net::TNetHTTPResponse& r = client.Response();
        out.push_back({r.Date, r.LastModified, r.Expires});
    }
    return out;
}

constexpr double kSecond = 1.0 / 86400.0;
constexpr std::int64_t kNov1994 = 784111777;  // Sun, 06 Nov 1994 08:49:37 GMT

TEST(ReplyReading, ReplyDatesAreReadInEveryFormAndUnreadableOnesAreNone) {
    const std::int64_t inAnHour = static_cast<std::int64_t>(std::time(nullptr)) + 3600;
    const std::vector<ReplyDates> d = DatesOf({
        "Date: Sun, 06 Nov 1994 08:49:37 GMT\r\nLast-Modified: Sunday, 06-Nov-94 08:49:38 GMT\r\n"
        "Expires: Sun Nov  6 09:49:37 1994\r\n",
        "Date: yesterday\r\nExpires: 3600\r\n",
        "Expires: " + net::FormatHttpDate(inAnHour) + "\r\nLast-Modified: Sun, 06 Nov 1994 10:49:37 +0200\r\n",
        "Expires: soon\r\n",
    });
    ASSERT_EQ(d.size(), 4u);
    EXPECT_NEAR((d[0].lastModified - d[0].date) / kSecond, 1.0, 1e-3);
    EXPECT_NEAR((d[0].expires - d[0].date) / kSecond, 3600.0, 1e-3);
    // Local time lies within a day of GMT.
    EXPECT_LT(std::fabs(d[0].date - net::UnixToDateTime(kNov1994)), 1.0);
    EXPECT_EQ(d[1].date, 0);
    EXPECT_EQ(d[1].lastModified, 0);
    // A number of seconds counts from now, like a date an hour ahead.
    EXPECT_NEAR((d[1].expires - d[2].expires) / kSecond, 0.0, 5.0);
    EXPECT_NEAR((d[2].lastModified - d[0].date) / kSecond, 0.0, 1e-3);
    EXPECT_EQ(d[3].expires, 0);
    EXPECT_EQ(d[3].date, 0);
}

#ifndef _WIN32
TEST(ReplyReading, ReplyDatesFollowTheLocalZone) {
    const char* saved = std::getenv("TZ");
    const std::string savedValue = saved != nullptr ? saved : "";
    // Two hours ahead of GMT, without summer time.
    setenv("TZ", "XST-2", 1);
    tzset();
    const std::vector<ReplyDates> d = DatesOf({"Date: Sun, 06 Nov 1994 08:49:37 GMT\r\n"});
    if (saved != nullptr) {
        setenv("TZ", savedValue.c_str(), 1);
    } else {
        unsetenv("TZ");
    }
    tzset();
    ASSERT_EQ(d.size(), 1u);
    EXPECT_NEAR((d[0].date - net::UnixToDateTime(kNov1994 + 7200)) / kSecond, 0.0, 1e-3);
}
#endif

}  // namespace

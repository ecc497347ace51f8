// The version query and the version report as they reach the wire, through the
// proxy setting, against the scripted service on loopback.
#include "FakeVersionService.h"

#include "online/OnlineLimits.h"
#include "online/VersionService.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include "platform/PortableCodePage.h"
#endif

#include <atomic>
#include <string>
#include <vector>

namespace {

using onlinetest::FakeReply;
using onlinetest::FakeVersionService;

// A version client that reaches service as its proxy.
void UseService(net::TNetHTTP& client, const FakeVersionService& service) {
    online::PrepareVersionClient(client);
    client.ProxyParams.SetProxyServer("127.0.0.1");
    client.ProxyParams.SetProxyPort(service.Port());
}

const std::string kHostPrefix = "http://" + std::string(online::ServiceHost());

TEST(VersionQuery, EncodesEveryReservedByteOfTitleAndVersion) {
    struct Case {
        std::string title, version, wireTitle, wireVersion;
    };
    const Case cases[] = {
        {"Notepad++", "8.6", "Notepad%2B%2B", "8.6"},
        {"Tom & Jerry", "1.0 beta", "Tom%20%26%20Jerry", "1.0%20beta"},
        {"C# Tools", "2#3", "C%23%20Tools", "2%233"},
        {"100% Free", "1%", "100%25%20Free", "1%25"},
        {"Caf\xE9", "1.0", "Caf%E9", "1.0"},
        {"Evil\r\nX-Injected: 1", "1\n2", "Evil%0D%0AX-Injected%3A%201", "1%0A2"},
        {"a=b?c/d", "~_.-", "a%3Db%3Fc%2Fd", "~_.-"},
    };
    FakeVersionService service([](const std::string&) { return FakeReply{404, "", 0}; });
    net::TNetHTTP client;
    UseService(client, service);
    for (const Case& c : cases) EXPECT_EQ(online::QueryVersions(client, c.title, c.version), "");
    const auto targets = service.Targets();
    ASSERT_EQ(targets.size(), std::size(cases));
    for (std::size_t i = 0; i < targets.size(); ++i) {
        SCOPED_TRACE(cases[i].title);
        EXPECT_EQ(targets[i],
                  kHostPrefix + "/ver/get.php?title=" + cases[i].wireTitle + "&ver=" + cases[i].wireVersion);
        EXPECT_EQ(onlinetest::QueryValue(targets[i], "title"), cases[i].title);
    }
    // One kept-alive connection carried every query; no injected line split a request.
    EXPECT_EQ(service.Connections(), 1);
}

TEST(VersionQuery, AcceptsOnlyTaggedRepliesOfAtLeastFortyCharacters) {
    const std::string forty = "[VerCorvanthelis]" + std::string(23, 'x');
    struct Case {
        const char* name;
        int status;
        std::string body;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"exactly 40", 200, forty, forty},
        {"39", 200, forty.substr(0, 39), ""},
        {"leading blank lines", 200, "\r\n\r\n \t" + forty + "\r\n", forty},
        {"39 after trimming", 200, "\r\n" + forty.substr(0, 39) + "   ", ""},
        {"tag further in", 200, "Hello [VerCorvanthelis] and more text here",
         "Hello [VerCorvanthelis] and more text here"},
        {"tag in other case", 200, "[vercorvanthelis]" + std::string(30, 'x'), ""},
        {"no tag", 200, std::string(60, 'x'), ""},
        {"error status", 500, forty, ""},
        {"empty body", 200, "", ""},
        {"body past the maximum", 200, forty + std::string(online::limits::kMaxReplyBodySize, ' '), ""},
    };
    std::atomic<std::size_t> next{0};
    FakeVersionService service([&](const std::string&) { return FakeReply{cases[next].status, cases[next].body, 0}; });
    net::TNetHTTP client;
    UseService(client, service);
    for (; next < cases.size(); ++next) {
        SCOPED_TRACE(cases[next].name);
        EXPECT_EQ(online::QueryVersions(client, "T", "1"), cases[next].expected);
    }
    // The client's own limit is kept.
    EXPECT_EQ(client.MaxBodySize, online::limits::kMaxReplyBodySize);
}

TEST(VersionQuery, AnUnreachableServiceGivesAnEmptyReply) {
    int port = 0;
    {
        FakeVersionService closed([](const std::string&) { return FakeReply{}; });
        port = closed.Port();
    }
    net::TNetHTTP client;
    client.ProxyParams.SetProxyServer("127.0.0.1");
    client.ProxyParams.SetProxyPort(port);
    EXPECT_EQ(online::QueryVersions(client, "T", "1"), "");
    EXPECT_FALSE(online::ReportVersion(client, "T", "2", "1"));
}

TEST(VersionReport, CheckCodeAddsEveryBytesValueTimesItsPositionAndWraps) {
    const long long base = PELMIRA_VCODE_BASE;
    // 48*1 + 124*2 + 65*3 + 124*4 + 49*5 + 124*6
    EXPECT_EQ(online::ReportCheckCode("0|A|1|"), base + 1976);
    EXPECT_EQ(online::ReportCheckCode(""), base);
    // Bytes above 127 count unsigned: 233 at position 1.
    EXPECT_EQ(online::ReportCheckCode("\xE9"), base + 233);
    // 4200 bytes of 255: 255 * 4200 * 4201 / 2 = 2249635500, past 2^31, printed negative.
    const std::string big(4200, '\xFF');
    EXPECT_EQ(online::ReportCheckCode(big), static_cast<std::int32_t>(base + 2249635500LL - 4294967296LL));
    EXPECT_LT(online::ReportCheckCode(big), 0);
    EXPECT_EQ(online::ReportCheckText("T", "2", ""), "0|T|2|");
    EXPECT_EQ(online::ReportCheckText("T", "2", "1"), "1|T|2|1");
}

TEST(VersionReport, SendsTypeEncodedValuesAndTheCodeOfTheRawValues) {
    int status = 200;
    FakeVersionService service([&](const std::string&) { return FakeReply{status, "thanks", 0}; });
    net::TNetHTTP client;
    UseService(client, service);

    EXPECT_TRUE(online::ReportVersion(client, "Tom & Jerry", "2.0", ""));
    EXPECT_TRUE(online::ReportVersion(client, "C#", "2.0", "1.0 beta"));
    status = 500;
    EXPECT_FALSE(online::ReportVersion(client, "X", "2", "1"));
    // Nothing is sent for an empty version or one equal to the old version.
    EXPECT_FALSE(online::ReportVersion(client, "X", "", "1"));
    EXPECT_FALSE(online::ReportVersion(client, "X", "1.0", "1.0"));

    const auto targets = service.Targets();
    ASSERT_EQ(targets.size(), 3u);
    const std::string code0 = std::to_string(online::ReportCheckCode("0|Tom & Jerry|2.0|"));
    EXPECT_EQ(targets[0], kHostPrefix + "/ver/put.php?type=0&title=Tom%20%26%20Jerry&ver=2.0&verold=&vcode=" + code0);
    const std::string code1 = std::to_string(online::ReportCheckCode("1|C#|2.0|1.0 beta"));
    EXPECT_EQ(targets[1], kHostPrefix + "/ver/put.php?type=1&title=C%23&ver=2.0&verold=1.0%20beta&vcode=" + code1);
}

#ifndef _WIN32
TEST(VersionService, TextWithDoubleByteCharactersIsNeverSent) {
    platform::portable::ScopedCodePage codePage(platform::portable::TCodePage::cp932);
    FakeVersionService service([](const std::string&) { return FakeReply{}; });
    net::TNetHTTP client;
    UseService(client, service);
    EXPECT_EQ(online::QueryVersions(client, "\x82\xA0 Editor", "1.0"), "");
    EXPECT_EQ(online::QueryVersions(client, "Editor", "1.0\x82\xA0"), "");
    EXPECT_FALSE(online::ReportVersion(client, "\x82\xA0 Editor", "2.0", "1.0"));
    EXPECT_TRUE(service.Targets().empty());
}
#endif

}  // namespace

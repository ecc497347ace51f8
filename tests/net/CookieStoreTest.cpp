#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "net/CookieConvertError.h"
#include "net/CookieManager.h"
#include "net/HttpDate.h"

namespace {

using net::TNetCookieManager;

class FakeClock final : public net::TNetCookieClock {
public:
    std::int64_t Now() const override { return now; }
    std::int64_t now = 1700000000;
};

class CookieStore : public ::testing::Test {
protected:
    // Hands one reply's Set-cookie values from host to the store.
    void Reply(const std::string& host, const std::vector<std::string>& setCookie) {
        store.AddServerCookies(setCookie, {}, host);
    }
    std::string Line(const std::string& host, const std::string& path = "/ver/") {
        return store.GenerateCookieList(host, path);
    }

    FakeClock clock;
    TNetCookieManager store{clock};
};

TEST_F(CookieStore, CookieFromAReplyGoesBackToTheSameHost) {
    Reply("svc.example.com", {"a=1"});
    ASSERT_EQ(store.Cookies().Domains(), std::vector<std::string>{"svc.example.com"});
    const auto cookies = store.Cookies().CookiesOf("SVC.example.com");
    ASSERT_EQ(cookies.size(), 1u);
    EXPECT_EQ(cookies[0]->Path(), "/");
    EXPECT_EQ(Line("svc.example.com"), "a=1");
    EXPECT_EQ(Line("svc.example.com", "/"), "a=1");
}

TEST_F(CookieStore, DomainAndPathDecideWhereACookieGoes) {
    Reply("www.example.com", {"s=1; Domain=example.com; Path=/ver"});
    const std::pair<std::string, std::string> sent[] = {
        {"www.example.com", "/ver/"},     {"api.example.com", "/ver/"},
        {"example.com", "/ver/sub/"},     {"example.com.mirror.net", "/ver/"},  // the domain occurs in the host
        {"www.example.com", "/version/"},                                       // the path is a prefix
    };
    for (const auto& [host, path] : sent) EXPECT_EQ(Line(host, path), "s=1") << host << path;
    const std::pair<std::string, std::string> notSent[] = {
        {"www.example.com", "/"},     {"www.example.com", "/other/"}, {"www.example.com", "/Ver/"},
        {"www.example.org", "/ver/"}, {"WWW.EXAMPLE.COM", "/ver/"},
    };
    for (const auto& [host, path] : notSent) EXPECT_EQ(Line(host, path), "") << host << path;
}

TEST_F(CookieStore, CookiesForeignToTheReplyingHostAreDropped) {
    EXPECT_FALSE(store.AddServerCookie("a=1; Domain=other.com", "www.example.com"));
    EXPECT_FALSE(store.AddServerCookie("a=1; Domain=Example.com", "www.example.com"));
    EXPECT_FALSE(store.AddServerCookie("a=1; Domain=www.example.com.evil", "www.example.com"));
    EXPECT_FALSE(store.AddServerCookie("a=1; Domain=10.0.0.1", "192.168.10.0.1"));
    EXPECT_FALSE(store.AddServerCookie("a=1", ""));
    EXPECT_EQ(store.Cookies().Count(), 0u);
    EXPECT_EQ(Line("other.com"), "");
}

TEST(CookieDomain, ValidityDependsOnTheKindOfHost) {
    struct Case {
        const char* domain;
        const char* host;
        bool valid;
    };
    const Case cases[] = {
        {"1.2.3.4", "1.2.3.4", true},
        {"2.3.4", "1.2.3.4", false},
        {".3.4", "1.2.3.4", false},
        {"1.1.1", "256.1.1.1", true},  // not an address: a host name
        {"1.2.3", "1.2.3", true},
        {"example.com", "www.example.com", true},
        {".example.com", "www.example.com", true},
        {"www.example.com", "www.example.com", true},
        {"Example.com", "www.example.com", false},
        {"xample.com", "www.example.com", true},
        {"other.com", "www.example.com", false},
        {".EXAMPLE.com", ".example.com", true},
        {"example.com", ".example.com", false},
        {"", "www.example.com", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TNetCookieManager::IsDomainValid(c.domain, c.host), c.valid) << c.domain << " for " << c.host;
}

TEST_F(CookieStore, SameNameReplacesInPlace) {
    Reply("example.com", {"a=1", "b=2"});
    Reply("example.com", {"a=3"});
    EXPECT_EQ(Line("example.com"), "a=3; b=2");
    Reply("example.com", {"A=4; Path=/ver"});
    EXPECT_EQ(Line("example.com"), "A=4; b=2");
    EXPECT_EQ(Line("example.com", "/"), "b=2");
    EXPECT_EQ(store.Cookies().Count(), 2u);
}

TEST_F(CookieStore, ReplacementTakesTheNewExpiry) {
    Reply("example.com", {"a=1; Max-Age=100", "b=1; Max-Age=100"});
    // A server deletes a cookie by setting it again with a date in the past.
    Reply("example.com", {"a=gone; Expires=Thu, 01 Jan 1970 00:00:00 GMT", "b=2"});
    EXPECT_EQ(Line("example.com"), "b=2");
    clock.now += 1000;
    EXPECT_EQ(Line("example.com"), "b=2");
    EXPECT_EQ(store.Cookies().Count(), 1u);
}

TEST_F(CookieStore, MaxAgeZeroIsRemovedAtTheNextRequest) {
    Reply("example.com", {"a=1; Max-Age=0", "b=2"});
    ASSERT_EQ(store.Cookies().Count(), 2u);
    EXPECT_EQ(store.Cookies().CookiesOf("example.com")[0]->Expires(), net::FormatHttpDate(clock.now));
    EXPECT_EQ(Line("example.com"), "b=2");
    EXPECT_EQ(store.Cookies().Count(), 1u);
}

TEST_F(CookieStore, CookiesLiveUntilTheirExpiry) {
    Reply("example.com",
          {"a=1; Max-Age=60", "b=2; Expires=" + net::FormatHttpDate(clock.now + 30), "c=3", "d=4; Expires=not a date"});
    clock.now += 29;
    EXPECT_EQ(Line("example.com"), "a=1; b=2; c=3; d=4");
    clock.now += 1;
    EXPECT_EQ(Line("example.com"), "a=1; c=3; d=4");
    clock.now += 30;
    EXPECT_EQ(Line("example.com"), "c=3; d=4");
    clock.now = net::kLastHttpTime;
    EXPECT_EQ(Line("example.com"), "c=3; d=4");
}

TEST_F(CookieStore, EmptyValuesAndSecureCookiesAreStoredButNotSent) {
    Reply("example.com", {"e=", "s=1; Secure", "p=2"});
    EXPECT_EQ(store.Cookies().Count(), 3u);
    EXPECT_EQ(Line("example.com"), "p=2");
    EXPECT_EQ(store.GenerateCookieList("example.com", "/", net::ccSecure), "s=1; p=2");
}

TEST_F(CookieStore, OrderFollowsDomainsBackwardsAndCookiesForwards) {
    Reply("example.com", {"a=1", "b=2"});
    Reply("www.example.com", {"w=3"});
    Reply("example.com", {"c=4"});
    EXPECT_EQ(Line("example.com"), "a=1; b=2; c=4");
    EXPECT_EQ(Line("www.example.com"), "w=3; a=1; b=2; c=4");
}

TEST_F(CookieStore, HandlerMayVetoNewCookies) {
    store.SetOnNewCookie([](const net::TNetNetscapeCookie& c) { return c.Name() != "track"; });
    EXPECT_TRUE(store.AddServerCookie("keep=1", "example.com"));
    EXPECT_FALSE(store.AddServerCookie("track=1", "example.com"));
    EXPECT_EQ(Line("example.com"), "keep=1");
}

TEST_F(CookieStore, SetCookie2ValuesComeAfterSetCookieValues) {
    store.AddServerCookies({"a=1"}, {"b=2; Port=\"80\"", "a=3"}, "example.com");
    EXPECT_EQ(Line("example.com"), "a=3; b=2");
}

TEST_F(CookieStore, BadPortListRaisesAfterEarlierCookiesWereStored) {
    EXPECT_THROW(store.AddServerCookies({"a=1"}, {"b=2; Port=\"eighty\"", "c=3"}, "example.com"),
                 net::ECookieConvertError);
    EXPECT_EQ(Line("example.com"), "a=1");
}

TEST_F(CookieStore, OverlongCookieTextsAreDropped) {
    const std::string longest = "a=" + std::string(net::TNetCookies::kMaxCookieTextLength - 2, 'v');
    EXPECT_TRUE(store.AddServerCookie(longest, "example.com"));
    EXPECT_FALSE(store.AddServerCookie(longest + "v", "example.com"));
    EXPECT_FALSE(store.AddServerCookie2("b=1; Comment=" + std::string(9000, 'c'), "example.com"));
    EXPECT_EQ(Line("example.com"), longest);
}

TEST_F(CookieStore, AFullStoreDropsNewNamesButStillReplaces) {
    for (std::size_t i = 0; i < net::TNetCookies::kMaxCookies; ++i)
        ASSERT_TRUE(store.AddServerCookie("n" + std::to_string(i) + "=1", "example.com"));
    EXPECT_FALSE(store.AddServerCookie("one.more=1", "example.com"));
    EXPECT_FALSE(store.AddServerCookie("x=1", "other.org"));
    EXPECT_TRUE(store.AddServerCookie("n0=2", "example.com"));
    EXPECT_EQ(store.Cookies().Count(), net::TNetCookies::kMaxCookies);
    EXPECT_EQ(store.Cookies().Domains().size(), 1u);
    EXPECT_EQ(Line("example.com").substr(0, 11), "n0=2; n1=1;");
    // Expired cookies make room again.
    ASSERT_TRUE(store.AddServerCookie("n1=1; Max-Age=0", "example.com"));
    EXPECT_EQ(Line("example.com").substr(0, 11), "n0=2; n2=1;");
    EXPECT_TRUE(store.AddServerCookie("one.more=1", "example.com"));
}

TEST_F(CookieStore, ConcurrentWritersAndReadersKeepEveryCookie) {
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([this, t] {
            for (int i = 0; i < 200; ++i) {
                store.AddServerCookie("t" + std::to_string(t) + "_" + std::to_string(i) + "=v", "example.com");
                if (i % 10 == 0) store.GenerateCookieList("example.com", "/");
            }
        });
    }
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(store.Cookies().Count(), 800u);
    const std::string line = Line("example.com");
    EXPECT_EQ(std::count(line.begin(), line.end(), ';'), 799);
}

}  // namespace

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

#include "net/CookieConvertError.h"
#include "net/CookieRFC2109.h"
#include "net/CookieRFC2965.h"
#include "net/HttpDate.h"

namespace {

using net::FormatHttpDate;
using net::TNetCookieRFC2109;
using net::TNetCookieRFC2965;

constexpr std::int64_t kNow = 1700000000;  // Tue, 14 Nov 2023 22:13:20 GMT
constexpr std::int64_t kNov1994 = 784111777;

struct ParsedCookie {
    const char* text;
    std::string name;
    std::string value;
    std::string path;
    std::string domain;
    bool secure;
    std::string expires;
    int version;
    std::int64_t maxAge;
};

TEST(CookieParse, SetCookieTextsGiveTheirAttributes) {
    const std::string in60 = FormatHttpDate(kNow + 60);
    const std::string now = FormatHttpDate(kNow);
    const ParsedCookie cases[] = {
        {"a=1", "a", "1", "/", "", false, "", 0, -1},
        {"a=1; Path=/ver; Domain=example.com; Secure", "a", "1", "/ver", "example.com", true, "", 0, -1},
        {"a=1;path=\"/ver\";domain=Example.COM;SECURE", "a", "1", "/ver", "Example.COM", true, "", 0, -1},
        {"a=1; path=", "a", "1", "/", "", false, "", 0, -1},
        {"a=1; path=\"\"", "a", "1", "/", "", false, "", 0, -1},
        {"a=1; secure=yes", "a", "1", "/", "", true, "", 0, -1},
        {"a=b=c", "a", "b=c", "/", "", false, "", 0, -1},
        {"a=", "a", "", "/", "", false, "", 0, -1},
        {"lonely", "", "lonely", "/", "", false, "", 0, -1},
        {"  a=1  ;  Path=/x  ", "a", "1", "/x", "", false, "", 0, -1},
        {"a=1; Path=/first; Path=/second", "a", "1", "/first", "", false, "", 0, -1},
        {"a=1; Max-Age=60", "a", "1", "/", "", false, in60, 0, 60},
        {"a=1; max-age=0", "a", "1", "/", "", false, now, 0, 0},
        {"a=1; Max-Age=soon", "a", "1", "/", "", false, "", 0, -1},
        {"a=1; Max-Age=-5", "a", "1", "/", "", false, "", 0, -5},
        {"a=1; Max-Age=99999999999999999999", "a", "1", "/", "", false, "", 0, -1},
        {"a=1; Max-Age=9223372036854775807", "a", "1", "/", "", false, FormatHttpDate(net::kLastHttpTime), 0,
         INT64_MAX},
        {"a=1; Expires=Sun, 06 Nov 1994 08:49:37 GMT", "a", "1", "/", "", false, "Sun, 06 Nov 1994 08:49:37 GMT", 1,
         kNov1994 - kNow},
        {"a=1; expires=whenever", "a", "1", "/", "", false, "whenever", 1, -1},
        {"a=1; Expires=Sun, 06 Nov 1994 08:49:37 GMT; Max-Age=60", "a", "1", "/", "", false,
         "Sun, 06 Nov 1994 08:49:37 GMT", 1, 60},
    };
    for (const ParsedCookie& c : cases) {
        TNetCookieRFC2109 cookie;
        cookie.SetCookieText(c.text, kNow);
        EXPECT_EQ(cookie.Name(), c.name) << c.text;
        EXPECT_EQ(cookie.Value(), c.value) << c.text;
        EXPECT_EQ(cookie.Path(), c.path) << c.text;
        EXPECT_EQ(cookie.Domain(), c.domain) << c.text;
        EXPECT_EQ(cookie.Secure(), c.secure) << c.text;
        EXPECT_EQ(cookie.Expires(), c.expires) << c.text;
        EXPECT_EQ(cookie.Version(), c.version) << c.text;
        EXPECT_EQ(cookie.MaxAge(), c.maxAge) << c.text;
        EXPECT_EQ(cookie.CookieText(), c.text);
    }
}

TEST(CookieParse, ExpiryIsReadFromTheExpiresText) {
    struct Case {
        const char* text;
        bool hasExpiry;
        std::int64_t expiry;
    };
    const Case cases[] = {
        {"a=1", false, 0},
        {"a=1; Max-Age=60", true, kNow + 60},
        {"a=1; Max-Age=0", true, kNow},
        {"a=1; Expires=Sun, 06 Nov 1994 08:49:37 GMT", true, kNov1994},
        {"a=1; Expires=Sunday, 06-Nov-94 08:49:37 GMT", true, kNov1994},
        {"a=1; Expires=Sun Nov  6 08:49:37 1994", true, kNov1994},
        {"a=1; Expires=Sun, 06 Nov 1994 09:49:37 +0100", true, kNov1994},
        // An unreadable date is no expiry: the cookie lasts for the run.
        {"a=1; Expires=the day after tomorrow", false, 0},
        {"a=1; Expires=", false, 0},
    };
    for (const Case& c : cases) {
        TNetCookieRFC2109 cookie;
        cookie.SetCookieText(c.text, kNow);
        ASSERT_EQ(cookie.ExpiryTime().has_value(), c.hasExpiry) << c.text;
        if (!c.hasExpiry) {
            EXPECT_FALSE(cookie.IsExpired(net::kLastHttpTime)) << c.text;
            continue;
        }
        EXPECT_EQ(*cookie.ExpiryTime(), c.expiry) << c.text;
        EXPECT_FALSE(cookie.IsExpired(c.expiry - 1)) << c.text;
        EXPECT_TRUE(cookie.IsExpired(c.expiry)) << c.text;
    }
}

TEST(CookieParse, VersionAndCommentAttributesAreKept) {
    TNetCookieRFC2109 cookie;
    cookie.SetCookieText("a=1; Version=1; Comment=for tests; Expires=Sun, 06 Nov 1994 08:49:37 GMT", kNow);
    EXPECT_EQ(cookie.VersionText(), "1");
    EXPECT_EQ(cookie.Comment(), "for tests");
    EXPECT_EQ(cookie.Version(), 1);
}

TEST(CookieParse, TheSameTextIsNotReadTwice) {
    TNetCookieRFC2109 cookie;
    cookie.SetCookieText("a=1; Max-Age=10", kNow);
    cookie.SetCookieText("a=1; Max-Age=10", kNow + 500);
    EXPECT_EQ(cookie.Expires(), FormatHttpDate(kNow + 10));
    cookie.SetCookieText("a=2", kNow + 500);
    EXPECT_EQ(cookie.Value(), "2");
    EXPECT_EQ(cookie.Expires(), "");
    EXPECT_FALSE(cookie.ExpiryTime().has_value());
}

TEST(CookieParse, SetCookie2AddsDiscardCommentUrlAndPorts) {
    struct Case {
        const char* text;
        std::vector<std::int32_t> ports;
        bool discard;
        std::string commentURL;
    };
    const Case cases[] = {
        {"a=1", {80}, false, ""},
        {"a=1; Port", {80}, false, ""},
        {"a=1; Port=\"80,8080\"", {80, 8080}, false, ""},
        {"a=1; port=\" 81 , 82 \"; Discard", {81, 82}, true, ""},
        {"a=1; Port=8080", {}, false, ""},
        {"a=1; Port=\"\"", {}, false, ""},
        {"a=1; CommentURL=http://example.com/why", {80}, false, "http://example.com/why"},
    };
    for (const Case& c : cases) {
        TNetCookieRFC2965 cookie;
        cookie.SetCookieText(c.text, kNow);
        EXPECT_EQ(cookie.PortList(), c.ports) << c.text;
        EXPECT_EQ(cookie.Discard(), c.discard) << c.text;
        EXPECT_EQ(cookie.CommentURL(), c.commentURL) << c.text;
        EXPECT_EQ(cookie.Version(), 0) << c.text;  // no expiry date
    }
    TNetCookieRFC2965 dated;
    dated.SetCookieText("a=1; Expires=Sun, 06 Nov 1994 08:49:37 GMT", kNow);
    EXPECT_EQ(dated.Version(), 2);
}

TEST(CookieParse, QuotedPortListWithANonNumberRaises) {
    const std::pair<const char*, const char*> cases[] = {
        {"a=1; Port=\"80,x\"", "'x' is not a valid integer value"},
        {"a=1; Port=\"80,,81\"", "'' is not a valid integer value"},
        {"a=1; Port=\"99999999999\"", "'99999999999' is not a valid integer value"},
    };
    for (const auto& [text, message] : cases) {
        TNetCookieRFC2965 cookie;
        try {
            cookie.SetCookieText(text, kNow);
            ADD_FAILURE() << "no exception for " << text;
        } catch (const net::ECookieConvertError& e) {
            EXPECT_STREQ(e.what(), message);
        }
    }
}

TEST(CookieParse, ClonesAreIndependentCopiesOfTheSameClass) {
    std::vector<std::unique_ptr<net::TNetNetscapeCookie>> originals;
    originals.push_back(std::make_unique<net::TNetNetscapeCookie>());
    originals.push_back(std::make_unique<TNetCookieRFC2109>());
    originals.push_back(std::make_unique<TNetCookieRFC2965>());
    for (const auto& original : originals) {
        original->SetCookieText("a=1; Port=\"81\"; Path=/p; Domain=example.com; Max-Age=60; Secure", kNow);
        const std::unique_ptr<net::TNetNetscapeCookie> copy = original->Clone();
        ASSERT_EQ(typeid(*copy), typeid(*original));
        SCOPED_TRACE(typeid(*original).name());
        EXPECT_EQ(copy->CookieText(), original->CookieText());
        EXPECT_EQ(copy->Name(), "a");
        EXPECT_EQ(copy->Value(), "1");
        EXPECT_EQ(copy->Path(), "/p");
        EXPECT_EQ(copy->Version(), original->Version());
        EXPECT_EQ(copy->Secure(), original->Secure());
        EXPECT_EQ(copy->ExpiryTime(), original->ExpiryTime());
        if (const auto* typed = dynamic_cast<const TNetCookieRFC2965*>(copy.get())) {
            EXPECT_EQ(typed->PortList(), std::vector<std::int32_t>{81});
        }
        // The copy is a value of its own: changing it leaves the original alone.
        const std::string domain = original->Domain();
        copy->SetDomain("other.example.org");
        EXPECT_EQ(original->Domain(), domain);
    }
}

}  // namespace

#include <gtest/gtest.h>

#include <string>

#include "net/HttpDate.h"

namespace {

using net::FormatHttpDate;
using net::ParseHttpDate;

constexpr std::int64_t kNov1994 = 784111777;  // Sun, 06 Nov 1994 08:49:37 GMT

struct ReadableDate {
    const char* text;
    std::int64_t instant;
};

TEST(HttpDate, ReadsTheThreeClassicFormsAndTheirVariants) {
    const ReadableDate cases[] = {
        {"Sun, 06 Nov 1994 08:49:37 GMT", kNov1994},
        {"Sunday, 06-Nov-94 08:49:37 GMT", kNov1994},
        {"Sun Nov  6 08:49:37 1994", kNov1994},
        {"Sun Nov 6 08:49:37 1994 GMT", kNov1994},
        {"sun, 06 nov 1994 08:49:37 gmt", kNov1994},
        {"Sun, 6 Nov 1994 08:49:37 GMT", kNov1994},
        {"06 Nov 1994 08:49:37 GMT", kNov1994},
        {"Sun, 06-Nov-1994 08:49:37 GMT", kNov1994},
        {"Sun,06 Nov 1994 08:49:37 GMT", kNov1994},
        {"  Sun,  06 Nov 1994  08:49:37   GMT  ", kNov1994},
        {"Sun, 06 Nov 1994 08:49:37 UTC", kNov1994},
        {"Sun, 06 Nov 1994 08:49:37", kNov1994},
        {"Sun, 06 November 1994 08:49:37 GMT", kNov1994},
        {"Sun, 06 Nov 1994 09:49:37 +0100", kNov1994},
        {"Sun, 06 Nov 1994 09:49:37 GMT+01:00", kNov1994},
        {"Sun, 06 Nov 1994 09:49:37 GMT+01", kNov1994},
        {"Sun, 06 Nov 1994 09:49:37 GMT +0100", kNov1994},
        {"Sun, 06 Nov 1994 03:19:37 UTC -05:30", kNov1994},
        {"Sun, 06 Nov 1994 03:19:37 -0530", kNov1994},
        {"Sat, 05 Nov 1994 23:49:37 -0900", kNov1994},
        {"Thu, 01-Jan-70 00:00:00 GMT", 0},
        {"Wed, 31 Dec 1969 23:59:59 GMT", -1},
        {"Sat, 01 Jan 2000 00:00:00 GMT", 946684800},
        {"Sat, 01-Jan-00 00:00:00 GMT", 946684800},
        {"Tue, 01-Jan-69 00:00:00 GMT", 3124224000},
        {"Tue, 29 Feb 2000 00:00:00 GMT", 951782400},
        {"Sat, 30 Jun 2012 23:59:60 GMT", 1341100800},
        {"Mon, 01 Jan 0001 00:00:00 GMT", net::kFirstHttpTime},
        {"Fri, 31 Dec 9999 23:59:59 GMT", net::kLastHttpTime},
        // A weekday that does not fit the date is ignored.
        {"Mon, 06 Nov 1994 08:49:37 GMT", kNov1994},
    };
    for (const ReadableDate& c : cases) {
        const auto instant = ParseHttpDate(c.text);
        ASSERT_TRUE(instant.has_value()) << c.text;
        EXPECT_EQ(*instant, c.instant) << c.text;
    }
}

TEST(HttpDate, UnreadableDatesGiveNoDate) {
    const char* cases[] = {
        "",
        "   ",
        "tomorrow",
        "0",
        "1700000000",
        "Sun, 31 Feb 1994 08:49:37 GMT",  // no such day
        "Thu, 29 Feb 1900 00:00:00 GMT",  // 1900 was no leap year
        "Sun, 00 Nov 1994 08:49:37 GMT",
        "Sun, 06 Foo 1994 08:49:37 GMT",
        "Sun, 06 Nov 1994 24:00:00 GMT",
        "Sun, 06 Nov 1994 08:60:00 GMT",
        "Sun, 06 Nov 1994 08:49:61 GMT",
        "Sun, 06 Nov 1994 08:49 GMT",
        "Sun, 06 Nov 1994 08:49:37 EST",
        "Sun, 06 Nov 1994 08:49:37 GMT and more",
        "Sun, 06 Nov 1994 08:49:37 +2500",
        "Sun, 06 Nov 1994 08:49:37 +01:7",
        "Sun, 06 Nov 994 08:49:37 GMT",
        "Sun, 06 Nov 19940 08:49:37 GMT",
        "Sun, 06 Nov 0000 08:49:37 GMT",
        "Sun, 06-Nov 1994 08:49:37 GMT",
        "Sun, 006 Nov 1994 08:49:37 GMT",
        "Sun Nov  6 08:49:37 94",
        "Sun Nov  6 08:49:37",
        "Nov 1994",
        "Sun, 06 Nov 1994 08:49:37 GMT\x01",
    };
    for (const char* text : cases) EXPECT_FALSE(ParseHttpDate(text).has_value()) << text;
    EXPECT_FALSE(ParseHttpDate(std::string(300, ' ') + "Sun, 06 Nov 1994 08:49:37 GMT").has_value());
    EXPECT_FALSE(ParseHttpDate(std::string("Sun, 06 Nov 1994 08:49:37 GMT\0", 31)).has_value());
}

TEST(HttpDate, WritesTheCommonFormInGmt) {
    EXPECT_EQ(FormatHttpDate(kNov1994), "Sun, 06 Nov 1994 08:49:37 GMT");
    EXPECT_EQ(FormatHttpDate(0), "Thu, 01 Jan 1970 00:00:00 GMT");
    EXPECT_EQ(FormatHttpDate(-1), "Wed, 31 Dec 1969 23:59:59 GMT");
    EXPECT_EQ(FormatHttpDate(951782400), "Tue, 29 Feb 2000 00:00:00 GMT");
    EXPECT_EQ(FormatHttpDate(net::kLastHttpTime), "Fri, 31 Dec 9999 23:59:59 GMT");
    EXPECT_EQ(FormatHttpDate(INT64_MAX), "Fri, 31 Dec 9999 23:59:59 GMT");
    EXPECT_EQ(FormatHttpDate(INT64_MIN), "Mon, 01 Jan 0001 00:00:00 GMT");
}

TEST(HttpDate, EveryWrittenDateReadsBackToTheSameInstant) {
    // Steps of a prime number of seconds cross every month, weekday and leap rule.
    for (std::int64_t t = net::kFirstHttpTime; t <= net::kLastHttpTime; t += 7919LL * 86400 + 3607) {
        const std::string text = FormatHttpDate(t);
        const auto back = ParseHttpDate(text);
        ASSERT_TRUE(back.has_value()) << text;
        ASSERT_EQ(*back, t) << text;
    }
}

TEST(HttpDate, AddingSecondsStaysWithinTheWritableYears) {
    EXPECT_EQ(net::AddSecondsClamped(100, 60), 160);
    EXPECT_EQ(net::AddSecondsClamped(100, -60), 40);
    EXPECT_EQ(net::AddSecondsClamped(100, INT64_MAX), net::kLastHttpTime);
    EXPECT_EQ(net::AddSecondsClamped(-100, INT64_MIN), net::kFirstHttpTime);
    EXPECT_EQ(net::AddSecondsClamped(net::kLastHttpTime, 1), net::kLastHttpTime);
    EXPECT_EQ(net::AddSecondsClamped(INT64_MAX, 0), net::kLastHttpTime);
}

}  // namespace

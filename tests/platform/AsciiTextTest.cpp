#include "platform/AsciiText.h"
#include "platform/CivilDate.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace {

using namespace platform;
using namespace std::string_literals;

TEST(AsciiText, TrimmingRemovesCodesUpTo32AtTheChosenEnds) {
    struct Case {
        std::string text;
        std::string both;
        std::string left;
        std::string right;
    };
    const Case cases[] = {
        {"\x01\t  a b \r\n\x1f "s, "a b", "a b \r\n\x1f ", "\x01\t  a b"},
        {"\0x\0"s, "x", "x\0"s, "\0x"s},       // NUL is code 0
        {" \x7f ", "\x7f", "\x7f ", " \x7f"},  // DEL (127) is not a blank
        {"\xA0x\xA0", "\xA0x\xA0", "\xA0x\xA0", "\xA0x\xA0"},
        {" ! ", "!", "! ", " !"},  // "!" (33) is the first kept code
        {"   ", "", "", ""},
        {"", "", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Trim(c.text), c.both) << c.text;
        EXPECT_EQ(TrimView(c.text), c.both) << c.text;
        EXPECT_EQ(TrimLeft(c.text), c.left) << c.text;
        EXPECT_EQ(TrimRight(c.text), c.right) << c.text;
    }
    // The view lies inside the original text.
    const std::string text = "  abc ";
    EXPECT_EQ(TrimView(text).data(), text.data() + 2);
}

TEST(AsciiText, CaseRulesTouchOnlyAsciiLetters) {
    struct Case {
        const char* text;
        const char* lower;
        const char* upper;
    };
    const Case cases[] = {
        {"Content-Length", "content-length", "CONTENT-LENGTH"},
        {"@AZ[`az{", "@az[`az{", "@AZ[`AZ{"},  // the neighbours of the letter ranges stay
        {"caf\xC9\xE9", "caf\xC9\xE9", "CAF\xC9\xE9"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LowerAscii(c.text), c.lower) << c.text;
        EXPECT_EQ(UpperAscii(c.text), c.upper) << c.text;
        EXPECT_TRUE(SameText(c.lower, c.upper)) << c.text;
    }
    EXPECT_FALSE(SameText("\xC9", "\xE9"));
    EXPECT_FALSE(SameText("keep-alive", "keep-alive "));
    EXPECT_FALSE(SameText("[", "{"));
}

TEST(AsciiText, Int64ReadsTheWholeTextOrNothing) {
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
    struct Case {
        const char* text;
        std::optional<std::int64_t> expected;
    };
    const Case cases[] = {
        {"0", 0},
        {"+42", 42},
        {"-42", -42},
        {"007", 7},
        {"9223372036854775807", kMax},
        {"-9223372036854775808", kMin},
        {"9223372036854775808", std::nullopt},
        {"-9223372036854775809", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"", std::nullopt},
        {"-", std::nullopt},
        {"+-1", std::nullopt},
        {" 1", std::nullopt},
        {"1 ", std::nullopt},
        {"1.0", std::nullopt},
        {"0x10", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseInt64(c.text), c.expected) << c.text;
}

TEST(CivilDate, DayCountsAndDatesConvertBothWays) {
    struct Case {
        std::int64_t year;
        int month;
        int day;
        std::int64_t days;
    };
    const Case cases[] = {
        {1970, 1, 1, 0},        {1969, 12, 31, -1},     {2000, 2, 29, 11016},  {2000, 3, 1, 11017},
        {1900, 3, 1, -25508},   {1899, 12, 30, -25569}, {2038, 1, 19, 24855},  {9999, 12, 31, 2932896},
        {1600, 2, 29, -135081}, {0, 3, 1, -719468},     {-1, 12, 31, -719529},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DaysFromCivil(c.year, c.month, c.day), c.days) << c.year << "-" << c.month << "-" << c.day;
        const CivilDate date = CivilFromDays(c.days);
        EXPECT_EQ(date.year, c.year) << c.days;
        EXPECT_EQ(date.month, c.month) << c.days;
        EXPECT_EQ(date.day, c.day) << c.days;
    }
    // Every day of four centuries round-trips and follows the one before it.
    CivilDate previous = CivilFromDays(-146097 - 1);
    for (std::int64_t d = -146097; d <= 146097; ++d) {
        const CivilDate date = CivilFromDays(d);
        ASSERT_EQ(DaysFromCivil(date.year, date.month, date.day), d);
        const bool nextDay = date.year == previous.year && date.month == previous.month && date.day == previous.day + 1;
        const bool nextMonth =
            date.day == 1 && (date.month == previous.month + 1 || (date.month == 1 && previous.month == 12));
        ASSERT_TRUE(nextDay || nextMonth) << d;
        previous = date;
    }
}

}  // namespace

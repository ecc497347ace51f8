#include "app/IntText.h"
#include "app/LinkTargets.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

TEST(LinkTargets, OnlyWebAndMailAddressesMayBeOpened) {
    struct Case {
        const char* target;
        bool safe;
    };
    const Case cases[] = {
        {"http://example.com/download", true},
        {"  https://example.com/x  ", true},
        {"HTTP://EXAMPLE.COM", true},
        {"\t\r\nMailTo:someone@example.com", true},
        {"http://", false},
        {"file:///C:/Windows/system32/calc.exe", false},
        {"C:\\Windows\\system32\\calc.exe", false},
        {"calc.exe", false},
        {"\\\\server\\share\\setup.exe", false},
        {"javascript:alert(1)", false},
        {"shell:startup", false},
        {"ftp://example.com/file", false},
        {"x http://example.com", false},
        {"", false},
    };
    for (const Case& c : cases) EXPECT_EQ(app::IsSafeShellTarget(c.target), c.safe) << c.target;
}

TEST(LinkTargets, PipesBecomeLineBreaks) {
    EXPECT_EQ(app::PipesToLines("one|two|three"), "one\rtwo\rthree");
    EXPECT_EQ(app::PipesToLines(" |"), " \r");
    EXPECT_EQ(app::PipesToLines("plain"), "plain");
}

TEST(IntText, ConvertsAsTheStandardConversionDoes) {
    struct Case {
        const char* text;
        std::optional<int> value;
    };
    const Case cases[] = {
        {"8080", 8080},
        {"  8080", 8080},
        {"+80", 80},
        {"-1", -1},
        {"$1F90", 8080},
        {"0x1f90", 8080},
        {"X1F90", 8080},
        {"-$10", -16},
        {"$FFFFFFFF", -1},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"2147483648", std::nullopt},
        {"8080 ", std::nullopt},
        {"8080a", std::nullopt},
        {"80 80", std::nullopt},
        {"", std::nullopt},
        {" ", std::nullopt},
        {"-", std::nullopt},
        {"$", std::nullopt},
        {"0x", std::nullopt},
        {"\t80", std::nullopt},
        {"$100000000", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(app::TextToInt(c.text), c.value) << '"' << c.text << '"';
}

}  // namespace

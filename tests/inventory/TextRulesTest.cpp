#include "inventory/TextRules.h"

#include "platform/PortableCodePage.h"

#include <gtest/gtest.h>

namespace {

using namespace inventory;

TEST(TextRules, LastPosFindsTheLastOccurrence) {
    struct Case {
        const char* sub;
        const char* text;
        int expected;
    };
    const Case cases[] = {
        {"o", "foo", 3},    {")", "a(b)c)", 6}, {" ", "Foo Bar 1.0", 8}, {"ab", "abab", 3},
        {"aa", "aaa", 2},   {"x", "foo", 0},    {"", "foo", 0},          {"o", "", 0},
        {"foo!", "foo", 0}, {"foo", "foo", 1},
    };
    for (const Case& c : cases) EXPECT_EQ(LastPos(c.sub, c.text), c.expected) << c.sub << " in " << c.text;
}

TEST(TextRules, RemoveAllIgnoresCaseAndKeepsTheOriginalLetters) {
    struct Case {
        const char* text;
        const char* sub;
        const char* expected;
    };
    const Case cases[] = {
        {"Foo (X64) Bar (x64)", " (x64)", "Foo Bar"},
        {"2.1b", ".", "21b"},
        {"BetaBETAbeta2", "beta", "2"},
        {"aaa", "aa", "a"},  // non-overlapping, left to right
        {"Build 42", "build", " 42"},
        {"\xE9t\xC9", "\xC9", "t"},  // upper-casing follows the code page (windows-1252)
        {"abc", "", "abc"},
    };
    for (const Case& c : cases) EXPECT_EQ(RemoveAllIgnoreCase(c.text, c.sub), c.expected) << c.text;
}

TEST(TextRules, FloatTestFollowsTheDecimalSeparator) {
    for (const char* yes : {"54", "2010", "1.5", "-3", "+0.5", ".5", "5.", "1e5", "2E-3", " 7 "})
        EXPECT_TRUE(IsFloatText(yes)) << yes;
    for (const char* no : {"", " ", "x64", "Pro", "1.2.3", "1,5", "e5", "1e", "0x10", "12a", "-", "."})
        EXPECT_FALSE(IsFloatText(no)) << no;
#ifndef _WIN32
    platform::portable::SetDecimalSeparator(',');
    EXPECT_TRUE(IsFloatText("1,5"));
    EXPECT_FALSE(IsFloatText("1.5"));
    platform::portable::SetDecimalSeparator('.');
#endif
}

}  // namespace

#include "platform/CodePage.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include "platform/PortableCodePage.h"
#endif

namespace {

TEST(CodePage, UpperCaseAndCaseInsensitiveCompareOnAscii) {
    EXPECT_EQ(platform::AnsiUpperCase("Title 1.0 abc"), "TITLE 1.0 ABC");
    EXPECT_TRUE(platform::AnsiSameText("Title", "tItLe"));
    EXPECT_FALSE(platform::AnsiSameText("Title", "Titles"));
    EXPECT_LT(platform::AnsiCompareText("abc", "ABD"), 0);
    EXPECT_GT(platform::AnsiCompareText("b", "A"), 0);
    EXPECT_EQ(platform::AnsiCompareText("", ""), 0);
}

TEST(CodePage, Utf8AndUtf16RoundTrip) {
    const std::string utf8 = "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";  // A, e acute, euro, an emoji
    const std::u16string utf16 = platform::Utf8ToUtf16(utf8);
    EXPECT_EQ(utf16, (std::u16string{u'A', 0xE9, 0x20AC, 0xD83D, 0xDE00}));
    EXPECT_EQ(platform::Utf16ToUtf8(utf16), utf8);
    // Broken sequences become the replacement character, never a crash.
    EXPECT_EQ(platform::Utf8ToUtf16("\xC3"), std::u16string(1, 0xFFFD));
    EXPECT_EQ(platform::Utf8ToUtf16("\xC0\x80"), (std::u16string{0xFFFD, 0xFFFD}));
}

#ifndef _WIN32
using platform::portable::ScopedCodePage;
using platform::portable::TCodePage;

TEST(PortableCodePage, Windows1252ByDefault) {
    EXPECT_FALSE(platform::IsMultiByteCodePage());
    EXPECT_FALSE(platform::IsLeadByte(0x82));
    EXPECT_EQ(platform::AnsiUpperCase("\xE9\xFF\x9A\xF7"), "\xC9\x9F\x8A\xF7");
    EXPECT_TRUE(platform::AnsiSameText("caf\xE9", "CAF\xC9"));
    EXPECT_EQ(platform::AnsiToUtf16("\x80\xE9"), (std::u16string{0x20AC, 0xE9}));
    EXPECT_EQ(platform::Utf16ToAnsi(u"\u20AC\u00E9\u4E00"), "\x80\xE9?");
}

TEST(PortableCodePage, DoubleByteCodePageCanBeChosen) {
    ScopedCodePage cp(TCodePage::cp932);
    EXPECT_TRUE(platform::IsMultiByteCodePage());
    EXPECT_TRUE(platform::IsLeadByte(0x82));
    EXPECT_TRUE(platform::IsLeadByte(0xE0));
    EXPECT_FALSE(platform::IsLeadByte(0xA0));
    EXPECT_FALSE(platform::IsLeadByte('a'));
    // A trail byte that looks like a lower-case letter is left alone.
    EXPECT_EQ(platform::AnsiUpperCase("a\x82"
                                      "a"
                                      "b"),
              "A\x82"
              "aB");
}
#endif

}  // namespace

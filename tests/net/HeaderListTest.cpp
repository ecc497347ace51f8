#include "net/NetHeaderList.h"

#include <gtest/gtest.h>

namespace {

using net::TNetHeaderList;

TEST(HeaderList, ValuesAreFoundIgnoringCaseAndContinuationLinesAreJoined) {
    TNetHeaderList h;
    h.Add("Content-Type: text/plain");
    h.Add("X-Long: first");
    h.Add(" second  ");
    h.Add("\tthird");
    h.Add("set-cookie: a=1");
    h.Add("Set-Cookie:b=2 ");
    EXPECT_EQ(h.Values("content-type"), "text/plain");
    EXPECT_EQ(h.Values("X-LONG"), "first second third");
    EXPECT_EQ(h.Values("Missing"), "");
    EXPECT_EQ(h.Extract("Set-Cookie"), (std::vector<std::string>{"a=1", "b=2"}));
    EXPECT_EQ(h.Names(4), "set-cookie");
    EXPECT_EQ(h.ValueAt(1), "first second third");
}

TEST(HeaderList, SettingReplacesInPlaceAndEmptyRemoves) {
    TNetHeaderList h;
    h.SetValue("Host", "a");
    h.SetValue("Accept", "x");
    h.SetValue("User-Agent", "u");
    h.SetValue("accept", "y");
    EXPECT_EQ(h.Text(), "Host: a\r\naccept: y\r\nUser-Agent: u\r\n");
    h.SetValue("Host", "");
    EXPECT_EQ(h.Text(), "accept: y\r\nUser-Agent: u\r\n");
}

TEST(HeaderList, LongValuesFoldAtBlanksIntoContinuationLines) {
    TNetHeaderList h(1024);
    std::string value;
    for (int i = 0; i < 300; ++i) value += "word" + std::to_string(i) + " ";
    value.pop_back();
    h.SetValue("X-Big", value);
    ASSERT_GT(h.Count(), 1u);
    for (std::size_t i = 0; i < h.Count(); ++i) {
        EXPECT_LE(h.Line(i).size(), 1024u) << i;
        EXPECT_NE(h.Line(i).back(), ' ');
        if (i > 0) {
            EXPECT_EQ(h.Line(i)[0], ' ');
            EXPECT_NE(h.Line(i)[1], ' ');
        }
    }
    // Reading it back joins the pieces with single spaces: the value survives.
    EXPECT_EQ(h.Values("X-Big"), value);
    // Replacing a folded line removes all of its pieces.
    h.SetValue("X-Big", "small");
    EXPECT_EQ(h.Text(), "X-Big: small\r\n");
}

TEST(HeaderList, CommaBreaksKeepTheCommaOnTheFirstPiece) {
    TNetHeaderList h(20);
    h.SetValue("A", "1111111111,22222222,3333");
    ASSERT_EQ(h.Count(), 2u);
    EXPECT_EQ(h.Line(0), "A: 1111111111,");
    EXPECT_EQ(h.Line(1), " 22222222,3333");
}

}  // namespace

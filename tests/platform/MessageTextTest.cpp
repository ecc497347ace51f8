#include "platform/MessageText.h"

#include <gtest/gtest.h>

namespace {

TEST(MessageText, FillsEachPlaceholderOnceInOrder) {
    using platform::FillMessage;
    EXPECT_EQ(FillMessage("Socket Error # %s\r\n%s", {"10061", "Connection refused."}),
              "Socket Error # 10061\r\nConnection refused.");
    // An argument's own "%s" stays text, not a place for the next argument.
    EXPECT_EQ(FillMessage("Cannot open file \"%s\". %s", {"a%sb", "Denied"}), "Cannot open file \"a%sb\". Denied");
    EXPECT_EQ(FillMessage("%s%s", {"", "x"}), "x");
    // Too few arguments leave the rest of the format alone; surplus ones are ignored.
    EXPECT_EQ(FillMessage("%s and %s", {"one"}), "one and %s");
    EXPECT_EQ(FillMessage("no place", {"x"}), "no place");
    EXPECT_EQ(FillMessage("100%", {"x"}), "100%");
}

}  // namespace

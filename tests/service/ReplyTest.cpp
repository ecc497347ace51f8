#include "service/ReplyComposer.h"

#include <gtest/gtest.h>

namespace {

using namespace service;

TEST(ReplyComposer, MarkupCarriesOnlyWhatTheGridCanDraw) {
    struct Case {
        const char* version;
        const char* target;
        bool newer;
        const char* markup;
    };
    const Case cases[] = {
        {"1.2", "https://x.org/dl", false, "<a href=\"https://x.org/dl\">1.2</a>"},
        {"1.2", "https://x.org/dl", true,
         "<a href=\"https://x.org/dl\"><font color=\"#ff3300\" href=\"https://x.org/dl\">1.2</font></a>"},
        {"1.2", "https://x.org/?id=35", true, "<font color=\"#ff3300\">1.2</font>"},  // "=" cannot be carried
        {"1.2", "https://x.org/a>b", false, "1.2"},
        {"1.2", " https://x.org/", false, "1.2"},
        {"1.2<b>[VerAll]", "", false, "1.2bVerAll"},  // no markup or tags from a version
        {"\x01\x02", "https://x.org/", true, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.markup);
        EXPECT_EQ(VersionMarkup(c.version, c.target, c.newer), c.markup);
    }
    EXPECT_EQ(SafeVersionText(std::string(100, '9')).size(), kMaxReplyVersion);
    EXPECT_EQ(MessageTarget({"A=b \"c\" <d>", "Mart\xC3\xAD's|x", "see http://y"}), "Ab c d|Mart?'sx|see y");
    EXPECT_TRUE(IsSafeLinkTarget(MessageTarget({"Tom's Tool", "two words"})));
}

TEST(ReplyComposer, EveryReplyIsLongEnoughAndHoldsTheTagsInOrder) {
    std::string empty = ComposeVersionReply("", "", "");
    EXPECT_EQ(empty, "[VerCorvanthelis]\r\n[VerPublisher]\r\n[VerAll]\r\n");
    EXPECT_GE(empty.size() - 2, 40u);
    EXPECT_EQ(ComposeNoticeReply("Closed [VerPublisher]\r\nnow"),
              "[VerCorvanthelis][Notice:] Closed VerPublishernow\r\n[VerPublisher]\r\n[VerAll]\r\n");
}

}  // namespace

// Cutting a version query reply into its three values, with the fixed start and
// the arithmetic on absent tags.
#include "online/VersionReply.h"

#include <gtest/gtest.h>

namespace {

struct CutCase {
    const char* name;
    const char* reply;
    const char* corvanthelis;
    const char* publisher;
    const char* all;
    bool notice;
};

TEST(CutReply, FollowsTheFixedStartAndTheTagArithmetic) {
    const CutCase cases[] = {
        {"three sections", "[VerCorvanthelis] 1.0 [VerPublisher] 1.1 [VerAll] <font color=ff3300>2.0</font>", "1.0",
         "1.1", "<font color=ff3300>2.0</font>", false},
        {"values trimmed", "[VerCorvanthelis]\r\n\t1.0\r\n[VerPublisher]\r\n1.1\r\n[VerAll]\r\n2.0", "1.0", "1.1",
         "2.0", false},
        {"empty sections", "[VerCorvanthelis][VerPublisher][VerAll]", "", "", "", false},
        // The first value is cut from position 18 wherever the tag stands.
        {"tag not at the start", "xx[VerCorvanthelis]1.0[VerPublisher]1.1[VerAll]2.0", "s]1.0", "1.1", "2.0", false},
        // Without "[VerPublisher]" the first count is negative and the publisher value starts at 14.
        {"publisher tag missing", "[VerCorvanthelis]1.0 abcdef [VerAll]2.0", "", "lis]1.0 abcdef", "2.0", false},
        // Without "[VerAll]" the publisher count is negative and the last value starts at 8.
        {"all tag missing", "[VerCorvanthelis]1.0[VerPublisher]1.1", "1.0", "", "vanthelis]1.0[VerPublisher]1.1",
         false},
        {"notice", "[VerCorvanthelis][Notice:] Service closed today.[VerPublisher]x[VerAll]y",
         "[Notice:] Service closed today.", "", "", true},
        {"notice marker inside the first value", "[VerCorvanthelis]Hello [Notice:] there[VerPublisher][VerAll]",
         "Hello [Notice:] there", "", "", true},
        // A marker with no "[VerPublisher]" lands in a later value: not a notice.
        {"marker without publisher tag", "[VerCorvanthelis][Notice:] closed [VerAll]z", "", "lis][Notice:] closed", "z",
         false},
        {"marker in a later section", "[VerCorvanthelis]1[VerPublisher][Notice:][VerAll]3", "1", "[Notice:]", "3",
         false},
        {"only the first tag", "[VerCorvanthelis] only the first tag, long enough", "", "",
         "vanthelis] only the first tag, long enough", false},
    };
    for (const CutCase& c : cases) {
        SCOPED_TRACE(c.name);
        const online::TVersionReply r = online::CutReply(c.reply);
        EXPECT_EQ(r.Corvanthelis, c.corvanthelis);
        EXPECT_EQ(r.Publisher, c.publisher);
        EXPECT_EQ(r.All, c.all);
        EXPECT_EQ(r.Notice, c.notice);
    }
}

}  // namespace

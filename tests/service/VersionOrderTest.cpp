#include "service/VersionOrder.h"

#include <gtest/gtest.h>

namespace {

using service::CompareVersions;
using service::IsNewerVersion;

int Sign(int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

TEST(VersionOrder, RealWorldPairsCompareByTheDocumentedRules) {
    struct Case {
        const char* a;
        const char* b;
        int expected;
    };
    const Case cases[] = {
        {"1.8", "1.70", -1},          // parts are numbers, not decimals
        {"17.5.0.293", "17.5.0", 1},  // an extra non-zero part is newer
        {"3.1.2", "3.1.2+196", 0},    // build metadata is ignored
        {"2.0", "2.0.0.0", 0},        // missing trailing parts are zero
        {"10.0b3", "10.0", -1},       // a pre-release is below the plain number
        {"2.0-rc1", "2.0", -1},
        {"1.0-alpha.2", "1.0-beta", -1},  // suffixes run by run
        {"1.0-beta2", "1.0-beta10", -1},  // digit runs as numbers
        {"1.0rc1", "1.0beta5", 1},
        {"v1.2", "1.2", 0},       // a leading v is ignored
        {"1.2 final", "1.2", 0},  // release words count as plain
        {"01.002", "1.2", 0},     // leading zeros
        {"1.9.1435.396", "1.9.1431", 1},
        {"1.5.0.8070", "1.5.00.28361", -1},
        {"123456789012345678901.1", "123456789012345678900.9", 1},  // beyond 64 bits
        {"2026.40", "2026.4", 1},
        {"150-101b", "150-101b", 0},
        {"Beta", "beta", 0},  // text as last resort, ignoring case
        {"beta", "alpha", 1},
        {"", "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " vs " + c.b);
        EXPECT_EQ(Sign(CompareVersions(c.a, c.b)), c.expected);
        EXPECT_EQ(Sign(CompareVersions(c.b, c.a)), -c.expected);
    }
}

TEST(VersionOrder, NoUpdateWhenTheLocalVersionIsOneTheCatalogueKnows) {
    struct Case {
        const char* candidate;
        const char* local;
        std::vector<std::string_view> known;
        bool newer;
    };
    const Case cases[] = {
        // package version and uninstall entry version disagree: the entry's must win
        {"1.9.1431", "1.9.1431", {"1.9.1435.396", "1.9.1431"}, false},
        {"1.9.1435.396", "1.9.1431", {"1.9.1435.396", "1.9.1431"}, false},
        {"1.5.00.28361", "1.5.0.8070", {"1.5.0.8070", "1.5.00.28361"}, false},
        {"3.1.2", "3.1.2+196", {"3.1.2"}, false},
        {"150-101b", "150-101b", {"150.104.1.0", "0.3.10.0", "150-101b"}, false},
        {"26.03", "24.08", {"26.03"}, true},
        {"26.03", "", {"26.03"}, false},  // nothing known locally: never newer
        {"10.0", "10.0b3", {"10.0"}, true},
        {"1.70", "1.8", {}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.candidate) + " vs local " + c.local);
        EXPECT_EQ(IsNewerVersion(c.candidate, c.local, c.known), c.newer);
    }
}

}  // namespace

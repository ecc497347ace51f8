#include "platform/VersionResource.h"

#include "FixtureExe.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

namespace {

using testing_support::FixtureExe;
using testing_support::TempDir;

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

#define REQUIRE_FIXTURES() \
    if (testing_support::FixtureExeDir().empty()) GTEST_SKIP() << "no mingw-w64 fixtures"

TEST(VersionResource, ReadsTheFileVersionOfRealExecutables) {
    REQUIRE_FIXTURES();
    struct Case {
        const char* fixture;
        std::uint32_t ms, ls;
    };
    const Case cases[] = {
        {"v1_0_0_0", 0x00010000, 0x00000000},  {"v5_4_1_0", 0x00050004, 0x00010000},
        {"v2_0_0_10", 0x00020000, 0x0000000A}, {"v10_0_0_0", 0x000A0000, 0x00000000},
        {"v1_2_3_4", 0x00010002, 0x00030004},  {"v65535", 0xFFFFFFFF, 0xFFFFFFFF},
    };
    for (const Case& c : cases) {
        const auto version = platform::GetFixedFileVersion(FixtureExe(c.fixture));
        ASSERT_TRUE(version.has_value()) << c.fixture;
        EXPECT_EQ(version->fileVersionMS, c.ms) << c.fixture;
        EXPECT_EQ(version->fileVersionLS, c.ls) << c.fixture;
    }
}

TEST(VersionResource, FilesWithoutAVersionGiveNothing) {
    REQUIRE_FIXTURES();
    TempDir tmp;
    WriteAll(tmp.Join("text.exe"), "MZ not really a program");
    WriteAll(tmp.Join("empty.exe"), "");
    for (const std::string& path :
         {FixtureExe("noversion"), tmp.Join("text.exe"), tmp.Join("empty.exe"), tmp.Join("missing.exe"), tmp.Path()}) {
        EXPECT_FALSE(platform::GetFixedFileVersion(path).has_value()) << path;
    }
}

TEST(VersionResource, AResourceWithoutFixedInformationGivesNothing) {
    REQUIRE_FIXTURES();
    std::string image = ReadAll(FixtureExe("v1_2_3_4"));
    // The resource starts with wLength, wValueLength and wType before its key;
    // a value length of 0 means the block carries no fixed information.
    std::string key;
    for (char c : std::string("VS_VERSION_INFO")) key += std::string{c, '\0'};
    const std::size_t at = image.find(key);
    ASSERT_NE(at, std::string::npos);
    ASSERT_GE(at, 4u);
    image[at - 4] = '\0';
    image[at - 3] = '\0';
    TempDir tmp;
    WriteAll(tmp.Join("bad.exe"), image);
    EXPECT_FALSE(platform::GetFixedFileVersion(tmp.Join("bad.exe")).has_value());
}

// Truncated and randomly damaged copies of a real executable must give either
// nothing or the true version, never a crash or a made-up number (run under
// the sanitizers to catch reads outside the file's bytes).
TEST(VersionResource, TruncatedOrDamagedImagesAreReadSafely) {
    REQUIRE_FIXTURES();
    const std::string image = ReadAll(FixtureExe("v1_2_3_4"));
    ASSERT_GT(image.size(), 1024u);
    TempDir tmp;
    const std::string path = tmp.Join("damaged.exe");
    int found = 0;
    for (std::size_t size = 0; size < image.size(); size += 97) {
        WriteAll(path, image.substr(0, size));
        const auto version = platform::GetFixedFileVersion(path);
        if (version) {
            ++found;
            EXPECT_EQ(version->fileVersionMS, 0x00010002u);
        }
    }
    std::mt19937 rng(12345);
    for (int round = 0; round < 300; ++round) {
        std::string copy = image;
        for (int k = 0; k < 8; ++k) copy[rng() % copy.size()] = static_cast<char>(rng());
        WriteAll(path, copy);
        const auto version = platform::GetFixedFileVersion(path);
        if (version && version->fileVersionMS == 0x00010002u) ++found;
    }
    EXPECT_GT(found, 0);
}

}  // namespace

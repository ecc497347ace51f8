#include "inventory/CommonFuction.h"

#include "platform/AsciiText.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "platform/PortableCodePage.h"
#include "platform/PortableFileSystem.h"

#include "TempDir.h"
#include "platform/FixtureExe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace {

using namespace inventory;
using testing_support::FixtureExe;
using testing_support::TempDir;

TEST(IsSingleByteText, FollowsTheCodePage) {
#ifndef _WIN32
    {
        platform::portable::ScopedCodePage dbcs(platform::portable::TCodePage::cp932);
        EXPECT_TRUE(IsSingleByteText(""));
        EXPECT_TRUE(IsSingleByteText("Foo 1.0 \xA6"));   // half-width katakana are single bytes
        EXPECT_FALSE(IsSingleByteText("\x82\xA0"));      // a double-byte character
        EXPECT_FALSE(IsSingleByteText("abc\x82"));       // a lead byte without its trail byte
        EXPECT_FALSE(IsSingleByteText("\x82\x82\x82"));  // a lead byte taken as trail byte
    }
#endif
    // On a single-byte code page every text passes, whatever its bytes.
    if (!platform::IsMultiByteCodePage()) {
        EXPECT_TRUE(IsSingleByteText("\x82\xA0\xFF"));
    }
}

// Windows and system folders for the test: the real ones on Windows, and
// imitated ones (inside the test's folder) in the portable build.
class InstallDirTest : public ::testing::Test {
protected:
    void SetUp() override {
#ifndef _WIN32
        std::filesystem::create_directories(tmp.FsPath() / "WINDOWS" / "SYSTEM32");
        platform::portable::SetWindowsDirs(tmp.Join("windows"), tmp.Join("windows") + "/system32");
        windowsDir = tmp.Join("WINDOWS");
        systemDir = windowsDir + "/SYSTEM32";
#else
        windowsDir = platform::UpperAscii(platform::WindowsDir());
        systemDir = platform::UpperAscii(platform::SystemDir());
#endif
    }
    void TearDown() override {
#ifndef _WIN32
        platform::portable::SetWindowsDirs("C:\\Windows", "C:\\Windows\\system32");
#endif
    }
    TempDir tmp;
    std::string windowsDir, systemDir;
};

TEST_F(InstallDirTest, ExtractInstallDirCases) {
    const char sep = platform::PathSeparator();
    std::filesystem::create_directories(tmp.FsPath() / "App");
    std::filesystem::create_directories(tmp.FsPath() / "InstallShield Installation Information");
    std::filesystem::create_directories(tmp.FsPath() / "Cache" / "{1234-ABCD}");
    std::ofstream(tmp.Join("App") + sep + "app.exe") << "x";
    const std::string app = tmp.Join("App");
    const std::string appExe = app + sep + "app.exe";

    struct Case {
        std::string value;
        std::string expected;
    };
    const Case cases[] = {
        {app, app},
        {"\"" + app + "\\\"", app},  // quoted, one trailing backslash removed
        {"  \t" + app + " ", app},   // trimmed
        {windowsDir, ""},            // the Windows folder in another letter case
        {systemDir + "\\", ""},      // the system folder
        {tmp.Join("InstallShield Installation Information"), ""},
        {tmp.Join("Cache") + sep + "{1234-ABCD}", ""},  // a brace
        {appExe, appExe},                               // a file: returned cleaned, not a folder
        {"\"" + appExe + "\",0", appExe + ",0"},        // an icon reference
        {"\"" + appExe + "\" /uninstall", appExe + " /uninstall"},
        {"\"C:\\Missing Folder\\\"", "C:\\Missing Folder\\"},  // not a folder: backslash kept
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(ExtractInstallDir(c.value), c.expected) << c.value;
}

TEST(ListExeFiles, ListsOnlyExecutableFilesIncludingHiddenOnes) {
    TempDir tmp;
    const char sep = platform::PathSeparator();
    for (const char* name : {"a.exe", "B.EXE", "readme.txt", "setup.exe.bak", ".hidden.exe"})
        std::ofstream(tmp.Join(name)) << "x";
    std::filesystem::create_directories(tmp.FsPath() / "folder.exe");
    std::vector<std::string> names = ListExeFiles(tmp.Path());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{".hidden.exe", "B.EXE", "a.exe"}));
    EXPECT_TRUE(ListExeFiles(tmp.Path() + sep + "missing").empty());

    // The pattern is always the directory, a backslash and *.exe: an empty
    // directory lists the root ("\*.exe"), never the current directory.
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(tmp.FsPath());
    const std::vector<std::string> fromEmpty = ListExeFiles("");
    const std::vector<std::string> fromRoot = platform::ListFiles("\\", "*.exe");
    std::filesystem::current_path(previous);
    EXPECT_EQ(std::count(fromEmpty.begin(), fromEmpty.end(), "a.exe"), 0);
    EXPECT_EQ(fromEmpty, fromRoot);
}

TEST(GetFileVersionText, FormatsAndShortensTheFileVersion) {
    if (testing_support::FixtureExeDir().empty()) GTEST_SKIP() << "no mingw-w64 fixtures";
    struct Case {
        const char* fixture;
        const char* expected;
    };
    const Case cases[] = {
        {"v1_0_0_0", "1.0"},
        {"v5_4_1_0", "5.4.1"},
        {"v3_1_0_0", "3.1"},
        {"v2_0_0_10", "2.0.0.10"},
        {"v10_0_0_0", "10.0"},
        {"v1_2_3_4", "1.2.3.4"},
        {"v65535", "65535.65535.65535.65535"},
        {"noversion", ""},
        {"no_such_file", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(GetFileVersionText(FixtureExe(c.fixture)), c.expected) << c.fixture;
}

}  // namespace

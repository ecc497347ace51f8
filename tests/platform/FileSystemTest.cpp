#include "platform/FileSystem.h"
#include "platform/OsError.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

using testing_support::TempDir;

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

TEST(FileSystem, ExecutableDirEndsInSeparatorAndExists) {
    const std::string dir = platform::ExecutableDir();
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(dir.back(), platform::PathSeparator());
    EXPECT_TRUE(platform::DirectoryExists(dir));
}

TEST(FileSystem, ExistenceTestsTellFilesFromFolders) {
    TempDir tmp;
    WriteAll(tmp.Join("a.txt"), "x");
    EXPECT_TRUE(platform::DirectoryExists(tmp.Path()));
    EXPECT_FALSE(platform::FileExists(tmp.Path()));
    EXPECT_TRUE(platform::FileExists(tmp.Join("a.txt")));
    EXPECT_FALSE(platform::DirectoryExists(tmp.Join("a.txt")));
    EXPECT_FALSE(platform::FileExists(tmp.Join("missing")));
    EXPECT_FALSE(platform::DirectoryExists(""));
}

TEST(FileSystem, CreateReplacesAndReadsBack) {
    TempDir tmp;
    const std::string path = tmp.Join("f.bin");
    WriteAll(path, "old content that is longer");
    {
        auto file = platform::CreateFileForWriting(path);
        EXPECT_EQ(file->Write("new", 3), 3u);
        EXPECT_EQ(file->Size(), 3u);
    }
    auto in = platform::OpenFileForReading(path);
    char buffer[16] = {};
    EXPECT_EQ(in->Read(buffer, sizeof buffer), 3u);
    EXPECT_EQ(std::string(buffer, 3), "new");
    EXPECT_EQ(in->Read(buffer, sizeof buffer), 0u);
}

TEST(FileSystem, OpeningAMissingFileThrowsWithSystemText) {
    TempDir tmp;
    try {
        platform::OpenFileForReading(tmp.Join("missing.xml"));
        FAIL() << "no exception";
    } catch (const platform::OsError& e) {
        EXPECT_NE(e.Code(), 0);
        EXPECT_FALSE(std::string(e.what()).empty());
    }
    EXPECT_THROW(platform::CreateFileForWriting(tmp.Join("no-such-dir") + platform::PathSeparator() + "x"),
                 platform::OsError);
}

TEST(FileSystem, ReplacementCommitsOnlyWhenAsked) {
    TempDir tmp;
    const std::string target = tmp.Join("vers.xml");
    WriteAll(target, "previous");
    {
        auto file = platform::CreateReplacementFile(target);
        file->Write("half", 4);
        // Dropped without Commit: the target stays and no temporary is left.
    }
    EXPECT_EQ(ReadAll(target), "previous");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(tmp.FsPath()), {}), 1);
    {
        auto file = platform::CreateReplacementFile(target);
        file->Write("complete", 8);
        file->Commit();
    }
    EXPECT_EQ(ReadAll(target), "complete");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(tmp.FsPath()), {}), 1);
}

TEST(FileSystem, ReplacementOfANewFileCreatesIt) {
    TempDir tmp;
    const std::string target = tmp.Join("new.xml");
    auto file = platform::CreateReplacementFile(target);
    file->Write("abc", 3);
    file->Commit();
    EXPECT_EQ(ReadAll(target), "abc");
}

TEST(FileSystem, ListFilesMatchesWildcardIgnoringCaseAndSkipsFolders) {
    TempDir tmp;
    for (const char* name : {"app.exe", "UNINS000.EXE", "readme.txt", "tool.exe.bak"}) WriteAll(tmp.Join(name), "");
    std::filesystem::create_directory(tmp.FsPath() / "folder.exe");
    auto names = platform::ListFiles(tmp.Path(), "*.exe");
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"UNINS000.EXE", "app.exe"}));
    EXPECT_TRUE(platform::ListFiles(tmp.Join("missing"), "*.exe").empty());
    EXPECT_EQ(platform::ListFiles(tmp.Path(), "read?e.txt"), std::vector<std::string>{"readme.txt"});
}

TEST(FileSystem, WindowsAndSystemDirsAreDistinctAndNested) {
    const std::string win = platform::WindowsDir();
    const std::string sys = platform::SystemDir();
    ASSERT_FALSE(win.empty());
    EXPECT_NE(win.back(), '\\');
    EXPECT_EQ(sys.rfind(win, 0), 0u) << sys << " is not under " << win;
    EXPECT_GT(sys.size(), win.size());
}

}  // namespace

TEST(FileSystem, MakeDirectoryCreatesOnceAndAcceptsAnExistingFolder) {
    TempDir tmp;
    const std::string dir = tmp.Join("Pelmira");
    EXPECT_TRUE(platform::MakeDirectory(dir));
    EXPECT_TRUE(platform::DirectoryExists(dir));
    EXPECT_TRUE(platform::MakeDirectory(dir));
    EXPECT_FALSE(platform::MakeDirectory(tmp.Join("missing") + platform::PathSeparator() + "child"));
}

TEST(FileSystem, LocalAppDataDirIsAnAbsolutePathWithoutTrailingSeparator) {
    const std::string dir = platform::LocalAppDataDir();
    if (dir.empty()) GTEST_SKIP() << "the system names no local application data folder";
    EXPECT_NE(dir.back(), platform::PathSeparator());
    EXPECT_TRUE(dir.front() == '/' || (dir.size() > 2 && dir[1] == ':'));
}

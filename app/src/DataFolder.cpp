#include "app/DataFolder.h"

#include "platform/FileSystem.h"

#include <exception>

namespace app {

namespace {

// The probe's name: hidden-looking and specific, so it cannot collide with a user's file.
constexpr const char* kProbeName = "~pelmira-write-probe.tmp";

std::string WithSeparator(std::string dir) {
    const char sep = platform::PathSeparator();
    if (!dir.empty() && dir.back() != sep && dir.back() != '/') dir += sep;
    return dir;
}

}  // namespace

bool CanCreateFilesIn(const std::string& dir) {
    if (dir.empty()) return false;
    const std::string probe = WithSeparator(dir) + kProbeName;
    try {
        // A real file, not a guess from the path: virtualised, read-only and
        // access-controlled folders all answer the same way as a save would.
        platform::CreateFileForWriting(probe).reset();
    } catch (const std::exception&) {
        return false;
    }
    platform::RemoveFile(probe);
    return true;
}

std::string ChooseDataFolder(const std::string& exeDir, const std::string& localAppData) {
    const std::string own = WithSeparator(exeDir);
    if (CanCreateFilesIn(own)) return own;
    if (!localAppData.empty()) {
        const std::string folder = WithSeparator(localAppData) + kDataFolderName;
        if (platform::MakeDirectory(folder) && CanCreateFilesIn(folder)) return WithSeparator(folder);
    }
    return own;
}

std::string DefaultDataFolder() { return ChooseDataFolder(platform::ExecutableDir(), platform::LocalAppDataDir()); }

}  // namespace app

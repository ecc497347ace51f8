#pragma once

#include "platform/FileSystem.h"

#include <filesystem>
#include <random>
#include <string>

namespace testing_support {

// A fresh folder under the system's temporary folder, removed with its content
// on destruction. Path() ends without a separator; Join() uses the platform's.
class TempDir {
public:
    TempDir() {
        std::random_device rd;
        const auto base = std::filesystem::temp_directory_path();
        for (;;) {
            m_path = base / ("pelmira-test-" + std::to_string(rd()));
            if (std::filesystem::create_directory(m_path)) break;
        }
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string Path() const { return m_path.string(); }
    std::string Join(const std::string& name) const { return Path() + platform::PathSeparator() + name; }
    const std::filesystem::path& FsPath() const { return m_path; }

private:
    std::filesystem::path m_path;
};

}  // namespace testing_support

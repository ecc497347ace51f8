#pragma once

#include <string>

// Where the fixture executables (built with mingw-w64 at build time, each with
// a chosen file version) are. The build passes a Linux path; the Windows build
// runs under Wine, which shows that path on drive Z:.
namespace testing_support {

#ifndef PELMIRA_FIXTURE_EXE_DIR
#define PELMIRA_FIXTURE_EXE_DIR ""
#endif

// The fixture folder in this platform's path form; "" when no fixtures were built.
inline std::string FixtureExeDir() {
    std::string dir = PELMIRA_FIXTURE_EXE_DIR;
#ifdef _WIN32
    if (!dir.empty() && dir.front() == '/') {
        for (char& c : dir) {
            if (c == '/') c = '\\';
        }
        dir = "Z:" + dir;
    }
#endif
    return dir;
}

// Full path of the fixture named name (without ".exe").
inline std::string FixtureExe(const std::string& name) {
#ifdef _WIN32
    return FixtureExeDir() + "\\" + name + ".exe";
#else
    return FixtureExeDir() + "/" + name + ".exe";
#endif
}

}  // namespace testing_support

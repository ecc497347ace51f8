#pragma once

#include <string>

// Test hooks of the portable platform implementation. Linux has no Windows and
// system folders; the portable build imitates them with chosen folders.
namespace platform::portable {

// Sets what WindowsDir() and SystemDir() return (defaults: "C:\Windows" and
// "C:\Windows\system32", which do not exist on Linux).
void SetWindowsDirs(const std::string& windowsDir, const std::string& systemDir);

// Sets what LocalAppDataDir() returns (default: $HOME/.local/share, or "" without HOME).
void SetLocalAppDataDir(const std::string& dir);

// Makes file creation in dir (not below it) fail with "Permission denied", as a
// folder the user may not write to does on Windows (tests run as root, which
// ignores permissions); an empty dir lifts the refusal.
void SetWriteRefusedDir(const std::string& dir);

}  // namespace platform::portable

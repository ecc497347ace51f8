#pragma once

#include <string>

// Test hooks of the portable platform implementation. Linux has no Windows and
// system folders; the portable build imitates them with chosen folders.
namespace platform::portable {

// Sets what WindowsDir() and SystemDir() return (defaults: "C:\Windows" and
// "C:\Windows\system32", which do not exist on Linux).
void SetWindowsDirs(const std::string& windowsDir, const std::string& systemDir);

}  // namespace platform::portable

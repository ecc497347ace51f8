#pragma once

#include <string>
#include <string_view>
#include <vector>

// Stateless helpers of the local scan (and of the version service requests,
// which use IsSingleByteText). Texts and paths are 8-bit in the system code page.
namespace inventory {

// True when every byte of text is a single-byte character of the ANSI code
// page: always on a code page that is not multi-byte; an empty text is true.
bool IsSingleByteText(std::string_view text);

// A registry location value reduced to an install directory: quotes removed
// and trimmed; when that names an existing directory, one trailing "\" is
// removed and the Windows and system directories, and paths containing
// "installshield" or "{" (any case), give "". Text that is not a directory
// is returned cleaned but otherwise unchanged.
std::string ExtractInstallDir(std::string_view value);

// Names (without folder) of the files matching dir\*.exe, hidden and system
// files included, folders never, in the order the system lists them. A
// missing directory gives an empty list.
std::vector<std::string> ListExeFiles(const std::string& dir);

// The file version of the executable at path as "%d.%d.%d.%d" with at most two
// trailing ".0" removed; "" when the file has no readable version.
std::string GetFileVersionText(const std::string& path);

}  // namespace inventory

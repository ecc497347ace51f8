#include "inventory/CommonFuction.h"
#include "inventory/TextRules.h"

#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "platform/VersionResource.h"

namespace inventory {

bool IsSingleByteText(std::string_view text) {
    if (!platform::IsMultiByteCodePage()) return true;
    // The first byte of the lead-byte range is either a lead byte or the
    // trail byte after an odd run of lead bytes: in both cases not single-byte.
    for (const char c : text) {
        if (platform::IsLeadByte(static_cast<unsigned char>(c))) return false;
    }
    return true;
}

std::string ExtractInstallDir(std::string_view value) {
    const std::string windowsDir = LowerAscii(platform::WindowsDir());
    const std::string systemDir = LowerAscii(platform::SystemDir());
    std::string unquoted;
    unquoted.reserve(value.size());
    for (const char c : value) {
        if (c != '"') unquoted += c;
    }
    std::string dir = TrimText(unquoted);
    if (platform::DirectoryExists(dir)) {
        if (!dir.empty() && dir.back() == '\\') dir.pop_back();
        const std::string lower = LowerAscii(dir);
        if (lower == windowsDir || lower == systemDir || ContainsText(lower, "installshield") ||
            ContainsText(lower, "{"))
            dir.clear();
    }
    return dir;
}

// The pattern is always dir, a backslash and *.exe, so an empty dir means the
// root (\*.exe), not the current directory.
std::vector<std::string> ListExeFiles(const std::string& dir) { return platform::ListFiles(dir + "\\", "*.exe"); }

std::string GetFileVersionText(const std::string& path) {
    const auto version = platform::GetFixedFileVersion(path);
    if (!version) return {};
    std::string text =
        std::to_string(version->fileVersionMS >> 16) + "." + std::to_string(version->fileVersionMS & 0xFFFF) + "." +
        std::to_string(version->fileVersionLS >> 16) + "." + std::to_string(version->fileVersionLS & 0xFFFF);
    // Two trailing ".0" at most, so the first two numbers always stay.
    for (int i = 0; i < 2; ++i) {
        if (text.ends_with(".0")) text.resize(text.size() - 2);
    }
    return text;
}

}  // namespace inventory

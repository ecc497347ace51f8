// The fixed file version through the Win32 version API.
#include "platform/VersionResource.h"

#include "WideString.h"

#include <windows.h>

#include <vector>

namespace platform {

std::optional<FixedFileVersion> GetFixedFileVersion(const std::string& path) {
    const std::wstring widePath = win32::Widen(path);
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(widePath.c_str(), &handle);
    if (size == 0 || size > kMaxVersionResourceBytes) return std::nullopt;
    std::vector<unsigned char> block(size);
    if (!GetFileVersionInfoW(widePath.c_str(), 0, size, block.data())) return std::nullopt;
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&info), &length) || info == nullptr ||
        length < sizeof(VS_FIXEDFILEINFO))
        return std::nullopt;
    return FixedFileVersion{info->dwFileVersionMS, info->dwFileVersionLS};
}

}  // namespace platform

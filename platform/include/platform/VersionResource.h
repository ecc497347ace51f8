#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// The version resource of an executable file (its fixed-information block).
namespace platform {

// The largest version resource that is read.
inline constexpr std::size_t kMaxVersionResourceBytes = 1024u * 1024u;

// The file version of a fixed-information block: the most and least
// significant 32-bit words, each holding two 16-bit parts high half first.
struct FixedFileVersion {
    std::uint32_t fileVersionMS = 0;
    std::uint32_t fileVersionLS = 0;
};

// The fixed file version of the file at path; nullopt when the file cannot be
// read, has no version resource, or the resource has no fixed-information
// block. Never throws for a missing or malformed file.
std::optional<FixedFileVersion> GetFixedFileVersion(const std::string& path);

}  // namespace platform

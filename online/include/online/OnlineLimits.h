#pragma once

#include <cstddef>
#include <cstdint>

// The limits of the online version check, in one place.
namespace online::limits {

// Records an online scan covers at most (the first ones of the catalogue).
inline constexpr int kMaxScanRecords = 200;
// Largest reply body either version request accepts; a longer one counts as no reply.
inline constexpr std::int64_t kMaxReplyBodySize = 4 * 1024 * 1024;
// Shortest accepted query reply, after trimming.
inline constexpr std::size_t kMinReplyLength = 40;

}  // namespace online::limits

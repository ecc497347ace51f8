#pragma once

#include <cstddef>

// Sizes and maxima of the XML reader and writer. Every buffer filled from a
// file or stream is bounded by one of these.
namespace xml {

// Output goes to the stream in blocks of at most this many bytes.
inline constexpr std::size_t kWriteBufferSize = 64 * 1024;
// Input is read from the stream in pages of this many bytes.
inline constexpr std::size_t kReadPageSize = 64 * 1024;
// Largest input a load accepts; larger input fails with kMessageInputTooLarge.
inline constexpr std::size_t kMaxInputBytes = std::size_t{256} * 1024 * 1024;
// Deepest nesting of nodes a load accepts; deeper input fails with
// kMessageNestingTooDeep instead of exhausting the stack.
inline constexpr int kMaxNestingDepth = 256;

}  // namespace xml

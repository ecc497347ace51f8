#pragma once

#include <cstddef>
#include <string_view>

namespace xml {

// A sequential byte stream that documents are loaded from and saved to.
class TStream {
public:
    virtual ~TStream() = default;
    TStream() = default;
    TStream(const TStream&) = delete;
    TStream& operator=(const TStream&) = delete;

    // Reads up to size bytes; returns the count read, 0 at the end. May throw.
    virtual std::size_t Read(void* buffer, std::size_t size) = 0;
    // Writes up to size bytes; returns the count accepted (less means failure).
    virtual std::size_t Write(const void* data, std::size_t size) = 0;
    // For a stream that holds all its bytes in memory: sets bytes to the unread
    // bytes, which stay valid while the stream lives, consumes them and returns
    // true. Other streams return false.
    virtual bool TakeAll(std::string_view& bytes) {
        (void)bytes;
        return false;
    }
    // How many bytes are expected to be left to read, 0 when unknown; only a hint.
    virtual std::size_t SizeHint() { return 0; }
};

}  // namespace xml

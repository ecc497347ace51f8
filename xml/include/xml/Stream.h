#pragma once

#include <cstddef>

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
};

}  // namespace xml

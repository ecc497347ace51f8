#pragma once

#include <cstddef>
#include <cstdint>

namespace net {

// Where a reply body goes: bytes appended at the current position. The client
// never asks for more than appending and, when it must drop a body it already
// wrote (a followed redirect), cutting back to an earlier position.
class TNetStream {
public:
    virtual ~TNetStream() = default;
    // Writes size bytes at the current position and moves past them.
    virtual void Write(const char* data, std::size_t size) = 0;
    // The current position (bytes from the start).
    virtual std::int64_t Position() const = 0;
    // Sets the position to pos and cuts the stream there; throws ENetException
    // when the stream cannot go back (a pipe).
    virtual void Truncate(std::int64_t pos) = 0;
};

}  // namespace net

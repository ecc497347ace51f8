#pragma once

#include "xml/Stream.h"

#include <string>
#include <string_view>

namespace xml {

// A stream over bytes held in memory: reads from the start, writes append.
class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    // A stream whose reads deliver bytes.
    explicit TMemoryStream(std::string_view bytes) : m_bytes(bytes) {}

    // Copies the next unread bytes; returns how many.
    std::size_t Read(void* buffer, std::size_t size) override;
    // Appends all bytes; returns size.
    std::size_t Write(const void* data, std::size_t size) override;

    // Every byte held, read or not.
    const std::string& Bytes() const noexcept { return m_bytes; }

private:
    std::string m_bytes;
    std::size_t m_position = 0;
};

}  // namespace xml

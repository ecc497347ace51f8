#pragma once

#include "net/NetStream.h"

#include <string>

namespace net {

// A stream kept in memory as an 8-bit string.
class TNetMemoryStream : public TNetStream {
public:
    // Appends (or overwrites from the position on) size bytes.
    void Write(const char* data, std::size_t size) override;
    // The current position.
    std::int64_t Position() const override { return static_cast<std::int64_t>(m_pos); }
    // Cuts the content at pos (clamped to the size) and moves there.
    void Truncate(std::int64_t pos) override;
    // Moves the position without changing the content (clamped to the size).
    void Seek(std::int64_t pos);
    // The whole content.
    const std::string& Data() const { return m_data; }

private:
    std::string m_data;
    std::size_t m_pos = 0;
};

}  // namespace net

#include "net/NetMemoryStream.h"

#include <algorithm>

namespace net {

void TNetMemoryStream::Write(const char* data, std::size_t size) {
    if (m_pos == m_data.size()) {
        m_data.append(data, size);
    } else {
        const std::size_t overlap = std::min(size, m_data.size() - m_pos);
        m_data.replace(m_pos, overlap, data, size);
    }
    m_pos += size;
}

void TNetMemoryStream::Truncate(std::int64_t pos) {
    const auto p = static_cast<std::size_t>(std::clamp<std::int64_t>(pos, 0, static_cast<std::int64_t>(m_data.size())));
    m_data.resize(p);
    m_pos = p;
}

void TNetMemoryStream::Seek(std::int64_t pos) {
    m_pos = static_cast<std::size_t>(std::clamp<std::int64_t>(pos, 0, static_cast<std::int64_t>(m_data.size())));
}

}  // namespace net

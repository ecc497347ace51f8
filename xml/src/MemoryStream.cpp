#include "xml/MemoryStream.h"

#include <algorithm>
#include <cstring>

namespace xml {

std::size_t TMemoryStream::Read(void* buffer, std::size_t size) {
    const std::size_t count = std::min(size, m_bytes.size() - m_position);
    if (count > 0) std::memcpy(buffer, m_bytes.data() + m_position, count);
    m_position += count;
    return count;
}

std::size_t TMemoryStream::Write(const void* data, std::size_t size) {
    m_bytes.append(static_cast<const char*>(data), size);
    return size;
}

}  // namespace xml

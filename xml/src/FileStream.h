#pragma once

#include "xml/Stream.h"

#include "platform/FileSystem.h"

namespace xml {

// A stream over an open platform file (not owned).
class TFileStream : public TStream {
public:
    explicit TFileStream(platform::File& file) : m_file(file) {}
    // Reads from the file. Throws platform::OsError.
    std::size_t Read(void* buffer, std::size_t size) override { return m_file.Read(buffer, size); }
    // Writes to the file; returns the count accepted.
    std::size_t Write(const void* data, std::size_t size) override { return m_file.Write(data, size); }

private:
    platform::File& m_file;
};

}  // namespace xml

#pragma once

#include "xml/Stream.h"

#include "platform/FileSystem.h"
#include "platform/OsError.h"

namespace xml {

// A stream over an open platform file (not owned).
class TFileStream : public TStream {
public:
    explicit TFileStream(platform::File& file) : m_file(file) {}
    // Reads from the file. Throws platform::OsError.
    std::size_t Read(void* buffer, std::size_t size) override { return m_file.Read(buffer, size); }
    // Writes to the file; returns the count accepted.
    std::size_t Write(const void* data, std::size_t size) override { return m_file.Write(data, size); }

    // The file's size (the reader starts at its beginning); 0 when it cannot be told.
    std::size_t SizeHint() override {
        try {
            return static_cast<std::size_t>(m_file.Size());
        } catch (const platform::OsError&) {
            return 0;
        }
    }

private:
    platform::File& m_file;
};

}  // namespace xml

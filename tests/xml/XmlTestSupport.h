#pragma once

#include "FailAtNth.h"
#include "xml/MemoryStream.h"
#include "xml/XmlDocument.h"

#include <string>
#include <string_view>

namespace xml_test {

// A memory stream whose Nth write fails (accepts nothing), as a full disk would.
class TFailingStream : public xml::TMemoryStream {
public:
    explicit TFailingStream(int failAt) : m_writes(failAt) {}
    std::size_t Write(const void* data, std::size_t size) override {
        if (m_writes.Fails()) return 0;
        return xml::TMemoryStream::Write(data, size);
    }
    int Writes() const { return m_writes.Count(); }

private:
    testing_support::FailAtNth m_writes;
};

// The bytes SaveStream writes for doc.
inline std::string Saved(const xml::TXmlDocument& doc) {
    xml::TMemoryStream out;
    doc.SaveStream(out);
    return out.Bytes();
}

// Loads bytes into doc through a memory stream.
inline void Load(xml::TXmlDocument& doc, std::string_view bytes) {
    xml::TMemoryStream in(bytes);
    doc.LoadStream(in);
}

// The message of the exception E that f throws, or a note that none was thrown.
template <typename E, typename F>
std::string MessageOf(F f) {
    try {
        f();
    } catch (const E& e) {
        return e.what();
    }
    return "<no exception>";
}

// 16-bit units of ASCII/Latin-1 text, little- or big-endian.
inline std::string Wide(std::string_view latin1, bool bigEndian) {
    std::string out;
    for (const char c : latin1) {
        if (bigEndian) out += '\0';
        out += c;
        if (!bigEndian) out += '\0';
    }
    return out;
}

}  // namespace xml_test

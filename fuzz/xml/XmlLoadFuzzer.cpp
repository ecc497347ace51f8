// Loads arbitrary bytes as a document, once with 8-bit and once with UTF-8
// content, and saves whatever loaded to memory. Any exception other than the
// subsystem's own errors, a crash, a hang or a leak is a finding.
#include "xml/MemoryStream.h"
#include "xml/XmlDocument.h"
#include "xml/XmlErrors.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace {

// A stream that hands out a few bytes at a time and does not know its size,
// as a file or pipe might.
class TChunkedStream : public xml::TStream {
public:
    explicit TChunkedStream(std::string_view bytes) : m_bytes(bytes) {}
    std::size_t Read(void* buffer, std::size_t size) override {
        const std::size_t n = std::min({size, m_bytes.size(), std::size_t{7}});
        std::memcpy(buffer, m_bytes.data(), n);
        m_bytes.remove_prefix(n);
        return n;
    }
    std::size_t Write(const void*, std::size_t) override { return 0; }

private:
    std::string_view m_bytes;
};

void LoadAndSave(std::string_view bytes, bool utf8Content, bool parserWarnings) {
    xml::TXmlDocument doc;
    doc.SetUtf8Content(utf8Content);
    doc.SetParserWarnings(parserWarnings);
    try {
        // Memory streams are read in place, other streams page by page: use both.
        if (utf8Content) {
            TChunkedStream in(bytes);
            doc.LoadStream(in);
        } else {
            xml::TMemoryStream in(bytes);
            doc.LoadStream(in);
        }
    } catch (const xml::EGeneralError&) {
        // A failed load keeps what was read; that must save as well.
    }
    for (const xml::TXmlOutputStyle style : {xml::osReadable, xml::osCompact}) {
        doc.SetOutputStyle(style);
        try {
            xml::TMemoryStream out;
            doc.SaveStream(out);
        } catch (const xml::EGeneralError&) {
        }
    }
    // Walk the first records the way the catalogue does.
    if (const xml::TXmlNode* root = doc.RootElement()) {
        for (int i = 0; i < root->ChildCount() && i < 64; ++i) {
            const xml::TXmlNode* record = root->Child(i);
            (void)record->ReadText("Title", "");
            (void)record->GetAttribute("a");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    LoadAndSave(bytes, false, false);
    LoadAndSave(bytes, true, size % 2 == 1);
    return 0;
}

// Loads arbitrary bytes as a document, once with 8-bit and once with UTF-8
// content, and saves whatever loaded to memory. Any exception other than the
// subsystem's own errors, a crash, a hang or a leak is a finding.
#include "xml/MemoryStream.h"
#include "xml/XmlDocument.h"
#include "xml/XmlErrors.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

void LoadAndSave(std::string_view bytes, bool utf8Content, bool parserWarnings) {
    xml::TXmlDocument doc;
    doc.SetUtf8Content(utf8Content);
    doc.SetParserWarnings(parserWarnings);
    try {
        xml::TMemoryStream in(bytes);
        doc.LoadStream(in);
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

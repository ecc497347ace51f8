#pragma once

#include "xml/Stream.h"
#include "xml/XmlDocument.h"
#include "xml/XmlNode.h"

#include <string>
#include <string_view>

namespace xml {

// Turns a document tree into the bytes of a file: lays out each node by the
// document's output style, gathers the text in a 64 KiB buffer and converts it
// to the document's SourceEncoding when the buffer is handed to the stream.
class TXmlWriter {
public:
    TXmlWriter(const TXmlDocument& document, TStream& stream);

    // Writes every top-level node followed by the style's line end, then flushes.
    // Throws EXmlError or EXmlStreamError.
    void WriteDocument();

private:
    void WriteNode(const TXmlNode& node, int depth);
    void WriteElement(const TXmlNode& node, int depth);
    void PutIndent(int depth);
    void Put(std::string_view text);
    void Put(char c) { Put(std::string_view(&c, 1)); }
    // Converts and writes the buffer; last also converts a cut character as it is.
    void Flush(bool last);
    void Emit(std::string_view bytes);

    const TXmlDocument& m_document;
    TStream& m_stream;
    bool m_utf8Writer;
    bool m_readable;
    std::string_view m_innerLineEnd;
    std::string_view m_topLineEnd;
    bool m_started = false;
    std::string m_buffer;
    // A character cut at the end of the buffer, kept for the next conversion.
    std::string m_carry;
    std::string m_converted;
};

}  // namespace xml

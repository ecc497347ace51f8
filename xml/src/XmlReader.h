#pragma once

#include "xml/Stream.h"
#include "xml/XmlDocument.h"
#include "xml/XmlNode.h"
#include "xml/XmlTypes.h"

#include "XmlTextStore.h"

#include <string>
#include <string_view>

namespace xml {

// The forgiving single-pass reader: detects the encoding from the first bytes,
// decodes the input into the document's in-memory form and cuts it into nodes,
// keeping every text exactly as found (entities stay escaped).
class TXmlReader {
public:
    explicit TXmlReader(TXmlDocument& document);

    // Replaces the document's nodes by the content of stream and sets its
    // SourceEncoding and Utf8Content. Throws EXmlError or EXmlStreamError,
    // leaving the nodes read so far.
    void Load(TStream& stream);

private:
    // What Get() returns at the end of the input or at a character 0.
    static constexpr int kEnd = -1;

    void ReadAll(TStream& stream);
    void Decode();
    void SwitchToUtf8();
    void Parse();
    void CheckStructure() const;

    // Where the next character 0 is (m_end if there is none).
    const char* NextZero();
    int Get();
    int SkipWhitespaceAndGet();
    // Reads up to closer; returns the text before it (or up to the end of input).
    std::string_view ReadUpTo(std::string_view closer);
    // Reads a tag up to ">" (or "?>" when questionClose), ignoring closers in quotes.
    std::string_view ReadTag(bool questionClose);

    // Reads one node: skips whitespace, then a markup construct if "<" follows.
    void ReadNode(TXmlNode& node, int depth);
    // Reads the construct whose "<" was just consumed.
    void ReadMarkup(TXmlNode& node, int depth);
    void ReadDoctype(TXmlNode& node, int depth);
    void ReadElementContent(TXmlNode& node, int depth);
    TXmlNode* AppendChecked(TXmlNode& parent, int depth);
    // Sets text to a copy of value kept in the document's text store.
    void Keep(TXmlText& text, std::string_view value) { text.Refer(m_texts.Store(value)); }

    TXmlDocument& m_document;
    TXmlTextStore& m_texts;
    TXmlNode& m_container;
    bool m_utf8Reader;
    TXmlEncoding m_encoding = enAnsi;
    // The input bytes: read into m_raw, or held by the stream itself.
    std::string m_raw;
    std::string_view m_input;
    std::size_t m_rawStart = 0;
    std::string m_decoded;
    const char* m_begin = nullptr;
    const char* m_p = nullptr;
    const char* m_end = nullptr;
    // Whether the text holds a character 0 at all; most text does not need the search.
    bool m_hasZero = true;
    // The next character 0 at or after m_p once found (m_end if none), so that
    // searching for it never scans the same text twice.
    const char* m_zero = nullptr;
};

}  // namespace xml

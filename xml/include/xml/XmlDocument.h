#pragma once

#include "xml/Stream.h"
#include "xml/XmlNode.h"
#include "xml/XmlTypes.h"

#include <memory>
#include <string>
#include <string_view>

namespace xml {

class TXmlNodeStore;
class TXmlTextStore;

// An XML document: a container of top-level nodes (declaration, root element,
// comments ...) with the settings that govern reading and writing it.
class TXmlDocument {
public:
    // An empty document: the declaration and an unnamed root element.
    TXmlDocument();
    // An empty document whose root element is named rootName. Throws EGeneralError for a bad name.
    explicit TXmlDocument(std::string_view rootName);
    ~TXmlDocument();
    TXmlDocument(const TXmlDocument&) = delete;
    TXmlDocument& operator=(const TXmlDocument&) = delete;

    // Restores the default settings (ParserWarnings excepted).
    void SetDefaults();
    // SetDefaults, then replaces all nodes by the declaration and an unnamed root element.
    void Clear();
    // The container whose children are the top-level nodes.
    TXmlNode* Nodes() const noexcept { return m_container.get(); }
    // The first top-level element, or null.
    TXmlNode* RootElement() const noexcept;

    // Writes the document to path. The previous file is replaced only after a complete
    // write. Throws EFCreateError, EXmlError or EXmlStreamError; the file is then unchanged.
    void SaveFile(const std::string& path) const;
    // Writes the document to stream. Throws EXmlError or EXmlStreamError.
    void SaveStream(TStream& stream) const;
    // Replaces the document's nodes by the content of the file at path. Throws
    // EFOpenError, EXmlError or EXmlStreamError; the nodes read so far then remain.
    void LoadFile(const std::string& path);
    // Replaces the document's nodes by the content of stream. Throws EXmlError or
    // EXmlStreamError; the nodes read so far then remain.
    void LoadStream(TStream& stream);

    // Layout of written files (default osCompact).
    TXmlOutputStyle OutputStyle() const noexcept { return m_outputStyle; }
    // Sets the layout of written files.
    void SetOutputStyle(TXmlOutputStyle style) noexcept { m_outputStyle = style; }
    // Indentation unit of osReadable (default two spaces).
    const std::string& IndentText() const noexcept { return m_indentText; }
    // Sets the indentation unit of osReadable.
    void SetIndentText(std::string_view text) { m_indentText.assign(text); }
    // Whether WriteText and WriteInt store values equal to their default (default true).
    bool WriteDefaults() const noexcept { return m_writeDefaults; }
    // Sets whether defaults are written.
    void SetWriteDefaults(bool on) noexcept { m_writeDefaults = on; }
    // Whether strings in memory are UTF-8 rather than the system code page (default false).
    bool Utf8Content() const noexcept { return m_utf8Content; }
    // Sets whether strings in memory are UTF-8.
    void SetUtf8Content(bool on) noexcept { m_utf8Content = on; }
    // Whether empty elements are written as start and end tag (default false).
    bool FullEmptyElements() const noexcept { return m_fullEmptyElements; }
    // Sets whether empty elements are written in full.
    void SetFullEmptyElements(bool on) noexcept { m_fullEmptyElements = on; }
    // Encoding of the file bytes: set by loading, used by saving (default enAnsi).
    TXmlEncoding SourceEncoding() const noexcept { return m_sourceEncoding; }
    // Sets the encoding used by saving.
    void SetSourceEncoding(TXmlEncoding encoding) noexcept { m_sourceEncoding = encoding; }
    // Whether loading checks the top-level structure and saving requires a root (default false).
    bool ParserWarnings() const noexcept { return m_parserWarnings; }
    // Sets the extra structure checks; untouched by SetDefaults.
    void SetParserWarnings(bool on) noexcept { m_parserWarnings = on; }

private:
    friend class TXmlNode;
    friend class TXmlReader;
    friend struct TXmlNodeDeleter;

    // Declared before the container: the nodes go back to the store before it
    // closes, and are gone before the texts they refer to.
    std::unique_ptr<TXmlNodeStore> m_store;
    std::unique_ptr<TXmlTextStore> m_texts;
    std::unique_ptr<TXmlNode> m_container;
    TXmlOutputStyle m_outputStyle = osCompact;
    std::string m_indentText = "  ";
    bool m_writeDefaults = true;
    bool m_utf8Content = false;
    bool m_fullEmptyElements = false;
    TXmlEncoding m_sourceEncoding = enAnsi;
    bool m_parserWarnings = false;
};

}  // namespace xml

#include "XmlWriter.h"

#include "xml/XmlErrors.h"
#include "xml/XmlLimits.h"
#include "xml/XmlMessages.h"

#include "platform/CodePage.h"

#include <algorithm>
#include <cstdint>

namespace xml {
namespace {

bool IsSixteenBit(TXmlEncoding e) { return e == enUtf16Be || e == enUtf16Le || e == enUnicodeBe || e == enUnicodeLe; }
bool IsBigEndian(TXmlEncoding e) { return e == enUtf16Be || e == enUnicodeBe; }

// The byte-order mark written before the first byte of a file in encoding e.
std::string_view ByteOrderMark(TXmlEncoding e) {
    switch (e) {
        case enUcs4Le:
            return std::string_view("\xFF\xFE\x00\x00", 4);
        case enUtf8:
            return "\xEF\xBB\xBF";
        case enUnicodeBe:
            return "\xFE\xFF";
        case enUnicodeLe:
            return "\xFF\xFE";
        default:
            return {};
    }
}

// Length of an unfinished UTF-8 sequence at the end of text (0 when the text
// ends on a character boundary), so a character is never cut between buffers.
std::size_t UnfinishedUtf8Tail(std::string_view text) {
    const std::size_t n = text.size();
    for (std::size_t back = 1; back <= 3 && back <= n; ++back) {
        const auto b = static_cast<unsigned char>(text[n - back]);
        if ((b & 0xC0) == 0x80) continue;  // a continuation byte: look further back
        std::size_t need = 1;
        if ((b & 0xE0) == 0xC0) need = 2;
        if ((b & 0xF0) == 0xE0) need = 3;
        if ((b & 0xF8) == 0xF0) need = 4;
        return need > back ? back : 0;
    }
    return 0;
}

// Length of a lead byte left without its trail byte at the end of text.
std::size_t UnfinishedAnsiTail(std::string_view text) {
    if (!platform::IsMultiByteCodePage()) return 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (platform::IsLeadByte(static_cast<unsigned char>(text[i]))) {
            if (i + 1 == text.size()) return 1;
            i += 2;
        } else {
            ++i;
        }
    }
    return 0;
}

void AppendUnit16(std::string& out, std::uint32_t unit, bool bigEndian) {
    const char hi = static_cast<char>((unit >> 8) & 0xFF);
    const char lo = static_cast<char>(unit & 0xFF);
    if (bigEndian) {
        out += hi;
        out += lo;
    } else {
        out += lo;
        out += hi;
    }
}

void AppendUnit32Le(std::string& out, std::uint32_t unit) {
    for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((unit >> shift) & 0xFF);
}

// Code points of UTF-16 text, pairs of surrogates joined.
template <typename F>
void ForEachCodePoint(std::u16string_view text, F f) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::uint32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00u);
            ++i;
        }
        f(c);
    }
}

}  // namespace

TXmlWriter::TXmlWriter(const TXmlDocument& document, TStream& stream)
    : m_document(document), m_stream(stream), m_utf8Writer(document.Utf8Content()) {
    const TXmlOutputStyle style = document.OutputStyle();
    m_readable = style == osReadable;
    m_innerLineEnd = style == osReadable ? "\r\n" : style == osCompact ? "" : "\n";
    m_topLineEnd = style == osReadable ? "\r\n" : "\n";
    m_buffer.reserve(kWriteBufferSize);
}

void TXmlWriter::WriteDocument() {
    if (m_document.ParserWarnings() && m_document.RootElement() == nullptr)
        throw EXmlError(std::string(kMessageRootNotDefined));
    const TXmlNode& container = *m_document.Nodes();
    for (int i = 0; i < container.ChildCount(); ++i) {
        WriteNode(*container.Child(i), 0);
        Put(m_topLineEnd);
    }
    Flush(true);
}

void TXmlWriter::PutIndent(int depth) {
    if (!m_readable) return;
    for (int i = 0; i < depth; ++i) Put(m_document.IndentText());
}

void TXmlWriter::WriteElement(const TXmlNode& node, int depth) {
    const bool hasChildren = !node.m_children.empty();
    const bool shortForm = node.m_value.Empty() && !hasChildren && !m_document.FullEmptyElements() && depth > 0;
    PutIndent(depth);
    Put('<');
    Put(node.m_name.View());
    for (const std::string& attribute : node.m_attributes) {
        Put(' ');
        Put(attribute);
    }
    if (shortForm) Put('/');
    Put('>');
    Put(node.m_value.View());
    if (hasChildren) Put(m_innerLineEnd);
    const auto& children = node.m_children;
    for (std::size_t i = 0; i < children.size(); ++i) {
        WriteNode(*children[i], depth + 1);
        const bool nextIsCharData = i + 1 < children.size() && children[i + 1]->m_kind == nkCharData;
        if (children[i]->m_kind != nkCharData && !nextIsCharData) Put(m_innerLineEnd);
    }
    if (shortForm) return;
    if (hasChildren) PutIndent(depth);
    Put("</");
    Put(node.m_name.View());
    Put('>');
}

void TXmlWriter::WriteNode(const TXmlNode& node, int depth) {
    const auto putAttributes = [&] {
        for (const std::string& attribute : node.m_attributes) {
            Put(' ');
            Put(attribute);
        }
    };
    // "<!KEYWORD name value>" of the document type and its declarations.
    const auto putNamed = [&](std::string_view keyword) {
        Put(keyword);
        Put(node.m_name.View());
        Put(' ');
        Put(node.m_value.View());
    };
    switch (node.m_kind) {
        case nkElement:
            WriteElement(node, depth);
            return;
        case nkCharData:
            Put(node.m_value.View());
            return;
        default:
            break;
    }
    if (node.m_kind > nkUnknown) throw EXmlError(std::string(kMessageIllegalElementType));
    PutIndent(depth);
    switch (node.m_kind) {
        case nkComment:
            Put("<!--"), Put(node.m_value.View()), Put("-->");
            break;
        case nkCData:
            Put("<![CDATA["), Put(node.m_value.View()), Put("]]>");
            break;
        case nkDeclaration:
            Put("<?xml"), putAttributes(), Put("?>");
            break;
        case nkStylesheet:
            Put("<?xml-stylesheet"), putAttributes(), Put("?>");
            break;
        case nkDoctype:
            putNamed("<!DOCTYPE ");
            if (node.m_children.empty()) {
                Put('>');
                break;
            }
            Put(" [");
            Put(m_innerLineEnd);
            for (const auto& child : node.m_children) {
                WriteNode(*child, depth + 1);
                Put(m_innerLineEnd);
            }
            Put("]>");
            break;
        case nkDtdElement:
            putNamed("<!ELEMENT "), Put('>');
            break;
        case nkDtdAttList:
            putNamed("<!ATTLIST "), Put('>');
            break;
        case nkDtdEntity:
            putNamed("<!ENTITY "), Put('>');
            break;
        case nkDtdNotation:
            putNamed("<!NOTATION "), Put('>');
            break;
        case nkExclam:
            Put("<!"), Put(node.m_value.View()), Put('>');
            break;
        case nkQuestion:
            Put("<?"), Put(node.m_value.View()), Put("?>");
            break;
        case nkUnknown:
            Put('<'), Put(node.m_value.View()), Put('>');
            break;
        default:
            break;
    }
}

void TXmlWriter::PutSlow(std::string_view text) {
    if (!m_started) {
        // The first write decides whether the encoding can be written at all.
        m_started = true;
        const TXmlEncoding e = m_document.SourceEncoding();
        if (e != enAnsi && e != enUtf8 && e != enUcs4Le && !IsSixteenBit(e))
            throw EXmlStreamError(std::string(kMessageUnsupportedEncoding));
        const std::string_view mark = ByteOrderMark(e);
        if (!mark.empty()) Emit(mark);
    }
    while (!text.empty()) {
        const std::size_t room = kWriteBufferSize - m_buffer.size();
        const std::size_t take = std::min(room, text.size());
        m_buffer.append(text.data(), take);
        text.remove_prefix(take);
        if (m_buffer.size() == kWriteBufferSize) Flush(false);
    }
}

void TXmlWriter::Flush(bool last) {
    if (m_buffer.empty() && m_carry.empty()) return;
    const TXmlEncoding e = m_document.SourceEncoding();
    const bool verbatim = (!m_utf8Writer && e == enAnsi) || (m_utf8Writer && e == enUtf8);
    if (verbatim) {
        Emit(m_buffer);
        m_buffer.clear();
        return;
    }
    std::string text = m_carry + m_buffer;
    m_buffer.clear();
    m_carry.clear();
    std::string& out = m_converted;
    out.clear();
    if (!m_utf8Writer) {
        if (e == enUtf8) {
            const std::size_t cut = last ? 0 : UnfinishedAnsiTail(text);
            m_carry.assign(text, text.size() - cut, cut);
            text.resize(text.size() - cut);
            out = platform::Utf16ToUtf8(platform::AnsiToUtf16(text));
        } else {
            // Each 8-bit character becomes one unit holding its byte value.
            for (const char c : text) {
                const auto unit = static_cast<unsigned char>(c);
                if (e == enUcs4Le) {
                    AppendUnit32Le(out, unit);
                } else {
                    AppendUnit16(out, unit, IsBigEndian(e));
                }
            }
        }
    } else {
        const std::size_t cut = last ? 0 : UnfinishedUtf8Tail(text);
        m_carry.assign(text, text.size() - cut, cut);
        text.resize(text.size() - cut);
        const std::u16string wide = platform::Utf8ToUtf16(text);
        if (e == enAnsi) {
            // A character beyond 16 bits has no code-page form: one "?" for it,
            // not one per surrogate.
            std::u16string bmp;
            bmp.reserve(wide.size());
            ForEachCodePoint(wide, [&](std::uint32_t c) { bmp += c > 0xFFFF ? u'?' : static_cast<char16_t>(c); });
            out = platform::Utf16ToAnsi(bmp);
        } else if (e == enUcs4Le) {
            ForEachCodePoint(wide, [&](std::uint32_t c) { AppendUnit32Le(out, c); });
        } else {
            for (const char16_t unit : wide) AppendUnit16(out, unit, IsBigEndian(e));
        }
    }
    Emit(out);
}

void TXmlWriter::Emit(std::string_view bytes) {
    while (!bytes.empty()) {
        const std::size_t block = std::min(bytes.size(), kWriteBufferSize);
        if (m_stream.Write(bytes.data(), block) != block) throw EXmlStreamError(std::string(kMessageCannotWrite));
        bytes.remove_prefix(block);
    }
}

}  // namespace xml

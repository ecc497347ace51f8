#include "XmlReader.h"

#include "platform/MessageText.h"
#include "xml/XmlErrors.h"
#include "xml/XmlLimits.h"
#include "xml/XmlMessages.h"

#include "platform/AsciiText.h"
#include "platform/CodePage.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace xml {
namespace {

bool IsSpace(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
// Trimming removes every character with a code from 0 to 32.
using platform::TrimView;

bool StartsWith(const char* p, const char* end, std::string_view prefix) {
    return static_cast<std::size_t>(end - p) >= prefix.size() && std::memcmp(p, prefix.data(), prefix.size()) == 0;
}

struct TSignature {
    std::string_view bytes;
    TXmlEncoding encoding;
    bool mark;
};

// Byte-order marks and signatures, tried in this order against the first bytes.
const std::array<TSignature, 15> kSignatures = {{
    {std::string_view("\x00\x00\xFE\xFF", 4), enUcs4Be, true},
    {std::string_view("\xFF\xFE\x00\x00", 4), enUcs4Le, true},
    {std::string_view("\x00\x00\xFF\xFE", 4), enUcs4_2143, true},
    {std::string_view("\xFE\xFF\x00\x00", 4), enUcs4_3412, true},
    {std::string_view("\xFE\xFF", 2), enUnicodeBe, true},
    {std::string_view("\xFF\xFE", 2), enUnicodeLe, true},
    {std::string_view("\xEF\xBB\xBF", 3), enUtf8, true},
    {std::string_view("\x00\x00\x00\x3C", 4), enUcs4Be, false},
    {std::string_view("\x3C\x00\x00\x00", 4), enUcs4Le, false},
    {std::string_view("\x00\x00\x3C\x00", 4), enUcs4_2143, false},
    {std::string_view("\x00\x3C\x00\x00", 4), enUcs4_3412, false},
    {std::string_view("\x00\x3C\x00\x3F", 4), enUnicodeBe, false},
    {std::string_view("\x3C\x00\x3F\x00", 4), enUnicodeLe, false},
    {std::string_view("\x3C\x3F\x78\x6D", 4), enAnsi, false},
    {std::string_view("\x4C\x6F\xA7\x94", 4), enEbcdic, false},
}};

bool IsSixteenBit(TXmlEncoding e) { return e == enUtf16Be || e == enUtf16Le || e == enUnicodeBe || e == enUnicodeLe; }
bool IsBigEndian(TXmlEncoding e) { return e == enUtf16Be || e == enUnicodeBe; }

// 8-bit text in the system code page as UTF-8. When stopAt is reached in the
// output, stops and returns in *rawUsed how many input bytes gave it.
std::string AnsiToUtf8(std::string_view raw, std::size_t stopAt, std::size_t* rawUsed) {
    std::array<std::string, 256> single;
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        single[static_cast<std::size_t>(b)] = platform::Utf16ToUtf8(platform::AnsiToUtf16(std::string_view(&c, 1)));
    }
    std::string out;
    out.reserve(raw.size());
    std::size_t i = 0;
    while (i < raw.size() && out.size() < stopAt) {
        const auto b = static_cast<unsigned char>(raw[i]);
        if (platform::IsLeadByte(b) && i + 1 < raw.size()) {
            out += platform::Utf16ToUtf8(platform::AnsiToUtf16(raw.substr(i, 2)));
            i += 2;
        } else {
            out += single[b];
            ++i;
        }
    }
    if (rawUsed != nullptr) *rawUsed = i;
    return out;
}

}  // namespace

TXmlReader::TXmlReader(TXmlDocument& document)
    : m_document(document),
      m_texts(*document.m_texts),
      m_container(*document.Nodes()),
      m_utf8Reader(document.Utf8Content()) {}

void TXmlReader::Load(TStream& stream) {
    m_container.DeleteChildren();
    // No node refers to the texts of an earlier load any more.
    m_texts.Clear();
    ReadAll(stream);
    Decode();
    Parse();
    m_document.SetSourceEncoding(m_encoding);
    // A declared UTF-8 flags the text as UTF-8 only where it is: 16-bit input
    // keeps its 16-bit decoding, and the 8-bit reader made 8-bit text of it.
    const TXmlNode* first = m_container.Child(0);
    const bool declaresUtf8 = first != nullptr && first->Kind() == nkDeclaration &&
                              first->GetAttribute("encoding") == "UTF-8" && !IsSixteenBit(m_encoding);
    if (m_encoding == enUtf8 || declaresUtf8) m_document.SetUtf8Content(true);
}

void TXmlReader::ReadAll(TStream& stream) {
    // A stream that holds its bytes in memory is read where it is.
    std::string_view held;
    if (stream.TakeAll(held)) {
        if (held.size() > kMaxInputBytes) throw EXmlError(std::string(kMessageInputTooLarge));
        m_input = held;
        return;
    }
    // Pages of at most kReadPageSize, into room made once for a stream that
    // knows its size and grown page by page otherwise.
    const std::size_t hint = std::min(stream.SizeHint(), kMaxInputBytes);
    m_raw.resize(hint > 0 ? hint + 1 : kReadPageSize);
    std::size_t size = 0;
    for (;;) {
        if (size == m_raw.size()) m_raw.resize(size + kReadPageSize);
        const std::size_t got = stream.Read(m_raw.data() + size, std::min(kReadPageSize, m_raw.size() - size));
        if (got == 0) break;
        size += got;
        if (size > kMaxInputBytes) throw EXmlError(std::string(kMessageInputTooLarge));
    }
    m_raw.resize(size);
    m_input = m_raw;
}

void TXmlReader::Decode() {
    const std::string_view head = m_input.substr(0, 4);
    m_encoding = enAnsi;
    m_rawStart = 0;
    for (const TSignature& s : kSignatures) {
        if (head.size() >= s.bytes.size() && head.substr(0, s.bytes.size()) == s.bytes) {
            m_encoding = s.encoding;
            if (s.mark) m_rawStart = s.bytes.size();
            break;
        }
    }
    if (m_encoding != enAnsi && m_encoding != enUtf8 && !IsSixteenBit(m_encoding))
        throw EXmlStreamError(std::string(kMessageUnsupportedEncoding));
    const std::string_view raw = m_input.substr(m_rawStart);
    std::string_view text = raw;
    if (IsSixteenBit(m_encoding)) {
        const bool bigEndian = IsBigEndian(m_encoding);
        std::u16string units;
        units.reserve(raw.size() / 2);
        for (std::size_t i = 0; i + 1 < raw.size(); i += 2) {
            const auto b0 = static_cast<unsigned char>(raw[i]);
            const auto b1 = static_cast<unsigned char>(raw[i + 1]);
            units += static_cast<char16_t>(bigEndian ? (b0 << 8) | b1 : (b1 << 8) | b0);
        }
        if (m_utf8Reader) {
            m_decoded = platform::Utf16ToUtf8(units);
        } else {
            // The 8-bit form keeps each unit's low byte; wider units cannot be held.
            m_decoded.resize(units.size());
            for (std::size_t i = 0; i < units.size(); ++i)
                m_decoded[i] = units[i] > 0xFF ? '?' : static_cast<char>(units[i]);
        }
        text = m_decoded;
    } else if (m_encoding == enAnsi && m_utf8Reader) {
        m_decoded = AnsiToUtf8(raw, std::string::npos, nullptr);
        text = m_decoded;
    }
    m_begin = text.data();
    m_p = m_begin;
    m_end = m_begin + text.size();
    m_hasZero = text.find('\0') != std::string_view::npos;
    m_zero = nullptr;
}

void TXmlReader::SwitchToUtf8() {
    if (m_encoding != enAnsi) return;  // only 8-bit input can be re-read as UTF-8
    m_encoding = enUtf8;
    if (!m_utf8Reader) return;  // the 8-bit form of both is the bytes themselves
    // The rest of the input was converted from the code page; take its bytes
    // as they are from the point reached.
    std::size_t rawUsed = 0;
    const std::string_view raw = m_input.substr(m_rawStart);
    AnsiToUtf8(raw, static_cast<std::size_t>(m_p - m_begin), &rawUsed);
    m_decoded.clear();
    m_begin = raw.data() + rawUsed;
    m_p = m_begin;
    m_end = raw.data() + raw.size();
    m_hasZero = std::memchr(m_p, 0, static_cast<std::size_t>(m_end - m_p)) != nullptr;
    m_zero = nullptr;
}

int TXmlReader::Get() {
    if (m_p == m_end) return kEnd;
    const auto c = static_cast<unsigned char>(*m_p++);
    return c == 0 ? kEnd : c;
}

int TXmlReader::SkipWhitespaceAndGet() {
    int c = Get();
    while (IsSpace(c)) c = Get();
    return c;
}

const char* TXmlReader::NextZero() {
    if (!m_hasZero) return m_end;
    if (m_zero == nullptr || m_zero < m_p) {
        const void* zero = std::memchr(m_p, 0, static_cast<std::size_t>(m_end - m_p));
        m_zero = zero != nullptr ? static_cast<const char*>(zero) : m_end;
    }
    return m_zero;
}

std::string_view TXmlReader::ReadUpTo(std::string_view closer) {
    // Only the text before the next character 0 is searched, which reads as
    // the end of the input; each construct costs its own length.
    const char* start = m_p;
    const char* limit = NextZero();
    const std::string_view window(start, static_cast<std::size_t>(limit - start));
    const std::size_t at = window.find(closer);
    if (at != std::string_view::npos) {
        m_p = start + at + closer.size();
        return window.substr(0, at);
    }
    m_p = limit == m_end ? m_end : limit + 1;  // a character 0 is consumed as the end
    return window;
}

std::string_view TXmlReader::ReadTag(bool questionClose) {
    const char* start = m_p;
    char quote = 0;
    for (const char* p = m_p; p != m_end; ++p) {
        const char c = *p;
        if (c == 0) {
            m_p = p + 1;
            return std::string_view(start, static_cast<std::size_t>(p - start));
        }
        if (quote != 0) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (!questionClose && c == '>') {
            m_p = p + 1;
            return std::string_view(start, static_cast<std::size_t>(p - start));
        } else if (questionClose && c == '?' && p + 1 != m_end && p[1] == '>') {
            m_p = p + 2;
            return std::string_view(start, static_cast<std::size_t>(p - start));
        }
    }
    m_p = m_end;
    return std::string_view(start, static_cast<std::size_t>(m_end - start));
}

namespace {

// The words of a tag: split at whitespace outside quotes; "=" and a quoted
// value are joined to the word they belong to, so name = "v" is one word.
std::vector<std::string> SplitWords(std::string_view text) {
    std::vector<std::string> words;
    bool lastHasEquals = false;  // kept, not searched for again: long joined words stay linear
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && IsSpace(static_cast<unsigned char>(text[i]))) ++i;
        if (i == text.size()) break;
        const std::size_t start = i;
        char quote = 0;
        while (i < text.size()) {
            const char c = text[i];
            if (quote != 0) {
                if (c == quote) quote = 0;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (IsSpace(static_cast<unsigned char>(c))) {
                break;
            }
            ++i;
        }
        const std::string_view word = text.substr(start, i - start);
        const bool quoted = word.front() == '"' || word.front() == '\'';
        const bool joins = !words.empty() && (word.front() == '=' || (quoted && lastHasEquals));
        const bool hasEquals = word.find('=') != std::string_view::npos;
        if (joins) {
            words.back() += word;
            lastHasEquals = lastHasEquals || hasEquals;
        } else {
            words.emplace_back(word);
            lastHasEquals = hasEquals;
        }
    }
    return words;
}

// The first word of text and what follows it, trimmed.
std::pair<std::string_view, std::string_view> FirstWordAndRest(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsSpace(static_cast<unsigned char>(text[i]))) ++i;
    const std::size_t start = i;
    while (i < text.size() && !IsSpace(static_cast<unsigned char>(text[i]))) ++i;
    return {text.substr(start, i - start), TrimView(text.substr(i))};
}

bool IsEmptyNode(const TXmlNode& node) {
    return node.Name().empty() && node.Value().empty() && node.ChildCount() == 0 && node.AttributeCount() == 0;
}

}  // namespace

void TXmlReader::Parse() {
    while (m_p != m_end) {
        TXmlNode* node = m_container.AppendNode(nkElement);
        ReadNode(*node, 0);
        if (node->m_kind == nkDeclaration && node->GetAttribute("encoding") == "UTF-8") SwitchToUtf8();
        if (IsEmptyNode(*node)) m_container.m_children.pop_back();
    }
    bool hasElement = false;
    for (const auto& node : m_container.m_children) hasElement = hasElement || node->m_kind == nkElement;
    if (!hasElement) throw EXmlError(std::string(kMessageNoRoot));
    if (m_document.ParserWarnings()) CheckStructure();
}

void TXmlReader::CheckStructure() const {
    const auto& nodes = m_container.m_children;
    int roots = 0, declarations = 0, doctypes = 0;
    std::size_t lastRoot = 0, doctypeAt = 0, declarationAt = 0;
    bool cdata = false;
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        switch (nodes[i]->m_kind) {
            case nkElement:
                ++roots, lastRoot = i;
                break;
            case nkDeclaration:
                ++declarations, declarationAt = i;
                break;
            case nkDoctype:
                ++doctypes, doctypeAt = i;
                break;
            case nkCData:
                cdata = true;
                break;
            default:
                break;
        }
    }
    if (roots > 1) throw EXmlError(std::string(kMessageMoreThanOneRoot));
    if (declarations > 1) throw EXmlError(std::string(kMessageMoreThanOneDeclaration));
    if (declarations == 1 && declarationAt != 0) throw EXmlError(std::string(kMessageDeclarationNotFirst));
    if (doctypes > 1) throw EXmlError(std::string(kMessageMoreThanOneDoctype));
    if (doctypes == 1 && doctypeAt > lastRoot) throw EXmlError(std::string(kMessageDoctypeAfterRoot));
    if (cdata) throw EXmlError(std::string(kMessageCDataInRoot));
}

void TXmlReader::ReadNode(TXmlNode& node, int depth) {
    if (SkipWhitespaceAndGet() != '<') return;  // whitespace and stray characters leave the node empty
    ReadMarkup(node, depth);
}

TXmlNode* TXmlReader::AppendChecked(TXmlNode& parent, int depth) {
    // Depth is bounded so that hostile input cannot exhaust the stack of this
    // recursive reader (nor of the writer and destructor that follow the tree).
    if (depth > kMaxNestingDepth)
        throw EXmlError(platform::FillMessage(kMessageNestingTooDeep, {parent.m_name.View()}));
    return parent.AppendNode(nkElement);
}

void TXmlReader::ReadMarkup(TXmlNode& node, int depth) {
    // The longest opener that matches decides the construct; its content starts
    // right after the opener.
    struct TOpener {
        std::string_view text;
        TXmlNodeKind kind;
        std::string_view name;
    };
    static constexpr std::array<TOpener, 11> kOpeners = {{
        {"![CDATA[", nkCData, "CData"},
        {"!DOCTYPE", nkDoctype, ""},
        {"!ELEMENT", nkDtdElement, ""},
        {"!ATTLIST", nkDtdAttList, ""},
        {"!ENTITY", nkDtdEntity, ""},
        {"!NOTATION", nkDtdNotation, ""},
        {"?xml-stylesheet", nkStylesheet, "xml-stylesheet"},
        {"?xml", nkDeclaration, "xml"},
        {"!--", nkComment, "Comment"},
        {"!", nkExclam, "Special"},
        {"?", nkQuestion, "Special"},
    }};
    const TOpener* opener = nullptr;
    if (m_p != m_end && (*m_p == '!' || *m_p == '?')) {
        for (const TOpener& o : kOpeners) {
            if (StartsWith(m_p, m_end, o.text)) {
                opener = &o;
                break;
            }
        }
    }
    if (opener == nullptr) {
        // An element.
        std::string_view tag = ReadTag(false);
        bool empty = false;
        if (!tag.empty() && tag.back() == '/') {
            tag.remove_suffix(1);
            empty = true;
        }
        bool simple = !tag.empty();
        for (const char c : tag) simple = simple && !IsSpace(static_cast<unsigned char>(c)) && c != '"' && c != '\'';
        if (simple) {
            Keep(node.m_name, tag);
        } else {
            std::vector<std::string> words = SplitWords(tag);
            if (words.empty()) throw EXmlError(std::string(kMessageMissingElementName));
            node.m_name.Take(std::move(words.front()));
            node.m_attributes.assign(std::make_move_iterator(words.begin() + 1), std::make_move_iterator(words.end()));
        }
        if (!empty) ReadElementContent(node, depth);
        return;
    }
    m_p += opener->text.size();
    node.m_kind = opener->kind;
    node.m_name.Refer(opener->name);  // a constant: lives as long as the program
    switch (opener->kind) {
        case nkCData:
            Keep(node.m_value, ReadUpTo("]]>"));
            break;
        case nkComment:
            Keep(node.m_value, ReadUpTo("-->"));
            break;
        case nkExclam:
            Keep(node.m_value, ReadUpTo(">"));
            break;
        case nkQuestion:
            Keep(node.m_value, ReadUpTo("?>"));
            break;
        case nkDoctype:
            ReadDoctype(node, depth);
            break;
        case nkDtdElement:
        case nkDtdAttList:
        case nkDtdEntity:
        case nkDtdNotation: {
            const auto [name, rest] = FirstWordAndRest(ReadUpTo(">"));
            Keep(node.m_name, name);
            Keep(node.m_value, rest);
            break;
        }
        case nkDeclaration:
        case nkStylesheet: {
            const std::string_view tag = ReadTag(true);
            node.m_attributes = SplitWords(tag);
            if (opener->kind == nkStylesheet) Keep(node.m_value, TrimView(tag));
            break;
        }
        default:
            break;
    }
}

void TXmlReader::ReadDoctype(TXmlNode& node, int depth) {
    const char* start = m_p;
    while (m_p != m_end && *m_p != 0 && *m_p != '>' && *m_p != '[') ++m_p;
    const std::string_view content(start, static_cast<std::size_t>(m_p - start));
    const bool subset = m_p != m_end && *m_p == '[';
    if (m_p != m_end) ++m_p;  // the closer, or a character 0 read as the end
    const auto [name, rest] = FirstWordAndRest(content);
    Keep(node.m_name, name);
    std::string value(rest);
    for (char& c : value) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    node.m_value.Assign(TrimView(value));
    if (!subset) return;
    // The internal subset: declarations up to "]", then the final ">".
    for (;;) {
        const int c = SkipWhitespaceAndGet();
        if (c == kEnd) return;
        if (c == ']') {
            ReadUpTo(">");
            return;
        }
        if (c != '<') continue;  // parameter references and strays are dropped
        TXmlNode* child = AppendChecked(node, depth + 1);
        ReadMarkup(*child, depth + 1);
        if (IsEmptyNode(*child)) node.m_children.pop_back();
    }
}

void TXmlReader::ReadElementContent(TXmlNode& node, int depth) {
    bool hadElementChild = false;
    bool crAfterLastElement = false;
    // Text between markup is a child of kind nkCharData unless it is only
    // whitespace; the first such child becomes the element's own value below.
    const auto flushText = [&](std::string_view text, bool atEnd) {
        if (hadElementChild && text.find('\r') != std::string_view::npos) crAfterLastElement = true;
        if (TrimView(text).empty()) return;
        if (atEnd && node.m_children.empty()) {
            Keep(node.m_value, text);  // the common case: the text is the value
            return;
        }
        TXmlNode* text_node = node.AppendNode(nkCharData);
        Keep(text_node->m_value, text);
    };
    for (;;) {
        const std::size_t left = static_cast<std::size_t>(m_end - m_p);
        const void* lt = std::memchr(m_p, '<', left);
        const char* limit = lt != nullptr ? static_cast<const char*>(lt) : m_end;
        if (lt == nullptr || NextZero() < limit)
            throw EXmlError(platform::FillMessage(kMessageMissingCloseTag, {node.m_name.View()}));
        const std::string_view text(m_p, static_cast<std::size_t>(limit - m_p));
        m_p = limit + 1;
        const int c = SkipWhitespaceAndGet();
        if (c == kEnd) throw EXmlError(platform::FillMessage(kMessageMissingDataAfterLt, {node.m_name.View()}));
        if (c == '/') {
            const char* start = m_p;
            const std::size_t rest = static_cast<std::size_t>(m_end - m_p);
            const void* gt = std::memchr(m_p, '>', rest);
            if (gt == nullptr || NextZero() < static_cast<const char*>(gt))
                throw EXmlError(platform::FillMessage(kMessageMissingGtInCloseTag, {node.m_name.View()}));
            m_p = static_cast<const char*>(gt) + 1;
            const std::string_view closeName =
                TrimView(std::string_view(start, static_cast<std::size_t>(m_p - 1 - start)));
            if (!SameNodeName(closeName, node.m_name.View()))
                throw EXmlError(platform::FillMessage(kMessageIncorrectCloseTag, {node.m_name.View()}));
            flushText(text, true);
            break;
        }
        flushText(text, false);
        --m_p;  // the character after "<" starts the child's opener
        TXmlNode* child = AppendChecked(node, depth + 1);
        ReadMarkup(*child, depth + 1);
        if (child->m_kind == nkElement) {
            hadElementChild = true;
            crAfterLastElement = false;
        }
    }
    auto& children = node.m_children;
    if (hadElementChild && crAfterLastElement) {
        for (const auto& child : children) {
            if (child->m_kind != nkCharData) continue;
            const std::string_view value = child->m_value.View();
            std::size_t size = value.size();
            while (size > 0 && (value[size - 1] == '\r' || value[size - 1] == '\n' || value[size - 1] == ' ')) --size;
            child->m_value.Truncate(size);
        }
    }
    if (!children.empty() && children.front()->m_kind == nkCharData) {
        node.m_value = std::move(children.front()->m_value);
        children.erase(children.begin());
    }
}

}  // namespace xml

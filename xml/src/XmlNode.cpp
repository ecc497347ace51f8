#include "xml/XmlNode.h"

#include "platform/MessageText.h"
#include "xml/XmlDocument.h"
#include "xml/XmlErrors.h"
#include "xml/XmlEscape.h"
#include "xml/XmlMessages.h"

#include "XmlNodeStore.h"

#include "platform/AsciiText.h"
#include "platform/CodePage.h"

#include <algorithm>
#include <new>
#include <string>

namespace xml {
namespace {

bool IsNameWhitespace(char c) { return c == '\t' || c == '\n' || c == '\r' || c == ' '; }

// Plain ASCII letters, digits and a few name punctuation marks compare the
// same under every locale's case-insensitive rules, so they need no locale call.
bool IsPlainNameChar(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '.' ||
           c == ':';
}

void CheckName(std::string_view name) {
    if (std::any_of(name.begin(), name.end(), IsNameWhitespace))
        throw EGeneralError(platform::FillMessage(kMessageIllegalNameChar, {name}));
}

}  // namespace

bool SameNodeName(std::string_view a, std::string_view b) {
    // Where both names hold only plain characters, the answer is settled here;
    // a mismatch between two plain characters settles it as well. Anything
    // else goes to the locale's comparison.
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[i]);
        if (ca == cb && ca < 0x80) continue;
        if (!IsPlainNameChar(ca) || !IsPlainNameChar(cb)) return platform::AnsiSameText(a, b);
        if (platform::UpperAsciiChar(a[i]) != platform::UpperAsciiChar(b[i])) return false;
    }
    if (a.size() == b.size()) return true;
    const auto next = static_cast<unsigned char>(a.size() > n ? a[n] : b[n]);
    if (IsPlainNameChar(next)) return false;
    return platform::AnsiSameText(a, b);
}

TXmlNode::TXmlNode(TXmlDocument* document) : m_document(document) {}

TXmlNode::~TXmlNode() = default;

void TXmlNode::SetName(std::string_view name) {
    if (name == m_name.View()) return;
    CheckName(name);
    m_name.Assign(name);
}

int TXmlNode::Depth() const noexcept {
    int depth = -1;
    for (const TXmlNode* p = m_parent; p != nullptr; p = p->m_parent) ++depth;
    return depth;
}

TXmlNode* TXmlNode::Child(int index) const noexcept {
    if (index < 0 || index >= ChildCount()) return nullptr;
    return m_children[static_cast<std::size_t>(index)].get();
}

TXmlNode* TXmlNode::AppendNode(TXmlNodeKind kind) {
    if (m_children.empty()) m_children.reserve(4);  // records have several fields: skip the smallest steps
    void* memory = m_document != nullptr ? m_document->m_store->Allocate() : ::operator new(sizeof(TXmlNode));
    std::unique_ptr<TXmlNode, TXmlNodeDeleter> node(new (memory) TXmlNode(m_document));
    node->m_kind = kind;
    node->m_parent = this;
    m_children.push_back(std::move(node));
    return m_children.back().get();
}

TXmlNode* TXmlNode::AddChild(std::string_view name) { return AddChild(name, nkElement); }

TXmlNode* TXmlNode::AddChild(std::string_view name, TXmlNodeKind kind) {
    // The name is checked before anything is added, so a bad name adds nothing.
    CheckName(name);
    TXmlNode* node = AppendNode(kind);
    node->m_name.Assign(name);
    return node;
}

void TXmlNodeDeleter::operator()(TXmlNode* node) const noexcept {
    TXmlDocument* document = node->m_document;
    node->~TXmlNode();
    if (document != nullptr) {
        document->m_store->Release(node);
    } else {
        ::operator delete(node);
    }
}

void TXmlNode::DeleteChildren() noexcept { m_children.clear(); }

int TXmlNode::IndexOfChild(std::string_view name) const {
    for (std::size_t i = 0; i < m_children.size(); ++i) {
        if (SameNodeName(m_children[i]->m_name.View(), name)) return static_cast<int>(i);
    }
    return -1;
}

TXmlNode* TXmlNode::FindChild(std::string_view name) const { return Child(IndexOfChild(name)); }

TXmlNode* TXmlNode::FindOrAddChild(std::string_view name) {
    TXmlNode* child = FindChild(name);
    return child != nullptr ? child : AddChild(name);
}

void TXmlNode::SetText(std::string_view text) { m_value.Take(EscapeText(text)); }

std::string TXmlNode::GetText() const {
    if (m_document != nullptr && m_document->Utf8Content()) return UnescapeTextUtf8(m_value.View());
    return UnescapeText(m_value.View());
}

std::string TXmlNode::ReadText(std::string_view name, std::string_view def) const {
    const TXmlNode* child = FindChild(name);
    return child != nullptr ? child->GetText() : std::string(def);
}

void TXmlNode::WriteText(std::string_view name, std::string_view value, std::string_view def) {
    const bool writeDefaults = m_document == nullptr || m_document->WriteDefaults();
    if (writeDefaults || value != def) FindOrAddChild(name)->SetText(value);
}

void TXmlNode::WriteInt(std::string_view name, int value, int def) {
    const bool writeDefaults = m_document == nullptr || m_document->WriteDefaults();
    if (writeDefaults || value != def) FindOrAddChild(name)->SetText(std::to_string(value));
}

void TXmlNode::AddAttribute(std::string_view name, std::string_view value) {
    std::string entry(name);
    entry += '=';
    entry += Quote(EscapeText(value));
    m_attributes.push_back(std::move(entry));
}

std::string TXmlNode::GetAttribute(std::string_view name) const {
    for (const std::string& entry : m_attributes) {
        const std::size_t eq = entry.find('=');
        const std::string_view entryName = std::string_view(entry).substr(0, eq);
        if (!SameNodeName(entryName, name)) continue;
        if (eq == std::string::npos) return std::string();
        const std::string value = Unquote(std::string_view(entry).substr(eq + 1));
        if (m_document != nullptr && m_document->Utf8Content()) return UnescapeTextUtf8(value);
        return UnescapeText(value);
    }
    return std::string();
}

}  // namespace xml

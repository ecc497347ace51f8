#pragma once

#include "xml/XmlText.h"
#include "xml/XmlTypes.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace xml {

class TXmlDocument;
class TXmlNode;

// Frees a child node back to where it was allocated: its document's node store,
// or the heap for nodes without a document.
struct TXmlNodeDeleter {
    void operator()(TXmlNode* node) const noexcept;
};

// One node of a document tree. A node owns its children; pointers handed out
// stay valid until the node's parent or document is cleared or destroyed.
// Values are kept escaped exactly as in the file and unescaped on reading.
// Names and values of a loaded document stay in the document's text store
// until Name() or Value() asks for them as strings: a document is not read
// from two threads at once.
class TXmlNode {
public:
    // A node of kind nkElement with no name, belonging to document (may be null).
    explicit TXmlNode(TXmlDocument* document);
    ~TXmlNode();
    TXmlNode(const TXmlNode&) = delete;
    TXmlNode& operator=(const TXmlNode&) = delete;

    // The document whose settings apply; null for a free node.
    TXmlDocument* Document() const noexcept { return m_document; }
    // The parent node; null for a document's top-level container.
    TXmlNode* Parent() const noexcept { return m_parent; }
    // What the node is.
    TXmlNodeKind Kind() const noexcept { return m_kind; }
    // Changes what the node is; any byte is kept, the writer refuses unknown kinds.
    void SetKind(TXmlNodeKind kind) noexcept { m_kind = kind; }
    // Element or instruction name.
    const std::string& Name() const { return m_name.AsString(); }
    // Renames the node. Throws EGeneralError when name holds a TAB, LF, CR or space.
    void SetName(std::string_view name);
    // The stored (escaped) text.
    const std::string& Value() const { return m_value.AsString(); }
    // Stores value as it is, without escaping.
    void SetValue(std::string_view value) { m_value.Assign(value); }
    // A number free for the user.
    std::int32_t Tag() const noexcept { return m_tag; }
    // Sets the user's number.
    void SetTag(std::int32_t tag) noexcept { m_tag = tag; }
    // Number of ancestors minus one: -1 for a container, 0 for top-level nodes.
    int Depth() const noexcept;

    // Number of children.
    int ChildCount() const noexcept { return static_cast<int>(m_children.size()); }
    // The child at index, or null when index is out of range.
    TXmlNode* Child(int index) const noexcept;
    // Appends a new element named name and returns it. Throws EGeneralError for a bad name.
    TXmlNode* AddChild(std::string_view name);
    // Appends a new node of kind named name and returns it. Throws EGeneralError for a bad name.
    TXmlNode* AddChild(std::string_view name, TXmlNodeKind kind);
    // Frees every child and its subtree.
    void DeleteChildren() noexcept;
    // Index of the first child named name ignoring case, -1 if none.
    int IndexOfChild(std::string_view name) const;
    // The first child named name ignoring case, or null.
    TXmlNode* FindChild(std::string_view name) const;
    // FindChild(name), or a new element AddChild(name) when there is none.
    TXmlNode* FindOrAddChild(std::string_view name);

    // Stores text escaped as the node's value.
    void SetText(std::string_view text);
    // The node's value unescaped (UTF-8 references when the document holds UTF-8).
    std::string GetText() const;
    // The text of the child named name (case ignored), or def when there is none.
    std::string ReadText(std::string_view name, std::string_view def) const;
    // Sets the text of the child named name (added if missing), unless the document
    // does not write defaults and value equals def. Throws EGeneralError for a bad name.
    void WriteText(std::string_view name, std::string_view value, std::string_view def);
    // As WriteText, with the integer in plain decimal.
    void WriteInt(std::string_view name, int value, int def);

    // Appends the attribute entry name="escaped value".
    void AddAttribute(std::string_view name, std::string_view value);
    // Number of attribute entries.
    int AttributeCount() const noexcept { return static_cast<int>(m_attributes.size()); }
    // The attribute entry at index as stored (name=quoted value); index must be in range.
    const std::string& Attribute(int index) const { return m_attributes.at(static_cast<std::size_t>(index)); }
    // The unquoted, unescaped value of the first attribute named name (case ignored), or "".
    std::string GetAttribute(std::string_view name) const;

private:
    friend class TXmlReader;
    friend class TXmlWriter;
    friend struct TXmlNodeDeleter;

    TXmlNode* AppendNode(TXmlNodeKind kind);

    std::vector<std::string> m_attributes;
    TXmlDocument* m_document;
    TXmlNodeKind m_kind = nkElement;
    TXmlText m_name;
    std::vector<std::unique_ptr<TXmlNode, TXmlNodeDeleter>> m_children;
    TXmlNode* m_parent = nullptr;
    std::int32_t m_tag = 0;
    TXmlText m_value;
};

// Whether two node names are equal ignoring case, by the system locale.
bool SameNodeName(std::string_view a, std::string_view b);

}  // namespace xml

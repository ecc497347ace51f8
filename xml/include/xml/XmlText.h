#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace xml {

// The text of a node (a name or a value). Text a document was loaded with
// stays where the document stored it, as a view; text set later, or asked for
// as a std::string, is a string of its own. Not for sharing between threads:
// AsString of a loaded text makes the string on its first call.
class TXmlText {
public:
    // The text.
    std::string_view View() const noexcept { return m_own ? std::string_view(*m_own) : m_view; }
    // The text as a string, made from the stored view on the first call.
    const std::string& AsString() const {
        if (!m_own) m_own = std::make_unique<std::string>(m_view);
        return *m_own;
    }
    // Whether the text is empty.
    bool Empty() const noexcept { return View().empty(); }
    // Sets the text to a copy of text (which may be part of this text).
    void Assign(std::string_view text) {
        if (m_own) {
            m_own->assign(text);
        } else {
            m_own = std::make_unique<std::string>(text);
        }
    }
    // Sets the text to text, taking its characters.
    void Take(std::string&& text) {
        if (m_own) {
            *m_own = std::move(text);
        } else {
            m_own = std::make_unique<std::string>(std::move(text));
        }
    }
    // Sets the text to stored, which must outlive this text (the document's text store).
    void Refer(std::string_view stored) noexcept {
        m_view = stored;
        m_own.reset();
    }
    // Keeps the first size characters (size must not exceed the length).
    void Truncate(std::size_t size) {
        if (m_own) {
            m_own->resize(size);
        } else {
            m_view = m_view.substr(0, size);
        }
    }

private:
    std::string_view m_view;
    // The text's own string, once it has one; it then replaces the view.
    mutable std::unique_ptr<std::string> m_own;
};

}  // namespace xml

#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ui {

class TForm;

// One item of a form's menu bar: a popup (an item with children), a command
// with a caption, an id and a click handler, or a separator. Items can be
// hidden and shown again; a hidden item is absent from the native menu. The
// menu bar itself is the form's root item, which has no caption.
class TMenuItem {
public:
    // A root item for form's menu bar (the form creates it).
    explicit TMenuItem(TForm& form);
    TMenuItem(const TMenuItem&) = delete;
    TMenuItem& operator=(const TMenuItem&) = delete;

    // Adds a child with caption and click handler and returns it; the caption
    // "-" makes a separator. Each item gets an id of its own.
    TMenuItem& Add(std::u16string caption, std::function<void(TMenuItem&)> onClick = {});
    // Adds a separator.
    TMenuItem& AddSeparator() { return Add(u"-"); }

    const std::u16string& Caption() const { return m_caption; }
    void SetCaption(std::u16string caption);
    bool IsSeparator() const { return m_caption == u"-"; }
    bool Visible() const { return m_visible; }
    void SetVisible(bool visible);
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);
    // The command id the native menu reports for the item (unique on its form, from 100 on).
    int Id() const { return m_id; }
    TMenuItem* Parent() const { return m_parent; }
    const std::vector<std::unique_ptr<TMenuItem>>& Items() const { return m_items; }

    // The first item with this caption in this subtree (depth first), or nullptr.
    TMenuItem* Find(std::u16string_view caption);
    // The item with this id in this subtree, or nullptr.
    TMenuItem* FindById(int id);
    // Runs the click handler (also for hidden or disabled items: callers check).
    void Click();

    std::function<void(TMenuItem&)> OnClick;

private:
    TMenuItem(TForm& form, TMenuItem* parent, std::u16string caption, int id);
    void Changed();

    TForm& m_form;
    TMenuItem* m_parent = nullptr;
    std::vector<std::unique_ptr<TMenuItem>> m_items;
    std::u16string m_caption;
    int m_id = 0;
    int m_nextId = 100;  // used by the root only
    bool m_visible = true;
    bool m_enabled = true;
};

}  // namespace ui

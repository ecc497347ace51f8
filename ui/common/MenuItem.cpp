#include "ui/MenuItem.h"

#include "ui/Form.h"

namespace ui {

TMenuItem::TMenuItem(TForm& form) : m_form(form) {}

TMenuItem::TMenuItem(TForm& form, TMenuItem* parent, std::u16string caption, int id)
    : m_form(form), m_parent(parent), m_caption(std::move(caption)), m_id(id) {}

TMenuItem& TMenuItem::Add(std::u16string caption, std::function<void(TMenuItem&)> onClick) {
    TMenuItem* root = this;
    while (root->m_parent != nullptr) root = root->m_parent;
    // The constructor is private, so make_unique cannot reach it.
    std::unique_ptr<TMenuItem> item(new TMenuItem(m_form, this, std::move(caption), root->m_nextId++));
    item->OnClick = std::move(onClick);
    TMenuItem& ref = *item;
    m_items.push_back(std::move(item));
    Changed();
    return ref;
}

void TMenuItem::SetCaption(std::u16string caption) {
    if (caption == m_caption) return;
    m_caption = std::move(caption);
    Changed();
}

void TMenuItem::SetVisible(bool visible) {
    if (visible == m_visible) return;
    m_visible = visible;
    Changed();
}

void TMenuItem::SetEnabled(bool enabled) {
    if (enabled == m_enabled) return;
    m_enabled = enabled;
    Changed();
}

TMenuItem* TMenuItem::Find(std::u16string_view caption) {
    if (m_parent != nullptr && m_caption == caption) return this;
    for (auto& item : m_items)
        if (TMenuItem* found = item->Find(caption)) return found;
    return nullptr;
}

TMenuItem* TMenuItem::FindById(int id) {
    if (m_parent != nullptr && m_id == id) return this;
    for (auto& item : m_items)
        if (TMenuItem* found = item->FindById(id)) return found;
    return nullptr;
}

void TMenuItem::Click() {
    if (OnClick) OnClick(*this);
}

void TMenuItem::Changed() { m_form.MenuChanged(); }

}  // namespace ui

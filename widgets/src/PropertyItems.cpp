#include "widgets/PropertyItems.h"

#include <stdexcept>
#include <string>

#include "widgets/PropertyInspector.h"

namespace widgets {

namespace {

// Whether item lies below ancestor in the tree.
bool IsDescendant(const TPropertyItem& item, const TPropertyItem& ancestor) {
    for (const TPropertyItem* p = item.Parent(); p != nullptr; p = p->Parent())
        if (p == &ancestor) return true;
    return false;
}

}  // namespace

TPropertyItems::~TPropertyItems() = default;

TPropertyItem& TPropertyItems::Item(int index) const {
    if (index < 0 || index >= Count())
        throw std::out_of_range("Item index " + std::to_string(index) + " is out of bounds");
    return *m_items[static_cast<std::size_t>(index)];
}

int TPropertyItems::IndexOf(const TPropertyItem& item) const {
    for (std::size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].get() == &item) return static_cast<int>(i);
    return -1;
}

TPropertyItem* TPropertyItems::Find(std::string_view name) const {
    for (const auto& item : m_items)
        if (item->Name() == name) return item.get();
    return nullptr;
}

TPropertyItem* TPropertyItems::ParentAt(int parentIndex) const {
    if (parentIndex == -1) return nullptr;
    if (parentIndex < 0 || parentIndex >= Count())
        throw std::out_of_range("Parent index " + std::to_string(parentIndex) + " is out of bounds");
    return m_items[static_cast<std::size_t>(parentIndex)].get();
}

void TPropertyItems::Insert(std::unique_ptr<TPropertyItem> item, TPropertyItem* parent) {
    if (parent != nullptr && IndexOf(*parent) < 0)
        throw std::invalid_argument("The parent item belongs to another inspector");
    // A new child goes after its parent's earlier children and their descendants.
    std::size_t pos = m_items.size();
    if (parent != nullptr) {
        pos = static_cast<std::size_t>(IndexOf(*parent)) + 1;
        while (pos < m_items.size() && IsDescendant(*m_items[pos], *parent)) ++pos;
    }
    item->m_owner = this;
    item->m_parent = parent;
    TPropertyItem& ref = *item;
    m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(pos), std::move(item));
    m_owner.ItemChanged(ref, TPropertyInspector::TItemChange::icLayout);
}

}  // namespace widgets

#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "widgets/PropertyItem.h"

namespace widgets {

class TPropertyInspector;

// The inspector's items in one flat list in display order: each child follows
// its parent, after the parent's earlier children and their descendants. The
// list owns the items.
class TPropertyItems {
public:
    explicit TPropertyItems(TPropertyInspector& owner) : m_owner(owner) {}
    ~TPropertyItems();
    TPropertyItems(const TPropertyItems&) = delete;
    TPropertyItems& operator=(const TPropertyItems&) = delete;

    // Creates an item of kind T under parent (nullptr: top level), places it
    // after the parent's last descendant and returns it.
    template <class T>
    T& Add(TPropertyItem* parent = nullptr) {
        auto item = std::make_unique<T>();
        T& ref = *item;
        Insert(std::move(item), parent);
        return ref;
    }
    // The same with the parent given by its position in the list (-1: top level),
    // as a stored form description gives it; throws std::out_of_range for any
    // other position that holds no item.
    template <class T>
    T& Add(int parentIndex) {
        return Add<T>(ParentAt(parentIndex));
    }

    // The number of items, hidden ones included.
    int Count() const { return static_cast<int>(m_items.size()); }
    // The item at index (0 to Count() - 1); throws std::out_of_range otherwise.
    TPropertyItem& Item(int index) const;
    TPropertyItem& operator[](int index) const { return Item(index); }
    // The position of item, or -1 when it is not in the list.
    int IndexOf(const TPropertyItem& item) const;
    // The first item named name, or nullptr.
    TPropertyItem* Find(std::string_view name) const;
    // The inspector that owns the list.
    TPropertyInspector& Inspector() const { return m_owner; }

private:
    friend class TPropertyItem;
    TPropertyItem* ParentAt(int parentIndex) const;
    void Insert(std::unique_ptr<TPropertyItem> item, TPropertyItem* parent);

    TPropertyInspector& m_owner;
    std::vector<std::unique_ptr<TPropertyItem>> m_items;
};

}  // namespace widgets

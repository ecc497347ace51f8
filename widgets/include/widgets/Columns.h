#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "widgets/CustomColumn.h"

namespace widgets {

// The grid's ordered column collection; a column's index is its place here.
class TColumns {
public:
    explicit TColumns(TCustomGrid& grid) : m_grid(grid) {}
    TColumns(const TColumns&) = delete;
    TColumns& operator=(const TColumns&) = delete;

    // Creates a column of class T at the end (its Position is its index) and returns it.
    template <class T, class... Args>
    T& Add(Args&&... args) {
        auto column = std::make_unique<T>(m_grid, Count(), std::forward<Args>(args)...);
        T& ref = *column;
        Added(std::move(column));
        return ref;
    }
    int Count() const { return static_cast<int>(m_columns.size()); }
    // The column at index (0 to Count() - 1).
    TCustomColumn& operator[](int index) const { return *m_columns.at(static_cast<std::size_t>(index)); }
    // Visible columns' indices in display order (by Position).
    std::vector<int> DisplayOrder() const;
    // Gives the column at index the display position, moving the others along.
    void Move(int index, int position);

private:
    void Added(std::unique_ptr<TCustomColumn> column);

    TCustomGrid& m_grid;
    std::vector<std::unique_ptr<TCustomColumn>> m_columns;
};

}  // namespace widgets

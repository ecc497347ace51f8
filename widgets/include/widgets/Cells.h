#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "widgets/Cell.h"
#include "widgets/GridTypes.h"

namespace widgets {

// One row record of the cell store.
struct TRow {
    int height = 16;        // pixels
    bool visible = true;    // rows are never hidden in this program
    bool selected = false;  // part of a multi-row selection (unused here)
    int level = 0;          // tree fields, unused here
    int parent = -1;
    bool expanded = false;
};

// The cell store: the row records and, per column, a list of cells of equal
// length; cell (c, r) is item r of column c's list. It remembers the most
// recent cell access, which increment cells report as their row.
class TCells {
public:
    // Called with (col, row) after a cell's value was written.
    using TChangedHandler = std::function<void(int col, int row)>;

    TCells() = default;
    TCells(const TCells&) = delete;
    TCells& operator=(const TCells&) = delete;

    // Appends a column of cells of kind (one per existing row).
    void AddColumn(TCellKind kind);
    int ColumnCount() const { return static_cast<int>(m_columns.size()); }
    int RowCount() const { return static_cast<int>(m_rows.size()); }
    // Appends count rows of the given height with one new cell per column (nothing for count < 1).
    void AddRows(int count, int height);
    // Removes every row and cell; the columns stay.
    void ClearRows();
    // The row record at position row; throws EGridError outside the table.
    TRow& Row(int row);
    const TRow& Row(int row) const;
    // The cell (col, row), recorded as the most recent access; throws EGridError
    // with "Cell out of bounds (col, row)" outside the table.
    TCell& Cell(int col, int row);
    // Column and row of the most recent cell access (-1 before any).
    int LastCol() const { return m_lastCol; }
    int LastRow() const { return m_lastRow; }

    // Told by a cell that its value changed.
    void CellChanged(const TCell& cell);
    // Receives the cell changes.
    TChangedHandler OnChanged;

private:
    struct TColumnCells {
        TCellKind kind;
        std::vector<std::unique_ptr<TCell>> cells;
    };
    std::vector<TRow> m_rows;
    std::vector<TColumnCells> m_columns;
    int m_lastCol = -1;
    int m_lastRow = -1;
};

}  // namespace widgets

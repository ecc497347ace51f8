#pragma once

#include <string>

#include "widgets/Cells.h"
#include "widgets/CustomGrid.h"

namespace widgets {

// The result grid: a TCustomGrid whose rows live in a cell store (TCells),
// one cell object per row and column, of the class its column's kind decides.
// On Win32 it has its own child window of class "TReportGrid"; for what it
// exposes to assistive tools see TCustomGrid.
class TReportGrid : public TCustomGrid {
public:
    TReportGrid();

    // Removes every row and cell; no row is selected (column 0, row -1) and the
    // first row shown becomes 0. Columns stay.
    void ClearRows();
    // Appends count rows (nothing for count < 1), each RowSize high with one new
    // empty cell per column; the selection stays.
    void AddRow(int count = 1);
    // The cell at column index col and row position row (both 0-based), recorded
    // as the store's most recent access; throws EGridError outside the table.
    TCell& Cell(int col, int row) { return m_cells.Cell(col, row); }
    // Cell(col, row).SetAsString(text) after a bounds test; throws EGridError
    // "Cell out of bounds (col, row)" outside the table.
    void SetCellText(int col, int row, const std::u16string& text);
    // The cell store.
    TCells& Cells() { return m_cells; }

    int RowCount() const override { return m_cells.RowCount(); }
    TCell& CellAt(int col, int row) override { return m_cells.Cell(col, row); }
    int RowHeight(int row) const override { return m_cells.Row(row).height; }
    void ColumnAdded(TCustomColumn& column) override;

private:
    TCells m_cells;
};

}  // namespace widgets

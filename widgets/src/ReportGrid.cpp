#include "widgets/ReportGrid.h"

#include "widgets/GridError.h"

namespace widgets {

TReportGrid::TReportGrid() {
    m_cells.OnChanged = [this](int col, int row) {
        if (col < 0)
            Invalidate();
        else
            InvalidateCell(col, row);
    };
}

void TReportGrid::ColumnAdded(TCustomColumn& column) {
    m_cells.AddColumn(column.CellKind());
    TCustomGrid::ColumnAdded(column);
}

void TReportGrid::ClearRows() {
    m_cells.ClearRows();
    SelectCell(0, -1);
    ScrollTo(0);
    RowsChanged(0);
    Invalidate();
}

void TReportGrid::AddRow(int count) {
    if (count < 1) return;
    const int first = RowCount();
    m_cells.AddRows(count, RowSize());
    if (HasOption(goUseDefaultValues)) {
        for (int c = 0; c < Columns().Count(); ++c) {
            const std::u16string& value = Columns()[c].DefaultValue();
            if (value.empty()) continue;
            for (int r = first; r < RowCount(); ++r) m_cells.Cell(c, r).SetAsString(value);
        }
    }
    RowsChanged(first);
}

void TReportGrid::SetCellText(int col, int row, const std::u16string& text) {
    if (col < 0 || col >= Columns().Count() || row < 0 || row >= RowCount())
        throw EGridError(CellOutOfBoundsMessage(col, row));
    Cell(col, row).SetAsString(text);
}

}  // namespace widgets

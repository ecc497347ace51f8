#include "widgets/Cells.h"

#include "widgets/CellKinds.h"
#include "widgets/GridError.h"

namespace widgets {

void TCells::AddColumn(TCellKind kind) {
    TColumnCells& column = m_columns.emplace_back();
    column.kind = kind;
    column.cells.reserve(m_rows.size());
    for (std::size_t r = 0; r < m_rows.size(); ++r) column.cells.push_back(CreateCell(kind, *this));
}

void TCells::AddRows(int count, int height) {
    if (count < 1) return;
    for (int i = 0; i < count; ++i) {
        TRow row;
        row.height = height;
        m_rows.push_back(row);
        for (TColumnCells& column : m_columns) column.cells.push_back(CreateCell(column.kind, *this));
    }
}

void TCells::ClearRows() {
    m_rows.clear();
    for (TColumnCells& column : m_columns) column.cells.clear();
    m_lastRow = -1;
}

TRow& TCells::Row(int row) {
    if (row < 0 || row >= RowCount()) throw EGridError(CellOutOfBoundsMessage(0, row));
    return m_rows[static_cast<std::size_t>(row)];
}

const TRow& TCells::Row(int row) const { return const_cast<TCells*>(this)->Row(row); }

TCell& TCells::Cell(int col, int row) {
    if (col < 0 || col >= ColumnCount() || row < 0 || row >= RowCount())
        throw EGridError(CellOutOfBoundsMessage(col, row));
    m_lastCol = col;
    m_lastRow = row;
    return *m_columns[static_cast<std::size_t>(col)].cells[static_cast<std::size_t>(row)];
}

void TCells::CellChanged(const TCell& cell) {
    if (!OnChanged) return;
    // The write normally follows Cell(col, row) at once: the remembered access
    // names the cell; otherwise the whole table is repainted (-1, -1).
    if (m_lastCol >= 0 && m_lastCol < ColumnCount() && m_lastRow >= 0 && m_lastRow < RowCount() &&
        m_columns[static_cast<std::size_t>(m_lastCol)].cells[static_cast<std::size_t>(m_lastRow)].get() == &cell) {
        OnChanged(m_lastCol, m_lastRow);
        return;
    }
    OnChanged(-1, -1);
}

}  // namespace widgets

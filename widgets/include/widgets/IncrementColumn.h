#pragma once

#include "widgets/CustomColumn.h"

namespace widgets {

// Draws a text-like cell: its text inside the cell inset by 2 pixels left and
// right, with the column's alignments and wrap kind, no "&" prefixes.
class TTextColumnDisplay : public TColumnDisplay {
public:
    using TColumnDisplay::TColumnDisplay;
    void Paint(ui::ICanvas& canvas, const TCellPaintInfo& info, const TCell& cell) override;
};

// Draws the row number like text.
class TIncrementColumnDisplay : public TTextColumnDisplay {
public:
    using TTextColumnDisplay::TTextColumnDisplay;
};

// A column that shows each row's position plus one (increment cells).
class TIncrementColumn : public TCustomColumn {
public:
    TIncrementColumn(TCustomGrid& grid, int index);
    TCellKind CellKind() const override { return TCellKind::ckIncrement; }
};

}  // namespace widgets

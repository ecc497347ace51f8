#pragma once

#include "widgets/CustomColumn.h"

namespace widgets {

// Draws a check box, ticked for a true cell, in the middle of the cell.
class TCheckBoxColumnDisplay : public TColumnDisplay {
public:
    using TColumnDisplay::TColumnDisplay;
    void Paint(ui::ICanvas& canvas, const TCellPaintInfo& info, const TCell& cell) override;
};

// Toggles the cell on a click inside its box.
class TCheckBoxColumnPlay : public TColumnPlay {
public:
    using TColumnPlay::TColumnPlay;
    void MouseMove(ui::ICanvas&, ui::TSize, ui::TPoint, TCell&) override {}
    void Click(ui::ICanvas& canvas, ui::TSize size, ui::TPoint cellPos, TCell& cell) override;
};

// A column of boolean cells shown as check boxes.
class TCheckBoxColumn : public TCustomColumn {
public:
    TCheckBoxColumn(TCustomGrid& grid, int index);
    TCellKind CellKind() const override { return TCellKind::ckBoolean; }
    // The side of the drawn box in pixels.
    static constexpr int kBoxSize = 13;
};

}  // namespace widgets

#pragma once

#include "widgets/CustomColumn.h"

namespace widgets {

// Draws nothing: the grid has no image list in this program.
class TImageColumnDisplay : public TColumnDisplay {
public:
    using TColumnDisplay::TColumnDisplay;
    void Paint(ui::ICanvas&, const TCellPaintInfo&, const TCell&) override {}
};

// A column of integer cells holding image indices.
class TImageColumn : public TCustomColumn {
public:
    TImageColumn(TCustomGrid& grid, int index);
    TCellKind CellKind() const override { return TCellKind::ckInteger; }
};

}  // namespace widgets

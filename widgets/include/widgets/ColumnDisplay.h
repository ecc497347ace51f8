#pragma once

#include <string>

#include "ui/Canvas.h"
#include "ui/Font.h"
#include "ui/Geometry.h"

namespace widgets {

class TCell;
class TCustomColumn;

// What a display needs to draw one cell.
struct TCellPaintInfo {
    ui::TRect rect;  // the cell's drawing area (grid lines excluded), grid client coordinates
    int col = 0;     // column index
    int row = 0;     // row position
    bool selected = false;
    ui::TFont font;  // the column's font, coloured for the cell's state
};

// Draws the cells of one column kind; the grid has already filled the
// background and clipped to the cell.
class TColumnDisplay {
public:
    explicit TColumnDisplay(TCustomColumn& column) : m_column(column) {}
    virtual ~TColumnDisplay() = default;
    TColumnDisplay(const TColumnDisplay&) = delete;
    TColumnDisplay& operator=(const TColumnDisplay&) = delete;

    // Draws cell's content.
    virtual void Paint(ui::ICanvas& canvas, const TCellPaintInfo& info, const TCell& cell) = 0;
    // The cell's text as assistive tools read it (the cell's AsString by default).
    virtual std::u16string PlainText(const TCell& cell) const;
    TCustomColumn& Column() const { return m_column; }

private:
    TCustomColumn& m_column;
};

}  // namespace widgets

#pragma once

#include "ui/Canvas.h"
#include "ui/Geometry.h"

namespace widgets {

class TCell;
class TCustomColumn;

// Receives mouse activity over the cells of one column kind. Positions are
// relative to the cell's top-left corner; size is the cell's width and height;
// canvas serves for measuring only.
class TColumnPlay {
public:
    explicit TColumnPlay(TCustomColumn& column) : m_column(column) {}
    virtual ~TColumnPlay() = default;
    TColumnPlay(const TColumnPlay&) = delete;
    TColumnPlay& operator=(const TColumnPlay&) = delete;

    // The mouse moved over cell.
    virtual void MouseMove(ui::ICanvas& canvas, ui::TSize size, ui::TPoint cellPos, TCell& cell) = 0;
    // A left click went down and came up in cell.
    virtual void Click(ui::ICanvas& canvas, ui::TSize size, ui::TPoint cellPos, TCell& cell) = 0;
    TCustomColumn& Column() const { return m_column; }

private:
    TCustomColumn& m_column;
};

}  // namespace widgets

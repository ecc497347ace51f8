#pragma once

#include "ui/Control.h"

namespace widgets {

// A scrolling custom control for grids: the vertical bar counts rows (its
// position is the first row shown below the fixed header), the horizontal
// bar counts pixels of the columns' width. Each bar shows only while the
// content does not fit; the mouse wheel scrolls three rows a notch.
class TCustomGridControl : public ui::TControl {
public:
    TCustomGridControl();

    // The first row shown.
    int TopRow() const { return Scroll().position; }
    // How far the columns are scrolled to the left, in pixels.
    int ScrollX() const { return HorzScroll().position; }
    // Scrolls so that row is fully shown (as little as needed).
    void ScrollRowIntoView(int row);
    // Scrolls horizontally so that the pixels left to right (content coordinates) are shown.
    void ScrollSpanIntoView(int left, int right);
    // Recomputes both scroll bars from the content (after rows, columns or size changed).
    void UpdateScrollBars();
    // The wheel scrolls rows; with Shift held it scrolls the columns sideways.
    bool MouseWheel(const ui::TMouseWheelEvent& e) override;

protected:
    // The number of rows that scroll.
    virtual int ScrollRowCount() const = 0;
    // How many whole rows from row on fit into height pixels (at least 1 when a row exists).
    virtual int RowsFitting(int row, int height) const = 0;
    // The height of the fixed part above the rows (the header).
    virtual int FixedHeight() const = 0;
    // The width of all columns together.
    virtual int ContentWidth() const = 0;
    void BoundsChanged() override { UpdateScrollBars(); }

private:
    bool m_updating = false;
};

}  // namespace widgets

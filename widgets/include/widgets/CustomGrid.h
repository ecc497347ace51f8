#pragma once

#include <functional>
#include <memory>
#include <string>

#include "ui/Accessibility.h"
#include "ui/HintWindow.h"
#include "widgets/Columns.h"
#include "widgets/CustomGridControl.h"
#include "widgets/GridTypes.h"

namespace widgets {

class TCell;

// What lies under a point of the grid's client area.
enum class TGridArea {
    gaNone,    // outside header and cells
    gaHeader,  // a column's header cell
    gaSizing,  // the grab zone at a header cell's right edge (resizes col)
    gaCell,    // cell (col, row)
};

// The result of a hit test; rect is the header cell or cell in client coordinates.
struct TGridHit {
    TGridArea area = TGridArea::gaNone;
    int col = -1;
    int row = -1;
    ui::TRect rect;
    friend bool operator==(const TGridHit&, const TGridHit&) = default;
};

// A report-style grid of typed columns: a fixed header row, rows of cells with
// grid lines, one selected cell, the text-fit hint, column resizing by the
// header's edges, keyboard navigation, and mouse activity passed to the
// columns' interaction objects. Rows come from the derived class.
//
// Accessibility (tools and tests rely on this): the grid reports role arTable
// (ROLE_SYSTEM_TABLE) with its AccessibleName ("Software Versions" unless
// changed); child i (0-based here, id i + 1 on Win32) is row i with role
// arRow and as name the texts of all visible columns in display order joined
// by one TAB each (empty cells included), where an HTML cell gives the text
// runs it draws (HtmlPlainText) and the increment column the row number; a row
// holding the selected cell has the state asSelected.
class TCustomGrid : public TCustomGridControl, public ui::IAccessibleSource {
public:
    TCustomGrid();
    ~TCustomGrid() override;

    // The column collection.
    TColumns& Columns() { return m_columns; }
    const TColumns& Columns() const { return m_columns; }
    // The number of rows.
    virtual int RowCount() const = 0;
    // The cell (col, row), recorded as the store's most recent access; throws EGridError outside the table.
    virtual TCell& CellAt(int col, int row) = 0;
    // The height of the row at position row in pixels.
    virtual int RowHeight(int row) const = 0;

    TGridOptions Options() const { return m_options; }
    void SetOptions(TGridOptions options);
    bool HasOption(TGridOption option) const { return (m_options & option) != 0; }
    TAppearanceOptions AppearanceOptions() const { return m_appearance; }
    void SetAppearanceOptions(TAppearanceOptions options);
    // Height of the header row in pixels (18 at first).
    int HeaderSize() const { return m_headerSize; }
    void SetHeaderSize(int size);
    // Height given to each new row in pixels (16 at first; at least 1).
    int RowSize() const { return m_rowSize; }
    void SetRowSize(int size) { m_rowSize = size > 0 ? size : 1; }
    ui::TColor GridLinesColor() const { return m_gridLinesColor; }
    void SetGridLinesColor(ui::TColor color);
    ui::TColor SelectionColor() const { return m_selectionColor; }
    void SetSelectionColor(ui::TColor color);
    ui::TColor HighlightedTextColor() const { return m_highlightedTextColor; }
    void SetHighlightedTextColor(ui::TColor color);
    ui::TColor InactiveSelectionColor() const { return m_inactiveSelectionColor; }
    void SetInactiveSelectionColor(ui::TColor color);

    // The selected cell: column index and row position (row -1: none).
    int SelectedColumn() const { return m_selCol; }
    int SelectedRow() const { return m_selRow; }
    // Selects cell (col, row) (row -1: none) and repaints both cells; does not scroll.
    void SelectCell(int col, int row);

    // The rectangle of cell (col, row) in client coordinates (grid lines included);
    // empty for a hidden column or a row scrolled out of view.
    ui::TRect CellRect(int col, int row) const;
    // The rectangle of col's header cell in client coordinates; empty when hidden.
    ui::TRect HeaderRect(int col) const;
    // What lies at p (client coordinates).
    TGridHit HitTest(ui::TPoint client) const;
    // The number of rows shown from TopRow on (the last may be partly shown).
    int VisibleRows() const;
    // While a column is being resized: its index and the x of the sizing line; -1 otherwise.
    int SizingColumn() const { return m_sizingCol; }
    int SizingX() const { return m_sizingX; }

    // The name assistive tools read for the grid.
    const std::u16string& AccessibleName() const { return m_accName; }
    void SetAccessibleName(std::u16string name) { m_accName = std::move(name); }
    // The row's text as assistive tools read it (see the class comment).
    std::u16string RowText(int row);

    // A left click on cell (col, row) (pressed and released there).
    std::function<void(TCustomGrid& grid, int col, int row)> OnCellClick;
    // A press and release on the header of a column with coCanClick.
    std::function<void(TCustomGrid& grid, int col)> OnHeaderClick;

    // --- TControl
    void Paint(ui::ICanvas& canvas) override;
    void MouseDown(const ui::TMouseEvent& e) override;
    void MouseMove(const ui::TMouseEvent& e) override;
    void MouseUp(const ui::TMouseEvent& e) override;
    void MouseLeave() override;
    bool KeyDown(const ui::TKeyEvent& e) override;
    void FocusChanged(bool focused) override;
    // Scrolling moves the cells away from under an open text-fit hint: it closes.
    void ScrollTo(int position) override;
    void HorzScrollTo(int position) override;
    std::u16string WindowClassName() const override { return u"TReportGrid"; }
    const ui::IAccessibleSource* Accessible() const override { return this; }

    // --- IAccessibleSource
    ui::TAccRole AccRole() const override { return ui::TAccRole::arTable; }
    std::u16string AccName() const override { return m_accName; }
    int AccChildCount() const override { return RowCount(); }
    ui::TAccItem AccChild(int index) const override;

    // The width of the zone left of a header's right edge that grabs it, and right of it.
    static constexpr int kGrabLeft = 3;
    static constexpr int kGrabRight = 2;
    // The horizontal inset of cell and header text.
    static constexpr int kTextInset = 2;
    // Text-fit hint: the text does not fit when width < text width + kFitSlack.
    static constexpr int kFitSlack = 5;

    // Called by a column when it changed (layout: its width, place or visibility).
    void ColumnChanged(TCustomColumn& column, bool layout);
    // Called by the column collection after a column was added.
    virtual void ColumnAdded(TCustomColumn& column);
    // Repaints cell (col, row).
    void InvalidateCell(int col, int row);
    // A canvas for measuring text outside painting (the window system's, or a
    // recording canvas off a form).
    std::unique_ptr<ui::ICanvas> MeasuringCanvas() const;

protected:
    // --- TCustomGridControl
    int ScrollRowCount() const override { return RowCount(); }
    int RowsFitting(int row, int height) const override;
    int FixedHeight() const override;
    int ContentWidth() const override;
    // The rows changed (added or cleared): rescroll and repaint from row on.
    void RowsChanged(int fromRow);

private:
    void PaintHeader(ui::ICanvas& canvas, int col, const ui::TRect& r);
    void PaintCell(ui::ICanvas& canvas, int col, int row, const ui::TRect& r);
    // The x (content coordinates, before scrolling) of the left edge of col, or -1 when hidden.
    int ColumnLeft(int col) const;
    // The top (client coordinates) of row when it is shown; -1 otherwise.
    int RowTop(int row) const;
    void UpdateFitHint(const TGridHit& hit);
    void CloseFitHint();
    void MoveSelection(int col, int row);
    void ScrollCellIntoView(int col, int row);

    TColumns m_columns;
    TGridOptions m_options = 0;
    TAppearanceOptions m_appearance = 0;
    int m_headerSize = 18;
    int m_rowSize = 16;
    ui::TColor m_gridLinesColor = ui::clBtnFace;
    ui::TColor m_selectionColor = ui::clHighlight;
    ui::TColor m_highlightedTextColor = ui::clHighlightText;
    ui::TColor m_inactiveSelectionColor = ui::clBtnFace;
    int m_selCol = 0;
    int m_selRow = -1;
    std::u16string m_accName = u"Software Versions";

    // Mouse state.
    TGridHit m_down;           // where the left button went down
    int m_pressedHeader = -1;  // a pressed coCanClick header
    int m_sizingCol = -1;
    int m_sizingX = -1;
    int m_sizingGrab = 0;  // mouse x less the column's right edge at the press
    ui::THintWindow m_fitHint;
    int m_hintCol = -1;
    int m_hintRow = -1;
};

}  // namespace widgets

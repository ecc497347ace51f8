#pragma once

#include <memory>
#include <string>

#include "ui/Cursor.h"
#include "ui/Font.h"
#include "widgets/ColumnDisplay.h"
#include "widgets/ColumnHeader.h"
#include "widgets/ColumnPlay.h"
#include "widgets/GridTypes.h"

namespace widgets {

class TCustomGrid;

// A column of the grid. Its index is its place in the grid's column
// collection (creation order) and addresses its cells; Position is its
// display order (0 = leftmost). A hidden column keeps its cells but is
// neither drawn nor hit. The column class fixes the cell class (CellKind),
// the display and, for some kinds, an interaction object.
class TCustomColumn {
public:
    TCustomColumn(TCustomGrid& grid, int index);
    virtual ~TCustomColumn();
    TCustomColumn(const TCustomColumn&) = delete;
    TCustomColumn& operator=(const TCustomColumn&) = delete;

    TCustomGrid& Grid() const { return m_grid; }
    // The place in the column collection.
    int Index() const { return m_index; }
    TColumnHeader& Header() { return m_header; }
    const TColumnHeader& Header() const { return m_header; }

    // Width in pixels (at least the 8-pixel minimum).
    int Width() const { return m_width; }
    void SetWidth(int width);
    int DefaultWidth() const { return m_defaultWidth; }
    void SetDefaultWidth(int width) { m_defaultWidth = width; }
    // Display order (0 = leftmost); setting it moves the other columns along.
    int Position() const { return m_position; }
    void SetPosition(int position);
    bool Visible() const { return m_visible; }
    void SetVisible(bool visible);
    // Cell text layout.
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment alignment);
    TVerticalAlignment VerticalAlignment() const { return m_verticalAlignment; }
    void SetVerticalAlignment(TVerticalAlignment alignment);
    TWrapKind WrapKind() const { return m_wrapKind; }
    void SetWrapKind(TWrapKind kind);
    // The font of cell text (Tahoma 8 pt in the window-text colour at first).
    const ui::TFont& Font() const { return m_font; }
    void SetFont(const ui::TFont& font);
    // The mouse pointer over the column's cells.
    ui::TCursor Cursor() const { return m_cursor; }
    void SetCursor(ui::TCursor cursor) { m_cursor = cursor; }
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);
    TColumnOptions Options() const { return m_options; }
    void SetOptions(TColumnOptions options) { m_options = options; }
    bool HasOption(TColumnOption option) const { return (m_options & option) != 0; }
    // Sorting settings, kept but never applied in this program.
    TSortType SortType() const { return m_sortType; }
    void SetSortType(TSortType type) { m_sortType = type; }
    bool Sorted() const { return m_sorted; }
    void SetSorted(bool sorted) { m_sorted = sorted; }
    TSortKind SortKind() const { return m_sortKind; }
    void SetSortKind(TSortKind kind) { m_sortKind = kind; }
    // The value new cells receive when the grid has goUseDefaultValues.
    const std::u16string& DefaultValue() const { return m_defaultValue; }
    void SetDefaultValue(std::u16string value) { m_defaultValue = std::move(value); }

    // The class of the cells the store creates for this column.
    virtual TCellKind CellKind() const = 0;
    // Draws this column's cells.
    TColumnDisplay& Display() const { return *m_display; }
    // Receives mouse moves and clicks over this column's cells, or nullptr.
    TColumnPlay* Play() const { return m_play.get(); }

    // The smallest width a column can have.
    static constexpr int kMinWidth = 8;
    // The width a column starts with.
    static constexpr int kDefaultWidth = 80;

protected:
    // Installs the display and interaction objects (called by the column classes' constructors).
    void SetDisplay(std::unique_ptr<TColumnDisplay> display) { m_display = std::move(display); }
    void SetPlay(std::unique_ptr<TColumnPlay> play) { m_play = std::move(play); }

private:
    friend class TColumns;
    void Changed(bool layout);

    TCustomGrid& m_grid;
    int m_index;
    TColumnHeader m_header;
    std::unique_ptr<TColumnDisplay> m_display;
    std::unique_ptr<TColumnPlay> m_play;
    int m_width = kDefaultWidth;
    int m_defaultWidth = kDefaultWidth;
    int m_position;
    bool m_visible = true;
    TAlignment m_alignment = TAlignment::taLeftJustify;
    TVerticalAlignment m_verticalAlignment = TVerticalAlignment::taVerticalCenter;
    TWrapKind m_wrapKind = TWrapKind::wkEllipsis;
    ui::TFont m_font;
    ui::TCursor m_cursor = ui::TCursor::crDefault;
    bool m_enabled = true;
    TColumnOptions m_options = kDefaultColumnOptions;
    TSortType m_sortType = TSortType::stAlphabetic;
    bool m_sorted = false;
    TSortKind m_sortKind = TSortKind::skAscending;
    std::u16string m_defaultValue;
};

}  // namespace widgets

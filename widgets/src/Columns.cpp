#include "widgets/Columns.h"

#include <algorithm>

#include "widgets/CustomGrid.h"

namespace widgets {

void TColumnHeader::SetCaption(std::u16string caption) {
    if (caption == m_caption) return;
    m_caption = std::move(caption);
    Changed();
}

void TColumnHeader::SetAlignment(TAlignment alignment) {
    if (alignment == m_alignment) return;
    m_alignment = alignment;
    Changed();
}

void TColumnHeader::SetDisplayMode(TDisplayMode mode) {
    if (mode == m_displayMode) return;
    m_displayMode = mode;
    Changed();
}

void TColumnHeader::SetGlyph(int glyph) {
    if (glyph == m_glyph) return;
    m_glyph = glyph;
    Changed();
}

TCustomColumn::TCustomColumn(TCustomGrid& grid, int index) : m_grid(grid), m_index(index), m_position(index) {
    m_font.face = u"Tahoma";
    m_font.size = 8;
    m_font.color = ui::clWindowText;
    m_header.OnChanged = [this] { Changed(false); };
}

TCustomColumn::~TCustomColumn() = default;

void TCustomColumn::Changed(bool layout) { m_grid.ColumnChanged(*this, layout); }

void TCustomColumn::SetWidth(int width) {
    width = std::max(width, kMinWidth);
    if (width == m_width) return;
    m_width = width;
    Changed(true);
}

void TCustomColumn::SetPosition(int position) { m_grid.Columns().Move(m_index, position); }

void TCustomColumn::SetVisible(bool visible) {
    if (visible == m_visible) return;
    m_visible = visible;
    Changed(true);
}

void TCustomColumn::SetAlignment(TAlignment alignment) {
    if (alignment == m_alignment) return;
    m_alignment = alignment;
    Changed(false);
}

void TCustomColumn::SetVerticalAlignment(TVerticalAlignment alignment) {
    if (alignment == m_verticalAlignment) return;
    m_verticalAlignment = alignment;
    Changed(false);
}

void TCustomColumn::SetWrapKind(TWrapKind kind) {
    if (kind == m_wrapKind) return;
    m_wrapKind = kind;
    Changed(false);
}

void TCustomColumn::SetFont(const ui::TFont& font) {
    if (font == m_font) return;
    m_font = font;
    Changed(false);
}

void TCustomColumn::SetEnabled(bool enabled) {
    if (enabled == m_enabled) return;
    m_enabled = enabled;
    Changed(false);
}

void TColumns::Added(std::unique_ptr<TCustomColumn> column) {
    TCustomColumn& ref = *column;
    m_columns.push_back(std::move(column));
    m_grid.ColumnAdded(ref);
}

std::vector<int> TColumns::DisplayOrder() const {
    std::vector<int> order;
    for (const auto& column : m_columns)
        if (column->Visible()) order.push_back(column->Index());
    std::stable_sort(order.begin(), order.end(), [this](int a, int b) {
        return m_columns[static_cast<std::size_t>(a)]->Position() < m_columns[static_cast<std::size_t>(b)]->Position();
    });
    return order;
}

void TColumns::Move(int index, int position) {
    if (index < 0 || index >= Count()) return;
    position = std::clamp(position, 0, Count() - 1);
    TCustomColumn& moved = *m_columns[static_cast<std::size_t>(index)];
    const int old = moved.m_position;
    if (old == position) return;
    // Positions stay a permutation of 0..Count()-1: the columns between shift by one.
    for (auto& column : m_columns) {
        if (column.get() == &moved) continue;
        int& p = column->m_position;
        if (old < position && p > old && p <= position) --p;
        if (old > position && p >= position && p < old) ++p;
    }
    moved.m_position = position;
    moved.Changed(true);
}

}  // namespace widgets

#include "widgets/CustomGrid.h"

#include <algorithm>

#include "ui/Form.h"
#include "ui/WindowSystem.h"
#include "ui/headless/RecordingCanvas.h"
#include "widgets/Cell.h"

namespace widgets {

using ui::TPoint;
using ui::TRect;

TCustomGrid::TCustomGrid() : m_columns(*this), m_fitHint(*this) { SetColor(ui::clWindow); }

TCustomGrid::~TCustomGrid() = default;

void TCustomGrid::SetOptions(TGridOptions options) {
    if (options == m_options) return;
    m_options = options;
    UpdateScrollBars();
    Invalidate();
}

void TCustomGrid::SetAppearanceOptions(TAppearanceOptions options) {
    if (options == m_appearance) return;
    m_appearance = options;
    Invalidate();
}

void TCustomGrid::SetHeaderSize(int size) {
    size = std::max(0, size);
    if (size == m_headerSize) return;
    m_headerSize = size;
    UpdateScrollBars();
    Invalidate();
}

void TCustomGrid::SetGridLinesColor(ui::TColor color) {
    m_gridLinesColor = color;
    Invalidate();
}

void TCustomGrid::SetSelectionColor(ui::TColor color) {
    m_selectionColor = color;
    Invalidate();
}

void TCustomGrid::SetHighlightedTextColor(ui::TColor color) {
    m_highlightedTextColor = color;
    Invalidate();
}

void TCustomGrid::SetInactiveSelectionColor(ui::TColor color) {
    m_inactiveSelectionColor = color;
    Invalidate();
}

void TCustomGrid::SelectCell(int col, int row) {
    if (col == m_selCol && row == m_selRow) return;
    InvalidateCell(m_selCol, m_selRow);
    m_selCol = col;
    m_selRow = row;
    InvalidateCell(m_selCol, m_selRow);
}

// --- geometry

int TCustomGrid::FixedHeight() const { return HasOption(goHeader) ? m_headerSize : 0; }

int TCustomGrid::ContentWidth() const {
    int width = 0;
    for (int col : m_columns.DisplayOrder()) width += m_columns[col].Width();
    return width;
}

int TCustomGrid::RowsFitting(int row, int height) const {
    int count = 0;
    int used = 0;
    for (int r = row; r < RowCount(); ++r) {
        used += RowHeight(r);
        if (used > height) break;
        ++count;
    }
    return row < RowCount() ? std::max(1, count) : 0;
}

int TCustomGrid::ColumnLeft(int col) const {
    int x = 0;
    for (int c : m_columns.DisplayOrder()) {
        if (c == col) return x;
        x += m_columns[c].Width();
    }
    return -1;
}

int TCustomGrid::RowTop(int row) const {
    if (row < TopRow() || row >= RowCount()) return -1;
    const int bottom = ClientRect().bottom;
    // Rows are at least one pixel high: one this far down cannot show.
    if (row - TopRow() >= bottom) return -1;
    int y = FixedHeight();
    for (int r = TopRow(); r < row; ++r) {
        y += RowHeight(r);
        if (y >= bottom) return -1;
    }
    return y < bottom ? y : -1;
}

TRect TCustomGrid::HeaderRect(int col) const {
    if (!HasOption(goHeader) || col < 0 || col >= m_columns.Count()) return {};
    const int left = ColumnLeft(col);
    if (left < 0) return {};
    const int x = left - ScrollX();
    return {x, 0, x + m_columns[col].Width(), m_headerSize};
}

TRect TCustomGrid::CellRect(int col, int row) const {
    if (col < 0 || col >= m_columns.Count()) return {};
    const int left = ColumnLeft(col);
    const int top = RowTop(row);
    if (left < 0 || top < 0) return {};
    const int x = left - ScrollX();
    return {x, top, x + m_columns[col].Width(), top + RowHeight(row)};
}

int TCustomGrid::VisibleRows() const {
    const int bottom = ClientRect().bottom;
    int y = FixedHeight();
    int count = 0;
    for (int r = TopRow(); r < RowCount() && y < bottom; ++r, ++count) y += RowHeight(r);
    return count;
}

TGridHit TCustomGrid::HitTest(TPoint p) const {
    TGridHit hit;
    const TRect client = ClientRect();
    if (!client.Contains(p)) return hit;
    const std::vector<int> order = m_columns.DisplayOrder();
    if (p.y < FixedHeight()) {
        int x = -ScrollX();
        for (int col : order) {
            const TCustomColumn& column = m_columns[col];
            const int right = x + column.Width();
            if (!column.HasOption(coFixedSize) && p.x >= right - kGrabLeft && p.x < right + kGrabRight) {
                return {TGridArea::gaSizing, col, -1, {x, 0, right, m_headerSize}};
            }
            x = right;
        }
        x = -ScrollX();
        for (int col : order) {
            const int right = x + m_columns[col].Width();
            if (p.x >= x && p.x < right) return {TGridArea::gaHeader, col, -1, {x, 0, right, m_headerSize}};
            x = right;
        }
        return hit;
    }
    int y = FixedHeight();
    for (int row = TopRow(); row < RowCount() && y < client.bottom; ++row) {
        const int h = RowHeight(row);
        if (p.y < y + h) {
            int x = -ScrollX();
            for (int col : order) {
                const int right = x + m_columns[col].Width();
                if (p.x >= x && p.x < right) return {TGridArea::gaCell, col, row, {x, y, right, y + h}};
                x = right;
            }
            return hit;
        }
        y += h;
    }
    return hit;
}

// --- painting

void TCustomGrid::Paint(ui::ICanvas& canvas) {
    const TRect client = ClientRect();
    const TRect dirty = canvas.ClipRect().Intersect(client);
    if (dirty.Empty()) return;
    const std::vector<int> order = m_columns.DisplayOrder();
    const int contentRight = ContentWidth() - ScrollX();

    if (HasOption(goHeader)) {
        int x = -ScrollX();
        for (int col : order) {
            const TRect r{x, 0, x + m_columns[col].Width(), m_headerSize};
            if (!r.Intersect(dirty).Empty()) PaintHeader(canvas, col, r);
            x = r.right;
        }
        if (contentRight < client.right) canvas.FillRect({contentRight, 0, client.right, m_headerSize}, ui::clBtnFace);
    }
    // Only the rows from the first shown to the bottom edge are visited.
    int y = FixedHeight();
    for (int row = TopRow(); row < RowCount() && y < client.bottom; ++row) {
        const int h = RowHeight(row);
        const TRect line{client.left, y, client.right, y + h};
        if (!line.Intersect(dirty).Empty()) {
            int x = -ScrollX();
            for (int col : order) {
                const TRect r{x, y, x + m_columns[col].Width(), y + h};
                x = r.right;
                if (r.right <= dirty.left) continue;
                if (r.left >= dirty.right) break;
                PaintCell(canvas, col, row, r);
            }
        }
        y += h;
    }
    const ui::TColor background = BackgroundColor();
    if (contentRight < client.right) canvas.FillRect({contentRight, FixedHeight(), client.right, y}, background);
    if (y < client.bottom) canvas.FillRect({client.left, y, client.right, client.bottom}, background);
    if (m_sizingCol >= 0) canvas.InvertRect({m_sizingX, 0, m_sizingX + 1, client.bottom});
}

void TCustomGrid::PaintHeader(ui::ICanvas& canvas, int col, const TRect& r) {
    const TCustomColumn& column = m_columns[col];
    ui::TClipScope clip(canvas, r);
    const bool pressed = col == m_pressedHeader;
    canvas.FillRect(r, ui::clBtnFace);
    const ui::TPen edge{ui::clBtnShadow, 1};
    canvas.Line({r.right - 1, r.top}, {r.right - 1, r.bottom}, edge);
    canvas.Line({r.left, r.bottom - 1}, {r.right, r.bottom - 1}, edge);
    if (pressed) canvas.FrameRect(r, ui::clBtnShadow);
    const TColumnHeader& header = column.Header();
    if (header.DisplayMode() == TDisplayMode::dmImageOnly || header.Caption().empty()) return;
    ui::TTextFlags flags = ui::tfVCenter | ui::tfSingleLine | ui::tfEndEllipsis | ui::tfNoPrefix;
    if (header.Alignment() == TAlignment::taRightJustify) flags |= ui::tfRight;
    if (header.Alignment() == TAlignment::taCenter) flags |= ui::tfCenter;
    const int shift = pressed ? 1 : 0;
    const TRect text{r.left + kTextInset + shift, r.top + shift, r.right - kTextInset + shift, r.bottom - 1 + shift};
    ui::TFont font = Font();
    font.color = Enabled() ? ui::clBtnText : ui::clGrayText;
    canvas.DrawText(text, header.Caption(), font, flags);
}

void TCustomGrid::PaintCell(ui::ICanvas& canvas, int col, int row, const TRect& r) {
    TCustomColumn& column = m_columns[col];
    ui::TClipScope clip(canvas, r);
    const bool selected = col == m_selCol && row == m_selRow;
    const bool focused = Focused();
    const bool showSelection = selected && (focused || (m_appearance & aoHideSelection) == 0);
    TCellPaintInfo info;
    info.rect = r;
    if (HasOption(goGrid)) {
        info.rect.right -= 1;
        info.rect.bottom -= 1;
        const ui::TPen pen{m_gridLinesColor, 1};
        canvas.Line({r.right - 1, r.top}, {r.right - 1, r.bottom}, pen);
        canvas.Line({r.left, r.bottom - 1}, {r.right - 1, r.bottom - 1}, pen);
    }
    ui::TColor background = BackgroundColor();
    if (showSelection) background = focused ? m_selectionColor : m_inactiveSelectionColor;
    canvas.FillRect(info.rect, background);
    info.col = col;
    info.row = row;
    info.selected = selected;
    info.font = column.Font();
    if (selected && focused) info.font.color = m_highlightedTextColor;
    if (!Enabled()) info.font.color = ui::clGrayText;
    ui::TClipScope inner(canvas, info.rect);
    column.Display().Paint(canvas, info, CellAt(col, row));
}

void TCustomGrid::InvalidateCell(int col, int row) {
    const TRect r = CellRect(col, row);
    if (!r.Empty()) Invalidate(r);
}

void TCustomGrid::ColumnChanged(TCustomColumn&, bool layout) {
    if (layout) UpdateScrollBars();
    Invalidate();
}

void TCustomGrid::ColumnAdded(TCustomColumn&) {
    UpdateScrollBars();
    Invalidate();
}

void TCustomGrid::RowsChanged(int fromRow) {
    UpdateScrollBars();
    if (fromRow >= RowCount()) return;
    const int top = RowTop(fromRow);
    if (top >= 0) Invalidate({0, top, ClientRect().right, ClientRect().bottom});
}

std::unique_ptr<ui::ICanvas> TCustomGrid::MeasuringCanvas() const {
    ui::TForm* form = const_cast<TCustomGrid*>(this)->Form();
    if (form != nullptr)
        if (auto canvas = form->System().CreateMeasuringCanvas()) return canvas;
    return std::make_unique<ui::headless::TRecordingCanvas>();
}

// --- mouse

void TCustomGrid::MouseDown(const ui::TMouseEvent& e) {
    if (e.button != ui::TMouseButton::mbLeft) return;
    CloseFitHint();
    const TGridHit hit = HitTest(e.client);
    m_down = hit;
    switch (hit.area) {
        case TGridArea::gaSizing:
            m_sizingCol = hit.col;
            m_sizingGrab = e.client.x - hit.rect.right;
            m_sizingX = hit.rect.right - 1;
            Invalidate();
            break;
        case TGridArea::gaHeader:
            // Without coCanClick a press on the header changes nothing.
            if (m_columns[hit.col].HasOption(coCanClick)) {
                m_pressedHeader = hit.col;
                Invalidate(hit.rect);
            }
            break;
        case TGridArea::gaCell:
            SelectCell(hit.col, hit.row);
            break;
        case TGridArea::gaNone:
            break;
    }
}

void TCustomGrid::MouseMove(const ui::TMouseEvent& e) {
    if (m_sizingCol >= 0) {
        const int left = ColumnLeft(m_sizingCol) - ScrollX();
        const int x = std::max(e.client.x - m_sizingGrab, left + TCustomColumn::kMinWidth) - 1;
        if (x != m_sizingX) {
            m_sizingX = x;
            Invalidate();
        }
        SetCursor(ui::TCursor::crSizeWE);
        return;
    }
    const TGridHit hit = HitTest(e.client);
    UpdateFitHint(hit);
    switch (hit.area) {
        case TGridArea::gaSizing:
            SetCursor(ui::TCursor::crSizeWE);
            break;
        case TGridArea::gaCell: {
            TCustomColumn& column = m_columns[hit.col];
            SetCursor(column.Cursor());
            if (TColumnPlay* play = column.Play()) {
                auto canvas = MeasuringCanvas();
                const TPoint pos{e.client.x - hit.rect.left, e.client.y - hit.rect.top};
                play->MouseMove(*canvas, {hit.rect.Width(), hit.rect.Height()}, pos, CellAt(hit.col, hit.row));
            }
            break;
        }
        default:
            SetCursor(ui::TCursor::crDefault);
            break;
    }
}

void TCustomGrid::MouseUp(const ui::TMouseEvent& e) {
    if (e.button != ui::TMouseButton::mbLeft) return;
    const TGridHit down = m_down;
    m_down = {};
    if (m_sizingCol >= 0) {
        TCustomColumn& column = m_columns[m_sizingCol];
        const int left = ColumnLeft(m_sizingCol) - ScrollX();
        m_sizingCol = -1;
        m_sizingX = -1;
        column.SetWidth(e.client.x - m_sizingGrab - left);
        Invalidate();
        return;
    }
    const TGridHit hit = HitTest(e.client);
    if (m_pressedHeader >= 0) {
        const int col = m_pressedHeader;
        m_pressedHeader = -1;
        Invalidate(HeaderRect(col));
        if (hit.area == TGridArea::gaHeader && hit.col == col && OnHeaderClick) OnHeaderClick(*this, col);
        return;
    }
    if (down.area != TGridArea::gaCell || hit.area != TGridArea::gaCell || hit.col != down.col || hit.row != down.row)
        return;
    if (OnCellClick) OnCellClick(*this, hit.col, hit.row);
    if (hit.row >= RowCount()) return;  // the handler may have removed rows
    TCustomColumn& column = m_columns[hit.col];
    TColumnPlay* play = column.Play();
    if (play == nullptr || !column.HasOption(coEditing)) return;
    auto canvas = MeasuringCanvas();
    const TPoint pos{e.client.x - hit.rect.left, e.client.y - hit.rect.top};
    play->Click(*canvas, {hit.rect.Width(), hit.rect.Height()}, pos, CellAt(hit.col, hit.row));
}

void TCustomGrid::MouseLeave() { CloseFitHint(); }

void TCustomGrid::UpdateFitHint(const TGridHit& hit) {
    if (hit.area != TGridArea::gaCell) {
        CloseFitHint();
        return;
    }
    if (hit.col == m_hintCol && hit.row == m_hintRow) return;
    CloseFitHint();
    TCustomColumn& column = m_columns[hit.col];
    if (!column.HasOption(coShowTextFitHint)) return;
    ui::TForm* form = Form();
    if (form == nullptr || !form->Active()) return;
    m_hintCol = hit.col;
    m_hintRow = hit.row;
    const std::u16string text = CellAt(hit.col, hit.row).AsString();
    if (text.empty()) return;
    const int width = MeasuringCanvas()->TextExtent(text, column.Font()).cx;
    if (column.Width() < width + kFitSlack) m_fitHint.Open(text, {hit.rect.left, hit.rect.top}, ClientRect().Width());
}

void TCustomGrid::CloseFitHint() {
    m_hintCol = m_hintRow = -1;
    m_fitHint.Close();
}

// --- keyboard

bool TCustomGrid::KeyDown(const ui::TKeyEvent& e) {
    const std::vector<int> order = m_columns.DisplayOrder();
    if (order.empty() || RowCount() == 0) return false;
    auto place = std::find(order.begin(), order.end(), m_selCol);
    int index = place == order.end() ? 0 : static_cast<int>(place - order.begin());
    int row = m_selRow;
    const int page = std::max(1, Scroll().Visible() ? Scroll().page : VisibleRows());
    switch (e.key) {
        case ui::TKey::kUp:
            --row;
            break;
        case ui::TKey::kDown:
            ++row;
            break;
        case ui::TKey::kLeft:
            --index;
            break;
        case ui::TKey::kRight:
            ++index;
            break;
        case ui::TKey::kPageUp:
            row -= page;
            break;
        case ui::TKey::kPageDown:
            row += page;
            break;
        case ui::TKey::kHome:
            row = 0;
            break;
        case ui::TKey::kEnd:
            row = RowCount() - 1;
            break;
        default:
            return false;
    }
    index = std::clamp(index, 0, static_cast<int>(order.size()) - 1);
    row = std::clamp(row, 0, RowCount() - 1);
    MoveSelection(order[static_cast<std::size_t>(index)], row);
    return true;
}

void TCustomGrid::MoveSelection(int col, int row) {
    SelectCell(col, row);
    ScrollCellIntoView(col, row);
}

void TCustomGrid::ScrollCellIntoView(int col, int row) {
    ScrollRowIntoView(row);
    const int left = ColumnLeft(col);
    if (left >= 0) ScrollSpanIntoView(left, left + m_columns[col].Width());
}

void TCustomGrid::ScrollTo(int position) {
    CloseFitHint();
    TCustomGridControl::ScrollTo(position);
}

void TCustomGrid::HorzScrollTo(int position) {
    CloseFitHint();
    TCustomGridControl::HorzScrollTo(position);
}

void TCustomGrid::FocusChanged(bool focused) {
    InvalidateCell(m_selCol, m_selRow);
    TCustomGridControl::FocusChanged(focused);
}

// --- accessibility

std::u16string TCustomGrid::RowText(int row) {
    std::u16string text;
    bool first = true;
    for (int col : m_columns.DisplayOrder()) {
        if (!first) text.push_back(u'\t');
        first = false;
        TCustomColumn& column = m_columns[col];
        text += column.Display().PlainText(CellAt(col, row));
    }
    return text;
}

ui::TAccItem TCustomGrid::AccChild(int index) const {
    ui::TAccItem item;
    item.role = ui::TAccRole::arRow;
    if (index < 0 || index >= RowCount()) return item;
    // Reading a row records the cell store's last access, which is not part of the grid's visible state.
    item.name = const_cast<TCustomGrid*>(this)->RowText(index);
    item.state = index == m_selRow ? ui::asSelected : ui::asNone;
    return item;
}

}  // namespace widgets

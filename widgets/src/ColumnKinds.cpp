#include <string>

#include "widgets/Cell.h"
#include "widgets/CheckBoxColumn.h"
#include "widgets/CustomGrid.h"
#include "widgets/DrawHtml.h"
#include "widgets/HtmlColumn.h"
#include "widgets/ImageColumn.h"
#include "widgets/IncrementColumn.h"
#include "widgets/TextColumn.h"

namespace widgets {

std::u16string TColumnDisplay::PlainText(const TCell& cell) const { return cell.AsString(); }

TIncrementColumn::TIncrementColumn(TCustomGrid& grid, int index) : TCustomColumn(grid, index) {
    SetDisplay(std::make_unique<TIncrementColumnDisplay>(*this));
}

TTextColumn::TTextColumn(TCustomGrid& grid, int index) : TCustomColumn(grid, index) {
    SetOptions(kDefaultColumnOptions | coShowTextFitHint);
    SetDisplay(std::make_unique<TTextColumnDisplay>(*this));
}

TCheckBoxColumn::TCheckBoxColumn(TCustomGrid& grid, int index) : TCustomColumn(grid, index) {
    SetDisplay(std::make_unique<TCheckBoxColumnDisplay>(*this));
    SetPlay(std::make_unique<TCheckBoxColumnPlay>(*this));
}

TImageColumn::TImageColumn(TCustomGrid& grid, int index) : TCustomColumn(grid, index) {
    SetDisplay(std::make_unique<TImageColumnDisplay>(*this));
}

THtmlColumn::THtmlColumn(TCustomGrid& grid, int index) : TCustomColumn(grid, index) {
    SetDisplay(std::make_unique<THtmlColumnDisplay>(*this));
    SetPlay(std::make_unique<THtmlColumnPlay>(*this));
}

namespace {

ui::TTextFlags TextFlagsOf(const TCustomColumn& column) {
    ui::TTextFlags flags = ui::tfNoPrefix;
    switch (column.Alignment()) {
        case TAlignment::taLeftJustify:
            break;
        case TAlignment::taRightJustify:
            flags |= ui::tfRight;
            break;
        case TAlignment::taCenter:
            flags |= ui::tfCenter;
            break;
    }
    switch (column.VerticalAlignment()) {
        case TVerticalAlignment::taAlignTop:
            break;
        case TVerticalAlignment::taAlignBottom:
            flags |= ui::tfBottom;
            break;
        case TVerticalAlignment::taVerticalCenter:
            flags |= ui::tfVCenter;
            break;
    }
    switch (column.WrapKind()) {
        case TWrapKind::wkNone:
            flags |= ui::tfSingleLine;
            break;
        case TWrapKind::wkEllipsis:
            flags |= ui::tfSingleLine | ui::tfEndEllipsis;
            break;
        case TWrapKind::wkPathEllipsis:
            flags |= ui::tfSingleLine | ui::tfPathEllipsis;
            break;
        case TWrapKind::wkWordWrap:
            flags |= ui::tfWordWrap;
            break;
    }
    return flags;
}

}  // namespace

void TTextColumnDisplay::Paint(ui::ICanvas& canvas, const TCellPaintInfo& info, const TCell& cell) {
    const ui::TRect r{info.rect.left + TCustomGrid::kTextInset, info.rect.top,
                      info.rect.right - TCustomGrid::kTextInset, info.rect.bottom};
    const std::u16string text = cell.AsString();
    if (!text.empty()) canvas.DrawText(r, text, info.font, TextFlagsOf(Column()));
}

void TCheckBoxColumnDisplay::Paint(ui::ICanvas& canvas, const TCellPaintInfo& info, const TCell& cell) {
    constexpr int kBox = TCheckBoxColumn::kBoxSize;
    const ui::TRect& c = info.rect;
    const ui::TRect box =
        ui::TRect::FromSize(c.left + (c.Width() - kBox) / 2, c.top + (c.Height() - kBox) / 2, kBox, kBox);
    canvas.Rectangle(box, ui::TPen{ui::clBtnShadow, 1}, ui::TBrush{ui::clWindow});
    if (cell.AsBoolean()) {
        // A tick of two strokes, two pixels thick.
        const ui::TPen pen{info.font.color, 2};
        canvas.Line({box.left + 3, box.top + 6}, {box.left + 5, box.top + 9}, pen);
        canvas.Line({box.left + 5, box.top + 9}, {box.left + 10, box.top + 3}, pen);
    }
}

void TCheckBoxColumnPlay::Click(ui::ICanvas&, ui::TSize, ui::TPoint, TCell& cell) {
    cell.SetAsBoolean(!cell.AsBoolean());
}

void THtmlColumnDisplay::Paint(ui::ICanvas& canvas, const TCellPaintInfo& info, const TCell& cell) {
    THtmlInfo html;
    DrawHtml(canvas, info.rect, cell.AsString(), info.font, html, THtmlMode::hmDraw);
}

std::u16string THtmlColumnDisplay::PlainText(const TCell& cell) const { return HtmlPlainText(cell.AsString()); }

void THtmlColumnPlay::MouseMove(ui::ICanvas& canvas, ui::TSize size, ui::TPoint cellPos, TCell& cell) {
    THtmlInfo html;
    DrawHtml(canvas, {0, 0, size.cx, size.cy}, cell.AsString(), Column().Font(), html, THtmlMode::hmMeasure, cellPos);
    Column().Grid().SetCursor(html.Href.empty() ? Column().Cursor() : ui::TCursor::crHandPoint);
}

void THtmlColumnPlay::Click(ui::ICanvas& canvas, ui::TSize size, ui::TPoint cellPos, TCell& cell) {
    THtmlInfo html;
    DrawHtml(canvas, {0, 0, size.cx, size.cy}, cell.AsString(), Column().Font(), html, THtmlMode::hmMeasure, cellPos);
    auto& column = static_cast<THtmlColumn&>(Column());
    if (!html.Href.empty() && column.OnClick) column.OnClick(*this, html.Href);
}

}  // namespace widgets

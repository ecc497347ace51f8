#pragma once

#include <string>

#include "widgets/CheckBoxColumn.h"
#include "widgets/HtmlColumn.h"
#include "widgets/ImageColumn.h"
#include "widgets/IncrementColumn.h"
#include "widgets/ReportGrid.h"
#include "widgets/TextColumn.h"

namespace widgets::test {

template <class T>
T& AddColumn(TReportGrid& grid, const char16_t* caption, int width, TAlignment alignment, TColumnOptions options) {
    T& column = grid.Columns().Add<T>();
    column.Header().SetCaption(caption);
    column.SetWidth(width);
    column.SetAlignment(alignment);
    column.SetOptions(options);
    return column;
}

// Sets grid up as the main window does: its options and nine columns (two
// hidden), the HTML columns' clicks going to onClick.
inline void AddResultColumns(TReportGrid& grid, const THtmlClickEvent& onClick) {
    grid.SetOptions(goGrid | goHeader | goRowResizing | goSecondClickEdit);
    grid.SetAppearanceOptions(aoHideSelection | aoHintMarks);
    grid.SetHeaderSize(20);
    grid.SetGridLinesColor(ui::clBtnFace);
    constexpr TColumnOptions kBase = coCanInput | coCanSort | coPublicUsing;
    AddColumn<TIncrementColumn>(grid, u"No", 30, TAlignment::taRightJustify, kBase | coEditorAutoSelect);
    AddColumn<TCheckBoxColumn>(grid, u"", 22, TAlignment::taCenter, kBase).SetVisible(false);
    AddColumn<TImageColumn>(grid, u"", 20, TAlignment::taLeftJustify, kBase).SetVisible(false);
    AddColumn<TTextColumn>(grid, u"Title", 180, TAlignment::taLeftJustify, kBase | coShowTextFitHint);
    AddColumn<TTextColumn>(grid, u"Company", 120, TAlignment::taLeftJustify, kBase);
    AddColumn<TTextColumn>(grid, u"Version (Local)", 120, TAlignment::taLeftJustify, kBase);
    for (const char16_t* caption : {u"Version (Corvanthelis)", u"Version (Publisher)", u"Version (All)"})
        AddColumn<THtmlColumn>(grid, caption, 120, TAlignment::taLeftJustify, kBase | coEditing).OnClick = onClick;
}

// Appends rows of (title "Title <row>", company, local version, three markup values).
inline void FillRows(TReportGrid& grid, int rows, const std::u16string& html) {
    for (int i = 0; i < rows; ++i) {
        const int row = grid.RowCount();
        grid.AddRow(1);
        const std::string n = std::to_string(row);
        grid.Cell(3, row).SetAsString(u"Title " + std::u16string(n.begin(), n.end()));
        grid.Cell(4, row).SetAsString(u"Company");
        grid.Cell(5, row).SetAsString(u"1.0");
        for (int c = 6; c <= 8; ++c) grid.Cell(c, row).SetAsString(html);
    }
}

}  // namespace widgets::test

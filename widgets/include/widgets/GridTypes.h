#pragma once

#include <cstdint>

// The option sets, alignments and kinds shared by the grid, its columns and its cells.
namespace widgets {

// Behaviour flags of a grid; combine with |.
enum TGridOption : std::uint32_t {
    goCanHideColumn = 1u << 0,
    goDisableColumnMoving = 1u << 1,
    goEscClearEdit = 1u << 2,
    goFooter = 1u << 3,
    goGrid = 1u << 4,    // grid lines between cells
    goHeader = 1u << 5,  // the header row shows
    goIndicator = 1u << 6,
    goInput = 1u << 7,
    goLockFixedCols = 1u << 8,
    goMultiSelect = 1u << 9,
    goRowResizing = 1u << 10,
    goRowMoving = 1u << 11,
    goSecondClickEdit = 1u << 12,
    goSelectFullRow = 1u << 13,
    goUseDefaultValues = 1u << 14,  // new cells take their column's DefaultValue
    goInplaceEditEvents = 1u << 15,
};
using TGridOptions = std::uint32_t;

// Drawing flags of a grid; combine with |.
enum TAppearanceOption : std::uint32_t {
    ao3DGridLines = 1u << 0,
    aoAlphaBlendedSelection = 1u << 1,
    aoBoldTextSelection = 1u << 2,
    aoDontFillCells = 1u << 3,
    aoHideFocus = 1u << 4,
    aoHideSelection = 1u << 5,  // without the focus the selected cell looks like any other
    aoHighlightSlideCells = 1u << 6,
    aoHintMarks = 1u << 7,  // a cell with a cell hint gets a red corner mark
    aoIndicateSelectedCell = 1u << 8,
    aoIndicateSortedColumn = 1u << 9,
};
using TAppearanceOptions = std::uint32_t;

// Behaviour flags of a column; combine with |.
enum TColumnOption : std::uint32_t {
    coAutoSize = 1u << 0,
    coCanClick = 1u << 1,  // the header can be pressed
    coCanInput = 1u << 2,
    coCanSort = 1u << 3,
    coDisableMoving = 1u << 4,
    coDontHighlight = 1u << 5,
    coEditing = 1u << 6,  // clicks reach the column's interaction object
    coEditorAutoSelect = 1u << 7,
    coFixedSize = 1u << 8,  // the user cannot resize the column
    coImageForIcon = 1u << 9,
    coPublicUsing = 1u << 10,
    coFullResort = 1u << 11,
    coSearchColumn = 1u << 12,
    coShowTextFitHint = 1u << 13,  // a hint shows text that does not fit
    coTextForCaption = 1u << 14,
};
using TColumnOptions = std::uint32_t;

// The options a column starts with.
constexpr TColumnOptions kDefaultColumnOptions = coCanClick | coCanInput | coCanSort | coPublicUsing;

// Horizontal alignment of text.
enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
// Vertical alignment of text in a cell.
enum class TVerticalAlignment { taAlignTop, taAlignBottom, taVerticalCenter };
// What happens to cell text wider than its cell.
enum class TWrapKind { wkNone, wkEllipsis, wkPathEllipsis, wkWordWrap };
// What a column header shows.
enum class TDisplayMode { dmImageOnly, dmTextAndImage, dmTextOnly };
// How a column would compare its cells when sorting.
enum class TSortType { stAlphabetic, stBoolean, stCaseInsensitive, stCustom, stNumeric, stDate, stIP };
// The direction of a sort.
enum class TSortKind { skAscending, skDescending };

// The class of cell a column kind stores.
enum class TCellKind { ckString, ckIncrement, ckBoolean, ckInteger, ckFloat, ckDateTime, ckGuid, ckVirtual };

}  // namespace widgets

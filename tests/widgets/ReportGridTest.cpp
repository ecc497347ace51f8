#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GridFixture.h"
#include "ui/AccessibleSnapshot.h"
#include "widgets/Cell.h"
#include "widgets/Cells.h"
#include "widgets/GridError.h"

namespace widgets::test {
namespace {

using ui::headless::TDrawCall;
using ui::headless::TDrawOp;

std::vector<std::u16string> Texts(const ui::headless::TRecordingCanvas& canvas) {
    std::vector<std::u16string> out;
    for (const TDrawCall& call : canvas.Calls())
        if (call.op == TDrawOp::doTextOut || call.op == TDrawOp::doDrawText) out.push_back(call.text);
    return out;
}

using ReportGrid = GridFixture;

TEST_F(ReportGrid, EmptyGridShowsOnlyTheVisibleHeaders) {
    EXPECT_EQ(Texts(Paint()),
              (std::vector<std::u16string>{u"No", u"Title", u"Company", u"Version (Local)", u"Version (Corvanthelis)",
                                           u"Version (Publisher)", u"Version (All)"}));
    EXPECT_FALSE(grid->Scroll().Visible());
    EXPECT_FALSE(grid->HorzScroll().Visible());
}

TEST_F(ReportGrid, RowsAreNumberedOnReadAndRefillsStartAgain) {
    Fill(5);
    grid->ClearRows();
    grid->AddRow(0);
    grid->AddRow(-1);
    EXPECT_EQ(grid->RowCount(), 0);
    for (int i = 0; i < 3; ++i) grid->AddRow(1);
    EXPECT_EQ(grid->SelectedRow(), -1);
    const auto canvas = Paint();
    for (const char16_t* n : {u"1", u"2", u"3"}) {
        const TDrawCall* call = canvas.FindText(n);
        ASSERT_NE(call, nullptr);
        EXPECT_NE(call->flags & ui::tfRight, 0u) << "the No column is right-aligned";
    }
    EXPECT_EQ(canvas.FindText(u"4"), nullptr);
    EXPECT_EQ(grid->Cell(0, 1).AsString(), u"2");
    // Hidden columns keep their cells, of their kinds' empty values.
    EXPECT_FALSE(grid->Cell(1, 2).AsBoolean());
    EXPECT_EQ(grid->Cell(2, 2).AsInteger(), 0);
    EXPECT_EQ(grid->Cell(6, 2).AsString(), u"");
}

TEST_F(ReportGrid, CellAddressesOutsideTheTableFailWithTheirMessage) {
    Fill(3);
    struct Case {
        int col, row;
        const char* message;
    } cases[] = {{9, 0, "Cell out of bounds (9, 0)"},
                 {-1, 0, "Cell out of bounds (-1, 0)"},
                 {3, 3, "Cell out of bounds (3, 3)"},
                 {0, -1, "Cell out of bounds (0, -1)"}};
    for (const Case& c : cases) {
        try {
            grid->SetCellText(c.col, c.row, u"x");
            ADD_FAILURE() << c.message;
        } catch (const EGridError& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
        EXPECT_THROW(grid->Cell(c.col, c.row), EGridError);
    }
    grid->SetCellText(8, 2, u"ok");
    EXPECT_EQ(grid->Cell(8, 2).AsString(), u"ok");
}

TEST_F(ReportGrid, CellsAreLaidOutInDisplayOrderWithHiddenColumnsTakingNoSpace) {
    Fill(2);
    EXPECT_EQ(grid->HeaderRect(0), (ui::TRect{0, 0, 30, 20}));
    EXPECT_EQ(grid->CellRect(3, 0), (ui::TRect{30, 20, 210, 36}));
    EXPECT_EQ(grid->CellRect(8, 1), (ui::TRect{690, 36, 810, 52}));
    EXPECT_TRUE(grid->CellRect(1, 0).Empty());
    EXPECT_TRUE(grid->HeaderRect(2).Empty());

    const auto canvas = Paint();
    // Text columns: inset by 2 inside the cell less its grid line, single line with an ellipsis.
    const TDrawCall* title = canvas.FindText(u"Title 0");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->rect, (ui::TRect{kLeft + 32, kTop + 20, kLeft + 207, kTop + 35}));
    EXPECT_EQ(title->flags, ui::tfVCenter | ui::tfSingleLine | ui::tfEndEllipsis | ui::tfNoPrefix);
    EXPECT_EQ(title->clip, (ui::TRect{kLeft + 30, kTop + 20, kLeft + 209, kTop + 35}));
    // HTML columns: the markup's runs from 2 right of and 1 below the cell's corner.
    const TDrawCall* version = canvas.FindText(u"1.0");
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->op, TDrawOp::doDrawText) << "the local version is a text column";
    std::vector<ui::TPoint> runs;
    for (const TDrawCall* call : canvas.CallsOf(TDrawOp::doTextOut)) runs.push_back(call->textOrigin);
    ASSERT_EQ(runs.size(), 6u);
    EXPECT_EQ(runs[0], (ui::TPoint{kLeft + 452, kTop + 21}));
    EXPECT_EQ(canvas.CallsOf(TDrawOp::doTextOut)[0]->font.color, ui::clBlue);
    // Grid lines in the grid-lines colour at each cell's right and bottom edge.
    bool line = false;
    for (const TDrawCall* call : canvas.CallsOf(TDrawOp::doLine))
        if (call->points[0] == ui::TPoint{kLeft + 209, kTop + 20} && call->pen.color == ui::clBtnFace) line = true;
    EXPECT_TRUE(line);
}

TEST_F(ReportGrid, HitTestsFindHeadersGrabZonesAndCells) {
    Fill(3);
    struct Case {
        int x, y;
        TGridArea area;
        int col, row;
    } cases[] = {
        {15, 5, TGridArea::gaHeader, 0, -1},  {26, 5, TGridArea::gaHeader, 0, -1}, {27, 5, TGridArea::gaSizing, 0, -1},
        {31, 5, TGridArea::gaSizing, 0, -1},  {32, 5, TGridArea::gaHeader, 3, -1}, {100, 20, TGridArea::gaCell, 3, 0},
        {100, 53, TGridArea::gaCell, 3, 2},   {809, 40, TGridArea::gaCell, 8, 1},  {850, 40, TGridArea::gaNone, -1, -1},
        {100, 68, TGridArea::gaNone, -1, -1},
    };
    for (const Case& c : cases) {
        const TGridHit hit = grid->HitTest({c.x, c.y});
        EXPECT_EQ(hit.area, c.area) << c.x << "," << c.y;
        EXPECT_EQ(hit.col, c.col) << c.x << "," << c.y;
        EXPECT_EQ(hit.row, c.row) << c.x << "," << c.y;
    }
}

TEST_F(ReportGrid, HeaderPressesChangeNothingWithoutCanClick) {
    Fill(3);
    grid->SelectCell(4, 1);
    int headerClicks = 0;
    grid->OnHeaderClick = [&](TCustomGrid&, int) { ++headerClicks; };
    const auto before = Paint().Calls().size();
    system.MouseDown(form, At(100, 10));
    const auto pressed = Paint();
    system.MouseUp(form, At(100, 10));
    EXPECT_EQ(pressed.Calls().size(), before) << "no pressed look";
    EXPECT_EQ(headerClicks, 0);
    EXPECT_EQ(grid->SelectedColumn(), 4);
    EXPECT_EQ(grid->SelectedRow(), 1);
    EXPECT_EQ(grid->Cell(3, 0).AsString(), u"Title 0");

    grid->Columns()[3].SetOptions(grid->Columns()[3].Options() | coCanClick);
    system.Click(form, At(100, 10));
    EXPECT_EQ(headerClicks, 1);
}

TEST_F(ReportGrid, LinkClicksReachOnClickOnlyWithEditing) {
    Fill(2, u"old <a href=\"http://x/dl\">2.0</a>");
    const int linkX = 450 + 2 + 4 * 6 + 3;  // inside "2.0", after "old "
    system.MouseMove(form, At(linkX, 25));
    EXPECT_EQ(system.Cursor(), ui::TCursor::crHandPoint);
    system.MouseMove(form, At(455, 25));
    EXPECT_EQ(system.Cursor(), ui::TCursor::crDefault);

    system.Click(form, At(linkX, 25));
    system.Click(form, At(455, 25));  // on "old": no link
    grid->Columns()[7].SetOptions(grid->Columns()[7].Options() & ~coEditing);
    system.Click(form, At(linkX + 120, 41));
    system.Click(form, At(linkX + 240, 41));
    EXPECT_EQ(clicks, (std::vector<std::string>{"6:http://x/dl", "8:http://x/dl"}));
    EXPECT_EQ(grid->SelectedColumn(), 8);
    EXPECT_EQ(grid->SelectedRow(), 1);

    // Pressed in one cell and released in another is no click.
    system.MouseDown(form, At(linkX, 25));
    system.MouseUp(form, At(linkX, 41));
    EXPECT_EQ(clicks.size(), 2u);
}

TEST_F(ReportGrid, TitleHintShowsWhenTheTextDoesNotFit) {
    grid->AddRow(2);
    grid->Cell(3, 0).SetAsString(std::u16string(30, u'W'));  // 180 pixels: 180 < 180 + 5
    grid->Cell(3, 1).SetAsString(std::u16string(29, u'W'));  // 174 pixels: fits
    grid->Cell(4, 0).SetAsString(std::u16string(40, u'W'));  // no hint option
    system.MouseMove(form, At(100, 25));
    ASSERT_TRUE(system.Hint().shown);
    EXPECT_EQ(system.Hint().text, std::u16string(30, u'W'));
    EXPECT_EQ(system.Hint().formClient, (ui::TPoint{kLeft + 30, kTop + 20}));
    EXPECT_EQ(system.Hint().maxWidth, grid->ClientRect().Width());
    system.MouseMove(form, At(100, 41));
    EXPECT_FALSE(system.Hint().shown);
    system.MouseMove(form, At(250, 25));
    EXPECT_FALSE(system.Hint().shown);

    system.MouseMove(form, At(100, 25));
    ASSERT_TRUE(system.Hint().shown);
    grid->HorzScrollTo(5);
    EXPECT_FALSE(system.Hint().shown) << "scrolling closes the hint";

    system.SetActive(form, false);
    system.MouseMove(form, At(100, 25));
    EXPECT_FALSE(system.Hint().shown) << "only while the window is active";
}

TEST_F(ReportGrid, DraggingAColumnEdgeResizesItDownToEightPixels) {
    Fill(1);
    system.MouseDown(form, At(209, 10));
    system.MouseMove(form, At(229, 10));
    EXPECT_EQ(grid->SizingColumn(), 3);
    EXPECT_EQ(grid->SizingX(), 229) << "on the last pixel of the new width";
    system.MouseUp(form, At(229, 10));
    EXPECT_EQ(grid->Columns()[3].Width(), 200);
    EXPECT_EQ(grid->SizingColumn(), -1);

    system.MouseDown(form, At(230, 10));
    system.MouseMove(form, At(0, 10));
    EXPECT_EQ(grid->SizingX(), 30 + 8 - 1) << "the line stops at the minimum";
    system.MouseUp(form, At(0, 10));
    EXPECT_EQ(grid->Columns()[3].Width(), 8);
    EXPECT_EQ(grid->CellRect(4, 0).left, 38);
}

TEST_F(ReportGrid, ManyRowsScrollAndOnlyVisibleRowsArePainted) {
    Fill(300);
    const ui::TScrollInfo& v = grid->Scroll();
    EXPECT_TRUE(v.Visible());
    EXPECT_EQ(v.range, 300);
    EXPECT_EQ(v.page, 17);  // (300 - 20) / 16 whole rows
    EXPECT_EQ(grid->ClientRect().Width(), 860 - ui::kScrollBarWidth);

    system.Wheel(form, At(100, 100), -120);
    EXPECT_EQ(grid->TopRow(), 3);
    const auto canvas = Paint();
    std::vector<std::u16string> titles;
    for (const auto& text : Texts(canvas))
        if (text.rfind(u"Title ", 0) == 0) titles.push_back(text);
    ASSERT_EQ(titles.size(), 18u) << "17 whole rows and the part of one more";
    EXPECT_EQ(titles.front(), u"Title 3");
    EXPECT_NE(canvas.FindText(u"4"), nullptr) << "row numbers follow the scrolled rows";
    EXPECT_EQ(grid->HitTest({100, 21}).row, 3);

    system.Wheel(form, At(100, 100), -120 * 200);
    EXPECT_EQ(grid->TopRow(), 300 - 17);
    grid->ClearRows();
    EXPECT_EQ(grid->TopRow(), 0);
    EXPECT_FALSE(grid->Scroll().Visible());
}

TEST_F(ReportGrid, NarrowGridScrollsSideways) {
    Fill(3);
    grid->SetBounds(kLeft, kTop, 400, 300);
    const ui::TScrollInfo& h = grid->HorzScroll();
    ASSERT_TRUE(h.Visible());
    EXPECT_EQ(h.range, 810);
    EXPECT_EQ(h.page, 400);
    form.RouteMouseWheel(form, {At(100, 100), -120, ui::ssShift});
    EXPECT_EQ(grid->ScrollX(), 3 * 16);
    EXPECT_EQ(grid->TopRow(), 0);
    grid->HorzScrollTo(100);
    EXPECT_EQ(grid->CellRect(3, 0).left, -70);
    EXPECT_EQ(grid->HitTest({0, 25}).col, 3);
    EXPECT_EQ(grid->ClientRect().Height(), 300 - ui::kScrollBarWidth);
}

TEST_F(ReportGrid, KeysMoveTheSelectedCellAndScrollItIntoView) {
    Fill(100);
    grid->SetBounds(kLeft, kTop, 400, 300);
    grid->SetFocus();
    struct Step {
        ui::TKey key;
        int col, row, top;
    } steps[] = {
        {ui::TKey::kDown, 0, 0, 0},  {ui::TKey::kDown, 0, 1, 0},     {ui::TKey::kRight, 3, 1, 0},
        {ui::TKey::kEnd, 3, 99, 84}, {ui::TKey::kPageUp, 3, 83, 83}, {ui::TKey::kUp, 3, 82, 82},
        {ui::TKey::kHome, 3, 0, 0},  {ui::TKey::kUp, 3, 0, 0},       {ui::TKey::kPageDown, 3, 16, 1},
        {ui::TKey::kLeft, 0, 16, 1}, {ui::TKey::kLeft, 0, 16, 1},
    };
    for (const Step& s : steps) {
        EXPECT_TRUE(system.Key(form, s.key));
        EXPECT_EQ(grid->SelectedColumn(), s.col);
        EXPECT_EQ(grid->SelectedRow(), s.row);
        EXPECT_EQ(grid->TopRow(), s.top);
    }
    for (int i = 0; i < 8; ++i) system.Key(form, ui::TKey::kRight);
    EXPECT_EQ(grid->SelectedColumn(), 8);
    EXPECT_EQ(grid->ScrollX(), grid->HorzScroll().MaxPosition()) << "the last column scrolled into view";
    EXPECT_FALSE(system.Key(form, ui::TKey::kF4));
}

TEST_F(ReportGrid, SelectedCellIsHighlightedOnlyWithTheFocus) {
    Fill(2);
    grid->SelectCell(4, 1);
    auto backgroundOf = [&](const ui::headless::TRecordingCanvas& canvas) {
        const TDrawCall* text = canvas.FindText(u"Company");
        for (const TDrawCall& call : canvas.Calls())
            if (call.op == TDrawOp::doFillRect && call.rect.top == kTop + 36 && call.rect.left == kLeft + 210)
                return std::make_pair(call.color, text);
        return std::make_pair(ui::clNone, text);
    };
    EXPECT_EQ(backgroundOf(Paint()).first, ui::clWindow) << "aoHideSelection without the focus";
    grid->SetFocus();
    const auto canvas = Paint();
    EXPECT_EQ(backgroundOf(canvas).first, ui::clHighlight);
    int highlighted = 0;
    for (const TDrawCall* call : canvas.CallsOf(TDrawOp::doDrawText))
        if (call->font.color == ui::clHighlightText) ++highlighted;
    EXPECT_EQ(highlighted, 1);
}

TEST_F(ReportGrid, AssistiveToolsReadRowsAsTabSeparatedVisibleTexts) {
    Fill(2);
    grid->AddRow(1);
    grid->Cell(6, 2).SetAsString(u"<font color=\"#ff3300\"><b>2.1</b></font><br>beta ");
    grid->SelectCell(3, 1);
    const auto snapshot = ui::ReadAccessible(*grid);
    ASSERT_TRUE(snapshot.has_value());
    EXPECT_EQ(snapshot->role, ui::TAccRole::arTable);
    EXPECT_EQ(snapshot->name, u"Software Versions");
    ASSERT_EQ(snapshot->children.size(), 3u);
    EXPECT_EQ(snapshot->children[0].name, u"1\tTitle 0\tCompany\t1.0\t1.0\t1.0\t1.0");
    EXPECT_EQ(snapshot->children[2].name, u"3\t\t\t\t2.1 beta \t\t");
    EXPECT_EQ(snapshot->children[0].state, ui::asNone);
    EXPECT_EQ(snapshot->children[1].state, ui::asSelected);
    EXPECT_EQ(snapshot->children[1].role, ui::TAccRole::arRow);
    EXPECT_EQ(grid->WindowClassName(), u"TReportGrid");
}

TEST(Cells, ConvertBetweenKindsOrFailWithTheirMessage) {
    TCells store;
    for (TCellKind kind : {TCellKind::ckString, TCellKind::ckBoolean, TCellKind::ckInteger, TCellKind::ckFloat})
        store.AddColumn(kind);
    store.AddRows(1, 16);
    store.Cell(0, 0).SetAsString(u"tRUE");
    EXPECT_TRUE(store.Cell(0, 0).AsBoolean());
    store.Cell(1, 0).SetAsInteger(5);
    EXPECT_EQ(store.Cell(1, 0).AsString(), u"True");
    store.Cell(2, 0).SetAsString(u"-42");
    EXPECT_EQ(store.Cell(2, 0).AsInteger(), -42);
    store.Cell(3, 0).SetAsString(u"2.5");
    EXPECT_EQ(store.Cell(3, 0).AsFloat(), 2.5);
    struct Case {
        int col;
        const char16_t* text;
        const char* message;
    } cases[] = {{1, u"yes", "'yes' is not a valid boolean value"},
                 {2, u"12x", "'12x' is not a valid integer value"},
                 {2, u" 1", "' 1' is not a valid integer value"},
                 {3, u"", "'' is not a valid floating point value"}};
    for (const Case& c : cases) {
        try {
            store.Cell(c.col, 0).SetAsString(c.text);
            ADD_FAILURE() << c.message;
        } catch (const EGridError& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
    EXPECT_THROW(store.Cell(0, 0).AsInteger(), EGridError);
}

TEST_F(ReportGrid, CellWritesRepaintOnlyTheirCell) {
    Fill(2);
    const int before = system.InvalidateCount(*grid);
    grid->Cell(5, 1).SetAsString(u"2.0");
    EXPECT_EQ(system.InvalidateCount(*grid), before + 1);
    grid->Cell(0, 1).SetAsString(u"99");  // increment cells ignore writes
    EXPECT_EQ(system.InvalidateCount(*grid), before + 1);
    EXPECT_EQ(grid->Cell(0, 1).AsString(), u"2");
}

}  // namespace
}  // namespace widgets::test

// The result grid's speed figures, each against its own peer in one run:
//  1. painting one screen (room for 10 rows) of a grid of 10,000 rows against
//     one of 10 rows (ratio; should stay near 1: only the shown rows are visited);
//  2. ClearRows and filling 9 columns row by row as the main window does, for
//     10,000 rows against 1,000 rows (ratio; linear growth is 10);
//  3. one measuring pass of DrawHtml, as a mouse move over a link cell makes.
// Usage: widgets_bench [REPEATS]   (default 5; the best of the repeats counts)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "ui/headless/RecordingCanvas.h"
#include "widgets/DrawHtml.h"
#include "widgets/HtmlColumn.h"
#include "widgets/IncrementColumn.h"
#include "widgets/ReportGrid.h"
#include "widgets/TextColumn.h"

namespace {

using Clock = std::chrono::steady_clock;

const std::u16string kCellMarkup =
    u"<font color=\"#ff3300\"><b>2.0.1</b></font> <a href=\"http://www.example.com/download/app\">download</a>";

// The best time of repeats runs of f, in seconds.
double Best(int repeats, const std::function<void()>& f) {
    double best = 1e30;
    for (int i = 0; i < repeats; ++i) {
        const auto start = Clock::now();
        f();
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return best;
}

void AddColumns(widgets::TReportGrid& grid) {
    using namespace widgets;
    grid.SetOptions(goGrid | goHeader);
    grid.SetHeaderSize(20);
    auto& number = grid.Columns().Add<TIncrementColumn>();
    number.SetWidth(30);
    number.SetAlignment(TAlignment::taRightJustify);
    grid.Columns().Add<TTextColumn>().SetVisible(false);  // stands in for the hidden check-box column
    grid.Columns().Add<TTextColumn>().SetVisible(false);  // and the hidden image column
    for (int width : {180, 120, 120}) grid.Columns().Add<TTextColumn>().SetWidth(width);
    for (int i = 0; i < 3; ++i) grid.Columns().Add<THtmlColumn>().SetWidth(120);
}

// Fills rows as FillGrid does: one AddRow(1) and six cell texts per record.
void Fill(widgets::TReportGrid& grid, int rows) {
    grid.ClearRows();
    for (int i = 0; i < rows; ++i) {
        grid.AddRow(1);
        grid.Cell(3, i).SetAsString(u"Some Program Title 1.2");
        grid.Cell(4, i).SetAsString(u"Some Company Ltd.");
        grid.Cell(5, i).SetAsString(u"1.2.3.4");
        for (int c = 6; c <= 8; ++c) grid.Cell(c, i).SetAsString(kCellMarkup);
    }
}

double PaintSeconds(int rows, int repeats) {
    widgets::TReportGrid grid;
    grid.SetBounds(0, 0, 860, 20 + 10 * 16);
    AddColumns(grid);
    Fill(grid, rows);
    grid.ScrollTo(rows / 2);
    ui::headless::TRecordingCanvas canvas({0, 0, 860, 20 + 10 * 16});
    constexpr int kPaints = 200;
    return Best(repeats,
                [&] {
                    for (int i = 0; i < kPaints; ++i) {
                        canvas.Clear();
                        grid.Paint(canvas);
                    }
                }) /
           kPaints;
}

double FillSeconds(int rows, int repeats) {
    widgets::TReportGrid grid;
    grid.SetBounds(0, 0, 860, 600);
    AddColumns(grid);
    return Best(repeats, [&] { Fill(grid, rows); });
}

double MeasureSeconds(int repeats) {
    ui::headless::TRecordingCanvas canvas;
    ui::TFont font;
    constexpr int kMoves = 100000;
    std::size_t hits = 0;
    const double seconds = Best(repeats, [&] {
        for (int i = 0; i < kMoves; ++i) {
            widgets::THtmlInfo info;
            widgets::DrawHtml(canvas, {0, 0, 120, 16}, kCellMarkup, font, info, widgets::THtmlMode::hmMeasure,
                              {40 + i % 40, 5});
            hits += info.Href.size();
        }
    });
    if (hits == 0) std::puts("(no link hit)");
    return seconds / kMoves;
}

}  // namespace

int main(int argc, char** argv) {
    const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const double paintSmall = PaintSeconds(10, repeats);
    const double paintLarge = PaintSeconds(10000, repeats);
    std::printf("paint one screen: 10 rows %.1f us, 10000 rows %.1f us, ratio %.2f\n", paintSmall * 1e6,
                paintLarge * 1e6, paintLarge / paintSmall);
    const double fillSmall = FillSeconds(1000, repeats);
    const double fillLarge = FillSeconds(10000, repeats);
    std::printf("ClearRows + fill 9 columns: 1000 rows %.2f ms, 10000 rows %.2f ms, ratio %.2f (linear: 10)\n",
                fillSmall * 1e3, fillLarge * 1e3, fillLarge / fillSmall);
    // The cost per row along the way shows where growth departs from linear.
    for (int rows : {1000, 3000, 10000, 30000})
        std::printf("  %5d rows: %.2f us per row\n", rows, FillSeconds(rows, repeats) / rows * 1e6);
    std::printf("mouse move over a link cell (one measuring pass): %.2f us\n", MeasureSeconds(repeats) * 1e6);
    return 0;
}

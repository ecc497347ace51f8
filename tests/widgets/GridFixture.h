#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/headless/HeadlessWindowSystem.h"
#include "ui/headless/RecordingCanvas.h"
#include "widgets/CheckBoxColumn.h"
#include "widgets/HtmlColumn.h"
#include "widgets/ImageColumn.h"
#include "widgets/IncrementColumn.h"
#include "widgets/ReportGrid.h"
#include "widgets/TextColumn.h"

namespace widgets::test {

// The result grid as the main window sets it up: nine columns (two hidden),
// header 20 high, on a shown headless form; the grid sits at (10, 10).
class GridFixture : public ::testing::Test {
protected:
    static constexpr int kLeft = 10;
    static constexpr int kTop = 10;

    GridFixture() : app(system), form(app.CreateForm<ui::TForm>("TTestForm")) {
        form.SetClientSize(900, 400);
        grid = &form.Add<TReportGrid>();
        grid->SetBounds(kLeft, kTop, 860, 300);
        grid->SetOptions(goGrid | goHeader | goRowResizing | goSecondClickEdit);
        grid->SetAppearanceOptions(aoHideSelection | aoHintMarks);
        grid->SetHeaderSize(20);
        grid->SetGridLinesColor(ui::clBtnFace);
        constexpr TColumnOptions kBase = coCanInput | coCanSort | coPublicUsing;
        AddColumn<TIncrementColumn>(u"No", 30, TAlignment::taRightJustify, kBase | coEditorAutoSelect);
        AddColumn<TCheckBoxColumn>(u"", 22, TAlignment::taCenter, kBase).SetVisible(false);
        AddColumn<TImageColumn>(u"", 20, TAlignment::taLeftJustify, kBase).SetVisible(false);
        AddColumn<TTextColumn>(u"Title", 180, TAlignment::taLeftJustify, kBase | coShowTextFitHint);
        AddColumn<TTextColumn>(u"Company", 120, TAlignment::taLeftJustify, kBase);
        AddColumn<TTextColumn>(u"Version (Local)", 120, TAlignment::taLeftJustify, kBase);
        for (const char16_t* caption : {u"Version (Corvanthelis)", u"Version (Publisher)", u"Version (All)"}) {
            auto& html = AddColumn<THtmlColumn>(caption, 120, TAlignment::taLeftJustify, kBase | coEditing);
            html.OnClick = [this](TColumnPlay& sender, const std::u16string& href) {
                clicks.push_back(std::to_string(sender.Column().Index()) + ":" + std::string(href.begin(), href.end()));
            };
        }
        form.Show();
    }

    template <class T>
    T& AddColumn(const char16_t* caption, int width, TAlignment alignment, TColumnOptions options) {
        T& column = grid->Columns().Add<T>();
        column.Header().SetCaption(caption);
        column.SetWidth(width);
        column.SetAlignment(alignment);
        column.SetOptions(options);
        return column;
    }

    // Appends rows of (title, company, local, three markup values).
    void Fill(int rows, const std::u16string& html = u"<a href=\"http://x/\">1.0</a>") {
        for (int i = 0; i < rows; ++i) {
            const int row = grid->RowCount();
            grid->AddRow(1);
            const std::string n = std::to_string(row);
            grid->Cell(3, row).SetAsString(u"Title " + std::u16string(n.begin(), n.end()));
            grid->Cell(4, row).SetAsString(u"Company");
            grid->Cell(5, row).SetAsString(u"1.0");
            for (int c = 6; c <= 8; ++c) grid->Cell(c, row).SetAsString(html);
        }
    }

    // A point of the grid's client area in the form's client space.
    static ui::TPoint At(int x, int y) { return {kLeft + x, kTop + y}; }

    ui::headless::TRecordingCanvas Paint() {
        ui::headless::TRecordingCanvas canvas({0, 0, 900, 400});
        system.Paint(form, canvas);
        return canvas;
    }

    ui::headless::THeadlessWindowSystem system;
    ui::TApplication app;
    ui::TForm& form;
    TReportGrid* grid = nullptr;
    std::vector<std::string> clicks;
};

}  // namespace widgets::test

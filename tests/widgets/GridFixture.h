#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ResultGrid.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/headless/HeadlessWindowSystem.h"
#include "ui/headless/RecordingCanvas.h"

namespace widgets::test {

// The result grid as the main window sets it up, on a shown headless form;
// the grid sits at (10, 10) and is 860 by 300.
class GridFixture : public ::testing::Test {
protected:
    static constexpr int kLeft = 10;
    static constexpr int kTop = 10;

    GridFixture() : app(system), form(app.CreateForm<ui::TForm>("TTestForm")) {
        form.SetClientSize(900, 400);
        grid = &form.Add<TReportGrid>();
        grid->SetBounds(kLeft, kTop, 860, 300);
        AddResultColumns(*grid, [this](TColumnPlay& sender, const std::u16string& href) {
            clicks.push_back(std::to_string(sender.Column().Index()) + ":" + std::string(href.begin(), href.end()));
        });
        form.Show();
    }

    void Fill(int rows, const std::u16string& html = u"<a href=\"http://x/\">1.0</a>") { FillRows(*grid, rows, html); }

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

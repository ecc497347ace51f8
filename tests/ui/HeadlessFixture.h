#pragma once

#include <gtest/gtest.h>

#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/headless/HeadlessWindowSystem.h"
#include "ui/headless/RecordingCanvas.h"

namespace ui::test {

// An application on the headless backend with one shown form of 400 by 300.
class HeadlessFixture : public ::testing::Test {
protected:
    HeadlessFixture() : app(system), form(app.CreateForm<TForm>("TTestForm")) {
        app.SetTitle("Pelmira");
        form.SetCaption(u"Test");
        form.SetClientSize(400, 300);
        form.Show();
    }

    // Paints the whole form and returns the recording.
    headless::TRecordingCanvas PaintForm() {
        headless::TRecordingCanvas canvas({0, 0, 400, 300});
        system.Paint(form, canvas);
        return canvas;
    }

    headless::THeadlessWindowSystem system;
    TApplication app;
    TForm& form;
};

}  // namespace ui::test

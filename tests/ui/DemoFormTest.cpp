#include "DemoForm.h"

#include <gtest/gtest.h>

#include "ui/headless/HeadlessWindowSystem.h"

namespace ui::demo {
namespace {

using headless::TDrawOp;

class DemoFormTest : public ::testing::Test {
protected:
    DemoFormTest() : app(system), form(app.CreateForm<TDemoForm>()) { form.Show(); }

    headless::THeadlessWindowSystem system;
    TApplication app;
    TDemoForm& form;
};

TEST_F(DemoFormTest, DrawsLinkPanelShapeAndButton) {
    headless::TRecordingCanvas canvas({0, 0, 420, 240});
    system.Paint(form, canvas);
    EXPECT_NE(canvas.FindText(u"Count a Click"), nullptr);
    EXPECT_NE(canvas.FindText(u"Software Versions"), nullptr);
    EXPECT_NE(canvas.FindText(u"0 clicks counted."), nullptr);
    EXPECT_NE(canvas.FindText(u"OK"), nullptr);
    const auto ellipses = canvas.CallsOf(TDrawOp::doEllipse);
    ASSERT_EQ(ellipses.size(), 1u);
    EXPECT_EQ(ellipses[0]->rect, (TRect{396, 6, 410, 20}));
    EXPECT_TRUE(system.Centered(form));
}

TEST_F(DemoFormTest, MenuLinkAndButtonAllCount) {
    ASSERT_TRUE(form.MenuCommand(form.Menu().Find(u"Count")->Id()));
    system.Click(form.link);
    form.button.SetFocus();
    system.Key(form, TKey::kSpace);
    EXPECT_EQ(form.Clicks(), 3);
    EXPECT_EQ(form.info.Text(), u"3 clicks counted.");
    EXPECT_EQ(form.info.WindowText(), u"Software Versions\r\n3 clicks counted.");
}

TEST_F(DemoFormTest, HideLinkItemTogglesTheLinkAndItsCaption) {
    ASSERT_TRUE(form.MenuCommand(form.hideItem.Id()));
    EXPECT_FALSE(form.link.Visible());
    EXPECT_EQ(form.Menu().Find(u"Show Link"), &form.hideItem);
    system.Click(form, {20, 12});  // where the link was
    EXPECT_EQ(form.Clicks(), 0);
    ASSERT_TRUE(form.MenuCommand(form.hideItem.Id()));
    EXPECT_TRUE(form.link.Visible());
}

TEST_F(DemoFormTest, TimerBlinksTheLightAndExitEndsTheProgram) {
    const TColor first = form.light.Brush().color;
    system.FireTimers();
    EXPECT_NE(form.light.Brush().color, first);
    system.FireTimers();
    EXPECT_EQ(form.light.Brush().color, first);
    EXPECT_EQ(form.Ticks(), 2);
    ASSERT_TRUE(form.MenuCommand(form.exitItem.Id()));
    EXPECT_TRUE(app.Terminated());
}

TEST_F(DemoFormTest, AboutShowsItsTextAndTheProgramGoesOn) {
    app.SetTitle("Pelmira UI Demo");
    ASSERT_TRUE(form.MenuCommand(form.Menu().Find(u"About")->Id()));
    ASSERT_EQ(system.MessageBoxes().size(), 1u);
    const headless::TShownMessageBox& box = system.MessageBoxes()[0];
    EXPECT_EQ(box.text, "Pelmira UI Demo: a link, a panel, a shape, a button and a menu.");
    EXPECT_EQ(box.caption, "Pelmira UI Demo");
    EXPECT_EQ(box.kind, TMessageBoxKind::mbPlain);
    EXPECT_FALSE(form.IsClosed());
    EXPECT_FALSE(app.Terminated());
}

}  // namespace
}  // namespace ui::demo

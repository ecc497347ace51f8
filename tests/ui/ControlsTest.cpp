#include <gtest/gtest.h>

#include "HeadlessFixture.h"
#include "ui/Button.h"
#include "ui/InfoPanel.h"
#include "ui/Label.h"
#include "ui/LinkLabel.h"
#include "ui/Notebook.h"
#include "ui/Panel.h"
#include "ui/Shape.h"

namespace ui::test {
namespace {

using headless::TDrawOp;

using ControlsTest = HeadlessFixture;

TEST_F(ControlsTest, LinkDrawsImageAndBlueTahomaCaption) {
    auto& bar = form.Add<TPanel>();
    bar.SetBounds(0, 0, 400, 25);
    bar.SetColor(clWindow);
    auto& link = bar.Add<TLinkLabel>();
    link.SetBounds(8, 6, 120, 14);
    link.SetText(u"Scan Local Software");

    const auto canvas = PaintForm();
    const auto* text = canvas.FindText(u"Scan Local Software");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->font.face, u"Tahoma");
    EXPECT_EQ(text->font.size, 8);
    EXPECT_EQ(text->font.color, clBlue);
    EXPECT_EQ(text->font.style & fsUnderline, 0);
    // Image 8 wide, gap 4: the caption starts 12 pixels into the link; an
    // 11-pixel line centred in 14 pixels starts 1 pixel down.
    EXPECT_EQ(text->textOrigin, (TPoint{20, 7}));
    const auto polygons = canvas.CallsOf(TDrawOp::doPolygon);
    ASSERT_EQ(polygons.size(), 1u);
    for (TPoint p : polygons[0]->points) EXPECT_TRUE((TRect{8, 6, 20, 20}).Contains(p));
    // The link sits on the bar's colour.
    const auto fills = canvas.CallsOf(TDrawOp::doFillRect);
    ASSERT_GE(fills.size(), 3u);
    EXPECT_EQ(fills[2]->rect, (TRect{8, 6, 128, 20}));
    EXPECT_EQ(fills[2]->color, clWindow);

    headless::TRecordingCanvas measure;
    EXPECT_EQ(link.PreferredWidth(measure), 8 + 4 + 19 * 6 + 2);
}

TEST_F(ControlsTest, LinkUnderlinesWhileHoveredAndShowsTheHand) {
    auto& link = form.Add<TLinkLabel>();
    link.SetBounds(10, 10, 100, 16);
    link.SetText(u"Settings");
    system.MouseMove(form, {20, 15});
    EXPECT_TRUE(link.Hovered());
    EXPECT_EQ(system.Cursor(), TCursor::crHandPoint);
    EXPECT_NE(PaintForm().FindText(u"Settings")->font.style & fsUnderline, 0);

    system.MouseMove(form, {200, 200});
    EXPECT_FALSE(link.Hovered());
    EXPECT_EQ(system.Cursor(), TCursor::crDefault);
    EXPECT_EQ(PaintForm().FindText(u"Settings")->font.style & fsUnderline, 0);
}

TEST_F(ControlsTest, ShapeFillsItsBoundsWithBrushAndPen) {
    struct Case {
        int penWidth;
        TRect expected;  // form coordinates, shape at (100, 50) sized 14 by 14
    };
    const Case cases[] = {
        {1, {100, 50, 114, 64}},
        {2, {101, 51, 114, 64}},
        {3, {101, 51, 113, 63}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.penWidth);
        auto& shape = form.Add<TShape>();
        shape.SetBounds(100, 50, 14, 14);
        shape.SetBrush(TBrush{Rgb(155, 159, 166)});
        shape.SetPen(TPen{Rgb(128, 128, 128), c.penWidth});
        const auto canvas = PaintForm();
        const auto ellipses = canvas.CallsOf(TDrawOp::doEllipse);
        ASSERT_EQ(ellipses.size(), 1u);
        EXPECT_EQ(ellipses[0]->rect, c.expected);
        EXPECT_EQ(ellipses[0]->brush.color, Rgb(155, 159, 166));
        EXPECT_EQ(ellipses[0]->pen.color, 8421504u);
        shape.SetVisible(false);  // leaves the next case alone on the form
    }
}

TEST_F(ControlsTest, ShapeIsWindowlessAndItsChangesRedrawTheParent) {
    auto& bar = form.Add<TPanel>();
    bar.SetBounds(0, 0, 400, 25);
    auto& shape = bar.Add<TShape>();
    shape.SetBounds(380, 6, 14, 14);
    EXPECT_EQ(shape.Peer(), nullptr);
    ASSERT_NE(bar.Peer(), nullptr);
    const int before = system.InvalidateCount(bar);
    shape.SetBrush(TBrush{clRed});
    shape.SetBrush(TBrush{clRed});  // unchanged: nothing to draw
    EXPECT_EQ(system.InvalidateCount(bar), before + 1);
    shape.SetHint(u"Scanning");
    EXPECT_EQ(shape.WindowText(), u"Scanning");
}

TEST_F(ControlsTest, InfoPanelShowsTitleAndTextAndOffersBothAsWindowText) {
    auto& panel = form.Add<TInfoPanel>();
    panel.SetBounds(0, 25, 400, 40);
    panel.SetTitle(u"Software Versions");
    panel.SetText(u"0 software programs installed. 0 new software versions found.");
    EXPECT_EQ(panel.WindowText(),
              u"Software Versions\r\n0 software programs installed. 0 new software versions found.");

    const auto canvas = PaintForm();
    const auto* title = canvas.FindText(u"Software Versions");
    const auto* text = canvas.FindText(u"0 software programs installed. 0 new software versions found.");
    ASSERT_NE(title, nullptr);
    ASSERT_NE(text, nullptr);
    EXPECT_NE(title->font.style & fsBold, 0);
    EXPECT_EQ(text->font.style & fsBold, 0);
    EXPECT_LT(title->textOrigin.y, text->textOrigin.y);
    EXPECT_EQ(text->textOrigin.x, TInfoPanel::kTextLeft);
}

TEST_F(ControlsTest, ControlsTakeTheFormsFontUntilTheyGetTheirOwn) {
    form.SetFont(TFont{u"MS Sans Serif", 8, fsNone, clWindowText});
    auto& label = form.Add<TLabel>();
    label.SetBounds(0, 0, 100, 16);
    label.SetText(u"Program:");
    EXPECT_EQ(label.Font().face, u"MS Sans Serif");
    label.SetFont(TFont{u"Trebuchet MS", 8, fsNone, clGray, 16});
    form.SetFont(TFont{u"Arial", 9, fsNone, clWindowText});
    EXPECT_EQ(label.Font().face, u"Trebuchet MS");

    label.SetEnabled(false);
    const auto canvas = PaintForm();
    const auto* drawn = canvas.FindText(u"Program:");
    ASSERT_NE(drawn, nullptr);
    EXPECT_EQ(drawn->font.color, clGrayText);
    EXPECT_EQ(drawn->font.pixelHeight, 16);
}

TEST_F(ControlsTest, NotebookShowsOnePageAtATime) {
    auto& book = form.Add<TNotebook>();
    book.SetBounds(0, 50, 400, 250);
    auto& results = book.AddPage("softwareVersionTab");
    auto& about = book.AddPage("AboutTab");
    auto& settings = book.AddPage("SettingsTab");
    auto& ok = about.Add<TButton>();
    ok.SetBounds(10, 10, 75, 25);
    ok.SetText(u"OK");
    auto& info = settings.Add<TInfoPanel>();
    info.SetTitle(u"Settings");

    EXPECT_EQ(book.PageIndex(), 0);
    EXPECT_TRUE(results.Showing());
    EXPECT_FALSE(about.Showing());
    EXPECT_EQ(about.Bounds(), (TRect{0, 0, 400, 250}));
    EXPECT_EQ(PaintForm().FindText(u"OK"), nullptr);

    book.ShowPage(about);
    EXPECT_EQ(book.PageIndex(), 1);
    EXPECT_FALSE(results.Showing());
    EXPECT_NE(PaintForm().FindText(u"OK"), nullptr);

    // The page colour comes from the notebook.
    book.SetColor(Rgb(227, 239, 255));
    EXPECT_EQ(about.BackgroundColor(), Rgb(227, 239, 255));

    book.SetPageIndex(7);  // outside: nothing changes
    EXPECT_EQ(book.PageIndex(), 1);
    book.SetBounds(0, 40, 300, 200);
    EXPECT_EQ(settings.Bounds(), (TRect{0, 0, 300, 200}));
    EXPECT_EQ(&book.Page(2), &settings);
    EXPECT_THROW(book.Page(3), std::out_of_range);
}

TEST_F(ControlsTest, ButtonLooksPressedWhileHeld) {
    auto& button = form.Add<TButton>();
    button.SetBounds(300, 250, 75, 25);
    button.SetText(u"OK");
    int clicks = 0;
    button.OnClick = [&](TControl&) { ++clicks; };

    system.MouseDown(form, {310, 260});
    EXPECT_TRUE(button.Down());
    const auto pressed = PaintForm();
    EXPECT_EQ(pressed.FindText(u"OK")->rect, (TRect{301, 251, 376, 276}));
    system.MouseUp(form, {310, 260});
    EXPECT_FALSE(button.Down());
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(PaintForm().FindText(u"OK")->rect, (TRect{300, 250, 375, 275}));
}

}  // namespace
}  // namespace ui::test

#include "ui/headless/RecordingCanvas.h"

#include <gtest/gtest.h>

namespace ui::headless {
namespace {

TEST(RecordingCanvas, FixedTextMetricsFollowTheFont) {
    struct Case {
        TFont font;
        int lineHeight;
        int charWidth;
    };
    const Case cases[] = {
        {TFont{u"Tahoma", 8, fsNone, clBlack}, 11, 6},
        {TFont{u"Tahoma", 8, fsBold, clBlack}, 11, 7},
        {TFont{u"Tahoma", 10, fsItalic, clBlack}, 13, 7},
        {TFont{u"Trebuchet MS", 8, fsNone, clBlack, 43}, 43, 22},
        {TFont{u"Trebuchet MS", 8, fsNone, clBlack, 16}, 16, 8},
    };
    TRecordingCanvas canvas;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.font.size * 100 + c.font.pixelHeight);
        EXPECT_EQ(TRecordingCanvas::LineHeight(c.font), c.lineHeight);
        EXPECT_EQ(TRecordingCanvas::CharWidth(c.font), c.charWidth);
        EXPECT_EQ(canvas.TextExtent(u"abcd", c.font), (TSize{4 * c.charWidth, c.lineHeight}));
    }
    EXPECT_EQ(canvas.TextExtent(u"", TFont{}), (TSize{0, 11}));
}

TEST(RecordingCanvas, ViewportsMoveTheOriginAndClipsNest) {
    TRecordingCanvas canvas({0, 0, 200, 100});
    canvas.PushViewport({10, 20, 110, 70});
    EXPECT_EQ(canvas.ClipRect(), (TRect{0, 0, 100, 50}));
    canvas.PushClip({50, -10, 300, 30});
    EXPECT_EQ(canvas.ClipRect(), (TRect{50, 0, 100, 30}));
    canvas.FillRect({0, 0, 5, 5}, clRed);
    canvas.PushViewport({60, 5, 70, 15});
    canvas.Line({0, 0}, {3, 4}, TPen{clBlue, 2});
    canvas.PopClip();
    canvas.PopClip();
    canvas.PopClip();
    canvas.PopClip();  // one too many: the surface's own clip stays
    canvas.FrameRect({0, 0, 5, 5}, clBlack);

    ASSERT_EQ(canvas.Calls().size(), 3u);
    const TDrawCall& fill = canvas.Calls()[0];
    EXPECT_EQ(fill.rect, (TRect{10, 20, 15, 25}));
    EXPECT_EQ(fill.clip, (TRect{60, 20, 110, 50}));
    EXPECT_EQ(fill.color, clRed);
    const TDrawCall& line = canvas.Calls()[1];
    EXPECT_EQ(line.points, (std::vector<TPoint>{{70, 25}, {73, 29}}));
    EXPECT_EQ(line.clip, (TRect{70, 25, 80, 35}));
    EXPECT_EQ(line.pen, (TPen{clBlue, 2}));
    EXPECT_EQ(canvas.Calls()[2].clip, (TRect{0, 0, 200, 100}));
    EXPECT_EQ(canvas.Calls()[2].rect, (TRect{0, 0, 5, 5}));
}

TEST(RecordingCanvas, DisjointClipIsEmpty) {
    TRecordingCanvas canvas({0, 0, 50, 50});
    TClipScope outer(canvas, {0, 0, 10, 10});
    TClipScope inner(canvas, {20, 20, 30, 30});
    EXPECT_TRUE(canvas.ClipRect().Empty());
}

TEST(RecordingCanvas, DrawTextLaysOutOneLine) {
    // 8-point text: 6 pixels per character, 11 pixels high.
    const TFont font{u"Tahoma", 8, fsNone, clBlack};
    struct Case {
        const char* name;
        TRect rect;
        std::u16string text;
        TTextFlags flags;
        std::u16string shown;
        TPoint origin;
    };
    const Case cases[] = {
        {"left top", {10, 10, 110, 30}, u"abc", tfSingleLine, u"abc", {10, 10}},
        {"right", {10, 10, 110, 30}, u"abc", tfSingleLine | tfRight, u"abc", {92, 10}},
        {"centre both", {10, 10, 110, 31}, u"abcd", tfSingleLine | tfCenter | tfVCenter, u"abcd", {48, 15}},
        {"bottom", {0, 0, 60, 40}, u"ab", tfSingleLine | tfBottom, u"ab", {0, 29}},
        {"fits exactly", {0, 0, 30, 16}, u"abcde", tfSingleLine | tfEndEllipsis, u"abcde", {0, 0}},
        {"end ellipsis", {0, 0, 30, 16}, u"abcdef", tfSingleLine | tfEndEllipsis, u"ab...", {0, 0}},
        {"path ellipsis", {0, 0, 42, 16}, u"C:\\dir\\file", tfSingleLine | tfPathEllipsis, u"C:...le", {0, 0}},
        {"too narrow for anything", {0, 0, 10, 16}, u"abcdef", tfSingleLine | tfEndEllipsis, u"...", {0, 0}},
        {"no ellipsis asked", {0, 0, 12, 16}, u"abcdef", tfSingleLine, u"abcdef", {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TRecordingCanvas canvas;
        canvas.DrawText(c.rect, c.text, font, c.flags);
        ASSERT_EQ(canvas.Calls().size(), 1u);
        EXPECT_EQ(canvas.Calls()[0].shownText, c.shown);
        EXPECT_EQ(canvas.Calls()[0].textOrigin, c.origin);
        EXPECT_EQ(canvas.Calls()[0].text, c.text);
    }
}

TEST(RecordingCanvas, FindsTextAndCallsByKind) {
    TRecordingCanvas canvas;
    canvas.TextOut({1, 2}, u"first", TFont{}, clWhite);
    canvas.DrawText({0, 0, 50, 20}, u"second", TFont{}, tfSingleLine);
    canvas.Ellipse({0, 0, 14, 14}, TPen{}, TBrush{});
    ASSERT_NE(canvas.FindText(u"second"), nullptr);
    EXPECT_EQ(canvas.FindText(u"second")->op, TDrawOp::doDrawText);
    EXPECT_EQ(canvas.FindText(u"first")->rect, (TRect{1, 2, 31, 13}));
    EXPECT_EQ(canvas.FindText(u"first")->color, clWhite);
    EXPECT_EQ(canvas.FindText(u"third"), nullptr);
    EXPECT_EQ(canvas.CallsOf(TDrawOp::doEllipse).size(), 1u);
    EXPECT_TRUE(canvas.CallsOf(TDrawOp::doPolygon).empty());
}

}  // namespace
}  // namespace ui::headless

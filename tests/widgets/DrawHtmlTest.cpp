#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/CodePage.h"
#include "ui/headless/RecordingCanvas.h"
#include "widgets/DrawHtml.h"

namespace widgets {
namespace {

using ui::headless::TRecordingCanvas;

// The headless metrics: Tahoma 8 pt is 11 pixels high and 6 wide per character (7 in bold).
constexpr int kLine = 11;
constexpr int kChar = 6;
const ui::TRect kCell{10, 20, 130, 36};

ui::TFont CellFont() {
    ui::TFont font;
    font.color = ui::clBlack;
    return font;
}

// "x,y,style,rrggbb,text" per run, positions relative to the cell.
std::vector<std::string> Runs(const std::u16string& markup) {
    TRecordingCanvas canvas;
    std::vector<std::string> out;
    for (const THtmlRun& run : HtmlRuns(canvas, kCell, markup, CellFont())) {
        char line[160];
        std::snprintf(line, sizeof line, "%d,%d,%d,%02x%02x%02x,", run.pen.x, run.pen.y, run.font.style,
                      ui::RedOf(run.font.color), ui::GreenOf(run.font.color), ui::BlueOf(run.font.color));
        out.push_back(line + std::string(run.text.begin(), run.text.end()));
    }
    return out;
}

std::u16string HrefAt(const std::u16string& markup, ui::TPoint point) {
    TRecordingCanvas canvas;
    THtmlInfo info;
    DrawHtml(canvas, kCell, markup, CellFont(), info, THtmlMode::hmMeasure, point);
    EXPECT_TRUE(canvas.Calls().empty()) << "measuring draws nothing";
    return info.Href;
}

TEST(DrawHtml, RunsAreLaidOutByTheMarkupRules) {
    struct Case {
        const char16_t* markup;
        std::vector<std::string> runs;
    } cases[] = {
        {u"plain text & more", {"2,1,0,000000,plain text & more"}},
        {u"<a href=\"t\">1.2</a>", {"2,1,4,0000ff,1.2"}},
        // Closing tags restore the latest saved state, whatever their name.
        {u"<b><i>x</b>y</i>z", {"2,1,3,000000,x", "9,1,1,000000,y", "16,1,0,000000,z"}},
        // The second break adds nothing: the first reset the line height.
        {u"a<br><br>b", {"2,1,0,000000,a", "2,12,0,000000,b"}},
        {u"a<br />b", {"2,1,0,000000,a", "2,12,0,000000,b"}},
        {u"</b></i>x", {"2,1,0,000000,x"}},
        {u"<font color=#ff3300>x", {"2,1,0,ff3300,x"}},
        {u"<font color=\"#ff3300\">x", {"2,1,0,ff3300,x"}},
        {u"<font color=ff3300>x", {"2,1,0,0f3300,x"}},
        {u"<FONT COLOR=Red>x", {"2,1,0,ff0000,x"}},
        {u"<font color=darkseagreen>x", {"2,1,0,8fbc8b,x"}},
        {u"<font color=transparent>x", {"2,1,0,ffffff,x"}},
        // Unreadable colours draw in the starting colour; alternate spellings are not names.
        {u"<font color=#zz>x<font color=grey>y", {"2,1,0,000000,x", "8,1,0,000000,y"}},
        // Colour only in font tags.
        {u"<b color=red>x", {"2,1,1,000000,x"}},
        // ">" ends the tag even inside quotes; the open quote keeps later "<" as text.
        {u"<font color=\"red>x<b>y", {"2,1,0,ff0000,x<b>y"}},
    };
    for (const Case& c : cases) EXPECT_EQ(Runs(c.markup), c.runs) << platform::Utf16ToUtf8(c.markup);
}

TEST(DrawHtml, LinkTargetsFollowTheLinkTest) {
    const ui::TPoint onText{5, 5};  // on the first character
    struct Case {
        const char16_t* markup;
        ui::TPoint point;
        std::u16string href;
    } cases[] = {
        {u"<a href=\"target\">1.2</a>", onText, u"target"},
        {u"<a href=\"target\">1.2</a>", {1, 5}, u""},              // left of the text
        {u"<a href=\"target\">1.2</a>", {2 + 3 * kChar, 5}, u""},  // just past its end
        {u"<a href=\"target\">1.2</a>", {2 + 3 * kChar - 1, 5}, u"target"},
        {u"<a href=\"target\">1.2</a>", {5, 1 + kLine}, u""},     // below the line
        {u"<a href=a/b/c>x</a>", onText, u"abc"},                 // slashes are the closing flag
        {u"<a href=\"http://h/p?a=1&b=2\">x</a>", onText, u"2"},  // from after the last "="
        {u"<a href=\"u\"><font color=\"red\">v</font></a>", onText, u"red"},
        {u"<a href=\" spaced \">x</a>", onText, u" spaced "},  // not trimmed
        {u"ab<a href=\"t\">x</a>", onText, u""},
        {u"ab<a href=\"t\">x</a>", {2 + 2 * kChar, 5}, u"t"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HrefAt(c.markup, c.point), c.href) << platform::Utf16ToUtf8(c.markup) << c.point.x;
}

TEST(DrawHtml, WidthAndHeightMeasureThePen) {
    TRecordingCanvas canvas;
    THtmlInfo info;
    DrawHtml(canvas, kCell, u"ab<br>c<b>de</b>", CellFont(), info, THtmlMode::hmDraw);
    EXPECT_EQ(info.Width, kCell.left + 2 + kChar + 2 * (kChar + 1));  // "c" and bold "de"
    EXPECT_EQ(info.Height, 1 + kLine + kLine);
    ASSERT_EQ(canvas.CallsOf(ui::headless::TDrawOp::doTextOut).size(), 3u);
    EXPECT_EQ(canvas.Calls()[0].textOrigin, (ui::TPoint{kCell.left + 2, kCell.top + 1}));
    EXPECT_EQ(canvas.Calls()[0].color, ui::clNone) << "transparent background";
}

TEST(DrawHtml, SizeAttributeThatIsNoIntegerIsIgnored) {
    TRecordingCanvas canvas;
    for (const char16_t* markup : {u"<font size=abc>x", u"<font size=\"\">x", u"<font size=99999999999>x",
                                   u"<font size=-3>x", u"<font size=1.5>x"}) {
        const std::vector<THtmlRun> runs = HtmlRuns(canvas, kCell, markup, CellFont());
        ASSERT_EQ(runs.size(), 1u);
        EXPECT_EQ(runs[0].font.size, 8);
    }
    const std::vector<THtmlRun> runs = HtmlRuns(canvas, kCell, u"<font size=\"12\" name=Arial>x", CellFont());
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].font.size, 12);
    EXPECT_EQ(runs[0].font.face, u"Arial");
}

TEST(DrawHtml, ColourValuesSwapIntoTheSystemOrder) {
    EXPECT_EQ(HtmlColor(u"#ff3300"), ui::Rgb(255, 51, 0));
    EXPECT_EQ(HtmlColor(u"red"), ui::Rgb(255, 0, 0));
    EXPECT_EQ(HtmlColor(u"LightGrey"), ui::Rgb(0xD3, 0xD3, 0xD3));
    EXPECT_EQ(HtmlColor(u"lightgray"), kHtmlNoneColor);
    EXPECT_EQ(HtmlColor(u"#"), kHtmlNoneColor);
    EXPECT_EQ(HtmlColor(u""), kHtmlNoneColor);
}

TEST(DrawHtml, PlainTextKeepsRunsAndVisibleBreaks) {
    EXPECT_EQ(HtmlPlainText(u"<a href=\"x\">1.2</a> <b>new</b>"), u"1.2 new");
    EXPECT_EQ(HtmlPlainText(u"a<br><br>b<br />c"), u"a b c");
    EXPECT_EQ(HtmlPlainText(u"<br> x "), u" x ");
    EXPECT_EQ(HtmlPlainText(u""), u"");
}

}  // namespace
}  // namespace widgets

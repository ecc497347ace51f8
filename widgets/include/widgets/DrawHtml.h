#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Canvas.h"
#include "ui/Color.h"
#include "ui/Font.h"
#include "ui/Geometry.h"

// The HTML mini-markup of link cells: a single pass over the text that either
// draws it or measures it and tests a point against its links.
//
// Markup: <b>, <i>, <u> add a style; <a ...> underlines in pure blue and makes
// a link; <font color=.. name=.. size=..> changes colour, face and size; <br>
// (opening or closing) breaks the line; every other tag only saves the font
// state. Any closing tag restores the most recently saved state, whatever its
// name. There are no character entities. Text runs are drawn with their
// top-left corner at the pen, which starts 2 pixels right of and 1 pixel
// below the rectangle's top-left corner; nothing wraps automatically.
namespace widgets {

// What DrawHtml found.
struct THtmlInfo {
    std::u16string Href;      // link target under the test point (measuring only), empty when none
    std::int32_t Width = 0;   // largest pen x reached, in the rectangle's coordinates
    std::int32_t Height = 0;  // pen y at the end less rect.top, plus the height of the last run
};

// Whether DrawHtml draws or only measures and hit-tests.
enum class THtmlMode { hmDraw, hmMeasure };

// The colour value that stands for "no colour" (an unreadable colour attribute).
constexpr ui::TColor kHtmlNoneColor = 0x1FFFFFFFu;
// The largest font size (points) a size attribute may set; larger values are ignored.
constexpr int kMaxHtmlFontSize = 1000;

// Walks the markup text in the cell rectangle rect starting from font. With
// hmDraw it draws every non-empty text run with TextOut (transparent background;
// runs in the none colour are drawn in font's colour); with hmMeasure it draws
// nothing and tests point (relative to rect's top-left corner) against the
// links. info is reset and filled. Never throws for any markup.
void DrawHtml(ui::ICanvas& canvas, const ui::TRect& rect, std::u16string_view text, const ui::TFont& font,
              THtmlInfo& info, THtmlMode mode, ui::TPoint point = {});

// One text run as DrawHtml draws it.
struct THtmlRun {
    ui::TPoint pen;  // top-left corner, in the rectangle's coordinates
    ui::TFont font;  // the font with the colour as drawn
    std::u16string text;
};

// The non-empty text runs DrawHtml draws for text in rect, in drawing order.
std::vector<THtmlRun> HtmlRuns(ui::ICanvas& canvas, const ui::TRect& rect, std::u16string_view text,
                               const ui::TFont& font);

// The text the markup draws, in order, with markup removed and every line
// break that moves the pen to a new line given as one space; nothing trimmed.
std::u16string HtmlPlainText(std::u16string_view text);

// The colour of a "color" attribute value (quotes already removed): a colour
// name is replaced by its #RRGGBB form, then the first character is dropped
// and the rest read as hexadecimal RRGGBB; kHtmlNoneColor when unreadable.
ui::TColor HtmlColor(std::u16string_view value);

}  // namespace widgets

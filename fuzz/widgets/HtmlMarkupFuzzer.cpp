// Feeds arbitrary markup to DrawHtml in both modes and to the text reader.
// Input layout: byte 0 and byte 1 are the test point's x and y in the cell;
// byte 2 selects how the rest becomes wide text: even, one character per
// byte (readable seeds); odd, little-endian UTF-16 units (any unit, lone
// surrogates included).
#include <cstddef>
#include <cstdint>
#include <string>

#include "ui/headless/RecordingCanvas.h"
#include "widgets/DrawHtml.h"

namespace {

std::u16string MarkupOf(const std::uint8_t* data, std::size_t size, bool utf16) {
    std::u16string text;
    if (utf16) {
        for (std::size_t i = 0; i + 1 < size; i += 2)
            text.push_back(static_cast<char16_t>(data[i] | (static_cast<unsigned>(data[i + 1]) << 8)));
    } else {
        for (std::size_t i = 0; i < size; ++i) text.push_back(static_cast<char16_t>(data[i]));
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    const ui::TPoint point{data[0], data[1]};
    const std::u16string markup = MarkupOf(data + 3, size - 3, (data[2] & 1) != 0);
    const ui::TRect cell{30, 40, 150, 56};
    ui::TFont font;
    font.color = ui::clBlack;

    ui::headless::TRecordingCanvas canvas(cell);
    widgets::THtmlInfo drawn;
    widgets::DrawHtml(canvas, cell, markup, font, drawn, widgets::THtmlMode::hmDraw);
    widgets::THtmlInfo measured;
    widgets::DrawHtml(canvas, cell, markup, font, measured, widgets::THtmlMode::hmMeasure, point);

    // Both modes walk the same layout.
    if (drawn.Width != measured.Width || drawn.Height != measured.Height) __builtin_trap();
    if (!drawn.Href.empty()) __builtin_trap();
    // A target is made of the markup's own characters.
    if (measured.Href.size() > markup.size()) __builtin_trap();
    // The drawn runs are the markup's text less its tags.
    std::size_t drawnLength = 0;
    for (const auto& run : widgets::HtmlRuns(canvas, cell, markup, font)) {
        if (run.text.empty() || run.font.color == widgets::kHtmlNoneColor) __builtin_trap();
        drawnLength += run.text.size();
    }
    if (drawnLength > markup.size()) __builtin_trap();
    if (widgets::HtmlPlainText(markup).size() > markup.size() * 2) __builtin_trap();
    return 0;
}

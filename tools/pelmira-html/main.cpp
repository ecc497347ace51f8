// pelmira-html: draws one link cell's markup the way the result grid does and
// prints what was drawn, so replies of the version service can be checked.
//
//   pelmira-html [--width W] [--at X,Y] MARKUP
//
// The cell is W pixels wide (default 120) and 16 high, drawn on the headless
// canvas (its fixed text metrics) from the version columns' font, Tahoma 8 pt
// in black. One line per text run drawn:
//   TEXT <x> <y> <size> <style> <rrggbb> "<text>"
// with the position relative to the cell, the size in points, the style as the
// letters of b, i, u that apply (in that order) or "-", and the colour as
// drawn. With --at, one last line HREF "<target>" gives the link target at
// that point of the cell (empty quotes when none). Text is UTF-8 (the ANSI
// code page on Windows). Bad arguments: usage on stderr, exit code 2.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/CodePage.h"
#include "ui/headless/RecordingCanvas.h"
#include "widgets/DrawHtml.h"

namespace {

constexpr const char* kUsage = "usage: pelmira-html [--width W] [--at X,Y] MARKUP\n";
constexpr int kDefaultWidth = 120;
constexpr int kCellHeight = 16;

std::u16string FromArgument(std::string_view text) {
#ifdef _WIN32
    return platform::AnsiToUtf16(text);
#else
    return platform::Utf8ToUtf16(text);
#endif
}

std::string ToOutput(std::u16string_view text) {
#ifdef _WIN32
    return platform::Utf16ToAnsi(text);
#else
    return platform::Utf16ToUtf8(text);
#endif
}

// A whole decimal integer (optional minus sign); false for anything else.
bool ReadInt(std::string_view text, int& value) {
    if (text.empty() || text.size() > 9) return false;
    std::size_t i = text[0] == '-' ? 1 : 0;
    if (i == text.size()) return false;
    long v = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        v = v * 10 + (text[i] - '0');
    }
    value = static_cast<int>(text[0] == '-' ? -v : v);
    return true;
}

std::string StyleLetters(ui::TFontStyles style) {
    std::string letters;
    if ((style & ui::fsBold) != 0) letters += 'b';
    if ((style & ui::fsItalic) != 0) letters += 'i';
    if ((style & ui::fsUnderline) != 0) letters += 'u';
    return letters.empty() ? "-" : letters;
}

int Run(int argc, char** argv) {
    int width = kDefaultWidth;
    bool hitTest = false;
    ui::TPoint at;
    const char* markup = nullptr;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--width" && i + 1 < argc) {
            if (!ReadInt(argv[++i], width) || width < 0) return 2;
        } else if (arg == "--at" && i + 1 < argc) {
            const std::string_view point = argv[++i];
            const std::size_t comma = point.find(',');
            if (comma == std::string_view::npos || !ReadInt(point.substr(0, comma), at.x) ||
                !ReadInt(point.substr(comma + 1), at.y))
                return 2;
            hitTest = true;
        } else if (markup == nullptr) {
            markup = argv[i];
        } else {
            return 2;
        }
    }
    if (markup == nullptr) return 2;

    const std::u16string text = FromArgument(markup);
    ui::TFont font;
    font.face = u"Tahoma";
    font.size = 8;
    font.color = ui::clBlack;
    const ui::TRect cell{0, 0, width, kCellHeight};
    ui::headless::TRecordingCanvas canvas({0, 0, width, kCellHeight});
    for (const widgets::THtmlRun& run : widgets::HtmlRuns(canvas, cell, text, font)) {
        const ui::TColor color = ui::DefaultSystemColor(run.font.color);
        std::printf("TEXT %d %d %d %s %02x%02x%02x \"%s\"\n", run.pen.x, run.pen.y, run.font.size,
                    StyleLetters(run.font.style).c_str(), ui::RedOf(color), ui::GreenOf(color), ui::BlueOf(color),
                    ToOutput(run.text).c_str());
    }
    if (hitTest) {
        widgets::THtmlInfo info;
        widgets::DrawHtml(canvas, cell, text, font, info, widgets::THtmlMode::hmMeasure, at);
        std::printf("HREF \"%s\"\n", ToOutput(info.Href).c_str());
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const int rc = Run(argc, argv);
    if (rc == 2) std::fputs(kUsage, stderr);
    return rc;
}

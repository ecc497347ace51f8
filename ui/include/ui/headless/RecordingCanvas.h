#pragma once

#include <string>
#include <vector>

#include "ui/Canvas.h"

namespace ui::headless {

enum class TDrawOp {
    doFillRect,
    doFrameRect,
    doInvertRect,
    doRectangle,
    doEllipse,
    doPolygon,
    doLine,
    doTextOut,
    doDrawText
};

// One recorded drawing call. Coordinates are the canvas's own (device)
// coordinates, with the viewport origins of the time applied; clip is the
// clip rectangle that was in force, in the same coordinates.
struct TDrawCall {
    TDrawOp op = TDrawOp::doFillRect;
    TRect rect;                  // the rectangle of rectangle calls and DrawText; the text's box for TextOut
    std::vector<TPoint> points;  // polygon corners; a line's two ends
    std::u16string text;         // text as passed
    std::u16string shownText;    // text as laid out (DrawText with an ellipsis may shorten it)
    TPoint textOrigin;           // top-left corner of the (first line of) text
    TFont font;
    TPen pen;
    TBrush brush;
    TColor color = clNone;  // fill / frame colour, or TextOut's background
    TTextFlags flags = 0;
    TRect clip;
};

// A canvas that draws nothing and records every call, for tests and for the
// headless backend. Its text metrics are fixed so layouts are deterministic:
// a font's line height is its pixel height at 96 dpi (Font::HeightAt(96):
// 11 pixels for 8 points), and every UTF-16 unit is half that height wide,
// rounded up ((h + 1) / 2: 6 pixels for 8 points), one pixel more in bold.
// DrawText lays out single lines as a text-drawing call would: alignment
// inside the rectangle and, with tfEndEllipsis, the text cut to fit and ended with "...".
class TRecordingCanvas : public ICanvas {
public:
    // A canvas whose surface is bounds (the outermost clip).
    explicit TRecordingCanvas(TRect bounds = {0, 0, 4096, 4096});

    // The fixed metrics described above.
    static int LineHeight(const TFont& font);
    static int CharWidth(const TFont& font);

    const std::vector<TDrawCall>& Calls() const { return m_calls; }
    void Clear() { m_calls.clear(); }
    // The first TextOut or DrawText call whose text is text, or nullptr.
    const TDrawCall* FindText(std::u16string_view text) const;
    // The calls of one kind, in drawing order.
    std::vector<const TDrawCall*> CallsOf(TDrawOp op) const;

    void FillRect(const TRect& r, TColor color) override;
    void FrameRect(const TRect& r, TColor color) override;
    void InvertRect(const TRect& r) override;
    void Rectangle(const TRect& r, const TPen& pen, const TBrush& brush) override;
    void Ellipse(const TRect& r, const TPen& pen, const TBrush& brush) override;
    void Polygon(std::span<const TPoint> points, const TPen& pen, const TBrush& brush) override;
    void Line(TPoint from, TPoint to, const TPen& pen) override;
    void TextOut(TPoint p, std::u16string_view text, const TFont& font, TColor background) override;
    void DrawText(const TRect& r, std::u16string_view text, const TFont& font, TTextFlags flags) override;
    TSize TextExtent(std::u16string_view text, const TFont& font) override;
    void PushClip(const TRect& r) override;
    void PushViewport(const TRect& r) override;
    void PopClip() override;
    TRect ClipRect() const override;

private:
    struct TClipState {
        TRect clip;     // device coordinates
        TPoint origin;  // device position of the current (0, 0)
    };
    TDrawCall& Record(TDrawOp op);
    TRect ToDevice(const TRect& r) const;
    TPoint ToDevice(TPoint p) const;

    std::vector<TDrawCall> m_calls;
    std::vector<TClipState> m_clips;
};

}  // namespace ui::headless

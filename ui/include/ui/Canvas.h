#pragma once

#include <span>
#include <string_view>

#include "ui/Brush.h"
#include "ui/Color.h"
#include "ui/Font.h"
#include "ui/Geometry.h"
#include "ui/Pen.h"

namespace ui {

// Layout flags of ICanvas::DrawText; combine with |. The defaults (0) are
// left, top, several lines split only at line breaks.
enum TTextFlag : unsigned {
    tfLeft = 0,
    tfCenter = 1,
    tfRight = 2,
    tfTop = 0,
    tfVCenter = 4,
    tfBottom = 8,
    tfSingleLine = 16,    // line breaks are drawn as characters, never split
    tfEndEllipsis = 32,   // a line too long is cut and ends in "..."
    tfPathEllipsis = 64,  // a line too long keeps its end and loses its middle
    tfWordWrap = 128,     // lines are wrapped at spaces to the rectangle's width
    tfNoPrefix = 256,     // "&" is drawn as it is, not as an underline mark
};
using TTextFlags = unsigned;

// The drawing surface every control paints on. Coordinates are logical pixels
// (96 per inch) in the space of the current viewport. The canvas keeps no
// drawing state between calls except a nested clip: each call carries its own
// colour, font, pen and brush. Pushed clips intersect with the ones below them;
// a viewport clip also moves the origin to its top-left corner.
class ICanvas {
public:
    virtual ~ICanvas() = default;

    // Fills r with a solid colour.
    virtual void FillRect(const TRect& r, TColor color) = 0;
    // Draws a one-pixel frame just inside r.
    virtual void FrameRect(const TRect& r, TColor color) = 0;
    // Inverts the pixels of r (drawing r twice restores them).
    virtual void InvertRect(const TRect& r) = 0;
    // A rectangle filled with brush and outlined with pen, inside r.
    virtual void Rectangle(const TRect& r, const TPen& pen, const TBrush& brush) = 0;
    // An ellipse in the bounding rectangle r, filled with brush and outlined with pen.
    virtual void Ellipse(const TRect& r, const TPen& pen, const TBrush& brush) = 0;
    // A closed polygon through points, filled with brush and outlined with pen.
    virtual void Polygon(std::span<const TPoint> points, const TPen& pen, const TBrush& brush) = 0;
    // A line from "from" up to, but not including, "to".
    virtual void Line(TPoint from, TPoint to, const TPen& pen) = 0;
    // One line of text with its top-left corner at p, on a background of the
    // given colour, or on what is there for clNone.
    virtual void TextOut(TPoint p, std::u16string_view text, const TFont& font, TColor background = clNone) = 0;
    // Text laid out inside r by the flags (TTextFlag), transparent background, clipped to r.
    virtual void DrawText(const TRect& r, std::u16string_view text, const TFont& font, TTextFlags flags) = 0;
    // The size that TextOut of text in font covers (one line; height of the font for empty text).
    virtual TSize TextExtent(std::u16string_view text, const TFont& font) = 0;

    // Clips further drawing to r (current coordinates) until the matching PopClip.
    virtual void PushClip(const TRect& r) = 0;
    // Clips to r and moves the origin to r's top-left corner until the matching PopClip.
    virtual void PushViewport(const TRect& r) = 0;
    // Undoes the latest PushClip or PushViewport.
    virtual void PopClip() = 0;
    // The current clip rectangle in current coordinates (possibly empty).
    virtual TRect ClipRect() const = 0;
};

// Keeps a clip (or viewport) pushed for the lifetime of the object.
class TClipScope {
public:
    enum TKind { ckClip, ckViewport };
    TClipScope(ICanvas& canvas, const TRect& r, TKind kind = ckClip) : m_canvas(canvas) {
        if (kind == ckViewport)
            canvas.PushViewport(r);
        else
            canvas.PushClip(r);
    }
    ~TClipScope() { m_canvas.PopClip(); }
    TClipScope(const TClipScope&) = delete;
    TClipScope& operator=(const TClipScope&) = delete;

private:
    ICanvas& m_canvas;
};

}  // namespace ui

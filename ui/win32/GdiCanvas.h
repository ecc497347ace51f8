#pragma once

#include "GdiHandles.h"
#include "WinApi.h"

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "ui/Canvas.h"

namespace ui::win32 {

// The packed colour GDI draws for c (system colours resolved); c must not be clNone.
COLORREF ResolveColor(TColor c);
// v logical pixels (96 per inch) in device pixels at dpi, and back.
inline int ScaleToDevice(int v, int dpi) { return MulDiv(v, dpi, 96); }
inline int ScaleToLogical(int v, int dpi) { return MulDiv(v, 96, dpi); }

// A new GDI font for font at dpi; the caller deletes it.
HFONT CreateFontAt(const TFont& font, int dpi);

// ICanvas over a GDI device context. Logical coordinates are scaled to the
// device's resolution (dpi); fonts are made at that resolution and kept for
// the canvas's lifetime. The device context's selections and clip are
// restored when the canvas goes.
class TGdiCanvas : public ICanvas {
public:
    // A canvas on dc whose drawable area is deviceBounds (device pixels).
    TGdiCanvas(HDC dc, int dpi, const RECT& deviceBounds);
    ~TGdiCanvas() override;
    TGdiCanvas(const TGdiCanvas&) = delete;
    TGdiCanvas& operator=(const TGdiCanvas&) = delete;

    HDC Dc() const { return m_dc; }
    int Dpi() const { return m_dpi; }
    // The font handle for font at this canvas's resolution (owned by the canvas).
    HFONT FontHandle(const TFont& font);

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
        RECT clip;      // device pixels
        TPoint origin;  // logical position of the current (0, 0) in the outermost space
    };
    RECT ToDevice(const TRect& r) const;
    POINT ToDevice(TPoint p) const;
    void ApplyClip();

    HDC m_dc;
    int m_dpi;
    int m_savedDc;
    std::vector<TClipState> m_clips;
    std::map<std::tuple<std::u16string, int, int, int>, TGdiObject<HFONT>> m_fonts;
};

}  // namespace ui::win32

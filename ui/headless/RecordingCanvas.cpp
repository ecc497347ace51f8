#include "ui/headless/RecordingCanvas.h"

namespace ui::headless {

TRecordingCanvas::TRecordingCanvas(TRect bounds) { m_clips.push_back({bounds, {0, 0}}); }

int TRecordingCanvas::LineHeight(const TFont& font) { return font.HeightAt(96); }

int TRecordingCanvas::CharWidth(const TFont& font) {
    return (LineHeight(font) + 1) / 2 + ((font.style & fsBold) != 0 ? 1 : 0);
}

const TDrawCall* TRecordingCanvas::FindText(std::u16string_view text) const {
    for (const TDrawCall& call : m_calls)
        if ((call.op == TDrawOp::doTextOut || call.op == TDrawOp::doDrawText) && call.text == text) return &call;
    return nullptr;
}

std::vector<const TDrawCall*> TRecordingCanvas::CallsOf(TDrawOp op) const {
    std::vector<const TDrawCall*> out;
    for (const TDrawCall& call : m_calls)
        if (call.op == op) out.push_back(&call);
    return out;
}

TDrawCall& TRecordingCanvas::Record(TDrawOp op) {
    TDrawCall& call = m_calls.emplace_back();
    call.op = op;
    call.clip = m_clips.back().clip;
    return call;
}

TRect TRecordingCanvas::ToDevice(const TRect& r) const {
    const TPoint o = m_clips.back().origin;
    return r.Offset(o.x, o.y);
}

TPoint TRecordingCanvas::ToDevice(TPoint p) const {
    const TPoint o = m_clips.back().origin;
    return {p.x + o.x, p.y + o.y};
}

void TRecordingCanvas::FillRect(const TRect& r, TColor color) {
    TDrawCall& call = Record(TDrawOp::doFillRect);
    call.rect = ToDevice(r);
    call.color = color;
}

void TRecordingCanvas::FrameRect(const TRect& r, TColor color) {
    TDrawCall& call = Record(TDrawOp::doFrameRect);
    call.rect = ToDevice(r);
    call.color = color;
}

void TRecordingCanvas::InvertRect(const TRect& r) { Record(TDrawOp::doInvertRect).rect = ToDevice(r); }

void TRecordingCanvas::Rectangle(const TRect& r, const TPen& pen, const TBrush& brush) {
    TDrawCall& call = Record(TDrawOp::doRectangle);
    call.rect = ToDevice(r);
    call.pen = pen;
    call.brush = brush;
}

void TRecordingCanvas::Ellipse(const TRect& r, const TPen& pen, const TBrush& brush) {
    TDrawCall& call = Record(TDrawOp::doEllipse);
    call.rect = ToDevice(r);
    call.pen = pen;
    call.brush = brush;
}

void TRecordingCanvas::Polygon(std::span<const TPoint> points, const TPen& pen, const TBrush& brush) {
    TDrawCall& call = Record(TDrawOp::doPolygon);
    for (TPoint p : points) call.points.push_back(ToDevice(p));
    call.pen = pen;
    call.brush = brush;
}

void TRecordingCanvas::Line(TPoint from, TPoint to, const TPen& pen) {
    TDrawCall& call = Record(TDrawOp::doLine);
    call.points = {ToDevice(from), ToDevice(to)};
    call.pen = pen;
}

void TRecordingCanvas::TextOut(TPoint p, std::u16string_view text, const TFont& font, TColor background) {
    TDrawCall& call = Record(TDrawOp::doTextOut);
    const TSize extent = TextExtent(text, font);
    call.textOrigin = ToDevice(p);
    call.rect = TRect::FromSize(call.textOrigin.x, call.textOrigin.y, extent.cx, extent.cy);
    call.text = call.shownText = std::u16string(text);
    call.font = font;
    call.color = background;
}

void TRecordingCanvas::DrawText(const TRect& r, std::u16string_view text, const TFont& font, TTextFlags flags) {
    TDrawCall& call = Record(TDrawOp::doDrawText);
    call.rect = ToDevice(r);
    call.text = std::u16string(text);
    call.font = font;
    call.flags = flags;

    std::u16string shown(text);
    const int w = CharWidth(font);
    if ((flags & (tfEndEllipsis | tfPathEllipsis)) != 0 && static_cast<int>(shown.size()) * w > r.Width()) {
        // Drop characters until the rest and "..." fit (or nothing but "..." is left).
        const std::u16string dots = u"...";
        std::size_t keep = shown.size();
        while (keep > 0 && static_cast<int>(keep + dots.size()) * w > r.Width()) --keep;
        if ((flags & tfPathEllipsis) != 0) {
            const std::size_t head = keep / 2;
            shown = shown.substr(0, head) + dots + shown.substr(shown.size() - (keep - head));
        } else {
            shown = shown.substr(0, keep) + dots;
        }
    }
    call.shownText = shown;
    const int width = static_cast<int>(shown.size()) * w;
    const int height = LineHeight(font);
    int x = r.left;
    if ((flags & tfRight) != 0)
        x = r.right - width;
    else if ((flags & tfCenter) != 0)
        x = r.left + (r.Width() - width) / 2;
    int y = r.top;
    if ((flags & tfSingleLine) != 0) {
        if ((flags & tfBottom) != 0)
            y = r.bottom - height;
        else if ((flags & tfVCenter) != 0)
            y = r.top + (r.Height() - height) / 2;
    }
    call.textOrigin = ToDevice(TPoint{x, y});
}

TSize TRecordingCanvas::TextExtent(std::u16string_view text, const TFont& font) {
    return {static_cast<int>(text.size()) * CharWidth(font), LineHeight(font)};
}

void TRecordingCanvas::PushClip(const TRect& r) {
    const TClipState& top = m_clips.back();
    m_clips.push_back({top.clip.Intersect(ToDevice(r)), top.origin});
}

void TRecordingCanvas::PushViewport(const TRect& r) {
    const TClipState& top = m_clips.back();
    const TRect device = ToDevice(r);
    m_clips.push_back({top.clip.Intersect(device), {device.left, device.top}});
}

void TRecordingCanvas::PopClip() {
    // The outermost clip is the surface itself and stays.
    if (m_clips.size() > 1) m_clips.pop_back();
}

TRect TRecordingCanvas::ClipRect() const {
    const TClipState& top = m_clips.back();
    return top.clip.Offset(-top.origin.x, -top.origin.y);
}

}  // namespace ui::headless

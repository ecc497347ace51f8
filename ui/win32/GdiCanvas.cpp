#include "GdiCanvas.h"
#include "GdiHandles.h"

#include <algorithm>

namespace ui::win32 {

namespace {

const wchar_t* Wide(std::u16string_view text) { return reinterpret_cast<const wchar_t*>(text.data()); }

HGDIOBJ MakePen(const TPen& pen, int dpi) {
    if (pen.width <= 0 || pen.color == clNone) return nullptr;
    return CreatePen(PS_SOLID, std::max(1, ScaleToDevice(pen.width, dpi)), ResolveColor(pen.color));
}

}  // namespace

COLORREF ResolveColor(TColor c) {
    if (IsSystemColor(c)) return GetSysColor(SystemColorIndex(c));
    return static_cast<COLORREF>(c & 0xFFFFFF);
}

HFONT CreateFontAt(const TFont& font, int dpi) {
    LOGFONTW lf{};
    lf.lfHeight = -font.HeightAt(dpi);
    lf.lfWeight = (font.style & fsBold) != 0 ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (font.style & fsItalic) != 0;
    lf.lfUnderline = (font.style & fsUnderline) != 0;
    lf.lfStrikeOut = (font.style & fsStrikeOut) != 0;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    const std::size_t n = std::min<std::size_t>(font.face.size(), LF_FACESIZE - 1);
    std::copy_n(Wide(font.face), n, lf.lfFaceName);
    return CreateFontIndirectW(&lf);
}

TGdiCanvas::TGdiCanvas(HDC dc, int dpi, const RECT& deviceBounds)
    : m_dc(dc), m_dpi(dpi > 0 ? dpi : 96), m_savedDc(SaveDC(dc)) {
    m_clips.push_back({deviceBounds, {0, 0}});
    ApplyClip();
}

TGdiCanvas::~TGdiCanvas() {
    // The fonts (members) are deleted after this, once nothing selects them.
    RestoreDC(m_dc, m_savedDc);
}

HFONT TGdiCanvas::FontHandle(const TFont& font) {
    const auto key = std::make_tuple(font.face, font.HeightAt(m_dpi), static_cast<int>(font.style), 0);
    auto it = m_fonts.find(key);
    if (it != m_fonts.end()) return it->second.Get();
    HFONT handle = CreateFontAt(font, m_dpi);
    if (handle == nullptr) handle = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    m_fonts.emplace(key, TGdiObject<HFONT>(handle));
    return handle;
}

RECT TGdiCanvas::ToDevice(const TRect& r) const {
    const TPoint o = m_clips.back().origin;
    return {ScaleToDevice(r.left + o.x, m_dpi), ScaleToDevice(r.top + o.y, m_dpi), ScaleToDevice(r.right + o.x, m_dpi),
            ScaleToDevice(r.bottom + o.y, m_dpi)};
}

POINT TGdiCanvas::ToDevice(TPoint p) const {
    const TPoint o = m_clips.back().origin;
    return {ScaleToDevice(p.x + o.x, m_dpi), ScaleToDevice(p.y + o.y, m_dpi)};
}

void TGdiCanvas::ApplyClip() {
    const RECT& c = m_clips.back().clip;
    // The device context keeps a copy of the region.
    const TGdiObject<HRGN> region(CreateRectRgn(c.left, c.top, std::max(c.left, c.right), std::max(c.top, c.bottom)));
    SelectClipRgn(m_dc, region.Get());
}

void TGdiCanvas::FillRect(const TRect& r, TColor color) {
    if (color == clNone) return;
    const RECT d = ToDevice(r);
    SetDCBrushColor(m_dc, ResolveColor(color));
    ::FillRect(m_dc, &d, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void TGdiCanvas::FrameRect(const TRect& r, TColor color) {
    if (color == clNone || r.Empty()) return;
    // Four bars one logical pixel thick, so the frame scales with the resolution.
    const int t = std::max(1, ScaleToDevice(1, m_dpi));
    const RECT d = ToDevice(r);
    SetDCBrushColor(m_dc, ResolveColor(color));
    HBRUSH brush = static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
    const RECT bars[4] = {{d.left, d.top, d.right, d.top + t},
                          {d.left, d.bottom - t, d.right, d.bottom},
                          {d.left, d.top, d.left + t, d.bottom},
                          {d.right - t, d.top, d.right, d.bottom}};
    for (const RECT& bar : bars) ::FillRect(m_dc, &bar, brush);
}

void TGdiCanvas::InvertRect(const TRect& r) {
    const RECT d = ToDevice(r);
    ::InvertRect(m_dc, &d);
}

void TGdiCanvas::Rectangle(const TRect& r, const TPen& pen, const TBrush& brush) {
    // Made before its selection, so it is deleted only after it was deselected.
    TGdiObject penObject(MakePen(pen, m_dpi));
    TSelectObject penSelection(m_dc, penObject.Get() != nullptr ? penObject.Get() : GetStockObject(NULL_PEN));
    if (brush.Paints()) SetDCBrushColor(m_dc, ResolveColor(brush.color));
    TSelectObject brushSelection(m_dc, GetStockObject(brush.Paints() ? DC_BRUSH : NULL_BRUSH));
    const RECT d = ToDevice(r);
    ::Rectangle(m_dc, d.left, d.top, d.right, d.bottom);
}

void TGdiCanvas::Ellipse(const TRect& r, const TPen& pen, const TBrush& brush) {
    // Made before its selection, so it is deleted only after it was deselected.
    TGdiObject penObject(MakePen(pen, m_dpi));
    TSelectObject penSelection(m_dc, penObject.Get() != nullptr ? penObject.Get() : GetStockObject(NULL_PEN));
    if (brush.Paints()) SetDCBrushColor(m_dc, ResolveColor(brush.color));
    TSelectObject brushSelection(m_dc, GetStockObject(brush.Paints() ? DC_BRUSH : NULL_BRUSH));
    const RECT d = ToDevice(r);
    ::Ellipse(m_dc, d.left, d.top, d.right, d.bottom);
}

void TGdiCanvas::Polygon(std::span<const TPoint> points, const TPen& pen, const TBrush& brush) {
    if (points.size() < 2) return;
    std::vector<POINT> device;
    device.reserve(points.size());
    for (TPoint p : points) device.push_back(ToDevice(p));
    // Made before its selection, so it is deleted only after it was deselected.
    TGdiObject penObject(MakePen(pen, m_dpi));
    TSelectObject penSelection(m_dc, penObject.Get() != nullptr ? penObject.Get() : GetStockObject(NULL_PEN));
    if (brush.Paints()) SetDCBrushColor(m_dc, ResolveColor(brush.color));
    TSelectObject brushSelection(m_dc, GetStockObject(brush.Paints() ? DC_BRUSH : NULL_BRUSH));
    ::Polygon(m_dc, device.data(), static_cast<int>(device.size()));
}

void TGdiCanvas::Line(TPoint from, TPoint to, const TPen& pen) {
    // Made before its selection, so it is deleted only after it was deselected.
    TGdiObject penObject(MakePen(pen, m_dpi));
    if (penObject.Get() == nullptr) return;
    TSelectObject penSelection(m_dc, penObject.Get());
    const POINT a = ToDevice(from);
    const POINT b = ToDevice(to);
    MoveToEx(m_dc, a.x, a.y, nullptr);
    LineTo(m_dc, b.x, b.y);
}

void TGdiCanvas::TextOut(TPoint p, std::u16string_view text, const TFont& font, TColor background) {
    TSelectObject fontSelection(m_dc, FontHandle(font));
    SetTextColor(m_dc, ResolveColor(font.color == clNone ? clWindowText : font.color));
    if (background == clNone) {
        SetBkMode(m_dc, TRANSPARENT);
    } else {
        SetBkMode(m_dc, OPAQUE);
        SetBkColor(m_dc, ResolveColor(background));
    }
    const POINT d = ToDevice(p);
    ExtTextOutW(m_dc, d.x, d.y, 0, nullptr, Wide(text), static_cast<UINT>(text.size()), nullptr);
}

void TGdiCanvas::DrawText(const TRect& r, std::u16string_view text, const TFont& font, TTextFlags flags) {
    if (text.empty()) return;
    UINT format = 0;
    if ((flags & tfCenter) != 0) format |= DT_CENTER;
    if ((flags & tfRight) != 0) format |= DT_RIGHT;
    if ((flags & tfVCenter) != 0) format |= DT_VCENTER;
    if ((flags & tfBottom) != 0) format |= DT_BOTTOM;
    if ((flags & tfSingleLine) != 0) format |= DT_SINGLELINE;
    if ((flags & tfEndEllipsis) != 0) format |= DT_END_ELLIPSIS;
    if ((flags & tfPathEllipsis) != 0) format |= DT_PATH_ELLIPSIS;
    if ((flags & tfWordWrap) != 0) format |= DT_WORDBREAK;
    if ((flags & tfNoPrefix) != 0) format |= DT_NOPREFIX;
    TSelectObject fontSelection(m_dc, FontHandle(font));
    SetTextColor(m_dc, ResolveColor(font.color == clNone ? clWindowText : font.color));
    SetBkMode(m_dc, TRANSPARENT);
    RECT d = ToDevice(r);
    // DrawTextW may write an ellipsis into its buffer only with DT_MODIFYSTRING,
    // which is not used; the text stays const.
    ::DrawTextW(m_dc, Wide(text), static_cast<int>(text.size()), &d, format);
}

TSize TGdiCanvas::TextExtent(std::u16string_view text, const TFont& font) {
    TSelectObject fontSelection(m_dc, FontHandle(font));
    TEXTMETRICW metrics{};
    GetTextMetricsW(m_dc, &metrics);
    SIZE size{0, 0};
    if (!text.empty()) GetTextExtentPoint32W(m_dc, Wide(text), static_cast<int>(text.size()), &size);
    return {ScaleToLogical(size.cx, m_dpi), ScaleToLogical(metrics.tmHeight, m_dpi)};
}

void TGdiCanvas::PushClip(const TRect& r) {
    const TClipState top = m_clips.back();
    const RECT d = ToDevice(r);
    RECT clip{};
    if (!IntersectRect(&clip, &top.clip, &d)) clip = {0, 0, 0, 0};
    m_clips.push_back({clip, top.origin});
    ApplyClip();
}

void TGdiCanvas::PushViewport(const TRect& r) {
    PushClip(r);
    m_clips.back().origin.x += r.left;
    m_clips.back().origin.y += r.top;
}

void TGdiCanvas::PopClip() {
    if (m_clips.size() <= 1) return;
    m_clips.pop_back();
    ApplyClip();
}

TRect TGdiCanvas::ClipRect() const {
    const TClipState& top = m_clips.back();
    if (IsRectEmpty(&top.clip)) return {};
    return TRect{ScaleToLogical(top.clip.left, m_dpi), ScaleToLogical(top.clip.top, m_dpi),
                 ScaleToLogical(top.clip.right, m_dpi), ScaleToLogical(top.clip.bottom, m_dpi)}
        .Offset(-top.origin.x, -top.origin.y);
}

}  // namespace ui::win32

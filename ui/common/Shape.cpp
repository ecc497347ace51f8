#include "ui/Shape.h"

namespace ui {

TShape::TShape() = default;

void TShape::SetBrush(const TBrush& brush) {
    if (brush == m_brush) return;
    m_brush = brush;
    Invalidate();
}

void TShape::SetPen(const TPen& pen) {
    if (pen == m_pen) return;
    m_pen = pen;
    Invalidate();
}

void TShape::SetShapeType(TShapeType type) {
    if (type == m_type) return;
    m_type = type;
    Invalidate();
}

void TShape::Paint(ICanvas& canvas) {
    // A wide outline is drawn centred on the figure's edge; inset the figure
    // by half the pen width so the whole outline stays inside the bounds.
    const int penWidth = m_pen.width > 0 ? m_pen.width : 0;
    const int inset = penWidth / 2;
    const int w = ClientRect().Width() - penWidth + (penWidth > 0 ? 1 : 0);
    const int h = ClientRect().Height() - penWidth + (penWidth > 0 ? 1 : 0);
    const TRect r = TRect::FromSize(inset, inset, w, h);
    if (m_type == TShapeType::stCircle)
        canvas.Ellipse(r, m_pen, m_brush);
    else
        canvas.Rectangle(r, m_pen, m_brush);
}

}  // namespace ui

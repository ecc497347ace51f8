#pragma once

#include "ui/Brush.h"
#include "ui/Control.h"
#include "ui/Pen.h"

namespace ui {

enum class TShapeType { stRectangle, stCircle };

// A windowless shape (a status light): a circle or rectangle filled with its
// brush and outlined with its pen, filling its bounds. Its hint, shown while
// the mouse rests on it, is also its description.
class TShape : public TControl {
public:
    TShape();
    TWindowKind WindowKind() const override { return TWindowKind::wkNone; }
    const TBrush& Brush() const { return m_brush; }
    void SetBrush(const TBrush& brush);
    const TPen& Pen() const { return m_pen; }
    void SetPen(const TPen& pen);
    TShapeType ShapeType() const { return m_type; }
    void SetShapeType(TShapeType type);
    std::u16string WindowText() const override { return Hint(); }
    void Paint(ICanvas& canvas) override;

private:
    TBrush m_brush{clWhite, TBrushStyle::bsSolid};
    TPen m_pen{clBlack, 1};
    TShapeType m_type = TShapeType::stCircle;
};

}  // namespace ui

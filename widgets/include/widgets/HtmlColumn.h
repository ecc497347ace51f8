#pragma once

#include <functional>
#include <string>

#include "widgets/CustomColumn.h"

namespace widgets {

// The click event of an HTML column: the interaction object and the link's
// target exactly as found (outer quotes removed, not trimmed).
using THtmlClickEvent = std::function<void(TColumnPlay& sender, const std::u16string& href)>;

// Draws a cell's text as HTML mini-markup (DrawHtml).
class THtmlColumnDisplay : public TColumnDisplay {
public:
    using TColumnDisplay::TColumnDisplay;
    void Paint(ui::ICanvas& canvas, const TCellPaintInfo& info, const TCell& cell) override;
    // The text runs the markup draws (HtmlPlainText).
    std::u16string PlainText(const TCell& cell) const override;
};

// Hit-tests the markup under the mouse: the hand pointer over a link, the
// column's pointer elsewhere; a click on a link raises the column's OnClick.
class THtmlColumnPlay : public TColumnPlay {
public:
    using TColumnPlay::TColumnPlay;
    void MouseMove(ui::ICanvas& canvas, ui::TSize size, ui::TPoint cellPos, TCell& cell) override;
    void Click(ui::ICanvas& canvas, ui::TSize size, ui::TPoint cellPos, TCell& cell) override;
};

// A column of string cells drawn as HTML mini-markup, with links; it has no
// in-place editor. Clicks reach OnClick only with coEditing.
class THtmlColumn : public TCustomColumn {
public:
    THtmlColumn(TCustomGrid& grid, int index);
    TCellKind CellKind() const override { return TCellKind::ckString; }
    // Raised by a click on a link.
    THtmlClickEvent OnClick;
};

}  // namespace widgets

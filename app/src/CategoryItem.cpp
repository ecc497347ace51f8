#include "app/CategoryItem.h"

namespace app {

void TCategoryItem::PaintValue(ui::ICanvas& canvas, const ui::TRect& cell, const ui::TFont& font) {
    if (!Glyph || Buttons().empty()) {
        widgets::TToolbarItem::PaintValue(canvas, cell, font);
        return;
    }
    // The button keeps its place and its click; only its face is the picture.
    const ui::TRect button = ButtonRect(0, cell);
    ui::TClipScope clip(canvas, button);
    Glyph(canvas, button.Inflate(-1, -1));
}

}  // namespace app

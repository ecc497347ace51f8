#include "ui/Panel.h"

namespace ui {

void TPanel::Paint(ICanvas& canvas) { canvas.FillRect(ClientRect(), BackgroundColor()); }

}  // namespace ui

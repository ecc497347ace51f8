#pragma once

#include "ui/Control.h"

namespace ui {

// A plain container filled with its background colour (a bar, an inner page).
class TPanel : public TControl {
public:
    TPanel() { SetColor(clBtnFace); }
    void Paint(ICanvas& canvas) override;
};

}  // namespace ui

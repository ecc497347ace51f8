#include "app/PictureInfoPanel.h"

namespace app {

void TPictureInfoPanel::Paint(ui::ICanvas& canvas) {
    ui::TInfoPanel::Paint(canvas);
    if (!Picture) return;
    const ui::TRect client = ClientRect();
    const ui::TRect square =
        ui::TRect::FromSize(client.right - kPictureMargin - kPictureSize, kPictureMargin, kPictureSize, kPictureSize);
    ui::TClipScope clip(canvas, square);
    Picture(canvas, square);
}

}  // namespace app

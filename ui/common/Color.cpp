#include "ui/Color.h"

namespace ui {

TColor DefaultSystemColor(TColor c) {
    if (!IsSystemColor(c)) return c;
    // The standard scheme of Windows 7 and later.
    switch (SystemColorIndex(c)) {
        case 1:
            return Rgb(0, 0, 0);  // desktop
        case 5:
            return Rgb(255, 255, 255);  // window
        case 8:
            return Rgb(0, 0, 0);  // window text
        case 13:
            return Rgb(51, 153, 255);  // highlight
        case 14:
            return Rgb(255, 255, 255);  // highlight text
        case 15:
            return Rgb(240, 240, 240);  // button face
        case 16:
            return Rgb(160, 160, 160);  // button shadow
        case 17:
            return Rgb(109, 109, 109);  // grey text
        case 18:
            return Rgb(0, 0, 0);  // button text
        case 22:
            return Rgb(227, 227, 227);  // 3-D light
        case 23:
            return Rgb(0, 0, 0);  // info text
        case 24:
            return Rgb(255, 255, 225);  // info background
        case 26:
            return Rgb(0, 102, 204);  // hot-track
        default:
            return Rgb(0, 0, 0);
    }
}

}  // namespace ui

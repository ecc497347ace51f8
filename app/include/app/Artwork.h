#pragma once

#include "ui/Canvas.h"

// The program's own small pictures, drawn through the canvas so they stay
// sharp at every display scaling: the application tile (also the window's
// icon), the settings tile, and the glyphs of the settings categories.
namespace app {

// The application tile: a blue square with a white up arrow over an orange bar.
void DrawAppTile(ui::ICanvas& canvas, const ui::TRect& r);
// The settings tile: a blue square with three white slider lines and orange knobs.
void DrawSettingsTile(ui::ICanvas& canvas, const ui::TRect& r);
// A small padlock (privacy) filling r.
void DrawLockGlyph(ui::ICanvas& canvas, const ui::TRect& r);
// A small globe (connection) filling r.
void DrawGlobeGlyph(ui::ICanvas& canvas, const ui::TRect& r);

}  // namespace app

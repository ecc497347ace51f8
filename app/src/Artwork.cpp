#include "app/Artwork.h"

#include <array>

namespace app {

namespace {

constexpr ui::TColor kTileBlue = ui::Rgb(38, 112, 200);
constexpr ui::TColor kTileEdge = ui::Rgb(14, 62, 130);
constexpr ui::TColor kAccent = ui::Rgb(251, 140, 60);
constexpr ui::TColor kGlyphInk = ui::Rgb(40, 80, 140);

// x or y at fraction per-mille of the rectangle's width or height, from its left or top.
int At(int origin, int size, int perMille) { return origin + (size * perMille + 500) / 1000; }

}  // namespace

void DrawAppTile(ui::ICanvas& canvas, const ui::TRect& r) {
    const int w = r.Width();
    const int h = r.Height();
    canvas.Rectangle(r, ui::TPen{kTileEdge, 1}, ui::TBrush{kTileBlue});
    const int cx = r.left + w / 2;
    const int stem = w * 9 / 100 > 1 ? w * 9 / 100 : 1;
    const std::array<ui::TPoint, 7> arrow{
        ui::TPoint{At(r.left, w, 200), At(r.top, h, 520)}, ui::TPoint{cx, At(r.top, h, 170)},
        ui::TPoint{At(r.left, w, 800), At(r.top, h, 520)}, ui::TPoint{cx + stem, At(r.top, h, 520)},
        ui::TPoint{cx + stem, At(r.top, h, 720)},          ui::TPoint{cx - stem, At(r.top, h, 720)},
        ui::TPoint{cx - stem, At(r.top, h, 520)}};
    canvas.Polygon(arrow, ui::TPen{ui::clWhite, 1}, ui::TBrush{ui::clWhite});
    canvas.FillRect({At(r.left, w, 240), At(r.top, h, 770), At(r.left, w, 760), At(r.top, h, 850)}, kAccent);
}

void DrawSettingsTile(ui::ICanvas& canvas, const ui::TRect& r) {
    const int w = r.Width();
    const int h = r.Height();
    canvas.Rectangle(r, ui::TPen{kTileEdge, 1}, ui::TBrush{kTileBlue});
    constexpr int kRows[3] = {280, 500, 720};
    constexpr int kKnobs[3] = {620, 340, 540};
    const int knob = w / 8 > 2 ? w / 8 : 2;
    for (int i = 0; i < 3; ++i) {
        const int y = At(r.top, h, kRows[i]);
        canvas.FillRect({At(r.left, w, 180), y - 1, At(r.left, w, 820), y + 1}, ui::clWhite);
        const int x = At(r.left, w, kKnobs[i]);
        canvas.Rectangle({x - knob / 2, y - knob / 2 - 1, x + knob / 2 + 1, y + knob / 2 + 1}, ui::TPen{ui::clWhite, 1},
                         ui::TBrush{kAccent});
    }
}

void DrawLockGlyph(ui::ICanvas& canvas, const ui::TRect& r) {
    const int w = r.Width();
    const int h = r.Height();
    // The shackle: an open frame above the body.
    canvas.Rectangle({At(r.left, w, 280), At(r.top, h, 80), At(r.left, w, 720), At(r.top, h, 560)},
                     ui::TPen{kGlyphInk, 1}, ui::TBrush::Clear());
    canvas.Rectangle({At(r.left, w, 140), At(r.top, h, 450), At(r.left, w, 860), At(r.top, h, 930)},
                     ui::TPen{kGlyphInk, 1}, ui::TBrush{kAccent});
}

void DrawGlobeGlyph(ui::ICanvas& canvas, const ui::TRect& r) {
    const int w = r.Width();
    const int h = r.Height();
    const ui::TRect ball{At(r.left, w, 70), At(r.top, h, 70), At(r.left, w, 930), At(r.top, h, 930)};
    canvas.Ellipse(ball, ui::TPen{kGlyphInk, 1}, ui::TBrush{ui::Rgb(190, 216, 245)});
    canvas.Ellipse({At(r.left, w, 330), ball.top, At(r.left, w, 670), ball.bottom}, ui::TPen{kGlyphInk, 1},
                   ui::TBrush::Clear());
    const int cy = r.top + h / 2;
    canvas.Line({ball.left, cy}, {ball.right, cy}, ui::TPen{kGlyphInk, 1});
}

}  // namespace app

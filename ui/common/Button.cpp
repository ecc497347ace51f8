#include "ui/Button.h"

namespace ui {

TButton::TButton() {
    SetTabStop(true);
    SetColor(clBtnFace);
}

void TButton::Paint(ICanvas& canvas) {
    const TRect r = ClientRect();
    canvas.FillRect(r, BackgroundColor());
    if (r.Width() < 2 || r.Height() < 2) return;
    const TPen light{clWhite, 1};
    const TPen shadow{clBtnShadow, 1};
    const TPen dark{Rgb(64, 64, 64), 1};
    if (m_down) {
        canvas.FrameRect(r, Rgb(64, 64, 64));
        canvas.FrameRect(r.Inflate(-1, -1), clBtnShadow);
    } else {
        // Raised edge: light top and left, shadow and dark bottom and right.
        canvas.Line({r.left, r.bottom - 1}, {r.left, r.top}, light);
        canvas.Line({r.left, r.top}, {r.right - 1, r.top}, light);
        canvas.Line({r.right - 1, r.top}, {r.right - 1, r.bottom - 1}, dark);
        canvas.Line({r.right - 1, r.bottom - 1}, {r.left - 1, r.bottom - 1}, dark);
        canvas.Line({r.right - 2, r.top + 1}, {r.right - 2, r.bottom - 2}, shadow);
        canvas.Line({r.right - 2, r.bottom - 2}, {r.left, r.bottom - 2}, shadow);
    }
    const TFont font = Enabled() ? Font().WithColor(clBtnText) : Font().WithColor(clGrayText);
    const int shift = m_down ? 1 : 0;
    canvas.DrawText(r.Offset(shift, shift), Text(), font, tfCenter | tfVCenter | tfSingleLine | tfNoPrefix);
    if (Focused() && r.Width() > 8 && r.Height() > 8) canvas.FrameRect(r.Inflate(-4, -4), clBtnText);
}

void TButton::MouseDown(const TMouseEvent& e) {
    if (e.button != TMouseButton::mbLeft) return;
    m_down = true;
    Invalidate();
}

void TButton::MouseUp(const TMouseEvent& e) {
    if (e.button != TMouseButton::mbLeft || !m_down) return;
    m_down = false;
    Invalidate();
}

bool TButton::KeyDown(const TKeyEvent& e) {
    if (e.key != TKey::kEnter && e.key != TKey::kSpace) return false;
    Click();
    return true;
}

void TButton::FocusChanged(bool focused) {
    TControl::FocusChanged(focused);
    Invalidate();
}

}  // namespace ui

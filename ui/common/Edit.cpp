#include "ui/Edit.h"

namespace ui {

TEdit::TEdit() {
    SetTabStop(true);
    SetColor(clWindow);
    SetCursor(TCursor::crIBeam);
}

void TEdit::SelectAll() {
    if (Peer() != nullptr) Peer()->SelectAll();
}

void TEdit::Paint(ICanvas& canvas) {
    // Where the system draws the field itself this is not called; it is the
    // field's look everywhere else.
    const TRect r = ClientRect();
    canvas.FillRect(r, BackgroundColor());
    canvas.FrameRect(r, clBtnShadow);
    const TFont font = Enabled() ? Font() : Font().WithColor(clGrayText);
    canvas.DrawText(r.Inflate(-3, 0), Text(), font, tfVCenter | tfSingleLine | tfNoPrefix);
}

bool TEdit::KeyDown(const TKeyEvent& e) { return OnKeyDown && OnKeyDown(*this, e); }

void TEdit::TextChanged() {
    if (OnChange) OnChange(*this);
}

}  // namespace ui

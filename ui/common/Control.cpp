#include "ui/Control.h"

#include <algorithm>

#include "ui/Form.h"
#include "ui/WindowSystem.h"

namespace ui {

TControl::TControl() { m_font.color = clWindowText; }

TControl::~TControl() {
    // Children go first, so their windows disappear before their parent's.
    m_children.clear();
    m_peer.reset();
    if (m_parent != nullptr) {
        if (TForm* form = m_parent->Form()) form->ControlDestroyed(*this);
    }
}

TForm* TControl::Form() { return m_parent != nullptr ? m_parent->Form() : nullptr; }

TControl* TControl::FindChild(const std::string& name) {
    if (m_name == name) return this;
    for (auto& child : m_children)
        if (TControl* found = child->FindChild(name)) return found;
    return nullptr;
}

void TControl::Adopt(std::unique_ptr<TControl> child) {
    child->m_parent = this;
    TControl& ref = *child;
    m_children.push_back(std::move(child));
    ref.CreatePeers();
}

void TControl::CreatePeers() {
    TForm* form = Form();
    if (form == nullptr || form->FormPeer() == nullptr) return;
    if (m_peer == nullptr && HasWindow() && form != this) m_peer = form->System().CreateControlPeer(*this);
    for (auto& child : m_children) child->CreatePeers();
}

void TControl::SetBounds(const TRect& bounds) {
    if (bounds == m_bounds) return;
    const TRect old = m_bounds;
    m_bounds = bounds;
    BoundsChanged();
    if (m_peer) {
        m_peer->BoundsChanged();
    } else if (m_parent != nullptr) {
        // A windowless control is drawn by its parent: both places need drawing.
        m_parent->Invalidate(old);
        m_parent->Invalidate(bounds);
    }
}

TPoint TControl::ClientToForm(TPoint client) const {
    for (const TControl* c = this; c != nullptr && c->m_parent != nullptr; c = c->m_parent) {
        client.x += c->m_bounds.left;
        client.y += c->m_bounds.top;
    }
    return client;
}

void TControl::SetVisible(bool visible) {
    if (visible == m_visible) return;
    m_visible = visible;
    if (m_peer) {
        m_peer->ShowingChanged();
    } else if (m_parent != nullptr) {
        m_parent->Invalidate(m_bounds);
    }
    if (!visible) {
        // A control that hides cannot keep the focus or the mouse.
        if (TForm* form = Form()) {
            TControl* focused = form->FocusedControl();
            for (TControl* c = focused; c != nullptr; c = c->m_parent) {
                if (c == this) {
                    form->FocusControl(nullptr);
                    break;
                }
            }
        }
    }
}

bool TControl::Showing() const {
    for (const TControl* c = this; c != nullptr; c = c->m_parent)
        if (!c->m_visible) return false;
    return true;
}

void TControl::SetEnabled(bool enabled) {
    if (enabled == m_enabled) return;
    m_enabled = enabled;
    if (m_peer) m_peer->EnabledChanged();
    Invalidate();
}

void TControl::SetText(std::u16string text) {
    if (text == m_text) return;
    m_text = std::move(text);
    if (m_peer) m_peer->TextChanged();
    TextChanged();
    Invalidate();
}

void TControl::TextEditedByUser(std::u16string text) {
    if (text == m_text) return;
    m_text = std::move(text);
    TextChanged();
}

void TControl::SetColor(TColor color) {
    if (color == m_color) return;
    m_color = color;
    Invalidate();
}

TColor TControl::BackgroundColor() const {
    for (const TControl* c = this; c != nullptr; c = c->m_parent)
        if (c->m_color != clNone) return c->m_color;
    return clBtnFace;
}

const TFont& TControl::Font() const {
    const TControl* c = this;
    while (c->m_parentFont && c->m_parent != nullptr) c = c->m_parent;
    return c->m_font;
}

void TControl::SetFont(const TFont& font) {
    m_parentFont = false;
    if (font == m_font) return;
    m_font = font;
    Invalidate();
}

void TControl::Paint(ICanvas&) {}

void TControl::PaintTree(ICanvas& canvas, bool withWindows) {
    Paint(canvas);
    for (auto& child : m_children) {
        if (!child->m_visible || (child->HasWindow() && !withWindows)) continue;
        TClipScope viewport(canvas, child->m_bounds, TClipScope::ckViewport);
        if (canvas.ClipRect().Empty()) continue;
        child->PaintTree(canvas, withWindows);
    }
}

void TControl::Invalidate() { Invalidate(ClientRect()); }

void TControl::Invalidate(const TRect& client) {
    if (m_peer) {
        m_peer->Invalidate(client);
        return;
    }
    // Windowless: the parent draws this control.
    if (m_parent != nullptr && m_visible) m_parent->Invalidate(client.Offset(m_bounds.left, m_bounds.top));
}

void TControl::MouseDown(const TMouseEvent&) {}
void TControl::MouseMove(const TMouseEvent&) {}
void TControl::MouseUp(const TMouseEvent&) {}
void TControl::MouseEnter() {}
void TControl::MouseLeave() {}

void TControl::Click() {
    if (OnClick) OnClick(*this);
}

bool TControl::KeyDown(const TKeyEvent&) { return false; }

bool TControl::MouseWheel(const TMouseWheelEvent& e) {
    if (!m_scroll.Visible()) return false;
    constexpr int kLinesPerNotch = 3;
    constexpr int kNotch = 120;
    ScrollTo(m_scroll.position - e.delta * kLinesPerNotch * m_scroll.line / kNotch);
    return true;
}

void TControl::SetScroll(const TScrollInfo& scroll) {
    TScrollInfo clamped = scroll;
    clamped.position = std::clamp(scroll.position, 0, clamped.MaxPosition());
    if (clamped == m_scroll) return;
    const bool barChanged = clamped.Visible() != m_scroll.Visible();
    m_scroll = clamped;
    if (m_peer) m_peer->ScrollChanged();
    if (barChanged) BoundsChanged();  // the client area changed
}

void TControl::ScrollTo(int position) {
    position = std::clamp(position, 0, m_scroll.MaxPosition());
    if (position == m_scroll.position) return;
    m_scroll.position = position;
    if (m_peer) m_peer->ScrollChanged();
    Invalidate();
    if (OnScroll) OnScroll(*this);
}

void TControl::SetHorzScroll(const TScrollInfo& scroll) {
    TScrollInfo clamped = scroll;
    clamped.position = std::clamp(scroll.position, 0, clamped.MaxPosition());
    if (clamped == m_hscroll) return;
    const bool barChanged = clamped.Visible() != m_hscroll.Visible();
    m_hscroll = clamped;
    if (m_peer) m_peer->ScrollChanged();
    if (barChanged) BoundsChanged();  // the client area changed
}

void TControl::HorzScrollTo(int position) {
    position = std::clamp(position, 0, m_hscroll.MaxPosition());
    if (position == m_hscroll.position) return;
    m_hscroll.position = position;
    if (m_peer) m_peer->ScrollChanged();
    Invalidate();
    if (OnScroll) OnScroll(*this);
}

void TControl::FocusChanged(bool focused) {
    if (focused) {
        if (OnEnter) OnEnter(*this);
    } else {
        if (OnExit) OnExit(*this);
    }
}

bool TControl::CanFocus() const {
    if (!m_tabStop || !Showing()) return false;
    for (const TControl* c = this; c != nullptr; c = c->m_parent)
        if (!c->m_enabled) return false;
    return true;
}

bool TControl::Focused() const {
    TForm* form = const_cast<TControl*>(this)->Form();
    return form != nullptr && form->FocusedControl() == this;
}

void TControl::SetFocus() {
    if (TForm* form = Form(); form != nullptr && CanFocus()) form->FocusControl(this);
}

bool TControl::Hovered() const {
    TForm* form = const_cast<TControl*>(this)->Form();
    return form != nullptr && form->HoverControl() == this;
}

TControl* TControl::ChildAt(TPoint client, bool withWindows) const {
    // Later children lie on top of earlier ones.
    for (auto it = m_children.rbegin(); it != m_children.rend(); ++it) {
        TControl& child = **it;
        if (!child.m_visible || (child.HasWindow() && !withWindows)) continue;
        if (child.m_bounds.Contains(client)) return &child;
    }
    return nullptr;
}

}  // namespace ui

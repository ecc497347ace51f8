#include "ui/Form.h"

#include <vector>

#include "ui/Application.h"
#include "ui/WindowSystem.h"

namespace ui {

namespace {

// Where a control's hint opens, below the mouse pointer so it does not cover it.
constexpr int kHintOffsetY = 20;

bool EnabledWithAncestors(const TControl& control) {
    for (const TControl* c = &control; c != nullptr; c = c->Parent())
        if (!c->Enabled()) return false;
    return true;
}

void CollectFocusable(TControl& control, std::vector<TControl*>& out) {
    if (control.CanFocus()) out.push_back(&control);
    for (auto& child : control.Children()) CollectFocusable(*child, out);
}

// The point p of from's client space in to's client space.
TPoint Translate(const TControl& from, const TControl& to, TPoint p) {
    const TPoint f = from.ClientToForm(p);
    const TPoint origin = to.ClientToForm({0, 0});
    return {f.x - origin.x, f.y - origin.y};
}

// The peer of the window that shows control: its own, or its nearest ancestor's.
IControlPeer* HostPeer(const TControl& control) {
    for (const TControl* c = &control; c != nullptr; c = c->Parent())
        if (c->Peer() != nullptr) return c->Peer();
    return nullptr;
}

}  // namespace

TForm::TForm(TApplication& app, std::string className)
    : m_app(app), m_className(std::move(className)), m_menu(*this), m_hint(*this) {
    m_visible = false;
    SetColor(clBtnFace);
    auto peer = app.System().CreateFormPeer(*this);
    m_formPeer = peer.get();
    m_peer = std::move(peer);
}

TForm::~TForm() {
    m_hint.Close();
    // The controls' windows go before the form's window.
    m_focused = m_hover = m_captured = m_pressed = nullptr;
    m_children.clear();
    m_formPeer = nullptr;
    m_peer.reset();
}

void TForm::Paint(ICanvas& canvas) { canvas.FillRect(ClientRect(), BackgroundColor()); }

IWindowSystem& TForm::System() const { return m_app.System(); }

void TForm::CenterOnScreen() {
    if (m_formPeer) m_formPeer->CenterOnScreen();
}

void TForm::MenuChanged() {
    if (m_formPeer) m_formPeer->MenuChanged();
}

void TForm::DoCreate() {
    m_app.Guard([&] {
        if (OnCreate) OnCreate(*this);
    });
}

void TForm::Show() {
    if (m_closed) return;
    SetVisible(true);
    m_shown = true;
    m_app.Guard([&] {
        if (OnShow) OnShow(*this);
    });
}

namespace {

void ReleasePeersBelow(TControl& control, std::vector<TControl*>& order) {
    for (auto& child : control.Children()) ReleasePeersBelow(*child, order);
    order.push_back(&control);
}

}  // namespace

void TForm::Close() {
    if (m_closed) return;
    m_app.Guard([&] {
        if (OnClose) OnClose(*this);
    });
    m_closed = true;
    m_shown = false;
    m_hint.Close();
    FocusControl(nullptr);
    SetHover(nullptr, {});
    m_captured = m_pressed = nullptr;
    // Children's windows first, then the form's own.
    std::vector<TControl*> order;
    for (auto& child : m_children) ReleasePeersBelow(*child, order);
    for (TControl* c : order) c->m_peer.reset();
    if (m_formPeer) m_formPeer->Destroy();
    m_formPeer = nullptr;
    m_peer.reset();
    if (m_app.MainForm() == this) m_app.Terminate();
}

bool TForm::Active() const { return m_formPeer != nullptr && m_formPeer->IsActive(); }

TControl& TForm::Deepest(TControl& target, TPoint& client) const {
    const bool withWindows = !System().ChildWindowsReceiveInput();
    TControl* c = &target;
    while (TControl* child = c->ChildAt(client, withWindows)) {
        client.x -= child->Bounds().left;
        client.y -= child->Bounds().top;
        c = child;
    }
    return *c;
}

void TForm::SetHover(TControl* control, TPoint formPoint) {
    if (control == m_hover) return;
    TControl* old = m_hover;
    m_hover = control;
    if (old != nullptr) {
        if (old->ShowHint()) m_hint.Close();
        m_app.Guard([&] { old->MouseLeave(); });
    }
    if (control != nullptr) {
        m_app.Guard([&] { control->MouseEnter(); });
        if (control == m_hover && control->ShowHint() && !control->Hint().empty())
            m_hint.Open(control->Hint(), {formPoint.x, formPoint.y + kHintOffsetY});
    }
}

TCursor TForm::CurrentCursor() const { return m_hover != nullptr ? m_hover->Cursor() : TCursor::crDefault; }

void TForm::RouteMouseDown(TControl& target, const TMouseEvent& e) {
    TPoint p = e.client;
    TControl& c = Deepest(target, p);
    SetHover(&c, target.ClientToForm(e.client));
    if (!EnabledWithAncestors(c)) return;
    if (m_hint.IsOpen()) m_hint.Close();
    if (e.button == TMouseButton::mbLeft) {
        m_pressed = &c;
        m_captured = &c;
        if (IControlPeer* host = HostPeer(c)) host->CaptureMouse(true);
        if (c.CanFocus()) FocusControl(&c);
    }
    TMouseEvent local = e;
    local.client = p;
    m_app.Guard([&] { c.MouseDown(local); });
}

void TForm::RouteMouseMove(TControl& target, const TMouseEvent& e) {
    TControl* c = m_captured;
    TPoint p = e.client;
    if (c != nullptr) {
        p = Translate(target, *c, e.client);
    } else {
        c = &Deepest(target, p);
        SetHover(c, target.ClientToForm(e.client));
        if (c != m_hover) return;  // a handler of the hover change took the control away
    }
    TMouseEvent local = e;
    local.client = p;
    m_app.Guard([&] { c->MouseMove(local); });
    System().SetCursor(CurrentCursor());
}

void TForm::RouteMouseUp(TControl& target, const TMouseEvent& e) {
    TControl* c = m_captured;
    TPoint p = e.client;
    if (c != nullptr) {
        p = Translate(target, *c, e.client);
    } else {
        c = &Deepest(target, p);
    }
    if (m_captured != nullptr) {
        if (IControlPeer* host = HostPeer(*m_captured)) host->CaptureMouse(false);
        m_captured = nullptr;
    }
    const bool click = e.button == TMouseButton::mbLeft && c == m_pressed && c->ClientRect().Contains(p);
    m_pressed = nullptr;
    if (!EnabledWithAncestors(*c)) return;
    TMouseEvent local = e;
    local.client = p;
    m_app.Guard([&] { c->MouseUp(local); });
    if (click) m_app.Guard([&] { c->Click(); });
}

void TForm::RouteMouseWheel(TControl& target, const TMouseWheelEvent& e) {
    TPoint p = e.client;
    TControl* c = &Deepest(target, p);
    for (; c != nullptr; c = c->Parent()) {
        if (!EnabledWithAncestors(*c)) continue;
        TMouseWheelEvent local = e;
        local.client = Translate(target, *c, e.client);
        bool used = false;
        m_app.Guard([&] { used = c->MouseWheel(local); });
        if (used) return;
    }
}

void TForm::MouseLeftForm() {
    if (m_captured == nullptr) SetHover(nullptr, {});
}

bool TForm::RouteKey(const TKeyEvent& e) {
    if (e.key == TKey::kTab && (e.shift & (ssCtrl | ssAlt)) == 0) return SelectNext((e.shift & ssShift) == 0);
    TControl* c = m_focused;
    if (c == nullptr) return false;
    bool used = false;
    m_app.Guard([&] { used = c->KeyDown(e); });
    return used;
}

bool TForm::MenuCommand(int id) {
    TMenuItem* item = m_menu.FindById(id);
    if (item == nullptr || item->IsSeparator()) return false;
    for (TMenuItem* i = item; i != nullptr; i = i->Parent())
        if (!i->Visible() || !i->Enabled()) return false;
    m_app.Guard([&] { item->Click(); });
    return true;
}

void TForm::FocusControl(TControl* control) {
    if (control == m_focused) return;
    TControl* old = m_focused;
    m_focused = control;
    if (control != nullptr) {
        if (IControlPeer* host = HostPeer(*control)) host->TakeFocus();
    }
    // The native focus change may already have told us (FocusMovedTo); tell
    // the controls only once.
    if (old != nullptr && old != m_focused) m_app.Guard([&] { old->FocusChanged(false); });
    if (old != nullptr) old->Invalidate();
    if (control != nullptr && control == m_focused) {
        m_app.Guard([&] { control->FocusChanged(true); });
        control->Invalidate();
    }
}

void TForm::FocusMovedTo(TControl* control) {
    if (control == m_focused) return;
    TControl* old = m_focused;
    m_focused = control;
    if (old != nullptr) {
        m_app.Guard([&] { old->FocusChanged(false); });
        old->Invalidate();
    }
    if (control != nullptr && control == m_focused) {
        m_app.Guard([&] { control->FocusChanged(true); });
        control->Invalidate();
    }
}

bool TForm::SelectNext(bool forward) {
    std::vector<TControl*> order;
    for (auto& child : m_children) CollectFocusable(*child, order);
    if (order.empty()) return false;
    std::size_t index = 0;
    std::size_t current = order.size();
    for (std::size_t i = 0; i < order.size(); ++i)
        if (order[i] == m_focused) current = i;
    if (current == order.size()) {
        index = forward ? 0 : order.size() - 1;
    } else {
        index = forward ? (current + 1) % order.size() : (current + order.size() - 1) % order.size();
    }
    if (order[index] == m_focused) return false;
    FocusControl(order[index]);
    return true;
}

void TForm::ControlDestroyed(TControl& control) {
    if (m_focused == &control) m_focused = nullptr;
    if (m_hover == &control) m_hover = nullptr;
    if (m_captured == &control) m_captured = nullptr;
    if (m_pressed == &control) m_pressed = nullptr;
}

}  // namespace ui

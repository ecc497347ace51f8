#include "ui/headless/HeadlessWindowSystem.h"

#include <algorithm>

#include "platform/CodePage.h"
#include "ui/Application.h"
#include "ui/ComboEdit.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/FormPeer.h"
#include "ui/HintPeer.h"
#include "ui/Timer.h"
#include "ui/TimerPeer.h"

namespace ui::headless {

class THeadlessWindowSystem::TControlPeer : public IControlPeer {
public:
    explicit TControlPeer(TControl& control) : m_control(control) {}
    void BoundsChanged() override {}
    void ShowingChanged() override {}
    void TextChanged() override {}
    void EnabledChanged() override {}
    void Invalidate(const TRect&) override { ++m_invalidates; }
    void TakeFocus() override {}
    void CaptureMouse(bool) override {}
    bool DroppedDown() const override { return m_dropped; }

    TControl& m_control;
    int m_invalidates = 0;
    bool m_dropped = false;
};

class THeadlessWindowSystem::TFormPeer : public IFormPeer {
public:
    TFormPeer(THeadlessWindowSystem& system, TForm& form) : m_system(system), m_form(form) {
        system.m_forms.push_back(this);
    }
    ~TFormPeer() override { Destroy(); }

    void BoundsChanged() override {}
    void ShowingChanged() override {
        if (m_form.Visible()) m_active = true;
    }
    void TextChanged() override {}
    void EnabledChanged() override {}
    void Invalidate(const TRect&) override { ++m_invalidates; }
    void TakeFocus() override {}
    void CaptureMouse(bool) override {}
    void CaptionChanged() override {}
    void MenuChanged() override { ++m_menuRebuilds; }
    void CenterOnScreen() override { m_centered = true; }
    bool IsActive() const override { return m_active && m_form.Visible(); }
    TPoint ClientOriginOnScreen() const override { return {100, 100}; }
    void Destroy() override {
        auto& forms = m_system.m_forms;
        forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
    }

    THeadlessWindowSystem& m_system;
    TForm& m_form;
    int m_menuRebuilds = 0;
    int m_invalidates = 0;
    bool m_centered = false;
    bool m_active = false;
};

class THeadlessWindowSystem::TTimerPeer : public ITimerPeer {
public:
    TTimerPeer(THeadlessWindowSystem& system, TTimer& timer) : m_system(system), m_timer(timer) {
        system.m_timers.push_back(this);
    }
    ~TTimerPeer() override {
        auto& timers = m_system.m_timers;
        timers.erase(std::remove(timers.begin(), timers.end(), this), timers.end());
    }
    void Changed() override {}

    THeadlessWindowSystem& m_system;
    TTimer& m_timer;
};

class THeadlessWindowSystem::THintPeer : public IHintPeer {
public:
    explicit THintPeer(THeadlessWindowSystem& system) : m_system(system) {}
    ~THintPeer() override { Hide(); }
    void Show(TForm&, TPoint formClient, const std::u16string& text, int maxWidth) override {
        m_system.m_hint = {true, text, formClient, maxWidth};
        m_showing = true;
    }
    void Hide() override {
        if (!m_showing) return;
        m_showing = false;
        m_system.m_hint.shown = false;
    }

    THeadlessWindowSystem& m_system;
    bool m_showing = false;
};

THeadlessWindowSystem::THeadlessWindowSystem() = default;
THeadlessWindowSystem::~THeadlessWindowSystem() = default;

std::unique_ptr<IFormPeer> THeadlessWindowSystem::CreateFormPeer(TForm& form) {
    return std::make_unique<TFormPeer>(*this, form);
}

std::unique_ptr<IControlPeer> THeadlessWindowSystem::CreateControlPeer(TControl& control) {
    return std::make_unique<TControlPeer>(control);
}

std::unique_ptr<ITimerPeer> THeadlessWindowSystem::CreateTimerPeer(TTimer& timer) {
    return std::make_unique<TTimerPeer>(*this, timer);
}

std::unique_ptr<IHintPeer> THeadlessWindowSystem::CreateHintPeer() { return std::make_unique<THintPeer>(*this); }

TModalResult THeadlessWindowSystem::ShowMessageBox(TForm*, std::string_view text, std::string_view caption,
                                                   TMessageBoxKind kind) {
    TShownMessageBox box{std::string(text), std::string(caption), kind, TModalResult::mrNone};
    if (OnMessageBox) OnMessageBox(box);
    if (!m_answers.empty()) {
        box.answer = m_answers.front();
        m_answers.pop_front();
    } else {
        box.answer = kind == TMessageBoxKind::mbPlain ? TModalResult::mrOk : TModalResult::mrNone;
    }
    m_boxes.push_back(box);
    return box.answer;
}

void THeadlessWindowSystem::ShellOpen(TForm*, std::string_view target) { m_opened.emplace_back(target); }

void THeadlessWindowSystem::AddForeignWindow(std::string className, std::string title) {
    m_foreign.emplace_back(std::move(className), std::move(title));
}

bool THeadlessWindowSystem::ActivateWindow(std::string_view className, std::string_view title) {
    for (TFormPeer* peer : m_forms) {
        if (peer->m_form.ClassName() == className && platform::Utf16ToAnsi(peer->m_form.Caption()) == title) {
            peer->m_active = true;
            m_activated.push_back(std::string(className) + " " + std::string(title));
            return true;
        }
    }
    for (const auto& [cls, caption] : m_foreign) {
        if (cls == className && caption == title) {
            m_activated.push_back(cls + " " + caption);
            return true;
        }
    }
    return false;
}

bool THeadlessWindowSystem::InstallHandCursor(int id) {
    if (!m_handAvailable || id != kSystemHandCursorId) return false;
    m_handInstalled = true;
    return true;
}

bool THeadlessWindowSystem::HandleMessage() {
    ++m_turns;
    if (m_queue.empty()) return false;
    std::function<void()> message = std::move(m_queue.front());
    m_queue.pop_front();
    message();
    return true;
}

bool THeadlessWindowSystem::WaitAndHandleMessage() {
    // Nothing can arrive while the test itself waits: an empty queue ends the loop.
    if (m_quit) return false;
    return HandleMessage();
}

int THeadlessWindowSystem::FireTimers() {
    // A handler may create or destroy timers: fire from a copy, checking each is still there.
    const std::vector<TTimerPeer*> timers = m_timers;
    int fired = 0;
    for (TTimerPeer* peer : timers) {
        if (std::find(m_timers.begin(), m_timers.end(), peer) == m_timers.end()) continue;
        if (FireTimer(peer->m_timer)) ++fired;
    }
    return fired;
}

bool THeadlessWindowSystem::FireTimer(TTimer& timer) {
    if (!TimerRunning(timer)) return false;
    timer.Fire();
    return true;
}

bool THeadlessWindowSystem::TimerRunning(const TTimer& timer) const { return timer.Enabled() && timer.Interval() > 0; }

void THeadlessWindowSystem::Post(std::function<void()> message) { m_queue.push_back(std::move(message)); }

namespace {

TMouseEvent MouseAt(TPoint p, TMouseButton button) { return TMouseEvent{p, button, ssNone}; }

}  // namespace

void THeadlessWindowSystem::MouseDown(TForm& form, TPoint formClient, TMouseButton button) {
    form.RouteMouseDown(form, MouseAt(formClient, button));
}

void THeadlessWindowSystem::MouseUp(TForm& form, TPoint formClient, TMouseButton button) {
    form.RouteMouseUp(form, MouseAt(formClient, button));
}

void THeadlessWindowSystem::MouseMove(TForm& form, TPoint formClient) {
    form.RouteMouseMove(form, MouseAt(formClient, TMouseButton::mbNone));
}

void THeadlessWindowSystem::MouseLeave(TForm& form) { form.MouseLeftForm(); }

void THeadlessWindowSystem::Wheel(TForm& form, TPoint formClient, int delta) {
    form.RouteMouseWheel(form, TMouseWheelEvent{formClient, delta, ssNone});
}

void THeadlessWindowSystem::ScrollTo(TControl& control, int position) {
    TForm* form = control.Form();
    if (form != nullptr)
        form->Application().Guard([&] { control.ScrollTo(position); });
    else
        control.ScrollTo(position);
}

void THeadlessWindowSystem::Click(TForm& form, TPoint formClient) {
    MouseMove(form, formClient);
    MouseDown(form, formClient);
    MouseUp(form, formClient);
}

void THeadlessWindowSystem::Click(TControl& control) {
    TForm* form = control.Form();
    if (form == nullptr) return;
    const TRect r = control.ClientRect();
    Click(*form, control.ClientToForm({r.Width() / 2, r.Height() / 2}));
}

bool THeadlessWindowSystem::Key(TForm& form, TKey key, TShiftState shift) { return form.RouteKey({key, shift}); }

void THeadlessWindowSystem::TypeText(TEdit& edit, std::u16string text) {
    TForm* form = edit.Form();
    if (form != nullptr)
        form->Application().Guard([&] { edit.TextEditedByUser(std::move(text)); });
    else
        edit.TextEditedByUser(std::move(text));
}

void THeadlessWindowSystem::SetDroppedDown(TComboEdit& combo, bool dropped) {
    if (auto* peer = dynamic_cast<TControlPeer*>(combo.Peer())) peer->m_dropped = dropped;
}

void THeadlessWindowSystem::SetActive(TForm& form, bool active) {
    if (auto* peer = dynamic_cast<TFormPeer*>(form.FormPeer())) peer->m_active = active;
}

int THeadlessWindowSystem::InvalidateCount(const TControl& control) const {
    if (const auto* peer = dynamic_cast<const TControlPeer*>(control.Peer())) return peer->m_invalidates;
    if (const auto* peer = dynamic_cast<const TFormPeer*>(control.Peer())) return peer->m_invalidates;
    return 0;
}

bool THeadlessWindowSystem::Centered(const TForm& form) const {
    const auto* peer = dynamic_cast<const TFormPeer*>(form.FormPeer());
    return peer != nullptr && peer->m_centered;
}

int THeadlessWindowSystem::MenuRebuilds(const TForm& form) const {
    const auto* peer = dynamic_cast<const TFormPeer*>(form.FormPeer());
    return peer != nullptr ? peer->m_menuRebuilds : 0;
}

void THeadlessWindowSystem::Paint(TForm& form, TRecordingCanvas& canvas) {
    TClipScope viewport(canvas, form.ClientRect(), TClipScope::ckViewport);
    form.PaintTree(canvas, true);
}

}  // namespace ui::headless

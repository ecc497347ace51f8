#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "ui/Events.h"
#include "ui/WindowSystem.h"
#include "ui/headless/RecordingCanvas.h"

namespace ui {
class TComboEdit;
class TEdit;
}  // namespace ui

namespace ui::headless {

// A message box as the headless backend showed it.
struct TShownMessageBox {
    std::string text;
    std::string caption;
    TMessageBoxKind kind = TMessageBoxKind::mbPlain;
    TModalResult answer = TModalResult::mrNone;
};

// The hint window's state.
struct THintState {
    bool shown = false;
    std::u16string text;
    TPoint formClient;  // top-left corner in the form's client coordinates
    int maxWidth = 0;
};

// The window system for tests: no windows, everything recorded and driven by
// the test. Message boxes take scripted answers; timers fire on demand; mouse
// and keyboard input is synthetic and routed by the form as on screen; the
// message queue holds posted actions, and message-processing turns are counted.
class THeadlessWindowSystem : public IWindowSystem {
public:
    THeadlessWindowSystem();
    ~THeadlessWindowSystem() override;

    // --- IWindowSystem
    std::unique_ptr<IFormPeer> CreateFormPeer(TForm& form) override;
    std::unique_ptr<IControlPeer> CreateControlPeer(TControl& control) override;
    std::unique_ptr<ITimerPeer> CreateTimerPeer(TTimer& timer) override;
    std::unique_ptr<IHintPeer> CreateHintPeer() override;
    bool ChildWindowsReceiveInput() const override { return false; }
    TModalResult ShowMessageBox(TForm* owner, std::string_view text, std::string_view caption,
                                TMessageBoxKind kind) override;
    void ShellOpen(TForm* owner, std::string_view target) override;
    bool ActivateWindow(std::string_view className, std::string_view title) override;
    bool InstallHandCursor(int id) override;
    void SetCursor(TCursor cursor) override { m_cursor = cursor; }
    // A recording canvas, whose fixed metrics are the headless backend's.
    std::unique_ptr<ICanvas> CreateMeasuringCanvas() override { return std::make_unique<TRecordingCanvas>(); }
    bool HandleMessage() override;
    bool WaitAndHandleMessage() override;
    void Quit() override { m_quit = true; }

    // --- message boxes
    // The answer of the next message box; unscripted boxes answer mrOk (plain)
    // or mrNone (confirmation: closed without a choice).
    void QueueAnswer(TModalResult answer) { m_answers.push_back(answer); }
    // Runs while a box is "open", before its answer is taken (may queue an answer).
    std::function<void(const TShownMessageBox&)> OnMessageBox;
    const std::vector<TShownMessageBox>& MessageBoxes() const { return m_boxes; }

    // --- shell and other programs' windows
    const std::vector<std::string>& OpenedTargets() const { return m_opened; }
    // Pretends that another program has a top-level window of this class and title.
    void AddForeignWindow(std::string className, std::string title);
    // Class and title of each window ActivateWindow brought to the foreground.
    const std::vector<std::string>& ActivatedWindows() const { return m_activated; }
    // Whether the system's hand cursor can be loaded (true by default).
    void SetHandCursorAvailable(bool available) { m_handAvailable = available; }
    bool HandCursorInstalled() const { return m_handInstalled; }
    TCursor Cursor() const { return m_cursor; }

    // --- timers
    // Fires every enabled timer once, in creation order; returns how many fired.
    int FireTimers();
    // Fires one timer if it is enabled; returns whether it fired.
    bool FireTimer(TTimer& timer);
    // Whether the backend's clock for timer runs (enabled with an interval above 0).
    bool TimerRunning(const TTimer& timer) const;

    // --- messages
    // Queues an action that HandleMessage runs later, as a window message would be.
    void Post(std::function<void()> message);
    std::size_t PendingMessages() const { return m_queue.size(); }
    // How often HandleMessage was called (every ProcessMessages makes at least one call).
    int MessageTurns() const { return m_turns; }

    // --- input, in the form's client coordinates
    void MouseDown(TForm& form, TPoint formClient, TMouseButton button = TMouseButton::mbLeft);
    void MouseUp(TForm& form, TPoint formClient, TMouseButton button = TMouseButton::mbLeft);
    void MouseMove(TForm& form, TPoint formClient);
    void MouseLeave(TForm& form);
    // Turns the wheel at formClient by delta (120 per notch, positive away from the user).
    void Wheel(TForm& form, TPoint formClient, int delta);
    // The user drags control's scroll bar to position.
    void ScrollTo(TControl& control, int position);
    // A left-button press and release at formClient.
    void Click(TForm& form, TPoint formClient);
    // A left click in the middle of control (which must be on a form).
    void Click(TControl& control);
    // A key pressed on the form; returns whether a control used it.
    bool Key(TForm& form, TKey key, TShiftState shift = ssNone);
    // The user replaces the text of an editor (as by typing).
    void TypeText(TEdit& edit, std::u16string text);
    // Opens or closes a drop-down editor's list.
    void SetDroppedDown(TComboEdit& combo, bool dropped);
    // Makes form the active window or not (shown forms start active).
    void SetActive(TForm& form, bool active);

    // --- state
    const THintState& Hint() const { return m_hint; }
    // How often control (one with a window) asked to be drawn again.
    int InvalidateCount(const TControl& control) const;
    // Whether form was placed in the middle of the screen.
    bool Centered(const TForm& form) const;
    // How often form's native menu was rebuilt.
    int MenuRebuilds(const TForm& form) const;
    // Paints form with all its controls onto canvas.
    void Paint(TForm& form, TRecordingCanvas& canvas);

private:
    class TFormPeer;
    class TControlPeer;
    class TTimerPeer;
    class THintPeer;
    friend class TFormPeer;
    friend class TTimerPeer;
    friend class THintPeer;

    std::deque<TModalResult> m_answers;
    std::vector<TShownMessageBox> m_boxes;
    std::vector<std::string> m_opened;
    std::vector<std::pair<std::string, std::string>> m_foreign;
    std::vector<std::string> m_activated;
    std::vector<TFormPeer*> m_forms;
    std::vector<TTimerPeer*> m_timers;
    std::deque<std::function<void()>> m_queue;
    THintState m_hint;
    TCursor m_cursor = TCursor::crDefault;
    int m_turns = 0;
    bool m_quit = false;
    bool m_handAvailable = true;
    bool m_handInstalled = false;
};

}  // namespace ui::headless

#pragma once

#include <functional>
#include <memory>
#include <string>

#include "ui/Control.h"
#include "ui/FormPeer.h"
#include "ui/HintWindow.h"
#include "ui/MenuItem.h"

namespace ui {

class TApplication;
class IWindowSystem;

// A top-level window: caption (its Text), client size (its Bounds, always at
// 0, 0), a window class name, a default font, a menu bar, and create, show
// and close events. The form routes mouse and keyboard input to its controls,
// keeps the keyboard focus, the Tab order and the hover state, and shows the
// hints of the controls under the mouse.
class TForm : public TControl {
public:
    // A hidden form of the given window class on app's window system.
    explicit TForm(TApplication& app, std::string className = "TPelmiraForm");
    ~TForm() override;

    TForm* Form() override { return this; }
    // Fills the client area with the form's colour.
    void Paint(ICanvas& canvas) override;
    TApplication& Application() const { return m_app; }
    IWindowSystem& System() const;
    const std::string& ClassName() const { return m_className; }
    IFormPeer* FormPeer() const { return m_formPeer; }

    // The caption is the form's text.
    const std::u16string& Caption() const { return Text(); }
    void SetCaption(std::u16string caption) { SetText(std::move(caption)); }
    // Sets the size of the client area (logical pixels).
    void SetClientSize(int width, int height) { SetBounds(0, 0, width, height); }
    // Places the form in the middle of the screen.
    void CenterOnScreen();
    // The menu bar (its root item; an empty root shows no menu bar).
    TMenuItem& Menu() { return m_menu; }
    // Called by menu items when they change; the native menu is rebuilt.
    void MenuChanged();

    // Runs OnCreate (failures go to the application's error report).
    void DoCreate();
    // Shows the window and runs OnShow.
    void Show();
    // Runs OnClose and destroys the window; closing the main form ends the program.
    void Close();
    bool IsShown() const { return m_shown; }
    bool IsClosed() const { return m_closed; }
    // Whether the form is the active window.
    bool Active() const;

    std::function<void(TForm&)> OnCreate;
    std::function<void(TForm&)> OnShow;
    std::function<void(TForm&)> OnClose;

    // Input from the backend. target is the control whose window received the
    // event (the form itself headless); the form finds the control under the
    // point, keeps the mouse captured between press and release, tracks the
    // hover and raises Click for a press and release on the same control.
    void RouteMouseDown(TControl& target, const TMouseEvent& e);
    void RouteMouseMove(TControl& target, const TMouseEvent& e);
    void RouteMouseUp(TControl& target, const TMouseEvent& e);
    // The mouse wheel turned over target: the control under the pointer gets
    // it, or the nearest ancestor that uses it.
    void RouteMouseWheel(TControl& target, const TMouseWheelEvent& e);
    // The mouse left the form's windows.
    void MouseLeftForm();
    // A key for the focused control: Tab and Shift+Tab move the focus; other
    // keys go to the focused control. Returns whether the key was used.
    bool RouteKey(const TKeyEvent& e);
    // A native menu command: clicks the visible, enabled item with that id; returns whether there was one.
    bool MenuCommand(int id);

    // The control with the keyboard focus, or nullptr.
    TControl* FocusedControl() const { return m_focused; }
    // Moves the focus to control (nullptr: to no control) and tells its window.
    void FocusControl(TControl* control);
    // Records a focus change that the window system already made (a click in a native editor).
    void FocusMovedTo(TControl* control);
    // Moves the focus to the next (or previous) control that can take it, in
    // Tab order, wrapping around; returns whether the focus moved.
    bool SelectNext(bool forward);
    // The control under the mouse, or nullptr.
    TControl* HoverControl() const { return m_hover; }
    // The cursor the mouse shows over the form now.
    TCursor CurrentCursor() const;
    // The hint window of the controls' hints.
    THintWindow& HintWindow() { return m_hint; }

    // A control is being destroyed: forget it as focus, hover or capture.
    void ControlDestroyed(TControl& control);

private:
    TControl& Deepest(TControl& target, TPoint& client) const;
    void SetHover(TControl* control, TPoint formPoint);

    TApplication& m_app;
    std::string m_className;
    IFormPeer* m_formPeer = nullptr;  // the same object as the base's peer
    TMenuItem m_menu;
    THintWindow m_hint;
    TControl* m_focused = nullptr;
    TControl* m_hover = nullptr;
    TControl* m_captured = nullptr;
    TControl* m_pressed = nullptr;
    bool m_shown = false;
    bool m_closed = false;
};

}  // namespace ui

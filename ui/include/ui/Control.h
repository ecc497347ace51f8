#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui/Accessibility.h"
#include "ui/Canvas.h"
#include "ui/Color.h"
#include "ui/ControlPeer.h"
#include "ui/Cursor.h"
#include "ui/Events.h"
#include "ui/Font.h"
#include "ui/Geometry.h"

namespace ui {

class TForm;

// What kind of window a control has on a window system with child windows.
// A control's vertical scroll bar: the content is range pixels high, page of
// them show, and the first shown is position (0 to range - page). The bar
// shows while range > page; the user's line step is line pixels.
struct TScrollInfo {
    int range = 0;
    int page = 0;
    int position = 0;
    int line = 16;
    // The largest position (0 when everything fits).
    int MaxPosition() const { return range > page ? range - page : 0; }
    // Whether the bar shows.
    bool Visible() const { return page > 0 && range > page; }
    friend bool operator==(const TScrollInfo&, const TScrollInfo&) = default;
};

// The width of a vertical scroll bar (and height of a horizontal one) in logical pixels.
constexpr int kScrollBarWidth = 17;

enum class TWindowKind {
    wkNone,       // windowless: drawn by and hit-tested in its parent (must have no children)
    wkCustom,     // a custom-drawn child window whose window text is WindowText()
    wkEdit,       // the system's one-line edit field
    wkComboEdit,  // the system's edit field with a drop-down list
};

// The base of every control: a node in a form's tree of controls with bounds
// in its parent's client coordinates (logical pixels, 96 per inch), text,
// colours, font, visibility, focus and mouse handling. A parent owns its
// children. Controls draw only through ICanvas, in their own client coordinates.
class TControl {
public:
    TControl();
    virtual ~TControl();
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;

    // Creates a child of type T from args, adds it last and returns it; the parent owns it.
    template <class T, class... Args>
    T& Add(Args&&... args) {
        auto child = std::make_unique<T>(std::forward<Args>(args)...);
        T& ref = *child;
        Adopt(std::move(child));
        return ref;
    }
    // The parent, or nullptr for a form or a control not yet added.
    TControl* Parent() const { return m_parent; }
    // The children in the order they were added (which is also the Tab order).
    const std::vector<std::unique_ptr<TControl>>& Children() const { return m_children; }
    // The form the control is on, or nullptr.
    virtual TForm* Form();

    // A name for finding the control (FindChild) and for messages of tests.
    const std::string& Name() const { return m_name; }
    void SetName(std::string name) { m_name = std::move(name); }
    // The first control named name in this subtree (this one included), or nullptr.
    TControl* FindChild(const std::string& name);

    // Bounds in the parent's client coordinates.
    const TRect& Bounds() const { return m_bounds; }
    void SetBounds(const TRect& bounds);
    void SetBounds(int left, int top, int width, int height) { SetBounds(TRect::FromSize(left, top, width, height)); }
    // The client rectangle: (0, 0) to the control's size, less showing scroll bars.
    TRect ClientRect() const {
        return {0, 0, m_bounds.Width() - (m_scroll.Visible() ? kScrollBarWidth : 0),
                m_bounds.Height() - (m_hscroll.Visible() ? kScrollBarWidth : 0)};
    }
    // Converts a point of this control's client space to the form's client space.
    TPoint ClientToForm(TPoint client) const;

    // Own visibility flag; Showing() also needs every ancestor visible.
    bool Visible() const { return m_visible; }
    void SetVisible(bool visible);
    bool Showing() const;
    // Enabled flag: disabled controls take no input and no focus.
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);

    // The control's text (a caption, a label's text, an editor's content).
    const std::u16string& Text() const { return m_text; }
    void SetText(std::u16string text);
    // What the control's window shows to tools outside the program (its window
    // text on Win32): the text by default.
    virtual std::u16string WindowText() const { return m_text; }

    // Own background colour; clNone takes the parent's.
    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    // The colour the background is painted with (own, else inherited; a form's default is clBtnFace).
    TColor BackgroundColor() const;
    // The font: the control's own once SetFont was called, else the parent's.
    const TFont& Font() const;
    void SetFont(const TFont& font);

    // The mouse pointer over the control.
    TCursor Cursor() const { return m_cursor; }
    void SetCursor(TCursor cursor) { m_cursor = cursor; }
    // A hint shown in a hint window while the mouse rests on the control, when ShowHint is on.
    const std::u16string& Hint() const { return m_hint; }
    void SetHint(std::u16string hint) { m_hint = std::move(hint); }
    bool ShowHint() const { return m_showHint; }
    void SetShowHint(bool show) { m_showHint = show; }
    // Whether Tab stops at the control.
    bool TabStop() const { return m_tabStop; }
    void SetTabStop(bool tabStop) { m_tabStop = tabStop; }

    // The kind of window the control has where controls have windows.
    virtual TWindowKind WindowKind() const { return TWindowKind::wkCustom; }
    bool HasWindow() const { return WindowKind() != TWindowKind::wkNone; }
    // The window class name of the control's own window where the backend gives
    // custom controls their own class (Win32); empty for the framework's default.
    virtual std::u16string WindowClassName() const { return {}; }
    // What the control exposes to assistive tools, or nullptr for the default
    // (its window text only).
    virtual const IAccessibleSource* Accessible() const { return nullptr; }
    // The window-system peer, or nullptr (windowless, or not yet on a form).
    IControlPeer* Peer() const { return m_peer.get(); }

    // Draws the control's own content in its client coordinates.
    virtual void Paint(ICanvas& canvas);
    // Draws the control and then its showing children in their viewports;
    // children with windows of their own are skipped unless withWindows.
    void PaintTree(ICanvas& canvas, bool withWindows);
    // Asks for the whole control / part of it (client coordinates) to be drawn again.
    void Invalidate();
    void Invalidate(const TRect& client);

    // Mouse input, already routed to this control (client coordinates).
    virtual void MouseDown(const TMouseEvent& e);
    virtual void MouseMove(const TMouseEvent& e);
    virtual void MouseUp(const TMouseEvent& e);
    // The mouse came over / left the control.
    virtual void MouseEnter();
    virtual void MouseLeave();
    // A left-button press and release on the control: runs OnClick.
    virtual void Click();
    // The mouse wheel turned over the control; returns whether it used it
    // (unused turns go to the parent). By default scrolls by three lines.
    virtual bool MouseWheel(const TMouseWheelEvent& e);
    // A key while the control has the focus; returns whether the control used it.
    virtual bool KeyDown(const TKeyEvent& e);
    // The control received (true) or lost (false) the keyboard focus: runs OnEnter / OnExit.
    virtual void FocusChanged(bool focused);
    // Whether the control can take the focus now (tab stop, showing, enabled).
    virtual bool CanFocus() const;
    // Whether the control has the keyboard focus.
    bool Focused() const;
    // Gives the control the keyboard focus (when it can take it).
    void SetFocus();
    // Whether the mouse is over the control.
    bool Hovered() const;

    // The child whose bounds hold p (client coordinates), topmost first;
    // only windowless children unless withWindows. nullptr when none.
    TControl* ChildAt(TPoint client, bool withWindows) const;

    // The vertical scroll bar; setting it clamps the position into range.
    const TScrollInfo& Scroll() const { return m_scroll; }
    void SetScroll(const TScrollInfo& scroll);
    // Moves the content to position (clamped), as the user's scrolling does:
    // stores it, redraws and runs OnScroll when it changed.
    virtual void ScrollTo(int position);
    std::function<void(TControl&)> OnScroll;
    // The horizontal scroll bar, in the same terms as the vertical one.
    const TScrollInfo& HorzScroll() const { return m_hscroll; }
    void SetHorzScroll(const TScrollInfo& scroll);
    // Moves the content sideways to position (clamped), as the user's scrolling
    // does: stores it, redraws and runs OnScroll when it changed.
    virtual void HorzScrollTo(int position);

    std::function<void(TControl&)> OnClick;
    std::function<void(TControl&)> OnEnter;
    std::function<void(TControl&)> OnExit;

    // Called by a peer when the user changed the text in the control's own
    // window (editors): stores it without telling the peer again.
    void TextEditedByUser(std::u16string text);

protected:
    // Runs after the text changed.
    virtual void TextChanged() {}
    // Runs after the bounds changed.
    virtual void BoundsChanged() {}
    // Creates the peers of this subtree once it is on a form with a window.
    void CreatePeers();

private:
    friend class TForm;
    void Adopt(std::unique_ptr<TControl> child);

    TControl* m_parent = nullptr;
    std::vector<std::unique_ptr<TControl>> m_children;
    std::unique_ptr<IControlPeer> m_peer;
    std::string m_name;
    TRect m_bounds;
    std::u16string m_text;
    std::u16string m_hint;
    TFont m_font;
    TColor m_color = clNone;
    TCursor m_cursor = TCursor::crDefault;
    bool m_visible = true;
    bool m_enabled = true;
    bool m_showHint = false;
    bool m_tabStop = false;
    bool m_parentFont = true;
    TScrollInfo m_scroll;
    TScrollInfo m_hscroll;
};

}  // namespace ui

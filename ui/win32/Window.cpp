#include "Window.h"

namespace ui::win32 {

void TWindow::Paint() {
    const TPaintDC paint(m_hwnd);
    const RECT& area = paint.PaintRect();
    RECT client;
    GetClientRect(m_hwnd, &client);
    if (client.right > 0 && client.bottom > 0) {
        // Drawn into a bitmap first and copied in one step, so nothing flickers.
        const TMemoryDC memory(paint.Get());
        const TGdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(paint.Get(), client.right, client.bottom));
        const TSelectObject selection(memory.Get(), bitmap.Get());
        {
            TGdiCanvas canvas(memory.Get(), Dpi(), area);
            Guarded([&] { m_control.PaintTree(canvas, false); });
        }
        BitBlt(paint.Get(), area.left, area.top, area.right - area.left, area.bottom - area.top, memory.Get(),
               area.left, area.top, SRCCOPY);
    }
}

bool TWindow::PositionAfterScrollRequest(const TScrollInfo& scroll, int bar, UINT request, int& position) const {
    // The horizontal requests share the vertical ones' numbers (SB_LINELEFT is
    // SB_LINEUP, SB_LEFT is SB_TOP, ...), so one table serves both bars.
    position = scroll.position;
    switch (request) {
        case SB_LINEUP:
            position -= scroll.line;
            return true;
        case SB_LINEDOWN:
            position += scroll.line;
            return true;
        case SB_PAGEUP:
            position -= scroll.page;
            return true;
        case SB_PAGEDOWN:
            position += scroll.page;
            return true;
        case SB_TOP:
            position = 0;
            return true;
        case SB_BOTTOM:
            position = scroll.MaxPosition();
            return true;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            SCROLLINFO info{};
            info.cbSize = sizeof(info);
            info.fMask = SIF_TRACKPOS;
            GetScrollInfo(m_hwnd, bar, &info);
            position = info.nTrackPos;
            return true;
        }
        default:
            return false;
    }
}

void TWindow::ScrollByUser(UINT request) {
    int position = 0;
    if (!PositionAfterScrollRequest(m_control.Scroll(), SB_VERT, request, position)) return;
    Guarded([&] { m_control.ScrollTo(position); });
}

void TWindow::MouseLeft() {
    m_trackingLeave = false;
    TForm* form = m_control.Form();
    if (form == nullptr || form->FormPeer() == nullptr) return;
    // Moving onto a child window also "leaves" its parent; only leaving the
    // form's windows altogether ends the hover.
    POINT cursor;
    GetCursorPos(&cursor);
    HWND under = WindowFromPoint(cursor);
    auto* formWindow = dynamic_cast<TWindow*>(form->Peer());
    if (under != nullptr && formWindow != nullptr && GetAncestor(under, GA_ROOT) == formWindow->Hwnd()) return;
    Guarded([&] { form->MouseLeftForm(); });
}

LRESULT TWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    TForm* form = m_control.Form();
    switch (message) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // painting covers everything
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            if (form != nullptr) {
                const TMouseButton button = message == WM_LBUTTONDOWN   ? TMouseButton::mbLeft
                                            : message == WM_RBUTTONDOWN ? TMouseButton::mbRight
                                                                        : TMouseButton::mbMiddle;
                form->RouteMouseDown(m_control, MouseEventAt(lParam, button));
            }
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            if (form != nullptr) {
                const TMouseButton button = message == WM_LBUTTONUP   ? TMouseButton::mbLeft
                                            : message == WM_RBUTTONUP ? TMouseButton::mbRight
                                                                      : TMouseButton::mbMiddle;
                form->RouteMouseUp(m_control, MouseEventAt(lParam, button));
            }
            return 0;
        case WM_MOUSEMOVE:
            if (!m_trackingLeave) {
                TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, m_hwnd, 0};
                m_trackingLeave = TrackMouseEvent(&track) != FALSE;
            }
            if (form != nullptr) form->RouteMouseMove(m_control, MouseEventAt(lParam, TMouseButton::mbNone));
            return 0;
        case WM_MOUSELEAVE:
            MouseLeft();
            return 0;
        case WM_MOUSEWHEEL:
            if (form != nullptr) {
                // The wheel goes to the window under the pointer, not the one with the focus.
                POINT screen{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
                TWindow* target = FromHwnd(WindowFromPoint(screen));
                if (target == nullptr || target->Control().Form() != form) target = this;
                ScreenToClient(target->Hwnd(), &screen);
                const TMouseWheelEvent e{{target->Unscale(screen.x), target->Unscale(screen.y)},
                                         static_cast<short>(HIWORD(wParam)),
                                         CurrentShift()};
                form->RouteMouseWheel(target->Control(), e);
            }
            return 0;
        case WM_VSCROLL:
            if (lParam == 0) {
                ScrollByUser(LOWORD(wParam));
                return 0;
            }
            break;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT && form != nullptr) {
                ::SetCursor(m_system.CursorHandle(form->CurrentCursor()));
                return TRUE;
            }
            break;
        case WM_KEYDOWN:
            if (form != nullptr && form->RouteKey({MapKey(wParam), CurrentShift()})) return 0;
            break;
        case WM_GETDLGCODE:
            return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTTAB;
        case WM_SETFOCUS:
            if (form != nullptr && &m_control != form) {
                // A windowless control with the focus keeps it while its host window has the focus.
                TControl* focused = form->FocusedControl();
                bool hosted = false;
                for (TControl* c = focused; c != nullptr && c != &m_control; c = c->Parent())
                    if (c->Peer() == nullptr && c->Parent() == &m_control) hosted = true;
                if (!hosted) form->FocusMovedTo(&m_control);
            }
            return 0;
        case WM_COMMAND:
            if (lParam != 0) {
                if (TWindow* child = FromHwnd(reinterpret_cast<HWND>(lParam))) child->Notify(HIWORD(wParam));
                return 0;
            }
            break;
        default:
            break;
    }
    return DefWindowProcW(m_hwnd, message, wParam, lParam);
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    TWindow* window = TWindow::FromHwnd(hwnd);
    if (window == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
    try {
        return window->Handle(message, wParam, lParam);
    } catch (...) {
        // Failures must not unwind through the system's code.
        if (TForm* form = window->Control().Form()) form->Application().HandleException(std::current_exception());
        return 0;
    }
}

}  // namespace ui::win32

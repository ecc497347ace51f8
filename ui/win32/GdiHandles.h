#pragma once

#include "WinApi.h"

#include <utility>

// Owners of the GDI handles the Win32 backend makes: device contexts, GDI
// objects and selections, each given back on destruction, so cleanup runs on
// every path and in the reverse order of making.
namespace ui::win32 {

// The device context of a window's client area (of the screen for a null
// window): GetDC now, ReleaseDC on destruction.
class TWindowDC {
public:
    explicit TWindowDC(HWND hwnd) : m_hwnd(hwnd), m_dc(GetDC(hwnd)) {}
    ~TWindowDC() {
        if (m_dc != nullptr) ReleaseDC(m_hwnd, m_dc);
    }
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;
    // The device context; null when GetDC failed.
    HDC Get() const { return m_dc; }

private:
    HWND m_hwnd;
    HDC m_dc;
};

// One WM_PAINT's drawing session: BeginPaint now, EndPaint on destruction.
class TPaintDC {
public:
    explicit TPaintDC(HWND hwnd) : m_hwnd(hwnd), m_dc(BeginPaint(hwnd, &m_ps)) {}
    ~TPaintDC() { EndPaint(m_hwnd, &m_ps); }
    TPaintDC(const TPaintDC&) = delete;
    TPaintDC& operator=(const TPaintDC&) = delete;
    // The device context to paint on.
    HDC Get() const { return m_dc; }
    // The part of the client area that needs painting (device pixels).
    const RECT& PaintRect() const { return m_ps.rcPaint; }

private:
    HWND m_hwnd;
    PAINTSTRUCT m_ps{};
    HDC m_dc;
};

// A memory device context compatible with another: CreateCompatibleDC now,
// DeleteDC on destruction.
class TMemoryDC {
public:
    explicit TMemoryDC(HDC compatibleWith) : m_dc(CreateCompatibleDC(compatibleWith)) {}
    ~TMemoryDC() {
        if (m_dc != nullptr) DeleteDC(m_dc);
    }
    TMemoryDC(const TMemoryDC&) = delete;
    TMemoryDC& operator=(const TMemoryDC&) = delete;
    // The device context; null when it could not be made.
    HDC Get() const { return m_dc; }

private:
    HDC m_dc;
};

// Owns a GDI object (font, bitmap, pen, brush, region) and deletes it. An
// object selected into a device context must be deselected first: declare its
// TSelectObject after it.
template <typename T = HGDIOBJ>
class TGdiObject {
public:
    // Takes ownership of object (null: owns nothing).
    explicit TGdiObject(T object = nullptr) : m_object(object) {}
    ~TGdiObject() { Reset(); }
    TGdiObject(const TGdiObject&) = delete;
    TGdiObject& operator=(const TGdiObject&) = delete;
    TGdiObject(TGdiObject&& other) noexcept : m_object(std::exchange(other.m_object, nullptr)) {}
    TGdiObject& operator=(TGdiObject&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.m_object, nullptr));
        return *this;
    }
    // The object, still owned; null when none.
    T Get() const { return m_object; }
    // Deletes the owned object and takes object.
    void Reset(T object = nullptr) {
        if (m_object != nullptr) DeleteObject(m_object);
        m_object = object;
    }

private:
    T m_object;
};

// Keeps a GDI object selected into a device context for a scope and selects
// the previous one back on destruction.
class TSelectObject {
public:
    TSelectObject(HDC dc, HGDIOBJ object) : m_dc(dc), m_old(SelectObject(dc, object)) {}
    ~TSelectObject() { SelectObject(m_dc, m_old); }
    TSelectObject(const TSelectObject&) = delete;
    TSelectObject& operator=(const TSelectObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

}  // namespace ui::win32

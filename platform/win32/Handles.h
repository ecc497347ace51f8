#pragma once

#include <windows.h>

// Owners of the Windows handles the platform layer opens: each closes its
// handle on destruction, so cleanup runs on every path, exceptions included.
namespace platform::win32 {

// Owns one handle, closed through Traits: Handle (the type), Empty() (the
// "no handle" value), Valid(h) and Close(h).
template <typename Traits>
class TUniqueHandle {
public:
    using Handle = typename Traits::Handle;

    TUniqueHandle() = default;
    // Takes ownership of h.
    explicit TUniqueHandle(Handle h) : m_h(h) {}
    ~TUniqueHandle() { Reset(); }
    TUniqueHandle(const TUniqueHandle&) = delete;
    TUniqueHandle& operator=(const TUniqueHandle&) = delete;
    TUniqueHandle(TUniqueHandle&& other) noexcept : m_h(other.Release()) {}
    TUniqueHandle& operator=(TUniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }

    // The handle, still owned.
    Handle Get() const { return m_h; }
    // Whether a handle is owned.
    bool Valid() const { return Traits::Valid(m_h); }
    // Closes the owned handle and returns where a function can store a new one.
    Handle* Receive() {
        Reset();
        return &m_h;
    }
    // Gives up ownership and returns the handle.
    Handle Release() {
        const Handle h = m_h;
        m_h = Traits::Empty();
        return h;
    }
    // Closes the owned handle and takes h.
    void Reset(Handle h = Traits::Empty()) {
        if (Valid()) Traits::Close(m_h);
        m_h = h;
    }

private:
    Handle m_h = Traits::Empty();
};

// A kernel object (file, event, ...): INVALID_HANDLE_VALUE or null when empty.
struct TKernelHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static bool Valid(Handle h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
    static void Close(Handle h) { CloseHandle(h); }
};
using UniqueHandle = TUniqueHandle<TKernelHandleTraits>;

// An open registry key.
struct TRegistryKeyTraits {
    using Handle = HKEY;
    static Handle Empty() { return nullptr; }
    static bool Valid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { RegCloseKey(h); }
};
using UniqueKey = TUniqueHandle<TRegistryKeyTraits>;

// A file search started with FindFirstFile.
struct TFindHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static bool Valid(Handle h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
    static void Close(Handle h) { FindClose(h); }
};
using UniqueFind = TUniqueHandle<TFindHandleTraits>;

// Memory the system allocated for the caller with LocalAlloc (FormatMessage's buffer).
struct TLocalMemoryTraits {
    using Handle = HLOCAL;
    static Handle Empty() { return nullptr; }
    static bool Valid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { LocalFree(h); }
};
using UniqueLocalMemory = TUniqueHandle<TLocalMemoryTraits>;

}  // namespace platform::win32

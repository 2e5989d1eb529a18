// Owners of the Win32 handles our programs keep: kernel objects (the front
// end's single-instance mutex, the renderer's process), registry keys, icons,
// the pop-up menu, and GDI objects and memory DCs. Each closes its handle
// with the one call that matches it, on every path out of a scope.
#pragma once

#include <windows.h>

#include <utility>

namespace lumora::win32 {

template <class T, class Closer>
class Unique {
public:
    Unique() = default;
    explicit Unique(T handle) : handle_(handle) {}
    ~Unique() { reset(); }
    Unique(Unique&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    Unique& operator=(Unique&& other) noexcept {
        if (this != &other) reset(std::exchange(other.handle_, nullptr));
        return *this;
    }
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;

    T get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    // For calls that hand a handle back through a pointer: the old one is
    // closed first.
    T* put() {
        reset();
        return &handle_;
    }
    void reset(T handle = nullptr) {
        if (handle_) Closer{}(handle_);
        handle_ = handle;
    }

private:
    T handle_ = nullptr;
};

struct HandleCloser {
    void operator()(HANDLE h) const { CloseHandle(h); }
};
struct KeyCloser {
    void operator()(HKEY k) const { RegCloseKey(k); }
};
struct IconDestroyer {
    void operator()(HICON i) const { DestroyIcon(i); }
};
struct MenuDestroyer {
    void operator()(HMENU m) const { DestroyMenu(m); }
};

struct GdiDeleter {
    void operator()(HGDIOBJ o) const { DeleteObject(o); }
};
struct DcDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};

using UniqueHandle = Unique<HANDLE, HandleCloser>;
using UniqueKey = Unique<HKEY, KeyCloser>;
using UniqueIcon = Unique<HICON, IconDestroyer>;
using UniqueMenu = Unique<HMENU, MenuDestroyer>;
using UniqueBitmap = Unique<HBITMAP, GdiDeleter>;
using UniqueFont = Unique<HFONT, GdiDeleter>;
using UniquePen = Unique<HPEN, GdiDeleter>;
using UniqueDc = Unique<HDC, DcDeleter>;

// A bitmap selected into a DC for the scope, the DC's previous one put back.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~ScopedSelect() {
        if (previous_) SelectObject(dc_, previous_);
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace lumora::win32

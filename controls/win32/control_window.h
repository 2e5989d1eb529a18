// What the skinned controls' windows share: a ControlHost on a window
// (its timers, repaints, size and message box), the translation of mouse
// messages, and a back buffer that holds the control's picture as a 32-bit
// DIB section, so the caption can be drawn onto it with GDI before one blit
// to the screen (no flicker, and a screenshot shows exactly the painter's
// pixels outside the text).
#pragma once

#include <windows.h>

#include <string_view>

#include "controls/paint/control_host.h"
#include "controls/paint/pixel_image.h"

namespace lumora::win32 {

// The host of one control's window. Each of the control's timers is a
// window timer of that window with the control's own id (ids are distinct
// per control; windows do not share timers).
class WindowControlHost : public ControlHost {
public:
    HWND window = nullptr;
    // Set while the host itself resizes the window, so the WM_SIZE that
    // follows is not fed back into the control.
    bool resizing = false;

    void setTimer(int id, uint32_t milliseconds) override;
    void killTimer(int id) override;
    void invalidate() override;
    void resizeControl(int32_t widthPx, int32_t heightPx) override;
    void messageBox(std::string_view textUtf8) override;

    // Kills every timer id below `count` (WM_DESTROY).
    void killAllTimers(int count);
};

// Mouse buttons held, from a mouse message's wParam (MK_*).
int heldButtons(WPARAM wParam);
// The mouse position of a mouse message, signed (a captured mouse may lie
// left of or above the window).
POINT mousePoint(LPARAM lParam);
// Whether the cursor is over `window` itself (not a child, not another
// window in front of it).
bool cursorOver(HWND window);

// A top-down 32-bit DIB section the size of a control, selected into a
// memory DC, holding a copy of the control's PixelImage.
class BackBuffer {
public:
    BackBuffer() = default;
    ~BackBuffer();
    BackBuffer(const BackBuffer&) = delete;
    BackBuffer& operator=(const BackBuffer&) = delete;

    // Copies `image` in, (re)making the section when the size changed.
    // False when the DC or section cannot be made.
    bool load(const PixelImage& image);
    HDC dc() const { return dc_; }
    // Copies the buffer to `target` at (0, 0).
    void blitTo(HDC target) const;

private:
    void release();
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    uint32_t* bits_ = nullptr;
    int32_t width_ = 0, height_ = 0;
};

// Paints into `dc` (the window's client area at its origin) what the
// parent shows beneath the window: its background erase and its client
// painting (WM_ERASEBKGND, WM_PRINTCLIENT), moved to the window's origin.
void paintParentBackground(HWND window, HDC dc);

// Registers a window class once per process; false if it cannot be.
bool registerControlClass(const wchar_t* name, WNDPROC procedure, HINSTANCE instance);

// The button (kLeftButton, ...) a WM_xBUTTONDOWN or WM_xBUTTONUP names.
int messageButton(UINT message);

// The window procedure of a control window that owns a heap object: the
// object comes as the creation parameter, is attached at WM_NCCREATE
// (Owner::attach(HWND)), handles every later message (Owner::handle) and is
// deleted at WM_NCDESTROY. Messages before WM_NCCREATE and after
// WM_NCDESTROY go to the default handler.
template <class Owner>
LRESULT CALLBACK ownedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* owner = static_cast<Owner*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        owner->attach(window);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    }
    auto* owner = reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!owner) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        delete owner;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return owner->handle(message, wParam, lParam);
}

// The input both skinned controls take the same way, turned into calls of
// their on* methods: mouse moves, presses (focus comes with a click, and the
// capture keeps a release outside in view, as a container gives a user
// control) and releases, keys, focus, timer ticks (with whether the cursor
// is over the window itself) and size. True when `message` was one of them.
template <class Control>
bool skinnedControlInput(HWND window, Control& control, UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT p = mousePoint(lParam);
    switch (message) {
    case WM_MOUSEMOVE: control.onMouseMove(heldButtons(wParam), p.x, p.y); return true;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (GetFocus() != window) SetFocus(window);
        SetCapture(window);
        control.onMouseDown(messageButton(message), p.x, p.y);
        return true;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        if (heldButtons(wParam) == 0 && GetCapture() == window) ReleaseCapture();
        control.onMouseUp(messageButton(message), p.x, p.y);
        return true;
    case WM_KEYDOWN: control.onKeyDown(static_cast<int>(wParam)); return true;
    case WM_KEYUP: control.onKeyUp(static_cast<int>(wParam)); return true;
    case WM_SETFOCUS: control.onFocusGained(); return true;
    case WM_KILLFOCUS: control.onFocusLost(); return true;
    case WM_TIMER: control.onTimer(static_cast<int>(wParam), cursorOver(window)); return true;
    default: return false;
    }
}

}  // namespace lumora::win32

// The skinned controls' shared window pieces; see control_window.h.
#include "controls/win32/control_window.h"

#include <cstring>

#include "common/win32/wide_text.h"

namespace lumora::win32 {

void WindowControlHost::setTimer(int id, uint32_t milliseconds) {
    // Below USER_TIMER_MINIMUM (10 ms) the system sets 10 ms; the ticks then
    // come at the system's timer resolution (about 15.6 ms by default).
    SetTimer(window, static_cast<UINT_PTR>(id), milliseconds, nullptr);
}

void WindowControlHost::killTimer(int id) { KillTimer(window, static_cast<UINT_PTR>(id)); }

void WindowControlHost::invalidate() { InvalidateRect(window, nullptr, FALSE); }

void WindowControlHost::resizeControl(int32_t widthPx, int32_t heightPx) {
    RECT now{};
    GetClientRect(window, &now);
    if (now.right == widthPx && now.bottom == heightPx) return;
    resizing = true;
    SetWindowPos(window, nullptr, 0, 0, widthPx, heightPx, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    resizing = false;
}

void WindowControlHost::messageBox(std::string_view textUtf8) {
    MessageBoxW(GetParent(window), widen(textUtf8).c_str(), L"Lumora", MB_ICONSTOP | MB_OK);
}

void WindowControlHost::killAllTimers(int count) {
    for (int id = 0; id < count; ++id) KillTimer(window, static_cast<UINT_PTR>(id));
}

int heldButtons(WPARAM wParam) {
    int held = 0;
    if (wParam & MK_LBUTTON) held |= kLeftButton;
    if (wParam & MK_RBUTTON) held |= kRightButton;
    if (wParam & MK_MBUTTON) held |= kMiddleButton;
    return held;
}

POINT mousePoint(LPARAM lParam) {
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

int messageButton(UINT message) {
    switch (message) {
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: return kRightButton;
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: return kMiddleButton;
    default: return kLeftButton;
    }
}

bool cursorOver(HWND window) {
    POINT at{};
    return GetCursorPos(&at) && WindowFromPoint(at) == window;
}

BackBuffer::~BackBuffer() { release(); }

void BackBuffer::release() {
    if (dc_ && previous_) SelectObject(dc_, previous_);
    if (bitmap_) DeleteObject(bitmap_);
    if (dc_) DeleteDC(dc_);
    dc_ = nullptr;
    bitmap_ = nullptr;
    previous_ = nullptr;
    bits_ = nullptr;
    width_ = height_ = 0;
}

bool BackBuffer::load(const PixelImage& image) {
    if (image.empty()) {
        release();
        return false;
    }
    if (!dc_ || image.width != width_ || image.height != height_) {
        release();
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = image.width;
        info.bmiHeader.biHeight = -image.height;  // top-down, as the painters' rows run
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc_ = CreateCompatibleDC(nullptr);
        void* bits = nullptr;
        bitmap_ = dc_ ? CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
        if (!bitmap_ || !bits) {
            release();
            return false;
        }
        previous_ = SelectObject(dc_, bitmap_);
        bits_ = static_cast<uint32_t*>(bits);
        width_ = image.width;
        height_ = image.height;
    }
    GdiFlush();  // GDI may still be writing to the section
    // 0x00RRGGBB in memory is B, G, R, 0: a 32-bit BI_RGB pixel as it is.
    std::memcpy(bits_, image.pixels.data(), image.pixels.size() * sizeof(uint32_t));
    return true;
}

void BackBuffer::blitTo(HDC target) const {
    if (dc_) BitBlt(target, 0, 0, width_, height_, dc_, 0, 0, SRCCOPY);
}

void paintParentBackground(HWND window, HDC dc) {
    const HWND parent = GetParent(window);
    if (!parent) return;
    POINT origin{0, 0};
    MapWindowPoints(window, parent, &origin, 1);
    POINT before{};
    SetViewportOrgEx(dc, -origin.x, -origin.y, &before);
    SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    SetViewportOrgEx(dc, before.x, before.y, nullptr);
}

bool registerControlClass(const wchar_t* name, WNDPROC procedure, HINSTANCE instance) {
    WNDCLASSW existing{};
    if (GetClassInfoW(instance, name, &existing)) return true;
    WNDCLASSW c{};
    c.lpfnWndProc = procedure;
    c.hInstance = instance;
    c.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    c.hbrBackground = nullptr;  // the control paints every pixel itself
    c.lpszClassName = name;
    return RegisterClassW(&c) != 0;
}

}  // namespace lumora::win32

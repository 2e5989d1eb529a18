// The XP scroll bar's window; see scroll_bar_window.h.
#include "controls/win32/scroll_bar_window.h"

#include "controls/win32/skin_resources.h"

namespace lumora::win32 {

ScrollBarWindow::ScrollBarWindow() : bar_(host_, controlSkin()) {}

ScrollBarWindow* ScrollBarWindow::create(HWND parent, int id, int x, int y, int width, const PropertyBag* properties) {
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    if (!registerControlClass(kScrollBarClassName, ownedWindowProc<ScrollBarWindow>, instance)) return nullptr;
    auto* self = new ScrollBarWindow();
    // The window deletes the object at WM_NCDESTROY.
    const HWND window = CreateWindowExW(0, kScrollBarClassName, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS,
                                        x, y, width, 17, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                        instance, self);
    if (!window) return nullptr;
    RECT client{};
    GetClientRect(window, &client);
    self->bar_.onResize(client.right, client.bottom);
    if (properties) self->bar_.readProperties(*properties);
    else self->bar_.initProperties();
    EnableWindow(window, self->bar_.enabled());
    return self;
}

ScrollBarWindow* ScrollBarWindow::from(HWND window) {
    wchar_t name[32] = {};
    if (!window || !GetClassNameW(window, name, 32) || std::wstring_view(name) != kScrollBarClassName) return nullptr;
    return reinterpret_cast<ScrollBarWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void ScrollBarWindow::setEnabled(bool enabled) {
    bar_.setEnabled(enabled);
    EnableWindow(hwnd(), enabled);
}

void ScrollBarWindow::paint() {
    PAINTSTRUCT ps;
    HDC target = BeginPaint(hwnd(), &ps);
    if (target && buffer_.load(bar_.surface())) buffer_.blitTo(target);
    EndPaint(hwnd(), &ps);
}

LRESULT ScrollBarWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND window = hwnd();
    // No CS_DBLCLKS: a double click arrives as two presses.
    if (skinnedControlInput(window, bar_, message, wParam, lParam)) return 0;
    switch (message) {
    case WM_GETDLGCODE: return DLGC_WANTARROWS;  // the arrows step; Tab stays the dialog's
    case WM_SIZE:
        if (!host_.resizing) bar_.onResize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: paint(); return 0;
    case WM_DESTROY: host_.killAllTimers(VellumXPHScrollBar::kTimer2 + 1); return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace lumora::win32

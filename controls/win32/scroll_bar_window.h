// The XP scroll bar's window: a child window of class "LumoraXPHScrollBar"
// hosting the portable VellumXPHScrollBar
// (controls/scrollbar/scroll_bar.h): its messages, its two timers on its own
// window (the 5 ms hover watch and the auto-repeat), and its picture, which
// the bar keeps itself and the window only blits.
//
// The hover watch asks for 5 ms. Windows raises any interval below
// USER_TIMER_MINIMUM to 10 ms, and timer messages come at the system's
// timer resolution, about 15.6 ms unless a program has raised it; so the
// watch runs every 10 to 16 ms in practice (Wine: about 10 ms).
//
// The window owns its bar; the owner reaches it through control() and sets
// onChange and onScroll.
#pragma once

#include <windows.h>

#include "controls/scrollbar/scroll_bar.h"
#include "controls/win32/control_window.h"

namespace lumora::win32 {

inline constexpr wchar_t kScrollBarClassName[] = L"LumoraXPHScrollBar";

class ScrollBarWindow {
public:
    // A visible child of `parent` with the dialog id `id` at (x, y), `width`
    // pixels wide (the bar makes itself 17 high and at least 34 wide), a tab
    // stop. The bar reads `properties`; a null `properties` places it anew
    // (initProperties). Null on failure.
    static ScrollBarWindow* create(HWND parent, int id, int x, int y, int width, const PropertyBag* properties);
    static ScrollBarWindow* from(HWND window);

    HWND hwnd() const { return host_.window; }
    VellumXPHScrollBar& control() { return bar_; }
    // The property and the window's own enabled state.
    void setEnabled(bool enabled);

    // For the window procedure.
    void attach(HWND window) { host_.window = window; }
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    ScrollBarWindow();
    void paint();

    WindowControlHost host_;
    VellumXPHScrollBar bar_;
    BackBuffer buffer_;
};

}  // namespace lumora::win32

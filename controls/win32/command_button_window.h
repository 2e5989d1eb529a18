// The Command button's window: a child window of class "LumoraCommand" that
// hosts the portable Command (controls/button/command_button.h), feeds it
// the window's messages, runs its 100 ms mouse-leave timer and paints its
// face, then its caption in the button's own window (a child label would be
// "another window" for the leave check). With its back style transparent
// (the "Visible" property false) the window shows what lies beneath it and
// the caption over that.
//
// The window owns its Command; the owner reaches it through control() and
// sets its onClick. The container loads the properties at creation and
// calls Initialize() itself, as a form does after loading its controls.
#pragma once

#include <windows.h>

#include "controls/button/command_button.h"
#include "controls/win32/control_window.h"

namespace lumora::win32 {

inline constexpr wchar_t kCommandClassName[] = L"LumoraCommand";

class CommandButtonWindow {
public:
    // A visible child of `parent` with the dialog id `id`, its client area
    // (x, y, width, height) in pixels, a tab stop. The Command reads
    // `properties`; `ambientFont` is the container's font. Null on failure.
    static CommandButtonWindow* create(HWND parent, int id, int x, int y, int width, int height,
                                       const PropertyBag& properties, const ButtonFont& ambientFont);
    // The object behind a window of the class, or null.
    static CommandButtonWindow* from(HWND window);

    HWND hwnd() const { return host_.window; }
    Command& control() { return command_; }
    // The property and the window's own enabled state (a disabled button
    // takes no focus and no tab stop).
    void setEnabled(bool enabled);
    // The caption label's height in pixels: one line of its font.
    int labelHeight();

    // For the window procedure.
    void attach(HWND window) { host_.window = window; }
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    ~CommandButtonWindow();

private:
    explicit CommandButtonWindow(const ButtonFont& ambientFont) : command_(host_, ambientFont) {}
    void paint();
    HFONT captionFont(const ButtonFont& font);

    WindowControlHost host_;
    Command command_;
    BackBuffer buffer_;
    PixelImage surface_;
    HFONT font_ = nullptr;
    ButtonFont fontMade_;
};

}  // namespace lumora::win32

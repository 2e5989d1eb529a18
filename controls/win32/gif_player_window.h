// The animated GIF control's window: a child window of class
// "LumoraGifPlayer" hosting the portable GifPlayer (controls/gif): its one
// timer, its painting (mask with AND, picture with OR, over the parent's
// background so transparent pixels show what lies beneath), the three load
// methods (file, byte array, remote over WinINet on a worker thread), the
// pause while hidden, and the mouse events re-raised to the owner in the
// container's units.
//
// The window owns its player; the owner reaches it through player() and
// sets the event callbacks. Everything but the download runs on the
// window's thread; the download's result comes back as a posted message.
// Design-time behaviour (the dotted outline, decoding only the first frame)
// has no designer to run in and is left out.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "controls/gif/gif_player.h"
#include "controls/win32/control_window.h"

namespace lumora::win32 {

inline constexpr wchar_t kGifPlayerClassName[] = L"LumoraGifPlayer";

class GifPlayerWindow : private GifHost {
public:
    // A visible child of `parent` with the dialog id `id` and the given
    // client area in pixels; it reads `properties` (which may hold the "GIF"
    // bytes) once the window exists. Null on failure.
    static GifPlayerWindow* create(HWND parent, int id, int x, int y, int width, int height,
                                   const PropertyBag& properties);
    static GifPlayerWindow* from(HWND window);

    HWND hwnd() const { return window_; }
    GifPlayer& player() { return player_; }

    // "Optional method to assign a GIF": false, with what is shown kept, when
    // the file cannot be read.
    bool LoadAnimatedGIF_File(const std::wstring& path);
    bool LoadAnimatedGIF_Array(std::span<const uint8_t> bytes);
    // Starts a download of `url`; its end raises RemoteLoadComplete or
    // RemoteLoadFailure. An empty path does nothing. A newer call
    // supersedes a download still running (its result is dropped).
    void LoadAnimatedGIF_Remote(const std::wstring& url);

    // The container's position units per pixel (15 for twips, 1 for pixels).
    float unitsPerPixel = 15.0f;

    // Events. Button: 1 left, 2 right, 4 middle; shift: 1 Shift, 2 Ctrl, 4 Alt.
    std::function<void()> onClick;
    std::function<void(int button, int shift, float x, float y)> onMouseDown, onMouseUp, onMouseMove;
    std::function<void()> onLoopsEnded;
    // The logical screen size in container units (truncated); set cancel to
    // drop the data.
    std::function<void(float gifWidth, float gifHeight, bool& cancel)> onRemoteLoadComplete;
    std::function<void()> onRemoteLoadFailure;

    // For the window procedure.
    void attach(HWND window) { window_ = window; }
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    ~GifPlayerWindow() override;

private:
    GifPlayerWindow() : player_(*this) {}
    void paint();
    void mouseEvent(UINT message, WPARAM wParam, LPARAM lParam);
    void remoteDone(LPARAM result);
    HCURSOR pointerCursor();

    // GifHost
    bool setTimer(uint32_t milliseconds) override;
    void killTimer() override;
    void invalidate() override;
    void resizeControl(int32_t widthPx, int32_t heightPx) override;
    Size clientSize() const override;
    void loopsEnded() override;

    HWND window_ = nullptr;
    GifPlayer player_;
    uint64_t remoteRequest_ = 0;  // the download whose result is wanted
    bool leftPressed_ = false;    // a left press in the control, for Click
    HCURSOR customCursor_ = nullptr;
    std::vector<uint8_t> cursorMadeFrom_;
};

}  // namespace lumora::win32

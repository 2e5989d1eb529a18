// The black windows over the other monitors: the system's monitor list, and
// the windows made and taken away around the show's own. Which monitors get
// one and what a cover does with input is decided in
// renderer/app/monitor_covers.cpp.
#include <windows.h>

#include "renderer/app/monitor_covers.h"
#include "common/win32/debug_log.h"
#include "renderer/win32/saver_window.h"

namespace lumora::win32 {

namespace {

class SystemMonitors : public MonitorLayout {
public:
    std::vector<ScreenRect> monitors() override {
        std::vector<ScreenRect> found;
        EnumDisplayMonitors(nullptr, nullptr, collect, reinterpret_cast<LPARAM>(&found));
        return found;
    }

private:
    static BOOL CALLBACK collect(HMONITOR, HDC, LPRECT rect, LPARAM data) {
        reinterpret_cast<std::vector<ScreenRect>*>(data)->push_back({rect->left, rect->top, rect->right, rect->bottom});
        return TRUE;
    }
};

bool registerCoverClass(HINSTANCE instance) {
    WNDCLASSW coverClass{};
    coverClass.lpfnWndProc = coverWindowProc;
    coverClass.hInstance = instance;
    coverClass.hCursor = nullptr;  // no cursor over a cover either
    coverClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    coverClass.lpszClassName = kCoverClassName;
    return RegisterClassW(&coverClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

void createCovers(SaverWindow& saver) {
    SystemMonitors layout;
    // The show fills the primary monitor, which starts at the origin.
    const ScreenRect show{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const std::vector<ScreenRect> rects = coverRects(layout, show);
    if (rects.empty()) return;
    if (!registerCoverClass(saver.instance)) {
        logFailure("RegisterClassW (cover)");
        return;
    }
    for (const ScreenRect& r : rects) {
        // Never activated: the show keeps the focus and its keyboard, and a
        // click on a cover is not a change of application.
        const HWND cover = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kCoverClassName,
                                           kCoverTitle, WS_POPUP, r.left, r.top, r.right - r.left, r.bottom - r.top,
                                           nullptr, nullptr, saver.instance, &saver);
        if (!cover) {
            logFailure("CreateWindowExW (cover)");
            continue;
        }
        ShowWindow(cover, SW_SHOWNOACTIVATE);
        saver.covers.push_back(cover);
    }
}

void destroyCovers(SaverWindow& saver) {
    // Taken out of the list first: DestroyWindow sends messages that could
    // come back here.
    std::vector<HWND> covers;
    covers.swap(saver.covers);
    for (HWND cover : covers) DestroyWindow(cover);
}

}  // namespace lumora::win32

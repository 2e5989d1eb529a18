// The renderer program's entry: one full-screen, top-most, borderless window
// of the screen-saver class brought to the foreground, and the message loop
// that renders a frame whenever the queue is empty (paced at the display's
// rate where vsync cannot be had). The command line is ignored: there is no
// preview and no configuration mode here (those are the front end's).
#include <windows.h>

#include <string>

#include "common/win32/debug_log.h"
#include "renderer/app/foreground.h"
#include "renderer/win32/resource.h"
#include "renderer/win32/saver_window.h"

namespace {

using namespace lumora::win32;

// The show's window and the window that has the foreground now.
class WindowForeground : public lumora::ForegroundPlatform {
public:
    explicit WindowForeground(HWND window) : window_(window) {}
    bool setForeground() override { return SetForegroundWindow(window_) != FALSE; }
    bool attachToForegroundThread() override {
        const HWND front = GetForegroundWindow();
        foregroundThread_ = front ? GetWindowThreadProcessId(front, nullptr) : 0;
        if (foregroundThread_ == 0 || foregroundThread_ == GetCurrentThreadId()) return false;
        return AttachThreadInput(GetCurrentThreadId(), foregroundThread_, TRUE) != FALSE;
    }
    void detachFromForegroundThread() override { AttachThreadInput(GetCurrentThreadId(), foregroundThread_, FALSE); }
    void bringToTop() override { BringWindowToTop(window_); }
    void log(const std::string& line) override { logLine(line); }

private:
    HWND window_;
    DWORD foregroundThread_ = 0;
};

// Frames run back to back while no message waits, each followed by a yield
// of the rest of the time slice; messages are handled as they come. Where
// frames are paced, the loop waits for the next frame's time or for input,
// whichever comes first. Returns the WM_QUIT code.
int messageLoop(SaverWindow& saver) {
    MSG msg{};
    for (;;) {
        while (!PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (const DWORD wait = frameWaitMs(saver.gl); wait > 0) {
                MsgWaitForMultipleObjects(0, nullptr, FALSE, wait, QS_ALLINPUT);
                continue;
            }
            if (showTick(saver, saver.input.rendering && !saver.input.passwordDialogActive)) {
                Sleep(0);
            } else {
                // GL could not be set up: the window stays black and only
                // waits for the input that ends it, without spinning a core.
                WaitMessage();
            }
        }
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) break;  // WM_QUIT
        if (got == -1) {      // cannot happen with these arguments; never spin on it
            logFailure("GetMessageW");
            return 1;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

int runSaver(SaverWindow& saver) {
    WNDCLASSW windowClass{};
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_OWNDC;  // OWNDC: the GL device keeps one DC for the run
    windowClass.lpfnWndProc = saverWindowProc;
    windowClass.hInstance = saver.instance;
    windowClass.hIcon = LoadIconW(saver.instance, MAKEINTRESOURCEW(LUMORA_ICON_ID));
    windowClass.hCursor = nullptr;  // the show hides the cursor
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kSaverClassName;
    // The whole primary screen; the display mode is left as it is.
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);

    // A window of the class that still carries the creation title belongs to
    // another screen saver being started: bring it forward and leave. Our own
    // running show is titled kShowTitle and does not match.
    const HWND other = FindWindowW(kSaverClassName, kCreationTitle);
    if (other && IsWindow(other)) {
        SetForegroundWindow(other);
        return 0;
    }

    if (!RegisterClassW(&windowClass)) {
        logFailure("RegisterClassW");
        return 1;
    }
    // All set-up runs inside the WM_CREATE this sends.
    saver.mainWindow = CreateWindowExW(WS_EX_TOPMOST, kSaverClassName, kCreationTitle,
                                       WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0, width, height,
                                       nullptr, nullptr, saver.instance, &saver);
    if (!saver.mainWindow) {
        logFailure("CreateWindowExW");
        return 1;
    }
    createCovers(saver);
    WindowForeground foreground(saver.mainWindow);
    lumora::takeForeground(foreground);
    return messageLoop(saver);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    SaverWindow saver;
    saver.instance = instance;
    const int code = runSaver(saver);
    // The window is gone; the sound thread closes its device on its own,
    // and the process waits a moment for that before it ends.
    saver.soundOutput.letFinish(500);
    return code;
}

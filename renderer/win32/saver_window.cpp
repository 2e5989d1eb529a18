// The renderer's window procedure; see saver_window.h.
//
// Each layer asks the portable rules what a message means for it, carries
// out the answer and either returns or hands the message to the next layer:
// saverWindowProc -> rendererMessageHandler -> saverDefaultHandler ->
// DefWindowProcW. The decisions are all in renderer/app/saver_input.cpp.
#include "renderer/win32/saver_window.h"

#include <exception>

#include "renderer/app/monitor_covers.h"
#include "common/win32/debug_log.h"
#include "renderer/win32/registry_settings.h"

namespace lumora::win32 {

namespace {

SaverMessage messageKind(UINT message) {
    switch (message) {
    case WM_CREATE: return SaverMessage::Create;
    case WM_DESTROY: return SaverMessage::Destroy;
    case WM_SYSCOMMAND: return SaverMessage::SysCommand;
    case WM_MOUSEMOVE: return SaverMessage::MouseMove;
    case WM_KEYDOWN: return SaverMessage::KeyDown;
    case WM_CLOSE: return SaverMessage::Close;
    case WM_SHOWWINDOW: return SaverMessage::ShowWindow;
    case WM_ACTIVATEAPP: return SaverMessage::ActivateApp;
    case WM_SETCURSOR: return SaverMessage::SetCursor;
    case WM_SYSKEYDOWN: return SaverMessage::SysKeyDown;
    case WM_LBUTTONDOWN: return SaverMessage::LeftButtonDown;
    case WM_RBUTTONDOWN: return SaverMessage::RightButtonDown;
    case WM_MBUTTONDOWN: return SaverMessage::MiddleButtonDown;
    default: return SaverMessage::Other;
    }
}

// The eight defaults, and the title by which the front end finds the show.
void applySettingDefaults(SaverWindow& saver, HWND window) {
    saver.settings = Settings{};
    if (!SetWindowTextW(window, kShowTitle)) logFailure("SetWindowTextW");
}

void loadSettings(SaverWindow& saver) { saver.settings = readRendererSettings(); }

// The show's sound: at volume 0 no device is opened at all; otherwise the
// director listens from the first frame on, and the output's thread (which
// opens the device) starts once that frame is on the screen, so that it
// cannot compete with it.
void startSound(SaverWindow& saver) {
    if (!saver.gl.renderer) return;
    if (saver.settings.EffectsVolume <= 0) {
        logLine("effects volume 0: no sound device opened");
        return;
    }
    try {
        saver.sound = std::make_unique<LiveSound>(saver.gl.renderer->driver(), saver.gl.seed,
                                                  saver.settings.EffectsVolume);
    } catch (const std::exception&) {
        logLine("the sound could not be set up (out of memory?); the show goes on silent");
    }
}

// Never waits for the output's thread.
void stopSound(SaverWindow& saver) {
    saver.soundOutput.stop();
    saver.sound.reset();
}

// Everything the show needs, inside the window's creation.
void startShow(SaverWindow& saver, HWND window) {
    try {
        applySettingDefaults(saver, window);
        loadSettings(saver);
    } catch (const std::exception&) {
        logLine("the settings could not be read; the defaults stay");
    }
    initGL(saver.gl, window, saver.settings);
    startSound(saver);
    // The show takes what time is left over.
    if (!SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_LOWEST)) logFailure("SetThreadPriority");
}

// The work one layer asked for, in the order SaverAction lists it.
void carryOut(SaverWindow& saver, HWND window, const SaverAction& a) {
    if (a.saveCursorPos) GetCursorPos(&saver.savedCursorPos);
    if (a.hideCursor) SetCursor(nullptr);
    if (a.postQuit) PostQuitMessage(0);
    if (a.startShow) startShow(saver, window);
    if (a.stopShow) {
        stopSound(saver);
        shutdownGL(saver.gl, window);
    }
    if (a.postClose) PostMessageW(window, WM_CLOSE, 0, 0);
}

// Layer 3: close, activation, cursor, buttons and system keys.
LRESULT saverDefaultHandler(SaverWindow& saver, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    SaverAction a = defaultLayer(saver.input, messageKind(message), wParam);
    if (a.verifyPassword) a = afterPasswordCheck(saver.input, verifySaverPassword(saver, window) != 0);
    carryOut(saver, window, a);
    if (a.reply == SaverAction::Reply::Return) return a.result;
    // A close let through: the default handler destroys the window; the
    // covers go first.
    if (message == WM_CLOSE) destroyCovers(saver);
    return DefWindowProcW(window, message, wParam, lParam);
}

// Layer 2: the show's set-up and tear-down; motion and ordinary keys.
LRESULT rendererMessageHandler(SaverWindow& saver, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const SaverAction a = rendererLayer(saver.input, messageKind(message), wParam);
    carryOut(saver, window, a);
    if (a.reply == SaverAction::Reply::Return) return a.result;
    return saverDefaultHandler(saver, window, message, wParam, lParam);
}

}  // namespace

// Layer 1: the state behind the window, creation, destruction and the
// swallowed system commands.
LRESULT CALLBACK saverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // WM_NCCREATE is the first message that carries the creation data;
    // the few before it (WM_GETMINMAXINFO) go to the default handler.
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* saver = reinterpret_cast<SaverWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!saver) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        return DefWindowProcW(window, message, wParam, lParam);
    }
    // However the window goes, the covers never outlive it.
    if (message == WM_DESTROY) destroyCovers(*saver);

    const SaverAction a = saverLayer(saver->input, messageKind(message), wParam);
    carryOut(*saver, window, a);
    if (a.reply == SaverAction::Reply::Return) return a.result;
    return rendererMessageHandler(*saver, window, message, wParam, lParam);
}

bool showTick(SaverWindow& saver, bool canRender) {
    bool drew = false;
    if (!frameTick(saver.gl, canRender, &drew)) {
        stopSound(saver);  // the renderer is gone: nothing more to hear
        return false;
    }
    if (drew && saver.sound) {
        try {
            saver.sound->frame(saver.gl.renderer->driver());
        } catch (const std::exception&) {
            logLine("a frame's sounds could not be placed (out of memory?); the show goes on silent");
            stopSound(saver);
            return true;
        }
        if (!saver.soundStarted) {
            saver.soundStarted = true;
            if (!saver.soundOutput.start(saver.sound->stream())) stopSound(saver);
        }
    }
    return true;
}

LRESULT CALLBACK coverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* saver = reinterpret_cast<SaverWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!saver || message == WM_NCDESTROY) return DefWindowProcW(window, message, wParam, lParam);
    const SaverAction a = coverLayer(saver->input, messageKind(message), wParam);
    if (a.hideCursor) SetCursor(nullptr);
    if (a.postClose && saver->mainWindow) PostMessageW(saver->mainWindow, WM_CLOSE, 0, 0);
    if (a.reply == SaverAction::Reply::Return) return a.result;
    return DefWindowProcW(window, message, wParam, lParam);
}

int verifySaverPassword(SaverWindow& saver, HWND window) {
    // NT-family systems (and Wine) lock the workstation themselves; only the
    // 95/98 family hands the check to the screen saver.
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExW(&version) || version.dwPlatformId != VER_PLATFORM_WIN32_WINDOWS) return 1;

    const HMODULE library = LoadLibraryW(L"PASSWORD.CPL");
    if (!library) return 1;
    const FARPROC proc = GetProcAddress(library, "VerifyScreenSavePwd");
    if (!proc) {
        FreeLibrary(library);
        return 1;
    }
    using VerifyProc = BOOL(WINAPI*)(HWND);
    const auto verify = reinterpret_cast<VerifyProc>(reinterpret_cast<void (*)()>(proc));

    // The system treats the screen saver as running while the dialog is
    // open (no task switching); frames pause meanwhile.
    UINT scratch = 0;
    SystemParametersInfoW(SPI_SCREENSAVERRUNNING, 1, &scratch, 0);
    saver.input.passwordDialogActive = true;
    const BOOL result = verify(window);
    saver.input.passwordDialogActive = false;
    SystemParametersInfoW(SPI_SCREENSAVERRUNNING, 0, &scratch, 0);
    FreeLibrary(library);
    return result;
}

}  // namespace lumora::win32

// The renderer's full-screen window: its per-window state, its window
// procedure (three layers over the portable input rules of
// renderer/app/saver_input.h) and the password check. The program entry and
// the message loop are in saver_main.cpp; the GL device in gl_device.h.
#pragma once

#include <windows.h>

#include <vector>

#include "common/settings/settings.h"
#include "renderer/app/saver_input.h"
#include "renderer/sound/live_sound.h"
#include "renderer/win32/gl_device.h"
#include "renderer/win32/sound_output.h"

namespace lumora::win32 {

inline constexpr wchar_t kSaverClassName[] = L"WindowsScreenSaverClass";
// The title the window is created with; the single-instance test looks for
// it. The window changes it to kShowTitle while it is being created.
inline constexpr wchar_t kCreationTitle[] = L"Screensaver";
// The name by which the front end finds the running show.
inline constexpr wchar_t kShowTitle[] = L"Lumora_VC";
// The black windows over the other monitors: a class and title of their
// own, which neither the single-instance test nor the front end looks for.
inline constexpr wchar_t kCoverClassName[] = L"LumoraMonitorCover";
inline constexpr wchar_t kCoverTitle[] = L"Lumora cover";

// Everything the one window of the process needs, reached from the window
// through GWLP_USERDATA. It is owned by the program entry and outlives the
// window.
struct SaverWindow {
    HINSTANCE instance = nullptr;
    HWND mainWindow = nullptr;
    POINT savedCursorPos{};  // taken at creation and after a refused password
    SaverState input;
    Settings settings;
    GlDevice gl;
    std::unique_ptr<LiveSound> sound;  // null at volume 0 or without a renderer
    SoundOutput soundOutput;           // started after the first frame
    bool soundStarted = false;
    std::vector<HWND> covers;  // over the other monitors, while the show's window exists
};

// One tick of the idle loop: a frame (see gl_device.h) and, when one was
// drawn, its sounds. False when no tick will ever draw.
bool showTick(SaverWindow& saver, bool canRender);

// Registered with the class. Creation data (CREATESTRUCT lpCreateParams)
// must be the SaverWindow.
LRESULT CALLBACK saverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// A cover's window procedure; creation data must be the SaverWindow.
LRESULT CALLBACK coverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// After the show's window exists: a cover over each other monitor.
void createCovers(SaverWindow& saver);
// Before the show's window goes (idempotent).
void destroyCovers(SaverWindow& saver);

// Nonzero when the show may end. Only the Windows 95/98 family asks for a
// password, through the system's PASSWORD.CPL; elsewhere it is always 1.
int verifySaverPassword(SaverWindow& saver, HWND window);

}  // namespace lumora::win32

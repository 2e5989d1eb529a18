// The show's OpenGL device on the window: the device context, the pixel
// format, the WGL context and the GL renderer drawn through it; the frame
// tick with its buffer swap; and the tear-down. What is drawn, and how time
// turns into frames, belongs to renderer/gl and renderer/frame; which
// messages start and stop the show belongs to the window (saver_window).
#pragma once

#include <windows.h>

#include <memory>
#include <optional>

#include "common/settings/settings.h"
#include "renderer/frame/frame_pacing.h"
#include "renderer/gl/gl_renderer.h"

namespace lumora::win32 {

struct GlDevice {
    HDC deviceContext = nullptr;  // GetDC of the window, kept for the whole run (the class owns its DC)
    HGLRC glContext = nullptr;
    std::unique_ptr<GlRenderer> renderer;  // null when set-up failed: ticks then draw nothing
    uint32_t seed = 0;                     // the show's, for whatever else must follow the same show
    bool swapFailureLogged = false;        // one line in the log, not one a frame
    // Without vsync (remote desktops, virtual machines, the basic display
    // driver) frames are paced at the display's refresh rate instead of
    // rendered back to back; with vsync the swap itself paces them.
    std::optional<FramePacer> pacer;
    bool timerResolutionRaised = false;  // timeBeginPeriod(1) for the pacer's waits
    bool firstFrameLogged = false;         // the start-to-first-frame line, once
};

// Device context, pixel format, context made current, vsync asked for (a
// frame pacer where it cannot be had), and the renderer built for the
// window's client area. On failure it says why
// in the debug log, releases what it made and returns false; the window
// then stays black until the show is ended.
bool initGL(GlDevice& gl, HWND window, const Settings& settings);

// One tick of the idle loop: the renderer times it with the millisecond
// clock (the performance counter's) and, when `canRender`, draws a frame,
// which is then swapped to the screen (`drew` says whether one was). False
// when there is no renderer, so no tick will ever draw. The first frame's
// swap writes how long after the process started it came, in the debug log.
bool frameTick(GlDevice& gl, bool canRender, bool* drew = nullptr);

// Milliseconds the idle loop should wait for input before the next tick: 0
// with vsync or when a frame is due.
DWORD frameWaitMs(const GlDevice& gl);

// Frees every particle record (the renderer), releases the device context,
// detaches and deletes the context. Safe after a failed or no set-up.
void shutdownGL(GlDevice& gl, HWND window);

}  // namespace lumora::win32

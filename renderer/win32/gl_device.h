// The show's OpenGL device on the window: the device context, the pixel
// format, the WGL context and the GL renderer drawn through it; the frame
// tick with its buffer swap; and the tear-down. What is drawn, and how time
// turns into frames, belongs to renderer/gl and renderer/frame; which
// messages start and stop the show belongs to the window (saver_window).
#pragma once

#include <windows.h>

#include <memory>

#include "common/settings/settings.h"
#include "renderer/gl/gl_renderer.h"

namespace lumora::win32 {

struct GlDevice {
    HDC deviceContext = nullptr;  // GetDC of the window, kept for the whole run (the class owns its DC)
    HGLRC glContext = nullptr;
    std::unique_ptr<GlRenderer> renderer;  // null when set-up failed: ticks then draw nothing
    uint32_t seed = 0;                     // the show's, for whatever else must follow the same show
    bool swapFailureLogged = false;        // one line in the log, not one a frame
    bool firstFrameLogged = false;         // the start-to-first-frame line, once
};

// Device context, pixel format, context made current, vsync asked for, and
// the renderer built for the window's client area. On failure it says why
// in the debug log, releases what it made and returns false; the window
// then stays black until the show is ended.
bool initGL(GlDevice& gl, HWND window, const Settings& settings);

// One tick of the idle loop: the renderer times it with the millisecond
// clock and, when `canRender`, draws a frame, which is then swapped to the
// screen (`drew` says whether one was). False when there is no renderer, so
// no tick will ever draw. The first frame's swap writes how long after the
// process started it came, in the debug log.
bool frameTick(GlDevice& gl, bool canRender, bool* drew = nullptr);

// Frees every particle record (the renderer), releases the device context,
// detaches and deletes the context. Safe after a failed or no set-up.
void shutdownGL(GlDevice& gl, HWND window);

}  // namespace lumora::win32

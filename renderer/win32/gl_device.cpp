// The WGL side of the show; see gl_device.h.
#include "renderer/win32/gl_device.h"

#include <GL/gl.h>
#include <mmsystem.h>

#include <ctime>
#include <exception>
#include <string>
#include <vector>

#include "common/win32/debug_log.h"
#include "renderer/app/pixel_format.h"
#include "renderer/win32/show_clock.h"

namespace lumora::win32 {

namespace {

// The portable chooser names the descriptor bits itself.
static_assert(pixel_format_flags::DoubleBuffer == PFD_DOUBLEBUFFER);
static_assert(pixel_format_flags::DrawToWindow == PFD_DRAW_TO_WINDOW);
static_assert(pixel_format_flags::SupportOpenGL == PFD_SUPPORT_OPENGL);
static_assert(pixel_format_flags::GenericFormat == PFD_GENERIC_FORMAT);
static_assert(pixel_format_flags::GenericAccelerated == PFD_GENERIC_ACCELERATED);
static_assert(kPixelTypeRgba == PFD_TYPE_RGBA);

// No driver describes this many formats; a bound keeps a broken one from
// looping for ever.
constexpr int kMaxPixelFormats = 4096;

// The best double-buffered RGBA format the driver describes, or the fixed
// 24-bit colour, 24-bit depth request when none qualifies.
bool setPixelFormat(HDC dc) {
    PIXELFORMATDESCRIPTOR pfd{};
    std::vector<PixelFormatInfo> formats;
    for (int i = 1; i <= kMaxPixelFormats; ++i) {
        if (DescribePixelFormat(dc, i, sizeof pfd, &pfd) == 0) break;
        formats.push_back({pfd.dwFlags, pfd.iPixelType, pfd.cColorBits, pfd.cDepthBits});
    }
    int format = choosePixelFormat(formats);
    if (format != 0) {
        DescribePixelFormat(dc, format, sizeof pfd, &pfd);
    } else {
        pfd = PIXELFORMATDESCRIPTOR{};
        pfd.nSize = sizeof pfd;
        pfd.nVersion = 1;
        pfd.dwFlags = PFD_DOUBLEBUFFER | PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
        pfd.iPixelType = PFD_TYPE_RGBA;
        pfd.cColorBits = 24;
        pfd.cDepthBits = 24;
        format = ChoosePixelFormat(dc, &pfd);
        if (format == 0) {
            logFailure("ChoosePixelFormat");
            return false;
        }
    }
    if (!SetPixelFormat(dc, format, &pfd)) {
        logFailure("SetPixelFormat");
        return false;
    }
    return true;
}

// Frames run back to back from the idle loop; waiting for the vertical
// retrace keeps that from spinning a core where the driver offers it. True
// when the swap interval was set.
bool requestVsync() {
    using SwapIntervalProc = BOOL(WINAPI*)(int);
    const PROC proc = wglGetProcAddress("wglSwapIntervalEXT");
    // Some drivers answer small integers instead of null for a miss.
    const auto value = reinterpret_cast<intptr_t>(proc);
    if (proc == nullptr || value == 1 || value == 2 || value == 3 || value == -1) {
        logLine("no wglSwapIntervalEXT: frames are not tied to the display");
        return false;
    }
    // Through a generic function pointer: GCC warns on a direct cast
    // between unrelated function types.
    const auto swapInterval = reinterpret_cast<SwapIntervalProc>(reinterpret_cast<void (*)()>(proc));
    if (!swapInterval(1)) {
        logFailure("wglSwapIntervalEXT(1)");
        return false;
    }
    return true;
}

// The primary display's refresh rate in hertz; 0 when the driver does not
// say (the pacer then takes 60).
uint32_t displayRefreshHz() {
    DEVMODEW mode{};
    mode.dmSize = sizeof mode;
    if (!EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &mode)) return 0;
    return mode.dmDisplayFrequency;
}

// Frames paced at the display's rate: the waits between them need the
// system timer at 1 ms, or a 16 ms wait may last 31.
void startPacing(GlDevice& gl) {
    gl.pacer.emplace(displayRefreshHz());
    gl.timerResolutionRaised = timeBeginPeriod(1) == TIMERR_NOERROR;
    logLine("frames paced at " + std::to_string(1000000 / gl.pacer->periodUs()) + " Hz");
}

// "first frame N ms after the start": from the process's creation to now,
// the renderer's start-to-first-frame figure.
void logFirstFrame() {
    FILETIME created{}, exited{}, kernel{}, user{}, now{};
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return;
    GetSystemTimeAsFileTime(&now);
    auto ticks = [](const FILETIME& t) { return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    const uint64_t from = ticks(created), to = ticks(now);
    logLine("first frame " + std::to_string(to > from ? (to - from) / 10000u : 0u) + " ms after the start");
}

}  // namespace

bool initGL(GlDevice& gl, HWND window, const Settings& settings) {
    gl.deviceContext = GetDC(window);
    if (!gl.deviceContext) {
        logFailure("GetDC");
        return false;
    }
    // A format that could not be set makes the context fail below; that is
    // where the set-up gives up.
    setPixelFormat(gl.deviceContext);
    gl.glContext = wglCreateContext(gl.deviceContext);
    if (!gl.glContext) {
        logFailure("wglCreateContext");
        shutdownGL(gl, window);
        return false;
    }
    RECT client{};
    GetClientRect(window, &client);
    if (!wglMakeCurrent(gl.deviceContext, gl.glContext)) {
        logFailure("wglMakeCurrent");
        shutdownGL(gl, window);
        return false;
    }
    if (!requestVsync()) startPacing(gl);
    try {
        // The show's generator is seeded with the calendar time in seconds.
        gl.seed = static_cast<uint32_t>(std::time(nullptr));
        gl.renderer = std::make_unique<GlRenderer>(gl.seed, settings, client.right - client.left,
                                                   client.bottom - client.top);
    } catch (const std::exception&) {
        logLine("the renderer could not be built (out of memory?)");
        shutdownGL(gl, window);
        return false;
    }
    return true;
}

bool frameTick(GlDevice& gl, bool canRender, bool* drewFrame) {
    if (drewFrame) *drewFrame = false;
    if (!gl.renderer) return false;
    bool drew = false;
    try {
        if (gl.pacer) gl.pacer->frameStarted(showClockUs());
        drew = gl.renderer->frameTick(showClockMs(), canRender);
    } catch (const std::exception&) {
        // Out of memory in the middle of the show: stop drawing rather than
        // let the exception leave through the message loop. The window stays
        // and input still ends the show.
        logLine("a frame failed (out of memory?); the show stops drawing");
        gl.renderer.reset();
        return false;
    }
    // The renderer has flushed; show the frame.
    if (drew && !wglSwapLayerBuffers(gl.deviceContext, WGL_SWAP_MAIN_PLANE) && !gl.swapFailureLogged) {
        logFailure("wglSwapLayerBuffers");
        gl.swapFailureLogged = true;
    }
    if (drew && !gl.firstFrameLogged) {
        gl.firstFrameLogged = true;
        logFirstFrame();
    }
    if (drewFrame) *drewFrame = drew;
    return true;
}

DWORD frameWaitMs(const GlDevice& gl) {
    if (!gl.pacer || !gl.renderer) return 0;
    // Rounded up: starting a frame up to a millisecond late keeps the
    // cadence (the next is due a period after this one was due).
    return static_cast<DWORD>((gl.pacer->waitUs(showClockUs()) + 999) / 1000);
}

void shutdownGL(GlDevice& gl, HWND window) {
    // The particle records go with the renderer; textures and display lists
    // go with the context.
    gl.renderer.reset();
    if (gl.deviceContext) ReleaseDC(window, gl.deviceContext);
    wglMakeCurrent(nullptr, nullptr);
    if (gl.glContext) wglDeleteContext(gl.glContext);
    gl.deviceContext = nullptr;
    gl.glContext = nullptr;
    if (gl.timerResolutionRaised) timeEndPeriod(1);
    gl.timerResolutionRaised = false;
    gl.pacer.reset();
}

}  // namespace lumora::win32

// lumora-show: the show on Linux, full-screen in an SDL2 window with an
// OpenGL context, until the user ends it.
//
//   lumora-show [--seconds N] [--windowed WxH]
//
// The eight renderer settings come from $XDG_CONFIG_HOME/lumora/settings.ini
// (or $HOME/.config/lumora/settings.ini); missing values keep their defaults.
// A mouse button, Alt, F10, losing the focus or closing the window ends the
// show; moving the mouse and other keys do not.
//
// For tests and tools, not advertised to users: --seconds N ends the show
// after N seconds (exit 0, as if the user had ended it); --windowed WxH opens
// a plain window of that size instead of covering the desktop.
//
// Exit status: 0 when the show ended, 1 when the window or the GL context
// could not be made (the reason on stderr), 2 on a bad argument.
//
// This file only translates: SDL events go through show_control's rules,
// SDL_GetTicks() readings go to the renderer, and a drawn frame is swapped.
#include <SDL.h>

#include <cstdio>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "common/settings/settings_parse.h"
#include "common/settings/text_file_store.h"
#include "renderer/gl/gl_renderer.h"
#include "renderer/linux/show_control.h"

namespace {

// SDL_Init/SDL_Quit as a scope, so every early return shuts SDL down.
struct SdlVideo {
    bool ok = SDL_Init(SDL_INIT_VIDEO) == 0;
    ~SdlVideo() { SDL_Quit(); }
};

struct WindowDeleter {
    void operator()(SDL_Window* w) const { SDL_DestroyWindow(w); }
};
using WindowPtr = std::unique_ptr<SDL_Window, WindowDeleter>;

struct ContextDeleter {
    void operator()(void* c) const { SDL_GL_DeleteContext(c); }
};
using ContextPtr = std::unique_ptr<void, ContextDeleter>;

lumora::Settings readSettings() {
    const std::string path = lumora::settingsFilePath(SDL_getenv("XDG_CONFIG_HOME"), SDL_getenv("HOME"));
    const lumora::TextFileStore store(path);
    return lumora::loadRendererSettings(
        [&](const std::string& name, std::string& text) { return !path.empty() && store.read(name, text); });
}

int fail(const char* what) {
    std::fprintf(stderr, "lumora-show: %s: %s\n", what, SDL_GetError());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    lumora::ShowOptions options;
    std::string error;
    if (!lumora::parseShowOptions(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc), options, error)) {
        std::fprintf(stderr, "lumora-show: %s\n", error.c_str());
        return 2;
    }
    const lumora::Settings settings = readSettings();

    SdlVideo sdl;
    if (!sdl.ok) return fail("cannot start SDL video");

    // A double-buffered 8/8/8 colour buffer; the show draws back to front
    // and needs no depth buffer. SDL asks for a compatibility context unless
    // told otherwise, which OpenGL 1.1 drawing needs.
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);

    int width = options.width, height = options.height;
    Uint32 flags = SDL_WINDOW_OPENGL;
    if (!options.windowed) {
        // FULLSCREEN_DESKTOP covers the desktop without a mode change; the
        // size passed is ignored but must be sane for some drivers.
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
        SDL_DisplayMode desktop{};
        if (SDL_GetDesktopDisplayMode(0, &desktop) == 0) {
            width = desktop.w;
            height = desktop.h;
        } else {
            width = 640;
            height = 480;
        }
    }
    WindowPtr window(
        SDL_CreateWindow("Lumora_VC", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width, height, flags));
    if (!window) return fail("cannot create the window");
    ContextPtr context(SDL_GL_CreateContext(window.get()));
    if (!context) return fail("cannot create an OpenGL context");
    if (SDL_GL_MakeCurrent(window.get(), context.get()) != 0) return fail("cannot make the OpenGL context current");

    // Wait for the vertical blank when the driver can; without it the show
    // still runs, timed by the clock.
    SDL_GL_SetSwapInterval(1);
    SDL_ShowCursor(SDL_DISABLE);
    SDL_StopTextInput();  // keys are commands here, not text for an input method

    // The drawable can differ from the window size on scaled displays.
    SDL_GL_GetDrawableSize(window.get(), &width, &height);
    const uint32_t seed = static_cast<uint32_t>(std::time(nullptr));
    {
        lumora::GlRenderer renderer(seed, settings, width, height);
        const Uint32 start = SDL_GetTicks();
        const Uint32 limitMs = static_cast<Uint32>(options.seconds * 1000);
        for (bool running = true; running;) {
            SDL_Event event;
            while (SDL_PollEvent(&event))
                if (lumora::endsShow(lumora::classifyEvent(event))) running = false;
            const Uint32 now = SDL_GetTicks();
            if (options.seconds > 0 && now - start >= limitMs) running = false;
            if (!running) break;
            if (renderer.frameTick(now, true))
                SDL_GL_SwapWindow(window.get());
            else
                SDL_Delay(1);  // no time has passed on the millisecond clock: do not spin
        }
    }
    return 0;
}

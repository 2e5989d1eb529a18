// lumora-show: the show on Linux, full-screen in an SDL2 window with an
// OpenGL context, until the user ends it.
//
//   lumora-show [--seconds N] [--windowed WxH]
//
// The eight renderer settings and the effects' volume ("20", default 70)
// come from $XDG_CONFIG_HOME/lumora/settings.ini (or
// $HOME/.config/lumora/settings.ini); missing values keep their defaults.
// The show's sound plays through SDL's audio once the first frame is up; at
// volume 0, or when no audio device opens, the show runs silent.
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
// SDL_GetTicks() readings go to the renderer, a drawn frame is swapped and
// its sounds posted, and SDL's audio callback asks the stream for samples.
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
#include "renderer/sound/live_sound.h"

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

// The show's sound through SDL: the audio subsystem and a device of its
// own, opened after the first frame so that set-up never delays it. The
// device is closed (its callback has then returned) before the stream goes.
class SdlSound {
public:
    explicit SdlSound(std::shared_ptr<lumora::SoundStream> stream) : stream_(std::move(stream)) {}
    ~SdlSound() {
        if (device_ != 0) SDL_CloseAudioDevice(device_);
        if (subsystem_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    SdlSound(const SdlSound&) = delete;
    SdlSound& operator=(const SdlSound&) = delete;

    void open() {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            std::fprintf(stderr, "lumora-show: no sound (%s); the show goes on silent\n", SDL_GetError());
            return;
        }
        subsystem_ = true;
        SDL_AudioSpec want{}, have{};
        want.freq = lumora::kSampleRate;
        want.format = AUDIO_S16SYS;
        want.channels = 2;
        want.samples = 1024;
        want.callback = &SdlSound::callback;
        want.userdata = stream_.get();
        // SDL converts to whatever the device takes; the stream stays 48 kHz.
        device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
        if (device_ == 0) {
            std::fprintf(stderr, "lumora-show: no sound device (%s); the show goes on silent\n", SDL_GetError());
            return;
        }
        // Two buffers' worth is about what the device holds before it plays.
        stream_->setLead(2.0 * have.samples / static_cast<double>(lumora::kSampleRate));
        SDL_PauseAudioDevice(device_, 0);
    }

private:
    static void callback(void* userdata, Uint8* bytes, int length) {
        static_cast<lumora::SoundStream*>(userdata)->render(reinterpret_cast<int16_t*>(bytes), length / 4);
    }

    std::shared_ptr<lumora::SoundStream> stream_;
    SDL_AudioDeviceID device_ = 0;
    bool subsystem_ = false;
};

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
        std::unique_ptr<lumora::LiveSound> sound;
        std::unique_ptr<SdlSound> output;
        if (settings.EffectsVolume > 0) {
            sound = std::make_unique<lumora::LiveSound>(renderer.driver(), seed, settings.EffectsVolume);
            output = std::make_unique<SdlSound>(sound->stream());
        }
        bool heard = false;
        const Uint32 start = SDL_GetTicks();
        const Uint32 limitMs = static_cast<Uint32>(options.seconds * 1000);
        for (bool running = true; running;) {
            SDL_Event event;
            while (SDL_PollEvent(&event))
                if (lumora::endsShow(lumora::classifyEvent(event))) running = false;
            const Uint32 now = SDL_GetTicks();
            if (options.seconds > 0 && now - start >= limitMs) running = false;
            if (!running) break;
            if (renderer.frameTick(now, true)) {
                SDL_GL_SwapWindow(window.get());
                if (sound) sound->frame(renderer.driver());
                if (output && !heard) {
                    heard = true;
                    output->open();
                }
            } else {
                SDL_Delay(1);  // no time has passed on the millisecond clock: do not spin
            }
        }
    }
    return 0;
}

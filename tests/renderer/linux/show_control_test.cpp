// lumora-show's decisions without a display: which input ends the show, its
// command line and where it looks for the settings file. The events are
// built by hand as SDL would deliver them.
#include <gtest/gtest.h>

#include "renderer/linux/show_control.h"

using namespace lumora;

namespace {

SDL_Event keyEvent(Uint32 type, SDL_Keycode sym) {
    SDL_Event e{};
    e.type = type;
    e.key.keysym.sym = sym;
    e.key.keysym.scancode = SDL_GetScancodeFromKey(sym);
    return e;
}

SDL_Event mouseButton(Uint32 type, Uint8 button) {
    SDL_Event e{};
    e.type = type;
    e.button.button = button;
    return e;
}

SDL_Event windowEvent(SDL_WindowEventID id) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = id;
    return e;
}

SDL_Event plain(Uint32 type) {
    SDL_Event e{};
    e.type = type;
    return e;
}

TEST(ShowInput, OnlyTheEndingInputsEndTheShow) {
    struct Case { const char* what; SDL_Event event; bool ends; };
    const Case cases[] = {
        {"left button", mouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT), true},
        {"right button", mouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT), true},
        {"middle button", mouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE), true},
        {"button release", mouseButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT), false},
        {"left Alt", keyEvent(SDL_KEYDOWN, SDLK_LALT), true},
        {"right Alt", keyEvent(SDL_KEYDOWN, SDLK_RALT), true},
        {"F10", keyEvent(SDL_KEYDOWN, SDLK_F10), true},
        {"Alt released", keyEvent(SDL_KEYUP, SDLK_LALT), false},
        {"F10 released", keyEvent(SDL_KEYUP, SDLK_F10), false},
        {"letter", keyEvent(SDL_KEYDOWN, SDLK_a), false},
        {"Escape", keyEvent(SDL_KEYDOWN, SDLK_ESCAPE), false},
        {"F11", keyEvent(SDL_KEYDOWN, SDLK_F11), false},
        {"Control", keyEvent(SDL_KEYDOWN, SDLK_LCTRL), false},
        {"Super", keyEvent(SDL_KEYDOWN, SDLK_LGUI), false},
        {"mouse motion", plain(SDL_MOUSEMOTION), false},
        {"wheel", plain(SDL_MOUSEWHEEL), false},
        {"text", plain(SDL_TEXTINPUT), false},
        {"focus lost", windowEvent(SDL_WINDOWEVENT_FOCUS_LOST), true},
        {"focus gained", windowEvent(SDL_WINDOWEVENT_FOCUS_GAINED), false},
        {"pointer left", windowEvent(SDL_WINDOWEVENT_LEAVE), false},
        {"quit", plain(SDL_QUIT), true},
    };
    for (const Case& c : cases) EXPECT_EQ(endsShow(classifyEvent(c.event)), c.ends) << c.what;
}

TEST(ShowOptions, ParsesTheHiddenOptionsAndRefusesTheRest) {
    struct Case {
        std::vector<std::string> args;
        bool ok;
        long long seconds;
        bool windowed;
        int width, height;
        const char* errorHas;
    };
    const Case cases[] = {
        {{}, true, 0, false, 0, 0, ""},
        {{"--seconds", "12"}, true, 12, false, 0, 0, ""},
        {{"--windowed", "800x600"}, true, 0, true, 800, 600, ""},
        {{"--windowed", "320x200", "--seconds", "1"}, true, 1, true, 320, 200, ""},
        {{"--seconds", "1000000"}, true, 1000000, false, 0, 0, ""},
        {{"--seconds"}, false, 0, false, 0, 0, "needs a value"},
        {{"--seconds", "0"}, false, 0, false, 0, 0, "bad --seconds"},
        {{"--seconds", "-3"}, false, 0, false, 0, 0, "bad --seconds"},
        {{"--seconds", "1000001"}, false, 0, false, 0, 0, "bad --seconds"},
        {{"--seconds", "5s"}, false, 0, false, 0, 0, "bad --seconds"},
        {{"--seconds", "99999999999999999999999"}, false, 0, false, 0, 0, "bad --seconds"},
        {{"--windowed", "800"}, false, 0, false, 0, 0, "bad --windowed"},
        {{"--windowed", "0x600"}, false, 0, false, 0, 0, "bad --windowed"},
        {{"--windowed", "16385x10"}, false, 0, false, 0, 0, "bad --windowed"},
        {{"--windowed", "8x6x4"}, false, 0, false, 0, 0, "bad --windowed"},
        {{"-s"}, false, 0, false, 0, 0, "unknown argument '-s'"},
        {{"--seconds=5"}, false, 0, false, 0, 0, "unknown argument"},
    };
    for (const Case& c : cases) {
        ShowOptions options;
        std::string error;
        const std::string where = c.args.empty() ? "(none)" : c.args[0] + (c.args.size() > 1 ? " " + c.args[1] : "");
        ASSERT_EQ(parseShowOptions(c.args, options, error), c.ok) << where << ": " << error;
        if (c.ok) {
            EXPECT_EQ(options.seconds, c.seconds) << where;
            EXPECT_EQ(options.windowed, c.windowed) << where;
            EXPECT_EQ(options.width, c.width) << where;
            EXPECT_EQ(options.height, c.height) << where;
        } else {
            EXPECT_NE(error.find(c.errorHas), std::string::npos) << where << ": " << error;
            EXPECT_EQ(error.find('\n'), std::string::npos) << "one line";
        }
    }
}

TEST(ShowSettings, FileFollowsTheBaseDirectoryRules) {
    struct Case { const char* xdg; const char* home; std::string path; };
    const Case cases[] = {
        {"/cfg", "/home/u", "/cfg/lumora/settings.ini"},
        {nullptr, "/home/u", "/home/u/.config/lumora/settings.ini"},
        {"", "/home/u", "/home/u/.config/lumora/settings.ini"},
        {"relative/cfg", "/home/u", "/home/u/.config/lumora/settings.ini"},  // relative: ignored
        {"/cfg with space/é", nullptr, "/cfg with space/é/lumora/settings.ini"},
        {nullptr, nullptr, ""},
        {"", "", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(settingsFilePath(c.xdg, c.home), c.path)
            << (c.xdg ? c.xdg : "(unset)") << " / " << (c.home ? c.home : "(unset)");
}

}  // namespace

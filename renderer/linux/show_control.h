// The decisions lumora-show makes, kept apart from the window so they can be
// tested without a display: its command line, where its settings file lives,
// and which input ends the show. Nothing here creates a window, reads the
// environment or the clock; lumora_show.cpp hands in what it found.
#pragma once

#include <SDL.h>

#include <string>
#include <vector>

namespace lumora {

struct ShowOptions {
    long long seconds = 0;  // 0: until the user ends it
    bool windowed = false;  // otherwise full-screen at the desktop's size
    int width = 0;
    int height = 0;
};

// `arguments` without the program name. False on anything unknown or
// malformed, with a one-line reason in `error`.
bool parseShowOptions(const std::vector<std::string>& arguments, ShowOptions& options, std::string& error);

// The settings file from the values of XDG_CONFIG_HOME and HOME (null when
// unset): $XDG_CONFIG_HOME/lumora/settings.ini, or
// $HOME/.config/lumora/settings.ini when XDG_CONFIG_HOME is unset, empty or
// relative (the base-directory rules say to ignore a relative one). Empty
// when neither gives a folder: the show then runs on the defaults.
std::string settingsFilePath(const char* xdgConfigHome, const char* home);

// An event as far as ending the show is concerned.
enum class InputKind { Quit, MouseButton, MouseMotion, MouseWheel, KeyDown, FocusLost, Other };

struct ShowInput {
    InputKind kind = InputKind::Other;
    SDL_Keycode key = SDLK_UNKNOWN;  // for KeyDown
};

ShowInput classifyEvent(const SDL_Event& event);

// A mouse button press, Alt (either) or F10, losing the focus and a quit
// request end the show; moving the mouse, the wheel and other keys
// (Escape included) do not.
bool endsShow(const ShowInput& input);

}  // namespace lumora

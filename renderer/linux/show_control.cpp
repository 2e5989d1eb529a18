// lumora-show's decisions; see show_control.h.
#include "renderer/linux/show_control.h"

#include <charconv>

namespace lumora {

namespace {

constexpr long long kMaxSeconds = 1000000;  // SDL_GetTicks() stays far from its 32-bit wrap
constexpr long long kMaxSide = 16384;

// A whole decimal number within [lo, hi] and nothing else.
bool parseWhole(const std::string& text, long long lo, long long hi, long long& out) {
    const char* end = text.data() + text.size();
    long long value = 0;
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value < lo || value > hi) return false;
    out = value;
    return true;
}

bool parseSize(const std::string& text, int& width, int& height) {
    const std::size_t x = text.find('x');
    long long w = 0, h = 0;
    if (x == std::string::npos || !parseWhole(text.substr(0, x), 1, kMaxSide, w) ||
        !parseWhole(text.substr(x + 1), 1, kMaxSide, h))
        return false;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

}  // namespace

bool parseShowOptions(const std::vector<std::string>& arguments, ShowOptions& options, std::string& error) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (option != "--seconds" && option != "--windowed") {
            error = "unknown argument '" + option + "'";
            return false;
        }
        if (i + 1 == arguments.size()) {
            error = option + " needs a value";
            return false;
        }
        const std::string& value = arguments[++i];
        if (option == "--seconds" && !parseWhole(value, 1, kMaxSeconds, options.seconds)) {
            error = "bad --seconds '" + value + "' (1 to " + std::to_string(kMaxSeconds) + ")";
            return false;
        }
        if (option == "--windowed") {
            if (!parseSize(value, options.width, options.height)) {
                error = "bad --windowed '" + value + "' (WxH)";
                return false;
            }
            options.windowed = true;
        }
    }
    return true;
}

std::string settingsFilePath(const char* xdgConfigHome, const char* home) {
    if (xdgConfigHome && xdgConfigHome[0] == '/') return std::string(xdgConfigHome) + "/lumora/settings.ini";
    if (home && home[0] != '\0') return std::string(home) + "/.config/lumora/settings.ini";
    return {};
}

ShowInput classifyEvent(const SDL_Event& event) {
    switch (event.type) {
        case SDL_QUIT:
            return {InputKind::Quit};
        case SDL_MOUSEBUTTONDOWN:
            return {InputKind::MouseButton};
        case SDL_MOUSEMOTION:
            return {InputKind::MouseMotion};
        case SDL_MOUSEWHEEL:
            return {InputKind::MouseWheel};
        case SDL_KEYDOWN:
            return {InputKind::KeyDown, event.key.keysym.sym};
        case SDL_WINDOWEVENT:
            if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) return {InputKind::FocusLost};
            return {InputKind::Other};
        default:
            return {InputKind::Other};
    }
}

bool endsShow(const ShowInput& input) {
    switch (input.kind) {
        case InputKind::Quit:
        case InputKind::MouseButton:
        case InputKind::FocusLost:
            return true;
        case InputKind::KeyDown:
            return input.key == SDLK_LALT || input.key == SDLK_RALT || input.key == SDLK_F10;
        case InputKind::MouseMotion:
        case InputKind::MouseWheel:
        case InputKind::Other:
            return false;
    }
    return false;
}

}  // namespace lumora

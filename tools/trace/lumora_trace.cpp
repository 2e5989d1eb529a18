// lumora-trace: runs the show without OpenGL and prints one line per frame,
// making exactly the draws and state changes of a real renderer run.
//
//   lumora-trace [--seed S] [--frames N] [--ms M] [--set NAME=VALUE]...
//
// Ticks come every M milliseconds of a simulated timer starting at 0.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "tools/trace/trace.h"

namespace {

int usage(const std::string& why) {
    std::fprintf(stderr, "lumora-trace: %s (usage: lumora-trace [--seed S] [--frames N] [--ms M] [--set NAME=VALUE]...)\n",
                 why.c_str());
    return 2;
}

// A whole decimal number within [lo, hi], nothing else.
bool parseInteger(const std::string& text, long long lo, long long hi, long long& out) {
    if (text.empty() || text.size() > 20) return false;
    std::size_t i = (text[0] == '-' || text[0] == '+') ? 1 : 0;
    if (i == text.size()) return false;
    for (std::size_t k = i; k < text.size(); ++k)
        if (text[k] < '0' || text[k] > '9') return false;
    errno = 0;
    char* end = nullptr;
    const long long v = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v < lo || v > hi) return false;
    out = v;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // The same bytes on every platform: no CR before each newline.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    long long seed = 1, frames = 600, ms = 16;
    lumora::Settings settings;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg != "--seed" && arg != "--frames" && arg != "--ms" && arg != "--set") return usage("unknown argument '" + arg + "'");
        if (i + 1 >= argc) return usage(arg + " needs a value");
        const std::string value = argv[++i];
        if (arg == "--seed") {
            if (!parseInteger(value, 0, 4294967295LL, seed)) return usage("bad seed '" + value + "'");
        } else if (arg == "--frames") {
            if (!parseInteger(value, 0, 2147483647LL, frames)) return usage("bad frame count '" + value + "'");
        } else if (arg == "--ms") {
            if (!parseInteger(value, 0, 1000000LL, ms)) return usage("bad tick interval '" + value + "'");
        } else {
            const std::size_t eq = value.find('=');
            long long v = 0;
            if (eq == std::string::npos) return usage("--set needs NAME=VALUE, got '" + value + "'");
            if (!parseInteger(value.substr(eq + 1), -2147483648LL, 2147483647LL, v))
                return usage("bad value in '" + value + "'");
            if (!lumora::setRendererSetting(settings, value.substr(0, eq), static_cast<int32_t>(v)))
                return usage("unknown setting '" + value.substr(0, eq) + "'");
        }
    }

    lumora::FrameDriver driver(static_cast<uint32_t>(seed), settings);
    uint32_t now = 0;
    for (long long tick = 0; tick < frames; ++tick) {
        if (driver.frameTick(now)) std::printf("%s\n", lumora::traceLine(driver).c_str());
        now += static_cast<uint32_t>(ms);
    }
    std::printf("total %llu\n", static_cast<unsigned long long>(driver.randomCalls()));
    return 0;
}

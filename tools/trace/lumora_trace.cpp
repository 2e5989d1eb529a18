// lumora-trace: runs the show without OpenGL and prints one line per frame,
// making exactly the draws and state changes of a real renderer run.
//
//   lumora-trace [--seed S] [--frames N] [--ms M] [--set NAME=VALUE]...
//
// Ticks come every M milliseconds of a simulated timer starting at 0.
#include <cstdio>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "renderer/headless/show_args.h"
#include "renderer/headless/trace.h"

int main(int argc, char** argv) {
#ifdef _WIN32
    // The same bytes on every platform: no CR before each newline.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    lumora::ShowArgs args;
    std::string error;
    if (!lumora::parseShowArgs(argc, argv, {}, args, error)) {
        std::fprintf(stderr, "lumora-trace: %s (usage: lumora-trace [--seed S] [--frames N] [--ms M] [--set NAME=VALUE]...)\n",
                     error.c_str());
        return 2;
    }
    lumora::FrameDriver driver(args.seed, args.settings);
    uint32_t now = 0;
    for (long long tick = 0; tick < args.frames; ++tick) {
        if (driver.frameTick(now)) std::printf("%s\n", lumora::traceLine(driver).c_str());
        now += static_cast<uint32_t>(args.ms);
    }
    std::printf("total %llu\n", static_cast<unsigned long long>(driver.randomCalls()));
    return 0;
}

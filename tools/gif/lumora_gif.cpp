// lumora-gif: a GIF as the animated GIF control sees it.
//
//   lumora-gif info FILE              the parse: canvas, loop count, and per
//                                     frame its rectangle, delay, disposal,
//                                     transparency and palette
//   lumora-gif frames FILE --out DIR  every composed frame as DIR/frame_0001.png,
//                                     ... (RGBA, transparent where the control
//                                     shows its background)
//
// A file the control cannot load gives its error on stderr and exit status 1;
// a bad command line gives the usage and exit status 2. The frames come from
// the control's own player (headless), so they are exactly what it shows.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "controls/gif/headless_host.h"
#include "tools/gif/png_writer.h"

using namespace lumora;

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: lumora-gif info FILE\n"
                 "       lumora-gif frames FILE --out DIR\n");
    return 2;
}

bool readFile(const std::string& path, std::vector<uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool writeFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out);
}

int failLoad(const std::string& path, const GifPlayer& player) {
    const GifError e = player.lastError();
    if (e.number != 0) {
        std::fprintf(stderr, "lumora-gif: %s: %s (error %d in %s)\n", path.c_str(), e.description.c_str(),
                     e.number, e.source.c_str());
    } else {
        std::fprintf(stderr, "lumora-gif: %s: %s\n", path.c_str(), e.description.c_str());
    }
    return 1;
}

void printInfo(const GifPlayer& player) {
    const GifFile& file = player.file();
    std::printf("canvas %dx%d\n", file.canvasWidth, file.canvasHeight);
    if (player.loops() == 0) {
        std::printf("loops 0 (forever)\n");
    } else {
        std::printf("loops %d\n", player.loops());
    }
    std::printf("frames %d\n", player.frameCount());
    int n = 0;
    for (const GifFrame& f : file.frames) {
        const GifPalette& palette = file.palettes[size_t(f.paletteId)];
        std::printf("frame %d: rect %d,%d %dx%d, delay %d ms, disposal %d, transparent ", ++n, f.left, f.top,
                    f.width, f.height, f.delay, f.disposal);
        if (f.hasTransparency) {
            std::printf("%d", f.transparentIndex);
        } else {
            std::printf("none");
        }
        std::printf(", palette %d (%s, %d colours)", f.paletteId, f.paletteId == 0 ? "global" : "local",
                    palette.count);
        if (f.interlaced) std::printf(", interlaced");
        if (!f.complete()) {
            std::printf(", data ends after %llu of %llu pixels", static_cast<unsigned long long>(f.decodedPixels),
                        static_cast<unsigned long long>(f.area()));
        }
        std::printf("\n");
    }
}

int writeFrames(GifPlayer& player, const std::filesystem::path& dir) {
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (!std::filesystem::is_directory(dir)) {
        std::fprintf(stderr, "lumora-gif: cannot create %s\n", dir.string().c_str());
        return 1;
    }
    std::vector<uint8_t> rgba;
    for (int32_t n = 1; n <= player.frameCount(); ++n) {
        if (n > 1) player.setAction(kActionStep);
        const GifPicture picture = player.picture();
        const size_t count = size_t(picture.width) * size_t(picture.height);
        rgba.resize(count * 4);
        for (size_t i = 0; i < count; ++i) {
            const uint32_t c = picture.pixels[i];
            rgba[4 * i + 0] = uint8_t(c >> 16);
            rgba[4 * i + 1] = uint8_t(c >> 8);
            rgba[4 * i + 2] = uint8_t(c);
            rgba[4 * i + 3] = picture.mask[i] ? 0 : 255;
        }
        char name[32];
        std::snprintf(name, sizeof name, "frame_%04d.png", int(n));
        if (!writeFile(dir / name, encodePngRgba(uint32_t(picture.width), uint32_t(picture.height), rgba))) {
            std::fprintf(stderr, "lumora-gif: cannot write %s\n", (dir / name).string().c_str());
            return 1;
        }
    }
    std::printf("%d frames written to %s\n", player.frameCount(), dir.string().c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // The same bytes on every platform: no CR before each newline.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    const std::vector<std::string> args(argv + 1, argv + argc);
    const bool info = args.size() == 2 && args[0] == "info";
    const bool frames = args.size() == 4 && args[0] == "frames" && args[2] == "--out";
    if (!info && !frames) return usage();

    std::vector<uint8_t> bytes;
    if (!readFile(args[1], bytes)) {
        std::fprintf(stderr, "lumora-gif: cannot read %s\n", args[1].c_str());
        return 1;
    }
    HeadlessGifHost host;
    GifPlayer player(host);
    host.player = &player;
    player.setDelayAnimation(2);  // decode everything now, do not start playing
    player.setAnimatedGif(bytes);
    if (player.frameCount() == 0) return failLoad(args[1], player);
    if (info) {
        printInfo(player);
        return 0;
    }
    return writeFrames(player, args[3]);
}

// libFuzzer target: untrusted bytes through the whole animated GIF control,
// as its window would drive it. The last byte picks the settings (mirror,
// stretch, deferred decode); the player loads, plays a few timer ticks,
// steps, mirrors and restarts; and a loaded GIF is written out (the
// AnimatedGIF getter) and read back, which must give the same frames, and
// written out mirrored, which read back must show the picture the mirrored
// control shows: any difference is a bug and aborts.
//
// A load's buffers are charged to its allocation budget (256 MB in the
// control); here it is 128 KB, so that inputs claiming huge frames fail as fast
// as small ones succeed, and the fuzzer spends its time on the parser, the
// decoder and the player rather than on clearing large canvases. The code
// paths are the same; what the budget does not cover (scratch, the writer)
// is caught by running with -malloc_limit_mb.
#include <algorithm>
#include <cstdlib>

#include "controls/gif/headless_host.h"
#include "controls/gif/lzw_decoder.h"

using namespace lumora;

namespace {

bool sameFrames(const GifFile& a, const GifFile& b) {
    if (a.frames.size() != b.frames.size() || a.canvasWidth != b.canvasWidth || a.canvasHeight != b.canvasHeight) {
        return false;
    }
    for (size_t i = 0; i < a.frames.size(); ++i) {
        const GifFrame& x = a.frames[i];
        const GifFrame& y = b.frames[i];
        if (x.decodedPixels != y.decodedPixels || x.delay != y.delay || x.disposal != y.disposal ||
            x.hasTransparency != y.hasTransparency || x.left != y.left || x.top != y.top) {
            return false;
        }
        // Only the decoded indices are defined: the first decodedPixels in
        // stream order, whose rows an interlaced frame spreads out.
        const uint64_t w = uint32_t(x.width), h = uint32_t(x.height);
        for (uint64_t s = 0; w != 0 && s < h && s * w < x.decodedPixels; ++s) {
            const uint64_t row = x.interlaced ? interlacedImageRow(uint32_t(s), uint32_t(h)) : s;
            const uint64_t n = std::min(w, x.decodedPixels - s * w);
            if (!std::equal(&x.indices[row * w], &x.indices[row * w] + n, &y.indices[row * w])) return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const uint8_t settings = size ? data[size - 1] : 0;
    HeadlessGifHost host;
    host.client = {37, 23};
    GifPlayer player(host);
    host.player = &player;
    player.setAllocationLimit(uint64_t{128} << 10);
    player.setMirrored(settings & 3);
    player.setStretch((settings >> 2) % 5);
    player.setDelayAnimation((settings >> 5) & 3);
    if (!player.loadAnimatedGifArray({data, size})) return 0;

    const int32_t frames = player.frameCount();
    for (int tick = 0; tick < frames + 3 && tick < 12; ++tick) {
        if (!host.fire()) player.setAction(kActionStep);
        if (tick == 3) player.setMirrored(player.mirrored() ^ 3);
    }
    player.hide();
    player.show();
    player.setAction(kActionRestart);
    host.resizeControl(5, 90);
    (void)packMask(player.picture());

    const int32_t mirror = player.mirrored();
    player.setMirrored(0);
    HeadlessGifHost host2;
    GifPlayer again(host2);
    host2.player = &again;
    again.setAllocationLimit(uint64_t{128} << 10);
    again.setDelayAnimation(2);
    again.setAnimatedGif(player.animatedGif());
    if (!sameFrames(player.file(), again.file())) std::abort();

    // Mirrored: the getter gives the picture as shown. Read back, its canvas
    // ends where its frames do, so it may be smaller; beyond it the shown
    // picture is transparent. (A frame whose data ended early and that uses
    // all 256 indices cannot be made whole: such a file is skipped.)
    player.setMirrored(mirror == 0 ? 1 : mirror);
    player.setAction(kActionStop);  // frame 1 on both sides
    if (player.currentFrame() == 0 || player.animatedGif().empty()) return 0;
    for (const GifFrame& f : player.file().frames)
        if (!f.complete()) return 0;
    again.setAnimatedGif(player.animatedGif());
    const GifPicture shown = player.picture(), copy = again.picture();
    if (copy.empty()) {
        // Frames of no area can make a canvas that mirrored holds nothing.
        if (!std::all_of(shown.mask, shown.mask + size_t(shown.width) * size_t(shown.height), [](uint8_t m) { return m != 0; }))
            std::abort();
        return 0;
    }
    if (copy.width > shown.width || copy.height > shown.height) std::abort();
    for (int32_t y = 0; y < shown.height; ++y) {
        for (int32_t x = 0; x < shown.width; ++x) {
            const size_t i = size_t(y) * size_t(shown.width) + size_t(x);
            if (x >= copy.width || y >= copy.height) {
                if (!shown.mask[i]) std::abort();
                continue;
            }
            const size_t j = size_t(y) * size_t(copy.width) + size_t(x);
            if (shown.mask[i] != copy.mask[j] || (!shown.mask[i] && shown.pixels[i] != copy.pixels[j])) std::abort();
        }
    }
    return 0;
}

// Decode and compose throughput of the animated GIF control against giflib,
// side by side, on one large animated GIF made here: 640 x 480, 48 frames of
// 256 colours, full frames and moving sub-rectangles with transparency and
// every disposal. Each iteration loads the whole file and composes every
// frame once, as a full pass of the animation does; the figure is megabytes
// of GIF per second (and megapixels composed).
//
// giflib does the parsing and LZW (DGifSlurp); the composition beside it is
// the same work ours does (palette lookup into 32-bit pixels and a mask,
// disposal 2 and 3, transparency), written plainly here. Native only; giflib
// is a test dependency, never shipped.
#include <benchmark/benchmark.h>
#include <gif_lib.h>

#include <malloc.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "controls/gif/gif_writer.h"
#include "controls/gif/headless_host.h"

namespace {

using namespace lumora;

constexpr int kWidth = 640, kHeight = 480, kFrames = 48;

std::vector<uint8_t> makeBenchGif() {
    GifFile file;
    file.canvasWidth = kWidth;
    file.canvasHeight = kHeight;
    file.hasGlobalTable = true;
    file.palettes.resize(1);
    file.palettes[0].count = 256;
    for (uint32_t i = 0; i < 256; ++i) file.palettes[0].entries[i] = (i << 16) | ((255 - i) << 8) | (i * 7 & 255);
    uint32_t noise = 12345;
    for (int t = 0; t < kFrames; ++t) {
        GifFrame f;
        const bool full = t % 3 == 0;
        f.width = full ? kWidth : 320;
        f.height = full ? kHeight : 240;
        f.left = full ? 0 : (t * 37) % (kWidth - 320);
        f.top = full ? 0 : (t * 23) % (kHeight - 240);
        f.delay = 40;
        f.disposal = uint8_t(full ? 1 : t % 4);
        f.hasTransparency = !full;
        f.transparentIndex = 255;
        f.interlaced = t % 5 == 4;
        f.indices.resize(size_t(f.width) * f.height);
        // Smooth bands (long LZW strings) with a sprinkle of noise and holes.
        for (int y = 0; y < f.height; ++y) {
            for (int x = 0; x < f.width; ++x) {
                noise = noise * 1103515245 + 12345;
                uint8_t v = uint8_t((x / 4 + y / 3 + t * 5 + ((x * y) >> 9)) % 250);
                if ((noise >> 24) < 8) v = uint8_t(noise >> 16);
                if (!full && ((x / 16 + y / 16) % 5 == 0)) v = 255;
                f.indices[size_t(y) * f.width + x] = v;
            }
        }
        f.decodedPixels = f.indices.size();
        file.frames.push_back(std::move(f));
    }
    return writeGif(file, 0);
}

const std::vector<uint8_t>& benchGif() {
    static const std::vector<uint8_t> bytes = makeBenchGif();
    return bytes;
}

void report(benchmark::State& state, uint64_t pixels) {
    state.SetBytesProcessed(int64_t(state.iterations() * benchGif().size()));
    state.counters["Mpx/s"] =
        benchmark::Counter(double(pixels) * double(state.iterations()) / 1e6, benchmark::Counter::kIsRate);
    state.counters["gif_MB"] = double(benchGif().size()) / 1e6;
}

void BM_Ours(benchmark::State& state) {
    const std::vector<uint8_t>& bytes = benchGif();
    uint64_t checksum = 0;
    for (auto _ : state) {
        HeadlessGifHost host;
        GifPlayer player(host);
        host.player = &player;
        player.setDelayAnimation(2);  // decode all frames now, no timer
        player.setAnimatedGif(bytes);
        for (int n = 2; n <= player.frameCount(); ++n) player.setAction(kActionStep);
        checksum += player.picture().pixels[kWidth * kHeight / 2];
    }
    benchmark::DoNotOptimize(checksum);
    report(state, uint64_t(kWidth) * kHeight * kFrames);
}

struct MemorySource {
    const std::vector<uint8_t>* bytes;
    size_t pos;
};

int readMemory(GifFileType* gif, GifByteType* to, int n) {
    auto* s = static_cast<MemorySource*>(gif->UserData);
    const size_t take = std::min(size_t(n), s->bytes->size() - s->pos);
    std::memcpy(to, s->bytes->data() + s->pos, take);
    s->pos += take;
    return int(take);
}

void BM_Giflib(benchmark::State& state) {
    const std::vector<uint8_t>& bytes = benchGif();
    std::vector<uint32_t> pixels(size_t(kWidth) * kHeight), savedPixels;
    std::vector<uint8_t> mask(pixels.size()), savedMask;
    uint64_t checksum = 0;
    for (auto _ : state) {
        MemorySource source{&bytes, 0};
        int error = 0;
        GifFileType* gif = DGifOpen(&source, readMemory, &error);
        if (!gif || DGifSlurp(gif) != GIF_OK) {
            state.SkipWithError("giflib cannot read the benchmark GIF");
            return;
        }
        const int w = gif->SWidth;
        uint32_t palette[256] = {};
        for (int i = 0; i < gif->SColorMap->ColorCount; ++i) {
            const GifColorType& c = gif->SColorMap->Colors[i];
            palette[i] = uint32_t(c.Red) << 16 | uint32_t(c.Green) << 8 | c.Blue;
        }
        int lastDisposal = 0, lx = 0, ly = 0, lw = 0, lh = 0;
        for (int i = 0; i < gif->ImageCount; ++i) {
            const SavedImage& image = gif->SavedImages[i];
            const GifImageDesc& d = image.ImageDesc;
            GraphicsControlBlock gcb{};
            DGifSavedExtensionToGCB(gif, i, &gcb);
            if (i == 0) {
                std::fill(pixels.begin(), pixels.end(), 0u);
                std::fill(mask.begin(), mask.end(), uint8_t(1));
            } else if (lastDisposal == 2) {
                for (int y = ly; y < ly + lh; ++y) {
                    std::fill_n(&pixels[size_t(y) * w + lx], lw, 0u);
                    std::fill_n(&mask[size_t(y) * w + lx], lw, uint8_t(1));
                }
            } else if (lastDisposal == 3) {
                for (int y = 0; y < lh; ++y) {
                    std::copy_n(&savedPixels[size_t(y) * lw], lw, &pixels[size_t(ly + y) * w + lx]);
                    std::copy_n(&savedMask[size_t(y) * lw], lw, &mask[size_t(ly + y) * w + lx]);
                }
            }
            if (gcb.DisposalMode == 3) {
                savedPixels.resize(size_t(d.Width) * d.Height);
                savedMask.resize(savedPixels.size());
                for (int y = 0; y < d.Height; ++y) {
                    std::copy_n(&pixels[size_t(d.Top + y) * w + d.Left], d.Width, &savedPixels[size_t(y) * d.Width]);
                    std::copy_n(&mask[size_t(d.Top + y) * w + d.Left], d.Width, &savedMask[size_t(y) * d.Width]);
                }
            }
            for (int y = 0; y < d.Height; ++y) {
                const uint8_t* src = image.RasterBits + size_t(y) * d.Width;
                uint32_t* dst = &pixels[size_t(d.Top + y) * w + d.Left];
                uint8_t* m = &mask[size_t(d.Top + y) * w + d.Left];
                for (int x = 0; x < d.Width; ++x) {
                    if (src[x] == gcb.TransparentColor) continue;
                    dst[x] = palette[src[x]];
                    m[x] = 0;
                }
            }
            lastDisposal = gcb.DisposalMode;
            lx = d.Left, ly = d.Top, lw = d.Width, lh = d.Height;
        }
        checksum += pixels[pixels.size() / 2];
        DGifCloseFile(gif, &error);
    }
    benchmark::DoNotOptimize(checksum);
    report(state, uint64_t(kWidth) * kHeight * kFrames);
}

BENCHMARK(BM_Ours)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Giflib)->Unit(benchmark::kMillisecond);

}  // namespace

// Both sides allocate megabytes per load and free them after it. glibc gives
// such blocks back to the system and takes them again on the next load, and
// which side's blocks it keeps depends on their sizes and order; the page
// faults that follow (costly in a VM) would then be measured instead of the
// decoders. So both run with malloc keeping what it got, unless
// LUMORA_BENCH_DEFAULT_MALLOC is set.
int main(int argc, char** argv) {
    if (!std::getenv("LUMORA_BENCH_DEFAULT_MALLOC")) {
        mallopt(M_MMAP_THRESHOLD, 64 << 20);
        mallopt(M_TRIM_THRESHOLD, 512 << 20);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

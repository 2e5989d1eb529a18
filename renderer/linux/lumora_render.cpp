// lumora-render: renders a seeded show headless (OSMesa, software GL) and
// writes PNG frames. It makes the same draws as lumora-trace, so a trace and
// a render of the same seed are the same show.
//
//   lumora-render [--seed S] [--frames N] [--ms M] [--size WxH] [--set NAME=VALUE]...
//                 [--every K] [--out DIR] [--timing] [--no-particles] [--warm W] [--trace]
//                 [--audio FILE.wav] [--cues FILE] [--camera FILE]
//
// Every K-th frame run is written as DIR/frame_NNNNNN.png. --timing prints
// milliseconds per frame for each phase (simulation, scenery, particles,
// flares) and the peak resident memory; --no-particles draws the scenery alone;
// --warm W runs the first W ticks without drawing or timing them (the show is
// the same: drawing makes no random draws), to measure a later state;
// --trace prints lumora-trace's line for every frame run, and its total.
//
// --audio writes the show's sound, offline and sample-exact, as a 48 kHz
// stereo 16-bit WAV: from the first drawn frame (after --warm) to the show
// time of the last, every sound heard in that span whatever frame placed
// it. --cues lists those sounds, one a line in start order after the header
// event_s, kind, distance_m, start_s, pan, x, y, z. --camera writes, for
// tests and tuning, each frame's show time, eye and the view's right
// vector. At EffectsVolume 0 the WAV is silence of the same length and the
// cue list holds its header only. Listening changes nothing in the show.
#include <GL/osmesa.h>
#include <png.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "renderer/gl/gl_headers.h"
#include "renderer/gl/gl_renderer.h"
#include "renderer/headless/show_args.h"
#include "renderer/headless/trace.h"
#include "renderer/sound/mixer.h"
#include "renderer/sound/sound_director.h"
#include "renderer/sound/wav_file.h"

namespace {

// The sound side of a render: the director, the mixer, the WAV being
// written, the cues placed so far and the camera log.
struct OfflineSound {
    OfflineSound(uint32_t seed, int32_t volume) : director(seed), mixer(volume), silent(volume <= 0) {}

    // After a frame: its sounds placed and queued, the mixer run up to the
    // frame's show time; the samples are kept when `keep`.
    bool frame(lumora::FrameDriver& driver, bool keep) {
        const double t = driver.showTime();
        if (camera) {
            const lumora::Vec3& b = driver.camera().back;
            const lumora::Vec3& e = driver.camera().eye;
            // The view's right is the look direction (-back) crossed with up.
            std::fprintf(camera, "%.6f\t%.3f\t%.3f\t%.3f\t%.6f\t%.6f\t%.6f\n", t, e.x, e.y, e.z, b.z, 0.0, -b.x);
        }
        if (!silent) {
            const std::size_t first = cues.size();
            director.frame(driver, cues);
            for (std::size_t i = first; i < cues.size(); ++i) mixer.schedule(cues[i]);
        }
        if (!keep) firstKept = std::llround(t * lumora::kSampleRate);
        const int64_t end = std::llround(t * lumora::kSampleRate);
        while (mixer.playhead() < end) {
            int16_t block[2 * 1024];
            const int n = static_cast<int>(std::min<int64_t>(1024, end - mixer.playhead()));
            mixer.render(block, n);
            if (keep && audio && !wav.write(block, static_cast<std::size_t>(n))) return false;
        }
        return true;
    }

    lumora::SoundDirector director;
    lumora::Mixer mixer;
    bool silent;
    bool audio = false;
    lumora::WavWriter wav;
    std::vector<lumora::SoundCue> cues;
    int64_t firstKept = 0;
    FILE* camera = nullptr;
};

// The cue list: the sounds that start within the kept span, in start order
// (cues of equal start in the order they were placed).
bool writeCues(const std::string& path, std::vector<lumora::SoundCue> cues, int64_t from, int64_t to) {
    FILE* f = std::fopen(path.c_str(), "w");
    if (!f) return false;
    std::fprintf(f, "event_s\tkind\tdistance_m\tstart_s\tpan\tx\ty\tz\n");
    std::stable_sort(cues.begin(), cues.end(),
                     [](const lumora::SoundCue& a, const lumora::SoundCue& b) { return a.startSample < b.startSample; });
    for (const lumora::SoundCue& c : cues) {
        if (c.startSample < from || c.startSample >= to) continue;
        std::fprintf(f, "%.4f\t%s\t%.3f\t%.4f\t%.4f\t%.3f\t%.3f\t%.3f\n", c.eventTime, lumora::soundKindName(c.kind),
                     c.distanceM, c.startTime, static_cast<double>(c.pan), static_cast<double>(c.position.x),
                     static_cast<double>(c.position.y), static_cast<double>(c.position.z));
    }
    return std::fclose(f) == 0;
}

bool writePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgba) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        return false;
    }
    png_init_io(png, f);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<uint8_t> row(static_cast<std::size_t>(width) * 3);
    for (int y = height - 1; y >= 0; --y) {  // GL rows run bottom-up
        const uint8_t* src = &rgba[static_cast<std::size_t>(y) * width * 4];
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c) row[static_cast<std::size_t>(x * 3 + c)] = src[x * 4 + c];
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(f) == 0;
}

bool parseSize(const std::string& text, int& w, int& h) {
    const std::size_t x = text.find('x');
    long long a = 0, b = 0;
    if (x == std::string::npos || !lumora::parseInteger(text.substr(0, x), 1, 8192, a) ||
        !lumora::parseInteger(text.substr(x + 1), 1, 8192, b))
        return false;
    w = static_cast<int>(a);
    h = static_cast<int>(b);
    return true;
}

using Clock = std::chrono::steady_clock;
double ms(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double, std::milli>(b - a).count(); }

}  // namespace

int main(int argc, char** argv) {
    lumora::ShowArgs args;
    std::string error;
    const std::map<std::string, bool> options = {
        {"--size", true}, {"--every", true}, {"--out", true}, {"--timing", false}, {"--no-particles", false},
        {"--warm", true}, {"--trace", false}, {"--audio", true}, {"--cues", true}, {"--camera", true}};
    int width = 1280, height = 720;
    long long every = 0, warm = 0;
    if (lumora::parseShowArgs(argc, argv, options, args, error)) {
        if (args.extra.count("--size") && !parseSize(args.extra["--size"], width, height))
            error = "bad size '" + args.extra["--size"] + "' (WxH)";
        if (args.extra.count("--every") && !lumora::parseInteger(args.extra["--every"], 1, 2147483647LL, every))
            error = "bad --every '" + args.extra["--every"] + "'";
        if (args.extra.count("--warm") && !lumora::parseInteger(args.extra["--warm"], 0, 2147483647LL, warm))
            error = "bad --warm '" + args.extra["--warm"] + "'";
    }
    if (!error.empty()) {
        std::fprintf(stderr,
                     "lumora-render: %s (usage: lumora-render [--seed S] [--frames N] [--ms M] [--size WxH] "
                     "[--set NAME=VALUE]... [--every K] [--out DIR] [--timing] [--no-particles] [--warm W] [--trace] "
                     "[--audio FILE.wav] [--cues FILE] [--camera FILE])\n",
                     error.c_str());
        return 2;
    }
    const std::string out = args.extra.count("--out") ? args.extra["--out"] : "frames";
    const bool timing = args.extra.count("--timing") != 0;
    const bool particles = args.extra.count("--no-particles") == 0;
    const bool trace = args.extra.count("--trace") != 0;
    if (every > 0) mkdir(out.c_str(), 0755);
    const std::string audioPath = args.extra.count("--audio") ? args.extra["--audio"] : "";
    const std::string cuesPath = args.extra.count("--cues") ? args.extra["--cues"] : "";
    const std::string cameraPath = args.extra.count("--camera") ? args.extra["--camera"] : "";
    std::unique_ptr<OfflineSound> sound;
    if (!audioPath.empty() || !cuesPath.empty() || !cameraPath.empty()) {
        sound = std::make_unique<OfflineSound>(args.seed, args.settings.EffectsVolume);
        sound->audio = !audioPath.empty();
        if (sound->audio && !sound->wav.open(audioPath)) {
            std::fprintf(stderr, "lumora-render: cannot write %s\n", audioPath.c_str());
            return 1;
        }
        if (!cameraPath.empty() && !(sound->camera = std::fopen(cameraPath.c_str(), "w"))) {
            std::fprintf(stderr, "lumora-render: cannot write %s\n", cameraPath.c_str());
            return 1;
        }
    }

    // An exact 8/8/8/8 colour buffer, as a window's would be.
    OSMesaContext context = OSMesaCreateContextExt(OSMESA_RGBA, 0, 0, 0, nullptr);
    std::vector<uint8_t> buffer(static_cast<std::size_t>(width) * height * 4);
    if (!context || !OSMesaMakeCurrent(context, buffer.data(), GL_UNSIGNED_BYTE, width, height)) {
        std::fprintf(stderr, "lumora-render: cannot create an OSMesa context\n");
        return 1;
    }

    int status = 0;
    {
        lumora::GlRenderer renderer(args.seed, args.settings, width, height);
        if (sound) renderer.driver().listenToEvents();
        double phase[4] = {0, 0, 0, 0};
        long long timed = 0;
        uint32_t now = 0;
        for (long long tick = 0; tick < args.frames; ++tick, now += static_cast<uint32_t>(args.ms)) {
            if (tick < warm) {
                if (!renderer.advance(now)) continue;
                if (trace) std::printf("%s\n", lumora::traceLine(renderer.driver()).c_str());
                if (sound) sound->frame(renderer.driver(), false);
                continue;
            }
            const auto t0 = Clock::now();
            if (!renderer.advance(now)) continue;
            const auto t1 = Clock::now();
            if (sound && !sound->frame(renderer.driver(), true)) {
                std::fprintf(stderr, "lumora-render: cannot write %s\n", audioPath.c_str());
                status = 1;
                break;
            }
            renderer.drawScenery();
            if (timing) glFinish();
            const auto t2 = Clock::now();
            if (particles) renderer.drawParticles();
            if (timing) glFinish();
            const auto t3 = Clock::now();
            renderer.drawFlares();
            glFinish();
            const auto t4 = Clock::now();
            phase[0] += ms(t0, t1);
            phase[1] += ms(t1, t2);
            phase[2] += ms(t2, t3);
            phase[3] += ms(t3, t4);
            ++timed;
            if (trace) std::printf("%s\n", lumora::traceLine(renderer.driver()).c_str());
            const uint64_t frame = renderer.driver().framesRun();
            if (every > 0 && frame % static_cast<uint64_t>(every) == 0) {
                char name[64];
                std::snprintf(name, sizeof name, "/frame_%06llu.png", static_cast<unsigned long long>(frame));
                if (!writePng(out + name, width, height, buffer)) {
                    std::fprintf(stderr, "lumora-render: cannot write %s%s\n", out.c_str(), name);
                    status = 1;
                    break;
                }
            }
        }
        if (trace) std::printf("total %llu\n", static_cast<unsigned long long>(renderer.driver().randomCalls()));
        if (sound) {
            const int64_t end = sound->mixer.playhead();
            if (sound->audio && !sound->wav.close() && status == 0) {
                std::fprintf(stderr, "lumora-render: cannot write %s\n", audioPath.c_str());
                status = 1;
            }
            if (sound->camera && std::fclose(sound->camera) != 0 && status == 0) {
                std::fprintf(stderr, "lumora-render: cannot write %s\n", cameraPath.c_str());
                status = 1;
            }
            if (!cuesPath.empty() && !writeCues(cuesPath, sound->cues, sound->firstKept, end) && status == 0) {
                std::fprintf(stderr, "lumora-render: cannot write %s\n", cuesPath.c_str());
                status = 1;
            }
        }
        if (timing && timed > 0) {
            struct rusage usage {};
            getrusage(RUSAGE_SELF, &usage);
            std::printf("frames %lld size %dx%d live %zu\n", timed, width, height,
                        renderer.driver().simulation().pool().liveCount());
            std::printf("ms/frame simulation %.3f scenery %.3f particles %.3f flares %.3f total %.3f\n",
                        phase[0] / timed, phase[1] / timed, phase[2] / timed, phase[3] / timed,
                        (phase[0] + phase[1] + phase[2] + phase[3]) / timed);
            std::printf("peak RSS %.1f MiB\n", usage.ru_maxrss / 1024.0);
        }
    }
    OSMesaDestroyContext(context);
    return status;
}

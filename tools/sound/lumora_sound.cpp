// lumora-sound: one event of the show heard from a chosen distance, written
// as a WAV file, for tuning the sounds and drawing their spectrograms. The
// event goes through the same director, placement and mixer as the show's.
//
//   lumora-sound EVENT [--programme P] [--stars N] [--pops N] [--duration S]
//                [--distance M] [--side X] [--seconds T] [--volume V] [--seed S] --out FILE.wav
//
// EVENT is burst, timer, stage2, crackle (N pops in one frame), launch,
// fountain or pinwheel. The event happens 1000 units up at show time 0.05 s;
// the eye is M metres away (default 100) on its level, looking at it, or X
// (-1..1) of the way to its left or right. The sound's cues are printed in
// lumora-render's cue format. Exit status 2 on a bad command line.
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "renderer/headless/show_args.h"
#include "renderer/sound/mixer.h"
#include "renderer/sound/sound_director.h"
#include "renderer/sound/wav_file.h"

namespace {

using namespace lumora;

int usage(const std::string& why) {
    std::fprintf(stderr,
                 "lumora-sound: %s (usage: lumora-sound burst|timer|stage2|crackle|launch|fountain|pinwheel "
                 "[--programme P] [--stars N] [--pops N] [--duration S] [--distance M] [--side X] [--seconds T] "
                 "[--volume V] [--seed S] --out FILE.wav)\n",
                 why.c_str());
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage("no event");
    const std::string event = argv[1];
    const std::map<std::string, SimEventKind> kinds = {
        {"burst", SimEventKind::Burst},         {"timer", SimEventKind::TimerBreak},
        {"stage2", SimEventKind::SecondStage},  {"crackle", SimEventKind::CracklePop},
        {"launch", SimEventKind::ShellLaunch},  {"fountain", SimEventKind::FountainLit},
        {"pinwheel", SimEventKind::PinwheelLit}};
    if (!kinds.count(event)) return usage("unknown event '" + event + "'");
    std::map<std::string, long long> value = {{"--programme", 0}, {"--stars", 175}, {"--pops", 30},
                                              {"--duration", 4},  {"--distance", 100}, {"--side", 0},
                                              {"--seconds", 3},   {"--volume", 70},  {"--seed", 1}};
    std::string out;
    for (int i = 2; i < argc; i += 2) {
        const std::string arg = argv[i];
        if (i + 1 >= argc) return usage(arg + " needs a value");
        if (arg == "--out") {
            out = argv[i + 1];
            continue;
        }
        if (!value.count(arg)) return usage("unknown argument '" + arg + "'");
        // --side is in hundredths (-100..100) so that every value is whole.
        const long long hi = arg == "--side" ? 100 : (arg == "--seconds" || arg == "--duration" ? 60 : 100000);
        const long long lo = arg == "--side" ? -100 : 0;
        if (!parseInteger(argv[i + 1], lo, hi, value[arg])) return usage("bad value for " + arg);
    }
    if (out.empty()) return usage("--out is needed");

    SimEvent e;
    e.kind = kinds.at(event);
    e.programme = static_cast<uint32_t>(value["--programme"]);
    if (e.kind == SimEventKind::SecondStage && e.programme != 20) e.programme = 19;
    e.stars = static_cast<int32_t>(value["--stars"]);
    e.duration = static_cast<float>(value["--duration"]);
    e.position.set(0.0f, 1000.0f, 0.0f);
    SimEventList events(e.kind == SimEventKind::CracklePop ? static_cast<std::size_t>(value["--pops"]) : 1, e);

    // The eye on the event's level, looking along -z; --side moves the event
    // round to the view's right (+x) or left.
    const double units = static_cast<double>(value["--distance"]) / 0.3048;
    const double side = static_cast<double>(value["--side"]) / 100.0;
    const double across = side * units, along = std::sqrt(std::max(0.0, 1.0 - side * side)) * units;
    const Vec3 eye(static_cast<float>(-across), 1000.0f, static_cast<float>(along));
    const Vec3 back(0.0f, 0.0f, 1.0f);

    SoundDirector director(static_cast<uint32_t>(value["--seed"]));
    std::vector<SoundCue> none;
    director.frame(0.0, eye, back, {}, none);  // a frame at 0, so the crackle spreads over one step
    std::vector<SoundCue> cues;
    const int32_t volume = static_cast<int32_t>(value["--volume"]);
    if (volume > 0) director.frame(0.05, eye, back, events, cues);
    Mixer mixer(volume);
    for (const SoundCue& c : cues) {
        mixer.schedule(c);
        std::printf("%.4f\t%s\t%.3f\t%.4f\t%.4f\n", c.eventTime, soundKindName(c.kind), c.distanceM, c.startTime,
                    static_cast<double>(c.pan));
    }
    WavWriter wav;
    if (!wav.open(out)) {
        std::fprintf(stderr, "lumora-sound: cannot write %s\n", out.c_str());
        return 1;
    }
    const int64_t total = value["--seconds"] * kSampleRate;
    std::vector<int16_t> block(2 * 4800);
    while (mixer.playhead() < total) {
        const int n = static_cast<int>(std::min<int64_t>(4800, total - mixer.playhead()));
        mixer.render(block.data(), n);
        wav.write(block.data(), static_cast<std::size_t>(n));
    }
    if (!wav.close()) {
        std::fprintf(stderr, "lumora-sound: cannot write %s\n", out.c_str());
        return 1;
    }
    return 0;
}

// The sound director; see sound_director.h.
#include "renderer/sound/sound_director.h"

#include <algorithm>
#include <cmath>

#include "renderer/sound/placement.h"
#include "renderer/sound/voice.h"

namespace lumora {

namespace {

// Levels at 100 m of a sound of size 1 (a boom of 175 stars is 1).
constexpr float kBoomLevel = 1.0f;
constexpr float kPopLevel = 0.45f;
constexpr float kStage2Level = 1.0f;
constexpr float kCrackleLevel = 0.5f;
constexpr float kLaunchLevel = 0.45f;
constexpr float kFountainLevel = 0.35f;
constexpr float kPinwheelLevel = 0.3f;
constexpr float kGlitterLevel = 0.3f;

float sizeFromStars(int32_t stars, float reference, float lo, float hi) {
    const float s = std::sqrt(static_cast<float>(std::max(stars, 0)) / reference);
    return std::clamp(s, lo, hi);
}

bool isGlitterShell(uint32_t programme) { return programme == 6 || programme == 8 || programme == 10; }

// Glitter stars of the glitter shells (see the burst programmes).
int32_t glitterStars(uint32_t programme) { return programme == 6 ? 40 : (programme == 8 ? 25 : 20); }

}  // namespace

SoundDirector::SoundDirector(uint32_t showSeed) : rng_(soundSeed(showSeed)) {}

SoundCue SoundDirector::place(SoundKind kind, const Vec3& at, float level, double showTime, const Vec3& eye,
                              const Vec3& back) {
    const Placement p = placeSound(at, eye, back);
    SoundCue c;
    c.kind = kind;
    c.eventTime = showTime;
    c.startTime = showTime + p.delayS;
    c.startSample = static_cast<int64_t>(std::llround(c.startTime * kSampleRate));
    c.distanceM = p.distanceM;
    c.pan = p.pan;
    c.gain = level * p.distanceGain;
    c.cutoffHz = p.cutoffHz;
    c.position = at;
    c.seed = rng_.next();
    return c;
}

void SoundDirector::frame(const FrameDriver& driver, std::vector<SoundCue>& cues) {
    frame(driver.showTime(), driver.camera().eye, driver.camera().back, driver.events(), cues);
}

void SoundDirector::frame(double showTime, const Vec3& eye, const Vec3& back, const SimEventList& events,
                          std::vector<SoundCue>& cues) {
    const double dt = std::max(0.0, showTime - lastShowTime_);
    lastShowTime_ = showTime;

    struct Group {
        Vec3 at;
        int32_t pops;
    };
    std::vector<Group> crackles;

    for (const SimEvent& e : events) {
        switch (e.kind) {
        case SimEventKind::Burst: {
            const bool deep = e.programme == 19 || e.programme == 20;
            const bool salute = e.programme == 17;
            const float size = deep ? 1.5f : (salute ? 1.3f : sizeFromStars(e.stars, 175.0f, 0.6f, 1.5f));
            SoundCue c = place(SoundKind::Boom, e.position, kBoomLevel * size, showTime, eye, back);
            c.size = size;
            c.deep = deep;
            c.salute = salute;
            cues.push_back(c);
            if (isGlitterShell(e.programme)) {
                const float g = sizeFromStars(glitterStars(e.programme), 40.0f, 0.5f, 1.0f);
                SoundCue s = place(SoundKind::Glitter, e.position, kGlitterLevel * g, showTime, eye, back);
                s.size = g;
                s.duration = 3.5f;  // glitter stars live 3 to 4 s
                cues.push_back(s);
            }
            break;
        }
        case SimEventKind::TimerBreak: {
            const float size = sizeFromStars(e.stars, 30.0f, 0.5f, 1.0f);
            SoundCue c = place(SoundKind::Pop, e.position, kPopLevel * size, showTime, eye, back);
            c.size = size;
            cues.push_back(c);
            break;
        }
        case SimEventKind::SecondStage: {
            const float size = e.programme == 19 ? 1.4f : 1.3f;
            SoundCue c = place(SoundKind::Stage2, e.position, kStage2Level * size, showTime, eye, back);
            c.size = size;
            c.deep = true;
            cues.push_back(c);
            if (e.programme == 20) {
                // The column's fifty glitter stars, living 3 to 9 s.
                SoundCue s = place(SoundKind::Glitter, e.position, kGlitterLevel, showTime, eye, back);
                s.duration = 5.0f;
                cues.push_back(s);
            }
            break;
        }
        case SimEventKind::CracklePop: {
            auto g = std::find_if(crackles.begin(), crackles.end(), [&](const Group& k) {
                return k.pops < Voice::kMaxPops && (k.at - e.position).length() < kCrackleGroupUnits;
            });
            if (g == crackles.end()) crackles.push_back({e.position, 1});
            else ++g->pops;
            break;
        }
        case SimEventKind::ShellLaunch:
        case SimEventKind::FountainLit:
        case SimEventKind::PinwheelLit: {
            const SoundKind kind = e.kind == SimEventKind::ShellLaunch
                                       ? SoundKind::Launch
                                       : (e.kind == SimEventKind::FountainLit ? SoundKind::Fountain : SoundKind::Pinwheel);
            const float level = kind == SoundKind::Launch
                                    ? kLaunchLevel
                                    : (kind == SoundKind::Fountain ? kFountainLevel : kPinwheelLevel);
            SoundCue c = place(kind, e.position, level, showTime, eye, back);
            c.duration = e.duration;
            cues.push_back(c);
            break;
        }
        }
    }

    // A frame's pops fell somewhere within the frame's step: each group's
    // pops spread over it.
    for (const Group& g : crackles) {
        SoundCue c = place(SoundKind::Crackle, g.at, kCrackleLevel, showTime, eye, back);
        c.pops = g.pops;
        c.spread = static_cast<float>(std::max(dt, 0.001));
        cues.push_back(c);
    }
}

}  // namespace lumora

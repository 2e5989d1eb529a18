// The portable half of the renderer's frame driver: seeding and the scene's
// random set-up, the frame step, the first frame's draws and fast-forward
// decision, the camera, cloud drift and the simulation step. A platform layer
// (or a headless tool) feeds it timer samples and draws what it leaves behind;
// it never reads a clock or calls GL.
#pragma once

#include <cstdint>
#include <memory>

#include "common/settings/settings.h"
#include "renderer/frame/camera.h"
#include "renderer/frame/frame_timer.h"
#include "renderer/scene/cloud_grid.h"
#include "renderer/scene/scene_images.h"
#include "renderer/sim/simulation.h"

namespace lumora {

class FrameDriver {
public:
    // The random part of the set-up: seed, discard 20 draws, make the scene
    // images (star field, horizon band). `cloudImage` is the stored 512 x 512
    // luminance-alpha image, or null where no pixels are wanted.
    FrameDriver(uint32_t seed, const Settings& settings, const SpriteSet& sprites = {},
                const uint8_t* cloudImage = nullptr, float aspect = 1.0f);

    // One tick of the idle loop with the timer's reading in milliseconds.
    // Updates dt; when `canRender` and dt > 0, runs the portable half of a
    // frame and returns true (the caller then draws it).
    bool frameTick(uint32_t nowMs, bool canRender = true);

    void setAspect(float aspect) { aspect_ = aspect; }
    float aspect() const { return aspect_; }

    Rand15& rng() { return rng_; }
    uint64_t randomCalls() const { return rng_.calls(); }
    const Settings& settings() const { return settings_; }
    const FrameTimer& timer() const { return timer_; }
    const Camera& camera() const { return camera_; }
    Simulation& simulation() { return *sim_; }
    const Simulation& simulation() const { return *sim_; }
    CloudGrid* clouds() { return clouds_.get(); }
    const CloudGrid* clouds() const { return clouds_.get(); }
    const SceneImages& sceneImages() const { return scene_; }
    // The images are needed only until they are uploaded.
    void dropSceneImages() { scene_.starField = {}; scene_.panorama = {}; }
    bool fastForward() const { return fastForward_; }
    float dt() const { return dt_; }
    uint64_t framesRun() const { return frames_; }
    // The show's own time: the sum of the frame steps run so far, in seconds
    // (0 before the first frame). Sounds are timed by it, never by a clock.
    double showTime() const { return showTime_; }

    // From now on each frame lists the simulation's events (see
    // renderer/sim/sim_events.h); the list holds the last frame's only.
    // Listening changes nothing in the show.
    void listenToEvents() { sim_->setEventList(&events_); }
    const SimEventList& events() const { return events_; }

private:
    void advanceFrame();

    Settings settings_;
    Rand15 rng_;
    FrameTimer timer_;
    Camera camera_;
    std::unique_ptr<CloudGrid> clouds_;
    std::unique_ptr<Simulation> sim_;
    SceneImages scene_;
    float aspect_;
    float dt_ = 0.0f;
    bool firstFrame_ = true;
    bool fastForward_ = false;
    uint64_t frames_ = 0;
    double showTime_ = 0.0;
    SimEventList events_;
};

}  // namespace lumora

// The portable frame driver; see frame_driver.h.
#include "renderer/frame/frame_driver.h"

namespace lumora {

FrameDriver::FrameDriver(uint32_t seed, const Settings& settings, const SpriteSet& sprites,
                         const uint8_t* cloudImage, float aspect)
    : settings_(settings), rng_(seed), aspect_(aspect) {
    for (int i = 0; i < 20; ++i) rng_.next();
    scene_ = buildSceneImages(rng_, settings_, cloudImage);
    if (settings_.Weather != 0) clouds_ = std::make_unique<CloudGrid>(settings_.AmbientBrightness);
    sim_ = std::make_unique<Simulation>(rng_, settings_, sprites, clouds_.get());
}

bool FrameDriver::frameTick(uint32_t nowMs, bool canRender) {
    timer_.tick(nowMs);
    if (!(canRender && timer_.dt > 0.0f)) return false;
    advanceFrame();
    return true;
}

void FrameDriver::advanceFrame() {
    if (firstFrame_) {
        rng_.next();
        rng_.next();
        // About one run in 1900 plays the whole show five times as fast.
        fastForward_ = rng_.next() * 2000 / 32767 == 0;
    }
    // The frame step itself is multiplied, from the deciding frame on (a
    // wrapped timer reuses it as its sample, multiplied as it is).
    if (fastForward_) timer_.dt = timer_.dt * 5.0f;
    dt_ = timer_.dt;

    camera_.computeProjection(aspect_);
    if (firstFrame_) camera_.startFirstGlide(rng_);
    firstFrame_ = false;
    camera_.glide(rng_, dt_);
    camera_.computeView();

    if (clouds_) clouds_->cloudDrift(settings_.WindSpeed, dt_);
    events_.clear();
    sim_->simulationStep(dt_, camera_.eye, camera_.back);
    ++frames_;
    showTime_ += static_cast<double>(dt_);
}

}  // namespace lumora

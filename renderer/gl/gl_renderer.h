// The show drawn with OpenGL 1.1: sprites, scenery, particles and lens
// flares over the portable frame driver. It needs only a current context
// (WGL, GLX, EGL or OSMesa) and never touches a window: the platform layer
// creates the context, feeds timer readings and swaps the buffers.
#pragma once

#include <cstdint>
#include <memory>

#include "common/settings/settings.h"
#include "renderer/frame/frame_driver.h"

namespace lumora {

class GlRenderer {
public:
    // With the context current: viewport from the client rectangle, GL state,
    // the sprites, the smoke sprites (when SmokeSpan is not 0), the scene and
    // the ring geometry. `seed` is the calendar time in whole seconds.
    GlRenderer(uint32_t seed, const Settings& settings, int clientWidth, int clientHeight);
    ~GlRenderer();
    GlRenderer(const GlRenderer&) = delete;
    GlRenderer& operator=(const GlRenderer&) = delete;

    // One tick of the idle loop: timing, and when `canRender` and dt > 0 the
    // whole frame (ending with glFlush). True when a frame was drawn: the
    // caller then swaps the buffers.
    bool frameTick(uint32_t nowMs, bool canRender = true);

    // The same frame in separate phases, for tools that time them:
    // advance() is frameTick without drawing; then the three draws in order.
    bool advance(uint32_t nowMs, bool canRender = true);
    void drawScenery();    // matrices, clear, sky, clouds, horizon band
    void drawParticles();  // every live particle, back to front
    void drawFlares();     // lens flares (when LensFlareBrightness is not 0), then glFlush

    FrameDriver& driver() { return *driver_; }
    // The horizon band's texture name, 0 when the scene has no band (for
    // tests that look at the band's texture parameters).
    unsigned horizonBandTexture() const;
    int viewportWidth() const;
    int viewportHeight() const;

    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
    std::unique_ptr<FrameDriver> driver_;
};

}  // namespace lumora

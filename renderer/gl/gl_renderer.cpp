// The GL renderer: set-up in the order the show needs it and one frame in a
// fixed order of work: matrices, clear, scenery, particles, lens flares.
#include "renderer/gl/gl_renderer.h"

#include "renderer/data/embedded_data.h"
#include "renderer/gl/gl_internal.h"

namespace lumora {

GlRenderer::GlRenderer(uint32_t seed, const Settings& settings, int clientWidth, int clientHeight)
    : impl_(std::make_unique<Impl>()) {
    Impl& s = *impl_;
    s.settings = settings;
    s.viewportWidth = clientWidth;
    s.viewportHeight = clientHeight;
    glViewport(0, 0, clientWidth, clientHeight);
    glGetIntegerv(GL_VIEWPORT, s.viewport);
    // A window of no height still gets a usable aspect.
    s.aspect = clientHeight == 0 ? 1.0f : static_cast<float>(clientWidth) / static_cast<float>(clientHeight);

    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glDisable(GL_DEPTH_TEST);  // painter's order for the whole run
    glEnable(GL_TEXTURE_2D);
    glFrontFace(GL_CCW);
    glEnable(GL_CULL_FACE);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);

    // The sprite lists make no random draws, so they can exist before the
    // generator is seeded; the records then carry their real list names.
    s.buildSprites();
    if (settings.SmokeSpan > 0) s.buildSmokeSprites();

    // Seeding, the 20 discarded draws and the scene's random content.
    driver_ = std::make_unique<FrameDriver>(seed, settings, s.sprites, cloudImageData(), s.aspect);
    s.buildScene(driver_->sceneImages(), settings.StarDensity != 0, settings.Weather != 0);
    driver_->dropSceneImages();
    s.buildRing();
}

GlRenderer::~GlRenderer() {
    // Textures and lists go with the context; the records are freed here.
    if (driver_) driver_->simulation().pool().clear();
}

int GlRenderer::viewportWidth() const { return impl_->viewportWidth; }
unsigned GlRenderer::horizonBandTexture() const { return impl_->panoramaEnabled ? impl_->panoramaTexture : 0; }
int GlRenderer::viewportHeight() const { return impl_->viewportHeight; }

bool GlRenderer::advance(uint32_t nowMs, bool canRender) { return driver_->frameTick(nowMs, canRender); }

void GlRenderer::drawScenery() {
    const Camera& cam = driver_->camera();
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixd(cam.projectionMatrix.m);
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixd(cam.viewMatrix.m);
    glClear(GL_COLOR_BUFFER_BIT);  // no depth buffer is cleared or used
    impl_->drawScene(*driver_);
}

void GlRenderer::drawParticles() { impl_->drawParticles(*driver_); }

void GlRenderer::drawFlares() {
    Impl& s = *impl_;
    if (s.settings.LensFlareBrightness != 0) {
        FlareView view{&driver_->camera(), {s.viewport[0], s.viewport[1], s.viewport[2], s.viewport[3]},
                       s.viewportWidth, s.viewportHeight, s.aspect};
        collectFlares(driver_->simulation().pool(), view, s.settings.LensFlareBrightness, s.flares);
        for (const FlareEntry& e : s.flares) {
            if (e.kind == 0.0f) s.drawFlareChain(e.x, e.y, e.red, e.green, e.blue, e.intensity);
            else s.drawStreak(e.x, e.y, e.red, e.green, e.blue, e.intensity);
        }
        s.flares.clear();
    }
    glFlush();
}

bool GlRenderer::frameTick(uint32_t nowMs, bool canRender) {
    if (!advance(nowMs, canRender)) return false;
    drawScenery();
    drawParticles();
    drawFlares();
    return true;
}

}  // namespace lumora

// Whole frames drawn headless (OSMesa): a seeded show after a few seconds
// must show a night sky, the horizon band where the run has one, and bright
// bursts. Statistics of the image, not exact pixels.
#include <GL/osmesa.h>
#include <gtest/gtest.h>

#include <vector>

#include "renderer/gl/gl_headers.h"
#include "renderer/gl/gl_renderer.h"

using namespace lumora;

namespace {

struct Headless {
    Headless(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w * h * 4)) {
        context = OSMesaCreateContextExt(OSMESA_RGBA, 0, 0, 0, nullptr);
        ok = context && OSMesaMakeCurrent(context, pixels.data(), GL_UNSIGNED_BYTE, w, h);
    }
    ~Headless() {
        if (context) OSMesaDestroyContext(context);
    }
    // Rows run bottom-up.
    const uint8_t* at(int x, int y) const { return &pixels[static_cast<std::size_t>(4 * (y * width + x))]; }
    int width, height;
    std::vector<uint8_t> pixels;
    OSMesaContext context = nullptr;
    bool ok = false;
};

struct Stats {
    int bright = 0;  // any channel above 200
    int lit = 0;     // any channel above 8
};

Stats statsOf(const Headless& h, int y0, int y1) {
    Stats s;
    for (int y = y0; y < y1; ++y)
        for (int x = 0; x < h.width; ++x) {
            const uint8_t* p = h.at(x, y);
            const int m = std::max({p[0], p[1], p[2]});
            s.bright += m > 200;
            s.lit += m > 8;
        }
    return s;
}

}  // namespace

TEST(Render, ASeededShowLooksLikeFireworksAtNight) {
    Headless h(480, 270);
    ASSERT_TRUE(h.ok);
    GlRenderer renderer(7, Settings{}, h.width, h.height);
    bool drew = false;
    uint32_t now = 0;
    for (int i = 0; i < 600; ++i, now += 16) drew = renderer.frameTick(now);
    ASSERT_TRUE(drew);
    glFinish();
    const Stats all = statsOf(h, 0, h.height);
    const int total = h.width * h.height;
    // Mostly a dark sky...
    EXPECT_LT(all.lit, total * 3 / 4);
    // ...with stars, clouds and fireworks lighting part of it...
    EXPECT_GT(all.lit, total / 50);
    // ...and bright bursts.
    EXPECT_GT(all.bright, 30);
    // This run has a horizon band: its glow lights the middle rows (above the
    // black silhouette), more than the top rows.
    EXPECT_TRUE(renderer.driver().sceneImages().panoramaEnabled);
    const Stats top = statsOf(h, h.height * 5 / 6, h.height);
    const Stats band = statsOf(h, h.height * 2 / 6, h.height * 3 / 6);
    EXPECT_GT(band.lit, top.lit);
}

TEST(Render, NoStarsNoCloudsNoSmokeStillDraws) {
    Headless h(160, 90);
    ASSERT_TRUE(h.ok);
    Settings s;
    s.StarDensity = 0;
    s.Weather = 0;
    s.SmokeSpan = 0;
    s.LensFlareBrightness = 0;
    GlRenderer renderer(3, s, h.width, h.height);
    uint32_t now = 0;
    for (int i = 0; i < 400; ++i, now += 16) renderer.frameTick(now);
    glFinish();
    EXPECT_GT(renderer.driver().simulation().pool().liveCount(), 0u);
    // A black sky: only the fireworks (and a horizon band, if any) light it.
    EXPECT_LT(statsOf(h, 0, h.height).lit, h.width * h.height / 2);
}

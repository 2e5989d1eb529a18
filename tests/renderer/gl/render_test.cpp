// Whole frames drawn headless (OSMesa): a seeded show after a few seconds
// must show a night sky, the horizon band where the run has one, and bright
// bursts. Statistics of the image, not exact pixels.
#include <GL/osmesa.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "renderer/gl/gl_headers.h"
#include "renderer/gl/gl_internal.h"
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

    // The band's s runs up it and is clamped: repeating it (as the band once
    // did) lights a line along the band's foot and changes nothing else.
    const unsigned bandTexture = renderer.horizonBandTexture();
    ASSERT_NE(bandTexture, 0u);
    glBindTexture(GL_TEXTURE_2D, bandTexture);
    GLint wrapS = 0, wrapT = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrapS);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &wrapT);
    EXPECT_EQ(wrapS, 0x812F);  // GL_CLAMP_TO_EDGE: OSMesa is well past 1.2
    EXPECT_EQ(wrapT, GL_REPEAT);
    renderer.drawScenery();
    glFinish();
    const std::vector<uint8_t> clamped = h.pixels;
    glBindTexture(GL_TEXTURE_2D, bandTexture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    renderer.drawScenery();
    glFinish();
    int lowest = h.height, highest = -1, added = 0;
    for (std::size_t i = 0; i < clamped.size(); ++i) {
        if ((i & 3) == 3 || clamped[i] == h.pixels[i]) continue;
        const int row = static_cast<int>(i / 4) / h.width;  // bottom-up
        lowest = std::min(lowest, row);
        highest = std::max(highest, row);
        added += h.pixels[i] - clamped[i];
    }
    ASSERT_GE(highest, 0) << "the clamp changed nothing";
    EXPECT_LE(highest - lowest, 2) << "rows " << lowest << " to " << highest << " changed";
    EXPECT_GT(added, 0) << "the repeated band should be the brighter one";
    // The foot lies below the band's glow, which the checks above found in
    // the middle rows.
    EXPECT_LT(highest, h.height / 2);
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

TEST(Render, TheBandClampFollowsTheContextVersion) {
    const struct {
        const char* version;
        GLint wrapS;
    } cases[] = {
        {"1.1.0", GL_CLAMP},  // the system's own OpenGL 1.1
        {"1.2", 0x812F},
        {"1.10", 0x812F},
        {"4.5 (Compatibility Profile) Mesa 22.3.6", 0x812F},
        {"", GL_CLAMP},
        {"OpenGL", GL_CLAMP},
        {nullptr, GL_CLAMP},
    };
    for (const auto& c : cases) EXPECT_EQ(horizonBandWrapS(c.version), c.wrapS) << (c.version ? c.version : "null");
}
